// Password scrambling of the call header. The client scrambles the password
// with the header's operation time; the server reverses it with the same
// tables and time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "share/apisrv/scramble_tables.h"

// Scrambles the password in place. `password` holds at most 30 characters
// and has room for 31 bytes; an empty password is left as it is.
void tqScramblePassword(uint32_t time, char password[31]);

// Reverses tqScramblePassword: `scrambled` (30 characters) becomes the
// 30-character padded clear text in `out` (31 bytes, terminated).
void tqUnscramblePassword(uint32_t time, const char scrambled[31], char out[31]);

// True when `scrambled`, received with operation time `time`, is the
// scrambled form of the clear password `clear`.
bool tqScrambledPasswordMatches(uint32_t time, const char* scrambled, const char* clear);

// Values of field 102 (the password field) travel scrambled at protocol
// version 6 with one fixed key instead of a call's operation time; older
// versions carry them clear.
inline constexpr uint32_t kTQPasswordFieldId = 102;
inline constexpr uint32_t kTQPasswordFieldKey = 317204659;

// Scrambles a clear field 102 text in place with the fixed key (see
// tqScramblePassword).
void tqScrambleField102(char text[31]);

// The clear text of a scrambled 30-character field 102 value into `clear`
// (31 bytes), without the padding the scrambling added: the shortest text
// that the rest of the key's padding row completes. Returns its length.
size_t tqClearField102(const char* scrambled, char clear[31]);
