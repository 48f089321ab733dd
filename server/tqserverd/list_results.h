// The results of chunked procedures that are still being fetched, and the
// continuation values that name them.
//
// The first request of a chunked call (continuation value 0) computes the
// whole result, answers its first chunk and keeps the rest here under a
// fresh random continuation value; every later request names it with the
// value of the previous answer and gets the next chunk under a new value,
// so a value works once. A value is honoured only for its owner: the same
// user, in the same call (the call header's operation time, which a client
// keeps for all chunks of a call) of the same procedure and program. Any
// other value is refused with 9391, so that no client can read another's
// results by guessing or replaying values. Results not asked for within ten
// minutes are dropped, and so are the oldest when too many are kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "call.h"

namespace tqsd {

inline constexpr int32_t kMsgBadContinuation = 9391;

// A kept result: what remains to be answered, in the procedure's own form.
class PendingList {
 public:
  virtual ~PendingList() = default;
};

// The bytes one answer may hold besides its header, counts and status: the
// client's response size (the request header's reserved word; 20000 when
// 0), or less with --set lists.chunk-bytes=N (small chunks for tests).
size_t chunkBudget(const Call& call);

// Serves one request of a chunked procedure. `build()` computes the whole
// result for a first request (nullptr after adding an error); `fill(list,
// budget)` puts the next chunk into the call's result and returns true when
// nothing remains. Sets the answer's continuation value and last-answer flag.
template <class L, class Build, class Fill>
void serveChunks(Call& call, Build&& build, Fill&& fill);

// -- the store of kept results (used by serveChunks)

// The owner key of a call's results.
std::string resultOwner(const Call& call);
// Keeps a result; returns its continuation value (never 0).
int32_t keepResult(const std::string& owner, std::unique_ptr<PendingList> list);
// The result a continuation value names for the owner, or nullptr.
PendingList* findResult(int32_t value, const std::string& owner);
// A new continuation value for a kept result (the old one is void).
int32_t renewResult(int32_t value);
void dropResult(int32_t value);

// Faulty answers for the tests of clients, chosen with --set lists.fault=:
// "stuck" hands back the continuation value it was given, "endless" never
// says an answer is the last (answers without items follow the result),
// "miscount" gets a count of the answer wrong (values per entry of 73,
// values in the answer of 67).
enum class ListFault { kNone, kStuck, kEndless, kMiscount };
ListFault listFault(const Call& call);

template <class L, class Build, class Fill>
void serveChunks(Call& call, Build&& build, Fill&& fill) {
  TQCallHeader* answer = call.answer;
  const int32_t asked = call.header->signedReserved;
  const size_t budget = chunkBudget(call);
  const ListFault fault = listFault(call);
  answer->flag = 1;
  answer->signedReserved = 0;
  L* list = nullptr;
  std::unique_ptr<L> built;
  if (asked == 0) {
    built = build();
    list = built.get();
  } else {
    list = dynamic_cast<L*>(findResult(asked, resultOwner(call)));
    if (list == nullptr) addStatus(call, TQ_MSG_ERROR, kMsgBadContinuation);
  }
  if (list == nullptr) return;
  if (fill(*list, budget) && fault != ListFault::kEndless) {
    if (asked != 0) dropResult(asked);
    return;
  }
  answer->flag = 0;
  answer->signedReserved =
      asked == 0 ? keepResult(resultOwner(call), std::move(built)) : renewResult(asked);
  if (fault == ListFault::kStuck && asked != 0) answer->signedReserved = asked;
}

}  // namespace tqsd
