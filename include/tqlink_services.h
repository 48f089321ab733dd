/**
 * @file tqlink_services.h
 * @brief Support services of tqlink that other programs of the same family
 * use: message texts and status helpers, date and time text, multibyte-safe
 * text routines, and two data items.
 */
#ifndef TQLINK_SERVICES_H
#define TQLINK_SERVICES_H

#include "tqlink.h"

#ifdef __cplusplus
extern "C" {
#endif

/* --- Messages and status lists ------------------------------------------ */

/**
 * @defgroup messages Messages and text services
 * @brief Status lists, message texts from the catalog, and the multibyte-safe
 * text routines.
 *
 * Status lists stay sorted by message type, most severe first; among items of
 * the same type the one added last stands first, so the first item's type is
 * always the list's most severe. Message and appended texts are kept to at
 * most 255 bytes, cut at a character boundary.
 *
 * Texts these services return in a buffer "of the calling thread" live in the
 * thread's current session (the one its last operation used) and stay valid
 * until the same service is called again on that thread.
 * @{
 */

/** @name Messages and status lists
 *  @{ */

/**
 * Appends one status, in its place by severity.
 *
 * @param status        the list; its items and texts are malloc memory that
 *        FreeTQStatusList() releases.
 * @param messageType   #TQ_MSG_NOTE, #TQ_MSG_WARNING or #TQ_MSG_ERROR.
 * @param messageNumber the message number. The message text is its catalog
 *        text for numbers 1 to 9999 and empty for any other number.
 * @param appendedText  copied as the appended text, cut to 255 bytes; NULL
 *        for none.
 * @return the message type of the list's first item; 3 when memory runs out
 *         (the list is then unchanged); 4 when @p status is NULL.
 */
uint32_t TQAppendStatus(TQStatusList* status, uint32_t messageType, int32_t messageNumber,
                        const char* appendedText);

/**
 * As TQAppendStatus(), with the decimal form of @p number as the appended
 * text.
 *
 * @param status        the list.
 * @param messageType   #TQ_MSG_NOTE, #TQ_MSG_WARNING or #TQ_MSG_ERROR.
 * @param messageNumber the message number.
 * @param number        the number whose decimal text is appended.
 * @return as TQAppendStatus().
 */
uint32_t TQAppendStatusNumber(TQStatusList* status, uint32_t messageType, int32_t messageNumber,
                              uint32_t number);

/**
 * Merges the statuses a server returned with those the client has collected.
 *
 * Within each severity (errors, warnings, notes) the client's statuses come
 * before the server's. The items and their texts move: @p server and
 * @p client are left empty (unless one of them is @p merged). When the merged
 * array cannot be allocated, the list with the more severe first item
 * survives (the client's on a tie), the other is released and error 154 is
 * appended.
 *
 * @param server the statuses a server returned.
 * @param client the statuses the client has collected.
 * @param[out] merged receives the merged list; may be @p client itself.
 * @return the message type of @p merged's first item (0 when empty); 4 when
 *         @p merged is NULL.
 */
uint32_t TQMergeStatus(TQStatusList* server, TQStatusList* client, TQStatusList* merged);

/**
 * Writes the catalog text of a message number (set 1) into a buffer.
 *
 * A number missing from the catalog gives the catalog's "not in catalog" text
 * followed by the number; when no catalog can be opened the text is
 * "Cannot open catalog; Message number = " and the number.
 *
 * @param messageNumber the message number.
 * @param[out] buffer   receives the text; must hold #TQ_MAX_MESSAGE_TEXT (256)
 *        bytes.
 * @return @p buffer.
 */
char* TQMessageText(int32_t messageNumber, char* buffer);

/**
 * The catalog text of a message in a set.
 *
 * @param setNumber     the catalog set: 1 messages, 2 qualification
 *        keywords, 255 names of environment variables.
 * @param messageNumber the number within the set.
 * @return the text, in a buffer of the calling thread valid until its next
 *         call; NULL when the catalog cannot be opened or has no (or an empty)
 *         text for it, or when the thread has no current session.
 */
const char* TQCatalogText(int32_t setNumber, int32_t messageNumber);

/**
 * The C library's text for the current errno, joined with a name as
 * "<system text> : <name>".
 *
 * @param name the name to join (a file name, for example), or NULL.
 * @return the joined text, in a buffer of the calling thread valid until its
 *         next call; the system text alone when @p name is NULL or empty, or
 *         when the joined text would not fit in 255 bytes; @p name (or "")
 *         when errno is not a known error number or the thread has no
 *         current session.
 */
const char* TQSystemErrorText(const char* name);

/**
 * Normalises a version text such as "4.00.03" to " 4.00.03".
 *
 * The form is "%2d.%02d.%02d" followed by the rest of the text; the patch part
 * is left out when there is none ("4.00" gives " 4.00").
 *
 * @param version the text; the word "Patch" in its rest is changed to
 *        "patch" in place.
 * @return NULL for NULL; @p version unchanged when it does not start with a major number 1
 *         to 99, a '.', a minor number 0 to 99 and optionally '.' and a patch
 *         number 1 to 99; otherwise the normalised text in a buffer of the
 *         calling thread, valid until its next call.
 */
const char* TQVersionText(char* version);

/**
 * Whether a message number is one of the RPC runtime's messages.
 *
 * @param messageNumber the message number.
 * @return 1 when it lies in 50 to 89 or in 8031 to 8200, else 0.
 */
int32_t TQIsRpcMessageNumber(int32_t messageNumber);

/** The value of #TQCatalogDescriptor while no program has stored one. */
#define TQ_CATALOG_DESCRIPTOR_NONE ((intptr_t)-1)
/**
 * The descriptor of an open message catalog (a nl_catd from catopen, cast to
 * intptr_t), or #TQ_CATALOG_DESCRIPTOR_NONE.
 *
 * While it is NONE the library opens its own catalog "tqmessages.cat" for
 * each lookup; when a program stores the descriptor of a catalog it opened
 * itself, every message lookup reads that catalog and leaves it open.
 */
extern intptr_t TQCatalogDescriptor;

/** @} */

/** @name Date and time
 *
 * Times are local times of TQTimestamp seconds, written in the formats of
 * the environment's time locale (LC_ALL, else LC_TIME, else LANG), which is
 * read once, at the first use of any of these services. The variable TQDATE
 * (its name can be replaced through the catalog, set 255 number 101), when
 * set and not empty, is a strftime format that replaces the date and time
 * format in both directions.
 *  @{ */

/**
 * Writes the local date of a time in the locale's date format.
 *
 * @param[out] buffer receives the text.
 * @param size        the size of @p buffer in bytes.
 * @param time        the time, in seconds since 1970-01-01 00:00 UTC.
 * @return the length written, or 0 when the text does not fit (the buffer is
 *         then empty if @p size is not 0).
 */
int32_t TQFormatDate(char* buffer, size_t size, TQTimestamp time);

/**
 * Writes the local date and time of a time: the TQDATE format when it is
 * set, else the date, a space and the time as TQFormatTime() writes it.
 *
 * @param[out] buffer receives the text.
 * @param size        the size of @p buffer in bytes.
 * @param time        the time, in seconds since 1970-01-01 00:00 UTC.
 * @return the length written, or 0 when the text does not fit (the buffer is
 *         then empty if @p size is not 0).
 */
int32_t TQFormatDateTime(char* buffer, size_t size, TQTimestamp time);

/**
 * Writes the local time of day of a time in the locale's time format.
 *
 * @param[out] buffer receives the text.
 * @param size        the size of @p buffer in bytes.
 * @param time        the time, in seconds since 1970-01-01 00:00 UTC.
 * @return the length written, or 0 when the text does not fit (the buffer is
 *         then empty if @p size is not 0).
 */
int32_t TQFormatTime(char* buffer, size_t size, TQTimestamp time);

/**
 * Converts a text into seconds.
 *
 * A date, with or without a time of day, in the TQDATE format, the locale's
 * formats or one of the usual forms ("Jan 5, 1998 10:00",
 * "5 Jan 1998 10:00 PM", ...; a leading weekday name is passed over), and a
 * text of digits only (seconds since 1970), give that point in time.
 * Otherwise, when @p timeOfDay is non-zero, a time of day gives that time
 * today; when it is zero, "H", "H:M" or "H:M:S" gives a duration. Only spaces
 * and tabs may follow the text read.
 *
 * @param text          the text.
 * @param timeOfDay     non-zero to read a lone time as a time of day today,
 *        zero to read it as a duration.
 * @param[out] seconds  receives the seconds; 0 on failure.
 * @param[out] interval set to 1 when the text was a duration; may be NULL.
 * @return 1 on success; 0 when @p seconds or @p text is NULL, the text does
 *         not convert, or it names a time before 1970 or past the signed
 *         32-bit range.
 */
int32_t TQTextToSeconds(const char* text, int32_t timeOfDay, TQTimestamp* seconds,
                        int32_t* interval);
/** @} */

/* --- Multibyte text ----------------------------------------------------- */

/** @name Multibyte text
 *
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
 *  @{
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

/**
 * strncpy over whole characters.
 *
 * Copies @p src when it is shorter than @p limit, else as many of its first
 * @p limit bytes as end on a character boundary, and fills the rest of the
 * @p limit bytes of @p dest with zeros. @p dest is not terminated when the
 * copied text fills all @p limit bytes.
 *
 * @param[out] dest receives the text; holds at least @p limit bytes.
 * @param src       the text, or NULL (nothing is copied).
 * @param limit     the number of bytes of @p dest to fill.
 * @return @p dest.
 */
char* TQMbSafeCopy(char* dest, const char* src, size_t limit);

/**
 * As TQMbSafeCopy(), returning the number of text bytes copied.
 *
 * @param[out] dest receives the text; holds at least @p limit bytes.
 * @param src       the text, or NULL.
 * @param limit     the number of bytes of @p dest to fill.
 * @return the number of text bytes copied (without the zero fill).
 */
size_t TQMbSafeCopyCount(char* dest, const char* src, size_t limit);

/**
 * strchr matching only at character starts.
 *
 * @param text the text searched, or NULL (nothing is found).
 * @param c    the byte searched.
 * @return the first character of @p text that is @p c, or NULL.
 */
char* TQMbStrChr(const char* text, int c);
/**
 * strrchr matching only at character starts.
 *
 * @param text the text searched, or NULL (nothing is found).
 * @param c    the byte searched.
 * @return the last character of @p text that is @p c, or NULL.
 */
char* TQMbStrRChr(const char* text, int c);
/**
 * strstr matching only at character starts.
 *
 * @param text the text searched, or NULL (nothing is found).
 * @param sub  the text looked for, or NULL (nothing is found).
 * @return where @p sub first stands in @p text, or NULL.
 */
char* TQMbStrStr(const char* text, const char* sub);
/**
 * strcspn counting whole characters.
 *
 * @param text   the text, or NULL.
 * @param reject the bytes that end the span, or NULL.
 * @return the length in bytes of the leading part of @p text without any byte
 *         of @p reject at a character start; 0 when either text is NULL.
 */
size_t TQMbStrCSpn(const char* text, const char* reject);

/**
 * Compares at most @p n bytes, ignoring the case of single-byte characters;
 * multibyte characters compare byte for byte.
 *
 * A text that ends before @p n bytes while the other goes on differs from it
 * (a prefix test). NULL sorts before any text.
 *
 * @param a the first text, or NULL.
 * @param b the second text, or NULL.
 * @param n the most bytes compared.
 * @return <0, 0 or >0, as strncasecmp.
 */
int TQMbStrNICmp(const char* a, const char* b, size_t n);

/**
 * The length of one character.
 *
 * @param text the character's first byte, or NULL.
 * @return its bytes, 1 to 4; 1 for NULL and for the terminator.
 */
int TQMbCharLen(const char* text);

/**
 * Converts a text from the current character set to another.
 *
 * Pairs without a conversion copy the text unchanged; a character without a
 * form in @p toSet becomes '?'. Converting into escape text
 * (#TQ_CHARSET_JIS) may need 4 x strlen(src) + 4 bytes, every other pair at
 * most 3 x strlen(src) + 1.
 *
 * @param[out] dest receives the converted text, terminated.
 * @param destSize  the bytes @p dest holds.
 * @param src       the text.
 * @param toSet     the TQ_CHARSET_... number to convert to.
 * @return the converted length; -1 (@p dest then empty) when it does not fit
 *         or the conversion is not available on this system.
 */
int32_t TQMbConvert(char* dest, size_t destSize, const char* src, int32_t toSet);

/**
 * The length by which every length limit is measured: the byte length of a
 * text, or, when longer, its byte length after conversion from the calling
 * thread's session's client code page to its server's.
 *
 * @param text the text, or NULL.
 * @return the encoded length; 0 for NULL or when the thread has no current
 *         session.
 */
size_t TQMbEncodedLength(const char* text);

/** @} */
/** @} */

/* --- Replay of a command log ---------------------------------------------- */

/** A command log read for replay (opaque). */
typedef struct TQReplayLog TQReplayLog;

/** What TQReplayNext() found. */
#define TQ_REPLAY_END 0       /**< the log is over */
#define TQ_REPLAY_CALL 1      /**< a call was performed; its return code is in code */
#define TQ_REPLAY_PAUSE 2     /**< a pause of seconds */
#define TQ_REPLAY_SESSION 3   /**< the start or end of the recorded session */
#define TQ_REPLAY_SKIPPED 4   /**< a call that cannot be replayed */
#define TQ_REPLAY_MALFORMED 5 /**< the log is not what a command log holds */

/** One block of a command log. */
typedef struct TQReplayStep {
  uint32_t kind;     /**< TQ_REPLAY_... */
  uint32_t line;     /**< the line where the block starts, or the bad line */
  uint32_t seconds;  /**< a pause's seconds */
  uint32_t code;     /**< a performed call's return code */
  char name[64];     /**< the operation's name */
  char message[256]; /**< for a malformed log: what was expected */
} TQReplayStep;

/**
 * Reads a command log for replay.
 *
 * @param path the command log's file name.
 * @return the log, which TQReplayClose() releases; NULL when the file
 *         cannot be read or memory runs out.
 */
TQReplayLog* TQReplayOpen(const char* path);

/** Releases a log of TQReplayOpen(); NULL does nothing. */
void TQReplayClose(TQReplayLog* log);

/**
 * Reads the next block of a command log and, for a call, performs it with
 * the session of @p control, as recorded. The call goes through the
 * session's recording like any call.
 *
 * @param log     the log.
 * @param control the control record of the session that replays.
 * @param step    receives what the block was.
 * @param status  receives the call's statuses (set empty at entry).
 */
void TQReplayNext(TQReplayLog* log, TQControlStruct* control, TQReplayStep* step,
                  TQStatusList* status);

#ifdef __cplusplus
}
#endif

#endif /* TQLINK_SERVICES_H */
