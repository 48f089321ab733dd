// Block-wise input and output of one operation.
#include "pack/tqpack_io.h"

#include <errno.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "tqpack.h"

namespace tqpack {

namespace {

// Result buffers are handed out with 32-bit lengths: a memory result never
// holds more data than that (the terminator of unpacked text may follow).
constexpr size_t kMaxResult = size_t{UINT32_MAX};

}  // namespace

void sourceFromMemory(Source& s, const void* data, size_t length) {
  s.fd = -1;
  s.next = static_cast<const uint8_t*>(data);
  s.avail = data ? length : 0;
}

ssize_t sourceRefill(Source& s, size_t maxBytes) {
  if (s.avail > 0) return static_cast<ssize_t>(s.avail);
  if (s.fd < 0) return 0;
  ssize_t n;
  do {
    n = ::read(s.fd, s.block, std::min(maxBytes, kInputBlock));
  } while (n < 0 && errno == EINTR);
  if (n > 0) {
    s.next = s.block;
    s.avail = static_cast<size_t>(n);
  }
  return n;
}

int32_t sourceRequire(Source& s, size_t maxBytes) {
  ssize_t n = sourceRefill(s, maxBytes);
  if (n > 0) return TQPACK_OK;
  return n < 0 ? TQPACK_ERR_READ : TQPACK_ERR_EOF;
}

int32_t sourceReadExact(Source& s, uint8_t* out, size_t n) {
  while (n > 0) {
    if (int32_t rc = sourceRequire(s, n); rc != TQPACK_OK) return rc;
    size_t take = std::min(n, s.avail);
    std::memcpy(out, s.next, take);
    sourceConsume(s, take);
    out += take;
    n -= take;
  }
  return TQPACK_OK;
}

int32_t sinkResize(Sink& s, size_t capacity) {
  if (capacity == 0) capacity = 1;  // keep a real block: realloc(p, 0) may free it
  void* grown = std::realloc(s.result, capacity);
  if (!grown) return TQPACK_ERR_MEMORY;
  s.result = static_cast<uint8_t*>(grown);
  s.capacity = capacity;
  return TQPACK_OK;
}

int32_t sinkSpace(Sink& s, uint8_t*& at, size_t& room) {
  if (s.fd >= 0) {
    at = s.block + s.blockLength;
    room = kOutputBlock - s.blockLength;
    return TQPACK_OK;
  }
  size_t used = static_cast<size_t>(s.total);
  size_t limit = std::min(s.capacity, kMaxResult);
  if (used >= limit) {
    if (limit >= kMaxResult) return TQPACK_ERR_MEMORY;
    size_t step = std::max(s.capacity / 2, kOutputBlock);
    size_t wanted = std::min(s.capacity + step, kMaxResult);
    if (int32_t rc = sinkResize(s, wanted); rc != TQPACK_OK) return rc;
    limit = s.capacity;
  }
  at = s.result + used;
  room = limit - used;
  return TQPACK_OK;
}

int32_t sinkCommit(Sink& s, size_t n) {
  s.total += n;
  if (s.fd < 0) return TQPACK_OK;
  s.blockLength += n;
  return s.blockLength == kOutputBlock ? sinkFlush(s) : TQPACK_OK;
}

int32_t sinkWrite(Sink& s, const uint8_t* data, size_t n) {
  while (n > 0) {
    uint8_t* at;
    size_t room;
    if (int32_t rc = sinkSpace(s, at, room); rc != TQPACK_OK) return rc;
    size_t take = std::min(n, room);
    std::memcpy(at, data, take);
    if (int32_t rc = sinkCommit(s, take); rc != TQPACK_OK) return rc;
    data += take;
    n -= take;
  }
  return TQPACK_OK;
}

int32_t sinkFlush(Sink& s) {
  if (s.fd < 0 || s.blockLength == 0) return TQPACK_OK;
  size_t n = s.blockLength;
  s.blockLength = 0;
  return writeAll(s.fd, s.block, n) ? TQPACK_OK : TQPACK_ERR_WRITE;
}

void sinkTrim(Sink& s, bool terminate) {
  if (s.fd >= 0 || !s.result) return;
  size_t used = static_cast<size_t>(s.total);
  size_t wanted = used + (terminate ? 1 : 0);
  if (wanted != s.capacity) {
    // Shrinking practically never fails; when growing by the terminator
    // fails, the byte cannot be added but the data stays intact.
    if (sinkResize(s, wanted) != TQPACK_OK && wanted > s.capacity) return;
  }
  if (terminate) s.result[used] = 0;
}

bool writeAll(int fd, const uint8_t* data, size_t n) {
  while (n > 0) {
    ssize_t w = ::write(fd, data, n);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    data += w;
    n -= static_cast<size_t>(w);
  }
  return true;
}

}  // namespace tqpack
