// The locale table and the scanner's tables of the date and time services,
// built once from the environment's time locale, and the date-override
// variable.
#include <langinfo.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <string>

#include "share/apisrv/datetime_tables.h"
#include "share/i18n/mbutil.h"
#include "tqlink_services.h"

namespace {

constexpr int32_t kCatalogSetEnvironment = 255;
constexpr int32_t kCatalogDateOverride = 101;
constexpr const char* kDefaultOverrideName = "TQDATE";

// The environment's time locale; "C" when it names no installed locale.
locale_t openTimeLocale() {
  locale_t locale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) {
    locale = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
  }
  return locale;
}

std::string langinfo(nl_item item, locale_t locale) {
  const char* text = locale != static_cast<locale_t>(nullptr) ? nl_langinfo_l(item, locale) : "";
  return text != nullptr ? text : "";
}

// The shorthands of a strftime format that the date and time formats are
// commonly written with, spelled out.
std::string expandShorthands(const std::string& format, const std::string& ampmFormat) {
  std::string out;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%' || i + 1 >= format.size()) {
      out += format[i];
      continue;
    }
    const char c = format[++i];
    if (c == 'D') {
      out += "%m/%d/%y";
    } else if (c == 'F') {
      out += "%Y-%m-%d";
    } else if (c == 'T') {
      out += "%H:%M:%S";
    } else if (c == 'R') {
      out += "%H:%M";
    } else if (c == 'r') {
      out += ampmFormat.empty() ? "%I:%M:%S %p" : ampmFormat;
    } else {
      out += '%';
      out += c;
    }
  }
  return out;
}

// One conversion of a strftime format: its letter and whether a '-' flag
// asked for no padding.
struct Conversion {
  char letter;
  bool unpadded;
  size_t end;  // index behind the conversion
};

// The conversions of a format in order, with the character behind each.
template <class Visit>
void eachConversion(const std::string& format, Visit&& visit) {
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') continue;
    size_t j = i + 1;
    bool unpadded = false;
    while (j < format.size() && std::strchr("-_0^#EO", format[j]) != nullptr) {
      if (format[j] == '-') unpadded = true;
      ++j;
    }
    if (j >= format.size()) return;
    if (!visit(Conversion{format[j], unpadded, j + 1})) return;
    i = j;
  }
}

// The separator behind a conversion: a single punctuation byte, else dflt.
char separatorAt(const std::string& format, size_t index, char dflt) {
  return index < format.size() && tqDtIsPunct(format[index]) && format[index] != '%'
             ? format[index]
             : dflt;
}

// Item 2: the locale's date order with its separator, "%d" or "%e" for
// days with or without a leading zero, "%m", and "%Y" or "%y" for a year
// with or without its century.
std::string buildDateFormat(const std::string& localeFormat) {
  int dayAt = -1, monthAt = -1, yearAt = -1, position = 0;
  const char* day = "%d";
  const char* year = "%y";
  char separator = 0;
  eachConversion(localeFormat, [&](const Conversion& c) {
    if (std::strchr("de", c.letter) != nullptr && dayAt < 0) {
      dayAt = position++;
      day = c.letter == 'e' || c.unpadded ? "%e" : "%d";
    } else if (std::strchr("mbBh", c.letter) != nullptr && monthAt < 0) {
      monthAt = position++;
    } else if (std::strchr("YyCG", c.letter) != nullptr && yearAt < 0) {
      yearAt = position++;
      year = c.letter == 'y' ? "%y" : "%Y";
    } else {
      return true;
    }
    if (separator == 0) separator = separatorAt(localeFormat, c.end, 0);
    return true;
  });
  if (separator == 0) separator = '/';
  // 0: month, day, year; 1: day, month, year; 2: year, month, day.
  int order = 0;
  if (yearAt == 0 && (monthAt > 0 || dayAt > 0)) {
    order = 2;
  } else if (dayAt >= 0 && (monthAt < 0 || dayAt < monthAt)) {
    order = 1;
  }
  const char* parts[3][3] = {{"%m", day, year}, {day, "%m", year}, {year, "%m", day}};
  const char* const* p = parts[order];
  return std::string(p[0]) + separator + p[1] + separator + p[2];
}

// Item 3: the locale's hour ("%H", "%k", "%I" or "%l"), its time separator,
// "%M", the separator and "%S", with " %p" behind for a 12-hour clock.
std::string buildTimeFormat(const std::string& localeFormat) {
  const char* hour = "%H";
  char separator = ':';
  bool twelveHour = false;
  eachConversion(localeFormat, [&](const Conversion& c) {
    switch (c.letter) {
      case 'H':
        hour = c.unpadded ? "%k" : "%H";
        break;
      case 'k':
        hour = "%k";
        break;
      case 'I':
        hour = c.unpadded ? "%l" : "%I";
        twelveHour = true;
        break;
      case 'l':
        hour = "%l";
        twelveHour = true;
        break;
      default:
        return true;
    }
    separator = separatorAt(localeFormat, c.end, ':');
    return false;
  });
  std::string out = std::string(hour) + separator + "%M" + separator + "%S";
  if (twelveHour) out += " %p";
  return out;
}

// A text cut to at most limit bytes between characters.
std::string cut(const std::string& text, size_t limit) {
  return text.substr(0, tqMbSafeLength(text.c_str(), limit));
}

TQDtLocaleTable* buildLocaleTable() {
  auto* table = new TQDtLocaleTable{};
  table->locale = openTimeLocale();
  const std::string ampm = langinfo(T_FMT_AMPM, table->locale);
  table->dateFormat = langinfo(D_FMT, table->locale);
  table->timeFormat = langinfo(T_FMT, table->locale);
  if (table->dateFormat.empty()) table->dateFormat = "%m/%d/%y";
  if (table->timeFormat.empty()) table->timeFormat = "%H:%M:%S";
  table->items[kTQDtItemDate] = buildDateFormat(expandShorthands(table->dateFormat, ampm));
  table->items[kTQDtItemTime] = buildTimeFormat(expandShorthands(table->timeFormat, ampm));
  table->items[kTQDtItemDateTime] =
      table->items[kTQDtItemDate] + ' ' + table->items[kTQDtItemTime];
  for (int i = 0; i < 7; ++i) {
    table->items[kTQDtItemWeekday + i] = langinfo(DAY_1 + i, table->locale);
    table->items[kTQDtItemAbbrevWeekday + i] = langinfo(ABDAY_1 + i, table->locale);
  }
  for (int i = 0; i < 12; ++i) {
    table->items[kTQDtItemMonth + i] = langinfo(MON_1 + i, table->locale);
    table->items[kTQDtItemAbbrevMonth + i] = langinfo(ABMON_1 + i, table->locale);
  }
  table->items[kTQDtItemAm] = cut(langinfo(AM_STR, table->locale), kTQDtMaxDesignator);
  table->items[kTQDtItemPm] = cut(langinfo(PM_STR, table->locale), kTQDtMaxDesignator);
  return table;
}

// Month first unless a day ('d' or 'e') comes before any month letter
// ('B', 'b', 'h' or 'm'), counting every character of the format.
bool monthFirstIn(const char* format) {
  for (const char* p = format; *p != '\0'; ++p) {
    if (*p == 'd' || *p == 'e') return false;
    if (*p == 'B' || *p == 'b' || *p == 'h' || *p == 'm') return true;
  }
  return true;
}

TQDtScanTables* buildScanTables() {
  const TQDtLocaleTable& locale = tqDtLocaleTable();
  auto* tables = new TQDtScanTables{};
  for (int i = 0; i < 7; ++i) {
    tables->weekdays[i] = cut(locale.items[kTQDtItemWeekday + i], kTQDtMaxName);
    tables->abbrevWeekdays[i] = cut(locale.items[kTQDtItemAbbrevWeekday + i], kTQDtMaxName);
  }
  for (int i = 0; i < 12; ++i) {
    tables->months[i] = cut(locale.items[kTQDtItemMonth + i], kTQDtMaxName);
    tables->abbrevMonths[i] = cut(locale.items[kTQDtItemAbbrevMonth + i], kTQDtMaxName);
  }
  tables->am = locale.items[kTQDtItemAm];
  tables->pm = locale.items[kTQDtItemPm];
  const char* name = TQCatalogText(kCatalogSetEnvironment, kCatalogDateOverride);
  tables->overrideName = name != nullptr && name[0] != '\0' ? name : kDefaultOverrideName;
  const char* value = std::getenv(tables->overrideName.c_str());
  tables->monthFirst = monthFirstIn(value != nullptr && value[0] != '\0'
                                        ? value
                                        : locale.items[kTQDtItemDateTime].c_str());
  return tables;
}

// The tables live for the life of the process. A failed first build (out of
// memory) leaves them unset, and the next call tries again.
std::once_flag localeOnce;
std::once_flag scanOnce;
const TQDtLocaleTable* localeTable = nullptr;
const TQDtScanTables* scanTables = nullptr;

const TQDtLocaleTable kEmptyLocale{};
const TQDtScanTables kEmptyScan = [] {
  TQDtScanTables tables{};
  tables.monthFirst = true;
  return tables;
}();

}  // namespace

const TQDtLocaleTable& tqDtLocaleTable() {
  try {
    std::call_once(localeOnce, [] { localeTable = buildLocaleTable(); });
  } catch (...) {
    return kEmptyLocale;
  }
  return *localeTable;
}

const TQDtScanTables& tqDtScanTables() {
  try {
    std::call_once(scanOnce, [] { scanTables = buildScanTables(); });
  } catch (...) {
    return kEmptyScan;
  }
  return *scanTables;
}

const char* tqDtLocaleItem(int item) {
  if (item < 0 || item >= kTQDtItemCount) return "";
  return tqDtLocaleTable().items[item].c_str();
}

const char* tqDtOverrideName() {
  const std::string& name = tqDtScanTables().overrideName;
  return name.empty() ? kDefaultOverrideName : name.c_str();
}

const char* tqDtOverrideValue() {
  const char* value = std::getenv(tqDtOverrideName());
  return value != nullptr && value[0] != '\0' ? value : nullptr;
}

bool tqDtMonthFirst() {
  return tqDtScanTables().monthFirst;
}
