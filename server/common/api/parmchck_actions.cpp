// Checks of filter, escalation and active-link actions, including the
// method calls of automation actions.
#include <initializer_list>

#include "api/parmchck_core.h"

using namespace parmchck;

namespace {

constexpr uint32_t kMaxActions = 25;
constexpr uint32_t kMaxNotifyMechanism = 99;
constexpr size_t kMaxNotifyText = 255;
constexpr int32_t kLastServerMessage = 9999;  // 0 to 9999 are the server's own numbers
constexpr size_t kMaxFilterMessageText = 255;
constexpr size_t kMaxPromptText = TQ_MAX_PROMPT_TEXT - 1;
constexpr size_t kMaxFileName = 255;
constexpr size_t kMaxProcess = 255;
constexpr size_t kMaxMacroParmValue = 255;
constexpr uint32_t kMaxAccessOption = TQ_FIELD_ACCESS_DISABLE;
constexpr size_t kMaxAutomationName = 64;
constexpr size_t kMaxClassId = 2000;
constexpr size_t kMaxActionText = 128;
constexpr size_t kMaxMethodName = 128;
constexpr size_t kMaxMethodParmName = 64;
constexpr size_t kMaxMethodValueName = 128;
constexpr size_t kMaxGuideLabel = 128;
constexpr size_t kMaxWaitTitle = 64;

const TextRule kProcessRule{kMaxProcess, kTQErrBadProcess, kTQErrBadProcess};

uint32_t checkNotify(TQFilterActionNotify& notify, TQStatusList* status) {
  uint32_t result = ensureText(&notify.subjectText, status);
  if (result != 0) return result;
  if (notify.notifyMechanism < 1 || notify.notifyMechanism > kMaxNotifyMechanism) {
    return fail(status, kTQErrBadNotifyMechanism);
  }
  if (notify.notifyPriority > TQ_MAX_NOTIFY_PRIORITY) return fail(status, kTQErrNotifyPriority);
  if (notify.user == nullptr || tqParmEncodedLength(notify.user) > kMaxNotifyText) {
    return fail(status, kTQErrNotifyUser);
  }
  if (notify.notifyText == nullptr || tqParmEncodedLength(notify.notifyText) > kMaxNotifyText) {
    return fail(status, kTQErrNotifyText);
  }
  if (tqParmEncodedLength(notify.subjectText) > kMaxNotifyText) {
    return fail(status, kTQErrNotifySubject);
  }
  if (notify.fieldIdListType > TQ_FILTER_FIELD_IDS_CHANGED) {
    return fail(status, kTQErrNotifyFieldList);
  }
  if (notify.fieldIdListType == TQ_FILTER_FIELD_IDS_NONE) {
    // No fields go with the notice. The count is cleared so that none are
    // sent; the array stays with the caller, who allocated it.
    notify.fieldIdList.numItems = 0;
  } else if (nullArray(notify.fieldIdList.numItems, notify.fieldIdList.internalIdList)) {
    return fail(status, kTQErrNullArray);
  }
  return 0;
}

// The message of a filter (text up to 255) or of an active link (up to 4095,
// and prompts).
uint32_t checkMessage(const TQMessageStruct& message, bool activeLink, TQStatusList* status) {
  bool typeOk =
      message.messageType <= TQ_MSG_ERROR || (activeLink && message.messageType == TQ_MSG_PROMPT);
  if (!typeOk) return fail(status, kTQErrBadMessageType);
  if (message.messageNumber >= 0 && message.messageNumber <= kLastServerMessage) {
    return fail(status, kTQErrBadMessageNumber);
  }
  size_t maxText = activeLink ? kMaxPromptText : kMaxFilterMessageText;
  if (message.messageText == nullptr || tqParmEncodedLength(message.messageText) > maxText) {
    return fail(status, kTQErrBadMessageText);
  }
  return 0;
}

uint32_t checkSql(const TQSQLStruct& sql, TQStatusList* status) {
  return isEmpty(sql.sqlCommand) ? fail(status, kTQErrNoSqlCommand) : 0;
}

uint32_t checkGoto(const TQGotoActionStruct& jump, TQStatusList* status) {
  if (jump.tag != TQ_GOTO_FIELD_XREF && jump.tag != TQ_GOTO_ABSOLUTE_ORDER) {
    return fail(status, kTQErrBadGotoAction);
  }
  if (jump.tag == TQ_GOTO_FIELD_XREF && jump.fieldIdOrValue == 0) {
    return fail(status, kTQErrNoAssignRecord);
  }
  return 0;
}

uint32_t checkMacro(TQActiveLinkMacroStruct& macro, TQStatusList* status) {
  TQMacroParmList& parms = macro.macroParms;
  if (nullArray(parms.numItems, parms.parms)) return fail(status, kTQErrNullArray);
  for (uint32_t i = 0; i < parms.numItems; ++i) {
    TQMacroParmStruct& parm = parms.parms[i];
    if (parm.name[0] == '\0') return fail(status, kTQErrMacroParmName);
    uint32_t result = ensureText(&parm.value, status);
    if (result != 0) return result;
    if (tqParmEncodedLength(parm.value) > kMaxMacroParmValue) {
      return fail(status, kTQErrMacroParmValue);
    }
  }
  if (macro.macroName[0] == '\0' || isEmpty(macro.macroText)) return fail(status, kTQErrBadMacro);
  return 0;
}

uint32_t checkCharacteristics(TQFieldCharacteristics& chars, TQStatusList* status) {
  if (chars.fieldId == 0) return fail(status, kTQErrBadFieldId);
  if (tqParmEncodedLength(chars.charMenu) > TQ_MAX_NAME_SIZE) {
    return fail(status, kTQErrNameTooLong);
  }
  uint32_t result = tqCheckPropList(&chars.props, 1, status);
  if (result >= 2) return result;
  if (chars.focus > TQ_FOCUS_SET_TO_FIELD) return fail(status, kTQErrBadFocus);
  if (chars.accessOption > kMaxAccessOption) return fail(status, kTQErrBadAccessOption);
  return ensureText(&chars.charMenu, status);
}

uint32_t checkOpenDialog(TQOpenDialogStruct& dialog, TQStatusList* status) {
  uint32_t result = checkFixed(
      dialog.server, TextRule{TQ_MAX_SERVER_SIZE, kTQErrNoServer, kTQErrNameTooLong}, status);
  if (result == 0) {
    result = checkFixed(dialog.schema,
                        TextRule{TQ_MAX_NAME_SIZE, kTQErrNoSchema, kTQErrNameTooLong}, status);
  }
  if (result != 0) return result;
  for (TQFieldAssignList* pairs : {&dialog.inputValueFieldPairs, &dialog.outputValueFieldPairs}) {
    if (pairs->numItems != 0 && tqCheckFieldAssignList(pairs, status) >= 2) {
      return failAfter(status, kTQErrWrongParmSequence);
    }
  }
  return 0;
}

uint32_t checkCallGuide(const TQCallGuideStruct& guide, TQStatusList* status) {
  uint32_t result = checkFixed(
      guide.server, TextRule{TQ_MAX_SERVER_SIZE, kTQErrNoServer, kTQErrNameTooLong}, status);
  if (result != 0) return result;
  return checkFixed(guide.guideName,
                    TextRule{TQ_MAX_NAME_SIZE, kTQErrNoGuideName, kTQErrNameTooLong}, status);
}

// A method's return value or a parameter's value. The value check of a typed
// value runs on a list of its own: only 8706 is reported for it.
uint32_t checkMethodValue(TQMethodValueStruct& value, TQStatusList* status) {
  if (tqParmEncodedLength(value.name) > kMaxMethodValueName) {
    return fail(status, kTQErrBadActionText);
  }
  switch (value.kind) {
    case TQ_METHOD_VALUE_NONE:
    case TQ_METHOD_VALUE_FIELD:
      return 0;
    case TQ_METHOD_VALUE_VALUE: {
      TQStatusList scratch{0, nullptr};
      uint32_t result = tqCheckValue(&value.u.value, &scratch);
      FreeTQStatusList(&scratch, 0);
      return result >= 2 ? fail(status, kTQErrBadMethodValue) : 0;
    }
    default:
      return fail(status, kTQErrBadMethodValue);
  }
}

uint32_t checkMethodParm(TQMethodParmStruct* parm, TQStatusList* status) {
  if (parm == nullptr) return fail(status, kTQErrNoMethodParm);
  uint32_t result = checkText(
      parm->name, TextRule{kMaxMethodParmName, kTQErrBadAutomationName, kTQErrBadAutomationName},
      status);
  if (result != 0) return result;
  if (checkMethodValue(parm->value, status) >= 2) return failAfter(status, kTQErrBadMethodValue);
  return 0;
}

}  // namespace

uint32_t tqCheckMethod(TQMethodStruct* method, TQStatusList* status) {
  if (method == nullptr) return fail(status, kTQErrNoMethod);
  uint32_t result =
      checkText(method->methodName,
                TextRule{kMaxMethodName, kTQErrBadActionText, kTQErrBadActionText}, status);
  if (result != 0) return result;
  if (checkMethodValue(method->returnValue, status) >= 2) {
    return failAfter(status, kTQErrBadMethodValue);
  }
  TQMethodParmList& parms = method->parameters;
  if (nullArray(parms.numItems, parms.parameterList)) return fail(status, kTQErrNullArray);
  for (uint32_t i = 0; i < parms.numItems; ++i) {
    if (checkMethodParm(&parms.parameterList[i], status) >= 2) {
      return failAfter(status, kTQErrBadMethodParm);
    }
  }
  return 0;
}

uint32_t tqCheckMethodCall(TQMethodCallStruct* call, TQStatusList* status) {
  if (call == nullptr) return fail(status, kTQErrNoMethodCall);
  uint32_t result = checkText(
      call->serverName,
      TextRule{kMaxAutomationName, kTQErrBadAutomationName, kTQErrBadAutomationName}, status);
  if (result == 0) {
    result =
        checkText(call->classId, TextRule{kMaxClassId, kTQErrBadClassId, kTQErrBadClassId}, status);
  }
  if (result == 0) {
    result = checkText(call->actionText,
                       TextRule{kMaxActionText, kTQErrBadActionText, kTQErrBadActionText}, status);
  }
  if (result != 0) return result;
  if (call->methodList.numItems == 0) return fail(status, kTQErrNoMethods);
  if (nullArray(call->methodList.numItems, call->methodList.methodList)) {
    return fail(status, kTQErrNullArray);
  }
  for (uint32_t i = 0; i < call->methodList.numItems; ++i) {
    if (tqCheckMethod(&call->methodList.methodList[i], status) >= 2) {
      return failAfter(status, kTQErrBadMethod);
    }
  }
  return 0;
}

uint32_t tqCheckFilterAction(TQFilterActionStruct* action, TQBoolean escalation, TQBoolean elseList,
                             TQStatusList* status) {
  if (action == nullptr) {
    return fail(status, escalation ? kTQErrNoEscalationActions : kTQErrNoFilterActions);
  }
  switch (action->action) {
    case TQ_FILTER_ACTION_NOTIFY:
      return checkNotify(action->u.notify, status);
    case TQ_FILTER_ACTION_MESSAGE:
      // An escalation runs without a user who could read a message.
      if (escalation) return fail(status, kTQErrWrongActionForEscalation);
      return checkMessage(action->u.message, false, status);
    case TQ_FILTER_ACTION_LOG:
      if (escalation && elseList) return fail(status, kTQErrWrongActionForEscalation);
      return tqParmEncodedLength(action->u.logFile) > kMaxFileName
                 ? fail(status, kTQErrFileNameTooLong)
                 : 0;
    case TQ_FILTER_ACTION_FIELDS:
      return tqCheckFieldAssignList(&action->u.setFields, status);
    case TQ_FILTER_ACTION_PROCESS:
      return checkText(action->u.process, kProcessRule, status);
    case TQ_FILTER_ACTION_FIELDP:
      return tqCheckPushFieldsList(&action->u.pushFields, status);
    case TQ_FILTER_ACTION_SQL:
      return checkSql(action->u.sqlCommand, status);
    case TQ_FILTER_ACTION_GOTOACTION:
      return checkGoto(action->u.gotoAction, status);
    default:
      return fail(status, escalation ? kTQErrBadEscalationAction : kTQErrBadFilterAction);
  }
}

uint32_t tqCheckFilterActionList(TQFilterActionList* list, TQBoolean escalation, TQBoolean elseList,
                                 TQStatusList* status) {
  if (list == nullptr || list->numItems == 0) {
    return fail(status, escalation ? kTQErrNoEscalationActions : kTQErrNoFilterActions);
  }
  if (nullArray(list->numItems, list->actionList)) return fail(status, kTQErrNullArray);
  if (list->numItems > kMaxActions) return fail(status, kTQErrTooManyActions);
  for (uint32_t i = 0; i < list->numItems; ++i) {
    uint32_t result = tqCheckFilterAction(&list->actionList[i], escalation, elseList, status);
    if (result >= 2) return result;
  }
  return 0;
}

uint32_t tqCheckActiveLinkAction(TQActiveLinkActionStruct* action, TQStatusList* status) {
  if (action == nullptr) return fail(status, kTQErrNoActiveLinkActions);
  switch (action->action) {
    case TQ_ACTIVE_LINK_ACTION_MACRO:
      return checkMacro(action->u.macro, status);
    case TQ_ACTIVE_LINK_ACTION_FIELDS:
      return tqCheckFieldAssignList(&action->u.setFields, status);
    case TQ_ACTIVE_LINK_ACTION_PROCESS:
      return checkText(action->u.process, kProcessRule, status);
    case TQ_ACTIVE_LINK_ACTION_MESSAGE:
      return checkMessage(action->u.message, true, status);
    case TQ_ACTIVE_LINK_ACTION_SET_CHAR:
      return checkCharacteristics(action->u.characteristics, status);
    case TQ_ACTIVE_LINK_ACTION_DDE:
      return tqCheckDde(&action->u.dde, status);
    case TQ_ACTIVE_LINK_ACTION_FIELDP:
      return tqCheckPushFieldsList(&action->u.pushFields, status);
    case TQ_ACTIVE_LINK_ACTION_SQL:
      return checkSql(action->u.sqlCommand, status);
    case TQ_ACTIVE_LINK_ACTION_METHOD:
      return tqCheckMethodCall(&action->u.methodCall, status);
    case TQ_ACTIVE_LINK_ACTION_OPENDLG:
      return checkOpenDialog(action->u.openDialog, status);
    case TQ_ACTIVE_LINK_ACTION_COMMITC:
    case TQ_ACTIVE_LINK_ACTION_CLOSEWND:
    case TQ_ACTIVE_LINK_ACTION_EXITGUIDE:
      return 0;
    case TQ_ACTIVE_LINK_ACTION_CALLGUIDE:
      return checkCallGuide(action->u.callGuide, status);
    case TQ_ACTIVE_LINK_ACTION_GOTOGUIDELABEL:
      return checkText(action->u.gotoGuideLabel.label,
                       TextRule{kMaxGuideLabel, kTQErrBadGuideLabel, kTQErrBadGuideLabel}, status);
    case TQ_ACTIVE_LINK_ACTION_WAIT:
      return checkText(action->u.waitAction.continueButtonTitle,
                       TextRule{kMaxWaitTitle, kTQErrBadWaitTitle, kTQErrBadWaitTitle}, status);
    case TQ_ACTIVE_LINK_ACTION_GOTOACTION:
      return checkGoto(action->u.gotoAction, status);
    default:
      return fail(status, kTQErrBadActiveLinkAction);
  }
}

uint32_t tqCheckActiveLinkActionList(TQActiveLinkActionList* list, TQStatusList* status) {
  if (list == nullptr || list->numItems == 0) return fail(status, kTQErrNoActiveLinkActions);
  if (nullArray(list->numItems, list->actionList)) return fail(status, kTQErrNullArray);
  if (list->numItems > kMaxActions) return fail(status, kTQErrTooManyActions);
  for (uint32_t i = 0; i < list->numItems; ++i) {
    uint32_t result = tqCheckActiveLinkAction(&list->actionList[i], status);
    if (result >= 2) return result;
  }
  return 0;
}
