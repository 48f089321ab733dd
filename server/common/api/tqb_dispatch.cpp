// The dispatcher: one remote call on the channel's kept connection. It is
// three parts, each on its own:
//  - opening the channel: the program and port resolved, the connection
//    created, with the version stepped down and the program re-resolved when
//    the creation fails in the ways that allow it;
//  - one call: translation to the binding's version, the call itself, the
//    result translated back and checked;
//  - the retry policy: what a call that brought no result leads to. A call
//    is sent again at most once, and only when it cannot have been carried
//    out twice: its request never reached the server, the server refused it,
//    or the procedure only reads. A change whose reply was lost is reported
//    with its outcome unknown rather than risk doing it twice.
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "api/tqb_transport.h"
#include "api/tqmap.h"
#include "rpc/procedures.h"
#include "rpc/tqwire.h"
#include "share/apisrv/scramble.h"
#include "share/i18n/tqxdr.h"

namespace {

constexpr time_t kRebalanceAfter = 1800;    // seconds since channel 1 was resolved
constexpr time_t kQueryResolveAfter = 900;  // seconds since channel 2 was resolved
constexpr int32_t kNoticeTimeout = 1;
constexpr size_t kMaxAppendedText = 255;
// Room a chunked reply needs beside its chunk: the header, the other
// fields and a status list.
constexpr size_t kChunkReplySlack = 64 * 1024;

thread_local TQQueryTarget queryTarget;

bool isQueryProgram(uint32_t program) {
  return program >= kTQFirstQueryProgram && program <= kTQLastQueryProgram;
}

// The procedure of a stub of the server program; nullptr for anything else.
const TQProcedure* serverProcedureOf(TQStub stub) {
  const TQProcedure* p = tqProcedureOfStub(stub);
  return p != nullptr && p->program == TQProgram::kServer ? p : nullptr;
}

bool mismatch(int rpcStatus) {
  return rpcStatus == kTQRpcProgUnavailable || rpcStatus == kTQRpcProgVersMismatch;
}

bool canStepDown(uint32_t version) {
  return version >= 3 && version <= kTQNewestProtocol;
}

// Channel 1's connection, put aside while the channel re-resolves its
// program; the server is told that the old connection's session ends.
struct SetAside {
  void* connection = nullptr;
  uint32_t program = 0;
  uint32_t version = 0;
  TQServerNameType server = {};
};

// Program number and port of a channel (step 6 of the dispatch).
void resolveProgram(TQControlStruct* control, TQSessionStruct* session, TQServerRouteStruct* route,
                    int channel, uint32_t* program, uint32_t* port) {
  const char* server = control->server;
  const time_t now = std::time(nullptr);
  if (channel == kTQChannelAdmin) {
    *program = route->resolvedProgram[0];
    *port = route->channelPort[0];
    if (*program == 0) {
      *program = kTQDefaultProgram;
      *port = 0;
      tqDirectoryDefault(control, server, program, port);
      route->resolvedProgram[0] = *program;
      route->channelPort[0] = *port;
      route->resolvedAt = now;
    }
    return;
  }
  if (channel == kTQChannelGeneral) {
    *program = route->resolvedProgram[1];
    *port = route->channelPort[1];
    if (*program == 0) {
      *port = 0;
      if ((session->programFixed != 0 || session->fixedProgram != 0) &&
          session->fixedProgram != 0) {
        *program = session->fixedProgram;
      } else if (route->configuredProgram != 0) {
        *program = route->configuredProgram;
      } else if (!tqDirectoryGeneral(control, server, program, port)) {
        *port = 0;
        tqDirectoryDefault(control, server, program, port);
      }
      route->resolvedProgram[1] = *program;
      route->channelPort[1] = *port;
      route->resolvedAt = now;
    }
    return;
  }
  const uint32_t forced = session->forcedQueryProgram;
  *port = isQueryProgram(forced) && route->queryPort[forced - kTQFirstQueryProgram] > 0
              ? route->queryPort[forced - kTQFirstQueryProgram]
              : route->otherQueryPort;
  if (session->forcedProgramFlag != 0 && forced != 0) {
    *program = forced;
  } else {
    *program = route->resolvedProgram[2];
    if (*program != session->channels[kTQChannelAdmin].program ||
        now - route->defaultResolvedAt > kQueryResolveAfter) {
      *port = 0;
      if (!tqDirectoryQuery(control, server, queryTarget.schema, queryTarget.qualifier, program,
                            port)) {
        *port = 0;
        tqDirectoryDefault(control, server, program, port);
      }
      route->resolvedProgram[2] = *program;
      if (isQueryProgram(*program)) {
        route->queryPort[*program - kTQFirstQueryProgram] = *port;
      } else {
        route->otherQueryPort = *port;
      }
      if (*program == session->channels[kTQChannelAdmin].program) route->defaultResolvedAt = now;
      if (session->forcedProgramFlag != 0) session->forcedQueryProgram = *program;
    }
  }
  session->lastQueryProgram = *program;
  if (session->currentHeader != nullptr && session->currentCacheIds != nullptr) {
    int slot = *program == kTQDefaultProgram ? kTQDefaultProgramCacheSlot
               : isQueryProgram(*program)    ? static_cast<int>(*program - kTQFirstQueryProgram)
                                             : -1;
    if (slot >= 0 && session->currentCacheIds[slot] != -1) {
      static_cast<TQCallHeader*>(session->currentHeader)->cacheId = session->currentCacheIds[slot];
    }
  }
}

// Error 90: the server, the program unless it is the default one, and the
// reason, at most 255 characters in all. The reason is the one that made
// the connection fail: when the server's directory could not be reached
// (the configured port refused the connection, say), that, and not what the
// fallback program's creation then ran into.
void reportCannotConnect(TQStatusList* status, const char* server, uint32_t program) {
  std::string text = server;
  if (program != kTQDefaultProgram) text += " (" + std::to_string(program) + ")";
  const std::string directory = tqDirectoryFailure();
  text += " : " + (directory.empty() ? tqwCreateErrorReason() : directory);
  if (text.size() > kMaxAppendedText) text.resize(kMaxAppendedText);
  TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgCannotConnect, text.c_str());
}

// Tells the server over channel 1's set-aside connection that the session
// on it ends, then drops that connection. The call's own connection and
// state are kept.
void endSetAside(TQControlStruct* control, TQSessionStruct* session, TQBindingStruct* binding,
                 TQServerRouteStruct* route, SetAside& aside, const void* args) {
  TQChannelStruct& ch = session->channels[kTQChannelGeneral];
  if (ch.program == aside.program && tqSameServer(ch.server, aside.server)) {
    tqwDestroyClient(static_cast<CLIENT*>(aside.connection));
    aside.connection = nullptr;
    return;
  }
  void* keptConnection = ch.connection;
  const int32_t keptTimeout = ch.timeout;
  const time_t keptResolvedAt = route != nullptr ? route->resolvedAt : 0;
  const uint32_t keptVersion = binding != nullptr ? binding->protocolVersion : 0;

  ch.connection = aside.connection;
  ch.timeout = 0;
  aside.connection = nullptr;
  if (binding != nullptr && aside.version > 0) binding->protocolVersion = aside.version;
  if (route != nullptr) route->resolvedAt = std::time(nullptr);

  TQEndSessionArgs notice{};
  if (args != nullptr) {
    const auto* header = static_cast<const TQCallHeader*>(args);
    notice.header.cacheId = header->cacheId;
    notice.header.operationTime = header->operationTime;
    std::memcpy(notice.header.user, header->user, sizeof notice.header.user);
    std::memcpy(notice.header.password, header->password, sizeof notice.header.password);
    std::memcpy(notice.header.language, header->language, sizeof notice.header.language);
  }
  notice.header.flag = 1;
  notice.user = notice.header.user;
  notice.cacheId = control->cacheId;
  tqSendEndSessionNotice(control, kTQChannelGeneral, &notice);
  tqCloseChannel(session, kTQChannelGeneral);

  ch.connection = keptConnection;
  ch.timeout = keptTimeout;
  if (route != nullptr) route->resolvedAt = keptResolvedAt;
  if (binding != nullptr && keptVersion != 0) binding->protocolVersion = keptVersion;
}

// One dispatch: what it was asked and the state its attempts share.
struct Dispatch {
  TQControlStruct* control;
  TQSessionStruct* session;
  TQStub stub;  // the version-6 stub; each attempt translates it anew
  const TQProcedure* procedure;
  int32_t timeout;
  int32_t timeoutMessage;
  int channel;  // as asked; each attempt adjusts it
  void* args;
  TQStatusList* status;
  bool retried;
  uint32_t fallbackVersion = kTQNewestProtocol;  // used only if no binding is current
  SetAside aside;

  uint32_t number() const { return procedure != nullptr ? procedure->number : 0; }
  // The protocol version of the channel's current binding, which the
  // fallbacks lower.
  uint32_t& version(int ch) {
    TQBindingStruct* b = session->channels[ch].currentBinding;
    return b != nullptr ? b->protocolVersion : fallbackVersion;
  }
  void dropAside() {
    tqwDestroyClient(static_cast<CLIENT*>(aside.connection));
    aside.connection = nullptr;
  }
};

// The bytes a reply of the procedure may hold.
size_t replyLimit(const Dispatch& d) {
  const int32_t responseSize = d.session->responseSize;
  if (d.procedure != nullptr && d.procedure->chunkedReply && responseSize > 0) {
    return static_cast<size_t>(responseSize) + kChunkReplySlack;
  }
  return kTQMaxReplyBytes;
}

// ------------------------------------------------------- opening the channel

// Steps 1 to 8: makes sure the channel of the call has a connection to the
// control record's server. Returns the channel, or -1 after reporting why
// none could be opened.
int openChannel(Dispatch& d) {
  TQSessionStruct* session = d.session;
  TQControlStruct* control = d.control;
  for (;;) {
    tqwSelectContext(session->runtime);
    tqFindRoute(session, control->server);
    const int channel = tqAdjustChannel(session, control->server, d.channel);
    TQChannelStruct& ch = session->channels[channel];

    if (channel == kTQChannelGeneral && ch.connection != nullptr &&
        session->rebalancePending != 0) {
      session->rebalancePending = 0;
      d.aside.connection = ch.connection;
      d.aside.program = ch.program;
      d.aside.version = ch.protocolVersion;
      std::memcpy(d.aside.server, ch.server, sizeof d.aside.server);
      ch.connection = nullptr;
      if (session->currentRoute != nullptr) session->currentRoute->resolvedProgram[1] = 0;
      ch.program = 0;
    }

    if (ch.connection != nullptr && tqSameServer(ch.server, control->server)) return channel;

    tqCloseChannel(session, channel);
    ch.timeout = 0;
    std::memcpy(ch.server, control->server, sizeof ch.server);
    ch.server[TQ_MAX_SERVER_SIZE] = '\0';
    TQServerRouteStruct* route = tqFindOrCreateRoute(session, control->server);
    if (route == nullptr) {
      d.dropAside();
      tqOutOfMemory(d.status);
      return -1;
    }
    uint32_t program = 0;
    uint32_t port = 0;
    tqClearDirectoryFailure();
    resolveProgram(control, session, route, channel, &program, &port);
    ch.program = program;
    ch.port = port;

    uint32_t openPort = ch.port;
    if (session->programFixed != 0 && session->fixedTcpPort != 0) {
      openPort = session->fixedTcpPort;
    } else if (route->configuredProgram != 0 && route->privatePort != 0) {
      openPort = route->privatePort;
    }
    uint32_t& version = d.version(channel);
    const time_t started = std::time(nullptr);
    CLIENT* client = openPort != 0
                         ? tqwCreateClientOnPort(ch.server, ch.program, version, openPort)
                         : tqwCreateClient(ch.server, ch.program, version, session->transport);
    if (client != nullptr) {
      ch.connection = client;
      return channel;
    }

    const int why = tqwCreateStatus();
    const time_t spent = std::time(nullptr) - started;
    if (mismatch(why) && canStepDown(version)) {
      --version;
      continue;
    }
    if ((why == kTQRpcPmapFailure || why == kTQRpcProgNotRegistered) &&
        ch.program != kTQDefaultProgram && !d.retried) {
      if (channel == kTQChannelGeneral) {
        route->resolvedProgram[1] = 0;
        ch.program = 0;
      }
      d.retried = true;
      continue;
    }
    // A creation that timed out early may use the rest of the time; at
    // least one second must have gone by, so that this cannot spin.
    if (why == kTQRpcTimedOut && spent > 0 && spent < d.timeout) {
      d.timeout -= static_cast<int32_t>(spent);
      continue;
    }
    reportCannotConnect(d.status, ch.server, ch.program);
    d.dropAside();
    return -1;
  }
}

// ------------------------------------------------------------- one call

enum class Attempt {
  kSucceeded,     // *result holds the version-6 result
  kFailed,        // reported (or silent), nothing more to do
  kNoResult,      // the call brought no result: the retry policy decides
  kReidentified,  // the server's password mode was learnt again: send once more
};

// The server refused the password as sent: learn its password mode again
// and put the password into the header in the mode the server now wants.
void reidentify(Dispatch& d, TQBindingStruct* binding) {
  auto* header = static_cast<TQCallHeader*>(d.args);
  TQServerIdentStruct* identity = tqFindIdentity(d.session, d.control->server);
  if (identity == nullptr) return;
  if (identity->passwordMode == kTQPasswordScramble) {
    std::memcpy(header->password, d.session->clearPassword, sizeof header->password);
  }
  TQStatusList ignored{};
  tqQueryIdentity(d.control, identity, binding, kTQPasswordScramble, &ignored);
  FreeTQStatusList(&ignored, 0);
  if (identity->passwordMode == kTQPasswordScramble) {
    tqScramblePassword(static_cast<uint32_t>(header->operationTime), header->password);
  }
}

// Steps 9 to 13 on the open channel.
Attempt callOnce(Dispatch& d, int channel, void** result) {
  TQSessionStruct* session = d.session;
  TQChannelStruct& ch = session->channels[channel];
  TQBindingStruct* binding = ch.currentBinding;
  const uint32_t version = d.version(channel);
  const uint32_t procedure = d.number();
  const bool hasHeader = d.procedure != nullptr && d.procedure->callHeader;
  session->oldProtocol = version >= kTQOldestProtocol && version < kTQNewestProtocol ? 1 : 0;
  TQStub sent = d.stub;
  void* sentArgs = tqmapDown(&sent, d.args, version);
  if (ch.connection == nullptr) {
    d.dropAside();
    return Attempt::kFailed;
  }
  auto* client = static_cast<CLIENT*>(ch.connection);
  if (d.timeout != ch.timeout) {
    tqwSetTimeout(client, d.timeout);
    ch.timeout = d.timeout;
  }
  tqwSetReplyLimit(client, replyLimit(d));
  tqxdrClearProblem();
  void* answer = sent(sentArgs, client);

  if (d.aside.connection != nullptr) {
    endSetAside(d.control, session, binding, tqFindRoute(session, d.control->server), d.aside,
                d.args);
  }
  if (answer == nullptr) return Attempt::kNoResult;

  TQStub received = sent;
  void* upgraded = tqmapUp(&received, answer, version);
  if (upgraded == nullptr) {
    tqOutOfMemory(d.status);
    return Attempt::kFailed;
  }
  TQStatusList* serverStatus = tqmapResultStatus(procedure, upgraded);
  if (binding != nullptr && canStepDown(binding->protocolVersion) && !d.retried &&
      procedure != kTQProcGetServerInfo && procedure != kTQProcEndSession && hasHeader &&
      serverStatus != nullptr && serverStatus->numItems != 0 &&
      serverStatus->statusList[0].messageNumber == kTQMsgBadPassword) {
    tqReleaseResult(procedure, upgraded);
    reidentify(d, binding);
    return Attempt::kReidentified;
  }
  const uint8_t advice = hasHeader ? static_cast<TQCallHeader*>(upgraded)->flag : 0;
  if (channel == kTQChannelQuery && !(session->forcedProgramFlag != 0 && advice != 1)) {
    tqCloseChannel(session, kTQChannelQuery);
  }
  if (channel == kTQChannelGeneral && session->fixedProgram == 0 && session->programFixed == 0 &&
      advice == 1 && session->currentRoute != nullptr &&
      session->currentRoute->configuredProgram == 0 &&
      std::time(nullptr) - session->currentRoute->resolvedAt > kRebalanceAfter) {
    session->rebalancePending = 1;
    ch.protocolVersion = version;
  }
  if (tqmapIsFailingSubstitute(received)) {
    if (serverStatus != nullptr) TQMergeStatus(serverStatus, d.status, d.status);
    return Attempt::kFailed;
  }
  *result = upgraded;
  return Attempt::kSucceeded;
}

// ---------------------------------------------------------- retry policy

// Error 91 with the runtime's reason, and what else is known of the call.
void reportCallFailed(Dispatch& d, std::string reason, bool outcomeUnknown) {
  if (const char* problem = tqxdrProblem(); problem != nullptr && *problem != '\0') {
    reason += "; ";
    reason += problem;
  }
  if (outcomeUnknown) {
    reason +=
        "; the request reached the server, which may have carried it out: its outcome is "
        "unknown";
  }
  if (reason.size() > kMaxAppendedText) reason.resize(kMaxAppendedText);
  TQAppendStatus(d.status, TQ_MSG_ERROR, kTQMsgCallFailed, reason.c_str());
}

// Step 14: a call on the channel brought no result. True when the call is
// to be made again; false once the failure is reported.
bool retryAfterNoResult(Dispatch& d, int channel) {
  TQChannelStruct& ch = d.session->channels[channel];
  if (ch.connection == nullptr) return false;
  auto* client = static_cast<CLIENT*>(ch.connection);
  const int why = tqwCallStatus(client);
  const std::string reason = tqwCallErrorReason(client);
  const bool changing = d.procedure == nullptr || !d.procedure->read;
  const bool unknown = changing && tqwCallOutcomeUnknown(client);
  tqCloseChannel(d.session, channel);

  if (d.retried) {
    reportCallFailed(d, reason, unknown);
    return false;
  }
  if (why == kTQRpcTimedOut) {
    TQAppendStatus(d.status, TQ_MSG_ERROR, d.timeoutMessage, ch.server);
    return false;
  }
  uint32_t& version = d.version(channel);
  if (mismatch(why) && ch.currentBinding != nullptr && canStepDown(version)) {
    --version;
    return true;
  }
  // A request that cannot be encoded fails the same way every time; one
  // whose fate is unknown must not be carried out twice.
  if (why == RPC_CANTENCODEARGS || unknown) {
    reportCallFailed(d, reason, unknown);
    return false;
  }
  if (why == kTQRpcCantReceive && channel == kTQChannelGeneral) {
    if (TQServerRouteStruct* route = tqFindRoute(d.session, d.control->server)) {
      route->resolvedProgram[1] = 0;
    }
    ch.program = 0;
  }
  d.retried = true;
  return true;
}

}  // namespace

void tqSetQueryTarget(const TQQueryTarget& target) {
  queryTarget = target;
}

void tqSendEndSessionNotice(TQControlStruct* control, int channel, TQEndSessionArgs* notice) {
  TQStatusList ignored{};
  void* result = nullptr;
  if (tqDispatch(control, tqStubOf(TQProgram::kServer, kTQNewestProtocol, kTQProcEndSession), false,
                 kNoticeTimeout, kTQMsgTimeoutChange, channel, notice, &result, &ignored)) {
    tqReleaseResult(kTQProcEndSession, result);
  }
  FreeTQStatusList(&ignored, 0);
}

void tqCloseChannel(TQSessionStruct* session, int channel) {
  TQChannelStruct& ch = session->channels[channel];
  tqwDestroyClient(static_cast<CLIENT*>(ch.connection));
  ch.connection = nullptr;
}

void tqReleaseResult(uint32_t procedure, void* result) {
  const TQProcedure* p = tqFindProcedure(TQProgram::kServer, kTQNewestProtocol, procedure);
  if (p != nullptr) tqReleaseResultParts(*p, result);
}

bool tqDispatch(TQControlStruct* control, TQStub stub, bool retried, int32_t timeout,
                int32_t timeoutMessage, int channel, void* args, void** result,
                TQStatusList* status) {
  *result = nullptr;
  TQSessionStruct* session = tqLookupSession(control, nullptr);
  if (session == nullptr) return false;
  Dispatch d{control, session, stub,    serverProcedureOf(stub), timeout,   timeoutMessage, channel,
             args,    status,  retried, kTQNewestProtocol,       SetAside{}};
  for (;;) {
    const int open = openChannel(d);
    if (open < 0) return false;
    switch (callOnce(d, open, result)) {
      case Attempt::kSucceeded:
        return true;
      case Attempt::kFailed:
        return false;
      case Attempt::kReidentified:
        d.retried = true;
        break;
      case Attempt::kNoResult:
        if (!retryAfterNoResult(d, open)) return false;
        break;
    }
  }
}
