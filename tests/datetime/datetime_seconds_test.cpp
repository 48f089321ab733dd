// Texts to seconds (points in time, times of day, durations, the 32-bit
// range, daylight saving) and times to texts, through the exported
// services, with the round trip between the two.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>

#include "datetime_fixture.h"
#include "session_fixture.h"
#include "tqlink_services.h"

namespace {

using tqdt::applies;
using tqdt::When;

constexpr int64_t kFails = -1;

struct SecondsRow {
  When when;
  const char* text;
  int64_t utc;     // seconds in UTC, kFails when the text does not convert
  int64_t berlin;  // seconds in Europe/Berlin
  bool interval = false;
};

const SecondsRow kSecondsRows[] = {
    // Digits only are seconds since 1970; an empty text is 0.
    {When::kAll, "1000000", 1000000, 1000000},
    {When::kAll, "2", 2, 2},
    {When::kAll, "", 0, 0},
    {When::kAll, "2147483647", 2147483647, 2147483647},
    {When::kAll, "2147483648", kFails, kFails},
    {When::kAll, "12345678901234567890123456789012345678901", kFails, kFails},
    // Durations outside time-of-day mode.
    {When::kAll, "1:30", 5400, 5400, true},
    {When::kAll, "1:30:15", 5415, 5415, true},
    {When::kAll, "1: 30", 5400, 5400, true},
    {When::kAll, "-1:30", -1800, -1800, true},
    {When::kAll, "1:30 x", kFails, kFails},
    {When::kAll, "1:", kFails, kFails},
    {When::kAll, "596524:00", kFails, kFails},  // beyond 32 bits of seconds
    {When::kAll, "99999999999:00", kFails, kFails},
    {When::kAll, "junk", kFails, kFails},
    // Points in time, in the zone's local time; before 1970 and past the
    // 32-bit range they fail.
    {When::kEnglish, "Jan 5, 1998 10:00", 883994400, 883990800},
    {When::kGerman, "05.01.1998 10:00", 883994400, 883990800},
    {When::kEnglish, "Jan 19 2038 03:14:07", 2147483647, 2147480047},
    {When::kEnglish, "Jan 19 2038 04:14:08", kFails, kFails},
    {When::kEnglish, "Jan 1 2100", kFails, kFails},
    {When::kEnglish, "Jan 1 99999", kFails, kFails},
    {When::kEnglish, "Jan 5 39", kFails, kFails},
    {When::kEnglish, "Dec 31 1969 23:59:59", kFails, kFails},
};

TEST(DateTimeSeconds, TextsToSeconds) {
  TQDT_REQUIRE_SETTING();
  for (const SecondsRow& row : kSecondsRows) {
    if (!applies(row.when)) continue;
    SCOPED_TRACE(std::string("\"") + row.text + "\"");
    const int64_t expected = tqdt::setting().berlin ? row.berlin : row.utc;
    TQTimestamp seconds = 77;
    int32_t interval = 77;
    const int32_t ok = TQTextToSeconds(row.text, 0, &seconds, &interval);
    ASSERT_EQ(ok, expected == kFails && !row.interval ? 0 : 1);
    if (ok == 0) {
      EXPECT_EQ(seconds, 0);
      continue;
    }
    EXPECT_EQ(seconds, expected);
    EXPECT_EQ(interval, row.interval ? 1 : 0);
  }
}

TEST(DateTimeSeconds, NullArgumentsFail) {
  TQTimestamp seconds = 5;
  EXPECT_EQ(TQTextToSeconds(nullptr, 0, &seconds, nullptr), 0);
  EXPECT_EQ(seconds, 0);
  EXPECT_EQ(TQTextToSeconds("1000000", 0, nullptr, nullptr), 0);
  EXPECT_EQ(TQTextToSeconds("1000000", 0, &seconds, nullptr), 1);
  EXPECT_EQ(seconds, 1000000);
}

// The local date of now, for times of day (taken before and after the call,
// so that a call across midnight is not mistaken for a fault).
std::string today() {
  char text[16];
  const time_t now = time(nullptr);
  struct tm tm {};
  localtime_r(&now, &tm);
  std::strftime(text, sizeof text, "%Y-%m-%d", &tm);
  return text;
}

std::string localText(TQTimestamp seconds) {
  char text[32];
  const time_t t = seconds;
  struct tm tm {};
  localtime_r(&t, &tm);
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &tm);
  return text;
}

TEST(DateTimeSeconds, TimeOfDayModeGivesThatTimeToday) {
  TQDT_REQUIRE_SETTING();
  for (const char* text : {"10:20", "1:30"}) {
    const std::string before = today();
    TQTimestamp seconds = 0;
    int32_t interval = 77;
    ASSERT_EQ(TQTextToSeconds(text, 1, &seconds, &interval), 1) << text;
    const std::string after = today();
    EXPECT_EQ(interval, 0);
    const std::string got = localText(seconds);
    const std::string clock = std::string(text).size() == 5 ? "10:20:00" : "01:30:00";
    EXPECT_TRUE(got == before + " " + clock || got == after + " " + clock) << got;
  }
  TQTimestamp seconds = 0;
  EXPECT_EQ(TQTextToSeconds("10:20 junk", 1, &seconds, nullptr), 0);
  EXPECT_EQ(TQTextToSeconds("25:00", 1, &seconds, nullptr), 0);
}

// Both sides of both changes of the clock, and summer and winter, read as
// the wall-clock time the text names.
struct WallRow {
  const char* text;
  int64_t utc;
  int64_t berlin;
};

const WallRow kWallRows[] = {
    {"2021-01-15 12:00:00", 1610712000, 1610708400},  // winter
    {"2021-07-01 12:00:00", 1625140800, 1625133600},  // summer
    {"2021-03-28 01:59:59", 1616896799, 1616893199},  // before the spring change
    {"2021-03-28 03:00:00", 1616900400, 1616893200},  // after it
    {"2021-10-31 01:59:59", 1635645599, 1635638399},  // before the autumn change
    {"2021-10-31 03:00:00", 1635649200, 1635645600},  // after it
};

TEST(DateTimeSeconds, DaylightSavingGivesTheWallClockTime) {
  TQDT_REQUIRE_SETTING();
  TQTimestamp seconds = 0;
  ASSERT_EQ(TQTextToSeconds("0", 0, &seconds, nullptr), 1);  // settles the tables
  tqsess::EnvVar override("TQDATE", "%Y-%m-%d %H:%M:%S");
  for (const WallRow& row : kWallRows) {
    ASSERT_EQ(TQTextToSeconds(row.text, 0, &seconds, nullptr), 1) << row.text;
    EXPECT_EQ(seconds, tqdt::setting().berlin ? row.berlin : row.utc) << row.text;
  }
  // Seconds in the repeated autumn hour (02:30 summer time, then 02:30
  // winter time) come back as they were.
  for (const char* digits : {"1635640200", "1635643800"}) {
    ASSERT_EQ(TQTextToSeconds(digits, 0, &seconds, nullptr), 1);
    EXPECT_EQ(std::to_string(seconds), digits);
  }
}

struct FormatRow {
  const char* locale;
  const char* zone;
  TQTimestamp time;
  const char* date;
  const char* clock;
};

const FormatRow kFormatRows[] = {
    {"C", "UTC", 0, "01/01/70", "00:00:00"},
    {"C", "UTC", 2147483647, "01/19/38", "03:14:07"},
    {"C", "UTC", -1, "12/31/69", "23:59:59"},
    {"C", "Europe/Berlin", 0, "01/01/70", "01:00:00"},
    {"C", "Europe/Berlin", 1625133600, "07/01/21", "12:00:00"},
    {"en_US.UTF-8", "UTC", 0, "01/01/1970", "12:00:00 AM"},
    {"en_US.UTF-8", "UTC", 1625140800, "07/01/2021", "12:00:00 PM"},
    {"de_DE.UTF-8", "Europe/Berlin", 1625133600, "01.07.2021", "12:00:00"},
};

TEST(DateTimeFormat, DatesAndTimesInTheLocalesFormats) {
  TQDT_REQUIRE_SETTING();
  for (const FormatRow& row : kFormatRows) {
    if (tqdt::setting().locale != row.locale || tqdt::setting().zone != row.zone) continue;
    SCOPED_TRACE(row.time);
    char text[64];
    EXPECT_EQ(TQFormatDate(text, sizeof text, row.time), int32_t(std::strlen(row.date)));
    EXPECT_STREQ(text, row.date);
    EXPECT_EQ(TQFormatTime(text, sizeof text, row.time), int32_t(std::strlen(row.clock)));
    EXPECT_STREQ(text, row.clock);
    const std::string both = std::string(row.date) + " " + row.clock;
    EXPECT_EQ(TQFormatDateTime(text, sizeof text, row.time), int32_t(both.size()));
    EXPECT_EQ(text, both);
  }
}

TEST(DateTimeFormat, TextsThatDoNotFitGiveNothing) {
  TQDT_REQUIRE_SETTING();
  char text[64];
  const int32_t length = TQFormatDateTime(text, sizeof text, 1000000);
  ASSERT_GT(length, 0);
  const std::string full = text;
  std::memset(text, 'x', sizeof text);
  EXPECT_EQ(TQFormatDateTime(text, size_t(length) + 1, 1000000), length);
  EXPECT_EQ(text, full);
  for (size_t size : {size_t(length), size_t(5), size_t(1)}) {
    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(TQFormatDateTime(text, size, 1000000), 0) << size;
    EXPECT_EQ(text[0], '\0') << size;
    EXPECT_EQ(text[size], 'x') << "written past the buffer of " << size;
  }
  EXPECT_EQ(TQFormatDate(text, 3, 1000000), 0);
  EXPECT_EQ(TQFormatTime(text, 3, 1000000), 0);
  EXPECT_EQ(TQFormatDate(nullptr, 64, 1000000), 0);
  EXPECT_EQ(TQFormatDateTime(text, 0, 1000000), 0);
}

TEST(DateTimeFormat, OverrideFormatWritesTheDateAndTime) {
  TQDT_REQUIRE_SETTING();
  tqsess::EnvVar override("TQDATE", "%Y-%m-%d %H:%M:%S");
  char text[64];
  ASSERT_GT(TQFormatDateTime(text, sizeof text, 1625140800), 0);
  EXPECT_EQ(text, localText(1625140800));
}

// Every time the formatter writes scans back to the same seconds. In the
// hour that the autumn change repeats, one text names two times; those
// texts are left out.
TEST(DateTimeFormat, FormattedTimesScanBack) {
  TQDT_REQUIRE_SETTING();
  std::vector<TQTimestamp> times = {0, 1, 59, 3599, 86399, 86400, 951782400, 2147483647};
  for (TQTimestamp t = 1616889600; t < 1616889600 + 86400; t += 900) times.push_back(t);
  for (TQTimestamp t = 1635631200; t < 1635631200 + 86400; t += 900) times.push_back(t);
  uint64_t state = 12345;
  for (int i = 0; i < 3000; ++i) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    times.push_back(static_cast<TQTimestamp>((state >> 33) & 0x7FFFFFFF));
  }
  auto textOf = [](TQTimestamp t) {
    char text[64];
    return TQFormatDateTime(text, sizeof text, t) > 0 ? std::string(text) : std::string();
  };
  int checked = 0;
  for (TQTimestamp t : times) {
    const std::string text = textOf(t);
    ASSERT_FALSE(text.empty()) << t;
    if ((t >= 3600 && textOf(t - 3600) == text) ||
        (t <= INT32_MAX - 3600 && textOf(t + 3600) == text)) {
      continue;
    }
    TQTimestamp back = -1;
    int32_t interval = 1;
    ASSERT_EQ(TQTextToSeconds(text.c_str(), 0, &back, &interval), 1) << text;
    EXPECT_EQ(back, t) << text;
    EXPECT_EQ(interval, 0);
    ++checked;
  }
  EXPECT_GT(checked, 3000);
}

}  // namespace
