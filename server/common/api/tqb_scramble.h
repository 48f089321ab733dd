// Password scrambling of the call header. The client scrambles the password
// with the header's operation time; the server reverses it with the same
// tables and time.
#pragma once

#include <cstdint>

// Scrambles the password in place. `password` holds at most 30 characters
// and has room for 31 bytes; an empty password is left as it is.
void tqScramblePassword(uint32_t time, char password[31]);

// Reverses tqScramblePassword: `scrambled` (30 characters) becomes the
// 30-character padded clear text in `out` (31 bytes, terminated).
void tqUnscramblePassword(uint32_t time, const char scrambled[31], char out[31]);

// True when `scrambled`, received with operation time `time`, is the
// scrambled form of the clear password `clear`.
bool tqScrambledPasswordMatches(uint32_t time, const char* scrambled, const char* clear);
