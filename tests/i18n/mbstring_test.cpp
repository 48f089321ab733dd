// The multibyte-safe string functions with explicit sets.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "i18n_test_util.h"

namespace {

// Shift_JIS "hyo" (0x95 0x5C): its trail byte is '\'.
constexpr const char* kSjisHyo = "\x95\x5C";
// UTF-8 hiragana "a" (E3 81 82) and "i" (E3 81 84).
constexpr const char* kUtf8A = "\xE3\x81\x82";

TEST(MbSearch, ByteInsideDoubleByteCharacterDoesNotMatch) {
  std::string text = std::string("a") + kSjisHyo + "b";
  EXPECT_EQ(tqMbStrChr(text.c_str(), '\\', 5), nullptr);
  EXPECT_EQ(tqMbStrRChr(text.c_str(), '\\', 5), nullptr);
  EXPECT_EQ(tqMbStrStr(text.c_str(), "\\b", 5), nullptr);
  EXPECT_EQ(tqMbStrPBrk(text.c_str(), "\\/", 5), nullptr);
  EXPECT_EQ(tqMbStrCSpn(text.c_str(), "\\", 5), text.size());
  // The single-byte set sees the byte, as strchr does.
  EXPECT_EQ(tqMbStrChr(text.c_str(), '\\', 0), text.c_str() + 2);
}

TEST(MbSearch, FindsSeparatorsBetweenCharacters) {
  std::string text = std::string(kSjisHyo) + "\\x" + kSjisHyo + "\\";
  const char* s = text.c_str();
  EXPECT_EQ(tqMbStrChr(s, '\\', 5), s + 2);
  EXPECT_EQ(tqMbStrRChr(s, '\\', 5), s + 6);
  EXPECT_EQ(tqMbStrStr(s, "\\x", 5), s + 2);
  EXPECT_EQ(tqMbStrStr(s, kSjisHyo, 5), s);
  EXPECT_EQ(tqMbStrStr(s, "", 5), s);
  EXPECT_EQ(tqMbStrPBrk(s, "x\\", 5), s + 2);
  EXPECT_EQ(tqMbStrCSpn(s, "x", 5), 3u);
  EXPECT_EQ(tqMbStrChr(s, '\0', 5), s + text.size());
  EXPECT_EQ(tqMbStrRChr(s, '\0', 5), s + text.size());
}

TEST(MbSearch, Utf8CharactersMatchOnlyWhole) {
  // "a" + hiragana a + hiragana i; 0x81 and 0x82 occur only inside characters.
  std::string text = std::string("a") + kUtf8A + "\xE3\x81\x84";
  const char* s = text.c_str();
  EXPECT_EQ(tqMbStrChr(s, 0x81, 31), nullptr);
  EXPECT_EQ(tqMbStrStr(s, "\x82", 31), nullptr);
  EXPECT_EQ(tqMbStrStr(s, "\x81\x84", 31), nullptr);
  EXPECT_EQ(tqMbStrStr(s, "\xE3\x81\x84", 31), s + 4);
  EXPECT_EQ(tqMbStrChr(s, 0x81, 0), s + 2);
  // An invalid byte is a character of its own and can be found.
  const char* invalid = "x\xFFy";
  EXPECT_EQ(tqMbStrChr(invalid, 0xFF, 31), invalid + 1);
}

TEST(MbSearch, EucJpKatakanaAndSupplementaryCharactersAreUnits) {
  // SS2 katakana 8E B1 and an SS3 character 8F B0 A1 followed by 'A'.
  std::string text =
      "\x8E\xB1\x8F\xB0\xA1"
      "A";
  EXPECT_EQ(tqMbStrChr(text.c_str(), 0xB1, 4), nullptr);
  EXPECT_EQ(tqMbStrChr(text.c_str(), 0xA1, 4), nullptr);
  EXPECT_EQ(tqMbStrChr(text.c_str(), 'A', 4), text.c_str() + 5);
}

struct SafeCase {
  int charSet;
  std::string text;
  size_t limit;
  size_t safe;
};

TEST(MbSafeLength, EndsOnACharacterBoundary) {
  const SafeCase cases[] = {
      {5, std::string("abc") + kSjisHyo, 4, 3},
      {5, std::string("abc") + kSjisHyo, 5, 5},
      {5, std::string("abc") + kSjisHyo, 9, 5},  // not beyond the text's end
      {5, "\xB1\xB2\xB3", 2, 2},                 // katakana are single bytes
      {4,
       "\x8F\xB0\xA1"
       "a",
       2, 0},
      {4,
       "\x8F\xB0\xA1"
       "a",
       3, 3},
      {31, std::string("a") + kUtf8A, 3, 1},
      {31, std::string("a") + kUtf8A, 4, 4},
      {31, "\xF0\x9F\x98\x80", 3, 0},
      {10, "\x8E\xA2\xA2\xB2", 3, 0},
      {0, "abcdef", 4, 4},
      {0, "ab", 4, 2},
  };
  for (const SafeCase& c : cases) {
    EXPECT_EQ(tqMbSafeLength(c.text.c_str(), c.limit, c.charSet), c.safe)
        << "set " << c.charSet << " limit " << c.limit << ": " << Hex(c.text);
  }
}

TEST(MbSafeCopy, CutsBeforeADoubleByteCharacterAndZeroFills) {
  std::string text = std::string("abc") + kSjisHyo;  // 5 bytes, character at 3-4
  char dest[6];
  std::memset(dest, 'X', sizeof dest);
  EXPECT_EQ(tqMbSafeCopyCount(dest, text.c_str(), 4, 5), 3u);
  EXPECT_EQ(std::string(dest, 4), std::string("abc\0", 4));
  EXPECT_EQ(dest[4], 'X');  // nothing beyond the limit
  EXPECT_EQ(tqMbSafeCopy(dest, text.c_str(), 4, 5), dest);
}

TEST(MbSafeCopy, BehavesLikeStrncpyOtherwise) {
  char dest[8];
  std::memset(dest, 'X', sizeof dest);
  EXPECT_EQ(tqMbSafeCopyCount(dest, "ab", 6, 5), 2u);
  EXPECT_EQ(std::string(dest, 7), std::string("ab\0\0\0\0X", 7));
  // A text that exactly fills the limit is copied whole, unterminated.
  std::memset(dest, 'X', sizeof dest);
  EXPECT_EQ(tqMbSafeCopyCount(dest, kSjisHyo, 2, 5), 2u);
  EXPECT_EQ(std::string(dest, 3), std::string(kSjisHyo) + "X");
  // A UTF-8 character never loses its tail.
  std::memset(dest, 'X', sizeof dest);
  EXPECT_EQ(tqMbSafeCopyCount(dest, "\xC3\xA9\xE3\x81\x82", 4, 31), 2u);
  EXPECT_EQ(std::string(dest, 4), std::string("\xC3\xA9\0\0", 4));
}

TEST(MbNextChar, StepsOverWholeCharactersAndEndsWithZero) {
  std::string text = std::string("a") + kSjisHyo +
                     "\xB1"
                     "b";
  const char* s = text.c_str();
  EXPECT_EQ(tqMbNextChar(s, 0, 5), 1u);
  EXPECT_EQ(tqMbNextChar(s, 1, 5), 3u);
  EXPECT_EQ(tqMbNextChar(s, 3, 5), 4u);
  EXPECT_EQ(tqMbNextChar(s, 4, 5), 0u);  // last character
  EXPECT_EQ(tqMbNextChar(s, 5, 5), 0u);  // at the terminator
}

struct CmpCase {
  int charSet;
  std::string a;
  std::string b;
  size_t n;
  int sign;
};

int Sign(int v) {
  return (v > 0) - (v < 0);
}

TEST(MbStrNICmp, FoldsSingleBytesOnly) {
  const CmpCase cases[] = {
      {5, "Hello", "hELLO", 5, 0},
      {5, "abc", "abd", 2, 0},
      {5, "abc", "abd", 3, -1},
      {5, "ab", "abc", 3, -1},  // first text ends early: no prefix match
      {5, "abc", "ab", 3, 1},
      {5, "abc", "ab", 2, 0},
      {5, "", "", 4, 0},
      // Shift_JIS "\x82\x60" (full-width A) and "\x82\x81" (full-width a)
      // are different characters; their trail bytes must not be case-folded.
      {5, "\x82\x60", "\x82\x81", 2, -1},
      {5, "X\x95\x5C", "x\x95\x5C", 3, 0},
      // Trail bytes 'A' and 'a' inside characters stay apart; only a
      // single-byte set folds them.
      {5, "\x81\x41", "\x81\x61", 2, -1},
      {0, "\x81\x41", "\x81\x61", 2, 0},
      {31, "\xC3\xA9X", "\xC3\xA9x", 3, 0},
  };
  for (const CmpCase& c : cases) {
    EXPECT_EQ(Sign(tqMbStrNICmp(c.a.c_str(), c.b.c_str(), c.n, c.charSet)), c.sign)
        << "set " << c.charSet << ": " << Hex(c.a) << "vs " << Hex(c.b) << "n " << c.n;
  }
}

}  // namespace
