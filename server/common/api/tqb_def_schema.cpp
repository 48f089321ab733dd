// The schema members of the definition family: TQGetSchema, TQSetSchema,
// TQCreateSchema, TQDeleteSchema and TQGetListSchema (procedures 7 to 11).
#include "api/tqb_def_family.h"

extern "C" uint32_t TQGetSchema(TQControlStruct* control, const char* name,
                                TQCompoundSchema* schema, TQPermissionList* groupList,
                                TQInternalIdList* adminGroupList,
                                TQEntryListFieldList* queryListFields, TQSortList* sortList,
                                TQIndexList* indexList, char** helpText, TQTimestamp* timestamp,
                                TQAccessNameType owner, TQAccessNameType lastChanged,
                                char** changeDiary, TQStatusList* status) {
  const TQDefCommonOut common{helpText, timestamp, owner, lastChanged, changeDiary};
  return tqDefOperation<TQNameMaskArgs, TQGetSchemaResult>(
      TQDef::kGetSchema, control, status,
      [&] {
        tqDefClear(schema);
        tqDefClear(groupList);
        tqDefClear(adminGroupList);
        tqDefClear(queryListFields);
        tqDefClear(sortList);
        tqDefClear(indexList);
        common.clear();
      },
      [&] { return tqCheckArgsControlName(control, name, status); },
      [&](TQNameMaskArgs& a) {
        a.name = tqDefText(name);
        a.mask = tqDefMask({schema != nullptr, groupList != nullptr, adminGroupList != nullptr,
                            queryListFields != nullptr, sortList != nullptr, indexList != nullptr,
                            helpText != nullptr, changeDiary != nullptr});
      },
      [&](TQGetSchemaResult& r) {
        tqDefHandOver(schema, r.schema);
        tqDefHandOver(groupList, r.groups);
        tqDefHandOver(adminGroupList, r.adminGroups);
        tqDefHandOver(queryListFields, r.queryListFields);
        tqDefHandOver(sortList, r.sort);
        tqDefHandOver(indexList, r.indexes);
        common.takeOver(r.common);
      });
}

extern "C" uint32_t TQSetSchema(TQControlStruct* control, const char* name, const char* newName,
                                TQCompoundSchema* schema, const TQPermissionList* groupList,
                                const TQInternalIdList* adminGroupList,
                                const TQEntryListFieldList* queryListFields,
                                const TQSortList* sortList, const TQIndexList* indexList,
                                const char* helpText, const char* owner, const char* changeDiary,
                                TQStatusList* status) {
  const bool renames = tqDefRenames(name, newName);
  const uint32_t mask =
      tqDefMask({renames, schema != nullptr, groupList != nullptr, adminGroupList != nullptr,
                 queryListFields != nullptr, sortList != nullptr, indexList != nullptr,
                 helpText != nullptr, owner != nullptr, changeDiary != nullptr});
  return tqDefChange<TQSetSchemaArgs>(
      TQDef::kSetSchema, control, status,
      [&]() -> uint32_t {
        uint32_t code = tqCheckControlNameNewName(control, name, newName, status);
        if (code >= TQ_RETURN_ERROR) return code;
        if (mask == 0) return tqDefNothingToChange(status);
        return tqCheckArgsSetSchema(control, name, newName, schema, groupList, queryListFields,
                                    sortList, indexList, owner, status);
      },
      [&](TQSetSchemaArgs& a) {
        a.name = tqDefText(name);
        a.changedMask = mask;
        a.newName = tqDefText(renames ? newName : "");
        a.schema = tqDefValueOf(schema);
        a.groups = tqDefValueOf(groupList);
        a.adminGroups = tqDefValueOf(adminGroupList);
        a.queryListFields = tqDefValueOf(queryListFields);
        a.sort = tqDefValueOf(sortList);
        a.indexes = tqDefValueOf(indexList);
        tqDefFillCommon(&a.common, helpText, owner, changeDiary);
      });
}

extern "C" uint32_t TQCreateSchema(TQControlStruct* control, const char* name,
                                   TQCompoundSchema* schema, const TQPermissionList* groupList,
                                   const TQInternalIdList* adminGroupList,
                                   const TQEntryListFieldList* queryListFields,
                                   const TQSortList* sortList, const TQIndexList* indexList,
                                   const char* helpText, const char* owner,
                                   const char* changeDiary, TQStatusList* status) {
  return tqDefChange<TQCreateSchemaArgs>(
      TQDef::kCreateSchema, control, status,
      [&] {
        return tqCheckArgsCreateSchema(control, name, schema, groupList, queryListFields,
                                       sortList, indexList, owner, status);
      },
      [&](TQCreateSchemaArgs& a) {
        a.name = tqDefText(name);
        a.schema = tqDefValueOf(schema);
        a.groups = tqDefValueOf(groupList);
        a.adminGroups = tqDefValueOf(adminGroupList);
        a.queryListFields = tqDefValueOf(queryListFields);
        a.sort = tqDefValueOf(sortList);
        a.indexes = tqDefValueOf(indexList);
        tqDefFillCommon(&a.common, helpText, owner, changeDiary);
      });
}

extern "C" uint32_t TQDeleteSchema(TQControlStruct* control, const char* name,
                                   uint32_t deleteOption, TQStatusList* status) {
  return tqDefChange<TQNameOptionArgs>(
      TQDef::kDeleteSchema, control, status,
      [&] { return tqCheckArgsControlName(control, name, status); },
      [&](TQNameOptionArgs& a) {
        a.name = tqDefText(name);
        a.option = deleteOption;
      });
}

extern "C" uint32_t TQGetListSchema(TQControlStruct* control, TQTimestamp changedSince,
                                    const char* name, uint32_t listType, TQNameList* nameList,
                                    TQStatusList* status) {
  return tqDefOperation<TQGetListSchemaArgs, TQNameListResult>(
      TQDef::kGetListSchema, control, status, [&] { tqDefClear(nameList); },
      [&] { return tqCheckArgsControl(control, status); },
      [&](TQGetListSchemaArgs& a) {
        a.changedSince = changedSince;
        a.name = tqDefText(name);
        a.listType = listType;
      },
      [&](TQNameListResult& r) { tqDefHandOver(nameList, r.names); });
}
