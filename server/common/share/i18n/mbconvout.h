// The output side of a text conversion: a bounded destination that keeps
// counting past its end, so that one pass both converts and measures.
#pragma once

#include <cstddef>
#include <cstring>

// What a conversion does with a character it cannot convert (invalid in the
// source set, or without an equivalent in the target set).
enum class TQMbBadChars : unsigned char {
  kFail,     // stop and report the character's offset
  kReplace,  // write a replacement and go on (see tqMbConvert)
};

enum class TQMbConvStatus : unsigned char {
  kOk,
  kInvalid,  // a character could not be converted (kFail only)
  kNoRoom,   // the destination is too small; length says how much is needed
};

struct TQMbConvResult {
  TQMbConvStatus status = TQMbConvStatus::kOk;
  size_t length = 0;     // bytes of the converted text, without the terminator
  size_t badOffset = 0;  // source offset of the bad character (kInvalid)
};

// Bytes go to buf while they fit in cap; len counts all of them. With cap 0
// (and buf NULL) nothing is written and only the length is measured.
struct TQMbOut {
  char* buf = nullptr;
  size_t cap = 0;
  size_t len = 0;

  void Put(unsigned char c) {
    if (len < cap) buf[len] = static_cast<char>(c);
    ++len;
  }
  void Put(const void* bytes, size_t n) {
    if (len < cap) std::memcpy(buf + len, bytes, n <= cap - len ? n : cap - len);
    len += n;
  }
};
