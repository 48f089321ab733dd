// XDR routines of the filter, escalation and active-link actions and of the
// escalation times (see xdr_defs.h).
#include "rpc/xdr_base.h"
#include "rpc/xdr_defs.h"
#include "rpc/xdr_defs_util.h"
#include "rpc/xdr_records.h"

using tqdefs::fixed;
using tqdefs::text;
using tqx::Arm;
using tqx::erased;

// message type, number, text(4096), prompting-pane flag.
bool_t xdr_TQMessageStruct(XDR* xdrs, TQMessageStruct* message) {
  return tqx::u32(xdrs, &message->messageType) && tqx::i32(xdrs, &message->messageNumber) &&
         text<kTQWirePromptText>(xdrs, &message->messageText) &&
         tqx::uchar(xdrs, &message->usePromptingPane);
}

// --------------------------------------------------------- filter actions

// user and text text(256), priority, mechanism, cross-reference field,
// subject text(256), field-list kind, field ids (always, see xdr_defs.h).
bool_t xdr_TQFilterActionNotify(XDR* xdrs, TQFilterActionNotify* notify) {
  return text<kTQWireLimitedText>(xdrs, &notify->user) &&
         text<kTQWireLimitedText>(xdrs, &notify->notifyText) &&
         tqx::u32(xdrs, &notify->notifyPriority) && tqx::u32(xdrs, &notify->notifyMechanism) &&
         tqx::u32(xdrs, &notify->notifyMechanismXRef) &&
         text<kTQWireLimitedText>(xdrs, &notify->subjectText) &&
         tqx::u32(xdrs, &notify->fieldIdListType) &&
         xdr_TQInternalIdList(xdrs, &notify->fieldIdList);
}

bool_t xdr_TQGotoActionStruct(XDR* xdrs, TQGotoActionStruct* gotoAction) {
  return tqx::u32(xdrs, &gotoAction->tag) && tqx::u32(xdrs, &gotoAction->fieldIdOrValue);
}

bool_t xdr_TQFilterActionStruct(XDR* xdrs, TQFilterActionStruct* action) {
  static constexpr Arm arms[] = {
      {TQ_FILTER_ACTION_NONE, TQ_FILTER_ACTION_NONE, nullptr},
      {TQ_FILTER_ACTION_NOTIFY, TQ_FILTER_ACTION_NOTIFY,
       erased<TQFilterActionNotify, xdr_TQFilterActionNotify>},
      {TQ_FILTER_ACTION_MESSAGE, TQ_FILTER_ACTION_MESSAGE,
       erased<TQMessageStruct, xdr_TQMessageStruct>},
      {TQ_FILTER_ACTION_LOG, TQ_FILTER_ACTION_LOG, erased<char*, text<kTQWireLimitedText>>},
      {TQ_FILTER_ACTION_FIELDS, TQ_FILTER_ACTION_FIELDS,
       erased<TQFieldAssignList, xdr_TQFieldAssignList>},
      {TQ_FILTER_ACTION_PROCESS, TQ_FILTER_ACTION_PROCESS, erased<char*, text<kTQWireLimitedText>>},
      {TQ_FILTER_ACTION_FIELDP, TQ_FILTER_ACTION_FIELDP,
       erased<TQPushFieldsList, xdr_TQPushFieldsList>},
      {TQ_FILTER_ACTION_SQL, TQ_FILTER_ACTION_SQL, erased<TQSQLStruct, xdr_TQSQLStruct>},
      {TQ_FILTER_ACTION_GOTOACTION, TQ_FILTER_ACTION_GOTOACTION,
       erased<TQGotoActionStruct, xdr_TQGotoActionStruct>},
  };
  return tqx::unionOf(xdrs, &action->action, &action->u, arms);
}

bool_t xdr_TQFilterActionList(XDR* xdrs, TQFilterActionList* actions) {
  return tqx::list<TQFilterActionStruct, xdr_TQFilterActionStruct>(xdrs, &actions->numItems,
                                                                   &actions->actionList);
}

// ----------------------------------------------------- active-link actions

bool_t xdr_TQMacroParmStruct(XDR* xdrs, TQMacroParmStruct* parm) {
  return fixed(xdrs, parm->name) && text<kTQWireLimitedText>(xdrs, &parm->value);
}

bool_t xdr_TQMacroParmList(XDR* xdrs, TQMacroParmList* parms) {
  return tqx::list<TQMacroParmStruct, xdr_TQMacroParmStruct>(xdrs, &parms->numItems, &parms->parms);
}

bool_t xdr_TQActiveLinkMacroStruct(XDR* xdrs, TQActiveLinkMacroStruct* macro) {
  return fixed(xdrs, macro->macroName) && tqdefs::unboundedText(xdrs, &macro->macroText) &&
         xdr_TQMacroParmList(xdrs, &macro->macroParms);
}

// field id, menu name text(31), properties, focus, access option.
bool_t xdr_TQFieldCharacteristics(XDR* xdrs, TQFieldCharacteristics* characteristics) {
  return tqx::u32(xdrs, &characteristics->fieldId) &&
         text<kTQWireMenuName>(xdrs, &characteristics->charMenu) &&
         xdr_TQPropList(xdrs, &characteristics->props) && tqx::u32(xdrs, &characteristics->focus) &&
         tqx::u32(xdrs, &characteristics->accessOption);
}

// type name text(129), kind, then: 1 a field id; 2 a value; 0 nothing.
bool_t xdr_TQMethodValueStruct(XDR* xdrs, TQMethodValueStruct* value) {
  static constexpr Arm arms[] = {
      {TQ_METHOD_VALUE_NONE, TQ_METHOD_VALUE_NONE, nullptr},
      {TQ_METHOD_VALUE_FIELD, TQ_METHOD_VALUE_FIELD, erased<uint32_t, tqx::u32>},
      {TQ_METHOD_VALUE_VALUE, TQ_METHOD_VALUE_VALUE, erased<TQValueStruct, xdr_TQValueStruct>},
  };
  return text<kTQWireMethodText>(xdrs, &value->name) &&
         tqx::unionOf(xdrs, &value->kind, &value->u, arms);
}

bool_t xdr_TQMethodParmStruct(XDR* xdrs, TQMethodParmStruct* parm) {
  return text<kTQWireShortText>(xdrs, &parm->name) && xdr_TQMethodValueStruct(xdrs, &parm->value);
}

bool_t xdr_TQMethodParmList(XDR* xdrs, TQMethodParmList* parms) {
  return tqx::list<TQMethodParmStruct, xdr_TQMethodParmStruct>(xdrs, &parms->numItems,
                                                               &parms->parameterList);
}

bool_t xdr_TQMethodStruct(XDR* xdrs, TQMethodStruct* method) {
  return text<kTQWireMethodText>(xdrs, &method->methodName) &&
         xdr_TQMethodValueStruct(xdrs, &method->returnValue) &&
         xdr_TQMethodParmList(xdrs, &method->parameters);
}

bool_t xdr_TQMethodList(XDR* xdrs, TQMethodList* methods) {
  return tqx::list<TQMethodStruct, xdr_TQMethodStruct>(xdrs, &methods->numItems,
                                                       &methods->methodList);
}

// automation server text(65), class id text(2001), action text(129),
// visibility flag, the methods.
bool_t xdr_TQMethodCallStruct(XDR* xdrs, TQMethodCallStruct* call) {
  return text<kTQWireShortText>(xdrs, &call->serverName) &&
         text<kTQWireClassId>(xdrs, &call->classId) &&
         text<kTQWireMethodText>(xdrs, &call->actionText) && tqx::uchar(xdrs, &call->isVisible) &&
         xdr_TQMethodList(xdrs, &call->methodList);
}

bool_t xdr_TQOpenDialogStruct(XDR* xdrs, TQOpenDialogStruct* dialog) {
  return fixed(xdrs, dialog->server) && fixed(xdrs, dialog->schema) &&
         fixed(xdrs, dialog->vuiLabel) && tqx::uchar(xdrs, &dialog->closeBox) &&
         xdr_TQFieldAssignList(xdrs, &dialog->inputValueFieldPairs) &&
         xdr_TQFieldAssignList(xdrs, &dialog->outputValueFieldPairs);
}

bool_t xdr_TQCommitChangesStruct(XDR* xdrs, TQCommitChangesStruct* commit) {
  return fixed(xdrs, commit->schema);
}

bool_t xdr_TQCloseWindowStruct(XDR* xdrs, TQCloseWindowStruct* close) {
  return tqx::uchar(xdrs, &close->closeAll);
}

bool_t xdr_TQCallGuideStruct(XDR* xdrs, TQCallGuideStruct* guide) {
  return fixed(xdrs, guide->server) && fixed(xdrs, guide->guideName) &&
         tqx::u32(xdrs, &guide->guideMode);
}

bool_t xdr_TQExitGuideStruct(XDR* xdrs, TQExitGuideStruct* exitGuide) {
  return tqx::uchar(xdrs, &exitGuide->closeAll);
}

bool_t xdr_TQGotoGuideLabelStruct(XDR* xdrs, TQGotoGuideLabelStruct* label) {
  return text<kTQWireMethodText>(xdrs, &label->label);
}

bool_t xdr_TQWaitStruct(XDR* xdrs, TQWaitStruct* wait) {
  return text<kTQWireShortText>(xdrs, &wait->continueButtonTitle);
}

bool_t xdr_TQActiveLinkActionStruct(XDR* xdrs, TQActiveLinkActionStruct* action) {
  static constexpr Arm arms[] = {
      {TQ_ACTIVE_LINK_ACTION_NONE, TQ_ACTIVE_LINK_ACTION_NONE, nullptr},
      {TQ_ACTIVE_LINK_ACTION_MACRO, TQ_ACTIVE_LINK_ACTION_MACRO,
       erased<TQActiveLinkMacroStruct, xdr_TQActiveLinkMacroStruct>},
      {TQ_ACTIVE_LINK_ACTION_FIELDS, TQ_ACTIVE_LINK_ACTION_FIELDS,
       erased<TQFieldAssignList, xdr_TQFieldAssignList>},
      {TQ_ACTIVE_LINK_ACTION_PROCESS, TQ_ACTIVE_LINK_ACTION_PROCESS,
       erased<char*, text<kTQWireLimitedText>>},
      {TQ_ACTIVE_LINK_ACTION_MESSAGE, TQ_ACTIVE_LINK_ACTION_MESSAGE,
       erased<TQMessageStruct, xdr_TQMessageStruct>},
      {TQ_ACTIVE_LINK_ACTION_SET_CHAR, TQ_ACTIVE_LINK_ACTION_SET_CHAR,
       erased<TQFieldCharacteristics, xdr_TQFieldCharacteristics>},
      {TQ_ACTIVE_LINK_ACTION_DDE, TQ_ACTIVE_LINK_ACTION_DDE, erased<TQDDEStruct, xdr_TQDDEStruct>},
      {TQ_ACTIVE_LINK_ACTION_FIELDP, TQ_ACTIVE_LINK_ACTION_FIELDP,
       erased<TQPushFieldsList, xdr_TQPushFieldsList>},
      {TQ_ACTIVE_LINK_ACTION_SQL, TQ_ACTIVE_LINK_ACTION_SQL, erased<TQSQLStruct, xdr_TQSQLStruct>},
      {TQ_ACTIVE_LINK_ACTION_METHOD, TQ_ACTIVE_LINK_ACTION_METHOD,
       erased<TQMethodCallStruct, xdr_TQMethodCallStruct>},
      {TQ_ACTIVE_LINK_ACTION_OPENDLG, TQ_ACTIVE_LINK_ACTION_OPENDLG,
       erased<TQOpenDialogStruct, xdr_TQOpenDialogStruct>},
      {TQ_ACTIVE_LINK_ACTION_COMMITC, TQ_ACTIVE_LINK_ACTION_COMMITC,
       erased<TQCommitChangesStruct, xdr_TQCommitChangesStruct>},
      {TQ_ACTIVE_LINK_ACTION_CLOSEWND, TQ_ACTIVE_LINK_ACTION_CLOSEWND,
       erased<TQCloseWindowStruct, xdr_TQCloseWindowStruct>},
      {TQ_ACTIVE_LINK_ACTION_CALLGUIDE, TQ_ACTIVE_LINK_ACTION_CALLGUIDE,
       erased<TQCallGuideStruct, xdr_TQCallGuideStruct>},
      {TQ_ACTIVE_LINK_ACTION_EXITGUIDE, TQ_ACTIVE_LINK_ACTION_EXITGUIDE,
       erased<TQExitGuideStruct, xdr_TQExitGuideStruct>},
      {TQ_ACTIVE_LINK_ACTION_GOTOGUIDELABEL, TQ_ACTIVE_LINK_ACTION_GOTOGUIDELABEL,
       erased<TQGotoGuideLabelStruct, xdr_TQGotoGuideLabelStruct>},
      {TQ_ACTIVE_LINK_ACTION_WAIT, TQ_ACTIVE_LINK_ACTION_WAIT,
       erased<TQWaitStruct, xdr_TQWaitStruct>},
      {TQ_ACTIVE_LINK_ACTION_GOTOACTION, TQ_ACTIVE_LINK_ACTION_GOTOACTION,
       erased<TQGotoActionStruct, xdr_TQGotoActionStruct>},
  };
  return tqx::unionOf(xdrs, &action->action, &action->u, arms);
}

bool_t xdr_TQActiveLinkActionList(XDR* xdrs, TQActiveLinkActionList* actions) {
  return tqx::list<TQActiveLinkActionStruct, xdr_TQActiveLinkActionStruct>(xdrs, &actions->numItems,
                                                                           &actions->actionList);
}

// ------------------------------------------------------- escalation times

bool_t xdr_TQDayStruct(XDR* xdrs, TQDayStruct* day) {
  return tqx::run(xdrs, &day->monthday, &day->weekday, &day->hourmask, &day->minute);
}

bool_t xdr_TQEscalationTmStruct(XDR* xdrs, TQEscalationTmStruct* time) {
  static constexpr Arm arms[] = {
      {0, 0, nullptr},
      {TQ_ESCALATION_TYPE_INTERVAL, TQ_ESCALATION_TYPE_INTERVAL, erased<uint32_t, tqx::u32>},
      {TQ_ESCALATION_TYPE_TIMEMARK, TQ_ESCALATION_TYPE_TIMEMARK,
       erased<TQDayStruct, xdr_TQDayStruct>},
  };
  return tqx::unionOf(xdrs, &time->escalationTmType, &time->u, arms);
}
