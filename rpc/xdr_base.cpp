// The non-template parts of the XDR framework: stream bounds, the decoders'
// allocation, unions, bounded strings and byte blocks.
#include "rpc/xdr_base.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace tqx {

namespace {

thread_local size_t largestRequest = 0;
thread_local int decodeDepth = 0;

// The two operation tables of libtirpc's memory streams (aligned and
// unaligned buffers); a handle with one of them keeps its remaining byte
// count in x_handy.
std::pair<const void*, const void*> memoryStreamOps() {
  static const std::pair<const void*, const void*> ops = [] {
    alignas(8) char buffer[16] = {};
    XDR aligned{};
    XDR unaligned{};
    xdrmem_create(&aligned, buffer, 8, XDR_DECODE);
    xdrmem_create(&unaligned, buffer + 1, 8, XDR_DECODE);
    return std::pair<const void*, const void*>{aligned.x_ops, unaligned.x_ops};
  }();
  return ops;
}

void noteRequest(size_t bytes) {
  largestRequest = std::max(largestRequest, bytes);
}

// Reads length bytes into a new block of length + 1 bytes (terminated).
// Short blocks are read at once; long ones in chunks as they arrive, so that
// a length that lies about a record stream costs at most one chunk more than
// what was really received.
char* readBlock(XDR* x, uint32_t length) {
  const size_t padded = (size_t{length} + 3) & ~size_t{3};
  if (padded > remaining(x)) return nullptr;
  if (length <= kDecodeChunkBytes) {
    char* block = static_cast<char*>(allocZeroed(size_t{length} + 1));
    if (block == nullptr) return nullptr;
    if (length != 0 && !xdr_opaque(x, block, length)) {
      std::free(block);
      return nullptr;
    }
    return block;
  }
  char* block = nullptr;
  size_t have = 0;
  size_t capacity = 0;
  while (have < length) {
    const size_t piece = std::min<size_t>(kDecodeChunkBytes, length - have);
    if (have + piece + 1 > capacity) {
      size_t grown = std::min<size_t>(std::max(capacity * 2, have + piece + 1), size_t{length} + 1);
      void* bigger = growZeroed(block, capacity, grown);
      if (bigger == nullptr) {
        std::free(block);
        return nullptr;
      }
      block = static_cast<char*>(bigger);
      capacity = grown;
    }
    // Pieces before the last are multiples of 4, so only the last one pads.
    if (!xdr_opaque(x, block + have, static_cast<u_int>(piece))) {
      std::free(block);
      return nullptr;
    }
    have += piece;
  }
  block[length] = '\0';
  return block;
}

}  // namespace

size_t remaining(XDR* x) {
  if (x->x_op != XDR_DECODE) return SIZE_MAX;
  const auto ops = memoryStreamOps();
  const void* mine = x->x_ops;
  if (mine == ops.first || mine == ops.second) return x->x_handy;
  return SIZE_MAX;
}

bool countFits(XDR* x, uint32_t count) {
  const size_t left = remaining(x);
  return left == SIZE_MAX || size_t{count} <= left / BYTES_PER_XDR_UNIT;
}

void* allocZeroed(size_t bytes) {
  noteRequest(bytes);
  return std::calloc(1, bytes == 0 ? 1 : bytes);
}

void* growZeroed(void* block, size_t oldBytes, size_t newBytes) {
  noteRequest(newBytes);
  void* bigger = std::realloc(block, newBytes == 0 ? 1 : newBytes);
  if (bigger == nullptr) return nullptr;
  if (newBytes > oldBytes)
    std::memset(static_cast<char*>(bigger) + oldBytes, 0, newBytes - oldBytes);
  return bigger;
}

size_t largestAllocation() {
  return largestRequest;
}

void resetAllocationStats() {
  largestRequest = 0;
}

DepthGuard::DepthGuard() : tooDeep_(++decodeDepth > kMaxDecodeDepth) {}

DepthGuard::~DepthGuard() {
  --decodeDepth;
}

uint32_t nextCapacity(uint32_t capacity, uint32_t count, size_t itemSize) {
  const size_t chunkItems = std::max<size_t>(1, kDecodeChunkBytes / std::max<size_t>(1, itemSize));
  size_t grown = capacity == 0 ? chunkItems : size_t{capacity} * 2;
  return static_cast<uint32_t>(std::min<size_t>(grown, count));
}

bool_t unionOf(XDR* x, uint32_t* tag, void* body, const Arm* arms, size_t armCount) {
  if (!xdr_u_int(x, tag)) return FALSE;
  for (size_t i = 0; i < armCount; ++i) {
    if (*tag >= arms[i].first && *tag <= arms[i].last) {
      return arms[i].proc == nullptr ? TRUE : arms[i].proc(x, body);
    }
  }
  return x->x_op == XDR_FREE;
}

bool_t boundedString(XDR* x, char** text, uint32_t max) {
  switch (x->x_op) {
    case XDR_ENCODE: {
      const char* source = *text != nullptr ? *text : "";
      const size_t length = std::strlen(source);
      if (length > max) return FALSE;
      uint32_t size = static_cast<uint32_t>(length);
      if (!xdr_u_int(x, &size)) return FALSE;
      return size == 0 || xdr_opaque(x, const_cast<char*>(source), size);
    }
    case XDR_FREE:
      std::free(*text);
      *text = nullptr;
      return TRUE;
    case XDR_DECODE: {
      *text = nullptr;
      uint32_t size = 0;
      if (!xdr_u_int(x, &size) || size > max) return FALSE;
      *text = readBlock(x, size);
      return *text != nullptr;
    }
  }
  return FALSE;
}

bool_t boundedBytes(XDR* x, char** bytes, uint32_t* length, uint32_t max) {
  switch (x->x_op) {
    case XDR_ENCODE: {
      if (*length != 0 && *bytes == nullptr) return FALSE;
      if (*length > max) return FALSE;
      if (!xdr_u_int(x, length)) return FALSE;
      return *length == 0 || xdr_opaque(x, *bytes, *length);
    }
    case XDR_FREE:
      std::free(*bytes);
      *bytes = nullptr;
      *length = 0;
      return TRUE;
    case XDR_DECODE: {
      *bytes = nullptr;
      *length = 0;
      uint32_t size = 0;
      if (!xdr_u_int(x, &size) || size > max) return FALSE;
      *bytes = readBlock(x, size);
      if (*bytes == nullptr) return FALSE;
      *length = size;
      return TRUE;
    }
  }
  return FALSE;
}

}  // namespace tqx
