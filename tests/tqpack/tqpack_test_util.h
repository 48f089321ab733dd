// Helpers shared by the tqpack tests: owned result buffers, temporary files,
// sample data and a reference decoding of containers through zlib.
#ifndef TESTS_TQPACK_TEST_UTIL_H
#define TESTS_TQPACK_TEST_UTIL_H

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace tqtest {

using Bytes = std::vector<uint8_t>;

// A result buffer returned by the library, released with free.
struct Result {
  unsigned char* data = nullptr;
  uint32_t length = 0;
  ~Result() { std::free(data); }
  Bytes bytes() const { return data ? Bytes(data, data + length) : Bytes(); }
};

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

// An anonymous temporary file opened for reading and writing.
File tempFile();
// A temporary file holding `data`, positioned at its start.
File tempFileWith(const Bytes& data);
// Everything the file's descriptor holds, from offset 0.
Bytes fileContents(FILE* f);

// Text-like data that compresses well (lines of words), `size` bytes.
Bytes textData(size_t size, uint32_t seed = 1);
// Pseudo-random bytes that do not compress.
Bytes noiseData(size_t size, uint32_t seed = 1);
inline Bytes bytesOf(const std::string& s) {
  return Bytes(s.begin(), s.end());
}

// Packs a buffer in memory, failing the test on a non-zero code.
Bytes packed(const Bytes& data, uint32_t level = 0);

// A container built by zlib directly, with any deflate strategy and level.
Bytes containerByZlib(const Bytes& data, int level, int strategy);

// Reference decoding of a container: header fields, inflated data (zlib raw
// inflate), trailer; `ok` is false when the deflate data is not one valid
// stream followed by exactly the four trailer bytes.
struct Decoded {
  bool ok = false;
  uint32_t headerLength = 0;
  Bytes data;
  uint32_t trailerCrc = 0;
};
Decoded decodeByZlib(const Bytes& container);

// The outcome of unpacking a container by one of the four unpack routes.
struct Unpacked {
  const char* route = "";
  int32_t code = -1;
  Bytes data;
  bool memory = false;  // memory output: a result buffer was asked for
  int terminator = -1;  // the byte after a memory result, -1 when none was stored
};
std::vector<Unpacked> unpackByEveryRoute(const Bytes& container);

// Checks what a packer promises about `container` made from `data`: the
// header (signature, 1, 0, length), one raw deflate stream that zlib inflates
// to `data`, followed by exactly the CRC-32 of `data`; and that every unpack
// route gives `data` back with code 0.
void expectContainerOf(const Bytes& container, const Bytes& data);

uint32_t crcOf(const Bytes& data);
uint32_t little32(const uint8_t* at);
void putLittle32(uint8_t* at, uint32_t value);

}  // namespace tqtest

#endif  // TESTS_TQPACK_TEST_UTIL_H
