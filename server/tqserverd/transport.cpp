// The transport of tqserverd (see transport.h).
//
// Design: one thread serves every connection from one epoll loop, with
// non-blocking sockets. Call records are assembled from their fragments as
// the bytes come in (connection.h), so a client that stalls in the middle
// of a record mark or trickles its bytes holds only its own few bytes and
// never the loop; answers are written as far as the socket takes them, and
// a connection whose answer waits is not read any further, so a client that
// never reads its answers holds one answer and no more. Each call is served
// to its end at once: the handlers are short and work on the one SQLite
// connection of the store, so a single thread needs no locks around the
// store, the counters or the wire routines' per-thread session, and an idle
// connection costs a small record and its socket, not a thread stack or
// buffers. A pool of threads would buy nothing for calls this short and
// would have to serialise them on the store anyway.
//
// Bounds: at most --max-connections connections (never more than the
// descriptor limit leaves room for; connections beyond are closed at once,
// and when descriptors run out a spare one turns the next caller away, so
// the loop never spins on a listener it cannot serve); at most --max-record
// bytes in one record; a connection that for --idle-timeout seconds
// completes no call and takes none of its answer is closed. Each turn of the
// loop serves a few records of a connection before it looks at the others.
#include "transport.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <rpc/pmap_clnt.h>
#include <rpc/rpc.h>
#include <signal.h>
#include <sys/epoll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

#include "connection.h"
#include "rpc/procedures.h"
#include "rpc_call.h"
#include "server_dispatch.h"

namespace tqsd {
namespace {

constexpr uint32_t kFirstQueryProgram = kTQFirstQueryProgram;
constexpr uint32_t kLastQueryProgram = kTQLastQueryProgram;
constexpr uint32_t kLowestVersion = kTQOldestProtocol;
constexpr int kTickMillis = 250;
constexpr auto kSweepEvery = std::chrono::seconds(1);
constexpr auto kAcceptPause = std::chrono::milliseconds(100);
constexpr int kAcceptsPerTurn = 64;
constexpr int kRecordsPerTurn = 8;
constexpr int kDatagramsPerTurn = 64;
constexpr int kEventsPerWait = 256;
// Descriptors kept free of connections: the listeners, the epoll set, the
// spare, the store's files, the stats file and the port mapper's calls.
constexpr rlim_t kReservedDescriptors = 32;
constexpr size_t kMaxDatagram = 65536;

volatile sig_atomic_t stopSignal = 0;

struct Registration {
  uint32_t program;
  uint32_t version;
};

// An answer to a datagram held back by a --delay.
struct HeldDatagram {
  Clock::time_point due;
  sockaddr_storage to;
  socklen_t toLength;
  std::string bytes;
};

// What the loop works with.
struct Endpoints {
  int tcp = -1;
  int udp = -1;
  int epoll = -1;
  int spare = -1;  // an open descriptor given up to turn a caller away
  std::vector<Registration> registrations;
  std::vector<std::unique_ptr<Connection>> connections;  // by descriptor
  size_t open = 0;
  size_t limit = 0;
  uint32_t maxRecord = 0;
  std::vector<int> ready;  // connections that may hold further whole records
  std::vector<int> held;   // connections whose answer is held back
  std::vector<HeldDatagram> heldDatagrams;
  Clock::time_point acceptPausedUntil{};
  bool listening = false;  // the TCP listener is in the epoll set
};

Endpoints endpoints;

void onStopSignal(int) {
  stopSignal = 1;
}

std::string systemError(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

// A socket of the type bound to 127.0.0.1 and the port; -1 on failure.
int boundSocket(int type, uint32_t port, std::string* error) {
  int fd = socket(AF_INET, type | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
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


bool registerWithPortMapper(const ServerContext& server, std::string* error) {
  for (const Registration& r : endpoints.registrations) {
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

bool watch(int fd, uint32_t events, int operation) {
  epoll_event event{};
  event.events = events;
  event.data.fd = fd;
  return epoll_ctl(endpoints.epoll, operation, fd, &event) == 0;
}

// The most connections served at once: the switch, within the descriptors
// this process may open.
size_t connectionLimit(const Options& options) {
  size_t limit = options.maxConnections;
  rlimit files{};
  if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur != RLIM_INFINITY) {
    const rlim_t room = files.rlim_cur > kReservedDescriptors * 2
                            ? files.rlim_cur - kReservedDescriptors
                            : files.rlim_cur / 2;
    limit = std::min<size_t>(limit, std::max<rlim_t>(room, 1));
  }
  return limit;
}

// Routes a call to its program's routine, or refuses a program or version
// this server does not serve (with the range of versions it does).
void route(RpcCall& call) {
  uint32_t low = UINT32_MAX;
  uint32_t high = 0;
  for (const Registration& r : endpoints.registrations) {
    if (r.program != call.program()) continue;
    low = std::min(low, r.version);
    high = std::max(high, r.version);
  }
  if (high == 0) {
    call.refuseProgram();
  } else if (call.version() < low || call.version() > high) {
    call.refuseVersion(low, high);
  } else if (call.program() == kTQDirectoryProgram) {
    serveDirectory(call);
  } else {
    serveProgram(call);
  }
}

// What became of one message.
struct Outcome {
  bool hangUp = false;  // garbage, or a call answered by a hang-up
  std::string answer;   // the encoded reply; empty: none
  double holdSeconds = 0;
};

Outcome serveMessage(const char* bytes, size_t size, bool framed) {
  RpcCall call(bytes, size, framed);
  Outcome outcome;
  if (call.parse() == RpcCall::Parse::kGarbage) {
    outcome.hangUp = true;
    return outcome;
  }
  if (call.parse() == RpcCall::Parse::kCall) route(call);
  outcome.hangUp = call.hungUp();
  if (!outcome.hangUp && call.answered()) outcome.answer = std::move(call.answer());
  outcome.holdSeconds = call.holdSeconds();
  return outcome;
}

Clock::time_point later(Clock::time_point now, double seconds) {
  return now + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

void closeConnection(int fd) {
  if (fd < 0 || static_cast<size_t>(fd) >= endpoints.connections.size() ||
      !endpoints.connections[fd]) {
    return;
  }
  epoll_ctl(endpoints.epoll, EPOLL_CTL_DEL, fd, nullptr);
  close(fd);
  endpoints.connections[fd].reset();
  --endpoints.open;
}

// Watches the socket for what the connection can do next: read when it
// wants input, write when an answer is due.
bool updateWatch(Connection& c, Clock::time_point now) {
  uint32_t events = 0;
  if (c.wantsInput()) events |= EPOLLIN;
  if (c.hasAnswer() && !c.answerHeld(now)) events |= EPOLLOUT;
  if (events == c.watching) return true;
  c.watching = events;
  return watch(c.fd(), events, EPOLL_CTL_MOD);
}

// Serves the whole records the connection holds, a few per turn, while no
// answer waits. False when the connection was closed.
bool serveConnection(Connection& c, Clock::time_point now) {
  const int fd = c.fd();
  for (int served = 0; !c.hasAnswer(); ++served) {
    if (served == kRecordsPerTurn) {
      endpoints.ready.push_back(fd);
      break;
    }
    const Connection::Assembly assembly = c.assemble(endpoints.maxRecord);
    if (assembly == Connection::Assembly::kTooLong) {
      closeConnection(fd);
      return false;
    }
    if (assembly == Connection::Assembly::kNeedMore) break;
    c.progressed(now);
    Outcome outcome = serveMessage(c.record().data(), c.record().size(), true);
    c.finishRecord();
    if (outcome.hangUp) {
      closeConnection(fd);
      return false;
    }
    if (outcome.answer.empty()) continue;
    c.setAnswer(std::move(outcome.answer), later(now, outcome.holdSeconds));
    if (c.answerHeld(now)) {
      endpoints.held.push_back(fd);
    } else if (c.writeSocket(now) == Connection::Io::kClosed) {
      closeConnection(fd);
      return false;
    }
  }
  if (!updateWatch(c, now)) {
    closeConnection(fd);
    return false;
  }
  return true;
}

Connection* connectionOf(int fd) {
  if (fd < 0 || static_cast<size_t>(fd) >= endpoints.connections.size()) return nullptr;
  return endpoints.connections[fd].get();
}

void addConnection(int fd, Clock::time_point now) {
  if (static_cast<size_t>(fd) >= endpoints.connections.size()) {
    endpoints.connections.resize(static_cast<size_t>(fd) + 1);
  }
  auto connection = std::make_unique<Connection>(fd, now);
  connection->watching = EPOLLIN;
  if (!watch(fd, EPOLLIN, EPOLL_CTL_ADD)) {
    close(fd);
    return;
  }
  endpoints.connections[fd] = std::move(connection);
  ++endpoints.open;
}

void pauseAccepting(Clock::time_point now) {
  if (endpoints.listening) epoll_ctl(endpoints.epoll, EPOLL_CTL_DEL, endpoints.tcp, nullptr);
  endpoints.listening = false;
  endpoints.acceptPausedUntil = now + kAcceptPause;
}

void resumeAccepting(Clock::time_point now) {
  if (endpoints.listening || now < endpoints.acceptPausedUntil) return;
  endpoints.listening = watch(endpoints.tcp, EPOLLIN, EPOLL_CTL_ADD);
}

// Takes the waiting connections, closing at once those beyond the limit.
// When descriptors run out, the spare one is given up to take and close the
// next caller, so that the listener does not stay readable with nobody
// served; without a spare, accepting pauses briefly.
void acceptConnections(Clock::time_point now) {
  for (int i = 0; i < kAcceptsPerTurn; ++i) {
    int fd = accept4(endpoints.tcp, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd >= 0) {
      if (endpoints.open >= endpoints.limit) {
        close(fd);
      } else {
        addConnection(fd, now);
      }
      continue;
    }
    if (errno == EINTR || errno == ECONNABORTED) continue;
    if ((errno == EMFILE || errno == ENFILE) && endpoints.spare >= 0) {
      close(endpoints.spare);
      int turnedAway = accept4(endpoints.tcp, nullptr, nullptr, SOCK_CLOEXEC);
      if (turnedAway >= 0) close(turnedAway);
      endpoints.spare = open("/dev/null", O_RDONLY | O_CLOEXEC);
      continue;
    }
    if (errno != EAGAIN && errno != EWOULDBLOCK) pauseAccepting(now);
    return;
  }
}

void serveDatagrams(Clock::time_point now) {
  static char buffer[kMaxDatagram];
  for (int i = 0; i < kDatagramsPerTurn; ++i) {
    HeldDatagram reply{};
    reply.toLength = sizeof reply.to;
    ssize_t size = recvfrom(endpoints.udp, buffer, sizeof buffer, MSG_DONTWAIT,
                            reinterpret_cast<sockaddr*>(&reply.to), &reply.toLength);
    if (size < 0) {
      if (errno == EINTR) continue;
      return;
    }
    Outcome outcome = serveMessage(buffer, static_cast<size_t>(size), false);
    if (outcome.hangUp || outcome.answer.empty()) continue;
    reply.bytes = std::move(outcome.answer);
    reply.due = later(now, outcome.holdSeconds);
    if (outcome.holdSeconds > 0) {
      endpoints.heldDatagrams.push_back(std::move(reply));
    } else {
      sendto(endpoints.udp, reply.bytes.data(), reply.bytes.size(), MSG_DONTWAIT,
             reinterpret_cast<const sockaddr*>(&reply.to), reply.toLength);
    }
  }
}

void onEvent(const epoll_event& event, Clock::time_point now) {
  const int fd = event.data.fd;
  if (fd == endpoints.tcp) {
    acceptConnections(now);
    return;
  }
  if (fd == endpoints.udp) {
    serveDatagrams(now);
    return;
  }
  Connection* c = connectionOf(fd);
  if (c == nullptr) return;
  if ((event.events & EPOLLERR) != 0) {
    closeConnection(fd);
    return;
  }
  if ((event.events & EPOLLOUT) != 0 && c->hasAnswer()) {
    Connection::Io io = c->writeSocket(now);
    if (io == Connection::Io::kClosed) {
      closeConnection(fd);
      return;
    }
    if (io == Connection::Io::kDone && !serveConnection(*c, now)) return;
  }
  if ((event.events & (EPOLLIN | EPOLLHUP)) != 0) {
    if (!c->wantsInput()) {
      // A peer that hung up can take no answer either.
      if ((event.events & EPOLLHUP) != 0) closeConnection(fd);
      return;
    }
    Connection::Io io = c->readSocket();
    if (io == Connection::Io::kClosed) {
      closeConnection(fd);
      return;
    }
    if (io == Connection::Io::kDone) serveConnection(*c, now);
  }
}

// Serves the connections that stopped at the per-turn limit.
void serveReady(Clock::time_point now) {
  std::vector<int> ready;
  ready.swap(endpoints.ready);
  for (int fd : ready) {
    if (Connection* c = connectionOf(fd)) serveConnection(*c, now);
  }
}

// Sends the held answers that are due.
void releaseHeld(Clock::time_point now) {
  std::vector<int> held;
  held.swap(endpoints.held);
  for (int fd : held) {
    Connection* c = connectionOf(fd);
    if (c == nullptr || !c->hasAnswer()) continue;
    if (c->answerHeld(now)) {
      endpoints.held.push_back(fd);
      continue;
    }
    Connection::Io io = c->writeSocket(now);
    if (io == Connection::Io::kClosed) {
      closeConnection(fd);
    } else if (io == Connection::Io::kDone) {
      serveConnection(*c, now);
    } else {
      updateWatch(*c, now);
    }
  }
  auto& datagrams = endpoints.heldDatagrams;
  for (auto it = datagrams.begin(); it != datagrams.end();) {
    if (it->due > now) {
      ++it;
      continue;
    }
    sendto(endpoints.udp, it->bytes.data(), it->bytes.size(), MSG_DONTWAIT,
           reinterpret_cast<const sockaddr*>(&it->to), it->toLength);
    it = datagrams.erase(it);
  }
}

// Milliseconds until the loop has something to do without an event.
int waitMillis(Clock::time_point now) {
  if (!endpoints.ready.empty()) return 0;
  Clock::time_point next = now + std::chrono::milliseconds(kTickMillis);
  for (int fd : endpoints.held) {
    if (Connection* c = connectionOf(fd)) next = std::min(next, c->notBefore());
  }
  for (const HeldDatagram& d : endpoints.heldDatagrams)
    next = std::min(next, d.due);
  if (!endpoints.listening) next = std::min(next, endpoints.acceptPausedUntil);
  if (next <= now) return 0;
  // Rounded up, so that a wake-up finds the due time passed.
  return static_cast<int>(
      std::chrono::duration_cast<std::chrono::milliseconds>(next - now).count() + 1);
}

void closeIdle(Clock::time_point now, double idleSeconds) {
  if (idleSeconds <= 0) return;
  const Clock::time_point since = later(now, -idleSeconds);
  for (auto& connection : endpoints.connections) {
    if (connection && connection->idleSince(since)) closeConnection(connection->fd());
  }
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
  const Options& o = server.options;
  endpoints.epoll = epoll_create1(EPOLL_CLOEXEC);
  if (endpoints.epoll < 0) {
    *error = systemError("epoll_create1");
    return false;
  }
  endpoints.tcp = boundSocket(SOCK_STREAM, o.port, error);
  if (endpoints.tcp < 0) return false;
  if (listen(endpoints.tcp, SOMAXCONN) != 0) {
    *error = systemError("listen");
    return false;
  }
  server.port = boundPort(endpoints.tcp);
  endpoints.listening = watch(endpoints.tcp, EPOLLIN, EPOLL_CTL_ADD);
  if (!endpoints.listening) {
    *error = systemError("epoll_ctl");
    return false;
  }
  if (o.udp) {
    endpoints.udp = boundSocket(SOCK_DGRAM, server.port, error);
    if (endpoints.udp < 0) return false;
    if (!watch(endpoints.udp, EPOLLIN, EPOLL_CTL_ADD)) {
      *error = systemError("epoll_ctl");
      return false;
    }
  }
  endpoints.spare = open("/dev/null", O_RDONLY | O_CLOEXEC);
  endpoints.limit = connectionLimit(o);
  endpoints.maxRecord = o.maxRecord;
  endpoints.registrations = wantedRegistrations(o);
  return !o.portmap || registerWithPortMapper(server, error);
}

void runLoop(const ServerContext& server) {
  const auto start = Clock::now();
  const double limit = server.options.exitAfter;
  Clock::time_point lastSweep = start;
  std::vector<epoll_event> events(kEventsPerWait);
  while (stopSignal == 0) {
    Clock::time_point now = Clock::now();
    if (limit > 0 && std::chrono::duration<double>(now - start).count() >= limit) break;
    int count = epoll_wait(endpoints.epoll, events.data(), kEventsPerWait, waitMillis(now));
    if (count < 0) {
      if (errno == EINTR) continue;
      std::perror("tqserverd: epoll_wait");
      break;
    }
    now = Clock::now();
    for (int i = 0; i < count; ++i)
      onEvent(events[i], now);
    serveReady(now);
    releaseHeld(now);
    resumeAccepting(now);
    if (now - lastSweep >= kSweepEvery) {
      closeIdle(now, server.options.idleTimeout);
      lastSweep = now;
    }
  }
}

void closeTransport(const ServerContext& server) {
  // Only a server that registered with the port mapper takes its entries
  // back: they may belong to another server on this host otherwise.
  if (server.options.portmap) {
    for (const Registration& r : endpoints.registrations)
      pmap_unset(r.program, r.version);
  }
  endpoints.registrations.clear();
  for (auto& connection : endpoints.connections) {
    if (connection) closeConnection(connection->fd());
  }
  endpoints.connections.clear();
  endpoints.heldDatagrams.clear();
  for (int* fd : {&endpoints.tcp, &endpoints.udp, &endpoints.spare, &endpoints.epoll}) {
    if (*fd >= 0) close(*fd);
    *fd = -1;
  }
}

}  // namespace tqsd
