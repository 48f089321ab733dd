// Packing: header, raw deflate stream (32 KB window), CRC trailer.
#include <zlib.h>

#include <algorithm>

#include "pack/tqpack_context.h"
#include "tqpack.h"

namespace tqpack {

namespace {

// zlib's per-level tuning (good, lazy, nice, chain) is the container's own
// level table, so the raw coder is used with its stock parameters.
constexpr int kWindowBits = -15;  // raw deflate, 32 KB window
constexpr int kMemLevel = 8;

struct DeflateStream {
  z_stream zs{};
  bool open = false;
  ~DeflateStream() {
    if (open) deflateEnd(&zs);
  }
};

int32_t writeHeader(Sink& sink, uint32_t length) {
  uint8_t header[kHeaderSize] = {kSignature0, kSignature1, kVersion, 0};
  putLittle32(header + 4, length);
  return sinkWrite(sink, header, sizeof header);
}

int32_t deflateAll(Context& ctx, int level, uint32_t length) {
  DeflateStream stream;
  z_stream& zs = stream.zs;
  int init = deflateInit2(&zs, level, Z_DEFLATED, kWindowBits, kMemLevel, Z_DEFAULT_STRATEGY);
  if (init != Z_OK) return init == Z_MEM_ERROR ? TQPACK_ERR_MEMORY : TQPACK_ERR_DATA;
  stream.open = true;

  uint32_t remaining = length;  // input bytes not yet handed to the coder
  for (;;) {
    if (zs.avail_in == 0 && remaining > 0) {
      Source& src = ctx.source;
      if (int32_t rc = sourceRequire(src, remaining); rc != TQPACK_OK) return rc;
      size_t take = std::min<size_t>(src.avail, remaining);
      ctx.crc = crcUpdate(ctx.crc, src.next, take);
      zs.next_in = const_cast<Bytef*>(src.next);
      zs.avail_in = static_cast<uInt>(take);
      sourceConsume(src, take);
      remaining -= static_cast<uint32_t>(take);
    }
    uint8_t* out;
    size_t room;
    if (int32_t rc = sinkSpace(ctx.sink, out, room); rc != TQPACK_OK) return rc;
    room = std::min<size_t>(room, UINT32_MAX);
    zs.next_out = out;
    zs.avail_out = static_cast<uInt>(room);
    int flush = remaining == 0 ? Z_FINISH : Z_NO_FLUSH;
    int ret = deflate(&zs, flush);
    if (int32_t rc = sinkCommit(ctx.sink, room - zs.avail_out); rc != TQPACK_OK) return rc;
    if (ret == Z_STREAM_END) return TQPACK_OK;
    if (ret != Z_OK && ret != Z_BUF_ERROR) return TQPACK_ERR_DATA;
  }
}

}  // namespace

int32_t packContainer(Context& ctx, int level, uint32_t length) {
  if (packWhole(ctx, level, length)) return TQPACK_OK;
  if (int32_t rc = writeHeader(ctx.sink, length); rc != TQPACK_OK) return rc;
  if (int32_t rc = deflateAll(ctx, level, length); rc != TQPACK_OK) return rc;
  uint8_t trailer[kTrailerSize];
  putLittle32(trailer, ctx.crc);
  if (int32_t rc = sinkWrite(ctx.sink, trailer, sizeof trailer); rc != TQPACK_OK) return rc;
  return sinkFlush(ctx.sink);
}

}  // namespace tqpack
