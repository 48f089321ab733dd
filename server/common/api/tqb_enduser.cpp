// TQEndUserSession: tells the server on every channel that a user's session
// ends.
#include <cstring>

#include "api/parmchck.h"
#include "api/tqb_frame.h"

extern "C" uint32_t TQEndUserSession(TQControlStruct* control, const char* user,
                                     TQStatusList* status) {
  return tqGuarded(status, [&]() -> uint32_t {
    TQSessionStruct* session = nullptr;
    uint32_t code = tqFrameStart(control, status, &session);
    if (code != kTQFrameGoOn) return code;
    code = tqCheckControl(control, status);
    if (code >= TQ_RETURN_ERROR) return code;
    if (user == nullptr) {
      TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgNoControl, nullptr);
      return TQ_RETURN_ERROR;
    }
    if (tqRecordingOn(session)) tqRecordCall(session, "TQEndUserSession");
    TQAccessNameType name = {};
    std::strncpy(name, user, TQ_MAX_ACCESS_NAME_SIZE);
    for (int channel = 0; channel < kTQChannelCount && code < TQ_RETURN_ERROR; ++channel) {
      // The notice of the procedure table, once on every channel.
      TQCallPlan notice = tqCallPlan(kTQProcEndSession, "TQEndUserSession");
      notice.channel = channel;
      code = tqFrameCall<TQEndSessionArgs, TQStatusResult>(
          notice, session, control, status,
          [&](TQEndSessionArgs& args) {
            args.user = name;
            args.cacheId = 0;
          },
          [](TQStatusResult&) {});
    }
    if (code >= TQ_RETURN_ERROR) code = TQ_RETURN_ERROR;
    if (tqRecordingOn(session)) tqRecordResults(session, "TQEndUserSession", code, status);
    return code;
  });
}
