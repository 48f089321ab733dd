// Process handling of the test servers (see server_process.h).
#include "server_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace tqtest {
namespace {

using Clock = std::chrono::steady_clock;

// In the child between fork and exec: only async-signal-safe calls.
[[noreturn]] void execChild(const SpawnRequest& request, char* const* argv, int outFd,
                            pid_t parent) {
  if (request.endWithParent) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(127);
  }
  if (request.detach) setsid();
  dup2(outFd, STDOUT_FILENO);
  if (request.detach) {
    int null = open("/dev/null", O_RDONLY);
    if (null >= 0) dup2(null, STDIN_FILENO);
  }
  if (!request.stderrFile.empty()) {
    int err = open(request.stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (err >= 0) dup2(err, STDERR_FILENO);
  }
  execvp(argv[0], argv);
  _exit(127);
}

// The first line of the stream, or what arrived before its end or the
// deadline.
std::string readFirstLine(int fd, Clock::time_point deadline, bool* complete) {
  std::string line;
  *complete = false;
  while (Clock::now() < deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    pollfd p{fd, POLLIN, 0};
    int ready = poll(&p, 1, static_cast<int>(std::max<int64_t>(left.count(), 1)));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    char c = 0;
    ssize_t got = read(fd, &c, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    if (c == '\n') {
      *complete = true;
      break;
    }
    line += c;
  }
  return line;
}

}  // namespace

std::vector<std::string> serverCommand(const std::vector<std::string>& switches) {
  std::vector<std::string> argv;
  if (const char* wrapper = std::getenv("TQ_TEST_SERVER_WRAPPER"); wrapper && *wrapper) {
    std::istringstream words(wrapper);
    for (std::string word; words >> word;)
      argv.push_back(word);
  }
  argv.push_back(serverExecutable());
  argv.insert(argv.end(), switches.begin(), switches.end());
  return argv;
}

std::string serverExecutable() {
  if (const char* path = std::getenv("TQ_TEST_SERVERD"); path && *path) return path;
  return TQ_TEST_SERVERD_PATH;
}

SpawnedServer spawnServer(const SpawnRequest& request) {
  std::vector<std::string> words = serverCommand(request.switches);
  std::vector<char*> argv;
  for (std::string& w : words)
    argv.push_back(w.data());
  argv.push_back(nullptr);

  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe: " + std::string(strerror(errno)));
  const pid_t parent = getpid();
  pid_t pid = fork();
  if (pid < 0) {
    close(out[0]);
    close(out[1]);
    throw std::runtime_error("fork: " + std::string(strerror(errno)));
  }
  if (pid == 0) execChild(request, argv.data(), out[1], parent);
  close(out[1]);

  bool complete = false;
  std::string line = readFirstLine(out[0], Clock::now() + request.startTimeout, &complete);
  close(out[0]);
  unsigned port = 0;
  char rest = 0;
  if (complete && std::sscanf(line.c_str(), "listening on port %u%c", &port, &rest) == 1 &&
      port > 0 && port <= 65535) {
    return {pid, static_cast<uint16_t>(port)};
  }
  kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  throw std::runtime_error("tqserverd did not start (first line \"" + line + "\", " +
                           describeStatus(status) + ")");
}

bool processGone(pid_t pid) {
  if (kill(pid, 0) != 0 && errno == ESRCH) return true;
  // A zombie whose parent does not reap it counts as gone.
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  if (!std::getline(stat, text)) return true;
  size_t close = text.rfind(')');
  return close != std::string::npos && close + 2 < text.size() && text[close + 2] == 'Z';
}

bool waitUntilGone(pid_t pid, std::chrono::milliseconds timeout) {
  auto deadline = Clock::now() + timeout;
  while (!processGone(pid)) {
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

std::string describeStatus(int status) {
  if (WIFEXITED(status)) return "exit code " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return "signal " + std::to_string(WTERMSIG(status));
  return "status " + std::to_string(status);
}

}  // namespace tqtest
