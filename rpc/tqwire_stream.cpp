// One remote call over a stream connection (see tqwire_stream.h): the
// request encoded into memory and sent as one record, the reply received
// into memory within the deadline and the size bound, then decoded.
#include "rpc/tqwire_stream.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <new>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr uint32_t kLastFragment = 0x80000000u;
constexpr size_t kReceiveStep = 64 * 1024;  // the reply buffer grows by what arrives

// ------------------------------------------------ encoding into memory

// An XDR encoding stream over a growing byte vector.
struct GrowStream {
  std::vector<char> bytes;
  size_t pos = 0;
  bool failed = false;
};

GrowStream& streamOf(XDR* x) {
  return *static_cast<GrowStream*>(x->x_private);
}

char* room(XDR* x, size_t n) {
  GrowStream& s = streamOf(x);
  if (s.failed) return nullptr;
  try {
    if (s.pos + n > s.bytes.size()) s.bytes.resize(s.pos + n);
  } catch (const std::bad_alloc&) {
    s.failed = true;
    return nullptr;
  }
  char* at = s.bytes.data() + s.pos;
  s.pos += n;
  return at;
}

bool_t growGetLong(XDR*, long*) {
  return FALSE;
}
bool_t growGetBytes(XDR*, char*, u_int) {
  return FALSE;
}
bool_t growPutLong(XDR* x, const long* value) {
  char* at = room(x, 4);
  if (at == nullptr) return FALSE;
  const uint32_t word = htonl(static_cast<uint32_t>(*value));
  std::memcpy(at, &word, 4);
  return TRUE;
}
bool_t growPutBytes(XDR* x, const char* data, u_int n) {
  char* at = room(x, n);
  if (at == nullptr) return FALSE;
  if (n != 0) std::memcpy(at, data, n);
  return TRUE;
}
u_int growGetPos(XDR* x) {
  return static_cast<u_int>(streamOf(x).pos);
}
bool_t growSetPos(XDR* x, u_int pos) {
  GrowStream& s = streamOf(x);
  if (pos > s.bytes.size()) return FALSE;
  s.pos = pos;
  return TRUE;
}
// Runs of words are written in place when the position is word-aligned
// within the vector (whose storage is aligned for any type).
int32_t* growInline(XDR* x, u_int n) {
  if (streamOf(x).pos % 4 != 0 || n % 4 != 0) return nullptr;
  return reinterpret_cast<int32_t*>(room(x, n));
}
void growDestroy(XDR*) {}
bool_t growControl(XDR*, int, void*) {
  return FALSE;
}

const XDR::xdr_ops kGrowOps = {growGetLong, growPutLong, growGetBytes, growPutBytes, growGetPos,
                          growSetPos,  growInline,  growDestroy,  growControl};

// ------------------------------------------------------- the socket

int millisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  if (left.count() <= 0) return 0;
  return left.count() > 1000000 ? 1000000 : static_cast<int>(left.count());
}

enum class Io { kOk, kTimedOut, kClosed, kError };

// Waits until the socket is ready for `events` or the deadline passes.
Io waitFor(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    const int wait = millisecondsLeft(deadline);
    if (wait == 0) return Io::kTimedOut;
    pollfd p{fd, events, 0};
    const int ready = poll(&p, 1, wait);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return Io::kError;
    }
    if (ready > 0) return Io::kOk;
  }
}

Io sendAll(int fd, const char* data, size_t n, Clock::time_point deadline) {
  while (n > 0) {
    const ssize_t put = send(fd, data, n, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (put > 0) {
      data += put;
      n -= static_cast<size_t>(put);
      continue;
    }
    if (put < 0 && errno == EINTR) continue;
    if (put < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      const Io waited = waitFor(fd, POLLOUT, deadline);
      if (waited != Io::kOk) return waited;
      continue;
    }
    return Io::kError;
  }
  return Io::kOk;
}

Io receive(int fd, char* data, size_t n, Clock::time_point deadline) {
  while (n > 0) {
    const ssize_t got = recv(fd, data, n, MSG_DONTWAIT);
    if (got > 0) {
      data += got;
      n -= static_cast<size_t>(got);
      continue;
    }
    if (got == 0) return Io::kClosed;
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      const Io waited = waitFor(fd, POLLIN, deadline);
      if (waited != Io::kOk) return waited;
      continue;
    }
    return Io::kError;
  }
  return Io::kOk;
}

// A kept connection that the server has closed (or reset) since the last
// call: sending on it would lose the request with no way to tell whether
// the server got it, so the call fails as unsent instead.
bool peerHasClosed(int fd) {
  pollfd p{fd, POLLIN | POLLRDHUP, 0};
  if (poll(&p, 1, 0) <= 0) return false;
  if ((p.revents & (POLLERR | POLLHUP | POLLRDHUP)) != 0) return true;
  char byte = 0;
  const ssize_t got = recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
  return got == 0 || (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
}

uint32_t nextXid() {
  static std::atomic<uint32_t> counter{static_cast<uint32_t>(
      Clock::now().time_since_epoch().count() ^ (static_cast<uint64_t>(getpid()) << 16))};
  return counter.fetch_add(1, std::memory_order_relaxed);
}

TQCallOutcome failed(enum clnt_stat status, int error, bool sent, const char* detail = "") {
  TQCallOutcome outcome;
  outcome.status = status;
  outcome.error = error;
  outcome.sent = sent;
  outcome.detail = detail;
  return outcome;
}

// What a failed send or receive of the call comes to.
TQCallOutcome ioFailure(Io io, bool sending, bool sent, int error) {
  if (io == Io::kTimedOut) return failed(RPC_TIMEDOUT, 0, sent);
  if (io == Io::kClosed) {
    return failed(sending ? RPC_CANTSEND : RPC_CANTRECV, 0, sent,
                  "the server closed the connection inside the reply");
  }
  return failed(sending ? RPC_CANTSEND : RPC_CANTRECV, error, sent);
}

// ------------------------------------------------------- the reply

// Receives one record into `record`: its fragments in order, none of them
// empty, all of them together at most `limit` bytes.
TQCallOutcome receiveRecord(int fd, std::vector<char>& record, size_t limit,
                            Clock::time_point deadline) {
  record.clear();
  for (;;) {
    uint32_t mark = 0;
    Io io = receive(fd, reinterpret_cast<char*>(&mark), sizeof mark, deadline);
    if (io != Io::kOk) return ioFailure(io, false, true, errno);
    mark = ntohl(mark);
    const size_t length = mark & ~kLastFragment;
    if (length == 0) {
      return failed(RPC_CANTDECODERES, 0, true, "the reply holds an empty record fragment");
    }
    if (length > limit || record.size() > limit - length) {
      TQCallOutcome tooLarge = failed(RPC_CANTDECODERES, 0, true);
      tooLarge.detail = "the reply is larger than " + std::to_string(limit) + " bytes";
      return tooLarge;
    }
    size_t left = length;
    while (left > 0) {
      const size_t step = left < kReceiveStep ? left : kReceiveStep;
      const size_t at = record.size();
      try {
        record.resize(at + step);
      } catch (const std::bad_alloc&) {
        return failed(RPC_SYSTEMERROR, ENOMEM, true);
      }
      io = receive(fd, record.data() + at, step, deadline);
      if (io != Io::kOk) return ioFailure(io, false, true, errno);
      left -= step;
    }
    if ((mark & kLastFragment) != 0) break;
  }
  TQCallOutcome whole;
  whole.sent = true;
  return whole;
}

enum clnt_stat acceptedStatus(enum accept_stat status) {
  switch (status) {
    case SUCCESS:
      return RPC_SUCCESS;
    case PROG_UNAVAIL:
      return RPC_PROGUNAVAIL;
    case PROG_MISMATCH:
      return RPC_PROGVERSMISMATCH;
    case PROC_UNAVAIL:
      return RPC_PROCUNAVAIL;
    case GARBAGE_ARGS:
      return RPC_CANTDECODEARGS;
    case SYSTEM_ERR:
      return RPC_SYSTEMERROR;
  }
  return RPC_FAILED;
}

enum clnt_stat deniedStatus(enum reject_stat status) {
  return status == RPC_MISMATCH ? RPC_VERSMISMATCH : status == AUTH_ERROR ? RPC_AUTHERROR
                                                                           : RPC_FAILED;
}

// Decodes a whole reply record of the call's xid; the result lands in
// call.result only when the server accepted the call.
TQCallOutcome decodeReply(const TQStreamCall& call, std::vector<char>& record) {
  XDR in{};
  xdrmem_create(&in, record.data(), static_cast<u_int>(record.size()), XDR_DECODE);
  rpc_msg reply{};
  char verifier[MAX_AUTH_BYTES];
  reply.acpted_rply.ar_verf.oa_base = verifier;
  reply.acpted_rply.ar_results.where = static_cast<caddr_t>(call.result);
  reply.acpted_rply.ar_results.proc = call.decodeResult;
  const bool decoded = xdr_replymsg(&in, &reply) != 0;
  xdr_destroy(&in);
  TQCallOutcome outcome;
  outcome.sent = true;
  outcome.answered = true;
  if (!decoded || reply.rm_direction != REPLY) {
    outcome.status = RPC_CANTDECODERES;
    const bool resultBroken = reply.rm_direction == REPLY && reply.rm_reply.rp_stat == MSG_ACCEPTED &&
                              reply.acpted_rply.ar_stat == SUCCESS;
    outcome.detail =
        resultBroken ? "the reply's result cannot be decoded" : "the reply cannot be decoded";
    outcome.answered = false;
    return outcome;
  }
  outcome.status = reply.rm_reply.rp_stat == MSG_ACCEPTED
                       ? acceptedStatus(reply.acpted_rply.ar_stat)
                       : deniedStatus(reply.rjcted_rply.rj_stat);
  return outcome;
}

}  // namespace

TQCallOutcome tqwStreamCall(const TQStreamCall& call) {
  const auto seconds = std::chrono::seconds(call.timeout.tv_sec) +
                       std::chrono::microseconds(call.timeout.tv_usec);
  const Clock::time_point deadline = Clock::now() + seconds;
  const uint32_t xid = nextXid();

  // The record mark first, filled in once the length is known.
  GrowStream stream;
  stream.bytes.reserve(1024);
  XDR out{};
  out.x_op = XDR_ENCODE;
  out.x_ops = &kGrowOps;
  out.x_private = reinterpret_cast<char*>(&stream);
  uint32_t markSpace = 0;
  rpc_msg message{};
  message.rm_xid = xid;
  message.rm_direction = CALL;
  message.rm_call.cb_rpcvers = RPC_MSG_VERSION;
  message.rm_call.cb_prog = call.program;
  message.rm_call.cb_vers = call.version;
  message.rm_call.cb_proc = call.procedure;
  message.rm_call.cb_cred = call.auth != nullptr ? call.auth->ah_cred : _null_auth;
  message.rm_call.cb_verf = call.auth != nullptr ? call.auth->ah_verf : _null_auth;
  const bool encoded = xdr_u_int(&out, &markSpace) && xdr_callmsg(&out, &message) &&
                       call.encodeArgs(&out, call.args) && !stream.failed;
  if (!encoded) return failed(stream.failed ? RPC_SYSTEMERROR : RPC_CANTENCODEARGS,
                              stream.failed ? ENOMEM : 0, false);
  const size_t length = stream.pos - sizeof markSpace;
  if (length > ~kLastFragment) return failed(RPC_CANTENCODEARGS, 0, false, "the request is too large");
  const uint32_t mark = htonl(kLastFragment | static_cast<uint32_t>(length));
  std::memcpy(stream.bytes.data(), &mark, sizeof mark);

  if (peerHasClosed(call.fd)) return failed(RPC_CANTSEND, ECONNRESET, false);
  const Io sending = sendAll(call.fd, stream.bytes.data(), stream.pos, deadline);
  if (sending != Io::kOk) return ioFailure(sending, true, false, errno);

  std::vector<char> record;
  for (;;) {
    TQCallOutcome received = receiveRecord(call.fd, record, call.maxReplyBytes, deadline);
    if (received.status != RPC_SUCCESS) return received;
    if (record.size() < sizeof(uint32_t)) {
      return failed(RPC_CANTDECODERES, 0, true, "the reply is too short");
    }
    uint32_t replyXid = 0;
    std::memcpy(&replyXid, record.data(), sizeof replyXid);
    // A reply to an earlier call that was given up is passed over.
    if (ntohl(replyXid) == xid) return decodeReply(call, record);
  }
}
