// Decodes arbitrary bytes as one of the definition records. Byte 0 picks the
// record; byte 1 picks the session's character sets (plain, or a Shift_JIS
// client with an EUC-JP server). Whatever decodes is encoded again and
// released through the routine's free direction, or through the library's
// release routine when the record has one.
#include <rpc/rpc.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "api/tqb_session.h"
#include "rpc/xdr_base.h"
#include "rpc/xdr_defs.h"

namespace {

struct Target {
  tqx::Proc routine;
  uint32_t size;
  void (*release)(void*);  // nullptr: the routine's free direction
};

template <class T, bool_t (*F)(XDR*, T*), void (*R)(T*, TQBoolean) = nullptr>
Target target() {
  void (*release)(void*) = nullptr;
  if constexpr (R != nullptr) release = [](void* p) { R(static_cast<T*>(p), 0); };
  return {tqx::decodeOrFree<T, F>, sizeof(T), release};
}

const std::vector<Target>& targets() {
  static const std::vector<Target> all = {
      target<TQFilterActionList, xdr_TQFilterActionList, FreeTQFilterActionList>(),
      target<TQActiveLinkActionList, xdr_TQActiveLinkActionList, FreeTQActiveLinkActionList>(),
      target<TQCharMenuStruct, xdr_TQCharMenuStruct, FreeTQCharMenuStruct>(),
      target<TQFieldLimitStruct, xdr_TQFieldLimitStruct, FreeTQFieldLimitStruct>(),
      target<TQCompoundSchema, xdr_TQCompoundSchema, FreeTQCompoundSchema>(),
      target<TQDisplayInstanceList, xdr_TQDisplayInstanceList, FreeTQDisplayInstanceList>(),
      target<TQReferenceList, xdr_TQReferenceList, FreeTQReferenceList>(),
      target<TQFullTextInfoList, xdr_TQFullTextInfoList, FreeTQFullTextInfoList>(),
      target<TQUserInfoList, xdr_TQUserInfoList, FreeTQUserInfoList>(),
      target<TQGroupInfoList, xdr_TQGroupInfoList, FreeTQGroupInfoList>(),
      target<TQFieldAssignList, xdr_TQFieldAssignList, FreeTQFieldAssignList>(),
      target<TQIndexList, xdr_TQIndexList, FreeTQIndexList>(),
      target<TQEscalationTmStruct, xdr_TQEscalationTmStruct>(),
      target<TQContainerInfoList, xdr_TQContainerInfoList, FreeTQContainerInfoList>(),
      target<TQPushFieldsList, xdr_TQPushFieldsList, FreeTQPushFieldsList>(),
  };
  return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const Target& t = targets()[data[0] % targets().size()];
  const bool convert = (data[1] & 1) != 0;
  data += 2;
  size -= 2;

  TQSessionStruct session;
  session.clientCodePage = convert ? 5 : 0;
  session.serverCodePage = convert ? 4 : 0;
  tqSetCurrentSession(&session);

  void* record = std::calloc(1, t.size);
  XDR in;
  xdrmem_create(&in, const_cast<char*>(reinterpret_cast<const char*>(data)),
                static_cast<u_int>(size), XDR_DECODE);
  if (t.routine(&in, record)) {
    std::vector<char> out(2 * size + 4096);
    XDR again;
    xdrmem_create(&again, out.data(), static_cast<u_int>(out.size()), XDR_ENCODE);
    t.routine(&again, record);
    xdr_destroy(&again);
    if (t.release != nullptr) {
      t.release(record);
    } else {
      XDR freer{};
      freer.x_op = XDR_FREE;
      t.routine(&freer, record);
    }
  }
  xdr_destroy(&in);
  std::free(record);
  tqSetCurrentSession(nullptr);
  return 0;
}
