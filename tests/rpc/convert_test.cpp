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
