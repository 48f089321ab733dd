// The reader's position in its input: the current line, what is left of it
// (kept reversed so characters can be taken from and pushed back to its end),
// and the line number. Lines come from a source function one at a time; a
// line feed is delivered before every line but the first.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tixgrab {

class ParseCursor {
 public:
  static constexpr int kEnd = -1;
  using LineSource = std::function<bool(std::string&)>;

  ParseCursor() = default;
  explicit ParseCursor(LineSource source) : source_(std::move(source)) {}

  // The next character (0..255), or kEnd when no input is left.
  int get();
  int peek();
  void unget(char c) { rest_.push_back(c); }
  // Pushes text back so that its first character is read next.
  void unget(std::string_view text);

  bool atEnd();
  // " at end of input", " at position P in line N: <line>" or
  // " at start of line N: <line>".
  std::string location() const;

 private:
  LineSource source_;
  std::string line_;
  std::string rest_;
  int lineNumber_ = 0;
  bool endOfInput_ = false;
};

}  // namespace tixgrab
