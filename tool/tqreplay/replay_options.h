// The command line of tqreplay.
#pragma once

#include <string>

struct ReplayOptions {
  std::string server;
  std::string commandLog;
  int port = 0;  // 0: the server's own routing
  std::string user = "Demo";
  std::string password;
  std::string ownCommandLog = "tqreplay-cmd.log";
  std::string ownResultLog = "tqreplay-res.log";
  std::string expected;  // a recorded result log to compare with
  bool pauses = true;
};

// Fills *options from the arguments; false with *error set when they are
// not usable ("--help" gives false and an empty error).
bool parseReplayOptions(int argc, char** argv, ReplayOptions* options, std::string* error);

const char* replayUsage();
