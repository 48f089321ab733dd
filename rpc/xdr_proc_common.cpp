// XDR routines of the shared procedure pieces and shapes (see xdr_proc.h).
#include "rpc/xdr_base.h"
#include "rpc/xdr_proc.h"
#include "rpc/xdr_proc_util.h"

using tqdefs::fixed;
using tqproc::header;
using tqproc::name;
using tqproc::status;

bool_t xdr_TQCommonAttributes(XDR* xdrs, TQCommonAttributes* common) {
  return tqdefs::unboundedText(xdrs, &common->helpText) && tqx::i32(xdrs, &common->changed) &&
         fixed(xdrs, common->owner) && fixed(xdrs, common->lastChanged) &&
         tqdefs::unboundedText(xdrs, &common->changeDiary);
}

bool_t xdr_TQCommonChanges(XDR* xdrs, TQCommonChanges* common) {
  return tqdefs::unboundedText(xdrs, &common->helpText) && fixed(xdrs, common->owner) &&
         tqdefs::unboundedText(xdrs, &common->changeDiary);
}

bool_t xdr_TQHeaderArgs6(XDR* xdrs, TQHeaderArgs* args) {
  return header(xdrs, &args->header);
}

bool_t xdr_TQNameArgs6(XDR* xdrs, TQNameArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->name);
}

bool_t xdr_TQNameMaskArgs6(XDR* xdrs, TQNameMaskArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->name) && tqx::u32(xdrs, &args->mask);
}

bool_t xdr_TQNameOptionArgs6(XDR* xdrs, TQNameOptionArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->name) && tqx::u32(xdrs, &args->option);
}

bool_t xdr_TQSinceArgs6(XDR* xdrs, TQSinceArgs* args) {
  return header(xdrs, &args->header) && tqx::i32(xdrs, &args->changedSince);
}

bool_t xdr_TQSchemaSinceArgs6(XDR* xdrs, TQSchemaSinceArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->schema) &&
         tqx::i32(xdrs, &args->changedSince);
}

bool_t xdr_TQNameListResult6(XDR* xdrs, TQNameListResult* result) {
  return header(xdrs, &result->header) && xdr_TQNameList(xdrs, &result->names) &&
         status(xdrs, &result->status);
}

bool_t xdr_TQIdListResult6(XDR* xdrs, TQIdListResult* result) {
  return header(xdrs, &result->header) && xdr_TQInternalIdList(xdrs, &result->ids) &&
         status(xdrs, &result->status);
}

bool_t xdr_TQIdResult6(XDR* xdrs, TQIdResult* result) {
  return header(xdrs, &result->header) && tqx::u32(xdrs, &result->id) &&
         status(xdrs, &result->status);
}
