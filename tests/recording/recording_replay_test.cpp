// Record then replay: a session that uses the operations of entries,
// definitions and the server is recorded against one reference server, its
// command log replayed with tqreplay against a fresh one with the same
// forms, and the two sessions' logs compared.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>

#include "recording_fixture.h"

namespace {

using tqrec::EntryIds;
using tqrec::readFile;
using tqrec::Recorder;
using tqrec::ScratchFolder;
using tqtest::TestServer;

constexpr const char* kForm = "Demo:Request";

// The server's times differ between the two runs: the time values, and the
// times inside a status history (each after a \x03 separator).
std::string masked(const std::string& log) {
  const std::string values =
      std::regex_replace(log, std::regex("\\(timestamp\\) -?[0-9]+"), "(timestamp) T");
  return std::regex_replace(values, std::regex("\x03[0-9]+"), "\x03T");
}

struct Values {
  std::vector<TQFieldValueStruct> items;
  TQFieldValueList list() { return {static_cast<uint32_t>(items.size()), items.data()}; }
  Values& text(uint32_t id, const char* value) {
    items.push_back({id, {}});
    items.back().value.dataType = TQ_DATA_TYPE_CHAR;
    items.back().value.u.charVal = const_cast<char*>(value);
    return *this;
  }
  Values& enumerated(uint32_t id, uint32_t value) {
    items.push_back({id, {}});
    items.back().value.dataType = TQ_DATA_TYPE_ENUM;
    items.back().value.u.enumVal = value;
    return *this;
  }
};

void recordSession(uint16_t port, const std::string& commands, const std::string& results) {
  Recorder r(port, commands, results);
  uint32_t codes[] = {55};
  TQServerInfoRequestList requests{1, codes};
  TQServerInfoList info{};
  EXPECT_EQ(TQGetServerInfo(r.control(), &requests, &info, r.status()), 0u);
  FreeTQServerInfoList(&info, 0);

  TQEntryIdType first{}, second{}, merged{};
  Values a;
  a.text(8, "first request").text(4, "Ann").enumerated(7, 1);
  TQFieldValueList aList = a.list();
  EXPECT_EQ(TQCreateEntry(r.control(), kForm, &aList, first, r.status()), 0u);
  Values b;
  b.text(8, "second\nrequest, on two lines");
  TQFieldValueList bList = b.list();
  EXPECT_EQ(TQCreateEntry(r.control(), kForm, &bList, second, r.status()), 0u);

  EntryIds firstId({first});
  uint32_t wanted[] = {1, 4, 7, 8};
  TQInternalIdList fields{4, wanted};
  TQFieldValueList got{};
  EXPECT_EQ(TQGetEntry(r.control(), kForm, &firstId.list, &fields, &got, r.status()), 0u);
  FreeTQFieldValueList(&got, 0);

  Values change;
  change.text(8, "first request, changed").enumerated(7, 2);
  TQFieldValueList changeList = change.list();
  EXPECT_EQ(TQSetEntry(r.control(), kForm, &firstId.list, &changeList, 0, 0, r.status()), 0u);
  EXPECT_EQ(TQGetEntry(r.control(), kForm, &firstId.list, nullptr, &got, r.status()), 0u);
  FreeTQFieldValueList(&got, 0);

  Values m;
  m.text(8, "merged in");
  TQFieldValueList mList = m.list();
  TQMergeEntry(r.control(), kForm, &mList, 1, merged, r.status());

  EntryIds secondId({second});
  EXPECT_EQ(TQDeleteEntry(r.control(), kForm, &secondId.list, 0, r.status()), 0u);
  EXPECT_EQ(TQGetEntry(r.control(), kForm, &secondId.list, &fields, &got, r.status()), 2u)
      << "deleted";
  FreeTQFieldValueList(&got, 0);

  // The entry lists, a statistic and a multiple get replay like the others.
  TQEntryListList entries{};
  uint32_t matches = 0;
  EXPECT_EQ(TQGetListEntry(r.control(), kForm, nullptr, nullptr, nullptr, 0, &entries, &matches,
                           r.status()),
            0u);
  FreeTQEntryListList(&entries, 0);
  TQEntryListFieldStruct shown[] = {{8, 20, " "}};
  TQEntryListFieldList shownList{1, shown};
  TQEntryListFieldValueList withFields{};
  EXPECT_EQ(TQGetListEntryWithFields(r.control(), kForm, nullptr, &shownList, nullptr, 0,
                                     &withFields, &matches, r.status()),
            0u);
  FreeTQEntryListFieldValueList(&withFields, 0);
  uint32_t byStatus[] = {7};
  TQInternalIdList groupBy{1, byStatus};
  TQStatisticsResultList statistics{};
  EXPECT_EQ(TQGetEntryStatistics(r.control(), kForm, nullptr, nullptr, 1, &groupBy, &statistics,
                                 r.status()),
            0u);
  FreeTQStatisticsResultList(&statistics, 0);
  TQEntryIdListList both{2, nullptr};
  TQEntryIdList pair[] = {firstId.list, secondId.list};
  both.entryIdListList = pair;
  TQBooleanList exists{};
  TQFieldValueListList many{};
  TQGetMultipleEntries(r.control(), kForm, &both, &fields, &exists, &many, r.status());
  FreeTQBooleanList(&exists, 0);
  FreeTQFieldValueListList(&many, 0);

  TQNameList names{};
  TQGetListSchema(r.control(), 0, nullptr, 0, &names, r.status());
  FreeTQNameList(&names, 0);
  TQInternalIdList ids{};
  TQGetListField(r.control(), kForm, 0xffffffffu, 0, &ids, r.status());
  FreeTQInternalIdList(&ids, 0);
  TQGetListFilter(r.control(), kForm, 0, &names, r.status());
  FreeTQNameList(&names, 0);
  TQDeleteFilter(r.control(), "No Such Filter", r.status());
  TQBoolean admin = 0, subAdmin = 0, customize = 0;
  TQVerifyUser(r.control(), &admin, &subAdmin, &customize, r.status());
}

TEST(Replay, ARecordedSessionReplaysToTheSameResults) {
  ScratchFolder folder;
  const std::string commands = folder.file("cmd.log");
  const std::string results = folder.file("res.log");
  {
    TestServer recorded({"--forms", TQ_DEMO_FORMS});
    recordSession(recorded.port(), commands, results);
  }
  const std::string log = readFile(commands);
  ASSERT_NE(log.find("\nce\nDemo:Request\n1\n8\n4\nsecond request, on two lines\n"),
            std::string::npos)
      << log;

  TestServer fresh({"--forms", TQ_DEMO_FORMS});
  const std::string ownCommands = folder.file("replay-cmd.log");
  const std::string ownResults = folder.file("replay-res.log");
  const std::string command = std::string(TQ_REPLAY_PATH) + " --no-pauses --port " +
                              std::to_string(fresh.port()) + " --commands " + ownCommands +
                              " --results " + ownResults + " --expect " + results + " 127.0.0.1 " +
                              commands + " > " + folder.file("out.txt") + " 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << readFile(folder.file("out.txt"));

  // The replay sent what was recorded, and got what was recorded.
  EXPECT_EQ(readFile(ownCommands), log);
  EXPECT_EQ(masked(readFile(ownResults)), masked(readFile(results)));
  EXPECT_NE(readFile(results).find("ReturnCode:  ERROR"), std::string::npos)
      << "the failed get is part of the comparison";
  EXPECT_NE(readFile(results).find("Entry List List : 2 items"), std::string::npos)
      << "the answers of a chunked list are part of the comparison";
}

TEST(Replay, ADifferentResultOrABrokenLogIsTheExitCode) {
  ScratchFolder folder;
  const std::string commands = folder.file("cmd.log");
  const std::string results = folder.file("res.log");
  {
    TestServer recorded({"--forms", TQ_DEMO_FORMS});
    recordSession(recorded.port(), commands, results);
  }
  // The fresh server knows no form: the entry calls fail where they passed.
  TestServer empty;
  auto run = [&](const std::string& log) {
    const std::string command =
        std::string(TQ_REPLAY_PATH) + " --no-pauses --port " + std::to_string(empty.port()) +
        " --commands " + folder.file("c2.log") + " --results " + folder.file("r2.log") +
        " --expect " + results + " 127.0.0.1 " + log + " > " + folder.file("out.txt") + " 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  EXPECT_EQ(run(commands), 1) << readFile(folder.file("out.txt"));
  EXPECT_NE(readFile(folder.file("out.txt")).find("TQCreateEntry gave 2, recorded 0"),
            std::string::npos)
      << readFile(folder.file("out.txt"));

  std::ofstream(folder.file("broken.log")) << "#\n# TQGetEntry\n#\nge\nDemo:Request\nmany\n";
  EXPECT_EQ(run(folder.file("broken.log")), 2);
  EXPECT_NE(readFile(folder.file("out.txt")).find("line 6: expected an unsigned number"),
            std::string::npos)
      << readFile(folder.file("out.txt"));
}

}  // namespace
