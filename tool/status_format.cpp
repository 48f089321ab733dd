#include "status_format.h"

namespace tixgrab {

namespace {

const char* prefixFor(uint32_t messageType) {
  switch (messageType) {
    case TQ_MSG_NOTE:
      return "NOTE: ";
    case TQ_MSG_WARNING:
      return "WARNING: ";
    case TQ_MSG_ERROR:
      return "ERROR: ";
    default:
      return "NB: ";
  }
}

}  // namespace

std::string formatStatusList(const TQStatusList& status) {
  std::string text;
  if (!status.statusList) return text;
  for (uint32_t i = 0; i < status.numItems; ++i) {
    const TQStatusStruct& item = status.statusList[i];
    if (!text.empty()) text += ". ";
    text += prefixFor(item.messageType);
    if (item.messageText) text += item.messageText;
    if (item.appendedText) {
      text += " [";
      text += item.appendedText;
      text += "]";
    }
    text += " (message no. " + std::to_string(item.messageNumber) + ")";
  }
  return text;
}

}  // namespace tixgrab
