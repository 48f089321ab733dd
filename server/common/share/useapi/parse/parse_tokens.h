// The tokens of a qualification text: what is read at one position.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum class TQToken : uint8_t {
  kEnd,
  kOpen,
  kClose,
  kEqual,
  kNotEqual,
  kLess,
  kLessEqual,
  kGreater,
  kGreaterEqual,
  kAdd,
  kMinus,
  kMultiply,
  kDivide,
  kModulo,
  kNot,
  kCharValue,  // text in double quotes
  kFieldRef,   // text in single quotes
  kLike,
  kAnd,
  kOr,
  kNull,
  kInteger,
  kReal,
  kWord,  // a bare word: a field reference or a keyword value
};

struct TQTokenRead {
  TQToken kind = TQToken::kEnd;
  size_t start = 0;  // offset of the token's first byte
  size_t end = 0;    // offset just past it
  std::string text;  // quoted texts without their quotes; bare words
  int32_t integer = 0;
  double real = 0;
};

// Reads the token at or after offset pos of text (separators skipped).
// False for a quote that is not closed (error 1580), with token->start at
// the end of the text.
bool tqReadToken(const char* text, size_t pos, TQTokenRead* token);
