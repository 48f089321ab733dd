// A text file with the tool's open policy: other writers are denied, and an
// open that fails because another program holds the file is retried once a
// second for a while. Every failure is raised as ExternalFileException.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace tixgrab {

class TextFile {
 public:
  enum class Mode {
    Read,       // existing file; other readers allowed, writers denied
    Append,     // created when missing; content kept; writes go to the end
    Create,     // a new file; an existing one is refused
    Overwrite,  // a new or emptied file
    Update,     // existing file, read and write (used to shrink it)
  };

  // How often and how far apart a blocked open is tried again.
  struct RetryPolicy {
    int retries = 15;
    std::chrono::milliseconds delay{1000};
  };

  explicit TextFile(std::string path);
  ~TextFile();
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  void setRetryPolicy(RetryPolicy policy) { retry_ = policy; }

  void open(Mode mode);
  bool isOpen() const { return fd_ >= 0; }
  // Reads the next line without its line end; false at end of file.
  bool readLine(std::string& line);
  // Writes text and a line break.
  void writeLine(std::string_view text);
  void close();
  int64_t size() const;
  // Keeps at most the last maxBytes of the file, starting after the first
  // line feed of that tail, so that the file begins with a whole line.
  void keepTail(int64_t maxBytes);

  const std::string& path() const { return path_; }
  uint64_t linesWritten() const { return linesWritten_; }

 private:
  [[noreturn]] void fail(int errnum) const;
  [[noreturn]] void fail(const std::string& text) const;
  int tryOpen(Mode mode, int& errnum) const;
  void requireOpen() const;

  std::string path_;
  int fd_ = -1;
  std::FILE* reader_ = nullptr;
  uint64_t linesWritten_ = 0;
  RetryPolicy retry_;
};

}  // namespace tixgrab
