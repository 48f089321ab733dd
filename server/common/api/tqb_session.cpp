// Session lookup, the live-session registry and the first steps of the
// frame shared by every operation.
#include <mutex>
#include <unordered_set>

#include "api/tqb_frame.h"

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

uint32_t tqTopStatus(const TQStatusList* status) {
  if (status == nullptr || status->numItems == 0 || status->statusList == nullptr) return 0;
  return status->statusList[0].messageType;
}

void tqResetStatus(TQStatusList* status) {
  status->numItems = 0;
  status->statusList = nullptr;
}

uint32_t tqOutOfMemory(TQStatusList* status) {
  TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgOutOfMemory, nullptr);
  return TQ_RETURN_ERROR;
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

uint32_t tqFrameStart(TQControlStruct* control, TQStatusList* status, TQSessionStruct** session) {
  if (status == nullptr) return TQ_RETURN_BAD_STATUS;
  tqResetStatus(status);
  // Without a control record the thread's current session carries the call
  // as far as the argument checks, which then refuse the missing record.
  *session = tqLookupSession(control, status);
  if (*session == nullptr) {
    if (control == nullptr) TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgNoSession, nullptr);
    return TQ_RETURN_FATAL;
  }
  return kTQFrameGoOn;
}

int32_t tqTimeoutSeconds(const TQSessionStruct* session, TQTimeout timeout) {
  switch (timeout) {
    case TQTimeout::kLong:
      return session->longTimeout;
    case TQTimeout::kExtraLong:
      return session->extraLongTimeout;
    case TQTimeout::kNormal:
      break;
  }
  return session->normalTimeout;
}
