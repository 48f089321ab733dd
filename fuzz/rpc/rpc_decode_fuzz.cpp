// Decodes arbitrary bytes as the result record (or the argument record, as
// the reference server does) of every procedure that has routines.
//
// Byte 0 picks the procedure and whether its result or its arguments are
// decoded; byte 1 picks the session's character sets (plain, or a Shift_JIS
// client with an EUC-JP server), the no-conversion byte and whether the bytes
// come through a memory stream or a record stream. Whatever decodes is encoded
// again and released.
#include <rpc/rpc.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "api/tqb_session.h"
#include "rpc/procedures.h"

namespace {

struct Target {
  tqx::Proc routine;
  uint32_t size;
};

const std::vector<Target>& targets() {
  static const std::vector<Target> all = [] {
    std::vector<Target> list;
    for (uint32_t slot = 0; slot < kTQProcedureCount; ++slot) {
      const TQProcedure& p = tqProcedureAt(slot);
      if (!tqHasRoutines(p)) continue;
      list.push_back({p.xdrResult, p.resultSize});
      list.push_back({p.xdrArgs, p.argSize});
    }
    return list;
  }();
  return all;
}

struct Source {
  const uint8_t* data;
  size_t size;
  size_t at;
};

int readSource(void* handle, void* into, int wanted) {
  auto* s = static_cast<Source*>(handle);
  const size_t n = std::min(s->size - s->at, static_cast<size_t>(wanted));
  if (n == 0) return -1;
  std::memcpy(into, s->data + s->at, n);
  s->at += n;
  return static_cast<int>(n);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const Target& target = targets()[data[0] % targets().size()];
  const uint8_t mode = data[1];
  data += 2;
  size -= 2;

  TQSessionStruct session;
  session.clientCodePage = (mode & 1) != 0 ? 5 : 0;
  session.serverCodePage = (mode & 1) != 0 ? 4 : 0;
  session.noConversion = (mode & 2) != 0 ? 1 : 0;
  tqSetCurrentSession(&session);

  void* record = std::calloc(1, target.size);
  XDR in;
  std::vector<uint8_t> framed;
  Source source{nullptr, 0, 0};
  if ((mode & 4) != 0) {
    // One last fragment carrying the bytes, as a TCP reply arrives.
    const uint32_t marker = htonl(0x80000000u | static_cast<uint32_t>(size));
    framed.resize(4 + size);
    std::memcpy(framed.data(), &marker, 4);
    if (size != 0) std::memcpy(framed.data() + 4, data, size);
    source = {framed.data(), framed.size(), 0};
    xdrrec_create(&in, 0, 0, &source, readSource, nullptr);
    in.x_op = XDR_DECODE;
    xdrrec_skiprecord(&in);
  } else {
    xdrmem_create(&in, const_cast<char*>(reinterpret_cast<const char*>(data)),
                  static_cast<u_int>(size), XDR_DECODE);
  }
  if (target.routine(&in, record)) {
    std::vector<char> out(2 * size + 4096);
    XDR again;
    xdrmem_create(&again, out.data(), static_cast<u_int>(out.size()), XDR_ENCODE);
    target.routine(&again, record);
    xdr_destroy(&again);
    XDR freer{};
    freer.x_op = XDR_FREE;
    target.routine(&freer, record);
  }
  xdr_destroy(&in);
  std::free(record);
  tqSetCurrentSession(nullptr);
  return 0;
}
