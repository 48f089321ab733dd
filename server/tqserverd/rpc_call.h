// One RPC call as the transport received it, and its answer: the call
// message's header read from a record (or datagram), the arguments decoded
// from the rest, and the reply message encoded into bytes that the transport
// sends. The dispatch routines (server_dispatch.h) see only this.
#pragma once

#include <rpc/rpc.h>

#include <cstdint>
#include <string>

namespace tqsd {

class RpcCall {
 public:
  // What became of a record.
  enum class Parse {
    kCall,      // a call to serve
    kAnswered,  // refused by its header alone (RPC or credential mismatch); answer() holds it
    kGarbage,   // not a call message: the sender does not speak RPC
  };

  // Reads the call header from the bytes, which must outlive the call.
  // Framed answers carry the record marks of a stream connection.
  RpcCall(const char* bytes, size_t size, bool framed);
  ~RpcCall();
  RpcCall(const RpcCall&) = delete;
  RpcCall& operator=(const RpcCall&) = delete;

  Parse parse() const { return parse_; }
  uint32_t program() const { return program_; }
  uint32_t version() const { return version_; }
  uint32_t procedure() const { return procedure_; }

  // Decodes the arguments with the routine; false when they do not decode.
  bool getArgs(xdrproc_t routine, void* args);

  // The answers; the first one given counts. False when the result could
  // not be encoded (the caller is then told of a system error instead).
  bool reply(xdrproc_t routine, void* result);
  void refuseProgram();                       // program unavailable
  void refuseVersion(uint32_t low, uint32_t high);  // version mismatch, with the range served
  void refuseProcedure();                     // procedure unavailable
  void refuseArguments();                     // garbage arguments
  void refuseSystemError();                   // system error
  // No answer: a stream connection is closed, a datagram goes unanswered.
  void hangUp() { hungUp_ = true; }
  // The answer leaves this many seconds after it was made.
  void holdAnswer(double seconds) { holdSeconds_ += seconds; }

  bool answered() const { return answered_; }
  bool hungUp() const { return hungUp_; }
  double holdSeconds() const { return holdSeconds_; }
  // The encoded reply message (with record marks when framed).
  std::string& answer() { return answer_; }

 private:
  bool send(rpc_msg& message);
  void refuse(accept_stat status);
  void deny(rpc_msg& message);

  XDR decoder_{};
  bool framed_;
  Parse parse_ = Parse::kGarbage;
  uint32_t xid_ = 0;
  uint32_t program_ = 0;
  uint32_t version_ = 0;
  uint32_t procedure_ = 0;
  char credentials_[2 * MAX_AUTH_BYTES] = {};
  bool answered_ = false;
  bool hungUp_ = false;
  double holdSeconds_ = 0;
  std::string answer_;
};

}  // namespace tqsd
