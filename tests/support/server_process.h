// Starting and ending tqserverd processes for tests: the fork/exec, the
// "listening on port N" line, and waiting for a process to be gone.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace tqtest {

// The server program the tests were built with.
std::string serverExecutable();

// The command that runs the server with the switches: the server program,
// preceded by the words of TQ_TEST_SERVER_WRAPPER when that is set (for
// instance "valgrind --error-exitcode=99").
std::vector<std::string> serverCommand(const std::vector<std::string>& switches);

struct SpawnRequest {
  std::vector<std::string> switches;
  // The child ends with its parent (the server also asks for this itself
  // unless --no-parent-watch is among the switches).
  bool endWithParent = true;
  // A new session of its own, detached from the terminal and the test.
  bool detach = false;
  // Where the server's standard error goes; empty: inherited.
  std::string stderrFile;
  std::chrono::seconds startTimeout{60};
};

struct SpawnedServer {
  pid_t pid = -1;
  uint16_t port = 0;
};

// Runs serverCommand(switches) and reads its first line. Throws std::runtime_error when the server
// does not start; the child is reaped then.
SpawnedServer spawnServer(const SpawnRequest& request);

// True when the process no longer runs (gone, or a zombie nobody reaped).
bool processGone(pid_t pid);

// Polls until processGone or the timeout; true when it is gone.
bool waitUntilGone(pid_t pid, std::chrono::milliseconds timeout);

// A waitpid status in words ("exit code 0", "signal 11").
std::string describeStatus(int status);

}  // namespace tqtest
