// The encoded length that length limits measure.
#include <gtest/gtest.h>

#include <string>

#include "api/tqb_session.h"
#include "i18n_test_util.h"

namespace {

struct LengthCase {
  std::string text;
  int client;
  int server;
  size_t length;
};

TEST(EncodedLength, LargerOfBytesBeforeAndAfterConversion) {
  const LengthCase cases[] = {
      {std::string(10, '\xB1'), 5, 4, 20},  // 10 half-width katakana grow to 20
      {"ab\x88\x9F", 5, 4, 4},              // kanji keep their size
      {"\x8E\xB1\x8E\xB2", 4, 5, 4},        // shrinking keeps the original length
      {"\xE3\x81\x82\xE3\x81\x84", 31, 4, 6},
      {"\xC3\xA9", 31, 4, 3},  // e acute takes 3 bytes in EUC-JP
      {"\xB1\xB2", 5, 31, 6},
      {std::string(10, '\xB1'), 5, 5, 10},  // equal sets
      {"\xB1\xB2\xB3", 0, 4, 3},            // code page 1252 client: unconverted
      {"\xE3\x81\x82", 31, 0, 3},           // server without a Japanese set
      {"", 5, 4, 0},
  };
  for (const LengthCase& c : cases) {
    EXPECT_EQ(tqMbEncodedLength(c.text.c_str(), c.client, c.server), c.length)
        << c.client << "->" << c.server << " " << Hex(c.text);
  }
  EXPECT_EQ(tqMbEncodedLength(nullptr, 5, 4), 0u);
}

TEST(EncodedLength, WesternClientPassesTextUnconverted) {
  int client = tqMbCharSetFromCodeset("CP1252");
  EXPECT_EQ(client, 0);
  std::string text = "caf\xE9 \xB1";
  EXPECT_EQ(Convert(text, client, 4), text);
  EXPECT_EQ(Convert(text, 4, client), text);
  EXPECT_EQ(tqMbEncodedLength(text.c_str(), client, 4), text.size());
}

// Makes a session the calling thread's current one for a test's duration.
struct CurrentSession {
  TQSessionStruct session;
  CurrentSession(int client, int server) {
    session.clientCodePage = client;
    session.serverCodePage = server;
    tqSetCurrentSession(&session);
  }
  ~CurrentSession() { tqSetCurrentSession(nullptr); }
};

TEST(EncodedLength, UsesTheCurrentSessionsCodePages) {
  const std::string kana(10, '\xB1');
  int client = -1, server = -1;
  EXPECT_FALSE(tqMbSessionCharSets(&client, &server));
  EXPECT_EQ(client, 0);
  EXPECT_EQ(server, 0);
  EXPECT_EQ(tqMbEncodedLength(kana.c_str()), 0u);  // no session
  {
    CurrentSession s(5, 4);
    EXPECT_TRUE(tqMbSessionCharSets(&client, &server));
    EXPECT_EQ(client, 5);
    EXPECT_EQ(server, 4);
    EXPECT_EQ(tqMbEncodedLength(kana.c_str()), 20u);
    EXPECT_EQ(tqMbEncodedLength(nullptr), 0u);
  }
  {
    CurrentSession s(31, 0);
    EXPECT_EQ(tqMbEncodedLength("\xE3\x81\x82"), 3u);
  }
}

}  // namespace
