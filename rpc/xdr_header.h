// The call header and the version-dependent pieces of every procedure
// record: the header form and the status-list form of each protocol version.
#pragma once

#include <rpc/rpc.h>

#include "rpc/procedure_records.h"

// Version 6: the full header. Versions 2 to 5: the short header (no session
// extension, session words, time stamp or further words; those fields of the
// record are left as they are on encode and zero on decode).
bool_t xdr_TQCallHeader6(XDR* xdrs, TQCallHeader* header);
bool_t xdr_TQCallHeader2(XDR* xdrs, TQCallHeader* header);

// The header and the status list of protocol version V (2 to 6), for the
// routines that are written once for several versions.
template <int V>
bool_t xdrHeader(XDR* xdrs, TQCallHeader* header) {
  static_assert(V >= 2 && V <= 6);
  if constexpr (V == 6) {
    return xdr_TQCallHeader6(xdrs, header);
  } else {
    return xdr_TQCallHeader2(xdrs, header);
  }
}

template <int V>
bool_t xdrStatus(XDR* xdrs, TQStatusList* status) {
  static_assert(V >= 2 && V <= 6);
  if constexpr (V == 6) {
    return xdr_TQStatusList(xdrs, status);
  } else {
    return xdr_TQStatusListOld(xdrs, status);
  }
}

// The result that carries only the status list (set, delete, end of session
// and many definition changes).
template <int V>
bool_t xdrStatusResult(XDR* xdrs, TQStatusResult* result) {
  return xdrHeader<V>(xdrs, &result->header) && xdrStatus<V>(xdrs, &result->status);
}

// The result with a new entry id (create and merge).
bool_t xdrEntryIdField(XDR* xdrs, TQEntryIdType* id);

template <int V>
bool_t xdrEntryIdResult(XDR* xdrs, TQEntryIdResult* result) {
  return xdrHeader<V>(xdrs, &result->header) && xdrEntryIdField(xdrs, &result->entryId) &&
         xdrStatus<V>(xdrs, &result->status);
}
