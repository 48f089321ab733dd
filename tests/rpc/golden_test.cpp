// Exact bytes on the wire of the records whose layout peers rely on.
#include <gtest/gtest.h>

#include <cstring>

#include "rpc/procedure_records.h"
#include "rpc/xdr_entry.h"
#include "rpc/xdr_header.h"
#include "rpc/xdr_records.h"
#include "rpc_test_util.h"

namespace {

TEST(WireGolden, ValuelessTagsTravelAsTagAlone) {
  SessionScope scope;
  for (uint32_t tag : {0u, 30u, 31u, 32u}) {
    TQValueStruct value{};
    value.dataType = tag;
    EXPECT_EQ(encodeWith(xdr_TQValueStruct, &value), words({tag})) << "tag " << tag;
  }
}

TEST(WireGolden, TagsWithoutArmFailToEncode) {
  SessionScope scope;
  for (uint32_t tag : {12u, 29u, 33u, 35u, 36u, 39u, 42u, 1000u}) {
    TQValueStruct value{};
    value.dataType = tag;
    bool ok = true;
    encodeWith(xdr_TQValueStruct, &value, &ok);
    EXPECT_FALSE(ok) << "tag " << tag;
  }
}

TEST(WireGolden, ByteListTakesOneWordPerByte) {
  SessionScope scope;
  unsigned char data[3] = {0x01, 0xFE, 0x7F};
  TQByteList bytes{77, 3, data};
  const Bytes wire = encodeWith(xdr_TQByteList, &bytes);
  EXPECT_EQ(wire.size(), 20u);
  EXPECT_EQ(wire, words({77, 3, 0x01, 0xFE, 0x7F}));

  TQValueStruct value{};
  value.dataType = TQ_DATA_TYPE_BYTES;
  value.u.byteListVal = &bytes;
  EXPECT_EQ(encodeWith(xdr_TQValueStruct, &value), words({9, 1}) + wire);
}

TEST(WireGolden, EntryIdTravelsAsSixteenBytesWithZerosAfterTheText) {
  SessionScope scope;
  TQEntryIdType id;
  std::memset(id, 'X', sizeof id);  // whatever the caller's array held
  std::strcpy(id, "12");
  const Bytes wire = encodeWith(xdr_TQEntryIdType, &id);
  EXPECT_EQ(wire, fixedText("12", 16));
  EXPECT_EQ(wire.size(), 16u);
}

TEST(WireGolden, NotEqualQualifierIsItsWordSequence) {
  SessionScope scope;
  TQRelOpStruct relOp{};
  relOp.operation = TQ_REL_OP_EQUAL;
  relOp.left.tag = TQ_FIELD;
  relOp.left.u.fieldId = 536870913;
  relOp.right.tag = TQ_VALUE;
  relOp.right.u.value.dataType = TQ_DATA_TYPE_INTEGER;
  relOp.right.u.value.u.intVal = 1;
  TQQualifierStruct leaf{};
  leaf.operation = TQ_COND_OP_REL_OP;
  leaf.u.relOp = &relOp;
  TQQualifierStruct root{};
  root.operation = TQ_COND_OP_NOT;
  root.u.negated = &leaf;
  // NOT, present, REL_OP, present, EQUAL, FIELD id, VALUE integer 1.
  EXPECT_EQ(encodeWith(xdr_TQQualifierStruct, &root),
            words({3, 1, 4, 1, 1, 1, 536870913, 2, 2, 1}));
}

TEST(WireGolden, QualifierOperationAboveFourFails) {
  SessionScope scope;
  TQQualifierStruct q{};
  q.operation = 5;
  bool ok = true;
  encodeWith(xdr_TQQualifierStruct, &q, &ok);
  EXPECT_FALSE(ok);
}

TQCallHeader sampleHeader() {
  TQCallHeader h{};
  h.cacheId = -2;
  h.operationTime = 0x01020304;
  std::strcpy(h.user, "Demo");
  std::strcpy(h.password, "pw");
  std::strcpy(h.language, "ja_JP");
  h.sessionWords[0] = 11;
  h.sessionWords[3] = 14;
  h.timeStamp = 15;
  h.furtherWords[0] = 16;
  h.furtherWords[2] = 18;
  h.reserved = 20000;
  h.signedReserved = -7;
  h.flag = 1;
  return h;
}

TEST(WireGolden, CallHeaderOfVersionSixAgainstVersionFive) {
  SessionScope scope;
  TQCallHeader h = sampleHeader();
  const Bytes start = words({0xFFFFFFFEu, 0x01020304}) + fixedText("Demo", 31) +
                      fixedText("pw", 31) + fixedText("ja_JP", 16);
  const Bytes v5 = start + words({20000, 0xFFFFFFF9u, 1});
  const Bytes v6 = start + words({0, 0,          // extension: type, no bytes
                                  11, 0, 0, 14,  // four session words
                                  15,            // time stamp
                                  16, 0, 18,     // three further words
                                  20000, 0xFFFFFFF9u, 1});
  EXPECT_EQ(encodeWith(xdr_TQCallHeader2, &h), v5);
  EXPECT_EQ(encodeWith(xdr_TQCallHeader6, &h), v6);
  EXPECT_EQ(v5.size(), 4u * (2 + 8 + 8 + 4 + 3));
  EXPECT_EQ(v6.size(), v5.size() + 4u * 10);
}

TEST(WireGolden, HeaderDecodesTheSameWithAndWithoutTheInlineBuffer) {
  SessionScope scope;
  TQCallHeader h = sampleHeader();
  const Bytes wire = encodeWith(xdr_TQCallHeader6, &h);
  // A record stream read in small pieces cannot offer an inline buffer for
  // every run, a memory stream can.
  TQCallHeader fromMemory{};
  ASSERT_TRUE(decodeWith(xdr_TQCallHeader6, wire, &fromMemory));
  RecordStream stream(wire);
  TQCallHeader fromRecord{};
  ASSERT_TRUE(xdr_TQCallHeader6(stream.xdrs(), &fromRecord));
  for (const TQCallHeader* d : {&fromMemory, &fromRecord}) {
    EXPECT_EQ(d->cacheId, -2);
    EXPECT_EQ(d->operationTime, 0x01020304);
    EXPECT_STREQ(d->user, "Demo");
    EXPECT_STREQ(d->language, "ja_JP");
    EXPECT_EQ(d->sessionWords[3], 14u);
    EXPECT_EQ(d->furtherWords[2], 18u);
    EXPECT_EQ(d->reserved, 20000u);
    EXPECT_EQ(d->signedReserved, -7);
    EXPECT_EQ(d->flag, 1);
  }
}

TEST(WireGolden, SixteenCharacterLanguageFillsItsField) {
  SessionScope scope;
  TQCallHeader h{};
  std::strcpy(h.language, "abcdefghijklmnop");
  const Bytes wire = encodeWith(xdr_TQCallHeader2, &h);
  TQCallHeader back{};
  ASSERT_TRUE(decodeWith(xdr_TQCallHeader2, wire, &back));
  EXPECT_STREQ(back.language, "abcdefghijklmnop");
}

TEST(WireGolden, StatusItemOfVersionSixAndOlderForm) {
  SessionScope scope;
  char text[] = "Entry does not exist";
  char appended[] = "HD0001";
  TQStatusStruct item{TQ_MSG_ERROR, 302, text, appended};
  const Bytes common = words({2, 302}) + countedText(text);
  EXPECT_EQ(encodeWith(xdr_TQStatusStruct, &item), common + countedText(appended));
  EXPECT_EQ(encodeWith(xdr_TQStatusStructOld, &item), common);

  // A status without appended text (null) goes out as an empty text.
  item.appendedText = nullptr;
  EXPECT_EQ(encodeWith(xdr_TQStatusStruct, &item), common + words({0}));
}

TEST(WireGolden, OldEntryListRowHasOneFixedEntryId) {
  SessionScope scope;
  char description[] = "first row";
  TQEntryListStructOld row{};
  std::strcpy(row.entryId, "000000000000001");
  row.shortDescription = description;
  EXPECT_EQ(encodeWith(xdr_TQEntryListStructOld, &row),
            fixedText("000000000000001", 16) + countedText(description));
}

TEST(WireGolden, GetEntryArgumentsOfVersionsSixAndTwo) {
  SessionScope scope;
  char schema[] = "HelpDesk";
  TQEntryIdType ids[1] = {"000000000000042"};
  uint32_t fields[2] = {1, 8};
  TQGetEntryArgs v6{};
  v6.schema = schema;
  v6.entryId = {1, ids};
  v6.fieldIds = {2, fields};
  v6.valuesWanted = 1;
  TQGetEntryArgsOld v2{};
  v2.schema = schema;
  char single[] = "000000000000042";
  v2.entryId = single;
  v2.fieldIds = {2, fields};
  v2.valuesWanted = 1;

  const Bytes tail = words({2, 1, 8, 1});
  Bytes header6 = encodeWith(xdr_TQCallHeader6, &v6.header);
  Bytes header2 = encodeWith(xdr_TQCallHeader2, &v2.header);
  EXPECT_EQ(encodeWith(xdr_TQGetEntryArgs6, &v6),
            header6 + countedText(schema) + words({1}) + fixedText(ids[0], 16) + tail);
  EXPECT_EQ(encodeWith(xdr_TQGetEntryArgs2, &v2),
            header2 + countedText(schema) + countedText(single) + tail);
}

TEST(WireGolden, MergeTypeOfVersionTwoIsOneByteWord) {
  SessionScope scope;
  char schema[] = "S";
  TQMergeEntryArgsOld args{};
  args.schema = schema;
  args.mergeType = 0xFE;
  const Bytes wire = encodeWith(xdr_TQMergeEntryArgs2, &args);
  const Bytes expectedTail = countedText("S") + words({0, 0xFE});
  ASSERT_GE(wire.size(), expectedTail.size());
  EXPECT_EQ(Bytes(wire.end() - static_cast<long>(expectedTail.size()), wire.end()), expectedTail);
}

TEST(WireGolden, AttachmentOnlyTravelsFromMemory) {
  SessionScope scope;
  char name[] = "a.txt";
  unsigned char data[2] = {'h', 'i'};
  TQAttachStruct attach{};
  attach.name = name;
  attach.originalSize = 2;
  attach.compressedSize = 2;
  attach.loc.locationType = TQ_LOC_BUFFER;
  attach.loc.u.buf = {2, data};
  EXPECT_EQ(encodeWith(xdr_TQAttachStruct, &attach),
            countedText(name) + words({2, 2, 2, 2, 'h', 'i'}));

  // The file-name form never travels: its data has to be loaded first.
  char file[] = "/tmp/a.txt";
  attach.loc.locationType = TQ_LOC_FILENAME;
  attach.loc.u.filename = file;
  bool ok = true;
  encodeWith(xdr_TQAttachStruct, &attach, &ok);
  EXPECT_FALSE(ok);
}

}  // namespace
