// The setting a date and time test runs in, and helpers to state expected
// times. Each ctest case runs in a process of its own, with the setting of
// its registration in TQ_TEST_TIME_SETTING ("<locale>|<zone>|<locale dir>"):
// the library reads the locale once per process, so the setting is applied
// before any test runs.
#pragma once

#include <gtest/gtest.h>

#include <ctime>
#include <string>

namespace tqdt {

// What the tests know of the locale they run in.
struct Setting {
  std::string locale;  // "C", "en_US.UTF-8", "de_DE.UTF-8"
  std::string zone;    // "UTC", "Europe/Berlin"
  bool available;      // false when the locale is not installed here
  bool english;        // English names and AM/PM designators
  bool monthFirst;     // dates read month first
  bool twelveHour;     // the locale's clock
  bool berlin;         // the zone has daylight saving
};

const Setting& setting();

// The rows of a table that apply in a setting.
enum class When { kAll, kEnglish, kGerman, kMonthFirst, kDayFirst };
bool applies(When when);

// Skips the current test when its setting's locale is not installed.
#define TQDT_REQUIRE_SETTING()                                                    \
  do {                                                                            \
    if (!::tqdt::setting().available) GTEST_SKIP() << "locale not installed";     \
  } while (0)

// A fixture whose tests skip when their setting's locale is not installed.
class SettingTest : public ::testing::Test {
 protected:
  void SetUp() override { TQDT_REQUIRE_SETTING(); }
};

// A wall-clock time: year, month 1 to 12, day, hour, minute, second.
struct Wall {
  int year, month, day, hour, minute, second;
};

// The base of the scans: 10 December 2026, 00:00:00.
struct tm baseTime();

// The wall-clock fields of a broken-down time.
Wall wallOf(const struct tm& tm);
bool operator==(const Wall& a, const Wall& b);
std::ostream& operator<<(std::ostream& out, const Wall& w);

}  // namespace tqdt
