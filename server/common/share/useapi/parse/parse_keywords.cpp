// The parser's keyword table (loaded once per process) and the values that
// keywords inside a longer text are replaced by.
#include "share/useapi/parse/parse_keywords.h"

#include <sys/utsname.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>

#include "share/apisrv/catalog.h"
#include "share/apisrv/datetime.h"
#include "share/apisrv/error.h"
#include "share/i18n/mbutil.h"

namespace {

constexpr const char* kBuiltinKeywords[kTQKeywordCount] = {
    "DEFAULT", "USER",      "TIMESTAMP", "TIME",  "DATE",        "SCHEMA", "SERVER",    "WEEKDAY",
    "GROUPS",  "OPERATION", "HARDWARE",  "OS",    "DATABASE",    "LASTID", "LASTCOUNT", "VERSION",
    "VUI",     "GUIDETEXT", "FIELDHELP", "GUIDE", "APPLICATION", "NO"};
constexpr const char* kBuiltinOperatorWords[kTQOperatorWordCount] = {"LIKE", "AND",  "OR",
                                                                     "NOT",  "USER", "TIME"};
constexpr const char* kBuiltinNull = "NULL";

constexpr int32_t kFirstKeywordMessage = 1060;
constexpr int32_t kNullKeywordMessage = 829;
constexpr int32_t kFirstOperatorWordMessage = 21;

// The inside of a "$" pair holds at most this many bytes.
constexpr size_t kMaxKeywordInside = TQ_MAX_NAME_SIZE;
// A GROUPS or DATABASE value holds at most this many bytes.
constexpr size_t kMaxListValue = 255;
constexpr size_t kMaxTimestampValue = 30;

TQKeywordTable gTable;
std::once_flag gTableOnce;

void loadWord(nl_catd catalog, int32_t number, const char* builtin, TQNameType out) {
  const char* text = catalog == kTQNoCatalog
                         ? builtin
                         : tqCatalogFetch(catalog, kTQCatalogSetKeywords, number, builtin);
  tqCopyTextCut(out, text, TQ_MAX_NAME_SIZE);
}

void loadTable() {
  const nl_catd catalog = tqCatalogAcquire();
  for (int i = 0; i < kTQKeywordCount; ++i) {
    loadWord(catalog, kFirstKeywordMessage + i, kBuiltinKeywords[i], gTable.keywords[i]);
  }
  loadWord(catalog, kNullKeywordMessage, kBuiltinNull, gTable.nullKeyword);
  for (int i = 0; i < kTQOperatorWordCount; ++i) {
    loadWord(catalog, kFirstOperatorWordMessage + i, kBuiltinOperatorWords[i],
             gTable.operatorWords[i]);
  }
}

bool sameWord(const char* inner, size_t length, const char* word) {
  return std::strlen(word) == length && tqMbStrNICmp(inner, word, length) == 0;
}

// "n" with n from 0 to 21, digits only.
int smallNumber(const char* digits, size_t length) {
  if (length == 0 || length > 2) return -1;
  int value = 0;
  for (size_t i = 0; i < length; ++i) {
    if (digits[i] < '0' || digits[i] > '9') return -1;
    value = value * 10 + (digits[i] - '0');
  }
  return value < kTQKeywordCount ? value : -1;
}

std::string cut(const std::string& text, size_t maxBytes) {
  return text.substr(0, tqMbSafeLength(text.c_str(), maxBytes));
}

std::string formatted(size_t (*format)(char*, size_t, int32_t)) {
  char buffer[kTQMessageBufferSize];
  format(buffer, sizeof buffer, static_cast<int32_t>(std::time(nullptr)));
  return buffer;
}

std::string weekday() {
  const time_t now = std::time(nullptr);
  struct tm local {};
  char buffer[64] = {};
  if (localtime_r(&now, &local) != nullptr) std::strftime(buffer, sizeof buffer, "%A", &local);
  return buffer;
}

std::string text(const char* value) {
  return value == nullptr ? std::string() : value;
}

std::string serverValue(const TQParseContext& context, uint32_t keyword, bool& known,
                        std::string& value) {
  if (!known) {
    value.clear();
    if (context.serverKeyword != nullptr) {
      context.serverKeyword(context.serverKeywordData, keyword, &value);
    }
    value = cut(value, kMaxListValue);
    known = true;
  }
  return value;
}

}  // namespace

const TQKeywordTable& tqKeywordTable() {
  std::call_once(gTableOnce, loadTable);
  return gTable;
}

int tqKeywordNumber(const char* inner, size_t length) {
  if (length == 0 || length > kMaxKeywordInside) return -1;
  for (size_t i = 0; i < length; ++i) {
    if (inner[i] == '\1' || inner[i] == '\2') return -1;
  }
  if (inner[0] == '-') {
    if (length == 3 && inner[1] == '-' && inner[2] == '1') return kTQKeywordNull;
    return smallNumber(inner + 1, length - 1);
  }
  const TQKeywordTable& table = tqKeywordTable();
  for (int i = 0; i < kTQKeywordCount; ++i) {
    if (sameWord(inner, length, table.keywords[i])) return i;
  }
  if (sameWord(inner, length, table.nullKeyword)) return kTQKeywordNull;
  return -1;
}

bool tqFindKeyword(const char* text, size_t from, size_t* open, size_t* close, int* number) {
  const char* start = tqMbStrChr(text + from, '$');
  while (start != nullptr) {
    const char* end = tqMbStrChr(start + 1, '$');
    if (end == nullptr) return false;
    const int found = tqKeywordNumber(start + 1, static_cast<size_t>(end - start - 1));
    if (found >= 0) {
      *open = static_cast<size_t>(start - text);
      *close = static_cast<size_t>(end - text);
      *number = found;
      return true;
    }
    // The closing sign may open the next keyword.
    start = end;
  }
  return false;
}

std::string tqKeywordValue(const TQParseContext& context, int number, TQKeywordCache& cache) {
  switch (number) {
    case 1:
      return text(context.user);
    case 2:
      return cut(formatted(tqDtFormatDateTime), kMaxTimestampValue);
    case 3:
      return formatted(tqDtFormatTime);
    case 4:
      return formatted(tqDtFormatDate);
    case 5:
      return text(context.schema);
    case 6:
      return text(context.server);
    case 7:
      return weekday();
    case 8:
      return serverValue(context, kTQKeywordGroups, cache.groupsKnown, cache.groups);
    case 9:
      return "QUERY";
    case 10:
      return tqKeywordHardware();
    case 11:
      return tqKeywordSystem();
    case 12:
      return serverValue(context, kTQKeywordDatabase, cache.databaseKnown, cache.database);
    case 13:
      return text(context.lastEntryId);
    case 14:
      return std::to_string(context.lastMatchCount);
    case 15: {
      char version[] = "4.00.03";
      return text(TQVersionText(version));
    }
    case 16:
      return text(context.viewLabel);
    default:  // DEFAULT, GUIDETEXT, FIELDHELP, GUIDE, APPLICATION, NO, NULL
      return std::string();
  }
}

std::string tqKeywordHardware() {
  struct utsname system {};
  if (uname(&system) != 0) return std::string();
  const std::string machine = system.machine;
  if (machine == "i386") return "Intel 386";
  if (machine == "i486") return "Intel 486";
  if (machine == "i586" || machine == "i686") return "Intel Pentium";
  return machine;
}

std::string tqKeywordSystem() {
  struct utsname system {};
  if (uname(&system) != 0) return std::string();
  int major = 0;
  int minor = 0;
  std::sscanf(system.release, "%d.%d", &major, &minor);
  char buffer[sizeof system.sysname + 32];
  std::snprintf(buffer, sizeof buffer, "%s %d.%d", system.sysname, major, minor);
  return buffer;
}
