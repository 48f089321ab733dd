// The shared dispatch of every procedure (see server_dispatch.h).
#include "server_dispatch.h"

#include <sys/socket.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "share/apisrv/scramble.h"
#include "handler_table.h"
#include "rpc/procedures.h"
#include "transport.h"

namespace tqsd {
namespace {

constexpr int32_t kMsgBadPassword = 329;

xdrproc_t asXdrProc(tqx::Proc proc) {
  return reinterpret_cast<xdrproc_t>(proc);
}

// The empty answer of procedure 0.
bool_t noResult(XDR*, void*) {
  return TRUE;
}

void release(tqx::Proc proc, void* record) {
  if (record == nullptr) return;
  XDR freer{};
  freer.x_op = XDR_FREE;
  proc(&freer, record);
  std::free(record);
}

// The argument and result records of one call, released with the
// procedure's routines however the call ends.
struct Records {
  const TQProcedure& procedure;
  void* args = std::calloc(1, procedure.argSize);
  void* result = std::calloc(1, procedure.resultSize);

  explicit Records(const TQProcedure& p) : procedure(p) {}
  ~Records() {
    release(procedure.xdrArgs, args);
    release(procedure.xdrResult, result);
  }
  Records(const Records&) = delete;
  Records& operator=(const Records&) = delete;
};

// Decodes the arguments; answers "garbage arguments" (or a system error
// when memory ran out) and returns false when that fails.
bool decodeArgs(SVCXPRT* transport, Records& records) {
  if (records.args == nullptr || records.result == nullptr) {
    svcerr_systemerr(transport);
    return false;
  }
  if (!svc_getargs(transport, asXdrProc(records.procedure.xdrArgs), records.args)) {
    svcerr_decode(transport);
    return false;
  }
  return true;
}

void waitOutDelay(bool directory, uint32_t procedure) {
  for (const Delay& d : serverContext().options.delays) {
    if (d.directory != directory || d.procedure != procedure) continue;
    timespec left{
        static_cast<time_t>(d.seconds),
        static_cast<long>((d.seconds - static_cast<double>(static_cast<time_t>(d.seconds))) * 1e9)};
    while (nanosleep(&left, &left) != 0 && errno == EINTR && !stopRequested()) {
    }
  }
}

void reply(SVCXPRT* transport, const Records& records, bool directory, uint32_t procedure) {
  waitOutDelay(directory, procedure);
  if (!svc_sendreply(transport, asXdrProc(records.procedure.xdrResult), records.result)) {
    std::fprintf(stderr, "tqserverd: the answer to procedure %u could not be sent\n", procedure);
  }
}

// Hangs up the connection of a call instead of answering it. The RPC
// runtime notices the closed socket at its next look and releases the
// connection itself.
void hangUp(SVCXPRT* transport) {
  int type = 0;
  socklen_t length = sizeof type;
  if (getsockopt(transport->xp_fd, SOL_SOCKET, SO_TYPE, &type, &length) == 0 &&
      type == SOCK_STREAM) {
    shutdown(transport->xp_fd, SHUT_RDWR);
  }
}

std::string fixedText(const char* text, size_t size) {
  return std::string(text, strnlen(text, size));
}

bool passwordAccepted(const ServerContext& server, const TQCallHeader& header) {
  std::optional<std::string> clear =
      server.users.password(fixedText(header.user, sizeof header.user));
  if (!clear) return false;
  if (server.options.passwordMode == PasswordMode::kClear) {
    return fixedText(header.password, sizeof header.password) == *clear;
  }
  return tqScrambledPasswordMatches(static_cast<uint32_t>(header.operationTime), header.password,
                                    clear->c_str());
}

// The result's header: the server's cache id and time, the caller's user and
// language (never the password), and the connection-advice flag.
void fillAnswerHeader(const Options& options, const TQCallHeader& request, TQCallHeader* answer) {
  answer->cacheId = options.cacheId;
  answer->operationTime = static_cast<TQTimestamp>(std::time(nullptr));
  std::memcpy(answer->user, request.user, sizeof answer->user);
  std::memcpy(answer->language, request.language, sizeof answer->language);
  answer->flag = options.adviceFlag;
}

}  // namespace

void serveProgram(svc_req* request, SVCXPRT* transport) {
  ServerContext& server = serverContext();
  const uint32_t procedure = static_cast<uint32_t>(request->rq_proc);
  const uint32_t version = static_cast<uint32_t>(request->rq_vers);
  uint64_t number =
      server.stats.record(static_cast<uint32_t>(request->rq_prog), version, procedure, false);

  if (server.options.dropCalls.count(number) != 0) {
    hangUp(transport);
    return;
  }
  if (procedure == NULLPROC) {
    svc_sendreply(transport, asXdrProc(noResult), nullptr);
    return;
  }
  const TQProcedure* p = tqFindProcedure(TQProgram::kServer, version, procedure);
  const Handler* h = findHandler(procedure, version);
  if (p == nullptr || !tqHasRoutines(*p) || h == nullptr) {
    svcerr_noproc(transport);
    return;
  }

  Records records(*p);
  if (!decodeArgs(transport, records)) return;

  Call call{server};
  call.program = static_cast<uint32_t>(request->rq_prog);
  call.version = version;
  call.procedure = procedure;
  call.header = h->argHeader(records.args);
  call.answer = h->resultHeader(records.result);
  call.status = h->resultStatus(records.result);
  if (call.header != nullptr && call.answer != nullptr) {
    fillAnswerHeader(server.options, *call.header, call.answer);
  }
  if (call.header != nullptr && !passwordAccepted(server, *call.header)) {
    addStatus(call, TQ_MSG_ERROR, kMsgBadPassword);
  } else {
    h->run(call, records.args, records.result);
  }
  reply(transport, records, false, procedure);
}

void serveDirectory(svc_req* request, SVCXPRT* transport) {
  ServerContext& server = serverContext();
  const uint32_t procedure = static_cast<uint32_t>(request->rq_proc);
  const uint32_t version = static_cast<uint32_t>(request->rq_vers);
  server.stats.record(static_cast<uint32_t>(request->rq_prog), version, procedure, true);

  if (procedure == NULLPROC) {
    svc_sendreply(transport, asXdrProc(noResult), nullptr);
    return;
  }
  const TQProcedure* p = tqFindProcedure(TQProgram::kDirectory, version, procedure);
  if (p == nullptr || !tqHasRoutines(*p)) {
    svcerr_noproc(transport);
    return;
  }
  Records records(*p);
  if (!decodeArgs(transport, records)) return;

  const Options& o = server.options;
  uint32_t program = procedure == 2   ? o.queryProgram
                     : procedure == 3 ? kTQServerProgram
                                      : o.generalProgram;
  if (version == 1) {
    *static_cast<uint32_t*>(records.result) = program;
  } else {
    auto* answer = static_cast<TQDirectoryAnswer*>(records.result);
    answer->program = program;
    answer->port = o.directoryPort.value_or(server.port);
  }
  reply(transport, records, true, procedure);
}

}  // namespace tqsd
