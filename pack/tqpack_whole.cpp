// Whole-buffer fast path of the buffer-to-buffer routes. When the input and
// the result are both in memory, libdeflate codes the whole buffer in one
// call. Its result is taken only when it is a clean success by every rule of
// the container; anything else leaves the operation untouched, and the
// block-wise zlib path runs as usual and gives the codes, the partial output
// and the lengths it always gives.
#include <libdeflate.h>

#include <memory>

#include "pack/tqpack_context.h"
#include "tqpack.h"

namespace tqpack {

namespace {

struct DecompressorFree {
  void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

}  // namespace

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
