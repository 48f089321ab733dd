// The member checks of the definition operations: each bad argument gives
// its own message and the call never reaches the server; a set with nothing
// to change is warning 54 without server contact.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "session_fixture.h"
#include "tq_test_server.h"
#include "tqlink.h"

namespace {

using tqsess::Client;
using tqsess::numbers;
using tqtest::TestServer;

TEST(DefinitionChecks, EachMemberCheckStopsTheCall) {
  TestServer server;
  Client c;
  ASSERT_EQ(c.route(server.port()), 0u);
  const uint64_t before = server.totalCalls();

  const uint32_t order1001 = 1001, ops0 = 0, ops32 = 32, enable2 = 2, refresh0 = 0, opt0 = 0,
                 mode3 = 3, mask0 = 0, mask65536 = 65536;
  TQEscalationTmStruct badType{};
  badType.escalationTmType = 3;
  TQEscalationTmStruct interval0{};
  interval0.escalationTmType = TQ_ESCALATION_TYPE_INTERVAL;
  TQEscalationTmStruct noDays{};
  noDays.escalationTmType = TQ_ESCALATION_TYPE_TIMEMARK;
  noDays.u.date.hourmask = 1;
  TQEscalationTmStruct noHours = noDays;
  noHours.u.date.weekday = 1;
  noHours.u.date.hourmask = 0;
  TQEscalationTmStruct minute60 = noHours;
  minute60.u.date.hourmask = 1;
  minute60.u.date.minute = 60;
  std::string longText(256, 'x');
  TQValueStruct longDefault{};
  longDefault.dataType = TQ_DATA_TYPE_CHAR;
  longDefault.u.charVal = longText.data();
  TQValueStruct intDefault{};
  intDefault.dataType = TQ_DATA_TYPE_INTEGER;
  TQFieldLimitStruct intLimit{};
  intLimit.dataType = TQ_DATA_TYPE_INTEGER;
  uint32_t id = 0;
  TQControlStruct* ctl = &c.control;
  TQStatusList* st = &c.status;

  struct Case {
    const char* what;
    std::function<uint32_t()> call;
    uint32_t code;
    int32_t number;
  };
  const std::vector<Case> cases = {
      {"set filter, nothing", [&] { return TQSetFilter(ctl, "F", "F", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 1, 54},
      {"set schema, nothing", [&] { return TQSetSchema(ctl, "S", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 1, 54},
      {"set field, nothing", [&] { return TQSetField(ctl, "S", 8, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 1, 54},
      {"set menu, nothing", [&] { return TQSetCharMenu(ctl, "M", "", nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 1, 54},
      {"set VUI, nothing", [&] { return TQSetVUI(ctl, "S", 1, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 1, 54},
      {"set container, nothing", [&] { return TQSetContainer(ctl, "C", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr, st); }, 1, 54},
      {"set filter order", [&] { return TQSetFilter(ctl, "F", nullptr, &order1001, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 169},
      {"set filter ops 0", [&] { return TQSetFilter(ctl, "F", nullptr, nullptr, nullptr, &ops0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 115},
      {"set filter ops 32", [&] { return TQSetFilter(ctl, "F", nullptr, nullptr, nullptr, &ops32, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 115},
      {"set filter enable", [&] { return TQSetFilter(ctl, "F", nullptr, nullptr, nullptr, nullptr, &enable2, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 251},
      {"create filter order", [&] { return TQCreateFilter(ctl, "F", 1001, "S", 1, 1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 169},
      {"create filter no actions", [&] { return TQCreateFilter(ctl, "F", 1, "S", 1, 1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 116},
      {"set link order", [&] { return TQSetActiveLink(ctl, "A", nullptr, &order1001, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 169},
      {"set link mask 0", [&] { return TQSetActiveLink(ctl, "A", nullptr, nullptr, nullptr, nullptr, &mask0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 187},
      {"set link mask 65536", [&] { return TQSetActiveLink(ctl, "A", nullptr, nullptr, nullptr, nullptr, &mask65536, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 187},
      {"set link enable", [&] { return TQSetActiveLink(ctl, "A", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &enable2, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 251},
      {"escalation type", [&] { return TQSetEscalation(ctl, "E", nullptr, &badType, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 246},
      {"escalation interval", [&] { return TQSetEscalation(ctl, "E", nullptr, &interval0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 247},
      {"escalation no days", [&] { return TQSetEscalation(ctl, "E", nullptr, &noDays, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 248},
      {"escalation no hours", [&] { return TQSetEscalation(ctl, "E", nullptr, &noHours, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 249},
      {"escalation minute", [&] { return TQSetEscalation(ctl, "E", nullptr, &minute60, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 250},
      {"create escalation no time", [&] { return TQCreateEscalation(ctl, "E", nullptr, "S", 1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 247},
      {"menu refresh", [&] { return TQSetCharMenu(ctl, "M", nullptr, &refresh0, nullptr, nullptr, nullptr, nullptr, st); }, 2, 207},
      {"create menu refresh 4", [&] { return TQCreateCharMenu(ctl, "M", 4, nullptr, nullptr, nullptr, nullptr, st); }, 2, 207},
      {"set field option", [&] { return TQSetField(ctl, "S", 8, nullptr, &opt0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 118},
      {"set field mode", [&] { return TQSetField(ctl, "S", 8, nullptr, nullptr, &mode3, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 119},
      {"set field long default", [&] { return TQSetField(ctl, "S", 8, nullptr, nullptr, nullptr, &longDefault, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 180},
      {"create field no id", [&] { return TQCreateField(ctl, "S", nullptr, 0, "f", nullptr, 4, 1, 1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 178},
      {"create field type", [&] { return TQCreateField(ctl, "S", &id, 0, "f", nullptr, 1, 1, 1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 110},
      {"create field option", [&] { return TQCreateField(ctl, "S", &id, 0, "f", nullptr, 4, 5, 1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 118},
      {"create field mode", [&] { return TQCreateField(ctl, "S", &id, 0, "f", nullptr, 4, 1, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 119},
      {"create attachment default", [&] { return TQCreateField(ctl, "S", &id, 0, "f", nullptr, 11, 1, 1, &intDefault, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 111},
      {"create field long default", [&] { return TQCreateField(ctl, "S", &id, 0, "f", nullptr, 4, 1, 1, &longDefault, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 180},
      {"create default type", [&] { return TQCreateField(ctl, "S", &id, 0, "f", nullptr, 4, 1, 1, &intDefault, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, st); }, 2, 166},
      {"create limit type", [&] { return TQCreateField(ctl, "S", &id, 0, "f", nullptr, 4, 1, 1, nullptr, nullptr, &intLimit, nullptr, nullptr, nullptr, nullptr, st); }, 2, 167},
      {"create VUI no id", [&] { return TQCreateVUI(ctl, "S", nullptr, "v", nullptr, nullptr, nullptr, nullptr, st); }, 2, 178},
      {"process no command", [&] { return TQExecuteProcess(ctl, "", nullptr, nullptr, st); }, 2, 117},
      {"SQL empty", [&] { TQValueListList rows{}; return TQGetListSQL(ctl, "", 0, &rows, nullptr, st); }, 2, 261},
      {"SQL no output", [&] { return TQGetListSQL(ctl, "select 1", 0, nullptr, nullptr, st); }, 2, 105},
      {"users no output", [&] { return TQGetListUser(ctl, 0, nullptr, st); }, 2, 105},
      {"support file type", [&] { return TQDeleteSupportFile(ctl, 2, "A", 0, 1, st); }, 2, 296},
      {"support file no stream", [&] { return TQSetSupportFile(ctl, 1, "A", 0, 1, nullptr, st); }, 2, 295},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    c.fresh();
    EXPECT_EQ(k.call(), k.code);
    const std::vector<int32_t> got = numbers(c.status);
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.front(), k.number);
  }
  c.fresh();
  EXPECT_EQ(server.totalCalls(), before);
}

}  // namespace
