// tq_server_ctl: starts and stops the shared tqserverd of the ctest fixture.
//
//   tq_server_ctl start FOLDER [switches...]   starts a detached server and
//       writes FOLDER/port, FOLDER/pid; its standard error goes to
//       FOLDER/server.log and its counters to FOLDER/stats
//   tq_server_ctl stop FOLDER                  ends it; fails when the
//       server's log shows a sanitizer report or a crash
//
// The server is started with --no-parent-watch (this program ends at once)
// and a lifetime of an hour, so that an interrupted test run leaves nothing
// behind for long.
#include <signal.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "server_process.h"

namespace {

std::string readText(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Ends the server whose pid the folder holds, if it still runs.
bool stopServer(const std::string& folder) {
  std::istringstream text(readText(folder + "/pid"));
  pid_t pid = 0;
  if (!(text >> pid) || pid <= 1) return true;
  std::string command = readText("/proc/" + std::to_string(pid) + "/cmdline");
  if (command.find("tqserverd") == std::string::npos) return true;  // gone, pid reused
  kill(pid, SIGTERM);
  if (!tqtest::waitUntilGone(pid, std::chrono::seconds(60))) {
    kill(pid, SIGKILL);
    tqtest::waitUntilGone(pid, std::chrono::seconds(10));
    std::fprintf(stderr, "tq_server_ctl: the server did not end on SIGTERM\n");
    return false;
  }
  std::remove((folder + "/pid").c_str());
  std::remove((folder + "/port").c_str());
  return true;
}

bool logIsClean(const std::string& folder) {
  std::string log = readText(folder + "/server.log");
  size_t summary = log.find("ERROR SUMMARY: ");
  bool valgrindErrors =
      summary != std::string::npos && log.compare(summary, 16, "ERROR SUMMARY: 0") != 0;
  for (const char* sign : {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer",
                           "runtime error:", "Segmentation fault"}) {
    if (valgrindErrors || log.find(sign) != std::string::npos) {
      std::fprintf(stderr, "tq_server_ctl: the server's log shows a fault:\n%s\n", log.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: tq_server_ctl start|stop FOLDER [switches...]\n");
    return 2;
  }
  std::string action = argv[1], folder = argv[2];
  if (action == "stop") return stopServer(folder) && logIsClean(folder) ? 0 : 1;
  if (action != "start") {
    std::fprintf(stderr, "tq_server_ctl: unknown action %s\n", action.c_str());
    return 2;
  }
  mkdir(folder.c_str(), 0755);
  stopServer(folder);  // one left over from an interrupted run
  tqtest::SpawnRequest request;
  request.switches = {"--no-parent-watch", "--exit-after", "3600", "--stats-file",
                      folder + "/stats"};
  request.switches.insert(request.switches.end(), argv + 3, argv + argc);
  request.endWithParent = false;
  request.detach = true;
  request.stderrFile = folder + "/server.log";
  try {
    tqtest::SpawnedServer server = tqtest::spawnServer(request);
    std::ofstream(folder + "/pid") << server.pid << "\n";
    std::ofstream(folder + "/port") << server.port << "\n";
    std::printf("tqserverd %d listening on port %u\n", static_cast<int>(server.pid), server.port);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tq_server_ctl: %s\n%s", e.what(),
                 readText(folder + "/server.log").c_str());
    return 1;
  }
  return 0;
}
