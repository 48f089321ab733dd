// Shift_JIS, EUC-JP and JIS escape text. Every source is decoded into JIS
// code units (ASCII, JIS X 0208, half-width katakana, JIS X 0212) and encoded
// again in the target form, so that each pair shares one decoder and one
// encoder.
#include "share/i18n/jaconv.h"

#include "share/i18n/mbcharset.h"

namespace {

constexpr bool In(unsigned char b, int lo, int hi) {
  return b >= lo && b <= hi;
}

constexpr unsigned char kEsc = 0x1B;
constexpr unsigned char kShiftOut = 0x0E;  // katakana until kShiftIn
constexpr unsigned char kShiftIn = 0x0F;
constexpr unsigned char kSs2 = 0x8E;  // EUC-JP: half-width katakana follows
constexpr unsigned char kSs3 = 0x8F;  // EUC-JP: JIS X 0212 follows

enum class Kind : unsigned char {
  kNone,       // an escape or shift: no character
  kAscii,      // b1
  kKanji,      // JIS X 0208 row b1, cell b2 (33-126)
  kKana,       // half-width katakana b1 (33-95)
  kKanji0212,  // JIS X 0212 row b1, cell b2
  kBad,        // len source bytes that form no character
};

struct JaChar {
  Kind kind = Kind::kNone;
  unsigned char b1 = 0;
  unsigned char b2 = 0;
  size_t len = 1;  // source bytes taken
};

bool Jis7(unsigned char b) {
  return In(b, 0x21, 0x7E);
}

JaChar DecodeSjis(const unsigned char* s, size_t avail) {
  unsigned char b = s[0];
  if (b < 0x80) return {Kind::kAscii, b, 0, 1};
  if (In(b, 0xA1, 0xDF)) return {Kind::kKana, static_cast<unsigned char>(b - 0x80), 0, 1};
  if (In(b, 0x81, 0x9F) || In(b, 0xE0, 0xEF)) {
    if (avail < 2 || s[1] == 0) return {Kind::kBad, 0, 0, 1};
    if (!In(s[1], 0x40, 0xFC) || s[1] == 0x7F) return {Kind::kBad, 0, 0, 2};
    JaChar c{Kind::kKanji, 0, 0, 2};
    tqSjisToJis(b, s[1], &c.b1, &c.b2);
    return c;
  }
  return {Kind::kBad, 0, 0, 1};
}

JaChar DecodeEuc(const unsigned char* s, size_t avail) {
  unsigned char b = s[0];
  unsigned char b2 = avail >= 2 ? s[1] : 0;
  if (b < 0x80) return {Kind::kAscii, b, 0, 1};
  if (In(b, 0xA1, 0xFE) && In(b2, 0xA1, 0xFE)) {
    return {Kind::kKanji, static_cast<unsigned char>(b - 0x80),
            static_cast<unsigned char>(b2 - 0x80), 2};
  }
  if (b == kSs2 && In(b2, 0xA1, 0xDF))
    return {Kind::kKana, static_cast<unsigned char>(b2 - 0x80), 0, 2};
  if (b == kSs3 && In(b2, 0xA1, 0xFE) && avail >= 3 && In(s[2], 0xA1, 0xFE)) {
    return {Kind::kKanji0212, static_cast<unsigned char>(b2 - 0x80),
            static_cast<unsigned char>(s[2] - 0x80), 3};
  }
  return {Kind::kBad, 0, 0, 1};
}

// Escape text is stateful: the designated set stays until the next escape.
struct JisDecoder {
  Kind mode = Kind::kAscii;
  bool shifted = false;  // between SO and SI: katakana

  JaChar Next(const unsigned char* s, size_t avail) {
    unsigned char b = s[0];
    if (b == kEsc) return Escape(s, avail);
    if (b == kShiftOut || b == kShiftIn) {
      shifted = b == kShiftOut;
      return {Kind::kNone, 0, 0, 1};
    }
    if (b >= 0x80) return {Kind::kBad, 0, 0, 1};
    if (!Jis7(b)) return {Kind::kAscii, b, 0, 1};  // controls and space in any mode
    if (shifted || mode == Kind::kKana) {
      return b <= 0x5F ? JaChar{Kind::kKana, b, 0, 1} : JaChar{Kind::kBad, 0, 0, 1};
    }
    if (mode == Kind::kAscii) return {Kind::kAscii, b, 0, 1};
    if (avail < 2 || !Jis7(s[1])) return {Kind::kBad, 0, 0, 1};
    return {mode, b, s[1], 2};
  }

  JaChar Escape(const unsigned char* s, size_t avail) {
    struct Sequence {
      const char* bytes;
      Kind mode;
    };
    static constexpr Sequence kSequences[] = {
        {"(B", Kind::kAscii},      {"(J", Kind::kAscii}, {"(I", Kind::kKana},
        {"$@", Kind::kKanji},      {"$B", Kind::kKanji}, {"$(B", Kind::kKanji},
        {"$(D", Kind::kKanji0212}, {"&@", Kind::kNone},
    };
    for (const Sequence& seq : kSequences) {
      size_t n = 0;
      while (seq.bytes[n] != '\0' && 1 + n < avail &&
             s[1 + n] == static_cast<unsigned char>(seq.bytes[n])) {
        ++n;
      }
      if (seq.bytes[n] != '\0') continue;
      // "ESC & @" only announces a revision of the set designated next.
      if (seq.mode != Kind::kNone) {
        mode = seq.mode;
        shifted = false;
      }
      return {Kind::kNone, 0, 0, 1 + n};
    }
    return {Kind::kBad, 0, 0, 1};
  }
};

struct Encoder {
  int charSet;
  TQMbOut& out;
  Kind jisMode = Kind::kAscii;  // escape text only

  // False when the character has no form in the target set.
  bool Put(const JaChar& c, const unsigned char* source) {
    switch (charSet) {
      case kTQCharSetEucJp:
        return PutEuc(c, source);
      case kTQCharSetSjis:
        return PutSjis(c, source);
      default:
        return PutJis(c, source);
    }
  }

  bool PutEuc(const JaChar& c, const unsigned char* source) {
    switch (c.kind) {
      case Kind::kAscii:
        out.Put(c.b1);
        break;
      case Kind::kKanji0212:
        out.Put(kSs3);
        [[fallthrough]];
      case Kind::kKanji:
        out.Put(c.b1 | 0x80);
        out.Put(c.b2 | 0x80);
        break;
      case Kind::kKana:
        out.Put(kSs2);
        out.Put(c.b1 | 0x80);
        break;
      case Kind::kBad:
        out.Put(source, c.len);
        break;
      case Kind::kNone:
        break;
    }
    return true;
  }

  bool PutSjis(const JaChar& c, const unsigned char* source) {
    unsigned char s1, s2;
    switch (c.kind) {
      case Kind::kAscii:
        out.Put(c.b1);
        break;
      case Kind::kKanji:
        tqJisToSjis(c.b1, c.b2, &s1, &s2);
        out.Put(s1);
        out.Put(s2);
        break;
      case Kind::kKana:
        out.Put(c.b1 | 0x80);
        break;
      case Kind::kKanji0212:
        return false;
      case Kind::kBad:
        out.Put(source, c.len);
        break;
      case Kind::kNone:
        break;
    }
    return true;
  }

  void Designate(Kind mode) {
    if (jisMode == mode) return;
    static constexpr unsigned char kAsciiSeq[] = {kEsc, '(', 'B'};
    static constexpr unsigned char kKanjiSeq[] = {kEsc, '$', 'B'};
    static constexpr unsigned char kKanaSeq[] = {kEsc, '(', 'I'};
    static constexpr unsigned char k0212Seq[] = {kEsc, '$', '(', 'D'};
    switch (mode) {
      case Kind::kKanji:
        out.Put(kKanjiSeq, sizeof kKanjiSeq);
        break;
      case Kind::kKana:
        out.Put(kKanaSeq, sizeof kKanaSeq);
        break;
      case Kind::kKanji0212:
        out.Put(k0212Seq, sizeof k0212Seq);
        break;
      default:
        out.Put(kAsciiSeq, sizeof kAsciiSeq);
        break;
    }
    jisMode = mode;
  }

  bool PutJis(const JaChar& c, const unsigned char* source) {
    switch (c.kind) {
      case Kind::kAscii:
        Designate(Kind::kAscii);
        out.Put(c.b1);
        break;
      case Kind::kKanji:
      case Kind::kKanji0212:
        Designate(c.kind);
        out.Put(c.b1);
        out.Put(c.b2);
        break;
      case Kind::kKana:
        Designate(Kind::kKana);
        out.Put(c.b1);
        break;
      case Kind::kBad:
        out.Put(source, c.len);
        break;
      case Kind::kNone:
        break;
    }
    return true;
  }

  // Escape text ends in ASCII so that it can be joined to other text.
  void Finish() {
    if (charSet == kTQCharSetJis) Designate(Kind::kAscii);
  }
};

}  // namespace

void tqSjisToJis(unsigned char s1, unsigned char s2, unsigned char* j1, unsigned char* j2) {
  // Each lead byte covers two rows: trails below 159 the odd one, the rest
  // the even one. Leads 224-239 continue the rows after 159.
  int lead = s1 >= 0xE0 ? s1 - 0x40 : s1;
  int row = (lead - 0x81) * 2 + 0x21;
  if (s2 >= 0x9F) {
    *j1 = static_cast<unsigned char>(row + 1);
    *j2 = static_cast<unsigned char>(s2 - 0x7E);
  } else {
    *j1 = static_cast<unsigned char>(row);
    *j2 = static_cast<unsigned char>(s2 - (s2 >= 0x80 ? 0x20 : 0x1F));
  }
}

void tqJisToSjis(unsigned char j1, unsigned char j2, unsigned char* s1, unsigned char* s2) {
  int lead = ((j1 - 0x21) >> 1) + 0x81;
  *s1 = static_cast<unsigned char>(lead > 0x9F ? lead + 0x40 : lead);
  if (j1 & 1) {
    *s2 = static_cast<unsigned char>(j2 + (j2 >= 0x60 ? 0x20 : 0x1F));
  } else {
    *s2 = static_cast<unsigned char>(j2 + 0x7E);
  }
}

bool tqJaConvertible(int from, int to) {
  auto japanese = [](int cs) {
    return cs == kTQCharSetJis || cs == kTQCharSetEucJp || cs == kTQCharSetSjis;
  };
  return from != to && japanese(from) && japanese(to) &&
         (from != kTQCharSetJis || to != kTQCharSetJis);
}

TQMbConvResult tqJaConvert(const unsigned char* src, size_t len, int from, int to, TQMbOut& out,
                           TQMbBadChars mode) {
  TQMbConvResult result;
  JisDecoder jis;
  Encoder encoder{to, out};
  for (size_t i = 0; i < len;) {
    JaChar c = from == kTQCharSetSjis    ? DecodeSjis(src + i, len - i)
               : from == kTQCharSetEucJp ? DecodeEuc(src + i, len - i)
                                         : jis.Next(src + i, len - i);
    bool ok = c.kind != Kind::kBad || mode == TQMbBadChars::kReplace;
    if (ok && !encoder.Put(c, src + i)) {
      ok = mode == TQMbBadChars::kReplace;
      if (ok) out.Put('?');
    }
    if (!ok) {
      result.status = TQMbConvStatus::kInvalid;
      result.badOffset = i;
      result.length = out.len;
      return result;
    }
    i += c.len;
  }
  encoder.Finish();
  result.length = out.len;
  return result;
}

bool tqJisValidate(const unsigned char* s, size_t len, size_t* badOffset) {
  JisDecoder jis;
  for (size_t i = 0; i < len;) {
    JaChar c = jis.Next(s + i, len - i);
    if (c.kind == Kind::kBad) {
      if (badOffset != nullptr) *badOffset = i;
      return false;
    }
    i += c.len;
  }
  return true;
}
