// Replay of a command log: the reader's lines (log_replay.h) and the
// services that read a log block by block and perform each recorded call
// through the frame, with the walk of its row (log_rows.h).
#include "api/log_replay.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "api/log_rows.h"
#include "api/tqb_frame.h"
#include "share/apisrv/memory.h"
#include "tqlink_services.h"

TQLogReader::TQLogReader(const char* data, size_t size) : data_(data), size_(size) {
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == '\n') ++lines_;
  }
  if (size > 0 && data[size - 1] != '\n') ++lines_;
}

bool TQLogReader::nextLine(const char** text, size_t* length) {
  if (pos_ >= size_) {
    if (ok()) ++line_;  // the line that is missing
    fail("another line");
    return false;
  }
  const char* start = data_ + pos_;
  const void* end = std::memchr(start, '\n', size_ - pos_);
  const size_t n =
      end != nullptr ? static_cast<size_t>(static_cast<const char*>(end) - start) : size_ - pos_;
  pos_ += n + (end != nullptr ? 1 : 0);
  ++line_;
  *text = start;
  *length = n;
  return true;
}

bool TQLogReader::expectLine(const char* text, const char* what) {
  if (!ok()) return false;
  const char* line = nullptr;
  size_t length = 0;
  if (!nextLine(&line, &length)) return false;
  if (length != std::strlen(text) || std::memcmp(line, text, length) != 0) {
    fail(what);
    return false;
  }
  return true;
}

int64_t TQLogReader::number(int64_t low, int64_t high, const char* what) {
  if (!ok()) return 0;
  const char* line = nullptr;
  size_t length = 0;
  if (!nextLine(&line, &length)) return 0;
  char digits[24];
  if (length == 0 || length >= sizeof digits) {
    fail(what);
    return 0;
  }
  std::memcpy(digits, line, length);
  digits[length] = '\0';
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(digits, &end, 10);
  if (errno != 0 || *end != '\0' || value < low || value > high) {
    fail(what);
    return 0;
  }
  return value;
}

void TQLogReader::real(const char*, double& x) {
  if (!ok()) return;
  const char* line = nullptr;
  size_t length = 0;
  if (!nextLine(&line, &length)) return;
  char digits[512];
  if (length == 0 || length >= sizeof digits) return fail("a real number");
  std::memcpy(digits, line, length);
  digits[length] = '\0';
  char* end = nullptr;
  x = std::strtod(digits, &end);
  if (*end != '\0') fail("a real number");
}

void TQLogReader::boolean(const char*, uint8_t& x) {
  if (!ok()) return;
  const char* line = nullptr;
  size_t length = 0;
  if (!nextLine(&line, &length)) return;
  if (length == 1 && (line[0] == 'T' || line[0] == 'F')) {
    x = line[0] == 'T' ? 1 : 0;
  } else {
    fail("T or F");
  }
}

void TQLogReader::text(const char*, char*& x) {
  if (!ok()) return;
  const char* line = nullptr;
  size_t length = 0;
  if (!nextLine(&line, &length)) return;
  x = static_cast<char*>(tqMemAlloc(length + 1));
  if (x == nullptr) return fail("memory for a text");
  std::memcpy(x, line, length);
  x[length] = '\0';
}

void TQLogReader::fixed(const char*, char* x, size_t size) {
  if (!ok()) return;
  const char* line = nullptr;
  size_t length = 0;
  if (!nextLine(&line, &length)) return;
  if (length >= size) return fail("a shorter name");
  std::memcpy(x, line, length);
  x[length] = '\0';
}

void TQLogReader::byteList(TQByteList& x) {
  u32("", x.type);
  const uint32_t n = counted(&x.bytes);
  x.numItems = n;
  for (uint32_t i = 0; i < n && ok(); ++i) {
    const char* line = nullptr;
    size_t length = 0;
    if (!nextLine(&line, &length)) return;
    unsigned value = 0;
    bool good = length >= 1 && length <= 2;
    for (size_t k = 0; good && k < length; ++k) {
      const char c = line[k];
      const int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
      good = digit >= 0;
      value = value * 16 + static_cast<unsigned>(digit);
    }
    if (!good) return fail("a byte in hexadecimal");
    x.bytes[i] = static_cast<unsigned char>(value);
  }
  if (n > 0) expectLine("", "the empty line after the bytes");
}

// ------------------------------------------------------------ the log

struct TQReplayLog {
  char* data;
  size_t size;
  TQLogReader reader;
};

namespace {

void copyName(char* to, size_t size, const char* from, size_t length) {
  if (length >= size) length = size - 1;
  std::memcpy(to, from, length);
  to[length] = '\0';
}

void malformed(TQReplayStep* step, const TQLogReader& reader) {
  step->kind = TQ_REPLAY_MALFORMED;
  step->line = reader.lineNumber();
  std::snprintf(step->message, sizeof step->message, "line %u: expected %s", reader.lineNumber(),
                reader.expected() != nullptr ? reader.expected() : "a command block");
}

void readStep(TQReplayLog* log, TQControlStruct* control, TQReplayStep* step,
              TQStatusList* status) {
  TQLogReader& reader = log->reader;
  if (!reader.ok()) return malformed(step, reader);
  if (reader.atEnd()) {
    step->kind = TQ_REPLAY_END;
    return;
  }
  step->line = reader.lineNumber() + 1;
  const char* line = nullptr;
  size_t length = 0;
  if (!reader.expectLine("#", "\"#\", the start of a block")) return malformed(step, reader);
  if (!reader.nextLine(&line, &length)) return malformed(step, reader);
  if (length < 3 || line[0] != '#' || line[1] != ' ') {
    reader.fail("\"# \" and the name of the call");
    return malformed(step, reader);
  }
  char header[64];
  copyName(header, sizeof header, line + 2, length - 2);
  if (!reader.expectLine("#", "\"#\" after the name of the call")) return malformed(step, reader);
  if (!reader.nextLine(&line, &length)) return malformed(step, reader);
  char code[16];
  copyName(code, sizeof code, line, length);

  if (std::strcmp(code, "st") == 0 && std::strcmp(header, "(Pause)") == 0) {
    uint32_t seconds = 0;
    reader.u32("", seconds);
    if (!reader.ok()) return malformed(step, reader);
    step->kind = TQ_REPLAY_PAUSE;
    step->seconds = seconds;
    copyName(step->name, sizeof step->name, header, std::strlen(header));
    return;
  }
  const TQRecordRow* row = tqRecordRowByCode(code);
  if (row == nullptr || std::strcmp(row->header, header) != 0) {
    reader.fail("a command code known for the name above it");
    return malformed(step, reader);
  }
  copyName(step->name, sizeof step->name, row->name, std::strlen(row->name));
  if (std::strcmp(code, "init") == 0 || std::strcmp(code, "term") == 0) {
    step->kind = TQ_REPLAY_SESSION;
    return;
  }
  if (row->replay == nullptr) {
    step->kind = TQ_REPLAY_SKIPPED;
    return;
  }
  // Without a control record the arguments are read but nothing is sent.
  const TQCallPlan* plan = control != nullptr && row->plan != nullptr ? row->plan() : nullptr;
  const uint32_t result = row->replay(reader, plan, control, status);
  if (!reader.ok()) return malformed(step, reader);
  if (result == kTQFrameGoOn) {
    step->kind = TQ_REPLAY_SKIPPED;
    return;
  }
  step->kind = TQ_REPLAY_CALL;
  step->code = result;
}

}  // namespace

extern "C" TQReplayLog* TQReplayOpen(const char* path) {
  if (path == nullptr) return nullptr;
  FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return nullptr;
  char* data = nullptr;
  size_t size = 0;
  size_t capacity = 0;
  bool failed = false;
  for (;;) {
    if (size == capacity) {
      const size_t wanted = capacity == 0 ? 4096 : capacity * 2;
      auto* grown = static_cast<char*>(tqMemRealloc(data, wanted));
      if (grown == nullptr) {
        failed = true;
        break;
      }
      data = grown;
      capacity = wanted;
    }
    const size_t got = std::fread(data + size, 1, capacity - size, file);
    size += got;
    if (got == 0) {
      failed = std::ferror(file) != 0;
      break;
    }
  }
  std::fclose(file);
  void* block = failed ? nullptr : tqMemAlloc(sizeof(TQReplayLog));
  if (block == nullptr) {
    tqMemFree(data);
    return nullptr;
  }
  return new (block) TQReplayLog{data, size, TQLogReader(data, size)};
}

extern "C" void TQReplayClose(TQReplayLog* log) {
  if (log == nullptr) return;
  tqMemFree(log->data);
  log->~TQReplayLog();
  tqMemFree(log);
}

extern "C" void TQReplayNext(TQReplayLog* log, TQControlStruct* control, TQReplayStep* step,
                             TQStatusList* status) {
  if (step == nullptr) return;
  *step = TQReplayStep{};
  if (status != nullptr) tqResetStatus(status);
  if (log == nullptr) {
    step->kind = TQ_REPLAY_END;
    return;
  }
  try {
    readStep(log, control, step, status);
  } catch (...) {
    step->kind = TQ_REPLAY_MALFORMED;
    std::snprintf(step->message, sizeof step->message, "memory ran out");
  }
}
