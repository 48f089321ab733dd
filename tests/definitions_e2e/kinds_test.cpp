// Every named kind of definition through its whole life against the
// server: create (a second create is refused), get with every output and
// with the help text alone, set (rename and help text: the changed mask
// names only those), list by changed-since, delete. One table of kinds.
#include <functional>

#include "def_fixture.h"

namespace {

using deftest::DefServer;
using deftest::kForm;
using deftest::Session;
using deftest::take;

// What a full get reports of the server-set attributes.
struct Common {
  std::string help;
  std::string owner;
  std::string lastChanged;
  TQTimestamp changed = 0;
};

struct Kind {
  const char* what;
  std::function<uint32_t(Session&, const char*)> create;
  std::function<uint32_t(Session&, const char*, Common*)> getAll;  // every output
  std::function<uint32_t(Session&, const char*, char**)> getHelp;  // the help text alone
  std::function<uint32_t(Session&, const char*, const char*, const char*)> set;  // new name, help
  std::function<uint32_t(Session&, TQTimestamp, TQNameList*)> list;
  std::function<uint32_t(Session&, const char*)> remove;
};

void takeCommon(char*& help, TQAccessNameType owner, TQAccessNameType last, char*& diary,
                TQTimestamp changed, Common* out) {
  out->help = take(help);
  take(diary);
  out->owner = owner;
  out->lastChanged = last;
  out->changed = changed;
}

// Fixtures the kinds' records point at.
TQFilterActionStruct logAction() {
  TQFilterActionStruct a{};
  a.action = TQ_FILTER_ACTION_LOG;
  a.u.logFile = const_cast<char*>("/tmp/filter.log");
  return a;
}
TQFilterActionStruct gLog = logAction();
TQFilterActionList gFilterActions{1, &gLog};

TQActiveLinkActionStruct messageAction() {
  TQActiveLinkActionStruct a{};
  a.action = TQ_ACTIVE_LINK_ACTION_MESSAGE;
  a.u.message.messageNumber = 10000;
  a.u.message.messageText = const_cast<char*>("hello");
  return a;
}
TQActiveLinkActionStruct gMessage = messageAction();
TQActiveLinkActionList gLinkActions{1, &gMessage};
uint32_t gGroupIds[] = {10};
TQInternalIdList gGroups{1, gGroupIds};

TQCharMenuItemStruct gItem = [] {
  TQCharMenuItemStruct item{};
  std::strcpy(item.label, "One");
  item.itemType = TQ_MENU_ITEM_VALUE;
  item.u.value = const_cast<char*>("1");
  return item;
}();
TQCharMenuStruct gMenu = [] {
  TQCharMenuStruct m{};
  m.menuType = TQ_CHAR_MENU_LIST;
  m.u.menuList = TQCharMenuList{1, &gItem};
  return m;
}();

TQEscalationTmStruct gInterval = [] {
  TQEscalationTmStruct t{};
  t.escalationTmType = TQ_ESCALATION_TYPE_INTERVAL;
  t.u.interval = 300;
  return t;
}();

TQPermissionStruct gEveryone{0, 2};
TQPermissionList gPermissions{1, &gEveryone};

const std::vector<Kind>& kinds() {
  static const std::vector<Kind> table = {
      {"menu",
       [](Session& c, const char* n) {
         return TQCreateCharMenu(c.ctl(), n, 1, &gMenu, "help one", nullptr, "made", c.st());
       },
       [](Session& c, const char* n, Common* out) {
         uint32_t refresh = 0;
         TQCharMenuStruct menu{};
         char *help = nullptr, *diary = nullptr;
         TQTimestamp t = 0;
         TQAccessNameType owner{}, last{};
         const uint32_t code =
             TQGetCharMenu(c.ctl(), n, &refresh, &menu, &help, &t, owner, last, &diary, c.st());
         EXPECT_EQ(refresh, 1u);
         EXPECT_EQ(menu.menuType, static_cast<uint32_t>(TQ_CHAR_MENU_LIST));
         EXPECT_EQ(menu.u.menuList.numItems, 1u);
         FreeTQCharMenuStruct(&menu, 0);
         takeCommon(help, owner, last, diary, t, out);
         return code;
       },
       [](Session& c, const char* n, char** help) {
         return TQGetCharMenu(c.ctl(), n, nullptr, nullptr, help, nullptr, nullptr, nullptr,
                              nullptr, c.st());
       },
       [](Session& c, const char* n, const char* nn, const char* help) {
         return TQSetCharMenu(c.ctl(), n, nn, nullptr, nullptr, help, nullptr, nullptr, c.st());
       },
       [](Session& c, TQTimestamp since, TQNameList* names) {
         return TQGetListCharMenu(c.ctl(), since, names, c.st());
       },
       [](Session& c, const char* n) { return TQDeleteCharMenu(c.ctl(), n, c.st()); }},
      {"filter",
       [](Session& c, const char* n) {
         return TQCreateFilter(c.ctl(), n, 500, kForm, 2, 1, nullptr, &gFilterActions, nullptr,
                               "help one", nullptr, "made", c.st());
       },
       [](Session& c, const char* n, Common* out) {
         uint32_t order = 0, ops = 0, enable = 9;
         TQNameType schema{};
         TQQualifierStruct query{};
         TQFilterActionList actions{}, elses{};
         char *help = nullptr, *diary = nullptr;
         TQTimestamp t = 0;
         TQAccessNameType owner{}, last{};
         const uint32_t code =
             TQGetFilter(c.ctl(), n, &order, schema, &ops, &enable, &query, &actions, &elses, &help,
                         &t, owner, last, &diary, c.st());
         EXPECT_EQ(order, 500u);
         EXPECT_STREQ(schema, kForm);
         EXPECT_EQ(ops, 2u);
         EXPECT_EQ(enable, 1u);
         EXPECT_EQ(actions.numItems, 1u);
         if (actions.numItems == 1) {
           EXPECT_STREQ(actions.actionList[0].u.logFile, "/tmp/filter.log");
         }
         EXPECT_EQ(elses.numItems, 0u);
         FreeTQQualifierStruct(&query, 0);
         FreeTQFilterActionList(&actions, 0);
         FreeTQFilterActionList(&elses, 0);
         takeCommon(help, owner, last, diary, t, out);
         return code;
       },
       [](Session& c, const char* n, char** help) {
         return TQGetFilter(c.ctl(), n, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, help, nullptr, nullptr, nullptr, nullptr, c.st());
       },
       [](Session& c, const char* n, const char* nn, const char* help) {
         return TQSetFilter(c.ctl(), n, nn, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, help, nullptr, nullptr, c.st());
       },
       [](Session& c, TQTimestamp since, TQNameList* names) {
         return TQGetListFilter(c.ctl(), kForm, since, names, c.st());
       },
       [](Session& c, const char* n) { return TQDeleteFilter(c.ctl(), n, c.st()); }},
      {"active link",
       [](Session& c, const char* n) {
         return TQCreateActiveLink(c.ctl(), n, 5, kForm, &gGroups, 1, nullptr, nullptr, 1, nullptr,
                                   &gLinkActions, nullptr, "help one", nullptr, "made", c.st());
       },
       [](Session& c, const char* n, Common* out) {
         uint32_t order = 0, mask = 0, control = 9, focus = 9, enable = 9;
         TQNameType schema{};
         TQInternalIdList groups{};
         TQQualifierStruct query{};
         TQActiveLinkActionList actions{}, elses{};
         char *help = nullptr, *diary = nullptr;
         TQTimestamp t = 0;
         TQAccessNameType owner{}, last{};
         const uint32_t code =
             TQGetActiveLink(c.ctl(), n, &order, schema, &groups, &mask, &control, &focus, &enable,
                             &query, &actions, &elses, &help, &t, owner, last, &diary, c.st());
         EXPECT_EQ(order, 5u);
         EXPECT_EQ(mask, 1u);
         EXPECT_EQ(groups.numItems, 1u);
         EXPECT_EQ(actions.numItems, 1u);
         if (actions.numItems == 1) {
           EXPECT_STREQ(actions.actionList[0].u.message.messageText, "hello");
         }
         FreeTQInternalIdList(&groups, 0);
         FreeTQQualifierStruct(&query, 0);
         FreeTQActiveLinkActionList(&actions, 0);
         FreeTQActiveLinkActionList(&elses, 0);
         takeCommon(help, owner, last, diary, t, out);
         return code;
       },
       [](Session& c, const char* n, char** help) {
         return TQGetActiveLink(c.ctl(), n, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                nullptr, nullptr, nullptr, nullptr, help, nullptr, nullptr, nullptr,
                                nullptr, c.st());
       },
       [](Session& c, const char* n, const char* nn, const char* help) {
         return TQSetActiveLink(c.ctl(), n, nn, nullptr, nullptr, nullptr, nullptr, nullptr,
                                nullptr, nullptr, nullptr, nullptr, nullptr, help, nullptr, nullptr,
                                c.st());
       },
       [](Session& c, TQTimestamp since, TQNameList* names) {
         return TQGetListActiveLink(c.ctl(), kForm, since, names, c.st());
       },
       [](Session& c, const char* n) { return TQDeleteActiveLink(c.ctl(), n, c.st()); }},
      {"escalation",
       [](Session& c, const char* n) {
         return TQCreateEscalation(c.ctl(), n, &gInterval, kForm, 1, nullptr, &gFilterActions,
                                   nullptr, "help one", nullptr, "made", c.st());
       },
       [](Session& c, const char* n, Common* out) {
         TQEscalationTmStruct time{};
         TQNameType schema{};
         uint32_t enable = 9;
         TQQualifierStruct query{};
         TQFilterActionList actions{}, elses{};
         char *help = nullptr, *diary = nullptr;
         TQTimestamp t = 0;
         TQAccessNameType owner{}, last{};
         const uint32_t code = TQGetEscalation(c.ctl(), n, &time, schema, &enable, &query, &actions,
                                               &elses, &help, &t, owner, last, &diary, c.st());
         EXPECT_EQ(time.escalationTmType, static_cast<uint32_t>(TQ_ESCALATION_TYPE_INTERVAL));
         EXPECT_EQ(time.u.interval, 300u);
         EXPECT_STREQ(schema, kForm);
         EXPECT_EQ(actions.numItems, 1u);
         FreeTQQualifierStruct(&query, 0);
         FreeTQFilterActionList(&actions, 0);
         FreeTQFilterActionList(&elses, 0);
         takeCommon(help, owner, last, diary, t, out);
         return code;
       },
       [](Session& c, const char* n, char** help) {
         return TQGetEscalation(c.ctl(), n, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                help, nullptr, nullptr, nullptr, nullptr, c.st());
       },
       [](Session& c, const char* n, const char* nn, const char* help) {
         return TQSetEscalation(c.ctl(), n, nn, nullptr, nullptr, nullptr, nullptr, nullptr,
                                nullptr, help, nullptr, nullptr, c.st());
       },
       [](Session& c, TQTimestamp since, TQNameList* names) {
         return TQGetListEscalation(c.ctl(), kForm, since, names, c.st());
       },
       [](Session& c, const char* n) { return TQDeleteEscalation(c.ctl(), n, c.st()); }},
      {"container",
       [](Session& c, const char* n) {
         TQContainerOwnerObj owner{};
         return TQCreateContainer(c.ctl(), n, &gPermissions, nullptr, &owner, "Label", "About", 1,
                                  nullptr, 0, "help one", nullptr, "made", c.st());
       },
       [](Session& c, const char* n, Common* out) {
         TQPermissionList groups{};
         TQInternalIdList admins{};
         TQContainerOwnerObj ownerObj{};
         char *label = nullptr, *description = nullptr;
         uint32_t type = 0;
         TQReferenceList references{};
         char *help = nullptr, *diary = nullptr;
         TQTimestamp t = 0;
         TQAccessNameType owner{}, last{};
         const uint32_t code =
             TQGetContainer(c.ctl(), n, nullptr, &groups, &admins, &ownerObj, &label, &description,
                            &type, &references, &help, &t, owner, last, &diary, c.st());
         EXPECT_EQ(groups.numItems, 1u);
         EXPECT_EQ(take(label), "Label");
         EXPECT_EQ(take(description), "About");
         EXPECT_EQ(type, 1u);
         FreeTQPermissionList(&groups, 0);
         FreeTQInternalIdList(&admins, 0);
         FreeTQReferenceList(&references, 0);
         takeCommon(help, owner, last, diary, t, out);
         return code;
       },
       [](Session& c, const char* n, char** help) {
         return TQGetContainer(c.ctl(), n, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, help, nullptr, nullptr, nullptr, nullptr, c.st());
       },
       [](Session& c, const char* n, const char* nn, const char* help) {
         return TQSetContainer(c.ctl(), n, nn, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, 0, help, nullptr, nullptr, c.st());
       },
       [](Session& c, TQTimestamp since, TQNameList* names) {
         TQContainerInfoList found{};
         const uint32_t code =
             TQGetListContainer(c.ctl(), since, nullptr, 0, nullptr, &found, c.st());
         names->numItems = found.numItems;
         names->nameList =
             found.numItems == 0
                 ? nullptr
                 : static_cast<TQNameType*>(std::calloc(found.numItems, sizeof(TQNameType)));
         for (uint32_t i = 0; i < found.numItems; ++i) {
           std::memcpy(names->nameList[i], found.conInfoList[i].name, sizeof(TQNameType));
         }
         FreeTQContainerInfoList(&found, 0);
         return code;
       },
       [](Session& c, const char* n) { return TQDeleteContainer(c.ctl(), n, c.st()); }},
  };
  return table;
}

std::vector<std::string> listed(const Kind& k, Session& c, TQTimestamp since) {
  TQNameList names{};
  EXPECT_EQ(k.list(c, since, &names), 0u) << k.what;
  std::vector<std::string> out;
  for (uint32_t i = 0; i < names.numItems; ++i)
    out.push_back(names.nameList[i]);
  FreeTQNameList(&names, 0);
  return out;
}

TEST(DefinitionKinds, EachKindLivesThroughCreateGetSetListAndDelete) {
  DefServer s;
  Session c(s.server());
  for (const Kind& k : kinds()) {
    SCOPED_TRACE(k.what);
    ASSERT_LE(k.create(c, "First"), 1u) << c.numbers().front();
    EXPECT_EQ(k.create(c, "First"), 2u);
    EXPECT_EQ(c.numbers().front(), 9362);

    Common common;
    ASSERT_EQ(k.getAll(c, "First", &common), 0u);
    EXPECT_EQ(common.help, "help one");
    EXPECT_EQ(common.owner, "Joe");
    EXPECT_EQ(common.lastChanged, "Joe");
    EXPECT_GT(common.changed, 0);

    char* help = nullptr;
    ASSERT_EQ(k.getHelp(c, "First", &help), 0u);
    EXPECT_EQ(take(help), "help one");

    // Nothing to change: the warning comes without a call.
    const uint64_t calls = s.server().totalCalls();
    EXPECT_EQ(k.set(c, "First", "First", nullptr), 1u);
    EXPECT_EQ(c.numbers().front(), 54);
    EXPECT_EQ(s.server().totalCalls(), calls);

    ASSERT_EQ(k.set(c, "First", "Second", "help two"), 0u) << c.numbers().front();
    EXPECT_EQ(k.getHelp(c, "First", &help), 2u);
    EXPECT_EQ(c.numbers().front(), 9361);
    take(help);  // a failed get still hands over what the answer held
    ASSERT_EQ(k.getHelp(c, "Second", &help), 0u);
    EXPECT_EQ(take(help), "help two");
    // Only the help text changed: the rest is as created.
    ASSERT_EQ(k.getAll(c, "Second", &common), 0u);

    EXPECT_EQ(listed(k, c, 0), std::vector<std::string>{"Second"});
    EXPECT_EQ(listed(k, c, common.changed + 3600), std::vector<std::string>{});

    ASSERT_EQ(k.remove(c, "Second"), 0u);
    EXPECT_EQ(k.remove(c, "Second"), 2u);
    EXPECT_EQ(c.numbers().front(), 9361);
    EXPECT_EQ(listed(k, c, 0), std::vector<std::string>{});
  }
}

TEST(DefinitionKinds, ARenameOntoATakenNameIsRefused) {
  DefServer s;
  Session c(s.server());
  for (const Kind& k : kinds()) {
    SCOPED_TRACE(k.what);
    ASSERT_LE(k.create(c, "A"), 1u);
    ASSERT_LE(k.create(c, "B"), 1u);
    EXPECT_EQ(k.set(c, "A", "B", "other"), 2u);
    EXPECT_EQ(c.numbers().front(), 9362);
    char* help = nullptr;
    ASSERT_EQ(k.getHelp(c, "A", &help), 0u);
    EXPECT_EQ(take(help), "help one");  // the refused set changed nothing
  }
}

TEST(DefinitionKinds, AFormThatDoesNotExistIsRefused) {
  DefServer s;
  Session c(s.server());
  EXPECT_EQ(TQCreateFilter(c.ctl(), "F", 1, "No:Such", 2, 1, nullptr, &gFilterActions, nullptr,
                           nullptr, nullptr, nullptr, c.st()),
            2u);
  EXPECT_EQ(c.numbers().front(), 9361);
  ASSERT_EQ(TQCreateFilter(c.ctl(), "F", 1, kForm, 2, 1, nullptr, &gFilterActions, nullptr, nullptr,
                           nullptr, nullptr, c.st()),
            0u);
  EXPECT_EQ(TQSetFilter(c.ctl(), "F", nullptr, nullptr, "No:Such", nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr, nullptr, c.st()),
            2u);
  EXPECT_EQ(c.numbers().front(), 9361);
  TQNameType schema{};
  ASSERT_EQ(TQGetFilter(c.ctl(), "F", nullptr, schema, nullptr, nullptr, nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr, nullptr, c.st()),
            0u);
  EXPECT_STREQ(schema, kForm);
}

// The names of the filters, active links and escalations that serve a form.
std::vector<std::string> servingNames(Session& c, const char* form) {
  std::vector<std::string> out;
  using List = uint32_t (*)(TQControlStruct*, const char*, TQTimestamp, TQNameList*, TQStatusList*);
  for (List list : {List{TQGetListFilter}, List{TQGetListActiveLink}, List{TQGetListEscalation}}) {
    TQNameList names{};
    EXPECT_LE(list(c.ctl(), form, 0, &names, c.st()), 1u);
    for (uint32_t i = 0; i < names.numItems; ++i)
      out.push_back(names.nameList[i]);
    FreeTQNameList(&names, 0);
  }
  return out;
}

// A renamed form takes what serves it along; a deleted form takes it away,
// and leaves what serves other forms.
TEST(DefinitionKinds, WhatServesAFormFollowsItsRenameAndDelete) {
  DefServer s;
  Session c(s.server());
  TQCompoundSchema regular{};
  regular.schemaType = TQ_SCHEMA_REGULAR;
  ASSERT_EQ(TQCreateSchema(c.ctl(), "Test:Old", &regular, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr, nullptr, nullptr, c.st()),
            0u)
      << c.numbers().front();
  ASSERT_EQ(TQCreateFilter(c.ctl(), "F", 1, "Test:Old", 2, 1, nullptr, &gFilterActions, nullptr,
                           nullptr, nullptr, nullptr, c.st()),
            0u);
  ASSERT_EQ(TQCreateActiveLink(c.ctl(), "A", 5, "Test:Old", &gGroups, 1, nullptr, nullptr, 1,
                               nullptr, &gLinkActions, nullptr, nullptr, nullptr, nullptr, c.st()),
            0u)
      << c.numbers().front();
  ASSERT_EQ(TQCreateEscalation(c.ctl(), "E", &gInterval, "Test:Old", 1, nullptr, &gFilterActions,
                               nullptr, nullptr, nullptr, nullptr, c.st()),
            0u);
  ASSERT_EQ(TQCreateFilter(c.ctl(), "Other", 1, kForm, 2, 1, nullptr, &gFilterActions, nullptr,
                           nullptr, nullptr, nullptr, c.st()),
            0u);

  ASSERT_EQ(TQSetSchema(c.ctl(), "Test:Old", "Test:New", nullptr, nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr, nullptr, c.st()),
            0u)
      << c.numbers().front();
  EXPECT_EQ(servingNames(c, "Test:Old"), std::vector<std::string>{});
  EXPECT_EQ(servingNames(c, "Test:New"), (std::vector<std::string>{"F", "A", "E"}));
  TQNameType filterForm{}, linkForm{}, escalationForm{};
  ASSERT_EQ(TQGetFilter(c.ctl(), "F", nullptr, filterForm, nullptr, nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, c.st()),
            0u);
  ASSERT_EQ(TQGetActiveLink(c.ctl(), "A", nullptr, linkForm, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, c.st()),
            0u);
  ASSERT_EQ(TQGetEscalation(c.ctl(), "E", nullptr, escalationForm, nullptr, nullptr, nullptr,
                            nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, c.st()),
            0u);
  EXPECT_STREQ(filterForm, "Test:New");
  EXPECT_STREQ(linkForm, "Test:New");
  EXPECT_STREQ(escalationForm, "Test:New");

  ASSERT_EQ(TQDeleteSchema(c.ctl(), "Test:New", 0, c.st()), 0u) << c.numbers().front();
  EXPECT_EQ(servingNames(c, ""), std::vector<std::string>{"Other"});
  EXPECT_EQ(TQGetFilter(c.ctl(), "F", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr, nullptr, c.st()),
            2u);
  // The name is free again.
  EXPECT_EQ(TQCreateFilter(c.ctl(), "F", 1, kForm, 2, 1, nullptr, &gFilterActions, nullptr, nullptr,
                           nullptr, nullptr, c.st()),
            0u);
}

}  // namespace
