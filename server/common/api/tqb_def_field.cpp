// The field members of the definition family: TQGetField, TQSetField,
// TQCreateField, TQDeleteField, TQGetListField, TQDeleteMultipleFields and
// TQGetNameListForSchema (procedures 12 to 15, 43, 56 and 60).
#include <cstring>

#include "api/tqb_def_family.h"

namespace {

constexpr uint32_t kLongestCharDefault = 255;

bool validOption(uint32_t option) { return option >= 1 && option <= 4; }
bool validCreateMode(uint32_t mode) { return mode == 1 || mode == 2; }

// The default-value checks that a set and a create share: a value that
// fails its check is 111 (after the check's own error), a char default
// longer than 255 bytes is 180.
uint32_t checkDefault(TQValueStruct* value, TQStatusList* status) {
  if (value == nullptr) return 0;
  if (tqCheckValue(value, status) >= TQ_RETURN_ERROR) return tqDefError(status, 111);
  if (value->dataType == TQ_DATA_TYPE_CHAR && value->u.charVal != nullptr &&
      std::strlen(value->u.charVal) > kLongestCharDefault) {
    return tqDefError(status, 180);
  }
  return 0;
}

// The default a set or create sends: the caller's value, or the NULL value.
TQValueStruct sentDefault(const TQValueStruct* value) {
  TQValueStruct sent = tqDefValueOf(value);
  const bool nullText = (sent.dataType == TQ_DATA_TYPE_CHAR && sent.u.charVal == nullptr) ||
                        (sent.dataType == TQ_DATA_TYPE_DIARY && sent.u.diaryVal == nullptr);
  if (nullText) sent = TQValueStruct{};
  return sent;
}

uint32_t checkCreateField(const uint32_t* fieldId, uint32_t dataType, uint32_t option,
                          uint32_t createMode, TQValueStruct* defaultValue,
                          const TQFieldLimitStruct* limit, TQStatusList* status) {
  if (fieldId == nullptr) return tqDefError(status, 178);
  if (dataType < TQ_DATA_TYPE_INTEGER || dataType > TQ_DATA_TYPE_MAX) {
    return tqDefError(status, 110);
  }
  if (!validOption(option)) return tqDefError(status, 118);
  if (!validCreateMode(createMode)) return tqDefError(status, 119);
  const bool takesNoDefault = dataType == TQ_DATA_TYPE_ATTACH || dataType == TQ_DATA_TYPE_TABLE ||
                              dataType == TQ_DATA_TYPE_COLUMN;
  if (defaultValue != nullptr && defaultValue->dataType != TQ_DATA_TYPE_NULL && takesNoDefault) {
    return tqDefError(status, 111);
  }
  uint32_t code = checkDefault(defaultValue, status);
  if (code >= TQ_RETURN_ERROR) return code;
  if (defaultValue != nullptr && defaultValue->dataType != dataType &&
      defaultValue->dataType != TQ_DATA_TYPE_NULL &&
      defaultValue->dataType != TQ_DATA_TYPE_KEYWORD) {
    return tqDefError(status, 166);
  }
  if (limit != nullptr && limit->dataType != dataType) return tqDefError(status, 167);
  return 0;
}

}  // namespace

extern "C" uint32_t TQGetField(TQControlStruct* control, const char* schema, uint32_t fieldId,
                               TQNameType fieldName, TQFieldMappingStruct* fieldMap,
                               uint32_t* dataType, uint32_t* option, uint32_t* createMode,
                               TQValueStruct* defaultValue, TQPermissionList* permissions,
                               TQFieldLimitStruct* limit, TQDisplayInstanceList* displayList,
                               char** helpText, TQTimestamp* timestamp, TQAccessNameType owner,
                               TQAccessNameType lastChanged, char** changeDiary,
                               TQStatusList* status) {
  const TQDefCommonOut common{helpText, timestamp, owner, lastChanged, changeDiary};
  return tqDefOperation<TQFieldMaskArgs, TQGetFieldResult>(
      TQDef::kGetField, control, status,
      [&] {
        if (fieldName != nullptr) fieldName[0] = '\0';
        tqDefClear(fieldMap);
        tqDefClear(dataType);
        tqDefClear(option);
        tqDefClear(createMode);
        tqDefClear(defaultValue);
        tqDefClear(permissions);
        tqDefClear(limit);
        tqDefClear(displayList);
        common.clear();
      },
      [&] { return tqCheckArgsControlName(control, schema, status); },
      [&](TQFieldMaskArgs& a) {
        a.schema = tqDefText(schema);
        a.fieldId = fieldId;
        a.mask = tqDefMask({fieldMap != nullptr, defaultValue != nullptr, permissions != nullptr,
                            limit != nullptr, displayList != nullptr, helpText != nullptr,
                            changeDiary != nullptr});
      },
      [&](TQGetFieldResult& r) {
        tqDefCopyName(fieldName, r.fieldName);
        tqDefHandOver(fieldMap, r.mapping);
        if (dataType != nullptr) *dataType = r.dataType;
        if (option != nullptr) *option = r.option;
        if (createMode != nullptr) *createMode = r.createMode;
        tqDefHandOver(defaultValue, r.defaultValue);
        tqDefHandOver(permissions, r.permissions);
        tqDefHandOver(limit, r.limit);
        tqDefHandOver(displayList, r.displays);
        common.takeOver(r.common);
      });
}

extern "C" uint32_t TQSetField(TQControlStruct* control, const char* schema, uint32_t fieldId,
                               const char* fieldName, const uint32_t* option,
                               const uint32_t* createMode, TQValueStruct* defaultValue,
                               const TQPermissionList* permissions, TQFieldLimitStruct* limit,
                               TQDisplayInstanceList* displayList, const char* helpText,
                               const char* owner, const char* changeDiary, TQStatusList* status) {
  const bool renames = fieldName != nullptr && fieldName[0] != '\0';
  const uint32_t mask = tqDefMask(
      {renames, option != nullptr, createMode != nullptr, defaultValue != nullptr,
       permissions != nullptr, limit != nullptr, displayList != nullptr, helpText != nullptr,
       owner != nullptr, changeDiary != nullptr});
  return tqDefChange<TQSetFieldArgs>(
      TQDef::kSetField, control, status,
      [&]() -> uint32_t {
        uint32_t code = tqCheckControlAndName(control, schema, 0, status);
        if (code >= TQ_RETURN_ERROR) return code;
        if (mask == 0) return tqDefNothingToChange(status);
        if (option != nullptr && !validOption(*option)) return tqDefError(status, 118);
        if (createMode != nullptr && !validCreateMode(*createMode)) {
          return tqDefError(status, 119);
        }
        code = checkDefault(defaultValue, status);
        if (code >= TQ_RETURN_ERROR) return code;
        return tqCheckArgsSetField(control, schema, fieldName, defaultValue, permissions, limit,
                                   displayList, owner, status);
      },
      [&](TQSetFieldArgs& a) {
        a.schema = tqDefText(schema);
        a.fieldId = fieldId;
        a.fieldName = tqDefText(fieldName);
        a.changedMask = mask;
        a.option = option == nullptr ? 0 : *option;
        a.createMode = createMode == nullptr ? 0 : *createMode;
        a.defaultValue = sentDefault(defaultValue);
        a.permissions = tqDefValueOf(permissions);
        a.limit = tqDefValueOf(limit);
        a.displays = tqDefValueOf(displayList);
        tqDefFillCommon(&a.common, helpText, owner, changeDiary);
      });
}

extern "C" uint32_t TQCreateField(TQControlStruct* control, const char* schema, uint32_t* fieldId,
                                  TQBoolean reservedIdOK, const char* fieldName,
                                  const TQFieldMappingStruct* fieldMap, uint32_t dataType,
                                  uint32_t option, uint32_t createMode,
                                  TQValueStruct* defaultValue,
                                  const TQPermissionList* permissions, TQFieldLimitStruct* limit,
                                  TQDisplayInstanceList* displayList, const char* helpText,
                                  const char* owner, const char* changeDiary,
                                  TQStatusList* status) {
  return tqDefOperation<TQCreateFieldArgs, TQIdResult>(
      TQDef::kCreateField, control, status, [] {},
      [&]() -> uint32_t {
        uint32_t code = tqCheckControlAndName(control, schema, 0, status);
        if (code >= TQ_RETURN_ERROR) return code;
        code = checkCreateField(fieldId, dataType, option, createMode, defaultValue, limit,
                                status);
        if (code >= TQ_RETURN_ERROR) return code;
        return tqCheckArgsCreateField(control, schema, fieldName, fieldMap, dataType,
                                      defaultValue, permissions, limit, displayList, owner,
                                      status);
      },
      [&](TQCreateFieldArgs& a) {
        a.schema = tqDefText(schema);
        a.fieldId = *fieldId;
        a.reservedId = reservedIdOK;
        a.fieldName = tqDefText(fieldName);
        a.mapping = tqDefValueOf(fieldMap);
        a.dataType = dataType;
        a.option = option;
        a.createMode = createMode;
        a.defaultValue = sentDefault(defaultValue);
        a.permissions = tqDefValueOf(permissions);
        a.limit = tqDefValueOf(limit);
        a.displays = tqDefValueOf(displayList);
        tqDefFillCommon(&a.common, helpText, owner, changeDiary);
      },
      [&](TQIdResult& r) { *fieldId = r.id; });
}

extern "C" uint32_t TQDeleteField(TQControlStruct* control, const char* schema, uint32_t fieldId,
                                  uint32_t deleteOption, TQStatusList* status) {
  return tqDefChange<TQDeleteFieldArgs>(
      TQDef::kDeleteField, control, status,
      [&] { return tqCheckArgsControlName(control, schema, status); },
      [&](TQDeleteFieldArgs& a) {
        a.schema = tqDefText(schema);
        a.fieldId = fieldId;
        a.option = deleteOption;
      });
}

extern "C" uint32_t TQGetListField(TQControlStruct* control, const char* schema,
                                   uint32_t fieldTypeMask, TQTimestamp changedSince,
                                   TQInternalIdList* idList, TQStatusList* status) {
  return tqDefOperation<TQGetListFieldArgs, TQIdListResult>(
      TQDef::kGetListField, control, status, [&] { tqDefClear(idList); },
      [&] { return tqCheckArgsControlName(control, schema, status); },
      [&](TQGetListFieldArgs& a) {
        a.schema = tqDefText(schema);
        a.typeMask = fieldTypeMask;
        a.changedSince = changedSince;
      },
      [&](TQIdListResult& r) { tqDefHandOver(idList, r.ids); });
}

extern "C" uint32_t TQDeleteMultipleFields(TQControlStruct* control, const char* schema,
                                           const TQInternalIdList* fieldIds,
                                           uint32_t deleteOption, TQStatusList* status) {
  return tqDefChange<TQDeleteMultipleFieldsArgs>(
      TQDef::kDeleteMultipleFields, control, status,
      [&] { return tqCheckArgsControlName(control, schema, status); },
      [&](TQDeleteMultipleFieldsArgs& a) {
        a.schema = tqDefText(schema);
        a.fieldIds = tqDefValueOf(fieldIds);
        a.option = deleteOption;
      });
}

extern "C" uint32_t TQGetNameListForSchema(TQControlStruct* control, const char* schema,
                                           TQNameList* nameList, TQStatusList* status) {
  return tqDefOperation<TQNameArgs, TQNameListResult>(
      TQDef::kGetNameListForSchema, control, status, [&] { tqDefClear(nameList); },
      [&] { return tqCheckArgsControlName(control, schema, status); },
      [&](TQNameArgs& a) { a.name = tqDefText(schema); },
      [&](TQNameListResult& r) { tqDefHandOver(nameList, r.names); });
}
