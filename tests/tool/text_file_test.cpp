// The text file's open policy, line reading and writing, and tail keeping.
#include <gtest/gtest.h>
#include <sys/file.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "text_file.h"
#include "timestamp.h"
#include "tool_exceptions.h"
#include "tool_test_util.h"

namespace tixgrab::test {
namespace {

using namespace std::chrono_literals;

std::string errorOf(TextFile& file, TextFile::Mode mode) {
  try {
    file.open(mode);
  } catch (const ExternalFileException& e) {
    EXPECT_EQ(e.path(), file.path());
    return e.errorText();
  }
  return "";
}

TEST(TextFile, ReadsLinesWithoutTheirEnds) {
  ScratchDir dir;
  writeFile(dir.file("a.txt"), "one\r\ntwo\n\nlast");
  TextFile file(dir.file("a.txt"));
  file.open(TextFile::Mode::Read);
  std::vector<std::string> lines;
  std::string line;
  while (file.readLine(line))
    lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "", "last"}));
}

TEST(TextFile, OpenErrors) {
  ScratchDir dir;
  TextFile missing(dir.file("missing.txt"));
  EXPECT_EQ(errorOf(missing, TextFile::Mode::Read), "No such file or directory");
  writeFile(dir.file("there.txt"), "x");
  TextFile there(dir.file("there.txt"));
  EXPECT_EQ(errorOf(there, TextFile::Mode::Create),
            "Cannot open file for output. File already exists.");
  TextFile closed(dir.file("closed.txt"));
  try {
    closed.writeLine("x");
    FAIL();
  } catch (const ExternalFileException& e) {
    EXPECT_STREQ(e.what(), "File not open");
  }
}

TEST(TextFile, AppendKeepsContentAndCountsLines) {
  ScratchDir dir;
  writeFile(dir.file("a.txt"), "old\n");
  TextFile file(dir.file("a.txt"));
  file.open(TextFile::Mode::Append);
  file.writeLine("new 1");
  file.writeLine("new 2");
  file.close();
  EXPECT_EQ(file.linesWritten(), 2u);
  EXPECT_EQ(readFile(dir.file("a.txt")), "old\nnew 1\nnew 2\n");
}

TEST(TextFile, KeepTail) {
  struct Case {
    std::string content;
    int64_t max;
    std::string kept;
  };
  const std::vector<Case> cases = {
      {"aaaa\nbbbb\ncccc\n", 15, "aaaa\nbbbb\ncccc\n"},  // exactly the maximum: unchanged
      {"aaaa\nbbbb\ncccc\n", 14, "bbbb\ncccc\n"},        // the cut first line is dropped
      {"aaaa\nbbbb\ncccc\n", 10, "cccc\n"},              // a whole line at the start is kept
      {"aaaa\nbbbb\ncccc\n", 3, ""},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    writeFile(dir.file("a.txt"), c.content);
    TextFile file(dir.file("a.txt"));
    file.open(TextFile::Mode::Update);
    file.keepTail(c.max);
    file.close();
    EXPECT_EQ(readFile(dir.file("a.txt")), c.kept) << c.max;
  }
}

// Another program holds the file; the open waits until it lets go.
TEST(TextFile, OpenWaitsForAnotherWriterToRelease) {
  ScratchDir dir;
  const std::string path = dir.file("held.txt");
  writeFile(path, "");
  int holder = ::open(path.c_str(), O_WRONLY);
  ASSERT_EQ(::flock(holder, LOCK_EX), 0);
  TextFile file(path);
  file.setRetryPolicy({100, 50ms});  // ample time even on a loaded machine
  std::thread release([holder] {
    std::this_thread::sleep_for(200ms);
    ::close(holder);
  });
  EXPECT_NO_THROW(file.open(TextFile::Mode::Append));
  release.join();
}

TEST(TextFile, OpenGivesUpAfterTheRetries) {
  ScratchDir dir;
  const std::string path = dir.file("held.txt");
  writeFile(path, "");
  int holder = ::open(path.c_str(), O_RDONLY);
  ASSERT_EQ(::flock(holder, LOCK_SH), 0);
  TextFile file(path);
  file.setRetryPolicy({2, 1ms});
  EXPECT_EQ(errorOf(file, TextFile::Mode::Append), "Resource temporarily unavailable");
  TextFile reader(path);
  EXPECT_NO_THROW(reader.open(TextFile::Mode::Read)) << "readers share the file";
  ::close(holder);
}

TEST(Timestamp, BothLayouts) {
  std::tm local{};
  local.tm_year = 102;
  local.tm_mon = 2;
  local.tm_mday = 5;
  local.tm_hour = 9;
  local.tm_min = 7;
  local.tm_sec = 3;
  local.tm_isdst = -1;
  std::time_t t = std::mktime(&local);
  EXPECT_EQ(formatLogTimestamp(t), "2002-03-05 09:07:03");
  EXPECT_EQ(formatTimestamp(t, '.', '.', false), "05.03.2002 09.07.03");
}

}  // namespace
}  // namespace tixgrab::test
