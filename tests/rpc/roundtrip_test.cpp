// Encode, decode, compare field by field, release: every record with
// non-trivial content, and the procedure records of every version form.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "rpc/procedure_records.h"
#include "rpc/xdr_entry.h"
#include "rpc/xdr_header.h"
#include "rpc/xdr_records.h"
#include "rpc/xdr_session.h"
#include "rpc_test_util.h"

namespace {

// ------------------------------------------------------------ comparisons

void expectSameText(const char* a, const char* b) {
  // A null text travels as the empty text.
  EXPECT_STREQ(a != nullptr ? a : "", b != nullptr ? b : "");
}

void expectSameValue(const TQValueStruct& a, const TQValueStruct& b) {
  ASSERT_EQ(a.dataType, b.dataType);
  switch (a.dataType) {
    case TQ_DATA_TYPE_KEYWORD:
    case TQ_DATA_TYPE_ENUM:
    case TQ_DATA_TYPE_BITMASK:
    case TQ_DATA_TYPE_ULONG:
      EXPECT_EQ(a.u.ulongVal, b.u.ulongVal);
      break;
    case TQ_DATA_TYPE_INTEGER:
    case TQ_DATA_TYPE_TIME:
      EXPECT_EQ(a.u.intVal, b.u.intVal);
      break;
    case TQ_DATA_TYPE_REAL:
      EXPECT_EQ(a.u.realVal, b.u.realVal);
      break;
    case TQ_DATA_TYPE_CHAR:
    case TQ_DATA_TYPE_DIARY:
    case TQ_DATA_TYPE_DECIMAL:
      expectSameText(a.u.charVal, b.u.charVal);
      break;
    case TQ_DATA_TYPE_BYTES:
      ASSERT_EQ(a.u.byteListVal == nullptr, b.u.byteListVal == nullptr);
      if (a.u.byteListVal != nullptr) {
        EXPECT_EQ(a.u.byteListVal->type, b.u.byteListVal->type);
        ASSERT_EQ(a.u.byteListVal->numItems, b.u.byteListVal->numItems);
        EXPECT_EQ(0, std::memcmp(a.u.byteListVal->bytes, b.u.byteListVal->bytes,
                                 a.u.byteListVal->numItems));
      }
      break;
    case TQ_DATA_TYPE_ATTACH: {
      ASSERT_NE(b.u.attachVal, nullptr);
      const TQAttachStruct& x = *a.u.attachVal;
      const TQAttachStruct& y = *b.u.attachVal;
      expectSameText(x.name, y.name);
      EXPECT_EQ(x.originalSize, y.originalSize);
      EXPECT_EQ(x.compressedSize, y.compressedSize);
      ASSERT_EQ(x.loc.locationType, y.loc.locationType);
      ASSERT_EQ(x.loc.u.buf.bufferSize, y.loc.u.buf.bufferSize);
      EXPECT_EQ(0, std::memcmp(x.loc.u.buf.buffer, y.loc.u.buf.buffer, x.loc.u.buf.bufferSize));
      break;
    }
    case TQ_DATA_TYPE_COORDS:
      ASSERT_NE(b.u.coordListVal, nullptr);
      ASSERT_EQ(a.u.coordListVal->numItems, b.u.coordListVal->numItems);
      for (uint32_t i = 0; i < a.u.coordListVal->numItems; ++i) {
        EXPECT_EQ(a.u.coordListVal->coords[i].x, b.u.coordListVal->coords[i].x);
        EXPECT_EQ(a.u.coordListVal->coords[i].y, b.u.coordListVal->coords[i].y);
      }
      break;
    default:
      break;
  }
}

void expectSameValues(const TQValueList& a, const TQValueList& b) {
  ASSERT_EQ(a.numItems, b.numItems);
  for (uint32_t i = 0; i < a.numItems; ++i)
    expectSameValue(a.valueList[i], b.valueList[i]);
}

void expectSameFieldValues(const TQFieldValueList& a, const TQFieldValueList& b) {
  ASSERT_EQ(a.numItems, b.numItems);
  for (uint32_t i = 0; i < a.numItems; ++i) {
    EXPECT_EQ(a.fieldValueList[i].fieldId, b.fieldValueList[i].fieldId);
    expectSameValue(a.fieldValueList[i].value, b.fieldValueList[i].value);
  }
}

void expectSameEntryIds(const TQEntryIdList& a, const TQEntryIdList& b) {
  ASSERT_EQ(a.numItems, b.numItems);
  for (uint32_t i = 0; i < a.numItems; ++i)
    EXPECT_STREQ(a.entryIdList[i], b.entryIdList[i]);
}

void expectSameQualifier(const TQQualifierStruct* a, const TQQualifierStruct* b);

void expectSameOperand(const TQFieldValueOrArithStruct& a, const TQFieldValueOrArithStruct& b) {
  ASSERT_EQ(a.tag, b.tag);
  switch (a.tag) {
    case TQ_FIELD:
    case TQ_FIELD_TRAN:
    case TQ_FIELD_DB:
    case TQ_FIELD_CURRENT:
    case TQ_LOCAL_VARIABLE:
      EXPECT_EQ(a.u.fieldId, b.u.fieldId);
      break;
    case TQ_VALUE:
      expectSameValue(a.u.value, b.u.value);
      break;
    case TQ_ARITHMETIC:
      ASSERT_NE(b.u.arithOp, nullptr);
      EXPECT_EQ(a.u.arithOp->operation, b.u.arithOp->operation);
      expectSameOperand(a.u.arithOp->left, b.u.arithOp->left);
      expectSameOperand(a.u.arithOp->right, b.u.arithOp->right);
      break;
    case TQ_STAT_HISTORY:
      EXPECT_EQ(a.u.statHistory.enumIndex, b.u.statHistory.enumIndex);
      EXPECT_EQ(a.u.statHistory.userOrTime, b.u.statHistory.userOrTime);
      break;
    case TQ_VALUE_SET:
      expectSameValues(a.u.valueSet, b.u.valueSet);
      break;
    case TQ_QUERY:
      ASSERT_NE(b.u.queryValue, nullptr);
      EXPECT_STREQ(a.u.queryValue->schema, b.u.queryValue->schema);
      EXPECT_STREQ(a.u.queryValue->server, b.u.queryValue->server);
      expectSameQualifier(a.u.queryValue->qualifier, b.u.queryValue->qualifier);
      EXPECT_EQ(a.u.queryValue->valueFieldId, b.u.queryValue->valueFieldId);
      EXPECT_EQ(a.u.queryValue->multiValueCode, b.u.queryValue->multiValueCode);
      break;
    default:
      break;
  }
}

void expectSameQualifier(const TQQualifierStruct* a, const TQQualifierStruct* b) {
  ASSERT_EQ(a == nullptr, b == nullptr);
  if (a == nullptr) return;
  ASSERT_EQ(a->operation, b->operation);
  switch (a->operation) {
    case TQ_COND_OP_AND:
    case TQ_COND_OP_OR:
      expectSameQualifier(a->u.andor.left, b->u.andor.left);
      expectSameQualifier(a->u.andor.right, b->u.andor.right);
      break;
    case TQ_COND_OP_NOT:
      expectSameQualifier(a->u.negated, b->u.negated);
      break;
    case TQ_COND_OP_REL_OP:
      ASSERT_NE(b->u.relOp, nullptr);
      EXPECT_EQ(a->u.relOp->operation, b->u.relOp->operation);
      expectSameOperand(a->u.relOp->left, b->u.relOp->left);
      expectSameOperand(a->u.relOp->right, b->u.relOp->right);
      break;
    default:
      break;
  }
}

void expectSameStatus(const TQStatusList& a, const TQStatusList& b, bool appended) {
  ASSERT_EQ(a.numItems, b.numItems);
  for (uint32_t i = 0; i < a.numItems; ++i) {
    EXPECT_EQ(a.statusList[i].messageType, b.statusList[i].messageType);
    EXPECT_EQ(a.statusList[i].messageNumber, b.statusList[i].messageNumber);
    expectSameText(a.statusList[i].messageText, b.statusList[i].messageText);
    if (appended) {
      expectSameText(a.statusList[i].appendedText, b.statusList[i].appendedText);
    } else {
      EXPECT_EQ(b.statusList[i].appendedText, nullptr);
    }
  }
}

// Encodes, decodes, compares, releases.
template <class T, class Compare>
void roundTrip(bool_t (*routine)(XDR*, T*), T* original, Compare compare) {
  const Bytes wire = encodeWith(routine, original);
  T decoded;
  ASSERT_TRUE(decodeWith(routine, wire, &decoded));
  compare(*original, decoded);
  // Encoding what was decoded gives the same bytes.
  EXPECT_EQ(encodeWith(routine, &decoded), wire);
  releaseWith(routine, &decoded);
}

// ------------------------------------------------------------ sample data

struct Samples {
  char text[16] = "plain text";
  char diary[32] = "\x31\x32\x04user\x04text\x03";
  char decimal[16] = "-12.50";
  char attachName[16] = "report.pdf";
  unsigned char bytes[5] = {0, 1, 127, 128, 255};
  unsigned char attachData[4] = {'P', 'K', 3, 4};
  TQByteList byteList{42, 5, bytes};
  TQAttachStruct attach{attachName, 4, 4, {TQ_LOC_BUFFER, {}}};
  TQCoordStruct coords[2] = {{-5, 7}, {100000, -100000}};
  TQCoordList coordList{2, coords};
  TQFieldValueStruct items[17];
  TQFieldValueList fieldValues{17, items};

  Samples() {
    attach.loc.u.buf = {4, attachData};
    uint32_t id = 1;
    auto add = [&](uint32_t type) -> TQValueStruct& {
      items[id - 1].fieldId = id * 10;
      items[id - 1].value.dataType = type;
      return items[id++ - 1].value;
    };
    add(TQ_DATA_TYPE_NULL);
    add(TQ_DATA_TYPE_KEYWORD).u.keyNum = 7;
    add(TQ_DATA_TYPE_INTEGER).u.intVal = -123456;
    add(TQ_DATA_TYPE_REAL).u.realVal = -2.5e-300;
    add(TQ_DATA_TYPE_CHAR).u.charVal = text;
    add(TQ_DATA_TYPE_DIARY).u.diaryVal = diary;
    add(TQ_DATA_TYPE_ENUM).u.enumVal = 3;
    add(TQ_DATA_TYPE_TIME).u.timeVal = -1;
    add(TQ_DATA_TYPE_BITMASK).u.maskVal = 0xF0F0F0F0;
    add(TQ_DATA_TYPE_BYTES).u.byteListVal = &byteList;
    add(TQ_DATA_TYPE_DECIMAL).u.decimalVal = decimal;
    add(TQ_DATA_TYPE_ATTACH).u.attachVal = &attach;
    add(TQ_DATA_TYPE_DISPLAY_30);
    add(TQ_DATA_TYPE_DISPLAY_31);
    add(TQ_DATA_TYPE_DISPLAY_32);
    add(TQ_DATA_TYPE_ULONG).u.ulongVal = 0xFFFFFFFF;
    add(TQ_DATA_TYPE_COORDS).u.coordListVal = &coordList;
  }
};

// (status = 1 OR NOT 'Submitter' LIKE "a%") AND (field 7 IN {1, 2}) AND
// ($3$ = -(field 8 + stat-history) AND 'value' = $query$ ...), with every
// operand form.
struct Tree {
  TQValueStruct setValues[2];
  TQRelOpStruct eq, like, in, arith, query, misc;
  TQArithOpStruct negate, plus;
  TQQueryValueStruct queryValue{};
  TQQualifierStruct innerOfQuery{}, eqNode{}, likeNode{}, notNode{}, orNode{}, inNode{},
      arithNode{}, queryNode{}, miscNode{}, and1{}, and2{}, and3{}, and4{}, root{};
  char pattern[8] = "a%";

  Tree() {
    setValues[0].dataType = TQ_DATA_TYPE_INTEGER;
    setValues[0].u.intVal = 1;
    setValues[1].dataType = TQ_DATA_TYPE_INTEGER;
    setValues[1].u.intVal = 2;
    eq = rel(TQ_REL_OP_EQUAL, field(TQ_FIELD, 7), integer(1));
    like = rel(TQ_REL_OP_LIKE, field(TQ_FIELD_DB, 2), text(pattern));
    in = rel(TQ_REL_OP_IN, field(TQ_FIELD_TRAN, 7), valueSet());
    plus = {TQ_ARITH_OP_ADD, field(TQ_FIELD, 8), statHistory()};
    negate = {TQ_ARITH_OP_NEGATE, field(TQ_FIELD, 0), arithmetic(&plus)};
    arith = rel(TQ_REL_OP_GREATER, field(TQ_LOCAL_VARIABLE, 3), arithmetic(&negate));
    std::strcpy(queryValue.schema, "Users");
    std::strcpy(queryValue.server, "remote.example");
    innerOfQuery = node(&eq);
    queryValue.qualifier = &innerOfQuery;
    queryValue.valueFieldId = 101;
    queryValue.multiValueCode = TQ_QUERY_VALUE_MULTI_SET;
    TQFieldValueOrArithStruct q{};
    q.tag = TQ_QUERY;
    q.u.queryValue = &queryValue;
    query = rel(TQ_REL_OP_NOT_EQUAL, field(TQ_FIELD_CURRENT, 99), q);
    TQFieldValueOrArithStruct bare{};
    bare.tag = 15;  // a tag without payload
    misc = rel(TQ_REL_OP_LESS, bare, field(0, 0));

    eqNode = node(&eq);
    likeNode = node(&like);
    notNode.operation = TQ_COND_OP_NOT;
    notNode.u.negated = &likeNode;
    orNode = both(TQ_COND_OP_OR, &eqNode, &notNode);
    inNode = node(&in);
    arithNode = node(&arith);
    queryNode = node(&query);
    miscNode = node(&misc);
    and1 = both(TQ_COND_OP_AND, &orNode, &inNode);
    and2 = both(TQ_COND_OP_AND, &arithNode, &queryNode);
    and3 = both(TQ_COND_OP_AND, &and1, &and2);
    and4 = both(TQ_COND_OP_AND, &and3, &miscNode);
    root = and4;
  }

  static TQFieldValueOrArithStruct field(uint32_t tag, uint32_t id) {
    TQFieldValueOrArithStruct o{};
    o.tag = tag;
    o.u.fieldId = id;
    return o;
  }
  static TQFieldValueOrArithStruct integer(int32_t v) {
    TQFieldValueOrArithStruct o{};
    o.tag = TQ_VALUE;
    o.u.value.dataType = TQ_DATA_TYPE_INTEGER;
    o.u.value.u.intVal = v;
    return o;
  }
  static TQFieldValueOrArithStruct text(char* t) {
    TQFieldValueOrArithStruct o{};
    o.tag = TQ_VALUE;
    o.u.value.dataType = TQ_DATA_TYPE_CHAR;
    o.u.value.u.charVal = t;
    return o;
  }
  TQFieldValueOrArithStruct valueSet() {
    TQFieldValueOrArithStruct o{};
    o.tag = TQ_VALUE_SET;
    o.u.valueSet = {2, setValues};
    return o;
  }
  static TQFieldValueOrArithStruct statHistory() {
    TQFieldValueOrArithStruct o{};
    o.tag = TQ_STAT_HISTORY;
    o.u.statHistory = {2, TQ_STAT_HISTORY_TIME};
    return o;
  }
  static TQFieldValueOrArithStruct arithmetic(TQArithOpStruct* op) {
    TQFieldValueOrArithStruct o{};
    o.tag = TQ_ARITHMETIC;
    o.u.arithOp = op;
    return o;
  }
  static TQRelOpStruct rel(uint32_t op, TQFieldValueOrArithStruct l, TQFieldValueOrArithStruct r) {
    return {op, l, r};
  }
  static TQQualifierStruct node(TQRelOpStruct* r) {
    TQQualifierStruct n{};
    n.operation = TQ_COND_OP_REL_OP;
    n.u.relOp = r;
    return n;
  }
  static TQQualifierStruct both(uint32_t op, TQQualifierStruct* l, TQQualifierStruct* r) {
    TQQualifierStruct n{};
    n.operation = op;
    n.u.andor.left = l;
    n.u.andor.right = r;
    return n;
  }
};

// ------------------------------------------------------------------ tests

TEST(WireRoundTrip, FieldValueListWithEveryValueType) {
  SessionScope scope;
  Samples s;
  roundTrip(xdr_TQFieldValueList, &s.fieldValues, expectSameFieldValues);
}

TEST(WireRoundTrip, QualificationTreeWithEveryOperandForm) {
  SessionScope scope;
  Tree t;
  roundTrip(
      xdr_TQQualifierStruct, &t.root,
      [](const TQQualifierStruct& a, const TQQualifierStruct& b) { expectSameQualifier(&a, &b); });
}

TEST(WireRoundTrip, ListsOfListsAndEntryLists) {
  SessionScope scope;
  Samples s;
  TQFieldValueList lists[2] = {s.fieldValues, {0, nullptr}};
  TQFieldValueListList fvll{2, lists};
  roundTrip(xdr_TQFieldValueListList, &fvll, [](const auto& a, const auto& b) {
    ASSERT_EQ(a.numItems, b.numItems);
    for (uint32_t i = 0; i < a.numItems; ++i) {
      expectSameFieldValues(a.valueListList[i], b.valueListList[i]);
    }
  });

  TQValueStruct values[3] = {s.items[4].value, s.items[2].value, s.items[16].value};
  TQValueList rows[2] = {{3, values}, {1, values}};
  TQValueListList vll{2, rows};
  roundTrip(xdr_TQValueListList, &vll, [](const auto& a, const auto& b) {
    ASSERT_EQ(a.numItems, b.numItems);
    for (uint32_t i = 0; i < a.numItems; ++i)
      expectSameValues(a.valueListList[i], b.valueListList[i]);
  });

  TQEntryIdType join[2] = {"000000000000001", "abc"};
  TQEntryIdType one[1] = {"000000000000099"};
  TQEntryIdList idLists[2] = {{2, join}, {1, one}};
  TQEntryIdListList idll{2, idLists};
  roundTrip(xdr_TQEntryIdListList, &idll, [](const auto& a, const auto& b) {
    ASSERT_EQ(a.numItems, b.numItems);
    for (uint32_t i = 0; i < a.numItems; ++i) {
      expectSameEntryIds(a.entryIdListList[i], b.entryIdListList[i]);
    }
  });

  char d1[] = "first", d2[] = "second | with more";
  TQEntryListStruct entries[2] = {{{2, join}, d1}, {{1, one}, d2}};
  TQEntryListList ell{2, entries};
  roundTrip(xdr_TQEntryListList, &ell, [](const auto& a, const auto& b) {
    ASSERT_EQ(a.numItems, b.numItems);
    for (uint32_t i = 0; i < a.numItems; ++i) {
      expectSameEntryIds(a.entryList[i].entryId, b.entryList[i].entryId);
      expectSameText(a.entryList[i].shortDescription, b.entryList[i].shortDescription);
    }
  });

  TQEntryListFieldValueStruct withFields[2] = {{{1, one}, &s.fieldValues}, {{2, join}, nullptr}};
  TQEntryListFieldValueList elfv{2, withFields};
  roundTrip(xdr_TQEntryListFieldValueList, &elfv, [](const auto& a, const auto& b) {
    ASSERT_EQ(a.numItems, b.numItems);
    for (uint32_t i = 0; i < a.numItems; ++i) {
      expectSameEntryIds(a.entryList[i].entryId, b.entryList[i].entryId);
      ASSERT_EQ(a.entryList[i].fieldValues == nullptr, b.entryList[i].fieldValues == nullptr);
      if (a.entryList[i].fieldValues != nullptr) {
        expectSameFieldValues(*a.entryList[i].fieldValues, *b.entryList[i].fieldValues);
      }
    }
  });
}

TEST(WireRoundTrip, SmallRecordLists) {
  SessionScope scope;
  TQEntryListFieldStruct columns[2] = {{1, 15, " | "}, {8, 40, ""}};
  TQEntryListFieldList elf{2, columns};
  roundTrip(xdr_TQEntryListFieldList, &elf, [](const auto& a, const auto& b) {
    ASSERT_EQ(a.numItems, b.numItems);
    for (uint32_t i = 0; i < a.numItems; ++i) {
      EXPECT_EQ(a.fieldsList[i].fieldId, b.fieldsList[i].fieldId);
      EXPECT_EQ(a.fieldsList[i].columnWidth, b.fieldsList[i].columnWidth);
      EXPECT_STREQ(a.fieldsList[i].separator, b.fieldsList[i].separator);
    }
  });

  TQSortStruct sorts[2] = {{3, TQ_SORT_DESCENDING}, {1, TQ_SORT_ASCENDING}};
  TQSortList sl{2, sorts};
  roundTrip(xdr_TQSortList, &sl, [](const auto& a, const auto& b) {
    ASSERT_EQ(a.numItems, b.numItems);
    EXPECT_EQ(b.sortList[0].fieldId, 3u);
    EXPECT_EQ(b.sortList[0].order, 2u);
    EXPECT_EQ(b.sortList[1].order, 1u);
  });

  uint32_t ids[3] = {1, 536870913, 0xFFFFFFFF};
  TQInternalIdList il{3, ids};
  roundTrip(xdr_TQInternalIdList, &il, [](const auto& a, const auto& b) {
    ASSERT_EQ(a.numItems, b.numItems);
    EXPECT_EQ(0, std::memcmp(a.internalIdList, b.internalIdList, sizeof ids));
  });

  TQNameType names[2] = {"HelpDesk", "123456789012345678901234567890"};
  TQNameList nl{2, names};
  roundTrip(xdr_TQNameList, &nl, [](const auto& a, const auto& b) {
    ASSERT_EQ(a.numItems, b.numItems);
    EXPECT_STREQ(b.nameList[0], "HelpDesk");
    EXPECT_STREQ(b.nameList[1], a.nameList[1]);
  });

  TQServerNameType servers[1] = {"server.example.com"};
  TQServerNameList snl{1, servers};
  roundTrip(xdr_TQServerNameList, &snl,
            [](const auto&, const auto& b) { EXPECT_STREQ(b.nameList[0], "server.example.com"); });

  TQBoolean flags[3] = {1, 0, 1};
  TQBooleanList bl[2] = {{3, flags}, {0, nullptr}};
  TQBooleanMatrix bm{2, bl};
  roundTrip(xdr_TQBooleanMatrix, &bm, [&flags](const auto& a, const auto& b) {
    ASSERT_EQ(a.numItems, b.numItems);
    ASSERT_EQ(b.booleanList[0].numItems, 3u);
    EXPECT_EQ(0, std::memcmp(b.booleanList[0].booleanList, flags, 3));
    EXPECT_EQ(b.booleanList[1].numItems, 0u);
  });

  Samples s;
  TQValueStruct group[2] = {s.items[4].value, s.items[6].value};
  TQStatisticsResultStruct stats[2] = {{{2, group}, s.items[3].value},
                                       {{0, nullptr}, s.items[2].value}};
  TQStatisticsResultList srl{2, stats};
  roundTrip(xdr_TQStatisticsResultList, &srl, [](const auto& a, const auto& b) {
    ASSERT_EQ(a.numItems, b.numItems);
    for (uint32_t i = 0; i < a.numItems; ++i) {
      expectSameValues(a.resultList[i].groupedBy, b.resultList[i].groupedBy);
      expectSameValue(a.resultList[i].result, b.resultList[i].result);
    }
  });
}

TEST(WireRoundTrip, StatusListsOfBothForms) {
  SessionScope scope;
  char t1[] = "Required field missing", a1[] = "Short Description", t2[] = "note";
  TQStatusStruct items[2] = {{2, 326, t1, a1}, {0, 0, t2, nullptr}};
  TQStatusList list{2, items};
  roundTrip(xdr_TQStatusList, &list,
            [](const auto& a, const auto& b) { expectSameStatus(a, b, true); });
  roundTrip(xdr_TQStatusListOld, &list,
            [](const auto& a, const auto& b) { expectSameStatus(a, b, false); });
}

TEST(WireRoundTrip, EntryProceduresOfEveryVersionForm) {
  SessionScope scope;
  Samples s;
  char schema[] = "HelpDesk";
  TQEntryIdType ids[1] = {"000000000000007"};
  uint32_t fieldIds[2] = {1, 7};
  char statusText[] = "ok";
  TQStatusStruct statusItem{1, 52, statusText, nullptr};

  TQGetEntryArgs get{};
  get.header.cacheId = 9;
  std::strcpy(get.header.user, "Demo");
  get.schema = schema;
  get.entryId = {1, ids};
  get.fieldIds = {2, fieldIds};
  get.valuesWanted = 1;
  auto sameGet = [](const TQGetEntryArgs& a, const TQGetEntryArgs& b) {
    EXPECT_EQ(b.header.cacheId, 9);
    EXPECT_STREQ(b.header.user, "Demo");
    EXPECT_STREQ(a.schema, b.schema);
    expectSameEntryIds(a.entryId, b.entryId);
    ASSERT_EQ(b.fieldIds.numItems, 2u);
    EXPECT_EQ(b.fieldIds.internalIdList[1], 7u);
    EXPECT_EQ(b.valuesWanted, 1u);
  };
  roundTrip(xdr_TQGetEntryArgs6, &get, sameGet);
  roundTrip(xdr_TQGetEntryArgs4, &get, sameGet);

  TQGetEntryResult result{};
  result.fieldValues = s.fieldValues;
  result.status = {1, &statusItem};
  for (auto routine : {xdr_TQGetEntryResult6, xdr_TQGetEntryResult2}) {
    roundTrip(routine, &result, [](const auto& a, const auto& b) {
      expectSameFieldValues(a.fieldValues, b.fieldValues);
      ASSERT_EQ(b.status.numItems, 1u);
      EXPECT_EQ(b.status.statusList[0].messageNumber, 52);
    });
  }

  char single[] = "000000000000007";
  TQSetEntryArgsOld setOld{};
  setOld.schema = schema;
  setOld.entryId = single;
  setOld.fieldValues = s.fieldValues;
  setOld.getTime = 1700000000;
  roundTrip(xdr_TQSetEntryArgs2, &setOld, [](const auto& a, const auto& b) {
    EXPECT_STREQ(b.entryId, "000000000000007");
    expectSameFieldValues(a.fieldValues, b.fieldValues);
    EXPECT_EQ(b.getTime, 1700000000);
  });

  TQSetEntryArgs set{};
  set.schema = schema;
  set.entryId = {1, ids};
  set.fieldValues = s.fieldValues;
  set.getTime = 5;
  set.option = 2;
  roundTrip(xdr_TQSetEntryArgs6, &set, [](const auto& a, const auto& b) {
    expectSameFieldValues(a.fieldValues, b.fieldValues);
    EXPECT_EQ(b.option, 2u);
  });

  TQDeleteEntryArgs del{};
  del.schema = schema;
  del.entryId = {1, ids};
  del.option = 4;
  roundTrip(xdr_TQDeleteEntryArgs4, &del, [](const auto& a, const auto& b) {
    expectSameEntryIds(a.entryId, b.entryId);
    EXPECT_EQ(b.option, 4u);
  });

  TQEntryIdResult created{};
  std::strcpy(created.entryId, "000000000000123");
  created.status = {1, &statusItem};
  roundTrip(xdr_TQEntryIdResult6, &created,
            [](const auto&, const auto& b) { EXPECT_STREQ(b.entryId, "000000000000123"); });

  Tree t;
  TQEntryListFieldStruct columns[1] = {{8, 20, " "}};
  TQSortStruct sorts[1] = {{1, 2}};
  TQGetListEntryArgs list{};
  list.schema = schema;
  list.qualifier = t.root;
  list.fields = {1, columns};
  list.sort = {1, sorts};
  list.maxRetrieve = 500;
  list.countWanted = 1;
  roundTrip(xdr_TQGetListEntryArgs6, &list, [](const auto& a, const auto& b) {
    expectSameQualifier(&a.qualifier, &b.qualifier);
    EXPECT_EQ(b.fields.numItems, 1u);
    EXPECT_EQ(b.maxRetrieve, 500u);
  });

  char description[] = "row";
  TQEntryListStructOld oldRows[1] = {{"000000000000001", description}};
  TQGetListEntryResultOld oldList{};
  oldList.entries = {1, oldRows};
  oldList.numMatches = 77;
  roundTrip(xdr_TQGetListEntryResult2, &oldList, [](const auto&, const auto& b) {
    ASSERT_EQ(b.entries.numItems, 1u);
    EXPECT_STREQ(b.entries.entryList[0].entryId, "000000000000001");
    EXPECT_STREQ(b.entries.entryList[0].shortDescription, "row");
    EXPECT_EQ(b.numMatches, 77u);
  });
}

TEST(WireRoundTrip, SessionAndDirectoryProcedures) {
  SessionScope scope;
  uint32_t codes[2] = {55, 1};
  TQGetServerInfoArgs infoArgs{};
  infoArgs.requests = {2, codes};
  roundTrip(xdr_TQGetServerInfoArgs6, &infoArgs, [](const auto&, const auto& b) {
    ASSERT_EQ(b.requests.numItems, 2u);
    EXPECT_EQ(b.requests.requestList[0], 55u);
  });

  char charset[] = "ja_JP.eucJP";
  TQServerInfoStruct info[1] = {{55, {}}};
  info[0].value.dataType = TQ_DATA_TYPE_CHAR;
  info[0].value.u.charVal = charset;
  TQGetServerInfoResult infoResult{};
  infoResult.info = {1, info};
  roundTrip(xdr_TQGetServerInfoResult2, &infoResult, [](const auto& a, const auto& b) {
    ASSERT_EQ(b.info.numItems, 1u);
    EXPECT_EQ(b.info.serverInfoList[0].operation, 55u);
    expectSameValue(a.info.serverInfoList[0].value, b.info.serverInfoList[0].value);
  });

  char user[] = "Demo";
  TQEndSessionArgs end{};
  end.user = user;
  end.cacheId = -1;
  roundTrip(xdr_TQEndSessionArgs6, &end, [](const auto&, const auto& b) {
    EXPECT_STREQ(b.user, "Demo");
    EXPECT_EQ(b.cacheId, -1);
  });

  Tree t;
  char form[] = "HelpDesk";
  TQDirectoryQueryArgs query{form, t.root};
  roundTrip(xdr_TQDirectoryQueryArgs, &query, [](const auto& a, const auto& b) {
    EXPECT_STREQ(b.schema, "HelpDesk");
    expectSameQualifier(&a.qualifier, &b.qualifier);
  });

  TQDirectoryAnswer answer{390621, 2020};
  EXPECT_EQ(encodeWith(xdr_TQDirectoryAnswer, &answer), words({390621, 2020}));
}

}  // namespace
