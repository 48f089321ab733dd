// The end-of-session phase of TQTermination: every binding of every channel
// tells its server that its session ends, then the connections, routes and
// identities go.
#include <cstdlib>
#include <cstring>

#include "api/tqb_transport.h"
#include "api/tqmap.h"

namespace {

void copyInto(char* dst, const char* src, size_t size) {
  std::memcpy(dst, src, size);
  dst[size - 1] = '\0';
}

void endBinding(TQControlStruct* control, TQSessionStruct* session, int channel,
                TQBindingStruct* binding, TQStatusList* status) {
  control->cacheId = static_cast<int32_t>(binding->cacheId);
  copyInto(control->user, binding->user, sizeof control->user);
  copyInto(control->password, binding->password, sizeof control->password);
  copyInto(control->language, binding->language, sizeof control->language);
  copyInto(control->server, binding->server, sizeof control->server);

  TQEndSessionArgs notice{};
  const uint32_t code = tqPrepareCallHeader(control, channel, &notice.header, status);
  if (code < TQ_RETURN_ERROR) {
    notice.user = binding->user;
    notice.cacheId = static_cast<int32_t>(binding->cacheId);
    if (channel != kTQChannelQuery) {
      tqSendEndSessionNotice(control, channel, &notice);
    } else {
      session->forcedProgramFlag = 1;
      for (int slot = 0; slot < kTQQueryCacheIdCount; ++slot) {
        if (binding->queryCacheIds[slot] == -1) continue;
        notice.cacheId = binding->queryCacheIds[slot];
        session->forcedQueryProgram = slot == kTQDefaultProgramCacheSlot
                                          ? kTQDefaultProgram
                                          : kTQFirstQueryProgram + static_cast<uint32_t>(slot);
        tqSendEndSessionNotice(control, channel, &notice);
        tqCloseChannel(session, kTQChannelQuery);
      }
      session->forcedProgramFlag = 0;
    }
  }
  tqReleaseCallHeader(&notice.header);
  // The header preparation plumbing of the query channel must not point at
  // the notice's header once it is gone.
  session->currentHeader = nullptr;
  session->currentCacheIds = nullptr;
}

}  // namespace

uint32_t tqEndSessions(TQControlStruct* control, TQStatusList* status) {
  TQSessionStruct* session = control->session;
  for (int channel = 0; channel < kTQChannelCount; ++channel) {
    TQChannelStruct& ch = session->channels[channel];
    while (ch.bindings != nullptr) {
      TQBindingStruct* binding = ch.bindings;
      endBinding(control, session, channel, binding, status);
      // The notice may have run on another channel (a fixed program moves
      // channels); the binding is unlinked from its own list either way.
      for (TQBindingStruct** link = &ch.bindings; *link != nullptr; link = &(*link)->next) {
        if (*link == binding) {
          *link = binding->next;
          break;
        }
      }
      if (ch.currentBinding == binding) ch.currentBinding = nullptr;
      std::free(binding);
    }
    ch.currentBinding = nullptr;
    tqCloseChannel(session, channel);
  }
  // Bindings that a notice's header preparation made on a channel already
  // ended (a program fixed after they were made moves channels) go too.
  for (TQChannelStruct& ch : session->channels)
    tqFreeBindings(ch);
  tqCloseDirectory(session);
  tqFreeRoutes(session);
  tqFreeIdentities(session);
  tqmapRelease(session);
  return tqTopStatus(status);
}
