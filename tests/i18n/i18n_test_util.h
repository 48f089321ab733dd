// Helpers shared by the multibyte text tests.
#pragma once

#include <string>

#include "share/i18n/mbutil.h"

// Converts text between two sets through tqMbConvert with a buffer of the
// advertised bound; the status is left in *status when given.
std::string Convert(const std::string& text, int from, int to,
                    TQMbBadChars mode = TQMbBadChars::kReplace, TQMbConvResult* result = nullptr);

// Converts through the system's iconv, independently of the library: the
// converted text, or "<error>" when iconv rejects the input.
std::string SystemIconv(const std::string& text, const char* from, const char* to);

// The bytes of a text as hex, for readable failure messages.
std::string Hex(const std::string& text);
