// Password scrambling: the server must recover what the client scrambled,
// for any operation time and every kind of byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "api/tqb_scramble.h"
#include "api/tqb_scramble_tables.h"

namespace {

std::string scrambled(uint32_t t, const std::string& clear) {
  char buf[31] = {};
  memcpy(buf, clear.data(), std::min<size_t>(clear.size(), 30));
  tqScramblePassword(t, buf);
  return std::string(buf);
}

TEST(Scramble, EmptyPasswordIsLeftAlone) { EXPECT_EQ(scrambled(12345, ""), ""); }

TEST(Scramble, RoundTripsOverTimesAndPasswords) {
  const std::string passwords[] = {
      "a", "Demo", "secret", std::string(30, 'x'), "with space!", "\x01\x7f\x9f\xff\xa0\xfe",
      "abcdefghijklmnopqrstuvwxyz0123"};
  for (uint32_t t : {0u, 1u, 7u, 12u, 94u, 95u, 1000003u, 1733788800u, 0xFFFFFFFFu}) {
    for (const auto& p : passwords) {
      std::string s = scrambled(t, p);
      ASSERT_EQ(s.size(), 30u) << "t=" << t;
      char back[31];
      tqUnscramblePassword(t, s.c_str(), back);
      std::string expected = p;
      const char* pad = kTQScramblePadding[t % kTQScramblePadRows];
      for (size_t i = p.size(); i < 30; ++i) expected += pad[i - p.size()];
      EXPECT_EQ(std::string(back), expected) << "t=" << t << " p=" << p;
      EXPECT_TRUE(tqScrambledPasswordMatches(t, s.c_str(), p.c_str()));
      EXPECT_FALSE(tqScrambledPasswordMatches(t + 1, s.c_str(), p.c_str()));
    }
  }
}

TEST(Scramble, FullLengthPasswordIsNotPadded) {
  // A 30-character password keeps all its own bytes: only their order and
  // values change, so unscrambling gives it back exactly.
  std::string p = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234";
  std::string s = scrambled(42, p);
  char back[31];
  tqUnscramblePassword(42, s.c_str(), back);
  EXPECT_EQ(std::string(back), p);
}

TEST(Scramble, NonPrintableBytesAreOnlyPermuted) {
  // Bytes below 32, 127 to 159 and 255 keep their values; the permutation
  // still moves them.
  std::string p = std::string("\x01\x7f\x80\x9f\xff") + std::string(25, 'a');
  std::string s = scrambled(3, p);
  for (char c : {'\x01', '\x7f', '\x80', '\x9f', '\xff'}) EXPECT_NE(s.find(c), std::string::npos);
  EXPECT_NE(s, p);
}

TEST(Scramble, TablesHaveTheirShapes) {
  for (const auto& row : kTQScrambleSubstitution) {
    bool seen[kTQScrambleRange] = {};
    for (uint8_t v : row) {
      ASSERT_LT(v, kTQScrambleRange);
      EXPECT_FALSE(seen[v]) << "substitution rows must be permutations to be reversible";
      seen[v] = true;
    }
  }
  for (const auto& row : kTQScramblePermutation) {
    bool seen[kTQPasswordLength] = {};
    for (uint8_t v : row) {
      ASSERT_LT(v, kTQPasswordLength);
      EXPECT_FALSE(seen[v]);
      seen[v] = true;
    }
  }
  for (uint8_t v : kTQScrambleRowIndex) EXPECT_LT(v, kTQScrambleSubRows);
  for (const auto& row : kTQScramblePadding) {
    ASSERT_EQ(strlen(row), 30u);
    for (int i = 0; i < 30; ++i) EXPECT_TRUE(row[i] >= 33 && row[i] <= 126);
  }
}

}  // namespace
