// The eight exported operations. Each one describes its input and output and
// hands them to one common routine that checks the arguments, allocates the
// operation's context, packs or unpacks, and stores a memory result.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <new>

#include "pack/tqpack_context.h"
#include "tqpack.h"

namespace tqpack {

namespace {

struct Request {
  bool pack = false;
  uint32_t level = 0;
  FILE* in = nullptr;  // input stream, or the input buffer below
  const void* inBuffer = nullptr;
  uint32_t inLength = 0;
  FILE* out = nullptr;  // output stream, or the result pointers below
  unsigned char** result = nullptr;
  uint32_t* resultLength = nullptr;
};

// Size of an input stream's file and the descriptor's current position.
int32_t statInput(int fd, uint64_t& size, uint64_t& position) {
  struct stat st;
  if (fstat(fd, &st) != 0) return TQPACK_ERR_SEEK;
  off_t pos = lseek(fd, 0, SEEK_CUR);
  if (pos < 0 || st.st_size < 0) return TQPACK_ERR_SEEK;
  size = static_cast<uint64_t>(st.st_size);
  position = static_cast<uint64_t>(pos);
  return TQPACK_OK;
}

// Input length of a pack: what follows the stream's position, or the buffer.
int32_t packInputLength(const Request& r, uint32_t& length) {
  if (!r.in) {
    length = r.inLength;
    return TQPACK_OK;
  }
  uint64_t size, position;
  if (int32_t rc = statInput(fileno(r.in), size, position); rc != TQPACK_OK) return rc;
  uint64_t remaining = size > position ? size - position : 0;
  // The header holds a 32-bit length; a larger input cannot be described.
  if (remaining > UINT32_MAX) return TQPACK_ERR_SEEK;
  length = static_cast<uint32_t>(remaining);
  return TQPACK_OK;
}

int32_t runPack(Context& ctx, const Request& r) {
  if (ctx.sink.fd >= 0 && lseek(ctx.sink.fd, 0, SEEK_SET) < 0) return TQPACK_ERR_SEEK;
  uint32_t length;
  if (int32_t rc = packInputLength(r, length); rc != TQPACK_OK) return rc;
  if (ctx.sink.fd < 0) {
    if (int32_t rc = sinkResize(ctx.sink, size_t{length} + kHeaderSize); rc) return rc;
  }
  return packContainer(ctx, effectiveLevel(r.level), length);
}

int32_t runUnpack(Context& ctx, const Request& r) {
  uint64_t size = r.inLength;
  if (r.in) {
    int fd = fileno(r.in);
    if (lseek(fd, 0, SEEK_SET) < 0) return TQPACK_ERR_SEEK;
    uint64_t position;
    if (int32_t rc = statInput(fd, size, position); rc != TQPACK_OK) return rc;
  }
  return unpackContainer(ctx, size);
}

// Argument checks. A missing stream or input buffer would otherwise be used
// blindly; it is refused like missing result pointers.
bool argumentsValid(const Request& r, bool inputIsStream, bool outputIsStream) {
  if (outputIsStream ? !r.out || fileno(r.out) < 0 : !r.result || !r.resultLength) return false;
  if (inputIsStream) return r.in != nullptr;
  if (!r.pack) return r.inBuffer != nullptr;
  return r.inBuffer != nullptr || r.inLength == 0;
}

int32_t run(const Request& r, bool inputIsStream, bool outputIsStream) noexcept {
  if (!argumentsValid(r, inputIsStream, outputIsStream)) return TQPACK_ERR_ARGUMENT;
  std::unique_ptr<Context> ctx(new (std::nothrow) Context);
  if (!ctx) return TQPACK_ERR_MEMORY;

  Source& src = ctx->source;
  src.block = ctx->input;
  if (inputIsStream) {
    src.fd = fileno(r.in);
  } else {
    sourceFromMemory(src, r.inBuffer, r.inLength);
  }
  Sink& sink = ctx->sink;
  sink.block = ctx->output;
  sink.fd = outputIsStream ? fileno(r.out) : -1;

  int32_t rc = r.pack ? runPack(*ctx, r) : runUnpack(*ctx, r);

  // A memory result is the caller's once it exists, whatever the outcome.
  if (!outputIsStream && sink.result) {
    sinkTrim(sink, !r.pack);
    *r.result = sink.result;
    *r.resultLength = static_cast<uint32_t>(sink.total);
  }
  return rc;
}

}  // namespace

}  // namespace tqpack

using tqpack::Request;
using tqpack::run;

extern "C" {

int32_t PackFileToFile(uint32_t level, FILE* in, FILE* out) {
  return run({.pack = true, .level = level, .in = in, .out = out}, true, true);
}

int32_t UnpackFileToFile(FILE* in, FILE* out) {
  return run({.in = in, .out = out}, true, true);
}

int32_t PackBufferToBuffer(uint32_t level, const void* in, uint32_t inLength,
                           unsigned char** result, uint32_t* resultLength) {
  return run({.pack = true,
              .level = level,
              .inBuffer = in,
              .inLength = inLength,
              .result = result,
              .resultLength = resultLength},
             false, false);
}

int32_t UnpackBufferToBuffer(const void* in, uint32_t inLength, unsigned char** result,
                             uint32_t* resultLength) {
  return run({.inBuffer = in, .inLength = inLength, .result = result, .resultLength = resultLength},
             false, false);
}

int32_t PackFileToBuffer(uint32_t level, FILE* in, unsigned char** result, uint32_t* resultLength) {
  return run(
      {.pack = true, .level = level, .in = in, .result = result, .resultLength = resultLength},
      true, false);
}

int32_t UnpackFileToBuffer(FILE* in, unsigned char** result, uint32_t* resultLength) {
  return run({.in = in, .result = result, .resultLength = resultLength}, true, false);
}

int32_t PackBufferToFile(uint32_t level, const void* in, uint32_t inLength, FILE* out) {
  return run({.pack = true, .level = level, .inBuffer = in, .inLength = inLength, .out = out},
             false, true);
}

int32_t UnpackBufferToFile(const void* in, uint32_t inLength, FILE* out) {
  return run({.inBuffer = in, .inLength = inLength, .out = out}, false, true);
}

}  // extern "C"
