// Multibyte-safe text: the C library's string functions over whole
// characters, so that a byte inside a double-byte character is never taken
// for a separator and a text is never cut in the middle of a character.
//
// Every function takes the character set last; kTQCharSetCurrent (the
// default) means the process's current set. In a single-byte set they behave
// exactly like their C library counterparts.
//
// This is the header for code inside the library: it also brings the set
// numbers, character rules and conversions.
#pragma once

#include <cstddef>

#include "share/i18n/mbchar.h"
#include "share/i18n/mbcharset.h"
#include "share/i18n/mbconv.h"

// Bytes of the character at text, at least 1 (also for the terminator).
size_t tqMbCharLen(const char* text, int charSet = kTQCharSetCurrent);

// The largest byte count not above limit, nor beyond the text's end, that
// ends on a character boundary.
size_t tqMbSafeLength(const char* text, size_t limit, int charSet = kTQCharSetCurrent);

// strncpy over whole characters: copies the text when it is shorter than
// limit, else its first tqMbSafeLength(src, limit) bytes, and fills the rest
// of the limit bytes of dest with zeros. As with strncpy, dest is not
// terminated when the copied bytes fill all of it. Returns dest.
char* tqMbSafeCopy(char* dest, const char* src, size_t limit, int charSet = kTQCharSetCurrent);

// As tqMbSafeCopy; returns the number of text bytes copied.
size_t tqMbSafeCopyCount(char* dest, const char* src, size_t limit,
                         int charSet = kTQCharSetCurrent);

// Index of the character after the one at pos, or 0 when there is none (pos
// is at the terminator, or its character is the last one).
size_t tqMbNextChar(const char* text, size_t pos, int charSet = kTQCharSetCurrent);

// strchr, strrchr, strstr, strpbrk and strcspn that match only at character
// starts: a multibyte character never matches a searched byte.
const char* tqMbStrChr(const char* text, int c, int charSet = kTQCharSetCurrent);
const char* tqMbStrRChr(const char* text, int c, int charSet = kTQCharSetCurrent);
const char* tqMbStrStr(const char* text, const char* sub, int charSet = kTQCharSetCurrent);
const char* tqMbStrPBrk(const char* text, const char* accept, int charSet = kTQCharSetCurrent);
size_t tqMbStrCSpn(const char* text, const char* reject, int charSet = kTQCharSetCurrent);

// Compares at most n bytes, ignoring the case of single-byte characters
// (multibyte characters compare byte for byte). A text that ends before n
// bytes while the other goes on differs from it, so the call works as a
// prefix test. Returns <0, 0 or >0.
int tqMbStrNICmp(const char* a, const char* b, size_t n, int charSet = kTQCharSetCurrent);
