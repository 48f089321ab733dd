// Whole-buffer fast paths of the buffer-to-buffer routes. When the input and
// the result are both in memory, libdeflate codes the whole buffer in one
// call. Its result is taken only when it is a clean success by every rule of
// the container; anything else leaves the operation untouched, and the
// block-wise zlib path runs as usual and gives the codes, the partial output
// and the lengths it always gives.
#include <libdeflate.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "pack/tqpack_context.h"
#include "tqpack.h"

namespace tqpack {

namespace {

struct DecompressorFree {
  void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

struct CompressorFree {
  void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

// The libdeflate level that packs a container level (1 to 9). libdeflate's
// levels do not match zlib's effort for effort: its own level N usually
// compresses better than zlib's N on text and worse on binary records. Each
// entry is the lowest, and so fastest, libdeflate level whose output stays
// within 1.5% of zlib's at the container level on both the prose and the
// record corpus of the benchmark (bench/tqpack prints the sizes and derives
// this table):
//
//   container level    1  2  3  4  5  6  7  8  9
//   libdeflate level   2  2  2  2  3  6  8  8  8
//
// Level 6, the default, takes libdeflate 6 (+1.3% on records, -2.3% on
// text); libdeflate 7 packs 10 to 20% slower for 1.5% less on records.
constexpr int kLibdeflateLevel[10] = {0, 2, 2, 2, 2, 3, 6, 8, 8, 8};

}  // namespace

bool packWhole(Context& ctx, int level, uint32_t length) {
  Source& src = ctx.source;
  Sink& sink = ctx.sink;
  if (src.fd >= 0 || sink.fd >= 0 || sink.total != 0 || src.avail != length) return false;
  if (level < 1 || level > 9) return false;
  std::unique_ptr<libdeflate_compressor, CompressorFree> c(
      libdeflate_alloc_compressor(kLibdeflateLevel[level]));
  if (!c) return false;

  // Room for the worst case, so that the coder never runs out of space. The
  // result buffer of input length + 8 holds nothing yet: a fresh one replaces
  // it, since growing it could copy all of it. Without memory for the fresh
  // one the old buffer stays, for the block-wise path.
  const size_t bound = libdeflate_deflate_compress_bound(c.get(), length);
  const size_t room = kHeaderSize + bound + kTrailerSize;
  if (room < bound) return false;
  uint8_t* fresh = static_cast<uint8_t*>(std::malloc(room));
  if (!fresh) return false;
  std::free(sink.result);
  sink.result = fresh;
  sink.capacity = room;
  // An empty input may come without a buffer at all.
  static const uint8_t kNothing = 0;
  const uint8_t* in = length > 0 ? src.next : &kNothing;
  const size_t n =
      libdeflate_deflate_compress(c.get(), in, length, sink.result + kHeaderSize, bound);
  // A memory result is described by a 32-bit length.
  if (n == 0 || n > UINT32_MAX - kHeaderSize - kTrailerSize) return false;

  uint8_t* header = sink.result;
  header[0] = kSignature0;
  header[1] = kSignature1;
  header[2] = kVersion;
  header[3] = 0;
  putLittle32(header + 4, length);
  ctx.crc = crcUpdate(0, in, length);
  putLittle32(sink.result + kHeaderSize + n, ctx.crc);
  sink.total = kHeaderSize + n + kTrailerSize;
  if (length > 0) sourceConsume(src, length);
  return true;
}

bool unpackWhole(Context& ctx, uint32_t length) {
  Source& src = ctx.source;
  Sink& sink = ctx.sink;
  // The result buffer must already hold the header's length and its terminator.
  if (src.fd >= 0 || sink.fd >= 0 || sink.total != 0 || sink.capacity <= length) return false;
  std::unique_ptr<libdeflate_decompressor, DecompressorFree> d(libdeflate_alloc_decompressor());
  if (!d) return false;

  size_t used = 0, produced = 0;
  libdeflate_result ret = libdeflate_deflate_decompress_ex(d.get(), src.next, src.avail,
                                                           sink.result, length, &used, &produced);
  if (ret != LIBDEFLATE_SUCCESS || produced != length) return false;
  if (src.avail - used < kTrailerSize) return false;
  const uint32_t crc = crcUpdate(0, sink.result, produced);
  if (getLittle32(src.next + used) != crc) return false;

  // Bytes after the trailer are ignored, as on the block-wise path.
  sourceConsume(src, used + kTrailerSize);
  sink.total = produced;
  ctx.crc = crc;
  return true;
}

}  // namespace tqpack
