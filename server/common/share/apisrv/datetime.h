// Date and time text: the locale table (names, designators and the locale's
// date and time formats), the format-driven scanner that reads a text into a
// broken-down time, the lists of formats tried when no format is given, the
// conversion of a text into seconds, and the formatting of times as text.
// The exported forms of the last two are in tqlink_services.h.
//
// Times are signed 32-bit seconds since 1970-01-01 00:00:00 UTC, converted
// with the C library's local-time functions (so the TZ variable applies).
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>

// Locale table items.
inline constexpr int kTQDtItemDateTime = 1;  // item 2, a space, item 3
inline constexpr int kTQDtItemDate = 2;
inline constexpr int kTQDtItemTime = 3;
inline constexpr int kTQDtItemWeekday = 6;         // 6 to 12: full weekday names, Sunday first
inline constexpr int kTQDtItemAbbrevWeekday = 13;  // 13 to 19
inline constexpr int kTQDtItemMonth = 20;          // 20 to 31: full month names, January first
inline constexpr int kTQDtItemAbbrevMonth = 32;    // 32 to 43
inline constexpr int kTQDtItemAm = 53;
inline constexpr int kTQDtItemPm = 54;
inline constexpr int kTQDtItemCount = 55;

// Longest name in the scanner's tables, and longest AM or PM designator.
inline constexpr size_t kTQDtMaxName = 30;
inline constexpr size_t kTQDtMaxDesignator = 15;

// Longest run of digits one number of a text may have; a longer run makes
// the scan fail.
inline constexpr size_t kTQDtMaxDigits = 135;

// The text of a locale table item; "" for a number that has none. The table
// is filled from the environment's locale (LC_ALL, else LC_TIME, else LANG)
// at the first call and never changes afterwards.
const char* tqDtLocaleItem(int item);

// The name of the variable that overrides the date format ("TQDATE" unless
// the catalog renames it), and its value now: NULL when it is not set or
// empty.
const char* tqDtOverrideName();
const char* tqDtOverrideValue();

// Whether a two-number date such as the one of %D is read month first.
bool tqDtMonthFirst();

// Reads text by format into tm. Fields the format does not mention keep
// their values. Returns the position where scanning stopped, or NULL when
// the text does not match (tm is then unchanged).
const char* tqDtScan(const char* text, const char* format, struct tm* tm);

// Reads a time of day by the locale's and the usual time formats. Returns
// the stop position, or NULL.
const char* tqDtScanTimeOfDay(const char* text, struct tm* tm);

// Reads a date and time by the override format, the locale's formats and
// the usual formats, in that order, or a run of digits as seconds since
// 1970. On success tm holds a normalised local time within the 32-bit
// range; on failure tm holds partly filled fields and is to be discarded.
bool tqDtScanDateTime(const char* text, struct tm* tm);

// A text as seconds. Dates with or without a time, and digits as seconds
// since 1970, give a point in time. Otherwise, in time-of-day mode, a time of
// day gives that time today; outside it, "H[:M[:S]]" gives a duration, and
// *interval is set. Only spaces and tabs may follow. Fails for a text that
// does not convert or gives a point before 1970 or past the 32-bit range.
bool tqDtTextToSeconds(const char* text, bool timeOfDay, int32_t* seconds, bool* interval);

// The local date, time, or date and time of a time in the locale's formats
// (date and time: the override format when it is set). Return the length
// written, or 0 (buffer then empty, when it has room for the terminator)
// when the text does not fit.
size_t tqDtFormatDate(char* buffer, size_t size, int32_t time);
size_t tqDtFormatTime(char* buffer, size_t size, int32_t time);
size_t tqDtFormatDateTime(char* buffer, size_t size, int32_t time);
