// The call frame that every exported operation of tqlink passes through:
//
//   clear outputs -> reset status -> find session -> check arguments ->
//   record the call -> prepare the call header -> fill the arguments ->
//   dispatch -> take the results over -> merge the server's status ->
//   bookkeeping -> record the results -> return the most severe type.
//
// An operation that calls the server is written as one call of
// tqFrameOperation with its call description (procedure, channel, timeout
// class and timeout message) and four small callables:
//
//   uint32_t TQGetThing(TQControlStruct* control, const char* name,
//                       TQThing* out, TQStatusList* status) {
//     return tqFrameOperation<TQGetThingArgs, TQGetThingResult>(
//         kGetThingCall, control, status,
//         [&] { tqClearOutput(out); },                              // 1. outputs
//         [&] { return tqCheckArgsControlName(control, name, status); },  // checks
//         [&](TQGetThingArgs& a) { a.name = const_cast<char*>(name); },   // arguments
//         [&](TQGetThingResult& r) { tqTakeOver(out, &r.thing); });       // results
//   }
//
// The argument record starts with the call header, the result record with
// the call header and ends with `status`. What the take-over leaves in the
// result is released with the procedure's routines, so the take-over only
// moves what it hands to the caller (and clears it in the result).
#pragma once

#include <cstdint>
#include <new>
#include <type_traits>
#include <utility>

#include "api/tqb_dispatch.h"
#include "api/tqb_session.h"
#include "rpc/procedure_records.h"
#include "rpc/stubs.h"
#include "tqlink.h"
#include "tqlink_services.h"

// What an operation's call is: the procedure (version-6 number), the
// channel, the timeout class and the message a time-out reports.
struct TQCallPlan {
  const char* name;  // the operation's name, as recorded
  uint32_t procedure;
  int channel;
  TQTimeout timeout;
  int32_t timeoutMessage;
};

// The call plan of a procedure as the procedure table gives it, under the
// operation's own name when it shares the procedure with another. A
// procedure without a row does not compile where the plan is a constant.
constexpr TQCallPlan tqCallPlan(uint32_t procedure, const char* name) {
  const int row = tqProcedureRow(procedure);
  if (row < 0) throw "the procedure table has no such procedure";
  const TQProcedureInfo& info = kTQServerProcedures[row];
  return {name, procedure, info.channel, info.timeout, info.timeoutMessage};
}
constexpr TQCallPlan tqCallPlan(uint32_t procedure) {
  const int row = tqProcedureRow(procedure);
  if (row < 0) throw "the procedure table has no such procedure";
  return tqCallPlan(procedure, kTQServerProcedures[row].name);
}

// ----------------------------------------------------------------- pieces

// Steps 2 and 3 of the frame: no status list gives 4; otherwise the list is
// emptied and the session looked up (none gives 3). kTQFrameGoOn when the
// operation goes on with *session set.
inline constexpr uint32_t kTQFrameGoOn = UINT32_MAX;
uint32_t tqFrameStart(TQControlStruct* control, TQStatusList* status, TQSessionStruct** session);

// Empties a status list without releasing anything (the frame's reset).
void tqResetStatus(TQStatusList* status);

// The session's timeout of a class, in seconds.
int32_t tqTimeoutSeconds(const TQSessionStruct* session, TQTimeout timeout);

// Call recording (api/log*.cpp, api/apiprint*.cpp): the frame asks whether
// recording is on, hands over each call's argument record before it is
// sent and its result record before the outputs are taken over, then the
// results. Operations without an argument record name themselves only.
bool tqRecordingOn(const TQSessionStruct* session);
void tqRecordCall(TQSessionStruct* session, const char* name);
void tqRecordCall(TQSessionStruct* session, const TQCallPlan& plan, const void* args);
void tqRecordOutputs(TQSessionStruct* session, const TQCallPlan& plan, const void* result);
void tqRecordResults(TQSessionStruct* session, const char* name, uint32_t code,
                     const TQStatusList* status);
// Starts recording with the default files (TQAPILOGGING); pause records the
// think time between calls. Stop closes the files again.
void tqRecordStart(TQSessionStruct* session, bool pause);
void tqRecordStop(TQSessionStruct* session);

// Runs an exported operation's body so that no exception leaves it: an
// allocation failure becomes error 154, anything else error 154 as well
// (there is no other way to report it), with code 2.
template <class Body>
uint32_t tqGuarded(TQStatusList* status, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    if (status == nullptr) return TQ_RETURN_BAD_STATUS;
    return tqOutOfMemory(status);
  }
}

// ------------------------------------------------------------- the frame

// Steps 6 to 10 for one call: prepare the header of the call's channel,
// fill the arguments, dispatch, and on success take over the control
// record's cache id and time, the results and the status, then the
// bookkeeping. `fill(Args&)` may return a code (2 or more stops the call)
// or nothing; `takeOver(Result&)` moves the results to the caller. With
// `recorded` the call is the operation's own and goes to the logs.
template <class Args, class Result, class Fill, class TakeOver>
uint32_t tqFrameCall(const TQCallPlan& plan, TQSessionStruct* session, TQControlStruct* control,
                     TQStatusList* status, Fill&& fill, TakeOver&& takeOver,
                     bool recorded = false) {
  Args args{};
  uint32_t code = tqPrepareCallHeader(control, plan.channel, &args.header, status);
  if (code >= TQ_RETURN_ERROR) {
    tqReleaseCallHeader(&args.header);
    return code;
  }
  if constexpr (std::is_same_v<decltype(fill(args)), void>) {
    fill(args);
  } else {
    code = fill(args);
    if (code >= TQ_RETURN_ERROR) {
      tqReleaseCallHeader(&args.header);
      return code;
    }
  }
  if (recorded && tqRecordingOn(session)) tqRecordCall(session, plan, &args);
  void* raw = nullptr;
  const bool ok =
      tqDispatch(control, tqStubOf(TQProgram::kServer, kTQNewestProtocol, plan.procedure), false,
                 tqTimeoutSeconds(session, plan.timeout), plan.timeoutMessage, plan.channel, &args,
                 &raw, status);
  tqReleaseCallHeader(&args.header);
  if (!ok || raw == nullptr) return TQ_RETURN_ERROR;
  auto* result = static_cast<Result*>(raw);
  control->cacheId = result->header.cacheId;
  control->operationTime = result->header.operationTime;
  if (recorded && tqRecordingOn(session)) tqRecordOutputs(session, plan, result);
  takeOver(*result);
  TQMergeStatus(&result->status, status, status);
  tqReleaseResult(plan.procedure, result);
  tqAfterCall(control, plan.channel);
  return tqTopStatus(status);
}

// The frame around an operation's calls: outputs cleared, status reset,
// session found and arguments checked; then `run(session)` makes the calls
// (one, or a loop of chunks), records the request it sends and returns the
// code, and the results are recorded.
template <class Clear, class Check, class Run>
uint32_t tqFrameRun(const TQCallPlan& plan, TQControlStruct* control, TQStatusList* status,
                    Clear&& clear, Check&& check, Run&& run) noexcept {
  return tqGuarded(status, [&]() -> uint32_t {
    clear();
    TQSessionStruct* session = nullptr;
    uint32_t code = tqFrameStart(control, status, &session);
    if (code != kTQFrameGoOn) return code;
    code = check();
    if (code >= TQ_RETURN_ERROR) return code;
    code = run(session);
    if (tqRecordingOn(session)) tqRecordResults(session, plan.name, code, status);
    return code;
  });
}

// The whole frame of an operation that makes one call (see the top of this
// file). `clear()` clears the outputs; `check()` returns the argument
// checks' result.
template <class Args, class Result, class Clear, class Check, class Fill, class TakeOver>
uint32_t tqFrameOperation(const TQCallPlan& plan, TQControlStruct* control, TQStatusList* status,
                          Clear&& clear, Check&& check, Fill&& fill, TakeOver&& takeOver) noexcept {
  return tqFrameRun(plan, control, status, std::forward<Clear>(clear), std::forward<Check>(check),
                    [&](TQSessionStruct* session) {
                      return tqFrameCall<Args, Result>(plan, session, control, status,
                                                       std::forward<Fill>(fill),
                                                       std::forward<TakeOver>(takeOver), true);
                    });
}
