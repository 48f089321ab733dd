// The first steps of the frame shared by every operation: status reset,
// session lookup, and the small pieces around them.
#include "api/tqb_frame.h"

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
