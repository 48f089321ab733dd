// Texts to seconds and times to texts, and the exported date and time
// services of tqlink_services.h.
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstring>

#include "share/apisrv/datetime_tables.h"
#include "tqlink_services.h"

namespace {

// Today's local date at 00:00:00, daylight saving left to the conversion.
struct tm todayAtMidnight() {
  const time_t now = time(nullptr);
  struct tm tm {};
  if (localtime_r(&now, &tm) == nullptr) tm = {};
  tm.tm_hour = tm.tm_min = tm.tm_sec = 0;
  tm.tm_isdst = -1;
  return tm;
}

// The seconds of a local time; false when the C library cannot convert it
// or they lie outside 0 to the largest 32-bit time.
bool toSeconds(struct tm tm, int32_t* seconds) {
  tm.tm_wday = -1;  // set by a successful conversion
  const time_t t = mktime(&tm);
  if (tm.tm_wday < 0 || t < 0 || t > INT32_MAX) return false;
  *seconds = static_cast<int32_t>(t);
  return true;
}

// One signed decimal number as the C library's "%d" reads it (white space
// before it skipped); false when there is none or it does not fit an int.
bool readInt(const char*& text, long long* value) {
  const char* p = text;
  while (std::isspace(static_cast<unsigned char>(*p))) ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  if (*p < '0' || *p > '9') return false;
  long long v = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    v = v * 10 + (*p - '0');
    if (v > static_cast<long long>(INT_MAX) + 1) return false;
  }
  if (negative) v = -v;
  if (v < INT_MIN || v > INT_MAX) return false;
  *value = v;
  text = p;
  return true;
}

// "H", "H:M" or "H:M:S" as a duration in seconds; false when the hours are
// missing, something other than spaces and tabs follows, or the duration
// does not fit 32 bits.
bool readInterval(const char* text, int32_t* seconds) {
  long long parts[3] = {0, 0, 0};
  const char* p = text;
  if (!readInt(p, &parts[0])) return false;
  const char* end = p;
  for (int i = 1; i < 3 && *p == ':'; ++i) {
    const char* q = p + 1;
    if (!readInt(q, &parts[i])) break;
    p = end = q;
  }
  if (!tqDtOnlySpacesTabs(end)) return false;
  const long long total = parts[0] * 3600 + parts[1] * 60 + parts[2];
  if (total < INT32_MIN || total > INT32_MAX) return false;
  *seconds = static_cast<int32_t>(total);
  return true;
}

// A time as local time, written by a strftime format in the locale of the
// table; 0, with the buffer emptied, when it does not fit.
size_t formatLocal(char* buffer, size_t size, const char* format, int32_t time) {
  if (buffer == nullptr || size == 0) return 0;
  buffer[0] = '\0';
  const time_t t = time;
  struct tm tm {};
  if (localtime_r(&t, &tm) == nullptr) return 0;
  const locale_t locale = tqDtLocaleTable().locale;
  const size_t n = locale != static_cast<locale_t>(nullptr)
                       ? strftime_l(buffer, size, format, &tm, locale)
                       : strftime(buffer, size, format, &tm);
  if (n == 0) buffer[0] = '\0';
  return n;
}

}  // namespace

bool tqDtTextToSeconds(const char* text, bool timeOfDay, int32_t* seconds, bool* interval) {
  if (seconds != nullptr) *seconds = 0;
  if (interval != nullptr) *interval = false;
  if (text == nullptr || seconds == nullptr) return false;
  const struct tm today = todayAtMidnight();
  struct tm tm = today;
  if (tqDtScanDateTime(text, &tm)) return toSeconds(tm, seconds);
  if (timeOfDay) {
    tm = today;
    const char* stop = tqDtScanTimeOfDay(text, &tm);
    if (stop == nullptr || !tqDtOnlySpacesTabs(stop)) return false;
    tm.tm_isdst = -1;
    return toSeconds(tm, seconds);
  }
  if (!readInterval(text, seconds)) return false;
  if (interval != nullptr) *interval = true;
  return true;
}

size_t tqDtFormatDate(char* buffer, size_t size, int32_t time) {
  return formatLocal(buffer, size, tqDtLocaleTable().dateFormat.c_str(), time);
}

size_t tqDtFormatTime(char* buffer, size_t size, int32_t time) {
  return formatLocal(buffer, size, tqDtLocaleTable().timeFormat.c_str(), time);
}

size_t tqDtFormatDateTime(char* buffer, size_t size, int32_t time) {
  if (const char* override = tqDtOverrideValue()) {
    return formatLocal(buffer, size, override, time);
  }
  const size_t date = tqDtFormatDate(buffer, size, time);
  if (date == 0 || date + 1 >= size) {
    if (buffer != nullptr && size > 0) buffer[0] = '\0';
    return 0;
  }
  buffer[date] = ' ';
  const size_t clock = tqDtFormatTime(buffer + date + 1, size - date - 1, time);
  if (clock == 0) {
    buffer[0] = '\0';
    return 0;
  }
  return date + 1 + clock;
}

// ----------------------------------------------------------- the exports

namespace {

template <class Body>
int32_t guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return 0;
  }
}

int32_t asCount(size_t n) {
  return n > INT32_MAX ? 0 : static_cast<int32_t>(n);
}

}  // namespace

extern "C" {

int32_t TQFormatDate(char* buffer, size_t size, TQTimestamp time) {
  return guarded([&] { return asCount(tqDtFormatDate(buffer, size, time)); });
}

int32_t TQFormatDateTime(char* buffer, size_t size, TQTimestamp time) {
  return guarded([&] { return asCount(tqDtFormatDateTime(buffer, size, time)); });
}

int32_t TQFormatTime(char* buffer, size_t size, TQTimestamp time) {
  return guarded([&] { return asCount(tqDtFormatTime(buffer, size, time)); });
}

int32_t TQTextToSeconds(const char* text, int32_t timeOfDay, TQTimestamp* seconds,
                        int32_t* interval) {
  if (seconds != nullptr) *seconds = 0;
  if (interval != nullptr) *interval = 0;
  return guarded([&]() -> int32_t {
    bool isInterval = false;
    if (!tqDtTextToSeconds(text, timeOfDay != 0, seconds, &isInterval)) return 0;
    if (interval != nullptr) *interval = isInterval ? 1 : 0;
    return 1;
  });
}

}  // extern "C"
