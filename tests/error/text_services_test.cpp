// Message texts from the catalog of the build tree, catalog texts of the
// other sets, system error texts, version texts and the message-number range.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "share/apisrv/error.h"
#include "status_fixture.h"

namespace {

TEST(MessageText, ComesFromTheCatalogOrTheMissingMessageTemplate) {
  char buffer[kTQMessageBufferSize];
  EXPECT_STREQ(TQMessageText(154, buffer), "Out of memory");
  EXPECT_STREQ(TQMessageText(1580, buffer), "Closing quote missing");
  EXPECT_STREQ(TQMessageText(9999, buffer), "Message not in catalog; Message number = 9999");
  EXPECT_STREQ(TQMessageText(-7, buffer), "Message not in catalog; Message number = -7");
  EXPECT_EQ(TQMessageText(154, nullptr), nullptr);
}

TEST(MessageText, GetTextForErrorMessageReturnsAFullBufferTheCallerFrees) {
  char* text = TQGetTextForErrorMessage(161);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, "The session is not valid: it was never opened or has ended");
  // The block is the full message size, whatever the text's length.
  memset(text, 'x', kTQMessageBufferSize);
  free(text);
}

TEST(CatalogText, ReadsKeywordAndEnvironmentSets) {
  struct Case {
    int32_t set;
    int32_t number;
    const char* text;
  };
  const Case cases[] = {
      {kTQCatalogSetEnvironment, 84, "TQRPC"},
      {kTQCatalogSetEnvironment, 86, "TQRPC_RESPONSE_SIZE"},
      {kTQCatalogSetEnvironment, 101, "TQDATE"},
      {kTQCatalogSetKeywords, 21, "LIKE"},
      {kTQCatalogSetKeywords, 829, "NULL"},
      {kTQCatalogSetKeywords, 1060, "DEFAULT"},
      {kTQCatalogSetKeywords, 1081, "NO"},
      {kTQCatalogSetMessages, 1, "Message not in catalog; Message number = "},
  };
  for (const Case& c : cases) {
    const char* text = TQCatalogText(c.set, c.number);
    ASSERT_NE(text, nullptr) << c.set << "/" << c.number;
    EXPECT_STREQ(text, c.text);
  }
  EXPECT_EQ(TQCatalogText(kTQCatalogSetEnvironment, 89), nullptr);
  EXPECT_EQ(TQCatalogText(77, 1), nullptr);
}

TEST(SystemErrorText, JoinsTheCLibraryTextWithTheName) {
  const std::string noEntry = strerror(ENOENT);
  errno = ENOENT;
  EXPECT_EQ(std::string(TQSystemErrorText("file.txt")), noEntry + " : file.txt");
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(std::string(TQSystemErrorText(nullptr)), noEntry);
  EXPECT_EQ(std::string(TQSystemErrorText("")), noEntry);

  // The joined text must fit in 255 bytes; otherwise the system text alone.
  const size_t room = kTQMaxStatusText - noEntry.size() - 3;
  const std::string fits(room, 'n');
  const std::string tooLong(room + 1, 'n');
  EXPECT_EQ(std::string(TQSystemErrorText(fits.c_str())), noEntry + " : " + fits);
  EXPECT_EQ(std::string(TQSystemErrorText(tooLong.c_str())), noEntry);
}

TEST(SystemErrorText, UnknownErrorNumberGivesTheNameOnly) {
  errno = 99999;
  EXPECT_STREQ(TQSystemErrorText("file.txt"), "file.txt");
  EXPECT_STREQ(TQSystemErrorText(nullptr), "");
}

TEST(VersionText, NormalisesValidVersionsAndKeepsOthers) {
  struct Case {
    const char* input;
    const char* output;  // nullptr: the input comes back unchanged
  };
  const Case cases[] = {
      {"4.00.03", " 4.00.03"},
      {"4.00", " 4.00"},
      {"4.5", " 4.05"},
      {"12.3.4", "12.03.04"},
      {"4.00.03 build 7", " 4.00.03 build 7"},
      {"4.00.03 Patch 2", " 4.00.03 patch 2"},
      {"100.0", nullptr},
      {"4", nullptr},
      {"0.5", nullptr},
      {"4.100", nullptr},
      {"4.00.00", nullptr},
      {"4.00.100", nullptr},
      {" 4.00", nullptr},
      {"", nullptr},
      {"99999999999999999999.1", nullptr},
  };
  for (const Case& c : cases) {
    std::string input = c.input;
    const char* result = TQVersionText(input.data());
    if (c.output == nullptr) {
      EXPECT_EQ(result, input.data()) << c.input;
      EXPECT_EQ(input, c.input);
    } else {
      EXPECT_STREQ(result, c.output) << c.input;
    }
  }
  EXPECT_EQ(TQVersionText(nullptr), nullptr);
}

TEST(VersionText, LowersPatchInTheCallersString) {
  char version[] = "4.00.03 Patch 2";
  TQVersionText(version);
  EXPECT_STREQ(version, "4.00.03 patch 2");
}

TEST(MessageNumberRange, Covers50To89And8031To8200) {
  const std::pair<int32_t, int32_t> cases[] = {{49, 0},   {50, 1},   {89, 1},   {90, 0},  {8030, 0},
                                               {8031, 1}, {8200, 1}, {8201, 0}, {-50, 0}, {0, 0}};
  for (const auto& [number, inRange] : cases) {
    EXPECT_EQ(TQIsRpcMessageNumber(number), inRange) << number;
  }
}

TEST(TextCut, NeverSplitsAMultibyteCharacter) {
  struct Case {
    const char* text;
    size_t maxBytes;
    size_t length;
  };
  const Case cases[] = {
      {"abc", 3, 3},
      {"abcd", 3, 3},
      {"a\xC3\xA4", 2, 1},             // two-byte character at the cut
      {"a\xC3\xA4", 3, 3},             // ends exactly behind it
      {"ab\xE2\x82\xAC", 4, 2},        // three-byte character
      {"a\xF0\x9F\x98\x80z", 4, 1},    // four-byte character
      {"\x80\x80\x80\x80\x80", 2, 2},  // stray continuation bytes: plain cut
  };
  for (const Case& c : cases) {
    EXPECT_EQ(tqTextCutLength(c.text, c.maxBytes), c.length) << c.text;
  }
  char out[4];
  EXPECT_EQ(tqCopyTextCut(out, "ab\xE2\x82\xAC", 3), 2u);
  EXPECT_STREQ(out, "ab");
}

}  // namespace
