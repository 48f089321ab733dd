// Small text operations whose exact rules show in the tool's output.
#pragma once

#include <string>
#include <string_view>

namespace tixgrab {

// Removes blanks and tabs (not line breaks) at both ends.
std::string trim(std::string_view text);

// ASCII upper case; other bytes are kept.
std::string toUpper(std::string_view text);

// Compares two texts without regard to ASCII case.
bool equalsNoCase(std::string_view a, std::string_view b);

// Replaces every occurrence of pattern (found without regard to case) by
// replacement, left to right, without re-scanning replaced text.
std::string replaceAllNoCase(std::string_view text, std::string_view pattern,
                             std::string_view replacement);

// Converts the leading integer of a text as the C library's atol does with a
// 32-bit long (the records' width): out-of-range values saturate.
long toLong(const std::string& text);

// Converts the leading number of a text as the C library's atof does.
double toDouble(const std::string& text);

// Copies at most maxChars characters of text into a fixed character field of
// maxChars + 1 bytes and terminates it.
void copyCut(char* field, std::string_view text, size_t maxChars);

}  // namespace tixgrab
