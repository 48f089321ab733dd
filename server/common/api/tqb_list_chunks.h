// The chunked calls of the list operations: the same procedure is called
// again and again, each request carrying the continuation value and the
// cache id of the previous answer, until an answer says it is the last one.
// The operation's `absorb` takes each answer's items into what it collects.
//
// The loop ends with an error (and the operation releases what it
// collected) when the server's answers cannot be trusted to end: an answer
// that is not the last but hands back the continuation value it was sent,
// or one that brings nothing. Collections grow geometrically (TQGrowable),
// so that joining many chunks stays linear in the size of the result.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#include "api/tqb_frame.h"
#include "rpc/procedure_records_defs.h"
#include "share/apisrv/memory.h"

// What an answer leads to.
enum class TQChunkStep : uint8_t {
  kMore,  // taken; ask for the next answer unless this one was the last
  kEnd,   // taken; the loop ends here (an error answer, or only one was wanted)
  kFail,  // a status item was added; the operation fails and releases what it collected
};

// How a chunk loop ended: ok (the results may be handed over) or failed
// (the dispatch or an answer failed; the status list says why).
struct TQChunkEnd {
  bool ok = false;
};

// The messages of answers that cannot be trusted.
inline constexpr int32_t kTQMsgAnswerInconsistent = 8940;  // the counts disagree with the contents
inline constexpr int32_t kTQMsgAnswersDoNotEnd = 8941;     // no progress, or more than can be held
inline constexpr int32_t kTQMsgContinuationStuck = 8942;   // the continuation value did not advance

// Runs the loop of one chunked operation. `fill(Args&)` fills the
// arguments after the header (once: every request sends the same ones);
// `absorb(Result&, bool last)` takes one answer over and says what follows.
// The server's status list of every answer is merged into `status`; the
// control record gets the cache id and time of each answer.
template <class Args, class Result, class Fill, class Absorb>
TQChunkEnd tqChunkLoop(const TQCallPlan& plan, TQSessionStruct* session, TQControlStruct* control,
                       TQStatusList* status, Fill&& fill, Absorb&& absorb) {
  Args args{};
  if (tqPrepareCallHeader(control, plan.channel, &args.header, status) >= TQ_RETURN_ERROR) {
    tqReleaseCallHeader(&args.header);
    return {};
  }
  fill(args);
  args.header.reserved = static_cast<uint32_t>(session->responseSize);
  args.header.signedReserved = 0;
  if (tqRecordingOn(session)) tqRecordCall(session, plan, &args);
  TQChunkEnd end;
  for (;;) {
    void* raw = nullptr;
    const bool dispatched =
        tqDispatch(control, tqStubOf(TQProgram::kServer, kTQNewestProtocol, plan.procedure), false,
                   tqTimeoutSeconds(session, plan.timeout), plan.timeoutMessage, plan.channel,
                   &args, &raw, status);
    if (!dispatched || raw == nullptr) break;
    auto* result = static_cast<Result*>(raw);
    const bool last = result->header.flag != 0;
    control->cacheId = result->header.cacheId;
    control->operationTime = result->header.operationTime;
    if (!last && result->header.signedReserved == args.header.signedReserved) {
      TQMergeStatus(&result->status, status, status);
      tqReleaseResult(plan.procedure, result);
      TQAppendStatusNumber(status, TQ_MSG_ERROR, kTQMsgContinuationStuck,
                           static_cast<uint32_t>(args.header.signedReserved));
      break;
    }
    args.header.signedReserved = result->header.signedReserved;
    args.header.cacheId = result->header.cacheId;
    if (tqRecordingOn(session)) tqRecordOutputs(session, plan, result);
    const TQChunkStep step = absorb(*result, last);
    TQMergeStatus(&result->status, status, status);
    tqReleaseResult(plan.procedure, result);
    if (step == TQChunkStep::kFail) break;
    if (step == TQChunkStep::kEnd || last) {
      end.ok = true;
      break;
    }
  }
  tqReleaseCallHeader(&args.header);
  return end;
}

// A collected array of T in a tqMem block, grown geometrically. The block is
// handed to the caller with take(); whatever is still held is the owner's to
// release (items first, see the operations).
template <class T>
struct TQGrowable {
  T* items = nullptr;
  uint32_t count = 0;
  uint32_t capacity = 0;

  // Room for `more` further items: false when the count would pass what a
  // list can hold, or memory ran out (nothing changed then).
  bool reserve(uint64_t more) {
    const uint64_t wanted = uint64_t{count} + more;
    if (wanted > UINT32_MAX) return false;
    if (wanted <= capacity) return true;
    uint64_t grown = std::max<uint64_t>(wanted, uint64_t{capacity} * 2);
    grown = std::max<uint64_t>(grown, 16);
    if (grown > UINT32_MAX) grown = UINT32_MAX;
    void* block = tqMemRealloc(items, static_cast<size_t>(grown) * sizeof(T));
    if (block == nullptr) return false;
    items = static_cast<T*>(block);
    capacity = static_cast<uint32_t>(grown);
    return true;
  }
  // Appends by plain copy (the item's blocks now belong to the collection).
  void append(const T* from, uint32_t n) {
    if (n == 0) return;
    std::memcpy(static_cast<void*>(items + count), from, size_t{n} * sizeof(T));
    count += n;
  }
  T& back() { return items[count - 1]; }
  // Hands the block over; the collection is empty afterwards.
  T* take() {
    T* out = items;
    items = nullptr;
    count = capacity = 0;
    return out;
  }
};
