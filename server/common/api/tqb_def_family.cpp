// The rows of the definition family (procedure, channel, timeout class,
// time-out message) and the pieces its members share.
#include "api/tqb_def_family.h"

#include <array>

#include "share/apisrv/memory.h"

namespace {

using T = TQTimeout;
constexpr int32_t kRead = kTQMsgTimeoutRead;
constexpr int32_t kChange = kTQMsgTimeoutChange;

// Channels: 0 administrative (changes), 1 general (reads), 2 query.
constexpr std::array<TQCallPlan, static_cast<size_t>(TQDef::kCount)> kPlans = {{
    {"TQGetSchema", 7, 1, T::kNormal, kRead},
    {"TQSetSchema", 8, 0, T::kExtraLong, kChange},
    {"TQCreateSchema", 9, 0, T::kExtraLong, kChange},
    {"TQDeleteSchema", 10, 0, T::kExtraLong, kChange},
    {"TQGetListSchema", 11, 1, T::kNormal, kRead},
    {"TQGetField", 12, 1, T::kNormal, kRead},
    {"TQSetField", 13, 0, T::kExtraLong, kChange},
    {"TQCreateField", 14, 0, T::kExtraLong, kChange},
    {"TQDeleteField", 43, 0, T::kExtraLong, kChange},
    {"TQGetListField", 15, 1, T::kNormal, kRead},
    {"TQDeleteMultipleFields", 56, 0, T::kExtraLong, kChange},
    {"TQGetNameListForSchema", 60, 1, T::kNormal, kRead},
    {"TQGetCharMenu", 16, 1, T::kNormal, kRead},
    {"TQSetCharMenu", 17, 0, T::kLong, kChange},
    {"TQCreateCharMenu", 18, 0, T::kLong, kChange},
    {"TQDeleteCharMenu", 19, 0, T::kLong, kChange},
    {"TQGetListCharMenu", 20, 1, T::kNormal, kRead},
    {"TQGetExpandCharMenu", 45, 1, T::kNormal, kRead},
    {"TQGetExpandCharMenu", 55, 2, T::kLong, kRead},
    {"TQGetFilter", 21, 1, T::kNormal, kRead},
    {"TQSetFilter", 22, 0, T::kNormal, kChange},
    {"TQCreateFilter", 23, 0, T::kNormal, kChange},
    {"TQDeleteFilter", 24, 0, T::kNormal, kChange},
    {"TQGetListFilter", 25, 1, T::kNormal, kRead},
    {"TQGetActiveLink", 38, 1, T::kNormal, kRead},
    {"TQSetActiveLink", 39, 0, T::kNormal, kChange},
    {"TQCreateActiveLink", 40, 0, T::kNormal, kChange},
    {"TQDeleteActiveLink", 41, 0, T::kNormal, kChange},
    {"TQGetListActiveLink", 42, 1, T::kNormal, kRead},
    {"TQGetEscalation", 48, 1, T::kNormal, kRead},
    {"TQSetEscalation", 49, 0, T::kNormal, kChange},
    {"TQCreateEscalation", 50, 0, T::kNormal, kChange},
    {"TQDeleteEscalation", 51, 0, T::kNormal, kChange},
    {"TQGetListEscalation", 52, 1, T::kNormal, kRead},
    {"TQGetVUI", 62, 1, T::kNormal, kRead},
    {"TQSetVUI", 63, 0, T::kNormal, kChange},
    {"TQCreateVUI", 64, 0, T::kNormal, kChange},
    {"TQDeleteVUI", 65, 0, T::kNormal, kChange},
    {"TQGetListVUI", 66, 1, T::kNormal, kRead},
    {"TQGetContainer", 74, 1, T::kNormal, kRead},
    {"TQSetContainer", 75, 0, T::kExtraLong, kChange},
    {"TQCreateContainer", 76, 0, T::kExtraLong, kChange},
    {"TQDeleteContainer", 77, 0, T::kExtraLong, kChange},
    {"TQGetListContainer", 78, 1, T::kNormal, kRead},
    {"TQGetSupportFile", 68, 1, T::kNormal, kRead},
    {"TQSetSupportFile", 69, 0, T::kLong, kChange},
    {"TQCreateSupportFile", 69, 0, T::kLong, kChange},
    {"TQDeleteSupportFile", 71, 0, T::kNormal, kChange},
    {"TQGetListSupportFile", 72, 1, T::kNormal, kRead},
    {"TQVerifyUser", 32, 1, T::kNormal, kRead},
    {"TQGetListGroup", 33, 1, T::kNormal, kRead},
    {"TQGetListUser", 46, 1, T::kNormal, kRead},
    {"TQSetServerInfo", 44, 0, T::kNormal, kChange},
    {"TQGetServerStatistics", 57, 1, T::kNormal, kRead},
    {"TQGetFullTextInfo", 54, 1, T::kNormal, kRead},
    {"TQSetFullTextInfo", 53, 0, T::kLong, kChange},
    {"TQGetListSQL", 59, 2, T::kLong, kRead},
    {"TQExecuteProcess", 61, 2, T::kNormal, kChange},
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
