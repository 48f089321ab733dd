// Status and setting helpers of the handlers (see call.h).
#include "call.h"

#include "tqlink_services.h"

namespace tqsd {

void addStatus(Call& call, uint32_t messageType, int32_t messageNumber, const char* appendedText) {
  TQAppendStatus(call.status, messageType, messageNumber, appendedText);
}

void addErrorNumber(Call& call, int32_t messageNumber, uint32_t number) {
  TQAppendStatusNumber(call.status, TQ_MSG_ERROR, messageNumber, number);
}

bool withinItemLimit(Call& call, uint32_t count) {
  if (count <= kMaxRequestItems) return true;
  const std::string text =
      std::to_string(count) + " items, at most " + std::to_string(kMaxRequestItems);
  addStatus(call, TQ_MSG_ERROR, kMsgTooManyItems, text.c_str());
  return false;
}

std::string setting(const Call& call, const std::string& name, const std::string& fallback) {
  const auto& settings = call.server.options.settings;
  auto found = settings.find(name);
  return found == settings.end() ? fallback : found->second;
}

}  // namespace tqsd
