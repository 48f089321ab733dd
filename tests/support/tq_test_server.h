// The test harness of every end-to-end test: a tqserverd of the test's own,
// started with the switches the test needs and stopped at the end of its
// scope, and the shared server of the ctest fixture.
//
//   tqtest::TestServer server({"--max-version", "4"}, "Joe secret\n");
//   ... connect to 127.0.0.1:server.port() ...
//   EXPECT_EQ(server.calls(36), 1u);   // calls of procedure 36 that reached it
//
// The server's switches are those of `tqserverd --help`; TestServer adds
// --stats-file (the call counters) and, when users are given, --users.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tqtest {

inline constexpr uint32_t kAny = 0;  // any program or version in calls()

// Tests that use the machine's port mapper share it with every other test
// on the machine, of this run and of any other build tree. They are kept
// apart in two ways:
//  - holdPortMapper takes one machine-wide lock (a file lock, waited for)
//    and holds it until the process ends, so that no two of them register
//    the same programs at once; TestServer takes it for --portmap, and tests
//    that ask the port mapper themselves take it first;
//  - a server registered with the port mapper serves only the user
//    kPortMapperUser with a password of its own (password()), so that a
//    client of any other test that falls back to the port mapper is refused
//    instead of served by it.
inline constexpr const char* kPortMapperUser = "Demo";
void holdPortMapper();
inline constexpr uint32_t kDirectoryProgram = 390604;

struct CallCount {
  uint32_t program;
  uint32_t version;
  uint32_t procedure;
  uint64_t count;
};

class TestServer {
 public:
  // Starts the server; `users` is the text of a users file ("name password"
  // lines) passed with --users when not empty. Throws std::runtime_error
  // when the server does not start.
  explicit TestServer(std::vector<std::string> switches = {}, const std::string& users = "");

  // Stops the server (SIGTERM, then SIGKILL after a minute) unless it was
  // stopped or awaited already, and records a test failure when it did not
  // end with exit code 0 (which is how a sanitizer or a crash shows).
  ~TestServer();
  TestServer(const TestServer&) = delete;
  TestServer& operator=(const TestServer&) = delete;

  uint16_t port() const { return port_; }
  // The password its clients give: empty, or for a server registered with
  // the port mapper the one it was given (see holdPortMapper).
  const std::string& password() const { return password_; }
  pid_t pid() const { return pid_; }
  // A scratch folder of this server, removed with it.
  const std::string& folder() const { return folder_; }

  // Every counter of calls that reached the server.
  std::vector<CallCount> callCounts() const;
  // Calls of a procedure of the server program (390600 and the query
  // programs; not the directory) in any version.
  uint64_t calls(uint32_t procedure) const;
  // Calls of a procedure of one program (kAny: any but the directory) and
  // version (kAny: any).
  uint64_t calls(uint32_t program, uint32_t version, uint32_t procedure) const;
  // All calls of the server program.
  uint64_t totalCalls() const;

  // True while the process runs.
  bool running();
  // Waits for the server to end by itself; its waitpid status, or nothing
  // when it still runs after the timeout.
  std::optional<int> waitForExit(std::chrono::milliseconds timeout);
  // Sends SIGTERM and waits; returns the waitpid status.
  int stop();

 private:
  bool reap(int options);

  pid_t pid_ = -1;
  uint16_t port_ = 0;
  std::string password_;
  std::string folder_;
  std::string statsFile_;
  std::optional<int> status_;
};

// What a run of the server that ends by itself gave (for switch tests).
struct ServerRun {
  int status = -1;  // waitpid status
  std::string out;
  std::string err;
};

// Runs tqserverd with the switches to its end (at most the timeout, then it
// is killed) and collects its output.
ServerRun runServerToEnd(const std::vector<std::string>& switches,
                         std::chrono::seconds timeout = std::chrono::seconds(60));

// The port of the shared server of the ctest fixture (tests given
// TQ_SHARED_SERVER_PROPERTIES, see TqTestServer.cmake); nothing outside it.
std::optional<uint16_t> sharedServerPort();

}  // namespace tqtest
