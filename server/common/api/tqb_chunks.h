// Data that a server sends in chunks behind an 8-byte prefix (attachments,
// packed export texts): the first chunk begins with two 32-bit numbers in
// network byte order, a packed flag (non-zero: the data is a tqpack
// container) and the total data length; the prefix is not part of the data.
//
// Every number here comes from the peer, so it is checked before it is used:
// the total is bounded by the caller's limit before anything is allocated,
// the chunks together may hold no more than the total and, once the server
// reports the transfer complete, no less; data flagged as packed must begin
// like a container. The receiver never holds more than the total (plus a
// terminator) besides the chunk in hand.
#pragma once

#include <cstdint>
#include <cstdio>

#include "tqlink.h"

inline constexpr uint32_t kTQChunkPrefixSize = 8;
// The largest attachment: sizes are signed 32-bit numbers.
inline constexpr uint32_t kTQAttachLimit = 2147483647u;

struct TQPrefixedData {
  // Where unpacked data goes at once, chunk by chunk; nullptr: into memory.
  std::FILE* file = nullptr;
  // The largest total accepted.
  uint32_t limit = kTQAttachLimit;
  // What has arrived.
  bool started = false;
  bool packed = false;
  uint32_t total = 0;
  uint32_t received = 0;
  // The packed data, or the data for memory: total + 1 bytes, terminated.
  unsigned char* buffer = nullptr;
};

// Takes one chunk. Returns 0, or 2 with an error status: an empty chunk
// (no status added when the list holds an error already, the server's
// reason), a first chunk without its prefix, a total above the limit
// (8703), no memory for the total (154), more data than the total (160),
// a failed write to the file (301 with the system's error text).
uint32_t tqTakeChunk(TQPrefixedData& data, const char* chunk, uint32_t length,
                     TQStatusList* status);

// After the reply that reported the transfer complete: 0 when all the data
// announced arrived and packed data looks packed, else 2 with error 160.
uint32_t tqCheckChunksComplete(const TQPrefixedData& data, TQStatusList* status);

// Unpacks packed data in place, to memory (the buffer is replaced by the
// unpacked data, terminated) or to `file`. 160 when the data cannot be
// unpacked, 301 when the file does not take it, 154 without memory.
uint32_t tqUnpackChunks(TQPrefixedData& data, std::FILE* file, TQStatusList* status);

// Releases the buffer.
void tqReleaseChunks(TQPrefixedData& data);

// Adds a file error with the system's error text; returns 2 or more.
uint32_t tqFileError(TQStatusList* status, int32_t number);
