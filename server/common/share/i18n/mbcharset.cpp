// Character-set numbers from names, codesets and locales, and the process's
// current and client sets.
#include "share/i18n/mbcharset.h"

#include <langinfo.h>
#include <locale.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

struct NamePattern {
  const char* pattern;
  int charSet;
};

// Searched in order; the first pattern found in the name wins. "EUC_K" stands
// before the plain "EUC" so that a Korean EUC name does not select EUC-JP.
constexpr NamePattern kNameTable[] = {
    {"EUC_H", kTQCharSetEucTw},
    {"EUC_TW", kTQCharSetEucTw},
    {"EUC_C", kTQCharSetEucCn},
    {"EUC_ZH", kTQCharSetEucCn},
    {"EUC_K", kTQCharSetEucKr},
    {"EUC", kTQCharSetEucJp},
    {"EUC_J", kTQCharSetEucJp},
    {"SJIS", kTQCharSetSjis},
    {"JIS", kTQCharSetJis},
    {"GB", kTQCharSetGb2312},
    {"BIG5", kTQCharSetBig5},
    {"KSC_5601_87", kTQCharSetKsc87},
    {"KSC_5601_92", kTQCharSetKsc92},
    {"1250", 23},
    {"1251", 24},
    {"1253", 25},
    {"1254", 26},
    {"1255", 27},
    {"1256", 28},
    {"1257", 29},
    {"1258", 30},
    {"8859_2", 14},
    {"8859_3", 15},
    {"8859_4", 16},
    {"8859_5", 17},
    {"8859_6", 18},
    {"8859_7", 19},
    {"8859_8", 20},
    {"8859_9", 21},
    {"8859_10", 22},
    {"UTF8", kTQCharSetUtf8},
    {"UTF-8", kTQCharSetUtf8},
    {"utf8", kTQCharSetUtf8},
    {"utf-8", kTQCharSetUtf8},
};

// A codeset name in upper case without '-' and '_': "Shift_JIS" and
// "shift-jis" both give "SHIFTJIS". Longer names than any known codeset are
// cut, which leaves them unknown.
struct NormalCodeset {
  char text[24] = {};
  explicit NormalCodeset(const char* codeset) {
    size_t n = 0;
    for (const char* p = codeset; p != nullptr && *p != '\0' && n + 1 < sizeof text; ++p) {
      if (*p == '-' || *p == '_') continue;
      text[n++] = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
    }
  }
  bool operator==(const char* other) const { return std::strcmp(text, other) == 0; }
};

// The number that follows prefix in text, or -1 when text is not prefix and
// then one to five digits.
int NumberAfter(const NormalCodeset& cs, const char* prefix) {
  size_t n = std::strlen(prefix);
  size_t len = std::strlen(cs.text);
  if (len <= n || len > n + 5 || std::strncmp(cs.text, prefix, n) != 0) return -1;
  int value = 0;
  for (size_t i = n; i < len; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(cs.text[i]))) return -1;
    value = value * 10 + (cs.text[i] - '0');
  }
  return value;
}

// Windows code page 1250 to 1258 (not 1252) as a set number, else -1.
int WindowsPageSet(int page) {
  if (page == 1250) return 23;
  if (page == 1251) return 24;
  if (page >= 1253 && page <= 1258) return 25 + (page - 1253);
  return -1;
}

struct CodesetClass {
  int charSet;       // number of the client set
  const char* name;  // its name in the name table
};

CodesetClass ClassifyCodeset(const char* codeset) {
  static const char* const kWindowsNames[] = {"1253", "1254", "1255", "1256", "1257", "1258"};
  static const char* const kIsoNames[] = {"8859_2", "8859_3", "8859_4", "8859_5", "8859_6",
                                          "8859_7", "8859_8", "8859_9", "8859_10"};
  NormalCodeset cs(codeset);
  if (cs == "UTF8") return {kTQCharSetUtf8, "UTF8"};
  if (cs == "SHIFTJIS" || cs == "SJIS" || cs == "CP932" || cs == "WINDOWS31J" || cs == "MSKANJI")
    return {kTQCharSetSjis, "SJIS"};
  if (cs == "EUCJP") return {kTQCharSetEucJp, "EUC_J"};
  if (cs == "GB2312" || cs == "GBK" || cs == "CP936" || cs == "EUCCN")
    return {kTQCharSetGb2312, "GB2312"};
  if (cs == "BIG5" || cs == "CP950") return {kTQCharSetBig5, "BIG5"};
  if (cs == "EUCKR" || cs == "CP949") return {kTQCharSetKsc92, "KSC_5601_92"};
  int page = NumberAfter(cs, "CP");
  if (page < 0) page = NumberAfter(cs, "WINDOWS");
  if (page == 1252) return {kTQCharSetNone, "WESTERN"};
  if (page == 1250) return {23, "1250"};
  if (page == 1251) return {24, "1251"};
  if (WindowsPageSet(page) > 0) return {WindowsPageSet(page), kWindowsNames[page - 1253]};
  int part = NumberAfter(cs, "ISO8859");
  if (part == 1) return {kTQCharSetNone, "WESTERN"};
  if (part >= 2 && part <= 10) return {12 + part, kIsoNames[part - 2]};
  return {kTQCharSetNone, ""};
}

bool Contains(const char* text, const char* part) {
  return text != nullptr && std::strstr(text, part) != nullptr;
}

}  // namespace

bool tqMbIsMultibyteSet(int charSet) {
  switch (charSet) {
    case kTQCharSetJis:
    case kTQCharSetEucJp:
    case kTQCharSetSjis:
    case kTQCharSetGb2312:
    case kTQCharSetEucCn:
    case kTQCharSetBig5:
    case kTQCharSetEucTw:
    case kTQCharSetKsc87:
    case kTQCharSetKsc92:
    case kTQCharSetEucKr:
    case kTQCharSetUtf8:
      return true;
    default:
      return false;
  }
}

int tqMbMaxCharLen(int charSet) {
  if (charSet == kTQCharSetEucJp) return 3;
  if (charSet == kTQCharSetEucTw || charSet == kTQCharSetUtf8) return 4;
  if (charSet == kTQCharSetJis) return 1;
  return tqMbIsMultibyteSet(charSet) ? 2 : 1;
}

int tqMbCharSetFromName(const char* name) {
  if (name == nullptr || *name == '\0') return kTQCharSetNone;
  for (const NamePattern& row : kNameTable) {
    if (Contains(name, row.pattern)) return row.charSet;
  }
  return kTQCharSetNone;
}

int tqMbServerCharSetFromName(const char* reported) {
  if (Contains(reported, "EUC")) return kTQCharSetEucJp;
  if (Contains(reported, "SJIS")) return kTQCharSetSjis;
  return kTQCharSetNone;
}

int tqMbCharSetFromCodeset(const char* codeset) {
  return ClassifyCodeset(codeset).charSet;
}

const char* tqMbCharSetNameFromCodeset(const char* codeset) {
  return ClassifyCodeset(codeset).name;
}

int tqMbCharSetFromLocale(const char* localeName, const char* codeset) {
  char fromName[64];
  if (codeset == nullptr) {
    tqMbLocaleCodeset(localeName, fromName, sizeof fromName);
    codeset = fromName;
  }
  int byCodeset = tqMbCharSetFromCodeset(codeset);
  if (byCodeset == kTQCharSetUtf8 || byCodeset == kTQCharSetEucJp) return byCodeset;

  // "language[_territory][.codeset][@modifier]"
  const char* name = localeName != nullptr ? localeName : "";
  size_t languageLen = std::strcspn(name, "_.@");
  auto language = [&](const char* want) {
    return languageLen == std::strlen(want) && std::strncmp(name, want, languageLen) == 0;
  };
  if (language("ja")) return kTQCharSetSjis;
  if (language("ko")) return kTQCharSetKsc87;
  if (language("zh")) {
    const char* territory = name + languageLen;
    if (*territory == '_') {
      ++territory;
      size_t n = std::strcspn(territory, ".@");
      if (n == 2 &&
          (std::strncmp(territory, "TW", 2) == 0 || std::strncmp(territory, "HK", 2) == 0))
        return kTQCharSetBig5;
    }
    return kTQCharSetGb2312;
  }
  return kTQCharSetNone;
}

const char* tqMbEnvironmentLocaleName() {
  for (const char* var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(var);
    if (value != nullptr && *value != '\0') return value;
  }
  return "C";
}

void tqMbLocaleCodeset(const char* localeName, char* codeset, size_t size) {
  if (size == 0) return;
  codeset[0] = '\0';
  if (localeName == nullptr) return;
  // The installed locale knows its codeset even when the name does not say it
  // ("ja_JP" is EUC-JP). A private locale object leaves the process's own
  // locale alone.
  if (locale_t loc = newlocale(LC_CTYPE_MASK, localeName, static_cast<locale_t>(0))) {
    const char* cs = nl_langinfo_l(CODESET, loc);
    if (cs != nullptr && *cs != '\0') {
      std::strncpy(codeset, cs, size - 1);
      codeset[size - 1] = '\0';
      freelocale(loc);
      return;
    }
    freelocale(loc);
  }
  const char* dot = std::strchr(localeName, '.');
  if (dot == nullptr) return;
  size_t n = std::strcspn(dot + 1, "@");
  if (n >= size) n = size - 1;
  std::memcpy(codeset, dot + 1, n);
  codeset[n] = '\0';
}

int tqMbCurrentCharSet() {
  // Every thread would compute the same value; the static makes it once.
  static const int current = tqMbCharSetFromLocale(tqMbEnvironmentLocaleName(), nullptr);
  return current;
}

int tqMbClientCharSet() {
  static const int client = [] {
    char codeset[64];
    tqMbLocaleCodeset(tqMbEnvironmentLocaleName(), codeset, sizeof codeset);
    return tqMbCharSetFromCodeset(codeset);
  }();
  return client;
}
