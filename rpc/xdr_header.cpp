// The call header of each protocol version (see xdr_header.h).
#include "rpc/xdr_header.h"

#include "rpc/xdr_base.h"
#include "share/i18n/tqxdr.h"

namespace {

// cache id, operation time, user name fixed(31), password fixed(31),
// language fixed(16): the part every version shares.
bool_t headerStart(XDR* x, TQCallHeader* h) {
  return tqx::run(x, &h->cacheId, &h->operationTime) &&
         tqxdrFixedText(x, h->user, sizeof h->user) &&
         tqxdrFixedText(x, h->password, sizeof h->password) &&
         tqxdrFixedText(x, h->language, TQ_MAX_LANG_SIZE, sizeof h->language);
}

}  // namespace

bool_t xdr_TQCallHeader6(XDR* xdrs, TQCallHeader* h) {
  return headerStart(xdrs, h) && xdr_TQByteList(xdrs, &h->extension) &&
         tqx::run(xdrs, &h->sessionWords[0], &h->sessionWords[1], &h->sessionWords[2],
                  &h->sessionWords[3], &h->timeStamp, &h->furtherWords[0], &h->furtherWords[1],
                  &h->furtherWords[2], &h->reserved, &h->signedReserved, &h->flag);
}

bool_t xdr_TQCallHeader2(XDR* xdrs, TQCallHeader* h) {
  if (!headerStart(xdrs, h)) return FALSE;
  // The extension is no part of this form, but a header being released may
  // hold one that was decoded or copied from a version-6 header.
  if (xdrs->x_op == XDR_FREE) return xdr_TQByteList(xdrs, &h->extension);
  return tqx::run(xdrs, &h->reserved, &h->signedReserved, &h->flag);
}

bool_t xdrEntryIdField(XDR* xdrs, TQEntryIdType* id) {
  return xdr_TQEntryIdType(xdrs, id);
}
