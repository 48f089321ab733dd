// One remote call over a stream (TCP) connection, made here rather than by
// the runtime's call, so that the call is bounded as a whole:
//  - the timeout is a deadline for the whole call, sending and receiving,
//    however slowly a peer trickles its bytes;
//  - a reply may hold at most a given number of bytes; it is received into
//    memory before anything is decoded, so no count in it can make the
//    decoder allocate more than the reply holds;
//  - a reply is a success only when it was received whole and its result
//    decoded; empty record fragments, a connection closed inside a reply and
//    undecodable replies are broken replies;
//  - the request is encoded in full before its first byte is sent, so a
//    request that cannot be encoded never reaches the server, and the caller
//    learns whether the server may have received the request.
// Internal to tqwire.
#pragma once

#include <rpc/rpc.h>

#include <cstddef>
#include <cstdint>
#include <string>

struct TQCallOutcome {
  enum clnt_stat status = RPC_SUCCESS;
  int error = 0;             // errno of a failed send or receive
  bool sent = false;         // the whole request went out on the connection
  bool answered = false;     // a reply of the server was received and read
  std::string detail;        // what was wrong with a broken reply
};

struct TQStreamCall {
  int fd;
  uint32_t program;
  uint32_t version;
  uint32_t procedure;
  AUTH* auth;  // may be nullptr: no credentials
  xdrproc_t encodeArgs;
  void* args;
  xdrproc_t decodeResult;
  void* result;
  timeval timeout;
  size_t maxReplyBytes;
};

TQCallOutcome tqwStreamCall(const TQStreamCall& call);
