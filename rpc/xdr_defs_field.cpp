// XDR routines of field limits, displays, properties and display instances
// (see xdr_defs.h).
#include "rpc/xdr_base.h"
#include "rpc/xdr_defs.h"
#include "rpc/xdr_defs_util.h"
#include "rpc/xdr_records.h"

using tqdefs::fixed;
using tqx::Arm;
using tqx::erased;

// ----------------------------------------------------------- field limits

bool_t xdr_TQIntegerLimitsStruct(XDR* xdrs, TQIntegerLimitsStruct* limits) {
  return tqx::i32(xdrs, &limits->rangeLow) && tqx::i32(xdrs, &limits->rangeHigh);
}

bool_t xdr_TQRealLimitsStruct(XDR* xdrs, TQRealLimitsStruct* limits) {
  return tqx::dbl(xdrs, &limits->rangeLow) && tqx::dbl(xdrs, &limits->rangeHigh) &&
         tqx::i32(xdrs, &limits->precision);
}

// maximum length, menu style, QBE match, menu name fixed(31), pattern
// text(256), full-text options.
bool_t xdr_TQCharLimitsStruct(XDR* xdrs, TQCharLimitsStruct* limits) {
  return tqx::u32(xdrs, &limits->maxLength) && tqx::u32(xdrs, &limits->menuStyle) &&
         tqx::u32(xdrs, &limits->qbeMatchOperation) && fixed(xdrs, limits->charMenu) &&
         tqdefs::text<kTQWireLimitedText>(xdrs, &limits->pattern) &&
         tqx::u32(xdrs, &limits->fullTextOptions);
}

bool_t xdr_TQDiaryLimitsStruct(XDR* xdrs, TQDiaryLimitsStruct* limits) {
  return tqx::u32(xdrs, &limits->fullTextOptions);
}

bool_t xdr_TQDecimalLimitsStruct(XDR* xdrs, TQDecimalLimitsStruct* limits) {
  return tqdefs::unboundedText(xdrs, &limits->rangeLow) &&
         tqdefs::unboundedText(xdrs, &limits->rangeHigh) && tqx::i32(xdrs, &limits->precision);
}

bool_t xdr_TQAttachLimitsStruct(XDR* xdrs, TQAttachLimitsStruct* limits) {
  return tqx::u32(xdrs, &limits->maxSize) && tqx::u32(xdrs, &limits->attachType);
}

// columns, qualification, maximum rows, schema fixed(31), server fixed(31).
bool_t xdr_TQTableLimitsStruct(XDR* xdrs, TQTableLimitsStruct* limits) {
  return tqx::u32(xdrs, &limits->numColumns) && xdr_TQQualifierStruct(xdrs, &limits->qualifier) &&
         tqx::u32(xdrs, &limits->maxRetrieve) && fixed(xdrs, limits->schema) &&
         fixed(xdrs, limits->server);
}

bool_t xdr_TQColumnLimitsStruct(XDR* xdrs, TQColumnLimitsStruct* limits) {
  return tqx::u32(xdrs, &limits->parent) && tqx::u32(xdrs, &limits->dataField) &&
         tqx::u32(xdrs, &limits->colLength);
}

bool_t xdr_TQFieldLimitStruct(XDR* xdrs, TQFieldLimitStruct* limit) {
  static constexpr Arm arms[] = {
      {TQ_DATA_TYPE_NULL, TQ_DATA_TYPE_NULL, nullptr},
      {TQ_DATA_TYPE_INTEGER, TQ_DATA_TYPE_INTEGER,
       erased<TQIntegerLimitsStruct, xdr_TQIntegerLimitsStruct>},
      {TQ_DATA_TYPE_REAL, TQ_DATA_TYPE_REAL, erased<TQRealLimitsStruct, xdr_TQRealLimitsStruct>},
      {TQ_DATA_TYPE_CHAR, TQ_DATA_TYPE_CHAR, erased<TQCharLimitsStruct, xdr_TQCharLimitsStruct>},
      {TQ_DATA_TYPE_DIARY, TQ_DATA_TYPE_DIARY,
       erased<TQDiaryLimitsStruct, xdr_TQDiaryLimitsStruct>},
      {TQ_DATA_TYPE_ENUM, TQ_DATA_TYPE_ENUM, erased<TQNameList, xdr_TQNameList>},
      {TQ_DATA_TYPE_TIME, TQ_DATA_TYPE_TIME, nullptr},
      {TQ_DATA_TYPE_BITMASK, TQ_DATA_TYPE_BITMASK, erased<TQNameList, xdr_TQNameList>},
      {TQ_DATA_TYPE_BYTES, TQ_DATA_TYPE_BYTES, nullptr},
      {TQ_DATA_TYPE_DECIMAL, TQ_DATA_TYPE_DECIMAL,
       erased<TQDecimalLimitsStruct, xdr_TQDecimalLimitsStruct>},
      {TQ_DATA_TYPE_ATTACH, TQ_DATA_TYPE_ATTACH,
       erased<TQAttachLimitsStruct, xdr_TQAttachLimitsStruct>},
      {TQ_DATA_TYPE_TABLE, TQ_DATA_TYPE_TABLE,
       erased<TQTableLimitsStruct, xdr_TQTableLimitsStruct>},
      {TQ_DATA_TYPE_COLUMN, TQ_DATA_TYPE_COLUMN,
       erased<TQColumnLimitsStruct, xdr_TQColumnLimitsStruct>},
  };
  return tqx::unionOf(xdrs, &limit->dataType, &limit->u, arms);
}

// --------------------------------------------- displays and properties

// Display tag and label fixed(31), then label location, type, length, rows,
// option (unsigned) and x, y (signed): one run of seven words.
bool_t xdr_TQDisplayStruct(XDR* xdrs, TQDisplayStruct* display) {
  return fixed(xdrs, display->displayTag) && fixed(xdrs, display->label) &&
         tqx::run(xdrs, &display->labelLocation, &display->type, &display->length,
                  &display->numRows, &display->option, &display->x, &display->y);
}

bool_t xdr_TQDisplayList(XDR* xdrs, TQDisplayList* displays) {
  return tqx::list<TQDisplayStruct, xdr_TQDisplayStruct>(xdrs, &displays->numItems,
                                                         &displays->displayList);
}

bool_t xdr_TQPropStruct(XDR* xdrs, TQPropStruct* prop) {
  return tqx::u32(xdrs, &prop->propertyTag) && xdr_TQValueStruct(xdrs, &prop->value);
}

bool_t xdr_TQPropList(XDR* xdrs, TQPropList* props) {
  return tqx::list<TQPropStruct, xdr_TQPropStruct>(xdrs, &props->numItems, &props->props);
}

bool_t xdr_TQDisplayInstanceStruct(XDR* xdrs, TQDisplayInstanceStruct* instance) {
  return tqx::u32(xdrs, &instance->vui) && xdr_TQPropList(xdrs, &instance->props);
}

// The common properties, then the instances of the views.
bool_t xdr_TQDisplayInstanceList(XDR* xdrs, TQDisplayInstanceList* instances) {
  return xdr_TQPropList(xdrs, &instances->commonProps) &&
         tqx::list<TQDisplayInstanceStruct, xdr_TQDisplayInstanceStruct>(xdrs, &instances->numItems,
                                                                         &instances->dInstanceList);
}
