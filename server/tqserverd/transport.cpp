// The transport of tqserverd (see transport.h).
#include "transport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <rpc/pmap_clnt.h>
#include <rpc/rpc.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

#include "rpc/procedures.h"
#include "server_dispatch.h"

namespace tqsd {
namespace {

constexpr uint32_t kFirstQueryProgram = 390635;
constexpr uint32_t kLastQueryProgram = 390669;
constexpr uint32_t kLowestVersion = 2;
constexpr int kPollMillis = 250;

volatile sig_atomic_t stopSignal = 0;

struct Registration {
  uint32_t program;
  uint32_t version;
};

std::vector<Registration> registrations;
std::vector<SVCXPRT*> endpoints;

void onStopSignal(int) {
  stopSignal = 1;
}

std::string systemError(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

// A socket of the type bound to 127.0.0.1 and the port; -1 on failure.
int boundSocket(int type, uint32_t port, std::string* error) {
  int fd = socket(AF_INET, type | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    *error = systemError("socket");
    return -1;
  }
  int on = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    *error = systemError("bind to 127.0.0.1");
    close(fd);
    return -1;
  }
  return fd;
}

uint32_t boundPort(int fd) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  if (getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
  return ntohs(address.sin_port);
}

// The programs and versions to register.
std::vector<Registration> wantedRegistrations(const Options& o) {
  std::vector<Registration> wanted;
  auto addServer = [&](uint32_t program) {
    for (uint32_t v = kLowestVersion; v <= o.maxVersion; ++v)
      wanted.push_back({program, v});
  };
  addServer(kTQServerProgram);
  for (uint32_t p = kFirstQueryProgram; p <= kLastQueryProgram; ++p)
    addServer(p);
  if (o.directory != DirectoryMode::kOff) wanted.push_back({kTQDirectoryProgram, 1});
  if (o.directory == DirectoryMode::kV2) wanted.push_back({kTQDirectoryProgram, 2});
  return wanted;
}

bool registerAll(const ServerContext& server, SVCXPRT* anyEndpoint, std::string* error) {
  for (const Registration& r : wantedRegistrations(server.options)) {
    auto dispatch = r.program == kTQDirectoryProgram ? serveDirectory : serveProgram;
    // Protocol 0: the runtime's own table only; the port mapper is told below.
    if (!svc_register(anyEndpoint, r.program, r.version, dispatch, 0)) {
      *error = "cannot register program " + std::to_string(r.program) + " version " +
               std::to_string(r.version);
      return false;
    }
    registrations.push_back(r);
    if (!server.options.portmap) continue;
    pmap_unset(r.program, r.version);
    bool ok = pmap_set(r.program, r.version, IPPROTO_TCP, static_cast<int>(server.port));
    if (ok && server.options.udp) {
      ok = pmap_set(r.program, r.version, IPPROTO_UDP, static_cast<int>(server.port));
    }
    if (!ok) {
      *error = "cannot register program " + std::to_string(r.program) + " with the port mapper";
      return false;
    }
  }
  return true;
}

}  // namespace

void installSignalHandlers(bool parentWatch) {
  struct sigaction stop {};
  stop.sa_handler = onStopSignal;
  sigemptyset(&stop.sa_mask);
  stop.sa_flags = 0;  // no restart: poll and sleeps return early
  sigaction(SIGTERM, &stop, nullptr);
  sigaction(SIGINT, &stop, nullptr);
  sigaction(SIGHUP, &stop, nullptr);
  signal(SIGPIPE, SIG_IGN);
  // A parent that ends before this request takes effect goes unnoticed; the
  // test harness closes that gap by asking the same between fork and exec.
  if (parentWatch) prctl(PR_SET_PDEATHSIG, SIGTERM);
}

bool stopRequested() {
  return stopSignal != 0;
}

bool openTransport(ServerContext& server, std::string* error) {
  int tcp = boundSocket(SOCK_STREAM, server.options.port, error);
  if (tcp < 0) return false;
  if (listen(tcp, SOMAXCONN) != 0) {
    *error = systemError("listen");
    close(tcp);
    return false;
  }
  server.port = boundPort(tcp);
  SVCXPRT* stream = svc_vc_create(tcp, 0, 0);
  if (stream == nullptr) {
    *error = "cannot create the TCP service";
    close(tcp);
    return false;
  }
  endpoints.push_back(stream);
  if (server.options.udp) {
    int udp = boundSocket(SOCK_DGRAM, server.port, error);
    if (udp < 0) return false;
    SVCXPRT* datagram = svc_dg_create(udp, 0, 0);
    if (datagram == nullptr) {
      *error = "cannot create the UDP service";
      close(udp);
      return false;
    }
    endpoints.push_back(datagram);
  }
  return registerAll(server, stream, error);
}

void runLoop(const ServerContext& server) {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  const double limit = server.options.exitAfter;
  std::vector<pollfd> ready;
  while (stopSignal == 0) {
    if (limit > 0 && std::chrono::duration<double>(Clock::now() - start).count() >= limit) break;
    // The runtime's table changes while calls are served (connections come
    // and go), so poll a copy.
    ready.assign(svc_pollfd, svc_pollfd + svc_max_pollfd);
    int count = poll(ready.data(), ready.size(), kPollMillis);
    if (count < 0) {
      if (errno == EINTR) continue;
      std::perror("tqserverd: poll");
      break;
    }
    if (count > 0) svc_getreq_poll(ready.data(), count);
  }
}

void closeTransport(const ServerContext& server) {
  // The runtime's unregister also drops the port mapper's entry of the
  // program, which may belong to another server on this host: only a server
  // that registered there takes its entries back.
  if (server.options.portmap) {
    for (const Registration& r : registrations) {
      svc_unregister(r.program, r.version);
      pmap_unset(r.program, r.version);
    }
  }
  registrations.clear();
  for (SVCXPRT* endpoint : endpoints)
    svc_destroy(endpoint);
  endpoints.clear();
}

}  // namespace tqsd
