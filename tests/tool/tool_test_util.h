// Helpers of the Tixgrab tests: a scratch folder, whole-file reading and
// writing, and running a program with its output captured.
#pragma once

#include <string>
#include <vector>

#include "log_writer.h"

namespace tixgrab::test {

// A fresh folder under the system's temporary folder, removed at the end.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

void writeFile(const std::string& path, const std::string& content);
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);

struct RunResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs program with args (argv[0] = program) in folder dir.
RunResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& dir);

// A log writer that keeps every line instead of printing it.
class CapturingLog : public LogWriter {
 public:
  CapturingLog() { setConsole(false); }
  ~CapturingLog() override { finish(); }
  std::string text() const;
  const std::vector<std::string>& lines() const { return lines_; }

 protected:
  void onLine(const std::string& line) override { lines_.push_back(line); }

 private:
  std::vector<std::string> lines_;
};

}  // namespace tixgrab::test
