// Filter and escalation actions and their lists.
#include <cstdlib>
#include <functional>
#include <vector>

#include "parmchck_fixture.h"

namespace {

TQFilterActionStruct processAction() {
  TQFilterActionStruct a{};
  a.action = TQ_FILTER_ACTION_PROCESS;
  a.u.process = const_cast<char*>("run.sh");
  return a;
}

TQFilterActionStruct notifyAction() {
  TQFilterActionStruct a{};
  a.action = TQ_FILTER_ACTION_NOTIFY;
  TQFilterActionNotify& n = a.u.notify;
  n.user = const_cast<char*>("Demo");
  n.notifyText = const_cast<char*>("changed");
  n.notifyPriority = 10;
  n.notifyMechanism = TQ_NOTIFY_VIA_EMAIL;
  n.subjectText = const_cast<char*>("subject");
  n.fieldIdListType = TQ_FILTER_FIELD_IDS_ALL;
  return a;
}

TQFilterActionStruct messageAction() {
  TQFilterActionStruct a{};
  a.action = TQ_FILTER_ACTION_MESSAGE;
  a.u.message = {TQ_MSG_ERROR, 10000, const_cast<char*>("refused"), 0};
  return a;
}

struct ActionCase {
  const char* what;
  std::function<TQFilterActionStruct()> make;
  TQBoolean escalation;
  TQBoolean elseList;
  Numbers expected;
};

std::function<TQFilterActionStruct()> with(TQFilterActionStruct (*base)(),
                                           std::function<void(TQFilterActionStruct&)> change) {
  return [=] {
    TQFilterActionStruct a = base();
    change(a);
    return a;
  };
}

TEST(ParmchckFilter, Actions) {
  static const std::string text255(255, 't'), text256(256, 't');
  static uint32_t fieldIds[1] = {8};
  char* t255 = const_cast<char*>(text255.c_str());
  char* t256 = const_cast<char*>(text256.c_str());
  const ActionCase cases[] = {
      {"process", processAction, 0, 0, {}},
      {"process of 256",
       with(processAction, [=](auto& a) { a.u.process = t256; }),
       0,
       0,
       {kTQErrBadProcess}},
      {"empty process",
       with(processAction, [](auto& a) { a.u.process = const_cast<char*>(""); }),
       0,
       0,
       {kTQErrBadProcess}},
      {"type 0", with(processAction, [](auto& a) { a.action = 0; }), 0, 0, {kTQErrBadFilterAction}},
      {"type 9", with(processAction, [](auto& a) { a.action = 9; }), 0, 0, {kTQErrBadFilterAction}},
      {"type 9, escalation",
       with(processAction, [](auto& a) { a.action = 9; }),
       1,
       0,
       {kTQErrBadEscalationAction}},
      // Notify
      {"notify", notifyAction, 0, 0, {}},
      {"mechanism 0",
       with(notifyAction, [](auto& a) { a.u.notify.notifyMechanism = 0; }),
       0,
       0,
       {kTQErrBadNotifyMechanism}},
      {"mechanism 99",
       with(notifyAction, [](auto& a) { a.u.notify.notifyMechanism = 99; }),
       0,
       0,
       {}},
      {"mechanism 100",
       with(notifyAction, [](auto& a) { a.u.notify.notifyMechanism = 100; }),
       0,
       0,
       {kTQErrBadNotifyMechanism}},
      {"priority 11",
       with(notifyAction, [](auto& a) { a.u.notify.notifyPriority = 11; }),
       0,
       0,
       {kTQErrNotifyPriority}},
      {"no user",
       with(notifyAction, [](auto& a) { a.u.notify.user = nullptr; }),
       0,
       0,
       {kTQErrNotifyUser}},
      {"user of 255", with(notifyAction, [=](auto& a) { a.u.notify.user = t255; }), 0, 0, {}},
      {"user of 256",
       with(notifyAction, [=](auto& a) { a.u.notify.user = t256; }),
       0,
       0,
       {kTQErrNotifyUser}},
      {"no text",
       with(notifyAction, [](auto& a) { a.u.notify.notifyText = nullptr; }),
       0,
       0,
       {kTQErrNotifyText}},
      {"text of 256",
       with(notifyAction, [=](auto& a) { a.u.notify.notifyText = t256; }),
       0,
       0,
       {kTQErrNotifyText}},
      {"subject of 256",
       with(notifyAction, [=](auto& a) { a.u.notify.subjectText = t256; }),
       0,
       0,
       {kTQErrNotifySubject}},
      {"field list type 4",
       with(notifyAction, [](auto& a) { a.u.notify.fieldIdListType = 4; }),
       0,
       0,
       {kTQErrNotifyFieldList}},
      {"field list without array",
       with(notifyAction,
            [](auto& a) {
              a.u.notify.fieldIdListType = 2, a.u.notify.fieldIdList = {1, nullptr};
            }),
       0,
       0,
       {kTQErrNullArray}},
      {"field list",
       with(notifyAction,
            [](auto& a) {
              a.u.notify.fieldIdListType = 2, a.u.notify.fieldIdList = {1, fieldIds};
            }),
       0,
       0,
       {}},
      // Message
      {"message 10000", messageAction, 0, 0, {}},
      {"message 9999",
       with(messageAction, [](auto& a) { a.u.message.messageNumber = 9999; }),
       0,
       0,
       {kTQErrBadMessageNumber}},
      {"message 0",
       with(messageAction, [](auto& a) { a.u.message.messageNumber = 0; }),
       0,
       0,
       {kTQErrBadMessageNumber}},
      {"message -1",
       with(messageAction, [](auto& a) { a.u.message.messageNumber = -1; }),
       0,
       0,
       {}},
      {"message type 3",
       with(messageAction, [](auto& a) { a.u.message.messageType = 3; }),
       0,
       0,
       {kTQErrBadMessageType}},
      {"prompt",
       with(messageAction, [](auto& a) { a.u.message.messageType = TQ_MSG_PROMPT; }),
       0,
       0,
       {kTQErrBadMessageType}},
      {"no message text",
       with(messageAction, [](auto& a) { a.u.message.messageText = nullptr; }),
       0,
       0,
       {kTQErrBadMessageText}},
      {"message text of 255",
       with(messageAction, [=](auto& a) { a.u.message.messageText = t255; }),
       0,
       0,
       {}},
      {"message text of 256",
       with(messageAction, [=](auto& a) { a.u.message.messageText = t256; }),
       0,
       0,
       {kTQErrBadMessageText}},
      {"message in an escalation", messageAction, 1, 0, {kTQErrWrongActionForEscalation}},
      // Log file
      {"log without name",
       with(processAction, [](auto& a) { a.action = 3, a.u.logFile = nullptr; }),
       0,
       0,
       {}},
      {"log of 256",
       with(processAction, [=](auto& a) { a.action = 3, a.u.logFile = t256; }),
       0,
       0,
       {kTQErrFileNameTooLong}},
      {"log in an escalation", with(processAction, [](auto& a) { a.action = 3; }), 1, 0, {}},
      {"log in an escalation's else list",
       with(processAction, [](auto& a) { a.action = 3; }),
       1,
       1,
       {kTQErrWrongActionForEscalation}},
      {"log in a filter's else list", with(processAction, [](auto& a) { a.action = 3; }), 0, 1, {}},
      // SQL, goto, assignments
      {"sql",
       with(processAction,
            [](auto& a) {
              a.action = 7, a.u.sqlCommand.sqlCommand = const_cast<char*>("update t");
            }),
       0,
       0,
       {}},
      {"sql without command",
       with(processAction, [](auto& a) { a.action = 7, a.u.sqlCommand.sqlCommand = nullptr; }),
       0,
       0,
       {kTQErrNoSqlCommand}},
      {"goto field",
       with(processAction,
            [](auto& a) {
              a.action = 8, a.u.gotoAction = {1, 536};
            }),
       0,
       0,
       {}},
      {"goto field 0",
       with(processAction,
            [](auto& a) {
              a.action = 8, a.u.gotoAction = {1, 0};
            }),
       0,
       0,
       {kTQErrNoAssignRecord}},
      {"goto order 0",
       with(processAction,
            [](auto& a) {
              a.action = 8, a.u.gotoAction = {2, 0};
            }),
       0,
       0,
       {}},
      {"goto tag 3",
       with(processAction,
            [](auto& a) {
              a.action = 8, a.u.gotoAction = {3, 1};
            }),
       0,
       0,
       {kTQErrBadGotoAction}},
      {"set fields, empty",
       with(processAction,
            [](auto& a) {
              a.action = 4, a.u.setFields = {0, nullptr};
            }),
       0,
       0,
       {kTQErrNoAssignments}},
      {"push fields, empty",
       with(processAction,
            [](auto& a) {
              a.action = 6, a.u.pushFields = {0, nullptr};
            }),
       0,
       0,
       {kTQErrNoAssignments}},
  };
  for (const ActionCase& c : cases) {
    TQFilterActionStruct action = c.make();
    Status s;
    EXPECT_TRUE(
        Outcome(tqCheckFilterAction(&action, c.escalation, c.elseList, s.get()), s, c.expected))
        << c.what;
  }
}

TEST(ParmchckFilter, NotifyNormalisations) {
  TQFilterActionStruct action = notifyAction();
  static uint32_t ids[2] = {1, 2};
  action.u.notify.subjectText = nullptr;
  action.u.notify.fieldIdListType = TQ_FILTER_FIELD_IDS_NONE;
  action.u.notify.fieldIdList = {2, ids};
  Status s;
  EXPECT_TRUE(Outcome(tqCheckFilterAction(&action, 0, 0, s.get()), s, {}));
  ASSERT_NE(action.u.notify.subjectText, nullptr);
  EXPECT_STREQ(action.u.notify.subjectText, "");
  std::free(action.u.notify.subjectText);
  EXPECT_EQ(action.u.notify.fieldIdList.numItems, 0u);  // nothing sent for NONE
}

TEST(ParmchckFilter, ActionLists) {
  std::vector<TQFilterActionStruct> actions(26, processAction());
  struct Case {
    const char* what;
    uint32_t count;
    TQBoolean escalation;
    Numbers expected;
  } cases[] = {
      {"25 actions", 25, 0, {}},
      {"26 actions", 26, 0, {kTQErrTooManyActions}},
      {"empty filter list", 0, 0, {kTQErrNoFilterActions}},
      {"empty escalation list", 0, 1, {kTQErrNoEscalationActions}},
  };
  for (const Case& c : cases) {
    TQFilterActionList list{c.count, actions.data()};
    Status s;
    EXPECT_TRUE(Outcome(tqCheckFilterActionList(&list, c.escalation, 0, s.get()), s, c.expected))
        << c.what;
  }
  // The first failing action ends the check.
  actions[1].action = 0;
  actions[2].action = 9;
  TQFilterActionList list{3, actions.data()};
  Status s;
  EXPECT_TRUE(Outcome(tqCheckFilterActionList(&list, 0, 0, s.get()), s, {kTQErrBadFilterAction}));
  TQFilterActionList counted{1, nullptr};
  Status n, e;
  EXPECT_TRUE(Outcome(tqCheckFilterActionList(&counted, 0, 0, n.get()), n, {kTQErrNullArray}));
  EXPECT_TRUE(
      Outcome(tqCheckFilterActionList(nullptr, 1, 0, e.get()), e, {kTQErrNoEscalationActions}));
}

}  // namespace
