// Shift_JIS, EUC-JP and JIS escape text.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "i18n_test_util.h"
#include "share/i18n/jaconv.h"

namespace {

std::string Bytes2(int a, int b) {
  return {static_cast<char>(a), static_cast<char>(b)};
}

// Shift_JIS of JIS X 0208 row r, cell c (1-94), by the textbook formula.
std::string SjisOf(int r, int c) {
  int s1 = (r + 1) / 2 + (r <= 62 ? 0x80 : 0xC0);
  int s2 = (r % 2 == 1) ? c + (c <= 63 ? 0x3F : 0x40) : c + 0x9E;
  return Bytes2(s1, s2);
}

std::string EucOf(int r, int c) {
  return Bytes2(r + 0xA0, c + 0xA0);
}

TEST(JaArithmetic, EveryJisX0208CodeBothWays) {
  std::string allEuc, allSjis;
  for (int r = 1; r <= 94; ++r) {
    for (int c = 1; c <= 94; ++c) {
      std::string euc = EucOf(r, c), sjis = SjisOf(r, c);
      ASSERT_EQ(Convert(euc, 4, 5), sjis) << "row " << r << " cell " << c;
      ASSERT_EQ(Convert(sjis, 5, 4), euc) << "row " << r << " cell " << c;
      allEuc += euc;
      allSjis += sjis;
    }
  }
  // And as one long text in each direction.
  EXPECT_EQ(Convert(allEuc, 4, 5), allSjis);
  EXPECT_EQ(Convert(allSjis, 5, 4), allEuc);
}

TEST(JaArithmetic, EveryShiftJisDoubleByteCodeIsOneJisCode) {
  std::set<std::string> seen;
  for (int s1 = 0x81; s1 <= 0xEF; ++s1) {
    if (s1 > 0x9F && s1 < 0xE0) continue;
    for (int s2 = 0x40; s2 <= 0xFC; ++s2) {
      if (s2 == 0x7F) continue;
      std::string euc = Convert(Bytes2(s1, s2), 5, 4);
      ASSERT_EQ(euc.size(), 2u);
      ASSERT_GE(static_cast<unsigned char>(euc[0]), 0xA1);
      ASSERT_GE(static_cast<unsigned char>(euc[1]), 0xA1);
      seen.insert(euc);
    }
  }
  EXPECT_EQ(seen.size(), 94u * 94u);
}

TEST(JaArithmetic, AgreesWithTheSystemMappingForAssignedCharacters) {
  int assigned = 0;
  for (int r = 1; r <= 94; ++r) {
    for (int c = 1; c <= 94; ++c) {
      std::string expected = SystemIconv(EucOf(r, c), "EUC-JP", "SHIFT_JIS");
      if (expected == "<error>") continue;
      ++assigned;
      EXPECT_EQ(Convert(EucOf(r, c), 4, 5), expected) << "row " << r << " cell " << c;
    }
  }
  EXPECT_GE(assigned, 6879);  // the characters of JIS X 0208
}

TEST(JaKatakana, HalfWidthKatakanaBothWays) {
  EXPECT_EQ(Convert("\xB1", 5, 4), "\x8E\xB1");
  EXPECT_EQ(Convert("\x8E\xB1", 4, 5), "\xB1");
  for (int b = 0xA1; b <= 0xDF; ++b) {
    std::string sjis(1, static_cast<char>(b));
    std::string euc = Bytes2(0x8E, b);
    EXPECT_EQ(Convert(sjis, 5, 4), euc) << b;
    EXPECT_EQ(Convert(euc, 4, 5), sjis) << b;
    EXPECT_EQ(Convert(Convert(sjis, 5, 3), 3, 5), sjis) << b;
  }
}

struct BadCase {
  int from;
  int to;
  std::string text;
  std::string replaced;  // result with kReplace
  size_t badOffset;      // with kFail
};

TEST(JaMalformed, CopiedUnchangedOrRejected) {
  const BadCase cases[] = {
      {5, 4,
       "a\x81\x20"
       "b",
       "a\x81\x20"
       "b",
       1},                                // lead with trail below 64
      {5, 4, "\x81\xFD", "\x81\xFD", 0},  // trail above 252
      {5, 4, "\x81\x7F", "\x81\x7F", 0},  // trail 127
      {5, 4, "\xA0\x80", "\xA0\x80", 0},
      {5, 4, "ab\x88", "ab\x88", 2},  // lead at the end
      {4, 5, "\xA4\x41", "\xA4\x41", 0},
      {4, 5, "\x8E\xE0", "\x8E\xE0", 0},
      {4, 5, "a\xA4", "a\xA4", 1},
      // JIS X 0212 has no Shift_JIS form.
      {4, 5, "x\x8F\xB0\xA1y", "x?y", 1},
  };
  for (const BadCase& c : cases) {
    EXPECT_EQ(Convert(c.text, c.from, c.to), c.replaced) << Hex(c.text);
    TQMbConvResult r;
    EXPECT_EQ(Convert(c.text, c.from, c.to, TQMbBadChars::kFail, &r), "") << Hex(c.text);
    EXPECT_EQ(r.status, TQMbConvStatus::kInvalid) << Hex(c.text);
    EXPECT_EQ(r.badOffset, c.badOffset) << Hex(c.text);
  }
}

// "a", katakana A, kanji "a" (JIS 0x3021), "b".
const std::string kSjisMixed =
    "a\xB1\x88\x9F"
    "b";
const std::string kEucMixed =
    "a\x8E\xB1\xB0\xA1"
    "b";
const std::string kJisMixed = "a\x1B(I1\x1B$B0!\x1B(Bb";

TEST(JaEscapeText, EncodesWithDesignationsAndEndsInAscii) {
  EXPECT_EQ(Convert(kSjisMixed, 5, 3), kJisMixed);
  EXPECT_EQ(Convert(kEucMixed, 4, 3), kJisMixed);
  EXPECT_EQ(Convert("\x88\x9F", 5, 3), "\x1B$B0!\x1B(B");
  EXPECT_EQ(Convert("plain", 5, 3), "plain");
  EXPECT_EQ(Convert("\x8F\xB0\xA1", 4, 3), "\x1B$(D0!\x1B(B");
}

TEST(JaEscapeText, DecodesTheCommonForms) {
  const struct {
    std::string jis;
    std::string sjis;
  } cases[] = {
      {kJisMixed, kSjisMixed},
      {"\x1B$@0!\x1B(J\\", "\x88\x9F\\"},  // old kanji set, JIS-Roman
      {"a\x0E"
       "1\x0F"
       "b",
       "a\xB1"
       "b"},                                   // SO/SI katakana
      {"\x1B$B0!\n0!", "\x88\x9F\n\x88\x9F"},  // line end inside kanji mode
      {"\x1B$B0!", "\x88\x9F"},                // no return to ASCII
      {"\x1B&@\x1B$B0!", "\x88\x9F"},          // revision announcement
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Convert(c.jis, 3, 5), c.sjis) << Hex(c.jis);
    EXPECT_EQ(Convert(Convert(c.jis, 3, 4), 4, 5), c.sjis) << Hex(c.jis);
  }
  EXPECT_EQ(Convert("\x1B$(D0!", 3, 4), "\x8F\xB0\xA1");
  EXPECT_EQ(Convert("\x1B$(D0!", 3, 5), "?");
}

TEST(JaEscapeText, WholeJisX0208RangeRoundTrips) {
  std::string euc;
  for (int r = 1; r <= 94; ++r) {
    for (int c = 1; c <= 94; ++c)
      euc += EucOf(r, c);
    euc +=
        "\xB1\xA1"
        "x";  // alternate with ASCII now and then
  }
  std::string jis = Convert(euc, 4, 3);
  size_t bad = 0;
  EXPECT_TRUE(tqMbValidate(jis.data(), jis.size(), 3, &bad)) << bad;
  EXPECT_EQ(Convert(jis, 3, 4), euc);
  EXPECT_EQ(Convert(jis, 3, 5), Convert(euc, 4, 5));
}

TEST(JaEscapeText, MalformedEscapeTextIsRejectedOrKept) {
  TQMbConvResult r;
  Convert("ok\x1B(Zx", 3, 5, TQMbBadChars::kFail, &r);
  EXPECT_EQ(r.status, TQMbConvStatus::kInvalid);
  EXPECT_EQ(r.badOffset, 2u);
  EXPECT_EQ(Convert("ok\x1B(Zx", 3, 5), "ok\x1B(Zx");
}

TEST(JaArithmeticPrimitives, RowAndCellArithmetic) {
  unsigned char j1, j2, s1, s2;
  tqSjisToJis(0x88, 0x9F, &j1, &j2);
  EXPECT_EQ(j1, 0x30);
  EXPECT_EQ(j2, 0x21);
  tqJisToSjis(0x7E, 0x7E, &s1, &s2);
  EXPECT_EQ(s1, 0xEF);
  EXPECT_EQ(s2, 0xFC);
  EXPECT_TRUE(tqJaConvertible(5, 3));
  EXPECT_FALSE(tqJaConvertible(5, 5));
  EXPECT_FALSE(tqJaConvertible(5, 31));
}

}  // namespace
