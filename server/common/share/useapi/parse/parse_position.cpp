// The text that shows where parsing stopped: the offset, up to 15 bytes
// before it, a "^", and up to 15 bytes from it.
#include <cstdio>
#include <cstring>

#include "share/i18n/mbutil.h"
#include "share/useapi/parse/parse.h"

namespace {

constexpr size_t kExcerpt = 15;

// The first character start at or after offset from.
size_t characterStartFrom(const char* text, size_t from) {
  size_t at = 0;
  while (at < from && text[at] != '\0')
    at += tqMbCharLen(text + at);
  return at;
}

}  // namespace

bool tqParseTextIsBlank(const char* text) {
  if (text == nullptr) return true;
  while (*text == ' ' || *text == '\t')
    ++text;
  return *text == '\0';
}

std::string tqParsePositionText(const char* text, size_t position) {
  if (text == nullptr) return std::string();
  const size_t length = std::strlen(text);
  if (position > length) return std::string();
  char head[48];
  std::snprintf(head, sizeof head, "position %zu   (", position);
  std::string out = head;
  if (position > kExcerpt) {
    out += "...";
    const size_t from = characterStartFrom(text, position - kExcerpt);
    out.append(text + from, position - from);
  } else {
    out.append(text, position);
  }
  out += '^';
  const size_t after = tqMbSafeLength(text + position, kExcerpt);
  out.append(text + position, after);
  out += position + kExcerpt >= length ? ")" : "...)";
  return out;
}
