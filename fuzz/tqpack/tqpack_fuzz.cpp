// Fuzz target for tqpack. The first byte picks what is done with the rest:
//   even: unpack the bytes as they are (to memory and to a file) and check
//         that both routes agree;
//   odd:  pack the bytes at level (first byte / 2) % 10, buffer to buffer
//         (one libdeflate call) and buffer to file (block-wise zlib), unpack
//         both containers again and check that the data comes back unchanged.
// A forged signature is added to half of the unpack inputs so that the
// decoder, not the pass-through copy, sees most of them.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tqpack.h"

namespace {

struct Owned {
  unsigned char* data = nullptr;
  uint32_t length = 0;
  ~Owned() { std::free(data); }
};

// An in-memory file whose descriptor the library can seek and read back.
FILE* memoryFile() {
  int fd = memfd_create("tqpack-fuzz", 0);
  if (fd < 0) return nullptr;
  FILE* f = fdopen(fd, "w+b");
  if (!f) close(fd);
  return f;
}

void unpackBoth(const uint8_t* in, size_t size) {
  Owned mem;
  int32_t rcMem = UnpackBufferToBuffer(in, uint32_t(size), &mem.data, &mem.length);
  if (mem.data && mem.data[mem.length] != 0) std::abort();  // always terminated

  FILE* out = memoryFile();
  if (!out) return;
  int32_t rcFile = UnpackBufferToFile(in, uint32_t(size), out);
  off_t written = lseek(fileno(out), 0, SEEK_END);
  if (rcFile != rcMem) std::abort();
  if (rcMem == TQPACK_OK && written != off_t(mem.length)) std::abort();
  std::fclose(out);
}

void expectUnpacksTo(const unsigned char* container, uint32_t length, const uint8_t* in,
                     size_t size) {
  Owned back;
  if (UnpackBufferToBuffer(container, length, &back.data, &back.length) != TQPACK_OK) std::abort();
  if (back.length != size || (size && std::memcmp(back.data, in, size) != 0)) std::abort();
}

void roundTrip(uint32_t level, const uint8_t* in, size_t size) {
  Owned packed;
  if (PackBufferToBuffer(level, in, uint32_t(size), &packed.data, &packed.length) != TQPACK_OK)
    std::abort();
  expectUnpacksTo(packed.data, packed.length, in, size);

  FILE* out = memoryFile();
  if (!out) return;
  if (PackBufferToFile(level, in, uint32_t(size), out) != TQPACK_OK) std::abort();
  off_t written = lseek(fileno(out), 0, SEEK_END);
  std::vector<unsigned char> container(size_t(written > 0 ? written : 0));
  if (pread(fileno(out), container.data(), container.size(), 0) != ssize_t(container.size()))
    std::abort();
  std::fclose(out);
  expectUnpacksTo(container.data(), uint32_t(container.size()), in, size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > (1u << 20)) return 0;
  const uint8_t mode = data[0];
  const uint8_t* rest = data + 1;
  const size_t restSize = size - 1;
  if (mode & 1) {
    roundTrip((mode >> 1) % 10, rest, restSize);
  } else if (mode & 2 && restSize >= 6) {
    std::vector<uint8_t> forged(restSize + 2);
    forged[0] = 0x1F;
    forged[1] = 0x8C;
    std::memcpy(forged.data() + 2, rest, restSize);
    unpackBoth(forged.data(), forged.size());
  } else {
    unpackBoth(rest, restSize);
  }
  return 0;
}
