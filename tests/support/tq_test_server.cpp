// The test server harness (see tq_test_server.h).
#include "tq_test_server.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "server_process.h"

namespace tqtest {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kStopTimeout = std::chrono::seconds(60);

std::string makeFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/tqserverd.XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("mkdtemp: " + std::string(strerror(errno)));
  }
  return pattern;
}

void writeText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

constexpr const char* kPortMapperLock = "/tmp/tqlink-tests-portmap.lock";
constexpr auto kPortMapperWait = std::chrono::minutes(15);

}  // namespace

void holdPortMapper() {
  static const int held = [] {
    const int fd = open(kPortMapperLock, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) throw std::runtime_error("cannot open " + std::string(kPortMapperLock));
    const auto deadline = Clock::now() + kPortMapperWait;
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
      if (Clock::now() >= deadline) {
        close(fd);
        throw std::runtime_error("another test holds the port mapper for too long");
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return fd;  // held until the process ends
  }();
  (void)held;
}

TestServer::TestServer(std::vector<std::string> switches, const std::string& users)
    : folder_(makeFolder()), statsFile_(folder_ + "/stats") {
  try {
    std::string table = users;
    if (std::find(switches.begin(), switches.end(), "--portmap") != switches.end()) {
      holdPortMapper();
      password_ = "pm" + std::to_string(getpid());
      table += std::string(kPortMapperUser) + " " + password_ + "\n";
    }
    if (!table.empty()) {
      writeText(folder_ + "/users", table);
      switches.insert(switches.end(), {"--users", folder_ + "/users"});
    }
    switches.insert(switches.end(), {"--stats-file", statsFile_});
    SpawnRequest request;
    request.switches = std::move(switches);
    SpawnedServer started = spawnServer(request);
    pid_ = started.pid;
    port_ = started.port;
  } catch (...) {
    std::filesystem::remove_all(folder_);
    throw;
  }
}

TestServer::~TestServer() {
  if (!status_) {
    int status = stop();
    if (!(WIFEXITED(status) && WEXITSTATUS(status) == 0)) {
      ADD_FAILURE() << "tqserverd (pid " << pid_ << ") ended with " << describeStatus(status);
    }
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

bool TestServer::reap(int options) {
  if (status_) return true;
  int status = 0;
  pid_t got = waitpid(pid_, &status, options);
  if (got == pid_) {
    status_ = status;
    return true;
  }
  return false;
}

bool TestServer::running() {
  return !reap(WNOHANG);
}

std::optional<int> TestServer::waitForExit(std::chrono::milliseconds timeout) {
  auto deadline = Clock::now() + timeout;
  while (!reap(WNOHANG)) {
    if (Clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return status_;
}

int TestServer::stop() {
  if (!status_) {
    kill(pid_, SIGTERM);
    if (!waitForExit(kStopTimeout)) {
      kill(pid_, SIGKILL);
      reap(0);
    }
  }
  return *status_;
}

std::vector<CallCount> TestServer::callCounts() const {
  std::vector<CallCount> counts;
  std::istringstream lines(readText(statsFile_));
  CallCount c{};
  while (lines >> c.program >> c.version >> c.procedure >> c.count)
    counts.push_back(c);
  return counts;
}

uint64_t TestServer::calls(uint32_t program, uint32_t version, uint32_t procedure) const {
  uint64_t total = 0;
  for (const CallCount& c : callCounts()) {
    bool programMatches = program == kAny ? c.program != kDirectoryProgram : c.program == program;
    if (programMatches && (version == kAny || c.version == version) && c.procedure == procedure) {
      total += c.count;
    }
  }
  return total;
}

uint64_t TestServer::calls(uint32_t procedure) const {
  return calls(kAny, kAny, procedure);
}

uint64_t TestServer::totalCalls() const {
  uint64_t total = 0;
  for (const CallCount& c : callCounts()) {
    if (c.program != kDirectoryProgram) total += c.count;
  }
  return total;
}

ServerRun runServerToEnd(const std::vector<std::string>& switches, std::chrono::seconds timeout) {
  std::string folder = makeFolder();
  std::string outFile = folder + "/out", errFile = folder + "/err";
  std::vector<std::string> words = serverCommand(switches);
  std::vector<char*> argv;
  for (std::string& w : words)
    argv.push_back(w.data());
  argv.push_back(nullptr);

  ServerRun run;
  pid_t pid = fork();
  if (pid == 0) {
    int out = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || err < 0) _exit(127);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  if (pid > 0) {
    auto deadline = Clock::now() + timeout;
    while (waitpid(pid, &run.status, WNOHANG) == 0) {
      if (Clock::now() >= deadline) {
        kill(pid, SIGKILL);
        waitpid(pid, &run.status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    run.out = readText(outFile);
    run.err = readText(errFile);
  }
  std::filesystem::remove_all(folder);
  return run;
}

std::optional<uint16_t> sharedServerPort() {
  const char* folder = std::getenv("TQ_TEST_SERVER_DIR");
  if (folder == nullptr || *folder == '\0') return std::nullopt;
  unsigned port = 0;
  std::istringstream text(readText(std::string(folder) + "/port"));
  if (!(text >> port) || port == 0 || port > 65535) return std::nullopt;
  return static_cast<uint16_t>(port);
}

}  // namespace tqtest
