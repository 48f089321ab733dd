// Missing arguments are refused with 3008 before anything is allocated or
// stored.
#include <gtest/gtest.h>

#include <functional>

#include "tests/tqpack/tqpack_test_util.h"
#include "tqpack.h"

namespace tqtest {
namespace {

TEST(Arguments, MissingPointersAndStreamsGive3008AndStoreNothing) {
  const Bytes c = packed(bytesOf("some text to unpack"));
  const uint8_t data[] = {1, 2, 3, 4, 5};
  File file = tempFileWith(c);
  FILE* f = file.get();

  unsigned char* const sentinel = reinterpret_cast<unsigned char*>(0x1);
  unsigned char* result = sentinel;
  uint32_t length = 777;
  using Call = std::function<int32_t()>;
  const std::pair<const char*, Call> calls[] = {
      {"pack buffer, no result length",
       [&] { return PackBufferToBuffer(6, data, 5, &result, nullptr); }},
      {"pack buffer, no result pointer",
       [&] { return PackBufferToBuffer(6, data, 5, nullptr, &length); }},
      {"pack NULL buffer with a length",
       [&] { return PackBufferToBuffer(6, nullptr, 5, &result, &length); }},
      {"unpack NULL buffer", [&] { return UnpackBufferToBuffer(nullptr, 0, &result, &length); }},
      {"unpack buffer, no result length",
       [&] { return UnpackBufferToBuffer(c.data(), uint32_t(c.size()), &result, nullptr); }},
      {"pack stream, no result length", [&] { return PackFileToBuffer(6, f, &result, nullptr); }},
      {"unpack stream, no result pointer", [&] { return UnpackFileToBuffer(f, nullptr, &length); }},
      {"pack NULL stream to buffer",
       [&] { return PackFileToBuffer(6, nullptr, &result, &length); }},
      {"unpack NULL stream to buffer",
       [&] { return UnpackFileToBuffer(nullptr, &result, &length); }},
      {"pack to NULL stream", [&] { return PackBufferToFile(6, data, 5, nullptr); }},
      {"unpack to NULL stream",
       [&] { return UnpackBufferToFile(c.data(), uint32_t(c.size()), nullptr); }},
      {"pack NULL stream to stream", [&] { return PackFileToFile(6, nullptr, f); }},
      {"unpack stream to NULL stream", [&] { return UnpackFileToFile(f, nullptr); }},
  };
  for (const auto& [name, call] : calls) {
    SCOPED_TRACE(name);
    EXPECT_EQ(TQPACK_ERR_ARGUMENT, call());
    EXPECT_EQ(sentinel, result);
    EXPECT_EQ(777u, length);
  }
  EXPECT_EQ(c, fileContents(f));  // the stream was not touched
}

TEST(Arguments, NullBufferOfLengthZeroPacksAsEmpty) {
  Result r;
  ASSERT_EQ(TQPACK_OK, PackBufferToBuffer(0, nullptr, 0, &r.data, &r.length));
  EXPECT_EQ(packed({}), r.bytes());
}

}  // namespace
}  // namespace tqtest
