// Unpacking: checks the signature, inflates the raw deflate stream, then
// checks the CRC trailer and the length from the header. Anything that is
// not a container is copied through unchanged.
#include <zlib.h>

#include <algorithm>

#include "pack/tqpack_context.h"
#include "tqpack.h"

namespace tqpack {

namespace {

constexpr int kWindowBits = -15;  // raw deflate, 32 KB window

// Deflate never expands more than 1032 to 1 (a 258-byte match coded in two
// bits); the header's length is trusted for the first allocation only up to
// that bound, so a forged header cannot make the library reserve gigabytes.
constexpr uint64_t kMaxInflateRatio = 1032;

struct InflateStream {
  z_stream zs{};
  bool open = false;
  ~InflateStream() {
    if (open) inflateEnd(&zs);
  }
};

// Copies the bytes already read (`prefix`) and the rest of the input.
int32_t copyThrough(Context& ctx, const uint8_t* prefix, size_t prefixLength, uint64_t size) {
  Sink& sink = ctx.sink;
  if (sink.fd < 0) {
    // A stream may hold more than its size said by the time it is read;
    // the buffer then grows.
    size_t first = static_cast<size_t>(std::min<uint64_t>(size, UINT32_MAX - 1)) + 1;
    if (int32_t rc = sinkResize(sink, first); rc != TQPACK_OK) return rc;
  }
  if (int32_t rc = sinkWrite(sink, prefix, prefixLength); rc != TQPACK_OK) return rc;
  for (;;) {
    ssize_t n = sourceRefill(ctx.source);
    if (n < 0) return TQPACK_ERR_READ;
    if (n == 0) break;
    int32_t rc = sinkWrite(sink, ctx.source.next, ctx.source.avail);
    if (rc != TQPACK_OK) return rc;
    sourceConsume(ctx.source, ctx.source.avail);
  }
  return sinkFlush(sink);
}

int32_t inflateAll(Context& ctx) {
  InflateStream stream;
  z_stream& zs = stream.zs;
  int init = inflateInit2(&zs, kWindowBits);
  if (init != Z_OK) return init == Z_MEM_ERROR ? TQPACK_ERR_MEMORY : TQPACK_ERR_DATA;
  stream.open = true;

  Source& src = ctx.source;
  bool needInput = true;  // false while the coder only waits for output room
  for (;;) {
    if (src.avail == 0) {
      ssize_t n = sourceRefill(src);
      if (n < 0) return TQPACK_ERR_READ;
      if (n == 0 && needInput) return TQPACK_ERR_EOF;
    }
    uint8_t* out;
    size_t room;
    if (int32_t rc = sinkSpace(ctx.sink, out, room); rc != TQPACK_OK) return rc;
    uInt inChunk = static_cast<uInt>(std::min<size_t>(src.avail, UINT32_MAX));
    room = std::min<size_t>(room, UINT32_MAX);
    zs.next_in = const_cast<Bytef*>(src.next);
    zs.avail_in = inChunk;
    zs.next_out = out;
    zs.avail_out = static_cast<uInt>(room);
    int ret = inflate(&zs, Z_NO_FLUSH);
    // Input the coder did not take stays in the source for the trailer.
    sourceConsume(src, inChunk - zs.avail_in);
    size_t produced = room - zs.avail_out;
    needInput = zs.avail_out != 0;
    ctx.crc = crcUpdate(ctx.crc, out, produced);
    if (int32_t rc = sinkCommit(ctx.sink, produced); rc != TQPACK_OK) return rc;
    switch (ret) {
      case Z_STREAM_END:
        return TQPACK_OK;
      case Z_OK:
      case Z_BUF_ERROR:  // needs more input or more room: the loop gives both
        break;
      case Z_MEM_ERROR:
        return TQPACK_ERR_MEMORY;
      default:  // Z_DATA_ERROR, Z_NEED_DICT, Z_STREAM_ERROR
        return TQPACK_ERR_DATA;
    }
  }
}

}  // namespace

int32_t unpackContainer(Context& ctx, uint64_t size) {
  uint8_t header[kHeaderSize];
  size_t headerRead = 0;
  if (size >= kHeaderSize) {
    if (int32_t rc = sourceReadExact(ctx.source, header, 2); rc != TQPACK_OK) return rc;
    headerRead = 2;
  }
  if (headerRead == 0 || header[0] != kSignature0 || header[1] != kSignature1)
    return copyThrough(ctx, header, headerRead, size);

  if (int32_t rc = sourceReadExact(ctx.source, header + 2, 6); rc != TQPACK_OK) return rc;
  const uint32_t length = getLittle32(header + 4);
  if (ctx.sink.fd < 0) {
    uint64_t bound = (size - kHeaderSize) * kMaxInflateRatio + kMaxInflateRatio;
    size_t first = static_cast<size_t>(std::min<uint64_t>(length, bound));
    if (int32_t rc = sinkResize(ctx.sink, first + 1); rc != TQPACK_OK) return rc;
  }

  if (unpackWhole(ctx, length)) return TQPACK_OK;
  if (int32_t rc = inflateAll(ctx); rc != TQPACK_OK) return rc;
  if (int32_t rc = sinkFlush(ctx.sink); rc != TQPACK_OK) return rc;
  uint8_t trailer[kTrailerSize];
  if (int32_t rc = sourceReadExact(ctx.source, trailer, sizeof trailer); rc != TQPACK_OK) return rc;
  if (getLittle32(trailer) != ctx.crc) return TQPACK_ERR_CRC;
  if (ctx.sink.total != length) return TQPACK_ERR_LENGTH;
  return TQPACK_OK;
}

}  // namespace tqpack
