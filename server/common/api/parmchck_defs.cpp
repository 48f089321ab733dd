// Checks of the schema and field definition records: compound schema, field
// mapping, query-list fields, sort, index, permission, property and display
// instance lists, field limits.
#include <algorithm>
#include <new>
#include <vector>

#include "api/parmchck_core.h"
#include "share/apisrv/error.h"

using namespace parmchck;

namespace {

constexpr uint32_t kUncheckedListField = 99;  // the entry id column: laid out by the server
constexpr size_t kMaxSeparator = 10;
constexpr uint32_t kFirstUndefinedLimitType = 35;
constexpr uint32_t kMaxFullTextOptions = TQ_FULLTEXT_OPTIONS_INDEXED;
constexpr size_t kMaxPattern = 255;
constexpr uint32_t kMaxAttachSize = 2147483647u;
constexpr uint32_t kAttachTypeEmbedded = 1;
constexpr uint32_t kMaxTableRows = 9999;
constexpr uint32_t kMaxColumnLength = 255;

// Enumerated and bitmask fields: the value names must be present and valid.
uint32_t checkValueNames(const TQNameList& names, TQStatusList* status) {
  if (names.numItems == 0) return fail(status, kTQErrNoEnumValues);
  if (nullArray(names.numItems, names.nameList)) return fail(status, kTQErrNullArray);
  for (uint32_t i = 0; i < names.numItems; ++i) {
    if (checkName(names.nameList[i], 0, status) >= 2) return failAfter(status, kTQErrBadEnumValue);
  }
  return 0;
}

uint32_t checkCharLimits(TQCharLimitsStruct& limits, TQStatusList* status) {
  if ((limits.menuStyle != TQ_MENU_STYLE_APPEND && limits.menuStyle != TQ_MENU_STYLE_OVERWRITE) ||
      limits.qbeMatchOperation < TQ_QBE_MATCH_ANYWHERE ||
      limits.qbeMatchOperation > TQ_QBE_MATCH_EQUAL ||
      fixedLength(limits.charMenu) > TQ_MAX_NAME_SIZE ||
      limits.fullTextOptions > kMaxFullTextOptions ||
      tqParmEncodedLength(limits.pattern) > kMaxPattern) {
    return fail(status, kTQErrBadFieldLimit);
  }
  return ensureText(&limits.pattern, status);
}

uint32_t checkTableLimits(TQTableLimitsStruct& limits, TQStatusList* status) {
  if (checkName(limits.schema, 0, status) >= 2 || checkName(limits.server, 0, status) >= 2 ||
      tqCheckQualifier(&limits.qualifier, 1, status) >= 2) {
    return failAfter(status, kTQErrBadTableLimit);
  }
  return limits.maxRetrieve > kMaxTableRows ? fail(status, kTQErrBadFieldLimit) : 0;
}

}  // namespace

uint32_t tqCheckCompoundSchema(TQCompoundSchema* schema, TQBoolean allowEmpty,
                               TQStatusList* status) {
  if (schema == nullptr || schema->schemaType == TQ_SCHEMA_NONE) {
    return allowEmpty ? 0 : fail(status, kTQErrNoSchemaType);
  }
  switch (schema->schemaType) {
    case TQ_SCHEMA_REGULAR:
    case TQ_SCHEMA_VIEW:
    case TQ_SCHEMA_DIALOG:
      return 0;
    case TQ_SCHEMA_JOIN:
      if (checkName(schema->u.join.memberA, 0, status) >= 2 ||
          checkName(schema->u.join.memberB, 0, status) >= 2) {
        return failAfter(status, kTQErrBadJoinMember);
      }
      if (tqCheckQualifier(&schema->u.join.joinQual, 1, status) >= 2) {
        return failAfter(status, kTQErrBadJoinQualifier);
      }
      return 0;
    default:
      return fail(status, kTQErrBadSchemaType);
  }
}

uint32_t tqCheckFieldMapping(const TQFieldMappingStruct* mapping, TQBoolean allowEmpty,
                             TQStatusList* status) {
  if (mapping == nullptr || mapping->fieldType == TQ_FIELD_MAPPING_NONE) {
    return allowEmpty ? 0 : fail(status, kTQErrNoFieldMapping);
  }
  switch (mapping->fieldType) {
    case TQ_FIELD_MAPPING_REGULAR:
      return 0;
    case TQ_FIELD_MAPPING_JOIN:
      return mapping->u.join.schemaIndex > 1 ? fail(status, kTQErrBadJoinIndex) : 0;
    case TQ_FIELD_MAPPING_VIEW:
      if (checkName(mapping->u.view.fieldName, 0, status) >= 2) {
        return failAfter(status, kTQErrBadViewColumn);
      }
      return 0;
    default:
      return fail(status, kTQErrBadFieldMapping);
  }
}

uint32_t tqCheckEntryListFieldList(const TQEntryListFieldList* list, TQStatusList* status) {
  if (list == nullptr) return 0;
  if (nullArray(list->numItems, list->fieldsList)) return fail(status, kTQErrNullArray);
  for (uint32_t i = 0; i < list->numItems; ++i) {
    const TQEntryListFieldStruct& item = list->fieldsList[i];
    if (item.fieldId == kUncheckedListField) continue;
    if (item.fieldId == 0 || item.columnWidth == 0 || fixedLength(item.separator) > kMaxSeparator) {
      return fail(status, kTQErrBadListField);
    }
  }
  return 0;
}

uint32_t tqCheckSortList(const TQSortList* list, TQStatusList* status) {
  if (list == nullptr) return 0;
  if (nullArray(list->numItems, list->sortList)) return fail(status, kTQErrNullArray);
  for (uint32_t i = 0; i < list->numItems; ++i) {
    uint32_t order = list->sortList[i].order;
    if (order != TQ_SORT_ASCENDING && order != TQ_SORT_DESCENDING) {
      fail(status, kTQErrBadSortOrder);
      return failAfter(status, kTQErrBadSortList);
    }
  }
  return 0;
}

uint32_t tqCheckIndexList(const TQIndexList* list, TQStatusList* status) {
  if (list == nullptr) return 0;
  if (nullArray(list->numItems, list->indexList)) return fail(status, kTQErrNullArray);
  for (uint32_t i = 0; i < list->numItems; ++i) {
    uint32_t fields = list->indexList[i].numFields;
    if (fields == 0 || fields > TQ_MAX_INDEX_FIELDS) return fail(status, kTQErrBadIndex);
  }
  return 0;
}

uint32_t tqCheckPermissionList(const TQPermissionList* list, TQBoolean allowEmpty,
                               TQStatusList* status) {
  if (list == nullptr || list->numItems == 0) {
    // Nobody but administrators will see the object; worth saying, not an error.
    return allowEmpty ? 0 : TQAppendStatus(status, TQ_MSG_WARNING, kTQWarnNoPermissions, "");
  }
  if (nullArray(list->numItems, list->permissionList)) return fail(status, kTQErrNullArray);
  for (uint32_t i = 0; i < list->numItems; ++i) {
    if (list->permissionList[i].permissions > TQ_PERMISSIONS_CHANGE) {
      fail(status, kTQErrBadPermission);
      return failAfter(status, kTQErrBadPermissionList);
    }
  }
  return 0;
}

uint32_t tqCheckPropList(TQPropList* list, TQBoolean allowEmpty, TQStatusList* status) {
  if (list == nullptr || list->numItems == 0) {
    return allowEmpty ? 0 : fail(status, kTQErrNoProperties);
  }
  if (nullArray(list->numItems, list->props)) return fail(status, kTQErrNullArray);
  for (uint32_t i = 0; i < list->numItems; ++i) {
    uint32_t result = tqCheckValue(&list->props[i].value, status);
    if (result >= 2) return result;
  }
  return 0;
}

uint32_t tqCheckDisplayInstanceList(TQDisplayInstanceList* list, TQBoolean allowEmpty,
                                    TQStatusList* status) {
  if (list == nullptr) return allowEmpty ? 0 : fail(status, kTQErrNoProperties);
  uint32_t result = tqCheckPropList(&list->commonProps, 1, status);
  if (result >= 2) return result;
  if (list->numItems == 0) return allowEmpty ? 0 : fail(status, kTQErrNoProperties);
  if (nullArray(list->numItems, list->dInstanceList)) return fail(status, kTQErrNullArray);
  // View ids seen so far, kept sorted so that long lists stay cheap.
  std::vector<uint32_t> seen;
  try {
    seen.reserve(list->numItems);
  } catch (const std::bad_alloc&) {
    return fail(status, kTQErrNoMemory);
  }
  for (uint32_t i = 0; i < list->numItems; ++i) {
    TQDisplayInstanceStruct& instance = list->dInstanceList[i];
    result = tqCheckPropList(&instance.props, 1, status);
    if (result >= 2) return result;
    auto at = std::lower_bound(seen.begin(), seen.end(), instance.vui);
    if (at != seen.end() && *at == instance.vui) return fail(status, kTQErrDuplicateVui);
    seen.insert(at, instance.vui);  // within the reserved capacity: does not throw
  }
  return 0;
}

uint32_t tqCheckFieldLimit(TQFieldLimitStruct* limit, TQStatusList* status) {
  if (limit == nullptr) return 0;
  if (limit->dataType >= kFirstUndefinedLimitType) return fail(status, kTQErrBadFieldLimit);
  bool bad = false;
  switch (limit->dataType) {
    case TQ_DATA_TYPE_NULL:
    case TQ_DATA_TYPE_TIME:
      return 0;
    case TQ_DATA_TYPE_INTEGER:
      bad = limit->u.intLimits.rangeLow > limit->u.intLimits.rangeHigh;
      break;
    case TQ_DATA_TYPE_REAL:
      bad = limit->u.realLimits.rangeLow > limit->u.realLimits.rangeHigh ||
            limit->u.realLimits.precision < -1;
      break;
    case TQ_DATA_TYPE_CHAR:
      return checkCharLimits(limit->u.charLimits, status);
    case TQ_DATA_TYPE_DIARY:
      bad = limit->u.diaryLimits.fullTextOptions > kMaxFullTextOptions;
      break;
    case TQ_DATA_TYPE_ENUM:
      return checkValueNames(limit->u.enumLimits, status);
    case TQ_DATA_TYPE_BITMASK:
      return checkValueNames(limit->u.maskLimits, status);
    case TQ_DATA_TYPE_DECIMAL:
      bad = limit->u.decimalLimits.rangeLow == nullptr ||
            limit->u.decimalLimits.rangeHigh == nullptr || limit->u.decimalLimits.precision < 0;
      break;
    case TQ_DATA_TYPE_ATTACH:
      bad = limit->u.attachLimits.maxSize > kMaxAttachSize ||
            limit->u.attachLimits.attachType != kAttachTypeEmbedded;
      break;
    case TQ_DATA_TYPE_TABLE:
      return checkTableLimits(limit->u.tableLimits, status);
    case TQ_DATA_TYPE_COLUMN:
      bad = limit->u.columnLimits.colLength > kMaxColumnLength;
      break;
    default:  // keyword, byte list and 12 to 32 carry no limits
      bad = true;
      break;
  }
  return bad ? fail(status, kTQErrBadFieldLimit) : 0;
}
