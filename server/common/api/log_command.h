// The command-log side of call recording: the visitor that writes a walked
// record one value per line (log_walk.h), and the text rule of the log.
#pragma once

#include <cstddef>
#include <cstdint>

#include "api/log_text.h"
#include "api/log_walk.h"

// Texts longer than this many bytes are cut to kTQLogTextCut bytes.
inline constexpr size_t kTQLogTextLimit = 1024;
inline constexpr size_t kTQLogTextCut = 1023;
// How deep the walks descend into sub-records.
inline constexpr int kTQLogDepth = 200;

// Appends a text as one line: at most `size` bytes of it, cut to 1023 bytes
// on a character boundary when it is 1025 bytes or longer, with every
// control byte that could break the line structure (line feed, carriage
// return and the other bytes below 32 but the tab) made a space. NULL
// gives an empty line.
void tqLogTextLine(TQLogText& out, const char* text, size_t size = SIZE_MAX);

// A real number as a line: "%lf", or all the digits that give the same
// number back when "%lf" would lose some.
void tqLogRealLine(TQLogText& out, double value);

class TQCommandWriter {
 public:
  explicit TQCommandWriter(TQLogText& out) : out_(out) {}

  void u32(const char*, uint32_t& x) { out_.printf("%u\n", x); }
  void i32(const char*, int32_t& x) { out_.printf("%d\n", x); }
  void real(const char*, double& x) { tqLogRealLine(out_, x); }
  void boolean(const char*, uint8_t& x) { out_.append(x != 0 ? "T\n" : "F\n"); }
  void text(const char*, char*& x) { tqLogTextLine(out_, x); }
  void fixed(const char*, char* x, size_t size) { tqLogTextLine(out_, x, size - 1); }
  void word(const char*, uint32_t& x, const TQWords&) { out_.printf("%u\n", x); }
  void tag(const char*, uint32_t& x, const TQWords&) { out_.printf("%u\n", x); }
  void endTag() {}
  void marker(const char* line) { out_.printf("%s\n", line); }
  void hidden(uint32_t&, uint32_t) {}
  template <class F>
  void printed(F&&) {}
  // A property that a set call may change: "T" and the value when the bit
  // of the changed mask is set, else "F".
  template <class F>
  void changed(const char*, uint32_t& mask, uint32_t bit, F&& body) {
    if ((mask & bit) == 0) {
      out_.append("F\n");
      return;
    }
    out_.append("T\n");
    body();
  }
  template <class F>
  void record(const char*, F&& body) {
    body();
  }

  void numbers(const char*, uint32_t& count, uint32_t*& items) {
    const uint32_t n = items == nullptr ? 0 : count;
    out_.printf("%u\n", n);
    for (uint32_t i = 0; i < n; ++i)
      out_.printf("%u\n", items[i]);
  }

  void entryIds(const char*, TQEntryIdList& x) {
    const uint32_t n = x.entryIdList == nullptr ? 0 : x.numItems;
    out_.printf("%u\n", n);
    for (uint32_t i = 0; i < n; ++i)
      tqLogTextLine(out_, x.entryIdList[i], TQ_MAX_ENTRYID_SIZE);
  }

  template <class T, class F>
  void list(const char*, uint32_t& count, T*& items, F&& each) {
    const uint32_t n = items == nullptr ? 0 : count;
    out_.printf("%u\n", n);
    for (uint32_t i = 0; i < n; ++i)
      each(items[i]);
  }

  // A missing sub-record is written as an empty one, so that the lines
  // stay what a reader expects.
  template <class T, class F>
  void child(T*& p, F&& body) {
    if (depth_ >= kTQLogDepth) return;
    ++depth_;
    if (p != nullptr) {
      body(*p);
    } else {
      T empty{};
      body(empty);
    }
    --depth_;
  }

  void byteList(TQByteList& x) {
    const uint32_t n = x.bytes == nullptr ? 0 : x.numItems;
    out_.printf("%u\n%u\n", x.type, n);
    for (uint32_t i = 0; i < n; ++i)
      out_.printf("%x\n", x.bytes[i]);
    if (n > 0) out_.append("\n");
  }

 private:
  TQLogText& out_;
  int depth_ = 0;
};
