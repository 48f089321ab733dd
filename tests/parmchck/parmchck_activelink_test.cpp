// Active-link actions, including automation method calls.
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "parmchck_fixture.h"

namespace {

using Change = std::function<void(TQActiveLinkActionStruct&)>;

struct ActionCase {
  const char* what;
  uint32_t action;
  Change change;
  Numbers expected;
};

char* text(const char* t) {
  return const_cast<char*>(t);
}

// A valid action of each type that has fields to check.
TQActiveLinkActionStruct validAction(uint32_t type) {
  static TQMacroParmStruct parms[1] = {{"p1", text("v")}};
  static TQMethodStruct methods[1];
  methods[0] = {text("Open"), {nullptr, TQ_METHOD_VALUE_NONE, {}}, {0, nullptr}};
  TQActiveLinkActionStruct a{};
  a.action = type;
  switch (type) {
    case TQ_ACTIVE_LINK_ACTION_MACRO:
      setText(a.u.macro.macroName, "Macro");
      a.u.macro.macroText = text("body");
      a.u.macro.macroParms = {1, parms};
      break;
    case TQ_ACTIVE_LINK_ACTION_PROCESS:
      a.u.process = text("run");
      break;
    case TQ_ACTIVE_LINK_ACTION_MESSAGE:
      a.u.message = {TQ_MSG_NOTE, 10000, text("hello"), 0};
      break;
    case TQ_ACTIVE_LINK_ACTION_SET_CHAR:
      a.u.characteristics.fieldId = 8;
      a.u.characteristics.charMenu = text("Menu");
      break;
    case TQ_ACTIVE_LINK_ACTION_DDE:
      a.u.dde = {text("Excel"), text("Sheet1"), text("R1C1"), TQ_DDE_POKE, nullptr, text("cmd")};
      break;
    case TQ_ACTIVE_LINK_ACTION_SQL:
      a.u.sqlCommand.sqlCommand = text("select 1");
      break;
    case TQ_ACTIVE_LINK_ACTION_METHOD:
      a.u.methodCall = {text("Word.Application"), text("{000}"), text("Open"), 0, {1, methods}};
      break;
    case TQ_ACTIVE_LINK_ACTION_OPENDLG:
      setText(a.u.openDialog.server, "tracker");
      setText(a.u.openDialog.schema, "Dialog");
      break;
    case TQ_ACTIVE_LINK_ACTION_CALLGUIDE:
      setText(a.u.callGuide.server, "tracker");
      setText(a.u.callGuide.guideName, "Guide");
      break;
    case TQ_ACTIVE_LINK_ACTION_GOTOGUIDELABEL:
      a.u.gotoGuideLabel.label = text("start");
      break;
    case TQ_ACTIVE_LINK_ACTION_WAIT:
      a.u.waitAction.continueButtonTitle = text("Continue");
      break;
    case TQ_ACTIVE_LINK_ACTION_GOTOACTION:
      a.u.gotoAction = {TQ_GOTO_ABSOLUTE_ORDER, 3};
      break;
    default:
      break;
  }
  return a;
}

void none(TQActiveLinkActionStruct&) {}

void runCases(const std::vector<ActionCase>& cases) {
  for (const ActionCase& c : cases) {
    TQActiveLinkActionStruct action = validAction(c.action);
    c.change(action);
    Status s;
    EXPECT_TRUE(Outcome(tqCheckActiveLinkAction(&action, s.get()), s, c.expected)) << c.what;
  }
}

const std::string k64(64, 'x'), k65(65, 'x'), k128(128, 'x'), k129(129, 'x'), k255(255, 'x'),
    k256(256, 'x'), k2000(2000, 'x'), k2001(2001, 'x'), k4095(4095, 'x'), k4096(4096, 'x');
char* of(const std::string& s) {
  return const_cast<char*>(s.c_str());
}

TEST(ParmchckActiveLink, SimpleActions) {
  runCases({
      {"type 0", 0, none, {kTQErrBadActiveLinkAction}},
      {"type 18", 18, none, {kTQErrBadActiveLinkAction}},
      {"commit", TQ_ACTIVE_LINK_ACTION_COMMITC, none, {}},
      {"close window", TQ_ACTIVE_LINK_ACTION_CLOSEWND, none, {}},
      {"exit guide", TQ_ACTIVE_LINK_ACTION_EXITGUIDE, none, {}},
      {"process", TQ_ACTIVE_LINK_ACTION_PROCESS, none, {}},
      {"process of 256", 3, [](auto& a) { a.u.process = of(k256); }, {kTQErrBadProcess}},
      {"message 10000", 4, none, {}},
      {"message 9999",
       4,
       [](auto& a) { a.u.message.messageNumber = 9999; },
       {kTQErrBadMessageNumber}},
      {"prompt", 4, [](auto& a) { a.u.message.messageType = TQ_MSG_PROMPT; }, {}},
      {"message type 3", 4, [](auto& a) { a.u.message.messageType = 3; }, {kTQErrBadMessageType}},
      {"message text of 4095", 4, [](auto& a) { a.u.message.messageText = of(k4095); }, {}},
      {"message text of 4096",
       4,
       [](auto& a) { a.u.message.messageText = of(k4096); },
       {kTQErrBadMessageText}},
      {"sql", TQ_ACTIVE_LINK_ACTION_SQL, none, {}},
      {"sql empty", 8, [](auto& a) { a.u.sqlCommand.sqlCommand = text(""); }, {kTQErrNoSqlCommand}},
      {"goto", 17, none, {}},
      {"goto tag 0", 17, [](auto& a) { a.u.gotoAction.tag = 0; }, {kTQErrBadGotoAction}},
      {"guide label of 128", 15, [](auto& a) { a.u.gotoGuideLabel.label = of(k128); }, {}},
      {"guide label of 129",
       15,
       [](auto& a) { a.u.gotoGuideLabel.label = of(k129); },
       {kTQErrBadGuideLabel}},
      {"no guide label",
       15,
       [](auto& a) { a.u.gotoGuideLabel.label = nullptr; },
       {kTQErrBadGuideLabel}},
      {"wait title of 64", 16, [](auto& a) { a.u.waitAction.continueButtonTitle = of(k64); }, {}},
      {"wait title of 65",
       16,
       [](auto& a) { a.u.waitAction.continueButtonTitle = of(k65); },
       {kTQErrBadWaitTitle}},
      {"wait without title",
       16,
       [](auto& a) { a.u.waitAction.continueButtonTitle = text(""); },
       {kTQErrBadWaitTitle}},
      {"fields, empty", 2, none, {kTQErrNoAssignments}},
      {"push fields, empty", 7, none, {kTQErrNoAssignments}},
  });
}

TEST(ParmchckActiveLink, Macro) {
  runCases({
      {"valid", 1, none, {}},
      {"no macro text", 1, [](auto& a) { a.u.macro.macroText = nullptr; }, {kTQErrBadMacro}},
      {"no macro name", 1, [](auto& a) { a.u.macro.macroName[0] = '\0'; }, {kTQErrBadMacro}},
      // The parameters are looked at before the name and text.
      {"empty parameter name, no text",
       1,
       [](auto& a) {
         static TQMacroParmStruct p[1] = {{"", text("v")}};
         a.u.macro.macroParms = {1, p};
         a.u.macro.macroText = nullptr;
       },
       {kTQErrMacroParmName}},
      {"parameter value of 256",
       1,
       [](auto& a) {
         static TQMacroParmStruct p[1] = {{"p", of(k256)}};
         a.u.macro.macroParms = {1, p};
       },
       {kTQErrMacroParmValue}},
      {"parameters without array",
       1,
       [](auto& a) {
         a.u.macro.macroParms = {1, nullptr};
       },
       {kTQErrNullArray}},
  });
  // A missing parameter value becomes an empty text.
  TQMacroParmStruct p[1] = {{"p", nullptr}};
  TQActiveLinkActionStruct action = validAction(1);
  action.u.macro.macroParms = {1, p};
  Status s;
  EXPECT_TRUE(Outcome(tqCheckActiveLinkAction(&action, s.get()), s, {}));
  ASSERT_NE(p[0].value, nullptr);
  EXPECT_STREQ(p[0].value, "");
  std::free(p[0].value);
}

TEST(ParmchckActiveLink, SetFieldCharacteristics) {
  runCases({
      {"valid", 5, none, {}},
      {"field 0", 5, [](auto& a) { a.u.characteristics.fieldId = 0; }, {kTQErrBadFieldId}},
      {"menu name of 31",
       5,
       [](auto& a) { a.u.characteristics.charMenu = of(k65) + 34; },
       {kTQErrNameTooLong}},
      {"bad property",
       5,
       [](auto& a) {
         static TQPropStruct prop{1, {}};
         prop.value.dataType = 42;
         a.u.characteristics.props = {1, &prop};
       },
       {kTQErrBadDataType}},
      {"focus 2", 5, [](auto& a) { a.u.characteristics.focus = 2; }, {kTQErrBadFocus}},
      {"access 3", 5, [](auto& a) { a.u.characteristics.accessOption = 3; }, {}},
      {"access 4",
       5,
       [](auto& a) { a.u.characteristics.accessOption = 4; },
       {kTQErrBadAccessOption}},
  });
  TQActiveLinkActionStruct action = validAction(5);
  action.u.characteristics.charMenu = nullptr;
  Status s;
  EXPECT_TRUE(Outcome(tqCheckActiveLinkAction(&action, s.get()), s, {}));
  ASSERT_NE(action.u.characteristics.charMenu, nullptr);
  EXPECT_STREQ(action.u.characteristics.charMenu, "");
  std::free(action.u.characteristics.charMenu);
}

TEST(ParmchckActiveLink, Dde) {
  runCases({
      {"valid", 6, none, {}},
      {"no service", 6, [](auto& a) { a.u.dde.serviceName = nullptr; }, {kTQErrBadDdeName}},
      {"topic of 64", 6, [](auto& a) { a.u.dde.topic = of(k64); }, {}},
      {"topic of 65", 6, [](auto& a) { a.u.dde.topic = of(k65); }, {kTQErrBadDdeName}},
      {"action 4", 6, [](auto& a) { a.u.dde.action = 4; }, {kTQErrBadDdeAction}},
      {"path of 256",
       6,
       [](auto& a) { a.u.dde.pathToProgram = of(k256); },
       {kTQErrFileNameTooLong}},
      {"command of 256", 6, [](auto& a) { a.u.dde.command = of(k256); }, {kTQErrBadProcess}},
      {"poke without command", 6, [](auto& a) { a.u.dde.command = nullptr; }, {kTQErrBadProcess}},
  });
  // A request needs no command; the missing item and command become empty.
  TQActiveLinkActionStruct action = validAction(6);
  action.u.dde.action = TQ_DDE_REQUEST;
  action.u.dde.item = nullptr;
  action.u.dde.command = nullptr;
  Status s;
  EXPECT_TRUE(Outcome(tqCheckActiveLinkAction(&action, s.get()), s, {}));
  EXPECT_STREQ(action.u.dde.item, "");
  EXPECT_STREQ(action.u.dde.command, "");
  std::free(action.u.dde.item);
  std::free(action.u.dde.command);
}

TEST(ParmchckActiveLink, OpenDialogAndCallGuide) {
  static TQFieldAssignStruct badPair{};  // assignment type 0
  runCases({
      {"dialog", 10, none, {}},
      {"dialog without server",
       10,
       [](auto& a) { a.u.openDialog.server[0] = '\0'; },
       {kTQErrNoServer}},
      {"dialog server unterminated",
       10,
       [](auto& a) { std::memset(a.u.openDialog.server, 's', sizeof(TQServerNameType)); },
       {kTQErrNameTooLong}},
      {"dialog without schema",
       10,
       [](auto& a) { a.u.openDialog.schema[0] = '\0'; },
       {kTQErrNoSchema}},
      {"dialog with a bad output pair",
       10,
       [](auto& a) {
         a.u.openDialog.outputValueFieldPairs = {1, &badPair};
       },
       {kTQErrWrongParmSequence, kTQErrBadAssignment, kTQErrBadAssignType}},
      {"guide", 13, none, {}},
      {"guide without server",
       13,
       [](auto& a) { a.u.callGuide.server[0] = '\0'; },
       {kTQErrNoServer}},
      {"guide without name",
       13,
       [](auto& a) { a.u.callGuide.guideName[0] = '\0'; },
       {kTQErrNoGuideName}},
  });
}

TEST(ParmchckActiveLink, MethodCall) {
  runCases({
      {"valid", 9, none, {}},
      {"server of 65",
       9,
       [](auto& a) { a.u.methodCall.serverName = of(k65); },
       {kTQErrBadAutomationName}},
      {"class id of 2000", 9, [](auto& a) { a.u.methodCall.classId = of(k2000); }, {}},
      {"class id of 2001",
       9,
       [](auto& a) { a.u.methodCall.classId = of(k2001); },
       {kTQErrBadClassId}},
      {"no action text",
       9,
       [](auto& a) { a.u.methodCall.actionText = nullptr; },
       {kTQErrBadActionText}},
      {"no methods", 9, [](auto& a) { a.u.methodCall.methodList.numItems = 0; }, {kTQErrNoMethods}},
  });
  struct Case {
    const char* what;
    std::function<void(TQMethodStruct&)> change;
    Numbers expected;
  } cases[] = {
      {"method name of 129",
       [](auto& m) { m.methodName = of(k129); },
       {kTQErrBadMethod, kTQErrBadActionText}},
      {"return kind 3",
       [](auto& m) { m.returnValue.kind = 3; },
       {kTQErrBadMethod, kTQErrBadMethodValue, kTQErrBadMethodValue}},
      // The typed value's own error stays out of the list.
      {"return value 42",
       [](auto& m) { m.returnValue.kind = 2, m.returnValue.u.value.dataType = 42; },
       {kTQErrBadMethod, kTQErrBadMethodValue, kTQErrBadMethodValue}},
      {"return type name of 129",
       [](auto& m) { m.returnValue.name = of(k129); },
       {kTQErrBadMethod, kTQErrBadMethodValue, kTQErrBadActionText}},
      {"parameter without name",
       [](auto& m) {
         static TQMethodParmStruct p{nullptr, {nullptr, 0, {}}};
         m.parameters = {1, &p};
       },
       {kTQErrBadMethod, kTQErrBadMethodParm, kTQErrBadAutomationName}},
      {"parameter with a bad value",
       [](auto& m) {
         static TQMethodParmStruct p{text("x"), {nullptr, 7, {}}};
         m.parameters = {1, &p};
       },
       {kTQErrBadMethod, kTQErrBadMethodParm, kTQErrBadMethodValue, kTQErrBadMethodValue}},
  };
  for (const Case& c : cases) {
    TQMethodStruct method{text("Open"), {nullptr, TQ_METHOD_VALUE_FIELD, {}}, {0, nullptr}};
    c.change(method);
    TQActiveLinkActionStruct action = validAction(9);
    action.u.methodCall.methodList = {1, &method};
    Status s;
    EXPECT_TRUE(Outcome(tqCheckActiveLinkAction(&action, s.get()), s, c.expected)) << c.what;
  }
  Status s;
  EXPECT_TRUE(Outcome(tqCheckMethod(nullptr, s.get()), s, {kTQErrNoMethod}));
}

TEST(ParmchckActiveLink, ActionList) {
  std::vector<TQActiveLinkActionStruct> actions(26, validAction(TQ_ACTIVE_LINK_ACTION_COMMITC));
  TQActiveLinkActionList list{25, actions.data()};
  Status s;
  EXPECT_TRUE(Outcome(tqCheckActiveLinkActionList(&list, s.get()), s, {}));
  list.numItems = 26;
  Status many;
  EXPECT_TRUE(
      Outcome(tqCheckActiveLinkActionList(&list, many.get()), many, {kTQErrTooManyActions}));
  Status empty;
  EXPECT_TRUE(Outcome(tqCheckActiveLinkActionList(nullptr, empty.get()), empty,
                      {kTQErrNoActiveLinkActions}));
}

}  // namespace
