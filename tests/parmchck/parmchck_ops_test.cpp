// The operations' check sequences: argument order, the stop at the first
// failure, and warnings that let the call go on.
#include <functional>

#include "parmchck_fixture.h"

namespace {

struct EntryArgs {
  TQControlStruct control = validControl();
  TQEntryIdType id = "000000000000001";
  TQEntryIdList ids{1, &id};
  TQFieldValueStruct value{1, {}};
  TQFieldValueList values{1, &value};
  EntryArgs() { value.value.dataType = TQ_DATA_TYPE_INTEGER; }
};

TEST(ParmchckOps, EntryOperations) {
  EntryArgs a;
  TQEntryIdList noIds{0, nullptr};
  TQFieldValueList noValues{0, nullptr};
  struct Case {
    const char* what;
    std::function<uint32_t(TQStatusList*)> run;
    Numbers expected;
  } cases[] = {
      {"get", [&](auto* s) { return tqCheckArgsGetEntry(&a.control, "Orders", &a.ids, s); }, {}},
      {"get, no schema, no ids: the first failure ends",
       [&](auto* s) { return tqCheckArgsGetEntry(&a.control, "", &noIds, s); },
       {kTQErrNameMissing}},
      {"get, no ids",
       [&](auto* s) { return tqCheckArgsGetEntry(&a.control, "Orders", &noIds, s); },
       {kTQErrEntryIdListMissing}},
      {"set, no values",
       [&](auto* s) { return tqCheckArgsSetEntry(&a.control, "Orders", &a.ids, &noValues, s); },
       {}},
      {"create, no values",
       [&](auto* s) { return tqCheckArgsCreateEntry(&a.control, "Orders", nullptr, s); },
       {}},
      {"merge, no values",
       [&](auto* s) { return tqCheckArgsMergeEntry(&a.control, "Orders", &noValues, s); },
       {kTQErrFieldValueListMissing}},
      {"multiple, none",
       [&](auto* s) { return tqCheckArgsGetMultipleEntries(&a.control, "Orders", nullptr, s); },
       {kTQErrEntryIdListMissing}},
      {"load qualifier, no schema",
       [&](auto* s) { return tqCheckArgsLoadQualifier(nullptr, s); },
       {kTQErrNameMissing}},
  };
  for (const Case& c : cases) {
    Status s;
    EXPECT_TRUE(Outcome(c.run(s.get()), s, c.expected)) << c.what;
  }
}

TEST(ParmchckOps, ListAndStatistics) {
  TQControlStruct control = validControl();
  TQSortStruct sort{1, 3};
  TQSortList sortList{1, &sort};
  TQEntryListFieldStruct field{0, 10, ""};
  TQEntryListFieldList fields{1, &field};
  Status s;  // the query-list fields come before the sort list
  EXPECT_TRUE(
      Outcome(tqCheckArgsGetListEntry(&control, "Orders", nullptr, &fields, &sortList, s.get()), s,
              {kTQErrBadListField}));
  Status t;
  EXPECT_TRUE(
      Outcome(tqCheckArgsGetListEntry(&control, "Orders", nullptr, nullptr, &sortList, t.get()), t,
              {kTQErrBadSortList, kTQErrBadSortOrder}));

  TQFieldValueOrArithStruct count{};  // tag 0: no target
  Status u;
  EXPECT_TRUE(
      Outcome(tqCheckArgsGetEntryStatistics(&control, "Orders", nullptr, &count, u.get()), u, {}));
  count.tag = 77;
  Status v;
  EXPECT_TRUE(Outcome(tqCheckArgsGetEntryStatistics(&control, "Orders", nullptr, &count, v.get()),
                      v, {kTQErrBadOperandTag}));
}

TEST(ParmchckOps, PermissionWarningLetsTheCallGoOn) {
  TQControlStruct control = validControl();
  TQPermissionList none{0, nullptr};
  Status s;  // a field created without permissions: warned, later checks still run
  uint32_t result = tqCheckArgsCreateField(&control, "Orders", "Status", nullptr, 4, nullptr, &none,
                                           nullptr, nullptr, nullptr, s.get());
  EXPECT_EQ(result, 1u);
  EXPECT_EQ(s.numbers(), Numbers{kTQWarnNoPermissions});

  TQFieldLimitStruct limit{};
  limit.dataType = 40;
  Status t;
  result = tqCheckArgsCreateField(&control, "Orders", "Status", nullptr, 4, nullptr, &none, &limit,
                                  nullptr, nullptr, t.get());
  EXPECT_EQ(result, 2u);
  EXPECT_EQ(t.numbers(), (Numbers{kTQErrBadFieldLimit, kTQWarnNoPermissions}));

  Status quiet;  // data type 32 carries no data: no warning
  EXPECT_TRUE(Outcome(tqCheckArgsCreateField(&control, "Orders", "Page", nullptr, 32, nullptr,
                                             &none, nullptr, nullptr, nullptr, quiet.get()),
                      quiet, {}));
}

TEST(ParmchckOps, DefinitionOperations) {
  TQControlStruct control = validControl();
  TQFilterActionList noActions{0, nullptr};
  TQFilterActionStruct log{};
  log.action = TQ_FILTER_ACTION_LOG;
  TQFilterActionList logs{1, &log};
  TQCompoundSchema noType{};
  struct Case {
    const char* what;
    std::function<uint32_t(TQStatusList*)> run;
    Numbers expected;
  } cases[] = {
      {"set filter, only a new name",
       [&](auto* s) {
         return tqCheckArgsSetFilter(&control, "F", "G", nullptr, nullptr, nullptr, nullptr,
                                     nullptr, s);
       },
       {}},
      {"set filter, rename without name",
       [&](auto* s) {
         return tqCheckArgsSetFilter(&control, "", "G", nullptr, nullptr, nullptr, nullptr, nullptr,
                                     s);
       },
       {kTQErrNameMissing}},
      {"create filter, empty actions",
       [&](auto* s) {
         return tqCheckArgsCreateFilter(&control, "F", "Orders", nullptr, &noActions, nullptr,
                                        nullptr, s);
       },
       {kTQErrNoFilterActions}},
      {"create filter, no schema",
       [&](auto* s) {
         return tqCheckArgsCreateFilter(&control, "F", "", nullptr, &logs, nullptr, nullptr, s);
       },
       {kTQErrNameMissing}},
      {"create escalation, empty else list is not checked",
       [&](auto* s) {
         return tqCheckArgsCreateEscalation(&control, "E", "Orders", nullptr, &logs, &noActions,
                                            nullptr, s);
       },
       {}},
      {"create escalation, log file in the else list",
       [&](auto* s) {
         return tqCheckArgsCreateEscalation(&control, "E", "Orders", nullptr, &logs, &logs, nullptr,
                                            s);
       },
       {kTQErrWrongActionForEscalation}},
      {"create active link, no actions",
       [&](auto* s) {
         return tqCheckArgsCreateActiveLink(&control, "A", "Orders", nullptr, nullptr, nullptr,
                                            nullptr, s);
       },
       {kTQErrNoActiveLinkActions}},
      {"create schema, no type",
       [&](auto* s) {
         return tqCheckArgsCreateSchema(&control, "S", &noType, nullptr, nullptr, nullptr, nullptr,
                                        nullptr, s);
       },
       {kTQErrNoSchemaType}},
      {"set schema, no type",
       [&](auto* s) {
         return tqCheckArgsSetSchema(&control, "S", nullptr, &noType, nullptr, nullptr, nullptr,
                                     nullptr, nullptr, s);
       },
       {}},
      {"create menu, none given",
       [&](auto* s) { return tqCheckArgsCreateCharMenu(&control, "M", nullptr, nullptr, s); },
       {kTQErrBadCharMenu}},
      {"set menu, none given",
       [&](auto* s) { return tqCheckArgsSetCharMenu(&control, "M", nullptr, nullptr, nullptr, s); },
       {}},
      {"list filters without output",
       [&](auto* s) { return tqCheckArgsGetListByName(&control, "", 1, s); },
       {kTQErrNoOutput}},
      {"export nothing",
       [&](auto* s) { return tqCheckArgsExport(&control, nullptr, s); },
       {kTQErrNoStructItems}},
      {"import everything", [&](auto* s) { return tqCheckArgsImport(&control, nullptr, s); }, {}},
      {"server info, no control",
       [&](auto* s) { return tqCheckArgsGetServerInfo(nullptr, nullptr, s); },
       {kTQErrNoUser}},
      {"set full text, nothing",
       [&](auto* s) { return tqCheckArgsSetFullTextInfo(&control, nullptr, s); },
       {kTQErrNoFullTextInfo}},
  };
  for (const Case& c : cases) {
    Status s;
    EXPECT_TRUE(Outcome(c.run(s.get()), s, c.expected)) << c.what;
  }
}

TEST(ParmchckOps, SequenceStopsAtTheFirstFailure) {
  int calls = 0;
  auto pass = [&] {
    ++calls;
    return 0u;
  };
  auto warn = [&] {
    ++calls;
    return 1u;
  };
  auto failing = [&] {
    ++calls;
    return 2u;
  };
  EXPECT_EQ(tqCheckSequence(pass, warn, pass), 1u);
  EXPECT_EQ(calls, 3);
  calls = 0;
  EXPECT_EQ(tqCheckSequence(pass, failing, failing, pass), 2u);
  EXPECT_EQ(calls, 2);
}

}  // namespace
