// Pieces that every version-6 procedure routine uses: the header, the status
// list, names in arguments.
#pragma once

#include <rpc/rpc.h>

#include "rpc/xdr_defs_util.h"
#include "rpc/xdr_header.h"
#include "rpc/xdr_records.h"

namespace tqproc {

inline bool_t header(XDR* x, TQCallHeader* h) {
  return xdr_TQCallHeader6(x, h);
}
inline bool_t status(XDR* x, TQStatusList* s) {
  return xdr_TQStatusList(x, s);
}

// Object, new and schema names in arguments: text(31).
inline bool_t name(XDR* x, char** n) {
  return tqxdrText(x, n, kTQWireName);
}

}  // namespace tqproc
