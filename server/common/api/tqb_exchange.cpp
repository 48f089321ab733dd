// The shared pieces of export and import (see tqb_exchange.h).
#include "api/tqb_exchange.h"

#include <cstring>

#include "api/tqb_session.h"
#include "share/apisrv/memory.h"
#include "share/i18n/mbutil.h"

std::vector<size_t> tqImportChunkSizes(const char* data, size_t length, size_t limit,
                                       bool oldServer, int charSet) {
  std::vector<size_t> sizes;
  if (limit == 0) limit = 1;
  size_t offset = 0;
  while (length - offset > limit) {
    size_t size = limit;
    if (oldServer) {
      // A character is never longer than a chunk: a cut that leaves nothing
      // takes the whole limit rather than stopping.
      const size_t safe = tqMbSafeLength(data + offset, limit, charSet);
      if (safe > 0) size = safe;
    }
    sizes.push_back(size);
    offset += size;
  }
  sizes.push_back(length - offset);
  return sizes;
}

char* tqExchangeConvert(const char* text, size_t length, bool toClient, size_t* converted) {
  const TQSessionStruct* session = tqCurrentSession();
  const int client = session != nullptr ? session->clientCodePage : 0;
  const int server = session != nullptr ? session->serverCodePage : 0;
  const int from = toClient ? server : client;
  const int to = toClient ? client : server;
  const size_t room = 2 * length + 1;
  auto* out = static_cast<char*>(tqMemAlloc(room));
  if (out == nullptr) return nullptr;
  if (from == to || !tqMbConversionSupported(from, to)) {
    std::memcpy(out, text, length);
    out[length] = '\0';
    *converted = length;
    return out;
  }
  const TQMbConvResult result =
      tqMbConvert(text, length, from, out, room, to, TQMbBadChars::kReplace);
  *converted = result.status == TQMbConvStatus::kOk ? result.length : 0;
  return out;
}
