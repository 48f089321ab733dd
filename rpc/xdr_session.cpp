// XDR routines of the session procedures and the queue directory (see
// xdr_session.h).
#include "rpc/xdr_session.h"

#include "rpc/xdr_base.h"
#include "rpc/xdr_header.h"
#include "share/i18n/tqxdr.h"

namespace {

template <int V>
bool_t getServerInfoArgs(XDR* x, TQGetServerInfoArgs* a) {
  return xdrHeader<V>(x, &a->header) && xdr_TQServerInfoRequestList(x, &a->requests);
}

template <int V>
bool_t getServerInfoResult(XDR* x, TQGetServerInfoResult* r) {
  return xdrHeader<V>(x, &r->header) && xdr_TQServerInfoList(x, &r->info) &&
         xdrStatus<V>(x, &r->status);
}

template <int V>
bool_t endSessionArgs(XDR* x, TQEndSessionArgs* a) {
  return xdrHeader<V>(x, &a->header) && tqxdrText(x, &a->user, kTQWireName) &&
         tqx::i32(x, &a->cacheId);
}

}  // namespace

bool_t xdr_TQServerInfoRequestList(XDR* xdrs, TQServerInfoRequestList* requests) {
  return tqx::list<uint32_t, tqx::u32>(xdrs, &requests->numItems, &requests->requestList);
}

bool_t xdr_TQServerInfoStruct(XDR* xdrs, TQServerInfoStruct* info) {
  return tqx::u32(xdrs, &info->operation) && xdr_TQValueStruct(xdrs, &info->value);
}

bool_t xdr_TQServerInfoList(XDR* xdrs, TQServerInfoList* infos) {
  return tqx::list<TQServerInfoStruct, xdr_TQServerInfoStruct>(xdrs, &infos->numItems,
                                                               &infos->serverInfoList);
}

bool_t xdr_TQGetServerInfoArgs6(XDR* xdrs, TQGetServerInfoArgs* args) {
  return getServerInfoArgs<6>(xdrs, args);
}
bool_t xdr_TQGetServerInfoArgs2(XDR* xdrs, TQGetServerInfoArgs* args) {
  return getServerInfoArgs<2>(xdrs, args);
}
bool_t xdr_TQGetServerInfoResult6(XDR* xdrs, TQGetServerInfoResult* result) {
  return getServerInfoResult<6>(xdrs, result);
}
bool_t xdr_TQGetServerInfoResult2(XDR* xdrs, TQGetServerInfoResult* result) {
  return getServerInfoResult<2>(xdrs, result);
}

bool_t xdr_TQEndSessionArgs6(XDR* xdrs, TQEndSessionArgs* args) {
  return endSessionArgs<6>(xdrs, args);
}
bool_t xdr_TQEndSessionArgs2(XDR* xdrs, TQEndSessionArgs* args) {
  return endSessionArgs<2>(xdrs, args);
}

bool_t xdr_TQDirectoryWord(XDR* xdrs, uint32_t* word) {
  return tqx::u32(xdrs, word);
}

bool_t xdr_TQDirectoryQueryArgs(XDR* xdrs, TQDirectoryQueryArgs* args) {
  return tqxdrText(xdrs, &args->schema, kTQWireName) &&
         xdr_TQQualifierStruct(xdrs, &args->qualifier);
}

bool_t xdr_TQDirectoryAnswer(XDR* xdrs, TQDirectoryAnswer* answer) {
  return tqx::u32(xdrs, &answer->program) && tqx::u32(xdrs, &answer->port);
}
