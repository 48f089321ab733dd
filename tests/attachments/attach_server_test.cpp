// The reference server's side of attachments as plain calls: the attachment
// values it refuses (sizes that do not describe the data, packed data that
// is no container of the original size), and procedure 80's chunks, prefix
// and continuation values.
#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "rpc/procedure_records_defs.h"
#include "server_test_util.h"
#include "tq_test_server.h"
#include "tqpack.h"

namespace {

using tqtest::TestServer;

constexpr uint32_t kDocument = 536870920;
constexpr int32_t kInvalidValue = 9353;

struct Seed {
  std::string path = "/tmp/tq_attach_seed_" + std::to_string(getpid()) + ".txt";
  Seed() {
    std::ofstream(path) << "form Files\nfield 1 char Id\nfield 8 char Title\n"
                           "field 536870920 attach Document\n";
  }
  ~Seed() { std::remove(path.c_str()); }
};

template <class R>
void release(tqtest::RpcClient& client, uint32_t procedure, R* result) {
  tqtest::releaseRecord(tqFindProcedure(TQProgram::kServer, client.version(), procedure)->xdrResult,
                        result);
}

std::vector<int32_t> numbers(const TQStatusList& status) {
  std::vector<int32_t> out;
  for (uint32_t i = 0; i < status.numItems; ++i) out.push_back(status.statusList[i].messageNumber);
  return out;
}

struct Sent {
  int32_t originalSize;
  int32_t compressedSize;
  uint32_t locationType;
  std::string data;
};

// Creates an entry with one attachment value as given; the status numbers
// and the new id.
std::vector<int32_t> create(tqtest::RpcClient& client, const Sent& sent, std::string* id) {
  tqtest::WireSession session;
  std::string bytes = sent.data;
  char name[] = "a.bin";
  TQAttachStruct attach{};
  attach.name = name;
  attach.originalSize = sent.originalSize;
  attach.compressedSize = sent.compressedSize;
  attach.loc.locationType = sent.locationType;
  if (sent.locationType == TQ_LOC_BUFFER) {
    attach.loc.u.buf.bufferSize = static_cast<uint32_t>(bytes.size());
    attach.loc.u.buf.buffer = reinterpret_cast<unsigned char*>(bytes.data());
  }
  TQFieldValueStruct item{};
  item.fieldId = kDocument;
  item.value.dataType = TQ_DATA_TYPE_ATTACH;
  item.value.u.attachVal = &attach;
  char form[] = "Files";
  TQCreateEntryArgs args{};
  args.header = tqsdtest::makeHeader({});
  args.schema = form;
  args.fieldValues = {1, &item};
  TQEntryIdResult result{};
  EXPECT_EQ(client.call(TQProgram::kServer, 3, &args, &result), RPC_SUCCESS);
  std::vector<int32_t> out = numbers(result.status);
  *id = std::string(result.entryId, strnlen(result.entryId, sizeof result.entryId));
  release(client, 3, &result);
  return out;
}

struct Chunk {
  std::vector<int32_t> numbers;
  std::string bytes;
  int32_t continuation = 0;
  bool complete = false;
};

Chunk fetch(tqtest::RpcClient& client, const std::string& id, int32_t continuation,
            uint32_t responseSize) {
  tqtest::WireSession session;
  char form[] = "Files";
  TQEntryIdType entry = {};
  std::strncpy(entry, id.c_str(), TQ_MAX_ENTRYID_SIZE);
  TQGetEntryBLOBArgs args{};
  args.header = tqsdtest::makeHeader({});
  args.schema = form;
  args.entryId = {1, &entry};
  args.fieldId = kDocument;
  args.responseSize = responseSize;
  args.continuation = continuation;
  TQGetEntryBLOBResult result{};
  EXPECT_EQ(client.call(TQProgram::kServer, 80, &args, &result), RPC_SUCCESS);
  Chunk chunk;
  chunk.numbers = numbers(result.status);
  chunk.bytes.assign(result.chunk != nullptr ? result.chunk : "", result.chunkLength);
  chunk.continuation = result.continuation;
  chunk.complete = result.complete != 0;
  release(client, 80, &result);
  return chunk;
}

std::string container(const std::string& text) {
  unsigned char* out = nullptr;
  uint32_t length = 0;
  PackBufferToBuffer(0, text.data(), static_cast<uint32_t>(text.size()), &out, &length);
  std::string bytes(reinterpret_cast<char*>(out), length);
  std::free(out);
  return bytes;
}

TEST(AttachServer, RefusesValuesThatDoNotDescribeTheirData) {
  Seed seed;
  TestServer server({"--forms", seed.path});
  tqtest::RpcClient client(server.port(), tqsdtest::kServerProgram, 6);
  const std::string box = container("hello hello hello");
  const int32_t boxSize = static_cast<int32_t>(box.size());
  struct Case {
    const char* what;
    Sent sent;
  };
  const std::vector<Case> cases = {
      {"negative size", {-1, -1, TQ_LOC_BUFFER, ""}},
      {"sizes without data", {5, 5, 0, ""}},
      {"data shorter than its compressed size", {5, 5, TQ_LOC_BUFFER, "abc"}},
      {"packed sizes on plain data", {20, 12, TQ_LOC_BUFFER, "plain data!!"}},
      {"a container of another size", {5, boxSize, TQ_LOC_BUFFER, box}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string id;
    EXPECT_EQ(create(client, c.sent, &id), std::vector<int32_t>{kInvalidValue});
  }
  std::string id;
  EXPECT_TRUE(create(client, {17, boxSize, TQ_LOC_BUFFER, box}, &id).empty());
  EXPECT_TRUE(create(client, {0, 0, 0, ""}, &id).empty());
}

TEST(AttachServer, AnswersPrefixedChunksWithinTheReplySize) {
  Seed seed;
  TestServer server({"--forms", seed.path});
  tqtest::RpcClient client(server.port(), tqsdtest::kServerProgram, 6);
  std::string data(10000, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7);
  std::string id;
  ASSERT_TRUE(create(client, {10000, 10000, TQ_LOC_BUFFER, data}, &id).empty());

  // The smallest reply size is 4096 whatever the client asks: chunks of 3596.
  std::string stream;
  int32_t continuation = 0;
  std::vector<size_t> sizes;
  for (int round = 0; round < 10; ++round) {
    Chunk chunk = fetch(client, id, continuation, 100);
    ASSERT_TRUE(chunk.numbers.empty());
    sizes.push_back(chunk.bytes.size());
    stream += chunk.bytes;
    continuation = chunk.continuation;
    if (chunk.complete) break;
  }
  EXPECT_EQ(sizes, (std::vector<size_t>{3596, 3596, 2816}));
  const uint32_t words[2] = {htonl(0), htonl(10000)};
  EXPECT_EQ(stream, std::string(reinterpret_cast<const char*>(words), 8) + data);

  // A continuation outside the stream is refused.
  for (int32_t bad : {-1, 10008, 2147483647}) {
    SCOPED_TRACE(bad);
    Chunk chunk = fetch(client, id, bad, 20000);
    EXPECT_EQ(chunk.numbers, std::vector<int32_t>{kInvalidValue});
    EXPECT_TRUE(chunk.bytes.empty());
  }
}

}  // namespace
