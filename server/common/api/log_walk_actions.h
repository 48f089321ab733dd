// The walks of the assignments and filter actions (see log_walk.h for what a
// walk is and what its visitor provides).
#pragma once

#include "api/log_walk.h"

extern const TQWords kTQAssignTypeWords;
extern const TQWords kTQFilterActionWords;

template <class V>
void tqWalk(V& v, TQAssignStruct& x);

template <class V>
void tqWalk(V& v, TQAssignFieldStruct& x) {
  v.record("assign-field:", [&] {
    v.fixed("Server:", x.server, sizeof x.server);
    v.fixed("Schema:", x.schema, sizeof x.schema);
    tqWalk(v, x.qualifier);
    v.tag("Tag:", x.tag, kTQOperandWords);
    if (x.tag == TQ_STAT_HISTORY) {
      v.u32("Enum Index:", x.u.statHistory.enumIndex);
      v.word("User or Time:", x.u.statHistory.userOrTime, kTQStatHistoryWords);
    } else {
      v.u32("Field Id:", x.u.fieldId);
    }
    v.endTag();
    v.u32("No Match Option:", x.noMatchOption);
    v.u32("Multi Match Option:", x.multiMatchOption);
  });
}

template <class V>
void tqWalk(V& v, TQArithOpAssignStruct& x) {
  v.record("Arithmetic Operation:", [&] {
    v.word("Operation:", x.operation, kTQArithOpWords);
    if (x.operation != TQ_ARITH_OP_NEGATE) tqWalk(v, x.left);
    tqWalk(v, x.right);
  });
}

template <class V>
void tqWalk(V& v, TQFunctionAssignStruct& x) {
  v.record("function assignment:", [&] {
    v.u32("Function Code:", x.functionCode);
    v.list("Parameter", x.numItems, x.parameterList, [&](TQAssignStruct& a) { tqWalk(v, a); });
  });
}

template <class V>
void tqWalk(V& v, TQDDEStruct& x) {
  v.record("DDE Struct:", [&] {
    v.text("Service Name:", x.serviceName);
    v.text("Topic:", x.topic);
    v.text("Item:", x.item);
    v.u32("Action:", x.action);
    v.text("Path to Program:", x.pathToProgram);
    v.text("Command:", x.command);
  });
}

template <class V>
void tqWalk(V& v, TQAssignSQLStruct& x) {
  v.record("SQL assignment:", [&] {
    v.fixed("Server:", x.server, sizeof x.server);
    v.text("SQL Command:", x.sqlCommand);
    v.u32("Value Index:", x.valueIndex);
    v.u32("No Match Option:", x.noMatchOption);
    v.u32("Multi Match Option:", x.multiMatchOption);
  });
}

template <class V>
void tqWalk(V& v, TQAssignStruct& x) {
  v.record("assignment:", [&] {
    v.tag("Assign Type:", x.assignType, kTQAssignTypeWords);
    switch (x.assignType) {
      case TQ_ASSIGN_TYPE_VALUE:
        tqWalk(v, x.u.value);
        break;
      case TQ_ASSIGN_TYPE_FIELD:
        v.child(x.u.field, [&](TQAssignFieldStruct& f) { tqWalk(v, f); });
        break;
      case TQ_ASSIGN_TYPE_PROCESS:
        v.text("Process:", x.u.process);
        break;
      case TQ_ASSIGN_TYPE_ARITH:
        v.child(x.u.arithOp, [&](TQArithOpAssignStruct& op) { tqWalk(v, op); });
        break;
      case TQ_ASSIGN_TYPE_FUNCTION:
        v.child(x.u.function, [&](TQFunctionAssignStruct& f) { tqWalk(v, f); });
        break;
      case TQ_ASSIGN_TYPE_DDE:
        v.child(x.u.dde, [&](TQDDEStruct& d) { tqWalk(v, d); });
        break;
      case TQ_ASSIGN_TYPE_SQL:
        v.child(x.u.sql, [&](TQAssignSQLStruct& s) { tqWalk(v, s); });
        break;
      default:
        break;
    }
    v.endTag();
  });
}

template <class V>
void tqWalk(V& v, TQFieldAssignList& x) {
  v.list("Field Assign", x.numItems, x.fieldAssignList, [&](TQFieldAssignStruct& item) {
    v.record("Field Assign Struct:", [&] {
      v.u32("Field Id:", item.fieldId);
      tqWalk(v, item.assignment);
    });
  });
}

template <class V>
void tqWalk(V& v, TQPushFieldsList& x) {
  v.list("Push Fields", x.numItems, x.pushFieldsList, [&](TQPushFieldsStruct& item) {
    v.record("Push Fields Struct:", [&] {
      tqWalk(v, item.field);
      tqWalk(v, item.assign);
    });
  });
}

template <class V>
void tqWalk(V& v, TQFilterActionNotify& x) {
  v.record("notify action:", [&] {
    v.text("User:", x.user);
    v.text("Notify Text:", x.notifyText);
    v.u32("Notify Priority:", x.notifyPriority);
    v.u32("Notify Mechanism:", x.notifyMechanism);
    v.u32("Notify Mechanism XRef:", x.notifyMechanismXRef);
    v.text("Subject Text:", x.subjectText);
    v.u32("Field Id List Type:", x.fieldIdListType);
    tqWalk(v, x.fieldIdList);
  });
}

template <class V>
void tqWalk(V& v, TQMessageStruct& x) {
  v.record("Message Struct:", [&] {
    v.u32("Message Type:", x.messageType);
    v.i32("Message Number:", x.messageNumber);
    v.text("Message Text:", x.messageText);
    v.boolean("Use Prompting Pane:", x.usePromptingPane);
  });
}

template <class V>
void tqWalk(V& v, TQFilterActionStruct& x) {
  v.record("Filter Action Struct:", [&] {
    v.tag("Action:", x.action, kTQFilterActionWords);
    switch (x.action) {
      case TQ_FILTER_ACTION_NOTIFY:
        tqWalk(v, x.u.notify);
        break;
      case TQ_FILTER_ACTION_MESSAGE:
        tqWalk(v, x.u.message);
        break;
      case TQ_FILTER_ACTION_LOG:
        v.text("Log File:", x.u.logFile);
        break;
      case TQ_FILTER_ACTION_FIELDS:
        tqWalk(v, x.u.setFields);
        break;
      case TQ_FILTER_ACTION_PROCESS:
        v.text("Process:", x.u.process);
        break;
      case TQ_FILTER_ACTION_FIELDP:
        tqWalk(v, x.u.pushFields);
        break;
      case TQ_FILTER_ACTION_SQL:
        v.fixed("Server:", x.u.sqlCommand.server, sizeof x.u.sqlCommand.server);
        v.text("SQL Command:", x.u.sqlCommand.sqlCommand);
        break;
      case TQ_FILTER_ACTION_GOTOACTION:
        v.u32("Goto Tag:", x.u.gotoAction.tag);
        v.u32("Field Id or Value:", x.u.gotoAction.fieldIdOrValue);
        break;
      default:
        break;
    }
    v.endTag();
  });
}

template <class V>
void tqWalk(V& v, TQFilterActionList& x) {
  v.list("Filter Action", x.numItems, x.actionList,
         [&](TQFilterActionStruct& item) { tqWalk(v, item); });
}

template <class V>
void tqWalk(V& v, TQEscalationTmStruct& x) {
  v.record("Escalation Time Struct:", [&] {
    v.u32("Escalation Time Type:", x.escalationTmType);
    if (x.escalationTmType == TQ_ESCALATION_TYPE_INTERVAL) {
      v.u32("Interval:", x.u.interval);
    } else if (x.escalationTmType == TQ_ESCALATION_TYPE_TIMEMARK) {
      v.u32("Month Days:", x.u.date.monthday);
      v.u32("Week Days:", x.u.date.weekday);
      v.u32("Hours:", x.u.date.hourmask);
      v.u32("Minute:", x.u.date.minute);
    }
  });
}
