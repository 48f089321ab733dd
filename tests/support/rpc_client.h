// A plain RPC client for tests that talk to a server below the library: one
// TCP connection to 127.0.0.1 on a port, calls made with the wire routines of
// the procedure table, and the current session those routines need.
#pragma once

#include <rpc/rpc.h>

#include <chrono>
#include <cstdint>

#include "rpc/procedures.h"

struct TQSessionStruct;

namespace tqtest {

// Makes a session with equal client and server character sets the calling
// thread's current one for the scope's life (the wire routines then pass
// texts through unconverted), and restores the previous one.
class WireSession {
 public:
  WireSession();
  ~WireSession();
  WireSession(const WireSession&) = delete;
  WireSession& operator=(const WireSession&) = delete;

 private:
  TQSessionStruct* session_;
  TQSessionStruct* previous_;
};

class RpcClient {
 public:
  // Connects; throws std::runtime_error when no connection can be made.
  RpcClient(uint16_t port, uint32_t program, uint32_t version,
            std::chrono::seconds timeout = std::chrono::seconds(60));
  ~RpcClient();
  RpcClient(const RpcClient&) = delete;
  RpcClient& operator=(const RpcClient&) = delete;

  CLIENT* handle() { return client_; }
  uint32_t version() const { return version_; }

  // One call with any routines; the result record must be zeroed.
  clnt_stat call(uint32_t procedure, tqx::Proc encodeArgs, void* args, tqx::Proc decodeResult,
                 void* result);

  // One call of a procedure of the server program (or, with kDirectory, of
  // the directory) in this client's version, with the table's routines.
  clnt_stat call(TQProgram program, uint32_t procedure, void* args, void* result);

  // The error of the last call.
  rpc_err lastError();

  void setTimeout(std::chrono::seconds timeout);

 private:
  CLIENT* client_ = nullptr;
  uint32_t version_;
};

// Releases what a decode hung below a record, with the record's routine.
void releaseRecord(tqx::Proc routine, void* record);

}  // namespace tqtest
