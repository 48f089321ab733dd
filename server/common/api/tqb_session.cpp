// The calling thread's current session, the registry of live sessions and
// the session lookup that trusts only a registered handle.
#include "api/tqb_session.h"

#include <cstring>
#include <mutex>
#include <unordered_set>

#include "share/apisrv/messages.h"
#include "tqlink_services.h"

namespace {

// Handles of the sessions that live now. A handle is trusted only after it
// was found here, so a stale or made-up handle is never dereferenced.
std::mutex& registryLock() {
  static std::mutex lock;
  return lock;
}

std::unordered_set<const TQSessionStruct*>& registry() {
  static std::unordered_set<const TQSessionStruct*> live;
  return live;
}

}  // namespace

TQSessionStruct* tqCurrentSession() {
  return static_cast<TQSessionStruct*>(tqCurrentCallOwner());
}

void tqSetCurrentSession(TQSessionStruct* session) {
  tqSetCurrentCallContext(session, session);
}

void tqRegisterSession(TQSessionStruct* session) {
  std::lock_guard<std::mutex> guard(registryLock());
  registry().insert(session);
}

void tqUnregisterSession(TQSessionStruct* session) {
  std::lock_guard<std::mutex> guard(registryLock());
  registry().erase(session);
}

bool tqSessionIsLive(const TQSessionStruct* session) {
  if (session == nullptr) return false;
  std::lock_guard<std::mutex> guard(registryLock());
  return registry().count(session) != 0 && session->marker == kTQSessionMarker;
}

TQSessionStruct* tqLookupSession(const TQControlStruct* control, TQStatusList* status) {
  if (control == nullptr) return tqCurrentSession();
  TQSessionStruct* session = control->session;
  if (!tqSessionIsLive(session)) {
    if (status != nullptr) TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgNoSession, nullptr);
    return nullptr;
  }
  tqSetCurrentSession(session);
  return session;
}

bool tqSameServer(const char* a, const char* b) {
  return std::strncmp(a, b, TQ_MAX_SERVER_SIZE + 1) == 0;
}
