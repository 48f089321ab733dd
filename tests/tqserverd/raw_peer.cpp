// The raw peer of the connection tests (see raw_peer.h).
#include "raw_peer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <rpc/rpc.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

#include "server_test_util.h"

namespace tqsdtest {
namespace {

using Clock = std::chrono::steady_clock;

int millisLeft(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

bool waitFor(int fd, short events, Clock::time_point deadline) {
  pollfd p{fd, events, 0};
  while (true) {
    int ready = poll(&p, 1, millisLeft(deadline));
    if (ready > 0) return true;
    if (ready == 0 || errno != EINTR) return false;
  }
}

void putWord(Bytes& bytes, size_t at, uint32_t word) {
  uint32_t net = htonl(word);
  std::memcpy(bytes.data() + at, &net, 4);
}

}  // namespace

RawPeer::RawPeer(uint16_t port) {
  fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd_ < 0) throw std::runtime_error("socket: " + std::string(std::strerror(errno)));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    std::string why = std::strerror(errno);
    close(fd_);
    throw std::runtime_error("connect: " + why);
  }
}

RawPeer::~RawPeer() {
  if (fd_ >= 0) close(fd_);
}

bool RawPeer::send(const Bytes& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

size_t RawPeer::sendWhatFits(const Bytes& bytes, size_t from) {
  size_t sent = 0;
  while (from + sent < bytes.size()) {
    ssize_t n = ::send(fd_, bytes.data() + from + sent, bytes.size() - from - sent,
                       MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    sent += static_cast<size_t>(n);
  }
  return sent;
}

bool RawPeer::closedByServer(std::chrono::seconds timeout) {
  const auto deadline = Clock::now() + timeout;
  char buffer[65536];
  while (waitFor(fd_, POLLIN, deadline)) {
    ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
    if (n == 0) return true;
    if (n < 0 && errno != EINTR) return errno == ECONNRESET;
  }
  return false;
}

bool RawPeer::readExactly(uint8_t* into, size_t size, Clock::time_point deadline) {
  size_t got = 0;
  while (got < size) {
    if (!waitFor(fd_, POLLIN, deadline)) return false;
    ssize_t n = recv(fd_, into + got, size - got, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    got += static_cast<size_t>(n);
  }
  return true;
}

Bytes RawPeer::readRecord(std::chrono::seconds timeout) {
  const auto deadline = Clock::now() + timeout;
  Bytes record;
  while (true) {
    uint8_t mark[4];
    if (!readExactly(mark, sizeof mark, deadline)) return {};
    uint32_t word = 0;
    std::memcpy(&word, mark, 4);
    word = ntohl(word);
    const size_t at = record.size();
    record.resize(at + (word & 0x7FFFFFFFu));
    if (!readExactly(record.data() + at, record.size() - at, deadline)) return {};
    if ((word & 0x80000000u) != 0) return record;
  }
}

Bytes recordMark(uint32_t length, bool last) {
  Bytes mark(4);
  putWord(mark, 0, length | (last ? 0x80000000u : 0));
  return mark;
}

Bytes serverInfoCall(uint32_t xid, const std::vector<uint32_t>& codes) {
  tqtest::WireSession session;
  std::vector<uint32_t> asked = codes;
  TQGetServerInfoArgs args{};
  args.header = makeHeader(Credentials{});
  args.requests.numItems = static_cast<uint32_t>(asked.size());
  args.requests.requestList = asked.data();

  rpc_msg call{};
  call.rm_xid = xid;
  call.rm_direction = CALL;
  call.rm_call.cb_rpcvers = 2;
  call.rm_call.cb_prog = kServerProgram;
  call.rm_call.cb_vers = 6;
  call.rm_call.cb_proc = 36;
  call.rm_call.cb_cred = _null_auth;
  call.rm_call.cb_verf = _null_auth;

  Bytes record(4 + 1024 + 4 * codes.size());
  XDR xdrs;
  xdrmem_create(&xdrs, reinterpret_cast<char*>(record.data() + 4),
                static_cast<u_int>(record.size() - 4), XDR_ENCODE);
  const TQProcedure* p = tqFindProcedure(TQProgram::kServer, 6, 36);
  if (!xdr_callmsg(&xdrs, &call) || !p->xdrArgs(&xdrs, &args)) {
    throw std::runtime_error("cannot encode a server-info call");
  }
  record.resize(4 + xdr_getpos(&xdrs));
  xdr_destroy(&xdrs);
  putWord(record, 0, static_cast<uint32_t>(record.size() - 4) | 0x80000000u);
  return record;
}

uint32_t replyXid(const Bytes& record) {
  if (record.size() < 4) return 0;
  uint32_t word = 0;
  std::memcpy(&word, record.data(), 4);
  return ntohl(word);
}

}  // namespace tqsdtest
