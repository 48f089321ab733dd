// The platform's text for an error number, cleaned for one-line messages.
#pragma once

#include <string>

namespace tixgrab {

// The message for errnum (at most 511 characters) with carriage returns, line
// feeds and tabs turned into blanks and blanks trimmed; empty when there is
// no text.
std::string systemErrorText(int errnum);

}  // namespace tixgrab
