// The character-menu members of the definition family: TQGetCharMenu,
// TQSetCharMenu, TQCreateCharMenu, TQDeleteCharMenu and TQGetListCharMenu
// (procedures 16 to 20). The expansion of a menu is tqb_def_menu_expand.cpp.
#include "api/tqb_def_family.h"

namespace {

// 207: a refresh code other than 1 to 3.
uint32_t checkRefreshCode(uint32_t refreshCode, TQStatusList* status) {
  if (refreshCode == 0 || refreshCode >= 4) return tqDefError(status, 207);
  return 0;
}

}  // namespace

extern "C" uint32_t TQGetCharMenu(TQControlStruct* control, const char* name,
                                  uint32_t* refreshCode, TQCharMenuStruct* menu, char** helpText,
                                  TQTimestamp* timestamp, TQAccessNameType owner,
                                  TQAccessNameType lastChanged, char** changeDiary,
                                  TQStatusList* status) {
  const TQDefCommonOut common{helpText, timestamp, owner, lastChanged, changeDiary};
  return tqDefOperation<TQNameMaskArgs, TQGetCharMenuResult>(
      TQDef::kGetCharMenu, control, status,
      [&] {
        tqDefClear(refreshCode);
        tqDefClear(menu);
        common.clear();
      },
      [&] { return tqCheckArgsControlName(control, name, status); },
      [&](TQNameMaskArgs& a) {
        a.name = tqDefText(name);
        a.mask = tqDefMask({menu != nullptr, helpText != nullptr, changeDiary != nullptr});
      },
      [&](TQGetCharMenuResult& r) {
        if (refreshCode != nullptr) *refreshCode = r.refreshCode;
        tqDefHandOver(menu, r.menu);
        common.takeOver(r.common);
      });
}

extern "C" uint32_t TQSetCharMenu(TQControlStruct* control, const char* name, const char* newName,
                                  const uint32_t* refreshCode, TQCharMenuStruct* menu,
                                  const char* helpText, const char* owner,
                                  const char* changeDiary, TQStatusList* status) {
  const bool renames = tqDefRenames(name, newName);
  const uint32_t mask = tqDefMask({renames, refreshCode != nullptr, menu != nullptr,
                                   helpText != nullptr, owner != nullptr, changeDiary != nullptr});
  return tqDefChange<TQSetCharMenuArgs>(
      TQDef::kSetCharMenu, control, status,
      [&]() -> uint32_t {
        uint32_t code = tqCheckControlNameNewName(control, name, newName, status);
        if (code >= TQ_RETURN_ERROR) return code;
        if (mask == 0) return tqDefNothingToChange(status);
        if (refreshCode != nullptr) {
          code = checkRefreshCode(*refreshCode, status);
          if (code >= TQ_RETURN_ERROR) return code;
        }
        return tqCheckArgsSetCharMenu(control, name, newName, menu, owner, status);
      },
      [&](TQSetCharMenuArgs& a) {
        a.name = tqDefText(name);
        a.changedMask = mask;
        a.newName = tqDefText(renames ? newName : "");
        a.refreshCode = refreshCode == nullptr ? 1 : *refreshCode;
        a.menu = tqDefValueOf(menu);
        tqDefFillCommon(&a.common, helpText, owner, changeDiary);
      });
}

extern "C" uint32_t TQCreateCharMenu(TQControlStruct* control, const char* name,
                                     uint32_t refreshCode, TQCharMenuStruct* menu,
                                     const char* helpText, const char* owner,
                                     const char* changeDiary, TQStatusList* status) {
  return tqDefChange<TQCreateCharMenuArgs>(
      TQDef::kCreateCharMenu, control, status,
      [&]() -> uint32_t {
        uint32_t code = tqCheckControlAndName(control, name, 0, status);
        if (code >= TQ_RETURN_ERROR) return code;
        code = checkRefreshCode(refreshCode, status);
        if (code >= TQ_RETURN_ERROR) return code;
        return tqCheckArgsCreateCharMenu(control, name, menu, owner, status);
      },
      [&](TQCreateCharMenuArgs& a) {
        a.name = tqDefText(name);
        a.refreshCode = refreshCode;
        a.menu = tqDefValueOf(menu);
        tqDefFillCommon(&a.common, helpText, owner, changeDiary);
      });
}

extern "C" uint32_t TQDeleteCharMenu(TQControlStruct* control, const char* name,
                                     TQStatusList* status) {
  return tqDefDeleteByName(TQDef::kDeleteCharMenu, control, name, status);
}

extern "C" uint32_t TQGetListCharMenu(TQControlStruct* control, TQTimestamp changedSince,
                                      TQNameList* nameList, TQStatusList* status) {
  return tqDefOperation<TQSinceArgs, TQNameListResult>(
      TQDef::kGetListCharMenu, control, status, [&] { tqDefClear(nameList); },
      [&] { return tqCheckArgsControl(control, status); },
      [&](TQSinceArgs& a) { a.changedSince = changedSince; },
      [&](TQNameListResult& r) { tqDefHandOver(nameList, r.names); });
}
