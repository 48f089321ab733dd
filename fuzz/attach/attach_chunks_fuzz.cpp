// Fuzzes the receiver of prefixed chunks with the replies a server could
// send. The input is a mode byte (bit 0: unpacked data goes to a file; bit
// 1: a limit of 4 KiB on the total, else 1 MiB, so that runs stay fast; the
// limit of 2 GiB itself is the unit tests') and then chunks, each a two-byte
// little-endian length and that many bytes; the last chunk reports the
// transfer complete. Whatever the chunks hold, the receiver must end with
// data that matches what it was given or with an error status, and must
// never hold more than the total it accepted.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "api/tqb_chunks.h"
#include "tqlink.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t mode = data[0];
  std::FILE* file = (mode & 1) != 0 ? std::tmpfile() : nullptr;
  TQPrefixedData received;
  received.file = file;
  received.limit = (mode & 2) != 0 ? 4096 : 1 << 20;
  TQStatusList status{};
  size_t at = 1;
  uint32_t code = 0;
  bool complete = false;
  while (code == 0 && at + 2 <= size) {
    size_t length = data[at] | static_cast<size_t>(data[at + 1]) << 8;
    at += 2;
    if (length > size - at) length = size - at;
    complete = at + length + 2 > size;
    code = tqTakeChunk(received, reinterpret_cast<const char*>(data + at),
                       static_cast<uint32_t>(length), &status);
    at += length;
    if (received.started && received.received > received.total) std::abort();
  }
  if (code == 0 && complete) {
    code = tqCheckChunksComplete(received, &status);
    if (code == 0) code = tqUnpackChunks(received, file, &status);
  }
  // A failure is always reported.
  if (code >= TQ_RETURN_ERROR && status.numItems == 0) std::abort();
  tqReleaseChunks(received);
  FreeTQStatusList(&status, 0);
  if (file != nullptr) std::fclose(file);
  return 0;
}
