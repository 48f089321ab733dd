// Character-set numbers, the names that select them, and the character sets
// of this process: the current set that all text scanning obeys, and the
// client set that a session converts from.
#pragma once

#include <cstddef>

// Character-set numbers. They travel between programs of the family and are
// stored in sessions, so the values are fixed.
inline constexpr int kTQCharSetNone = 0;  // single byte, no conversion
inline constexpr int kTQCharSetJis = 3;   // ISO-2022-JP escape text
inline constexpr int kTQCharSetEucJp = 4;
inline constexpr int kTQCharSetSjis = 5;
inline constexpr int kTQCharSetGb2312 = 7;  // also GBK (code page 936)
inline constexpr int kTQCharSetEucCn = 8;
inline constexpr int kTQCharSetBig5 = 9;
inline constexpr int kTQCharSetEucTw = 10;
inline constexpr int kTQCharSetKsc87 = 11;
inline constexpr int kTQCharSetKsc92 = 12;
inline constexpr int kTQCharSetEucKr = 13;
inline constexpr int kTQCharSetIso8859_2 = 14;  // 14 to 22: ISO 8859-2 to 8859-10
inline constexpr int kTQCharSetIso8859_5 = 17;
inline constexpr int kTQCharSetIso8859_10 = 22;
inline constexpr int kTQCharSetCp1250 = 23;  // 23, 24: code pages 1250, 1251
inline constexpr int kTQCharSetCp1251 = 24;
inline constexpr int kTQCharSetCp1258 = 30;  // 25 to 30: code pages 1253 to 1258
inline constexpr int kTQCharSetUtf8 = 31;

// True for the sets whose characters may be longer than one byte.
bool tqMbIsMultibyteSet(int charSet);

// Longest character of a set, in bytes.
int tqMbMaxCharLen(int charSet);

// The set selected by a name: the first row of the name table whose pattern
// occurs anywhere in the name (case matters); 0 for NULL, an empty name or no
// match.
int tqMbCharSetFromName(const char* name);

// The set of a server from the character-set name it reports: a name
// containing "EUC" gives 4, else one containing "SJIS" gives 5, else 0.
int tqMbServerCharSetFromName(const char* reported);

// The client set of a locale codeset as nl_langinfo(CODESET) spells it
// ("SHIFT_JIS", "eucJP", "UTF-8", "ISO-8859-2", "CP1251", ...). Case, '-' and
// '_' do not matter. Unknown codesets give 0.
int tqMbCharSetFromCodeset(const char* codeset);

// The name of the client set of a codeset, one that tqMbCharSetFromName maps
// back to the same number: "SJIS", "GB2312", "KSC_5601_92", "BIG5", "1250",
// "8859_2", "UTF8", "WESTERN" for Latin-1, ... and "" for unknown codesets.
const char* tqMbCharSetNameFromCodeset(const char* codeset);

// The current set of a locale: 31 when its codeset is UTF-8 and 4 when it is
// EUC-JP (the bytes the user's texts are made of); otherwise by its language:
// "ja" gives 5, "zh_TW" and "zh_HK" give 9, any other "zh" 7, "ko" 11, and
// everything else 0. localeName is a locale name such as "ja_JP.SJIS"; codeset
// may be NULL, and then the codeset part of the name is used.
int tqMbCharSetFromLocale(const char* localeName, const char* codeset);

// The locale name that governs character classification: LC_ALL, else
// LC_CTYPE, else LANG, else "C".
const char* tqMbEnvironmentLocaleName();

// The codeset of a locale name: the system's when the locale is installed,
// otherwise the part of the name between '.' and '@'; "" when neither is
// known. Writes at most size bytes including the terminator.
void tqMbLocaleCodeset(const char* localeName, char* codeset, size_t size);

// The process-wide current set, settled from the environment at the first
// call and not changed afterwards. Safe to call from any thread.
int tqMbCurrentCharSet();

// The client set of this process from the environment's codeset, settled at
// the first call. A session starts with it as its client code page.
int tqMbClientCharSet();
