// The result-log side of call recording: the printer that shows a walked
// record (log_walk.h) for people, and the result block of a call.
//
// A record prints its header line, then one line per field with its label
// and value, indented by three spaces below the header; a list prints
// "<name> List : <count> items" and then its items; numbers print on one
// line after "<name> (<count>)  ", wrapped before a line reaches 79
// characters; enumerations print their words. A union's tag starts a line
// ("Value:  (integer)") that its payload completes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "api/log_command.h"
#include "api/log_text.h"
#include "api/log_walk.h"

class TQResultPrinter {
 public:
  explicit TQResultPrinter(TQLogText& out) : out_(out) {}

  void u32(const char* label, uint32_t& x) {
    start(label);
    out_.printf("%u\n", x);
  }
  void i32(const char* label, int32_t& x) {
    start(label);
    out_.printf("%d\n", x);
  }
  void real(const char* label, double& x) {
    start(label);
    out_.printf("%lf\n", x);
  }
  void boolean(const char* label, uint8_t& x) {
    start(label);
    out_.append(x != 0 ? "TRUE\n" : "FALSE\n");
  }
  void text(const char* label, char*& x) { textOf(label, x, SIZE_MAX); }
  void fixed(const char* label, char* x, size_t size) { textOf(label, x, size - 1); }
  void word(const char* label, uint32_t& x, const TQWords& words) {
    start(label);
    wordOf(x, words);
    out_.append("\n");
  }
  void tag(const char* label, uint32_t& x, const TQWords& words) {
    breakLine();
    start(label);
    wordOf(x, words);
    open_ = true;
  }
  void endTag() { breakLine(); }
  void marker(const char*) {}
  void hidden(uint32_t&, uint32_t) {}
  template <class F>
  void printed(F&& body) {
    body();
  }
  template <class F>
  void changed(const char*, uint32_t& mask, uint32_t bit, F&& body) {
    if ((mask & bit) != 0) body();
  }

  template <class F>
  void record(const char* header, F&& body) {
    breakLine();
    indentLine();
    out_.printf("%s\n", header);
    indent_ += 3;
    body();
    breakLine();
    indent_ -= 3;
  }

  template <class T, class F>
  void list(const char* name, uint32_t& count, T*& items, F&& each) {
    const uint32_t n = items == nullptr ? 0 : count;
    breakLine();
    indentLine();
    out_.printf("%s List : %u items\n", name, n);
    for (uint32_t i = 0; i < n; ++i)
      each(items[i]);
  }

  template <class T, class F>
  void child(T*& p, F&& body) {
    if (p == nullptr) {
      start("");
      out_.append("NULL\n");
      return;
    }
    if (depth_ >= kTQLogDepth) return;
    ++depth_;
    body(*p);
    --depth_;
  }

  void numbers(const char* name, uint32_t& count, uint32_t*& items);
  void entryIds(const char* label, TQEntryIdList& x);
  void byteList(TQByteList& x);

 private:
  // Ends a line that a tag left open.
  void breakLine() {
    if (!open_) return;
    out_.append("\n");
    open_ = false;
  }
  void indentLine() {
    for (int i = 0; i < indent_; ++i)
      out_.append(" ");
  }
  // Starts a field: on the open line of a tag, else on a line of its own
  // with the label.
  void start(const char* label) {
    if (open_) {
      out_.append(" ");
      open_ = false;
      return;
    }
    indentLine();
    out_.printf("%s ", label);
  }
  void textOf(const char* label, const char* x, size_t size);
  void wordOf(uint32_t x, const TQWords& words);

  TQLogText& out_;
  int indent_ = 0;
  int depth_ = 0;
  bool open_ = false;
};
