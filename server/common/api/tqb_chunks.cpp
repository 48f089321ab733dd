// The receiver of prefixed chunk transfers (see tqb_chunks.h).
#include "api/tqb_chunks.h"

#include <arpa/inet.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "api/tqb_dispatch.h"
#include "share/apisrv/memory.h"
#include "share/apisrv/messages.h"
#include "tqpack.h"

namespace {

constexpr unsigned char kPackSignature0 = 0x1F;
constexpr unsigned char kPackSignature1 = 0x8C;
constexpr uint32_t kPackHeaderSize = 8;

uint32_t malformed(TQStatusList* status, const std::string& why) {
  const uint32_t code = TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgCannotUnpack, why.c_str());
  return code < TQ_RETURN_ERROR ? TQ_RETURN_ERROR : code;
}

uint32_t read32(const char* bytes) {
  uint32_t value = 0;
  std::memcpy(&value, bytes, sizeof value);
  return ntohl(value);
}

// Writes all of a block to the file; false with errno set when it does not.
bool writeAll(std::FILE* file, const void* bytes, size_t length) {
  errno = 0;
  if (std::fwrite(bytes, 1, length, file) != length || std::fflush(file) != 0) {
    if (errno == 0) errno = EIO;
    return false;
  }
  return true;
}

}  // namespace

uint32_t tqFileError(TQStatusList* status, int32_t number) {
  const uint32_t code = TQAppendStatus(status, TQ_MSG_ERROR, number, std::strerror(errno));
  return code < TQ_RETURN_ERROR ? TQ_RETURN_ERROR : code;
}

uint32_t tqTakeChunk(TQPrefixedData& data, const char* chunk, uint32_t length,
                     TQStatusList* status) {
  if (chunk == nullptr || length == 0) {
    if (tqTopStatus(status) >= TQ_RETURN_ERROR) return TQ_RETURN_ERROR;
    return malformed(status, "the server sent an empty chunk");
  }
  if (!data.started) {
    if (length < kTQChunkPrefixSize) {
      return malformed(status, "the first chunk is shorter than its 8-byte prefix");
    }
    data.packed = read32(chunk) != 0;
    data.total = read32(chunk + 4);
    data.started = true;
    if (data.total > data.limit) {
      const uint32_t code =
          TQAppendStatusNumber(status, TQ_MSG_ERROR, kTQMsgAttachTooLarge, data.total);
      return code < TQ_RETURN_ERROR ? TQ_RETURN_ERROR : code;
    }
    if (data.packed || data.file == nullptr) {
      data.buffer = static_cast<unsigned char*>(tqMemAlloc(size_t{data.total} + 1));
      if (data.buffer == nullptr) return tqOutOfMemory(status);
      data.buffer[0] = '\0';
    }
    chunk += kTQChunkPrefixSize;
    length -= kTQChunkPrefixSize;
  }
  if (length > data.total - data.received) {
    return malformed(
        status, "the chunks hold more than the " + std::to_string(data.total) + " bytes announced");
  }
  if (data.buffer != nullptr) {
    std::memcpy(data.buffer + data.received, chunk, length);
    data.buffer[data.received + length] = '\0';
  } else if (length > 0 && !writeAll(data.file, chunk, length)) {
    return tqFileError(status, kTQMsgCannotWriteFile);
  }
  data.received += length;
  return 0;
}

uint32_t tqCheckChunksComplete(const TQPrefixedData& data, TQStatusList* status) {
  if (!data.started || data.received != data.total) {
    return malformed(status, "the transfer ended after " + std::to_string(data.received) + " of " +
                                 std::to_string(data.total) + " bytes");
  }
  if (data.packed && (data.total < kPackHeaderSize || data.buffer[0] != kPackSignature0 ||
                      data.buffer[1] != kPackSignature1)) {
    return malformed(status, "the data is marked packed but is not");
  }
  return 0;
}

uint32_t tqUnpackChunks(TQPrefixedData& data, std::FILE* file, TQStatusList* status) {
  if (!data.packed) return 0;
  if (file != nullptr) {
    errno = 0;
    const int32_t rc = UnpackBufferToFile(data.buffer, data.total, file);
    if (rc == TQPACK_ERR_WRITE) {
      if (errno == 0) errno = EIO;
      return tqFileError(status, kTQMsgCannotWriteFile);
    }
    if (rc == TQPACK_ERR_MEMORY) return tqOutOfMemory(status);
    if (rc != TQPACK_OK) return malformed(status, "code " + std::to_string(rc));
    return 0;
  }
  unsigned char* unpacked = nullptr;
  uint32_t unpackedLength = 0;
  const int32_t rc = UnpackBufferToBuffer(data.buffer, data.total, &unpacked, &unpackedLength);
  if (rc != TQPACK_OK || unpacked == nullptr) {
    std::free(unpacked);
    if (rc == TQPACK_ERR_MEMORY) return tqOutOfMemory(status);
    return malformed(status, "code " + std::to_string(rc));
  }
  tqMemFree(data.buffer);
  data.buffer = unpacked;
  data.total = unpackedLength;
  data.received = unpackedLength;
  data.packed = false;
  return 0;
}

void tqReleaseChunks(TQPrefixedData& data) {
  tqMemFree(data.buffer);
  data.buffer = nullptr;
}
