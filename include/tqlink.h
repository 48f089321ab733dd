/*
 * tqlink.h - the public interface of tqlink, the client library of the
 * request-tracking server.
 *
 * Every record is a plain C structure of fixed-width integers, fixed-size
 * character arrays, heap texts and counted arrays. Results are hung below
 * records that the caller supplies, in memory from malloc, and are given back
 * with the FreeTQ... release routines.
 *
 * Conventions:
 *  - Every list is { uint32_t numItems; T* <items>; }. With numItems 0 the
 *    pointer is not looked at and may be NULL.
 *  - Booleans are one unsigned byte (TQBoolean).
 *  - Unbounded texts are NUL-terminated char* in the client's code page.
 *  - Fixed-size character arrays hold a NUL-terminated text of at most the
 *    array size less one bytes.
 */
#ifndef TQLINK_H
#define TQLINK_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ------------------------------------------------------------------------ */
/* Fixed sizes                                                              */
/* ------------------------------------------------------------------------ */

#define TQ_MAX_NAME_SIZE 30        /* schemas, fields, menus, filters, ... */
#define TQ_MAX_ACCESS_NAME_SIZE 30 /* user names */
#define TQ_MAX_PASSWORD_SIZE 30
#define TQ_MAX_SERVER_SIZE 64
#define TQ_MAX_ENTRYID_SIZE 15
#define TQ_MAX_LANG_SIZE 16       /* language in the control record */
#define TQ_MAX_SEPARATOR_SIZE 9   /* TQEntryListFieldStruct.separator, array of 10 */
#define TQ_MAX_MESSAGE_TEXT 256   /* status texts that travel on the wire */
#define TQ_MAX_SDESC_SIZE 128     /* entry-list short description, 129 on the wire */
#define TQ_MAX_PROMPT_TEXT 4096   /* TQMessageStruct text on the wire */

typedef char TQNameType[TQ_MAX_NAME_SIZE + 1];
typedef char TQAccessNameType[TQ_MAX_ACCESS_NAME_SIZE + 1];
typedef char TQPasswordType[TQ_MAX_PASSWORD_SIZE + 1];
typedef char TQServerNameType[TQ_MAX_SERVER_SIZE + 1];
typedef char TQEntryIdType[TQ_MAX_ENTRYID_SIZE + 1];
typedef char TQLanguageType[TQ_MAX_LANG_SIZE + 1];

typedef unsigned char TQBoolean;
typedef int32_t TQTimestamp; /* seconds since 1970-01-01 00:00 UTC */

/* Return codes of every operation, and message types of status items. */
#define TQ_RETURN_OK 0
#define TQ_RETURN_WARNING 1
#define TQ_RETURN_ERROR 2
#define TQ_RETURN_FATAL 3
#define TQ_RETURN_BAD_STATUS 4

#define TQ_MSG_NOTE 0
#define TQ_MSG_WARNING 1
#define TQ_MSG_ERROR 2
#define TQ_MSG_PROMPT 5

/* ------------------------------------------------------------------------ */
/* Control record                                                           */
/* ------------------------------------------------------------------------ */

struct TQSessionStruct; /* owned by the library, reached only through the handle */
typedef struct TQSessionStruct TQSessionStruct;

typedef struct TQControlStruct {
  int32_t cacheId;             /* replaced by the server's value after every call */
  TQTimestamp operationTime;   /* set by tqlink; replaced by the server's value */
  TQAccessNameType user;       /* must not be empty */
  TQPasswordType password;
  TQLanguageType language;     /* filled in by tqlink when empty */
  TQSessionStruct* session;    /* set by TQInitialization, cleared by TQTermination */
  TQServerNameType server;     /* must not be empty */
} TQControlStruct;

/* ------------------------------------------------------------------------ */
/* Status list                                                              */
/* ------------------------------------------------------------------------ */

typedef struct TQStatusStruct {
  uint32_t messageType;  /* TQ_MSG_NOTE, TQ_MSG_WARNING, TQ_MSG_ERROR */
  int32_t messageNumber;
  char* messageText;
  char* appendedText;    /* NULL when there is none */
} TQStatusStruct;

typedef struct TQStatusList {
  uint32_t numItems;
  TQStatusStruct* statusList; /* sorted by messageType, most severe first */
} TQStatusList;

/* The message record of filter and active-link definitions (prompts too). */
typedef struct TQMessageStruct {
  uint32_t messageType; /* 0 note, 1 warning, 2 error, 5 prompt */
  int32_t messageNumber;
  char* messageText;    /* at most 4096 characters on the wire */
  TQBoolean usePromptingPane;
} TQMessageStruct;

/* ------------------------------------------------------------------------ */
/* Typed values                                                             */
/* ------------------------------------------------------------------------ */

#define TQ_DATA_TYPE_NULL 0
#define TQ_DATA_TYPE_KEYWORD 1
#define TQ_DATA_TYPE_INTEGER 2
#define TQ_DATA_TYPE_REAL 3
#define TQ_DATA_TYPE_CHAR 4
#define TQ_DATA_TYPE_DIARY 5
#define TQ_DATA_TYPE_ENUM 6
#define TQ_DATA_TYPE_TIME 7
#define TQ_DATA_TYPE_BITMASK 8
#define TQ_DATA_TYPE_BYTES 9
#define TQ_DATA_TYPE_DECIMAL 10
#define TQ_DATA_TYPE_ATTACH 11
#define TQ_DATA_TYPE_DISPLAY_30 30 /* display-only types: tag alone, no payload */
#define TQ_DATA_TYPE_DISPLAY_31 31
#define TQ_DATA_TYPE_DISPLAY_32 32
#define TQ_DATA_TYPE_NOWIRE_35 35 /* no payload; the wire encoding rejects them */
#define TQ_DATA_TYPE_NOWIRE_36 36
#define TQ_DATA_TYPE_ULONG 40
#define TQ_DATA_TYPE_COORDS 41
#define TQ_DATA_TYPE_MAX 41

typedef struct TQByteList {
  uint32_t type; /* meaning of the bytes, defined by the server */
  uint32_t numItems;
  unsigned char* bytes;
} TQByteList;

typedef struct TQCoordStruct {
  int32_t x;
  int32_t y;
} TQCoordStruct;

typedef struct TQCoordList {
  uint32_t numItems;
  TQCoordStruct* coords;
} TQCoordList;

#define TQ_LOC_FILENAME 1
#define TQ_LOC_BUFFER 2

typedef struct TQBufStruct {
  uint32_t bufferSize;
  unsigned char* buffer;
} TQBufStruct;

typedef struct TQLocStruct {
  uint32_t locationType; /* TQ_LOC_FILENAME or TQ_LOC_BUFFER */
  union {
    char* filename;
    TQBufStruct buf;
  } u;
} TQLocStruct;

typedef struct TQAttachStruct {
  char* name;             /* the attachment's file name */
  int32_t originalSize;   /* size before compression */
  int32_t compressedSize; /* size after compression */
  TQLocStruct loc;
} TQAttachStruct;

typedef struct TQValueStruct {
  uint32_t dataType;
  union {
    uint32_t keyNum;
    int32_t intVal;
    double realVal;
    char* charVal;
    char* diaryVal;
    uint32_t enumVal;
    TQTimestamp timeVal;
    uint32_t maskVal;
    TQByteList* byteListVal;
    char* decimalVal;
    TQAttachStruct* attachVal;
    uint32_t ulongVal;
    TQCoordList* coordListVal;
  } u;
} TQValueStruct;

typedef struct TQValueList {
  uint32_t numItems;
  TQValueStruct* valueList;
} TQValueList;

typedef struct TQValueListList {
  uint32_t numItems;
  TQValueList* valueListList;
} TQValueListList;

/* ------------------------------------------------------------------------ */
/* Field values                                                             */
/* ------------------------------------------------------------------------ */

typedef struct TQFieldValueStruct {
  uint32_t fieldId;
  TQValueStruct value;
} TQFieldValueStruct;

typedef struct TQFieldValueList {
  uint32_t numItems;
  TQFieldValueStruct* fieldValueList;
} TQFieldValueList;

typedef struct TQFieldValueListList {
  uint32_t numItems;
  TQFieldValueList* valueListList;
} TQFieldValueListList;

/* ------------------------------------------------------------------------ */
/* Entry identifiers and entry lists                                        */
/* ------------------------------------------------------------------------ */

typedef struct TQEntryIdList {
  uint32_t numItems;
  TQEntryIdType* entryIdList; /* one id, or one per member schema of a join */
} TQEntryIdList;

typedef struct TQEntryIdListList {
  uint32_t numItems;
  TQEntryIdList* entryIdListList;
} TQEntryIdListList;

typedef struct TQEntryListStruct {
  TQEntryIdList entryId;
  char* shortDescription; /* at most 129 characters on the wire */
} TQEntryListStruct;

typedef struct TQEntryListList {
  uint32_t numItems;
  TQEntryListStruct* entryList;
} TQEntryListList;

typedef struct TQEntryListFieldStruct {
  uint32_t fieldId;
  uint32_t columnWidth;
  char separator[TQ_MAX_SEPARATOR_SIZE + 1];
} TQEntryListFieldStruct;

typedef struct TQEntryListFieldList {
  uint32_t numItems;
  TQEntryListFieldStruct* fieldsList;
} TQEntryListFieldList;

typedef struct TQEntryListFieldValueStruct {
  TQEntryIdList entryId;
  TQFieldValueList* fieldValues; /* may be NULL */
} TQEntryListFieldValueStruct;

typedef struct TQEntryListFieldValueList {
  uint32_t numItems;
  TQEntryListFieldValueStruct* entryList;
} TQEntryListFieldValueList;

/* ------------------------------------------------------------------------ */
/* Id and name lists                                                        */
/* ------------------------------------------------------------------------ */

typedef struct TQInternalIdList {
  uint32_t numItems;
  uint32_t* internalIdList;
} TQInternalIdList;

typedef struct TQNameList {
  uint32_t numItems;
  TQNameType* nameList;
} TQNameList;

typedef struct TQServerNameList {
  uint32_t numItems;
  TQServerNameType* nameList;
} TQServerNameList;

typedef struct TQBooleanList {
  uint32_t numItems;
  TQBoolean* booleanList;
} TQBooleanList;

typedef struct TQBooleanMatrix {
  uint32_t numItems;
  TQBooleanList* booleanList;
} TQBooleanMatrix;

/* ------------------------------------------------------------------------ */
/* Qualification tree                                                       */
/* ------------------------------------------------------------------------ */

#define TQ_COND_OP_NONE 0
#define TQ_COND_OP_AND 1
#define TQ_COND_OP_OR 2
#define TQ_COND_OP_NOT 3
#define TQ_COND_OP_REL_OP 4

#define TQ_REL_OP_EQUAL 1
#define TQ_REL_OP_GREATER 2
#define TQ_REL_OP_GREATER_EQUAL 3
#define TQ_REL_OP_LESS 4
#define TQ_REL_OP_LESS_EQUAL 5
#define TQ_REL_OP_NOT_EQUAL 6
#define TQ_REL_OP_LIKE 7
#define TQ_REL_OP_IN 8

#define TQ_ARITH_OP_ADD 1
#define TQ_ARITH_OP_SUBTRACT 2
#define TQ_ARITH_OP_MULTIPLY 3
#define TQ_ARITH_OP_DIVIDE 4
#define TQ_ARITH_OP_MODULO 5
#define TQ_ARITH_OP_NEGATE 6

#define TQ_FIELD 1
#define TQ_VALUE 2
#define TQ_ARITHMETIC 3
#define TQ_STAT_HISTORY 4
#define TQ_VALUE_SET 5
#define TQ_FIELD_TRAN 50
#define TQ_FIELD_DB 51
#define TQ_LOCAL_VARIABLE 52
#define TQ_QUERY 53
#define TQ_FIELD_CURRENT 99

#define TQ_STAT_HISTORY_USER 1
#define TQ_STAT_HISTORY_TIME 2

#define TQ_QUERY_VALUE_MULTI_ERROR 1
#define TQ_QUERY_VALUE_MULTI_FIRST 2
#define TQ_QUERY_VALUE_MULTI_SET 3

struct TQQualifierStruct;
struct TQArithOpStruct;
struct TQQueryValueStruct;

typedef struct TQStatHistoryValue {
  uint32_t enumIndex;
  uint32_t userOrTime; /* TQ_STAT_HISTORY_USER or TQ_STAT_HISTORY_TIME */
} TQStatHistoryValue;

typedef struct TQFieldValueOrArithStruct {
  uint32_t tag;
  union {
    uint32_t fieldId;      /* FIELD, FIELD_TRAN, FIELD_DB, FIELD_CURRENT */
    TQValueStruct value;   /* VALUE */
    struct TQArithOpStruct* arithOp; /* ARITHMETIC */
    TQStatHistoryValue statHistory;  /* STAT_HISTORY */
    TQValueList valueSet;            /* VALUE_SET */
    uint32_t variable;               /* LOCAL_VARIABLE, 0 to 10 */
    struct TQQueryValueStruct* queryValue; /* QUERY */
  } u;
} TQFieldValueOrArithStruct;

typedef struct TQArithOpStruct {
  uint32_t operation; /* TQ_ARITH_OP_...; for NEGATE only the right operand counts */
  TQFieldValueOrArithStruct left;
  TQFieldValueOrArithStruct right;
} TQArithOpStruct;

typedef struct TQRelOpStruct {
  uint32_t operation; /* TQ_REL_OP_... */
  TQFieldValueOrArithStruct left;
  TQFieldValueOrArithStruct right;
} TQRelOpStruct;

typedef struct TQQualifierStruct {
  uint32_t operation; /* TQ_COND_OP_... */
  union {
    struct {
      struct TQQualifierStruct* left;
      struct TQQualifierStruct* right;
    } andor;                            /* AND, OR */
    struct TQQualifierStruct* negated;  /* NOT */
    TQRelOpStruct* relOp;
  } u;
} TQQualifierStruct;

typedef struct TQQueryValueStruct {
  TQNameType schema;
  TQServerNameType server;
  TQQualifierStruct* qualifier;
  uint32_t valueFieldId;
  uint32_t multiValueCode; /* TQ_QUERY_VALUE_MULTI_... */
} TQQueryValueStruct;

/* ------------------------------------------------------------------------ */
/* Sorting, statistics, diaries, status histories                           */
/* ------------------------------------------------------------------------ */

#define TQ_SORT_ASCENDING 1
#define TQ_SORT_DESCENDING 2

typedef struct TQSortStruct {
  uint32_t fieldId;
  uint32_t order; /* TQ_SORT_ASCENDING or TQ_SORT_DESCENDING */
} TQSortStruct;

typedef struct TQSortList {
  uint32_t numItems;
  TQSortStruct* sortList;
} TQSortList;

typedef struct TQStatisticsResultStruct {
  TQValueList groupedBy; /* empty without grouping */
  TQValueStruct result;
} TQStatisticsResultStruct;

typedef struct TQStatisticsResultList {
  uint32_t numItems;
  TQStatisticsResultStruct* resultList;
} TQStatisticsResultList;

typedef struct TQDiaryStruct {
  TQAccessNameType user;
  TQTimestamp time;
  char* value;
} TQDiaryStruct;

typedef struct TQDiaryList {
  uint32_t numItems;
  TQDiaryStruct* diaryList;
} TQDiaryList;

typedef struct TQStatusHistoryStruct {
  TQAccessNameType user; /* empty, with time 0, for a status never entered */
  TQTimestamp time;
} TQStatusHistoryStruct;

typedef struct TQStatusHistoryList {
  uint32_t numItems;
  TQStatusHistoryStruct* statHistList;
} TQStatusHistoryList;

/* ------------------------------------------------------------------------ */
/* Definition records                                                       */
/* ------------------------------------------------------------------------ */

/* ------------------------------------------------------------------------ */
/* Operations                                                               */
/* ------------------------------------------------------------------------ */

/* --- Release routines --------------------------------------------------- */

/* --- Messages ----------------------------------------------------------- */

#ifdef __cplusplus
}
#endif

#endif /* TQLINK_H */
