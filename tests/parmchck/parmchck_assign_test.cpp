// Field assignments and their sources: values, fields, processes,
// arithmetic, functions, DDE and SQL; set-fields and push-fields lists.
#include <functional>

#include "parmchck_fixture.h"

namespace {

char* text(const char* t) {
  return const_cast<char*>(t);
}

TQAssignStruct valueAssign(int32_t v) {
  TQAssignStruct a{};
  a.assignType = TQ_ASSIGN_TYPE_VALUE;
  a.u.value.dataType = TQ_DATA_TYPE_INTEGER;
  a.u.value.u.intVal = v;
  return a;
}

TQAssignStruct badAssign() {
  return TQAssignStruct{};
}  // type 0

TQAssignFieldStruct validSource() {
  TQAssignFieldStruct f{};
  setText(f.server, "tracker");
  setText(f.schema, "People");
  f.tag = TQ_FIELD;
  f.u.fieldId = 8;
  f.noMatchOption = 4;
  f.multiMatchOption = 6;
  return f;
}

TEST(ParmchckAssign, AssignmentTypes) {
  static TQAssignFieldStruct source = validSource();
  static TQAssignSQLStruct sql{};
  static TQArithOpAssignStruct arith{};
  static TQFunctionAssignStruct function{};
  static TQAssignStruct params[2];
  static TQDDEStruct dde{};
  const std::string k256(256, 'p');
  struct Case {
    const char* what;
    std::function<void(TQAssignStruct&)> set;
    Numbers expected;
  } cases[] = {
      {"value", [](auto&) {}, {}},
      {"value 42", [](auto& a) { a.u.value.dataType = 42; }, {kTQErrBadDataType}},
      {"type 0", [](auto& a) { a.assignType = 0; }, {kTQErrBadAssignType}},
      {"type 8", [](auto& a) { a.assignType = 8; }, {kTQErrBadAssignType}},
      {"process", [](auto& a) { a.assignType = 3, a.u.process = text("date"); }, {}},
      {"empty process",
       [](auto& a) { a.assignType = 3, a.u.process = text(""); },
       {kTQErrBadProcess}},
      {"process of 256",
       [&](auto& a) { a.assignType = 3, a.u.process = text(k256.c_str()); },
       {kTQErrBadProcess}},
      {"field", [](auto& a) { source = validSource(), a.assignType = 2, a.u.field = &source; }, {}},
      {"no field record",
       [](auto& a) { a.assignType = 2, a.u.field = nullptr; },
       {kTQErrNoAssignRecord}},
      {"arithmetic without record",
       [](auto& a) { a.assignType = 4, a.u.arithOp = nullptr; },
       {kTQErrNoArithOp}},
      {"arithmetic 7",
       [](auto& a) {
         arith = {7, valueAssign(1), valueAssign(2)}, a.assignType = 4, a.u.arithOp = &arith;
       },
       {kTQErrBadArithOp}},
      {"arithmetic, bad right",
       [](auto& a) {
         arith = {1, valueAssign(1), badAssign()}, a.assignType = 4, a.u.arithOp = &arith;
       },
       {kTQErrBadAssignType}},
      {"function without record",
       [](auto& a) { a.assignType = 5, a.u.function = nullptr; },
       {kTQErrNoFunction}},
      {"function 26",
       [](auto& a) {
         function = {26, 0, nullptr}, a.assignType = 5, a.u.function = &function;
       },
       {}},
      {"function 27",
       [](auto& a) {
         function = {27, 0, nullptr}, a.assignType = 5, a.u.function = &function;
       },
       {kTQErrBadFunctionCode}},
      {"function parameters without array",
       [](auto& a) {
         function = {1, 2, nullptr}, a.assignType = 5, a.u.function = &function;
       },
       {kTQErrNoFunctionParms}},
      {"function with a bad parameter",
       [](auto& a) {
         params[0] = valueAssign(1), params[1] = badAssign();
         function = {1, 2, params}, a.assignType = 5, a.u.function = &function;
       },
       {kTQErrBadAssignType}},
      {"dde without record", [](auto& a) { a.assignType = 6, a.u.dde = nullptr; }, {kTQErrNoDde}},
      {"dde without topic",
       [](auto& a) {
         dde = {text("Excel"), nullptr, text(""), 3, nullptr, text("")}, a.assignType = 6,
         a.u.dde = &dde;
       },
       {kTQErrBadDdeName}},
      {"sql without record",
       [](auto& a) { a.assignType = 7, a.u.sql = nullptr; },
       {kTQErrNoAssignRecord}},
      {"sql",
       [](auto& a) {
         sql = {{}, text("select 1"), 1, 2, 4}, a.assignType = 7, a.u.sql = &sql;
       },
       {}},
      {"sql without command",
       [](auto& a) {
         sql = {{}, text(""), 1, 2, 4}, a.assignType = 7, a.u.sql = &sql;
       },
       {kTQErrNoSqlCommand}},
      {"sql no-match 3",
       [](auto& a) {
         sql = {{}, text("s"), 1, 3, 4}, a.assignType = 7, a.u.sql = &sql;
       },
       {kTQErrBadNoMatchOption}},
      {"sql multi-match 5",
       [](auto& a) {
         sql = {{}, text("s"), 1, 1, 5}, a.assignType = 7, a.u.sql = &sql;
       },
       {kTQErrBadMultiMatchOption}},
  };
  for (const Case& c : cases) {
    TQAssignStruct assign = valueAssign(1);
    c.set(assign);
    Status s;
    EXPECT_TRUE(Outcome(tqCheckAssign(&assign, s.get()), s, c.expected)) << c.what;
  }
}

TEST(ParmchckAssign, NegateChecksOnlyTheRightSide) {
  TQArithOpAssignStruct arith{TQ_ARITH_OP_NEGATE, badAssign(), valueAssign(3)};
  arith.left.assignType = 99;
  Status s;
  EXPECT_TRUE(Outcome(tqCheckArithOpAssign(&arith, s.get()), s, {}));
  EXPECT_EQ(arith.left.assignType, uint32_t{TQ_ASSIGN_TYPE_NONE});
}

TEST(ParmchckAssign, FieldSource) {
  struct Case {
    const char* what;
    std::function<void(TQAssignFieldStruct&)> set;
    Numbers expected;
  } cases[] = {
      {"valid", [](auto&) {}, {}},
      {"status history",
       [](auto& f) {
         f.tag = TQ_STAT_HISTORY, f.u.statHistory = {1, 2};
       },
       {}},
      {"status history 0",
       [](auto& f) {
         f.tag = TQ_STAT_HISTORY, f.u.statHistory = {1, 0};
       },
       {kTQErrBadStatHistory}},
      {"tag 2", [](auto& f) { f.tag = 2; }, {kTQErrBadAssignFieldTag}},
      {"no-match 0", [](auto& f) { f.noMatchOption = 0; }, {kTQErrBadNoMatchOption}},
      {"no-match 5", [](auto& f) { f.noMatchOption = 5; }, {kTQErrBadNoMatchOption}},
      {"multi-match 7", [](auto& f) { f.multiMatchOption = 7; }, {kTQErrBadMultiMatchOption}},
      {"bad qualification",
       [](auto& f) { f.qualifier.operation = 9, f.tag = 2; },
       {kTQErrBadQualifierOp}},
  };
  for (const Case& c : cases) {
    TQAssignFieldStruct field = validSource();
    c.set(field);
    Status s;
    EXPECT_TRUE(Outcome(tqCheckAssignField(&field, s.get()), s, c.expected)) << c.what;
  }
}

TEST(ParmchckAssign, Lists) {
  TQFieldAssignStruct items[2] = {{1, valueAssign(1)}, {2, badAssign()}};
  TQFieldAssignList list{1, items};
  Status ok;
  EXPECT_TRUE(Outcome(tqCheckFieldAssignList(&list, ok.get()), ok, {}));
  list.numItems = 2;
  Status bad;  // the list adds 193 to the assignment's own error
  EXPECT_TRUE(Outcome(tqCheckFieldAssignList(&list, bad.get()), bad,
                      {kTQErrBadAssignment, kTQErrBadAssignType}));
  Status empty;
  EXPECT_TRUE(Outcome(tqCheckFieldAssignList(nullptr, empty.get()), empty, {kTQErrNoAssignments}));

  TQPushFieldsStruct push[1] = {{validSource(), valueAssign(1)}};
  TQPushFieldsList pushList{1, push};
  Status p;
  EXPECT_TRUE(Outcome(tqCheckPushFieldsList(&pushList, p.get()), p, {}));
  push[0].field.noMatchOption = 0;  // the target is checked before the source
  push[0].assign = badAssign();
  Status target;
  EXPECT_TRUE(Outcome(tqCheckPushFieldsList(&pushList, target.get()), target,
                      {kTQErrBadAssignment, kTQErrBadNoMatchOption}));
  TQPushFieldsList counted{1, nullptr};
  Status c;
  EXPECT_TRUE(Outcome(tqCheckPushFieldsList(&counted, c.get()), c, {kTQErrNullArray}));
}

}  // namespace
