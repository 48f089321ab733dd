// iconv-based conversions with one converter per pair and thread, kept open
// for the thread's lifetime.
#include "share/i18n/mbiconv.h"

#include <iconv.h>

#include <cerrno>

#include "share/i18n/mbchar.h"

const char* tqMbIconvName(int charSet) {
  switch (charSet) {
    case kTQCharSetEucJp:
      return "EUC-JP";
    case kTQCharSetSjis:
      return "SHIFT_JIS";
    case kTQCharSetBig5:
      return "BIG5";
    case kTQCharSetEucTw:
      return "EUC-TW";
    case kTQCharSetIso8859_2:
      return "ISO-8859-2";
    case kTQCharSetIso8859_5:
      return "ISO-8859-5";
    case kTQCharSetCp1250:
      return "CP1250";
    case kTQCharSetCp1251:
      return "CP1251";
    case kTQCharSetUtf8:
      return "UTF-8";
    default:
      return nullptr;
  }
}

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// iconv handles are not shareable between threads; each thread keeps its own.
class ConverterCache {
 public:
  ConverterCache() = default;
  ConverterCache(const ConverterCache&) = delete;
  ConverterCache& operator=(const ConverterCache&) = delete;
  ~ConverterCache() {
    for (int i = 0; i < count_; ++i)
      iconv_close(entries_[i].cd);
  }

  iconv_t Get(int from, int to) {
    for (int i = 0; i < count_; ++i) {
      if (entries_[i].from == from && entries_[i].to == to) return entries_[i].cd;
    }
    iconv_t cd = iconv_open(tqMbIconvName(to), tqMbIconvName(from));
    if (cd != kNoConverter && count_ < kCapacity) entries_[count_++] = {from, to, cd};
    return cd;
  }

  bool Owns(iconv_t cd) const {
    for (int i = 0; i < count_; ++i) {
      if (entries_[i].cd == cd) return true;
    }
    return false;
  }

 private:
  struct Entry {
    int from;
    int to;
    iconv_t cd;
  };
  static constexpr int kCapacity = 10;  // the number of supported pairs
  Entry entries_[kCapacity] = {};
  int count_ = 0;
};

thread_local ConverterCache converters;

// Closes a converter that did not fit in the cache.
struct ConverterLease {
  iconv_t cd;
  ~ConverterLease() {
    if (cd != kNoConverter && !converters.Owns(cd)) iconv_close(cd);
  }
};

}  // namespace

bool tqMbIconvConvertible(int from, int to) {
  struct Pair {
    int a;
    int b;
  };
  static constexpr Pair kPairs[] = {
      {kTQCharSetBig5, kTQCharSetEucTw},       {kTQCharSetIso8859_2, kTQCharSetCp1250},
      {kTQCharSetIso8859_5, kTQCharSetCp1251}, {kTQCharSetUtf8, kTQCharSetEucJp},
      {kTQCharSetUtf8, kTQCharSetSjis},
  };
  for (const Pair& p : kPairs) {
    if ((from == p.a && to == p.b) || (from == p.b && to == p.a)) return true;
  }
  return false;
}

TQMbConvResult tqMbIconvConvert(const unsigned char* src, size_t len, int from, int to,
                                TQMbOut& out, TQMbBadChars mode) {
  TQMbConvResult result;
  ConverterLease lease{converters.Get(from, to)};
  if (lease.cd == kNoConverter) {
    result.status = TQMbConvStatus::kInvalid;
    return result;
  }
  TQMbRule rule = tqMbRuleOf(from);
  size_t i = 0;
  while (i < len) {
    if (src[i] < 0x80) {
      out.Put(src[i++]);
      continue;
    }
    // A run of non-ASCII characters; trail bytes below 128 stay inside it.
    size_t end = i;
    while (end < len && src[end] >= 0x80)
      end += tqMbRuleCharLen(src + end, len - end, rule);
    iconv(lease.cd, nullptr, nullptr, nullptr, nullptr);
    auto* in = reinterpret_cast<char*>(const_cast<unsigned char*>(src + i));
    size_t inLeft = end - i;
    while (inLeft > 0) {
      char chunk[256];
      char* o = chunk;
      size_t oLeft = sizeof chunk;
      size_t rc = iconv(lease.cd, &in, &inLeft, &o, &oLeft);
      out.Put(chunk, static_cast<size_t>(o - chunk));
      if (rc != static_cast<size_t>(-1) || errno == E2BIG) continue;
      // EILSEQ or EINVAL: the character at `in` cannot be converted.
      size_t at = static_cast<size_t>(reinterpret_cast<unsigned char*>(in) - src);
      if (mode == TQMbBadChars::kFail) {
        result.status = TQMbConvStatus::kInvalid;
        result.badOffset = at;
        result.length = out.len;
        return result;
      }
      out.Put('?');
      size_t skip = tqMbRuleCharLen(src + at, inLeft, rule);
      in += skip;
      inLeft -= skip;
      iconv(lease.cd, nullptr, nullptr, nullptr, nullptr);
    }
    i = end;
  }
  result.length = out.len;
  return result;
}
