// TQInitialization and TQTermination: a session's beginning and end.
#include <cstdlib>
#include <new>

#include "api/tqb_frame.h"
#include "api/tqb_transport.h"
#include "rpc/tqwire.h"
#include "share/i18n/mbcharset.h"

namespace {

// Everything a session holds besides its connections, bindings, routes and
// identities (which the end-of-session phase releases).
void freeSession(TQSessionStruct* session) {
  tqRecordStop(session);
  if (session->runtime != nullptr) {
    if (tqwCurrentContext() == session->runtime) tqwSelectContext(nullptr);
    tqwDestroyContext(session->runtime);
    session->runtime = nullptr;
  }
  tqFreeResultBuffers(session);
  std::free(session->extension.bytes);
  session->marker = 0;
  tqUnregisterSession(session);
  if (tqCurrentSession() == session) tqSetCurrentSession(nullptr);
  delete session;
}

}  // namespace

extern "C" uint32_t TQInitialization(TQControlStruct* control, TQStatusList* status) {
  return tqGuarded(status, [&]() -> uint32_t {
    if (status == nullptr) return TQ_RETURN_BAD_STATUS;
    tqResetStatus(status);
    if (control == nullptr) {
      TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgNoControl, nullptr);
      return TQ_RETURN_ERROR;
    }
    control->session = nullptr;
    auto* session = new (std::nothrow) TQSessionStruct{};
    if (session == nullptr) return tqOutOfMemory(status);
    control->session = session;
    session->channels[0].program = kTQDefaultProgram;
    session->clientCodePage = tqMbClientCharSet();
    tqRegisterSession(session);
    tqLookupSession(control, status);

    uint32_t code = 0;
    session->runtime = tqwCreateContext();
    if (session->runtime == nullptr || tqwSelectContext(session->runtime) == nullptr) {
      code = TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgNoRuntime, nullptr);
    } else {
      code = tqReadEnvironment(session, status);
      if (tqRecordingOn(session)) {
        tqRecordCall(session, "TQInitialization");
        tqRecordResults(session, "TQInitialization", code, status);
      }
    }
    if (code >= TQ_RETURN_ERROR) {
      freeSession(session);
      control->session = nullptr;
    }
    return code;
  });
}

extern "C" uint32_t TQTermination(TQControlStruct* control, TQStatusList* status) {
  return tqGuarded(status, [&]() -> uint32_t {
    TQSessionStruct* session = nullptr;
    uint32_t code = tqFrameStart(control, status, &session);
    if (code != kTQFrameGoOn) return code;
    if (control == nullptr) {
      // The session to end is named only by a control record.
      TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgNoSession, nullptr);
      return TQ_RETURN_FATAL;
    }
    // The session is released whatever happens while the notices go out.
    struct Release {
      TQControlStruct* control;
      TQSessionStruct* session;
      ~Release() {
        freeSession(session);
        control->session = nullptr;
      }
    } release{control, session};
    code = tqEndSessions(control, status);
    if (tqRecordingOn(session)) {
      tqRecordCall(session, "TQTermination");
      tqRecordResults(session, "TQTermination", code, status);
    }
    return code;
  });
}
