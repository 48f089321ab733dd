// The log writer: line assembly, console and file output, time stamps and
// the shrinking of a large log file.
#include <gtest/gtest.h>

#include <regex>

#include "log_writer.h"
#include "tool_test_util.h"

namespace tixgrab::test {
namespace {

TEST(LogWriter, AssemblesLinesAndCompletesThePendingOneAtTheEnd) {
  CapturingLog log;
  log.write("a");
  EXPECT_TRUE(log.lines().empty());
  log << "b\nc";
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"ab"}));
  log << "\n\n";
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"ab", "c", ""}));
  log << "d";
  log.finish();
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"ab", "c", "", "d"}));
}

TEST(LogWriter, ConsoleOutputUnlessQuiet) {
  testing::internal::CaptureStdout();
  {
    LogWriter log;
    log << "shown\n";
    log.setConsole(false);
    log << "hidden\n";
    log.setConsole(true);
    log << "pending";
  }
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "shown\npending\n");
}

TEST(LogWriter, FileAndTimestamps) {
  ScratchDir dir;
  const std::string path = dir.file("run.log");
  CapturingLog log;
  log.setLogFile(path);
  log << "plain\n";
  log.setTimestamp(true);
  log << "stamped\n";
  const std::regex stamped(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2} stamped)");
  ASSERT_EQ(log.lines().size(), 2u);
  EXPECT_TRUE(std::regex_match(log.lines()[1], stamped)) << log.lines()[1];
  EXPECT_EQ(readFile(path), "plain\n" + log.lines()[1] + "\n");
}

TEST(LogWriter, UnwritableLogFileIsIgnored) {
  ScratchDir dir;
  CapturingLog log;
  log.setLogFile(dir.file("no/such/folder/run.log"));
  log << "line\n";
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"line"}));
}

TEST(LogWriter, ShrinksTheFileOncePerRun) {
  ScratchDir dir;
  const std::string path = dir.file("run.log");
  std::string old;
  for (int i = 0; old.size() < 400; ++i)
    old += "old " + std::to_string(i) + "\n";
  writeFile(path, old);
  CapturingLog log;
  log.setMaxFileSize(100);
  log.setLogFile(path);
  log << "first\n";
  std::string content = readFile(path);
  EXPECT_LE(content.size(), 100u);
  EXPECT_EQ(content.rfind("old ", 0), 0u) << "starts with a whole line";
  EXPECT_EQ(content.substr(content.size() - 6), "first\n");
  EXPECT_EQ(old.substr(old.size() - (content.size() - 6)), content.substr(0, content.size() - 6));
  for (int i = 0; i < 20; ++i)
    log << "more lines, no second check\n";
  EXPECT_GT(readFile(path).size(), 400u);
}

}  // namespace
}  // namespace tixgrab::test
