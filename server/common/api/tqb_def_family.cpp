// The call plans of the definition family and the pieces its members share.
#include "api/tqb_def_family.h"

#include <array>

#include "share/apisrv/memory.h"

namespace {

// Channel, timeout class and time-out message come from the procedure
// table; a member that shares its procedure with another names itself.
constexpr std::array<TQCallPlan, static_cast<size_t>(TQDef::kCount)> kPlans = {{
    tqCallPlan(7),  // TQGetSchema
    tqCallPlan(8),  // TQSetSchema
    tqCallPlan(9),  // TQCreateSchema
    tqCallPlan(10),  // TQDeleteSchema
    tqCallPlan(11),  // TQGetListSchema
    tqCallPlan(12),  // TQGetField
    tqCallPlan(13),  // TQSetField
    tqCallPlan(14),  // TQCreateField
    tqCallPlan(43),  // TQDeleteField
    tqCallPlan(15),  // TQGetListField
    tqCallPlan(56),  // TQDeleteMultipleFields
    tqCallPlan(60),  // TQGetNameListForSchema
    tqCallPlan(16),  // TQGetCharMenu
    tqCallPlan(17),  // TQSetCharMenu
    tqCallPlan(18),  // TQCreateCharMenu
    tqCallPlan(19),  // TQDeleteCharMenu
    tqCallPlan(20),  // TQGetListCharMenu
    tqCallPlan(45, "TQGetExpandCharMenu"),
    tqCallPlan(55, "TQGetExpandCharMenu"),
    tqCallPlan(21),  // TQGetFilter
    tqCallPlan(22),  // TQSetFilter
    tqCallPlan(23),  // TQCreateFilter
    tqCallPlan(24),  // TQDeleteFilter
    tqCallPlan(25),  // TQGetListFilter
    tqCallPlan(38),  // TQGetActiveLink
    tqCallPlan(39),  // TQSetActiveLink
    tqCallPlan(40),  // TQCreateActiveLink
    tqCallPlan(41),  // TQDeleteActiveLink
    tqCallPlan(42),  // TQGetListActiveLink
    tqCallPlan(48),  // TQGetEscalation
    tqCallPlan(49),  // TQSetEscalation
    tqCallPlan(50),  // TQCreateEscalation
    tqCallPlan(51),  // TQDeleteEscalation
    tqCallPlan(52),  // TQGetListEscalation
    tqCallPlan(62),  // TQGetVUI
    tqCallPlan(63),  // TQSetVUI
    tqCallPlan(64),  // TQCreateVUI
    tqCallPlan(65),  // TQDeleteVUI
    tqCallPlan(66),  // TQGetListVUI
    tqCallPlan(74),  // TQGetContainer
    tqCallPlan(75),  // TQSetContainer
    tqCallPlan(76),  // TQCreateContainer
    tqCallPlan(77),  // TQDeleteContainer
    tqCallPlan(78),  // TQGetListContainer
    tqCallPlan(68),  // TQGetSupportFile
    tqCallPlan(69),  // TQSetSupportFile
    tqCallPlan(69, "TQCreateSupportFile"),
    tqCallPlan(71),  // TQDeleteSupportFile
    tqCallPlan(72),  // TQGetListSupportFile
    tqCallPlan(32),  // TQVerifyUser
    tqCallPlan(33),  // TQGetListGroup
    tqCallPlan(46),  // TQGetListUser
    tqCallPlan(44),  // TQSetServerInfo
    tqCallPlan(57),  // TQGetServerStatistics
    tqCallPlan(54),  // TQGetFullTextInfo
    tqCallPlan(53),  // TQSetFullTextInfo
    tqCallPlan(59),  // TQGetListSQL
    tqCallPlan(61),  // TQExecuteProcess
}};

char kEmpty[1] = {'\0'};

}  // namespace

const TQCallPlan& tqDefPlan(TQDef member) { return kPlans[static_cast<size_t>(member)]; }

uint32_t tqDefNothingToChange(TQStatusList* status) {
  TQAppendStatus(status, TQ_MSG_WARNING, 54, nullptr);
  return kTQDefNothingToChange;
}

uint32_t tqDefError(TQStatusList* status, int32_t number) {
  const uint32_t code = TQAppendStatus(status, TQ_MSG_ERROR, number, nullptr);
  return code < TQ_RETURN_ERROR ? TQ_RETURN_ERROR : code;
}

void TQDefCommonOut::clear() const {
  if (helpText != nullptr) *helpText = nullptr;
  if (changed != nullptr) *changed = 0;
  if (owner != nullptr) owner[0] = '\0';
  if (lastChanged != nullptr) lastChanged[0] = '\0';
  if (changeDiary != nullptr) *changeDiary = nullptr;
}

void TQDefCommonOut::takeOver(TQCommonAttributes& from) const {
  tqDefHandOver(helpText, from.helpText);
  if (changed != nullptr) *changed = from.changed;
  tqDefCopyName(owner, from.owner);
  tqDefCopyName(lastChanged, from.lastChanged);
  tqDefHandOver(changeDiary, from.changeDiary);
}

char* tqDefText(const char* text) { return text == nullptr ? kEmpty : const_cast<char*>(text); }

void tqDefFillCommon(TQCommonChanges* to, const char* helpText, const char* owner,
                     const char* changeDiary) {
  to->helpText = tqDefText(helpText);
  std::memset(to->owner, 0, sizeof to->owner);
  if (owner != nullptr) std::strncpy(to->owner, owner, sizeof to->owner - 1);
  to->changeDiary = tqDefText(changeDiary);
}

uint32_t tqDefCheckEnable(const uint32_t* enable, TQStatusList* status) {
  if (enable != nullptr && *enable > 1) return tqDefError(status, 251);
  return 0;
}

uint32_t tqDefDeleteByName(TQDef member, TQControlStruct* control, const char* name,
                           TQStatusList* status) {
  return tqDefChange<TQNameArgs>(
      member, control, status, [&] { return tqCheckArgsControlName(control, name, status); },
      [&](TQNameArgs& a) { a.name = tqDefText(name); });
}

uint32_t tqDefListOfSchema(TQDef member, TQControlStruct* control, const char* schema,
                           TQTimestamp changedSince, TQNameList* nameList, TQStatusList* status) {
  return tqDefOperation<TQSchemaSinceArgs, TQNameListResult>(
      member, control, status, [&] { tqDefClear(nameList); },
      [&] { return tqCheckArgsGetListByName(control, schema, nameList == nullptr, status); },
      [&](TQSchemaSinceArgs& a) {
        a.schema = tqDefText(schema);
        a.changedSince = changedSince;
      },
      [&](TQNameListResult& r) { tqDefHandOver(nameList, r.names); });
}
