// The replay side of call recording: the visitor that fills a walked record
// (log_walk.h) from the lines of a command log, and the one that releases
// what it allocated. The log is input like any other: every count is
// bounded by the lines that are left, the depth of sub-records is bounded,
// and the first line that is not what the walk expects stops the reading
// with its number and what was expected.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "api/log_command.h"
#include "api/log_walk.h"
#include "share/apisrv/memory.h"

class TQLogReader {
 public:
  TQLogReader(const char* data, size_t size);

  bool ok() const { return expected_ == nullptr; }
  const char* expected() const { return expected_; }
  uint32_t lineNumber() const { return line_; }
  bool atEnd() const { return pos_ >= size_; }
  // The next line (without its line feed); false at the end of the log.
  bool nextLine(const char** text, size_t* length);
  // Stops the reading at the current line.
  void fail(const char* expected) {
    if (expected_ == nullptr) expected_ = expected;
  }
  // Reads a line that must be exactly `text`.
  bool expectLine(const char* text, const char* what);

  void u32(const char*, uint32_t& x) {
    x = static_cast<uint32_t>(number(0, UINT32_MAX, "an unsigned number"));
  }
  void i32(const char*, int32_t& x) {
    x = static_cast<int32_t>(number(INT32_MIN, INT32_MAX, "a signed number"));
  }
  void real(const char*, double& x);
  void boolean(const char*, uint8_t& x);
  void text(const char*, char*& x);
  void fixed(const char*, char* x, size_t size);
  void word(const char* label, uint32_t& x, const TQWords&) { u32(label, x); }
  void tag(const char* label, uint32_t& x, const TQWords&) { u32(label, x); }
  void endTag() {}
  void marker(const char* line) { expectLine(line, line); }
  void hidden(uint32_t& x, uint32_t value) { x = value; }
  template <class F>
  void printed(F&&) {}
  template <class F>
  void changed(const char* label, uint32_t& mask, uint32_t bit, F&& body) {
    uint8_t given = 0;
    boolean(label, given);
    if (given == 0 || !ok()) return;
    mask |= bit;
    body();
  }
  template <class F>
  void record(const char*, F&& body) {
    body();
  }

  void numbers(const char*, uint32_t& count, uint32_t*& items) {
    uint32_t* got = nullptr;
    const uint32_t n = counted(&got);
    count = n;
    items = got;
    for (uint32_t i = 0; i < n && ok(); ++i)
      u32("", items[i]);
  }
  void entryIds(const char*, TQEntryIdList& x) {
    const uint32_t n = counted(&x.entryIdList);
    x.numItems = n;
    for (uint32_t i = 0; i < n && ok(); ++i)
      fixed("", x.entryIdList[i], sizeof(TQEntryIdType));
  }
  template <class T, class F>
  void list(const char*, uint32_t& count, T*& items, F&& each) {
    const uint32_t n = counted(&items);
    count = n;
    for (uint32_t i = 0; i < n && ok(); ++i)
      each(items[i]);
  }
  template <class T, class F>
  void child(T*& p, F&& body) {
    if (!ok()) return;
    if (depth_ >= kTQLogDepth) return fail("a shallower tree of records");
    p = static_cast<T*>(tqMemCalloc(1, sizeof(T)));
    if (p == nullptr) return fail("memory for a record");
    ++depth_;
    body(*p);
    --depth_;
  }
  void byteList(TQByteList& x);

 private:
  int64_t number(int64_t low, int64_t high, const char* what);
  // Reads a count and allocates that many zeroed items; 0 items (and no
  // allocation) after a failure. No more items than lines are left.
  template <class T>
  uint32_t counted(T** items) {
    *items = nullptr;
    uint32_t n = 0;
    u32("", n);
    if (!ok() || n == 0) return 0;
    if (n > linesLeft()) {
      fail("a count no larger than the lines that follow");
      return 0;
    }
    *items = static_cast<T*>(tqMemCalloc(n, sizeof(T)));
    if (*items == nullptr) {
      fail("memory for the items");
      return 0;
    }
    return n;
  }
  size_t linesLeft() const { return lines_ > line_ ? lines_ - line_ : 0; }

  const char* data_;
  size_t size_;
  size_t pos_ = 0;
  uint32_t line_ = 0;
  size_t lines_ = 0;
  const char* expected_ = nullptr;
  int depth_ = 0;
};

// Releases what a TQLogReader put into a record.
class TQLogRelease {
 public:
  void u32(const char*, uint32_t&) {}
  void i32(const char*, int32_t&) {}
  void real(const char*, double&) {}
  void boolean(const char*, uint8_t&) {}
  void text(const char*, char*& x) {
    tqMemFree(x);
    x = nullptr;
  }
  void fixed(const char*, char*, size_t) {}
  void word(const char*, uint32_t&, const TQWords&) {}
  void tag(const char*, uint32_t&, const TQWords&) {}
  void endTag() {}
  void marker(const char*) {}
  void hidden(uint32_t&, uint32_t) {}
  template <class F>
  void printed(F&&) {}
  template <class F>
  void changed(const char*, uint32_t&, uint32_t, F&& body) {
    body();
  }
  template <class F>
  void record(const char*, F&& body) {
    body();
  }
  void numbers(const char*, uint32_t& count, uint32_t*& items) {
    tqMemFree(items);
    items = nullptr;
    count = 0;
  }
  void entryIds(const char*, TQEntryIdList& x) {
    tqMemFree(x.entryIdList);
    x = TQEntryIdList{};
  }
  template <class T, class F>
  void list(const char*, uint32_t& count, T*& items, F&& each) {
    if (items != nullptr) {
      for (uint32_t i = 0; i < count; ++i)
        each(items[i]);
    }
    tqMemFree(items);
    items = nullptr;
    count = 0;
  }
  template <class T, class F>
  void child(T*& p, F&& body) {
    if (p == nullptr) return;
    body(*p);
    tqMemFree(p);
    p = nullptr;
  }
  void byteList(TQByteList& x) {
    tqMemFree(x.bytes);
    x.bytes = nullptr;
    x.numItems = 0;
  }
};
