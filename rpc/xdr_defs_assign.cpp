// XDR routines of assignments, push fields and the SQL action record (see
// xdr_defs.h). Nested assignments (arithmetic operands, function parameters)
// hang behind optional pointers, so the framework's nesting limit bounds a
// decode.
#include "rpc/xdr_base.h"
#include "rpc/xdr_defs.h"
#include "rpc/xdr_defs_util.h"
#include "rpc/xdr_records.h"

using tqdefs::fixed;
using tqx::Arm;
using tqx::erased;
using tqx::optional;

bool_t xdr_TQAssignStruct(XDR* xdrs, TQAssignStruct* assign) {
  static constexpr Arm arms[] = {
      {TQ_ASSIGN_TYPE_NONE, TQ_ASSIGN_TYPE_NONE, nullptr},
      {TQ_ASSIGN_TYPE_VALUE, TQ_ASSIGN_TYPE_VALUE, erased<TQValueStruct, xdr_TQValueStruct>},
      {TQ_ASSIGN_TYPE_FIELD, TQ_ASSIGN_TYPE_FIELD,
       erased<TQAssignFieldStruct*, optional<TQAssignFieldStruct, xdr_TQAssignFieldStruct>>},
      {TQ_ASSIGN_TYPE_PROCESS, TQ_ASSIGN_TYPE_PROCESS,
       erased<char*, tqdefs::text<kTQWireLimitedText>>},
      {TQ_ASSIGN_TYPE_ARITH, TQ_ASSIGN_TYPE_ARITH,
       erased<TQArithOpAssignStruct*, optional<TQArithOpAssignStruct, xdr_TQArithOpAssignStruct>>},
      {TQ_ASSIGN_TYPE_FUNCTION, TQ_ASSIGN_TYPE_FUNCTION,
       erased<TQFunctionAssignStruct*,
              optional<TQFunctionAssignStruct, xdr_TQFunctionAssignStruct>>},
      {TQ_ASSIGN_TYPE_DDE, TQ_ASSIGN_TYPE_DDE,
       erased<TQDDEStruct*, optional<TQDDEStruct, xdr_TQDDEStruct>>},
      {TQ_ASSIGN_TYPE_SQL, TQ_ASSIGN_TYPE_SQL,
       erased<TQAssignSQLStruct*, optional<TQAssignSQLStruct, xdr_TQAssignSQLStruct>>},
  };
  return tqx::unionOf(xdrs, &assign->assignType, &assign->u, arms);
}

// server fixed(65), schema fixed(31), qualification, the source (tag 1: a
// field id; tag 4: a status-history value; other tags fail), no-match and
// multi-match options.
bool_t xdr_TQAssignFieldStruct(XDR* xdrs, TQAssignFieldStruct* field) {
  static constexpr Arm arms[] = {
      {TQ_FIELD, TQ_FIELD, erased<uint32_t, tqx::u32>},
      {TQ_STAT_HISTORY, TQ_STAT_HISTORY, erased<TQStatHistoryValue, xdr_TQStatHistoryValue>},
  };
  return fixed(xdrs, field->server) && fixed(xdrs, field->schema) &&
         xdr_TQQualifierStruct(xdrs, &field->qualifier) &&
         tqx::unionOf(xdrs, &field->tag, &field->u, arms) &&
         tqx::u32(xdrs, &field->noMatchOption) && tqx::u32(xdrs, &field->multiMatchOption);
}

// The operation, then both operands. For NEGATE only the right operand
// belongs to the record: the left travels as an empty assignment and a
// received one is dropped (see xdr_defs.h).
bool_t xdr_TQArithOpAssignStruct(XDR* xdrs, TQArithOpAssignStruct* arithOp) {
  if (!tqx::u32(xdrs, &arithOp->operation)) return FALSE;
  const bool negate = arithOp->operation == TQ_ARITH_OP_NEGATE;
  switch (xdrs->x_op) {
    case XDR_ENCODE: {
      TQAssignStruct none{};
      if (!xdr_TQAssignStruct(xdrs, negate ? &none : &arithOp->left)) return FALSE;
      break;
    }
    case XDR_DECODE: {
      const bool ok = xdr_TQAssignStruct(xdrs, &arithOp->left) != 0;
      if (!ok || negate) tqdefs::releaseInPlace<TQAssignStruct, xdr_TQAssignStruct>(&arithOp->left);
      if (!ok) return FALSE;
      break;
    }
    case XDR_FREE:
      if (!negate) xdr_TQAssignStruct(xdrs, &arithOp->left);
      break;
  }
  return xdr_TQAssignStruct(xdrs, &arithOp->right);
}

bool_t xdr_TQFunctionAssignStruct(XDR* xdrs, TQFunctionAssignStruct* function) {
  return tqx::u32(xdrs, &function->functionCode) &&
         tqx::list<TQAssignStruct, xdr_TQAssignStruct>(xdrs, &function->numItems,
                                                       &function->parameterList);
}

// service name and topic text(65), item text(32768), action, path to program
// and command text(256).
bool_t xdr_TQDDEStruct(XDR* xdrs, TQDDEStruct* dde) {
  return tqdefs::text<kTQWireShortText>(xdrs, &dde->serviceName) &&
         tqdefs::text<kTQWireShortText>(xdrs, &dde->topic) &&
         tqdefs::text<kTQWireDdeItem>(xdrs, &dde->item) && tqx::u32(xdrs, &dde->action) &&
         tqdefs::text<kTQWireLimitedText>(xdrs, &dde->pathToProgram) &&
         tqdefs::text<kTQWireLimitedText>(xdrs, &dde->command);
}

bool_t xdr_TQAssignSQLStruct(XDR* xdrs, TQAssignSQLStruct* sql) {
  return fixed(xdrs, sql->server) && tqdefs::unboundedText(xdrs, &sql->sqlCommand) &&
         tqx::u32(xdrs, &sql->valueIndex) && tqx::u32(xdrs, &sql->noMatchOption) &&
         tqx::u32(xdrs, &sql->multiMatchOption);
}

bool_t xdr_TQFieldAssignStruct(XDR* xdrs, TQFieldAssignStruct* fieldAssign) {
  return tqx::u32(xdrs, &fieldAssign->fieldId) &&
         xdr_TQAssignStruct(xdrs, &fieldAssign->assignment);
}

bool_t xdr_TQFieldAssignList(XDR* xdrs, TQFieldAssignList* fieldAssigns) {
  return tqx::list<TQFieldAssignStruct, xdr_TQFieldAssignStruct>(xdrs, &fieldAssigns->numItems,
                                                                 &fieldAssigns->fieldAssignList);
}

// The target (embedded), then the source.
bool_t xdr_TQPushFieldsStruct(XDR* xdrs, TQPushFieldsStruct* push) {
  return xdr_TQAssignFieldStruct(xdrs, &push->field) && xdr_TQAssignStruct(xdrs, &push->assign);
}

bool_t xdr_TQPushFieldsList(XDR* xdrs, TQPushFieldsList* pushes) {
  return tqx::list<TQPushFieldsStruct, xdr_TQPushFieldsStruct>(xdrs, &pushes->numItems,
                                                               &pushes->pushFieldsList);
}

bool_t xdr_TQSQLStruct(XDR* xdrs, TQSQLStruct* sql) {
  return fixed(xdrs, sql->server) && tqdefs::unboundedText(xdrs, &sql->sqlCommand);
}
