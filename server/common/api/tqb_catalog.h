// The message catalog, for code of the library that still reaches it by its
// former name; it lives with the code the client and the server share.
#pragma once

#include "share/apisrv/catalog.h"
