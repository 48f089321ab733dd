// Checks of field assignments (set-fields and push-fields actions) and their
// parts: field sources, arithmetic, functions, DDE and SQL sources.
#include "api/parmchck_core.h"

using namespace parmchck;

namespace {

constexpr size_t kMaxProcess = 255;
constexpr size_t kMaxDdeName = 64;
constexpr size_t kMaxDdeItem = 32767;
constexpr size_t kMaxDdePath = 255;
constexpr size_t kMaxDdeCommand = 255;
constexpr uint32_t kMaxFieldNoMatch = 4;
constexpr uint32_t kMaxFieldMultiMatch = 6;

}  // namespace

uint32_t tqCheckDde(TQDDEStruct* dde, TQStatusList* status) {
  if (dde == nullptr) return fail(status, kTQErrNoDde);
  const TextRule name{kMaxDdeName, kTQErrBadDdeName, kTQErrBadDdeName};
  uint32_t result = checkText(dde->serviceName, name, status);
  if (result == 0) result = checkText(dde->topic, name, status);
  if (result != 0) return result;
  if (tqParmEncodedLength(dde->item) > kMaxDdeItem) return fail(status, kTQErrBadDdeItem);
  if (dde->action < TQ_DDE_EXECUTE || dde->action > TQ_DDE_REQUEST) {
    return fail(status, kTQErrBadDdeAction);
  }
  if (tqParmEncodedLength(dde->pathToProgram) > kMaxDdePath) {
    return fail(status, kTQErrFileNameTooLong);
  }
  // A request reads an item and needs no command; the other actions do.
  if (tqParmEncodedLength(dde->command) > kMaxDdeCommand ||
      (dde->command == nullptr && dde->action != TQ_DDE_REQUEST)) {
    return fail(status, kTQErrBadProcess);
  }
  result = ensureText(&dde->item, status);
  if (result == 0) result = ensureText(&dde->command, status);
  return result;
}

uint32_t tqCheckAssignField(TQAssignFieldStruct* field, TQStatusList* status) {
  if (field == nullptr) return fail(status, kTQErrNoAssignRecord);
  uint32_t result = tqCheckQualifier(&field->qualifier, 1, status);
  if (result >= 2) return result;
  if (field->tag == TQ_STAT_HISTORY) {
    if (field->u.statHistory.userOrTime != TQ_STAT_HISTORY_USER &&
        field->u.statHistory.userOrTime != TQ_STAT_HISTORY_TIME) {
      return fail(status, kTQErrBadStatHistory);
    }
  } else if (field->tag != TQ_FIELD) {
    return fail(status, kTQErrBadAssignFieldTag);
  }
  if (field->noMatchOption < 1 || field->noMatchOption > kMaxFieldNoMatch) {
    return fail(status, kTQErrBadNoMatchOption);
  }
  if (field->multiMatchOption < 1 || field->multiMatchOption > kMaxFieldMultiMatch) {
    return fail(status, kTQErrBadMultiMatchOption);
  }
  return 0;
}

uint32_t tqCheckArithOpAssign(TQArithOpAssignStruct* arithOp, TQStatusList* status) {
  if (arithOp == nullptr) return fail(status, kTQErrNoArithOp);
  if (arithOp->operation == 0 || arithOp->operation > TQ_ARITH_OP_NEGATE) {
    return fail(status, kTQErrBadArithOp);
  }
  if (arithOp->operation == TQ_ARITH_OP_NEGATE) {
    arithOp->left.assignType = TQ_ASSIGN_TYPE_NONE;  // a unary minus has no left side
  } else {
    uint32_t result = tqCheckAssign(&arithOp->left, status);
    if (result >= 2) return result;
  }
  return tqCheckAssign(&arithOp->right, status);
}

uint32_t tqCheckFunctionAssign(TQFunctionAssignStruct* function, TQStatusList* status) {
  if (function == nullptr) return fail(status, kTQErrNoFunction);
  if (function->functionCode == 0 || function->functionCode > TQ_FUNCTION_MAX) {
    return fail(status, kTQErrBadFunctionCode);
  }
  if (nullArray(function->numItems, function->parameterList)) {
    return fail(status, kTQErrNoFunctionParms);
  }
  for (uint32_t i = 0; i < function->numItems; ++i) {
    uint32_t result = tqCheckAssign(&function->parameterList[i], status);
    if (result >= 2) return result;
  }
  return 0;
}

uint32_t tqCheckAssignSql(const TQAssignSQLStruct* sql, TQStatusList* status) {
  if (sql == nullptr) return fail(status, kTQErrNoAssignRecord);
  if (isEmpty(sql->sqlCommand)) return fail(status, kTQErrNoSqlCommand);
  if (sql->noMatchOption < TQ_NO_MATCH_ERROR || sql->noMatchOption > TQ_NO_MATCH_NULL) {
    return fail(status, kTQErrBadNoMatchOption);
  }
  if (sql->multiMatchOption < TQ_MULTI_MATCH_ERROR ||
      sql->multiMatchOption > TQ_MULTI_MATCH_PICKLIST) {
    return fail(status, kTQErrBadMultiMatchOption);
  }
  return 0;
}

uint32_t tqCheckAssign(TQAssignStruct* assign, TQStatusList* status) {
  if (assign == nullptr) return fail(status, kTQErrBadAssignType);
  switch (assign->assignType) {
    case TQ_ASSIGN_TYPE_VALUE:
      return tqCheckValue(&assign->u.value, status);
    case TQ_ASSIGN_TYPE_FIELD:
      return tqCheckAssignField(assign->u.field, status);
    case TQ_ASSIGN_TYPE_PROCESS:
      return checkText(assign->u.process, TextRule{kMaxProcess, kTQErrBadProcess, kTQErrBadProcess},
                       status);
    case TQ_ASSIGN_TYPE_ARITH:
      return tqCheckArithOpAssign(assign->u.arithOp, status);
    case TQ_ASSIGN_TYPE_FUNCTION:
      return tqCheckFunctionAssign(assign->u.function, status);
    case TQ_ASSIGN_TYPE_DDE:
      return tqCheckDde(assign->u.dde, status);
    case TQ_ASSIGN_TYPE_SQL:
      return tqCheckAssignSql(assign->u.sql, status);
    default:
      return fail(status, kTQErrBadAssignType);
  }
}

uint32_t tqCheckFieldAssignList(TQFieldAssignList* list, TQStatusList* status) {
  if (list == nullptr || list->numItems == 0) return fail(status, kTQErrNoAssignments);
  if (nullArray(list->numItems, list->fieldAssignList)) return fail(status, kTQErrNullArray);
  for (uint32_t i = 0; i < list->numItems; ++i) {
    if (tqCheckAssign(&list->fieldAssignList[i].assignment, status) >= 2) {
      return failAfter(status, kTQErrBadAssignment);
    }
  }
  return 0;
}

uint32_t tqCheckPushFieldsList(TQPushFieldsList* list, TQStatusList* status) {
  if (list == nullptr || list->numItems == 0) return fail(status, kTQErrNoAssignments);
  if (nullArray(list->numItems, list->pushFieldsList)) return fail(status, kTQErrNullArray);
  for (uint32_t i = 0; i < list->numItems; ++i) {
    TQPushFieldsStruct& item = list->pushFieldsList[i];
    if (tqCheckAssignField(&item.field, status) >= 2 || tqCheckAssign(&item.assign, status) >= 2) {
      return failAfter(status, kTQErrBadAssignment);
    }
  }
  return 0;
}
