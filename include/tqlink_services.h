/*
 * tqlink_services.h - support services of tqlink that other programs of the
 * same family use: message texts and status helpers, date and time text,
 * multibyte-safe text routines, and two data items.
 */
#ifndef TQLINK_SERVICES_H
#define TQLINK_SERVICES_H

#include "tqlink.h"

#ifdef __cplusplus
extern "C" {
#endif

/* --- Messages and status lists ------------------------------------------ */

/*
 * Status lists stay sorted by message type, most severe first; among items of
 * the same type the one added last stands first. Message and appended texts
 * are kept to at most 255 bytes, cut at a character boundary.
 */

/* Appends one status. The message text is the catalog text of messageNumber
   for numbers 1 to 9999 and empty for any other number; appendedText may be
   NULL (no appended text). Returns the message type of the list's first item,
   3 when memory runs out (the list is then unchanged), 4 when status is NULL. */
uint32_t TQAppendStatus(TQStatusList* status, uint32_t messageType, int32_t messageNumber,
                        const char* appendedText);

/* As TQAppendStatus, with the decimal form of number as the appended text. */
uint32_t TQAppendStatusNumber(TQStatusList* status, uint32_t messageType, int32_t messageNumber,
                              uint32_t number);

/* Merges the statuses a server returned (server) with those the client has
   collected (client) into merged, which may be client itself. Within each
   severity (errors, warnings, notes) the client's statuses come before the
   server's. The items and their texts move: server and client are left empty
   (unless one of them is merged). When the merged array cannot be allocated,
   the list with the more severe first item survives (the client's on a tie),
   the other is released and error 154 is appended. Returns the message type of
   merged's first item (0 when empty), 4 when merged is NULL. */
uint32_t TQMergeStatus(TQStatusList* server, TQStatusList* client, TQStatusList* merged);

/* Writes the catalog text of messageNumber (set 1) into buffer, which must
   hold TQ_MAX_MESSAGE_TEXT (256) bytes. A number missing from the catalog
   gives the catalog's "not in catalog" text followed by the number; when no
   catalog can be opened the text is "Cannot open catalog; Message number = "
   and the number. Returns buffer. */
char* TQMessageText(int32_t messageNumber, char* buffer);

/* The catalog text of message messageNumber in set setNumber, in a buffer of
   the calling thread that stays valid until its next call; NULL when the
   catalog cannot be opened or has no (or an empty) text for it. */
const char* TQCatalogText(int32_t setNumber, int32_t messageNumber);

/* The C library's text for the current errno joined with name as
   "<system text> : <name>" (in a buffer of the calling thread valid until its
   next call). Returns the system text alone when name is NULL or empty, or
   when the joined text would not fit in 255 bytes; returns name (or "") when
   errno is not a known error number. */
const char* TQSystemErrorText(const char* name);

/* Normalises a version text such as "4.00.03" to " 4.00.03" ("%2d.%02d.%02d"
   followed by the rest of the text; the patch part is left out when there is
   none). The word "Patch" in the rest is changed to "patch" in the caller's
   own string. Returns version unchanged when it does not start with a major
   number 1 to 99, a '.', a minor number 0 to 99 and optionally '.' and a patch
   number 1 to 99; otherwise a buffer of the calling thread valid until its
   next call. */
const char* TQVersionText(char* version);

/* 1 when messageNumber lies in 50 to 89 or in 8031 to 8200, else 0. */
int32_t TQIsRpcMessageNumber(int32_t messageNumber);

/* The descriptor of an open message catalog (a nl_catd from catopen, cast to
   intptr_t), or TQ_CATALOG_DESCRIPTOR_NONE. While it is NONE the library
   opens its own catalog "tqmessages.cat"; when a program stores the
   descriptor of a catalog it opened itself, every message lookup reads that
   catalog and leaves it open. */
#define TQ_CATALOG_DESCRIPTOR_NONE ((intptr_t)-1)
extern intptr_t TQCatalogDescriptor;

/* --- Date and time ------------------------------------------------------ */

/*
 * Times are local times of TQTimestamp seconds, written in the formats of
 * the environment's time locale (LC_ALL, else LC_TIME, else LANG), which is
 * read once, at the first use of any of these services. The variable TQDATE
 * (its name can be replaced through the catalog, set 255 number 101), when
 * set and not empty, is a strftime format that replaces the date and time
 * format in both directions.
 */

/* Writes the local date of time in the locale's date format into buffer,
   which holds size bytes. Returns the length written, or 0 when the text
   does not fit (the buffer is then empty if size is not 0). */
int32_t TQFormatDate(char* buffer, size_t size, TQTimestamp time);

/* As TQFormatDate, with the local date and time: the TQDATE format when it
   is set, else the date, a space and the time as TQFormatTime writes it. */
int32_t TQFormatDateTime(char* buffer, size_t size, TQTimestamp time);

/* As TQFormatDate, with the local time of day in the locale's time format. */
int32_t TQFormatTime(char* buffer, size_t size, TQTimestamp time);

/* Converts a text into seconds. A date, with or without a time of day, in
   the TQDATE format, the locale's formats or one of the usual forms
   ("Jan 5, 1998 10:00", "5 Jan 1998 10:00 PM", ...; a leading weekday name
   is passed over), and a text of digits only (seconds since 1970), give
   that point in time. Otherwise, when timeOfDay is non-zero, a time of day
   gives that time today; when it is zero, "H", "H:M" or "H:M:S" gives a
   duration and *interval (when not NULL) is set to 1. Only spaces and tabs
   may follow the text read. Returns 1 on success and 0, with *seconds 0,
   when seconds is NULL, the text is NULL or does not convert, or it names a
   time before 1970 or past the 32-bit range. */
int32_t TQTextToSeconds(const char* text, int32_t timeOfDay, TQTimestamp* seconds,
                        int32_t* interval);

/* --- Multibyte text ----------------------------------------------------- */

/*
 * Character-set numbers. 14 to 22 are ISO 8859-2 to 8859-10; 23 and 24 are
 * Windows code pages 1250 and 1251, and 25 to 30 pages 1253 to 1258; these
 * and 0 are single-byte sets.
 *
 * The functions below scan text in the process's current character set,
 * settled at first use from the locale in LC_ALL, else LC_CTYPE, else LANG:
 * a UTF-8 locale gives TQ_CHARSET_UTF8 and an EUC-JP locale
 * TQ_CHARSET_EUC_JP; otherwise the language decides: Japanese Shift_JIS,
 * Chinese of Taiwan and Hong Kong Big5, other Chinese GB2312 (and GBK),
 * Korean TQ_CHARSET_KSC_5601_87, any other language single bytes. A byte
 * inside a multibyte character never matches a searched byte, and texts are
 * cut only between characters. In a single-byte set the functions behave like
 * their C library counterparts.
 */
#define TQ_CHARSET_NONE 0
#define TQ_CHARSET_JIS 3 /* ISO-2022-JP escape text */
#define TQ_CHARSET_EUC_JP 4
#define TQ_CHARSET_SJIS 5
#define TQ_CHARSET_GB2312 7
#define TQ_CHARSET_EUC_CN 8
#define TQ_CHARSET_BIG5 9
#define TQ_CHARSET_EUC_TW 10
#define TQ_CHARSET_KSC_5601_87 11
#define TQ_CHARSET_KSC_5601_92 12
#define TQ_CHARSET_EUC_KR 13
#define TQ_CHARSET_UTF8 31

/* strncpy over whole characters: copies src when it is shorter than limit,
   else as many of its first limit bytes as end on a character boundary, and
   fills the rest of the limit bytes of dest with zeros. dest is not
   terminated when the copied text fills all limit bytes. A NULL src copies
   nothing. Returns dest. */
char* TQMbSafeCopy(char* dest, const char* src, size_t limit);

/* As TQMbSafeCopy; returns the number of text bytes copied. */
size_t TQMbSafeCopyCount(char* dest, const char* src, size_t limit);

/* strchr, strrchr, strstr and strcspn matching only at character starts.
   NULL texts find nothing (strcspn gives 0). */
char* TQMbStrChr(const char* text, int c);
char* TQMbStrRChr(const char* text, int c);
char* TQMbStrStr(const char* text, const char* sub);
size_t TQMbStrCSpn(const char* text, const char* reject);

/* Compares at most n bytes, ignoring the case of single-byte characters;
   multibyte characters compare byte for byte. A text that ends before n bytes
   while the other goes on differs from it (a prefix test). NULL sorts before
   any text. Returns <0, 0 or >0. */
int TQMbStrNICmp(const char* a, const char* b, size_t n);

/* Bytes of the character at text: 1 to 4 (1 for NULL and the terminator). */
int TQMbCharLen(const char* text);

/* Converts src from the current character set to toSet into dest, which
   holds destSize bytes, and terminates it. Pairs without a conversion copy
   the text unchanged; a character without a form in toSet becomes '?'.
   Returns the converted length, or -1 (dest then empty) when it does not fit
   or the conversion is not available on this system. Converting into escape
   text (TQ_CHARSET_JIS) may need 4 x strlen(src) + 4 bytes, every other pair
   at most 3 x strlen(src) + 1. */
int32_t TQMbConvert(char* dest, size_t destSize, const char* src, int32_t toSet);

/* The byte length of text after conversion from the calling thread's
   session's client code page to its server's, when that is longer than the
   text; 0 for NULL or when the thread has no current session. */
size_t TQMbEncodedLength(const char* text);

#ifdef __cplusplus
}
#endif

#endif /* TQLINK_SERVICES_H */
