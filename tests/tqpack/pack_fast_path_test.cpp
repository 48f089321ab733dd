// Packing buffer to buffer deflates the whole buffer in one call with
// libdeflate; every route with a file on either end packs block by block with
// zlib. The two coders write different deflate bytes, so the containers are
// compared by what they hold: both must be valid containers of the same data
// that every unpack route reads back identically. Packing to a file is the
// block-wise reference here.
#include <gtest/gtest.h>

#include "tests/tqpack/tqpack_test_util.h"
#include "tqpack.h"

namespace tqtest {
namespace {

Bytes packedToFile(const Bytes& data, uint32_t level) {
  File out = tempFile();
  EXPECT_EQ(TQPACK_OK, PackBufferToFile(level, data.data(), uint32_t(data.size()), out.get()));
  return fileContents(out.get());
}

// Unpacks both containers by every route and expects the same code and the
// same bytes from each, and `data` itself.
void expectSameUnpacking(const Bytes& whole, const Bytes& blockWise, const Bytes& data) {
  const std::vector<Unpacked> a = unpackByEveryRoute(whole), b = unpackByEveryRoute(blockWise);
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    SCOPED_TRACE(a[i].route);
    EXPECT_EQ(TQPACK_OK, a[i].code);
    EXPECT_EQ(b[i].code, a[i].code);
    EXPECT_EQ(b[i].data, a[i].data);
    EXPECT_EQ(b[i].terminator, a[i].terminator);
    EXPECT_EQ(data, a[i].data);
  }
}

TEST(PackFastPath, BothCodersGiveContainersThatUnpackIdentically) {
  // Around the input block (32 KB), the output block (16 KB), the first read
  // (64 KB) and the largest stored block (65535 bytes).
  const size_t sizes[] = {0,     1,     7,     8,     9,     16383, 16384, 16385,   32767,
                          32768, 32769, 65535, 65536, 65537, 98304, 98305, 1u << 20};
  for (size_t size : sizes) {
    for (bool noise : {false, true}) {
      const uint32_t seed = uint32_t(size) + 11;
      const Bytes data = noise ? noiseData(size, seed) : textData(size, seed);
      for (uint32_t level : {1u, 6u, 9u}) {
        SCOPED_TRACE(testing::Message()
                     << "size " << size << (noise ? " noise" : " text") << " level " << level);
        const Bytes whole = packed(data, level), blockWise = packedToFile(data, level);
        expectContainerOf(whole, data);
        expectContainerOf(blockWise, data);
        expectSameUnpacking(whole, blockWise, data);
        if (noise && size > 1000) {
          // Incompressible data is stored: larger than the input, by little.
          EXPECT_GT(whole.size(), data.size() + 12);
          EXPECT_LT(whole.size(), data.size() + data.size() / 100 + 64);
        }
      }
    }
  }
}

TEST(PackFastPath, EveryLevelRoundTripsOnBothCoders) {
  Bytes mixed = textData(90000, 7);
  const Bytes noise = noiseData(40000, 7);
  mixed.insert(mixed.end(), noise.begin(), noise.end());
  mixed.insert(mixed.end(), 70000, 'q');
  const Bytes inputs[] = {textData(120000, 5), mixed};
  for (const Bytes& data : inputs) {
    const Bytes wholeSix = packed(data, 6), blockWiseSix = packedToFile(data, 6);
    for (uint32_t level = 0; level <= 10; ++level) {
      SCOPED_TRACE(testing::Message() << "size " << data.size() << " level " << level);
      const Bytes whole = packed(data, level), blockWise = packedToFile(data, level);
      expectContainerOf(whole, data);
      expectContainerOf(blockWise, data);
      expectSameUnpacking(whole, blockWise, data);
      // 0 and 10 mean 6 on either coder: each is deterministic.
      if (level == 0 || level == 10) {
        EXPECT_EQ(wholeSix, whole);
        EXPECT_EQ(blockWiseSix, blockWise);
      }
    }
  }
}

}  // namespace
}  // namespace tqtest
