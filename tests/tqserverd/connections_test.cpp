// Many connections at once: the server goes on serving other clients while
// connections stall in a record mark, trickle their bytes, send calls and
// never read the answers, announce a record of 2 GiB, or flood it up to its
// descriptor limit; it closes idle and oversized connections, keeps idle
// ones cheap, and refuses request lists beyond its limit as a whole.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <fstream>
#include <memory>
#include <numeric>
#include <string>

#include "raw_peer.h"
#include "server_test_util.h"

namespace {

using tqsdtest::Bytes;
using tqsdtest::Credentials;
using tqsdtest::RawPeer;
using tqtest::RpcClient;
using tqtest::TestServer;
using namespace std::chrono_literals;

constexpr int32_t kUnknownCode = 123;
constexpr int32_t kTooManyItems = 9359;
constexpr uint32_t kCharsetCode = 55;

// Codes the server has no value for: every one adds a status item.
std::vector<uint32_t> unknownCodes(size_t count) {
  std::vector<uint32_t> codes(count);
  std::iota(codes.begin(), codes.end(), 1000u);
  return codes;
}

// A generous bound for a call that must not wait behind anybody: far
// beyond what a loaded machine needs, far below the time the peers below
// would hold a server that serves one connection at a time.
constexpr auto kPatience = 60s;

void expectServed(uint16_t port, int calls) {
  RpcClient client(port, tqsdtest::kServerProgram, 6, kPatience);
  for (int i = 0; i < calls; ++i) {
    tqsdtest::Answer answer = tqsdtest::askServerInfo(client, Credentials{}, {kCharsetCode});
    ASSERT_EQ(answer.stat, RPC_SUCCESS) << "call " << i;
    EXPECT_EQ(answer.info.size(), 1u);
  }
}

TEST(Connections, OthersAreServedWhilePeersStallTrickleOrNeverRead) {
  TestServer server;
  std::vector<std::unique_ptr<RawPeer>> stalled;
  for (int i = 0; i < 20; ++i) {
    stalled.push_back(std::make_unique<RawPeer>(server.port()));
    ASSERT_TRUE(stalled.back()->send(Bytes{0x80, 0x00}));  // half a record mark
  }
  // Calls with large answers, sent as long as the socket takes them and
  // never read: the server's writes to this peer block early.
  RawPeer neverReads(server.port());
  Bytes big = tqsdtest::serverInfoCall(1, unknownCodes(5000));
  for (int i = 0; i < 64; ++i) {
    if (neverReads.sendWhatFits(big) < big.size()) break;
  }
  RawPeer huge(server.port());
  ASSERT_TRUE(huge.send(tqsdtest::recordMark(0x7FFFFFFF, true)));
  ASSERT_TRUE(huge.send(Bytes(64, 0)));

  // A peer that trickles a call a few bytes at a time between the calls of
  // another client, and gets its answer in the end.
  RawPeer trickles(server.port());
  const Bytes call = tqsdtest::serverInfoCall(77, {kCharsetCode});
  for (size_t at = 0; at < call.size(); at += 16) {
    Bytes piece(call.begin() + static_cast<long>(at),
                call.begin() + static_cast<long>(std::min(call.size(), at + 16)));
    ASSERT_TRUE(trickles.send(piece));
    expectServed(server.port(), 1);
  }
  EXPECT_EQ(tqsdtest::replyXid(trickles.readRecord(kPatience)), 77u);

  EXPECT_TRUE(huge.closedByServer(kPatience));
  expectServed(server.port(), 5);
}

TEST(Connections, AHeldAnswerHoldsNobodyElse) {
  TestServer server({"--delay", "36:600"});
  RawPeer delayed(server.port());
  ASSERT_TRUE(delayed.send(tqsdtest::serverInfoCall(5, {kCharsetCode})));
  RpcClient client(server.port(), tqsdtest::kServerProgram, 6, kPatience);
  EXPECT_EQ(tqsdtest::endSession(client, Credentials{}).stat, RPC_SUCCESS);
}

// Connections beyond the limit are closed at once; the connections the
// server holds go on being served, and once the flood is gone newcomers
// are served again.
TEST(Connections, AFloodUpToTheDescriptorLimitLeavesTheServerServing) {
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
  if (saved.rlim_cur < 512) GTEST_SKIP() << "needs 512 descriptors";
  rlimit low = saved;
  low.rlim_cur = 64;  // the server starts with this limit
  ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);
  std::unique_ptr<TestServer> server;
  try {
    server = std::make_unique<TestServer>();
  } catch (...) {
    setrlimit(RLIMIT_NOFILE, &saved);
    throw;
  }
  ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &saved), 0);

  RpcClient early(server->port(), tqsdtest::kServerProgram, 6, kPatience);
  ASSERT_EQ(tqsdtest::askServerInfo(early, Credentials{}, {kCharsetCode}).stat, RPC_SUCCESS);
  {
    std::vector<std::unique_ptr<RawPeer>> flood;
    for (int i = 0; i < 300; ++i) {
      flood.push_back(std::make_unique<RawPeer>(server->port()));
    }
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(tqsdtest::askServerInfo(early, Credentials{}, {kCharsetCode}).stat, RPC_SUCCESS);
    }
    // Most of the flood was turned away.
    int closed = 0;
    for (auto& peer : flood)
      closed += peer->closedByServer(0s) ? 1 : 0;
    EXPECT_GT(closed, 0);
  }
  expectServed(server->port(), 3);
}

struct ClosedCase {
  const char* name;
  std::vector<std::string> switches;
  std::vector<Bytes> sent;
};

class ClosedConnection : public testing::TestWithParam<ClosedCase> {};

TEST_P(ClosedConnection, IsClosedWhileOthersAreServed) {
  const ClosedCase& c = GetParam();
  TestServer server(c.switches);
  RawPeer peer(server.port());
  for (const Bytes& bytes : c.sent)
    ASSERT_TRUE(peer.send(bytes));
  expectServed(server.port(), 1);
  EXPECT_TRUE(peer.closedByServer(kPatience));
  expectServed(server.port(), 1);
}

Bytes concat(std::vector<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts)
    all.insert(all.end(), p.begin(), p.end());
  return all;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClosedConnection,
    testing::Values(
        // Without an idle limit, only the size closes these.
        ClosedCase{"MarkOf2GiB",
                   {"--idle-timeout", "0"},
                   {tqsdtest::recordMark(0x7FFFFFFF, true), Bytes(16, 0)}},
        ClosedCase{"FragmentsBeyondTheLimit",
                   {"--idle-timeout", "0", "--max-record", "65536"},
                   {concat({tqsdtest::recordMark(40000, false), Bytes(40000, 0),
                            tqsdtest::recordMark(40000, true)})}},
        ClosedCase{"NotACall", {"--idle-timeout", "0"}, {tqsdtest::recordMark(8, true), Bytes(8, 1)}},
        ClosedCase{"Idle", {"--idle-timeout", "1"}, {}},
        ClosedCase{"StalledInAMark", {"--idle-timeout", "1"}, {Bytes{0x80, 0x00}}},
        ClosedCase{"StalledInARecord",
                   {"--idle-timeout", "1"},
                   {tqsdtest::recordMark(100, true), Bytes(40, 0)}}),
    [](const testing::TestParamInfo<ClosedCase>& info) { return info.param.name; });

// A record under the limit, in several fragments, is served.
TEST(Connections, FragmentedRecordsWithinTheLimitAreServed) {
  TestServer server({"--max-record", "65536"});
  RawPeer peer(server.port());
  Bytes call = tqsdtest::serverInfoCall(9, unknownCodes(1000));
  Bytes body(call.begin() + 4, call.end());
  const size_t half = body.size() / 2;
  ASSERT_TRUE(peer.send(concat({tqsdtest::recordMark(static_cast<uint32_t>(half), false),
                                Bytes(body.begin(), body.begin() + static_cast<long>(half)),
                                tqsdtest::recordMark(0, false),
                                tqsdtest::recordMark(static_cast<uint32_t>(body.size() - half), true),
                                Bytes(body.begin() + static_cast<long>(half), body.end())})));
  EXPECT_EQ(tqsdtest::replyXid(peer.readRecord(kPatience)), 9u);
}

// The resident memory of a process in bytes, from /proc.
size_t residentBytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      size_t kb = 0;
      status >> kb;
      return kb * 1024;
    }
    status.ignore(4096, '\n');
  }
  return 0;
}

TEST(ConnectionMemory, TwoThousandIdleConnectionsCostLittle) {
  constexpr int kConnections = 2000;
  rlimit files{};
  ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &files), 0);
  if (files.rlim_cur < kConnections + 200) {
    rlimit raised = files;
    raised.rlim_cur = std::min<rlim_t>(files.rlim_max, kConnections + 200);
    setrlimit(RLIMIT_NOFILE, &raised);
    getrlimit(RLIMIT_NOFILE, &files);
    if (files.rlim_cur < kConnections + 200) GTEST_SKIP() << "needs 2200 descriptors";
  }
  TestServer server({"--max-connections", "2500"});
  expectServed(server.port(), 1);
  const size_t before = residentBytes(server.pid());
  ASSERT_GT(before, 0u);

  std::vector<std::unique_ptr<RawPeer>> idle;
  for (int i = 0; i < kConnections; ++i)
    idle.push_back(std::make_unique<RawPeer>(server.port()));
  // Connections are taken in the order they came: once a later one is
  // served, the server holds all of these.
  expectServed(server.port(), 1);
  const size_t after = residentBytes(server.pid());
  EXPECT_LT(after - std::min(after, before), size_t{16} << 20)
      << "before " << before << " bytes, after " << after;
  for (auto& peer : idle)
    EXPECT_FALSE(peer->closedByServer(0s));
}

TEST(RequestLists, BeyondTheLimitAreRefusedAsAWhole) {
  TestServer server;
  RpcClient client(server.port(), tqsdtest::kServerProgram, 6, kPatience);

  std::vector<uint32_t> codes = unknownCodes(10000);
  codes.back() = kCharsetCode;
  tqsdtest::Answer within = tqsdtest::askServerInfo(client, Credentials{}, codes);
  ASSERT_EQ(within.stat, RPC_SUCCESS);
  EXPECT_EQ(within.statusNumbers, std::vector<int32_t>(9999, kUnknownCode));
  // The newest item of a type stands first: the last unknown code.
  EXPECT_EQ(within.appendedTexts.front(), std::to_string(codes[9998]));
  EXPECT_EQ(within.info.size(), 1u);

  codes.push_back(kCharsetCode);
  tqsdtest::Answer beyond = tqsdtest::askServerInfo(client, Credentials{}, codes);
  ASSERT_EQ(beyond.stat, RPC_SUCCESS);
  EXPECT_EQ(beyond.statusNumbers, std::vector<int32_t>{kTooManyItems});
  EXPECT_EQ(beyond.appendedTexts, std::vector<std::string>{"10001 items, at most 10000"});
  EXPECT_TRUE(beyond.info.empty());
}

}  // namespace
