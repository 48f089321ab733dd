// Two sessions in two threads recording into the same pair of files: every
// block reaches the files whole.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <thread>

#include "recording_fixture.h"

namespace {

using tqrec::EntryIds;
using tqrec::readFile;
using tqrec::Recorder;
using tqrec::ScratchFolder;
using tqtest::TestServer;

constexpr int kCalls = 40;

std::string commandBlock(const std::string& form, const std::string& text) {
  return "#\n# TQSetEntry\n#\nse\n" + form +
         "\n3\n000000000000001\n000000000000002\n000000000000003\n1\n8\n4\n" + text + "\n0\n0\n";
}

void calls(uint16_t port, const std::string& commands, const std::string& results,
           const std::string& form, const std::string& text) {
  Recorder r(port, commands, results);
  EntryIds ids({"000000000000001", "000000000000002", "000000000000003"});
  TQFieldValueStruct item{};
  item.fieldId = 8;
  item.value.dataType = TQ_DATA_TYPE_CHAR;
  item.value.u.charVal = const_cast<char*>(text.c_str());
  TQFieldValueList values{1, &item};
  for (int i = 0; i < kCalls; ++i) {
    TQSetEntry(r.control(), form.c_str(), &ids.list, &values, 0, 0, r.status());
  }
  TQStopRecording(r.control(), r.status());
}

TEST(Threads, TwoSessionsShareOneLogAndEveryBlockIsWhole) {
  TestServer server;
  ScratchFolder folder;
  const std::string commands = folder.file("cmd.log");
  const std::string results = folder.file("res.log");
  const std::string textA(900, 'a');
  const std::string textB(700, 'b');
  std::thread a(calls, server.port(), commands, results, "Form:A", textA);
  std::thread b(calls, server.port(), commands, results, "Form:B", textB);
  a.join();
  b.join();

  const std::string log = readFile(commands);
  const std::string blockA = commandBlock("Form:A", textA);
  const std::string blockB = commandBlock("Form:B", textB);
  int seenA = 0, seenB = 0;
  for (size_t at = 0; at < log.size();) {
    if (log.compare(at, blockA.size(), blockA) == 0) {
      ++seenA;
      at += blockA.size();
    } else if (log.compare(at, blockB.size(), blockB) == 0) {
      ++seenB;
      at += blockB.size();
    } else {
      FAIL() << "a broken block at byte " << at << ": " << log.substr(at, 200);
    }
  }
  EXPECT_EQ(seenA, kCalls);
  EXPECT_EQ(seenB, kCalls);

  // The result log: every block its header, its code and whole statuses.
  const std::string res = readFile(results);
  const std::string header = "\n   TQSetEntry  results\n";
  const std::regex rest(
      "ReturnCode:  ERROR\nStatus List : [0-9]+ items\n"
      "(Status Struct :\n   Message type : [A-Z]+\n   Message number : [0-9]+\n"
      "   Message : [^\n]*\n   Appended :[^\n]*\n)+");
  int blocks = 0;
  ASSERT_EQ(res.compare(0, header.size(), header), 0);
  for (size_t at = 0; at < res.size();) {
    size_t next = res.find(header, at + header.size());
    if (next == std::string::npos) next = res.size();
    const std::string body = res.substr(at + header.size(), next - at - header.size());
    EXPECT_TRUE(std::regex_match(body, rest)) << body;
    ++blocks;
    at = next;
  }
  EXPECT_EQ(blocks, 2 * kCalls);
}

}  // namespace
