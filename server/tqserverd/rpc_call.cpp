// Call messages and reply messages (see rpc_call.h).
#include "rpc_call.h"

#include <new>

namespace tqsd {
namespace {

constexpr rpcvers_t kRpcVersion = 2;

// Room for the encoded reply of a datagram: the largest a UDP message can be.
constexpr size_t kMaxDatagram = 65507;

// The record stream's output: every full buffer (and the last, partly
// filled one) is appended to the string the stream was made with.
int appendBytes(void* handle, void* data, int length) {
  try {
    static_cast<std::string*>(handle)->append(static_cast<const char*>(data),
                                              static_cast<size_t>(length));
    return length;
  } catch (const std::bad_alloc&) {
    return -1;
  }
}

int noInput(void*, void*, int) {
  return -1;
}

rpc_msg replyTo(uint32_t xid) {
  rpc_msg message{};
  message.rm_xid = xid;
  message.rm_direction = REPLY;
  return message;
}

}  // namespace

RpcCall::RpcCall(const char* bytes, size_t size, bool framed) : framed_(framed) {
  xdrmem_create(&decoder_, const_cast<char*>(bytes), static_cast<u_int>(size), XDR_DECODE);
  rpc_msg message{};
  // The credential and verifier bodies (at most MAX_AUTH_BYTES each, which
  // the decoder checks) go into the call's own room.
  message.rm_call.cb_cred.oa_base = credentials_;
  message.rm_call.cb_verf.oa_base = credentials_ + MAX_AUTH_BYTES;
  if (!xdr_callmsg(&decoder_, &message) || message.rm_direction != CALL) return;
  xid_ = static_cast<uint32_t>(message.rm_xid);
  program_ = static_cast<uint32_t>(message.rm_call.cb_prog);
  version_ = static_cast<uint32_t>(message.rm_call.cb_vers);
  procedure_ = static_cast<uint32_t>(message.rm_call.cb_proc);
  if (message.rm_call.cb_rpcvers != kRpcVersion) {
    rpc_msg answer = replyTo(xid_);
    answer.rm_reply.rp_stat = MSG_DENIED;
    answer.rjcted_rply.rj_stat = RPC_MISMATCH;
    answer.rjcted_rply.rj_vers.low = kRpcVersion;
    answer.rjcted_rply.rj_vers.high = kRpcVersion;
    deny(answer);
    return;
  }
  // The server checks the user and password of each call's own header;
  // of the RPC credentials it takes the plain kinds only.
  const enum_t flavor = message.rm_call.cb_cred.oa_flavor;
  if (flavor != AUTH_NONE && flavor != AUTH_SYS) {
    rpc_msg answer = replyTo(xid_);
    answer.rm_reply.rp_stat = MSG_DENIED;
    answer.rjcted_rply.rj_stat = AUTH_ERROR;
    answer.rjcted_rply.rj_why = AUTH_REJECTEDCRED;
    deny(answer);
    return;
  }
  parse_ = Parse::kCall;
}

RpcCall::~RpcCall() {
  xdr_destroy(&decoder_);
}

bool RpcCall::getArgs(xdrproc_t routine, void* args) {
  return parse_ == Parse::kCall && routine(&decoder_, args) != 0;
}

bool RpcCall::reply(xdrproc_t routine, void* result) {
  rpc_msg answer = replyTo(xid_);
  answer.rm_reply.rp_stat = MSG_ACCEPTED;
  answer.acpted_rply.ar_verf = _null_auth;
  answer.acpted_rply.ar_stat = SUCCESS;
  answer.acpted_rply.ar_results.where = static_cast<caddr_t>(result);
  answer.acpted_rply.ar_results.proc = routine;
  return send(answer);
}

void RpcCall::refuse(accept_stat status) {
  rpc_msg answer = replyTo(xid_);
  answer.rm_reply.rp_stat = MSG_ACCEPTED;
  answer.acpted_rply.ar_verf = _null_auth;
  answer.acpted_rply.ar_stat = status;
  send(answer);
}

void RpcCall::refuseProgram() {
  refuse(PROG_UNAVAIL);
}

void RpcCall::refuseVersion(uint32_t low, uint32_t high) {
  rpc_msg answer = replyTo(xid_);
  answer.rm_reply.rp_stat = MSG_ACCEPTED;
  answer.acpted_rply.ar_verf = _null_auth;
  answer.acpted_rply.ar_stat = PROG_MISMATCH;
  answer.acpted_rply.ar_vers.low = low;
  answer.acpted_rply.ar_vers.high = high;
  send(answer);
}

void RpcCall::refuseProcedure() {
  refuse(PROC_UNAVAIL);
}

void RpcCall::refuseArguments() {
  refuse(GARBAGE_ARGS);
}

void RpcCall::refuseSystemError() {
  refuse(SYSTEM_ERR);
}

void RpcCall::deny(rpc_msg& message) {
  send(message);
  parse_ = Parse::kAnswered;
}

bool RpcCall::send(rpc_msg& message) {
  if (answered_) return true;
  std::string bytes;
  bool encoded = false;
  XDR encoder{};
  if (framed_) {
    xdrrec_create(&encoder, 0, 0, &bytes, noInput, appendBytes);
    encoder.x_op = XDR_ENCODE;
    encoded = xdr_replymsg(&encoder, &message) != 0;
    // The stream is flushed either way; what a failed encoding left is
    // dropped with `bytes`.
    encoded = xdrrec_endofrecord(&encoder, TRUE) != 0 && encoded;
  } else {
    bytes.resize(kMaxDatagram);
    xdrmem_create(&encoder, bytes.data(), static_cast<u_int>(bytes.size()), XDR_ENCODE);
    encoded = xdr_replymsg(&encoder, &message) != 0;
    bytes.resize(encoded ? xdr_getpos(&encoder) : 0);
  }
  xdr_destroy(&encoder);
  if (!encoded) return false;
  answer_ = std::move(bytes);
  answered_ = true;
  return true;
}

}  // namespace tqsd
