/**
 * @file tqlink.h
 * @brief The public interface of tqlink, the client library of the
 * request-tracking server: its records, operations and release routines.
 *
 * Every record is a plain C structure of fixed-width integers, fixed-size
 * character arrays, heap texts and counted arrays. Results are hung below
 * records that the caller supplies, in memory from malloc, and are given back
 * with the FreeTQ... release routines.
 *
 * Conventions:
 *  - Every list is `{ uint32_t numItems; T* items; }`. With numItems 0 the
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
#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ------------------------------------------------------------------------ */
/* Fixed sizes                                                              */
/* ------------------------------------------------------------------------ */

/** @addtogroup sessions
 *  @{ */
#define TQ_MAX_NAME_SIZE 30        /**< schemas, fields, menus, filters, ... */
#define TQ_MAX_ACCESS_NAME_SIZE 30 /**< user names */
#define TQ_MAX_PASSWORD_SIZE 30
#define TQ_MAX_SERVER_SIZE 64
#define TQ_MAX_ENTRYID_SIZE 15
#define TQ_MAX_LANG_SIZE 16       /**< language in the control record */
#define TQ_MAX_SEPARATOR_SIZE 9   /**< TQEntryListFieldStruct.separator, array of 10 */
#define TQ_MAX_MESSAGE_TEXT 256   /**< status texts that travel on the wire */
#define TQ_MAX_SDESC_SIZE 128     /**< entry-list short description, 129 on the wire */
#define TQ_MAX_PROMPT_TEXT 4096   /**< TQMessageStruct text on the wire */

typedef char TQNameType[TQ_MAX_NAME_SIZE + 1];
typedef char TQAccessNameType[TQ_MAX_ACCESS_NAME_SIZE + 1];
typedef char TQPasswordType[TQ_MAX_PASSWORD_SIZE + 1];
typedef char TQServerNameType[TQ_MAX_SERVER_SIZE + 1];
typedef char TQEntryIdType[TQ_MAX_ENTRYID_SIZE + 1];
typedef char TQLanguageType[TQ_MAX_LANG_SIZE + 1];

typedef unsigned char TQBoolean;
typedef int32_t TQTimestamp; /**< seconds since 1970-01-01 00:00 UTC */
/** @} */

/** @addtogroup messages
 *  @{ */
/* Return codes of every operation, and message types of status items. */
#define TQ_RETURN_OK 0         /**< ok */
#define TQ_RETURN_WARNING 1    /**< the most severe status is a warning */
#define TQ_RETURN_ERROR 2      /**< the most severe status is an error: the call failed */
#define TQ_RETURN_FATAL 3      /**< the control record's session cannot be found (161) */
#define TQ_RETURN_BAD_STATUS 4 /**< no status list was passed */

#define TQ_MSG_NOTE 0    /**< a note */
#define TQ_MSG_WARNING 1 /**< a warning */
#define TQ_MSG_ERROR 2   /**< an error */
#define TQ_MSG_PROMPT 5  /**< a prompt (only in messages of filters and active links) */
/** @} */

/* ------------------------------------------------------------------------ */
/* Control record                                                           */
/* ------------------------------------------------------------------------ */

/** @addtogroup sessions
 *  @{ */
struct TQSessionStruct; /* owned by the library, reached only through the handle */
/** A session of the library, reached only through the handle in TQControlStruct. */
typedef struct TQSessionStruct TQSessionStruct;

/** The first argument of every operation: who calls which server, and the
    session the call belongs to. */
typedef struct TQControlStruct {
  int32_t cacheId;             /**< replaced by the server's value after every call */
  TQTimestamp operationTime;   /**< set by tqlink; replaced by the server's value */
  TQAccessNameType user;       /**< must not be empty */
  TQPasswordType password;
  TQLanguageType language;     /**< filled in by tqlink when empty */
  TQSessionStruct* session;    /**< set by TQInitialization, cleared by TQTermination */
  TQServerNameType server;     /**< must not be empty */
} TQControlStruct;
/** @} */

/* ------------------------------------------------------------------------ */
/* Status list                                                              */
/* ------------------------------------------------------------------------ */

/** @addtogroup messages
 *  @{ */
/** One status item: what the library or the server reports about a call. */
typedef struct TQStatusStruct {
  uint32_t messageType;  /**< TQ_MSG_NOTE, TQ_MSG_WARNING, TQ_MSG_ERROR */
  int32_t messageNumber;
  char* messageText;
  char* appendedText;    /**< NULL when there is none */
} TQStatusStruct;

/** The statuses of a call, the last argument of every operation; release with
    FreeTQStatusList(). */
typedef struct TQStatusList {
  uint32_t numItems;
  TQStatusStruct* statusList; /**< sorted by messageType, most severe first */
} TQStatusList;

/** The message record of filter and active-link definitions (prompts too). */
typedef struct TQMessageStruct {
  uint32_t messageType; /**< 0 note, 1 warning, 2 error, 5 prompt */
  int32_t messageNumber;
  char* messageText;    /**< at most 4096 characters on the wire */
  TQBoolean usePromptingPane;
} TQMessageStruct;
/** @} */

/* ------------------------------------------------------------------------ */
/* Typed values                                                             */
/* ------------------------------------------------------------------------ */

/** @addtogroup entries
 *  @{ */
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
#define TQ_DATA_TYPE_DISPLAY_30 30 /**< display-only types: tag alone, no payload */
#define TQ_DATA_TYPE_DISPLAY_31 31
#define TQ_DATA_TYPE_DISPLAY_32 32
#define TQ_DATA_TYPE_NOWIRE_35 35 /**< no payload; the wire encoding rejects them */
#define TQ_DATA_TYPE_NOWIRE_36 36
#define TQ_DATA_TYPE_ULONG 40
#define TQ_DATA_TYPE_COORDS 41
#define TQ_DATA_TYPE_MAX 41

/** Bytes of a value of data type #TQ_DATA_TYPE_BYTES. */
typedef struct TQByteList {
  uint32_t type; /**< meaning of the bytes, defined by the server */
  uint32_t numItems;
  unsigned char* bytes;
} TQByteList;

typedef struct TQCoordStruct {
  int32_t x;
  int32_t y;
} TQCoordStruct;

/** Points of a value of data type #TQ_DATA_TYPE_COORDS. */
typedef struct TQCoordList {
  uint32_t numItems;
  TQCoordStruct* coords;
} TQCoordList;
/** @} */

/** @addtogroup attachments
 *  @{ */
#define TQ_LOC_FILENAME 1
#define TQ_LOC_BUFFER 2

/** Bytes in memory: an attachment's data in the buffer form of TQLocStruct. */
typedef struct TQBufStruct {
  uint32_t bufferSize;
  unsigned char* buffer;
} TQBufStruct;

/** Where an attachment's data is: a file name, or a buffer in memory. */
typedef struct TQLocStruct {
  uint32_t locationType; /**< TQ_LOC_FILENAME or TQ_LOC_BUFFER */
  union {
    char* filename;
    TQBufStruct buf;
  } u;
} TQLocStruct;

/** An attachment value: its name, sizes and where its data is. */
typedef struct TQAttachStruct {
  char* name;             /**< the attachment's file name */
  int32_t originalSize;   /**< size before compression */
  int32_t compressedSize; /**< size after compression */
  TQLocStruct loc;
} TQAttachStruct;
/** @} */

/** @addtogroup entries
 *  @{ */
/** A typed value: the data type (TQ_DATA_TYPE_...) says which member of u
    holds it; texts and sub-records are heap blocks that FreeTQValueStruct()
    releases. */
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

/** A list of values. */
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

/** The value of one field of an entry. */
typedef struct TQFieldValueStruct {
  uint32_t fieldId;
  TQValueStruct value;
} TQFieldValueStruct;

/** The field values of an entry, such as TQGetEntry() returns; release with
    FreeTQFieldValueList(). */
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

/** The name of an entry: one id, or one per member schema of a join schema. */
typedef struct TQEntryIdList {
  uint32_t numItems;
  TQEntryIdType* entryIdList; /**< one id, or one per member schema of a join */
} TQEntryIdList;

typedef struct TQEntryIdListList {
  uint32_t numItems;
  TQEntryIdList* entryIdListList;
} TQEntryIdListList;

typedef struct TQEntryListStruct {
  TQEntryIdList entryId;
  char* shortDescription; /**< at most 129 characters on the wire */
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
  TQFieldValueList* fieldValues; /**< may be NULL */
} TQEntryListFieldValueStruct;

typedef struct TQEntryListFieldValueList {
  uint32_t numItems;
  TQEntryListFieldValueStruct* entryList;
} TQEntryListFieldValueList;

/* ------------------------------------------------------------------------ */
/* Id and name lists                                                        */
/* ------------------------------------------------------------------------ */

/** A list of ids, such as the field ids TQGetEntry() asks for. */
typedef struct TQInternalIdList {
  uint32_t numItems;
  uint32_t* internalIdList;
} TQInternalIdList;

typedef struct TQNameList {
  uint32_t numItems;
  TQNameType* nameList;
} TQNameList;

/** Server names in fixed-size slots, as TQGetListServer() returns them. */
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
/** @} */

/* ------------------------------------------------------------------------ */
/* Qualification tree                                                       */
/* ------------------------------------------------------------------------ */

/** @addtogroup searches
 *  @{ */
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
  uint32_t userOrTime; /**< TQ_STAT_HISTORY_USER or TQ_STAT_HISTORY_TIME */
} TQStatHistoryValue;

typedef struct TQFieldValueOrArithStruct {
  uint32_t tag;
  union {
    uint32_t fieldId;      /**< FIELD, FIELD_TRAN, FIELD_DB, FIELD_CURRENT */
    TQValueStruct value;   /**< VALUE */
    struct TQArithOpStruct* arithOp; /**< ARITHMETIC */
    TQStatHistoryValue statHistory;  /**< STAT_HISTORY */
    TQValueList valueSet;            /**< VALUE_SET */
    uint32_t variable;               /**< LOCAL_VARIABLE, 0 to 10 */
    struct TQQueryValueStruct* queryValue; /**< QUERY */
  } u;
} TQFieldValueOrArithStruct;

typedef struct TQArithOpStruct {
  uint32_t operation; /**< TQ_ARITH_OP_...; for NEGATE only the right operand counts */
  TQFieldValueOrArithStruct left;
  TQFieldValueOrArithStruct right;
} TQArithOpStruct;

typedef struct TQRelOpStruct {
  uint32_t operation; /**< TQ_REL_OP_... */
  TQFieldValueOrArithStruct left;
  TQFieldValueOrArithStruct right;
} TQRelOpStruct;

/** A node of a qualification (search condition) tree. */
typedef struct TQQualifierStruct {
  uint32_t operation; /**< TQ_COND_OP_... */
  union {
    struct {
      struct TQQualifierStruct* left;
      struct TQQualifierStruct* right;
    } andor;                            /**< AND, OR */
    struct TQQualifierStruct* negated;  /**< NOT */
    TQRelOpStruct* relOp;
  } u;
} TQQualifierStruct;

typedef struct TQQueryValueStruct {
  TQNameType schema;
  TQServerNameType server;
  TQQualifierStruct* qualifier;
  uint32_t valueFieldId;
  uint32_t multiValueCode; /**< TQ_QUERY_VALUE_MULTI_... */
} TQQueryValueStruct;

/* ------------------------------------------------------------------------ */
/* Sorting, statistics, diaries, status histories                           */
/* ------------------------------------------------------------------------ */

#define TQ_SORT_ASCENDING 1
#define TQ_SORT_DESCENDING 2

typedef struct TQSortStruct {
  uint32_t fieldId;
  uint32_t order; /**< TQ_SORT_ASCENDING or TQ_SORT_DESCENDING */
} TQSortStruct;

typedef struct TQSortList {
  uint32_t numItems;
  TQSortStruct* sortList;
} TQSortList;

typedef struct TQStatisticsResultStruct {
  TQValueList groupedBy; /**< empty without grouping */
  TQValueStruct result;
} TQStatisticsResultStruct;

typedef struct TQStatisticsResultList {
  uint32_t numItems;
  TQStatisticsResultStruct* resultList;
} TQStatisticsResultList;
/** @} */

/** @addtogroup entries
 *  @{ */
/** One item of a diary: who wrote what when. */
typedef struct TQDiaryStruct {
  TQAccessNameType user;
  TQTimestamp time;
  char* value;
} TQDiaryStruct;

typedef struct TQDiaryList {
  uint32_t numItems;
  TQDiaryStruct* diaryList;
} TQDiaryList;

/** Who set a status last, and when. */
typedef struct TQStatusHistoryStruct {
  TQAccessNameType user; /**< empty, with time 0, for a status never entered */
  TQTimestamp time;
} TQStatusHistoryStruct;

typedef struct TQStatusHistoryList {
  uint32_t numItems;
  TQStatusHistoryStruct* statHistList;
} TQStatusHistoryList;
/** @} */

/* ------------------------------------------------------------------------ */
/* Definition records                                                       */
/* ------------------------------------------------------------------------ */

/*
 * Layout rules of this section. Every union record is a tag (unsigned 32)
 * followed by a union named u whose arm the tag selects; tags without an arm
 * carry nothing. Sub-records are embedded unless a field is declared as a
 * pointer; a pointed-to sub-record is a heap block of its own. Where a record
 * below is more detailed than what the operations need to check, the extra
 * fields are carried through unchanged.
 */

/** @addtogroup definitions
 *  @{ */
#define TQ_DATA_TYPE_TABLE 33  /**< field limits only: a table field */
#define TQ_DATA_TYPE_COLUMN 34 /**< field limits only: a column of a table field */

#define TQ_MAX_INDEX_FIELDS 16
#define TQ_MAX_TABLENAME_SIZE 255 /**< table name of a view schema, array of 256 */
/** @} */

/* --- Permissions, groups, users ----------------------------------------- */

/** @addtogroup def_access
 *  @{ */
#define TQ_PERMISSIONS_NONE 0
#define TQ_PERMISSIONS_VIEW 1
#define TQ_PERMISSIONS_CHANGE 2

typedef struct TQPermissionStruct {
  uint32_t groupId;
  uint32_t permissions; /**< TQ_PERMISSIONS_... */
} TQPermissionStruct;

typedef struct TQPermissionList {
  uint32_t numItems;
  TQPermissionStruct* permissionList;
} TQPermissionList;

#define TQ_GROUP_TYPE_VIEW 1
#define TQ_GROUP_TYPE_CHANGE 2

typedef struct TQGroupInfoStruct {
  uint32_t groupId;
  uint32_t groupType;   /**< TQ_GROUP_TYPE_... */
  TQNameList groupName; /**< the group's names */
} TQGroupInfoStruct;

typedef struct TQGroupInfoList {
  uint32_t numItems;
  TQGroupInfoStruct* groupList;
} TQGroupInfoList;

/** One licence a user holds; the codes are the server's. */
typedef struct TQUserLicenseStruct {
  uint32_t licenseTag;         /**< what the licence is for */
  uint32_t licenseType;        /**< the kind of licence assigned */
  uint32_t currentLicenseType; /**< the kind in use at the moment */
} TQUserLicenseStruct;

typedef struct TQUserLicenseList {
  uint32_t numItems;
  TQUserLicenseStruct* licenseList;
} TQUserLicenseList;

typedef struct TQUserInfoStruct {
  TQAccessNameType userName;
  TQUserLicenseList licenseInfo;
  TQTimestamp connectTime; /**< 0 when the user is not connected */
  TQTimestamp lastAccess;
  uint32_t defaultNotifyMech; /**< TQ_NOTIFY_VIA_... */
  char* emailAddress;
} TQUserInfoStruct;

typedef struct TQUserInfoList {
  uint32_t numItems;
  TQUserInfoStruct* userList;
} TQUserInfoList;
/** @} */

/* --- Schemas, field mappings, indexes ----------------------------------- */

/** @addtogroup def_schemas
 *  @{ */
#define TQ_SCHEMA_NONE 0
#define TQ_SCHEMA_REGULAR 1
#define TQ_SCHEMA_JOIN 2
#define TQ_SCHEMA_VIEW 3
#define TQ_SCHEMA_DIALOG 4 /**< a form without entries of its own */

typedef struct TQJoinSchema {
  TQNameType memberA;
  TQNameType memberB;
  TQQualifierStruct joinQual;
  uint32_t option; /**< meaning is the server's */
} TQJoinSchema;

typedef struct TQViewSchema {
  char tableName[TQ_MAX_TABLENAME_SIZE + 1];
  TQNameType keyField; /**< the column that identifies a row */
  char* viewQual;      /**< qualification text in the database's syntax */
} TQViewSchema;

typedef struct TQCompoundSchema {
  uint32_t schemaType; /**< TQ_SCHEMA_... */
  union {
    TQJoinSchema join; /**< JOIN */
    TQViewSchema view; /**< VIEW */
  } u;
} TQCompoundSchema;

#define TQ_FIELD_MAPPING_NONE 0
#define TQ_FIELD_MAPPING_REGULAR 1
#define TQ_FIELD_MAPPING_JOIN 2
#define TQ_FIELD_MAPPING_VIEW 3

typedef struct TQJoinMappingStruct {
  uint32_t schemaIndex; /**< 0 member A, 1 member B */
  uint32_t realId;      /**< the field's id in that member */
} TQJoinMappingStruct;

typedef struct TQViewMappingStruct {
  TQNameType fieldName; /**< column name in the view's table */
} TQViewMappingStruct;

typedef struct TQFieldMappingStruct {
  uint32_t fieldType; /**< TQ_FIELD_MAPPING_... */
  union {
    TQJoinMappingStruct join;
    TQViewMappingStruct view;
  } u;
} TQFieldMappingStruct;

typedef struct TQIndexStruct {
  uint32_t numFields;
  uint32_t fieldIds[TQ_MAX_INDEX_FIELDS];
  TQBoolean unique;
} TQIndexStruct;

typedef struct TQIndexList {
  uint32_t numItems;
  TQIndexStruct* indexList;
} TQIndexList;
/** @} */

/* --- Field limits -------------------------------------------------------- */

/** @addtogroup def_fields
 *  @{ */
#define TQ_MENU_STYLE_APPEND 1
#define TQ_MENU_STYLE_OVERWRITE 2

#define TQ_QBE_MATCH_ANYWHERE 1
#define TQ_QBE_MATCH_LEADING 2
#define TQ_QBE_MATCH_EQUAL 3

#define TQ_FULLTEXT_OPTIONS_NONE 0
#define TQ_FULLTEXT_OPTIONS_INDEXED 1

typedef struct TQIntegerLimitsStruct {
  int32_t rangeLow;
  int32_t rangeHigh;
} TQIntegerLimitsStruct;

typedef struct TQRealLimitsStruct {
  double rangeLow;
  double rangeHigh;
  int32_t precision; /**< -1: not limited */
} TQRealLimitsStruct;

typedef struct TQCharLimitsStruct {
  uint32_t maxLength;
  uint32_t menuStyle;         /**< TQ_MENU_STYLE_... */
  uint32_t qbeMatchOperation; /**< TQ_QBE_MATCH_... */
  TQNameType charMenu;
  char* pattern;            /**< at most 255 characters */
  uint32_t fullTextOptions; /**< TQ_FULLTEXT_OPTIONS_... */
} TQCharLimitsStruct;

typedef struct TQDiaryLimitsStruct {
  uint32_t fullTextOptions;
} TQDiaryLimitsStruct;

typedef struct TQDecimalLimitsStruct {
  char* rangeLow;
  char* rangeHigh;
  int32_t precision;
} TQDecimalLimitsStruct;

typedef struct TQAttachLimitsStruct {
  uint32_t maxSize;    /**< at most 2147483647 */
  uint32_t attachType; /**< 1 */
} TQAttachLimitsStruct;

typedef struct TQTableLimitsStruct {
  uint32_t numColumns;
  TQQualifierStruct qualifier; /**< selects the rows shown */
  uint32_t maxRetrieve;        /**< at most 9999 rows */
  TQNameType schema;
  TQNameType server;
} TQTableLimitsStruct;

typedef struct TQColumnLimitsStruct {
  uint32_t parent;    /**< id of the table field */
  uint32_t dataField; /**< id of the field the column shows */
  uint32_t colLength; /**< below 256 */
} TQColumnLimitsStruct;

/** Data types 0, 7 (timestamp) and 9 (byte list) carry no limits. */
typedef struct TQFieldLimitStruct {
  uint32_t dataType; /**< TQ_DATA_TYPE_... */
  union {
    TQIntegerLimitsStruct intLimits;     /**< INTEGER */
    TQRealLimitsStruct realLimits;       /**< REAL */
    TQCharLimitsStruct charLimits;       /**< CHAR */
    TQDiaryLimitsStruct diaryLimits;     /**< DIARY */
    TQNameList enumLimits;               /**< ENUM: the value names */
    TQNameList maskLimits;               /**< BITMASK: the bit names */
    TQDecimalLimitsStruct decimalLimits; /**< DECIMAL */
    TQAttachLimitsStruct attachLimits;   /**< ATTACH */
    TQTableLimitsStruct tableLimits;     /**< TABLE */
    TQColumnLimitsStruct columnLimits;   /**< COLUMN */
  } u;
} TQFieldLimitStruct;

/* --- Displays, properties, display instances ----------------------------- */

#define TQ_DISPLAY_LABEL_LEFT 1
#define TQ_DISPLAY_LABEL_TOP 2

#define TQ_DISPLAY_TYPE_NONE 1
#define TQ_DISPLAY_TYPE_TEXT 2
#define TQ_DISPLAY_TYPE_NUMTEXT 3
#define TQ_DISPLAY_TYPE_CHECKBOX 4
#define TQ_DISPLAY_TYPE_CHOICE 5
#define TQ_DISPLAY_TYPE_BUTTON 6

#define TQ_DISPLAY_OPTION_VISIBLE 1
#define TQ_DISPLAY_OPTION_HIDDEN 2

typedef struct TQDisplayStruct {
  TQNameType displayTag;
  TQNameType label;
  uint32_t labelLocation; /**< TQ_DISPLAY_LABEL_... */
  uint32_t type;          /**< TQ_DISPLAY_TYPE_... */
  uint32_t length;
  uint32_t numRows;
  uint32_t option; /**< TQ_DISPLAY_OPTION_... */
  int32_t x;
  int32_t y;
} TQDisplayStruct;

typedef struct TQDisplayList {
  uint32_t numItems;
  TQDisplayStruct* displayList;
} TQDisplayList;

typedef struct TQPropStruct {
  uint32_t propertyTag; /**< meaning is the server's */
  TQValueStruct value;
} TQPropStruct;

typedef struct TQPropList {
  uint32_t numItems;
  TQPropStruct* props;
} TQPropList;

typedef struct TQDisplayInstanceStruct {
  uint32_t vui; /**< view id */
  TQPropList props;
} TQDisplayInstanceStruct;

typedef struct TQDisplayInstanceList {
  TQPropList commonProps; /**< properties shared by every view */
  uint32_t numItems;
  TQDisplayInstanceStruct* dInstanceList;
} TQDisplayInstanceList;
/** @} */

/* --- Character menus ------------------------------------------------------ */

/** @addtogroup def_menus
 *  @{ */
#define TQ_CHAR_MENU_NONE 0
#define TQ_CHAR_MENU_LIST 1
#define TQ_CHAR_MENU_QUERY 2
#define TQ_CHAR_MENU_FILE 3
#define TQ_CHAR_MENU_SQL 4

#define TQ_MENU_ITEM_NONE 0
#define TQ_MENU_ITEM_VALUE 1
#define TQ_MENU_ITEM_MENU 2

#define TQ_MENU_FILE_SERVER 1
#define TQ_MENU_FILE_CLIENT 2

#define TQ_MENU_REFRESH_CONNECT 1
#define TQ_MENU_REFRESH_OPEN 2
#define TQ_MENU_REFRESH_INTERVAL 3

#define TQ_MAX_MENU_LEVELS 15 /**< a menu may nest this deep below its top */
#define TQ_MAX_MENU_ITEMS 99  /**< items in one list */

struct TQCharMenuStruct;

typedef struct TQCharMenuItemStruct {
  TQNameType label;
  uint32_t itemType; /**< TQ_MENU_ITEM_... */
  union {
    char* value;                        /**< VALUE: at most 255 characters */
    struct TQCharMenuStruct* childMenu; /**< MENU: a heap block of its own */
  } u;
} TQCharMenuItemStruct;

typedef struct TQCharMenuList {
  uint32_t numItems;
  TQCharMenuItemStruct* charMenuList;
} TQCharMenuList;

typedef struct TQCharMenuQueryStruct {
  TQNameType schema;
  TQServerNameType server;
  TQQualifierStruct qualifier;
  uint32_t labelFieldId;
  uint32_t valueFieldId;
  TQBoolean sortOnLabel;
} TQCharMenuQueryStruct;

typedef struct TQCharMenuFileStruct {
  uint32_t fileLocation; /**< TQ_MENU_FILE_... */
  char* filename;
} TQCharMenuFileStruct;

typedef struct TQCharMenuSQLStruct {
  TQServerNameType server;
  char* sqlCommand;
  int32_t labelIndex; /**< 1-based column of the result rows */
  int32_t valueIndex;
} TQCharMenuSQLStruct;

typedef struct TQCharMenuStruct {
  uint32_t menuType; /**< TQ_CHAR_MENU_... */
  union {
    TQCharMenuList menuList;
    TQCharMenuQueryStruct menuQuery;
    TQCharMenuFileStruct menuFile;
    TQCharMenuSQLStruct menuSQL;
  } u;
} TQCharMenuStruct;
/** @} */

/* --- Assignments -------------------------------------------------------- */

/** @addtogroup def_assignments
 *  @{ */
#define TQ_ASSIGN_TYPE_NONE 0
#define TQ_ASSIGN_TYPE_VALUE 1
#define TQ_ASSIGN_TYPE_FIELD 2
#define TQ_ASSIGN_TYPE_PROCESS 3
#define TQ_ASSIGN_TYPE_ARITH 4
#define TQ_ASSIGN_TYPE_FUNCTION 5
#define TQ_ASSIGN_TYPE_DDE 6
#define TQ_ASSIGN_TYPE_SQL 7

/* Source of a field assignment: TQ_FIELD (1) or TQ_STAT_HISTORY (4). */
#define TQ_NO_MATCH_ERROR 1
#define TQ_NO_MATCH_NULL 2

#define TQ_MULTI_MATCH_ERROR 1
#define TQ_MULTI_MATCH_NULL 2
#define TQ_MULTI_MATCH_FIRST 3
#define TQ_MULTI_MATCH_PICKLIST 4

#define TQ_FUNCTION_DATE 1 /**< function codes run from 1 to 26 */
#define TQ_FUNCTION_MAX 26

#define TQ_DDE_EXECUTE 1
#define TQ_DDE_POKE 2
#define TQ_DDE_REQUEST 3

struct TQAssignFieldStruct;
struct TQArithOpAssignStruct;
struct TQFunctionAssignStruct;
struct TQDDEStruct;
struct TQAssignSQLStruct;

typedef struct TQAssignStruct {
  uint32_t assignType; /**< TQ_ASSIGN_TYPE_...; every pointer is a heap block of its own */
  union {
    TQValueStruct value;                     /**< VALUE */
    struct TQAssignFieldStruct* field;       /**< FIELD */
    char* process;                           /**< PROCESS: command, at most 255 */
    struct TQArithOpAssignStruct* arithOp;   /**< ARITH */
    struct TQFunctionAssignStruct* function; /**< FUNCTION */
    struct TQDDEStruct* dde;                 /**< DDE */
    struct TQAssignSQLStruct* sql;           /**< SQL */
  } u;
} TQAssignStruct;

typedef struct TQAssignFieldStruct {
  TQServerNameType server;
  TQNameType schema;
  TQQualifierStruct qualifier;
  uint32_t tag; /**< TQ_FIELD or TQ_STAT_HISTORY */
  union {
    uint32_t fieldId;
    TQStatHistoryValue statHistory;
  } u;
  uint32_t noMatchOption;    /**< TQ_NO_MATCH_... */
  uint32_t multiMatchOption; /**< TQ_MULTI_MATCH_... */
} TQAssignFieldStruct;

typedef struct TQArithOpAssignStruct {
  uint32_t operation; /**< TQ_ARITH_OP_...; for NEGATE only the right operand counts */
  TQAssignStruct left;
  TQAssignStruct right;
} TQArithOpAssignStruct;

typedef struct TQFunctionAssignStruct {
  uint32_t functionCode; /**< TQ_FUNCTION_DATE to TQ_FUNCTION_MAX */
  uint32_t numItems;
  TQAssignStruct* parameterList;
} TQFunctionAssignStruct;

typedef struct TQDDEStruct {
  char* serviceName; /**< at most 64 */
  char* topic;       /**< at most 64 */
  char* item;        /**< at most 32767 */
  uint32_t action;   /**< TQ_DDE_... */
  char* pathToProgram;
  char* command;
} TQDDEStruct;

typedef struct TQAssignSQLStruct {
  TQServerNameType server;
  char* sqlCommand;
  uint32_t valueIndex;       /**< 1-based column of the result row */
  uint32_t noMatchOption;    /**< TQ_NO_MATCH_... */
  uint32_t multiMatchOption; /**< TQ_MULTI_MATCH_ERROR to TQ_MULTI_MATCH_PICKLIST */
} TQAssignSQLStruct;

typedef struct TQFieldAssignStruct {
  uint32_t fieldId;
  TQAssignStruct assignment;
} TQFieldAssignStruct;

typedef struct TQFieldAssignList {
  uint32_t numItems;
  TQFieldAssignStruct* fieldAssignList;
} TQFieldAssignList;

typedef struct TQPushFieldsStruct {
  TQAssignFieldStruct field; /**< target */
  TQAssignStruct assign;     /**< source */
} TQPushFieldsStruct;

typedef struct TQPushFieldsList {
  uint32_t numItems;
  TQPushFieldsStruct* pushFieldsList;
} TQPushFieldsList;

/** SQL action of filters and active links. */
typedef struct TQSQLStruct {
  TQServerNameType server;
  char* sqlCommand;
} TQSQLStruct;
/** @} */

/* --- Filter and escalation actions ---------------------------------------- */

/** @addtogroup def_filters
 *  @{ */
#define TQ_FILTER_ACTION_NONE 0
#define TQ_FILTER_ACTION_NOTIFY 1
#define TQ_FILTER_ACTION_MESSAGE 2
#define TQ_FILTER_ACTION_LOG 3
#define TQ_FILTER_ACTION_FIELDS 4
#define TQ_FILTER_ACTION_PROCESS 5
#define TQ_FILTER_ACTION_FIELDP 6 /**< push fields */
#define TQ_FILTER_ACTION_SQL 7
#define TQ_FILTER_ACTION_GOTOACTION 8

#define TQ_NOTIFY_VIA_NOTIFIER 1
#define TQ_NOTIFY_VIA_EMAIL 2
#define TQ_NOTIFY_VIA_DEFAULT 3
#define TQ_NOTIFY_VIA_XREF 99

#define TQ_FILTER_FIELD_IDS_NONE 0
#define TQ_FILTER_FIELD_IDS_ALL 1
#define TQ_FILTER_FIELD_IDS_LIST 2
#define TQ_FILTER_FIELD_IDS_CHANGED 3

#define TQ_MAX_NOTIFY_PRIORITY 10

typedef struct TQFilterActionNotify {
  char* user;                   /**< at most 255 */
  char* notifyText;             /**< at most 255 */
  uint32_t notifyPriority;      /**< 0 to TQ_MAX_NOTIFY_PRIORITY */
  uint32_t notifyMechanism;     /**< TQ_NOTIFY_VIA_... */
  uint32_t notifyMechanismXRef; /**< field id, for TQ_NOTIFY_VIA_XREF */
  char* subjectText;            /**< at most 255 */
  uint32_t fieldIdListType;     /**< TQ_FILTER_FIELD_IDS_... */
  TQInternalIdList fieldIdList; /**< the fields, for TQ_FILTER_FIELD_IDS_LIST */
} TQFilterActionNotify;

#define TQ_GOTO_FIELD_XREF 1 /**< jump to the order held in a field */
#define TQ_GOTO_ABSOLUTE_ORDER 2

typedef struct TQGotoActionStruct {
  uint32_t tag;            /**< TQ_GOTO_... */
  uint32_t fieldIdOrValue; /**< field id, or the execution order */
} TQGotoActionStruct;

typedef struct TQFilterActionStruct {
  uint32_t action; /**< TQ_FILTER_ACTION_... */
  union {
    TQFilterActionNotify notify;   /**< NOTIFY */
    TQMessageStruct message;       /**< MESSAGE */
    char* logFile;                 /**< LOG: file name, at most 255 */
    TQFieldAssignList setFields;   /**< FIELDS */
    char* process;                 /**< PROCESS: command, at most 255 */
    TQPushFieldsList pushFields;   /**< FIELDP */
    TQSQLStruct sqlCommand;        /**< SQL */
    TQGotoActionStruct gotoAction; /**< GOTOACTION */
  } u;
} TQFilterActionStruct;

typedef struct TQFilterActionList {
  uint32_t numItems;
  TQFilterActionStruct* actionList;
} TQFilterActionList;
/** @} */

/* --- Active-link actions -------------------------------------------------- */

/** @addtogroup def_activelinks
 *  @{ */
#define TQ_ACTIVE_LINK_ACTION_NONE 0
#define TQ_ACTIVE_LINK_ACTION_MACRO 1
#define TQ_ACTIVE_LINK_ACTION_FIELDS 2
#define TQ_ACTIVE_LINK_ACTION_PROCESS 3
#define TQ_ACTIVE_LINK_ACTION_MESSAGE 4
#define TQ_ACTIVE_LINK_ACTION_SET_CHAR 5 /**< set field characteristics */
#define TQ_ACTIVE_LINK_ACTION_DDE 6
#define TQ_ACTIVE_LINK_ACTION_FIELDP 7 /**< push fields */
#define TQ_ACTIVE_LINK_ACTION_SQL 8
#define TQ_ACTIVE_LINK_ACTION_METHOD 9 /**< call methods of an automation server */
#define TQ_ACTIVE_LINK_ACTION_OPENDLG 10
#define TQ_ACTIVE_LINK_ACTION_COMMITC 11
#define TQ_ACTIVE_LINK_ACTION_CLOSEWND 12
#define TQ_ACTIVE_LINK_ACTION_CALLGUIDE 13
#define TQ_ACTIVE_LINK_ACTION_EXITGUIDE 14
#define TQ_ACTIVE_LINK_ACTION_GOTOGUIDELABEL 15
#define TQ_ACTIVE_LINK_ACTION_WAIT 16
#define TQ_ACTIVE_LINK_ACTION_GOTOACTION 17

typedef struct TQMacroParmStruct {
  TQNameType name;
  char* value; /**< at most 255 */
} TQMacroParmStruct;

typedef struct TQMacroParmList {
  uint32_t numItems;
  TQMacroParmStruct* parms;
} TQMacroParmList;

typedef struct TQActiveLinkMacroStruct {
  TQNameType macroName;
  char* macroText; /**< may hold report sections, see TQSetActiveLink */
  TQMacroParmList macroParms;
} TQActiveLinkMacroStruct;

#define TQ_FOCUS_UNCHANGED 0
#define TQ_FOCUS_SET_TO_FIELD 1

#define TQ_FIELD_ACCESS_UNCHANGED 0
#define TQ_FIELD_ACCESS_READ_ONLY 1
#define TQ_FIELD_ACCESS_READ_WRITE 2
#define TQ_FIELD_ACCESS_DISABLE 3

typedef struct TQFieldCharacteristics {
  uint32_t fieldId;
  char* charMenu; /**< menu name, at most 30; NULL leaves it unchanged */
  TQPropList props;
  uint32_t focus;        /**< TQ_FOCUS_... */
  uint32_t accessOption; /**< TQ_FIELD_ACCESS_... */
} TQFieldCharacteristics;

/* Method call: a description of a value handed to or returned by a method. */
#define TQ_METHOD_VALUE_NONE 0
#define TQ_METHOD_VALUE_FIELD 1 /**< the value of a field */
#define TQ_METHOD_VALUE_VALUE 2 /**< a typed value */

typedef struct TQMethodValueStruct {
  char* name;    /**< type name, at most 128 */
  uint32_t kind; /**< TQ_METHOD_VALUE_... */
  union {
    uint32_t fieldId;    /**< FIELD */
    TQValueStruct value; /**< VALUE */
  } u;
} TQMethodValueStruct;

typedef struct TQMethodParmStruct {
  char* name; /**< at most 64 */
  TQMethodValueStruct value;
} TQMethodParmStruct;

typedef struct TQMethodParmList {
  uint32_t numItems;
  TQMethodParmStruct* parameterList;
} TQMethodParmList;

typedef struct TQMethodStruct {
  char* methodName; /**< at most 128 */
  TQMethodValueStruct returnValue;
  TQMethodParmList parameters;
} TQMethodStruct;

typedef struct TQMethodList {
  uint32_t numItems;
  TQMethodStruct* methodList;
} TQMethodList;

typedef struct TQMethodCallStruct {
  char* serverName; /**< automation server, at most 64 */
  char* classId;    /**< at most 2000 */
  char* actionText; /**< at most 128 */
  TQBoolean isVisible;
  TQMethodList methodList; /**< called in order */
} TQMethodCallStruct;

typedef struct TQOpenDialogStruct {
  TQServerNameType server;
  TQNameType schema;
  TQNameType vuiLabel; /**< empty: the default view */
  TQBoolean closeBox;
  TQFieldAssignList inputValueFieldPairs;  /**< dialogue fields set on opening */
  TQFieldAssignList outputValueFieldPairs; /**< fields set from the dialogue on closing */
} TQOpenDialogStruct;

typedef struct TQCommitChangesStruct {
  TQNameType schema;
} TQCommitChangesStruct;

typedef struct TQCloseWindowStruct {
  TQBoolean closeAll;
} TQCloseWindowStruct;

typedef struct TQCallGuideStruct {
  TQServerNameType server;
  TQNameType guideName;
  uint32_t guideMode; /**< meaning is the server's */
} TQCallGuideStruct;

typedef struct TQExitGuideStruct {
  TQBoolean closeAll;
} TQExitGuideStruct;

typedef struct TQGotoGuideLabelStruct {
  char* label; /**< at most 128 */
} TQGotoGuideLabelStruct;

typedef struct TQWaitStruct {
  char* continueButtonTitle; /**< at most 64 */
} TQWaitStruct;

typedef struct TQActiveLinkActionStruct {
  uint32_t action; /**< TQ_ACTIVE_LINK_ACTION_... */
  union {
    TQActiveLinkMacroStruct macro;          /**< MACRO */
    TQFieldAssignList setFields;            /**< FIELDS */
    char* process;                          /**< PROCESS: command, at most 255 */
    TQMessageStruct message;                /**< MESSAGE */
    TQFieldCharacteristics characteristics; /**< SET_CHAR */
    TQDDEStruct dde;                        /**< DDE */
    TQPushFieldsList pushFields;            /**< FIELDP */
    TQSQLStruct sqlCommand;                 /**< SQL */
    TQMethodCallStruct methodCall;          /**< METHOD */
    TQOpenDialogStruct openDialog;          /**< OPENDLG */
    TQCommitChangesStruct commitChanges;    /**< COMMITC */
    TQCloseWindowStruct closeWindow;        /**< CLOSEWND */
    TQCallGuideStruct callGuide;            /**< CALLGUIDE */
    TQExitGuideStruct exitGuide;            /**< EXITGUIDE */
    TQGotoGuideLabelStruct gotoGuideLabel;  /**< GOTOGUIDELABEL */
    TQWaitStruct waitAction;                /**< WAIT */
    TQGotoActionStruct gotoAction;          /**< GOTOACTION */
  } u;
} TQActiveLinkActionStruct;

typedef struct TQActiveLinkActionList {
  uint32_t numItems;
  TQActiveLinkActionStruct* actionList;
} TQActiveLinkActionList;
/** @} */

/* --- Escalation times ------------------------------------------------------ */

/** @addtogroup def_filters
 *  @{ */
#define TQ_ESCALATION_TYPE_INTERVAL 1
#define TQ_ESCALATION_TYPE_TIMEMARK 2

typedef struct TQDayStruct {
  uint32_t monthday; /**< bit n set: day n + 1 of the month */
  uint32_t weekday;  /**< bit 0 Sunday to bit 6 Saturday */
  uint32_t hourmask; /**< bit n set: hour n */
  uint32_t minute;   /**< 0 to 59 */
} TQDayStruct;

typedef struct TQEscalationTmStruct {
  uint32_t escalationTmType; /**< TQ_ESCALATION_TYPE_... */
  union {
    uint32_t interval; /**< INTERVAL: seconds, at least 1 */
    TQDayStruct date;  /**< TIMEMARK */
  } u;
} TQEscalationTmStruct;
/** @} */

/* --- Export items ----------------------------------------------------------- */

/** @addtogroup exchange
 *  @{ */
/* Item types of export and import, numbered from 1 (0 is no type). Import
   takes neither the parts of a schema (2, 3, 4) nor type 103. */
#define TQ_STRUCT_ITEM_SCHEMA 1
#define TQ_STRUCT_ITEM_SCHEMA_DEFN 2
#define TQ_STRUCT_ITEM_SCHEMA_VIEW 3
#define TQ_STRUCT_ITEM_SCHEMA_MAIL 4
#define TQ_STRUCT_ITEM_FILTER 5
#define TQ_STRUCT_ITEM_ACTIVE_LINK 6
#define TQ_STRUCT_ITEM_ADMIN_EXT 7
#define TQ_STRUCT_ITEM_CHAR_MENU 8
#define TQ_STRUCT_ITEM_ESCALATION 9
#define TQ_STRUCT_ITEM_DIST_MAP 10

typedef struct TQStructItemStruct {
  uint32_t type; /**< TQ_STRUCT_ITEM_... */
  TQNameType name;
} TQStructItemStruct;

typedef struct TQStructItemList {
  uint32_t numItems;
  TQStructItemStruct* structItemList;
} TQStructItemList;
/** @} */

/* --- Containers and references -------------------------------------------- */

/** @addtogroup def_containers
 *  @{ */
#define TQ_CONTAINER_OWNER_NONE 0
#define TQ_CONTAINER_OWNER_ALL 1
#define TQ_CONTAINER_OWNER_SCHEMA 2

typedef struct TQContainerOwnerObj {
  uint32_t type;        /**< TQ_CONTAINER_OWNER_... */
  TQNameType ownerName; /**< needed for the types after ALL */
} TQContainerOwnerObj;

typedef struct TQContainerOwnerObjList {
  uint32_t numItems;
  TQContainerOwnerObj* ownerObjList;
} TQContainerOwnerObjList;

/** Container types asked for by TQGetListContainer (codes are the server's). */
typedef struct TQContainerTypeList {
  uint32_t numItems;
  int32_t* type;
} TQContainerTypeList;

/** Reference types asked for by TQGetContainer (codes are the server's). */
typedef struct TQReferenceTypeList {
  uint32_t numItems;
  int32_t* refType;
} TQReferenceTypeList;

#define TQ_REF_DATA_SERVER 0   /**< the reference names a server object */
#define TQ_REF_DATA_EXTERNAL 1 /**< an outside reference: groups and a value */

typedef struct TQExtReferenceStruct {
  TQInternalIdList permittedGroups;
  TQValueStruct value;
} TQExtReferenceStruct;

typedef struct TQReferenceStruct {
  char* label;
  char* description;
  uint32_t type;     /**< reference type, not 0; meaning is the server's */
  uint32_t dataType; /**< TQ_REF_DATA_... */
  union {
    TQNameType name;             /**< SERVER */
    TQExtReferenceStruct extRef; /**< EXTERNAL */
  } u;
} TQReferenceStruct;

typedef struct TQReferenceList {
  uint32_t numItems;
  TQReferenceStruct* referenceList;
} TQReferenceList;

typedef struct TQContainerInfo {
  TQNameType name;
  uint32_t type;
  TQContainerOwnerObj owner;
} TQContainerInfo;

typedef struct TQContainerInfoList {
  uint32_t numItems;
  TQContainerInfo* conInfoList;
} TQContainerInfoList;
/** @} */

/* --- Server settings and full-text settings ------------------------------- */

/** @addtogroup def_server
 *  @{ */
/** The server-info codes TQGetServerInfo() asks for. */
typedef struct TQServerInfoRequestList {
  uint32_t numItems;
  uint32_t* requestList; /**< server-info codes, meaning is the server's */
} TQServerInfoRequestList;

/** One answered server-info code. */
typedef struct TQServerInfoStruct {
  uint32_t operation; /**< the server-info code */
  TQValueStruct value;
} TQServerInfoStruct;

/** What TQGetServerInfo() returns; release with FreeTQServerInfoList(). */
typedef struct TQServerInfoList {
  uint32_t numItems;
  TQServerInfoStruct* serverInfoList;
} TQServerInfoList;

#define TQ_FULLTEXT_INFO_VALUE_LIST 2 /**< the one code whose value is a list of texts */

typedef struct TQFullTextInfoRequestList {
  uint32_t numItems;
  uint32_t* requestList; /**< full-text codes, meaning is the server's */
} TQFullTextInfoRequestList;

/** Code 2 carries a list of char values; every other code carries one value. */
typedef struct TQFullTextInfoStruct {
  uint32_t infoType; /**< the full-text code */
  union {
    TQValueStruct value;
    TQValueList valueList; /**< TQ_FULLTEXT_INFO_VALUE_LIST */
  } u;
} TQFullTextInfoStruct;

typedef struct TQFullTextInfoList {
  uint32_t numItems;
  TQFullTextInfoStruct* fullTextInfoList;
} TQFullTextInfoList;
/** @} */

/* ------------------------------------------------------------------------ */
/* Operations                                                               */
/* ------------------------------------------------------------------------ */

/* --- Session and server directory ------------------------------------------ */

/*
 * Every operation returns the type of the most severe status item (0 ok,
 * 1 warning, 2 error), 3 when the control record's session cannot be found
 * (message 161) and 4 when no status list is passed. The status list is set
 * empty first, without releasing what it held, and filled with malloc memory
 * that FreeTQStatusList releases: release it after every call. Outputs are
 * likewise cleared first, so they can always be released afterwards.
 */

/**
 * @addtogroup sessions
 * @{
 */

/**
 * Opens a session and stores its handle in @p control->session.
 *
 * Reads the environment (`TQRPC`, `TQTCPPORT`, `TQPROTOCOL`,
 * `TQRPC_RESPONSE_SIZE`, `TQAPILOGGING`) into the new session. No server is
 * contacted: the first operation on a server connects to it. A failed
 * initialisation leaves no session and a cleared handle.
 *
 * @param control the caller's control record; only its session handle is
 *        written here. The user, password and server name are read by the
 *        later operations, which may use any of them.
 * @param status  set empty at entry, then receives the statuses of the call; release it
 *        with FreeTQStatusList().
 * @return 0 ok, 1 warning, 2 error, 4 when @p status is NULL.
 *
 * @par Messages
 * 149 no control record; 154 out of memory; 95 the RPC runtime context
 * cannot be created; warning 68 when `TQRPC` holds a program number that
 * is not accepted (the text of the variable appended; the session is still
 * opened).
 */
uint32_t TQInitialization(TQControlStruct* control, TQStatusList* status);

/**
 * Ends the session of @p control: an end-of-session notice goes to the
 * server for every user, password and server the session has called (with a
 * time-out of one second each), then every connection and buffer is
 * released and @p control->session is cleared.
 *
 * The session is released even when a notice fails. While the notices go
 * out, each binding's cache id, user, password, language and server name are
 * written into @p control, which keeps the values of the last one.
 *
 * @param control the control record of the session to end.
 * @param status  set empty at entry, then receives the statuses of the notices.
 * @return the code of the notice phase (0, 1 or 2); 3 when the session cannot
 *         be found; 4 when @p status is NULL.
 *
 * @par Messages
 * 161 no session; the transport messages of the notices.
 */
uint32_t TQTermination(TQControlStruct* control, TQStatusList* status);

/** @name Session variables
 *  Ids of TQSetSessionVariable() and TQGetSessionVariable(), with the data
 *  type their value has.
 *  @{ */
#define TQ_SESSION_RESPONSE_SIZE 1 /**< integer: chunk size of chunked operations, bytes */
#define TQ_SESSION_NORMAL_TIMEOUT 2 /**< integer, seconds (default 60) */
#define TQ_SESSION_LONG_TIMEOUT 3 /**< integer, seconds (default 180) */
#define TQ_SESSION_EXTRA_LONG_TIMEOUT 4 /**< integer, seconds (default 900) */
#define TQ_SESSION_DIRECTORY_TIMEOUT 5 /**< integer, seconds (default 15) */
#define TQ_SESSION_CLEAR_PASSWORD_OK 6 /**< integer, low byte kept: clear password may be used */
#define TQ_SESSION_FIXED_PROGRAM 7 /**< unsigned integer: fixed program number, as `TQRPC` */
#define TQ_SESSION_LAST_MATCH_COUNT 8 /**< integer, read only: matches of the last list query */
#define TQ_SESSION_LAST_ENTRY_ID 9 /**< character, read only: last created entry id; caller frees */
#define TQ_SESSION_PROGRAM_FIXED 10 /**< integer flag: the program number is fixed */
/** @} */

/**
 * Sets a session variable.
 *
 * @param control    the control record of the session.
 * @param variableId one of the TQ_SESSION_... ids that may be set.
 * @param value      the new value; its data type must be the one the id has
 *        (integer, or unsigned integer for #TQ_SESSION_FIXED_PROGRAM). It is
 *        stored without range checks; the caller keeps the record.
 * @param status     set empty at entry, then receives the statuses of the call.
 * @return 0 when stored; 2, with no status item, for an unknown or read-only
 *         id, a NULL value or a value of another data type; 3 when the
 *         session cannot be found; 4 when @p status is NULL.
 *
 * @par Messages
 * 161 no session.
 */
uint32_t TQSetSessionVariable(TQControlStruct* control, uint32_t variableId,
                              const TQValueStruct* value, TQStatusList* status);

/**
 * Reads a session variable.
 *
 * @param control    the control record of the session.
 * @param variableId one of the TQ_SESSION_... ids.
 * @param[out] value receives the data type and the value. For
 *        #TQ_SESSION_LAST_ENTRY_ID the text is a new copy that the caller
 *        releases with FreeTQValueStruct() (or free); it is empty before any
 *        entry was created.
 * @param status     set empty at entry, then receives the statuses of the call.
 * @return 0 when read; 2 for an unknown id or a NULL value; 3 when the
 *         session cannot be found; 4 when @p status is NULL.
 *
 * @par Messages
 * 161 no session; 154 no memory for the copy of the entry id.
 */
uint32_t TQGetSessionVariable(TQControlStruct* control, uint32_t variableId,
                              TQValueStruct* value, TQStatusList* status);

/**
 * Tells the server of @p control that a user's session ends: the
 * end-of-session notice of @p user on channels 0, 1 and 2, in this order.
 *
 * @param control the control record of the session; its user, password and
 *        server name make the calls.
 * @param user    the name of the user whose session ends (at most 30
 *        characters are sent); not NULL.
 * @param status  set empty at entry, then receives the statuses of the three calls.
 * @return the type of the most severe status; 2 at the first failed call
 *         (the later channels are not tried); 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 149 @p user is NULL; the control-record and transport messages of every
 * operation, with 92 for a time-out.
 */
uint32_t TQEndUserSession(TQControlStruct* control, const char* user, TQStatusList* status);

/**
 * Lists the configured server names.
 *
 * The names are the lines of the server list file: the file named by
 * `TQSERVERLIST`, else `$XDG_CONFIG_HOME/tqlink/servers` (or
 * `~/.config/tqlink/servers`), else `/etc/tqlink/servers`; blank lines are
 * skipped and blanks around a name removed. A missing file is an empty list.
 * No server is contacted.
 *
 * @param control the control record of the session.
 * @param[out] servers receives the names in 65-byte slots, in file order; the
 *        caller releases them with FreeTQServerNameList().
 * @param status  set empty at entry, then receives the statuses of the call.
 * @return 0 ok; 2 on failure; 3 when the session cannot be found; 4 when
 *         @p status is NULL.
 *
 * @par Messages
 * 161 no session; 155 @p servers is NULL; 154 out of memory.
 */
uint32_t TQGetListServer(TQControlStruct* control, TQServerNameList* servers,
                         TQStatusList* status);

/**
 * Sets the port and the program number by which a server is reached from
 * now on; an open connection to it is replaced at the next call.
 *
 * @param control the control record of the session.
 * @param server  the server name, as the control records name it.
 * @param port    0 (ask the server's queue directory or the port mapper) or
 *        1 to 65535.
 * @param program 0 or 390600 (the server's default program: @p port becomes
 *        its default port), or a private program from 390680 to 390694.
 * @param status  set empty at entry, then receives the statuses of the call.
 * @return 0 when stored; 2 on failure; 3 when the session cannot be found;
 *         4 when @p status is NULL.
 *
 * @par Messages
 * 161 no session; 8201 a program number not accepted (the number appended);
 * 8202 a port outside 0 to 65535 (the port appended); 154 out of memory.
 */
uint32_t TQSetServerPort(TQControlStruct* control, const char* server, int32_t port,
                         int32_t program, TQStatusList* status);

/** @} */

/**
 * @ingroup def_server
 * Asks the server of @p control for server information.
 *
 * @param control  the control record of the session.
 * @param requests the server-info codes wanted (1 to 102, except 10; their
 *        meanings are the server's). All codes are checked and each bad one
 *        reported before the call fails.
 * @param[out] info receives one item per answered code; the caller releases
 *        it with FreeTQServerInfoList().
 * @param status   set empty at entry, then receives the statuses of the call.
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 122 no codes; 123 a code 0 or above 102, 218 code 10 (each with the code
 * appended); the control-record and transport messages of every operation,
 * with 93 for a time-out.
 */
uint32_t TQGetServerInfo(TQControlStruct* control, const TQServerInfoRequestList* requests,
                         TQServerInfoList* info, TQStatusList* status);

/* --- Entries ------------------------------------------------------------ */

/**
 * @addtogroup entries
 * @{
 */

/**
 * Reads one entry of a schema.
 *
 * Attachment fields come back as an attachment description whose location
 * is the file-name form, holding the attachment's name. From a server of
 * protocol version 2 to 5 a field 102 text that is not 30 characters long
 * is scrambled, as a version-6 server sends it.
 *
 * @param control  the control record of the session.
 * @param schema   the schema (form) name, 1 to 30 characters.
 * @param entryId  the entry's id list: one id, or one per member of a join
 *        schema. NULL returns 0 at once without contacting the server.
 * @param fieldIds the fields wanted; NULL or an empty list asks for all.
 * @param[out] values receives the field values; NULL asks the server for the
 *        status alone. The caller owns the list and releases it with
 *        FreeTQFieldValueList(), also after a failure.
 * @param status   set empty at entry, then receives the statuses of the call.
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no schema name, 103 a name longer than 30; 106 an empty entry id list,
 * 100 no non-empty id, 121 an id longer than 15; 154 out of memory; the
 * control-record and transport messages of every operation, with 93 for a
 * time-out; the server's, for example when the entry or the schema does not
 * exist.
 */
uint32_t TQGetEntry(TQControlStruct* control, const char* schema, TQEntryIdList* entryId,
                    TQInternalIdList* fieldIds, TQFieldValueList* values, TQStatusList* status);

/**
 * Changes the given fields of one entry; the other fields keep their values.
 *
 * A value of field 102 with data type char travels scrambled (its first 30
 * characters); the caller's record is not changed.
 *
 * @param control the control record of the session.
 * @param schema  the schema name, 1 to 30 characters.
 * @param entryId the entry's id list. NULL returns 0 at once without
 *        contacting the server.
 * @param values  the new values; NULL or an empty list sends none. A char,
 *        diary, decimal, byte-list, attachment or coordinate value with a
 *        NULL pointer is made the NULL value in place. Attachment values are
 *        prepared in place (see TQCreateEntry()).
 * @param getTime passed to the server unchanged (a time stamp; its meaning is
 *        the server's).
 * @param option  passed to the server unchanged.
 * @param status  set empty at entry, then receives the statuses of the call.
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102, 103 the schema name; 106, 100, 121 the entry id list; 110 a data
 * type above 41 and 197 a keyword above 21, each followed by 124 (a bad
 * value in the list); 8703, 342, 295, 8700 an attachment value (see
 * TQCreateEntry()); 154 out of memory; the
 * control-record and transport messages of every operation, with 92 for a
 * time-out; the server's.
 */
uint32_t TQSetEntry(TQControlStruct* control, const char* schema, TQEntryIdList* entryId,
                    TQFieldValueList* values, TQTimestamp getTime, uint32_t option,
                    TQStatusList* status);

/**
 * Creates an entry.
 *
 * Fields not given get their defaults from the server. A value of field 102
 * with data type char travels scrambled. Unless the server answers with an
 * error, the new id is also kept as the session variable
 * #TQ_SESSION_LAST_ENTRY_ID.
 *
 * @param control the control record of the session.
 * @param schema  the schema name, 1 to 30 characters.
 * @param values  the field values; NULL or an empty list sends none. NULL
 *        pointers of values are made the NULL value in place. Attachment
 *        values are changed in place before they are sent: a file location
 *        is read (at most originalSize bytes; the sizes become what was
 *        read) and becomes a memory location, its file name released; the
 *        data is then packed, and compressedSize and bufferSize give the
 *        packed length, or equal originalSize when the data goes unpacked.
 *        A file attachment of size 0 becomes an empty one with location
 *        type 0.
 * @param[out] entryId a caller buffer that receives the new entry's id, or
 *        NULL; emptied at entry.
 * @param status  set empty at entry, then receives the statuses of the call.
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102, 103 the schema name; 110, 197 followed by 124 a bad value; 8703 an
 * attachment above 2147483647 bytes, 342 an attachment file that cannot be
 * opened, 295 one that gives no data, 8700 a location type other than 1 and
 * 2; 154 out of memory; the control-record and transport
 * messages of every operation, with 92 for a time-out; the server's.
 */
uint32_t TQCreateEntry(TQControlStruct* control, const char* schema, TQFieldValueList* values,
                       TQEntryIdType entryId, TQStatusList* status);

/**
 * Deletes one entry.
 *
 * @param control the control record of the session.
 * @param schema  the schema name, 1 to 30 characters.
 * @param entryId the entry's id list; NULL or empty is an error.
 * @param option  passed to the server unchanged.
 * @param status  set empty at entry, then receives the statuses of the call.
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102, 103 the schema name; 106 no or an empty entry id list, 100 no
 * non-empty id, 121 an id longer than 15; the control-record and transport
 * messages of every operation, with 92 for a time-out; the server's.
 */
uint32_t TQDeleteEntry(TQControlStruct* control, const char* schema, TQEntryIdList* entryId,
                       uint32_t option, TQStatusList* status);

/**
 * Creates an entry, or merges the values into an existing one, as
 * @p mergeType tells the server.
 *
 * As TQCreateEntry(), except that the field value list must not be empty.
 *
 * @param control   the control record of the session.
 * @param schema    the schema name, 1 to 30 characters.
 * @param values    the field values, at least one.
 * @param mergeType passed to the server unchanged (what to do when the entry
 *        exists).
 * @param[out] entryId a caller buffer that receives the id of the new or
 *        merged entry, or NULL; emptied at entry.
 * @param status    set empty at entry, then receives the statuses of the call.
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102, 103 the schema name; 104 no values; 110, 197 followed by 124 a bad
 * value; 8703, 342, 295, 8700 an attachment value (see TQCreateEntry());
 * 154 out of memory; the control-record and
 * transport messages of every operation, with 92 for a time-out; the
 * server's.
 */
uint32_t TQMergeEntry(TQControlStruct* control, const char* schema, TQFieldValueList* values,
                      uint32_t mergeType, TQEntryIdType entryId, TQStatusList* status);

/** @} */

/** @addtogroup entries
 *  @{ */

/**
 * Decodes an encoded diary text into its items.
 *
 * A local operation: it contacts no server; the control record serves only
 * to find the session. An encoded diary is a run of items
 * of the seconds, byte 0x04, the user, 0x04, the text and 0x03. Separators are found at character
 * starts of the current character set; user names are cut to 30 bytes. A
 * NULL or empty text gives an empty list.
 *
 * @param control   the control record of the session.
 * @param encoded   the encoded diary, or NULL.
 * @param[out] diary receives the items; emptied at entry. Release it with
 *        FreeTQDiaryList().
 * @param status    set empty at entry, then receives the statuses of the call.
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 339 a text that is not a run of complete items (the list is left empty);
 * 155 no output list; 154 out of memory.
 */
uint32_t TQDecodeDiary(TQControlStruct* control, const char* encoded, TQDiaryList* diary,
                       TQStatusList* status);

/**
 * Decodes an encoded status history into one item per value of the status
 * field.
 *
 * A local operation like TQDecodeDiary(). An encoded status history has one
 * item (the seconds, byte 0x04, the user and 0x03) per value of the status field, or a lone
 * 0x03 for a value never set.
 *
 * @param control   the control record of the session.
 * @param encoded   the encoded status history, or NULL.
 * @param[out] history receives the items; emptied at entry. Release it with
 *        FreeTQStatusHistoryList().
 * @param status    set empty at entry, then receives the statuses of the call.
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 340 a text that is not a run of complete items (the list is left empty);
 * 155 no output list; 154 out of memory.
 */
uint32_t TQDecodeStatusHistory(TQControlStruct* control, const char* encoded,
                               TQStatusHistoryList* history, TQStatusList* status);
/** @} */

/** @addtogroup searches
 *  @{ */

/**
 * Turns a qualification written as text, such as
 * `'Status' = "Open" AND 'Priority' > 2`, into a qualification tree.
 *
 * Field references are labels (in single quotes, or bare words) of the
 * chosen view, field ids in digits, or status-history references
 * ('Status History.Open.TIME'); values are numbers, texts in double quotes,
 * NULL and $keywords$. Texts compared with enumerated fields become
 * enumeration indexes; texts compared with times become time stamps or
 * intervals. The schema's fields and views are read from the server on every
 * call (TQGetListField, TQGetListVUI, TQGetVUI, TQGetField).
 *
 * @param control     the control record of the session.
 * @param schema      the schema name.
 * @param displayTag  the label of the view whose field labels the text uses;
 *        NULL or empty for the server's default view.
 * @param qualText    the text; NULL or blank gives the empty qualification
 *        (operation 0) without contacting the server.
 * @param[out] qualifier receives the tree; its operation is 0 at entry.
 *        Release it with FreeTQQualifierStruct(qualifier, 0), also after an
 *        error, when it holds the part of the tree built so far.
 * @param status      set empty at entry, then receives the statuses of the call.
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 213 no qualifier; 102, 103 the schema name; 1579 to 1591 errors of the
 * text, each with the position where parsing stopped ("position 12   (...^...)");
 * 154 out of memory (also when a view cannot be read); the messages of the
 * definition operations it calls.
 */
uint32_t TQLoadTQQualifierStruct(TQControlStruct* control, const char* schema,
                                 const char* displayTag, const char* qualText,
                                 TQQualifierStruct* qualifier, TQStatusList* status);
/** @} */

/* --- Entry lists, multiple entries, statistics ---------------------------- */

/** @addtogroup entries
 *  @{ */

/**
 * Lists the entries of a schema that match a qualification, each with a
 * display text built by the server from @p fields.
 *
 * The list arrives in chunks of at most the session's response size; the
 * library joins them into one list. Unless the call ends with an error, the
 * session variable #TQ_SESSION_LAST_MATCH_COUNT becomes the number of
 * matches (when @p numMatches is given) or the number of entries returned.
 *
 * @param control     the control record of the session.
 * @param schema      the schema name, 1 to 30 characters.
 * @param qualifier   the qualification; NULL matches every entry.
 * @param fields      the columns of the display text (field, width,
 *        separator); NULL or empty: the server's default.
 * @param sort        the sort fields in order; NULL: the server's order.
 * @param maxRetrieve the most entries to return, 0 for no limit.
 * @param[out] entries receives the entries (release with
 *        FreeTQEntryListList()); required, emptied at entry.
 * @param[out] numMatches receives the number of matching entries, or NULL
 *        (then the server need not count them).
 * @param status      set empty at entry, then receives the statuses of the call.
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102, 103 the schema name; the qualification, field-list and sort-list
 * checks; 105 no @p entries; 154 out of memory; 8940 an answer whose counts
 * disagree with its contents, 8941 answers that bring nothing or more than
 * asked for, 8942 a continuation value that does not advance; the
 * control-record and transport messages of every operation, with 94 for a
 * time-out; the server's.
 */
uint32_t TQGetListEntry(TQControlStruct* control, const char* schema, TQQualifierStruct* qualifier,
                        TQEntryListFieldList* fields, TQSortList* sort, uint32_t maxRetrieve,
                        TQEntryListList* entries, uint32_t* numMatches, TQStatusList* status);

/**
 * As TQGetListEntry(), with the values of the fields of @p fields for each
 * entry in place of a display text. Values that the server splits between
 * chunks are joined again. An answer with an error ends the call with that
 * error; the entries received before it are still returned.
 *
 * @param control     the control record of the session.
 * @param schema      the schema name, 1 to 30 characters.
 * @param qualifier   the qualification; NULL matches every entry.
 * @param fields      the fields whose values come with each entry; NULL or
 *        empty: the server's default.
 * @param sort        the sort fields in order; NULL: the server's order.
 * @param maxRetrieve the most entries to return, 0 for no limit.
 * @param[out] entries receives the entries with their values (release with
 *        FreeTQEntryListFieldValueList()); required, emptied at entry.
 * @param[out] numMatches receives the number of matching entries, or NULL.
 * @param status      set empty at entry, then receives the statuses of the call.
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * Those of TQGetListEntry().
 */
uint32_t TQGetListEntryWithFields(TQControlStruct* control, const char* schema,
                                  TQQualifierStruct* qualifier, TQEntryListFieldList* fields,
                                  TQSortList* sort, uint32_t maxRetrieve,
                                  TQEntryListFieldValueList* entries, uint32_t* numMatches,
                                  TQStatusList* status);

/**
 * Reads the field values of several entries of a schema at once.
 *
 * A text split between chunks is joined to at most 64000 characters; a
 * diary keeps its newest text and starts at a whole diary item.
 *
 * @param control   the control record of the session.
 * @param schema    the schema name, 1 to 30 characters.
 * @param entryIds  the entries, one id list each. NULL returns 0 at once
 *        without contacting the server.
 * @param fieldIds  the fields wanted; NULL or empty asks for all.
 * @param[out] exists receives one flag per entry: whether it exists
 *        (release with FreeTQBooleanList()); required.
 * @param[out] values receives one value list per entry (release with
 *        FreeTQFieldValueListList()), or NULL to learn only which exist.
 * @param status    set empty at entry, then receives the statuses of the call.
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 292 no @p exists; 102, 103 the schema name; 106, 100, 121 an entry id
 * list; 154 out of memory; 8940, 8941, 8942 as for TQGetListEntry(); the
 * control-record and transport messages of every operation, with 93 for a
 * time-out; the server's.
 */
uint32_t TQGetMultipleEntries(TQControlStruct* control, const char* schema,
                              TQEntryIdListList* entryIds, TQInternalIdList* fieldIds,
                              TQBooleanList* exists, TQFieldValueListList* values,
                              TQStatusList* status);

/**
 * Computes a statistic over the entries that match a qualification.
 *
 * @param control   the control record of the session.
 * @param schema    the schema name, 1 to 30 characters.
 * @param qualifier the qualification; NULL matches every entry.
 * @param target    what the statistic is taken of (a field, a value or an
 *        arithmetic operation); NULL or tag 0: nothing (a count of entries).
 * @param statistic 1 count, 2 sum, 3 average, 4 minimum, 5 maximum.
 * @param groupBy   fields whose values group the entries; NULL or empty: one
 *        result for all.
 * @param[out] results receives one result per group with the group's values
 *        (release with FreeTQStatisticsResultList()); required.
 * @param status    set empty at entry, then receives the statuses of the call.
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102, 103 the schema name; the qualification and operand checks; 126 a
 * statistic outside 1 to 5; 105 no @p results; the control-record and
 * transport messages of every operation, with 94 for a time-out; the
 * server's.
 */
uint32_t TQGetEntryStatistics(TQControlStruct* control, const char* schema,
                              TQQualifierStruct* qualifier, TQFieldValueOrArithStruct* target,
                              uint32_t statistic, TQInternalIdList* groupBy,
                              TQStatisticsResultList* results, TQStatusList* status);

/** @} */

/* --- Release routines --------------------------------------------------- */

/**
 * @defgroup release Release routines
 * @brief Giving back, with free, what the library returned.
 *
 * Each routine releases, with free, the heap memory hung below a record.
 * A NULL record is ignored. With freeStruct non-zero the record's own block
 * is released too; with freeStruct zero the record is left empty (lists get
 * numItems 0 and a NULL item pointer, union records the tag 0), so that it
 * can be released again or reused. Item arrays are released only when both
 * the count is non-zero and the pointer non-NULL, except the push-fields
 * array, which is released whenever its pointer is non-NULL. For an
 * arithmetic NEGATE only the right operand is released. Qualification
 * trees, operands, assignments and menus of any depth are released without
 * recursion.
 */

/** @addtogroup release
 * @{
 */

/** @name Values, field values, entries
 *  @{ */
/** Releases a value: the text of a char, diary or decimal value, the pointed-to byte list,
    attachment or coordinate list. Other types own nothing. Left empty: data type 0.
    @param value the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQValueStruct(TQValueStruct* value, TQBoolean freeStruct);
/** Releases a value list: each value as FreeTQValueStruct() does, then the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQValueList(TQValueList* list, TQBoolean freeStruct);
/** Releases a list of value lists: each with FreeTQValueList(), then the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQValueListList(TQValueListList* list, TQBoolean freeStruct);
/** Releases a byte list: the bytes. Count and pointer are cleared; the type is kept.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQByteList(TQByteList* list, TQBoolean freeStruct);
/** Releases a coordinate list: the array. Count and pointer are cleared.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQCoordList(TQCoordList* list, TQBoolean freeStruct);
/** Releases an attachment description: the name and the location (FreeTQLocStruct()). Left empty:
    name NULL, both sizes 0.
    @param attach the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQAttachStruct(TQAttachStruct* attach, TQBoolean freeStruct);
/** Releases a location: the file name, or the buffer (size and pointer cleared). Left empty:
    location type 0.
    @param loc the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQLocStruct(TQLocStruct* loc, TQBoolean freeStruct);
/** Releases a field value: its value (FreeTQValueStruct()).
    @param fieldValue the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQFieldValueStruct(TQFieldValueStruct* fieldValue, TQBoolean freeStruct);
/** Releases a field value list, such as TQGetEntry() returns: each item's value, then the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQFieldValueList(TQFieldValueList* list, TQBoolean freeStruct);
/** Releases a list of field value lists: each with FreeTQFieldValueList(), then the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQFieldValueListList(TQFieldValueListList* list, TQBoolean freeStruct);
/** Releases an entry id list: the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQEntryIdList(TQEntryIdList* list, TQBoolean freeStruct);
/** Releases a list of entry id lists: each with FreeTQEntryIdList(), then the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQEntryIdListList(TQEntryIdListList* list, TQBoolean freeStruct);
/** Releases an entry list: each item's short description and entry id list, then the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQEntryListList(TQEntryListList* list, TQBoolean freeStruct);
/** Releases a list of entry-list fields: the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQEntryListFieldList(TQEntryListFieldList* list, TQBoolean freeStruct);
/** Releases an entry list with field values: each item's entry id list and its field value list
    (pointed-to, when not NULL), then the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQEntryListFieldValueList(TQEntryListFieldValueList* list, TQBoolean freeStruct);
/** Releases a status list, which every operation fills: each item's message text and appended text,
    then the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQStatusList(TQStatusList* list, TQBoolean freeStruct);
/** Releases a message of a filter or active-link action: its text.
    @param message the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQMessageStruct(TQMessageStruct* message, TQBoolean freeStruct);
/** Releases an id list: the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQInternalIdList(TQInternalIdList* list, TQBoolean freeStruct);
/** Releases a name list: the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQNameList(TQNameList* list, TQBoolean freeStruct);
/** Releases a server name list, such as TQGetListServer() returns: the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQServerNameList(TQServerNameList* list, TQBoolean freeStruct);
/** Releases a list of flags: the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQBooleanList(TQBooleanList* list, TQBoolean freeStruct);
/** Releases a matrix of flags: each row with FreeTQBooleanList(), then the array.
    @param matrix the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQBooleanMatrix(TQBooleanMatrix* matrix, TQBoolean freeStruct);
/** Releases a sort list: the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQSortList(TQSortList* list, TQBoolean freeStruct);
/** Releases a list of statistics results: each item's group-by value list and its result value,
    then the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQStatisticsResultList(TQStatisticsResultList* list, TQBoolean freeStruct);
/** Releases a decoded diary: each item's text, then the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQDiaryList(TQDiaryList* list, TQBoolean freeStruct);
/** Releases a decoded status history: the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQStatusHistoryList(TQStatusHistoryList* list, TQBoolean freeStruct);

/** @} */

/** @name Qualifications
 *  @{ */
/** Releases a qualification tree: the child nodes of AND, OR and NOT and the relational operation,
    to any depth. Left empty: operation 0.
    @param qualifier the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQQualifierStruct(TQQualifierStruct* qualifier, TQBoolean freeStruct);
/** Releases a relational operation: both operands (FreeTQFieldValueOrArithStruct()).
    @param relOp the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQRelOpStruct(TQRelOpStruct* relOp, TQBoolean freeStruct);
/** Releases an arithmetic operation: both operands; for #TQ_ARITH_OP_NEGATE only the right one.
    @param arithOp the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQArithOpStruct(TQArithOpStruct* arithOp, TQBoolean freeStruct);
/** Releases an operand: a value, the pointed-to arithmetic operation, a value set, or a query (its
    qualification tree and its block; the pointer is then NULL). Other tags own nothing.
    @param operand the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQFieldValueOrArithStruct(TQFieldValueOrArithStruct* operand, TQBoolean freeStruct);
/** Releases a query operand: its qualification tree, root included.
    @param query the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQQueryValueStruct(TQQueryValueStruct* query, TQBoolean freeStruct);

/** @} */

/** @name Schemas, fields, views
 *  @{ */
/** Releases a permission list: the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQPermissionList(TQPermissionList* list, TQBoolean freeStruct);
/** Releases a group list: each group's name list, then the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQGroupInfoList(TQGroupInfoList* list, TQBoolean freeStruct);
/** Releases a licence list: the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQUserLicenseList(TQUserLicenseList* list, TQBoolean freeStruct);
/** Releases a user list: each user's licence list and e-mail address, then the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQUserInfoList(TQUserInfoList* list, TQBoolean freeStruct);
/** Releases a schema's kind: the join qualification of a join schema, the view qualification text
    of a view schema. Left empty: type 0.
    @param schema the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQCompoundSchema(TQCompoundSchema* schema, TQBoolean freeStruct);
/** Releases an index list: the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQIndexList(TQIndexList* list, TQBoolean freeStruct);
/** Releases field limits: the pattern of char limits, the value names of enumerated and bitmask
    limits, the range texts of decimal limits. Left empty: data type 0.
    @param limit the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQFieldLimitStruct(TQFieldLimitStruct* limit, TQBoolean freeStruct);
/** Releases a display list: the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQDisplayList(TQDisplayList* list, TQBoolean freeStruct);
/** Releases a property: its value. Left empty: property tag 0.
    @param prop the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQPropStruct(TQPropStruct* prop, TQBoolean freeStruct);
/** Releases a property list: each property's value, then the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQPropList(TQPropList* list, TQBoolean freeStruct);
/** Releases display instances: the common property list, then each instance's property list and the
    array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQDisplayInstanceList(TQDisplayInstanceList* list, TQBoolean freeStruct);

/** @} */

/** @name Character menus
 *  @{ */
/** Releases a character menu: the items of a list menu (and their sub-menus, to any depth), the
    qualification of a query menu, the file name of a file menu, the command of an SQL menu. Left
    empty: menu type 0.
    @param menu the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQCharMenuStruct(TQCharMenuStruct* menu, TQBoolean freeStruct);
/** Releases a menu item: the value text, or the pointed-to sub-menu. Left empty: item type 0.
    @param item the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQCharMenuItemStruct(TQCharMenuItemStruct* item, TQBoolean freeStruct);
/** Releases a list of menu items: each item with FreeTQCharMenuItemStruct(), then the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQCharMenuList(TQCharMenuList* list, TQBoolean freeStruct);

/** @} */

/** @name Assignments
 *  @{ */
/** Releases an assignment: the value, the process command, or the pointed-to field, arithmetic,
    function, DDE or SQL record, to any depth. Left empty: type 0.
    @param assign the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQAssignStruct(TQAssignStruct* assign, TQBoolean freeStruct);
/** Releases a field assignment source: its qualification. Left empty: qualification operation 0,
    tag #TQ_FIELD.
    @param assignField the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQAssignFieldStruct(TQAssignFieldStruct* assignField, TQBoolean freeStruct);
/** Releases an arithmetic assignment: both operands; for #TQ_ARITH_OP_NEGATE only the right one.
    @param arithOp the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQArithOpAssignStruct(TQArithOpAssignStruct* arithOp, TQBoolean freeStruct);
/** Releases a function assignment: each parameter (FreeTQAssignStruct()), then the parameter array.
    @param function the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQFunctionAssignStruct(TQFunctionAssignStruct* function, TQBoolean freeStruct);
/** Releases a DDE record: its five texts (left NULL).
    @param dde the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQDDEStruct(TQDDEStruct* dde, TQBoolean freeStruct);
/** Releases an SQL assignment: the command. Left empty: server name empty, command NULL.
    @param sql the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQAssignSQLStruct(TQAssignSQLStruct* sql, TQBoolean freeStruct);
/** Releases an SQL action: the command. Left empty: server name empty, command NULL.
    @param sql the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQSQLStruct(TQSQLStruct* sql, TQBoolean freeStruct);
/** Releases a field assignment: its assignment (FreeTQAssignStruct()).
    @param fieldAssign the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQFieldAssignStruct(TQFieldAssignStruct* fieldAssign, TQBoolean freeStruct);
/** Releases a list of field assignments: each assignment, then the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQFieldAssignList(TQFieldAssignList* list, TQBoolean freeStruct);
/** Releases a push-fields list: each item's target and source, then the array (whenever its pointer
    is not NULL).
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQPushFieldsList(TQPushFieldsList* list, TQBoolean freeStruct);

/** @} */

/** @name Filter, escalation and active-link actions
 *  @{ */
/** Releases a filter or escalation action: the texts and field list of a notification, the message
    text, the log-file or process text, the field assignments, the push fields or the SQL command.
    Left empty: action 0.
    @param action the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQFilterActionStruct(TQFilterActionStruct* action, TQBoolean freeStruct);
/** Releases a filter action list: each action with FreeTQFilterActionStruct(), then the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQFilterActionList(TQFilterActionList* list, TQBoolean freeStruct);
/** Releases an active-link action: whatever its kind owns (macro text and parameters, field
    assignments, texts, message, field characteristics, DDE record, push fields, SQL command, method
    calls, dialogue field lists). Left empty: action 0.
    @param action the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQActiveLinkActionStruct(TQActiveLinkActionStruct* action, TQBoolean freeStruct);
/** Releases an active-link action list: each action with FreeTQActiveLinkActionStruct(), then the
    array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQActiveLinkActionList(TQActiveLinkActionList* list, TQBoolean freeStruct);

/** @} */

/** @name Export items, containers, server and full-text settings
 *  @{ */
/** Releases a list of export items: the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQStructItemList(TQStructItemList* list, TQBoolean freeStruct);
/** Releases a list of container owners: the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQContainerOwnerObjList(TQContainerOwnerObjList* list, TQBoolean freeStruct);
/** Releases a list of container types: the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQContainerTypeList(TQContainerTypeList* list, TQBoolean freeStruct);
/** Releases a list of reference types: the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQReferenceTypeList(TQReferenceTypeList* list, TQBoolean freeStruct);
/** Releases a container reference: its label and description, and for an external reference its
    group list and value.
    @param reference the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQReferenceStruct(TQReferenceStruct* reference, TQBoolean freeStruct);
/** Releases a reference list: each reference as FreeTQReferenceStruct() does, then the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQReferenceList(TQReferenceList* list, TQBoolean freeStruct);
/** Releases a list of container descriptions: the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQContainerInfoList(TQContainerInfoList* list, TQBoolean freeStruct);
/** Releases a list of server-info codes: the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQServerInfoRequestList(TQServerInfoRequestList* list, TQBoolean freeStruct);
/** Releases server information, such as TQGetServerInfo() returns: each item's value, then the
    array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQServerInfoList(TQServerInfoList* list, TQBoolean freeStruct);
/** Releases a list of full-text codes: the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQFullTextInfoRequestList(TQFullTextInfoRequestList* list, TQBoolean freeStruct);
/** Releases full-text settings: each item's value (a value list for code 2), then the array.
    @param list the record, or NULL (ignored).
    @param freeStruct non-zero: free the record's own block too; zero: leave it empty. */
void FreeTQFullTextInfoList(TQFullTextInfoList* list, TQBoolean freeStruct);

/** @} */
/** @} */

/* --- Definition operations ---------------------------------------------- */

/**
 * @ingroup def_access
 * The client host name that TQCreateUser(), TQDeleteUser(), TQCreateGroup()
 * and TQDeleteGroup() send: empty when the library is loaded; a program may
 * store a NUL-terminated name here (at most 256 bytes). While its first byte
 * is the terminator the platform's host name is sent.
 */
extern char TQClientHostName[257];

/**
 * @addtogroup def_schemas
 * @{
 */

/**
 * Reads a schema definition. Only the outputs that are not NULL are asked for.
 *
 * @param control         the control record of the session.
 * @param name            the schema name.
 * @param[out] schema          receives the schema type and its join or view parts (release with FreeTQCompoundSchema()), or NULL.
 * @param[out] groupList       receives the groups and their permissions, or NULL.
 * @param[out] adminGroupList  receives the sub-administrator groups, or NULL.
 * @param[out] queryListFields receives the fields of the query list, or NULL.
 * @param[out] sortList        receives the default sort list, or NULL.
 * @param[out] indexList       receives the indexes, or NULL.
 * @param[out] helpText        receives the help text (a new block the caller frees), or NULL.
 * @param[out] timestamp       receives the last update time, or NULL.
 * @param[out] owner           receives the owner, or NULL.
 * @param[out] lastChanged     receives the user who changed it last, or NULL.
 * @param[out] changeDiary     receives the encoded change diary (a new block the caller frees; TQDecodeDiary() reads it), or NULL.
 * @param status          set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetSchema(TQControlStruct* control, const char* name, TQCompoundSchema* schema, TQPermissionList* groupList, TQInternalIdList* adminGroupList, TQEntryListFieldList* queryListFields, TQSortList* sortList, TQIndexList* indexList, char** helpText, TQTimestamp* timestamp, TQAccessNameType owner, TQAccessNameType lastChanged, char** changeDiary, TQStatusList* status);

/**
 * Changes a schema definition; every NULL attribute stays as it is on the server.
 *
 * @param control         the control record of the session.
 * @param name            the schema name.
 * @param newName         the new name; NULL, empty or equal to @p name keeps the name.
 * @param schema          the new schema type and parts, or NULL.
 * @param groupList       the new group permissions, or NULL.
 * @param adminGroupList  the new sub-administrator groups, or NULL.
 * @param queryListFields the new query-list fields, or NULL.
 * @param sortList        the new sort list, or NULL.
 * @param indexList       the new indexes, or NULL.
 * @param helpText        the new help text, or NULL to leave it unchanged.
 * @param owner           the new owner, or NULL to leave it unchanged.
 * @param changeDiary     text to append to the change diary, or NULL for none.
 * @param status          set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * warning 54 when nothing is to change (the server is not contacted); 102 no name, 103 a name longer than 30; 265 to 273 a bad schema type, 127 and 128 bad permissions, 214, 152, 153, 211 bad lists; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQSetSchema(TQControlStruct* control, const char* name, const char* newName, TQCompoundSchema* schema, const TQPermissionList* groupList, const TQInternalIdList* adminGroupList, const TQEntryListFieldList* queryListFields, const TQSortList* sortList, const TQIndexList* indexList, const char* helpText, const char* owner, const char* changeDiary, TQStatusList* status);

/**
 * Creates a schema.
 *
 * @param control         the control record of the session.
 * @param name            the schema name.
 * @param schema          the schema type and its join or view parts (required).
 * @param groupList       the group permissions (warning 50 when empty), or NULL.
 * @param adminGroupList  the sub-administrator groups, or NULL.
 * @param queryListFields the query-list fields, or NULL.
 * @param sortList        the default sort list, or NULL.
 * @param indexList       the indexes, or NULL.
 * @param helpText        the help text, or NULL.
 * @param owner           the owner (at most 30 bytes, may be empty), or NULL.
 * @param changeDiary     text to append to the change diary, or NULL.
 * @param status          set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; 265 to 273 a bad schema type, 50, 127 and 128 permissions, 214, 152, 153, 211 bad lists; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQCreateSchema(TQControlStruct* control, const char* name, TQCompoundSchema* schema, const TQPermissionList* groupList, const TQInternalIdList* adminGroupList, const TQEntryListFieldList* queryListFields, const TQSortList* sortList, const TQIndexList* indexList, const char* helpText, const char* owner, const char* changeDiary, TQStatusList* status);

/**
 * Deletes a schema with its fields, views and entries.
 *
 * @param control      the control record of the session.
 * @param name         the schema name.
 * @param deleteOption how to delete (the meaning is the server's).
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQDeleteSchema(TQControlStruct* control, const char* name, uint32_t deleteOption, TQStatusList* status);

/**
 * Lists the names of the schemas changed since a time.
 *
 * @param control      the control record of the session.
 * @param changedSince only schemas changed at or after this time (0: all).
 * @param name         a name that selects the list further (its meaning is the server's), or NULL.
 * @param listType     which schemas to list (the meaning is the server's).
 * @param[out] nameList     receives the names (release with FreeTQNameList()), or NULL.
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetListSchema(TQControlStruct* control, TQTimestamp changedSince, const char* name, uint32_t listType, TQNameList* nameList, TQStatusList* status);

/** @} */

/**
 * @addtogroup def_fields
 * @{
 */

/**
 * Reads a field definition. Only the outputs that are not NULL are asked for.
 *
 * @param control      the control record of the session.
 * @param schema       the schema name.
 * @param fieldId      the field id.
 * @param[out] fieldName    receives the field name, or NULL.
 * @param[out] fieldMap     receives the field mapping, or NULL.
 * @param[out] dataType     receives the data type, or NULL.
 * @param[out] option       receives the entry option, or NULL.
 * @param[out] createMode   receives the create mode, or NULL.
 * @param[out] defaultValue receives the default value, or NULL.
 * @param[out] permissions  receives the group permissions, or NULL.
 * @param[out] limit        receives the limits (release with FreeTQFieldLimitStruct()), or NULL.
 * @param[out] displayList  receives the display instances, or NULL.
 * @param[out] helpText     receives the help text (a new block the caller frees), or NULL.
 * @param[out] timestamp    receives the last update time, or NULL.
 * @param[out] owner        receives the owner, or NULL.
 * @param[out] lastChanged  receives the user who changed it last, or NULL.
 * @param[out] changeDiary  receives the encoded change diary (a new block the caller frees; TQDecodeDiary() reads it), or NULL.
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetField(TQControlStruct* control, const char* schema, uint32_t fieldId, TQNameType fieldName, TQFieldMappingStruct* fieldMap, uint32_t* dataType, uint32_t* option, uint32_t* createMode, TQValueStruct* defaultValue, TQPermissionList* permissions, TQFieldLimitStruct* limit, TQDisplayInstanceList* displayList, char** helpText, TQTimestamp* timestamp, TQAccessNameType owner, TQAccessNameType lastChanged, char** changeDiary, TQStatusList* status);

/**
 * Changes a field definition; every NULL attribute stays as it is on the server.
 *
 * @param control      the control record of the session.
 * @param schema       the schema name.
 * @param fieldId      the field id.
 * @param fieldName    the new field name, or NULL (or empty) to keep it.
 * @param option       the new entry option (1 to 4), or NULL.
 * @param createMode   the new create mode (1 or 2), or NULL.
 * @param defaultValue the new default value, or NULL; a char or diary value with a NULL text is sent as the NULL value.
 * @param permissions  the new permissions, or NULL.
 * @param limit        the new limits, or NULL.
 * @param displayList  the new display instances, or NULL.
 * @param helpText     the new help text, or NULL to leave it unchanged.
 * @param owner        the new owner, or NULL to leave it unchanged.
 * @param changeDiary  text to append to the change diary, or NULL for none.
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * warning 54 when nothing is to change (the server is not contacted); 118 a bad option, 119 a bad create mode, 111 a bad default value, 180 a char default longer than 255 bytes; the record checks' messages; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQSetField(TQControlStruct* control, const char* schema, uint32_t fieldId, const char* fieldName, const uint32_t* option, const uint32_t* createMode, TQValueStruct* defaultValue, const TQPermissionList* permissions, TQFieldLimitStruct* limit, TQDisplayInstanceList* displayList, const char* helpText, const char* owner, const char* changeDiary, TQStatusList* status);

/**
 * Creates a field in a schema.
 *
 * @param control      the control record of the session.
 * @param schema       the schema name.
 * @param fieldId      [in,out] the wanted id (0: the server picks one); receives the new field's id.
 * @param reservedIdOK non-zero: an id of the reserved range may be used.
 * @param fieldName    the field name.
 * @param fieldMap     the field mapping, or NULL.
 * @param dataType     the data type (2 to 41).
 * @param option       the entry option (1 to 4).
 * @param createMode   the create mode (1 or 2).
 * @param defaultValue the default value, or NULL.
 * @param permissions  the group permissions (warning 50 when empty, except for data type 32), or NULL.
 * @param limit        the limits (of the field's data type), or NULL.
 * @param displayList  the display instances, or NULL.
 * @param helpText     the help text, or NULL.
 * @param owner        the owner (at most 30 bytes, may be empty), or NULL.
 * @param changeDiary  text to append to the change diary, or NULL.
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 178 no @p fieldId, 110 a bad data type, 118 a bad option, 119 a bad create mode, 111 a default where none is allowed or a bad default, 180 a char default longer than 255 bytes, 166 a default of another data type, 167 limits of another data type; the record checks' messages; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQCreateField(TQControlStruct* control, const char* schema, uint32_t* fieldId, TQBoolean reservedIdOK, const char* fieldName, const TQFieldMappingStruct* fieldMap, uint32_t dataType, uint32_t option, uint32_t createMode, TQValueStruct* defaultValue, const TQPermissionList* permissions, TQFieldLimitStruct* limit, TQDisplayInstanceList* displayList, const char* helpText, const char* owner, const char* changeDiary, TQStatusList* status);

/**
 * Deletes a field of a schema.
 *
 * @param control      the control record of the session.
 * @param schema       the schema name.
 * @param fieldId      the field id.
 * @param deleteOption how to delete (the meaning is the server's).
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQDeleteField(TQControlStruct* control, const char* schema, uint32_t fieldId, uint32_t deleteOption, TQStatusList* status);

/**
 * Lists the ids of the fields of a schema.
 *
 * @param control       the control record of the session.
 * @param schema        the schema name.
 * @param fieldTypeMask which kinds of field to list (the meaning is the server's).
 * @param changedSince  only fields changed at or after this time (0: all).
 * @param[out] idList        receives the ids (release with FreeTQInternalIdList()), or NULL.
 * @param status        set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetListField(TQControlStruct* control, const char* schema, uint32_t fieldTypeMask, TQTimestamp changedSince, TQInternalIdList* idList, TQStatusList* status);

/**
 * Deletes several fields of a schema in one call.
 *
 * @param control      the control record of the session.
 * @param schema       the schema name.
 * @param fieldIds     the ids of the fields.
 * @param deleteOption how to delete (the meaning is the server's).
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQDeleteMultipleFields(TQControlStruct* control, const char* schema, const TQInternalIdList* fieldIds, uint32_t deleteOption, TQStatusList* status);

/**
 * Lists names the server keeps for a schema.
 *
 * @param control  the control record of the session.
 * @param schema   the schema name.
 * @param[out] nameList receives the names (release with FreeTQNameList()), or NULL.
 * @param status   set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetNameListForSchema(TQControlStruct* control, const char* schema, TQNameList* nameList, TQStatusList* status);

/**
 * Reads a view (VUI) of a schema. Only the outputs that are not NULL are asked for.
 *
 * @param control     the control record of the session.
 * @param schema      the schema name.
 * @param vuiId       the view id.
 * @param[out] vuiName     receives the view name, or NULL.
 * @param[out] props       receives the view properties (release with FreeTQPropList()), or NULL.
 * @param[out] helpText    receives the help text (a new block the caller frees), or NULL.
 * @param[out] timestamp   receives the last update time, or NULL.
 * @param[out] owner       receives the owner, or NULL.
 * @param[out] lastChanged receives the user who changed it last, or NULL.
 * @param[out] changeDiary receives the encoded change diary (a new block the caller frees; TQDecodeDiary() reads it), or NULL.
 * @param status      set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetVUI(TQControlStruct* control, const char* schema, uint32_t vuiId, TQNameType vuiName, TQPropList* props, char** helpText, TQTimestamp* timestamp, TQAccessNameType owner, TQAccessNameType lastChanged, char** changeDiary, TQStatusList* status);

/**
 * Changes a view of a schema; every NULL attribute stays as it is on the server.
 *
 * @param control     the control record of the session.
 * @param schema      the schema name.
 * @param vuiId       the view id.
 * @param vuiName     the new view name, or NULL (or empty) to keep it.
 * @param props       the new properties, or NULL.
 * @param helpText    the new help text, or NULL to leave it unchanged.
 * @param owner       the new owner, or NULL to leave it unchanged.
 * @param changeDiary text to append to the change diary, or NULL for none.
 * @param status      set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * warning 54 when nothing is to change (the server is not contacted); 102 no name, 103 a name longer than 30; 212 bad properties; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQSetVUI(TQControlStruct* control, const char* schema, uint32_t vuiId, const char* vuiName, TQPropList* props, const char* helpText, const char* owner, const char* changeDiary, TQStatusList* status);

/**
 * Creates a view of a schema.
 *
 * @param control     the control record of the session.
 * @param schema      the schema name.
 * @param vuiId       [in,out] the wanted id (0: the server picks one); receives the new view's id.
 * @param vuiName     the view name.
 * @param props       the view properties, or NULL.
 * @param helpText    the help text, or NULL.
 * @param owner       the owner (at most 30 bytes, may be empty), or NULL.
 * @param changeDiary text to append to the change diary, or NULL.
 * @param status      set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 178 no @p vuiId; 102 no name, 103 a name longer than 30; 212 bad properties; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQCreateVUI(TQControlStruct* control, const char* schema, uint32_t* vuiId, const char* vuiName, TQPropList* props, const char* helpText, const char* owner, const char* changeDiary, TQStatusList* status);

/**
 * Deletes a view of a schema.
 *
 * @param control the control record of the session.
 * @param schema  the schema name.
 * @param vuiId   the view id.
 * @param status  set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQDeleteVUI(TQControlStruct* control, const char* schema, uint32_t vuiId, TQStatusList* status);

/**
 * Lists the ids of the views of a schema.
 *
 * @param control      the control record of the session.
 * @param schema       the schema name.
 * @param changedSince only views changed at or after this time (0: all).
 * @param[out] idList       receives the ids (release with FreeTQInternalIdList()).
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 105 no @p idList; 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetListVUI(TQControlStruct* control, const char* schema, TQTimestamp changedSince, TQInternalIdList* idList, TQStatusList* status);

/** @} */

/**
 * @addtogroup def_menus
 * @{
 */

/**
 * Reads a character menu. Only the outputs that are not NULL are asked for.
 *
 * @param control     the control record of the session.
 * @param name        the menu name.
 * @param[out] refreshCode receives the refresh code, or NULL.
 * @param[out] menu        receives the menu (release with FreeTQCharMenuStruct()), or NULL.
 * @param[out] helpText    receives the help text (a new block the caller frees), or NULL.
 * @param[out] timestamp   receives the last update time, or NULL.
 * @param[out] owner       receives the owner, or NULL.
 * @param[out] lastChanged receives the user who changed it last, or NULL.
 * @param[out] changeDiary receives the encoded change diary (a new block the caller frees; TQDecodeDiary() reads it), or NULL.
 * @param status      set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetCharMenu(TQControlStruct* control, const char* name, uint32_t* refreshCode, TQCharMenuStruct* menu, char** helpText, TQTimestamp* timestamp, TQAccessNameType owner, TQAccessNameType lastChanged, char** changeDiary, TQStatusList* status);

/**
 * Changes a character menu; every NULL attribute stays as it is on the server.
 *
 * @param control     the control record of the session.
 * @param name        the menu name.
 * @param newName     the new name; NULL, empty or equal to @p name keeps the name.
 * @param refreshCode the new refresh code (1 to 3), or NULL.
 * @param menu        the new menu, or NULL.
 * @param helpText    the new help text, or NULL to leave it unchanged.
 * @param owner       the new owner, or NULL to leave it unchanged.
 * @param changeDiary text to append to the change diary, or NULL for none.
 * @param status      set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * warning 54 when nothing is to change (the server is not contacted); 207 a bad refresh code; 102 no name, 103 a name longer than 30; the menu checks' messages (112, 130, 131, 206, 208, 209, 321); the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQSetCharMenu(TQControlStruct* control, const char* name, const char* newName, const uint32_t* refreshCode, TQCharMenuStruct* menu, const char* helpText, const char* owner, const char* changeDiary, TQStatusList* status);

/**
 * Creates a character menu.
 *
 * @param control     the control record of the session.
 * @param name        the menu name.
 * @param refreshCode the refresh code (1 to 3).
 * @param menu        the menu.
 * @param helpText    the help text, or NULL.
 * @param owner       the owner (at most 30 bytes, may be empty), or NULL.
 * @param changeDiary text to append to the change diary, or NULL.
 * @param status      set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 207 a bad refresh code; 102 no name, 103 a name longer than 30; the menu checks' messages; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQCreateCharMenu(TQControlStruct* control, const char* name, uint32_t refreshCode, TQCharMenuStruct* menu, const char* helpText, const char* owner, const char* changeDiary, TQStatusList* status);

/**
 * Deletes a character menu.
 *
 * @param control the control record of the session.
 * @param name    the menu name.
 * @param status  set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQDeleteCharMenu(TQControlStruct* control, const char* name, TQStatusList* status);

/**
 * Lists the names of the character menus changed since a time.
 *
 * @param control      the control record of the session.
 * @param changedSince only menus changed at or after this time (0: all).
 * @param[out] nameList     receives the names (release with FreeTQNameList()), or NULL.
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetListCharMenu(TQControlStruct* control, TQTimestamp changedSince, TQNameList* nameList, TQStatusList* status);

/**
 * Expands a character menu into a list menu.
 *
 * Sub-menus of a list menu are expanded depth first. A query menu is run
 * on the server (its own server when it names one), a file menu read from
 * the server or from a client file (one item a line, tabs for the levels,
 * "#" lines and empty lines skipped, `label\value`), an SQL menu run with
 * TQGetListSQL(); duplicate items of an SQL menu are dropped and a menu
 * without rows becomes NONE.
 *
 * @param control      the control record of the session.
 * @param menu         the menu to expand.
 * @param[out] expandedMenu receives the expanded copy (release with FreeTQCharMenuStruct()); NULL returns 0 at once.
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 130 a client file whose first line is indented; 67 a client file that cannot be opened; 316 a server file that cannot be stored for reading; 206 a menu type that cannot be expanded; the menu checks' messages; the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQExpandCharMenu(TQControlStruct* control, TQCharMenuStruct* menu, TQCharMenuStruct* expandedMenu, TQStatusList* status);

/** @} */

/**
 * @addtogroup def_filters
 * @{
 */

/**
 * Reads a filter. Only the outputs that are not NULL are asked for.
 *
 * @param control     the control record of the session.
 * @param name        the filter name.
 * @param[out] order       receives the execution order, or NULL.
 * @param[out] schema      receives the schema name, or NULL.
 * @param[out] opSet       receives the operations that fire it, or NULL.
 * @param[out] enable      receives the enable flag, or NULL.
 * @param[out] query       receives the qualification (release with FreeTQQualifierStruct()), or NULL.
 * @param[out] actionList  receives the actions, or NULL.
 * @param[out] elseList    receives the else-actions, or NULL.
 * @param[out] helpText    receives the help text (a new block the caller frees), or NULL.
 * @param[out] timestamp   receives the last update time, or NULL.
 * @param[out] owner       receives the owner, or NULL.
 * @param[out] lastChanged receives the user who changed it last, or NULL.
 * @param[out] changeDiary receives the encoded change diary (a new block the caller frees; TQDecodeDiary() reads it), or NULL.
 * @param status      set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetFilter(TQControlStruct* control, const char* name, uint32_t* order, TQNameType schema, uint32_t* opSet, uint32_t* enable, TQQualifierStruct* query, TQFilterActionList* actionList, TQFilterActionList* elseList, char** helpText, TQTimestamp* timestamp, TQAccessNameType owner, TQAccessNameType lastChanged, char** changeDiary, TQStatusList* status);

/**
 * Changes a filter; every NULL attribute stays as it is on the server.
 *
 * @param control     the control record of the session.
 * @param name        the filter name.
 * @param newName     the new name; NULL, empty or equal to @p name keeps the name.
 * @param order       the new execution order (0 to 1000), or NULL.
 * @param schema      the new schema name, or NULL.
 * @param opSet       the new operations mask (1 to 31), or NULL.
 * @param enable      the new enable flag (0 or 1), or NULL.
 * @param query       the new qualification, or NULL.
 * @param actionList  the new actions, or NULL.
 * @param elseList    the new else-actions, or NULL.
 * @param helpText    the new help text, or NULL to leave it unchanged.
 * @param owner       the new owner, or NULL to leave it unchanged.
 * @param changeDiary text to append to the change diary, or NULL for none.
 * @param status      set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * warning 54 when nothing is to change (the server is not contacted); 169 an order above 1000, 115 a bad operations mask, 251 a bad enable flag; the record checks' messages; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQSetFilter(TQControlStruct* control, const char* name, const char* newName, const uint32_t* order, const char* schema, const uint32_t* opSet, const uint32_t* enable, TQQualifierStruct* query, TQFilterActionList* actionList, TQFilterActionList* elseList, const char* helpText, const char* owner, const char* changeDiary, TQStatusList* status);

/**
 * Creates a filter.
 *
 * @param control     the control record of the session.
 * @param name        the filter name.
 * @param order       the execution order (0 to 1000).
 * @param schema      the schema name.
 * @param opSet       the operations that fire it (1 to 31).
 * @param enable      the enable flag (0 or 1).
 * @param query       the qualification, or NULL for none.
 * @param actionList  the actions (at least one).
 * @param elseList    the else-actions, or NULL for none.
 * @param helpText    the help text, or NULL.
 * @param owner       the owner (at most 30 bytes, may be empty), or NULL.
 * @param changeDiary text to append to the change diary, or NULL.
 * @param status      set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 169 an order above 1000, 115 a bad operations mask, 251 a bad enable flag, 116 no actions; the record checks' messages; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQCreateFilter(TQControlStruct* control, const char* name, uint32_t order, const char* schema, uint32_t opSet, uint32_t enable, TQQualifierStruct* query, TQFilterActionList* actionList, TQFilterActionList* elseList, const char* helpText, const char* owner, const char* changeDiary, TQStatusList* status);

/**
 * Deletes a filter.
 *
 * @param control the control record of the session.
 * @param name    the filter name.
 * @param status  set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQDeleteFilter(TQControlStruct* control, const char* name, TQStatusList* status);

/**
 * Lists the names of the filters of a schema.
 *
 * @param control      the control record of the session.
 * @param schema       the schema name (empty: every schema).
 * @param changedSince only filters changed at or after this time (0: all).
 * @param[out] nameList     receives the names (release with FreeTQNameList()).
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 105 no @p nameList; the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetListFilter(TQControlStruct* control, const char* schema, TQTimestamp changedSince, TQNameList* nameList, TQStatusList* status);

/**
 * Reads an escalation. Only the outputs that are not NULL are asked for.
 *
 * @param control        the control record of the session.
 * @param name           the escalation name.
 * @param[out] escalationTime receives when it runs, or NULL.
 * @param[out] schema         receives the schema name, or NULL.
 * @param[out] enable         receives the enable flag, or NULL.
 * @param[out] query          receives the qualification, or NULL.
 * @param[out] actionList     receives the actions, or NULL.
 * @param[out] elseList       receives the else-actions, or NULL.
 * @param[out] helpText       receives the help text (a new block the caller frees), or NULL.
 * @param[out] timestamp      receives the last update time, or NULL.
 * @param[out] owner          receives the owner, or NULL.
 * @param[out] lastChanged    receives the user who changed it last, or NULL.
 * @param[out] changeDiary    receives the encoded change diary (a new block the caller frees; TQDecodeDiary() reads it), or NULL.
 * @param status         set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetEscalation(TQControlStruct* control, const char* name, TQEscalationTmStruct* escalationTime, TQNameType schema, uint32_t* enable, TQQualifierStruct* query, TQFilterActionList* actionList, TQFilterActionList* elseList, char** helpText, TQTimestamp* timestamp, TQAccessNameType owner, TQAccessNameType lastChanged, char** changeDiary, TQStatusList* status);

/**
 * Changes an escalation; every NULL attribute stays as it is on the server.
 *
 * @param control        the control record of the session.
 * @param name           the escalation name.
 * @param newName        the new name; NULL, empty or equal to @p name keeps the name.
 * @param escalationTime when it runs, or NULL.
 * @param schema         the new schema name, or NULL.
 * @param enable         the new enable flag (0 or 1), or NULL.
 * @param query          the new qualification, or NULL.
 * @param actionList     the new actions, or NULL.
 * @param elseList       the new else-actions, or NULL.
 * @param helpText       the new help text, or NULL to leave it unchanged.
 * @param owner          the new owner, or NULL to leave it unchanged.
 * @param changeDiary    text to append to the change diary, or NULL for none.
 * @param status         set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * warning 54 when nothing is to change (the server is not contacted); 246 to 250 a bad escalation time, 251 a bad enable flag; the record checks' messages; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQSetEscalation(TQControlStruct* control, const char* name, const char* newName, const TQEscalationTmStruct* escalationTime, const char* schema, const uint32_t* enable, TQQualifierStruct* query, TQFilterActionList* actionList, TQFilterActionList* elseList, const char* helpText, const char* owner, const char* changeDiary, TQStatusList* status);

/**
 * Creates an escalation.
 *
 * @param control        the control record of the session.
 * @param name           the escalation name.
 * @param escalationTime when it runs (required).
 * @param schema         the schema name.
 * @param enable         the enable flag (0 or 1).
 * @param query          the qualification, or NULL for none.
 * @param actionList     the actions (at least one).
 * @param elseList       the else-actions, or NULL for none.
 * @param helpText       the help text, or NULL.
 * @param owner          the owner (at most 30 bytes, may be empty), or NULL.
 * @param changeDiary    text to append to the change diary, or NULL.
 * @param status         set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 247 no time, 246 to 250 a bad escalation time, 251 a bad enable flag, 284 no actions; the record checks' messages; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQCreateEscalation(TQControlStruct* control, const char* name, const TQEscalationTmStruct* escalationTime, const char* schema, uint32_t enable, TQQualifierStruct* query, TQFilterActionList* actionList, TQFilterActionList* elseList, const char* helpText, const char* owner, const char* changeDiary, TQStatusList* status);

/**
 * Deletes an escalation.
 *
 * @param control the control record of the session.
 * @param name    the escalation name.
 * @param status  set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQDeleteEscalation(TQControlStruct* control, const char* name, TQStatusList* status);

/**
 * Lists the names of the escalations of a schema.
 *
 * @param control      the control record of the session.
 * @param schema       the schema name (empty: every schema).
 * @param changedSince only escalations changed at or after this time (0: all).
 * @param[out] nameList     receives the names (release with FreeTQNameList()).
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 105 no @p nameList; the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetListEscalation(TQControlStruct* control, const char* schema, TQTimestamp changedSince, TQNameList* nameList, TQStatusList* status);

/** @} */

/**
 * @addtogroup def_activelinks
 * @{
 */

/**
 * Reads an active link. Only the outputs that are not NULL are asked for.
 *
 * @param control      the control record of the session.
 * @param name         the active link's name.
 * @param[out] order        receives the execution order, or NULL.
 * @param[out] schema       receives the schema name, or NULL.
 * @param[out] groupList    receives the groups allowed to run it, or NULL.
 * @param[out] executeMask  receives the execute mask, or NULL.
 * @param[out] controlField receives the control field id, or NULL.
 * @param[out] focusField   receives the focus field id, or NULL.
 * @param[out] enable       receives the enable flag, or NULL.
 * @param[out] query        receives the qualification, or NULL.
 * @param[out] actionList   receives the actions, or NULL.
 * @param[out] elseList     receives the else-actions, or NULL.
 * @param[out] helpText     receives the help text (a new block the caller frees), or NULL.
 * @param[out] timestamp    receives the last update time, or NULL.
 * @param[out] owner        receives the owner, or NULL.
 * @param[out] lastChanged  receives the user who changed it last, or NULL.
 * @param[out] changeDiary  receives the encoded change diary (a new block the caller frees; TQDecodeDiary() reads it), or NULL.
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetActiveLink(TQControlStruct* control, const char* name, uint32_t* order, TQNameType schema, TQInternalIdList* groupList, uint32_t* executeMask, uint32_t* controlField, uint32_t* focusField, uint32_t* enable, TQQualifierStruct* query, TQActiveLinkActionList* actionList, TQActiveLinkActionList* elseList, char** helpText, TQTimestamp* timestamp, TQAccessNameType owner, TQAccessNameType lastChanged, char** changeDiary, TQStatusList* status);

/**
 * Changes an active link; every NULL attribute stays as it is on the server.
 *
 * A macro action whose text holds report sections (a line beginning with
 * "Report: ") that name report files on the client: each file is numbered
 * after the highest report number already in the texts and, once the
 * active link is stored, uploaded as support file 1 of the active link
 * with that number. The caller's texts are the same again on return.
 *
 * @param control      the control record of the session.
 * @param name         the active link's name.
 * @param newName      the new name; NULL, empty or equal to @p name keeps the name.
 * @param order        the new execution order (0 to 1000), or NULL.
 * @param schema       the new schema name, or NULL.
 * @param groupList    the new groups (warning 71 when empty), or NULL.
 * @param executeMask  the new execute mask (1 to 65535), or NULL.
 * @param controlField the new control field id, or NULL.
 * @param focusField   the new focus field id, or NULL.
 * @param enable       the new enable flag (0 or 1), or NULL.
 * @param query        the new qualification, or NULL.
 * @param actionList   the new actions, or NULL.
 * @param elseList     the new else-actions, or NULL.
 * @param helpText     the new help text, or NULL to leave it unchanged.
 * @param owner        the new owner, or NULL to leave it unchanged.
 * @param changeDiary  text to append to the change diary, or NULL for none.
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * warning 54 when nothing is to change (the server is not contacted); 169 an order above 1000, warning 71 an empty group list, 187 a bad execute mask, 251 a bad enable flag, 154 no memory for the report texts; warnings 450 (a report file that cannot be opened) and 451 (a report not stored); the record checks' messages; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQSetActiveLink(TQControlStruct* control, const char* name, const char* newName, const uint32_t* order, const char* schema, const TQInternalIdList* groupList, const uint32_t* executeMask, const uint32_t* controlField, const uint32_t* focusField, const uint32_t* enable, TQQualifierStruct* query, TQActiveLinkActionList* actionList, TQActiveLinkActionList* elseList, const char* helpText, const char* owner, const char* changeDiary, TQStatusList* status);

/**
 * Creates an active link.
 *
 * A macro action whose text holds report sections (a line beginning with
 * "Report: ") that name report files on the client: each file is numbered
 * after the highest report number already in the texts and, once the
 * active link is stored, uploaded as support file 1 of the active link
 * with that number. The caller's texts are the same again on return.
 *
 * @param control      the control record of the session.
 * @param name         the active link's name.
 * @param order        the execution order (0 to 1000).
 * @param schema       the schema name.
 * @param groupList    the groups allowed to run it (warning 71 when empty or NULL).
 * @param executeMask  the execute mask (1 to 65535).
 * @param controlField the control field id, or NULL for none.
 * @param focusField   the focus field id, or NULL for none.
 * @param enable       the enable flag (0 or 1).
 * @param query        the qualification, or NULL for none.
 * @param actionList   the actions (at least one).
 * @param elseList     the else-actions, or NULL for none.
 * @param helpText     the help text, or NULL.
 * @param owner        the owner (at most 30 bytes, may be empty), or NULL.
 * @param changeDiary  text to append to the change diary, or NULL.
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 169 an order above 1000, warning 71 an empty group list, 187 a bad execute mask, 251 a bad enable flag, 189 no actions, 154 no memory for the report texts; warnings 450 and 451 as for TQSetActiveLink(); the record checks' messages; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQCreateActiveLink(TQControlStruct* control, const char* name, uint32_t order, const char* schema, const TQInternalIdList* groupList, uint32_t executeMask, const uint32_t* controlField, const uint32_t* focusField, uint32_t enable, TQQualifierStruct* query, TQActiveLinkActionList* actionList, TQActiveLinkActionList* elseList, const char* helpText, const char* owner, const char* changeDiary, TQStatusList* status);

/**
 * Deletes an active link.
 *
 * @param control the control record of the session.
 * @param name    the active link's name.
 * @param status  set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQDeleteActiveLink(TQControlStruct* control, const char* name, TQStatusList* status);

/**
 * Lists the names of the active links of a schema.
 *
 * @param control      the control record of the session.
 * @param schema       the schema name (empty: every schema).
 * @param changedSince only active links changed at or after this time (0: all).
 * @param[out] nameList     receives the names (release with FreeTQNameList()).
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 105 no @p nameList; the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetListActiveLink(TQControlStruct* control, const char* schema, TQTimestamp changedSince, TQNameList* nameList, TQStatusList* status);

/** @} */

/**
 * @addtogroup def_containers
 * @{
 */

/**
 * Reads a container. Only the outputs that are not NULL are asked for.
 *
 * @param control        the control record of the session.
 * @param name           the container name.
 * @param refTypes       the reference types wanted, or NULL for all.
 * @param[out] groupList      receives the group permissions, or NULL.
 * @param[out] adminGroupList receives the sub-administrator groups, or NULL.
 * @param[out] ownerObj       receives the owner object, or NULL.
 * @param[out] label          receives the label (a new block the caller frees), or NULL.
 * @param[out] description    receives the description (a new block the caller frees), or NULL.
 * @param[out] type           receives the container type, or NULL.
 * @param[out] references     receives the references (release with FreeTQReferenceList()), or NULL.
 * @param[out] helpText       receives the help text (a new block the caller frees), or NULL.
 * @param[out] timestamp      receives the last update time, or NULL.
 * @param[out] owner          receives the owner, or NULL.
 * @param[out] lastChanged    receives the user who changed it last, or NULL.
 * @param[out] changeDiary    receives the encoded change diary (a new block the caller frees; TQDecodeDiary() reads it), or NULL.
 * @param status         set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetContainer(TQControlStruct* control, const char* name, const TQReferenceTypeList* refTypes, TQPermissionList* groupList, TQInternalIdList* adminGroupList, TQContainerOwnerObj* ownerObj, char** label, char** description, uint32_t* type, TQReferenceList* references, char** helpText, TQTimestamp* timestamp, TQAccessNameType owner, TQAccessNameType lastChanged, char** changeDiary, TQStatusList* status);

/**
 * Changes a container; every NULL attribute stays as it is on the server.
 *
 * @param control        the control record of the session.
 * @param name           the container name.
 * @param newName        the new name; NULL, empty or equal to @p name keeps the name.
 * @param groupList      the new group permissions, or NULL.
 * @param adminGroupList the new sub-administrator groups, or NULL.
 * @param ownerObj       the new owner object, or NULL.
 * @param label          the new label, or NULL.
 * @param description    the new description, or NULL.
 * @param type           the new container type, or NULL.
 * @param references     the new references, or NULL.
 * @param removeFlag     non-zero: remove references that point at missing objects.
 * @param helpText       the new help text, or NULL to leave it unchanged.
 * @param owner          the new owner, or NULL to leave it unchanged.
 * @param changeDiary    text to append to the change diary, or NULL for none.
 * @param status         set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * warning 54 when nothing is to change (the server is not contacted); 102 no name, 103 a name longer than 30; the record checks' messages (8800 to 8803); the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQSetContainer(TQControlStruct* control, const char* name, const char* newName, const TQPermissionList* groupList, const TQInternalIdList* adminGroupList, const TQContainerOwnerObj* ownerObj, const char* label, const char* description, const uint32_t* type, TQReferenceList* references, TQBoolean removeFlag, const char* helpText, const char* owner, const char* changeDiary, TQStatusList* status);

/**
 * Creates a container.
 *
 * @param control        the control record of the session.
 * @param name           the container name.
 * @param groupList      the group permissions, or NULL.
 * @param adminGroupList the sub-administrator groups, or NULL.
 * @param ownerObj       the owner object, or NULL.
 * @param label          the label, or NULL.
 * @param description    the description, or NULL.
 * @param type           the container type.
 * @param references     the references, or NULL.
 * @param removeFlag     non-zero: drop references that point at missing objects.
 * @param helpText       the help text, or NULL.
 * @param owner          the owner (at most 30 bytes, may be empty), or NULL.
 * @param changeDiary    text to append to the change diary, or NULL.
 * @param status         set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the record checks' messages (8800 to 8803); the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQCreateContainer(TQControlStruct* control, const char* name, const TQPermissionList* groupList, const TQInternalIdList* adminGroupList, const TQContainerOwnerObj* ownerObj, const char* label, const char* description, uint32_t type, TQReferenceList* references, TQBoolean removeFlag, const char* helpText, const char* owner, const char* changeDiary, TQStatusList* status);

/**
 * Deletes a container.
 *
 * @param control the control record of the session.
 * @param name    the container name.
 * @param status  set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQDeleteContainer(TQControlStruct* control, const char* name, TQStatusList* status);

/**
 * Lists the containers changed since a time.
 *
 * @param control        the control record of the session.
 * @param changedSince   only containers changed at or after this time (0: all).
 * @param containerTypes the container types wanted, or NULL.
 * @param attributes     which attributes to return (the meaning is the server's).
 * @param ownerObj       the owner object to select by, or NULL.
 * @param[out] containers     receives the containers, or NULL.
 * @param status         set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetListContainer(TQControlStruct* control, TQTimestamp changedSince, const TQContainerTypeList* containerTypes, uint32_t attributes, const TQContainerOwnerObj* ownerObj, TQContainerInfoList* containers, TQStatusList* status);

/**
 * Reads a support file into an open file.
 *
 * @param control   the control record of the session.
 * @param fileType  the file type (0 or 1; 1: a report of an active link).
 * @param name      the name of the object the file belongs to.
 * @param id        a second key of the object (0 when it has none).
 * @param fileId    the file's number.
 * @param filePtr   the file, open for writing, that receives the contents.
 * @param[out] timestamp receives the file's last update time, or NULL.
 * @param status    set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 296 a file type above 1, 295 no file, 301 the file cannot be written (with the C library's text); 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetSupportFile(TQControlStruct* control, uint32_t fileType, const char* name, uint32_t id, uint32_t fileId, FILE* filePtr, TQTimestamp* timestamp, TQStatusList* status);

/**
 * Stores a support file from an open file.
 *
 * @param control  the control record of the session.
 * @param fileType the file type (0 or 1; 1: a report of an active link).
 * @param name     the name of the object the file belongs to.
 * @param id       a second key of the object (0 when it has none).
 * @param fileId   the file's number.
 * @param filePtr  the file, open for reading, whose contents are stored (from its start).
 * @param status   set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 296 a file type above 1, 295 no file or an empty one, 316 the file cannot be read (with the C library's text); 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQSetSupportFile(TQControlStruct* control, uint32_t fileType, const char* name, uint32_t id, uint32_t fileId, FILE* filePtr, TQStatusList* status);

/**
 * Stores a new support file from an open file (as TQSetSupportFile()).
 *
 * @param control  the control record of the session.
 * @param fileType the file type (0 or 1; 1: a report of an active link).
 * @param name     the name of the object the file belongs to.
 * @param id       a second key of the object (0 when it has none).
 * @param fileId   the file's number.
 * @param filePtr  the file, open for reading, whose contents are stored (from its start).
 * @param status   set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * as TQSetSupportFile().
 */
uint32_t TQCreateSupportFile(TQControlStruct* control, uint32_t fileType, const char* name, uint32_t id, uint32_t fileId, FILE* filePtr, TQStatusList* status);

/**
 * Deletes a support file.
 *
 * @param control  the control record of the session.
 * @param fileType the file type (0 or 1; 1: a report of an active link).
 * @param name     the name of the object the file belongs to.
 * @param id       a second key of the object (0 when it has none).
 * @param fileId   the file's number.
 * @param status   set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 296 a file type above 1; 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQDeleteSupportFile(TQControlStruct* control, uint32_t fileType, const char* name, uint32_t id, uint32_t fileId, TQStatusList* status);

/**
 * Lists the numbers of the support files of an object.
 *
 * @param control      the control record of the session.
 * @param fileType     the file type (0 or 1; 1: a report of an active link).
 * @param name         the name of the object the file belongs to.
 * @param id           a second key of the object (0 when it has none).
 * @param changedSince only files changed at or after this time (0: all).
 * @param[out] fileIdList   receives the file numbers, or NULL.
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 296 a file type above 1; 102 no name, 103 a name longer than 30; the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetListSupportFile(TQControlStruct* control, uint32_t fileType, const char* name, uint32_t id, TQTimestamp changedSince, TQInternalIdList* fileIdList, TQStatusList* status);

/** @} */

/**
 * @addtogroup def_access
 * @{
 */

/**
 * Tells what the control record's user may do on the server.
 *
 * @param control       the control record of the session.
 * @param[out] adminFlag     receives 1 for an administrator, or NULL.
 * @param[out] subAdminFlag  receives 1 for a sub-administrator, or NULL.
 * @param[out] customizeFlag receives 1 for a user who may customise, or NULL.
 * @param status        set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQVerifyUser(TQControlStruct* control, TQBoolean* adminFlag, TQBoolean* subAdminFlag, TQBoolean* customizeFlag, TQStatusList* status);

/**
 * Lists the groups of a user, or all groups.
 *
 * @param control   the control record of the session.
 * @param userName  the user (NULL or empty: every group).
 * @param[out] groupList receives the groups (release with FreeTQGroupInfoList()).
 * @param status    set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 105 no @p groupList; the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetListGroup(TQControlStruct* control, const char* userName, TQGroupInfoList* groupList, TQStatusList* status);

/**
 * Lists the users of the server.
 *
 * @param control      the control record of the session.
 * @param userListType which users (the meaning is the server's).
 * @param[out] userList     receives the users (release with FreeTQUserInfoList()).
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 105 no @p userList; the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetListUser(TQControlStruct* control, uint32_t userListType, TQUserInfoList* userList, TQStatusList* status);

/** @} */

/**
 * @addtogroup def_server
 * @{
 */

/**
 * Changes server settings.
 *
 * @param control    the control record of the session.
 * @param serverInfo the settings to change.
 * @param status     set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 216 no settings, 217 a code that cannot be set, 219 a bad value (each with the code appended); the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQSetServerInfo(TQControlStruct* control, const TQServerInfoList* serverInfo, TQStatusList* status);

/**
 * Reads server statistics.
 *
 * @param control    the control record of the session.
 * @param requests   the statistics codes wanted.
 * @param[out] serverInfo receives one item per code (release with FreeTQServerInfoList()), or NULL.
 * @param status     set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 122 no codes, 256 a bad code (with the code appended); the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetServerStatistics(TQControlStruct* control, const TQServerInfoRequestList* requests, TQServerInfoList* serverInfo, TQStatusList* status);

/**
 * Reads full-text settings.
 *
 * @param control      the control record of the session.
 * @param requests     the full-text codes wanted.
 * @param[out] fullTextInfo receives one item per code (release with FreeTQFullTextInfoList()), or NULL.
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 122 no codes, 654 a bad code (with the code appended); the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetFullTextInfo(TQControlStruct* control, const TQFullTextInfoRequestList* requests, TQFullTextInfoList* fullTextInfo, TQStatusList* status);

/**
 * Changes full-text settings.
 *
 * @param control      the control record of the session.
 * @param fullTextInfo the settings to change.
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 651 no settings, 654 a bad code, 652 a bad value; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQSetFullTextInfo(TQControlStruct* control, const TQFullTextInfoList* fullTextInfo, TQStatusList* status);

/**
 * Runs an SQL query on the server's database and returns its rows.
 *
 * @param control       the control record of the session.
 * @param sqlCommand    the SQL command.
 * @param maxRetrieve   the largest number of rows to return (0: the server's limit).
 * @param[out] valueListList receives one value list per row (release with FreeTQValueListList()).
 * @param[out] numMatches    receives the number of matching rows, or NULL (then it is not counted).
 * @param status        set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 261 no or an empty command, 105 no @p valueListList; the control-record and transport messages of every operation, with 93 for a time-out.
 */
uint32_t TQGetListSQL(TQControlStruct* control, const char* sqlCommand, uint32_t maxRetrieve, TQValueListList* valueListList, uint32_t* numMatches, TQStatusList* status);

/**
 * Runs a command on the server.
 *
 * @param control      the control record of the session.
 * @param command      the command.
 * @param[out] returnStatus receives the command's exit status, or NULL.
 * @param[out] returnString receives the command's output (a new block the caller frees), or NULL. When both outputs are NULL the server does not wait for the command.
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 117 no command; the control-record and transport messages of every operation, with 92 for a time-out.
 */
uint32_t TQExecuteProcess(TQControlStruct* control, const char* command, int32_t* returnStatus, char** returnString, TQStatusList* status);

/** @} */

/**
 * @addtogroup def_access
 * @{
 */

/**
 * Creates a user on the server.
 *
 * Runs in a session of its own (opened and ended inside the call) on the
 * control record's server, as its user; sends the client's host name
 * (#TQClientHostName, else the platform's).
 *
 * @param control      the control record of the session.
 * @param userName     the new user's name (at most 30 bytes).
 * @param password     the new user's password (at most 30 bytes), or NULL for none.
 * @param emailAddress the e-mail address, or NULL.
 * @param groupIds     the groups the user joins, or NULL.
 * @param status       set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the session's and the server's messages, with 92 for a time-out.
 */
uint32_t TQCreateUser(TQControlStruct* control, const char* userName, const char* password, const char* emailAddress, const TQInternalIdList* groupIds, TQStatusList* status);

/**
 * Deletes a user on the server.
 *
 * Runs in a session of its own (opened and ended inside the call) on the
 * control record's server, as its user; sends the client's host name
 * (#TQClientHostName, else the platform's).
 *
 * @param control  the control record of the session.
 * @param userName the user's name.
 * @param status   set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the session's and the server's messages, with 92 for a time-out.
 */
uint32_t TQDeleteUser(TQControlStruct* control, const char* userName, TQStatusList* status);

/**
 * Creates a group on the server.
 *
 * Runs in a session of its own (opened and ended inside the call) on the
 * control record's server, as its user; sends the client's host name
 * (#TQClientHostName, else the platform's).
 *
 * @param control   the control record of the session.
 * @param groupName the group's name.
 * @param groupId   the group id.
 * @param groupType the group type (1 view, 2 change).
 * @param status    set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the session's and the server's messages, with 92 for a time-out.
 */
uint32_t TQCreateGroup(TQControlStruct* control, const char* groupName, uint32_t groupId, uint32_t groupType, TQStatusList* status);

/**
 * Deletes a group on the server.
 *
 * Runs in a session of its own (opened and ended inside the call) on the
 * control record's server, as its user; sends the client's host name
 * (#TQClientHostName, else the platform's).
 *
 * @param control   the control record of the session.
 * @param groupName the group's name.
 * @param status    set empty at entry, then receives the statuses of the call; release it with FreeTQStatusList().
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102 no name, 103 a name longer than 30; the session's and the server's messages, with 92 for a time-out.
 */
uint32_t TQDeleteGroup(TQControlStruct* control, const char* groupName, TQStatusList* status);

/** @} */


/* --- Messages ----------------------------------------------------------- */

/**
 * @ingroup messages
 * The catalog text of a message number, in a new block.
 *
 * @param messageNumber the message number (set 1 of the catalog).
 * @return a new block of #TQ_MAX_MESSAGE_TEXT (256) bytes holding the text,
 *         which the caller releases with free; NULL when the block cannot be
 *         allocated. A number missing from the catalog gives the catalog's
 *         "not in catalog" text followed by the number; when no catalog can
 *         be opened the text is "Cannot open catalog; Message number = " and
 *         the number.
 */
char* TQGetTextForErrorMessage(int32_t messageNumber);

/* --- Call recording ------------------------------------------------------ */

/**
 * Starts recording the calls of the session: before each call its inputs go
 * to the command log, a replayable script of one value per line; after it
 * its return code, outputs and statuses go to the result log. Opens
 * whichever of the two logs is not open yet, for appending and unbuffered.
 *
 * @param control    the control record of the session.
 * @param commandLog the command log's file name; NULL for "tqapicmd.log".
 * @param resultLog  the result log's file name; NULL for "tqapires.log".
 * @param status     set empty at entry; recording adds no status.
 * @return 0; 2 when a log cannot be opened (recording stays off and a
 *         command log opened by this call is closed again); 3 when the
 *         session cannot be found; 4 when @p status is NULL.
 */
uint32_t TQStartRecording(TQControlStruct* control, const char* commandLog, const char* resultLog,
                          TQStatusList* status);

/**
 * Stops recording the calls of the session: clears the recording and pause
 * flags and closes both logs.
 *
 * @param control the control record of the session.
 * @param status  set empty at entry.
 * @return 0; 3 when the session cannot be found; 4 when @p status is NULL.
 */
uint32_t TQStopRecording(TQControlStruct* control, TQStatusList* status);

/* --- Attachments ------------------------------------------------------- */

/** @addtogroup attachments
 *  @{ */

/**
 * Fetches the data of one attachment of an entry, into a file or into memory.
 *
 * The data arrives from the server in chunks and is unpacked when it was
 * sent packed. Use it with the attachment value that TQGetEntry() returned
 * (its location names the attachment's file).
 *
 * @param control the control record of the session.
 * @param schema  the schema name, 1 to 30 characters.
 * @param entryId the entry's id list.
 * @param fieldId the attachment field.
 * @param loc     where the data goes: #TQ_LOC_FILENAME with the name of the
 *        file to write (created or emptied), or #TQ_LOC_BUFFER, which
 *        receives a new malloc block holding the data (followed by a zero
 *        byte) and its size; the caller releases the block with free. On
 *        failure a buffer location gets size 0 and no block.
 * @param status  set empty at entry, then receives the statuses of the call.
 * @return the type of the most severe status; 3 when the session cannot be
 *         found; 4 when @p status is NULL.
 *
 * @par Messages
 * 102, 103 the schema name; 106, 100, 121 the entry id list; 8700 no
 * location or a type other than 1 and 2 (nothing is sent); 342 the file
 * cannot be created; 301 writing it failed (system error text appended);
 * 154 out of memory; 160 the data cannot be unpacked, or the server's
 * chunks do not add up to what it announced; 8703 the server announces more
 * than 2147483647 bytes; the control-record and transport messages of every
 * operation, with 93 for a time-out; the server's.
 */
uint32_t TQGetEntryBLOB(TQControlStruct* control, const char* schema, TQEntryIdList* entryId,
                        uint32_t fieldId, TQLocStruct* loc, TQStatusList* status);

/** @} */

/* --- Export and import ---------------------------------------------- */

/** @addtogroup exchange
 *  @{ */

/**
 * The export text of definitions: one text in which the server describes
 * them, for TQImport() to load again.
 *
 * The text travels in chunks, packed when the server can pack it, and comes
 * back in the client's character set.
 *
 * @param control    the control record of the session.
 * @param items      the definitions (type and name), at least one.
 * @param displayTag passed to the server; NULL sends an empty text.
 * @param[out] text  receives a new malloc block holding the terminated text,
 *        which the caller releases with free; set to NULL at entry and on
 *        failure.
 * @param status     set empty at entry, then receives the statuses of the call.
 * @return the type of the most severe status; 2 when a call to the server
 *         failed; 3 when the session cannot be found; 4 when @p status is NULL.
 *
 * @par Messages
 * 132 no items, 133 and 134 a bad item; 155 no @p text; 154 out of memory;
 * 160 the data cannot be unpacked or the chunks do not add up; the
 * control-record and transport messages of every operation, with 93 for a
 * time-out (the long timeout, or the extra-long one from 10 items on); the
 * server's.
 */
uint32_t TQExport(TQControlStruct* control, TQStructItemList* items, const char* displayTag,
                  char** text, TQStatusList* status);

/**
 * As TQExport(), writing the text to a stream in one write (nothing when the
 * server's last chunk is empty).
 *
 * @par Messages
 * As TQExport(), with 295 for a NULL @p file in place of 155, and 301 when
 * writing fails (system error text appended).
 */
uint32_t TQExportToFile(TQControlStruct* control, TQStructItemList* items, const char* displayTag,
                        FILE* file, TQStatusList* status);

/**
 * Sends an export text for the server to load: it creates or replaces the
 * definitions the text holds.
 *
 * @param control the control record of the session.
 * @param items   the definitions of the text to load, or NULL or empty for
 *        all of them; types 2, 3, 4 and 103 are refused.
 * @param text    the export text.
 * @param status  set empty at entry, then receives the statuses of the call.
 * @return the type of the most severe status; 2 when a call to the server
 *         failed; 3 when the session cannot be found; 4 when @p status is NULL.
 *
 * @par Messages
 * 133 and 134 a bad item; 156 a NULL or empty text; 154 out of memory; the
 * control-record and transport messages of every operation, with 92 for a
 * time-out; the server's.
 */
uint32_t TQImport(TQControlStruct* control, TQStructItemList* items, const char* text,
                  TQStatusList* status);

/**
 * As TQImport(), with the text read from a stream (from its start).
 *
 * @par Messages
 * As TQImport(), with 295 for a NULL or empty @p file.
 */
uint32_t TQImportFromFile(TQControlStruct* control, TQStructItemList* items, FILE* file,
                          TQStatusList* status);

/** @} */

#ifdef __cplusplus
}
#endif

#endif /* TQLINK_H */
