// The lists of formats tried for a date and time and for a time of day:
// the locale's formats, the usual forms with month names, %D forms, leading
// weekday names, digits as seconds, and the date-override variable.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "datetime_fixture.h"
#include "session_fixture.h"
#include "share/apisrv/datetime.h"

namespace {

using tqdt::applies;
using tqdt::baseTime;
using tqdt::Wall;
using tqdt::wallOf;
using tqdt::When;

struct ListRow {
  When when;
  const char* text;
  bool ok;
  Wall wall;
};

constexpr Wall kNone{0, 0, 0, 0, 0, 0};

const ListRow kDateTimeRows[] = {
    // The locale's own formats: the date and time, the date alone, the date
    // followed by any time of day.
    {When::kMonthFirst, "1/5/98", true, {1998, 1, 5, 0, 0, 0}},
    {When::kMonthFirst, "1/5/98 10:20:30", true, {1998, 1, 5, 10, 20, 30}},
    {When::kEnglish, "1/5/98 10:00 PM", true, {1998, 1, 5, 22, 0, 0}},
    {When::kEnglish, "01/05/1998 10:00:00 pm", true, {1998, 1, 5, 22, 0, 0}},
    {When::kDayFirst, "5.1.98 22:00:00", true, {1998, 1, 5, 22, 0, 0}},
    {When::kDayFirst, "05.01.1998 22:00", true, {1998, 1, 5, 22, 0, 0}},
    {When::kDayFirst, "5/1/98 10:00", true, {1998, 1, 5, 10, 0, 0}},  // %D, day first
    {When::kGerman, "5/1/98 10:00 PM", false, kNone},  // no designators in this locale
    // Month names with a 24-hour and a 12-hour clock, with and without the
    // comma; the text may end before the seconds.
    {When::kEnglish, "Jan 5, 1998 10:00", true, {1998, 1, 5, 10, 0, 0}},
    {When::kEnglish, "Jan 5 1998 10:00:00 PM", true, {1998, 1, 5, 22, 0, 0}},
    {When::kEnglish, "jan 5 98 10:00 pm", true, {1998, 1, 5, 22, 0, 0}},
    {When::kEnglish, "January 5 , 1998", true, {1998, 1, 5, 0, 0, 0}},
    {When::kEnglish, "Jan 5 38", true, {2038, 1, 5, 0, 0, 0}},
    {When::kEnglish, "Jan 5 39", true, {1939, 1, 5, 0, 0, 0}},
    {When::kEnglish, "Feb 29 2000", true, {2000, 2, 29, 0, 0, 0}},
    {When::kEnglish, "Feb 29 2001", false, kNone},
    // Day first with month names; AM/PM glued to the time.
    {When::kEnglish, "5 Jan 1998 10:00PM", true, {1998, 1, 5, 22, 0, 0}},
    {When::kEnglish, "5 Jan 98PM", true, {1998, 1, 5, 12, 0, 0}},
    {When::kEnglish, "5 Jan 1998 12:00:00 AM", true, {1998, 1, 5, 0, 0, 0}},
    {When::kEnglish, "Monday, January 5, 1998 10:00:00 PM", true, {1998, 1, 5, 22, 0, 0}},
    // Leading weekday names are passed over, full names first.
    {When::kEnglish, "Mon Jan 5 1998", true, {1998, 1, 5, 0, 0, 0}},
    {When::kEnglish, "Tuesday,  Jan 5 1998 10:00", true, {1998, 1, 5, 10, 0, 0}},
    {When::kEnglish, "Mon Tue Jan 5 1998", true, {1998, 1, 5, 0, 0, 0}},
    {When::kGerman, "Montag, 05.01.1998", true, {1998, 1, 5, 0, 0, 0}},
    // Texts that no format takes, or with something behind the date.
    {When::kAll, "1/5/98 junk", false, kNone},
    {When::kAll, "10:00", false, kNone},
    {When::kAll, "1998-01-05", false, kNone},
    {When::kAll, "junk", false, kNone},
};

class DateTimeLists : public tqdt::SettingTest {};

TEST_F(DateTimeLists, DateAndTimeForms) {
  for (const ListRow& row : kDateTimeRows) {
    if (!applies(row.when)) continue;
    SCOPED_TRACE(std::string("\"") + row.text + "\"");
    struct tm tm = baseTime();
    ASSERT_EQ(tqDtScanDateTime(row.text, &tm), row.ok);
    if (row.ok) {
      EXPECT_EQ(wallOf(tm), row.wall);
    }
  }
}

TEST_F(DateTimeLists, DigitsAreSecondsSince1970) {
  // "2" would also read as a month; digits win whatever a format found.
  for (int32_t seconds : {0, 2, 1000000, 2147483647}) {
    const std::string text = seconds == 0 ? "" : std::to_string(seconds);
    struct tm tm = baseTime();
    ASSERT_TRUE(tqDtScanDateTime(text.c_str(), &tm)) << text;
    EXPECT_EQ(mktime(&tm), seconds) << text;
  }
  struct tm tm = baseTime();
  EXPECT_FALSE(tqDtScanDateTime("2147483648", &tm));
  EXPECT_FALSE(tqDtScanDateTime(std::string(300, '7').c_str(), &tm));
}

TEST_F(DateTimeLists, LongWeekdayChainsAreReadWithoutNesting) {
  if (!applies(When::kEnglish)) GTEST_SKIP() << "English weekday names";
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "Mon ";
  struct tm tm = baseTime();
  ASSERT_TRUE(tqDtScanDateTime((text + "Jan 5 1998").c_str(), &tm));
  EXPECT_EQ(wallOf(tm), (Wall{1998, 1, 5, 0, 0, 0}));
  EXPECT_FALSE(tqDtScanDateTime((text + "junk").c_str(), &tm));
}

TEST_F(DateTimeLists, OverrideFormatIsTriedFirst) {
  tqDtMonthFirst();  // the month-first flag is settled before the override is set
  tqsess::EnvVar override(tqDtOverrideName(), "%Y-%m-%d");
  struct tm tm = baseTime();
  ASSERT_TRUE(tqDtScanDateTime("1998-01-05", &tm));
  EXPECT_EQ(wallOf(tm), (Wall{1998, 1, 5, 0, 0, 0}));
  tqsess::EnvVar clock(tqDtOverrideName(), "%d.%m.%Y %H:%M");
  tm = baseTime();
  ASSERT_TRUE(tqDtScanDateTime("05.01.1998 10:30", &tm));
  EXPECT_EQ(wallOf(tm), (Wall{1998, 1, 5, 10, 30, 0}));
}

TEST_F(DateTimeLists, OverrideVariableIsNamedByTheCatalog) {
  EXPECT_STREQ(tqDtOverrideName(), "TQDATE");
}

const ListRow kTimeOfDayRows[] = {
    {When::kAll, "10:20", true, {2026, 12, 10, 10, 20, 0}},
    {When::kAll, "22:15:30", true, {2026, 12, 10, 22, 15, 30}},
    {When::kEnglish, "10:20:30 PM", true, {2026, 12, 10, 22, 20, 30}},
    {When::kEnglish, "10:20 pm", true, {2026, 12, 10, 22, 20, 0}},
    {When::kEnglish, "12:05 AM", true, {2026, 12, 10, 0, 5, 0}},
    {When::kAll, "25:00", false, kNone},
    {When::kAll, "junk", false, kNone},
};

TEST_F(DateTimeLists, TimeOfDayForms) {
  for (const ListRow& row : kTimeOfDayRows) {
    if (!applies(row.when)) continue;
    SCOPED_TRACE(std::string("\"") + row.text + "\"");
    struct tm tm = baseTime();
    const char* stop = tqDtScanTimeOfDay(row.text, &tm);
    ASSERT_EQ(stop != nullptr, row.ok);
    if (row.ok) {
      EXPECT_EQ(wallOf(tm), row.wall);
    }
  }
}

}  // namespace
