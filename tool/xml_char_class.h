// Character classes of the XML reader. Arguments are character codes 0..255
// or ParseCursor::kEnd, which belongs to no class.
#pragma once

namespace tixgrab {

inline bool isNameStart(int c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
inline bool isDigit(int c) {
  return c >= '0' && c <= '9';
}
inline bool isAlnum(int c) {
  return isNameStart(c) || isDigit(c);
}
inline bool isNameChar(int c) {
  return isAlnum(c) || c == '.' || c == '-' || c == '_' || c == ':';
}
inline bool isHexDigit(int c) {
  return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
inline int hexValue(int c) {
  if (isDigit(c)) return c - '0';
  return (c >= 'a' ? c - 'a' : c - 'A') + 10;
}
inline bool isXmlBlank(int c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace tixgrab
