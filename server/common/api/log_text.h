// A growing text in memory, the block that call recording builds before it
// writes it to a log in one piece (so that sessions that share a log file
// never interleave their blocks). Memory comes from the allocation seam; a
// failed allocation marks the text as failed and later appends do nothing.
#pragma once

#include <cstddef>
#include <cstdio>

struct TQLogText {
  char* data = nullptr;
  size_t length = 0;
  size_t capacity = 0;
  bool failed = false;

  TQLogText() = default;
  TQLogText(const TQLogText&) = delete;
  TQLogText& operator=(const TQLogText&) = delete;
  ~TQLogText();

  void append(const char* text, size_t count);
  void append(const char* text);
  void printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void clear() {
    length = 0;
    failed = false;
  }
  // Writes the whole text to `file` with one write (errors are ignored).
  void writeTo(FILE* file) const;
};
