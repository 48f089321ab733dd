// XDR routines of the entry procedures (see xdr_entry.h). Each record is
// written once as a template over the protocol version; the named routines
// are its instances.
#include "rpc/xdr_entry.h"

#include "rpc/xdr_base.h"
#include "rpc/xdr_header.h"
#include "share/i18n/tqxdr.h"

namespace {

bool_t schema(XDR* x, char** name) {
  return tqxdrText(x, name, kTQWireName);
}
bool_t singleEntryId(XDR* x, char** id) {
  return tqxdrText(x, id, kTQWireEntryId);
}

template <int V>
bool_t getEntryArgs(XDR* x, TQGetEntryArgs* a) {
  return xdrHeader<V>(x, &a->header) && schema(x, &a->schema) &&
         xdr_TQEntryIdList(x, &a->entryId) && xdr_TQInternalIdList(x, &a->fieldIds) &&
         tqx::u32(x, &a->valuesWanted);
}

template <int V>
bool_t getEntryResult(XDR* x, TQGetEntryResult* r) {
  return xdrHeader<V>(x, &r->header) && xdr_TQFieldValueList(x, &r->fieldValues) &&
         xdrStatus<V>(x, &r->status);
}

template <int V>
bool_t setEntryArgs(XDR* x, TQSetEntryArgs* a) {
  return xdrHeader<V>(x, &a->header) && schema(x, &a->schema) &&
         xdr_TQEntryIdList(x, &a->entryId) && xdr_TQFieldValueList(x, &a->fieldValues) &&
         tqx::i32(x, &a->getTime) && tqx::u32(x, &a->option);
}

template <int V>
bool_t createEntryArgs(XDR* x, TQCreateEntryArgs* a) {
  return xdrHeader<V>(x, &a->header) && schema(x, &a->schema) &&
         xdr_TQFieldValueList(x, &a->fieldValues);
}

template <int V>
bool_t deleteEntryArgs(XDR* x, TQDeleteEntryArgs* a) {
  return xdrHeader<V>(x, &a->header) && schema(x, &a->schema) &&
         xdr_TQEntryIdList(x, &a->entryId) && tqx::u32(x, &a->option);
}

template <int V>
bool_t getListEntryArgs(XDR* x, TQGetListEntryArgs* a) {
  return xdrHeader<V>(x, &a->header) && schema(x, &a->schema) &&
         xdr_TQQualifierStruct(x, &a->qualifier) && xdr_TQEntryListFieldList(x, &a->fields) &&
         xdr_TQSortList(x, &a->sort) && tqx::u32(x, &a->maxRetrieve) &&
         tqx::u32(x, &a->countWanted);
}

template <int V>
bool_t getListEntryResult(XDR* x, TQGetListEntryResult* r) {
  return xdrHeader<V>(x, &r->header) && xdr_TQEntryListList(x, &r->entries) &&
         tqx::u32(x, &r->numMatches) && xdrStatus<V>(x, &r->status);
}

template <int V>
bool_t mergeEntryArgs(XDR* x, TQMergeEntryArgs* a) {
  return xdrHeader<V>(x, &a->header) && schema(x, &a->schema) &&
         xdr_TQFieldValueList(x, &a->fieldValues) && tqx::u32(x, &a->mergeType);
}

}  // namespace

// ------------------------------------------------------------ procedure 1

bool_t xdr_TQGetEntryArgs6(XDR* xdrs, TQGetEntryArgs* args) {
  return getEntryArgs<6>(xdrs, args);
}
bool_t xdr_TQGetEntryArgs4(XDR* xdrs, TQGetEntryArgs* args) {
  return getEntryArgs<4>(xdrs, args);
}

bool_t xdr_TQGetEntryArgs2(XDR* xdrs, TQGetEntryArgsOld* a) {
  return xdrHeader<2>(xdrs, &a->header) && schema(xdrs, &a->schema) &&
         singleEntryId(xdrs, &a->entryId) && xdr_TQInternalIdList(xdrs, &a->fieldIds) &&
         tqx::u32(xdrs, &a->valuesWanted);
}

bool_t xdr_TQGetEntryResult6(XDR* xdrs, TQGetEntryResult* result) {
  return getEntryResult<6>(xdrs, result);
}
bool_t xdr_TQGetEntryResult2(XDR* xdrs, TQGetEntryResult* result) {
  return getEntryResult<2>(xdrs, result);
}

// ------------------------------------------------------------ procedure 2

bool_t xdr_TQSetEntryArgs6(XDR* xdrs, TQSetEntryArgs* args) {
  return setEntryArgs<6>(xdrs, args);
}
bool_t xdr_TQSetEntryArgs4(XDR* xdrs, TQSetEntryArgs* args) {
  return setEntryArgs<4>(xdrs, args);
}

bool_t xdr_TQSetEntryArgs2(XDR* xdrs, TQSetEntryArgsOld* a) {
  return xdrHeader<2>(xdrs, &a->header) && schema(xdrs, &a->schema) &&
         singleEntryId(xdrs, &a->entryId) && xdr_TQFieldValueList(xdrs, &a->fieldValues) &&
         tqx::i32(xdrs, &a->getTime);
}

// ------------------------------------------------------------ procedure 3

bool_t xdr_TQCreateEntryArgs6(XDR* xdrs, TQCreateEntryArgs* args) {
  return createEntryArgs<6>(xdrs, args);
}
bool_t xdr_TQCreateEntryArgs2(XDR* xdrs, TQCreateEntryArgs* args) {
  return createEntryArgs<2>(xdrs, args);
}

// ------------------------------------------------------------ procedure 4

bool_t xdr_TQDeleteEntryArgs6(XDR* xdrs, TQDeleteEntryArgs* args) {
  return deleteEntryArgs<6>(xdrs, args);
}
bool_t xdr_TQDeleteEntryArgs4(XDR* xdrs, TQDeleteEntryArgs* args) {
  return deleteEntryArgs<4>(xdrs, args);
}

bool_t xdr_TQDeleteEntryArgs2(XDR* xdrs, TQDeleteEntryArgsOld* a) {
  return xdrHeader<2>(xdrs, &a->header) && schema(xdrs, &a->schema) &&
         singleEntryId(xdrs, &a->entryId);
}

// ------------------------------------------------------------ procedure 5

bool_t xdr_TQGetListEntryArgs6(XDR* xdrs, TQGetListEntryArgs* args) {
  return getListEntryArgs<6>(xdrs, args);
}
bool_t xdr_TQGetListEntryArgs2(XDR* xdrs, TQGetListEntryArgs* args) {
  return getListEntryArgs<2>(xdrs, args);
}
bool_t xdr_TQGetListEntryResult6(XDR* xdrs, TQGetListEntryResult* result) {
  return getListEntryResult<6>(xdrs, result);
}
bool_t xdr_TQGetListEntryResult4(XDR* xdrs, TQGetListEntryResult* result) {
  return getListEntryResult<4>(xdrs, result);
}

bool_t xdr_TQGetListEntryResult2(XDR* xdrs, TQGetListEntryResultOld* r) {
  return xdrHeader<2>(xdrs, &r->header) && xdr_TQEntryListListOld(xdrs, &r->entries) &&
         tqx::u32(xdrs, &r->numMatches) && xdrStatus<2>(xdrs, &r->status);
}

// ----------------------------------------------------------- procedure 37

bool_t xdr_TQMergeEntryArgs6(XDR* xdrs, TQMergeEntryArgs* args) {
  return mergeEntryArgs<6>(xdrs, args);
}
bool_t xdr_TQMergeEntryArgs4(XDR* xdrs, TQMergeEntryArgs* args) {
  return mergeEntryArgs<4>(xdrs, args);
}

bool_t xdr_TQMergeEntryArgs2(XDR* xdrs, TQMergeEntryArgsOld* a) {
  return xdrHeader<2>(xdrs, &a->header) && schema(xdrs, &a->schema) &&
         xdr_TQFieldValueList(xdrs, &a->fieldValues) && tqx::uchar(xdrs, &a->mergeType);
}

// --------------------------------------------------------- shared results

bool_t xdr_TQStatusResult6(XDR* xdrs, TQStatusResult* result) {
  return xdrStatusResult<6>(xdrs, result);
}
bool_t xdr_TQStatusResult2(XDR* xdrs, TQStatusResult* result) {
  return xdrStatusResult<2>(xdrs, result);
}
bool_t xdr_TQEntryIdResult6(XDR* xdrs, TQEntryIdResult* result) {
  return xdrEntryIdResult<6>(xdrs, result);
}
bool_t xdr_TQEntryIdResult2(XDR* xdrs, TQEntryIdResult* result) {
  return xdrEntryIdResult<2>(xdrs, result);
}
