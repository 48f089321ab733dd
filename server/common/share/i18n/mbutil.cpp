// The multibyte-safe string functions.
#include "share/i18n/mbutil.h"

#include <cctype>
#include <cstdint>
#include <cstring>

namespace {

const unsigned char* Bytes(const char* text) {
  return reinterpret_cast<const unsigned char*>(text);
}

// Bytes of the character at p in a terminated text.
size_t Len(const char* p, TQMbRule rule) {
  return tqMbRuleCharLen(Bytes(p), SIZE_MAX, rule);
}

// Calls visit(position) at the start of every character until it returns
// true; returns that position, or NULL.
template <typename Visit>
const char* FindChar(const char* text, TQMbRule rule, Visit visit) {
  for (const char* p = text; *p != '\0'; p += Len(p, rule)) {
    if (visit(p)) return p;
  }
  return nullptr;
}

bool IsSingle(const char* p, TQMbRule rule) {
  return Len(p, rule) == 1;
}

}  // namespace

size_t tqMbCharLen(const char* text, int charSet) {
  return text == nullptr ? 1 : Len(text, tqMbRuleOf(charSet));
}

size_t tqMbSafeLength(const char* text, size_t limit, int charSet) {
  TQMbRule rule = tqMbRuleOf(charSet);
  if (rule == TQMbRule::kSingle) return strnlen(text, limit);
  size_t at = 0;
  while (at < limit && text[at] != '\0') {
    size_t n = Len(text + at, rule);
    if (at + n > limit) break;
    at += n;
  }
  return at;
}

size_t tqMbSafeCopyCount(char* dest, const char* src, size_t limit, int charSet) {
  size_t len = strnlen(src, limit);
  size_t copy = len < limit ? len : tqMbSafeLength(src, limit, charSet);
  std::memcpy(dest, src, copy);
  std::memset(dest + copy, 0, limit - copy);
  return copy;
}

char* tqMbSafeCopy(char* dest, const char* src, size_t limit, int charSet) {
  tqMbSafeCopyCount(dest, src, limit, charSet);
  return dest;
}

size_t tqMbNextChar(const char* text, size_t pos, int charSet) {
  if (text[pos] == '\0') return 0;
  size_t next = pos + Len(text + pos, tqMbRuleOf(charSet));
  return text[next] == '\0' ? 0 : next;
}

const char* tqMbStrChr(const char* text, int c, int charSet) {
  TQMbRule rule = tqMbRuleOf(charSet);
  char ch = static_cast<char>(c);
  if (ch == '\0') return text + std::strlen(text);
  return FindChar(text, rule, [&](const char* p) { return *p == ch && IsSingle(p, rule); });
}

const char* tqMbStrRChr(const char* text, int c, int charSet) {
  TQMbRule rule = tqMbRuleOf(charSet);
  char ch = static_cast<char>(c);
  if (ch == '\0') return text + std::strlen(text);
  const char* last = nullptr;
  FindChar(text, rule, [&](const char* p) {
    if (*p == ch && IsSingle(p, rule)) last = p;
    return false;
  });
  return last;
}

const char* tqMbStrStr(const char* text, const char* sub, int charSet) {
  size_t n = std::strlen(sub);
  if (n == 0) return text;
  return FindChar(text, tqMbRuleOf(charSet),
                  [&](const char* p) { return std::strncmp(p, sub, n) == 0; });
}

const char* tqMbStrPBrk(const char* text, const char* accept, int charSet) {
  TQMbRule rule = tqMbRuleOf(charSet);
  return FindChar(text, rule, [&](const char* p) {
    return IsSingle(p, rule) && std::strchr(accept, *p) != nullptr;
  });
}

size_t tqMbStrCSpn(const char* text, const char* reject, int charSet) {
  const char* hit = tqMbStrPBrk(text, reject, charSet);
  return hit != nullptr ? static_cast<size_t>(hit - text) : std::strlen(text);
}

int tqMbStrNICmp(const char* a, const char* b, size_t n, int charSet) {
  TQMbRule rule = tqMbRuleOf(charSet);
  size_t i = 0;
  while (i < n) {
    // The texts agree up to i, so a's character boundaries are b's as well.
    size_t len = Len(a + i, rule);
    for (size_t k = 0; k < len && i < n; ++k, ++i) {
      int ca = static_cast<unsigned char>(a[i]);
      int cb = static_cast<unsigned char>(b[i]);
      if (len == 1) {
        ca = std::tolower(ca);
        cb = std::tolower(cb);
      }
      if (ca != cb) return ca - cb;
      if (ca == 0) return 0;
    }
  }
  return 0;
}
