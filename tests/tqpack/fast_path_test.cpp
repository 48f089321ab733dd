// Unpacking buffer to buffer inflates the whole buffer in one call and falls
// back to the block-wise path whenever that is not a clean success. Whatever
// the container, the result must be the block-wise path's: the same code,
// the same (possibly partial) bytes and length, the same terminator. Reading
// the container from a file always takes the block-wise path, so it is the
// reference here.
#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>

#include "tests/tqpack/tqpack_test_util.h"
#include "tqpack.h"

namespace tqtest {
namespace {

struct Outcome {
  int32_t code = 0;
  bool stored = false;
  Bytes data;
  int terminator = -1;
};

Outcome fromBuffer(const Bytes& c) {
  Result r;
  Outcome o;
  o.code = UnpackBufferToBuffer(c.data(), uint32_t(c.size()), &r.data, &r.length);
  o.stored = r.data != nullptr;
  o.data = r.bytes();
  if (r.data) o.terminator = r.data[r.length];
  return o;
}

Outcome fromFile(const Bytes& c) {
  File f = tempFileWith(c);
  Result r;
  Outcome o;
  o.code = UnpackFileToBuffer(f.get(), &r.data, &r.length);
  o.stored = r.data != nullptr;
  o.data = r.bytes();
  if (r.data) o.terminator = r.data[r.length];
  return o;
}

// Offset of the byte after the deflate data of a container (its trailer).
size_t trailerOffset(const Bytes& c) {
  return c.size() - 4;
}

struct Variant {
  const char* name;
  std::function<void(Bytes&)> apply;
  int32_t code;
};

TEST(FastPath, DamagedContainersGiveTheBlockWiseResult) {
  const Bytes text = textData(300000, 21);
  const Bytes noise = noiseData(70000, 5);
  const Variant variants[] = {
      {"intact", [](Bytes&) {}, TQPACK_OK},
      {"bytes after the trailer", [](Bytes& c) { c.insert(c.end(), 9, 0xA5); }, TQPACK_OK},
      {"deflate data cut after one byte", [](Bytes& c) { c.resize(9); }, TQPACK_ERR_EOF},
      {"deflate data cut in the middle", [](Bytes& c) { c.resize(8 + (c.size() - 12) / 2); },
       TQPACK_ERR_EOF},
      {"deflate data one byte short", [](Bytes& c) { c.resize(trailerOffset(c) - 1); },
       TQPACK_ERR_EOF},
      {"trailer missing", [](Bytes& c) { c.resize(trailerOffset(c)); }, TQPACK_ERR_EOF},
      {"trailer one byte short", [](Bytes& c) { c.resize(c.size() - 1); }, TQPACK_ERR_EOF},
      {"garbage before the trailer",
       [](Bytes& c) {
         c.insert(c.begin() + long(trailerOffset(c)), {1, 2, 3});
       },
       TQPACK_ERR_CRC},
      {"crc changed", [](Bytes& c) { c.back() ^= 1; }, TQPACK_ERR_CRC},
      {"length one less", [](Bytes& c) { putLittle32(&c[4], little32(&c[4]) - 1); },
       TQPACK_ERR_LENGTH},
      {"length one more", [](Bytes& c) { putLittle32(&c[4], little32(&c[4]) + 1); },
       TQPACK_ERR_LENGTH},
      {"length zero", [](Bytes& c) { putLittle32(&c[4], 0); }, TQPACK_ERR_LENGTH},
      {"length beyond any expansion",
       [](Bytes& c) { putLittle32(&c[4], uint32_t((c.size() - 8) * 1032 + 2000)); },
       TQPACK_ERR_LENGTH},
  };
  struct Source {
    const char* name;
    Bytes data;
    Bytes container;
  };
  const Source sources[] = {
      {"text level 1", text, packed(text, 1)},
      {"text level 9", text, packed(text, 9)},
      {"noise (stored blocks)", noise, packed(noise, 6)},
      {"text by zlib, fixed codes", text, containerByZlib(text, 6, Z_FIXED)},
  };
  for (const Source& s : sources) {
    for (const Variant& v : variants) {
      SCOPED_TRACE(testing::Message() << s.name << ", " << v.name);
      Bytes c = s.container;
      v.apply(c);
      const Outcome fast = fromBuffer(c), reference = fromFile(c);
      EXPECT_EQ(v.code, fast.code);
      EXPECT_EQ(reference.code, fast.code);
      EXPECT_EQ(reference.stored, fast.stored);
      EXPECT_EQ(reference.data, fast.data);  // partial output included
      EXPECT_EQ(0, fast.terminator);
      ASSERT_LE(fast.data.size(), s.data.size());
      EXPECT_TRUE(std::equal(fast.data.begin(), fast.data.end(), s.data.begin()));
    }
  }
}

// Corruption inside the deflate data: whatever each damaged byte does
// (invalid codes, a wrong CRC, a different length, an early end), both paths
// agree on the code and on every byte delivered.
TEST(FastPath, CorruptedDeflateDataGivesTheBlockWiseResult) {
  const Bytes text = textData(60000, 33);
  const Bytes good = packed(text);
  const size_t deflated = good.size() - 12;
  for (size_t i = 0; i < 64; ++i) {
    Bytes c = good;
    size_t at = 8 + (i * 7919) % deflated;
    c[at] ^= uint8_t(1u << (i % 8));
    SCOPED_TRACE(testing::Message() << "bit " << (i % 8) << " of byte " << at);
    const Outcome fast = fromBuffer(c), reference = fromFile(c);
    EXPECT_NE(TQPACK_OK, fast.code);
    EXPECT_EQ(reference.code, fast.code);
    EXPECT_EQ(reference.data, fast.data);
    EXPECT_EQ(0, fast.terminator);
  }
}

// A container whose data is empty, and one that spans several deflate blocks
// of every kind: both paths deliver identical bytes.
TEST(FastPath, ValidContainersUnpackToIdenticalBytesOnBothPaths) {
  Bytes mixed = textData(100000, 2);
  const Bytes noise = noiseData(100000, 3);
  mixed.insert(mixed.end(), noise.begin(), noise.end());
  mixed.insert(mixed.end(), 200000, 'z');
  struct Case {
    const char* name;
    Bytes data;
    Bytes container;
  };
  const Case cases[] = {
      {"empty", {}, packed({})},
      {"mixed, tqpack", mixed, packed(mixed, 6)},
      {"mixed, literals only", mixed, containerByZlib(mixed, 6, Z_HUFFMAN_ONLY)},
      {"mixed, run lengths", mixed, containerByZlib(mixed, 6, Z_RLE)},
      {"mixed, stored", mixed, containerByZlib(mixed, 0, Z_DEFAULT_STRATEGY)},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    const Outcome fast = fromBuffer(k.container), reference = fromFile(k.container);
    EXPECT_EQ(TQPACK_OK, fast.code);
    EXPECT_EQ(TQPACK_OK, reference.code);
    EXPECT_EQ(k.data, fast.data);
    EXPECT_EQ(reference.data, fast.data);
    EXPECT_EQ(0, fast.terminator);
  }
}

}  // namespace
}  // namespace tqtest
