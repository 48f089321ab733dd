// Release routines of the definition records: schemas, fields, views,
// groups and users, filter and active-link actions, containers, server and
// full-text settings.
#include <cstdlib>

#include "share/apisrv/tqfree.h"
#include "tqlink.h"

using tqfree::DeferredRelease;
using tqfree::releaseList;
using tqfree::releaseRecord;
using tqfree::releaseText;

// --- Schemas, fields, views --------------------------------------------------

void FreeTQPermissionList(TQPermissionList* list, TQBoolean freeStruct) {
  releaseList<&TQPermissionList::permissionList>(list, freeStruct);
}

void FreeTQGroupInfoList(TQGroupInfoList* list, TQBoolean freeStruct) {
  releaseList<&TQGroupInfoList::groupList>(
      list, freeStruct, [](TQGroupInfoStruct* g) noexcept { FreeTQNameList(&g->groupName, 0); });
}

void FreeTQUserLicenseList(TQUserLicenseList* list, TQBoolean freeStruct) {
  releaseList<&TQUserLicenseList::licenseList>(list, freeStruct);
}

void FreeTQUserInfoList(TQUserInfoList* list, TQBoolean freeStruct) {
  releaseList<&TQUserInfoList::userList>(list, freeStruct, [](TQUserInfoStruct* u) noexcept {
    FreeTQUserLicenseList(&u->licenseInfo, 0);
    releaseText(u->emailAddress);
  });
}

void FreeTQCompoundSchema(TQCompoundSchema* schema, TQBoolean freeStruct) {
  releaseRecord(schema, freeStruct, [](TQCompoundSchema* s) noexcept {
    if (s->schemaType == TQ_SCHEMA_JOIN) {
      FreeTQQualifierStruct(&s->u.join.joinQual, 0);
    } else if (s->schemaType == TQ_SCHEMA_VIEW) {
      releaseText(s->u.view.viewQual);
    }
    s->schemaType = TQ_SCHEMA_NONE;
  });
}

void FreeTQIndexList(TQIndexList* list, TQBoolean freeStruct) {
  releaseList<&TQIndexList::indexList>(list, freeStruct);
}

void FreeTQFieldLimitStruct(TQFieldLimitStruct* limit, TQBoolean freeStruct) {
  releaseRecord(limit, freeStruct, [](TQFieldLimitStruct* l) noexcept {
    switch (l->dataType) {
      case TQ_DATA_TYPE_CHAR:
        releaseText(l->u.charLimits.pattern);
        break;
      case TQ_DATA_TYPE_ENUM:
        FreeTQNameList(&l->u.enumLimits, 0);
        break;
      case TQ_DATA_TYPE_BITMASK:
        FreeTQNameList(&l->u.maskLimits, 0);
        break;
      case TQ_DATA_TYPE_DECIMAL:
        releaseText(l->u.decimalLimits.rangeLow);
        releaseText(l->u.decimalLimits.rangeHigh);
        break;
      case TQ_DATA_TYPE_TABLE:
        // A table field's row selection is a qualification tree of its own.
        FreeTQQualifierStruct(&l->u.tableLimits.qualifier, 0);
        break;
      default:
        break;
    }
    l->dataType = TQ_DATA_TYPE_NULL;
  });
}

void FreeTQDisplayList(TQDisplayList* list, TQBoolean freeStruct) {
  releaseList<&TQDisplayList::displayList>(list, freeStruct);
}

void FreeTQPropStruct(TQPropStruct* prop, TQBoolean freeStruct) {
  releaseRecord(prop, freeStruct, [](TQPropStruct* p) noexcept {
    FreeTQValueStruct(&p->value, 0);
    p->propertyTag = 0;
  });
}

void FreeTQPropList(TQPropList* list, TQBoolean freeStruct) {
  releaseList<&TQPropList::props>(list, freeStruct,
                                  [](TQPropStruct* p) noexcept { FreeTQPropStruct(p, 0); });
}

void FreeTQDisplayInstanceList(TQDisplayInstanceList* list, TQBoolean freeStruct) {
  if (list != nullptr) FreeTQPropList(&list->commonProps, 0);
  releaseList<&TQDisplayInstanceList::dInstanceList>(
      list, freeStruct, [](TQDisplayInstanceStruct* d) noexcept { FreeTQPropList(&d->props, 0); });
}

// --- Assignment parts without nesting -----------------------------------------

void FreeTQDDEStruct(TQDDEStruct* dde, TQBoolean freeStruct) {
  releaseRecord(dde, freeStruct, [](TQDDEStruct* d) noexcept {
    releaseText(d->serviceName);
    releaseText(d->topic);
    releaseText(d->item);
    releaseText(d->pathToProgram);
    releaseText(d->command);
  });
}

namespace {

template <class Sql>
void releaseSql(Sql* sql, TQBoolean freeStruct) noexcept {
  releaseRecord(sql, freeStruct, [](Sql* s) noexcept {
    releaseText(s->sqlCommand);
    s->server[0] = '\0';
  });
}

void releaseMacroParm(TQMacroParmStruct* parm) noexcept {
  releaseText(parm->value);
}

void releaseMethodValue(TQMethodValueStruct* value) noexcept {
  releaseText(value->name);
  if (value->kind == TQ_METHOD_VALUE_VALUE) FreeTQValueStruct(&value->u.value, 0);
  value->kind = TQ_METHOD_VALUE_NONE;
}

void releaseMethodParm(TQMethodParmStruct* parm) noexcept {
  releaseText(parm->name);
  releaseMethodValue(&parm->value);
}

void releaseMethod(TQMethodStruct* method) noexcept {
  releaseText(method->methodName);
  releaseMethodValue(&method->returnValue);
  releaseList<&TQMethodParmList::parameterList>(&method->parameters, 0, releaseMethodParm);
}

void releaseMethodCall(TQMethodCallStruct* call) noexcept {
  releaseText(call->serverName);
  releaseText(call->classId);
  releaseText(call->actionText);
  releaseList<&TQMethodList::methodList>(&call->methodList, 0, releaseMethod);
}

void releaseNotify(TQFilterActionNotify* notify) noexcept {
  releaseText(notify->user);
  releaseText(notify->notifyText);
  releaseText(notify->subjectText);
  // Released whatever the list kind says: a list the server sent along with
  // another kind would otherwise be lost.
  FreeTQInternalIdList(&notify->fieldIdList, 0);
}

void releaseFilterAction(TQFilterActionStruct* action, DeferredRelease& pending) noexcept {
  switch (action->action) {
    case TQ_FILTER_ACTION_NOTIFY:
      releaseNotify(&action->u.notify);
      break;
    case TQ_FILTER_ACTION_MESSAGE:
      FreeTQMessageStruct(&action->u.message, 0);
      break;
    case TQ_FILTER_ACTION_LOG:
      releaseText(action->u.logFile);
      break;
    case TQ_FILTER_ACTION_FIELDS:
      tqfree::releaseFieldAssignList(&action->u.setFields, 0, pending);
      break;
    case TQ_FILTER_ACTION_PROCESS:
      releaseText(action->u.process);
      break;
    case TQ_FILTER_ACTION_FIELDP:
      tqfree::releasePushFieldsList(&action->u.pushFields, 0, pending);
      break;
    case TQ_FILTER_ACTION_SQL:
      FreeTQSQLStruct(&action->u.sqlCommand, 0);
      break;
    default:
      break;
  }
  action->action = TQ_FILTER_ACTION_NONE;
}

void releaseActiveLinkAction(TQActiveLinkActionStruct* action, DeferredRelease& pending) noexcept {
  switch (action->action) {
    case TQ_ACTIVE_LINK_ACTION_MACRO:
      releaseText(action->u.macro.macroText);
      releaseList<&TQMacroParmList::parms>(&action->u.macro.macroParms, 0, releaseMacroParm);
      break;
    case TQ_ACTIVE_LINK_ACTION_FIELDS:
      tqfree::releaseFieldAssignList(&action->u.setFields, 0, pending);
      break;
    case TQ_ACTIVE_LINK_ACTION_PROCESS:
      releaseText(action->u.process);
      break;
    case TQ_ACTIVE_LINK_ACTION_MESSAGE:
      FreeTQMessageStruct(&action->u.message, 0);
      break;
    case TQ_ACTIVE_LINK_ACTION_SET_CHAR:
      releaseText(action->u.characteristics.charMenu);
      FreeTQPropList(&action->u.characteristics.props, 0);
      break;
    case TQ_ACTIVE_LINK_ACTION_DDE:
      FreeTQDDEStruct(&action->u.dde, 0);
      break;
    case TQ_ACTIVE_LINK_ACTION_FIELDP:
      tqfree::releasePushFieldsList(&action->u.pushFields, 0, pending);
      break;
    case TQ_ACTIVE_LINK_ACTION_SQL:
      FreeTQSQLStruct(&action->u.sqlCommand, 0);
      break;
    case TQ_ACTIVE_LINK_ACTION_METHOD:
      releaseMethodCall(&action->u.methodCall);
      break;
    case TQ_ACTIVE_LINK_ACTION_OPENDLG:
      tqfree::releaseFieldAssignList(&action->u.openDialog.inputValueFieldPairs, 0, pending);
      tqfree::releaseFieldAssignList(&action->u.openDialog.outputValueFieldPairs, 0, pending);
      break;
    case TQ_ACTIVE_LINK_ACTION_GOTOGUIDELABEL:
      releaseText(action->u.gotoGuideLabel.label);
      break;
    case TQ_ACTIVE_LINK_ACTION_WAIT:
      releaseText(action->u.waitAction.continueButtonTitle);
      break;
    default:
      break;
  }
  action->action = TQ_ACTIVE_LINK_ACTION_NONE;
}

}  // namespace

void FreeTQAssignSQLStruct(TQAssignSQLStruct* sql, TQBoolean freeStruct) {
  releaseSql(sql, freeStruct);
}

void FreeTQSQLStruct(TQSQLStruct* sql, TQBoolean freeStruct) {
  releaseSql(sql, freeStruct);
}

// --- Actions ---------------------------------------------------------------------

void FreeTQFilterActionStruct(TQFilterActionStruct* action, TQBoolean freeStruct) {
  DeferredRelease pending;
  releaseRecord(action, freeStruct,
                [&pending](TQFilterActionStruct* a) noexcept { releaseFilterAction(a, pending); });
}

void FreeTQFilterActionList(TQFilterActionList* list, TQBoolean freeStruct) {
  DeferredRelease pending;
  releaseList<&TQFilterActionList::actionList>(
      list, freeStruct,
      [&pending](TQFilterActionStruct* a) noexcept { releaseFilterAction(a, pending); });
}

void FreeTQActiveLinkActionStruct(TQActiveLinkActionStruct* action, TQBoolean freeStruct) {
  DeferredRelease pending;
  releaseRecord(action, freeStruct, [&pending](TQActiveLinkActionStruct* a) noexcept {
    releaseActiveLinkAction(a, pending);
  });
}

void FreeTQActiveLinkActionList(TQActiveLinkActionList* list, TQBoolean freeStruct) {
  DeferredRelease pending;
  releaseList<&TQActiveLinkActionList::actionList>(
      list, freeStruct,
      [&pending](TQActiveLinkActionStruct* a) noexcept { releaseActiveLinkAction(a, pending); });
}

// --- Export items, containers, server and full-text settings ------------------

void FreeTQStructItemList(TQStructItemList* list, TQBoolean freeStruct) {
  releaseList<&TQStructItemList::structItemList>(list, freeStruct);
}

void FreeTQContainerOwnerObjList(TQContainerOwnerObjList* list, TQBoolean freeStruct) {
  releaseList<&TQContainerOwnerObjList::ownerObjList>(list, freeStruct);
}

void FreeTQContainerTypeList(TQContainerTypeList* list, TQBoolean freeStruct) {
  releaseList<&TQContainerTypeList::type>(list, freeStruct);
}

void FreeTQReferenceTypeList(TQReferenceTypeList* list, TQBoolean freeStruct) {
  releaseList<&TQReferenceTypeList::refType>(list, freeStruct);
}

void FreeTQReferenceStruct(TQReferenceStruct* reference, TQBoolean freeStruct) {
  releaseRecord(reference, freeStruct, [](TQReferenceStruct* r) noexcept {
    releaseText(r->label);
    releaseText(r->description);
    if (r->dataType == TQ_REF_DATA_EXTERNAL) {
      FreeTQInternalIdList(&r->u.extRef.permittedGroups, 0);
      FreeTQValueStruct(&r->u.extRef.value, 0);
    }
  });
}

void FreeTQReferenceList(TQReferenceList* list, TQBoolean freeStruct) {
  releaseList<&TQReferenceList::referenceList>(
      list, freeStruct, [](TQReferenceStruct* r) noexcept { FreeTQReferenceStruct(r, 0); });
}

void FreeTQContainerInfoList(TQContainerInfoList* list, TQBoolean freeStruct) {
  releaseList<&TQContainerInfoList::conInfoList>(list, freeStruct);
}

void FreeTQServerInfoRequestList(TQServerInfoRequestList* list, TQBoolean freeStruct) {
  releaseList<&TQServerInfoRequestList::requestList>(list, freeStruct);
}

void FreeTQServerInfoList(TQServerInfoList* list, TQBoolean freeStruct) {
  releaseList<&TQServerInfoList::serverInfoList>(
      list, freeStruct, [](TQServerInfoStruct* s) noexcept { FreeTQValueStruct(&s->value, 0); });
}

void FreeTQFullTextInfoRequestList(TQFullTextInfoRequestList* list, TQBoolean freeStruct) {
  releaseList<&TQFullTextInfoRequestList::requestList>(list, freeStruct);
}

void FreeTQFullTextInfoList(TQFullTextInfoList* list, TQBoolean freeStruct) {
  releaseList<&TQFullTextInfoList::fullTextInfoList>(
      list, freeStruct, [](TQFullTextInfoStruct* f) noexcept {
        if (f->infoType == TQ_FULLTEXT_INFO_VALUE_LIST) {
          FreeTQValueList(&f->u.valueList, 0);
        } else {
          FreeTQValueStruct(&f->u.value, 0);
        }
      });
}
