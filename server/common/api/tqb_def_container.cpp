// The container members of the definition family: TQGetContainer,
// TQSetContainer, TQCreateContainer, TQDeleteContainer and
// TQGetListContainer (procedures 74 to 78).
#include <cstring>

#include "api/tqb_def_family.h"

namespace {

uint32_t textLength(const char* text) {
  return text == nullptr ? 0 : static_cast<uint32_t>(std::strlen(text));
}

}  // namespace

extern "C" uint32_t TQGetContainer(TQControlStruct* control, const char* name,
                                   const TQReferenceTypeList* refTypes,
                                   TQPermissionList* groupList, TQInternalIdList* adminGroupList,
                                   TQContainerOwnerObj* ownerObj, char** label,
                                   char** description, uint32_t* type,
                                   TQReferenceList* references, char** helpText,
                                   TQTimestamp* timestamp, TQAccessNameType owner,
                                   TQAccessNameType lastChanged, char** changeDiary,
                                   TQStatusList* status) {
  const TQDefCommonOut common{helpText, timestamp, owner, lastChanged, changeDiary};
  return tqDefOperation<TQGetContainerArgs, TQGetContainerResult>(
      TQDef::kGetContainer, control, status,
      [&] {
        tqDefClear(groupList);
        tqDefClear(adminGroupList);
        tqDefClear(ownerObj);
        tqDefClear(label);
        tqDefClear(description);
        tqDefClear(type);
        tqDefClear(references);
        common.clear();
      },
      [&] { return tqCheckArgsGetContainer(control, name, refTypes, status); },
      [&](TQGetContainerArgs& a) {
        a.name = tqDefText(name);
        a.mask = tqDefMask({groupList != nullptr, adminGroupList != nullptr, ownerObj != nullptr,
                            label != nullptr, description != nullptr, type != nullptr,
                            references != nullptr, helpText != nullptr,
                            changeDiary != nullptr});
        a.refTypes = tqDefValueOf(refTypes);
      },
      [&](TQGetContainerResult& r) {
        tqDefHandOver(groupList, r.groups);
        tqDefHandOver(adminGroupList, r.adminGroups);
        if (ownerObj != nullptr) *ownerObj = r.ownerObj;
        if (label != nullptr) {
          *label = r.label;
          r.label = nullptr;
          r.labelLength = 0;
        }
        if (description != nullptr) {
          *description = r.description;
          r.description = nullptr;
          r.descriptionLength = 0;
        }
        if (type != nullptr) *type = r.type;
        tqDefHandOver(references, r.references);
        common.takeOver(r.common);
      });
}

extern "C" uint32_t TQSetContainer(TQControlStruct* control, const char* name,
                                   const char* newName, const TQPermissionList* groupList,
                                   const TQInternalIdList* adminGroupList,
                                   const TQContainerOwnerObj* ownerObj, const char* label,
                                   const char* description, const uint32_t* type,
                                   TQReferenceList* references, TQBoolean removeFlag,
                                   const char* helpText, const char* owner,
                                   const char* changeDiary, TQStatusList* status) {
  const bool renames = tqDefRenames(name, newName);
  const uint32_t mask = tqDefMask(
      {renames, groupList != nullptr, adminGroupList != nullptr, ownerObj != nullptr,
       label != nullptr, description != nullptr, type != nullptr, references != nullptr,
       helpText != nullptr, owner != nullptr, changeDiary != nullptr});
  return tqDefChange<TQSetContainerArgs>(
      TQDef::kSetContainer, control, status,
      [&]() -> uint32_t {
        const uint32_t code = tqCheckControlNameNewName(control, name, newName, status);
        if (code >= TQ_RETURN_ERROR) return code;
        if (mask == 0) return tqDefNothingToChange(status);
        return tqCheckArgsSetContainer(control, name, newName, groupList, ownerObj, references,
                                       owner, status);
      },
      [&](TQSetContainerArgs& a) {
        a.name = tqDefText(name);
        a.changedMask = mask;
        a.newName = tqDefText(renames ? newName : "");
        a.groups = tqDefValueOf(groupList);
        a.adminGroups = tqDefValueOf(adminGroupList);
        a.ownerObj = tqDefValueOf(ownerObj);
        a.label = tqDefText(label);
        a.labelLength = textLength(label);
        a.description = tqDefText(description);
        a.descriptionLength = textLength(description);
        a.type = type == nullptr ? 0 : *type;
        a.references = tqDefValueOf(references);
        a.removeFlag = removeFlag;
        tqDefFillCommon(&a.common, helpText, owner, changeDiary);
      });
}

extern "C" uint32_t TQCreateContainer(TQControlStruct* control, const char* name,
                                      const TQPermissionList* groupList,
                                      const TQInternalIdList* adminGroupList,
                                      const TQContainerOwnerObj* ownerObj, const char* label,
                                      const char* description, uint32_t type,
                                      TQReferenceList* references, TQBoolean removeFlag,
                                      const char* helpText, const char* owner,
                                      const char* changeDiary, TQStatusList* status) {
  return tqDefChange<TQCreateContainerArgs>(
      TQDef::kCreateContainer, control, status,
      [&] {
        return tqCheckArgsCreateContainer(control, name, groupList, ownerObj, references, owner,
                                          status);
      },
      [&](TQCreateContainerArgs& a) {
        a.name = tqDefText(name);
        a.groups = tqDefValueOf(groupList);
        a.adminGroups = tqDefValueOf(adminGroupList);
        a.ownerObj = tqDefValueOf(ownerObj);
        a.label = tqDefText(label);
        a.labelLength = textLength(label);
        a.description = tqDefText(description);
        a.descriptionLength = textLength(description);
        a.type = type;
        a.references = tqDefValueOf(references);
        a.removeFlag = removeFlag;
        tqDefFillCommon(&a.common, helpText, owner, changeDiary);
      });
}

extern "C" uint32_t TQDeleteContainer(TQControlStruct* control, const char* name,
                                      TQStatusList* status) {
  return tqDefDeleteByName(TQDef::kDeleteContainer, control, name, status);
}

extern "C" uint32_t TQGetListContainer(TQControlStruct* control, TQTimestamp changedSince,
                                       const TQContainerTypeList* containerTypes,
                                       uint32_t attributes, const TQContainerOwnerObj* ownerObj,
                                       TQContainerInfoList* containers, TQStatusList* status) {
  return tqDefOperation<TQGetListContainerArgs, TQGetListContainerResult>(
      TQDef::kGetListContainer, control, status, [&] { tqDefClear(containers); },
      [&] { return tqCheckArgsGetListContainer(control, containerTypes, ownerObj, status); },
      [&](TQGetListContainerArgs& a) {
        a.changedSince = changedSince;
        a.types = tqDefValueOf(containerTypes);
        a.attributes = attributes;
        a.owner = tqDefValueOf(ownerObj);
      },
      [&](TQGetListContainerResult& r) { tqDefHandOver(containers, r.containers); });
}
