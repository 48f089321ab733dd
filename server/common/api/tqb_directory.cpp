// Server routes, TQSetServerPort and the server's queue directory (program
// 390604), which names the program number and port of a channel.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "api/tqb_transport.h"
#include "rpc/procedure_records.h"
#include "rpc/tqwire.h"

namespace {

constexpr uint32_t kProcGeneral = 1;
constexpr uint32_t kProcQuery = 2;
constexpr uint32_t kProcDefault = 3;
constexpr size_t kMaxSchemaName = 30;

bool sameServer(const char* a, const char* b) {
  return std::strncmp(a, b, TQ_MAX_SERVER_SIZE + 1) == 0;
}

void copyServer(char* dst, const char* src) {
  size_t n = strnlen(src, TQ_MAX_SERVER_SIZE);
  std::memcpy(dst, src, n);
  dst[n] = '\0';
}

void destroyDirectory(TQSessionStruct* session) {
  tqwDestroyClient(static_cast<CLIENT*>(session->directoryConnection));
  session->directoryConnection = nullptr;
}

int normalised(int rpcStatus) {
  return rpcStatus == kTQRpcStatus20 ? kTQRpcProgUnavailable : rpcStatus;
}

bool mismatch(int rpcStatus) {
  return rpcStatus == kTQRpcProgUnavailable || rpcStatus == kTQRpcProgVersMismatch;
}

// Why the directory could not be asked, for the error of a connection that
// then fails on the fallback program: a refused connection on the configured
// port says more than the port mapper not knowing the fallback.
thread_local std::string failure;

// One call of a directory procedure, with the fall back from version 2 to
// version 1 and one retry. Never adds a status item.
bool directoryCall(TQSessionStruct* session, const char* server, uint32_t procedure, void* arg,
                   bool retried, TQDirectoryAnswer* answer) {
  for (;;) {
    tqwSelectContext(session->runtime);
    TQServerRouteStruct* route = tqFindOrCreateRoute(session, server);
    if (route == nullptr) return false;
    const uint32_t port = session->fixedTcpPort != 0 ? session->fixedTcpPort : route->defaultPort;

    if (session->directoryConnection == nullptr || !sameServer(session->directoryServer, server)) {
      destroyDirectory(session);
      session->directoryConnectionTimeout = 0;
      copyServer(session->directoryServer, server);
      CLIENT* client = port != 0 ? tqwCreateClientOnPort(server, kTQQueueDirectoryProgram,
                                                         route->directoryVersion, port)
                                 : tqwCreateClient(server, kTQQueueDirectoryProgram,
                                                   route->directoryVersion, "tcp");
      if (client == nullptr) {
        if (mismatch(normalised(tqwCreateStatus())) && route->directoryVersion == 2) {
          route->directoryVersion = 1;
          continue;
        }
        failure = tqwCreateErrorReason();
        return false;
      }
      session->directoryConnection = client;
    }
    auto* client = static_cast<CLIENT*>(session->directoryConnection);

    if (session->directoryTimeout != session->directoryConnectionTimeout) {
      tqwSetTimeout(client, session->directoryTimeout);
      session->directoryConnectionTimeout = session->directoryTimeout;
    }
    const uint32_t version = route->directoryVersion;
    TQStub stub = tqStubOf(TQProgram::kDirectory, version, procedure);
    void* result = stub != nullptr ? stub(arg, client) : nullptr;
    if (result != nullptr) {
      if (version == 1) {
        *answer = {*static_cast<uint32_t*>(result), 0};
      } else {
        *answer = *static_cast<TQDirectoryAnswer*>(result);
      }
      failure.clear();
      return true;
    }

    failure = tqwCallErrorReason(client);
    if (retried) {
      destroyDirectory(session);
      return false;
    }
    const int status = normalised(tqwCallStatus(client));
    destroyDirectory(session);
    if (status == kTQRpcTimedOut) return false;
    if (mismatch(status) && version == 2) {
      route->directoryVersion = 1;
      if (directoryCall(session, server, procedure, arg, false, answer)) return true;
      if (TQServerRouteStruct* r = tqFindRoute(session, server)) r->directoryVersion = 2;
      return false;
    }
    retried = true;
  }
}

// An error with a signed number as its appended text.
uint32_t appendDecimal(TQStatusList* status, int32_t message, int32_t number) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", number);
  TQAppendStatus(status, TQ_MSG_ERROR, message, text);
  return TQ_RETURN_ERROR;
}

bool usableServer(const char* server) {
  return server != nullptr && server[0] != '\0';
}

}  // namespace

// ------------------------------------------------------------------- routes

TQServerRouteStruct* tqFindRoute(TQSessionStruct* session, const char* server) {
  if (session->currentRoute != nullptr && sameServer(session->currentRoute->server, server)) {
    return session->currentRoute;
  }
  for (TQServerRouteStruct* r = session->routes; r != nullptr; r = r->next) {
    if (sameServer(r->server, server)) {
      session->currentRoute = r;
      return r;
    }
  }
  return nullptr;
}

TQServerRouteStruct* tqFindOrCreateRoute(TQSessionStruct* session, const char* server) {
  if (TQServerRouteStruct* found = tqFindRoute(session, server)) return found;
  auto* route = static_cast<TQServerRouteStruct*>(std::calloc(1, sizeof(TQServerRouteStruct)));
  if (route == nullptr) return nullptr;
  copyServer(route->server, server);
  route->directoryVersion = 2;
  route->next = session->routes;
  session->routes = route;
  session->rebalancePending = 0;
  session->currentRoute = route;
  return route;
}

void tqFreeRoutes(TQSessionStruct* session) {
  while (session->routes != nullptr) {
    TQServerRouteStruct* next = session->routes->next;
    std::free(session->routes);
    session->routes = next;
  }
  session->currentRoute = nullptr;
}

void tqCloseDirectory(TQSessionStruct* session) {
  destroyDirectory(session);
  session->directoryServer[0] = '\0';
  session->directoryConnectionTimeout = 0;
}

// ------------------------------------------------------------------ queries

std::string tqDirectoryFailure() {
  return failure;
}

void tqClearDirectoryFailure() {
  failure.clear();
}

bool tqDirectoryDefault(TQControlStruct* control, const char* server, uint32_t* program,
                        uint32_t* port) {
  if (!usableServer(server)) return false;
  *program = kTQDefaultProgram;
  *port = 0;
  uint32_t zero = 0;
  TQDirectoryAnswer answer{};
  if (!directoryCall(control->session, server, kProcDefault, &zero, false, &answer)) return false;
  *program = answer.program;
  *port = answer.port;
  return true;
}

bool tqDirectoryGeneral(TQControlStruct* control, const char* server, uint32_t* program,
                        uint32_t* port) {
  *program = kTQDefaultProgram;
  if (!usableServer(server)) return false;
  uint32_t zero = 0;
  TQDirectoryAnswer answer{};
  if (!directoryCall(control->session, server, kProcGeneral, &zero, false, &answer)) return false;
  *program = answer.program;
  *port = answer.port;
  return true;
}

bool tqDirectoryQuery(TQControlStruct* control, const char* server, const char* schema,
                      const TQQualifierStruct* qualifier, uint32_t* program, uint32_t* port) {
  *program = kTQDefaultProgram;
  if (!usableServer(server)) return false;
  if (schema != nullptr && (schema[0] == '\0' || std::strlen(schema) > kMaxSchemaName)) {
    return false;
  }
  TQDirectoryQueryArgs args{};
  args.schema = const_cast<char*>(schema != nullptr ? schema : "");
  if (qualifier != nullptr) args.qualifier = *qualifier;  // operation 0 otherwise
  TQDirectoryAnswer answer{};
  if (!directoryCall(control->session, server, kProcQuery, &args, false, &answer)) return false;
  *program = answer.program;
  *port = answer.port;
  return true;
}

// ----------------------------------------------------------- TQSetServerPort

extern "C" uint32_t TQSetServerPort(TQControlStruct* control, const char* server, int32_t port,
                                    int32_t program, TQStatusList* status) {
  return tqGuarded(status, [&]() -> uint32_t {
    TQSessionStruct* session = nullptr;
    uint32_t code = tqFrameStart(control, status, &session);
    if (code != kTQFrameGoOn) return code;
    const bool privateProgram = program >= 390680 && program <= 390694;
    if (program != 0 && program != static_cast<int32_t>(kTQDefaultProgram) && !privateProgram) {
      return appendDecimal(status, kTQMsgBadProgram, program);
    }
    if (port != 0 && (port < 1 || port > 65535)) {
      return appendDecimal(status, kTQMsgBadPort, port);
    }
    if (server == nullptr) server = "";
    TQServerRouteStruct* route = tqFindOrCreateRoute(session, server);
    if (route == nullptr) return tqOutOfMemory(status);
    for (TQChannelStruct& channel : session->channels) {
      if (sameServer(channel.server, server)) {
        channel.server[0] = '\0';
        channel.program = 0;
      }
    }
    for (uint32_t& resolved : route->resolvedProgram)
      resolved = 0;
    route->defaultPort = 0;
    route->privatePort = 0;
    if (privateProgram) {
      route->privatePort = static_cast<uint32_t>(port);
    } else {
      route->defaultPort = static_cast<uint32_t>(port);
    }
    route->configuredProgram = static_cast<uint32_t>(program);
    return TQ_RETURN_OK;
  });
}
