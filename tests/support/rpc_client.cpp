// The plain RPC client of the tests (see rpc_client.h).
#include "rpc_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <stdexcept>
#include <string>

#include "api/tqb_session.h"

namespace tqtest {

WireSession::WireSession() : session_(new TQSessionStruct), previous_(tqCurrentSession()) {
  session_->clientCodePage = 0;
  session_->serverCodePage = 0;
  tqSetCurrentSession(session_);
}

WireSession::~WireSession() {
  tqSetCurrentSession(previous_);
  delete session_;
}

RpcClient::RpcClient(uint16_t port, uint32_t program, uint32_t version,
                     std::chrono::seconds timeout)
    : version_(version) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int sock = RPC_ANYSOCK;
  client_ = clnttcp_create(&address, program, version, &sock, 0, 0);
  if (client_ == nullptr) {
    throw std::runtime_error(std::string("no connection: ") + clnt_spcreateerror("clnttcp_create"));
  }
  setTimeout(timeout);
}

RpcClient::~RpcClient() {
  if (client_ != nullptr) clnt_destroy(client_);
}

clnt_stat RpcClient::call(uint32_t procedure, tqx::Proc encodeArgs, void* args,
                          tqx::Proc decodeResult, void* result) {
  timeval unused{25, 0};  // the timeout set on the client governs
  return clnt_call(client_, procedure, reinterpret_cast<xdrproc_t>(encodeArgs),
                   static_cast<caddr_t>(args), reinterpret_cast<xdrproc_t>(decodeResult),
                   static_cast<caddr_t>(result), unused);
}

clnt_stat RpcClient::call(TQProgram program, uint32_t procedure, void* args, void* result) {
  const TQProcedure* p = tqFindProcedure(program, version_, procedure);
  if (p == nullptr || !tqHasRoutines(*p)) {
    throw std::logic_error("no routines for procedure " + std::to_string(procedure));
  }
  return call(procedure, p->xdrArgs, args, p->xdrResult, result);
}

rpc_err RpcClient::lastError() {
  rpc_err error{};
  clnt_geterr(client_, &error);
  return error;
}

void RpcClient::setTimeout(std::chrono::seconds timeout) {
  timeval tv{static_cast<time_t>(timeout.count()), 0};
  clnt_control(client_, CLSET_TIMEOUT, reinterpret_cast<char*>(&tv));
}

void releaseRecord(tqx::Proc routine, void* record) {
  XDR freer{};
  freer.x_op = XDR_FREE;
  routine(&freer, record);
}

}  // namespace tqtest
