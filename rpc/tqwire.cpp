// The interface to the ONC RPC runtime (see tqwire.h).
#include "rpc/tqwire.h"

#include <arpa/inet.h>
#include <netconfig.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdio>
#include <cstring>
#include <new>

namespace {

constexpr uint32_t kContextMarker = 0x7451C0DE;

thread_local TQRuntimeContext* currentContext = nullptr;

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
  if (client == nullptr) {
    const auto* b = reinterpret_cast<const unsigned char*>(&peer.sin_addr);
    char text[160 + 256];
    std::snprintf(text, sizeof text, "clnt_tli_create failed %d %d %s (%d.%d.%d.%d)",
                  static_cast<int>(program), static_cast<int>(version), host, b[0], b[1], b[2],
                  b[3]);
    tqwPrintCreateError(text);
  }
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

void tqwPrintCreateError(const char* text) {
  clnt_pcreateerror(text);
}

enum clnt_stat tqwCall(CLIENT* client, uint32_t procedure, xdrproc_t encodeArgs, void* args,
                       xdrproc_t decodeResult, void* result, timeval timeout) {
  return clnt_call(client, procedure, encodeArgs, static_cast<caddr_t>(args), decodeResult,
                   static_cast<caddr_t>(result), timeout);
}

int tqwCallStatus(CLIENT* client) {
  rpc_err error{};
  clnt_geterr(client, &error);
  return static_cast<int>(error.re_status);
}

std::string tqwCallErrorText(CLIENT* client, const char* prefix) {
  return withoutLineEnd(clnt_sperror(client, prefix != nullptr ? prefix : ""));
}

std::string tqwCallErrorReason(CLIENT* client) {
  return afterPrefix(tqwCallErrorText(client, ""));
}

bool tqwSetTimeout(CLIENT* client, int32_t seconds) {
  timeval timeout{seconds, 0};
  return clnt_control(client, CLSET_TIMEOUT, reinterpret_cast<char*>(&timeout)) != 0;
}

void tqwDestroyClient(CLIENT* client) {
  if (client != nullptr) clnt_destroy(client);
}
