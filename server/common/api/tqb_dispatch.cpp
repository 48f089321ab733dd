// The dispatcher: one remote call on the channel's kept connection, with
// the connection opened on demand, the protocol version stepped down for
// older servers, the program re-resolved and the call retried once.
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "share/apisrv/scramble.h"
#include "api/tqb_transport.h"
#include "api/tqmap.h"
#include "rpc/procedures.h"
#include "rpc/tqwire.h"

namespace {

constexpr time_t kRebalanceAfter = 1800;    // seconds since channel 1 was resolved
constexpr time_t kQueryResolveAfter = 900;  // seconds since channel 2 was resolved
constexpr int32_t kNoticeTimeout = 1;
constexpr size_t kMaxAppendedText = 255;

thread_local TQQueryTarget queryTarget;

bool isQueryProgram(uint32_t program) {
  return program >= kTQFirstQueryProgram && program <= kTQLastQueryProgram;
}

// The procedure number of a stub of the server program; 0 for anything else.
uint32_t procedureOf(TQStub stub) {
  const TQProcedure* p = tqProcedureOfStub(stub);
  return p != nullptr && p->program == TQProgram::kServer ? p->number : 0;
}

bool hasCallHeader(uint32_t procedure) {
  return procedure >= 1 && procedure <= 80;
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
  if (channel == 0) {
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
  if (channel == 1) {
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
    if (*program != session->channels[0].program ||
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
      if (*program == session->channels[0].program) route->defaultResolvedAt = now;
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
// runtime's reason, at most 255 characters in all.
void reportCannotConnect(TQStatusList* status, const char* server, uint32_t program) {
  std::string text = server;
  if (program != kTQDefaultProgram) text += " (" + std::to_string(program) + ")";
  text += " : " + tqwCreateErrorReason();
  if (text.size() > kMaxAppendedText) text.resize(kMaxAppendedText);
  TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgCannotConnect, text.c_str());
}

// Tells the server over channel 1's set-aside connection that the session
// on it ends, then drops that connection. The call's own connection and
// state are kept.
void endSetAside(TQControlStruct* control, TQSessionStruct* session, TQBindingStruct* binding,
                 TQServerRouteStruct* route, SetAside& aside, const void* args) {
  TQChannelStruct& ch = session->channels[1];
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
  TQStatusList ignored{};
  void* result = nullptr;
  if (tqDispatch(control, tqStubOf(TQProgram::kServer, kTQNewestProtocol, kTQProcEndSession), false,
                 kNoticeTimeout, kTQMsgTimeoutChange, 1, &notice, &result, &ignored)) {
    tqReleaseResult(kTQProcEndSession, result);
  }
  FreeTQStatusList(&ignored, 0);
  tqCloseChannel(session, 1);

  ch.connection = keptConnection;
  ch.timeout = keptTimeout;
  if (route != nullptr) route->resolvedAt = keptResolvedAt;
  if (binding != nullptr && keptVersion != 0) binding->protocolVersion = keptVersion;
}

}  // namespace

void tqSetQueryTarget(const TQQueryTarget& target) {
  queryTarget = target;
}

void tqCloseChannel(TQSessionStruct* session, int channel) {
  TQChannelStruct& ch = session->channels[channel];
  tqwDestroyClient(static_cast<CLIENT*>(ch.connection));
  ch.connection = nullptr;
}

void tqReleaseResult(uint32_t procedure, void* result) {
  const TQProcedure* p = tqFindProcedure(TQProgram::kServer, kTQNewestProtocol, procedure);
  if (p == nullptr || result == nullptr || p->xdrResult == nullptr) return;
  XDR freer{};
  freer.x_op = XDR_FREE;
  p->xdrResult(&freer, result);
  std::memset(result, 0, p->resultSize);
}

bool tqDispatch(TQControlStruct* control, TQStub stub, bool retried, int32_t timeout,
                int32_t timeoutMessage, int channel, void* args, void** result,
                TQStatusList* status) {
  *result = nullptr;
  TQSessionStruct* session = tqLookupSession(control, nullptr);
  if (session == nullptr) return false;
  const uint32_t procedure = procedureOf(stub);
  SetAside aside;
  uint32_t fallbackVersion = kTQNewestProtocol;  // used only if no binding is current

  // Steps 1 to 8; a failed creation may start them again.
  for (;;) {
    tqwSelectContext(session->runtime);
    tqFindRoute(session, control->server);
    channel = tqAdjustChannel(session, control->server, channel);
    TQChannelStruct& ch = session->channels[channel];

    if (channel == 1 && ch.connection != nullptr && session->rebalancePending != 0) {
      session->rebalancePending = 0;
      aside.connection = ch.connection;
      aside.program = ch.program;
      aside.version = ch.protocolVersion;
      std::memcpy(aside.server, ch.server, sizeof aside.server);
      ch.connection = nullptr;
      if (session->currentRoute != nullptr) session->currentRoute->resolvedProgram[1] = 0;
      ch.program = 0;
    }

    if (ch.connection != nullptr && tqSameServer(ch.server, control->server)) break;

    tqCloseChannel(session, channel);
    ch.timeout = 0;
    std::memcpy(ch.server, control->server, sizeof ch.server);
    ch.server[TQ_MAX_SERVER_SIZE] = '\0';
    TQServerRouteStruct* route = tqFindOrCreateRoute(session, control->server);
    if (route == nullptr) {
      tqwDestroyClient(static_cast<CLIENT*>(aside.connection));
      tqOutOfMemory(status);
      return false;
    }
    uint32_t program = 0;
    uint32_t port = 0;
    resolveProgram(control, session, route, channel, &program, &port);
    ch.program = program;
    ch.port = port;

    uint32_t openPort = ch.port;
    if (session->programFixed != 0 && session->fixedTcpPort != 0) {
      openPort = session->fixedTcpPort;
    } else if (route->configuredProgram != 0 && route->privatePort != 0) {
      openPort = route->privatePort;
    }
    uint32_t& version =
        ch.currentBinding != nullptr ? ch.currentBinding->protocolVersion : fallbackVersion;
    const time_t started = std::time(nullptr);
    CLIENT* client = openPort != 0
                         ? tqwCreateClientOnPort(ch.server, ch.program, version, openPort)
                         : tqwCreateClient(ch.server, ch.program, version, session->transport);
    if (client != nullptr) {
      ch.connection = client;
      break;
    }

    const int why = tqwCreateStatus();
    const time_t spent = std::time(nullptr) - started;
    if (mismatch(why) && canStepDown(version)) {
      --version;
      continue;
    }
    if ((why == kTQRpcPmapFailure || why == kTQRpcProgNotRegistered) &&
        ch.program != kTQDefaultProgram && !retried) {
      if (channel == 1) {
        route->resolvedProgram[1] = 0;
        ch.program = 0;
      }
      retried = true;
      continue;
    }
    // A creation that timed out early may use the rest of the time; at
    // least one second must have gone by, so that this cannot spin.
    if (why == kTQRpcTimedOut && spent > 0 && spent < timeout) {
      timeout -= static_cast<int32_t>(spent);
      continue;
    }
    reportCannotConnect(status, ch.server, ch.program);
    tqwDestroyClient(static_cast<CLIENT*>(aside.connection));
    return false;
  }

  // Steps 9 to 14: the call.
  TQChannelStruct& ch = session->channels[channel];
  TQBindingStruct* binding = ch.currentBinding;
  const uint32_t version = binding != nullptr ? binding->protocolVersion : fallbackVersion;
  session->oldProtocol = version >= kTQOldestProtocol && version < kTQNewestProtocol ? 1 : 0;
  TQStub sent = stub;
  void* sentArgs = tqmapDown(&sent, args, version);
  if (ch.connection == nullptr) {
    tqwDestroyClient(static_cast<CLIENT*>(aside.connection));
    return false;
  }
  auto* client = static_cast<CLIENT*>(ch.connection);
  if (timeout != ch.timeout) {
    tqwSetTimeout(client, timeout);
    ch.timeout = timeout;
  }
  void* answer = sent(sentArgs, client);

  if (aside.connection != nullptr) {
    endSetAside(control, session, binding, tqFindRoute(session, control->server), aside, args);
  }

  if (answer != nullptr) {
    TQStub received = sent;
    void* upgraded = tqmapUp(&received, answer, version);
    if (upgraded == nullptr) {
      tqOutOfMemory(status);
      return false;
    }
    TQStatusList* serverStatus = tqmapResultStatus(procedure, upgraded);
    if (binding != nullptr && canStepDown(binding->protocolVersion) && !retried &&
        procedure != kTQProcGetServerInfo && procedure != kTQProcEndSession &&
        hasCallHeader(procedure) && serverStatus != nullptr && serverStatus->numItems != 0 &&
        serverStatus->statusList[0].messageNumber == kTQMsgBadPassword) {
      // The server no longer takes the password as sent: learn its password
      // mode again, then send the call once more.
      tqReleaseResult(procedure, upgraded);
      auto* header = static_cast<TQCallHeader*>(args);
      if (TQServerIdentStruct* identity = tqFindIdentity(session, control->server)) {
        if (identity->passwordMode == kTQPasswordScramble) {
          std::memcpy(header->password, session->clearPassword, sizeof header->password);
        }
        TQStatusList ignored{};
        tqQueryIdentity(control, identity, binding, kTQPasswordScramble, &ignored);
        FreeTQStatusList(&ignored, 0);
        if (identity->passwordMode == kTQPasswordScramble) {
          tqScramblePassword(static_cast<uint32_t>(header->operationTime), header->password);
        }
      }
      return tqDispatch(control, stub, true, timeout, timeoutMessage, channel, args, result,
                        status);
    }
    const uint8_t advice =
        hasCallHeader(procedure) ? static_cast<TQCallHeader*>(upgraded)->flag : 0;
    if (channel == 2 && !(session->forcedProgramFlag != 0 && advice != 1)) {
      tqCloseChannel(session, 2);
    }
    if (channel == 1 && session->fixedProgram == 0 && session->programFixed == 0 && advice == 1 &&
        session->currentRoute != nullptr && session->currentRoute->configuredProgram == 0 &&
        std::time(nullptr) - session->currentRoute->resolvedAt > kRebalanceAfter) {
      session->rebalancePending = 1;
      ch.protocolVersion = version;
    }
    if (tqmapIsFailingSubstitute(received)) {
      if (serverStatus != nullptr) TQMergeStatus(serverStatus, status, status);
      return false;
    }
    *result = upgraded;
    return true;
  }

  if (ch.connection == nullptr) return false;
  if (retried) {
    std::string why = tqwCallErrorReason(client);
    TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgCallFailed, why.c_str());
    tqCloseChannel(session, channel);
    return false;
  }
  const int why = tqwCallStatus(client);
  tqCloseChannel(session, channel);
  if (why == kTQRpcTimedOut) {
    TQAppendStatus(status, TQ_MSG_ERROR, timeoutMessage, ch.server);
    return false;
  }
  if (mismatch(why) && binding != nullptr && canStepDown(binding->protocolVersion)) {
    --binding->protocolVersion;
    return tqDispatch(control, stub, retried, timeout, timeoutMessage, channel, args, result,
                      status);
  }
  if (why == kTQRpcCantReceive && channel == 1) {
    if (TQServerRouteStruct* route = tqFindRoute(session, control->server)) {
      route->resolvedProgram[1] = 0;
    }
    ch.program = 0;
  }
  return tqDispatch(control, stub, true, timeout, timeoutMessage, channel, args, result, status);
}
