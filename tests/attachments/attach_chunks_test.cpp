// The receiver of prefixed chunks: well-formed transfers to memory and to a
// file, and the sequences a faulty or hostile server may send, each of which
// must end in an error status without reading or allocating beyond what was
// announced.
#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "api/tqb_chunks.h"
#include "share/apisrv/memory.h"
#include "tqlink_services.h"
#include "tqpack.h"

namespace {

std::string prefix(uint32_t packed, uint32_t total) {
  const uint32_t words[2] = {htonl(packed), htonl(total)};
  return std::string(reinterpret_cast<const char*>(words), sizeof words);
}

struct Outcome {
  uint32_t code = 0;             // the first failing code, or 0
  std::vector<int32_t> numbers;  // the status list's message numbers
  std::string data;              // what the receiver holds (memory)
};

// Feeds the chunks; the last one reports completion.
Outcome feed(const std::vector<std::string>& chunks, TQStatusList* seed = nullptr,
             uint32_t limit = kTQAttachLimit) {
  Outcome run;
  TQPrefixedData data;
  data.limit = limit;
  TQStatusList status{};
  if (seed != nullptr) status = *seed;
  for (size_t i = 0; i < chunks.size() && run.code == 0; ++i) {
    run.code =
        tqTakeChunk(data, chunks[i].data(), static_cast<uint32_t>(chunks[i].size()), &status);
    if (run.code == 0 && i + 1 == chunks.size()) run.code = tqCheckChunksComplete(data, &status);
  }
  if (run.code == 0) run.code = tqUnpackChunks(data, nullptr, &status);
  if (run.code == 0 && data.buffer != nullptr) {
    run.data.assign(reinterpret_cast<char*>(data.buffer), data.total);
    EXPECT_EQ(data.buffer[data.total], '\0');
  }
  for (uint32_t i = 0; i < status.numItems; ++i)
    run.numbers.push_back(status.statusList[i].messageNumber);
  tqReleaseChunks(data);
  FreeTQStatusList(&status, 0);
  return run;
}

std::string packed(const std::string& text) {
  unsigned char* out = nullptr;
  uint32_t length = 0;
  EXPECT_EQ(PackBufferToBuffer(0, text.data(), static_cast<uint32_t>(text.size()), &out, &length),
            0);
  std::string container(reinterpret_cast<char*>(out), length);
  std::free(out);
  return container;
}

TEST(AttachChunks, AssemblesWellFormedTransfers) {
  const std::string text(50000, 'x');
  const std::string box = packed(text);
  struct Case {
    const char* what;
    std::vector<std::string> chunks;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"empty data in the prefix chunk", {prefix(0, 0)}, ""},
      {"prefix and data in one chunk", {prefix(0, 5) + "hello"}, "hello"},
      {"data spread over chunks", {prefix(0, 11) + "hel", "lo wo", "rld"}, "hello world"},
      {"prefix alone first", {prefix(0, 3), "abc"}, "abc"},
      {"packed data, unpacked at the end",
       {prefix(1, static_cast<uint32_t>(box.size())) + box.substr(0, 7), box.substr(7)},
       text},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Outcome run = feed(c.chunks);
    EXPECT_EQ(run.code, 0u);
    EXPECT_TRUE(run.numbers.empty());
    EXPECT_EQ(run.data, c.expected);
  }
}

TEST(AttachChunks, RefusesHostileSequences) {
  struct Case {
    const char* what;
    std::vector<std::string> chunks;
    int32_t message;
  };
  const std::vector<Case> cases = {
      {"first chunk shorter than the prefix", {std::string("\0\0\0", 3)}, 160},
      {"an empty chunk", {prefix(0, 4) + "ab", ""}, 160},
      {"chunks beyond the total", {prefix(0, 4) + "abc", "de"}, 160},
      {"one chunk beyond the total", {prefix(0, 2) + "abc"}, 160},
      {"completion before the total", {prefix(0, 10) + "abc"}, 160},
      {"packed flag on plain data", {prefix(1, 12) + "plain text!!"}, 160},
      {"packed flag on too little data", {prefix(1, 3) + "\x1f\x8c\x01"}, 160},
      {"packed data that does not unpack",
       {prefix(1, 16) + std::string("\x1f\x8c\x01\x00\x05\x00\x00\x00garbage!", 16)},
       160},
      {"a total above 2 GiB", {prefix(0, 0x80000000u) + "a"}, 8703},
      {"the largest total", {prefix(1, 0xFFFFFFFFu) + "a"}, 8703},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    tqMemFailAfter(-1, false);
    Outcome run = feed(c.chunks);
    EXPECT_EQ(run.code, 2u);
    ASSERT_EQ(run.numbers.size(), 1u);
    EXPECT_EQ(run.numbers[0], c.message);
  }
}

TEST(AttachChunks, RefusedTotalsAllocateNothing) {
  // A total above the limit is refused before anything is set aside; one
  // within it that memory cannot hold is 154, not a crash.
  // (The status item itself takes the same allocations in every case.)
  tqMemFailAfter(1000, false);
  feed({std::string("\0\0\0", 3)});
  const int64_t statusOnly = tqMemAllocationsSeen();
  tqMemFailAfter(1000, false);
  feed({prefix(0, 0x80000000u) + "a"});
  EXPECT_EQ(tqMemAllocationsSeen(), statusOnly);
  tqMemFailAfter(1000, false);
  feed({prefix(0, 4096) + "a"}, nullptr, 1024);
  EXPECT_EQ(tqMemAllocationsSeen(), statusOnly);

  tqMemFailAfter(0, false);
  Outcome run = feed({prefix(0, 1u << 30) + "a"});
  tqMemFailAfter(-1, false);
  ASSERT_EQ(run.numbers.size(), 1u);
  EXPECT_EQ(run.numbers[0], 154);
}

TEST(AttachChunks, EmptyChunkAfterServerErrorAddsNothing) {
  TQStatusList seeded{};
  TQAppendStatus(&seeded, TQ_MSG_ERROR, 302, "000000000000001");
  Outcome run = feed({""}, &seeded);
  EXPECT_EQ(run.code, 2u);
  EXPECT_EQ(run.numbers, std::vector<int32_t>{302});
}

TEST(AttachChunks, PlainDataGoesToTheFileChunkByChunk) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  TQPrefixedData data;
  data.file = file;
  TQStatusList status{};
  const std::string first = prefix(0, 6) + "abc";
  ASSERT_EQ(tqTakeChunk(data, first.data(), static_cast<uint32_t>(first.size()), &status), 0u);
  EXPECT_EQ(data.buffer, nullptr);  // nothing collected in memory
  ASSERT_EQ(tqTakeChunk(data, "def", 3, &status), 0u);
  EXPECT_EQ(tqCheckChunksComplete(data, &status), 0u);
  std::rewind(file);
  char back[16] = {};
  EXPECT_EQ(std::fread(back, 1, sizeof back, file), 6u);
  EXPECT_STREQ(back, "abcdef");
  std::fclose(file);
  EXPECT_EQ(status.numItems, 0u);

  // A file that takes nothing: 301 with the system's text.
  std::FILE* full = std::fopen("/dev/full", "wb");
  if (full == nullptr) GTEST_SKIP() << "no /dev/full";
  TQPrefixedData toFull;
  toFull.file = full;
  const std::string chunk = prefix(0, 3) + "abc";
  EXPECT_EQ(tqTakeChunk(toFull, chunk.data(), static_cast<uint32_t>(chunk.size()), &status), 2u);
  ASSERT_EQ(status.numItems, 1u);
  EXPECT_EQ(status.statusList[0].messageNumber, 301);
  std::fclose(full);
  FreeTQStatusList(&status, 0);
}

}  // namespace
