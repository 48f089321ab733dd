// Create, get, set, delete and merge of the reference server at every
// protocol version, get with a field list and without values, and entries
// shared by every connection.
#include <gtest/gtest.h>

#include "entry_client.h"

namespace {

using namespace enttest;
using tqtest::TestServer;

constexpr int32_t kNoSuchEntry = 302;
constexpr int32_t kEntryExists = 9356;
constexpr int32_t kBadMergeType = 9357;

class EveryVersion : public testing::TestWithParam<uint32_t> {};

TEST_P(EveryVersion, CreatesReadsChangesAndDeletesEntries) {
  TestServer server(demoSwitches());
  EntryClient client(server.port(), GetParam());

  Reply first =
      client.create(kForm, {{kSummary, charV("Printer jams")}, {kAssignee, charV("Ann")}});
  ASSERT_TRUE(first.ok()) << testing::PrintToString(first.numbers);
  EXPECT_EQ(first.entryId, "000000000000001");
  Reply second = client.create(kForm, {{kSummary, charV("No network")}});
  ASSERT_TRUE(second.ok());
  EXPECT_EQ(second.entryId, "000000000000002");

  Reply got = client.read(first.entryId);
  ASSERT_TRUE(got.ok());
  EXPECT_EQ(got.value(kId), charV(first.entryId));
  EXPECT_EQ(got.value(kSummary), charV("Printer jams"));
  EXPECT_EQ(got.value(kAssignee), charV("Ann"));
  EXPECT_EQ(got.value(kStatus), enumV(0));
  EXPECT_EQ(got.value(kImpact), nullV());

  ASSERT_TRUE(
      client.write(first.entryId, {{kSummary, charV("Printer fixed")}, {kAssignee, nullV()}}).ok());
  got = client.read(first.entryId);
  EXPECT_EQ(got.value(kSummary), charV("Printer fixed"));
  EXPECT_EQ(got.value(kAssignee), nullV());
  EXPECT_EQ(client.read(second.entryId).value(kSummary), charV("No network"));

  ASSERT_TRUE(client.remove(kForm, {first.entryId}).ok());
  Reply gone = client.read(first.entryId);
  EXPECT_EQ(gone.numbers, std::vector<int32_t>{kNoSuchEntry});
  EXPECT_EQ(gone.texts, appendedAt(client, {first.entryId}));
  EXPECT_TRUE(gone.values.empty());
  EXPECT_EQ(client.remove(kForm, {first.entryId}).numbers, std::vector<int32_t>{kNoSuchEntry});
  EXPECT_EQ(client.write(first.entryId, {{kSummary, charV("x")}}).numbers,
            std::vector<int32_t>{kNoSuchEntry});

  // Ids are not given out twice, even after a delete.
  EXPECT_EQ(client.create(kForm, {}).entryId, "000000000000003");
  EXPECT_EQ(server.calls(tqsdtest::kServerProgram, GetParam(), 3), 3u);
}

TEST_P(EveryVersion, MergesByType) {
  TestServer server(demoSwitches());
  EntryClient client(server.port(), GetParam());
  const std::string id = "000000000000042";

  // 1: create with the given id; refused when it exists.
  Reply made = client.merge(
      kForm, {{kId, charV(id)}, {kSummary, charV("one")}, {kAssignee, charV("Ann")}}, 1);
  ASSERT_TRUE(made.ok()) << testing::PrintToString(made.numbers);
  EXPECT_EQ(made.entryId, id);
  Reply again = client.merge(kForm, {{kId, charV(id)}, {kSummary, charV("two")}}, 1);
  EXPECT_EQ(again.numbers, std::vector<int32_t>{kEntryExists});
  EXPECT_EQ(again.texts, appendedAt(client, {id}));
  EXPECT_EQ(client.read(id).value(kSummary), charV("one"));

  // 4: the given fields change, the others stay.
  Reply updated = client.merge(kForm, {{kId, charV(id)}, {kSummary, charV("four")}}, 4);
  ASSERT_TRUE(updated.ok());
  EXPECT_EQ(updated.entryId, id);
  Reply got = client.read(id);
  EXPECT_EQ(got.value(kSummary), charV("four"));
  EXPECT_EQ(got.value(kAssignee), charV("Ann"));

  // 3: the entry gets exactly the values given; creation data stays.
  TQTimestamp created = static_cast<TQTimestamp>(got.value(kCreateDate).number);
  ASSERT_TRUE(client.merge(kForm, {{kId, charV(id)}, {kSummary, charV("three")}}, 3).ok());
  got = client.read(id);
  EXPECT_EQ(got.value(kSummary), charV("three"));
  EXPECT_EQ(got.value(kAssignee), nullV());
  EXPECT_EQ(got.value(kSubmitter), charV("Demo"));
  EXPECT_EQ(got.value(kCreateDate), timeV(created));

  // 2: an id that is taken gives way to a new one.
  Reply renamed = client.merge(kForm, {{kId, charV(id)}, {kSummary, charV("copy")}}, 2);
  ASSERT_TRUE(renamed.ok());
  EXPECT_EQ(renamed.entryId, "000000000000001");
  EXPECT_EQ(client.read(id).value(kSummary), charV("three"));
  EXPECT_EQ(client.read(renamed.entryId).value(kSummary), charV("copy"));

  // 3 and 4 create an entry that does not exist; without field 1 a new id.
  EXPECT_EQ(client.merge(kForm, {{kId, charV("77")}}, 4).entryId, "000000000000077");
  EXPECT_EQ(client.merge(kForm, {{kId, charV("ABC")}}, 3).entryId, "ABC");
  EXPECT_EQ(client.merge(kForm, {{kSummary, charV("new")}}, 1).entryId, "000000000000002");
  EXPECT_TRUE(client.read("ABC").ok());

  for (uint32_t type : {0u, 5u, 255u}) {
    Reply bad = client.merge(kForm, {{kId, charV("000000000000099")}}, type);
    EXPECT_EQ(bad.numbers, std::vector<int32_t>{kBadMergeType}) << type;
    EXPECT_EQ(bad.texts, appendedAt(client, {std::to_string(type)}));
  }
  EXPECT_EQ(client.read("000000000000099").numbers, std::vector<int32_t>{kNoSuchEntry});
}

INSTANTIATE_TEST_SUITE_P(Versions, EveryVersion, testing::Values(2u, 3u, 4u, 5u, 6u));

class GetVersions : public testing::TestWithParam<uint32_t> {};

TEST_P(GetVersions, AnswersTheFieldsAskedInTheirOrderOrNoValues) {
  TestServer server(demoSwitches());
  EntryClient client(server.port(), GetParam());
  std::string id = client.create(kForm, {{kSummary, charV("Disk full")}}).entryId;

  Reply some = client.read(id, {kSummary, kId, kSummary, kImpact});
  ASSERT_TRUE(some.ok());
  EXPECT_EQ(some.values, (FieldValues{{kSummary, charV("Disk full")},
                                      {kId, charV(id)},
                                      {kSummary, charV("Disk full")},
                                      {kImpact, nullV()}}));

  // All fields: every field of the form once, in id order.
  Reply all = client.read(id);
  std::vector<uint32_t> ids;
  for (const auto& [fieldId, value] : all.values)
    ids.push_back(fieldId);
  EXPECT_EQ(ids, (std::vector<uint32_t>{kId, kSubmitter, kCreateDate, kAssignee, kLastModifiedBy,
                                        kModifiedDate, kStatus, kSummary, kHistory, kAccessCode,
                                        kWorkLog, kPriority, kImpact, kHours, kCost, kDueDate}));

  Reply none = client.get(kForm, {id}, {kSummary}, 0);
  EXPECT_TRUE(none.ok());
  EXPECT_TRUE(none.values.empty());
  // Without values the entry and the fields are still checked.
  EXPECT_EQ(client.get(kForm, {"000000000000009"}, {}, 0).numbers,
            std::vector<int32_t>{kNoSuchEntry});
  // A short id of digits names the entry with leading zeros.
  EXPECT_EQ(client.read(id.substr(14), {kSummary}).values,
            (FieldValues{{kSummary, charV("Disk full")}}));
}

INSTANTIATE_TEST_SUITE_P(Versions, GetVersions, testing::Values(3u, 5u, 6u));

TEST(Connections, SeeWhatOthersWrote) {
  TestServer server(demoSwitches(), tqsdtest::kUsers);
  EntryClient joe(server.port(), 6, {"Joe", "secret"});
  EntryClient ann(server.port(), 2, {"Ann", "two words"});

  std::string id = joe.create(kForm, {{kSummary, charV("Shared")}}).entryId;
  EXPECT_EQ(ann.read(id).value(kSummary), charV("Shared"));
  ASSERT_TRUE(ann.write(id, {{kAssignee, charV("Ann")}}).ok());
  Reply seen = joe.read(id, {kAssignee, kLastModifiedBy});
  EXPECT_EQ(seen.values, (FieldValues{{kAssignee, charV("Ann")}, {kLastModifiedBy, charV("Ann")}}));
  ASSERT_TRUE(ann.remove(kForm, {id}).ok());
  EXPECT_EQ(joe.read(id).numbers, std::vector<int32_t>{kNoSuchEntry});
}

TEST(Forms, AreSeparate) {
  TestServer server(demoSwitches());
  EntryClient client(server.port(), 6);
  std::string request = client.create(kForm, {{kSummary, charV("request")}}).entryId;
  Reply log = client.create("Demo:Log", {{kSummary, charV("log")}});
  ASSERT_TRUE(log.ok());
  // Each form counts its own ids.
  EXPECT_EQ(log.entryId, request);
  EXPECT_EQ(client.get(kForm, {request}, {kSummary}).values,
            (FieldValues{{kSummary, charV("request")}}));
  EXPECT_EQ(client.get("Demo:Log", {request}, {kSummary}).values,
            (FieldValues{{kSummary, charV("log")}}));
}

}  // namespace
