// Replies whose counts and lengths lie, whose tags are bad, or whose nesting
// is too deep fail cleanly: no large allocation, nothing left behind (the
// sanitizer build checks for leaks), the record zeroed.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "rpc/procedure_records.h"
#include "rpc/xdr_entry.h"
#include "rpc/xdr_header.h"
#include "rpc/xdr_records.h"
#include "rpc_test_util.h"

namespace {

// A decode that must fail allocates at most this much in one request.
constexpr size_t kSmallAllocation = 2 * tqx::kDecodeChunkBytes;

bool_t getEntryResult6(XDR* x, TQGetEntryResult* r) {
  return tqx::decodeOrFree<TQGetEntryResult, xdr_TQGetEntryResult6>(x, r);
}

bool_t qualifierOrFree(XDR* x, TQQualifierStruct* q) {
  return tqx::decodeOrFree<TQQualifierStruct, xdr_TQQualifierStruct>(x, q);
}

Bytes emptyHeader6() {
  TQCallHeader h{};
  return encodeWith(xdr_TQCallHeader6, &h);
}

struct LyingCase {
  const char* what;
  Bytes afterHeader;  // field value list, then status list
};

std::vector<LyingCase> lyingCases() {
  const Bytes goodText = words({TQ_DATA_TYPE_CHAR}) + countedText("kept until the failure");
  return {
      {"count of 4294967295 items, none sent", words({0xFFFFFFFFu})},
      {"count of 1000000 items, one sent", words({1000000, 1, TQ_DATA_TYPE_INTEGER, 5})},
      {"text length past the end", words({1, 1, TQ_DATA_TYPE_CHAR, 0x7FFFFFFF, 0x41414141})},
      {"text length 4294967295", words({1, 1, TQ_DATA_TYPE_CHAR, 0xFFFFFFFFu})},
      {"byte list count past the end", words({1, 1, TQ_DATA_TYPE_BYTES, 1, 0, 0x40000000, 1, 2})},
      {"coordinate count past the end", words({1, 1, TQ_DATA_TYPE_COORDS, 1, 0x10000000, 1})},
      {"tag 35 after a good text", words({2, 1}) + goodText + words({2, TQ_DATA_TYPE_NOWIRE_35})},
      {"tag 12 after a good text", words({2, 1}) + goodText + words({2, 12})},
      {"attachment cut inside its buffer", words({1, 1, TQ_DATA_TYPE_ATTACH, 1}) +
                                               countedText("a.bin") +
                                               words({10, 10, TQ_LOC_BUFFER, 10, 1, 2, 3})},
      {"status text longer than its bound",
       words({0, 1, 2, 302}) + countedText(std::string(300, 'x'))},
      {"presence flag with nothing behind it", words({1, 1, TQ_DATA_TYPE_BYTES, 1})},
      {"list cut in its third item",
       words({3, 1, TQ_DATA_TYPE_INTEGER, 1, 2, TQ_DATA_TYPE_REAL, 0, 0, 3, TQ_DATA_TYPE_TIME})},
  };
}

TEST(WireHostile, LyingRepliesFailWithoutLargeAllocationOrLeak) {
  SessionScope scope;
  for (const LyingCase& c : lyingCases()) {
    SCOPED_TRACE(c.what);
    tqx::resetAllocationStats();
    TQGetEntryResult result;
    EXPECT_FALSE(decodeWith(getEntryResult6, emptyHeader6() + c.afterHeader, &result));
    EXPECT_LE(tqx::largestAllocation(), kSmallAllocation);
    // The failed decode released everything and left the record empty.
    EXPECT_EQ(result.fieldValues.numItems, 0u);
    EXPECT_EQ(result.fieldValues.fieldValueList, nullptr);
    EXPECT_EQ(result.status.statusList, nullptr);
  }
}

TEST(WireHostile, RecordStreamGrowsOnlyWithWhatArrives) {
  SessionScope scope;
  const struct {
    const char* what;
    Bytes wire;
  } cases[] = {
      {"huge count, three items", words({0x10000000, 1, 0, 2, 0, 3, 0})},
      {"huge byte list, few bytes", words({1, 1, TQ_DATA_TYPE_BYTES, 1, 7, 0x20000000, 1, 2, 3})},
      {"huge text, little data", words({1, 1, TQ_DATA_TYPE_CHAR, 0x10000000}) + Bytes(200000, 'a')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    tqx::resetAllocationStats();
    RecordStream stream(c.wire);
    TQFieldValueList list{};
    EXPECT_FALSE(xdr_TQFieldValueList(stream.xdrs(), &list));
    // Growth is bounded by twice what really arrived plus one chunk.
    EXPECT_LE(tqx::largestAllocation(), 2 * c.wire.size() + 2 * tqx::kDecodeChunkBytes);
    EXPECT_EQ(list.fieldValueList, nullptr);
    releaseWith(xdr_TQFieldValueList, &list);
  }
}

TEST(WireHostile, RecordStreamDecodesLongListsAndTextsThatAreReallyThere) {
  SessionScope scope;
  std::vector<unsigned char> data(100000);
  for (size_t i = 0; i < data.size(); ++i)
    data[i] = static_cast<unsigned char>(i * 7);
  TQByteList bytes{3, static_cast<uint32_t>(data.size()), data.data()};
  std::string longText(300001, 'q');
  TQFieldValueStruct items[2] = {};
  items[0].value.dataType = TQ_DATA_TYPE_BYTES;
  items[0].value.u.byteListVal = &bytes;
  items[1].value.dataType = TQ_DATA_TYPE_CHAR;
  items[1].value.u.charVal = longText.data();
  TQFieldValueList list{2, items};

  RecordStream stream(encodeWith(xdr_TQFieldValueList, &list));
  TQFieldValueList back{};
  ASSERT_TRUE(xdr_TQFieldValueList(stream.xdrs(), &back));
  ASSERT_EQ(back.numItems, 2u);
  ASSERT_EQ(back.fieldValueList[0].value.u.byteListVal->numItems, data.size());
  EXPECT_EQ(
      0, std::memcmp(back.fieldValueList[0].value.u.byteListVal->bytes, data.data(), data.size()));
  EXPECT_EQ(std::string(back.fieldValueList[1].value.u.charVal), longText);
  releaseWith(xdr_TQFieldValueList, &back);
}

TEST(WireHostile, BadQualifierTagsAndOperandTagsFail) {
  SessionScope scope;
  const struct {
    const char* what;
    Bytes wire;
  } cases[] = {
      {"operation 5", words({5})},
      {"operation 0xFFFFFFFF", words({0xFFFFFFFFu})},
      {"operand tag 6", words({4, 1, 1, 6})},
      {"operand tag 23", words({4, 1, 1, 1, 7, 23})},
      {"AND whose right node is cut", words({1, 1, 0, 1})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TQQualifierStruct q;
    EXPECT_FALSE(decodeWith(qualifierOrFree, c.wire, &q));
    EXPECT_EQ(q.operation, 0u);
  }
}

// A chain of n NOT nodes around an empty qualification.
Bytes notChain(size_t n) {
  Bytes out;
  const Bytes link = words({3, 1});
  for (size_t i = 0; i < n; ++i)
    out.insert(out.end(), link.begin(), link.end());
  return out + words({0});
}

TEST(WireHostile, NestingBeyondTheLimitFailsWithoutExhaustingTheStack) {
  SessionScope scope;
  TQQualifierStruct q;
  ASSERT_TRUE(decodeWith(xdr_TQQualifierStruct, notChain(tqx::kMaxDecodeDepth), &q));
  releaseWith(xdr_TQQualifierStruct, &q);
  // A hostile peer could nest deep enough to overflow the stack.
  EXPECT_FALSE(decodeWith(qualifierOrFree, notChain(200000), &q));
  EXPECT_EQ(q.operation, 0u);
}

// A caller's tree is as untrusted in depth as a peer's: a chain of a million
// NOTs is refused by the encoder instead of recursing through the stack, and
// one the server would still accept encodes.
TEST(WireHostile, EncodingATreeDeeperThanADecodeAcceptsFails) {
  SessionScope scope;
  for (const auto& [depth, encodes] : {std::pair{size_t{900}, true}, {size_t{1000000}, false}}) {
    std::vector<TQQualifierStruct> chain(depth + 1);
    for (size_t i = 0; i < depth; ++i) {
      chain[i].operation = TQ_COND_OP_NOT;
      chain[i].u.negated = &chain[i + 1];
    }
    chain[depth].operation = TQ_COND_OP_NONE;
    bool ok = false;
    encodeWith(xdr_TQQualifierStruct, chain.data(), &ok);
    EXPECT_EQ(ok, encodes) << depth << " levels";
  }
}

TEST(WireHostile, UnterminatedFixedTextIsCutInsideItsArray) {
  SessionScope scope;
  TQEntryListStructOld row;
  ASSERT_TRUE(decodeWith(xdr_TQEntryListStructOld, Bytes(16, 'Z') + countedText("d"), &row));
  EXPECT_EQ(std::string(row.entryId), std::string(15, 'Z'));
  releaseWith(xdr_TQEntryListStructOld, &row);
}

TEST(WireHostile, AttachmentBytesOfAFileLocationAreNotKept) {
  SessionScope scope;
  TQAttachStruct attach;
  ASSERT_TRUE(decodeWith(xdr_TQAttachStruct,
                         countedText("n") + words({3, 3, TQ_LOC_FILENAME, 3, 1, 2, 3}), &attach));
  EXPECT_EQ(attach.loc.locationType, uint32_t{TQ_LOC_FILENAME});
  EXPECT_EQ(attach.loc.u.filename, nullptr);
  releaseWith(xdr_TQAttachStruct, &attach);
}

}  // namespace
