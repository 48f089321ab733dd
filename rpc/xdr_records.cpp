// XDR routines of the shared records (see xdr_records.h).
#include "rpc/xdr_records.h"

#include <cstdlib>
#include <cstring>

#include "rpc/xdr_base.h"
#include "share/i18n/tqxdr.h"

using tqx::Arm;
using tqx::erased;
using tqx::kUnbounded;

namespace {

// An unbounded converting text, as a union arm or list item.
bool_t text(XDR* x, char** t) {
  return tqxdrText(x, t, kUnbounded);
}

// The bytes of byte lists and attachment buffers: one unsigned char per
// 4-byte word.
bool_t byteItem(XDR* x, unsigned char* b) {
  return xdr_u_char(x, b);
}

}  // namespace

// ------------------------------------------------------------ fixed texts

bool_t xdr_TQNameType(XDR* xdrs, TQNameType* name) {
  return tqxdrFixedText(xdrs, *name, kTQWireName);
}

bool_t xdr_TQServerNameType(XDR* xdrs, TQServerNameType* name) {
  return tqxdrFixedText(xdrs, *name, kTQWireServer);
}

bool_t xdr_TQEntryIdType(XDR* xdrs, TQEntryIdType* id) {
  return tqxdrFixedText(xdrs, *id, kTQWireEntryId);
}

// ----------------------------------------------------------------- values

bool_t xdr_TQByteList(XDR* xdrs, TQByteList* bytes) {
  return tqx::u32(xdrs, &bytes->type) &&
         tqx::list<unsigned char, byteItem>(xdrs, &bytes->numItems, &bytes->bytes);
}

bool_t xdr_TQCoordStruct(XDR* xdrs, TQCoordStruct* coord) {
  return tqx::i32(xdrs, &coord->x) && tqx::i32(xdrs, &coord->y);
}

bool_t xdr_TQCoordList(XDR* xdrs, TQCoordList* coords) {
  return tqx::list<TQCoordStruct, xdr_TQCoordStruct>(xdrs, &coords->numItems, &coords->coords);
}

// The location travels as its type and a byte array. Only the in-memory form
// carries data: a sender turns a file location into memory first, so a file
// location (or any type but 0 and 2) cannot be encoded, and a received
// array belongs to the record only when the type says "in memory".
static bool_t xdrLocation(XDR* xdrs, TQLocStruct* loc) {
  switch (xdrs->x_op) {
    case XDR_ENCODE: {
      if (loc->locationType != 0 && loc->locationType != TQ_LOC_BUFFER) return FALSE;
      TQBufStruct none{};
      TQBufStruct* buf = loc->locationType == TQ_LOC_BUFFER ? &loc->u.buf : &none;
      return tqx::u32(xdrs, &loc->locationType) &&
             tqx::list<unsigned char, byteItem>(xdrs, &buf->bufferSize, &buf->buffer);
    }
    case XDR_DECODE: {
      TQBufStruct received{};
      if (!tqx::u32(xdrs, &loc->locationType) ||
          !tqx::list<unsigned char, byteItem>(xdrs, &received.bufferSize, &received.buffer)) {
        return FALSE;
      }
      // The whole union is cleared, so that no stray bytes are ever read as
      // the file-name pointer that shares its place with the buffer size.
      std::memset(&loc->u, 0, sizeof loc->u);
      if (loc->locationType == TQ_LOC_BUFFER) {
        loc->u.buf.bufferSize = received.bufferSize;
        loc->u.buf.buffer = received.buffer;
      } else {
        std::free(received.buffer);
      }
      return TRUE;
    }
    case XDR_FREE:
      if (loc->locationType == TQ_LOC_BUFFER) {
        std::free(loc->u.buf.buffer);
      } else if (loc->locationType == TQ_LOC_FILENAME) {
        std::free(loc->u.filename);
      }
      std::memset(&loc->u, 0, sizeof loc->u);
      return TRUE;
  }
  return FALSE;
}

bool_t xdr_TQAttachStruct(XDR* xdrs, TQAttachStruct* attach) {
  return tqxdrText(xdrs, &attach->name, kTQWireAttachName) &&
         tqx::i32(xdrs, &attach->originalSize) && tqx::i32(xdrs, &attach->compressedSize) &&
         xdrLocation(xdrs, &attach->loc);
}

bool_t xdr_TQValueStruct(XDR* xdrs, TQValueStruct* value) {
  static constexpr Arm arms[] = {
      {TQ_DATA_TYPE_NULL, TQ_DATA_TYPE_NULL, nullptr},
      {TQ_DATA_TYPE_KEYWORD, TQ_DATA_TYPE_KEYWORD, erased<uint32_t, tqx::u32>},
      {TQ_DATA_TYPE_INTEGER, TQ_DATA_TYPE_INTEGER, erased<int32_t, tqx::i32>},
      {TQ_DATA_TYPE_REAL, TQ_DATA_TYPE_REAL, erased<double, tqx::dbl>},
      {TQ_DATA_TYPE_CHAR, TQ_DATA_TYPE_DIARY, erased<char*, text>},
      {TQ_DATA_TYPE_ENUM, TQ_DATA_TYPE_ENUM, erased<uint32_t, tqx::u32>},
      {TQ_DATA_TYPE_TIME, TQ_DATA_TYPE_TIME, erased<int32_t, tqx::i32>},
      {TQ_DATA_TYPE_BITMASK, TQ_DATA_TYPE_BITMASK, erased<uint32_t, tqx::u32>},
      {TQ_DATA_TYPE_BYTES, TQ_DATA_TYPE_BYTES,
       erased<TQByteList*, tqx::optional<TQByteList, xdr_TQByteList>>},
      {TQ_DATA_TYPE_DECIMAL, TQ_DATA_TYPE_DECIMAL, erased<char*, text>},
      {TQ_DATA_TYPE_ATTACH, TQ_DATA_TYPE_ATTACH,
       erased<TQAttachStruct*, tqx::optional<TQAttachStruct, xdr_TQAttachStruct>>},
      {TQ_DATA_TYPE_DISPLAY_30, TQ_DATA_TYPE_DISPLAY_32, nullptr},
      {TQ_DATA_TYPE_ULONG, TQ_DATA_TYPE_ULONG, erased<uint32_t, tqx::u32>},
      {TQ_DATA_TYPE_COORDS, TQ_DATA_TYPE_COORDS,
       erased<TQCoordList*, tqx::optional<TQCoordList, xdr_TQCoordList>>},
  };
  return tqx::unionOf(xdrs, &value->dataType, &value->u, arms);
}

bool_t xdr_TQValueList(XDR* xdrs, TQValueList* values) {
  return tqx::list<TQValueStruct, xdr_TQValueStruct>(xdrs, &values->numItems, &values->valueList);
}

bool_t xdr_TQValueListList(XDR* xdrs, TQValueListList* lists) {
  return tqx::list<TQValueList, xdr_TQValueList>(xdrs, &lists->numItems, &lists->valueListList);
}

bool_t xdr_TQFieldValueStruct(XDR* xdrs, TQFieldValueStruct* fieldValue) {
  return tqx::u32(xdrs, &fieldValue->fieldId) && xdr_TQValueStruct(xdrs, &fieldValue->value);
}

bool_t xdr_TQFieldValueList(XDR* xdrs, TQFieldValueList* fieldValues) {
  return tqx::list<TQFieldValueStruct, xdr_TQFieldValueStruct>(xdrs, &fieldValues->numItems,
                                                               &fieldValues->fieldValueList);
}

bool_t xdr_TQFieldValueListList(XDR* xdrs, TQFieldValueListList* lists) {
  return tqx::list<TQFieldValueList, xdr_TQFieldValueList>(xdrs, &lists->numItems,
                                                           &lists->valueListList);
}

// ------------------------------------------------------ entry ids, lists

bool_t xdr_TQEntryIdList(XDR* xdrs, TQEntryIdList* ids) {
  return tqx::list<TQEntryIdType, xdr_TQEntryIdType>(xdrs, &ids->numItems, &ids->entryIdList);
}

bool_t xdr_TQEntryIdListList(XDR* xdrs, TQEntryIdListList* lists) {
  return tqx::list<TQEntryIdList, xdr_TQEntryIdList>(xdrs, &lists->numItems,
                                                     &lists->entryIdListList);
}

bool_t xdr_TQEntryListStruct(XDR* xdrs, TQEntryListStruct* row) {
  return xdr_TQEntryIdList(xdrs, &row->entryId) &&
         tqxdrText(xdrs, &row->shortDescription, kTQWireShortDescription);
}

bool_t xdr_TQEntryListList(XDR* xdrs, TQEntryListList* rows) {
  return tqx::list<TQEntryListStruct, xdr_TQEntryListStruct>(xdrs, &rows->numItems,
                                                             &rows->entryList);
}

bool_t xdr_TQEntryListFieldStruct(XDR* xdrs, TQEntryListFieldStruct* field) {
  return tqx::u32(xdrs, &field->fieldId) && tqx::u32(xdrs, &field->columnWidth) &&
         tqxdrFixedText(xdrs, field->separator, sizeof field->separator);
}

bool_t xdr_TQEntryListFieldList(XDR* xdrs, TQEntryListFieldList* fields) {
  return tqx::list<TQEntryListFieldStruct, xdr_TQEntryListFieldStruct>(xdrs, &fields->numItems,
                                                                       &fields->fieldsList);
}

bool_t xdr_TQEntryListFieldValueStruct(XDR* xdrs, TQEntryListFieldValueStruct* row) {
  return xdr_TQEntryIdList(xdrs, &row->entryId) &&
         tqx::optional<TQFieldValueList, xdr_TQFieldValueList>(xdrs, &row->fieldValues);
}

bool_t xdr_TQEntryListFieldValueList(XDR* xdrs, TQEntryListFieldValueList* rows) {
  return tqx::list<TQEntryListFieldValueStruct, xdr_TQEntryListFieldValueStruct>(
      xdrs, &rows->numItems, &rows->entryList);
}

// ------------------------------------------------------ id and name lists

bool_t xdr_TQInternalIdList(XDR* xdrs, TQInternalIdList* ids) {
  return tqx::list<uint32_t, tqx::u32>(xdrs, &ids->numItems, &ids->internalIdList);
}

bool_t xdr_TQNameList(XDR* xdrs, TQNameList* names) {
  return tqx::list<TQNameType, xdr_TQNameType>(xdrs, &names->numItems, &names->nameList);
}

bool_t xdr_TQServerNameList(XDR* xdrs, TQServerNameList* names) {
  return tqx::list<TQServerNameType, xdr_TQServerNameType>(xdrs, &names->numItems,
                                                           &names->nameList);
}

bool_t xdr_TQBooleanList(XDR* xdrs, TQBooleanList* flags) {
  return tqx::list<TQBoolean, tqx::uchar>(xdrs, &flags->numItems, &flags->booleanList);
}

bool_t xdr_TQBooleanMatrix(XDR* xdrs, TQBooleanMatrix* matrix) {
  return tqx::list<TQBooleanList, xdr_TQBooleanList>(xdrs, &matrix->numItems, &matrix->booleanList);
}

// ----------------------------------------------------------------- status

bool_t xdr_TQStatusStruct(XDR* xdrs, TQStatusStruct* status) {
  return tqx::u32(xdrs, &status->messageType) && tqx::i32(xdrs, &status->messageNumber) &&
         tqxdrText(xdrs, &status->messageText, kTQWireMessageText) &&
         tqxdrText(xdrs, &status->appendedText, kTQWireMessageText);
}

bool_t xdr_TQStatusList(XDR* xdrs, TQStatusList* statuses) {
  return tqx::list<TQStatusStruct, xdr_TQStatusStruct>(xdrs, &statuses->numItems,
                                                       &statuses->statusList);
}

bool_t xdr_TQStatusStructOld(XDR* xdrs, TQStatusStruct* status) {
  if (!tqx::u32(xdrs, &status->messageType) || !tqx::i32(xdrs, &status->messageNumber) ||
      !tqxdrText(xdrs, &status->messageText, kTQWireMessageText)) {
    return FALSE;
  }
  // Nothing of the appended text travels; a record being released may still
  // hold one that the caller put there.
  if (xdrs->x_op == XDR_FREE) return tqxdrText(xdrs, &status->appendedText, kTQWireMessageText);
  if (xdrs->x_op == XDR_DECODE) status->appendedText = nullptr;
  return TRUE;
}

bool_t xdr_TQStatusListOld(XDR* xdrs, TQStatusList* statuses) {
  return tqx::list<TQStatusStruct, xdr_TQStatusStructOld>(xdrs, &statuses->numItems,
                                                          &statuses->statusList);
}

bool_t xdr_TQEntryListStructOld(XDR* xdrs, TQEntryListStructOld* row) {
  return xdr_TQEntryIdType(xdrs, &row->entryId) &&
         tqxdrText(xdrs, &row->shortDescription, kTQWireShortDescription);
}

bool_t xdr_TQEntryListListOld(XDR* xdrs, TQEntryListListOld* rows) {
  return tqx::list<TQEntryListStructOld, xdr_TQEntryListStructOld>(xdrs, &rows->numItems,
                                                                   &rows->entryList);
}

// ------------------------------------------------- sorting and statistics

bool_t xdr_TQSortStruct(XDR* xdrs, TQSortStruct* sort) {
  return tqx::u32(xdrs, &sort->fieldId) && tqx::u32(xdrs, &sort->order);
}

bool_t xdr_TQSortList(XDR* xdrs, TQSortList* sorts) {
  return tqx::list<TQSortStruct, xdr_TQSortStruct>(xdrs, &sorts->numItems, &sorts->sortList);
}

bool_t xdr_TQStatisticsResultStruct(XDR* xdrs, TQStatisticsResultStruct* result) {
  return xdr_TQValueList(xdrs, &result->groupedBy) && xdr_TQValueStruct(xdrs, &result->result);
}

bool_t xdr_TQStatisticsResultList(XDR* xdrs, TQStatisticsResultList* results) {
  return tqx::list<TQStatisticsResultStruct, xdr_TQStatisticsResultStruct>(xdrs, &results->numItems,
                                                                           &results->resultList);
}

// ------------------------------------------------------ qualification tree

namespace {

using QualifierPtr = TQQualifierStruct*;

bool_t qualifierPtr(XDR* x, QualifierPtr* p) {
  return tqx::optional<TQQualifierStruct, xdr_TQQualifierStruct>(x, p);
}

// AND and OR: the left node, then the right node.
bool_t andOr(XDR* x, void* body) {
  auto* both = static_cast<decltype(TQQualifierStruct::u.andor)*>(body);
  return qualifierPtr(x, &both->left) && qualifierPtr(x, &both->right);
}

}  // namespace

bool_t xdr_TQQualifierStruct(XDR* xdrs, TQQualifierStruct* qualifier) {
  static constexpr Arm arms[] = {
      {TQ_COND_OP_NONE, TQ_COND_OP_NONE, nullptr},
      {TQ_COND_OP_AND, TQ_COND_OP_OR, andOr},
      {TQ_COND_OP_NOT, TQ_COND_OP_NOT, erased<QualifierPtr, qualifierPtr>},
      {TQ_COND_OP_REL_OP, TQ_COND_OP_REL_OP,
       erased<TQRelOpStruct*, tqx::optional<TQRelOpStruct, xdr_TQRelOpStruct>>},
  };
  return tqx::unionOf(xdrs, &qualifier->operation, &qualifier->u, arms);
}

bool_t xdr_TQRelOpStruct(XDR* xdrs, TQRelOpStruct* relOp) {
  return tqx::u32(xdrs, &relOp->operation) && xdr_TQFieldValueOrArithStruct(xdrs, &relOp->left) &&
         xdr_TQFieldValueOrArithStruct(xdrs, &relOp->right);
}

// A negation still carries both operands on the wire.
bool_t xdr_TQArithOpStruct(XDR* xdrs, TQArithOpStruct* arithOp) {
  return tqx::u32(xdrs, &arithOp->operation) &&
         xdr_TQFieldValueOrArithStruct(xdrs, &arithOp->left) &&
         xdr_TQFieldValueOrArithStruct(xdrs, &arithOp->right);
}

bool_t xdr_TQStatHistoryValue(XDR* xdrs, TQStatHistoryValue* statHistory) {
  return tqx::u32(xdrs, &statHistory->enumIndex) && tqx::u32(xdrs, &statHistory->userOrTime);
}

bool_t xdr_TQFieldValueOrArithStruct(XDR* xdrs, TQFieldValueOrArithStruct* operand) {
  static constexpr Arm arms[] = {
      {0, 0, nullptr},
      {TQ_FIELD, TQ_FIELD, erased<uint32_t, tqx::u32>},
      {TQ_VALUE, TQ_VALUE, erased<TQValueStruct, xdr_TQValueStruct>},
      {TQ_ARITHMETIC, TQ_ARITHMETIC,
       erased<TQArithOpStruct*, tqx::optional<TQArithOpStruct, xdr_TQArithOpStruct>>},
      {TQ_STAT_HISTORY, TQ_STAT_HISTORY, erased<TQStatHistoryValue, xdr_TQStatHistoryValue>},
      {TQ_VALUE_SET, TQ_VALUE_SET, erased<TQValueList, xdr_TQValueList>},
      {12, 22, nullptr},
      {TQ_FIELD_TRAN, TQ_FIELD_DB, erased<uint32_t, tqx::u32>},
      {TQ_LOCAL_VARIABLE, TQ_LOCAL_VARIABLE, erased<uint32_t, tqx::u32>},
      {TQ_QUERY, TQ_QUERY,
       erased<TQQueryValueStruct*, tqx::optional<TQQueryValueStruct, xdr_TQQueryValueStruct>>},
      {TQ_FIELD_CURRENT, TQ_FIELD_CURRENT, erased<uint32_t, tqx::u32>},
  };
  return tqx::unionOf(xdrs, &operand->tag, &operand->u, arms);
}

bool_t xdr_TQQueryValueStruct(XDR* xdrs, TQQueryValueStruct* query) {
  return xdr_TQNameType(xdrs, &query->schema) && xdr_TQServerNameType(xdrs, &query->server) &&
         qualifierPtr(xdrs, &query->qualifier) && tqx::u32(xdrs, &query->valueFieldId) &&
         tqx::u32(xdrs, &query->multiValueCode);
}
