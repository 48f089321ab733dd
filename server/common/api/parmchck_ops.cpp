// The check sequences of the operations: each runs the record checks of one
// operation in argument order and stops at the first result of 2 or more.
#include "api/parmchck_core.h"

namespace {

constexpr uint32_t kDataTypeWithoutPermissions = 32;

auto control(const TQControlStruct* c, TQStatusList* status) {
  return [=] { return tqCheckControl(c, status); };
}
auto controlName(const TQControlStruct* c, const char* name, TQBoolean allowEmpty,
                 TQStatusList* status) {
  return [=] { return tqCheckControlAndName(c, name, allowEmpty, status); };
}
auto controlRename(const TQControlStruct* c, const char* name, const char* newName,
                   TQStatusList* status) {
  return [=] { return tqCheckControlNameNewName(c, name, newName, status); };
}
auto name(const char* text, TQBoolean allowEmpty, TQStatusList* status) {
  return [=] { return tqCheckName(text, allowEmpty, status); };
}
auto qualifier(TQQualifierStruct* q, TQStatusList* status) {
  return [=] { return tqCheckQualifier(q, 1, status); };
}

// Filter and escalation actions. `required` is set on create: a missing list
// is then an error; on set a missing list is left unchanged on the server.
// The else-actions are looked at only when there are some.
auto filterActions(TQFilterActionList* list, TQBoolean escalation, bool required,
                   TQStatusList* status) {
  return [=]() -> uint32_t {
    if (list == nullptr && !required) return 0;
    return tqCheckFilterActionList(list, escalation, 0, status);
  };
}
auto filterElseActions(TQFilterActionList* list, TQBoolean escalation, TQStatusList* status) {
  return [=]() -> uint32_t {
    if (list == nullptr || list->numItems == 0) return 0;
    return tqCheckFilterActionList(list, escalation, 1, status);
  };
}
auto activeLinkActions(TQActiveLinkActionList* list, bool required, TQStatusList* status) {
  return [=]() -> uint32_t {
    if (list == nullptr && !required) return 0;
    return tqCheckActiveLinkActionList(list, status);
  };
}
auto activeLinkElseActions(TQActiveLinkActionList* list, TQStatusList* status) {
  return [=]() -> uint32_t {
    if (list == nullptr || list->numItems == 0) return 0;
    return tqCheckActiveLinkActionList(list, status);
  };
}

}  // namespace

uint32_t tqCheckArgsGetEntry(const TQControlStruct* c, const char* schema,
                             const TQEntryIdList* entryIds, TQStatusList* status) {
  return tqCheckSequence(controlName(c, schema, 0, status),
                         [=] { return tqCheckEntryIdList(entryIds, status); });
}

uint32_t tqCheckArgsSetEntry(const TQControlStruct* c, const char* schema,
                             const TQEntryIdList* entryIds, TQFieldValueList* values,
                             TQStatusList* status) {
  return tqCheckSequence(
      controlName(c, schema, 0, status), [=] { return tqCheckEntryIdList(entryIds, status); },
      [=] { return tqCheckFieldValueList(values, 1, status); });
}

uint32_t tqCheckArgsCreateEntry(const TQControlStruct* c, const char* schema,
                                TQFieldValueList* values, TQStatusList* status) {
  return tqCheckSequence(controlName(c, schema, 0, status),
                         [=] { return tqCheckFieldValueList(values, 1, status); });
}

uint32_t tqCheckArgsMergeEntry(const TQControlStruct* c, const char* schema,
                               TQFieldValueList* values, TQStatusList* status) {
  return tqCheckSequence(controlName(c, schema, 0, status),
                         [=] { return tqCheckFieldValueList(values, 0, status); });
}

uint32_t tqCheckArgsGetMultipleEntries(const TQControlStruct* c, const char* schema,
                                       const TQEntryIdListList* entryIds, TQStatusList* status) {
  return tqCheckSequence(controlName(c, schema, 0, status),
                         [=] { return tqCheckEntryIdListList(entryIds, 0, status); });
}

uint32_t tqCheckArgsGetListEntry(const TQControlStruct* c, const char* schema, TQQualifierStruct* q,
                                 const TQEntryListFieldList* listFields, const TQSortList* sortList,
                                 TQStatusList* status) {
  return tqCheckSequence(
      controlName(c, schema, 0, status), qualifier(q, status),
      [=] { return tqCheckEntryListFieldList(listFields, status); },
      [=] { return tqCheckSortList(sortList, status); });
}

uint32_t tqCheckArgsGetEntryStatistics(const TQControlStruct* c, const char* schema,
                                       TQQualifierStruct* q, TQFieldValueOrArithStruct* target,
                                       TQStatusList* status) {
  return tqCheckSequence(controlName(c, schema, 0, status), qualifier(q, status),
                         [=]() -> uint32_t {
                           // No target, or tag 0: a statistic that needs none (a count).
                           if (target == nullptr || target->tag == 0) return 0;
                           return tqCheckOperand(target, status);
                         });
}

uint32_t tqCheckArgsControlName(const TQControlStruct* c, const char* n, TQStatusList* status) {
  return tqCheckControlAndName(c, n, 0, status);
}

uint32_t tqCheckArgsControl(const TQControlStruct* c, TQStatusList* status) {
  return tqCheckControl(c, status);
}

uint32_t tqCheckArgsGetListByName(const TQControlStruct* c, const char* n, TQBoolean noOutput,
                                  TQStatusList* status) {
  return tqCheckControlNameOutput(c, n, noOutput, status);
}

uint32_t tqCheckArgsLoadQualifier(const char* schema, TQStatusList* status) {
  return tqCheckName(schema, 0, status);
}

namespace {

// The checks that TQSetSchema and TQCreateSchema share after the schema type.
uint32_t schemaRest(const TQPermissionList* groups, const TQEntryListFieldList* listFields,
                    const TQSortList* sortList, const TQIndexList* indexes, const char* owner,
                    TQStatusList* status) {
  return tqCheckSequence([=] { return tqCheckPermissionList(groups, 1, status); },
                         [=] { return tqCheckEntryListFieldList(listFields, status); },
                         [=] { return tqCheckSortList(sortList, status); },
                         [=] { return tqCheckIndexList(indexes, status); }, name(owner, 1, status));
}

}  // namespace

uint32_t tqCheckArgsSetSchema(const TQControlStruct* c, const char* n, const char* newName,
                              TQCompoundSchema* schema, const TQPermissionList* groups,
                              const TQEntryListFieldList* listFields, const TQSortList* sortList,
                              const TQIndexList* indexes, const char* owner, TQStatusList* status) {
  return tqCheckSequence(
      controlRename(c, n, newName, status),
      [=] { return tqCheckCompoundSchema(schema, 1, status); },
      [=] { return schemaRest(groups, listFields, sortList, indexes, owner, status); });
}

uint32_t tqCheckArgsCreateSchema(const TQControlStruct* c, const char* n, TQCompoundSchema* schema,
                                 const TQPermissionList* groups,
                                 const TQEntryListFieldList* listFields, const TQSortList* sortList,
                                 const TQIndexList* indexes, const char* owner,
                                 TQStatusList* status) {
  return tqCheckSequence(
      controlName(c, n, 0, status), [=] { return tqCheckCompoundSchema(schema, 0, status); },
      [=] { return schemaRest(groups, listFields, sortList, indexes, owner, status); });
}

uint32_t tqCheckArgsSetField(const TQControlStruct* c, const char* schema, const char* fieldName,
                             TQValueStruct* defaultValue, const TQPermissionList* permissions,
                             TQFieldLimitStruct* limit, TQDisplayInstanceList* instances,
                             const char* owner, TQStatusList* status) {
  return tqCheckSequence(
      controlName(c, schema, 0, status), name(fieldName, 1, status),
      [=] { return tqCheckValue(defaultValue, status); },
      [=] { return tqCheckPermissionList(permissions, 1, status); },
      [=] { return tqCheckFieldLimit(limit, status); },
      [=] { return tqCheckDisplayInstanceList(instances, 1, status); }, name(owner, 1, status));
}

uint32_t tqCheckArgsCreateField(const TQControlStruct* c, const char* schema, const char* fieldName,
                                const TQFieldMappingStruct* mapping, uint32_t dataType,
                                TQValueStruct* defaultValue, const TQPermissionList* permissions,
                                TQFieldLimitStruct* limit, TQDisplayInstanceList* instances,
                                const char* owner, TQStatusList* status) {
  // Only a field without data of its own may come without permissions
  // silently; any other field is created with a warning.
  TQBoolean permissionsMayBeEmpty = dataType == kDataTypeWithoutPermissions;
  return tqCheckSequence(
      controlName(c, schema, 0, status), name(fieldName, 1, status),
      [=] { return tqCheckFieldMapping(mapping, 1, status); },
      [=] { return tqCheckValue(defaultValue, status); },
      [=] { return tqCheckPermissionList(permissions, permissionsMayBeEmpty, status); },
      [=] { return tqCheckFieldLimit(limit, status); },
      [=] { return tqCheckDisplayInstanceList(instances, 1, status); }, name(owner, 1, status));
}

uint32_t tqCheckArgsSetCharMenu(const TQControlStruct* c, const char* n, const char* newName,
                                TQCharMenuStruct* menu, const char* owner, TQStatusList* status) {
  return tqCheckSequence(
      controlRename(c, n, newName, status), [=] { return tqCheckCharMenu(menu, 1, 0, status); },
      name(owner, 1, status));
}

uint32_t tqCheckArgsCreateCharMenu(const TQControlStruct* c, const char* n, TQCharMenuStruct* menu,
                                   const char* owner, TQStatusList* status) {
  return tqCheckSequence(
      controlName(c, n, 0, status), [=] { return tqCheckCharMenu(menu, 0, 0, status); },
      name(owner, 1, status));
}

uint32_t tqCheckArgsExpandCharMenu(const TQControlStruct* c, TQCharMenuStruct* menu,
                                   TQStatusList* status) {
  return tqCheckSequence(control(c, status), [=] { return tqCheckCharMenu(menu, 0, 0, status); });
}

uint32_t tqCheckArgsSetFilter(const TQControlStruct* c, const char* n, const char* newName,
                              const char* schema, TQQualifierStruct* q, TQFilterActionList* actions,
                              TQFilterActionList* elseActions, const char* owner,
                              TQStatusList* status) {
  return tqCheckSequence(controlRename(c, n, newName, status), name(schema, 1, status),
                         qualifier(q, status), filterActions(actions, 0, false, status),
                         filterElseActions(elseActions, 0, status), name(owner, 1, status));
}

uint32_t tqCheckArgsCreateFilter(const TQControlStruct* c, const char* n, const char* schema,
                                 TQQualifierStruct* q, TQFilterActionList* actions,
                                 TQFilterActionList* elseActions, const char* owner,
                                 TQStatusList* status) {
  return tqCheckSequence(controlName(c, n, 0, status), name(schema, 0, status),
                         qualifier(q, status), filterActions(actions, 0, true, status),
                         filterElseActions(elseActions, 0, status), name(owner, 1, status));
}

uint32_t tqCheckArgsSetEscalation(const TQControlStruct* c, const char* n, const char* newName,
                                  const char* schema, TQQualifierStruct* q,
                                  TQFilterActionList* actions, TQFilterActionList* elseActions,
                                  const char* owner, TQStatusList* status) {
  return tqCheckSequence(controlRename(c, n, newName, status), name(schema, 1, status),
                         qualifier(q, status), filterActions(actions, 1, false, status),
                         filterElseActions(elseActions, 1, status), name(owner, 1, status));
}

uint32_t tqCheckArgsCreateEscalation(const TQControlStruct* c, const char* n, const char* schema,
                                     TQQualifierStruct* q, TQFilterActionList* actions,
                                     TQFilterActionList* elseActions, const char* owner,
                                     TQStatusList* status) {
  return tqCheckSequence(controlName(c, n, 0, status), name(schema, 0, status),
                         qualifier(q, status), filterActions(actions, 1, true, status),
                         filterElseActions(elseActions, 1, status), name(owner, 1, status));
}

uint32_t tqCheckArgsSetActiveLink(const TQControlStruct* c, const char* n, const char* newName,
                                  const char* schema, TQQualifierStruct* q,
                                  TQActiveLinkActionList* actions,
                                  TQActiveLinkActionList* elseActions, const char* owner,
                                  TQStatusList* status) {
  return tqCheckSequence(controlRename(c, n, newName, status), name(schema, 1, status),
                         qualifier(q, status), activeLinkActions(actions, false, status),
                         activeLinkElseActions(elseActions, status), name(owner, 1, status));
}

uint32_t tqCheckArgsCreateActiveLink(const TQControlStruct* c, const char* n, const char* schema,
                                     TQQualifierStruct* q, TQActiveLinkActionList* actions,
                                     TQActiveLinkActionList* elseActions, const char* owner,
                                     TQStatusList* status) {
  return tqCheckSequence(controlName(c, n, 0, status), name(schema, 0, status),
                         qualifier(q, status), activeLinkActions(actions, true, status),
                         activeLinkElseActions(elseActions, status), name(owner, 1, status));
}

uint32_t tqCheckArgsSetVUI(const TQControlStruct* c, const char* schema, const char* vuiName,
                           TQPropList* props, const char* owner, TQStatusList* status) {
  return tqCheckSequence(
      controlName(c, schema, 0, status), name(vuiName, 1, status),
      [=] { return tqCheckPropList(props, 1, status); }, name(owner, 1, status));
}

uint32_t tqCheckArgsGetContainer(const TQControlStruct* c, const char* n,
                                 const TQReferenceTypeList* refTypes, TQStatusList* status) {
  return tqCheckSequence(controlName(c, n, 0, status),
                         [=] { return tqCheckReferenceTypeList(refTypes, status); });
}

uint32_t tqCheckArgsSetContainer(const TQControlStruct* c, const char* n, const char* newName,
                                 const TQPermissionList* groups,
                                 const TQContainerOwnerObj* ownerObj, TQReferenceList* references,
                                 const char* owner, TQStatusList* status) {
  return tqCheckSequence(
      controlRename(c, n, newName, status),
      [=] { return tqCheckPermissionList(groups, 1, status); },
      [=] { return tqCheckContainerOwner(ownerObj, status); },
      [=] { return tqCheckReferenceList(references, status); }, name(owner, 1, status));
}

uint32_t tqCheckArgsCreateContainer(const TQControlStruct* c, const char* n,
                                    const TQPermissionList* groups,
                                    const TQContainerOwnerObj* ownerObj,
                                    TQReferenceList* references, const char* owner,
                                    TQStatusList* status) {
  return tqCheckSequence(
      controlName(c, n, 0, status), [=] { return tqCheckPermissionList(groups, 1, status); },
      [=] { return tqCheckContainerOwner(ownerObj, status); },
      [=] { return tqCheckReferenceList(references, status); }, name(owner, 1, status));
}

uint32_t tqCheckArgsGetListContainer(const TQControlStruct* c, const TQContainerTypeList* types,
                                     const TQContainerOwnerObj* ownerObj, TQStatusList* status) {
  return tqCheckSequence(
      control(c, status), [=] { return tqCheckContainerTypeList(types, status); },
      [=] { return tqCheckContainerOwner(ownerObj, status); });
}

uint32_t tqCheckArgsExport(const TQControlStruct* c, const TQStructItemList* items,
                           TQStatusList* status) {
  return tqCheckSequence(control(c, status),
                         [=] { return tqCheckStructItemList(items, 0, 0, status); });
}

uint32_t tqCheckArgsImport(const TQControlStruct* c, const TQStructItemList* items,
                           TQStatusList* status) {
  return tqCheckSequence(control(c, status),
                         [=] { return tqCheckStructItemList(items, 0, 1, status); });
}

uint32_t tqCheckArgsGetServerInfo(const TQControlStruct* c, const TQServerInfoRequestList* requests,
                                  TQStatusList* status) {
  return tqCheckSequence(control(c, status),
                         [=] { return tqCheckServerInfoRequestList(requests, status); });
}

uint32_t tqCheckArgsSetServerInfo(const TQControlStruct* c, const TQServerInfoList* infos,
                                  TQStatusList* status) {
  return tqCheckSequence(control(c, status), [=] { return tqCheckServerInfoList(infos, status); });
}

uint32_t tqCheckArgsGetServerStatistics(const TQControlStruct* c,
                                        const TQServerInfoRequestList* requests,
                                        TQStatusList* status) {
  return tqCheckSequence(control(c, status),
                         [=] { return tqCheckServerStatisticsRequestList(requests, status); });
}

uint32_t tqCheckArgsGetFullTextInfo(const TQControlStruct* c,
                                    const TQFullTextInfoRequestList* requests,
                                    TQStatusList* status) {
  return tqCheckSequence(control(c, status),
                         [=] { return tqCheckFullTextInfoRequestList(requests, status); });
}

uint32_t tqCheckArgsSetFullTextInfo(const TQControlStruct* c, const TQFullTextInfoList* infos,
                                    TQStatusList* status) {
  return tqCheckSequence(control(c, status),
                         [=] { return tqCheckFullTextInfoList(infos, status); });
}
