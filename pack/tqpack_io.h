// Block-wise input and output of one pack or unpack operation: a source that
// hands out the input a block at a time (from a descriptor or a caller's
// buffer) and a sink that collects the output (into a descriptor through a
// fixed block, or into a growing malloc buffer that becomes the caller's).
#ifndef TQPACK_IO_H
#define TQPACK_IO_H

#include <sys/types.h>

#include <cstddef>
#include <cstdint>

namespace tqpack {

inline constexpr size_t kInputBlock = 32768;
inline constexpr size_t kOutputBlock = 16384;

// Input of one operation. `next`/`avail` are the bytes read but not yet used.
struct Source {
  int fd = -1;               // descriptor input; memory input when negative
  uint8_t* block = nullptr;  // the context's input buffer (kInputBlock bytes)
  const uint8_t* next = nullptr;
  size_t avail = 0;
};

// A source over a caller's buffer: all of it is available at once.
void sourceFromMemory(Source& s, const void* data, size_t length);

// When nothing is left unused, reads the next block of at most `maxBytes`
// (capped at kInputBlock) from the descriptor. Returns the number of bytes now
// available, 0 at the end of the input, -1 on a read error (errno set).
ssize_t sourceRefill(Source& s, size_t maxBytes = kInputBlock);

// As sourceRefill, where more input is required: 0 when bytes are available,
// else the result code of the failed read (3001 error, 3002 early end).
int32_t sourceRequire(Source& s, size_t maxBytes = kInputBlock);

inline void sourceConsume(Source& s, size_t n) {
  s.next += n;
  s.avail -= n;
}

// Reads exactly `n` bytes into `out` (3001/3002 when the input fails first).
int32_t sourceReadExact(Source& s, uint8_t* out, size_t n);

// Output of one operation.
struct Sink {
  int fd = -1;               // descriptor output; memory output when negative
  uint8_t* block = nullptr;  // the context's output buffer (kOutputBlock bytes)
  size_t blockLength = 0;
  uint8_t* result = nullptr;  // memory output, allocated with malloc
  size_t capacity = 0;
  uint64_t total = 0;  // bytes produced so far (for memory output: bytes in `result`)
};

// Memory output only: makes the result buffer exactly `capacity` bytes
// (allocating it on first use). 3007 when the allocation fails.
int32_t sinkResize(Sink& s, size_t capacity);

// Room to write into directly: the free tail of the output block or of the
// result buffer, which grows when it is full. 3007 when growing fails.
int32_t sinkSpace(Sink& s, uint8_t*& at, size_t& room);

// Marks `n` bytes written at the place sinkSpace gave as produced; a full
// output block is written to the descriptor (3003 when it takes fewer bytes).
int32_t sinkCommit(Sink& s, size_t n);

// Copies `n` bytes to the output.
int32_t sinkWrite(Sink& s, const uint8_t* data, size_t n);

// Writes what the output block holds to the descriptor (3003 on a short write).
int32_t sinkFlush(Sink& s);

// Memory output: trims the result buffer to the produced bytes, plus one
// zero byte after them when `terminate` is set. A failed trim keeps the
// larger buffer, which is still valid.
void sinkTrim(Sink& s, bool terminate);

// Writes all `n` bytes to a descriptor, retrying after interruptions and
// partial writes. False when the descriptor takes fewer bytes.
bool writeAll(int fd, const uint8_t* data, size_t n);

}  // namespace tqpack

#endif  // TQPACK_IO_H
