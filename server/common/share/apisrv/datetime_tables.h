// The process-wide tables behind the date and time services: the locale
// table with the locale it came from, and the scanner's tables. Both are
// filled once, at first use, and only read afterwards.
#pragma once

#include <locale.h>

#include <string>

#include "share/apisrv/datetime.h"

struct TQDtLocaleTable {
  locale_t locale;         // the environment's time locale, or "C"
  std::string dateFormat;  // the locale's own date and time formats, for formatting
  std::string timeFormat;
  std::string items[kTQDtItemCount];
};

struct TQDtScanTables {
  std::string weekdays[7];        // full names, cut to kTQDtMaxName bytes
  std::string abbrevWeekdays[7];  // abbreviated names
  std::string months[12];
  std::string abbrevMonths[12];
  std::string am;
  std::string pm;
  std::string overrideName;  // the date-override variable's name
  bool monthFirst;
};

const TQDtLocaleTable& tqDtLocaleTable();
const TQDtScanTables& tqDtScanTables();

// A printable ASCII character that is neither a letter nor a digit: the
// characters a format matches literally.
inline bool tqDtIsPunct(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return u > 0x20 && u < 0x7F && !(u >= '0' && u <= '9') && !(u >= 'A' && u <= 'Z') &&
         !(u >= 'a' && u <= 'z');
}

// Whether only spaces and tabs are left of a text.
inline bool tqDtOnlySpacesTabs(const char* p) {
  while (*p == ' ' || *p == '\t') ++p;
  return *p == '\0';
}
