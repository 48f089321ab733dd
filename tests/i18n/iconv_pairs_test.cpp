// Conversions through iconv: UTF-8 with the Japanese sets, and the table
// pairs of Chinese and European single-byte sets.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "i18n_test_util.h"

namespace {

std::string Bytes2(int a, int b) {
  return {static_cast<char>(a), static_cast<char>(b)};
}

TEST(Utf8Japanese, EveryAssignedJisX0208CharacterRoundTrips) {
  int assigned = 0;
  std::string allEuc, allSjis, allUtf8;
  for (int r = 1; r <= 94; ++r) {
    for (int c = 1; c <= 94; ++c) {
      std::string euc = Bytes2(r + 0xA0, c + 0xA0);
      std::string utf8 = SystemIconv(euc, "EUC-JP", "UTF-8");
      if (utf8 == "<error>") {
        // Unassigned: no UTF-8 form, so the strict conversion refuses it.
        TQMbConvResult res;
        Convert(euc, 4, 31, TQMbBadChars::kFail, &res);
        EXPECT_EQ(res.status, TQMbConvStatus::kInvalid) << Hex(euc);
        continue;
      }
      ++assigned;
      std::string sjis = Convert(euc, 4, 5);
      ASSERT_EQ(Convert(euc, 4, 31), utf8) << Hex(euc);
      ASSERT_EQ(Convert(sjis, 5, 31), utf8) << Hex(sjis);
      ASSERT_EQ(Convert(utf8, 31, 4), euc) << Hex(utf8);
      ASSERT_EQ(Convert(utf8, 31, 5), sjis) << Hex(utf8);
      allEuc += euc;
      allSjis += sjis;
      allUtf8 += utf8;
    }
  }
  EXPECT_GE(assigned, 6879);
  EXPECT_EQ(Convert(allUtf8, 31, 4, TQMbBadChars::kFail), allEuc);
  EXPECT_EQ(Convert(allUtf8, 31, 5, TQMbBadChars::kFail), allSjis);
  EXPECT_EQ(Convert(allSjis, 5, 31, TQMbBadChars::kFail), allUtf8);
}

TEST(Utf8Japanese, HalfWidthKatakanaAndSupplementarySet) {
  EXPECT_EQ(Convert("\xEF\xBD\xB1", 31, 5), "\xB1");  // U+FF71
  EXPECT_EQ(Convert("\xEF\xBD\xB1", 31, 4), "\x8E\xB1");
  EXPECT_EQ(Convert("\xB1", 5, 31), "\xEF\xBD\xB1");
  EXPECT_EQ(Convert("\xC3\xA9", 31, 4), "\x8F\xAB\xB1");  // e acute, JIS X 0212
  EXPECT_EQ(Convert("\x8F\xAB\xB1", 4, 31), "\xC3\xA9");
}

TEST(Utf8Japanese, AsciiKeepsItsMeaningInShiftJis) {
  // Shift_JIS 0x5C and 0x7E are backslash and tilde for this library, in
  // both directions; a trail byte 0x5C stays inside its character.
  EXPECT_EQ(Convert("C:\\dir~1", 5, 31), "C:\\dir~1");
  EXPECT_EQ(Convert("C:\\dir~1", 31, 5), "C:\\dir~1");
  EXPECT_EQ(Convert("\x95\x5C\\", 5, 31), "\xE8\xA1\xA8\\");
  EXPECT_EQ(Convert("\xE8\xA1\xA8\\", 31, 5), "\x95\x5C\\");
}

struct BadCase {
  int from;
  int to;
  std::string text;
  std::string replaced;
  size_t badOffset;
};

TEST(Utf8Japanese, UnconvertibleCharactersAreReplacedOrRejected) {
  const BadCase cases[] = {
      {31, 4,
       "a\xF0\x9F\x98\x80"
       "b",
       "a?b", 1},                       // no emoji in EUC-JP
      {31, 5, "ab\xC3\xA9", "ab?", 2},  // JIS X 0212 has no Shift_JIS form
      {31, 5, "\xE3\x81", "??", 0},     // cut short
      {31, 4, "x\xFF", "x?", 1},        // not UTF-8
      {5, 31, "a\x81\x20", "a? ", 1},   // bad trail
      {4, 31, "\xA9\xA1", "?", 0},      // unassigned row 9
  };
  for (const BadCase& c : cases) {
    EXPECT_EQ(Convert(c.text, c.from, c.to), c.replaced) << Hex(c.text);
    TQMbConvResult r;
    EXPECT_EQ(Convert(c.text, c.from, c.to, TQMbBadChars::kFail, &r), "") << Hex(c.text);
    EXPECT_EQ(r.status, TQMbConvStatus::kInvalid) << Hex(c.text);
    EXPECT_EQ(r.badOffset, c.badOffset) << Hex(c.text);
  }
}

struct PairCase {
  int a;
  int b;
  std::string textA;
  std::string textB;
};

TEST(TablePairs, SampleTextsBothWays) {
  const PairCase cases[] = {
      // "zhong wen xu"; Big5 xu has the trail byte 0x5C.
      {9, 10, "\xA4\xA4\xA4\xE5\xB3\x5C", "\xC4\xE3\xC5\xC6\xDD\xC2"},
      {9, 10, "ab\xC9\xD2", "ab\x8E\xA2\xA2\xB2"},  // CNS plane 2
      // "Lodz Ss" with Polish letters.
      {14, 23, "\xA3\xF3\x64\xBC\x20\xA9\xB6", "\xA3\xF3\x64\x9F\x20\x8A\x9C"},
      // Russian "Privet" and Yo.
      {17, 24, "\xBF\xE0\xD8\xD2\xD5\xE2 \xA1", "\xCF\xF0\xE8\xE2\xE5\xF2 \xA8"},
  };
  for (const PairCase& c : cases) {
    EXPECT_EQ(Convert(c.textA, c.a, c.b), c.textB) << c.a << "->" << c.b << " " << Hex(c.textA);
    EXPECT_EQ(Convert(c.textB, c.b, c.a), c.textA) << c.b << "->" << c.a << " " << Hex(c.textB);
  }
}

TEST(TablePairs, CharacterWithoutCounterpart) {
  // The euro sign of Windows 1250 has no place in ISO 8859-2.
  EXPECT_EQ(Convert("5\x80", 23, 14), "5?");
  TQMbConvResult r;
  Convert("5\x80", 23, 14, TQMbBadChars::kFail, &r);
  EXPECT_EQ(r.status, TQMbConvStatus::kInvalid);
  EXPECT_EQ(r.badOffset, 1u);
}

TEST(Convert, UnsupportedPairsAndEqualSetsCopyUnchanged) {
  const std::string text = "a\x95\x5C\xB1\xFF";
  const std::pair<int, int> pairs[] = {{5, 5}, {0, 4}, {4, 0}, {31, 0}, {0, 31}, {9, 4}, {14, 24}};
  for (auto [from, to] : pairs) {
    EXPECT_FALSE(tqMbConversionSupported(from, to)) << from << "->" << to;
    EXPECT_EQ(Convert(text, from, to, TQMbBadChars::kFail), text) << from << "->" << to;
  }
  EXPECT_TRUE(tqMbConversionSupported(31, 4));
  EXPECT_TRUE(tqMbConversionSupported(24, 17));
}

TEST(Convert, TooSmallDestinationReportsTheNeededLength) {
  char dest[4] = {'X', 'X', 'X', 'X'};
  // Three katakana become 9 bytes of UTF-8.
  TQMbConvResult r = tqMbConvert("\xB1\xB2\xB3", 3, 5, dest, sizeof dest, 31, TQMbBadChars::kFail);
  EXPECT_EQ(r.status, TQMbConvStatus::kNoRoom);
  EXPECT_EQ(r.length, 9u);
  EXPECT_EQ(dest[0], '\0');
  // Exactly enough room: length plus terminator.
  char fits[10];
  r = tqMbConvert("\xB1\xB2\xB3", 3, 5, fits, sizeof fits, 31, TQMbBadChars::kFail);
  EXPECT_EQ(r.status, TQMbConvStatus::kOk);
  EXPECT_EQ(std::string(fits), "\xEF\xBD\xB1\xEF\xBD\xB2\xEF\xBD\xB3");
  // The unchanged copy obeys the bound as well.
  r = tqMbConvert("abcd", 4, 0, dest, sizeof dest, 0, TQMbBadChars::kFail);
  EXPECT_EQ(r.status, TQMbConvStatus::kNoRoom);
  EXPECT_EQ(dest[0], '\0');
}

TEST(Convert, BoundHoldsTheWorstCases) {
  const struct {
    std::string text;
    int from;
    int to;
  } cases[] = {
      {"\xB1\xB1\xB1", 5, 31},  // 1 byte -> 3
      {"\xB1"
       "a\xB1"
       "a",
       5, 3},               // escape around every katakana
      {"\x88\x9F", 5, 3},   // one kanji with both escapes
      {"\xC9\xD2", 9, 10},  // 2 -> 4
      {"\xB1\xB1", 5, 4},   // 1 -> 2
  };
  for (const auto& c : cases) {
    TQMbConvResult r =
        tqMbConvert(c.text.data(), c.text.size(), c.from, nullptr, 0, c.to, TQMbBadChars::kFail);
    EXPECT_LT(r.length, tqMbConvertBound(c.text.size(), c.from, c.to)) << Hex(c.text);
  }
}

}  // namespace

namespace {

// Each thread converts with its own iconv handles; shared handles would mix
// the threads' conversion states.
TEST(Convert, ThreadsConvertAtTheSameTime) {
  std::string euc;
  for (int c = 0xA1; c <= 0xFE; ++c)
    euc += std::string("\xB0") + static_cast<char>(c) + "x";
  const std::string utf8 = Convert(euc, 4, 31);
  std::vector<std::thread> threads;
  std::atomic<int> mismatches{0};
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 50; ++i) {
        if (Convert(euc, 4, 31) != utf8 || Convert(utf8, 31, 4) != euc) ++mismatches;
      }
    });
  }
  for (std::thread& t : threads)
    t.join();
  EXPECT_EQ(mismatches.load(), 0);
}

}  // namespace
