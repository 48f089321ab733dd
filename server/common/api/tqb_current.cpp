// The calling thread's current session: set by every operation of the frame,
// read by the helpers that receive no control record.
#include "api/tqb_session.h"

namespace {
thread_local TQSessionStruct* currentSession = nullptr;
}

TQSessionStruct* tqCurrentSession() {
  return currentSession;
}

void tqSetCurrentSession(TQSessionStruct* session) {
  currentSession = session;
}
