// Unpacking: pass-through of data that is not a container, the terminating
// zero byte, damaged containers, and deflate streams of other encoders.
#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>

#include "tests/tqpack/tqpack_test_util.h"
#include "tqpack.h"

namespace tqtest {
namespace {

TEST(Unpack, DataThatIsNotAContainerIsCopiedUnchanged) {
  const Bytes cases[] = {
      bytesOf("hello"),                                // shorter than a header
      {0x1F, 0x8B, 8, 0, 0, 0, 0, 0, 0, 3, 'a', 'b'},  // another format's signature
      {0x1F, 0x8C, 1, 0, 9, 0, 0},                     // signature, but only 7 bytes
      {},                                              // nothing at all
      textData(100000),                                // long plain text
  };
  for (const Bytes& input : cases) {
    SCOPED_TRACE(testing::Message() << "size " << input.size());
    Result r;
    static const uint8_t kEmpty = 0;
    const void* in = input.empty() ? &kEmpty : input.data();
    ASSERT_EQ(TQPACK_OK, UnpackBufferToBuffer(in, uint32_t(input.size()), &r.data, &r.length));
    EXPECT_EQ(input, r.bytes());
    ASSERT_NE(nullptr, r.data);
    EXPECT_EQ(0, r.data[r.length]);
  }
}

TEST(Unpack, ResultIsFollowedByAZeroByte) {
  Bytes text = textData(5000);
  Bytes c = packed(text);
  Result r;
  ASSERT_EQ(TQPACK_OK, UnpackBufferToBuffer(c.data(), uint32_t(c.size()), &r.data, &r.length));
  ASSERT_EQ(text.size(), r.length);
  EXPECT_EQ(text, r.bytes());
  EXPECT_EQ(0, r.data[r.length]);
}

struct Damage {
  const char* name;
  std::function<void(Bytes&)> apply;
  int32_t code;
  bool fullData;  // whether the whole original data is still delivered
};

TEST(Unpack, DamagedContainersGiveTheirCodes) {
  const Bytes text = textData(120000, 9);
  const Damage cases[] = {
      {"crc changed", [](Bytes& c) { c[c.size() - 1] ^= 0x40; }, TQPACK_ERR_CRC, true},
      {"length one more", [](Bytes& c) { putLittle32(&c[4], little32(&c[4]) + 1); },
       TQPACK_ERR_LENGTH, true},
      {"length smaller", [](Bytes& c) { putLittle32(&c[4], 100); }, TQPACK_ERR_LENGTH, true},
      {"length forged huge", [](Bytes& c) { putLittle32(&c[4], UINT32_MAX); }, TQPACK_ERR_LENGTH,
       true},
      {"trailer missing", [](Bytes& c) { c.resize(c.size() - 4); }, TQPACK_ERR_EOF, true},
      {"trailer cut short", [](Bytes& c) { c.resize(c.size() - 2); }, TQPACK_ERR_EOF, true},
      {"deflate data cut", [](Bytes& c) { c.resize(c.size() / 2); }, TQPACK_ERR_EOF, false},
      {"reserved block type", [](Bytes& c) { c[8] = 0x07; }, TQPACK_ERR_DATA, false},
  };
  const Bytes good = packed(text);
  for (const Damage& d : cases) {
    SCOPED_TRACE(d.name);
    Bytes c = good;
    d.apply(c);
    Result r;
    EXPECT_EQ(d.code, UnpackBufferToBuffer(c.data(), uint32_t(c.size()), &r.data, &r.length));
    // The buffer exists once unpacking started and is handed over anyway.
    ASSERT_NE(nullptr, r.data);
    if (d.fullData) {
      EXPECT_EQ(text, r.bytes());
    } else {
      ASSERT_LE(r.length, text.size());
      EXPECT_TRUE(std::equal(r.data, r.data + r.length, text.begin()));
    }
    EXPECT_EQ(0, r.data[r.length]);
  }
}

TEST(Unpack, AcceptsDeflateStreamsOfEveryBlockKind) {
  const Bytes text = textData(200000, 4);
  struct Coder {
    const char* name;
    int level;
    int strategy;
  };
  const Coder coders[] = {{"stored blocks", 0, Z_DEFAULT_STRATEGY},
                          {"fixed codes", 6, Z_FIXED},
                          {"literals only", 6, Z_HUFFMAN_ONLY},
                          {"run lengths", 6, Z_RLE},
                          {"dynamic codes", 9, Z_DEFAULT_STRATEGY}};
  for (const Coder& coder : coders) {
    SCOPED_TRACE(coder.name);
    Bytes c = containerByZlib(text, coder.level, coder.strategy);
    Result r;
    ASSERT_EQ(TQPACK_OK, UnpackBufferToBuffer(c.data(), uint32_t(c.size()), &r.data, &r.length));
    EXPECT_EQ(text, r.bytes());
  }
}

TEST(Unpack, BytesAfterTheTrailerAreIgnored) {
  Bytes text = textData(3000);
  Bytes c = packed(text);
  c.insert(c.end(), {'j', 'u', 'n', 'k'});
  Result r;
  ASSERT_EQ(TQPACK_OK, UnpackBufferToBuffer(c.data(), uint32_t(c.size()), &r.data, &r.length));
  EXPECT_EQ(text, r.bytes());
}

TEST(Unpack, ArbitraryBytesBehindTheSignatureAreHandledSafely) {
  uint32_t state = 12345;
  for (int i = 0; i < 300; ++i) {
    Bytes c = noiseData(8 + (i * 37) % 400, ++state);
    c[0] = 0x1F;
    c[1] = 0x8C;
    putLittle32(&c[4], uint32_t(i * 977));
    Result r;
    int32_t code = UnpackBufferToBuffer(c.data(), uint32_t(c.size()), &r.data, &r.length);
    EXPECT_TRUE(code == TQPACK_ERR_DATA || code == TQPACK_ERR_EOF || code == TQPACK_ERR_CRC ||
                code == TQPACK_ERR_LENGTH)
        << "code " << code;
  }
}

}  // namespace
}  // namespace tqtest
