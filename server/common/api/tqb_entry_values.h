// What the operations that receive field values share with TQGetEntry.
#pragma once

#include <cstdint>

#include "tqlink.h"

// When the session's server speaks an older protocol: every char value of
// field 102 that is not 30 characters long is scrambled, as a version-6
// server sends it. Adds 154 (and makes the value null) when memory runs out.
void tqScrambleReceivedPasswords(TQFieldValueStruct* items, uint32_t count, TQStatusList* status);
