// Local time as text, in the two layouts the tool knows.
#pragma once

#include <ctime>
#include <string>

namespace tixgrab {

// "YYYY-MM-DD HH:MM:SS" style (with the given separators) when yearFirst,
// else "DD-MM-YYYY HH:MM:SS".
std::string formatTimestamp(std::time_t time, char dateSeparator, char timeSeparator,
                            bool yearFirst);

// The tool's own form: year first, '-' and ':'.
std::string formatLogTimestamp(std::time_t time);

}  // namespace tixgrab
