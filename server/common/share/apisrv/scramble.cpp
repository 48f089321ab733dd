// Password scrambling: pad to 30 characters, substitute every printable byte
// by a row of the substitution table chosen per position, then permute the
// positions. All three steps depend on the operation time of the header.
#include "share/apisrv/scramble.h"

#include <cstring>

#include "share/apisrv/scramble_tables.h"

namespace {

constexpr int kLen = kTQPasswordLength;

// The base of the printable range a byte belongs to, or -1 when the byte is
// left as it is (control bytes, 127 to 159 and 255).
int printableBase(unsigned char c) {
  if (c >= 32 && c <= 126) return 32;
  if (c >= 160 && c <= 254) return 160;
  return -1;
}

}  // namespace

void tqScramblePassword(uint32_t time, char password[31]) {
  size_t length = strnlen(password, kLen);
  if (length == 0) return;

  unsigned char padded[kLen];
  memcpy(padded, password, length);
  const char* pad = kTQScramblePadding[time % kTQScramblePadRows];
  for (size_t i = length; i < kLen; ++i)
    padded[i] = static_cast<unsigned char>(pad[i - length]);

  const unsigned s = time % kTQScrambleRange;
  const unsigned r = time % 13;
  for (int i = 0; i < kLen; ++i) {
    int base = printableBase(padded[i]);
    if (base < 0) continue;
    unsigned k = s + padded[i] - base;
    if (k >= kTQScrambleRange) k -= kTQScrambleRange;
    padded[i] =
        static_cast<unsigned char>(base + kTQScrambleSubstitution[kTQScrambleRowIndex[r + i]][k]);
  }

  const uint8_t* perm = kTQScramblePermutation[time % kTQScramblePermRows];
  for (int i = 0; i < kLen; ++i)
    password[i] = static_cast<char>(padded[perm[i]]);
  password[kLen] = '\0';
}

void tqUnscramblePassword(uint32_t time, const char scrambled[31], char out[31]) {
  unsigned char substituted[kLen];
  const uint8_t* perm = kTQScramblePermutation[time % kTQScramblePermRows];
  for (int i = 0; i < kLen; ++i)
    substituted[perm[i]] = static_cast<unsigned char>(scrambled[i]);

  const unsigned s = time % kTQScrambleRange;
  const unsigned r = time % 13;
  for (int i = 0; i < kLen; ++i) {
    unsigned char c = substituted[i];
    int base = printableBase(c);
    if (base < 0) {
      out[i] = static_cast<char>(c);
      continue;
    }
    const uint8_t* row = kTQScrambleSubstitution[kTQScrambleRowIndex[r + i]];
    unsigned k = 0;
    while (k < kTQScrambleRange && row[k] != c - base)
      ++k;
    unsigned original = (k + kTQScrambleRange - s) % kTQScrambleRange;
    out[i] = static_cast<char>(base + original);
  }
  out[kLen] = '\0';
}

bool tqScrambledPasswordMatches(uint32_t time, const char* scrambled, const char* clear) {
  char expected[kLen + 1] = {};
  strncpy(expected, clear, kLen);
  tqScramblePassword(time, expected);
  return strncmp(expected, scrambled, kLen) == 0;
}

void tqScrambleField102(char text[31]) {
  tqScramblePassword(kTQPasswordFieldKey, text);
}

size_t tqClearField102(const char* scrambled, char clear[31]) {
  char padded[kLen + 1] = {};
  memcpy(padded, scrambled, strnlen(scrambled, kLen));
  tqUnscramblePassword(kTQPasswordFieldKey, padded, clear);
  const char* padding = kTQScramblePadding[kTQPasswordFieldKey % kTQScramblePadRows];
  size_t length = 1;
  while (length < kLen && memcmp(clear + length, padding, kLen - length) != 0) {
    ++length;
  }
  clear[length] = '\0';
  return length;
}
