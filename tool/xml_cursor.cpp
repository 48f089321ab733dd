#include "xml_cursor.h"

#include <algorithm>

namespace tixgrab {

int ParseCursor::get() {
  while (rest_.empty()) {
    if (endOfInput_) return kEnd;
    std::string next;
    if (!source_ || !source_(next)) {
      endOfInput_ = true;
      return kEnd;
    }
    bool first = lineNumber_ == 0;
    line_ = std::move(next);
    ++lineNumber_;
    rest_.assign(line_.rbegin(), line_.rend());
    if (!first) rest_.push_back('\n');
  }
  char c = rest_.back();
  rest_.pop_back();
  return static_cast<unsigned char>(c);
}

int ParseCursor::peek() {
  int c = get();
  if (c != kEnd) unget(static_cast<char>(c));
  return c;
}

void ParseCursor::unget(std::string_view text) {
  for (auto it = text.rbegin(); it != text.rend(); ++it)
    rest_.push_back(*it);
}

bool ParseCursor::atEnd() {
  return peek() == kEnd;
}

std::string ParseCursor::location() const {
  if (endOfInput_ && rest_.empty()) return " at end of input";
  long position = static_cast<long>(line_.size()) - static_cast<long>(rest_.size()) + 1;
  if (position <= 0) return " at start of line " + std::to_string(lineNumber_) + ": " + line_;
  return " at position " + std::to_string(position) + " in line " + std::to_string(lineNumber_) +
         ": " + line_;
}

}  // namespace tixgrab
