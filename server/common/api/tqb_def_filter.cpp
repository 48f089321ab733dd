// The filter and escalation members of the definition family: TQGetFilter,
// TQSetFilter, TQCreateFilter, TQDeleteFilter, TQGetListFilter (procedures
// 21 to 25) and TQGetEscalation to TQGetListEscalation (48 to 52).
#include "api/tqb_def_family.h"

namespace {

constexpr uint32_t kMaxOrder = 1000;
constexpr uint32_t kOperationsLimit = 32;

// The filter's own checks of a given order, operations mask and enable flag.
uint32_t checkFilterAttributes(const uint32_t* order, const uint32_t* operations,
                               const uint32_t* enable, TQStatusList* status) {
  if (order != nullptr && *order > kMaxOrder) return tqDefError(status, 169);
  if (operations != nullptr && (*operations == 0 || *operations >= kOperationsLimit)) {
    return tqDefError(status, 115);
  }
  return tqDefCheckEnable(enable, status);
}

// 246 to 250 for an escalation time that cannot run.
uint32_t checkEscalationTime(const TQEscalationTmStruct* time, TQStatusList* status) {
  if (time->escalationTmType == TQ_ESCALATION_TYPE_INTERVAL) {
    return time->u.interval < 1 ? tqDefError(status, 247) : 0;
  }
  if (time->escalationTmType != TQ_ESCALATION_TYPE_TIMEMARK) return tqDefError(status, 246);
  const TQDayStruct& day = time->u.date;
  if (day.monthday == 0 && day.weekday == 0) return tqDefError(status, 248);
  if (day.hourmask == 0) return tqDefError(status, 249);
  if (day.minute > 59) return tqDefError(status, 250);
  return 0;
}

TQFilterActionList noActions() { return TQFilterActionList{}; }

}  // namespace

// ------------------------------------------------------------------ filters

extern "C" uint32_t TQGetFilter(TQControlStruct* control, const char* name, uint32_t* order,
                                TQNameType schema, uint32_t* opSet, uint32_t* enable,
                                TQQualifierStruct* query, TQFilterActionList* actionList,
                                TQFilterActionList* elseList, char** helpText,
                                TQTimestamp* timestamp, TQAccessNameType owner,
                                TQAccessNameType lastChanged, char** changeDiary,
                                TQStatusList* status) {
  const TQDefCommonOut common{helpText, timestamp, owner, lastChanged, changeDiary};
  return tqDefOperation<TQNameMaskArgs, TQGetFilterResult>(
      TQDef::kGetFilter, control, status,
      [&] {
        tqDefClear(order);
        if (schema != nullptr) schema[0] = '\0';
        tqDefClear(opSet);
        tqDefClear(enable);
        tqDefClear(query);
        tqDefClear(actionList);
        tqDefClear(elseList);
        common.clear();
      },
      [&] { return tqCheckArgsControlName(control, name, status); },
      [&](TQNameMaskArgs& a) {
        a.name = tqDefText(name);
        a.mask = tqDefMask({query != nullptr, actionList != nullptr, elseList != nullptr,
                            helpText != nullptr, changeDiary != nullptr});
      },
      [&](TQGetFilterResult& r) {
        if (order != nullptr) *order = r.order;
        tqDefCopyName(schema, r.schema);
        if (opSet != nullptr) *opSet = r.operations;
        if (enable != nullptr) *enable = r.enable;
        tqDefHandOver(query, r.query);
        tqDefHandOver(actionList, r.actions);
        tqDefHandOver(elseList, r.elseActions);
        common.takeOver(r.common);
      });
}

extern "C" uint32_t TQSetFilter(TQControlStruct* control, const char* name, const char* newName,
                                const uint32_t* order, const char* schema, const uint32_t* opSet,
                                const uint32_t* enable, TQQualifierStruct* query,
                                TQFilterActionList* actionList, TQFilterActionList* elseList,
                                const char* helpText, const char* owner, const char* changeDiary,
                                TQStatusList* status) {
  const bool renames = tqDefRenames(name, newName);
  const uint32_t mask = tqDefMask(
      {renames, order != nullptr, schema != nullptr, opSet != nullptr, enable != nullptr,
       query != nullptr, actionList != nullptr, elseList != nullptr, helpText != nullptr,
       owner != nullptr, changeDiary != nullptr});
  return tqDefChange<TQSetFilterArgs>(
      TQDef::kSetFilter, control, status,
      [&]() -> uint32_t {
        uint32_t code = tqCheckControlNameNewName(control, name, newName, status);
        if (code >= TQ_RETURN_ERROR) return code;
        if (mask == 0) return tqDefNothingToChange(status);
        code = checkFilterAttributes(order, opSet, enable, status);
        if (code >= TQ_RETURN_ERROR) return code;
        return tqCheckArgsSetFilter(control, name, newName, schema, query, actionList, elseList,
                                    owner, status);
      },
      [&](TQSetFilterArgs& a) {
        a.name = tqDefText(name);
        a.changedMask = mask;
        a.newName = tqDefText(renames ? newName : "");
        a.order = order == nullptr ? 0 : *order;
        a.schema = tqDefText(schema);
        a.operations = opSet == nullptr ? 0 : *opSet;
        a.enable = enable == nullptr ? 1 : *enable;
        a.query = tqDefValueOf(query);
        a.actions = tqDefValueOf(actionList);
        a.elseActions = tqDefValueOf(elseList);
        tqDefFillCommon(&a.common, helpText, owner, changeDiary);
      });
}

extern "C" uint32_t TQCreateFilter(TQControlStruct* control, const char* name, uint32_t order,
                                   const char* schema, uint32_t opSet, uint32_t enable,
                                   TQQualifierStruct* query, TQFilterActionList* actionList,
                                   TQFilterActionList* elseList, const char* helpText,
                                   const char* owner, const char* changeDiary,
                                   TQStatusList* status) {
  return tqDefChange<TQCreateFilterArgs>(
      TQDef::kCreateFilter, control, status,
      [&]() -> uint32_t {
        uint32_t code = tqCheckControlAndName(control, name, 0, status);
        if (code >= TQ_RETURN_ERROR) return code;
        code = checkFilterAttributes(&order, &opSet, &enable, status);
        if (code >= TQ_RETURN_ERROR) return code;
        return tqCheckArgsCreateFilter(control, name, schema, query, actionList, elseList, owner,
                                       status);
      },
      [&](TQCreateFilterArgs& a) {
        a.name = tqDefText(name);
        a.order = order;
        a.schema = tqDefText(schema);
        a.operations = opSet;
        a.enable = enable;
        a.query = tqDefValueOf(query);
        a.actions = tqDefValueOf(actionList);
        a.elseActions = elseList == nullptr ? noActions() : *elseList;
        tqDefFillCommon(&a.common, helpText, owner, changeDiary);
      });
}

extern "C" uint32_t TQDeleteFilter(TQControlStruct* control, const char* name,
                                   TQStatusList* status) {
  return tqDefDeleteByName(TQDef::kDeleteFilter, control, name, status);
}

extern "C" uint32_t TQGetListFilter(TQControlStruct* control, const char* schema,
                                    TQTimestamp changedSince, TQNameList* nameList,
                                    TQStatusList* status) {
  return tqDefListOfSchema(TQDef::kGetListFilter, control, schema, changedSince, nameList, status);
}

// -------------------------------------------------------------- escalations

extern "C" uint32_t TQGetEscalation(TQControlStruct* control, const char* name,
                                    TQEscalationTmStruct* escalationTime, TQNameType schema,
                                    uint32_t* enable, TQQualifierStruct* query,
                                    TQFilterActionList* actionList, TQFilterActionList* elseList,
                                    char** helpText, TQTimestamp* timestamp,
                                    TQAccessNameType owner, TQAccessNameType lastChanged,
                                    char** changeDiary, TQStatusList* status) {
  const TQDefCommonOut common{helpText, timestamp, owner, lastChanged, changeDiary};
  return tqDefOperation<TQNameMaskArgs, TQGetEscalationResult>(
      TQDef::kGetEscalation, control, status,
      [&] {
        tqDefClear(escalationTime);
        if (schema != nullptr) schema[0] = '\0';
        tqDefClear(enable);
        tqDefClear(query);
        tqDefClear(actionList);
        tqDefClear(elseList);
        common.clear();
      },
      [&] { return tqCheckArgsControlName(control, name, status); },
      [&](TQNameMaskArgs& a) {
        a.name = tqDefText(name);
        a.mask = tqDefMask({query != nullptr, actionList != nullptr, elseList != nullptr,
                            helpText != nullptr, changeDiary != nullptr});
      },
      [&](TQGetEscalationResult& r) {
        if (escalationTime != nullptr) *escalationTime = r.time;
        tqDefCopyName(schema, r.schema);
        if (enable != nullptr) *enable = r.enable;
        tqDefHandOver(query, r.query);
        tqDefHandOver(actionList, r.actions);
        tqDefHandOver(elseList, r.elseActions);
        common.takeOver(r.common);
      });
}

extern "C" uint32_t TQSetEscalation(TQControlStruct* control, const char* name,
                                    const char* newName,
                                    const TQEscalationTmStruct* escalationTime,
                                    const char* schema, const uint32_t* enable,
                                    TQQualifierStruct* query, TQFilterActionList* actionList,
                                    TQFilterActionList* elseList, const char* helpText,
                                    const char* owner, const char* changeDiary,
                                    TQStatusList* status) {
  const bool renames = tqDefRenames(name, newName);
  const uint32_t mask = tqDefMask(
      {renames, escalationTime != nullptr, schema != nullptr, enable != nullptr,
       query != nullptr, actionList != nullptr, elseList != nullptr, helpText != nullptr,
       owner != nullptr, changeDiary != nullptr});
  return tqDefChange<TQSetEscalationArgs>(
      TQDef::kSetEscalation, control, status,
      [&]() -> uint32_t {
        uint32_t code = tqCheckControlNameNewName(control, name, newName, status);
        if (code >= TQ_RETURN_ERROR) return code;
        if (mask == 0) return tqDefNothingToChange(status);
        if (escalationTime != nullptr) {
          code = checkEscalationTime(escalationTime, status);
          if (code >= TQ_RETURN_ERROR) return code;
        }
        code = tqDefCheckEnable(enable, status);
        if (code >= TQ_RETURN_ERROR) return code;
        return tqCheckArgsSetEscalation(control, name, newName, schema, query, actionList,
                                        elseList, owner, status);
      },
      [&](TQSetEscalationArgs& a) {
        a.name = tqDefText(name);
        a.changedMask = mask;
        a.newName = tqDefText(renames ? newName : "");
        a.time = tqDefValueOf(escalationTime);
        if (escalationTime == nullptr) {
          a.time.escalationTmType = TQ_ESCALATION_TYPE_INTERVAL;
          a.time.u.interval = 1;
        }
        a.schema = tqDefText(schema);
        a.enable = enable == nullptr ? 1 : *enable;
        a.query = tqDefValueOf(query);
        a.actions = tqDefValueOf(actionList);
        a.elseActions = tqDefValueOf(elseList);
        tqDefFillCommon(&a.common, helpText, owner, changeDiary);
      });
}

extern "C" uint32_t TQCreateEscalation(TQControlStruct* control, const char* name,
                                       const TQEscalationTmStruct* escalationTime,
                                       const char* schema, uint32_t enable,
                                       TQQualifierStruct* query, TQFilterActionList* actionList,
                                       TQFilterActionList* elseList, const char* helpText,
                                       const char* owner, const char* changeDiary,
                                       TQStatusList* status) {
  return tqDefChange<TQCreateEscalationArgs>(
      TQDef::kCreateEscalation, control, status,
      [&]() -> uint32_t {
        uint32_t code = tqCheckControlAndName(control, name, 0, status);
        if (code >= TQ_RETURN_ERROR) return code;
        if (escalationTime == nullptr) return tqDefError(status, 247);
        code = checkEscalationTime(escalationTime, status);
        if (code >= TQ_RETURN_ERROR) return code;
        code = tqDefCheckEnable(&enable, status);
        if (code >= TQ_RETURN_ERROR) return code;
        return tqCheckArgsCreateEscalation(control, name, schema, query, actionList, elseList,
                                           owner, status);
      },
      [&](TQCreateEscalationArgs& a) {
        a.name = tqDefText(name);
        a.time = *escalationTime;
        a.schema = tqDefText(schema);
        a.enable = enable;
        a.query = tqDefValueOf(query);
        a.actions = tqDefValueOf(actionList);
        a.elseActions = elseList == nullptr ? noActions() : *elseList;
        tqDefFillCommon(&a.common, helpText, owner, changeDiary);
      });
}

extern "C" uint32_t TQDeleteEscalation(TQControlStruct* control, const char* name,
                                       TQStatusList* status) {
  return tqDefDeleteByName(TQDef::kDeleteEscalation, control, name, status);
}

extern "C" uint32_t TQGetListEscalation(TQControlStruct* control, const char* schema,
                                        TQTimestamp changedSince, TQNameList* nameList,
                                        TQStatusList* status) {
  return tqDefListOfSchema(TQDef::kGetListEscalation, control, schema, changedSince, nameList,
                           status);
}
