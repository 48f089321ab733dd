// Streams: the library works on their descriptors, packs from where the
// input stands, writes a container from offset 0, unpacks from offset 0, and
// reports descriptor failures with their codes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>

#include "tests/tqpack/tqpack_test_util.h"
#include "tqpack.h"

namespace tqtest {
namespace {

// The four ways to pack the same data each give a valid container of it
// that every unpack route reads back. Buffer to buffer codes the whole input
// in one call and the other routes block by block, so their deflate bytes
// may differ; the format fixes only the layout, the length and the CRC.
TEST(Streams, EveryPackRouteWritesAValidContainer) {
  const Bytes inputs[] = {textData(150000, 2), noiseData(70000, 2)};
  for (const Bytes& text : inputs) {
    SCOPED_TRACE(testing::Message() << "size " << text.size());
    expectContainerOf(packed(text, 7), text);

    File out1 = tempFile();
    ASSERT_EQ(TQPACK_OK, PackBufferToFile(7, text.data(), uint32_t(text.size()), out1.get()));
    expectContainerOf(fileContents(out1.get()), text);

    File in2 = tempFileWith(text);
    Result r2;
    ASSERT_EQ(TQPACK_OK, PackFileToBuffer(7, in2.get(), &r2.data, &r2.length));
    expectContainerOf(r2.bytes(), text);

    File in3 = tempFileWith(text), out3 = tempFile();
    ASSERT_EQ(TQPACK_OK, PackFileToFile(7, in3.get(), out3.get()));
    expectContainerOf(fileContents(out3.get()), text);
  }
}

TEST(Streams, EveryUnpackRouteDeliversTheData) {
  for (const Bytes& text : {textData(150000, 8), bytesOf("plain, not packed")}) {
    const Bytes c = packed(text);
    File out1 = tempFile();
    ASSERT_EQ(TQPACK_OK, UnpackBufferToFile(c.data(), uint32_t(c.size()), out1.get()));
    EXPECT_EQ(text, fileContents(out1.get()));

    File in2 = tempFileWith(c);
    Result r2;
    ASSERT_EQ(TQPACK_OK, UnpackFileToBuffer(in2.get(), &r2.data, &r2.length));
    EXPECT_EQ(text, r2.bytes());
    EXPECT_EQ(0, r2.data[r2.length]);

    File in3 = tempFileWith(c), out3 = tempFile();
    ASSERT_EQ(TQPACK_OK, UnpackFileToFile(in3.get(), out3.get()));
    EXPECT_EQ(text, fileContents(out3.get()));
  }
}

TEST(Streams, PackingStartsWhereTheInputStands) {
  const Bytes text = textData(80000, 6);
  File in = tempFileWith(text);
  const size_t half = text.size() / 2;
  ASSERT_EQ(off_t(half), lseek(fileno(in.get()), off_t(half), SEEK_SET));
  Result r;
  ASSERT_EQ(TQPACK_OK, PackFileToBuffer(0, in.get(), &r.data, &r.length));
  Decoded d = decodeByZlib(r.bytes());
  ASSERT_TRUE(d.ok);
  EXPECT_EQ(half, d.headerLength);
  EXPECT_EQ(Bytes(text.begin() + half, text.end()), d.data);
}

TEST(Streams, ContainerIsWrittenFromOffsetZero) {
  File out = tempFileWith(bytesOf("stale bytes already in the file"));
  ASSERT_GT(lseek(fileno(out.get()), 0, SEEK_END), 0);
  const Bytes text = textData(1000);
  ASSERT_EQ(TQPACK_OK, PackBufferToFile(0, text.data(), uint32_t(text.size()), out.get()));
  // A valid container from the first byte to the last: nothing stale is
  // left in front of it, and its trailer ends the file.
  Bytes written = fileContents(out.get());
  expectContainerOf(written, text);
}

TEST(Streams, UnpackingReadsFromOffsetZero) {
  const Bytes text = textData(4000);
  File in = tempFileWith(packed(text));
  ASSERT_GT(lseek(fileno(in.get()), 0, SEEK_END), 0);
  Result r;
  ASSERT_EQ(TQPACK_OK, UnpackFileToBuffer(in.get(), &r.data, &r.length));
  EXPECT_EQ(text, r.bytes());
}

TEST(Streams, UnpackingWritesWhereTheOutputStandsAndNeedsNoSeek) {
  int fds[2];
  ASSERT_EQ(0, pipe(fds));
  File reader(fdopen(fds[0], "rb")), writer(fdopen(fds[1], "wb"));
  const Bytes text = textData(20000);  // fits the pipe's buffer
  const Bytes c = packed(text);
  ASSERT_EQ(TQPACK_OK, UnpackBufferToFile(c.data(), uint32_t(c.size()), writer.get()));
  writer.reset();
  Bytes got(text.size() + 1);
  size_t n = 0;
  for (ssize_t r; (r = read(fds[0], got.data() + n, got.size() - n)) > 0;)
    n += size_t(r);
  got.resize(n);
  EXPECT_EQ(text, got);
}

TEST(Streams, DescriptorFailuresGiveTheirCodes) {
  const Bytes text = textData(50000);
  const Bytes c = packed(text);
  int fds[2];
  ASSERT_EQ(0, pipe(fds));
  File pipeIn(fdopen(fds[0], "rb")), pipeOut(fdopen(fds[1], "wb"));
  File full(fopen("/dev/full", "wb"));
  ASSERT_TRUE(full);
  File contentWriteOnly = tempFileWith(text), containerWriteOnly = tempFileWith(c);
  File plainIn = tempFileWith(text);
  Bytes truncated(c.begin(), c.begin() + c.size() / 2);
  File truncatedIn = tempFileWith(truncated);
  // The same files opened a second time for appending only, so that reads fail.
  auto writeOnly = [](FILE* f) {
    std::string path = "/proc/self/fd/" + std::to_string(fileno(f));
    return File(fopen(path.c_str(), "ab"));
  };
  File wo1 = writeOnly(contentWriteOnly.get()), wo2 = writeOnly(containerWriteOnly.get());
  ASSERT_TRUE(wo1 && wo2);
  ASSERT_EQ(0, lseek(fileno(wo1.get()), 0, SEEK_SET));

  Result r;
  File sink = tempFile(), cutOut = tempFile();
  using Call = std::function<int32_t()>;
  const std::tuple<const char*, Call, int32_t> cases[] = {
      {"pack from a pipe", [&] { return PackFileToBuffer(0, pipeIn.get(), &r.data, &r.length); },
       TQPACK_ERR_SEEK},
      {"unpack from a pipe", [&] { return UnpackFileToFile(pipeIn.get(), sink.get()); },
       TQPACK_ERR_SEEK},
      {"pack to a pipe", [&] { return PackBufferToFile(0, text.data(), 100, pipeOut.get()); },
       TQPACK_ERR_SEEK},
      {"pack to a full device", [&] { return PackFileToFile(0, plainIn.get(), full.get()); },
       TQPACK_ERR_WRITE},
      {"unpack to a full device",
       [&] { return UnpackBufferToFile(c.data(), uint32_t(c.size()), full.get()); },
       TQPACK_ERR_WRITE},
      {"pack from an unreadable stream", [&] { return PackFileToFile(0, wo1.get(), sink.get()); },
       TQPACK_ERR_READ},
      {"unpack from an unreadable stream", [&] { return UnpackFileToFile(wo2.get(), sink.get()); },
       TQPACK_ERR_READ},
      {"unpack a cut container", [&] { return UnpackFileToFile(truncatedIn.get(), cutOut.get()); },
       TQPACK_ERR_EOF},
  };
  for (const auto& [name, call, code] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(code, call());
  }
  // What was inflated before the input ended stays written.
  Bytes partial = fileContents(cutOut.get());
  EXPECT_GT(partial.size(), 0u);
  ASSERT_LE(partial.size(), text.size());
  EXPECT_TRUE(std::equal(partial.begin(), partial.end(), text.begin()));
}

}  // namespace
}  // namespace tqtest
