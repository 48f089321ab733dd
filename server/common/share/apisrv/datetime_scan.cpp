// The format-driven scanner of date and time texts, and the ordered lists of
// formats that are tried for a time of day and for a date and time.
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "share/apisrv/datetime_tables.h"
#include "share/i18n/mbutil.h"

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Blanks are spaces; tabs count only where a rule says so.
const char* skipBlanks(const char* p) {
  while (*p == ' ') ++p;
  return p;
}

const char* skipSpacesTabs(const char* p) {
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

int daysInMonth(long long year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 1 && leap ? 29 : kDays[month];
}

// The characters of a format, with one level of replacement: %D and %X
// stand for a short format that is read before the rest.
class FormatCursor {
 public:
  explicit FormatCursor(const char* format) : outer_(format) {}

  char peek() const { return inner_ != nullptr && *inner_ != '\0' ? *inner_ : *outer_; }

  // The character after the current one.
  char peekNext() const {
    if (inner_ != nullptr && *inner_ != '\0') return inner_[1] != '\0' ? inner_[1] : *outer_;
    return *outer_ != '\0' ? outer_[1] : '\0';
  }

  void advance() {
    if (inner_ != nullptr && *inner_ != '\0') {
      ++inner_;
    } else if (*outer_ != '\0') {
      ++outer_;
    }
  }

  void skipBlanks() {
    while (peek() == ' ') advance();
  }

  // Replaces the current character by a format of its own.
  void replace(const char* replacement) {
    advance();
    inner_ = replacement;
  }

 private:
  const char* inner_ = nullptr;
  const char* outer_;
};

// Reads the run of digits at text: -1 when there is none, values too large
// for an int given as INT_MAX. False for a run longer than the scanner
// takes.
bool readNumber(const char*& text, int* value) {
  size_t n = 0;
  long long v = 0;
  while (isDigit(text[n])) {
    if (n == kTQDtMaxDigits) return false;
    if (v <= INT_MAX) v = v * 10 + (text[n] - '0');
    ++n;
  }
  *value = n == 0 ? -1 : static_cast<int>(v > INT_MAX ? INT_MAX : v);
  text += n;
  return true;
}

// Whether a name is a case-insensitive prefix of text. An empty name
// matches nothing.
bool startsWithName(const char* text, const std::string& name) {
  return !name.empty() && tqMbStrNICmp(text, name.c_str(), name.size()) == 0;
}

// The index of the first name that text starts with, or -1; *length gets
// its length.
int matchName(const char* text, const std::string* names, int count, size_t* length) {
  for (int i = 0; i < count; ++i) {
    if (startsWithName(text, names[i])) {
      *length = names[i].size();
      return i;
    }
  }
  return -1;
}

}  // namespace

const char* tqDtScan(const char* text, const char* format, struct tm* out) {
  if (text == nullptr || format == nullptr || out == nullptr) return nullptr;
  const TQDtScanTables& tables = tqDtScanTables();
  struct tm tm = *out;
  const char* t = skipBlanks(text);
  FormatCursor f(format);
  f.skipBlanks();
  if (*t == '\0') return nullptr;

  // A number conversion with its range; false stops the scan.
  auto number = [&t](int low, int high, int* value) {
    return readNumber(t, value) && *value >= low && *value <= high;
  };

  while (f.peek() != '\0' && *t != '\0') {
    char c = f.peek();
    if (c == '%') {
      f.advance();
      c = f.peek();
      if (c == '\0') break;
    }
    int v = 0;
    size_t length = 0;
    switch (c) {
      case 'a':
      case 'A': {
        t = skipBlanks(t);
        const int i = matchName(t, c == 'a' ? tables.abbrevWeekdays : tables.weekdays, 7, &length);
        if (i < 0) return nullptr;
        tm.tm_wday = i;
        t += length;
        break;
      }
      case 'b':
      case 'B':
      case 'h': {
        t = skipBlanks(t);
        int i = matchName(t, tables.months, 12, &length);
        if (i < 0) i = matchName(t, tables.abbrevMonths, 12, &length);
        if (i < 0) return nullptr;
        tm.tm_mon = i;
        t += length;
        break;
      }
      case 'D':
        f.replace(tables.monthFirst ? "%m/%d/%y" : "%d/%m/%y");
        continue;
      case 'X':
        f.replace("%H:%M:%S");
        continue;
      case 'H':
      case 'k':
        if (!number(0, 23, &tm.tm_hour)) return nullptr;
        break;
      case 'I':
      case 'l':
        if (!number(0, 12, &tm.tm_hour)) return nullptr;
        break;
      case 'M':
        if (!number(0, 59, &tm.tm_min)) return nullptr;
        break;
      case 'S':
        if (!number(0, 59, &tm.tm_sec)) return nullptr;
        break;
      case 'Y':
      case 'y':
        // 0 to 38: 2000 to 2038; 39 to 100: years since 1900; later: the year.
        if (!number(0, INT_MAX, &v)) return nullptr;
        tm.tm_year = v <= 38 ? v + 100 : v <= 100 ? v : v - 1900;
        break;
      case 'd':
      case 'e':
        if (!readNumber(t, &tm.tm_mday)) return nullptr;  // checked at the end
        break;
      case 'j':
        if (!number(0, 365, &tm.tm_yday)) return nullptr;
        break;
      case 'm':
        if (!number(1, 12, &v)) return nullptr;
        tm.tm_mon = v - 1;
        break;
      case 'w':
        if (!number(1, 7, &v)) return nullptr;
        tm.tm_wday = v - 1;
        break;
      case 'p':
        t = skipBlanks(t);
        if (startsWithName(t, tables.am)) {
          if (tm.tm_hour > 12) return nullptr;
          if (tm.tm_hour == 12) tm.tm_hour = 0;
          t += tables.am.size();
        } else if (startsWithName(t, tables.pm)) {
          if (tm.tm_hour < 12) tm.tm_hour += 12;
          t += tables.pm.size();
        } else {
          return nullptr;
        }
        break;
      case '.':
        // Digits behind the '.' are a fraction's width in the format: the
        // text need not show the fraction. A plain '.' is matched.
        if (isDigit(f.peekNext())) {
          while (isDigit(f.peekNext())) f.advance();
        } else {
          t = skipBlanks(t);
          if (*t != '.') return nullptr;
          ++t;
        }
        break;
      default:
        if (!tqDtIsPunct(c)) return nullptr;
        t = skipBlanks(t);
        if (*t != c) return nullptr;
        ++t;
        break;
    }
    t = skipBlanks(t);
    f.advance();
    f.skipBlanks();
  }

  if (tm.tm_mon < 0 || tm.tm_mon > 11) return nullptr;
  if (tm.tm_mday < 1 ||
      tm.tm_mday > daysInMonth(static_cast<long long>(tm.tm_year) + 1900, tm.tm_mon)) {
    return nullptr;
  }
  *out = tm;
  return t;
}

namespace {

// One format tried on a copy of tm; the copy is taken over only when the
// result counts (with the whole-text rule: only spaces and tabs behind it).
const char* tryFormat(const char* text, const std::string& format, struct tm* tm, bool whole) {
  struct tm scratch = *tm;
  const char* stop = tqDtScan(text, format.c_str(), &scratch);
  if (stop == nullptr || (whole && !tqDtOnlySpacesTabs(stop))) return nullptr;
  *tm = scratch;
  return stop;
}

// The first format of a list that scans; with the whole-text rule, that
// one must also take the whole text, or the list fails.
template <size_t N>
const char* firstOf(const char* text, const char* const (&formats)[N], const std::string& suffix,
                    struct tm* tm, bool whole) {
  for (const char* format : formats) {
    struct tm scratch = *tm;
    const char* stop = tqDtScan(text, (format + suffix).c_str(), &scratch);
    if (stop == nullptr) continue;
    if (whole && !tqDtOnlySpacesTabs(stop)) return nullptr;
    *tm = scratch;
    return stop;
  }
  return nullptr;
}

const char* const kMonthNameTimes[] = {
    "%h %d %Y %H:%M:%S",   "%h %d %y %H:%M",   "%h %d %y %H:%M:%S", "%h %d , %Y %H:%M:%S",
    "%h %d , %Y %H:%M",    "%h %d , %y %H:%M:%S", "%h %d , %y %H:%M"};
const char* const kMonthNameClockTimes[] = {
    "%h %d %Y %I:%M:%S %p",   "%h %d %Y %I:%M %p",   "%h %d %y %I:%M:%S %p",
    "%h %d %y %I:%M %p",      "%h %d , %Y %I:%M:%S %p", "%h %d , %Y %I:%M %p",
    "%h %d , %y %I:%M:%S %p", "%h %d , %y %I:%M %p"};
const char* const kMonthNameDates[] = {"%h %d %Y", "%h %d %y", "%h %d , %Y", "%h %d , %y"};
const char* const kOtherForms[] = {
    "%A , %B %d , %Y %I:%M:%S %p", "%d %b %Y %H:%M:%S%p", "%d %b %Y %H:%M:%S %p",
    "%d %b %Y %H:%M:%S",           "%d %b %Y %H:%M%p",    "%d %b %Y %H:%M %p",
    "%d %b %Y %H:%M",              "%d %b %Y %H%p",       "%d %b %y%p",
    "%d %b %Y%p",                  "%D %H:%M:%S %p",      "%D %H:%M:%S%p",
    "%D %H:%M:%S",                 "%D %H:%M %p",         "%D %H:%M%p",
    "%D %H:%M",                    "%D %H%p",             "%D %I:%M:%S %p",
    "%D %I:%M:%S%p",               "%D %I:%M:%S",         "%D %I:%M %p",
    "%D %I:%M%p",                  "%D %I:%M",            "%D %I%p",
    "%D%p"};

// The formats of a date and time in their order; the stop position of the
// first that counts, or NULL.
const char* scanDateTimeForms(const char* text, struct tm* tm) {
  const std::string date = tqDtLocaleItem(kTQDtItemDate);
  const std::string time = tqDtLocaleItem(kTQDtItemTime);
  const char* stop = nullptr;
  if (const char* override = tqDtOverrideValue()) {
    if ((stop = tryFormat(text, override, tm, true)) != nullptr) return stop;
  }
  if ((stop = tryFormat(text, tqDtLocaleItem(kTQDtItemDateTime), tm, true)) != nullptr) return stop;
  {
    // The date alone, or the date followed by any time of day.
    struct tm scratch = *tm;
    stop = tqDtScan(text, date.c_str(), &scratch);
    if (stop != nullptr && !tqDtOnlySpacesTabs(stop)) stop = tqDtScanTimeOfDay(stop, &scratch);
    if (stop != nullptr) {
      *tm = scratch;
      return stop;
    }
  }
  if ((stop = tryFormat(text, date + " %I:%M:%S %p", tm, false)) != nullptr) return stop;
  if ((stop = tryFormat(text, date + ' ' + time, tm, false)) != nullptr) return stop;
  if ((stop = firstOf(text, kMonthNameTimes, "", tm, true)) != nullptr) return stop;
  if ((stop = firstOf(text, kMonthNameClockTimes, "", tm, false)) != nullptr) return stop;
  if ((stop = firstOf(text, kMonthNameDates, ' ' + time, tm, false)) != nullptr) return stop;
  tm->tm_hour = tm->tm_min = tm->tm_sec = 0;
  if ((stop = tryFormat(text, date, tm, false)) != nullptr) return stop;
  if ((stop = firstOf(text, kMonthNameDates, "", tm, false)) != nullptr) return stop;
  return firstOf(text, kOtherForms, "", tm, false);
}

// The text behind a leading weekday name (full names first) and the spaces,
// tabs and commas after it; NULL when the text starts with none.
const char* skipWeekday(const char* text) {
  const TQDtScanTables& tables = tqDtScanTables();
  const char* t = skipSpacesTabs(text);
  size_t length = 0;
  if (matchName(t, tables.weekdays, 7, &length) < 0 &&
      matchName(t, tables.abbrevWeekdays, 7, &length) < 0) {
    return nullptr;
  }
  t += length;
  while (*t == ' ' || *t == '\t' || *t == ',') ++t;
  return t;
}

// A text of digits only (spaces and tabs around them allowed; no digits at
// all counts as 0) as seconds. False when it is not such a text; *valid is
// cleared when it is, but the number lies beyond the 32-bit range.
bool digitsOnly(const char* text, int32_t* seconds, bool* valid) {
  const char* t = skipSpacesTabs(text);
  long long value = 0;
  size_t n = 0;
  *valid = true;
  for (; isDigit(t[n]); ++n) {
    if (value <= INT32_MAX) value = value * 10 + (t[n] - '0');
  }
  if (!tqDtOnlySpacesTabs(t + n)) return false;
  if (n > kTQDtMaxDigits || value > INT32_MAX) *valid = false;
  *seconds = static_cast<int32_t>(*valid ? value : 0);
  return true;
}

// Settles a scanned local time: daylight saving as it is in effect at that
// wall-clock time, fields normalised. False when the C library cannot
// convert it or it lies outside the 32-bit range.
bool normalise(struct tm* tm) {
  struct tm t = *tm;
  t.tm_isdst = -1;
  t.tm_wday = -1;  // set by a successful conversion
  const time_t seconds = mktime(&t);
  if (t.tm_wday < 0 || seconds < INT32_MIN || seconds > INT32_MAX) return false;
  *tm = t;
  return true;
}

}  // namespace

const char* tqDtScanTimeOfDay(const char* text, struct tm* tm) {
  if (text == nullptr || tm == nullptr) return nullptr;
  const std::string time = tqDtLocaleItem(kTQDtItemTime);
  const char* stop = nullptr;
  if ((stop = tryFormat(text, time, tm, true)) != nullptr) return stop;
  if ((stop = tryFormat(text, "%H:%M:%S", tm, true)) != nullptr) return stop;
  static const char* const kClockOrPlain[] = {"%I:%M:%S %p", "%H:%M"};
  if ((stop = firstOf(text, kClockOrPlain, "", tm, true)) != nullptr) return stop;
  if ((stop = tryFormat(text, "%I:%M %p", tm, false)) != nullptr) return stop;
  return tryFormat(text, time, tm, false);
}

bool tqDtScanDateTime(const char* text, struct tm* tm) {
  if (text == nullptr || tm == nullptr) return false;
  // A text that no format takes may start with a weekday name: the rest is
  // read the same way, name by name (a loop, so that no text can nest deep).
  const char* rest = text;
  const char* stop = scanDateTimeForms(rest, tm);
  while (stop == nullptr) {
    const char* after = skipWeekday(rest);
    if (after == nullptr) break;
    rest = after;
    stop = scanDateTimeForms(rest, tm);
  }
  int32_t seconds = 0;
  bool valid = true;
  if (digitsOnly(rest, &seconds, &valid)) {
    // Seconds since 1970, whatever a format made of the digits.
    if (!valid) return false;
    const time_t t = seconds;
    return localtime_r(&t, tm) != nullptr;
  }
  if (stop == nullptr || !tqDtOnlySpacesTabs(stop)) return false;
  return normalise(tm);
}
