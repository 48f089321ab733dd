#include "timestamp.h"

#include <cstdio>

namespace tixgrab {

std::string formatTimestamp(std::time_t time, char dateSeparator, char timeSeparator,
                            bool yearFirst) {
  std::tm local{};
  localtime_r(&time, &local);
  char buffer[64];
  if (yearFirst) {
    std::snprintf(buffer, sizeof buffer, "%04d%c%02d%c%02d %02d%c%02d%c%02d", local.tm_year + 1900,
                  dateSeparator, local.tm_mon + 1, dateSeparator, local.tm_mday, local.tm_hour,
                  timeSeparator, local.tm_min, timeSeparator, local.tm_sec);
  } else {
    std::snprintf(buffer, sizeof buffer, "%02d%c%02d%c%04d %02d%c%02d%c%02d", local.tm_mday,
                  dateSeparator, local.tm_mon + 1, dateSeparator, local.tm_year + 1900,
                  local.tm_hour, timeSeparator, local.tm_min, timeSeparator, local.tm_sec);
  }
  return buffer;
}

std::string formatLogTimestamp(std::time_t time) {
  return formatTimestamp(time, '-', ':', true);
}

}  // namespace tixgrab
