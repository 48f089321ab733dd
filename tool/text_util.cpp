#include "text_util.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace tixgrab {

namespace {
bool isBlankOrTab(char c) {
  return c == ' ' || c == '\t';
}
char upperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
}  // namespace

std::string trim(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && isBlankOrTab(text[begin]))
    ++begin;
  while (end > begin && isBlankOrTab(text[end - 1]))
    --end;
  return std::string(text.substr(begin, end - begin));
}

std::string toUpper(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    c = upperAscii(c);
  return result;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (upperAscii(a[i]) != upperAscii(b[i])) return false;
  }
  return true;
}

std::string replaceAllNoCase(std::string_view text, std::string_view pattern,
                             std::string_view replacement) {
  if (pattern.empty()) return std::string(text);
  std::string result;
  size_t pos = 0;
  while (pos < text.size()) {
    if (pos + pattern.size() <= text.size() &&
        equalsNoCase(text.substr(pos, pattern.size()), pattern)) {
      result += replacement;
      pos += pattern.size();
    } else {
      result += text[pos++];
    }
  }
  return result;
}

long toLong(const std::string& text) {
  // The records hold 32-bit values: an out-of-range number saturates as a
  // 32-bit atol does instead of wrapping around.
  long value = std::strtol(text.c_str(), nullptr, 10);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return value;
}

double toDouble(const std::string& text) {
  return std::atof(text.c_str());
}

void copyCut(char* field, std::string_view text, size_t maxChars) {
  size_t n = text.size() < maxChars ? text.size() : maxChars;
  std::memcpy(field, text.data(), n);
  field[n] = '\0';
}

}  // namespace tixgrab
