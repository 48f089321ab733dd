// The record walks without a server: what the command-log writer writes
// the reader reads back whole, the printer's lines for the result log, and
// the reader's refusal of logs that are not what a command log holds.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "api/apiprint.h"
#include "api/log_command.h"
#include "api/log_replay.h"
#include "api/log_walk.h"
#include "api/log_walk_actions.h"
#include "api/log_walk_fields.h"
#include "tqlink_services.h"

namespace {

template <class T>
std::string written(T& record) {
  TQLogText text;
  TQCommandWriter writer(text);
  tqWalk(writer, record);
  return text.data != nullptr ? std::string(text.data, text.length) : std::string();
}

template <class T>
std::string printed(T& record) {
  TQLogText text;
  TQResultPrinter printer(text);
  tqWalk(printer, record);
  return text.data != nullptr ? std::string(text.data, text.length) : std::string();
}

TQFieldValueOrArithStruct fieldOperand(uint32_t id) {
  TQFieldValueOrArithStruct o{};
  o.tag = TQ_FIELD;
  o.u.fieldId = id;
  return o;
}

TQFieldValueOrArithStruct textOperand(const char* text) {
  TQFieldValueOrArithStruct o{};
  o.tag = TQ_VALUE;
  o.u.value.dataType = TQ_DATA_TYPE_CHAR;
  o.u.value.u.charVal = const_cast<char*>(text);
  return o;
}

// (8 = 'open' AND NOT (3 > -(7))) OR 536870913 IN (1, 2.5)
struct Tree {
  TQArithOpStruct negate{TQ_ARITH_OP_NEGATE, fieldOperand(0), fieldOperand(7)};
  TQRelOpStruct equal{TQ_REL_OP_EQUAL, fieldOperand(8), textOperand("open")};
  TQRelOpStruct greater{TQ_REL_OP_GREATER, fieldOperand(3), {}};
  TQValueStruct set[2]{};
  TQRelOpStruct in{TQ_REL_OP_IN, fieldOperand(536870913), {}};
  TQQualifierStruct leafEqual{}, leafGreater{}, notGreater{}, both{}, leafIn{}, root{};

  Tree() {
    greater.right.tag = TQ_ARITHMETIC;
    greater.right.u.arithOp = &negate;
    set[0].dataType = TQ_DATA_TYPE_INTEGER;
    set[0].u.intVal = 1;
    set[1].dataType = TQ_DATA_TYPE_REAL;
    set[1].u.realVal = 2.5;
    in.right.tag = TQ_VALUE_SET;
    in.right.u.valueSet = {2, set};
    leafEqual.operation = leafGreater.operation = leafIn.operation = TQ_COND_OP_REL_OP;
    leafEqual.u.relOp = &equal;
    leafGreater.u.relOp = &greater;
    leafIn.u.relOp = &in;
    notGreater.operation = TQ_COND_OP_NOT;
    notGreater.u.negated = &leafGreater;
    both.operation = TQ_COND_OP_AND;
    both.u.andor = {&leafEqual, &notGreater};
    root.operation = TQ_COND_OP_OR;
    root.u.andor = {&both, &leafIn};
  }
};

TEST(Walk, AQualifierIsWrittenInTreeOrderAndReadBackWhole) {
  Tree tree;
  const std::string lines = written(tree.root);
  EXPECT_EQ(lines,
            "2\n"                                              // OR
            "1\n"                                              // AND
            "4\n1\n1\n8\n2\n4\nopen\n"                         // 8 = "open"
            "3\n4\n2\n1\n3\n3\n6\n1\n7\n"                      // NOT 3 > -(7): no left operand
            "4\n8\n1\n536870913\n5\n2\n2\n1\n3\n2.500000\n");  // IN (1, 2.5)

  TQLogReader reader(lines.data(), lines.size());
  TQQualifierStruct back{};
  tqWalk(reader, back);
  ASSERT_TRUE(reader.ok()) << reader.expected() << " at " << reader.lineNumber();
  EXPECT_TRUE(reader.atEnd());
  EXPECT_EQ(written(back), lines);
  EXPECT_EQ(printed(back), printed(tree.root));
  TQLogRelease release;
  tqWalk(release, back);
}

// Every kind of filter action and of assignment, for the round trip below.
struct Actions {
  TQAssignFieldStruct fromField{};
  TQAssignStruct params[2]{};
  TQFunctionAssignStruct function{};
  TQArithOpAssignStruct negate{};
  TQDDEStruct dde{};
  TQAssignSQLStruct sql{};
  TQFieldAssignStruct sets[6]{};
  TQPushFieldsStruct push{};
  uint32_t notifyIds[2] = {8, 4};
  TQFilterActionStruct items[8]{};
  TQFilterActionList list{8, items};

  Actions() {
    std::strcpy(fromField.schema, "Other");
    fromField.tag = TQ_FIELD;
    fromField.u.fieldId = 4;
    fromField.multiMatchOption = TQ_MULTI_MATCH_FIRST;
    params[0].assignType = TQ_ASSIGN_TYPE_PROCESS;
    params[0].u.process = const_cast<char*>("date");
    params[1].assignType = TQ_ASSIGN_TYPE_FIELD;
    params[1].u.field = &fromField;
    function = {TQ_FUNCTION_DATE, 2, params};
    negate.operation = TQ_ARITH_OP_NEGATE;
    negate.right.assignType = TQ_ASSIGN_TYPE_VALUE;
    negate.right.u.value.dataType = TQ_DATA_TYPE_INTEGER;
    negate.right.u.value.u.intVal = 3;
    dde = {const_cast<char*>("svc"),    const_cast<char*>("topic"), nullptr, TQ_DDE_POKE,
           const_cast<char*>("/bin/x"), const_cast<char*>("go")};
    std::strcpy(sql.server, "db");
    sql.sqlCommand = const_cast<char*>("select 1");
    sql.valueIndex = 1;
    const uint32_t types[] = {TQ_ASSIGN_TYPE_FIELD, TQ_ASSIGN_TYPE_FUNCTION, TQ_ASSIGN_TYPE_ARITH,
                              TQ_ASSIGN_TYPE_DDE,   TQ_ASSIGN_TYPE_SQL,      TQ_ASSIGN_TYPE_NONE};
    for (uint32_t i = 0; i < 6; ++i) {
      sets[i].fieldId = 536870913 + i;
      sets[i].assignment.assignType = types[i];
    }
    sets[0].assignment.u.field = &fromField;
    sets[1].assignment.u.function = &function;
    sets[2].assignment.u.arithOp = &negate;
    sets[3].assignment.u.dde = &dde;
    sets[4].assignment.u.sql = &sql;
    push.field = fromField;
    push.assign = params[0];
    items[0].action = TQ_FILTER_ACTION_NOTIFY;
    items[0].u.notify = {const_cast<char*>("Ann"),
                         const_cast<char*>("line\none"),
                         2,
                         TQ_NOTIFY_VIA_EMAIL,
                         0,
                         nullptr,
                         TQ_FILTER_FIELD_IDS_LIST,
                         {2, notifyIds}};
    items[1].action = TQ_FILTER_ACTION_MESSAGE;
    items[1].u.message = {2, 8001, const_cast<char*>("stop"), 1};
    items[2].action = TQ_FILTER_ACTION_LOG;
    items[2].u.logFile = const_cast<char*>("/tmp/log");
    items[3].action = TQ_FILTER_ACTION_FIELDS;
    items[3].u.setFields = {6, sets};
    items[4].action = TQ_FILTER_ACTION_PROCESS;
    items[4].u.process = const_cast<char*>("run");
    items[5].action = TQ_FILTER_ACTION_FIELDP;
    items[5].u.pushFields = {1, &push};
    items[6].action = TQ_FILTER_ACTION_SQL;
    std::strcpy(items[6].u.sqlCommand.server, "db");
    items[6].u.sqlCommand.sqlCommand = const_cast<char*>("update x");
    items[7].action = TQ_FILTER_ACTION_GOTOACTION;
    items[7].u.gotoAction = {TQ_GOTO_ABSOLUTE_ORDER, 300};
  }
};

TEST(Walk, EveryFilterActionAndAssignmentIsReadBackWhole) {
  Actions actions;
  const std::string lines = written(actions.list);
  EXPECT_EQ(lines.rfind("8\n1\nAnn\nline one\n2\n2\n0\n\n2\n2\n8\n4\n", 0), 0u) << lines;
  TQLogReader reader(lines.data(), lines.size());
  TQFilterActionList back{};
  tqWalk(reader, back);
  ASSERT_TRUE(reader.ok()) << reader.expected() << " at " << reader.lineNumber();
  EXPECT_TRUE(reader.atEnd());
  EXPECT_EQ(written(back), lines);
  const std::string text = printed(back);
  for (const char* word :
       {"Action: NOTIFY", "Action: GOTO ACTION", "Assign Type: FUNCTION", "Assign Type: DDE",
        "Operation: NEGATE (unary minus)", "SQL assignment:"}) {
    EXPECT_NE(text.find(word), std::string::npos) << word;
  }
  TQLogRelease release;
  tqWalk(release, back);
  EXPECT_EQ(back.actionList, nullptr);
}

TEST(Walk, ANestedCharacterMenuIsReadBackWhole) {
  TQCharMenuItemStruct inner[1]{};
  std::strcpy(inner[0].label, "Low");
  inner[0].itemType = TQ_MENU_ITEM_VALUE;
  inner[0].u.value = const_cast<char*>("1");
  TQCharMenuStruct child{};
  child.menuType = TQ_CHAR_MENU_LIST;
  child.u.menuList = {1, inner};
  TQCharMenuItemStruct outer[2]{};
  std::strcpy(outer[0].label, "Levels");
  outer[0].itemType = TQ_MENU_ITEM_MENU;
  outer[0].u.childMenu = &child;
  std::strcpy(outer[1].label, "None");
  outer[1].itemType = TQ_MENU_ITEM_VALUE;
  TQCharMenuStruct menu{};
  menu.menuType = TQ_CHAR_MENU_LIST;
  menu.u.menuList = {2, outer};
  const std::string lines = written(menu);
  EXPECT_EQ(lines, "1\n2\nLevels\n2\n1\n1\nLow\n1\n1\nNone\n1\n\n");
  TQLogReader reader(lines.data(), lines.size());
  TQCharMenuStruct back{};
  tqWalk(reader, back);
  ASSERT_TRUE(reader.ok()) << reader.expected() << " at " << reader.lineNumber();
  EXPECT_EQ(written(back), lines);
  TQLogRelease release;
  tqWalk(release, back);
}

// Reads back what the writer wrote and checks it is the same record.
template <class T>
void expectReadBackWhole(T& record, const std::string& lines) {
  TQLogReader reader(lines.data(), lines.size());
  T back{};
  tqWalk(reader, back);
  ASSERT_TRUE(reader.ok()) << reader.expected() << " at " << reader.lineNumber();
  EXPECT_TRUE(reader.atEnd());
  EXPECT_EQ(written(back), lines);
  EXPECT_EQ(printed(back), printed(record));
  TQLogRelease release;
  tqWalk(release, back);
}

TEST(Walk, FieldLimitsOfEveryDataTypeAreReadBackWhole) {
  Tree tree;
  TQNameType names[2] = {"Low", "High"};
  struct Case {
    const char* name;
    TQFieldLimitStruct limit;
    std::string lines;
  };
  std::vector<Case> cases(9);
  cases[0] = {"integer", {TQ_DATA_TYPE_INTEGER, {}}, "2\n-3\n9\n"};
  cases[0].limit.u.intLimits = {-3, 9};
  cases[1] = {"real", {TQ_DATA_TYPE_REAL, {}}, "3\n0.500000\n2.250000\n-1\n"};
  cases[1].limit.u.realLimits = {0.5, 2.25, -1};
  cases[2] = {"char", {TQ_DATA_TYPE_CHAR, {}}, "4\n80\n2\n3\nMenu\n$DIGIT$\n1\n"};
  cases[2].limit.u.charLimits.pattern = const_cast<char*>("$DIGIT$");
  cases[2].limit.u.charLimits.maxLength = 80;
  cases[2].limit.u.charLimits.menuStyle = TQ_MENU_STYLE_OVERWRITE;
  cases[2].limit.u.charLimits.qbeMatchOperation = TQ_QBE_MATCH_EQUAL;
  std::strcpy(cases[2].limit.u.charLimits.charMenu, "Menu");
  cases[2].limit.u.charLimits.fullTextOptions = TQ_FULLTEXT_OPTIONS_INDEXED;
  cases[3] = {"enumeration names", {TQ_DATA_TYPE_ENUM, {}}, "6\n2\nLow\nHigh\n"};
  cases[3].limit.u.enumLimits = {2, names};
  cases[4] = {"decimal", {TQ_DATA_TYPE_DECIMAL, {}}, "10\n-1.5\n9.25\n2\n"};
  cases[4].limit.u.decimalLimits = {const_cast<char*>("-1.5"), const_cast<char*>("9.25"), 2};
  cases[5] = {"attachment", {TQ_DATA_TYPE_ATTACH, {}}, "11\n2147483647\n1\n"};
  cases[5].limit.u.attachLimits = {2147483647u, 1};
  cases[6] = {"table with its qualifier", {TQ_DATA_TYPE_TABLE, {}}, ""};
  cases[6].limit.u.tableLimits.numColumns = 2;
  cases[6].limit.u.tableLimits.qualifier = tree.root;
  cases[6].limit.u.tableLimits.maxRetrieve = 50;
  std::strcpy(cases[6].limit.u.tableLimits.schema, "Rows");
  cases[6].lines = "33\n2\n" + written(tree.root) + "50\nRows\n\n";
  cases[7] = {"column", {TQ_DATA_TYPE_COLUMN, {}}, "34\n700\n8\n40\n"};
  cases[7].limit.u.columnLimits = {700, 8, 40};
  cases[8] = {"a type without limits", {TQ_DATA_TYPE_TIME, {}}, "7\n"};
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string lines = written(c.limit);
    EXPECT_EQ(lines, c.lines);
    expectReadBackWhole(c.limit, lines);
  }
}

TEST(Walk, DisplayInstancesAndTheirPropertiesAreReadBackWhole) {
  TQPropStruct common[1]{};
  common[0].propertyTag = 20;
  common[0].value.dataType = TQ_DATA_TYPE_CHAR;
  common[0].value.u.charVal = const_cast<char*>("Label");
  TQPropStruct own[2]{};
  own[0].propertyTag = 1;
  own[0].value.dataType = TQ_DATA_TYPE_INTEGER;
  own[0].value.u.intVal = 40;
  own[1].propertyTag = 2;
  TQDisplayInstanceStruct views[2]{};
  views[0] = {536870913, {2, own}};
  views[1] = {7, {0, nullptr}};
  TQDisplayInstanceList displays{{1, common}, 2, views};
  const std::string lines = written(displays);
  EXPECT_EQ(lines, "1\n20\n4\nLabel\n2\n536870913\n2\n1\n2\n40\n2\n0\n7\n0\n");
  expectReadBackWhole(displays, lines);
  const std::string text = printed(displays);
  for (const char* word : {"Display InstanceList:", "Prop Struct:", "Property List : 2 items"}) {
    EXPECT_NE(text.find(word), std::string::npos) << word << "\n" << text;
  }
}

TEST(Walk, PrinterShowsWordsLabelsAndUndefinedValues) {
  Tree tree;
  const std::string text = printed(tree.leafGreater);
  EXPECT_EQ(text,
            "Qualifier Struct:\n"
            "   Operation: RELATIONAL OPERATION\n"
            "   Relational Operation:\n"
            "      Operation: GREATER\n"
            "      Field/Value/Arithmetic operand:\n"
            "         Tag: FIELD 3\n"
            "      Field/Value/Arithmetic operand:\n"
            "         Tag: ARITHMETIC\n"
            "         Arithmetic Operation:\n"
            "            Operation: NEGATE (unary minus)\n"
            "            Field/Value/Arithmetic operand:\n"
            "               Tag: FIELD 7\n");

  struct Case {
    TQValueStruct value;
    const char* line;
  };
  TQValueStruct undefinedType{};
  undefinedType.dataType = 17;
  TQValueStruct none{};
  TQValueStruct real{};
  real.dataType = TQ_DATA_TYPE_REAL;
  real.u.realVal = 0.5;
  TQValueStruct nullText{};
  nullText.dataType = TQ_DATA_TYPE_CHAR;
  for (const Case& c :
       std::vector<Case>{{undefinedType, "Value:  <undefined data type tag = 17>\n"},
                         {none, "Value:  NULL\n"},
                         {real, "Value:  (real) 0.500000\n"},
                         {nullText, "Value:  (char)\n"}}) {
    TQValueStruct v = c.value;
    EXPECT_EQ(printed(v), c.line);
  }
  TQFieldValueOrArithStruct operand = textOperand("open");
  EXPECT_EQ(printed(operand),
            "Field/Value/Arithmetic operand:\n   Tag: VALUE\n   Value:  (char) open\n");
  TQQualifierStruct odd{};
  odd.operation = 9;
  EXPECT_EQ(printed(odd), "Qualifier Struct:\n   Operation: <undefined operation = 9>\n");
}

TEST(Walk, LongNumberListsWrapBeforeColumn79) {
  std::vector<uint32_t> ids;
  for (uint32_t i = 0; i < 40; ++i)
    ids.push_back(536870900 + i);
  TQInternalIdList list{static_cast<uint32_t>(ids.size()), ids.data()};
  const std::string text = printed(list);
  ASSERT_EQ(text.rfind("Id List (40)  536870900 ", 0), 0u) << text;
  size_t count = 0;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    ASSERT_NE(end, std::string::npos);
    EXPECT_LT(end - start, 79u) << text.substr(start, end - start);
    start = end + 1;
    ++count;
  }
  EXPECT_GT(count, 1u) << "40 ids do not fit on one line";
  for (uint32_t id : ids)
    EXPECT_NE(text.find(std::to_string(id)), std::string::npos);
}

TEST(Walk, RealsKeepEveryDigitThatTheShortFormWouldLose) {
  struct Case {
    double value;
    const char* line;
  };
  for (const Case& c : std::vector<Case>{{2.5, "2.500000\n"},
                                         {-3, "-3.000000\n"},
                                         {0.1234567, "0.1234567\n"},
                                         {1.0 / 3, "0.33333333333333331\n"},
                                         {1e-9, "1.0000000000000001e-09\n"}}) {
    TQLogText text;
    tqLogRealLine(text, c.value);
    EXPECT_EQ(std::string(text.data, text.length), c.line);
    TQLogReader reader(text.data, text.length);
    double back = 0;
    reader.real("", back);
    EXPECT_EQ(back, c.value);
  }
}

// A command log that is not one stops the replay at its line, saying what
// was expected, before any call is made.
TEST(Replay, MalformedLogsNameTheLineAndWhatWasExpected) {
  struct Case {
    const char* name;
    std::string log;
    uint32_t line;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {"a block without its start", "ge\n", 1, "\"#\", the start of a block"},
      {"an unknown command code", "#\n# TQGetEntry\n#\nxx\n", 4, "a command code known"},
      {"a code under another name", "#\n# TQDeleteEntry\n#\nge\n", 4, "a command code known"},
      {"a count beyond the log", "#\n# TQGetEntry\n#\nge\nDemo\n99999\n", 6,
       "a count no larger than the lines that follow"},
      {"a number that is not one", "#\n# TQGetEntry\n#\nge\nDemo\n1\nid\n1x\n", 8,
       "an unsigned number"},
      {"a log cut short", "#\n# TQGetEntry\n#\nge\nDemo\n", 6, "another line"},
      {"an entry id too long", "#\n# TQGetEntry\n#\nge\nDemo\n1\n0123456789abcdef\n0\n", 7,
       "a shorter name"},
      {"a pause without seconds", "#\n# (Pause)\n#\nst\nsoon\n", 5, "an unsigned number"},
      {"a qualifier nested beyond any use",
       "#\n# TQGetListEntry\n#\ngle\nDemo\n" +
           [] {
             std::string deep;
             for (int i = 0; i < 300; ++i)
               deep += "3\n";
             return deep;
           }(),
       206, "a shallower tree of records"},
  };
  const std::string path =
      (std::filesystem::temp_directory_path() / ("tqrec-walk-" + std::to_string(getpid())))
          .string();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::ofstream(path, std::ios::binary) << c.log;
    TQReplayLog* log = TQReplayOpen(path.c_str());
    ASSERT_NE(log, nullptr);
    TQReplayStep step{};
    TQStatusList status{};
    TQReplayNext(log, nullptr, &step, &status);
    EXPECT_EQ(step.kind, static_cast<uint32_t>(TQ_REPLAY_MALFORMED));
    EXPECT_EQ(step.line, c.line);
    EXPECT_NE(std::string(step.message).find(c.expected), std::string::npos) << step.message;
    EXPECT_EQ(std::string(step.message).rfind("line " + std::to_string(c.line) + ": expected", 0),
              0u)
        << step.message;
    TQReplayNext(log, nullptr, &step, &status);
    EXPECT_EQ(step.kind, static_cast<uint32_t>(TQ_REPLAY_MALFORMED)) << "the log stays stopped";
    TQReplayClose(log);
  }
  std::remove(path.c_str());
}

TEST(Replay, PausesSessionBlocksAndCallsWithoutASessionAreReportedNotPerformed) {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("tqrec-steps-" + std::to_string(getpid())))
          .string();
  std::ofstream(path, std::ios::binary)
      << "#\n# TQInitialization\n#\ninit\n#\n# (Pause)\n#\nst\n4\n#\n# TQExport\n#\nexp\n"
         "0\n\n****** FILE NAME ******\n"
         "#\n# TQDeleteEntry\n#\nde\nDemo:Request\n1\n000000000000001\n0\n"
         "#\n# TQTermination\n#\nterm\n";
  TQReplayLog* log = TQReplayOpen(path.c_str());
  ASSERT_NE(log, nullptr);
  std::vector<std::pair<uint32_t, std::string>> steps;
  TQReplayStep step{};
  TQStatusList status{};
  for (TQReplayNext(log, nullptr, &step, &status); step.kind != TQ_REPLAY_END;
       TQReplayNext(log, nullptr, &step, &status)) {
    steps.emplace_back(
        step.kind, std::string(step.name) + "@" + std::to_string(step.line) +
                       (step.kind == TQ_REPLAY_PAUSE ? "/" + std::to_string(step.seconds) : ""));
    if (step.kind == TQ_REPLAY_MALFORMED) break;
  }
  TQReplayClose(log);
  std::remove(path.c_str());
  EXPECT_EQ(steps, (std::vector<std::pair<uint32_t, std::string>>{
                       {TQ_REPLAY_SESSION, "TQInitialization@1"},
                       {TQ_REPLAY_PAUSE, "(Pause)@5/4"},
                       {TQ_REPLAY_SKIPPED, "TQExport@10"},
                       {TQ_REPLAY_SKIPPED, "TQDeleteEntry@17"},
                       {TQ_REPLAY_SESSION, "TQTermination@25"}}));
}

}  // namespace
