// The exported multibyte text services: the current character set's
// functions for programs outside the library.
#include <climits>

#include "share/i18n/mbutil.h"
#include "tqlink_services.h"

static_assert(TQ_CHARSET_JIS == kTQCharSetJis && TQ_CHARSET_EUC_JP == kTQCharSetEucJp &&
              TQ_CHARSET_SJIS == kTQCharSetSjis && TQ_CHARSET_GB2312 == kTQCharSetGb2312 &&
              TQ_CHARSET_EUC_CN == kTQCharSetEucCn && TQ_CHARSET_BIG5 == kTQCharSetBig5 &&
              TQ_CHARSET_EUC_TW == kTQCharSetEucTw && TQ_CHARSET_KSC_5601_87 == kTQCharSetKsc87 &&
              TQ_CHARSET_KSC_5601_92 == kTQCharSetKsc92 && TQ_CHARSET_EUC_KR == kTQCharSetEucKr &&
              TQ_CHARSET_UTF8 == kTQCharSetUtf8);

namespace {

// The C functions hand back non-const pointers into the caller's text.
char* Mutable(const char* p) {
  return const_cast<char*>(p);
}

}  // namespace

extern "C" {

char* TQMbSafeCopy(char* dest, const char* src, size_t limit) {
  TQMbSafeCopyCount(dest, src, limit);
  return dest;
}

size_t TQMbSafeCopyCount(char* dest, const char* src, size_t limit) {
  if (dest == nullptr) return 0;
  return tqMbSafeCopyCount(dest, src != nullptr ? src : "", limit);
}

char* TQMbStrChr(const char* text, int c) {
  return text != nullptr ? Mutable(tqMbStrChr(text, c)) : nullptr;
}

char* TQMbStrRChr(const char* text, int c) {
  return text != nullptr ? Mutable(tqMbStrRChr(text, c)) : nullptr;
}

char* TQMbStrStr(const char* text, const char* sub) {
  return text != nullptr && sub != nullptr ? Mutable(tqMbStrStr(text, sub)) : nullptr;
}

size_t TQMbStrCSpn(const char* text, const char* reject) {
  if (text == nullptr) return 0;
  return tqMbStrCSpn(text, reject != nullptr ? reject : "");
}

int TQMbStrNICmp(const char* a, const char* b, size_t n) {
  if (a == nullptr || b == nullptr) return (a != nullptr) - (b != nullptr);
  return tqMbStrNICmp(a, b, n);
}

int TQMbCharLen(const char* text) {
  return static_cast<int>(tqMbCharLen(text));
}

int32_t TQMbConvert(char* dest, size_t destSize, const char* src, int32_t toSet) {
  if (dest == nullptr || destSize == 0) return -1;
  TQMbConvResult r =
      tqMbConvert(src, kTQCharSetCurrent, dest, destSize, toSet, TQMbBadChars::kReplace);
  if (r.status != TQMbConvStatus::kOk || r.length > INT32_MAX) return -1;
  return static_cast<int32_t>(r.length);
}

size_t TQMbEncodedLength(const char* text) {
  return tqMbEncodedLength(text);
}

}  // extern "C"
