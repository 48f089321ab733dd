// The command log: recording on and off (TQStartRecording, TQStopRecording
// and the TQAPILOGGING start), the pause blocks that keep the think time
// between calls, and the command block of each call: its header, its code
// and its input arguments by the walk of its argument record.
#include "api/log_command.h"

#include <sys/time.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "api/log_rows.h"
#include "api/tqb_frame.h"
#include "share/apisrv/memory.h"
#include "share/i18n/mbutil.h"

namespace {

constexpr const char* kDefaultCommandLog = "tqapicmd.log";
constexpr const char* kDefaultResultLog = "tqapires.log";
constexpr int64_t kMicros = 1000000;

int64_t systemClock() {
  timeval now{};
  gettimeofday(&now, nullptr);
  return static_cast<int64_t>(now.tv_sec) * kMicros + now.tv_usec;
}

std::atomic<TQRecordClock> gClock{&systemClock};

int64_t now() {
  return gClock.load()();
}

FILE* openLog(const char* name) {
  FILE* file = std::fopen(name, "a+");
  if (file != nullptr) std::setvbuf(file, nullptr, _IONBF, 0);
  return file;
}

// Opens whichever log is not open yet; false (and the command log opened
// here closed again) when one cannot be opened.
bool openLogs(TQSessionStruct* session, const char* commandName, const char* resultName) {
  bool openedCommand = false;
  if (session->commandLog == nullptr) {
    session->commandLog = openLog(commandName != nullptr ? commandName : kDefaultCommandLog);
    if (session->commandLog == nullptr) return false;
    openedCommand = true;
  }
  if (session->resultLog == nullptr) {
    session->resultLog = openLog(resultName != nullptr ? resultName : kDefaultResultLog);
    if (session->resultLog == nullptr) {
      if (openedCommand) {
        std::fclose(session->commandLog);
        session->commandLog = nullptr;
      }
      return false;
    }
  }
  return true;
}

// The pause block before a call, when think time is recorded and at least
// half a second more than a whole second passed since the last call ended.
void writePause(TQSessionStruct* session, TQLogText& block) {
  if (session->recordPause == 0) return;
  const int64_t current = now();
  const int64_t elapsed = current - session->lastCallMicros;
  session->lastCallMicros = current;
  if (elapsed <= 0) return;
  const int64_t seconds = (elapsed + kMicros / 2) / kMicros;
  if (seconds >= 1) block.printf("#\n# (Pause)\n#\nst\n%d\n", static_cast<int>(seconds));
}

void writeBlock(TQSessionStruct* session, const TQRecordRow& row, void* args) {
  TQLogText block;
  writePause(session, block);
  block.printf("#\n# %s\n#\n%s\n", row.header, row.code);
  if (args != nullptr && row.write != nullptr) {
    TQCommandWriter writer(block);
    row.write(writer, args);
  }
  block.writeTo(session->commandLog);
}

}  // namespace

void tqLogTextLine(TQLogText& out, const char* text, size_t size) {
  if (text == nullptr) {
    out.append("\n");
    return;
  }
  size_t length = strnlen(text, size);
  // The cut may not split a character.
  if (length > kTQLogTextLimit) length = tqMbSafeLength(text, kTQLogTextCut);
  const size_t start = out.length;
  out.append(text, length);
  out.append("\n");
  if (out.failed) return;
  for (size_t i = start; i < start + length; ++i) {
    const auto byte = static_cast<unsigned char>(out.data[i]);
    if (byte < 0x20 && byte != '\t') out.data[i] = ' ';
  }
}

void tqLogRealLine(TQLogText& out, double value) {
  char shortForm[512];
  std::snprintf(shortForm, sizeof shortForm, "%lf", value);
  if (std::isfinite(value) && std::strtod(shortForm, nullptr) != value) {
    out.printf("%.17g\n", value);
    return;
  }
  out.printf("%s\n", shortForm);
}

void tqRecordSetClock(TQRecordClock clock) {
  gClock.store(clock != nullptr ? clock : &systemClock);
}

bool tqRecordingOn(const TQSessionStruct* session) {
  return session != nullptr && session->recordingOn != 0;
}

void tqRecordCall(TQSessionStruct* session, const char* name) {
  if (session == nullptr) return;
  if (const TQRecordRow* row = tqRecordRowByName(name)) writeBlock(session, *row, nullptr);
}

void tqRecordCall(TQSessionStruct* session, const TQCallPlan& plan, const void* args) {
  if (session == nullptr) return;
  if (const TQRecordRow* row = tqRecordRowByName(plan.name)) {
    writeBlock(session, *row, const_cast<void*>(args));
  }
}

void tqRecordEndTime(TQSessionStruct* session) {
  if (session->recordPause != 0) session->lastCallMicros = now();
}

void tqRecordStart(TQSessionStruct* session, bool pause) {
  if (!openLogs(session, nullptr, nullptr)) return;
  session->recordingOn = 1;
  session->recordPause = pause ? 1 : 0;
  session->lastCallMicros = now();
}

void tqRecordStop(TQSessionStruct* session) {
  if (session->commandLog != nullptr) std::fclose(session->commandLog);
  if (session->resultLog != nullptr) std::fclose(session->resultLog);
  session->commandLog = nullptr;
  session->resultLog = nullptr;
  session->recordingOn = 0;
  session->recordPause = 0;
  tqMemFree(session->recordOutputs);
  session->recordOutputs = nullptr;
}

extern "C" uint32_t TQStartRecording(TQControlStruct* control, const char* commandLog,
                                     const char* resultLog, TQStatusList* status) {
  return tqGuarded(status, [&]() -> uint32_t {
    TQSessionStruct* session = nullptr;
    const uint32_t code = tqFrameStart(control, status, &session);
    if (code != kTQFrameGoOn) return code;
    if (!openLogs(session, commandLog, resultLog)) return TQ_RETURN_ERROR;
    session->recordingOn = 1;
    session->lastCallMicros = now();
    return TQ_RETURN_OK;
  });
}

extern "C" uint32_t TQStopRecording(TQControlStruct* control, TQStatusList* status) {
  return tqGuarded(status, [&]() -> uint32_t {
    TQSessionStruct* session = nullptr;
    const uint32_t code = tqFrameStart(control, status, &session);
    if (code != kTQFrameGoOn) return code;
    tqRecordStop(session);
    return TQ_RETURN_OK;
  });
}
