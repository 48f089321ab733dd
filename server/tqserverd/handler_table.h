// The table of handlers of the server program, by procedure number and
// protocol version. Each family of operations keeps its handlers in a file
// of its own (handlers_session.cpp, ...) and lists them in a function that
// handler_families.h declares; handler_table.cpp joins the families.
//
// A handler receives the decoded argument record and a zeroed result record
// of the procedure's in-memory types (rpc/procedure_records.h), and serves
// every version in which the procedure table gives those types; the shared
// dispatch (server_dispatch.cpp) has checked the call header, filled the
// result's header and will encode and free both records afterwards. A
// handler fills the result's outputs and adds status items with addStatus;
// everything it hangs into the result must be allocated with malloc, since
// the result routine releases it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "call.h"
#include "rpc/procedures.h"

namespace tqsd {

// A handler serves its procedure in every protocol version whose argument
// and result records (in the procedure table) are its own A and R.
struct Handler {
  uint32_t procedure;
  void (*run)(Call& call, void* args, void* result);
  TQRecordType argType;
  TQRecordType resultType;
};

namespace detail {

template <class A, class R, void (*F)(Call&, A&, R&)>
void runTyped(Call& call, void* args, void* result) {
  F(call, *static_cast<A*>(args), *static_cast<R*>(result));
}

}  // namespace detail

// The handler F of a procedure, for the versions whose records are A and R.
template <class A, class R, void (*F)(Call&, A&, R&)>
constexpr Handler handler(uint32_t procedure) {
  return {procedure, detail::runTyped<A, R, F>, &kTQRecordTag<A>, &kTQRecordTag<R>};
}

// The handler of a procedure in a version, or nullptr.
const Handler* findHandler(uint32_t procedure, uint32_t version);

// Checks every handler against the procedure table: it serves at least one
// version, and no version of a procedure has two handlers. On a mismatch
// returns false with the reason.
bool checkHandlers(std::string* error);

}  // namespace tqsd
