// The one writer every message of the tool goes through. It assembles text
// into lines, optionally prefixes each line with a time stamp, writes it to
// standard output unless quiet, and appends it to the log file if one is set.
#pragma once

#include <cstdint>
#include <ctime>
#include <mutex>
#include <string>
#include <string_view>

#include "text_file.h"

namespace tixgrab {

class LogWriter {
 public:
  static constexpr int64_t kDefaultMaxFileSize = 300 * 1024;
  static constexpr std::time_t kSizeCheckInterval = 86400;

  LogWriter() = default;
  // Completes a pending partial line and flushes standard output.
  virtual ~LogWriter();
  LogWriter(const LogWriter&) = delete;
  LogWriter& operator=(const LogWriter&) = delete;

  LogWriter& write(std::string_view text);
  LogWriter& operator<<(std::string_view text) { return write(text); }

  void setLogFile(const std::string& path);
  void setConsole(bool on);
  void setTimestamp(bool on);
  void setMaxFileSize(int64_t bytes);
  void setRetryPolicy(TextFile::RetryPolicy policy);
  // Completes a pending partial line (as at program end) and flushes.
  void finish();

 protected:
  // Called with every completed line, after the time stamp was added.
  virtual void onLine(const std::string& line) { (void)line; }

 private:
  void completeLine();
  void appendToFile(const std::string& line);

  std::mutex mutex_;
  std::string logFile_;
  std::string pending_;
  bool hasPending_ = false;
  bool console_ = true;
  bool timestamp_ = false;
  int64_t maxFileSize_ = kDefaultMaxFileSize;
  std::time_t lastSizeCheck_ = 0;
  TextFile::RetryPolicy retry_;
};

// The process-wide writer used by the program.
LogWriter& toolLog();

}  // namespace tixgrab
