// Character lengths by set, and validation of complete, valid characters.
#include <gtest/gtest.h>

#include <string>

#include "i18n_test_util.h"

namespace {

struct LenCase {
  int charSet;
  std::string text;
  size_t len;
};

TEST(CharLen, ByRuleOfEachSet) {
  const LenCase cases[] = {
      {0, "\xA4\xA2", 1},
      {4, "\xA4\xA2", 2},      // kanji
      {4, "\x8E\xB1", 2},      // SS2 katakana
      {4, "\x8E\xE0", 1},      // SS2 with a non-katakana byte
      {4, "\x8F\xB0\xA1", 3},  // SS3 JIS X 0212
      {4, "\x8F\xB0", 1},      // SS3 cut short by the terminator
      {5, "\x95\x5C", 2},      // trail byte 92 is '\'
      {5, "\xE0\x40", 2},
      {5, "\xF0\x40", 1},  // lead outside 129-159/224-239
      {5, "\x81\x3F", 1},  // trail below 64
      {5, "\xB1", 1},      // half-width katakana
      {7, "\xB0\xA1", 2},
      {7, "\x81\x5C", 2},  // GBK: trail 92 belongs to the character
      {8, "\x81\x5C", 1},
      {13, "\xB0\xA1", 2},
      {9, "\xA5\x5C", 2},  // Big5 trail 64-126
      {9, "\xA5\x7F", 1},
      {10, "\x8E\xA2\xA2\xB2", 4},  // EUC-TW plane 2
      {10, "\x8E\xB1\xA2\xB2", 1},  // plane byte above 176
      {10, "\xC4\xE3", 2},
      {11, "\x82\x41", 1},  // explicit 11: lead 130 is outside 1992 ranges
      {11, "\x84\x41", 2},
      {12, "\xD4\x41", 1},  // 212-215 are no lead bytes
      {12, "\xD8\x81", 2},
      {31, "a", 1},
      {31, "\xC3\xA9", 2},          // e acute
      {31, "\xE3\x81\x82", 3},      // hiragana a
      {31, "\xF0\x9F\x98\x80", 4},  // emoji
      {31, "\xC0\x80", 1},          // overlong
      {31, "\xE0\x80\xAF", 1},      // overlong
      {31, "\xED\xA0\x80", 1},      // surrogate
      {31, "\xF4\x90\x80\x80", 1},  // above U+10FFFF
      {31, "\xE3\x81", 1},          // cut short
      {31, "\x81", 1},              // lone continuation byte
  };
  for (const LenCase& c : cases) {
    EXPECT_EQ(tqMbCharLen(c.text.c_str(), c.charSet), c.len)
        << "set " << c.charSet << ": " << Hex(c.text);
  }
  EXPECT_EQ(tqMbCharLen("", 5), 1u);
}

TEST(CharLen, KoreanCurrentSetUsesTheWideRule) {
  const unsigned char text[] = {0x82, 0x41, 0};
  EXPECT_EQ(tqMbRuleCharLen(text, 2, TQMbRule::kKoreanWide), 2u);
  EXPECT_EQ(tqMbRuleCharLen(text, 2, tqMbRuleOf(11)), 1u);
}

TEST(CharLen, NeverReachesPastTheAvailableBytes) {
  const unsigned char text[] = {0x8F, 0xB0, 0xA1};
  EXPECT_EQ(tqMbRuleCharLen(text, 2, TQMbRule::kEucJp), 1u);
  EXPECT_EQ(tqMbRuleCharLen(text, 3, TQMbRule::kEucJp), 3u);
  const unsigned char emoji[] = {0xF0, 0x9F, 0x98, 0x80};
  EXPECT_EQ(tqMbRuleCharLen(emoji, 3, TQMbRule::kUtf8), 1u);
}

struct ValidCase {
  int charSet;
  std::string text;
  bool valid;
  size_t badOffset;
};

TEST(Validate, RejectsInvalidAndTruncatedCharacters) {
  const ValidCase cases[] = {
      {0, "\xFF\x80 any byte", true, 0},
      {4, "ab\xA4\xA2\x8E\xB1\x8F\xB0\xA1", true, 0},
      {4, "ab\xA4", false, 2},            // lead at the end
      {4, "\xA4\xA2\xA4\x41", false, 2},  // trail below 161
      {4, "\x8E\xE0", false, 0},
      {4, "\x8F\xB0\xA1\x8F\xB0", false, 3},
      {4, "\x80", false, 0},
      {5, "a\x95\x5C\xB1\xE0\x40", true, 0},
      {5, "a\x95", false, 1},             // lead at the end
      {5, "\x95\x5C\x81\x7F", false, 2},  // trail 127
      {5, "\x81\x20", false, 0},
      {5, "\xA0", false, 0},
      {5, "\xF0\x40", false, 0},
      {9, "\xA4\xA4\xA5\x5C", true, 0},
      {9, "\xA4", false, 0},
      {10, "\xC4\xE3\x8E\xA2\xA2\xB2", true, 0},
      {10, "\x8E\xA2\xA2", false, 0},
      {31, "a\xC3\xA9\xE3\x81\x82\xF0\x9F\x98\x80", true, 0},
      {31, "ab\xE3\x81", false, 2},
      {31, "\xC3\xA9\xC0\x80", false, 2},
      {31, "\xED\xA0\x80", false, 0},
      {31, "\xFF", false, 0},
      {3, "a\x1B$B0!\x1B(Bb\x1B(I1\x1B(B", true, 0},
      {3, "\x1B$B0", false, 3},     // half a double-byte character
      {3, "a\xB1", false, 1},       // 8-bit byte
      {3, "\x1B(Z", false, 0},      // unknown escape
      {3, "\x1B(I\x60", false, 3},  // not a katakana code
  };
  for (const ValidCase& c : cases) {
    size_t bad = 99;
    EXPECT_EQ(tqMbValidate(c.text.data(), c.text.size(), c.charSet, &bad), c.valid)
        << "set " << c.charSet << ": " << Hex(c.text);
    if (!c.valid) {
      EXPECT_EQ(bad, c.badOffset) << "set " << c.charSet << ": " << Hex(c.text);
    }
  }
}

TEST(Validate, TerminatedFormAndNull) {
  size_t bad = 0;
  EXPECT_TRUE(tqMbValidate(nullptr, 5, &bad));
  EXPECT_FALSE(tqMbValidate("ok\x95", 5, &bad));
  EXPECT_EQ(bad, 2u);
  EXPECT_TRUE(tqMbValidate("ok\x95", 0, nullptr));
}

}  // namespace
