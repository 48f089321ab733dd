// The state of one pack or unpack operation. Every entry point allocates one
// context, runs, and releases it before returning: the library keeps no state
// between calls, so any number of threads may use it at once.
#ifndef TQPACK_CONTEXT_H
#define TQPACK_CONTEXT_H

#include <cstddef>
#include <cstdint>

#include "pack/tqpack_io.h"

namespace tqpack {

// Container layout: signature 0x1F 0x8C, version 1, 0, uncompressed length
// (little-endian, 32 bits), raw deflate data, CRC-32 of the uncompressed
// data (little-endian, 32 bits).
inline constexpr uint8_t kSignature0 = 0x1F;
inline constexpr uint8_t kSignature1 = 0x8C;
inline constexpr uint8_t kVersion = 1;
inline constexpr size_t kHeaderSize = 8;
inline constexpr size_t kTrailerSize = 4;
inline constexpr uint32_t kDefaultLevel = 6;

// Levels 1 to 9 are used as given; 0 and anything above 9 mean the default.
constexpr int effectiveLevel(uint32_t level) {
  return static_cast<int>(level >= 1 && level <= 9 ? level : kDefaultLevel);
}

inline void putLittle32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i)
    at[i] = static_cast<uint8_t>(value >> (8 * i));
}

inline uint32_t getLittle32(const uint8_t* at) {
  return uint32_t{at[0]} | uint32_t{at[1]} << 8 | uint32_t{at[2]} << 16 | uint32_t{at[3]} << 24;
}

// CRC-32 (reflected polynomial 0xEDB88320, preset and final complement);
// `crc` is the value so far, 0 before the first byte.
uint32_t crcUpdate(uint32_t crc, const uint8_t* data, size_t n);

struct Context {
  uint32_t crc = 0;
  Source source;
  Sink sink;
  uint8_t input[kInputBlock];
  uint8_t output[kOutputBlock];
};

// Packs the whole source (`length` bytes) into a container on the sink.
int32_t packContainer(Context& ctx, int level, uint32_t length);

// Unpacks the source (`size` bytes in all) to the sink; data that is not a
// container is copied unchanged.
int32_t unpackContainer(Context& ctx, uint64_t size);

// Fast path for memory input and memory output, called before anything is
// written: deflates the whole input in one call and writes the container
// straight into the result buffer. True when that fully succeeded (the source
// is then consumed and the sink holds the whole container); false leaves the
// sink empty, for the block-wise path.
bool packWhole(Context& ctx, int level, uint32_t length);

// Fast path for memory input and memory output, called once the header is
// read and the result buffer is allocated: inflates the whole deflate data in
// one call and checks the trailer. True when that fully succeeded (the source
// is then past the trailer and the sink holds all `length` bytes); false
// leaves the context as it was, for the block-wise path.
bool unpackWhole(Context& ctx, uint32_t length);

}  // namespace tqpack

#endif  // TQPACK_CONTEXT_H
