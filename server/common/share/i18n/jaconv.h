// Japanese text conversions between Shift_JIS (set 5), EUC-JP (set 4) and
// ISO-2022-JP escape text (set 3), by the JIS X 0208 row and cell arithmetic.
#pragma once

#include <cstddef>

#include "share/i18n/mbconvout.h"

// True for the pairs tqJaConvert handles: 5->4, 4->5, 3->4, 3->5, 4->3, 5->3.
bool tqJaConvertible(int from, int to);

// Converts len bytes of src from set `from` to set `to` into out (no
// terminator). Characters that are malformed in the source are copied
// unchanged (a Shift_JIS lead byte together with its out-of-range trail) or,
// with kFail, stop the conversion. A JIS X 0212 character (EUC-JP SS3) has no
// Shift_JIS form: kReplace writes '?' for it.
TQMbConvResult tqJaConvert(const unsigned char* src, size_t len, int from, int to, TQMbOut& out,
                           TQMbBadChars mode);

// True when len bytes of escape text are well formed: known escape
// sequences, 7-bit bytes, complete double-byte characters.
bool tqJisValidate(const unsigned char* s, size_t len, size_t* badOffset);

// The JIS X 0208 arithmetic. j1 and j2 are the 7-bit row and cell bytes
// (33-126); s1 is a Shift_JIS lead (129-159, 224-239), s2 a trail (64-252 but
// not 127).
void tqSjisToJis(unsigned char s1, unsigned char s2, unsigned char* j1, unsigned char* j2);
void tqJisToSjis(unsigned char j1, unsigned char j2, unsigned char* s1, unsigned char* s2);
