// Checks of typed values, value lists, field values and the qualification
// tree with its operands.
#include "api/parmchck_core.h"
#include "rpc/xdr_base.h"
#include "share/apisrv/messages.h"

using namespace parmchck;

namespace {

constexpr uint32_t kFirstUndefinedDataType = 42;
constexpr uint32_t kMaxKeyword = 21;
constexpr uint32_t kMaxLocalVariable = 10;

}  // namespace

uint32_t tqCheckValue(TQValueStruct* value, TQStatusList* status) {
  if (value == nullptr) return 0;
  if (value->dataType >= kFirstUndefinedDataType) return fail(status, kTQErrBadDataType);
  switch (value->dataType) {
    case TQ_DATA_TYPE_KEYWORD:
      if (value->u.keyNum > kMaxKeyword) return fail(status, kTQErrBadKeyword);
      break;
    // A value whose payload pointer is missing is taken as the NULL value.
    case TQ_DATA_TYPE_CHAR:
    case TQ_DATA_TYPE_DIARY:
    case TQ_DATA_TYPE_DECIMAL:
      if (value->u.charVal == nullptr) value->dataType = TQ_DATA_TYPE_NULL;
      break;
    case TQ_DATA_TYPE_ATTACH:
      if (value->u.attachVal == nullptr) value->dataType = TQ_DATA_TYPE_NULL;
      break;
    case TQ_DATA_TYPE_BYTES:
      if (value->u.byteListVal == nullptr) {
        value->dataType = TQ_DATA_TYPE_NULL;
      } else if (nullArray(value->u.byteListVal->numItems, value->u.byteListVal->bytes)) {
        return fail(status, kTQErrNullArray);
      }
      break;
    case TQ_DATA_TYPE_COORDS:
      if (value->u.coordListVal == nullptr) {
        value->dataType = TQ_DATA_TYPE_NULL;
      } else if (nullArray(value->u.coordListVal->numItems, value->u.coordListVal->coords)) {
        return fail(status, kTQErrNullArray);
      }
      break;
    default:
      break;
  }
  return 0;
}

uint32_t tqCheckValueList(TQValueList* list, TQStatusList* status) {
  if (list == nullptr || list->numItems == 0) return fail(status, kTQErrNoValueSet);
  if (nullArray(list->numItems, list->valueList)) return fail(status, kTQErrNullArray);
  for (uint32_t i = 0; i < list->numItems; ++i) {
    uint32_t result = tqCheckValue(&list->valueList[i], status);
    if (result >= 2) return result;
  }
  return 0;
}

uint32_t tqCheckFieldValueList(TQFieldValueList* list, TQBoolean allowEmpty, TQStatusList* status) {
  if (list == nullptr || list->numItems == 0) {
    return allowEmpty ? 0 : fail(status, kTQErrFieldValueListMissing);
  }
  if (nullArray(list->numItems, list->fieldValueList)) return fail(status, kTQErrNullArray);
  for (uint32_t i = 0; i < list->numItems; ++i) {
    if (tqCheckValue(&list->fieldValueList[i].value, status) >= 2) {
      return failAfter(status, kTQErrBadFieldValue);
    }
  }
  return 0;
}

uint32_t tqCheckOperand(TQFieldValueOrArithStruct* operand, TQStatusList* status) {
  if (operand == nullptr) return fail(status, kTQErrNoOperand);
  switch (operand->tag) {
    case TQ_FIELD:
    case TQ_FIELD_TRAN:
    case TQ_FIELD_DB:
    case TQ_FIELD_CURRENT:
      return 0;
    case TQ_VALUE:
      return tqCheckValue(&operand->u.value, status);
    case TQ_ARITHMETIC:
      return tqCheckArithOp(operand->u.arithOp, status);
    case TQ_VALUE_SET:
      return tqCheckValueList(&operand->u.valueSet, status);
    case TQ_QUERY:
      return tqCheckQueryValue(operand->u.queryValue, status);
    case TQ_STAT_HISTORY:
      if (operand->u.statHistory.userOrTime != TQ_STAT_HISTORY_USER &&
          operand->u.statHistory.userOrTime != TQ_STAT_HISTORY_TIME) {
        return fail(status, kTQErrBadStatHistory);
      }
      return 0;
    case TQ_LOCAL_VARIABLE:
      return operand->u.variable > kMaxLocalVariable ? fail(status, kTQErrBadLocalVariable) : 0;
    default:
      return fail(status, kTQErrBadOperandTag);
  }
}

uint32_t tqCheckArithOp(TQArithOpStruct* arithOp, TQStatusList* status) {
  if (arithOp == nullptr) return fail(status, kTQErrNoArithOp);
  // A tree that a caller built may nest as deep as it likes; the walk stops
  // where the wire could not carry it either, instead of running out of stack.
  tqx::DepthGuard depth;
  if (depth.tooDeep()) return fail(status, kTQParseTooDeep);
  if (arithOp->operation == 0 || arithOp->operation > TQ_ARITH_OP_NEGATE) {
    return fail(status, kTQErrBadArithOp);
  }
  if (arithOp->operation == TQ_ARITH_OP_NEGATE) {
    // A unary minus has no left operand: mark it as a plain field so that
    // nothing follows it.
    arithOp->left.tag = TQ_FIELD;
  } else {
    uint32_t result = tqCheckOperand(&arithOp->left, status);
    if (result >= 2) return result;
  }
  return tqCheckOperand(&arithOp->right, status);
}

uint32_t tqCheckRelOp(TQRelOpStruct* relOp, TQStatusList* status) {
  if (relOp == nullptr) return fail(status, kTQErrNoRelOp);
  // IN (8) is known to the data model but not accepted from callers.
  if (relOp->operation < TQ_REL_OP_EQUAL || relOp->operation > TQ_REL_OP_LIKE) {
    return fail(status, kTQErrBadRelOp);
  }
  uint32_t result = tqCheckOperand(&relOp->left, status);
  if (result >= 2) return result;
  return tqCheckOperand(&relOp->right, status);
}

uint32_t tqCheckQualifier(TQQualifierStruct* qualifier, TQBoolean allowEmpty,
                          TQStatusList* status) {
  if (qualifier == nullptr) return 0;
  tqx::DepthGuard depth;
  if (depth.tooDeep()) return fail(status, kTQParseTooDeep);
  switch (qualifier->operation) {
    case TQ_COND_OP_NONE:
      return allowEmpty ? 0 : fail(status, kTQErrEmptyQualifier);
    case TQ_COND_OP_AND:
    case TQ_COND_OP_OR: {
      uint32_t result = tqCheckQualifier(qualifier->u.andor.left, 0, status);
      if (result >= 2) return result;
      return tqCheckQualifier(qualifier->u.andor.right, 0, status);
    }
    case TQ_COND_OP_NOT:
      return tqCheckQualifier(qualifier->u.negated, 0, status);
    case TQ_COND_OP_REL_OP:
      return tqCheckRelOp(qualifier->u.relOp, status);
    default:
      return fail(status, kTQErrBadQualifierOp);
  }
}

uint32_t tqCheckQueryValue(TQQueryValueStruct* query, TQStatusList* status) {
  if (query == nullptr) return fail(status, kTQErrNoQuery);
  if (checkName(query->schema, 0, status) >= 2 || badServerName(query->server) ||
      tqCheckQualifier(query->qualifier, 1, status) >= 2 || query->valueFieldId == 0) {
    return failAfter(status, kTQErrBadQuery);
  }
  if (query->multiValueCode < TQ_QUERY_VALUE_MULTI_ERROR ||
      query->multiValueCode > TQ_QUERY_VALUE_MULTI_SET) {
    return fail(status, kTQErrBadQueryMultiMatch);
  }
  return 0;
}
