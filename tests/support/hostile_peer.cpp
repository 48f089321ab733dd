// The hostile peer of the tests (see hostile_peer.h).
#include "hostile_peer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <rpc/rpc.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>

#include "rpc/procedure_records.h"
#include "rpc/procedures.h"
#include "rpc_client.h"

namespace tqtest {
namespace {

constexpr uint32_t kLastFragment = 0x80000000u;
constexpr uint32_t kProcServerInfo = 36;
constexpr uint32_t kDirectoryProgram = 390604;
constexpr int kPollMillis = 100;
constexpr size_t kMaxRequest = 1 << 20;

// Reads n bytes, giving up when the peer stops or the other side closes.
bool readAll(int fd, char* data, size_t n, const std::atomic<bool>& stop) {
  while (n > 0) {
    pollfd p{fd, POLLIN, 0};
    const int ready = poll(&p, 1, kPollMillis);
    if (stop) return false;
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) continue;
    const ssize_t got = recv(fd, data, n, 0);
    if (got <= 0) return false;
    data += got;
    n -= static_cast<size_t>(got);
  }
  return true;
}

bool writeAll(int fd, const char* data, size_t n) {
  while (n > 0) {
    const ssize_t put = send(fd, data, n, MSG_NOSIGNAL);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    data += put;
    n -= static_cast<size_t>(put);
  }
  return true;
}

void putWord(std::string& out, uint32_t word) {
  const uint32_t big = htonl(word);
  out.append(reinterpret_cast<const char*>(&big), 4);
}

uint32_t wordAt(const std::string& in, size_t index) {
  uint32_t big = 0;
  if ((index + 1) * 4 > in.size()) return 0;
  std::memcpy(&big, in.data() + index * 4, 4);
  return ntohl(big);
}

// One whole request record, or nothing when the connection ends.
bool readRequest(int fd, std::string& record, const std::atomic<bool>& stop) {
  record.clear();
  for (;;) {
    uint32_t mark = 0;
    if (!readAll(fd, reinterpret_cast<char*>(&mark), 4, stop)) return false;
    mark = ntohl(mark);
    const size_t length = mark & ~kLastFragment;
    if (record.size() + length > kMaxRequest) return false;
    const size_t at = record.size();
    record.resize(at + length);
    if (!readAll(fd, record.data() + at, length, stop)) return false;
    if ((mark & kLastFragment) != 0) return true;
  }
}

// The reply message (without record mark) of a proper result.
std::string properReply(uint32_t xid, uint32_t procedure, const std::string& charSet) {
  const TQProcedure* p = tqFindProcedure(TQProgram::kServer, 6, procedure);
  std::string message;
  if (p == nullptr || !tqHasRoutines(*p)) return message;
  std::vector<char> record(p->resultSize, 0);
  TQServerInfoStruct info{};
  if (procedure == kProcServerInfo) {
    auto* result = reinterpret_cast<TQGetServerInfoResult*>(record.data());
    info.operation = 55;
    info.value.dataType = TQ_DATA_TYPE_CHAR;
    info.value.u.charVal = const_cast<char*>(charSet.c_str());
    result->info = {1, &info};
  }
  std::vector<char> buffer(64 * 1024);
  XDR out{};
  xdrmem_create(&out, buffer.data(), static_cast<u_int>(buffer.size()), XDR_ENCODE);
  rpc_msg reply{};
  reply.rm_xid = xid;
  reply.rm_direction = REPLY;
  reply.rm_reply.rp_stat = MSG_ACCEPTED;
  reply.acpted_rply.ar_verf = _null_auth;
  reply.acpted_rply.ar_stat = SUCCESS;
  reply.acpted_rply.ar_results.where = record.data();
  reply.acpted_rply.ar_results.proc = reinterpret_cast<xdrproc_t>(p->xdrResult);
  if (xdr_replymsg(&out, &reply)) message.assign(buffer.data(), xdr_getpos(&out));
  xdr_destroy(&out);
  return message;
}

// The reply that a program is not served here.
std::string programUnavailable(uint32_t xid) {
  std::string message;
  for (uint32_t word : {xid, uint32_t{REPLY}, uint32_t{MSG_ACCEPTED}, uint32_t{AUTH_NONE}, 0u,
                        uint32_t{PROG_UNAVAIL}}) {
    putWord(message, word);
  }
  return message;
}

std::string asRecord(const std::string& message) {
  std::string out;
  putWord(out, kLastFragment | static_cast<uint32_t>(message.size()));
  return out + message;
}

// Waits until the other side closes the connection (or the peer stops).
void awaitClose(int fd, const std::atomic<bool>& stop) {
  char sink[4096];
  while (!stop) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, kPollMillis) <= 0) continue;
    if (recv(fd, sink, sizeof sink, 0) <= 0) return;
  }
}

// A get-entry reply whose field list claims 2^31-1 items, streamed in 1 MiB
// fragments for as long as the other side reads.
void streamHugeCount(int fd, const std::string& proper, const std::atomic<bool>& stop) {
  // The proper reply ends with the field list's count and the status list's
  // count, both 0.
  std::string first = proper.substr(0, proper.size() - 8);
  putWord(first, 0x7fffffffu);
  std::string items;
  while (items.size() < (1u << 20)) {
    putWord(items, 1);  // field id
    putWord(items, 0);  // a value without data
  }
  std::string fragment;
  putWord(fragment, static_cast<uint32_t>(first.size()));
  if (!writeAll(fd, fragment.data(), fragment.size()) ||
      !writeAll(fd, first.data(), first.size())) {
    return;
  }
  std::string mark;
  putWord(mark, static_cast<uint32_t>(items.size()));
  while (!stop) {
    if (!writeAll(fd, mark.data(), 4) || !writeAll(fd, items.data(), items.size())) return;
  }
}

}  // namespace

HostilePeer::HostilePeer(Script script, std::string charSet)
    : script_(std::move(script)), charSet_(std::move(charSet)) {
  listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 16) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    if (listener_ >= 0) close(listener_);
    throw std::runtime_error("the hostile peer cannot listen: " + std::string(strerror(errno)));
  }
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread([this] { acceptLoop(); });
}

HostilePeer::~HostilePeer() {
  stop_ = true;
  acceptor_.join();
  for (std::thread& t : connections_)
    t.join();
  close(listener_);
}

uint32_t HostilePeer::calls(uint32_t procedure) const {
  std::lock_guard<std::mutex> hold(lock_);
  auto found = calls_.find(procedure);
  return found != calls_.end() ? found->second : 0;
}

PeerAnswer HostilePeer::count(uint32_t procedure) {
  uint32_t nth = 0;
  {
    std::lock_guard<std::mutex> hold(lock_);
    nth = ++calls_[procedure];
  }
  return script_(procedure, nth);
}

void HostilePeer::acceptLoop() {
  while (!stop_) {
    pollfd p{listener_, POLLIN, 0};
    if (poll(&p, 1, kPollMillis) <= 0) continue;
    const int fd = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    connections_.emplace_back([this, fd] {
      serve(fd);
      close(fd);
    });
  }
}

void HostilePeer::serve(int fd) {
  // The result routines convert texts through the thread's current session.
  WireSession session;
  std::string request;
  while (!stop_ && readRequest(fd, request, stop_)) {
    // xid, direction, RPC version, program, version, procedure, ...
    const uint32_t xid = wordAt(request, 0);
    const uint32_t program = wordAt(request, 3);
    const uint32_t procedure = wordAt(request, 5);
    // The peer has no queue directory: its clients use the default program.
    if (program == kDirectoryProgram) {
      const std::string refused = asRecord(programUnavailable(xid));
      if (!writeAll(fd, refused.data(), refused.size())) return;
      continue;
    }
    const PeerAnswer answer = count(procedure);
    const std::string proper = properReply(xid, procedure, charSet_);
    const std::string whole = asRecord(proper);
    switch (answer) {
      case PeerAnswer::kResult:
        if (!writeAll(fd, whole.data(), whole.size())) return;
        break;
      case PeerAnswer::kResultThenClose:
        writeAll(fd, whole.data(), whole.size());
        return;
      case PeerAnswer::kEmptyFragments: {
        const char zeros[8] = {};
        writeAll(fd, zeros, sizeof zeros);
        awaitClose(fd, stop_);
        return;
      }
      case PeerAnswer::kTruncated:
        writeAll(fd, whole.data(), whole.size() / 2);
        return;
      case PeerAnswer::kUndecodable: {
        // The accepted reply's header (xid to the accept status: 6 words),
        // then a list count far beyond what follows.
        std::string broken = proper.substr(0, 24);
        putWord(broken, 0xfffffff0u);
        const std::string record = asRecord(broken);
        if (!writeAll(fd, record.data(), record.size())) return;
        break;
      }
      case PeerAnswer::kTrickle:
        for (char c : whole) {
          if (stop_ || !writeAll(fd, &c, 1)) return;
          pollfd p{fd, POLLIN, 0};
          if (poll(&p, 1, 300) > 0) {
            char probe = 0;
            if (recv(fd, &probe, 1, MSG_PEEK) <= 0) return;  // the client gave up
          }
        }
        break;
      case PeerAnswer::kHugeCount:
        streamHugeCount(fd, proper, stop_);
        return;
      case PeerAnswer::kDropAfterRead:
        return;
    }
  }
}

uint16_t deadPort() {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
  socklen_t n = sizeof a;
  getsockname(fd, reinterpret_cast<sockaddr*>(&a), &n);
  close(fd);
  return ntohs(a.sin_port);
}

size_t peakResidentBytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stoul(line.substr(6)) * 1024;
  }
  return 0;
}

bool resetPeakResident() {
  std::ofstream refs("/proc/self/clear_refs");
  refs << "5";
  refs.flush();
  return static_cast<bool>(refs);
}

}  // namespace tqtest
