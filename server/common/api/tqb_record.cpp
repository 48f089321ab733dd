// The frame's side of call recording. The frame asks whether recording is
// on and hands over each call and its results; writing the command and
// result logs belongs to the recording unit, which takes these over. Until
// then a session that asks for recording keeps its flags and writes nothing.
#include <cstdio>
#include <ctime>

#include "api/tqb_frame.h"

bool tqRecordingOn(const TQSessionStruct* session) {
  return session != nullptr && session->recordingOn != 0;
}

void tqRecordCall(TQSessionStruct* session, const char*) {
  if (session != nullptr) session->lastCallTime = std::time(nullptr);
}

void tqRecordResults(TQSessionStruct*, const char*, uint32_t, const TQStatusList*) {}

void tqRecordStart(TQSessionStruct* session, bool pause) {
  session->recordingOn = 1;
  session->recordPause = pause ? 1 : 0;
  session->lastCallTime = std::time(nullptr);
}

void tqRecordStop(TQSessionStruct* session) {
  if (session->commandLog != nullptr) std::fclose(session->commandLog);
  if (session->resultLog != nullptr) std::fclose(session->resultLog);
  session->commandLog = nullptr;
  session->resultLog = nullptr;
  session->recordingOn = 0;
}
