// Round trips over sizes around the block boundaries, incompressible data
// (whose container is larger than the input), and concurrent callers.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "tests/tqpack/tqpack_test_util.h"
#include "tqpack.h"

namespace tqtest {
namespace {

Bytes unpacked(const Bytes& c, int32_t& code) {
  Result r;
  code = UnpackBufferToBuffer(c.data(), uint32_t(c.size()), &r.data, &r.length);
  return r.bytes();
}

TEST(RoundTrip, SizesAroundBlockBoundariesAndIncompressibleData) {
  const size_t sizes[] = {1, 7, 8, 9, 16383, 16384, 32767, 32768, 32769, 65536, 65537, 1 << 20};
  for (size_t size : sizes) {
    for (bool noise : {false, true}) {
      SCOPED_TRACE(testing::Message() << "size " << size << (noise ? " noise" : " text"));
      Bytes input = noise ? noiseData(size, uint32_t(size)) : textData(size, uint32_t(size));
      Bytes c = packed(input, 1 + size % 9);
      if (noise && size > 1000) {
        EXPECT_GT(c.size(), input.size() + 8);
      }
      int32_t code;
      EXPECT_EQ(input, unpacked(c, code));
      EXPECT_EQ(TQPACK_OK, code);
    }
  }
}

TEST(RoundTrip, ConcurrentCallersDoNotInterfere) {
  constexpr int kThreads = 4, kRounds = 12;
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &failures] {
      for (int i = 0; i < kRounds; ++i) {
        Bytes input = textData(20000 + 1000 * i, uint32_t(t * 100 + i));
        Result p;
        if (PackBufferToBuffer(1 + i % 9, input.data(), uint32_t(input.size()), &p.data,
                               &p.length) != TQPACK_OK) {
          ++failures;
          continue;
        }
        Result u;
        if (UnpackBufferToBuffer(p.data, p.length, &u.data, &u.length) != TQPACK_OK ||
            u.bytes() != input)
          ++failures;
      }
    });
  }
  for (auto& th : threads)
    th.join();
  EXPECT_EQ(0, failures.load());
}

}  // namespace
}  // namespace tqtest
