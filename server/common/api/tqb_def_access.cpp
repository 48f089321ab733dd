// The user and group members of the definition family: TQVerifyUser,
// TQGetListGroup and TQGetListUser (procedures 32, 33 and 46).
#include <cstring>

#include "api/tqb_def_family.h"

extern "C" uint32_t TQVerifyUser(TQControlStruct* control, TQBoolean* adminFlag,
                                 TQBoolean* subAdminFlag, TQBoolean* customizeFlag,
                                 TQStatusList* status) {
  return tqDefOperation<TQHeaderArgs, TQVerifyUserResult>(
      TQDef::kVerifyUser, control, status,
      [&] {
        tqDefClear(adminFlag);
        tqDefClear(subAdminFlag);
        tqDefClear(customizeFlag);
      },
      [&] { return tqCheckArgsControl(control, status); }, [](TQHeaderArgs&) {},
      [&](TQVerifyUserResult& r) {
        if (adminFlag != nullptr) *adminFlag = r.admin;
        if (subAdminFlag != nullptr) *subAdminFlag = r.subAdmin;
        if (customizeFlag != nullptr) *customizeFlag = r.customize;
      });
}

extern "C" uint32_t TQGetListGroup(TQControlStruct* control, const char* userName,
                                   TQGroupInfoList* groupList, TQStatusList* status) {
  return tqDefOperation<TQGetListGroupArgs, TQGetListGroupResult>(
      TQDef::kGetListGroup, control, status, [&] { tqDefClear(groupList); },
      [&] { return tqCheckArgsGetListByName(control, userName, groupList == nullptr, status); },
      [&](TQGetListGroupArgs& a) {
        if (userName != nullptr) std::strncpy(a.user, userName, sizeof a.user - 1);
      },
      [&](TQGetListGroupResult& r) { tqDefHandOver(groupList, r.groups); });
}

extern "C" uint32_t TQGetListUser(TQControlStruct* control, uint32_t userListType,
                                  TQUserInfoList* userList, TQStatusList* status) {
  return tqDefOperation<TQGetListUserArgs, TQGetListUserResult>(
      TQDef::kGetListUser, control, status, [&] { tqDefClear(userList); },
      [&]() -> uint32_t {
        const uint32_t code = tqCheckArgsControl(control, status);
        if (code >= TQ_RETURN_ERROR) return code;
        if (userList == nullptr) return tqDefError(status, 105);
        return code;
      },
      [&](TQGetListUserArgs& a) { a.listType = userListType; },
      [&](TQGetListUserResult& r) { tqDefHandOver(userList, r.users); });
}
