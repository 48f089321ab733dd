#include "i18n_test_util.h"

#include <iconv.h>

#include <cstdio>
#include <vector>

std::string Convert(const std::string& text, int from, int to, TQMbBadChars mode,
                    TQMbConvResult* result) {
  std::vector<char> buffer(tqMbConvertBound(text.size(), from, to));
  TQMbConvResult r =
      tqMbConvert(text.data(), text.size(), from, buffer.data(), buffer.size(), to, mode);
  if (result != nullptr) *result = r;
  return std::string(buffer.data());
}

std::string SystemIconv(const std::string& text, const char* from, const char* to) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return "<no converter>";
  std::string out(text.size() * 4 + 16, '\0');
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  char* o = out.data();
  size_t oLeft = out.size();
  size_t rc = iconv(cd, &in, &inLeft, &o, &oLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) return "<error>";
  out.resize(out.size() - oLeft);
  return out;
}

std::string Hex(const std::string& text) {
  std::string out;
  char byte[4];
  for (unsigned char c : text) {
    std::snprintf(byte, sizeof byte, "%02X ", c);
    out += byte;
  }
  return out;
}
