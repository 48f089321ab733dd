// Conversions through the C library's iconv: Big5 <-> EUC-TW, ISO 8859-2 <->
// Windows 1250, ISO 8859-5 <-> Windows 1251, and UTF-8 <-> EUC-JP and
// Shift_JIS.
#pragma once

#include <cstddef>

#include "share/i18n/mbconvout.h"

// The name under which iconv knows a set (and texts name it), nullptr for
// the sets that have no converter here.
const char* tqMbIconvName(int charSet);

// True for the pairs tqMbIconvConvert handles.
bool tqMbIconvConvertible(int from, int to);

// Converts len bytes of src into out (no terminator). Bytes below 128 that
// stand alone are ASCII in every set here and are copied as they are, so that
// '\' and '~' keep their meaning in Shift_JIS text. A character that is
// invalid in `from` or has no form in `to` stops the conversion (kFail) or
// becomes '?' (kReplace). When the system lacks a converter for the pair the
// result is kInvalid at offset 0 in either mode.
TQMbConvResult tqMbIconvConvert(const unsigned char* src, size_t len, int from, int to,
                                TQMbOut& out, TQMbBadChars mode);
