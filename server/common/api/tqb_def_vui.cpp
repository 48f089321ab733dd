// The view members of the definition family: TQGetVUI, TQSetVUI,
// TQCreateVUI, TQDeleteVUI and TQGetListVUI (procedures 62 to 66).
#include "api/tqb_def_family.h"

extern "C" uint32_t TQGetVUI(TQControlStruct* control, const char* schema, uint32_t vuiId,
                             TQNameType vuiName, TQPropList* props, char** helpText,
                             TQTimestamp* timestamp, TQAccessNameType owner,
                             TQAccessNameType lastChanged, char** changeDiary,
                             TQStatusList* status) {
  const TQDefCommonOut common{helpText, timestamp, owner, lastChanged, changeDiary};
  return tqDefOperation<TQViewMaskArgs, TQGetVUIResult>(
      TQDef::kGetVUI, control, status,
      [&] {
        if (vuiName != nullptr) vuiName[0] = '\0';
        tqDefClear(props);
        common.clear();
      },
      [&] { return tqCheckArgsControlName(control, schema, status); },
      [&](TQViewMaskArgs& a) {
        a.schema = tqDefText(schema);
        a.viewId = vuiId;
        a.mask = tqDefMask({props != nullptr, helpText != nullptr, changeDiary != nullptr});
      },
      [&](TQGetVUIResult& r) {
        tqDefCopyName(vuiName, r.viewName);
        tqDefHandOver(props, r.props);
        common.takeOver(r.common);
      });
}

extern "C" uint32_t TQSetVUI(TQControlStruct* control, const char* schema, uint32_t vuiId,
                             const char* vuiName, TQPropList* props, const char* helpText,
                             const char* owner, const char* changeDiary, TQStatusList* status) {
  const uint32_t mask =
      tqDefMask({vuiName != nullptr && vuiName[0] != '\0', props != nullptr, helpText != nullptr,
                 owner != nullptr, changeDiary != nullptr});
  return tqDefChange<TQSetVUIArgs>(
      TQDef::kSetVUI, control, status,
      [&]() -> uint32_t {
        const uint32_t code = tqCheckControlAndName(control, schema, 0, status);
        if (code >= TQ_RETURN_ERROR) return code;
        if (mask == 0) return tqDefNothingToChange(status);
        return tqCheckArgsSetVUI(control, schema, vuiName, props, owner, status);
      },
      [&](TQSetVUIArgs& a) {
        a.schema = tqDefText(schema);
        a.viewId = vuiId;
        a.changedMask = mask;
        a.viewName = tqDefText(vuiName);
        a.props = tqDefValueOf(props);
        tqDefFillCommon(&a.common, helpText, owner, changeDiary);
      });
}

extern "C" uint32_t TQCreateVUI(TQControlStruct* control, const char* schema, uint32_t* vuiId,
                                const char* vuiName, TQPropList* props, const char* helpText,
                                const char* owner, const char* changeDiary,
                                TQStatusList* status) {
  return tqDefOperation<TQCreateVUIArgs, TQIdResult>(
      TQDef::kCreateVUI, control, status, [] {},
      [&]() -> uint32_t {
        const uint32_t code = tqCheckControlAndName(control, schema, 0, status);
        if (code >= TQ_RETURN_ERROR) return code;
        if (vuiId == nullptr) return tqDefError(status, 178);
        return tqCheckArgsSetVUI(control, schema, vuiName, props, owner, status);
      },
      [&](TQCreateVUIArgs& a) {
        a.schema = tqDefText(schema);
        a.viewId = *vuiId;
        a.viewName = tqDefText(vuiName);
        a.props = tqDefValueOf(props);
        tqDefFillCommon(&a.common, helpText, owner, changeDiary);
      },
      [&](TQIdResult& r) { *vuiId = r.id; });
}

extern "C" uint32_t TQDeleteVUI(TQControlStruct* control, const char* schema, uint32_t vuiId,
                                TQStatusList* status) {
  return tqDefChange<TQViewArgs>(
      TQDef::kDeleteVUI, control, status,
      [&] { return tqCheckArgsControlName(control, schema, status); },
      [&](TQViewArgs& a) {
        a.schema = tqDefText(schema);
        a.viewId = vuiId;
      });
}

extern "C" uint32_t TQGetListVUI(TQControlStruct* control, const char* schema,
                                 TQTimestamp changedSince, TQInternalIdList* idList,
                                 TQStatusList* status) {
  return tqDefOperation<TQSchemaSinceArgs, TQIdListResult>(
      TQDef::kGetListVUI, control, status, [&] { tqDefClear(idList); },
      [&] { return tqCheckArgsGetListByName(control, schema, idList == nullptr, status); },
      [&](TQSchemaSinceArgs& a) {
        a.schema = tqDefText(schema);
        a.changedSince = changedSince;
      },
      [&](TQIdListResult& r) { tqDefHandOver(idList, r.ids); });
}
