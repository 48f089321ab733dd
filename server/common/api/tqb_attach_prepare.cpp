// The preparation of attachment values before TQSetEntry, TQCreateEntry and
// TQMergeEntry send them (see tqb_attach.h). An attachment always travels in
// memory: a file location is read and becomes a memory location, and the
// data is packed with tqpack at the default level.
//
// The server tells packed data from unpacked by its sizes alone: equal
// compressed and original sizes mean "not packed". So the packed form is
// taken only when its length differs from the original's and fits a signed
// 32-bit size; otherwise the data goes unpacked with equal sizes.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "api/tqb_attach.h"
#include "api/tqb_chunks.h"
#include "api/tqb_dispatch.h"
#include "share/apisrv/memory.h"
#include "share/apisrv/messages.h"
#include "tqpack.h"

namespace {

constexpr uint32_t kDefaultPackLevel = 0;

uint32_t failWith(TQStatusList* status, int32_t number, const char* text = nullptr) {
  const uint32_t code = TQAppendStatus(status, TQ_MSG_ERROR, number, text);
  return code < TQ_RETURN_ERROR ? TQ_RETURN_ERROR : code;
}

// How many bytes to set aside for a file that should hold `declared` bytes:
// never more than a regular file holds, so that a size given too large does
// not reserve memory that no data will fill.
size_t readSize(std::FILE* file, uint32_t declared) {
  struct stat info {};
  if (fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= 0 &&
      static_cast<uint64_t>(info.st_size) < declared) {
    return static_cast<size_t>(info.st_size);
  }
  return declared;
}

// Step 3: the file's data into memory; the location becomes type 2 (or 0
// for an empty attachment).
uint32_t readFile(TQAttachStruct& attach, TQStatusList* status) {
  errno = 0;
  std::FILE* file =
      attach.loc.u.filename != nullptr ? std::fopen(attach.loc.u.filename, "rb") : nullptr;
  if (file == nullptr) {
    std::string text = attach.loc.u.filename != nullptr ? attach.loc.u.filename : "";
    if (errno != 0) text += std::string(": ") + std::strerror(errno);
    return failWith(status, kTQMsgCannotOpenAttach, text.c_str());
  }
  tqMemFree(attach.loc.u.filename);
  attach.loc.locationType = TQ_LOC_BUFFER;
  attach.loc.u.buf = TQBufStruct{};
  if (attach.originalSize == 0) {
    std::fclose(file);
    attach.compressedSize = 0;
    attach.loc.locationType = 0;
    return 0;
  }
  const size_t room = readSize(file, static_cast<uint32_t>(attach.originalSize));
  auto* block = static_cast<unsigned char*>(tqMemAlloc(room > 0 ? room : 1));
  if (block == nullptr) {
    std::fclose(file);
    return tqOutOfMemory(status);
  }
  const size_t read = room > 0 ? std::fread(block, 1, room, file) : 0;
  std::fclose(file);
  if (read == 0) {
    tqMemFree(block);
    return failWith(status, kTQMsgNoFileData);
  }
  attach.originalSize = static_cast<int32_t>(read);
  attach.compressedSize = static_cast<int32_t>(read);
  attach.loc.u.buf.bufferSize = static_cast<uint32_t>(read);
  attach.loc.u.buf.buffer = block;
  return 0;
}

// Step 6: the packed form replaces the data when the server can tell it
// from the unpacked one.
void pack(TQAttachStruct& attach) {
  TQBufStruct& buf = attach.loc.u.buf;
  unsigned char* packed = nullptr;
  uint32_t packedLength = 0;
  const int32_t rc =
      PackBufferToBuffer(kDefaultPackLevel, buf.buffer, buf.bufferSize, &packed, &packedLength);
  if (rc != TQPACK_OK || packed == nullptr || packedLength == buf.bufferSize ||
      packedLength > kTQAttachLimit) {
    std::free(packed);
    attach.compressedSize = attach.originalSize;
    return;
  }
  std::free(buf.buffer);
  buf.buffer = packed;
  buf.bufferSize = packedLength;
  attach.compressedSize = static_cast<int32_t>(packedLength);
}

uint32_t prepareOne(TQAttachStruct& attach, TQStatusList* status) {
  attach.compressedSize = attach.originalSize;
  if (attach.originalSize < 0) return failWith(status, kTQMsgAttachTooLarge);
  switch (attach.loc.locationType) {
    case TQ_LOC_FILENAME:
      if (uint32_t code = readFile(attach, status); code >= TQ_RETURN_ERROR) return code;
      break;
    case TQ_LOC_BUFFER:
      if (attach.loc.u.buf.bufferSize > kTQAttachLimit) {
        return failWith(status, kTQMsgAttachTooLarge);
      }
      if (attach.loc.u.buf.bufferSize > 0 && attach.loc.u.buf.buffer == nullptr) {
        return failWith(status, kTQMsgBadLocation, "the buffer is missing");
      }
      attach.originalSize = static_cast<int32_t>(attach.loc.u.buf.bufferSize);
      attach.compressedSize = attach.originalSize;
      break;
    default:
      return failWith(status, kTQMsgBadLocation);
  }
  if (attach.loc.locationType != 0) pack(attach);
  return 0;
}

}  // namespace

uint32_t tqPrepareAttachments(TQFieldValueList* values, TQStatusList* status) {
  if (values == nullptr || values->fieldValueList == nullptr) return 0;
  for (uint32_t i = 0; i < values->numItems; ++i) {
    TQValueStruct& value = values->fieldValueList[i].value;
    if (value.dataType != TQ_DATA_TYPE_ATTACH || value.u.attachVal == nullptr) continue;
    const uint32_t code = prepareOne(*value.u.attachVal, status);
    if (code >= TQ_RETURN_ERROR) return code;
  }
  return tqTopStatus(status);
}
