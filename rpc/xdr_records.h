// XDR routines of the shared records: values and their lists, field values,
// entry ids and entry lists, id and name lists, status items, sorting,
// statistics and the qualification tree, plus the older forms that protocol
// versions 2 to 5 use (status item without appended text; the entry-list row
// with a single entry id of versions 2 and 3).
//
// Each routine encodes, decodes or frees by the handle's direction (see
// xdr_base.h for the rules a decode follows). Character fields go through
// the converting routines of tqxdr, so a current session is needed.
#pragma once

#include <rpc/rpc.h>

#include "tqlink.h"

// Texts of the status item and the entry-list row are bounded on the wire.
inline constexpr uint32_t kTQWireMessageText = 256;
inline constexpr uint32_t kTQWireShortDescription = 129;
inline constexpr uint32_t kTQWireName = 31;     // fixed(31) and text(31)
inline constexpr uint32_t kTQWireServer = 65;   // fixed(65)
inline constexpr uint32_t kTQWireEntryId = 16;  // fixed(16) and text(16)
inline constexpr uint32_t kTQWireAttachName = 256;

// Fixed texts: one array of the record's size each.
bool_t xdr_TQNameType(XDR* xdrs, TQNameType* name);
bool_t xdr_TQServerNameType(XDR* xdrs, TQServerNameType* name);
bool_t xdr_TQEntryIdType(XDR* xdrs, TQEntryIdType* id);

// Values.
bool_t xdr_TQByteList(XDR* xdrs, TQByteList* bytes);
bool_t xdr_TQCoordStruct(XDR* xdrs, TQCoordStruct* coord);
bool_t xdr_TQCoordList(XDR* xdrs, TQCoordList* coords);
bool_t xdr_TQAttachStruct(XDR* xdrs, TQAttachStruct* attach);
bool_t xdr_TQValueStruct(XDR* xdrs, TQValueStruct* value);
bool_t xdr_TQValueList(XDR* xdrs, TQValueList* values);
bool_t xdr_TQValueListList(XDR* xdrs, TQValueListList* lists);
bool_t xdr_TQFieldValueStruct(XDR* xdrs, TQFieldValueStruct* fieldValue);
bool_t xdr_TQFieldValueList(XDR* xdrs, TQFieldValueList* fieldValues);
bool_t xdr_TQFieldValueListList(XDR* xdrs, TQFieldValueListList* lists);

// Entry ids and lists.
bool_t xdr_TQEntryIdList(XDR* xdrs, TQEntryIdList* ids);
bool_t xdr_TQEntryIdListList(XDR* xdrs, TQEntryIdListList* lists);
bool_t xdr_TQEntryListStruct(XDR* xdrs, TQEntryListStruct* row);
bool_t xdr_TQEntryListList(XDR* xdrs, TQEntryListList* rows);
bool_t xdr_TQEntryListFieldStruct(XDR* xdrs, TQEntryListFieldStruct* field);
bool_t xdr_TQEntryListFieldList(XDR* xdrs, TQEntryListFieldList* fields);
bool_t xdr_TQEntryListFieldValueStruct(XDR* xdrs, TQEntryListFieldValueStruct* row);
bool_t xdr_TQEntryListFieldValueList(XDR* xdrs, TQEntryListFieldValueList* rows);

// Id, name and flag lists.
bool_t xdr_TQInternalIdList(XDR* xdrs, TQInternalIdList* ids);
bool_t xdr_TQNameList(XDR* xdrs, TQNameList* names);
bool_t xdr_TQServerNameList(XDR* xdrs, TQServerNameList* names);
bool_t xdr_TQBooleanList(XDR* xdrs, TQBooleanList* flags);
bool_t xdr_TQBooleanMatrix(XDR* xdrs, TQBooleanMatrix* matrix);

// Status (protocol version 6).
bool_t xdr_TQStatusStruct(XDR* xdrs, TQStatusStruct* status);
bool_t xdr_TQStatusList(XDR* xdrs, TQStatusList* statuses);

// Sorting and statistics.
bool_t xdr_TQSortStruct(XDR* xdrs, TQSortStruct* sort);
bool_t xdr_TQSortList(XDR* xdrs, TQSortList* sorts);
bool_t xdr_TQStatisticsResultStruct(XDR* xdrs, TQStatisticsResultStruct* result);
bool_t xdr_TQStatisticsResultList(XDR* xdrs, TQStatisticsResultList* results);

// Qualification tree.
bool_t xdr_TQQualifierStruct(XDR* xdrs, TQQualifierStruct* qualifier);
bool_t xdr_TQRelOpStruct(XDR* xdrs, TQRelOpStruct* relOp);
bool_t xdr_TQArithOpStruct(XDR* xdrs, TQArithOpStruct* arithOp);
bool_t xdr_TQFieldValueOrArithStruct(XDR* xdrs, TQFieldValueOrArithStruct* operand);
bool_t xdr_TQStatHistoryValue(XDR* xdrs, TQStatHistoryValue* statHistory);
bool_t xdr_TQQueryValueStruct(XDR* xdrs, TQQueryValueStruct* query);

// ------------------------------------------------ protocol versions 2 to 5

// The status item of versions 2 to 5: message type, number and text; no
// appended text travels (it decodes as NULL and is not sent).
bool_t xdr_TQStatusStructOld(XDR* xdrs, TQStatusStruct* status);
bool_t xdr_TQStatusListOld(XDR* xdrs, TQStatusList* statuses);

// The entry-list row of versions 2 and 3: one entry id and the description.
struct TQEntryListStructOld {
  TQEntryIdType entryId;
  char* shortDescription;
};

struct TQEntryListListOld {
  uint32_t numItems;
  TQEntryListStructOld* entryList;
};

bool_t xdr_TQEntryListStructOld(XDR* xdrs, TQEntryListStructOld* row);
bool_t xdr_TQEntryListListOld(XDR* xdrs, TQEntryListListOld* rows);
