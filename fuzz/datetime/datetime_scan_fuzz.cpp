// Scans arbitrary text as a date and time. Byte 0 picks what is done with
// the rest: text to seconds outside and in time-of-day mode, the
// date-and-time and time-of-day lists, or, when the rest holds a line
// break, a scan of the text behind it by the format before it. A time
// reported as converted must lie in the 32-bit range and format again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

#include "share/apisrv/datetime.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t mode = data[0];
  const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string text = rest.substr(0, rest.find('\0'));
  struct tm tm {};
  tm.tm_year = 126;
  tm.tm_mday = 10;
  tm.tm_isdst = -1;
  switch (mode % 4) {
    case 0:
    case 1: {
      int32_t seconds = 0;
      bool interval = false;
      if (tqDtTextToSeconds(text.c_str(), mode % 4 == 1, &seconds, &interval) && !interval) {
        if (seconds < 0) std::abort();
        char buffer[128];
        tqDtFormatDateTime(buffer, sizeof buffer, seconds);
      }
      break;
    }
    case 2:
      if (tqDtScanDateTime(text.c_str(), &tm) && (tm.tm_mon < 0 || tm.tm_mon > 11)) std::abort();
      break;
    default: {
      const size_t line = text.find('\n');
      if (line == std::string::npos) {
        tqDtScanTimeOfDay(text.c_str(), &tm);
      } else {
        const std::string format = text.substr(0, line);
        const char* stop = tqDtScan(text.c_str() + line + 1, format.c_str(), &tm);
        if (stop != nullptr && (stop < text.c_str() + line + 1 || stop > text.c_str() + text.size())) {
          std::abort();
        }
      }
      break;
    }
  }
  return 0;
}
