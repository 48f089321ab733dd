// The store in a file (--data): a server restarted on its file, even one
// killed right after its last answer, has every form and entry it had; a
// seed file adds only the forms a store lacks; a file serves one server at a
// time; texts from clients are kept as values, whatever they hold.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>

#include "entry_client.h"

namespace {

using namespace enttest;
using tqtest::TestServer;

constexpr int32_t kNoSuchEntry = 302;
constexpr int32_t kNoSuchField = 9351;
const tqsdtest::Credentials kJoe{"Joe", "secret"};
const tqsdtest::Credentials kAnn{"Ann", "two words"};

// A scratch folder for data files, removed at the end of its scope.
class DataFolder {
 public:
  DataFolder() {
    std::string pattern = testing::TempDir() + "tq_data_XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~DataFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::vector<std::string> withData(std::vector<std::string> switches, const std::string& file) {
  switches.insert(switches.end(), {"--data", file});
  return switches;
}

void killNow(TestServer& server) {
  kill(server.pid(), SIGKILL);
  ASSERT_TRUE(server.waitForExit(std::chrono::seconds(60)));
}

TEST(DataFile, KeepsEntriesAcrossARestart) {
  DataFolder folder;
  const auto switches = withData(demoSwitches(), folder.file("store.db"));
  std::string id;
  Reply before;
  {
    TestServer server(switches, tqsdtest::kUsers);
    EntryClient joe(server.port(), 6, kJoe);
    EntryClient ann(server.port(), 4, kAnn);
    Reply made = joe.create(kForm, {{kSummary, charV("Printer jams")},
                                    {kAccessCode, charV("open sesame")},
                                    {kWorkLog, diaryV("Called the user")},
                                    {kCost, decimalV("12.50")},
                                    {kHours, realV(1.5)}});
    ASSERT_TRUE(made.ok()) << testing::PrintToString(made.numbers);
    id = made.entryId;
    ASSERT_TRUE(ann.write(id, {{kStatus, enumV(2)}, {kWorkLog, diaryV("Replaced the toner")}}).ok());
    std::string gone = joe.create(kForm, {{kSummary, charV("to delete")}}).entryId;
    ASSERT_TRUE(joe.remove(kForm, {gone}).ok());
    before = joe.read(id);
    ASSERT_TRUE(before.ok());
    // Killed without a chance to tidy up: what was answered is on disk.
    killNow(server);
  }

  TestServer server(switches, tqsdtest::kUsers);
  EntryClient joe(server.port(), 6, kJoe);
  Reply after = joe.read(id);
  ASSERT_TRUE(after.ok()) << testing::PrintToString(after.numbers);
  EXPECT_EQ(after.values, before.values);
  EXPECT_EQ(joe.read("2").numbers, std::vector<int32_t>{kNoSuchEntry});
  // The id sequence goes on where it was: the deleted id is not given again.
  EXPECT_EQ(joe.create(kForm, {}).entryId, "000000000000003");
  // The diary goes on growing behind its stored items.
  ASSERT_TRUE(joe.write(id, {{kWorkLog, diaryV("Closed")}}).ok());
  const std::string diary = joe.read(id, {kWorkLog}).value(kWorkLog).text;
  EXPECT_EQ(std::count(diary.begin(), diary.end(), '\x03'), 3);
  EXPECT_EQ(diary.rfind(before.value(kWorkLog).text, 0), 0u);
}

TEST(DataFile, SeedAddsOnlyTheFormsTheStoreLacks) {
  DataFolder folder;
  const std::string data = folder.file("store.db");
  std::string id;
  {
    SeedFile first("form F\nfield 1 char Id\nfield 8 char Summary\n");
    TestServer server({"--forms", first.path(), "--data", data});
    EntryClient client(server.port(), 6);
    id = client.create("F", {{8, charV("kept")}}).entryId;
    ASSERT_FALSE(id.empty());
  }
  // The same form again with other fields, and a new one.
  SeedFile second(
      "form F\nfield 1 char Id\nfield 9 integer Count\n"
      "form G\nfield 1 char Id\nfield 8 char Text\n");
  {
    TestServer server({"--forms", second.path(), "--data", data});
    EntryClient client(server.port(), 6);
    EXPECT_EQ(client.get("F", {id}).values, (FieldValues{{1, charV(id)}, {8, charV("kept")}}));
    EXPECT_EQ(client.create("F", {{9, intV(1)}}).numbers, std::vector<int32_t>{kNoSuchField});
    EXPECT_TRUE(client.create("G", {{8, charV("new")}}).ok());
  }
  // Without a seed file the store serves what it holds.
  TestServer server({"--data", data});
  EntryClient client(server.port(), 6);
  EXPECT_EQ(client.get("F", {id}, {8}).value(8), charV("kept"));
  EXPECT_EQ(client.get("G", {"1"}, {8}).value(8), charV("new"));
}

TEST(DataFile, ServesOneServerAtATime) {
  DataFolder folder;
  const auto switches = withData(demoSwitches(), folder.file("store.db"));
  TestServer first(switches);
  tqtest::ServerRun second = tqtest::runServerToEnd(switches);
  ASSERT_TRUE(WIFEXITED(second.status));
  EXPECT_EQ(WEXITSTATUS(second.status), 1);
  EXPECT_NE(second.err.find("in use by another server"), std::string::npos) << second.err;
  // The first one goes on serving.
  EntryClient client(first.port(), 6);
  EXPECT_TRUE(client.create(kForm, {}).ok());
}

TEST(DataFile, ThatIsNoStoreStopsTheServer) {
  DataFolder folder;
  const std::string data = folder.file("notes.txt");
  std::ofstream(data) << "these are notes, not a store\n";
  tqtest::ServerRun run = tqtest::runServerToEnd(withData(demoSwitches(), data));
  ASSERT_TRUE(WIFEXITED(run.status));
  EXPECT_EQ(WEXITSTATUS(run.status), 1);
  EXPECT_NE(run.err.find(data + ": "), std::string::npos) << run.err;
  EXPECT_EQ(run.out.find("listening"), std::string::npos);
}

// An entry made again with the id of a deleted one starts empty: no value,
// diary item or status stamp of the deleted one is left in the store.
TEST(DeletedEntry, LeavesNothingBehind) {
  TestServer server(demoSwitches(), tqsdtest::kUsers);
  EntryClient joe(server.port(), 6, kJoe);
  const std::string id = "000000000000042";
  ASSERT_TRUE(joe.merge(kForm, {{kId, charV(id)}, {kSummary, charV("old")}}, 1).ok());
  ASSERT_TRUE(joe.write(id, {{kStatus, enumV(2)}, {kWorkLog, diaryV("old note")}}).ok());
  ASSERT_TRUE(joe.remove(kForm, {id}).ok());
  ASSERT_TRUE(joe.merge(kForm, {{kId, charV(id)}}, 1).ok());
  Reply made = joe.read(id);
  EXPECT_EQ(made.value(kSummary), nullV());
  EXPECT_EQ(made.value(kWorkLog), nullV());
  EXPECT_EQ(made.value(kStatus), enumV(0));
  const std::string history = made.value(kHistory).text;
  EXPECT_EQ(history.substr(history.find('\x03') + 1), "\x03\x03");  // only status 0 stamped
}

// Quotes, semicolons and SQL words in names, ids and values are data.
TEST(ClientTexts, AreKeptAsValues) {
  SeedFile seed("form It's; DROP TABLE forms\nfield 1 char Id\nfield 8 char Text\n");
  TestServer server({"--forms", seed.path()});
  EntryClient client(server.port(), 6);
  const std::string form = "It's; DROP TABLE forms";
  const std::string text = "'); DELETE FROM entries; --";
  std::string plain = client.create(form, {{8, charV(text)}}).entryId;
  Reply odd = client.merge(form, {{1, charV("1' OR '1'='1")}, {8, charV("odd")}}, 1);
  ASSERT_TRUE(odd.ok()) << testing::PrintToString(odd.numbers);
  EXPECT_EQ(odd.entryId, "1' OR '1'='1");
  EXPECT_EQ(client.get(form, {plain}, {8}).value(8), charV(text));
  EXPECT_EQ(client.get(form, {odd.entryId}, {8}).value(8), charV("odd"));
  ASSERT_TRUE(client.remove(form, {odd.entryId}).ok());
  EXPECT_TRUE(client.get(form, {plain}).ok());
}

}  // namespace
