// One call as a handler sees it: who called what, the request's call header
// and the result's header and status list that the handler fills in.
#pragma once

#include <cstdint>
#include <string>

#include "rpc/procedure_records.h"
#include "server_context.h"

namespace tqsd {

struct Call {
  ServerContext& server;
  uint32_t program = 0;  // 390600 or a query program
  uint32_t version = 0;
  uint32_t procedure = 0;
  const TQCallHeader* header = nullptr;  // the request's; nullptr for procedures 90 to 93
  TQCallHeader* answer = nullptr;        // the result's; nullptr for procedures 90 to 93
  TQStatusList* status = nullptr;        // the result's status list
};

// Appends a status item to the call's result; the message text is the
// catalog text of the number.
void addStatus(Call& call, uint32_t messageType, int32_t messageNumber,
               const char* appendedText = nullptr);

// An error item with the decimal form of a number as the appended text.
void addErrorNumber(Call& call, int32_t messageNumber, uint32_t number);

// The most items a request list (codes, field ids, field values) may hold.
// Far above what a real request needs, it keeps the work of one call (and
// the status items it may add) bounded.
inline constexpr uint32_t kMaxRequestItems = 10000;
inline constexpr int32_t kMsgTooManyItems = 9359;  // appended: "N items, at most M"

// True when a request list of `count` items is within kMaxRequestItems;
// otherwise adds error 9359 and returns false.
bool withinItemLimit(Call& call, uint32_t count);

// The value of a --set NAME=VALUE switch, or `fallback` when it was not given.
std::string setting(const Call& call, const std::string& name, const std::string& fallback = "");

}  // namespace tqsd
