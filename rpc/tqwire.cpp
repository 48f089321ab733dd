// The interface to the ONC RPC runtime (see tqwire.h).
#include "rpc/tqwire.h"

#include <arpa/inet.h>
#include <netconfig.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstring>
#include <mutex>
#include <new>
#include <unordered_map>

#include "rpc/tqwire_stream.h"

namespace {

constexpr uint32_t kContextMarker = 0x7451C0DE;

thread_local TQRuntimeContext* currentContext = nullptr;

// What the last call on this thread came to. The runtime's own error record
// cannot tell a broken reply from a success, nor say whether the request was
// sent, so the calls of this interface keep their outcome here.
struct LastCall {
  const CLIENT* client = nullptr;
  TQCallOutcome outcome;
};
thread_local LastCall lastCall;

// What the dispatcher set on each client: the timeout that governs its
// calls and the bound of its replies.
struct ClientSettings {
  bool hasTimeout = false;
  timeval timeout{};
  size_t replyLimit = kTQMaxReplyBytes;
};
std::mutex settingsLock;
std::unordered_map<const CLIENT*, ClientSettings> settings;

ClientSettings settingsOf(const CLIENT* client) {
  std::lock_guard<std::mutex> hold(settingsLock);
  auto found = settings.find(client);
  return found != settings.end() ? found->second : ClientSettings{};
}

bool isStream(CLIENT* client) {
  int fd = -1;
  if (!clnt_control(client, CLGET_FD, reinterpret_cast<char*>(&fd)) || fd < 0) return false;
  int type = 0;
  socklen_t size = sizeof type;
  return getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &size) == 0 && type == SOCK_STREAM;
}

uint32_t controlWord(CLIENT* client, int request) {
  uint32_t word = 0;
  clnt_control(client, request, reinterpret_cast<char*>(&word));
  return word;
}

// A result routine that notes whether it decoded its record, for calls the
// runtime makes itself (datagrams): the runtime's call may report success
// without having decoded anything.
struct TrackedResult {
  xdrproc_t decode;
  void* result;
  bool decoded;
};

bool_t decodeTracked(XDR* x, TrackedResult* tracked) {
  const bool_t ok = reinterpret_cast<bool_t (*)(XDR*, void*)>(tracked->decode)(x, tracked->result);
  if (ok && x->x_op == XDR_DECODE) tracked->decoded = true;
  return ok;
}

TQCallOutcome runtimeCall(CLIENT* client, uint32_t procedure, xdrproc_t encodeArgs, void* args,
                          xdrproc_t decodeResult, void* result, timeval timeout) {
  TrackedResult tracked{decodeResult, result, false};
  TQCallOutcome outcome;
  outcome.status = clnt_call(client, procedure, encodeArgs, static_cast<caddr_t>(args),
                             reinterpret_cast<xdrproc_t>(decodeTracked),
                             reinterpret_cast<caddr_t>(&tracked), timeout);
  if (outcome.status == RPC_SUCCESS && !tracked.decoded) {
    outcome.status = RPC_CANTDECODERES;
    outcome.detail = "the reply holds no result";
  }
  rpc_err error{};
  clnt_geterr(client, &error);
  outcome.error = error.re_errno;
  outcome.sent = outcome.status != RPC_CANTENCODEARGS && outcome.status != RPC_CANTSEND;
  outcome.answered = outcome.status != RPC_TIMEDOUT && outcome.status != RPC_CANTRECV &&
                     outcome.status != RPC_CANTDECODERES;
  return outcome;
}

const TQCallOutcome* outcomeOf(const CLIENT* client) {
  return client != nullptr && lastCall.client == client ? &lastCall.outcome : nullptr;
}

// libtirpc's texts end some reasons with a line end; callers put the texts
// into status items of their own.
std::string withoutLineEnd(const char* text) {
  std::string s = text != nullptr ? text : "";
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
    s.pop_back();
  return s;
}

std::string afterPrefix(std::string text) {
  return text.size() >= 2 ? text.substr(2) : text;
}

// The first IPv4 address of a host, in network order.
bool lookupIpv4(const char* host, in_addr* address) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host, nullptr, &hints, &found) != 0 || found == nullptr) return false;
  *address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
  freeaddrinfo(found);
  return true;
}

}  // namespace

TQRuntimeContext* tqwCreateContext() {
  auto* context = new (std::nothrow) TQRuntimeContext{kContextMarker};
  return context;
}

void tqwDestroyContext(TQRuntimeContext* context) {
  if (context == nullptr) return;
  if (currentContext == context) currentContext = nullptr;
  context->marker = 0;
  delete context;
}

TQRuntimeContext* tqwCurrentContext() {
  return currentContext;
}

TQRuntimeContext* tqwSelectContext(TQRuntimeContext* context) {
  currentContext = context != nullptr && context->marker == kContextMarker ? context : nullptr;
  return currentContext;
}

CLIENT* tqwCreateClient(const char* host, uint32_t program, uint32_t version, const char* network) {
  if (host == nullptr || network == nullptr) {
    rpc_createerr.cf_stat = RPC_UNKNOWNHOST;
    return nullptr;
  }
  return clnt_create(host, program, version, network);
}

CLIENT* tqwCreateClientOnPort(const char* host, uint32_t program, uint32_t version, uint32_t port) {
  netconfig* config = getnetconfigent("tcp");
  if (config == nullptr) {
    rpc_createerr.cf_stat = RPC_UNKNOWNPROTO;
    return nullptr;
  }
  in_addr address{};
  if (host == nullptr || !lookupIpv4(host, &address)) {
    // Leave a reason that belongs to this failure, not a stale one.
    rpc_createerr.cf_stat = RPC_UNKNOWNHOST;
    freenetconfigent(config);
    return nullptr;
  }
  sockaddr_in peer{};
  peer.sin_family = AF_INET;
  peer.sin_port = htons(static_cast<uint16_t>(port));
  peer.sin_addr = address;
  netbuf buffer{};
  buffer.maxlen = sizeof peer;
  buffer.len = sizeof peer;
  buffer.buf = &peer;
  // The runtime copies the address into the client it creates.
  CLIENT* client = clnt_tli_create(RPC_ANYFD, config, &buffer, program, version, 0, 0);
  freenetconfigent(config);
  return client;
}

int tqwCreateStatus() {
  return static_cast<int>(rpc_createerr.cf_stat);
}

std::string tqwCreateErrorText(const char* prefix) {
  return withoutLineEnd(clnt_spcreateerror(prefix != nullptr ? prefix : ""));
}

std::string tqwCreateErrorReason() {
  return afterPrefix(tqwCreateErrorText(""));
}

enum clnt_stat tqwCall(CLIENT* client, uint32_t procedure, xdrproc_t encodeArgs, void* args,
                       xdrproc_t decodeResult, void* result, timeval timeout) {
  const ClientSettings set = settingsOf(client);
  if (set.hasTimeout) timeout = set.timeout;
  lastCall.client = client;
  if (isStream(client)) {
    int fd = -1;
    clnt_control(client, CLGET_FD, reinterpret_cast<char*>(&fd));
    const TQStreamCall call{fd,         controlWord(client, CLGET_PROG),
                            controlWord(client, CLGET_VERS),
                            procedure,  client->cl_auth,
                            encodeArgs, args,
                            decodeResult, result,
                            timeout,    set.replyLimit};
    lastCall.outcome = tqwStreamCall(call);
  } else {
    lastCall.outcome =
        runtimeCall(client, procedure, encodeArgs, args, decodeResult, result, timeout);
  }
  return lastCall.outcome.status;
}

int tqwCallStatus(CLIENT* client) {
  if (const TQCallOutcome* outcome = outcomeOf(client)) return static_cast<int>(outcome->status);
  rpc_err error{};
  clnt_geterr(client, &error);
  return static_cast<int>(error.re_status);
}

bool tqwCallOutcomeUnknown(CLIENT* client) {
  const TQCallOutcome* outcome = outcomeOf(client);
  return outcome != nullptr && outcome->status != RPC_SUCCESS && outcome->sent &&
         !outcome->answered;
}

std::string tqwCallErrorText(CLIENT* client, const char* prefix) {
  const TQCallOutcome* outcome = outcomeOf(client);
  if (outcome == nullptr) return withoutLineEnd(clnt_sperror(client, prefix != nullptr ? prefix : ""));
  std::string text = std::string(prefix != nullptr ? prefix : "") + ": " +
                     withoutLineEnd(clnt_sperrno(outcome->status));
  if (!outcome->detail.empty()) text += "; " + outcome->detail;
  if (outcome->error != 0) text += std::string("; errno = ") + std::strerror(outcome->error);
  return text;
}

std::string tqwCallErrorReason(CLIENT* client) {
  return afterPrefix(tqwCallErrorText(client, ""));
}

bool tqwSetTimeout(CLIENT* client, int32_t seconds) {
  timeval timeout{seconds, 0};
  if (!clnt_control(client, CLSET_TIMEOUT, reinterpret_cast<char*>(&timeout))) return false;
  std::lock_guard<std::mutex> hold(settingsLock);
  ClientSettings& set = settings[client];
  set.hasTimeout = true;
  set.timeout = timeout;
  return true;
}

void tqwSetReplyLimit(CLIENT* client, size_t bytes) {
  if (client == nullptr) return;
  std::lock_guard<std::mutex> hold(settingsLock);
  settings[client].replyLimit = bytes < kTQMaxReplyBytes ? bytes : kTQMaxReplyBytes;
}

void tqwDestroyClient(CLIENT* client) {
  if (client == nullptr) return;
  {
    std::lock_guard<std::mutex> hold(settingsLock);
    settings.erase(client);
  }
  if (lastCall.client == client) lastCall.client = nullptr;
  clnt_destroy(client);
}
