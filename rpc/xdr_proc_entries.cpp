// XDR routines of the entry procedures 6, 67 and 73 and of the chunked
// transfers 34, 35 and 80 (see xdr_proc.h).
#include "rpc/xdr_base.h"
#include "rpc/xdr_defs.h"
#include "rpc/xdr_proc.h"
#include "rpc/xdr_proc_util.h"

using tqdefs::countedText;
using tqproc::header;
using tqproc::name;
using tqproc::status;

bool_t xdr_TQGetEntryStatisticsArgs6(XDR* xdrs, TQGetEntryStatisticsArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->schema) &&
         xdr_TQQualifierStruct(xdrs, &args->qualifier) &&
         xdr_TQFieldValueOrArithStruct(xdrs, &args->target) && tqx::u32(xdrs, &args->statistic) &&
         xdr_TQInternalIdList(xdrs, &args->groupBy);
}

bool_t xdr_TQGetEntryStatisticsResult6(XDR* xdrs, TQGetEntryStatisticsResult* result) {
  return header(xdrs, &result->header) && xdr_TQStatisticsResultList(xdrs, &result->results) &&
         status(xdrs, &result->status);
}

bool_t xdr_TQGetMultipleEntriesArgs6(XDR* xdrs, TQGetMultipleEntriesArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->schema) &&
         xdr_TQEntryIdListList(xdrs, &args->entryIds) &&
         xdr_TQInternalIdList(xdrs, &args->fieldIds) && tqx::u32(xdrs, &args->valuesWanted);
}

bool_t xdr_TQGetMultipleEntriesResult6(XDR* xdrs, TQGetMultipleEntriesResult* result) {
  return header(xdrs, &result->header) && xdr_TQBooleanList(xdrs, &result->exists) &&
         xdr_TQFieldValueListList(xdrs, &result->values) &&
         tqx::i32(xdrs, &result->valuesInAnswer) && tqx::i32(xdrs, &result->valuesPerEntry) &&
         status(xdrs, &result->status);
}

bool_t xdr_TQGetListEntryWithFieldsResult6(XDR* xdrs, TQGetListEntryWithFieldsResult* result) {
  return header(xdrs, &result->header) && xdr_TQEntryListFieldValueList(xdrs, &result->entries) &&
         tqx::u32(xdrs, &result->numMatches) && tqx::i32(xdrs, &result->unused) &&
         tqx::i32(xdrs, &result->valuesPerEntry) && status(xdrs, &result->status);
}

bool_t xdr_TQExportArgs6(XDR* xdrs, TQExportArgs* args) {
  return header(xdrs, &args->header) && xdr_TQStructItemList(xdrs, &args->items) &&
         name(xdrs, &args->displayTag) && tqx::u32(xdrs, &args->responseSize) &&
         tqx::i32(xdrs, &args->continuation) && tqx::u32(xdrs, &args->serverHandle);
}

bool_t xdr_TQExportResult6(XDR* xdrs, TQExportResult* result) {
  return header(xdrs, &result->header) && tqx::i32(xdrs, &result->continuation) &&
         tqx::u32(xdrs, &result->serverHandle) &&
         countedText(xdrs, &result->chunk, &result->chunkLength) &&
         tqx::uchar(xdrs, &result->complete) && status(xdrs, &result->status);
}

bool_t xdr_TQImportArgs6(XDR* xdrs, TQImportArgs* args) {
  return header(xdrs, &args->header) && xdr_TQStructItemList(xdrs, &args->items) &&
         countedText(xdrs, &args->chunk, &args->chunkLength) &&
         tqx::uchar(xdrs, &args->lastChunk) && tqx::u32(xdrs, &args->responseSize) &&
         tqx::i32(xdrs, &args->continuation) && tqx::u32(xdrs, &args->serverHandle);
}

bool_t xdr_TQImportResult6(XDR* xdrs, TQImportResult* result) {
  return header(xdrs, &result->header) && tqx::i32(xdrs, &result->continuation) &&
         tqx::u32(xdrs, &result->serverHandle) && status(xdrs, &result->status);
}

bool_t xdr_TQGetEntryBLOBArgs6(XDR* xdrs, TQGetEntryBLOBArgs* args) {
  return header(xdrs, &args->header) && name(xdrs, &args->schema) &&
         xdr_TQEntryIdList(xdrs, &args->entryId) && tqx::u32(xdrs, &args->fieldId) &&
         tqx::u32(xdrs, &args->responseSize) && tqx::i32(xdrs, &args->continuation);
}

bool_t xdr_TQGetEntryBLOBResult6(XDR* xdrs, TQGetEntryBLOBResult* result) {
  return header(xdrs, &result->header) && tqx::i32(xdrs, &result->continuation) &&
         countedText(xdrs, &result->chunk, &result->chunkLength) &&
         tqx::uchar(xdrs, &result->complete) && status(xdrs, &result->status);
}
