// The four list operations end to end against tqserverd with the demo
// forms: lists of none, one and many entries with their sort, maximum, match
// count and display texts; multiple entries with a missing one; statistics
// with and without grouping; the session's last match count; and the checks
// that stop a call before it reaches the server.
#include "api/tqb_session.h"
#include "lists_fixture.h"

namespace {

using namespace tqlists;
using tqsess::Client;
using tqsess::numbers;
using tqtest::TestServer;

constexpr uint32_t kProcList = 5, kProcStatistics = 6, kProcMultiple = 67, kProcWithFields = 73;

class Lists : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(client.route(server.port()), 0u); }

  // Entries with descriptions and impacts; their ids in creation order.
  std::vector<std::string> make(const std::vector<std::pair<std::string, int32_t>>& rows) {
    std::vector<std::string> made;
    for (const auto& [text, impact] : rows)
      made.push_back(create(client, Values().text(kDescription, text).integer(kImpact, impact)));
    return made;
  }

  TestServer server{demoServer()};
  Client client;
};

TEST_F(Lists, NoneOneAndManyEntries) {
  EntryList none;
  listEntries(client, nullptr, &none);
  EXPECT_EQ(none.code, 0u);
  EXPECT_EQ(none.list.numItems, 0u);
  EXPECT_EQ(none.matches, 0u);

  const std::vector<std::string> ids = make({{"first", 1}});
  EntryList one;
  listEntries(client, nullptr, &one);
  EXPECT_EQ(idsOf(one.list), ids);
  EXPECT_EQ(one.matches, 1u);
  EXPECT_STREQ(one.list.entryList[0].shortDescription, "first");

  const std::vector<std::string> more = make({{"second", 5}, {"third", 2}});
  EntryList many;
  listEntries(client, nullptr, &many);
  EXPECT_EQ(idsOf(many.list), (std::vector<std::string>{ids[0], more[0], more[1]}));
  EXPECT_EQ(many.matches, 3u);
}

TEST_F(Lists, SortMaximumAndMatches) {
  const std::vector<std::string> ids = make({{"b", 2}, {"a", 2}, {"c", 9}, {"d", 1}});
  TQSortStruct byImpactDown[] = {{kImpact, TQ_SORT_DESCENDING}, {kDescription, TQ_SORT_ASCENDING}};
  TQSortList sort{2, byImpactDown};
  EntryList sorted;
  listEntries(client, nullptr, &sorted, &sort);
  EXPECT_EQ(idsOf(sorted.list), (std::vector<std::string>{ids[2], ids[1], ids[0], ids[3]}));

  EntryList cut;
  listEntries(client, nullptr, &cut, &sort, 2);
  EXPECT_EQ(idsOf(cut.list), (std::vector<std::string>{ids[2], ids[1]}));
  EXPECT_EQ(cut.matches, 4u) << "the matches count every entry, not the ones returned";
  EXPECT_EQ(client.control.session->lastMatchCount, 4u);

  TQSortStruct badOrder[] = {{kImpact, 3}};
  TQSortList bad{1, badOrder};
  EntryList refused;
  listEntries(client, nullptr, &refused, &bad);
  EXPECT_EQ(refused.code, 2u);
  EXPECT_EQ(server.calls(kProcList), 2u) << "a sort order of 3 is refused before the server";
}

TEST_F(Lists, LastMatchCountWithoutMatchesIsTheNumberReturned) {
  make({{"x", 1}, {"y", 2}, {"z", 3}});
  TQEntryListList list{};
  ASSERT_EQ(TQGetListEntry(&client.control, kForm, nullptr, nullptr, nullptr, 2, &list, nullptr,
                           client.fresh()),
            0u);
  EXPECT_EQ(list.numItems, 2u);
  EXPECT_EQ(client.control.session->lastMatchCount, 2u);
  FreeTQEntryListList(&list, 0);

  // A failed list keeps the count of the last good one.
  Qual q;
  EntryList failed;
  listEntries(client, q.rel(TQ_REL_OP_EQUAL, q.field(999), q.integer(1)), &failed);
  EXPECT_EQ(failed.code, 2u);
  EXPECT_EQ(client.control.session->lastMatchCount, 2u);
}

TEST_F(Lists, DisplayTextFromTheFieldList) {
  const std::vector<std::string> ids = make({{"Printer jams", 3}});
  TQEntryListFieldStruct columns[2] = {};
  columns[0] = TQEntryListFieldStruct{kEntryId, 16, {}};
  columns[1] = TQEntryListFieldStruct{kDescription, 7, {}};
  std::strcpy(columns[1].separator, "|");
  TQEntryListFieldList fields{2, columns};
  EntryList result;
  listEntries(client, nullptr, &result, nullptr, 0, &fields);
  ASSERT_EQ(result.list.numItems, 1u);
  EXPECT_EQ(std::string(result.list.entryList[0].shortDescription), ids[0] + " " + "Printer|");
}

TEST_F(Lists, WithFieldsCarriesTheValues) {
  const std::vector<std::string> ids = make({{"one", 1}, {"two", 2}});
  TQEntryListFieldStruct columns[2] = {{kDescription, 10, {}}, {kImpact, 10, {}}};
  TQEntryListFieldList fields{2, columns};
  TQEntryListFieldValueList list{};
  uint32_t matches = 0;
  ASSERT_EQ(TQGetListEntryWithFields(&client.control, kForm, nullptr, &fields, nullptr, 0, &list,
                                     &matches, client.fresh()),
            0u);
  ASSERT_EQ(list.numItems, 2u);
  EXPECT_EQ(matches, 2u);
  const TQFieldValueList& second = *list.entryList[1].fieldValues;
  ASSERT_EQ(second.numItems, 2u);
  EXPECT_EQ(second.fieldValueList[0].fieldId, kDescription);
  EXPECT_STREQ(second.fieldValueList[0].value.u.charVal, "two");
  EXPECT_EQ(second.fieldValueList[1].value.u.intVal, 2);
  EXPECT_STREQ(list.entryList[1].entryId.entryIdList[0], ids[1].c_str());
  FreeTQEntryListFieldValueList(&list, 0);
}

TEST_F(Lists, MultipleEntriesWithAMissingOne) {
  const std::vector<std::string> ids = make({{"first", 1}, {"third", 3}});
  TQEntryIdType wanted[3] = {};
  std::strcpy(wanted[0], ids[0].c_str());
  std::strcpy(wanted[1], "000000000000999");
  std::strcpy(wanted[2], ids[1].c_str());
  TQEntryIdList lists[3] = {{1, &wanted[0]}, {1, &wanted[1]}, {1, &wanted[2]}};
  TQEntryIdListList entries{3, lists};
  uint32_t fieldIds[] = {kDescription, kImpact};
  TQInternalIdList fields{2, fieldIds};
  TQBooleanList exists{};
  TQFieldValueListList values{};
  ASSERT_EQ(TQGetMultipleEntries(&client.control, kForm, &entries, &fields, &exists, &values,
                                 client.fresh()),
            0u);
  ASSERT_EQ(exists.numItems, 3u);
  EXPECT_EQ(std::vector<int>(exists.booleanList, exists.booleanList + 3),
            (std::vector<int>{1, 0, 1}));
  ASSERT_EQ(values.numItems, 3u);
  const TQFieldValueList& missing = values.valueListList[1];
  ASSERT_EQ(missing.numItems, 2u);
  EXPECT_EQ(missing.fieldValueList[0].fieldId, kDescription) << "placeholders take the asked ids";
  EXPECT_EQ(missing.fieldValueList[1].fieldId, kImpact);
  EXPECT_EQ(missing.fieldValueList[0].value.dataType, TQ_DATA_TYPE_NULL);
  EXPECT_STREQ(values.valueListList[2].fieldValueList[0].value.u.charVal, "third");
  EXPECT_EQ(values.valueListList[2].fieldValueList[1].value.u.intVal, 3);
  FreeTQFieldValueListList(&values, 0);
  FreeTQBooleanList(&exists, 0);

  // Without values out only the flags come back.
  ASSERT_EQ(TQGetMultipleEntries(&client.control, kForm, &entries, &fields, &exists, nullptr,
                                 client.fresh()),
            0u);
  EXPECT_EQ(exists.numItems, 3u);
  FreeTQBooleanList(&exists, 0);
}

// A statistic's single results as numbers.
std::vector<double> numbersOf(const TQStatisticsResultList& results) {
  std::vector<double> out;
  for (uint32_t i = 0; i < results.numItems; ++i) {
    const TQValueStruct& v = results.resultList[i].result;
    out.push_back(v.dataType == TQ_DATA_TYPE_REAL      ? v.u.realVal
                  : v.dataType == TQ_DATA_TYPE_INTEGER ? v.u.intVal
                                                       : -1);
  }
  return out;
}

TEST_F(Lists, StatisticsWithAndWithoutGroups) {
  create(client, Values().text(kDescription, "a").integer(kImpact, 2).enumerated(kPriority, 0));
  create(client, Values().text(kDescription, "b").integer(kImpact, 4).enumerated(kPriority, 0));
  create(client, Values().text(kDescription, "c").integer(kImpact, 9).enumerated(kPriority, 2));
  Qual q;
  TQFieldValueOrArithStruct impact = q.field(kImpact);
  struct Case {
    uint32_t statistic;
    std::vector<double> all;
    std::vector<double> byPriority;  // Low, then High
  };
  const Case cases[] = {
      {1, {3}, {2, 1}}, {2, {15}, {6, 9}}, {3, {5}, {3, 9}}, {4, {2}, {2, 9}}, {5, {9}, {4, 9}},
  };
  uint32_t groupIds[] = {kPriority};
  TQInternalIdList groupBy{1, groupIds};
  for (const Case& c : cases) {
    TQStatisticsResultList results{};
    ASSERT_EQ(TQGetEntryStatistics(&client.control, kForm, nullptr, &impact, c.statistic, nullptr,
                                   &results, client.fresh()),
              0u);
    EXPECT_EQ(numbersOf(results), c.all) << "statistic " << c.statistic;
    FreeTQStatisticsResultList(&results, 0);

    ASSERT_EQ(TQGetEntryStatistics(&client.control, kForm, nullptr, &impact, c.statistic, &groupBy,
                                   &results, client.fresh()),
              0u);
    EXPECT_EQ(numbersOf(results), c.byPriority) << "statistic " << c.statistic << " by priority";
    ASSERT_EQ(results.numItems, 2u);
    EXPECT_EQ(results.resultList[1].groupedBy.valueList[0].u.enumVal, 2u);
    FreeTQStatisticsResultList(&results, 0);
  }
  // A count without a target, of the entries that match.
  TQStatisticsResultList results{};
  TQQualifierStruct* big = q.rel(TQ_REL_OP_GREATER, q.field(kImpact), q.integer(3));
  ASSERT_EQ(TQGetEntryStatistics(&client.control, kForm, big, nullptr, 1, nullptr, &results,
                                 client.fresh()),
            0u);
  EXPECT_EQ(numbersOf(results), std::vector<double>{2});
  FreeTQStatisticsResultList(&results, 0);
}

TEST_F(Lists, ChecksStopTheCallBeforeTheServer) {
  Qual q;
  TQFieldValueOrArithStruct impact = q.field(kImpact);
  TQStatisticsResultList results{};
  for (uint32_t statistic : {0u, 6u}) {
    EXPECT_EQ(TQGetEntryStatistics(&client.control, kForm, nullptr, &impact, statistic, nullptr,
                                   &results, client.fresh()),
              2u);
    EXPECT_EQ(numbers(client.status), std::vector<int32_t>{126}) << statistic;
  }
  EXPECT_EQ(TQGetEntryStatistics(&client.control, kForm, nullptr, &impact, 1, nullptr, nullptr,
                                 client.fresh()),
            2u);
  EXPECT_EQ(numbers(client.status), std::vector<int32_t>{105});

  TQEntryIdType id = "1";
  TQEntryIdList one{1, &id};
  TQEntryIdListList entries{1, &one};
  TQFieldValueListList values{};
  EXPECT_EQ(TQGetMultipleEntries(&client.control, kForm, &entries, nullptr, nullptr, &values,
                                 client.fresh()),
            2u);
  EXPECT_EQ(numbers(client.status), std::vector<int32_t>{292});
  TQBooleanList exists{};
  EXPECT_EQ(TQGetMultipleEntries(&client.control, kForm, nullptr, nullptr, &exists, &values,
                                 client.fresh()),
            0u)
      << "no entries asked: nothing to do";

  uint32_t matches = 7;
  EXPECT_EQ(TQGetListEntry(&client.control, kForm, nullptr, nullptr, nullptr, 0, nullptr, &matches,
                           client.fresh()),
            2u);
  EXPECT_EQ(numbers(client.status), std::vector<int32_t>{105});
  EXPECT_EQ(TQGetListEntryWithFields(&client.control, kForm, nullptr, nullptr, nullptr, 0, nullptr,
                                     nullptr, client.fresh()),
            2u);
  EXPECT_EQ(numbers(client.status), std::vector<int32_t>{105});

  EXPECT_EQ(server.calls(kProcStatistics), 0u);
  EXPECT_EQ(server.calls(kProcMultiple), 0u);
  EXPECT_EQ(server.calls(kProcList), 0u);
  EXPECT_EQ(server.calls(kProcWithFields), 0u);
}

}  // namespace
