// Requests the entry procedures refuse: unknown forms, fields and entries,
// values that do not suit their fields, fields the server keeps, entry id
// lists of other lengths than one. A refused request changes nothing.
#include <gtest/gtest.h>

#include <functional>

#include "entry_client.h"

namespace {

using namespace enttest;
using tqtest::TestServer;

constexpr int32_t kNoEntryId = 100;
constexpr int32_t kNoSuchEntry = 302;
constexpr int32_t kNoSuchForm = 9350;
constexpr int32_t kNoSuchField = 9351;
constexpr int32_t kWrongDataType = 9352;
constexpr int32_t kInvalidValue = 9353;
constexpr int32_t kServerField = 9354;
constexpr int32_t kNotJoinForm = 9355;
constexpr int32_t kChangedSinceGet = 9358;

// The entry every case starts from, and what a case does to it.
constexpr const char* kEntry = "000000000000001";
constexpr const char* kSummaryText = "Original summary";

struct Refusal {
  const char* name;
  std::function<Reply(EntryClient&)> request;
  int32_t number;
  const char* appended;
  uint32_t minVersion = 2;
};

const Refusal kRefusals[] = {
    {"GetUnknownForm", [](EntryClient& c) { return c.get("Nowhere", {kEntry}); }, kNoSuchForm,
     "Nowhere"},
    {"SetUnknownForm",
     [](EntryClient& c) {
       return c.set("Nowhere", {kEntry}, {{kSummary, charV("x")}});
     },
     kNoSuchForm, "Nowhere"},
    {"CreateUnknownForm", [](EntryClient& c) { return c.create("Nowhere", {}); }, kNoSuchForm,
     "Nowhere"},
    {"DeleteUnknownForm", [](EntryClient& c) { return c.remove("Nowhere", {kEntry}); }, kNoSuchForm,
     "Nowhere"},
    {"MergeUnknownForm", [](EntryClient& c) { return c.merge("nowhere", {}, 1); }, kNoSuchForm,
     "nowhere"},
    {"GetUnknownEntry", [](EntryClient& c) { return c.read("000000000000002"); }, kNoSuchEntry,
     "000000000000002"},
    {"DeleteUnknownEntry", [](EntryClient& c) { return c.remove(kForm, {"XYZ"}); }, kNoSuchEntry,
     "XYZ"},
    {"GetUnknownField",
     [](EntryClient& c) {
       return c.read(kEntry, {kSummary, 9});
     },
     kNoSuchField, "9"},
    {"SetUnknownField",
     [](EntryClient& c) {
       return c.write(kEntry, {{kSummary, charV("x")}, {9, charV("x")}});
     },
     kNoSuchField, "9"},
    {"CreateUnknownField",
     [](EntryClient& c) {
       return c.create(kForm, {{900, intV(1)}});
     },
     kNoSuchField, "900"},
    {"CharForEnum",
     [](EntryClient& c) {
       return c.write(kEntry, {{kSummary, charV("x")}, {kStatus, charV("Open")}});
     },
     kWrongDataType, "field 7 takes enum values, not char"},
    {"IntegerForChar",
     [](EntryClient& c) {
       return c.create(kForm, {{kSummary, intV(5)}});
     },
     kWrongDataType, "field 8 takes char values, not integer"},
    {"CharForDiary",
     [](EntryClient& c) {
       return c.write(kEntry, {{kWorkLog, charV("note")}});
     },
     kWrongDataType, "field 536870913 takes diary values, not char"},
    {"EnumBeyondValues",
     [](EntryClient& c) {
       return c.write(kEntry, {{kSummary, charV("x")}, {kStatus, enumV(3)}});
     },
     kInvalidValue, "field 7: 3 is not 0 to 2"},
    {"NullStatus",
     [](EntryClient& c) {
       return c.write(kEntry, {{kStatus, nullV()}});
     },
     kInvalidValue, "field 7: the status cannot be null"},
    {"DiaryWithItemEnd",
     [](EntryClient& c) {
       return c.write(kEntry, {{kWorkLog, diaryV("a\x03"
                                                 "b")}});
     },
     kInvalidValue, "field 536870913: holds the byte 0x03"},
    {"NotADecimal",
     [](EntryClient& c) {
       return c.write(kEntry, {{kCost, decimalV("12,50")}});
     },
     kInvalidValue, "field 536870917: '12,50' is not a decimal number"},
    {"LongAccessCode",
     [](EntryClient& c) {
       return c.write(kEntry, {{kAccessCode, charV(std::string(31, 'k'))}});
     },
     kInvalidValue, "field 102: longer than 30 characters"},
    {"MergeIdTooLong",
     [](EntryClient& c) {
       return c.merge(kForm, {{kId, charV("0123456789ABCDEF")}}, 4);
     },
     kInvalidValue, "field 1: '0123456789ABCDEF' is not an entry id"},
    {"SetEntryId",
     [](EntryClient& c) {
       return c.write(kEntry, {{kSummary, charV("x")}, {kId, charV("5")}});
     },
     kServerField, "1"},
    {"CreateWithCreateDate",
     [](EntryClient& c) {
       return c.create(kForm, {{kCreateDate, timeV(5)}});
     },
     kServerField, "3"},
    {"SetModifiedBy",
     [](EntryClient& c) {
       return c.write(kEntry, {{kLastModifiedBy, charV("me")}});
     },
     kServerField, "5"},
    {"MergeModifiedDate",
     [](EntryClient& c) {
       return c.merge(kForm, {{kModifiedDate, timeV(5)}}, 2);
     },
     kServerField, "6"},
    {"SetStatusHistory",
     [](EntryClient& c) {
       return c.write(kEntry, {{kHistory, charV("")}});
     },
     kServerField, "15"},
    {"SetStaleGetTime",
     [](EntryClient& c) {
       return c.set(kForm, {kEntry}, {{kSummary, charV("x")}}, 1000);
     },
     kChangedSinceGet, kEntry},
    {"GetEmptyIdList", [](EntryClient& c) { return c.get(kForm, std::vector<std::string>{}); },
     kNoEntryId, ""},
    {"DeleteEmptyIdList", [](EntryClient& c) { return c.remove(kForm, {}); }, kNoEntryId, ""},
    {"GetTwoIds",
     [](EntryClient& c) {
       return c.get(kForm, {kEntry, "000000000000002"});
     },
     kNotJoinForm, "2", 4},
    {"SetTwoIds",
     [](EntryClient& c) {
       return c.set(kForm, {kEntry, kEntry}, {{kSummary, charV("x")}});
     },
     kNotJoinForm, "2", 4},
    {"DeleteThreeIds",
     [](EntryClient& c) {
       return c.remove(kForm, {kEntry, "2", "3"});
     },
     kNotJoinForm, "3", 4},
};

struct RefusalAt {
  Refusal refusal;
  uint32_t version;
};

std::vector<RefusalAt> refusalsAt(std::initializer_list<uint32_t> versions) {
  std::vector<RefusalAt> cases;
  for (const Refusal& r : kRefusals) {
    for (uint32_t v : versions) {
      if (v >= r.minVersion) cases.push_back({r, v});
    }
  }
  return cases;
}

class Refused : public testing::TestWithParam<RefusalAt> {
 public:
  static TestServer* server;
  static void SetUpTestSuite() { server = new TestServer(demoSwitches()); }
  static void TearDownTestSuite() {
    delete server;
    server = nullptr;
  }
};
TestServer* Refused::server = nullptr;

TEST_P(Refused, WithItsMessageAndNothingChanged) {
  const RefusalAt& c = GetParam();
  EntryClient client(server->port(), c.version);
  // The suite's one server holds entry 1 from the first case on.
  Reply entry = client.read(kEntry);
  if (entry.numbers == std::vector<int32_t>{kNoSuchEntry}) {
    ASSERT_EQ(client.create(kForm, {{kSummary, charV(kSummaryText)}}).entryId, kEntry);
    entry = client.read(kEntry);
  }
  ASSERT_TRUE(entry.ok());

  Reply refused = c.refusal.request(client);
  ASSERT_EQ(refused.stat, RPC_SUCCESS);
  EXPECT_EQ(refused.numbers, std::vector<int32_t>{c.refusal.number});
  EXPECT_EQ(refused.texts, appendedAt(client, {c.refusal.appended}));
  EXPECT_TRUE(refused.entryId.empty());
  EXPECT_TRUE(refused.values.empty());

  Reply after = client.read(kEntry);
  EXPECT_EQ(after.values, entry.values);
  EXPECT_EQ(client.get(kForm, {"000000000000002"}, {}, 0).numbers,
            std::vector<int32_t>{kNoSuchEntry});
}

INSTANTIATE_TEST_SUITE_P(Cases, Refused, testing::ValuesIn(refusalsAt({3u, 6u})),
                         [](const testing::TestParamInfo<RefusalAt>& info) {
                           return std::string(info.param.refusal.name) + "_v" +
                                  std::to_string(info.param.version);
                         });

TEST(NoForms, WithoutASeedFileNoFormExists) {
  TestServer server;
  EntryClient client(server.port(), 6);
  Reply refused = client.create(kForm, {});
  EXPECT_EQ(refused.numbers, std::vector<int32_t>{kNoSuchForm});
  EXPECT_EQ(refused.texts, std::vector<std::string>{kForm});
}

TEST(GetTime, OfTheLastChangeOrZeroLetsASetThrough) {
  TestServer server(demoSwitches());
  EntryClient client(server.port(), 6);
  std::string id = client.create(kForm, {}).entryId;
  TQTimestamp modified = static_cast<TQTimestamp>(client.read(id).value(kModifiedDate).number);
  EXPECT_TRUE(client.set(kForm, {id}, {{kSummary, charV("a")}}, modified).ok());
  EXPECT_TRUE(client.set(kForm, {id}, {{kSummary, charV("b")}}, 0).ok());
  Reply stale = client.set(kForm, {id}, {{kSummary, charV("c")}}, modified - 1);
  EXPECT_EQ(stale.numbers, std::vector<int32_t>{kChangedSinceGet});
  EXPECT_EQ(client.read(id).value(kSummary), charV("b"));
}

}  // namespace
