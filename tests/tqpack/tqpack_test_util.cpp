#include "tests/tqpack/tqpack_test_util.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>

#include "tqpack.h"

namespace tqtest {

namespace {

uint32_t nextRandom(uint32_t& state) {
  state = state * 1664525u + 1013904223u;
  return state >> 8;
}

}  // namespace

File tempFile() {
  File f(std::tmpfile());
  EXPECT_TRUE(f) << "tmpfile failed";
  return f;
}

File tempFileWith(const Bytes& data) {
  File f = tempFile();
  if (!f) return f;
  int fd = fileno(f.get());
  EXPECT_EQ(static_cast<ssize_t>(data.size()), ::write(fd, data.data(), data.size()));
  EXPECT_EQ(0, ::lseek(fd, 0, SEEK_SET));
  return f;
}

Bytes fileContents(FILE* f) {
  int fd = fileno(f);
  Bytes out;
  uint8_t block[8192];
  off_t at = 0;
  for (;;) {
    ssize_t n = ::pread(fd, block, sizeof block, at);
    if (n <= 0) break;
    out.insert(out.end(), block, block + n);
    at += n;
  }
  return out;
}

Bytes textData(size_t size, uint32_t seed) {
  static const char* const kWords[] = {"entry",  "status", "field", "schema", "server", "filter",
                                       "active", "link",   "menu",  "diary",  "open",   "closed",
                                       "the",    "a",      "of",    "to",     "and",    "request"};
  Bytes out;
  out.reserve(size);
  uint32_t state = seed;
  while (out.size() < size) {
    const char* word = kWords[nextRandom(state) % (sizeof kWords / sizeof kWords[0])];
    for (const char* c = word; *c && out.size() < size; ++c)
      out.push_back(uint8_t(*c));
    if (out.size() < size) out.push_back(nextRandom(state) % 9 == 0 ? '\n' : ' ');
  }
  return out;
}

Bytes noiseData(size_t size, uint32_t seed) {
  Bytes out(size);
  uint32_t state = seed;
  for (auto& b : out)
    b = static_cast<uint8_t>(nextRandom(state));
  return out;
}

Bytes packed(const Bytes& data, uint32_t level) {
  Result r;
  EXPECT_EQ(TQPACK_OK,
            PackBufferToBuffer(level, data.data(), uint32_t(data.size()), &r.data, &r.length));
  return r.bytes();
}

Bytes containerByZlib(const Bytes& data, int level, int strategy) {
  z_stream zs{};
  EXPECT_EQ(Z_OK, deflateInit2(&zs, level, Z_DEFLATED, -15, 8, strategy));
  Bytes deflated(deflateBound(&zs, data.size()));
  zs.next_in = const_cast<Bytef*>(data.data());
  zs.avail_in = uInt(data.size());
  zs.next_out = deflated.data();
  zs.avail_out = uInt(deflated.size());
  EXPECT_EQ(Z_STREAM_END, deflate(&zs, Z_FINISH));
  deflated.resize(zs.total_out);
  deflateEnd(&zs);

  // Sized once and filled in place: growing an 8-byte vector by insertion
  // trips g++ 12's -Warray-bounds at -O3.
  Bytes out(8 + deflated.size() + 4);
  out[0] = 0x1F;
  out[1] = 0x8C;
  out[2] = 1;
  putLittle32(out.data() + 4, uint32_t(data.size()));
  std::copy(deflated.begin(), deflated.end(), out.begin() + 8);
  putLittle32(out.data() + 8 + deflated.size(), crcOf(data));
  return out;
}

Decoded decodeByZlib(const Bytes& container) {
  Decoded d;
  if (container.size() < 12) return d;
  d.headerLength = little32(container.data() + 4);
  z_stream zs{};
  if (inflateInit2(&zs, -15) != Z_OK) return d;
  zs.next_in = const_cast<Bytef*>(container.data() + 8);
  zs.avail_in = uInt(container.size() - 8);
  int ret;
  do {
    uint8_t block[16384];
    zs.next_out = block;
    zs.avail_out = sizeof block;
    ret = inflate(&zs, Z_NO_FLUSH);
    d.data.insert(d.data.end(), block, block + (sizeof block - zs.avail_out));
  } while (ret == Z_OK);
  size_t left = zs.avail_in;
  inflateEnd(&zs);
  if (ret != Z_STREAM_END || left != 4) return d;
  d.trailerCrc = little32(container.data() + container.size() - 4);
  d.ok = true;
  return d;
}

std::vector<Unpacked> unpackByEveryRoute(const Bytes& container) {
  std::vector<Unpacked> out;
  const uint32_t size = uint32_t(container.size());
  auto fromMemory = [&](const char* route, auto call) {
    Result r;
    Unpacked u;
    u.route = route;
    u.memory = true;
    u.code = call(&r.data, &r.length);
    u.data = r.bytes();
    if (r.data) u.terminator = r.data[r.length];
    out.push_back(u);
  };
  auto toFile = [&](const char* route, auto call) {
    File f = tempFile();
    Unpacked u;
    u.route = route;
    u.code = call(f.get());
    u.data = fileContents(f.get());
    out.push_back(u);
  };
  fromMemory("buffer->buffer", [&](unsigned char** data, uint32_t* length) {
    return UnpackBufferToBuffer(container.data(), size, data, length);
  });
  toFile("buffer->file", [&](FILE* f) { return UnpackBufferToFile(container.data(), size, f); });
  File in1 = tempFileWith(container);
  fromMemory("file->buffer", [&](unsigned char** data, uint32_t* length) {
    return UnpackFileToBuffer(in1.get(), data, length);
  });
  File in2 = tempFileWith(container);
  toFile("file->file", [&](FILE* f) { return UnpackFileToFile(in2.get(), f); });
  return out;
}

void expectContainerOf(const Bytes& container, const Bytes& data) {
  ASSERT_GE(container.size(), 12u);
  EXPECT_EQ(0x1F, container[0]);
  EXPECT_EQ(0x8C, container[1]);
  EXPECT_EQ(1, container[2]);
  EXPECT_EQ(0, container[3]);
  EXPECT_EQ(data.size(), little32(container.data() + 4));
  Decoded d = decodeByZlib(container);
  ASSERT_TRUE(d.ok) << "not one deflate stream followed by a 4-byte trailer";
  EXPECT_EQ(data, d.data);
  EXPECT_EQ(crcOf(data), d.trailerCrc);
  for (const Unpacked& u : unpackByEveryRoute(container)) {
    SCOPED_TRACE(u.route);
    EXPECT_EQ(TQPACK_OK, u.code);
    EXPECT_EQ(data, u.data);
    if (u.memory) {
      EXPECT_EQ(0, u.terminator);
    }
  }
}

uint32_t crcOf(const Bytes& data) {
  return uint32_t(crc32(crc32(0, nullptr, 0), data.data(), uInt(data.size())));
}

uint32_t little32(const uint8_t* at) {
  return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

void putLittle32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i)
    at[i] = uint8_t(value >> (8 * i));
}

}  // namespace tqtest
