// The interface to the ONC RPC runtime (libtirpc): the per-session runtime
// context, client creation by host name and on a known port, the client
// handle's call, error, timeout and destroy operations, and the error texts.
#pragma once

#include <rpc/rpc.h>

#include <cstdint>
#include <string>

// A session's runtime context. libtirpc keeps its per-thread state itself;
// the context marks that a session has set up its use of the runtime and is
// what a session makes current on the thread it runs on.
struct TQRuntimeContext {
  uint32_t marker;
};

// RPC statuses that callers test.
inline constexpr int kTQRpcCantReceive = RPC_CANTRECV;                 // 4
inline constexpr int kTQRpcTimedOut = RPC_TIMEDOUT;                    // 5
inline constexpr int kTQRpcProgUnavailable = RPC_PROGUNAVAIL;          // 8
inline constexpr int kTQRpcProgVersMismatch = RPC_PROGVERSMISMATCH;    // 9
inline constexpr int kTQRpcPmapFailure = RPC_PMAPFAILURE;              // 14
inline constexpr int kTQRpcProgNotRegistered = RPC_PROGNOTREGISTERED;  // 15
inline constexpr int kTQRpcStatus20 = 20;  // counted as 8 by the directory

// Contexts. Creating one does not make it current.
TQRuntimeContext* tqwCreateContext();
void tqwDestroyContext(TQRuntimeContext* context);
TQRuntimeContext* tqwCurrentContext();
// Makes a context (or none) current on the calling thread; returns it.
TQRuntimeContext* tqwSelectContext(TQRuntimeContext* context);

// A client by host name over "tcp" or "udp"; the runtime asks the host's
// port mapper for the port. nullptr on failure (see tqwCreateStatus).
CLIENT* tqwCreateClient(const char* host, uint32_t program, uint32_t version, const char* network);

// A TCP client on a known port: the host's first IPv4 address and the port.
// nullptr on failure; nothing is printed: the reason (a refused connection,
// say) is what tqwCreateErrorReason gives.
CLIENT* tqwCreateClientOnPort(const char* host, uint32_t program, uint32_t version, uint32_t port);

// The RPC status of the last failed creation on this thread.
int tqwCreateStatus();

// "<prefix>: <reason>" of the last failed creation, and the reason alone
// (the text for an empty prefix without its first two characters).
std::string tqwCreateErrorText(const char* prefix);
std::string tqwCreateErrorReason();

// The largest reply a call takes unless its caller gives a smaller bound:
// a reply that would hold more bytes fails as a broken reply before it is
// decoded.
inline constexpr size_t kTQMaxReplyBytes = size_t{64} << 20;

// One call on a client with the given routines. The timeout set on the
// client (tqwSetTimeout), or else `timeout`, bounds the whole call. Succeeds
// only when a whole reply arrived and its result was decoded into `result`;
// a reply larger than the client's reply limit fails. Over TCP the request
// is encoded in full before it is sent, so a request that cannot be encoded
// never reaches the server.
enum clnt_stat tqwCall(CLIENT* client, uint32_t procedure, xdrproc_t encodeArgs, void* args,
                       xdrproc_t decodeResult, void* result, timeval timeout);

// The RPC status of the client's last call.
int tqwCallStatus(CLIENT* client);

// Whether the server may have carried out the client's last failed call: its
// request went out whole and no answer of the server says that it was
// refused (the reply was lost, broken or late).
bool tqwCallOutcomeUnknown(CLIENT* client);

// "<prefix>: <reason>" of the client's last call, and the reason alone, both
// without a trailing line end.
std::string tqwCallErrorText(CLIENT* client, const char* prefix);
std::string tqwCallErrorReason(CLIENT* client);

// Sets the timeout that governs every later call on the client (control
// request 1). False when the client refuses it.
bool tqwSetTimeout(CLIENT* client, int32_t seconds);

// Bounds the bytes of every later reply on the client; kTQMaxReplyBytes
// until set, and never above it.
void tqwSetReplyLimit(CLIENT* client, size_t bytes);

void tqwDestroyClient(CLIENT* client);
