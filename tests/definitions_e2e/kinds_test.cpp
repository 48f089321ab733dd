#include "def_fixture.h"
