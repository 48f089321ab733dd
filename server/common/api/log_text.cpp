// The in-memory text of call recording (log_text.h).
#include "api/log_text.h"

#include <cstdarg>
#include <cstring>

#include "share/apisrv/memory.h"

TQLogText::~TQLogText() {
  tqMemFree(data);
}

void TQLogText::append(const char* text, size_t count) {
  if (failed) return;
  if (length + count + 1 > capacity) {
    size_t wanted = capacity == 0 ? 256 : capacity;
    while (wanted < length + count + 1)
      wanted *= 2;
    auto* grown = static_cast<char*>(tqMemRealloc(data, wanted));
    if (grown == nullptr) {
      failed = true;
      return;
    }
    data = grown;
    capacity = wanted;
  }
  std::memcpy(data + length, text, count);
  length += count;
  data[length] = '\0';
}

void TQLogText::append(const char* text) {
  append(text, std::strlen(text));
}

void TQLogText::printf(const char* format, ...) {
  char small[512];
  va_list args;
  va_start(args, format);
  const int needed = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  if (needed < 0) return;
  if (static_cast<size_t>(needed) < sizeof small) {
    append(small, static_cast<size_t>(needed));
    return;
  }
  auto* big = static_cast<char*>(tqMemAlloc(static_cast<size_t>(needed) + 1));
  if (big == nullptr) {
    failed = true;
    return;
  }
  va_start(args, format);
  std::vsnprintf(big, static_cast<size_t>(needed) + 1, format, args);
  va_end(args);
  append(big, static_cast<size_t>(needed));
  tqMemFree(big);
}

void TQLogText::writeTo(FILE* file) const {
  if (file == nullptr || failed || length == 0) return;
  (void)std::fwrite(data, 1, length, file);
}
