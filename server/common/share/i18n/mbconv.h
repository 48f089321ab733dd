// Text conversion between character sets, and the encoded length by which
// every length limit is measured.
#pragma once

#include <cstddef>

#include "share/i18n/mbchar.h"
#include "share/i18n/mbconvout.h"

// True when tqMbConvert changes text going from `from` to `to`: the Japanese
// pairs among 3, 4 and 5, Big5 and EUC-TW, ISO 8859-2 and Windows 1250,
// ISO 8859-5 and Windows 1251, and UTF-8 with EUC-JP or Shift_JIS. Every
// other pair, and equal sets, copy text unchanged.
bool tqMbConversionSupported(int from, int to);

// A destination size (terminator included) that always holds the conversion
// of srcLen bytes.
size_t tqMbConvertBound(size_t srcLen, int from, int to);

// Converts srcLen bytes of src from set `from` to set `to` (either may be
// kTQCharSetCurrent) into dest, which holds destSize bytes, and terminates
// it. Unsupported pairs and equal sets copy the text unchanged.
//
// Characters that cannot be converted: with kFail the conversion stops at the
// first one (status kInvalid, badOffset), so a successful kFail conversion
// also proves the source valid. With kReplace a character without a form in
// the target set becomes '?', and malformed bytes of a Shift_JIS or EUC-JP
// source go through unchanged, as they always have between those two sets.
//
// The result's length is the converted length even when dest is too small
// (status kNoRoom); dest may be NULL with destSize 0 to measure. Whenever the
// status is not kOk, dest holds an empty text.
TQMbConvResult tqMbConvert(const char* src, size_t srcLen, int from, char* dest, size_t destSize,
                           int to, TQMbBadChars mode);

// The same for a terminated text.
TQMbConvResult tqMbConvert(const char* src, int from, char* dest, size_t destSize, int to,
                           TQMbBadChars mode);

// Byte length of a text when sent from a client in clientSet to a server in
// serverSet: the larger of its length and its converted length. NULL gives 0.
size_t tqMbEncodedLength(const char* text, int clientSet, int serverSet);

// The client and server code pages of the calling thread's current call
// context; false (and both 0) when the thread has none.
bool tqMbSessionCharSets(int* clientSet, int* serverSet);

// The encoded length for the calling thread's current call context; 0 for
// NULL or without a context.
size_t tqMbEncodedLength(const char* text);
