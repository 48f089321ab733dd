// Users and groups: the flags of TQVerifyUser come from group membership,
// the group and user lists, and procedures 90 to 93 that change them (an
// administrator's calls only).
#include <unistd.h>

#include <cstdio>
#include <functional>

#include "def_fixture.h"

namespace {

using deftest::DefServer;
using deftest::Session;

std::vector<std::pair<uint32_t, std::string>> groupsOf(Session& c, const char* user) {
  TQGroupInfoList list{};
  EXPECT_EQ(TQGetListGroup(c.ctl(), user, &list, c.st()), 0u);
  std::vector<std::pair<uint32_t, std::string>> out;
  for (uint32_t i = 0; i < list.numItems; ++i) {
    const TQGroupInfoStruct& g = list.groupList[i];
    out.emplace_back(g.groupId, g.groupName.numItems > 0 ? g.groupName.nameList[0] : "");
  }
  FreeTQGroupInfoList(&list, 0);
  return out;
}

std::vector<std::string> users(Session& c) {
  TQUserInfoList list{};
  EXPECT_EQ(TQGetListUser(c.ctl(), 0, &list, c.st()), 0u);
  std::vector<std::string> out;
  for (uint32_t i = 0; i < list.numItems; ++i)
    out.push_back(list.userList[i].userName);
  FreeTQUserInfoList(&list, 0);
  return out;
}

TEST(Accounts, FlagsAndListsFollowTheGroupsFile) {
  DefServer s;
  Session joe(s.server());
  Session ann(s.server(), "Ann", "other");
  struct Case {
    Session* who;
    TQBoolean admin, subAdmin, customize;
  };
  for (const Case& k : {Case{&joe, 1, 0, 1}, Case{&ann, 0, 0, 0}}) {
    TQBoolean admin = 9, subAdmin = 9, customize = 9;
    ASSERT_EQ(TQVerifyUser(k.who->ctl(), &admin, &subAdmin, &customize, k.who->st()), 0u);
    EXPECT_EQ(admin, k.admin);
    EXPECT_EQ(subAdmin, k.subAdmin);
    EXPECT_EQ(customize, k.customize);
  }
  using Groups = std::vector<std::pair<uint32_t, std::string>>;
  EXPECT_EQ(groupsOf(joe, "Ann"), (Groups{{10, "Support"}, {11, "Readers"}}));
  EXPECT_EQ(groupsOf(joe, "").size(), 5u);
  TQGroupInfoList none{};
  EXPECT_EQ(TQGetListGroup(joe.ctl(), "Nobody", &none, joe.st()), 2u);
  EXPECT_EQ(joe.numbers().front(), 9366);
  EXPECT_EQ(users(joe), (std::vector<std::string>{"Ann", "Demo", "Joe"}));
}

TEST(Accounts, AdministratorsCreateAndDeleteUsersAndGroups) {
  DefServer s;
  // Each of these calls opens a session of its own, which finds the server
  // through the environment.
  const std::string port = std::to_string(s.server().port());
  tqsess::EnvVar tcpPort("TQTCPPORT", port.c_str());
  Session joe(s.server());
  uint32_t readers[] = {11};
  const TQInternalIdList groups{1, readers};
  ASSERT_EQ(TQCreateUser(joe.ctl(), "Kim", "pw", "kim@example.org", &groups, joe.st()), 0u)
      << joe.numbers().front();
  {
    Session kim(s.server(), "Kim", "pw");
    TQBoolean admin = 9, subAdmin = 9, customize = 9;
    EXPECT_EQ(TQVerifyUser(kim.ctl(), &admin, &subAdmin, &customize, kim.st()), 0u);
    EXPECT_EQ(admin, 0);
  }
  using Groups = std::vector<std::pair<uint32_t, std::string>>;
  EXPECT_EQ(groupsOf(joe, "Kim"), (Groups{{11, "Readers"}}));

  ASSERT_EQ(TQCreateGroup(joe.ctl(), "Team", 20, TQ_GROUP_TYPE_CHANGE, joe.st()), 0u);
  EXPECT_EQ(groupsOf(joe, "").back(), (std::pair<uint32_t, std::string>{20, "Team"}));

  struct Refusal {
    const char* what;
    std::function<uint32_t()> call;
    int32_t number;
  };
  Session ann(s.server(), "Ann", "other");
  const std::vector<Refusal> refusals = {
      {"user twice", [&] { return TQCreateUser(joe.ctl(), "Kim", "x", "", nullptr, joe.st()); },
       9368},
      {"group twice", [&] { return TQCreateGroup(joe.ctl(), "Team", 21, 1, joe.st()); }, 9368},
      {"group id twice", [&] { return TQCreateGroup(joe.ctl(), "Other", 20, 1, joe.st()); }, 9368},
      {"unknown group of a user",
       [&] {
         uint32_t g = 99;
         TQInternalIdList l{1, &g};
         return TQCreateUser(joe.ctl(), "Lee", "x", "", &l, joe.st());
       },
       9367},
      {"not an administrator",
       [&] { return TQCreateUser(ann.ctl(), "Lee", "x", "", nullptr, ann.st()); }, 9369},
      {"not an administrator, group", [&] { return TQDeleteGroup(ann.ctl(), "Team", ann.st()); },
       9369},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(r.call(), 2u);
    const std::vector<int32_t> got = r.what[0] == 'n' ? ann.numbers() : joe.numbers();
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.front(), r.number);
  }

  ASSERT_EQ(TQDeleteUser(joe.ctl(), "Kim", joe.st()), 0u);
  EXPECT_EQ(TQDeleteUser(joe.ctl(), "Kim", joe.st()), 2u);
  EXPECT_EQ(joe.numbers().front(), 9366);
  EXPECT_EQ(users(joe), (std::vector<std::string>{"Ann", "Demo", "Joe"}));
  ASSERT_EQ(TQDeleteGroup(joe.ctl(), "Team", joe.st()), 0u);
  EXPECT_EQ(TQDeleteGroup(joe.ctl(), "Team", joe.st()), 2u);
  EXPECT_EQ(joe.numbers().front(), 9367);
}

// Users and groups that procedures 90 to 93 make or remove are kept on the
// data file; at the restart the users and groups files add what the store
// lacks but never replace what it holds (group 11 stays "Crew").
TEST(Accounts, UsersAndGroupsSurviveARestartOnTheDataFile) {
  char folder[] = "/tmp/tqdefaccountsXXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string data = std::string(folder) + "/store.db";
  using Groups = std::vector<std::pair<uint32_t, std::string>>;
  {
    DefServer s({"--data", data});
    const std::string port = std::to_string(s.server().port());
    tqsess::EnvVar tcpPort("TQTCPPORT", port.c_str());
    Session joe(s.server());
    ASSERT_EQ(TQCreateGroup(joe.ctl(), "Team", 20, TQ_GROUP_TYPE_CHANGE, joe.st()), 0u)
        << joe.numbers().front();
    uint32_t ids[] = {10, 20};
    const TQInternalIdList groups{2, ids};
    ASSERT_EQ(TQCreateUser(joe.ctl(), "Kim", "pw", "kim@example.org", &groups, joe.st()), 0u)
        << joe.numbers().front();
    ASSERT_EQ(TQDeleteGroup(joe.ctl(), "Readers", joe.st()), 0u) << joe.numbers().front();
    ASSERT_EQ(TQCreateGroup(joe.ctl(), "Crew", 11, TQ_GROUP_TYPE_VIEW, joe.st()), 0u)
        << joe.numbers().front();
    ASSERT_EQ(TQCreateUser(joe.ctl(), "Lee", "x", "", nullptr, joe.st()), 0u);
    ASSERT_EQ(TQDeleteUser(joe.ctl(), "Lee", joe.st()), 0u);
    EXPECT_EQ(s.server().stop(), 0);
  }
  DefServer s({"--data", data});
  Session kim(s.server(), "Kim", "pw");
  TQBoolean admin = 9, subAdmin = 9, customize = 9;
  EXPECT_EQ(TQVerifyUser(kim.ctl(), &admin, &subAdmin, &customize, kim.st()), 0u)
      << kim.numbers().front();
  Session joe(s.server());
  EXPECT_EQ(groupsOf(joe, "Kim"), (Groups{{10, "Support"}, {20, "Team"}}));
  EXPECT_EQ(groupsOf(joe, "Ann"), (Groups{{10, "Support"}}));
  EXPECT_EQ(groupsOf(joe, ""), (Groups{{1, "Administrator"},
                                       {2, "Sub Administrator"},
                                       {3, "Customize"},
                                       {10, "Support"},
                                       {11, "Crew"},
                                       {20, "Team"}}));
  EXPECT_EQ(users(joe), (std::vector<std::string>{"Ann", "Demo", "Joe", "Kim"}));
  TQUserInfoList list{};
  ASSERT_EQ(TQGetListUser(joe.ctl(), 0, &list, joe.st()), 0u);
  ASSERT_EQ(list.numItems, 4u);
  EXPECT_STREQ(list.userList[3].emailAddress, "kim@example.org");
  FreeTQUserInfoList(&list, 0);
  std::remove(data.c_str());
  rmdir(folder);
}

// Integer and text settings come back with their type and value, to any
// session, and leave the values the server started with in place.
TEST(ServerSettings, InformationKeepsItsDataType) {
  DefServer s;
  Session joe(s.server());
  TQServerInfoStruct items[3]{};
  items[0].operation = 19;
  items[0].value.dataType = TQ_DATA_TYPE_INTEGER;
  items[0].value.u.intVal = -42;
  items[1].operation = 20;
  items[1].value.dataType = TQ_DATA_TYPE_INTEGER;
  items[1].value.u.intVal = 7;
  items[2].operation = 21;
  items[2].value.dataType = TQ_DATA_TYPE_CHAR;
  items[2].value.u.charVal = const_cast<char*>("text");
  const TQServerInfoList info{3, items};
  ASSERT_EQ(TQSetServerInfo(joe.ctl(), &info, joe.st()), 0u) << joe.numbers().front();

  Session ann(s.server(), "Ann", "other");
  uint32_t codes[] = {21, 19, 55, 20};
  const TQServerInfoRequestList asked{4, codes};
  TQServerInfoList got{};
  ASSERT_EQ(TQGetServerInfo(ann.ctl(), &asked, &got, ann.st()), 0u) << ann.numbers().front();
  ASSERT_EQ(got.numItems, 4u);
  const TQServerInfoStruct* g = got.serverInfoList;
  EXPECT_EQ(g[0].operation, 21u);
  ASSERT_EQ(g[0].value.dataType, static_cast<uint32_t>(TQ_DATA_TYPE_CHAR));
  EXPECT_STREQ(g[0].value.u.charVal, "text");
  EXPECT_EQ(g[1].operation, 19u);
  ASSERT_EQ(g[1].value.dataType, static_cast<uint32_t>(TQ_DATA_TYPE_INTEGER));
  EXPECT_EQ(g[1].value.u.intVal, -42);
  EXPECT_EQ(g[2].operation, 55u);
  ASSERT_EQ(g[2].value.dataType, static_cast<uint32_t>(TQ_DATA_TYPE_CHAR));
  EXPECT_STREQ(g[2].value.u.charVal, "en_US.UTF-8");
  EXPECT_EQ(g[3].operation, 20u);
  ASSERT_EQ(g[3].value.dataType, static_cast<uint32_t>(TQ_DATA_TYPE_INTEGER));
  EXPECT_EQ(g[3].value.u.intVal, 7);
  FreeTQServerInfoList(&got, 0);
}

TEST(ServerSettings, AdministratorsSetInformationAndFullTextSettings) {
  DefServer s;
  Session joe(s.server());
  Session ann(s.server(), "Ann", "other");
  TQServerInfoStruct item{};
  item.operation = 16;
  item.value.dataType = TQ_DATA_TYPE_CHAR;
  item.value.u.charVal = const_cast<char*>("tqserverd test");
  const TQServerInfoList info{1, &item};
  EXPECT_EQ(TQSetServerInfo(ann.ctl(), &info, ann.st()), 2u);
  EXPECT_EQ(ann.numbers().front(), 9369);
  ASSERT_EQ(TQSetServerInfo(joe.ctl(), &info, joe.st()), 0u) << joe.numbers().front();
  std::vector<std::string> texts;
  ASSERT_EQ(joe.serverInfo({16}, &texts), 0u);
  EXPECT_EQ(texts, std::vector<std::string>{"tqserverd test"});

  TQFullTextInfoStruct setting{};
  setting.infoType = 6;
  setting.u.value.dataType = TQ_DATA_TYPE_INTEGER;
  setting.u.value.u.intVal = 3;
  const TQFullTextInfoList settings{1, &setting};
  ASSERT_EQ(TQSetFullTextInfo(joe.ctl(), &settings, joe.st()), 0u) << joe.numbers().front();
  uint32_t codes[] = {6, 7};
  const TQFullTextInfoRequestList asked{2, codes};
  TQFullTextInfoList got{};
  EXPECT_EQ(TQGetFullTextInfo(joe.ctl(), &asked, &got, joe.st()), 2u);  // 7 is unknown
  ASSERT_EQ(got.numItems, 1u);
  EXPECT_EQ(got.fullTextInfoList[0].u.value.u.intVal, 3);
  FreeTQFullTextInfoList(&got, 0);

  uint32_t calls[] = {1};
  const TQServerInfoRequestList statistics{1, calls};
  TQServerInfoList counted{};
  ASSERT_EQ(TQGetServerStatistics(joe.ctl(), &statistics, &counted, joe.st()), 0u);
  ASSERT_EQ(counted.numItems, 1u);
  EXPECT_GT(counted.serverInfoList[0].value.u.intVal, 3);
  FreeTQServerInfoList(&counted, 0);
}

}  // namespace
