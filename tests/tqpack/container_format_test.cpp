// The container as written by the packers: header, raw deflate data that any
// inflater reads, CRC trailer, and the level rule.
#include <gtest/gtest.h>

#include "tests/tqpack/tqpack_test_util.h"
#include "tqpack.h"

namespace tqtest {
namespace {

void expectHeader(const Bytes& c, uint32_t length) {
  ASSERT_GE(c.size(), 12u);
  EXPECT_EQ(0x1F, c[0]);
  EXPECT_EQ(0x8C, c[1]);
  EXPECT_EQ(1, c[2]);
  EXPECT_EQ(0, c[3]);
  EXPECT_EQ(length, little32(c.data() + 4));
}

// Any encoder may write the empty stream its own way; what is fixed is a
// header of length 0, one deflate stream that inflates to nothing, and CRC 0.
TEST(ContainerFormat, EmptyInputHoldsOnlyAnEmptyFinalBlockAndCrcZero) {
  File out = tempFile();
  ASSERT_EQ(TQPACK_OK, PackBufferToFile(0, nullptr, 0, out.get()));
  const std::pair<const char*, Bytes> routes[] = {{"buffer->buffer", packed({})},
                                                  {"buffer->file", fileContents(out.get())}};
  for (const auto& [route, c] : routes) {
    SCOPED_TRACE(route);
    expectHeader(c, 0);
    Decoded d = decodeByZlib(c);
    ASSERT_TRUE(d.ok);
    EXPECT_TRUE(d.data.empty());
    EXPECT_EQ(0u, d.trailerCrc);
    EXPECT_EQ(1, c[8] & 1) << "the first block is the final one";
    expectContainerOf(c, {});
  }
}

TEST(ContainerFormat, HeaderDeflateDataAndTrailerMatchTheInput) {
  const Bytes inputs[] = {bytesOf("x"), textData(32768), textData(65537, 3), textData(300000, 5),
                          noiseData(70000)};
  for (const Bytes& input : inputs) {
    for (uint32_t level : {1u, 4u, 6u, 9u}) {
      SCOPED_TRACE(testing::Message() << "size " << input.size() << " level " << level);
      Bytes c = packed(input, level);
      expectHeader(c, uint32_t(input.size()));
      Decoded d = decodeByZlib(c);
      ASSERT_TRUE(d.ok);
      EXPECT_EQ(input, d.data);
      EXPECT_EQ(crcOf(input), d.trailerCrc);
    }
  }
}

TEST(ContainerFormat, LevelZeroAndLevelsAboveNineMeanSix) {
  Bytes input = textData(100000);
  Bytes six = packed(input, 6);
  EXPECT_EQ(six, packed(input, 0));
  EXPECT_EQ(six, packed(input, 10));
  EXPECT_EQ(six, packed(input, UINT32_MAX));
  // The level is honoured: the fastest and the strongest differ from six.
  EXPECT_NE(six, packed(input, 1));
  EXPECT_LT(packed(input, 9).size(), packed(input, 1).size());
}

}  // namespace
}  // namespace tqtest
