#include "text_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#include <vector>

#include "system_error.h"
#include "tool_exceptions.h"

namespace tixgrab {

namespace {

// Conditions that another program's hold on the file produces and that may
// go away by themselves.
bool isSharingConflict(int errnum) {
  return errnum == EACCES || errnum == EAGAIN || errnum == EWOULDBLOCK || errnum == EBUSY;
}

bool writeAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

TextFile::TextFile(std::string path) : path_(std::move(path)) {}

TextFile::~TextFile() {
  try {
    close();
  } catch (const ExternalFileException&) {
    // Nothing sensible can be done with a close error during unwinding.
  }
}

void TextFile::fail(int errnum) const {
  throw ExternalFileException(path_, systemErrorText(errnum));
}

void TextFile::fail(const std::string& text) const {
  throw ExternalFileException(path_, text);
}

int TextFile::tryOpen(Mode mode, int& errnum) const {
  int flags = O_CLOEXEC;
  bool exclusive = true;
  switch (mode) {
    case Mode::Read:
      flags |= O_RDONLY;
      exclusive = false;
      break;
    case Mode::Append:
      flags |= O_WRONLY | O_CREAT | O_APPEND;
      break;
    case Mode::Create:
      flags |= O_WRONLY | O_CREAT | O_EXCL;
      break;
    case Mode::Overwrite:
      flags |= O_WRONLY | O_CREAT;
      break;
    case Mode::Update:
      flags |= O_RDWR;
      break;
  }
  int fd = ::open(path_.c_str(), flags, 0666);
  if (fd < 0) {
    errnum = errno;
    return -1;
  }
  // Readers share the file with readers; writers hold it alone.
  if (::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
    errnum = errno;
    ::close(fd);
    return -1;
  }
  // Emptying only after the lock is held, so a file in use is never cut.
  if (mode == Mode::Overwrite && ::ftruncate(fd, 0) != 0) {
    errnum = errno;
    ::close(fd);
    return -1;
  }
  return fd;
}

void TextFile::open(Mode mode) {
  close();
  int errnum = 0;
  for (int attempt = 0;; ++attempt) {
    fd_ = tryOpen(mode, errnum);
    if (fd_ >= 0) break;
    if (mode == Mode::Create && errnum == EEXIST) {
      fail("Cannot open file for output. File already exists.");
    }
    if (!isSharingConflict(errnum) || attempt >= retry_.retries) fail(errnum);
    std::this_thread::sleep_for(retry_.delay);
  }
  if (mode == Mode::Read || mode == Mode::Update) {
    reader_ = ::fdopen(::dup(fd_), "r");
    if (!reader_) {
      int err = errno;
      close();
      fail(err);
    }
  }
}

void TextFile::requireOpen() const {
  if (fd_ < 0) fail("File not open");
}

bool TextFile::readLine(std::string& line) {
  requireOpen();
  if (!reader_) fail("File not open for reading");
  line.clear();
  errno = 0;
  int c;
  bool any = false;
  while ((c = std::fgetc(reader_)) != EOF) {
    any = true;
    if (c == '\n') break;
    line += static_cast<char>(c);
  }
  if (c == EOF && std::ferror(reader_)) fail(errno ? errno : EIO);
  // A file written with carriage-return line ends reads the same.
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return any;
}

void TextFile::writeLine(std::string_view text) {
  requireOpen();
  std::string buffer(text);
  buffer += '\n';
  if (!writeAll(fd_, buffer.data(), buffer.size())) fail(errno);
  ++linesWritten_;
}

void TextFile::close() {
  if (reader_) {
    std::fclose(reader_);
    reader_ = nullptr;
  }
  if (fd_ >= 0) {
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) fail(errno);
  }
}

int64_t TextFile::size() const {
  requireOpen();
  struct stat st {};
  if (::fstat(fd_, &st) != 0) fail(errno);
  return st.st_size;
}

void TextFile::keepTail(int64_t maxBytes) {
  int64_t total = size();
  if (total <= maxBytes) return;
  std::vector<char> tail(static_cast<size_t>(maxBytes));
  size_t got = 0;
  while (got < tail.size()) {
    ssize_t n = ::pread(fd_, tail.data() + got, tail.size() - got,
                        static_cast<off_t>(total - maxBytes + static_cast<int64_t>(got)));
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(errno);
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  size_t start = 0;
  while (start < got && tail[start] != '\n')
    ++start;
  start = start < got ? start + 1 : got;
  if (::ftruncate(fd_, 0) != 0) fail(errno);
  if (::lseek(fd_, 0, SEEK_SET) < 0) fail(errno);
  if (!writeAll(fd_, tail.data() + start, got - start)) fail(errno);
}

}  // namespace tixgrab
