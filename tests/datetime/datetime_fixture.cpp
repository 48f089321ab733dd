// Applies the setting of TQ_TEST_TIME_SETTING before the tests run.
#include "datetime_fixture.h"

#include <locale.h>

#include <cstdlib>
#include <ostream>

namespace tqdt {
namespace {

Setting readSetting() {
  Setting s{"C", "UTC", true, true, true, false, false};
  const char* raw = std::getenv("TQ_TEST_TIME_SETTING");
  if (raw != nullptr) {
    const std::string text = raw;
    const size_t a = text.find('|');
    const size_t b = a == std::string::npos ? a : text.find('|', a + 1);
    s.locale = text.substr(0, a);
    if (a != std::string::npos) s.zone = text.substr(a + 1, b - a - 1);
    if (b != std::string::npos && b + 1 < text.size()) {
      setenv("LOCPATH", text.substr(b + 1).c_str(), 1);
    }
  }
  setenv("LC_ALL", s.locale.c_str(), 1);
  setenv("TZ", s.zone.c_str(), 1);
  unsetenv("TQDATE");
  tzset();
  locale_t probe = newlocale(LC_TIME_MASK, s.locale.c_str(), static_cast<locale_t>(nullptr));
  s.available = probe != static_cast<locale_t>(nullptr);
  if (s.available) freelocale(probe);
  const bool german = s.locale.rfind("de_", 0) == 0;
  s.english = !german;
  s.monthFirst = !german;
  s.twelveHour = s.locale.rfind("en_US", 0) == 0;
  s.berlin = s.zone == "Europe/Berlin";
  return s;
}

const Setting kSetting = readSetting();

}  // namespace

const Setting& setting() {
  return kSetting;
}

bool applies(When when) {
  switch (when) {
    case When::kAll:
      return true;
    case When::kEnglish:
      return kSetting.english;
    case When::kGerman:
      return !kSetting.english;
    case When::kMonthFirst:
      return kSetting.monthFirst;
    case When::kDayFirst:
      return !kSetting.monthFirst;
  }
  return false;
}

struct tm baseTime() {
  struct tm tm {};
  tm.tm_year = 126;
  tm.tm_mon = 11;
  tm.tm_mday = 10;
  tm.tm_isdst = -1;
  return tm;
}

Wall wallOf(const struct tm& tm) {
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

bool operator==(const Wall& a, const Wall& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
         a.minute == b.minute && a.second == b.second;
}

std::ostream& operator<<(std::ostream& out, const Wall& w) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", w.year, w.month, w.day,
                w.hour, w.minute, w.second);
  return out << text;
}

}  // namespace tqdt
