// How long one character is in each character set, and whether a text is
// made of complete, valid characters.
#pragma once

#include <cstddef>

#include "share/i18n/mbcharset.h"

// Stands for "the process's current set" wherever a set number is taken.
inline constexpr int kTQCharSetCurrent = -1;

// The ways of splitting bytes into characters. Set 11 has two: the current
// set 11 accepts any lead byte from 129, while an explicitly named set 11
// follows the stricter 1992 lead-byte ranges of set 12.
enum class TQMbRule : unsigned char {
  kSingle,       // every byte is a character
  kJis,          // 7-bit escape text: every byte is a character
  kEucJp,        // 2-byte pairs, SS2 katakana, SS3 3-byte characters
  kSjis,         // lead 129-159/224-239 + trail 64-252; 161-223 single katakana
  kGbk,          // lead 129-254 + trail 64-126/128-254
  kEuc2,         // lead and trail 161-254
  kBig5,         // lead 161-254 + trail 64-126/161-254
  kEucTw,        // 2-byte pairs and SS2 4-byte characters
  kKoreanWide,   // lead 129-254 + trail 65-90/97-122/129-254
  kKoreanJohab,  // lead 132-211/216-222/224-249 + trail 65-126/129-254
  kUtf8,         // well-formed UTF-8 sequences
};

// The rule of a set; kTQCharSetCurrent gives the current set's rule.
TQMbRule tqMbRuleOf(int charSet);

// Bytes of the character at s: at least 1, at most avail. A sequence that
// fits no multibyte form counts as one byte, so scanning always advances. A
// NUL byte never continues a character, so avail may be SIZE_MAX for a
// terminated text.
size_t tqMbRuleCharLen(const unsigned char* s, size_t avail, TQMbRule rule);

// Bytes of the character at s when it is complete and valid in charSet, else
// 0. A byte below 128 is always valid. In escape text (set 3) only bytes
// below 128 are valid; the escape structure is checked by tqMbValidate.
size_t tqMbValidCharLen(const unsigned char* s, size_t avail, int charSet);

// True when the first len bytes of text are complete, valid characters of
// charSet. Otherwise false, and *badOffset (when not NULL) receives the byte
// offset of the first bad or incomplete character.
bool tqMbValidate(const char* text, size_t len, int charSet, size_t* badOffset);

// The same for a terminated text; NULL is valid.
bool tqMbValidate(const char* text, int charSet, size_t* badOffset);
