#include "log_writer.h"

#include <cstdio>

#include "timestamp.h"
#include "tool_exceptions.h"

namespace tixgrab {

LogWriter::~LogWriter() {
  finish();
}

void LogWriter::finish() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (hasPending_) completeLine();
  std::fflush(stdout);
}

LogWriter& LogWriter::write(std::string_view text) {
  std::lock_guard<std::mutex> lock(mutex_);
  size_t start = 0;
  for (size_t pos = text.find('\n'); pos != std::string_view::npos; pos = text.find('\n', start)) {
    pending_.append(text.substr(start, pos - start));
    completeLine();
    start = pos + 1;
  }
  if (start < text.size()) {
    pending_.append(text.substr(start));
    hasPending_ = true;
  }
  return *this;
}

void LogWriter::completeLine() {
  std::string line =
      timestamp_ ? formatLogTimestamp(std::time(nullptr)) + " " + pending_ : pending_;
  pending_.clear();
  hasPending_ = false;
  if (console_) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
  }
  onLine(line);
  if (!logFile_.empty()) appendToFile(line);
}

void LogWriter::appendToFile(const std::string& line) {
  // The file is opened and closed for every line so that it is always
  // complete on disk; a file error only costs this line in the file.
  try {
    TextFile file(logFile_);
    file.setRetryPolicy(retry_);
    file.open(TextFile::Mode::Append);
    file.writeLine(line);
    file.close();
    std::time_t now = std::time(nullptr);
    if (maxFileSize_ > 0 && now - lastSizeCheck_ > kSizeCheckInterval) {
      lastSizeCheck_ = now;
      file.open(TextFile::Mode::Update);
      file.keepTail(maxFileSize_);
      file.close();
    }
  } catch (const ExternalFileException&) {
  }
}

void LogWriter::setLogFile(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  logFile_ = path;
}

void LogWriter::setConsole(bool on) {
  std::lock_guard<std::mutex> lock(mutex_);
  console_ = on;
}

void LogWriter::setTimestamp(bool on) {
  std::lock_guard<std::mutex> lock(mutex_);
  timestamp_ = on;
}

void LogWriter::setMaxFileSize(int64_t bytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  maxFileSize_ = bytes;
}

void LogWriter::setRetryPolicy(TextFile::RetryPolicy policy) {
  std::lock_guard<std::mutex> lock(mutex_);
  retry_ = policy;
}

LogWriter& toolLog() {
  static LogWriter writer;
  return writer;
}

}  // namespace tixgrab
