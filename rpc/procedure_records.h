// The argument and result records of the remote procedures, in memory.
//
// Every record of the server program (procedures 1 to 80) starts with the
// call header; every result ends with the status list. One C++ record serves
// every protocol version whose fields are the same in memory: the versions
// differ on the wire (header and status item forms), which the XDR routine of
// each version handles (xdr_entry.h, xdr_session.h).
//
// Procedure fields after the header, in wire order ("text(M)" is a bounded
// converting text, "fixed(N)" a fixed converting text):
//
//   1 TQGetEntry       v4-6 args  TQGetEntryArgs: schema text(31), entry id list,
//                                 field id list, values-wanted flag (u_int)
//                      v2-3 args  TQGetEntryArgsOld: schema text(31), entry id text(16),
//                                 field id list, values-wanted flag
//                      result     TQGetEntryResult: field value list, status
//   2 TQSetEntry       v4-6 args  TQSetEntryArgs: schema, entry id list, field value
//                                 list, get time (long), option (u_int)
//                      v2-3 args  TQSetEntryArgsOld: schema, entry id text(16),
//                                 field value list, get time
//                      result     TQStatusResult: status
//   3 TQCreateEntry    args       TQCreateEntryArgs: schema, field value list
//                      result     TQEntryIdResult: new entry id fixed(16), status
//   4 TQDeleteEntry    v4-6 args  TQDeleteEntryArgs: schema, entry id list, option
//                      v2-3 args  TQDeleteEntryArgsOld: schema, entry id text(16)
//                      result     TQStatusResult
//   5 TQGetListEntry   args       TQGetListEntryArgs: schema, qualifier, entry-list
//                                 field list, sort list, maximum to retrieve (u_int),
//                                 count-wanted flag (u_int)
//                      v4-6 res.  TQGetListEntryResult: entry list, number of matches
//                                 (u_int), status
//                      v2-3 res.  TQGetListEntryResultOld: rows of one entry id
//                                 fixed(16) and a description text(129), matches, status
//  36 TQGetServerInfo  args       TQGetServerInfoArgs: request list (u_ints)
//                      result     TQGetServerInfoResult: server info list (code u_int,
//                                 value), status
//  37 TQMergeEntry     v4-6 args  TQMergeEntryArgs: schema, field value list,
//                                 merge type (u_int)
//                      v2-3 args  TQMergeEntryArgsOld: ..., merge type (u_char)
//                      result     TQEntryIdResult
//  47 end of session   args       TQEndSessionArgs: user name text(31), cache id (long)
//                      result     TQStatusResult
//
// Queue directory, program 390604 (no call header, no status):
//   v2  1, 3  args u_int (always 0)             result TQDirectoryAnswer: program, port
//       2     args TQDirectoryQueryArgs: schema text(31), qualifier
//                                               result TQDirectoryAnswer
//   v1  1, 2  the same arguments                result program (u_int) alone
#pragma once

#include <cstdint>

#include "rpc/xdr_records.h"
#include "tqlink.h"

// The header that starts every argument and result record of procedures 1
// to 80. Versions 2 to 5 carry only cacheId, operationTime, user, password,
// language, reserved, signedReserved and flag; version 6 also the session
// extension, the four session words, the time stamp and three further words.
struct TQCallHeader {
  int32_t cacheId;
  TQTimestamp operationTime;
  TQAccessNameType user;
  TQPasswordType password;
  TQLanguageType language;  // 16 bytes on the wire
  TQByteList extension;     // version 6 only
  uint32_t sessionWords[4];
  TQTimestamp timeStamp;
  uint32_t furtherWords[3];
  uint32_t reserved;       // request: response size of chunked calls
  int32_t signedReserved;  // continuation value of chunked calls
  uint8_t flag;            // request: 1; answer: last-answer / advice flag
};

// ------------------------------------------------------------- results

struct TQStatusResult {
  TQCallHeader header;
  TQStatusList status;
};

struct TQEntryIdResult {
  TQCallHeader header;
  TQEntryIdType entryId;
  TQStatusList status;
};

// -------------------------------------------------- procedures 1 to 5, 37

struct TQGetEntryArgs {
  TQCallHeader header;
  char* schema;
  TQEntryIdList entryId;
  TQInternalIdList fieldIds;
  uint32_t valuesWanted;
};

struct TQGetEntryArgsOld {
  TQCallHeader header;
  char* schema;
  char* entryId;
  TQInternalIdList fieldIds;
  uint32_t valuesWanted;
};

struct TQGetEntryResult {
  TQCallHeader header;
  TQFieldValueList fieldValues;
  TQStatusList status;
};

struct TQSetEntryArgs {
  TQCallHeader header;
  char* schema;
  TQEntryIdList entryId;
  TQFieldValueList fieldValues;
  TQTimestamp getTime;
  uint32_t option;
};

struct TQSetEntryArgsOld {
  TQCallHeader header;
  char* schema;
  char* entryId;
  TQFieldValueList fieldValues;
  TQTimestamp getTime;
};

struct TQCreateEntryArgs {
  TQCallHeader header;
  char* schema;
  TQFieldValueList fieldValues;
};

struct TQDeleteEntryArgs {
  TQCallHeader header;
  char* schema;
  TQEntryIdList entryId;
  uint32_t option;
};

struct TQDeleteEntryArgsOld {
  TQCallHeader header;
  char* schema;
  char* entryId;
};

struct TQGetListEntryArgs {
  TQCallHeader header;
  char* schema;
  TQQualifierStruct qualifier;
  TQEntryListFieldList fields;
  TQSortList sort;
  uint32_t maxRetrieve;
  uint32_t countWanted;
};

struct TQGetListEntryResult {
  TQCallHeader header;
  TQEntryListList entries;
  uint32_t numMatches;
  TQStatusList status;
};

struct TQGetListEntryResultOld {
  TQCallHeader header;
  TQEntryListListOld entries;
  uint32_t numMatches;
  TQStatusList status;
};

struct TQMergeEntryArgs {
  TQCallHeader header;
  char* schema;
  TQFieldValueList fieldValues;
  uint32_t mergeType;
};

struct TQMergeEntryArgsOld {
  TQCallHeader header;
  char* schema;
  TQFieldValueList fieldValues;
  uint8_t mergeType;
};

// -------------------------------------------------- procedures 36 and 47

struct TQGetServerInfoArgs {
  TQCallHeader header;
  TQServerInfoRequestList requests;
};

struct TQGetServerInfoResult {
  TQCallHeader header;
  TQServerInfoList info;
  TQStatusList status;
};

struct TQEndSessionArgs {
  TQCallHeader header;
  char* user;
  int32_t cacheId;
};

// ------------------------------------------------------- queue directory

struct TQDirectoryQueryArgs {
  char* schema;  // at most 30 characters; empty when none is given
  TQQualifierStruct qualifier;
};

struct TQDirectoryAnswer {
  uint32_t program;
  uint32_t port;
};
