// Shapes of the password-scrambling tables shared by tqlink and tqserverd.
#pragma once

#include <cstdint>

inline constexpr int kTQPasswordLength = 30;
inline constexpr int kTQScramblePadRows = 11;
inline constexpr int kTQScrambleSubRows = 7;
inline constexpr int kTQScrambleRange = 95;  // printable bytes 32..126 and 160..254
inline constexpr int kTQScrambleRowIndexSize = 42;
inline constexpr int kTQScramblePermRows = 8;

// Padding rows: 30 printable characters each, used to fill short passwords.
extern const char kTQScramblePadding[kTQScramblePadRows][kTQPasswordLength + 1];
// Substitution rows: each a permutation of the offsets 0..94.
extern const uint8_t kTQScrambleSubstitution[kTQScrambleSubRows][kTQScrambleRange];
// Which substitution row serves position i at time t: row index [t mod 13 + i].
extern const uint8_t kTQScrambleRowIndex[kTQScrambleRowIndexSize];
// Permutations of the 30 positions, chosen by t mod 8.
extern const uint8_t kTQScramblePermutation[kTQScramblePermRows][kTQPasswordLength];
