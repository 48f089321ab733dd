// The command line of tqreplay (replay_options.h).
#include "replay_options.h"

#include <cstdlib>
#include <cstring>

const char* replayUsage() {
  return R"(usage: tqreplay [switches] SERVER COMMAND_LOG
  Performs the calls of COMMAND_LOG in order against SERVER in one session.
  --port N          reach the server on this TCP port
  --user NAME       user of the session (default Demo)
  --password TEXT   password of the session (default empty)
  --commands FILE   the replay's own command log (default tqreplay-cmd.log)
  --results FILE    the replay's own result log (default tqreplay-res.log)
  --expect FILE     a recorded result log: every call must give the return
                    code recorded there
  --no-pauses       do not wait where the log recorded think time
  --help            this text
Exit code: 0 when every call gave the expected result (without --expect: no
call failed), 1 when one did not, 2 when the log or the command line is
not usable or the session cannot start.
)";
}

bool parseReplayOptions(int argc, char** argv, ReplayOptions* options, std::string* error) {
  int positional = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string* to) {
      if (i + 1 >= argc) {
        *error = arg + " needs a value";
        return false;
      }
      *to = argv[++i];
      return true;
    };
    std::string text;
    if (arg == "--help") {
      error->clear();
      return false;
    } else if (arg == "--no-pauses") {
      options->pauses = false;
    } else if (arg == "--port") {
      if (!value(&text)) return false;
      char* end = nullptr;
      const long port = std::strtol(text.c_str(), &end, 10);
      if (*end != '\0' || port <= 0 || port > 65535) {
        *error = "--port needs a port number, not " + text;
        return false;
      }
      options->port = static_cast<int>(port);
    } else if (arg == "--user") {
      if (!value(&options->user)) return false;
    } else if (arg == "--password") {
      if (!value(&options->password)) return false;
    } else if (arg == "--commands") {
      if (!value(&options->ownCommandLog)) return false;
    } else if (arg == "--results") {
      if (!value(&options->ownResultLog)) return false;
    } else if (arg == "--expect") {
      if (!value(&options->expected)) return false;
    } else if (arg.starts_with("--")) {
      *error = "unknown switch " + arg;
      return false;
    } else if (positional == 0) {
      options->server = arg;
      ++positional;
    } else if (positional == 1) {
      options->commandLog = arg;
      ++positional;
    } else {
      *error = "one server and one command log, not " + arg;
      return false;
    }
  }
  if (positional != 2) {
    *error = "a server and a command log are needed";
    return false;
  }
  return true;
}
