// Input the server must survive, and the switches that make it misbehave on
// purpose: garbage arguments, garbage on the socket, hang-ups and delays.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <random>

#include "server_test_util.h"

namespace {

using tqsdtest::Credentials;
using tqtest::RpcClient;
using tqtest::TestServer;
using Bytes = std::vector<uint8_t>;

bool_t rawBytes(XDR* xdrs, void* data) {
  auto* bytes = static_cast<Bytes*>(data);
  return xdr_opaque(xdrs, reinterpret_cast<char*>(bytes->data()),
                    static_cast<u_int>(bytes->size()));
}

// The encoded arguments of a valid procedure-36 call of a version.
Bytes validServerInfoArgs(uint32_t version) {
  tqtest::WireSession session;
  uint32_t codes[] = {55};
  TQGetServerInfoArgs args{};
  args.header = tqsdtest::makeHeader(Credentials{});
  args.requests = {1, codes};
  Bytes buffer(4096);
  XDR xdrs;
  xdrmem_create(&xdrs, reinterpret_cast<char*>(buffer.data()), buffer.size(), XDR_ENCODE);
  const TQProcedure* p = tqFindProcedure(TQProgram::kServer, version, 36);
  EXPECT_TRUE(p->xdrArgs(&xdrs, &args));
  buffer.resize(xdr_getpos(&xdrs));
  xdr_destroy(&xdrs);
  return buffer;
}

void putWord(Bytes& bytes, size_t at, uint32_t word) {
  uint32_t net = htonl(word);
  std::memcpy(bytes.data() + at, &net, 4);
}

struct GarbageCase {
  const char* name;
  Bytes (*make)(uint32_t version);
};

const GarbageCase kGarbage[] = {
    {"Empty", [](uint32_t) { return Bytes{}; }},
    {"TwoWords", [](uint32_t) { return Bytes(8, 0); }},
    {"HeaderCut",
     [](uint32_t v) {
       Bytes b = validServerInfoArgs(v);
       b.resize(40);
       return b;
     }},
    {"LastWordMissing",
     [](uint32_t v) {
       Bytes b = validServerInfoArgs(v);
       b.resize(b.size() - 4);
       return b;
     }},
    {"HugeCodeCount",
     [](uint32_t v) {
       Bytes b = validServerInfoArgs(v);
       putWord(b, b.size() - 8, 0xFFFFFFFFu);
       return b;
     }},
    {"HugeExtension",
     [](uint32_t v) {
       Bytes b = validServerInfoArgs(v);
       // Version 6: the extension's byte count follows cache id, time, user,
       // password, language and the extension's type. Versions 2 to 5: the
       // same offset holds the reserved words and the flag, and the count
       // word then is the code count.
       putWord(b, v == 6 ? 4 + 4 + 32 + 32 + 16 + 4 : b.size() - 8, 0x7FFFFFFFu);
       return b;
     }},
};

class GarbageArguments : public testing::TestWithParam<uint32_t> {};

TEST_P(GarbageArguments, GetTheDecodeErrorAndTheServerGoesOn) {
  TestServer server;
  RpcClient client(server.port(), tqsdtest::kServerProgram, GetParam());
  for (const GarbageCase& g : kGarbage) {
    SCOPED_TRACE(g.name);
    Bytes bytes = g.make(GetParam());
    uint32_t ignored = 0;
    tqtest::WireSession session;
    EXPECT_EQ(client.call(36, rawBytes, &bytes, tqx::erased<uint32_t, tqx::u32>, &ignored),
              RPC_CANTDECODEARGS);
    // The same connection still serves a good call.
    EXPECT_EQ(tqsdtest::askServerInfo(client, Credentials{}, {55}).info.size(), 1u);
  }
  EXPECT_EQ(server.calls(36), 2 * std::size(kGarbage));
}

INSTANTIATE_TEST_SUITE_P(Versions, GarbageArguments, testing::Values(2u, 4u, 6u));

// Sends bytes on a new TCP connection and closes it.
void sendRaw(uint16_t port, const Bytes& bytes) {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  EXPECT_EQ(send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL), static_cast<ssize_t>(bytes.size()));
  close(fd);
}

TEST(GarbageOnTheSocket, LeavesTheServerServing) {
  TestServer server;
  std::mt19937 random(12345);
  std::vector<Bytes> inputs;
  for (size_t size : {1u, 7u, 64u, 1000u}) {
    Bytes b(size);
    for (uint8_t& byte : b)
      byte = static_cast<uint8_t>(random());
    inputs.push_back(b);
  }
  Bytes hugeRecord(8, 0);
  putWord(hugeRecord, 0, 0xFFFFFFF0u);  // last fragment of almost 2 GB, never sent
  inputs.push_back(hugeRecord);
  Bytes callHeaderOnly(4, 0);  // a record mark for a 40-byte call, then an RPC call header
  putWord(callHeaderOnly, 0, 0x80000000u | 40);
  for (uint32_t w : {1u, 0u, 2u, 390600u, 6u, 36u, 0u, 0u, 0u, 0u}) {
    callHeaderOnly.resize(callHeaderOnly.size() + 4);
    putWord(callHeaderOnly, callHeaderOnly.size() - 4, w);
  }
  inputs.push_back(callHeaderOnly);

  for (const Bytes& input : inputs)
    sendRaw(server.port(), input);

  RpcClient client(server.port(), tqsdtest::kServerProgram, 6);
  EXPECT_EQ(tqsdtest::askServerInfo(client, Credentials{}, {55}).stat, RPC_SUCCESS);
}

TEST(DropCall, HangsUpOnTheChosenCallsOnly) {
  TestServer server({"--drop-call", "2", "--drop-call=4,5"});
  std::vector<bool> answered;
  for (int call = 1; call <= 6; ++call) {
    // A fresh connection each time: a dropped call takes its connection along.
    RpcClient client(server.port(), tqsdtest::kServerProgram, call % 2 ? 6 : 3);
    clnt_stat stat = call == 3 ? tqsdtest::endSession(client, Credentials{}).stat
                               : tqsdtest::askServerInfo(client, Credentials{}, {55}).stat;
    answered.push_back(stat == RPC_SUCCESS);
    if (stat != RPC_SUCCESS) {
      EXPECT_EQ(stat, RPC_CANTRECV);
    }
  }
  EXPECT_EQ(answered, (std::vector<bool>{true, false, true, false, false, true}));
  EXPECT_EQ(server.totalCalls(), 6u);
}

TEST(DropCall, TheClientSeesTheLossOnItsOpenConnection) {
  TestServer server({"--drop-call", "2"});
  RpcClient client(server.port(), tqsdtest::kServerProgram, 6);
  EXPECT_EQ(tqsdtest::askServerInfo(client, Credentials{}, {55}).stat, RPC_SUCCESS);
  EXPECT_EQ(tqsdtest::askServerInfo(client, Credentials{}, {55}).stat, RPC_CANTRECV);
}

struct DelayCase {
  const char* name;
  std::vector<std::string> switches;
  uint32_t program;
  uint32_t procedure;
};

class Delay : public testing::TestWithParam<DelayCase> {};

// The delay is far above the client's timeout, so the call times out
// however loaded the machine; the server goes on afterwards.
TEST_P(Delay, HoldsTheAnswerOfThatProcedure) {
  const DelayCase& c = GetParam();
  TestServer server(c.switches);
  RpcClient client(server.port(), c.program, c.program == tqsdtest::kDirectoryProgram ? 2 : 6,
                   std::chrono::seconds(1));
  tqtest::WireSession session;
  if (c.program == tqsdtest::kDirectoryProgram) {
    uint32_t word = 0;
    TQDirectoryAnswer answer{};
    EXPECT_EQ(client.call(TQProgram::kDirectory, c.procedure, &word, &answer), RPC_TIMEDOUT);
  } else if (c.procedure == 36) {
    EXPECT_EQ(tqsdtest::askServerInfo(client, Credentials{}, {55}).stat, RPC_TIMEDOUT);
  } else {
    EXPECT_EQ(tqsdtest::endSession(client, Credentials{}).stat, RPC_TIMEDOUT);
  }
  // The call was counted when it arrived.
  uint32_t program = c.program == tqsdtest::kDirectoryProgram ? c.program : tqtest::kAny;
  EXPECT_EQ(server.calls(program, tqtest::kAny, c.procedure), 1u);

  RpcClient patient(server.port(), tqsdtest::kServerProgram, 6, std::chrono::seconds(120));
  EXPECT_EQ(tqsdtest::askServerInfo(patient, Credentials{}, {55}).stat, RPC_SUCCESS);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Delay,
    testing::Values(DelayCase{"ServerInfo", {"--delay", "36:4"}, tqsdtest::kServerProgram, 36},
                    DelayCase{"EndOfSession", {"--delay=47:4.5"}, tqsdtest::kServerProgram, 47},
                    DelayCase{"Directory", {"--delay", "dir.1:4"}, tqsdtest::kDirectoryProgram, 1}),
    [](const testing::TestParamInfo<DelayCase>& info) { return info.param.name; });

}  // namespace
