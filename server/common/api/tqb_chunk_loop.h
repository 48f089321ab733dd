// The calls of a chunked transfer (attachment data, export and import):
// texts unconverted for the loop's scope, and one call of the loop with the
// control record's bookkeeping.
#pragma once

#include "api/tqb_frame.h"

// The no-conversion byte, set for a scope (when `on`) and cleared at its end.
class TQUnconverted {
 public:
  explicit TQUnconverted(TQSessionStruct* session, bool on = true) : session_(session) {
    session_->noConversion = on ? 1 : 0;
  }
  ~TQUnconverted() { session_->noConversion = 0; }
  TQUnconverted(const TQUnconverted&) = delete;
  TQUnconverted& operator=(const TQUnconverted&) = delete;

 private:
  TQSessionStruct* session_;
};

// One call of the plan's procedure with the timeout class: the reply, with
// its cache id and operation time copied to the control record; nullptr
// when the call failed (a status says why). Give the reply back with
// tqChunkCallDone.
template <class Result, class Args>
Result* tqChunkCall(const TQCallPlan& plan, TQTimeout timeout, TQSessionStruct* session,
                    TQControlStruct* control, Args& args, TQStatusList* status) {
  void* raw = nullptr;
  if (!tqDispatch(control, tqStubOf(TQProgram::kServer, kTQNewestProtocol, plan.procedure), false,
                  tqTimeoutSeconds(session, timeout), plan.timeoutMessage, plan.channel, &args,
                  &raw, status) ||
      raw == nullptr) {
    return nullptr;
  }
  auto* reply = static_cast<Result*>(raw);
  control->cacheId = reply->header.cacheId;
  control->operationTime = reply->header.operationTime;
  return reply;
}

// Releases what the reply holds and does the channel's bookkeeping after
// the call (the caller has merged the reply's statuses).
template <class Result>
void tqChunkCallDone(const TQCallPlan& plan, TQControlStruct* control, Result* reply) {
  tqReleaseResult(plan.procedure, reply);
  tqAfterCall(control, plan.channel);
}
