#include "system_error.h"

#include <cstring>

#include "text_util.h"

namespace tixgrab {

std::string systemErrorText(int errnum) {
  char buffer[512] = {};
  // The GNU variant may return a static text instead of filling the buffer.
  const char* text = strerror_r(errnum, buffer, sizeof buffer);
  std::string result = text ? std::string(text).substr(0, 511) : std::string();
  for (char& c : result) {
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  }
  return trim(result);
}

}  // namespace tixgrab
