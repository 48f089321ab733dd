// Turns a status list returned by the client library into one message text.
#pragma once

#include <string>

#include "tqlink.h"

namespace tixgrab {

// "NOTE: ", "WARNING: ", "ERROR: " or "NB: " + text [+ " [" + appended + "]"]
// + " (message no. N)" per item, items joined with ". ".
std::string formatStatusList(const TQStatusList& status);

}  // namespace tixgrab
