// Display texts of values returned by the library.
#pragma once

#include <string>

#include "tqlink.h"

namespace tixgrab {

// A real number rounded to 12 decimal places, without trailing fraction
// zeros, ending in '.' when there is no fraction ("5."), with at most 15
// significant digits (digits beyond them: zeros in the integer part, dropped
// in the fraction); 10^30 and above in general notation with 16 digits.
std::string formatReal(double value);

// The text of one value as the tool prints it: "[NULL]", numbers in signed
// decimal, texts as they are, "[?]" for byte lists, attachments and others.
std::string valueText(const TQValueStruct& value);

}  // namespace tixgrab
