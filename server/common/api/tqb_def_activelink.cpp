// The active-link members of the definition family: TQGetActiveLink,
// TQSetActiveLink, TQCreateActiveLink, TQDeleteActiveLink and
// TQGetListActiveLink (procedures 38 to 42). The report files that macro
// actions name are uploaded around a set or create (tqb_def_reports.h).
#include "api/tqb_def_family.h"
#include "api/tqb_def_reports.h"

namespace {

constexpr uint32_t kMaxOrder = 1000;
constexpr uint32_t kExecuteMaskLimit = 65536;

// The active link's own checks: 169 order, warning 71 empty group list (the
// call goes on), 187 execute mask, 251 enable.
uint32_t checkActiveLinkAttributes(const uint32_t* order, const TQInternalIdList* groups,
                                   bool groupsGiven, const uint32_t* executeMask,
                                   const uint32_t* enable, TQStatusList* status) {
  if (order != nullptr && *order > kMaxOrder) return tqDefError(status, 169);
  uint32_t result = 0;
  if (groupsGiven && (groups == nullptr || groups->numItems == 0)) {
    result = TQAppendStatus(status, TQ_MSG_WARNING, 71, nullptr);
    if (result >= TQ_RETURN_ERROR) return result;
  }
  if (executeMask != nullptr && (*executeMask == 0 || *executeMask >= kExecuteMaskLimit)) {
    return tqDefError(status, 187);
  }
  const uint32_t code = tqDefCheckEnable(enable, status);
  return code > result ? code : result;
}

// Runs the checks of a set or create and then the record checks, keeping a
// warning of the first.
template <class Records>
uint32_t withRecordChecks(uint32_t own, Records&& records) {
  if (own >= TQ_RETURN_ERROR) return own;
  const uint32_t code = records();
  return code > own ? code : own;
}

}  // namespace

extern "C" uint32_t TQGetActiveLink(TQControlStruct* control, const char* name, uint32_t* order,
                                    TQNameType schema, TQInternalIdList* groupList,
                                    uint32_t* executeMask, uint32_t* controlField,
                                    uint32_t* focusField, uint32_t* enable,
                                    TQQualifierStruct* query, TQActiveLinkActionList* actionList,
                                    TQActiveLinkActionList* elseList, char** helpText,
                                    TQTimestamp* timestamp, TQAccessNameType owner,
                                    TQAccessNameType lastChanged, char** changeDiary,
                                    TQStatusList* status) {
  const TQDefCommonOut common{helpText, timestamp, owner, lastChanged, changeDiary};
  return tqDefOperation<TQNameMaskArgs, TQGetActiveLinkResult>(
      TQDef::kGetActiveLink, control, status,
      [&] {
        tqDefClear(order);
        if (schema != nullptr) schema[0] = '\0';
        tqDefClear(groupList);
        tqDefClear(executeMask);
        tqDefClear(controlField);
        tqDefClear(focusField);
        tqDefClear(enable);
        tqDefClear(query);
        tqDefClear(actionList);
        tqDefClear(elseList);
        common.clear();
      },
      [&] { return tqCheckArgsControlName(control, name, status); },
      [&](TQNameMaskArgs& a) {
        a.name = tqDefText(name);
        a.mask = tqDefMask({groupList != nullptr, query != nullptr, actionList != nullptr,
                            elseList != nullptr, helpText != nullptr, changeDiary != nullptr});
      },
      [&](TQGetActiveLinkResult& r) {
        if (order != nullptr) *order = r.order;
        tqDefCopyName(schema, r.schema);
        tqDefHandOver(groupList, r.groups);
        if (executeMask != nullptr) *executeMask = r.executeMask;
        if (controlField != nullptr) *controlField = r.controlField;
        if (focusField != nullptr) *focusField = r.focusField;
        if (enable != nullptr) *enable = r.enable;
        tqDefHandOver(query, r.query);
        tqDefHandOver(actionList, r.actions);
        tqDefHandOver(elseList, r.elseActions);
        common.takeOver(r.common);
      });
}

extern "C" uint32_t TQSetActiveLink(TQControlStruct* control, const char* name,
                                    const char* newName, const uint32_t* order,
                                    const char* schema, const TQInternalIdList* groupList,
                                    const uint32_t* executeMask, const uint32_t* controlField,
                                    const uint32_t* focusField, const uint32_t* enable,
                                    TQQualifierStruct* query, TQActiveLinkActionList* actionList,
                                    TQActiveLinkActionList* elseList, const char* helpText,
                                    const char* owner, const char* changeDiary,
                                    TQStatusList* status) {
  const bool renames = tqDefRenames(name, newName);
  const uint32_t mask = tqDefMask(
      {renames, order != nullptr, schema != nullptr, groupList != nullptr,
       executeMask != nullptr, controlField != nullptr, focusField != nullptr, enable != nullptr,
       query != nullptr, actionList != nullptr, elseList != nullptr, helpText != nullptr,
       owner != nullptr, changeDiary != nullptr});
  TQReportUploads reports;
  return reports.around(control, name, actionList, elseList, status, [&] {
    return tqDefChange<TQSetActiveLinkArgs>(
        TQDef::kSetActiveLink, control, status,
        [&]() -> uint32_t {
          const uint32_t code = tqCheckControlNameNewName(control, name, newName, status);
          if (code >= TQ_RETURN_ERROR) return code;
          if (mask == 0) return tqDefNothingToChange(status);
          return withRecordChecks(
              checkActiveLinkAttributes(order, groupList, groupList != nullptr, executeMask,
                                        enable, status),
              [&]() -> uint32_t {
                const uint32_t records = tqCheckArgsSetActiveLink(
                    control, name, newName, schema, query, actionList, elseList, owner, status);
                if (records >= TQ_RETURN_ERROR) return records;
                return reports.prepare(status);
              });
        },
        [&](TQSetActiveLinkArgs& a) {
          a.name = tqDefText(name);
          a.changedMask = mask;
          a.newName = tqDefText(renames ? newName : "");
          a.order = order == nullptr ? 0 : *order;
          a.schema = tqDefText(schema);
          a.groups = tqDefValueOf(groupList);
          a.executeMask = executeMask == nullptr ? 1 : *executeMask;
          a.controlField = controlField == nullptr ? 0 : *controlField;
          a.focusField = focusField == nullptr ? 0 : *focusField;
          a.enable = enable == nullptr ? 1 : *enable;
          a.query = tqDefValueOf(query);
          a.actions = tqDefValueOf(actionList);
          a.elseActions = tqDefValueOf(elseList);
          tqDefFillCommon(&a.common, helpText, owner, changeDiary);
        });
  });
}

extern "C" uint32_t TQCreateActiveLink(TQControlStruct* control, const char* name,
                                       uint32_t order, const char* schema,
                                       const TQInternalIdList* groupList, uint32_t executeMask,
                                       const uint32_t* controlField, const uint32_t* focusField,
                                       uint32_t enable, TQQualifierStruct* query,
                                       TQActiveLinkActionList* actionList,
                                       TQActiveLinkActionList* elseList, const char* helpText,
                                       const char* owner, const char* changeDiary,
                                       TQStatusList* status) {
  TQReportUploads reports;
  return reports.around(control, name, actionList, elseList, status, [&] {
    return tqDefChange<TQCreateActiveLinkArgs>(
        TQDef::kCreateActiveLink, control, status,
        [&]() -> uint32_t {
          const uint32_t code = tqCheckControlAndName(control, name, 0, status);
          if (code >= TQ_RETURN_ERROR) return code;
          return withRecordChecks(
              checkActiveLinkAttributes(&order, groupList, true, &executeMask, &enable, status),
              [&]() -> uint32_t {
                const uint32_t records = tqCheckArgsCreateActiveLink(
                    control, name, schema, query, actionList, elseList, owner, status);
                if (records >= TQ_RETURN_ERROR) return records;
                return reports.prepare(status);
              });
        },
        [&](TQCreateActiveLinkArgs& a) {
          a.name = tqDefText(name);
          a.order = order;
          a.schema = tqDefText(schema);
          a.groups = tqDefValueOf(groupList);
          a.executeMask = executeMask;
          a.controlField = controlField == nullptr ? 0 : *controlField;
          a.focusField = focusField == nullptr ? 0 : *focusField;
          a.enable = enable;
          a.query = tqDefValueOf(query);
          a.actions = tqDefValueOf(actionList);
          a.elseActions = tqDefValueOf(elseList);
          tqDefFillCommon(&a.common, helpText, owner, changeDiary);
        });
  });
}

extern "C" uint32_t TQDeleteActiveLink(TQControlStruct* control, const char* name,
                                       TQStatusList* status) {
  return tqDefDeleteByName(TQDef::kDeleteActiveLink, control, name, status);
}

extern "C" uint32_t TQGetListActiveLink(TQControlStruct* control, const char* schema,
                                        TQTimestamp changedSince, TQNameList* nameList,
                                        TQStatusList* status) {
  return tqDefListOfSchema(TQDef::kGetListActiveLink, control, schema, changedSince, nameList,
                           status);
}
