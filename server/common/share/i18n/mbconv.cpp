// Dispatch of conversions to the Japanese arithmetic or to iconv.
#include "share/i18n/mbconv.h"

#include <cstring>

#include "share/i18n/jaconv.h"
#include "share/i18n/mbiconv.h"

namespace {

int Resolve(int charSet) {
  return charSet == kTQCharSetCurrent ? tqMbCurrentCharSet() : charSet;
}

}  // namespace

bool tqMbConversionSupported(int from, int to) {
  from = Resolve(from);
  to = Resolve(to);
  return tqJaConvertible(from, to) || tqMbIconvConvertible(from, to);
}

size_t tqMbConvertBound(size_t srcLen, int from, int to) {
  if (!tqMbConversionSupported(from, to)) return srcLen + 1;
  // Escape text may switch sets around every byte: 3 bytes of escape for 1 of
  // text, plus the final return to ASCII. Everything else at most triples
  // (one Shift_JIS katakana byte is three bytes of UTF-8).
  if (Resolve(to) == kTQCharSetJis) return 4 * srcLen + 4;
  return 3 * srcLen + 1;
}

TQMbConvResult tqMbConvert(const char* src, size_t srcLen, int from, char* dest, size_t destSize,
                           int to, TQMbBadChars mode) {
  from = Resolve(from);
  to = Resolve(to);
  TQMbOut out{dest, destSize, 0};
  TQMbConvResult result;
  const auto* s = reinterpret_cast<const unsigned char*>(src);
  if (src == nullptr) {
    srcLen = 0;
    s = reinterpret_cast<const unsigned char*>("");
  }
  if (tqJaConvertible(from, to)) {
    result = tqJaConvert(s, srcLen, from, to, out, mode);
  } else if (tqMbIconvConvertible(from, to)) {
    result = tqMbIconvConvert(s, srcLen, from, to, out, mode);
  } else {
    out.Put(s, srcLen);
    result.length = out.len;
  }
  if (result.status == TQMbConvStatus::kOk && result.length >= destSize) {
    result.status = TQMbConvStatus::kNoRoom;
  }
  if (destSize > 0) dest[result.status == TQMbConvStatus::kOk ? result.length : 0] = '\0';
  return result;
}

TQMbConvResult tqMbConvert(const char* src, int from, char* dest, size_t destSize, int to,
                           TQMbBadChars mode) {
  return tqMbConvert(src, src != nullptr ? std::strlen(src) : 0, from, dest, destSize, to, mode);
}

size_t tqMbEncodedLength(const char* text, int clientSet, int serverSet) {
  if (text == nullptr) return 0;
  size_t len = std::strlen(text);
  if (!tqMbConversionSupported(clientSet, serverSet)) return len;
  // Measured without a buffer: the output only counts.
  TQMbConvResult r =
      tqMbConvert(text, len, clientSet, nullptr, 0, serverSet, TQMbBadChars::kReplace);
  return r.length > len ? r.length : len;
}
