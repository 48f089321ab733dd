// The fields the server keeps itself (submitter, dates, last user, status
// history), diaries, the scrambled field 102 and values of every data type.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ctime>

#include "api/tqb_scramble.h"
#include "entry_client.h"

namespace {

using namespace enttest;
using tqtest::TestServer;

constexpr uint32_t kKey = 317204659;
const tqsdtest::Credentials kJoe{"Joe", "secret"};
const tqsdtest::Credentials kAnn{"Ann", "two words"};

std::string scrambled(const std::string& clear) {
  char text[31] = {};
  std::memcpy(text, clear.data(), std::min<size_t>(clear.size(), 30));
  tqScramblePassword(kKey, text);
  return text;
}

// An encoded item: its parts, split at 0x04.
std::vector<std::string> parts(const std::string& item) {
  std::vector<std::string> out;
  size_t start = 0;
  for (size_t at; (at = item.find('\x04', start)) != std::string::npos; start = at + 1) {
    out.push_back(item.substr(start, at - start));
  }
  out.push_back(item.substr(start));
  return out;
}

// The items of an encoded text, each without its closing 0x03; the test
// fails when the text does not end with one.
std::vector<std::vector<std::string>> items(const std::string& text) {
  std::vector<std::vector<std::string>> out;
  size_t start = 0;
  for (size_t at; (at = text.find('\x03', start)) != std::string::npos; start = at + 1) {
    out.push_back(parts(text.substr(start, at - start)));
  }
  EXPECT_EQ(start, text.size()) << "text after the last item";
  return out;
}

// A time part within the window of the calls that wrote it.
void expectTimeWithin(const std::string& text, time_t from, time_t to) {
  long long t = std::stoll(text);
  EXPECT_GE(t, from);
  EXPECT_LE(t, to);
}

TEST(CoreFields, AreKeptByTheServer) {
  TestServer server(demoSwitches(), tqsdtest::kUsers);
  EntryClient joe(server.port(), 6, kJoe);
  EntryClient ann(server.port(), 4, kAnn);

  time_t before = std::time(nullptr);
  Reply made = joe.create(kForm, {{kSummary, charV("Core")}});
  ASSERT_TRUE(made.ok());
  Reply got = ann.read(made.entryId);
  time_t afterCreate = std::time(nullptr);
  EXPECT_EQ(got.value(kSubmitter), charV("Joe"));
  EXPECT_EQ(got.value(kLastModifiedBy), charV("Joe"));
  TQTimestamp created = static_cast<TQTimestamp>(got.value(kCreateDate).number);
  EXPECT_GE(created, before);
  EXPECT_LE(created, afterCreate);
  EXPECT_EQ(got.value(kModifiedDate), timeV(created));

  ASSERT_TRUE(ann.write(made.entryId, {{kAssignee, charV("Ann")}}).ok());
  got = joe.read(made.entryId);
  time_t afterSet = std::time(nullptr);
  EXPECT_EQ(got.value(kSubmitter), charV("Joe"));
  EXPECT_EQ(got.value(kLastModifiedBy), charV("Ann"));
  EXPECT_EQ(got.value(kCreateDate), timeV(created));
  EXPECT_GE(got.value(kModifiedDate).number, created);
  EXPECT_LE(got.value(kModifiedDate).number, afterSet);

  // A submitter given at creation is taken.
  Reply given = ann.create(kForm, {{kSubmitter, charV("Helpdesk")}});
  EXPECT_EQ(joe.read(given.entryId).value(kSubmitter), charV("Helpdesk"));
}

TEST(StatusHistory, StampsEachStatusTheEntryTakes) {
  TestServer server(demoSwitches(), tqsdtest::kUsers);
  EntryClient joe(server.port(), 6, kJoe);
  EntryClient ann(server.port(), 3, kAnn);

  time_t start = std::time(nullptr);
  std::string id = joe.create(kForm, {}).entryId;
  auto history = [&] { return items(joe.read(id).value(kHistory).text); };
  time_t end = std::time(nullptr);
  std::vector<std::vector<std::string>> h = history();
  ASSERT_EQ(h.size(), 3u);  // New, Open, Closed
  ASSERT_EQ(h[0].size(), 2u);
  expectTimeWithin(h[0][0], start, end);
  EXPECT_EQ(h[0][1], "Joe");
  EXPECT_EQ(h[1], std::vector<std::string>{""});
  EXPECT_EQ(h[2], std::vector<std::string>{""});

  ASSERT_TRUE(ann.write(id, {{kStatus, enumV(2)}}).ok());
  end = std::time(nullptr);
  h = history();
  ASSERT_EQ(h.size(), 3u);
  EXPECT_EQ(h[0][1], "Joe");
  EXPECT_EQ(h[1], std::vector<std::string>{""});
  ASSERT_EQ(h[2].size(), 2u);
  expectTimeWithin(h[2][0], start, end);
  EXPECT_EQ(h[2][1], "Ann");

  // Setting the status it already has is no change; other fields neither.
  ASSERT_TRUE(joe.write(id, {{kStatus, enumV(2)}, {kSummary, charV("s")}}).ok());
  EXPECT_EQ(history()[2][1], "Ann");
  ASSERT_TRUE(joe.write(id, {{kStatus, enumV(0)}}).ok());
  h = history();
  EXPECT_EQ(h[0][1], "Joe");
  EXPECT_EQ(h[2][1], "Ann");
  EXPECT_EQ(joe.read(id).value(kStatus), enumV(0));
}

TEST(Diary, AppendsOneItemPerValueWritten) {
  TestServer server(demoSwitches(), tqsdtest::kUsers);
  EntryClient joe(server.port(), 6, kJoe);
  EntryClient ann(server.port(), 5, kAnn);

  time_t start = std::time(nullptr);
  std::string id = joe.create(kForm, {{kWorkLog, diaryV("Called the user")}}).entryId;
  ASSERT_TRUE(ann.write(id, {{kWorkLog, diaryV("Replaced the toner\nand tested")}}).ok());
  // A null value and an empty text add nothing; neither do other fields.
  ASSERT_TRUE(ann.write(id, {{kWorkLog, nullV()}}).ok());
  ASSERT_TRUE(ann.write(id, {{kWorkLog, diaryV("")}, {kSummary, charV("x")}}).ok());
  time_t end = std::time(nullptr);

  Val diary = joe.read(id).value(kWorkLog);
  EXPECT_EQ(diary.type, static_cast<uint32_t>(TQ_DATA_TYPE_DIARY));
  std::vector<std::vector<std::string>> d = items(diary.text);
  ASSERT_EQ(d.size(), 2u);
  ASSERT_EQ(d[0].size(), 3u);
  ASSERT_EQ(d[1].size(), 3u);
  expectTimeWithin(d[0][0], start, end);
  expectTimeWithin(d[1][0], start, end);
  EXPECT_EQ(d[0][1], "Joe");
  EXPECT_EQ(d[0][2], "Called the user");
  EXPECT_EQ(d[1][1], "Ann");
  EXPECT_EQ(d[1][2], "Replaced the toner\nand tested");

  // The same items at the older versions.
  EXPECT_EQ(ann.read(id, {kWorkLog}).values, (FieldValues{{kWorkLog, diary}}));
}

struct AccessCodeCase {
  const char* name;
  std::string sent6;  // as it travels at version 6
  std::string clear;  // as the store keeps it, and as versions 2 to 5 carry it
};

class AccessCode : public testing::TestWithParam<AccessCodeCase> {};

// Field 102 is kept clear; version 6 carries it scrambled both ways, the older
// versions in clear both ways.
TEST_P(AccessCode, IsKeptClearAndTravelsScrambledAtVersion6) {
  const AccessCodeCase& c = GetParam();
  TestServer server(demoSwitches());
  const std::string answered6 = c.clear.empty() ? c.clear : scrambled(c.clear);
  for (uint32_t writer : {3u, 6u}) {
    SCOPED_TRACE(writer);
    const std::string& sent = writer == 6 ? c.sent6 : c.clear;
    EntryClient client(server.port(), writer);
    Reply made = client.create(kForm, {{kAccessCode, charV(sent)}});
    ASSERT_TRUE(made.ok()) << testing::PrintToString(made.texts);
    for (uint32_t reader : {2u, 5u, 6u}) {
      SCOPED_TRACE(reader);
      EntryClient readBack(server.port(), reader);
      Val code = readBack.read(made.entryId, {kAccessCode}).value(kAccessCode);
      EXPECT_EQ(code, charV(reader == 6 ? answered6 : c.clear));
    }
    // A set stores the same way.
    ASSERT_TRUE(client.write(made.entryId, {{kAccessCode, charV(sent)}}).ok());
    EXPECT_EQ(EntryClient(server.port(), 5).read(made.entryId, {kAccessCode}).value(kAccessCode),
              charV(c.clear));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AccessCode,
    testing::Values(AccessCodeCase{"Scrambled", scrambled("hunter2"), "hunter2"},
                    AccessCodeCase{"ScrambledOneCharacter", scrambled("x"), "x"},
                    AccessCodeCase{"ScrambledWithBlanks", scrambled(" a b "), " a b "},
                    AccessCodeCase{"ScrambledFullLength",
                                   scrambled("123456789012345678901234567890"),
                                   "123456789012345678901234567890"},
                    AccessCodeCase{"ClearShortText", "plain", "plain"},
                    AccessCodeCase{"Empty", "", ""}),
    [](const testing::TestParamInfo<AccessCodeCase>& info) { return info.param.name; });

TEST(DataTypes, EveryTypeComesBackAsWritten) {
  TestServer server(demoSwitches());
  for (uint32_t version : {3u, 6u}) {
    SCOPED_TRACE(version);
    EntryClient client(server.port(), version);
    const FieldValues values = {{kPriority, enumV(2)},         {kImpact, intV(-42)},
                                {kHours, realV(2.5)},          {kCost, decimalV("-12.50")},
                                {kDueDate, timeV(1700000000)}, {kAssignee, charV("Émile")}};
    Reply made = client.create(kForm, values);
    ASSERT_TRUE(made.ok()) << testing::PrintToString(made.texts);
    std::vector<uint32_t> fields;
    for (const auto& [id, value] : values)
      fields.push_back(id);
    EXPECT_EQ(client.read(made.entryId, fields).values, values);

    const FieldValues nulls = {{kPriority, nullV()}, {kImpact, nullV()},  {kHours, nullV()},
                               {kCost, nullV()},     {kDueDate, nullV()}, {kAssignee, nullV()}};
    ASSERT_TRUE(client.write(made.entryId, nulls).ok());
    EXPECT_EQ(client.read(made.entryId, fields).values, nulls);
  }
}

}  // namespace
