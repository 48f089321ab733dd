// XDR routines of the full-text settings (see xdr_defs.h); the server-info
// records are the session routines' (xdr_session.h).
#include "rpc/xdr_base.h"
#include "rpc/xdr_defs.h"
#include "rpc/xdr_records.h"

using tqx::Arm;
using tqx::erased;

bool_t xdr_TQFullTextInfoRequestList(XDR* xdrs, TQFullTextInfoRequestList* requests) {
  return tqx::list<uint32_t, tqx::u32>(xdrs, &requests->numItems, &requests->requestList);
}

// The code, then a value list for code 2 and one value for any other code.
bool_t xdr_TQFullTextInfoStruct(XDR* xdrs, TQFullTextInfoStruct* info) {
  static constexpr Arm arms[] = {
      {0, TQ_FULLTEXT_INFO_VALUE_LIST - 1, erased<TQValueStruct, xdr_TQValueStruct>},
      {TQ_FULLTEXT_INFO_VALUE_LIST, TQ_FULLTEXT_INFO_VALUE_LIST,
       erased<TQValueList, xdr_TQValueList>},
      {TQ_FULLTEXT_INFO_VALUE_LIST + 1, 0xFFFFFFFFu, erased<TQValueStruct, xdr_TQValueStruct>},
  };
  return tqx::unionOf(xdrs, &info->infoType, &info->u, arms);
}

bool_t xdr_TQFullTextInfoList(XDR* xdrs, TQFullTextInfoList* infos) {
  return tqx::list<TQFullTextInfoStruct, xdr_TQFullTextInfoStruct>(xdrs, &infos->numItems,
                                                                   &infos->fullTextInfoList);
}
