// Texts on the wire between a Shift_JIS client (5) and an EUC-JP server (4):
// converted both ways, passed unchanged with equal sets and, for counted
// texts, while the session's no-conversion byte is set.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "rpc/procedure_records.h"
#include "rpc/xdr_records.h"
#include "rpc_test_util.h"
#include "share/i18n/tqxdr.h"

namespace {

constexpr int kSjis = 5;
constexpr int kEucJp = 4;

// "日本" and a half-width katakana A, in both sets.
const std::string kSjisText = "\x93\xFA\x96\x7B-\xB1";
const std::string kEucText = "\xC6\xFC\xCB\xDC-\x8E\xB1";

bool_t unbounded(XDR* x, char** text) {
  return tqxdrText(x, text, tqx::kUnbounded);
}

struct Counted {
  char* text;
  uint32_t length;
};

bool_t counted(XDR* x, Counted* c) {
  return tqxdrCountedText(x, &c->text, &c->length, 1000);
}

TEST(WireConvert, TextIsConvertedOnTheWayOutAndBack) {
  SessionScope scope(kSjis, kEucJp);
  std::string source = kSjisText;
  char* text = source.data();
  const Bytes wire = encodeWith(unbounded, &text);
  EXPECT_EQ(wire, countedText(kEucText));

  char* back = nullptr;
  ASSERT_TRUE(decodeWith(unbounded, wire, &back));
  EXPECT_EQ(std::string(back), kSjisText);
  releaseWith(unbounded, &back);
  EXPECT_EQ(back, nullptr);
}

TEST(WireConvert, ValuesAndStatusTextsConvertToo) {
  SessionScope scope(kSjis, kEucJp);
  std::string source = kSjisText;
  TQValueStruct value{};
  value.dataType = TQ_DATA_TYPE_CHAR;
  value.u.charVal = source.data();
  EXPECT_EQ(encodeWith(xdr_TQValueStruct, &value), words({4}) + countedText(kEucText));

  TQStatusList status{};
  ASSERT_TRUE(decodeWith(xdr_TQStatusList,
                         words({1, 2, 302}) + countedText(kEucText) + countedText(kEucText),
                         &status));
  EXPECT_EQ(std::string(status.statusList[0].messageText), kSjisText);
  EXPECT_EQ(std::string(status.statusList[0].appendedText), kSjisText);
  releaseWith(xdr_TQStatusList, &status);
}

TEST(WireConvert, FixedTextConvertsAndStaysTerminated) {
  SessionScope scope(kSjis, kEucJp);
  TQNameType name = {};
  std::memcpy(name, kSjisText.data(), kSjisText.size());
  const Bytes wire = encodeWith(xdr_TQNameType, &name);
  EXPECT_EQ(wire, fixedText(kEucText, 31));
  TQNameType back;
  ASSERT_TRUE(decodeWith(xdr_TQNameType, wire, &back));
  EXPECT_EQ(std::string(back), kSjisText);
}

TEST(WireConvert, FixedTextThatGrowsIsCutOnACharacterBoundary) {
  SessionScope scope(kSjis, kEucJp);
  // 15 half-width katakana: 15 bytes here, 30 in EUC-JP; an entry id field
  // holds 15 bytes of text and a terminator.
  TQEntryIdType id;
  std::memset(id, 0xB1, 15);
  id[15] = 0;
  const Bytes wire = encodeWith(xdr_TQEntryIdType, &id);
  ASSERT_EQ(wire.size(), 16u);
  std::string expected;
  for (int i = 0; i < 7; ++i)
    expected += "\x8E\xB1";
  EXPECT_EQ(wire, fixedText(expected, 16));
}

TEST(WireConvert, InvalidClientTextFailsTheEncoding) {
  SessionScope scope(kSjis, kEucJp);
  char broken[] = "ok\x93";  // a lead byte without its trail byte
  char* text = broken;
  bool ok = true;
  encodeWith(unbounded, &text, &ok);
  EXPECT_FALSE(ok);
  TQEntryIdType id = "ok\x93";
  encodeWith(xdr_TQEntryIdType, &id, &ok);
  EXPECT_FALSE(ok);
}

TEST(WireConvert, EqualSetsPassTextsUnchanged) {
  SessionScope scope(kSjis, kSjis);
  std::string source = kSjisText;
  char* text = source.data();
  EXPECT_EQ(encodeWith(unbounded, &text), countedText(kSjisText));
}

TEST(WireConvert, CountedTextConvertsAndTakesTheConvertedLength) {
  SessionScope scope(kSjis, kEucJp);
  std::string source = kSjisText;
  Counted out{source.data(), static_cast<uint32_t>(source.size())};
  const Bytes wire = encodeWith(counted, &out);
  EXPECT_EQ(wire, countedText(kEucText));

  Counted back{};
  ASSERT_TRUE(decodeWith(counted, wire, &back));
  EXPECT_EQ(std::string(back.text, back.length), kSjisText);
  EXPECT_EQ(back.length, kSjisText.size());
  releaseWith(counted, &back);
}

TEST(WireConvert, NoConversionBytePassesCountedDataUnchanged) {
  SessionScope scope(kSjis, kEucJp);
  scope.session.noConversion = 1;
  // Binary data with a zero byte inside it and bytes that are no valid text.
  const std::string binary("\x93\x00\xFF\xB1\x8E", 5);
  std::string source = binary;
  Counted out{source.data(), static_cast<uint32_t>(source.size())};
  const Bytes wire = encodeWith(counted, &out);
  EXPECT_EQ(wire, countedText(binary));
  Counted back{};
  ASSERT_TRUE(decodeWith(counted, wire, &back));
  EXPECT_EQ(std::string(back.text, back.length), binary);
  releaseWith(counted, &back);

  // Plain texts (names, messages) are still converted meanwhile.
  std::string name = kSjisText;
  char* text = name.data();
  EXPECT_EQ(encodeWith(unbounded, &text), countedText(kEucText));
}

TEST(WireConvert, NoSessionFailsEncodeAndDecodeButStillReleases) {
  tqSetCurrentSession(nullptr);
  char plain[] = "abc";
  char* text = plain;
  bool ok = true;
  encodeWith(unbounded, &text, &ok);
  EXPECT_FALSE(ok);
  char* back = nullptr;
  EXPECT_FALSE(decodeWith(unbounded, countedText("abc"), &back));

  // What a session decoded can be released after the session has gone.
  {
    SessionScope scope;
    ASSERT_TRUE(decodeWith(unbounded, countedText("abc"), &back));
  }
  releaseWith(unbounded, &back);
  EXPECT_EQ(back, nullptr);
}

}  // namespace

namespace {

// A text that has a character without a form in the server's set is not
// sent at all: sending it with '?' in its place would have the server store
// a different text than the caller gave. Every pair of sets that converts,
// and a text that is not even valid in the client's set.
TEST(WireConvert, TextsThatCannotBeSentAsTheyAreFailTheEncoding) {
  constexpr int kUtf8 = 31, kBig5 = 9, kEucTw = 10, k8859_2 = 14, k8859_5 = 17, k1250 = 23,
                k1251 = 24;
  struct Case {
    int client;
    int server;
    std::string text;
    size_t badByte;
    const char* problem;
  };
  const char* noForm = "that has no form in the server's character set";
  const Case cases[] = {
      {kUtf8, kEucJp, "emoji \xF0\x9F\x98\x80 and \xC3\xA9", 6, noForm},
      {kUtf8, kSjis, "emoji \xF0\x9F\x98\x80", 6, noForm},
      {kEucJp, kSjis, "ab\x8F\xB0\xA1", 2, noForm},  // JIS X 0212 has no Shift_JIS form
      {kBig5, kEucTw, "x\xC8\x7A", 1, noForm},
      {kEucTw, kBig5, "x\x8E\xA3\xA1\xA1", 1, noForm},
      {k8859_2, k1250, "a\x81", 1, noForm},
      {k1250, k8859_2, "a\x80", 1, noForm},
      {k8859_5, k1251, "a\x81", 1, noForm},
      {k1251, k8859_5, "a\x88", 1, noForm},
      {kSjis, kEucJp, "ab\xF0\x40", 2, "that is not valid in the client's character set"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(k.client) + " to " + std::to_string(k.server));
    SessionScope scope(k.client, k.server);
    std::string source = k.text;
    char* text = source.data();
    bool ok = true;
    tqxdrClearProblem();
    encodeWith(unbounded, &text, &ok);
    EXPECT_FALSE(ok);
    ASSERT_NE(tqxdrProblem(), nullptr);
    const std::string problem = tqxdrProblem();
    EXPECT_NE(problem.find(k.problem), std::string::npos) << problem;
    EXPECT_NE(problem.find("byte " + std::to_string(k.badByte) + " "), std::string::npos)
        << problem;

    TQNameType name = {};
    std::memcpy(name, k.text.data(), k.text.size());
    encodeWith(xdr_TQNameType, &name, &ok);
    EXPECT_FALSE(ok);
  }
  // A text that converts leaves no problem behind.
  SessionScope scope(kSjis, kEucJp);
  std::string source = kSjisText;
  char* text = source.data();
  bool ok = false;
  tqxdrClearProblem();
  encodeWith(unbounded, &text, &ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(tqxdrProblem(), nullptr);
}

}  // namespace
