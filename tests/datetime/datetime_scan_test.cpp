// The format-driven scanner with explicit formats, and the locale table it
// reads its names and formats from.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "datetime_fixture.h"
#include "share/apisrv/datetime.h"

namespace {

using tqdt::applies;
using tqdt::baseTime;
using tqdt::Wall;
using tqdt::wallOf;
using tqdt::When;

struct ScanRow {
  When when;
  const char* format;
  const char* text;
  bool ok;
  Wall wall;         // on success
  int stop = -1;     // on success: where scanning stopped, -1 for the end
};

constexpr Wall kNone{0, 0, 0, 0, 0, 0};
constexpr Wall kBaseDay{2026, 12, 10, 0, 0, 0};

const ScanRow kScanRows[] = {
    // Leap days, month first and day first.
    {When::kAll, "%m/%d/%y", "2/29/01", false, kNone},
    {When::kAll, "%m/%d/%y", "2/29/00", true, {2000, 2, 29, 0, 0, 0}},
    {When::kAll, "%d/%m/%y", "29/2/00", true, {2000, 2, 29, 0, 0, 0}},
    {When::kAll, "%m/%d/%Y", "2/29/1900", false, kNone},
    {When::kAll, "%m/%d/%Y", "2/29/1996", true, {1996, 2, 29, 0, 0, 0}},
    {When::kAll, "%m/%d/%y", "4/31/98", false, kNone},
    {When::kAll, "%m/%d/%y", "13/1/98", false, kNone},
    {When::kAll, "%m/%d/%y", "0/1/98", false, kNone},
    {When::kAll, "%m/%d/%y", "1/0/98", false, kNone},
    // Years: 0 to 38 are 2000 to 2038, 39 to 100 since 1900, then full years.
    {When::kAll, "%m/%d/%y", "1/1/38", true, {2038, 1, 1, 0, 0, 0}},
    {When::kAll, "%m/%d/%y", "1/1/39", true, {1939, 1, 1, 0, 0, 0}},
    {When::kAll, "%m/%d/%y", "1/1/100", true, {2000, 1, 1, 0, 0, 0}},
    {When::kAll, "%m/%d/%Y", "1/1/1998", true, {1998, 1, 1, 0, 0, 0}},
    // Clock ranges.
    {When::kAll, "%H:%M:%S", "23:59:59", true, {2026, 12, 10, 23, 59, 59}},
    {When::kAll, "%H:%M:%S", "24:00:00", false, kNone},
    {When::kAll, "%H:%M", "10:60", false, kNone},
    {When::kAll, "%H:%M:%S", "10:00:60", false, kNone},
    {When::kAll, "%I:%M", "13:00", false, kNone},
    {When::kAll, "%H:%M", ":30", false, kNone},  // an hour without digits
    // AM and PM: 12 AM is hour 0, PM adds 12 below 12; AM refuses an hour
    // above 12.
    {When::kEnglish, "%I:%M %p", "12:00 AM", true, {2026, 12, 10, 0, 0, 0}},
    {When::kEnglish, "%I:%M %p", "12:30 pm", true, {2026, 12, 10, 12, 30, 0}},
    {When::kEnglish, "%I:%M %p", "1:00 PM", true, {2026, 12, 10, 13, 0, 0}},
    {When::kEnglish, "%H:%M %p", "13:00 PM", true, {2026, 12, 10, 13, 0, 0}},
    {When::kEnglish, "%H:%M %p", "13:00 AM", false, kNone},
    {When::kEnglish, "%I:%M %p", "1:00 XM", false, kNone},
    // A locale without designators takes neither (an empty designator would
    // otherwise match every text as AM).
    {When::kGerman, "%I:%M %p", "1:00 PM", false, kNone},
    {When::kGerman, "%I:%M %p", "1:00 AM", false, kNone},
    // Names: months full first, then abbreviated, for every month letter;
    // weekdays abbreviated for 'a', full for 'A'.
    {When::kEnglish, "%b %d %Y", "March 5 1998", true, {1998, 3, 5, 0, 0, 0}},
    {When::kEnglish, "%B %d %Y", "mar 5 1998", true, {1998, 3, 5, 0, 0, 0}},
    {When::kEnglish, "%h %d", "DECEMBER 24", true, {2026, 12, 24, 0, 0, 0}},
    {When::kEnglish, "%a %m/%d", "Mon 1/5", true, {2026, 1, 5, 0, 0, 0}},
    {When::kEnglish, "%A %m/%d", "Mon 1/5", false, kNone},
    {When::kEnglish, "%A %m/%d", "monday 1/5", true, {2026, 1, 5, 0, 0, 0}},
    {When::kEnglish, "%b %d", "Foo 5", false, kNone},
    {When::kGerman, "%d. %B %Y", "5. März 1998", true, {1998, 3, 5, 0, 0, 0}},
    {When::kGerman, "%d %b %Y", "5 mär 1998", true, {1998, 3, 5, 0, 0, 0}},
    {When::kGerman, "%a %d.%m.", "Mo 5.1.", true, {2026, 1, 5, 0, 0, 0}},
    // %D follows the month-first flag; %X is %H:%M:%S.
    {When::kMonthFirst, "%D", "2/29/00", true, {2000, 2, 29, 0, 0, 0}},
    {When::kMonthFirst, "%D", "29/2/00", false, kNone},
    {When::kDayFirst, "%D", "29/2/00", true, {2000, 2, 29, 0, 0, 0}},
    {When::kAll, "%D %X", "1/1/98 10:20:30", true, {1998, 1, 1, 10, 20, 30}},
    {When::kAll, "%X", "10:20:30", true, {2026, 12, 10, 10, 20, 30}},
    // Punctuation is matched literally, blanks are passed over, letters are
    // conversions even without '%', other characters fail.
    {When::kAll, "%Y-%m-%d", "1998-01-05", true, {1998, 1, 5, 0, 0, 0}},
    {When::kAll, "%Y-%m-%d", "1998/01/05", false, kNone},
    {When::kAll, "Y-m-d", "1998-01-05", true, {1998, 1, 5, 0, 0, 0}},
    {When::kAll, "%Y - %m - %d", "  1998 -01-  05", true, {1998, 1, 5, 0, 0, 0}},
    {When::kAll, "%Y-%m-%dT%H", "1998-01-05T10", false, kNone},
    {When::kAll, "%%%H", "%10", true, {2026, 12, 10, 10, 0, 0}},
    // The fraction: digits behind '.' in the format are skipped; a plain
    // '.' must be in the text.
    {When::kAll, "%H:%M:%S.3-%m", "10:20:30-5", true, {2026, 5, 10, 10, 20, 30}},
    {When::kAll, "%H.%M", "10.20", true, {2026, 12, 10, 10, 20, 0}},
    {When::kAll, "%H.%M", "10:20", false, kNone},
    // Day of year and weekday ranges (they do not move the date).
    {When::kAll, "%j", "365", true, kBaseDay},
    {When::kAll, "%j", "366", false, kNone},
    {When::kAll, "%w", "7", true, kBaseDay},
    {When::kAll, "%w", "0", false, kNone},
    // The text may end before the format; the rest keeps its values.
    {When::kAll, "%m/%d/%y %H:%M:%S", "1/5/98", true, {1998, 1, 5, 0, 0, 0}},
    {When::kAll, "%m/%d/%y %H:%M:%S", "1/5/98 10", true, {1998, 1, 5, 10, 0, 0}},
    // Scanning stops where the format ends.
    {When::kAll, "%H:%M", "10:20 rest", true, {2026, 12, 10, 10, 20, 0}, 6},
    // Empty and blank texts fail.
    {When::kAll, "%H", "", false, kNone},
    {When::kAll, "%H", "   ", false, kNone},
};

class DateTimeScan : public tqdt::SettingTest {};

TEST_F(DateTimeScan, ConversionsOfTheFormat) {
  for (const ScanRow& row : kScanRows) {
    if (!applies(row.when)) continue;
    SCOPED_TRACE(std::string(row.format) + " <- \"" + row.text + "\"");
    struct tm tm = baseTime();
    const struct tm before = tm;
    const char* stop = tqDtScan(row.text, row.format, &tm);
    ASSERT_EQ(stop != nullptr, row.ok);
    if (!row.ok) {
      EXPECT_EQ(std::memcmp(&tm, &before, sizeof tm), 0) << "a failed scan changed the time";
      continue;
    }
    EXPECT_EQ(wallOf(tm), row.wall);
    if (row.stop >= 0) {
      EXPECT_EQ(stop - row.text, row.stop);
    } else {
      EXPECT_EQ(*stop, '\0');
    }
  }
}

TEST_F(DateTimeScan, DigitRunsBeyondTheBufferFail) {
  // 135 digits are read (and their value saturates); 136 are refused.
  const std::string day135 = std::string(134, '0') + "5";
  const std::string day136 = std::string(135, '0') + "5";
  struct tm tm = baseTime();
  ASSERT_NE(tqDtScan(("1/" + day135 + "/98").c_str(), "%m/%d/%y", &tm), nullptr);
  EXPECT_EQ(wallOf(tm), (Wall{1998, 1, 5, 0, 0, 0}));
  EXPECT_EQ(tqDtScan(("1/" + day136 + "/98").c_str(), "%m/%d/%y", &tm), nullptr);
  EXPECT_EQ(tqDtScan("1/99999999999999999999/98", "%m/%d/%y", &tm), nullptr);
  EXPECT_EQ(tqDtScan(("1/1/" + std::string(200, '9')).c_str(), "%m/%d/%Y", &tm), nullptr);
}

TEST_F(DateTimeScan, NullArgumentsFail) {
  struct tm tm = baseTime();
  EXPECT_EQ(tqDtScan(nullptr, "%H", &tm), nullptr);
  EXPECT_EQ(tqDtScan("10", nullptr, &tm), nullptr);
  EXPECT_EQ(tqDtScan("10", "%H", nullptr), nullptr);
}

// The locale table: formats built from the locale, names, designators.
struct ItemRow {
  const char* locale;
  int item;
  const char* text;
};

const ItemRow kItemRows[] = {
    {"C", 1, "%m/%d/%y %H:%M:%S"},
    {"C", 2, "%m/%d/%y"},
    {"C", 3, "%H:%M:%S"},
    {"C", 6, "Sunday"},
    {"C", 13, "Sun"},
    {"C", 22, "March"},
    {"C", 43, "Dec"},
    {"C", 53, "AM"},
    {"C", 54, "PM"},
    {"en_US.UTF-8", 1, "%m/%d/%Y %I:%M:%S %p"},
    {"en_US.UTF-8", 2, "%m/%d/%Y"},
    {"en_US.UTF-8", 3, "%I:%M:%S %p"},
    {"de_DE.UTF-8", 1, "%d.%m.%Y %H:%M:%S"},
    {"de_DE.UTF-8", 6, "Sonntag"},
    {"de_DE.UTF-8", 22, "März"},
    {"de_DE.UTF-8", 53, ""},
};

TEST_F(DateTimeScan, LocaleTableItems) {
  for (const ItemRow& row : kItemRows) {
    if (tqdt::setting().locale != row.locale) continue;
    EXPECT_STREQ(tqDtLocaleItem(row.item), row.text) << "item " << row.item;
  }
  for (int other : {0, 4, 5, 44, 52, 55, -1, 1000}) EXPECT_STREQ(tqDtLocaleItem(other), "");
}

}  // namespace
