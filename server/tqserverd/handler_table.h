// The table of handlers of the server program, by procedure number and
// protocol version. Each family of operations keeps its handlers in a file
// of its own (handlers_session.cpp, ...) and lists them in a function that
// handler_families.h declares; handler_table.cpp joins the families.
//
// A handler receives the decoded argument record and a zeroed result record
// of the procedure's in-memory types (rpc/procedure_records.h); the shared
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
#include <type_traits>

#include "call.h"

namespace tqsd {

struct Handler {
  uint32_t procedure;
  uint32_t firstVersion;
  uint32_t lastVersion;
  void (*run)(Call& call, void* args, void* result);
  TQCallHeader* (*argHeader)(void* args);  // nullptr result: no call header
  TQCallHeader* (*resultHeader)(void* result);
  TQStatusList* (*resultStatus)(void* result);
  size_t argSize;
  size_t resultSize;
};

namespace detail {

template <class R>
TQCallHeader* headerOf(void* record) {
  if constexpr (requires(R & r) { r.header; }) {
    return &static_cast<R*>(record)->header;
  } else {
    return nullptr;
  }
}

template <class R>
TQStatusList* statusOf(void* record) {
  if constexpr (std::is_same_v<R, TQStatusList>) {
    return static_cast<R*>(record);
  } else {
    return &static_cast<R*>(record)->status;
  }
}

template <class A, class R, void (*F)(Call&, A&, R&)>
void runTyped(Call& call, void* args, void* result) {
  F(call, *static_cast<A*>(args), *static_cast<R*>(result));
}

}  // namespace detail

// The handler F of a procedure for the protocol versions first to last,
// whose argument and result records are A and R in those versions.
template <class A, class R, void (*F)(Call&, A&, R&)>
constexpr Handler handler(uint32_t procedure, uint32_t firstVersion, uint32_t lastVersion) {
  return {procedure,
          firstVersion,
          lastVersion,
          detail::runTyped<A, R, F>,
          detail::headerOf<A>,
          detail::headerOf<R>,
          detail::statusOf<R>,
          sizeof(A),
          sizeof(R)};
}

// The handler of a procedure in a version, or nullptr.
const Handler* findHandler(uint32_t procedure, uint32_t version);

// Checks every handler against the procedure table: the procedure exists in
// each of its versions, has routines, and its records have the sizes the
// table gives. On a mismatch returns false with the reason.
bool checkHandlers(std::string* error);

}  // namespace tqsd
