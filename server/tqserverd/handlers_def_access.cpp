// Users, groups and server settings as definitions: 32 TQVerifyUser (the
// caller's administrator, sub-administrator and customize flags from group
// membership, groups.h), 33 TQGetListGroup (the groups of a user, every
// group for an empty name), 46 TQGetListUser, 44 TQSetServerInfo, 57
// TQGetServerStatistics, 53 and 54 the full-text settings, and 90 to 93:
// create and delete users and groups.
//
// Procedures 90 to 93 carry no call header; their records begin with the
// client's host name and the user name and clear password of the caller,
// who must be an administrator. Users and groups made by them are kept in
// the store (account_store.h).
#include <cstdlib>
#include <cstring>

#include <map>

#include "account_store.h"
#include "def_common.h"
#include "def_record.h"
#include "handler_families.h"
#include "rpc/xdr_defs.h"
#include "share/apisrv/error.h"

namespace tqsd {
namespace {

constexpr int32_t kMsgBadPassword = 329;
constexpr int32_t kMsgUnknownCode = 123;
constexpr uint32_t kListAllUsers = 0;
constexpr uint32_t kStatisticCalls = 1;

void verifyUser(Call& call, TQHeaderArgs&, TQVerifyUserResult& result) {
  const GroupTable& groups = call.server.groups;
  const std::string user = callerOf(call);
  result.admin = groups.isMember(user, kAdminGroup) ? 1 : 0;
  result.subAdmin = groups.isMember(user, kSubAdminGroup) ? 1 : 0;
  result.customize = groups.isMember(user, kCustomizeGroup) || result.admin != 0 ? 1 : 0;
}

void listGroups(Call& call, TQGetListGroupArgs& args, TQGetListGroupResult& result) {
  const GroupTable& table = call.server.groups;
  const std::string user = nameOf(args.user);
  std::vector<const Group*> groups;
  if (user.empty()) {
    for (const auto& [id, group] : table.all())
      groups.push_back(&group);
  } else {
    if (!call.server.users.password(user)) {
      return addStatus(call, TQ_MSG_ERROR, kMsgNoSuchUser, user.c_str());
    }
    groups = table.groupsOf(user);
  }
  if (groups.empty()) return;
  auto* items =
      static_cast<TQGroupInfoStruct*>(std::calloc(groups.size(), sizeof(TQGroupInfoStruct)));
  if (items == nullptr) return addStatus(call, TQ_MSG_ERROR, kTQMsgNoMemory);
  result.groups.groupList = items;
  for (const Group* group : groups) {
    TQGroupInfoStruct& item = items[result.groups.numItems++];
    item.groupId = group->id;
    item.groupType = group->type;
    item.groupName.nameList = static_cast<TQNameType*>(std::calloc(1, sizeof(TQNameType)));
    if (item.groupName.nameList == nullptr) return addStatus(call, TQ_MSG_ERROR, kTQMsgNoMemory);
    item.groupName.numItems = 1;
    setName(item.groupName.nameList[0], group->name);
  }
}

// List type 0: every user; 1: the caller alone; any other: the users with
// a connection, which this server does not track, so the caller alone.
void listUsers(Call& call, TQGetListUserArgs& args, TQGetListUserResult& result) {
  std::vector<std::string> names;
  if (args.listType == kListAllUsers) {
    names = call.server.users.names();
  } else {
    names.push_back(callerOf(call));
  }
  if (names.empty()) return;
  auto* items = static_cast<TQUserInfoStruct*>(std::calloc(names.size(), sizeof(TQUserInfoStruct)));
  if (items == nullptr) return addStatus(call, TQ_MSG_ERROR, kTQMsgNoMemory);
  result.users.userList = items;
  for (const std::string& name : names) {
    TQUserInfoStruct& item = items[result.users.numItems++];
    setName(item.userName, name);
    item.emailAddress = strdup(call.server.users.email(name).c_str());
    if (item.emailAddress == nullptr) return addStatus(call, TQ_MSG_ERROR, kTQMsgNoMemory);
  }
}

bool callerIsAdministrator(Call& call, const std::string& user) {
  if (call.server.groups.isMember(user, kAdminGroup)) return true;
  addStatus(call, TQ_MSG_ERROR, kMsgNotAdministrator, user.c_str());
  return false;
}

// Server information of any data type; only administrators change it.
void setServerInfo(Call& call, TQSetServerInfoArgs& args, TQStatusResult&) {
  if (!callerIsAdministrator(call, callerOf(call))) return;
  if (!withinItemLimit(call, args.info.numItems)) return;
  for (uint32_t i = 0; i < args.info.numItems; ++i) {
    TQServerInfoStruct& item = args.info.serverInfoList[i];
    call.server.serverInfo.set(item.operation, item.value);
  }
}

// Statistic 1: the calls of the server program so far; other codes are
// unknown (123).
void getServerStatistics(Call& call, TQGetServerInfoArgs& args, TQGetServerInfoResult& result) {
  const TQServerInfoRequestList& asked = args.requests;
  if (asked.numItems == 0 || !withinItemLimit(call, asked.numItems)) return;
  auto* items =
      static_cast<TQServerInfoStruct*>(std::calloc(asked.numItems, sizeof(TQServerInfoStruct)));
  if (items == nullptr) return addStatus(call, TQ_MSG_ERROR, kTQMsgNoMemory);
  result.info.serverInfoList = items;
  for (uint32_t i = 0; i < asked.numItems; ++i) {
    if (asked.requestList[i] != kStatisticCalls) {
      addErrorNumber(call, kMsgUnknownCode, asked.requestList[i]);
      continue;
    }
    TQServerInfoStruct& item = items[result.info.numItems++];
    item.operation = kStatisticCalls;
    item.value.dataType = TQ_DATA_TYPE_INTEGER;
    item.value.u.intVal = static_cast<int32_t>(call.server.stats.serverCalls());
  }
}

// Full-text settings, kept for the server's life as the encoded items the
// administrators set, by code.
std::map<uint32_t, std::string>& fullTextSettings() {
  static std::map<uint32_t, std::string> settings;
  return settings;
}

void setFullTextInfo(Call& call, TQSetFullTextInfoArgs& args, TQStatusResult&) {
  if (!callerIsAdministrator(call, callerOf(call))) return;
  if (!withinItemLimit(call, args.info.numItems)) return;
  std::map<uint32_t, std::string> changed;
  for (uint32_t i = 0; i < args.info.numItems; ++i) {
    TQFullTextInfoStruct& item = args.info.fullTextInfoList[i];
    changed[item.infoType] = encodeRecord(xdr_TQFullTextInfoStruct, item);
  }
  for (auto& [code, bytes] : changed)
    fullTextSettings()[code] = std::move(bytes);
}

void getFullTextInfo(Call& call, TQGetFullTextInfoArgs& args, TQGetFullTextInfoResult& result) {
  const TQFullTextInfoRequestList& asked = args.requests;
  if (asked.numItems == 0 || !withinItemLimit(call, asked.numItems)) return;
  auto* items =
      static_cast<TQFullTextInfoStruct*>(std::calloc(asked.numItems, sizeof(TQFullTextInfoStruct)));
  if (items == nullptr) return addStatus(call, TQ_MSG_ERROR, kTQMsgNoMemory);
  result.info.fullTextInfoList = items;
  for (uint32_t i = 0; i < asked.numItems; ++i) {
    auto found = fullTextSettings().find(asked.requestList[i]);
    if (found == fullTextSettings().end()) {
      addErrorNumber(call, kMsgUnknownCode, asked.requestList[i]);
      continue;
    }
    decodeRecord(xdr_TQFullTextInfoStruct, found->second, &items[result.info.numItems]);
    ++result.info.numItems;
  }
}

// ------------------------------------------------------------ 90 to 93

// The caller of an account procedure: known, with the right password, and
// an administrator.
bool accountCaller(Call& call, const TQAccountPrefix& prefix) {
  const std::string user = textOf(prefix.user);
  std::optional<std::string> password = call.server.users.password(user);
  if (!password || *password != textOf(prefix.password)) {
    addStatus(call, TQ_MSG_ERROR, kMsgBadPassword);
    return false;
  }
  return callerIsAdministrator(call, user);
}

bool accountName(Call& call, const std::string& name, size_t limit) {
  if (!name.empty() && name.size() <= limit) return true;
  addStatus(call, TQ_MSG_ERROR, kMsgBadDefinition, "a name needs 1 to 30 bytes");
  return false;
}

void createUser(Call& call, TQCreateUserArgs& args, TQStatusList&) {
  if (!accountCaller(call, args.prefix)) return;
  const std::string user = textOf(args.userName);
  if (!accountName(call, user, TQ_MAX_ACCESS_NAME_SIZE)) return;
  if (textOf(args.password).size() > TQ_MAX_PASSWORD_SIZE) {
    return addStatus(call, TQ_MSG_ERROR, kMsgBadDefinition, "a password has at most 30 bytes");
  }
  for (uint32_t i = 0; i < args.groupIds.numItems; ++i) {
    const uint32_t id = args.groupIds.internalIdList[i];
    if (call.server.groups.all().count(id) == 0) return addErrorNumber(call, kMsgNoSuchGroup, id);
  }
  if (call.server.users.password(user)) {
    return addStatus(call, TQ_MSG_ERROR, kMsgAccountExists, user.c_str());
  }
  Transaction transaction(store());
  storeUser(user, textOf(args.password), textOf(args.emailAddress));
  for (uint32_t i = 0; i < args.groupIds.numItems; ++i) {
    storeMember(args.groupIds.internalIdList[i], user);
  }
  transaction.commit();
  call.server.users.add(user, textOf(args.password), textOf(args.emailAddress));
  for (uint32_t i = 0; i < args.groupIds.numItems; ++i) {
    call.server.groups.join(user, args.groupIds.internalIdList[i]);
  }
}

void deleteUser(Call& call, TQDeleteUserArgs& args, TQStatusList&) {
  if (!accountCaller(call, args.prefix)) return;
  const std::string user = textOf(args.userName);
  if (!call.server.users.password(user)) {
    return addStatus(call, TQ_MSG_ERROR, kMsgNoSuchUser, user.c_str());
  }
  Transaction transaction(store());
  dropUser(user);
  transaction.commit();
  call.server.users.remove(user);
  call.server.groups.leaveAll(user);
}

// Group id 0 picks the next free id.
void createGroup(Call& call, TQCreateGroupArgs& args, TQStatusList&) {
  if (!accountCaller(call, args.prefix)) return;
  Group group;
  group.name = textOf(args.groupName);
  if (!accountName(call, group.name, TQ_MAX_NAME_SIZE)) return;
  if (args.groupType != TQ_GROUP_TYPE_VIEW && args.groupType != TQ_GROUP_TYPE_CHANGE) {
    return addErrorNumber(call, kMsgBadDefinition, args.groupType);
  }
  group.type = args.groupType;
  group.id = args.groupId;
  const auto& all = call.server.groups.all();
  if (group.id == 0) group.id = all.empty() ? 1 : all.rbegin()->first + 1;
  if (all.count(group.id) != 0 || call.server.groups.find(group.name) != nullptr) {
    return addStatus(call, TQ_MSG_ERROR, kMsgAccountExists, group.name.c_str());
  }
  Transaction transaction(store());
  storeGroup(group);
  transaction.commit();
  call.server.groups.add(std::move(group));
}

void deleteGroup(Call& call, TQDeleteGroupArgs& args, TQStatusList&) {
  if (!accountCaller(call, args.prefix)) return;
  const std::string name = textOf(args.groupName);
  const Group* group = call.server.groups.find(name);
  if (group == nullptr) return addStatus(call, TQ_MSG_ERROR, kMsgNoSuchGroup, name.c_str());
  Transaction transaction(store());
  dropGroup(group->id);
  transaction.commit();
  call.server.groups.remove(name);
}

constexpr Handler kHandlers[] = {
    handler<TQHeaderArgs, TQVerifyUserResult, verifyUser>(32),
    handler<TQGetListGroupArgs, TQGetListGroupResult, listGroups>(33),
    handler<TQSetServerInfoArgs, TQStatusResult, setServerInfo>(44),
    handler<TQGetListUserArgs, TQGetListUserResult, listUsers>(46),
    handler<TQSetFullTextInfoArgs, TQStatusResult, setFullTextInfo>(53),
    handler<TQGetFullTextInfoArgs, TQGetFullTextInfoResult, getFullTextInfo>(54),
    handler<TQGetServerInfoArgs, TQGetServerInfoResult, getServerStatistics>(57),
    handler<TQCreateUserArgs, TQStatusList, createUser>(90),
    handler<TQDeleteUserArgs, TQStatusList, deleteUser>(91),
    handler<TQCreateGroupArgs, TQStatusList, createGroup>(92),
    handler<TQDeleteGroupArgs, TQStatusList, deleteGroup>(93),
};

}  // namespace

std::span<const Handler> accountHandlers() {
  return kHandlers;
}

}  // namespace tqsd
