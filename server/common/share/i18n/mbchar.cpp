// Character boundaries in each set.
#include "share/i18n/mbchar.h"

#include <cstring>

#include "share/i18n/jaconv.h"

namespace {

constexpr bool In(unsigned char b, int lo, int hi) {
  return b >= lo && b <= hi;
}

// Length of a well-formed UTF-8 sequence at s (no overlong forms, no
// surrogates, nothing above U+10FFFF), or 1.
size_t Utf8Len(const unsigned char* s, size_t avail) {
  unsigned char b = s[0];
  size_t n;
  unsigned char lo = 0x80, hi = 0xBF;  // range of the second byte
  if (In(b, 0xC2, 0xDF)) {
    n = 2;
  } else if (In(b, 0xE0, 0xEF)) {
    n = 3;
    if (b == 0xE0) lo = 0xA0;
    if (b == 0xED) hi = 0x9F;
  } else if (In(b, 0xF0, 0xF4)) {
    n = 4;
    if (b == 0xF0) lo = 0x90;
    if (b == 0xF4) hi = 0x8F;
  } else {
    return 1;
  }
  if (avail < n || !In(s[1], lo, hi)) return 1;
  for (size_t i = 2; i < n; ++i) {
    if (!In(s[i], 0x80, 0xBF)) return 1;
  }
  return n;
}

size_t MultibyteLen(const unsigned char* s, size_t avail, TQMbRule rule) {
  unsigned char b1 = s[0];
  unsigned char b2 = avail >= 2 ? s[1] : 0;
  switch (rule) {
    case TQMbRule::kSingle:
    case TQMbRule::kJis:
      return 1;
    case TQMbRule::kEucJp:
      if (In(b1, 161, 254) && In(b2, 161, 254)) return 2;
      if (b1 == 142 && In(b2, 161, 223)) return 2;
      if (b1 == 143 && In(b2, 161, 254) && avail >= 3 && In(s[2], 161, 254)) return 3;
      return 1;
    case TQMbRule::kSjis:
      return (In(b1, 129, 159) || In(b1, 224, 239)) && In(b2, 64, 252) ? 2 : 1;
    case TQMbRule::kGbk:
      return In(b1, 129, 254) && (In(b2, 64, 126) || In(b2, 128, 254)) ? 2 : 1;
    case TQMbRule::kEuc2:
      return In(b1, 161, 254) && In(b2, 161, 254) ? 2 : 1;
    case TQMbRule::kBig5:
      return In(b1, 161, 254) && (In(b2, 161, 254) || In(b2, 64, 126)) ? 2 : 1;
    case TQMbRule::kEucTw:
      if (In(b1, 161, 254) && In(b2, 161, 254)) return 2;
      if (b1 == 142 && In(b2, 162, 176) && avail >= 4 && In(s[2], 161, 254) && In(s[3], 161, 254))
        return 4;
      return 1;
    case TQMbRule::kKoreanWide:
      return In(b1, 129, 254) && (In(b2, 65, 90) || In(b2, 97, 122) || In(b2, 129, 254)) ? 2 : 1;
    case TQMbRule::kKoreanJohab:
      return (In(b1, 132, 211) || In(b1, 216, 222) || In(b1, 224, 249)) &&
                     (In(b2, 65, 126) || In(b2, 129, 254))
                 ? 2
                 : 1;
    case TQMbRule::kUtf8:
      return Utf8Len(s, avail);
  }
  return 1;
}

}  // namespace

TQMbRule tqMbRuleOf(int charSet) {
  if (charSet == kTQCharSetCurrent) {
    int current = tqMbCurrentCharSet();
    return current == kTQCharSetKsc87 ? TQMbRule::kKoreanWide : tqMbRuleOf(current);
  }
  switch (charSet) {
    case kTQCharSetJis:
      return TQMbRule::kJis;
    case kTQCharSetEucJp:
      return TQMbRule::kEucJp;
    case kTQCharSetSjis:
      return TQMbRule::kSjis;
    case kTQCharSetGb2312:
      return TQMbRule::kGbk;
    case kTQCharSetEucCn:
    case kTQCharSetEucKr:
      return TQMbRule::kEuc2;
    case kTQCharSetBig5:
      return TQMbRule::kBig5;
    case kTQCharSetEucTw:
      return TQMbRule::kEucTw;
    case kTQCharSetKsc87:
    case kTQCharSetKsc92:
      return TQMbRule::kKoreanJohab;
    case kTQCharSetUtf8:
      return TQMbRule::kUtf8;
    default:
      return TQMbRule::kSingle;
  }
}

size_t tqMbRuleCharLen(const unsigned char* s, size_t avail, TQMbRule rule) {
  if (avail <= 1 || s[0] < 128) return 1;
  return MultibyteLen(s, avail, rule);
}

size_t tqMbValidCharLen(const unsigned char* s, size_t avail, int charSet) {
  if (avail == 0) return 0;
  if (s[0] < 128) return 1;
  TQMbRule rule = tqMbRuleOf(charSet);
  if (rule == TQMbRule::kSingle) return 1;
  size_t n = MultibyteLen(s, avail, rule);
  if (n == 1) {
    // Half-width katakana are the only single non-ASCII bytes of a multibyte set.
    return rule == TQMbRule::kSjis && In(s[0], 161, 223) ? 1 : 0;
  }
  // 127 would fold onto the code of trail 128 in the JIS arithmetic.
  if (rule == TQMbRule::kSjis && s[1] == 127) return 0;
  return n;
}

bool tqMbValidate(const char* text, size_t len, int charSet, size_t* badOffset) {
  const auto* s = reinterpret_cast<const unsigned char*>(text);
  if (charSet == kTQCharSetCurrent) charSet = tqMbCurrentCharSet();
  if (charSet == kTQCharSetJis) return tqJisValidate(s, len, badOffset);
  for (size_t i = 0; i < len;) {
    size_t n = tqMbValidCharLen(s + i, len - i, charSet);
    if (n == 0) {
      if (badOffset != nullptr) *badOffset = i;
      return false;
    }
    i += n;
  }
  return true;
}

bool tqMbValidate(const char* text, int charSet, size_t* badOffset) {
  return text == nullptr || tqMbValidate(text, std::strlen(text), charSet, badOffset);
}
