// Typed values, value lists, field values, and the qualification tree with
// its operands.
#include <cstdlib>
#include <functional>
#include <vector>

#include "parmchck_fixture.h"
#include "share/apisrv/messages.h"

namespace {

TQValueStruct valueOf(uint32_t dataType) {
  TQValueStruct v{};
  v.dataType = dataType;
  return v;
}

TEST(ParmchckValues, DataTypeTags) {
  struct Case {
    uint32_t dataType;
    uint32_t keyword;
    Numbers expected;
  } cases[] = {
      {TQ_DATA_TYPE_INTEGER, 0, {}},   {TQ_DATA_TYPE_DISPLAY_32, 0, {}},
      {TQ_DATA_TYPE_NOWIRE_36, 0, {}},  // refused later, by the wire encoding
      {TQ_DATA_TYPE_COORDS, 0, {}},     // 41 is the last tag
      {42, 0, {kTQErrBadDataType}},    {0xFFFFFFFFu, 0, {kTQErrBadDataType}},
      {TQ_DATA_TYPE_KEYWORD, 21, {}},  {TQ_DATA_TYPE_KEYWORD, 22, {kTQErrBadKeyword}},
  };
  for (const Case& c : cases) {
    TQValueStruct v = valueOf(c.dataType);
    if (c.dataType == TQ_DATA_TYPE_KEYWORD) v.u.keyNum = c.keyword;
    if (c.dataType == TQ_DATA_TYPE_COORDS) v.u.coordListVal = nullptr;
    Status s;
    EXPECT_TRUE(Outcome(tqCheckValue(&v, s.get()), s, c.expected)) << c.dataType;
  }
}

TEST(ParmchckValues, MissingPayloadBecomesTheNullValue) {
  for (uint32_t dataType : {TQ_DATA_TYPE_CHAR, TQ_DATA_TYPE_DIARY, TQ_DATA_TYPE_BYTES,
                            TQ_DATA_TYPE_DECIMAL, TQ_DATA_TYPE_ATTACH, TQ_DATA_TYPE_COORDS}) {
    TQValueStruct v = valueOf(dataType);
    Status s;
    EXPECT_TRUE(Outcome(tqCheckValue(&v, s.get()), s, {})) << dataType;
    EXPECT_EQ(v.dataType, TQ_DATA_TYPE_NULL) << dataType;
  }
  TQValueStruct text = valueOf(TQ_DATA_TYPE_CHAR);
  text.u.charVal = const_cast<char*>("kept");
  Status s;
  EXPECT_TRUE(Outcome(tqCheckValue(&text, s.get()), s, {}));
  EXPECT_EQ(text.dataType, TQ_DATA_TYPE_CHAR);
}

TEST(ParmchckValues, ByteAndCoordinateListsNeedTheirArrays) {
  TQByteList bytes{0, 3, nullptr};
  TQValueStruct v = valueOf(TQ_DATA_TYPE_BYTES);
  v.u.byteListVal = &bytes;
  Status s;
  EXPECT_TRUE(Outcome(tqCheckValue(&v, s.get()), s, {kTQErrNullArray}));
  TQCoordList coords{2, nullptr};
  TQValueStruct w = valueOf(TQ_DATA_TYPE_COORDS);
  w.u.coordListVal = &coords;
  Status t;
  EXPECT_TRUE(Outcome(tqCheckValue(&w, t.get()), t, {kTQErrNullArray}));
}

TEST(ParmchckValues, FieldValueList) {
  TQFieldValueStruct items[3] = {{1, valueOf(TQ_DATA_TYPE_INTEGER)},
                                 {2, valueOf(TQ_DATA_TYPE_CHAR)},  // NULL text
                                 {3, valueOf(TQ_DATA_TYPE_INTEGER)}};
  TQFieldValueList list{3, items};
  Status s;
  EXPECT_TRUE(Outcome(tqCheckFieldValueList(&list, 0, s.get()), s, {}));
  EXPECT_EQ(items[1].value.dataType, TQ_DATA_TYPE_NULL);

  items[2].value.dataType = 42;  // the value's 110, then the list's 124 ahead of it
  Status bad;
  EXPECT_TRUE(Outcome(tqCheckFieldValueList(&list, 0, bad.get()), bad,
                      {kTQErrBadFieldValue, kTQErrBadDataType}));

  TQFieldValueList empty{0, nullptr}, counted{1, nullptr};
  Status e1, e2, e3;
  EXPECT_TRUE(
      Outcome(tqCheckFieldValueList(&empty, 0, e1.get()), e1, {kTQErrFieldValueListMissing}));
  EXPECT_TRUE(Outcome(tqCheckFieldValueList(nullptr, 1, e2.get()), e2, {}));
  EXPECT_TRUE(Outcome(tqCheckFieldValueList(&counted, 1, e3.get()), e3, {kTQErrNullArray}));
}

TEST(ParmchckValues, ValueSet) {
  TQValueStruct values[2] = {valueOf(TQ_DATA_TYPE_INTEGER), valueOf(TQ_DATA_TYPE_KEYWORD)};
  values[1].u.keyNum = 30;
  TQValueList set{2, values};
  Status s;
  EXPECT_TRUE(Outcome(tqCheckValueList(&set, s.get()), s, {kTQErrBadKeyword}));
  TQValueList empty{0, nullptr};
  Status e;
  EXPECT_TRUE(Outcome(tqCheckValueList(&empty, e.get()), e, {kTQErrNoValueSet}));
}

// --- Operands -----------------------------------------------------------------

TQFieldValueOrArithStruct field(uint32_t id) {
  TQFieldValueOrArithStruct o{};
  o.tag = TQ_FIELD;
  o.u.fieldId = id;
  return o;
}

TQFieldValueOrArithStruct operandOf(uint32_t tag) {
  TQFieldValueOrArithStruct o{};
  o.tag = tag;
  return o;
}

TEST(ParmchckValues, OperandTags) {
  struct Case {
    const char* what;
    std::function<void(TQFieldValueOrArithStruct&)> set;
    Numbers expected;
  } cases[] = {
      {"field", [](auto& o) { o.tag = TQ_FIELD; }, {}},
      {"field tran", [](auto& o) { o.tag = TQ_FIELD_TRAN; }, {}},
      {"field db", [](auto& o) { o.tag = TQ_FIELD_DB; }, {}},
      {"current screen", [](auto& o) { o.tag = TQ_FIELD_CURRENT; }, {}},
      {"value 42", [](auto& o) { o.tag = TQ_VALUE, o.u.value.dataType = 42; }, {kTQErrBadDataType}},
      {"status history user",
       [](auto& o) { o.tag = TQ_STAT_HISTORY, o.u.statHistory.userOrTime = 1; },
       {}},
      {"status history 3",
       [](auto& o) { o.tag = TQ_STAT_HISTORY, o.u.statHistory.userOrTime = 3; },
       {kTQErrBadStatHistory}},
      {"variable 10", [](auto& o) { o.tag = TQ_LOCAL_VARIABLE, o.u.variable = 10; }, {}},
      {"variable 11",
       [](auto& o) { o.tag = TQ_LOCAL_VARIABLE, o.u.variable = 11; },
       {kTQErrBadLocalVariable}},
      {"empty value set", [](auto& o) { o.tag = TQ_VALUE_SET; }, {kTQErrNoValueSet}},
      {"arithmetic without record", [](auto& o) { o.tag = TQ_ARITHMETIC; }, {kTQErrNoArithOp}},
      {"query without record", [](auto& o) { o.tag = TQ_QUERY; }, {kTQErrNoQuery}},
      {"tag 12", [](auto& o) { o.tag = 12; }, {kTQErrBadOperandTag}},
      {"tag 0", [](auto& o) { o.tag = 0; }, {kTQErrBadOperandTag}},
  };
  for (const Case& c : cases) {
    TQFieldValueOrArithStruct o{};
    c.set(o);
    Status s;
    EXPECT_TRUE(Outcome(tqCheckOperand(&o, s.get()), s, c.expected)) << c.what;
  }
  Status s;
  EXPECT_TRUE(Outcome(tqCheckOperand(nullptr, s.get()), s, {kTQErrNoOperand}));
}

TEST(ParmchckValues, ArithmeticOperations) {
  for (uint32_t op : {0u, 7u}) {
    TQArithOpStruct a{op, field(1), field(2)};
    Status s;
    EXPECT_TRUE(Outcome(tqCheckArithOp(&a, s.get()), s, {kTQErrBadArithOp})) << op;
  }
  // Left is checked before right.
  TQArithOpStruct both{TQ_ARITH_OP_ADD, operandOf(12), operandOf(TQ_VALUE_SET)};
  Status s;
  EXPECT_TRUE(Outcome(tqCheckArithOp(&both, s.get()), s, {kTQErrBadOperandTag}));

  // NEGATE: the left operand becomes a field and is not looked at.
  TQArithOpStruct negate{TQ_ARITH_OP_NEGATE, operandOf(12), field(7)};
  Status n;
  EXPECT_TRUE(Outcome(tqCheckArithOp(&negate, n.get()), n, {}));
  EXPECT_EQ(negate.left.tag, TQ_FIELD);
  negate.right = operandOf(12);
  Status r;
  EXPECT_TRUE(Outcome(tqCheckArithOp(&negate, r.get()), r, {kTQErrBadOperandTag}));
  Status none;
  EXPECT_TRUE(Outcome(tqCheckArithOp(nullptr, none.get()), none, {kTQErrNoArithOp}));
}

TEST(ParmchckValues, RelationalOperations) {
  struct Case {
    uint32_t op;
    Numbers expected;
  } cases[] = {{0, {kTQErrBadRelOp}},
               {TQ_REL_OP_EQUAL, {}},
               {TQ_REL_OP_LIKE, {}},
               {TQ_REL_OP_IN, {kTQErrBadRelOp}}};
  for (const Case& c : cases) {
    TQRelOpStruct rel{c.op, field(1), field(2)};
    Status s;
    EXPECT_TRUE(Outcome(tqCheckRelOp(&rel, s.get()), s, c.expected)) << c.op;
  }
  TQRelOpStruct rightBad{TQ_REL_OP_EQUAL, field(1), operandOf(TQ_STAT_HISTORY)};
  Status s;
  EXPECT_TRUE(Outcome(tqCheckRelOp(&rightBad, s.get()), s, {kTQErrBadStatHistory}));
}

TEST(ParmchckValues, QualifierTree) {
  TQRelOpStruct rel{TQ_REL_OP_EQUAL, field(1), field(2)};
  TQQualifierStruct leaf{};
  leaf.operation = TQ_COND_OP_REL_OP;
  leaf.u.relOp = &rel;
  TQQualifierStruct none{};  // operation 0
  TQQualifierStruct andNode{};
  andNode.operation = TQ_COND_OP_AND;
  andNode.u.andor.left = &leaf;
  andNode.u.andor.right = &leaf;
  TQQualifierStruct notNode{};
  notNode.operation = TQ_COND_OP_NOT;
  notNode.u.negated = &andNode;

  struct Case {
    const char* what;
    TQQualifierStruct* q;
    TQBoolean allowEmpty;
    Numbers expected;
  } cases[] = {
      {"NULL", nullptr, 0, {}},
      {"empty, allowed", &none, 1, {}},
      {"empty, not allowed", &none, 0, {kTQErrEmptyQualifier}},
      {"NOT of AND", &notNode, 0, {}},
  };
  for (const Case& c : cases) {
    Status s;
    EXPECT_TRUE(Outcome(tqCheckQualifier(c.q, c.allowEmpty, s.get()), s, c.expected)) << c.what;
  }

  // Sub-qualifiers may not be empty even where the top one may.
  andNode.u.andor.right = &none;
  Status sub;
  EXPECT_TRUE(Outcome(tqCheckQualifier(&notNode, 1, sub.get()), sub, {kTQErrEmptyQualifier}));

  TQQualifierStruct unknown{};
  unknown.operation = 5;
  Status u;
  EXPECT_TRUE(Outcome(tqCheckQualifier(&unknown, 1, u.get()), u, {kTQErrBadQualifierOp}));

  TQQualifierStruct noRel{};
  noRel.operation = TQ_COND_OP_REL_OP;
  Status r;
  EXPECT_TRUE(Outcome(tqCheckQualifier(&noRel, 1, r.get()), r, {kTQErrNoRelOp}));

  rel.operation = TQ_REL_OP_IN;
  andNode.u.andor.right = &leaf;
  Status in;
  EXPECT_TRUE(Outcome(tqCheckQualifier(&notNode, 0, in.get()), in, {kTQErrBadRelOp}));
}

// A tree a caller built may be deeper than any walk should follow: a million
// NOTs, or a million unary minus signs, stop the check with 1591 instead of
// exhausting the stack.
TEST(ParmchckValues, TooDeepATreeIsRefused) {
  constexpr size_t kDepth = 1000000;
  std::vector<TQQualifierStruct> nots(kDepth + 1);
  for (size_t i = 0; i < kDepth; ++i) {
    nots[i].operation = TQ_COND_OP_NOT;
    nots[i].u.negated = &nots[i + 1];
  }
  TQRelOpStruct leaf{};
  leaf.operation = TQ_REL_OP_EQUAL;
  leaf.left.tag = TQ_FIELD;
  leaf.right.tag = TQ_FIELD;
  nots[kDepth].operation = TQ_COND_OP_REL_OP;
  nots[kDepth].u.relOp = &leaf;
  Status s;
  EXPECT_TRUE(Outcome(tqCheckQualifier(nots.data(), 0, s.get()), s, {kTQParseTooDeep}));

  std::vector<TQArithOpStruct> minus(kDepth);
  for (size_t i = 0; i < kDepth; ++i) {
    minus[i].operation = TQ_ARITH_OP_NEGATE;
    if (i + 1 < kDepth) {
      minus[i].right.tag = TQ_ARITHMETIC;
      minus[i].right.u.arithOp = &minus[i + 1];
    } else {
      minus[i].right.tag = TQ_FIELD;
    }
  }
  TQRelOpStruct rel{};
  rel.operation = TQ_REL_OP_EQUAL;
  rel.left.tag = TQ_ARITHMETIC;
  rel.left.u.arithOp = minus.data();
  rel.right.tag = TQ_FIELD;
  TQQualifierStruct top{};
  top.operation = TQ_COND_OP_REL_OP;
  top.u.relOp = &rel;
  Status m;
  EXPECT_TRUE(Outcome(tqCheckQualifier(&top, 0, m.get()), m, {kTQParseTooDeep}));
}

TEST(ParmchckValues, QueryOperand) {
  struct Case {
    const char* what;
    std::function<void(TQQueryValueStruct&)> change;
    Numbers expected;
  } cases[] = {
      {"valid", [](TQQueryValueStruct&) {}, {}},
      {"empty schema", [](auto& q) { q.schema[0] = '\0'; }, {kTQErrBadQuery, kTQErrNameMissing}},
      {"long schema",
       [](auto& q) { std::fill(std::begin(q.schema), std::end(q.schema), 's'); },
       {kTQErrBadQuery, kTQErrNameTooLong}},
      {"empty server", [](auto& q) { q.server[0] = '\0'; }, {kTQErrBadQuery}},
      {"empty qualifier passes",
       [](auto& q) {
         static TQQualifierStruct empty{};
         q.qualifier = &empty;
       },
       {}},
      {"bad qualifier",
       [](auto& q) {
         static TQQualifierStruct bad{};
         bad.operation = 9;
         q.qualifier = &bad;
       },
       {kTQErrBadQuery, kTQErrBadQualifierOp}},
      {"value field 0", [](auto& q) { q.valueFieldId = 0; }, {kTQErrBadQuery}},
      {"multi-match 0", [](auto& q) { q.multiValueCode = 0; }, {kTQErrBadQueryMultiMatch}},
      {"multi-match 4", [](auto& q) { q.multiValueCode = 4; }, {kTQErrBadQueryMultiMatch}},
  };
  for (const Case& c : cases) {
    TQQueryValueStruct query{};
    setText(query.schema, "Orders");
    setText(query.server, "tracker");
    query.valueFieldId = 8;
    query.multiValueCode = TQ_QUERY_VALUE_MULTI_SET;
    c.change(query);
    TQFieldValueOrArithStruct o{};
    o.tag = TQ_QUERY;
    o.u.queryValue = &query;
    Status s;
    EXPECT_TRUE(Outcome(tqCheckOperand(&o, s.get()), s, c.expected)) << c.what;
  }
}

}  // namespace
