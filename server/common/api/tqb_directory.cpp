// Server routes and the server's queue directory (program 390604), which
// names the program number and port of a channel.
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

    if (session->directoryConnection == nullptr || !tqSameServer(session->directoryServer, server)) {
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

bool usableServer(const char* server) {
  return server != nullptr && server[0] != '\0';
}

}  // namespace

// ------------------------------------------------------------------- routes

TQServerRouteStruct* tqFindRoute(TQSessionStruct* session, const char* server) {
  if (session->currentRoute != nullptr && tqSameServer(session->currentRoute->server, server)) {
    return session->currentRoute;
  }
  for (TQServerRouteStruct* r = session->routes; r != nullptr; r = r->next) {
    if (tqSameServer(r->server, server)) {
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
