// Checks a script before it runs and fills in the defaults of optional
// keywords. Every fault is logged; nothing stops at the first one.
#pragma once

#include "log_writer.h"
#include "script_element.h"

namespace tixgrab {

bool validateScript(ScriptElement& tixgrab, LogWriter& log);

}  // namespace tixgrab
