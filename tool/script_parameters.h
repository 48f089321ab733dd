// Reads actions given as parameters on the command line, such as
//   TQ SYSTEM=srv USER=me ADD FORM=Tasks FIELD ID=8 "Do it"
// and appends them as elements to the TIXGRAB element.
#pragma once

#include <string>

#include "log_writer.h"
#include "script_element.h"

namespace tixgrab {

// Logs a "Parameter Error: " line for every fault; false when there was one.
bool parseScriptParameters(ScriptElement& tixgrab, const std::string& text, LogWriter& log);

}  // namespace tixgrab
