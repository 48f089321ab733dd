// tqreplay: reads a command log that tqlink recorded and performs its calls
// in order against a server, in one session, through the shared tqlink.
// The session records the replay in logs of its own, so that its result
// log can be set beside the recorded one; with --expect every call must
// give the return code that the recorded result log holds for it.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "expected_results.h"
#include "replay_options.h"
#include "tqlink.h"
#include "tqlink_services.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitDiffers = 1;
constexpr int kExitUnusable = 2;

// The recorded results of calls that tqreplay performs (the session's own
// start and end are not calls of the log).
std::vector<ExpectedResult> callsOf(const std::vector<ExpectedResult>& all) {
  std::vector<ExpectedResult> calls;
  for (const ExpectedResult& r : all) {
    if (r.name != "TQInitialization" && r.name != "TQTermination") calls.push_back(r);
  }
  return calls;
}

void copyText(char* to, size_t size, const std::string& from) {
  std::snprintf(to, size, "%s", from.c_str());
}

void printStatus(const TQStatusList& status) {
  for (uint32_t i = 0; i < status.numItems; ++i) {
    const TQStatusStruct& s = status.statusList[i];
    std::fprintf(stderr, "    status %u %d %s%s%s\n", s.messageType, s.messageNumber,
                 s.messageText != nullptr ? s.messageText : "",
                 s.appendedText != nullptr ? " : " : "",
                 s.appendedText != nullptr ? s.appendedText : "");
  }
}

}  // namespace

int main(int argc, char** argv) {
  ReplayOptions options;
  std::string error;
  if (!parseReplayOptions(argc, argv, &options, &error)) {
    if (error.empty()) {
      std::fputs(replayUsage(), stdout);
      return kExitOk;
    }
    std::fprintf(stderr, "tqreplay: %s\n%s", error.c_str(), replayUsage());
    return kExitUnusable;
  }

  std::vector<ExpectedResult> expected;
  const bool comparing = !options.expected.empty();
  if (comparing) {
    std::vector<ExpectedResult> all;
    if (!readExpectedResults(options.expected, &all, &error)) {
      std::fprintf(stderr, "tqreplay: %s\n", error.c_str());
      return kExitUnusable;
    }
    expected = callsOf(all);
  }

  TQReplayLog* log = TQReplayOpen(options.commandLog.c_str());
  if (log == nullptr) {
    std::fprintf(stderr, "tqreplay: cannot read %s\n", options.commandLog.c_str());
    return kExitUnusable;
  }

  TQControlStruct control{};
  copyText(control.user, sizeof control.user, options.user);
  copyText(control.password, sizeof control.password, options.password);
  copyText(control.server, sizeof control.server, options.server);
  TQStatusList status{};
  if (TQInitialization(&control, &status) >= TQ_RETURN_ERROR) {
    std::fprintf(stderr, "tqreplay: the session cannot start\n");
    printStatus(status);
    FreeTQStatusList(&status, 0);
    TQReplayClose(log);
    return kExitUnusable;
  }
  FreeTQStatusList(&status, 0);
  int exitCode = kExitOk;
  if (options.port != 0 &&
      TQSetServerPort(&control, control.server, options.port, 0, &status) >= TQ_RETURN_ERROR) {
    std::fprintf(stderr, "tqreplay: cannot use port %d\n", options.port);
    exitCode = kExitUnusable;
  }
  FreeTQStatusList(&status, 0);
  if (exitCode == kExitOk &&
      TQStartRecording(&control, options.ownCommandLog.c_str(), options.ownResultLog.c_str(),
                       &status) >= TQ_RETURN_ERROR) {
    std::fprintf(stderr, "tqreplay: cannot open %s or %s\n", options.ownCommandLog.c_str(),
                 options.ownResultLog.c_str());
    exitCode = kExitUnusable;
  }
  FreeTQStatusList(&status, 0);

  size_t next = 0;
  unsigned performed = 0;
  while (exitCode != kExitUnusable) {
    TQReplayStep step{};
    TQReplayNext(log, &control, &step, &status);
    if (step.kind == TQ_REPLAY_END) break;
    if (step.kind == TQ_REPLAY_MALFORMED) {
      std::fprintf(stderr, "tqreplay: %s: %s\n", options.commandLog.c_str(), step.message);
      exitCode = kExitUnusable;
    } else if (step.kind == TQ_REPLAY_PAUSE) {
      if (options.pauses) std::this_thread::sleep_for(std::chrono::seconds(step.seconds));
    } else if (step.kind == TQ_REPLAY_SKIPPED) {
      std::fprintf(stderr, "tqreplay: line %u: %s cannot be replayed; skipped\n", step.line,
                   step.name);
      if (comparing && next < expected.size() && expected[next].name == step.name) ++next;
    } else if (step.kind == TQ_REPLAY_CALL) {
      ++performed;
      if (comparing) {
        if (next >= expected.size() || expected[next].name != step.name) {
          std::fprintf(stderr, "tqreplay: line %u: %s has no recorded result here\n", step.line,
                       step.name);
          exitCode = kExitDiffers;
        } else if (expected[next].code != step.code) {
          std::fprintf(stderr, "tqreplay: line %u: %s gave %u, recorded %u (result log line %d)\n",
                       step.line, step.name, step.code, expected[next].code, expected[next].line);
          printStatus(status);
          exitCode = kExitDiffers;
        }
        ++next;
      } else if (step.code >= TQ_RETURN_ERROR) {
        std::fprintf(stderr, "tqreplay: line %u: %s gave %u\n", step.line, step.name, step.code);
        printStatus(status);
        exitCode = kExitDiffers;
      }
    }
    FreeTQStatusList(&status, 0);
  }
  if (comparing && exitCode == kExitOk && next != expected.size()) {
    std::fprintf(stderr, "tqreplay: the recorded result log holds %zu calls more\n",
                 expected.size() - next);
    exitCode = kExitDiffers;
  }
  TQTermination(&control, &status);
  FreeTQStatusList(&status, 0);
  TQReplayClose(log);
  std::printf("tqreplay: %u calls replayed\n", performed);
  return exitCode;
}
