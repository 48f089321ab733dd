// The shared dispatch of every procedure (see server_dispatch.h).
#include "server_dispatch.h"

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <string>

#include "share/apisrv/scramble.h"
#include "handler_table.h"
#include "rpc/procedures.h"
#include "share/apisrv/error.h"
#include "store.h"

namespace tqsd {
namespace {

constexpr int32_t kMsgStoreFailed = 9360;

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
bool decodeArgs(RpcCall& request, Records& records) {
  if (records.args == nullptr || records.result == nullptr) {
    request.refuseSystemError();
    return false;
  }
  if (!request.getArgs(asXdrProc(records.procedure.xdrArgs), records.args)) {
    request.refuseArguments();
    return false;
  }
  return true;
}

// A --delay holds the answer back; the transport serves other clients
// meanwhile.
void holdForDelays(RpcCall& request, bool directory, uint32_t procedure) {
  for (const Delay& d : serverContext().options.delays) {
    if (d.directory == directory && d.procedure == procedure) request.holdAnswer(d.seconds);
  }
}

void reply(RpcCall& request, const Records& records, bool directory, uint32_t procedure) {
  holdForDelays(request, directory, procedure);
  if (!request.reply(asXdrProc(records.procedure.xdrResult), records.result)) {
    std::fprintf(stderr, "tqserverd: the answer to procedure %u could not be sent\n", procedure);
    request.refuseSystemError();
  }
}

// Runs the handler. What the store or the memory refuse ends the call with
// an error in its status list; the call's transaction is rolled back then.
void runHandler(const Handler& h, Call& call, Records& records) {
  try {
    h.run(call, records.args, records.result);
  } catch (const StoreFailure& failure) {
    addStatus(call, TQ_MSG_ERROR, kMsgStoreFailed, failure.what());
  } catch (const std::bad_alloc&) {
    addStatus(call, TQ_MSG_ERROR, kTQMsgNoMemory);
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

void serveProgram(RpcCall& request) {
  ServerContext& server = serverContext();
  const uint32_t procedure = request.procedure();
  const uint32_t version = request.version();
  uint64_t number = server.stats.record(request.program(), version, procedure, false);

  if (server.options.dropCalls.count(number) != 0) {
    request.hangUp();
    return;
  }
  if (procedure == NULLPROC) {
    request.reply(asXdrProc(noResult), nullptr);
    return;
  }
  const TQProcedure* p = tqFindProcedure(TQProgram::kServer, version, procedure);
  const Handler* h = findHandler(procedure, version);
  if (p == nullptr || !tqHasRoutines(*p) || h == nullptr) {
    request.refuseProcedure();
    return;
  }

  Records records(*p);
  if (!decodeArgs(request, records)) return;

  Call call{server};
  call.program = request.program();
  call.version = version;
  call.procedure = procedure;
  call.header = p->callHeader ? static_cast<TQCallHeader*>(records.args) : nullptr;
  call.answer = p->callHeader ? static_cast<TQCallHeader*>(records.result) : nullptr;
  call.status = tqResultStatus(*p, records.result);
  if (call.header != nullptr && call.answer != nullptr) {
    fillAnswerHeader(server.options, *call.header, call.answer);
  }
  if (call.header != nullptr && !passwordAccepted(server, *call.header)) {
    addStatus(call, TQ_MSG_ERROR, kTQMsgBadPassword);
  } else {
    runHandler(*h, call, records);
  }
  reply(request, records, false, procedure);
}

void serveDirectory(RpcCall& request) {
  ServerContext& server = serverContext();
  const uint32_t procedure = request.procedure();
  const uint32_t version = request.version();
  server.stats.record(request.program(), version, procedure, true);

  if (procedure == NULLPROC) {
    request.reply(asXdrProc(noResult), nullptr);
    return;
  }
  const TQProcedure* p = tqFindProcedure(TQProgram::kDirectory, version, procedure);
  if (p == nullptr || !tqHasRoutines(*p)) {
    request.refuseProcedure();
    return;
  }
  Records records(*p);
  if (!decodeArgs(request, records)) return;

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
  reply(request, records, true, procedure);
}

}  // namespace tqsd
