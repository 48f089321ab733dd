// The dispatcher against a hostile peer: broken replies, a reply trickled
// byte by byte, a reply of endless size, a reply lost after the request was
// carried out, and a refused connection. Each case checks the status, the
// time the call took, the memory it used and that the caller's outputs are
// empty and can be released.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "api/tqb_session.h"
#include "hostile_peer.h"
#include "session_fixture.h"

namespace {

using tqsess::Client;
using tqsess::EnvVar;
using tqsess::numbers;
using tqtest::HostilePeer;
using tqtest::PeerAnswer;
using Clock = std::chrono::steady_clock;

constexpr uint32_t kGetEntry = 1;
constexpr uint32_t kCreateEntry = 3;
constexpr size_t kMiB = size_t{1} << 20;
// Far below what an unbounded reply takes (it grew to 1 GiB), far above
// what a bounded one needs, even under the sanitizers.
constexpr size_t kMemoryBound = 400 * kMiB;

// A client whose calls all go to the peer's port (program 390600 on a fixed
// port: no directory, everything on channel 0).
struct PeerClient {
  explicit PeerClient(uint16_t port, int32_t timeout = 20)
      : program("TQRPC", "390600"), tcp("TQTCPPORT", std::to_string(port).c_str()) {
    EXPECT_EQ(client.initCode, 0u);
    EXPECT_EQ(client.setInteger(2, timeout), 0u);
  }
  EnvVar program;
  EnvVar tcp;
  Client client;
};

struct Measured {
  uint32_t code;
  double seconds;
  size_t peakGrowth;
};

template <class Call>
Measured measure(Call&& call) {
  tqtest::resetPeakResident();
  const size_t before = tqtest::peakResidentBytes();
  const auto start = Clock::now();
  const uint32_t code = call();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  const size_t after = tqtest::peakResidentBytes();
  return {code, seconds, after > before ? after - before : 0};
}

uint32_t getEntry(Client& c, TQFieldValueList* values) {
  TQEntryIdType id = "000000000000001";
  TQEntryIdList ids{1, &id};
  return TQGetEntry(&c.control, "Demo", &ids, nullptr, values, c.fresh());
}

uint32_t createEntry(Client& c, TQEntryIdType id) {
  TQFieldValueStruct field{};
  field.fieldId = 8;
  field.value.dataType = TQ_DATA_TYPE_CHAR;
  field.value.u.charVal = const_cast<char*>("text");
  TQFieldValueList values{1, &field};
  return TQCreateEntry(&c.control, "Demo", &values, id, c.fresh());
}

// A peer that answers the identity query and the end-of-session notices and
// gives every call of `procedure` the answer.
HostilePeer::Script onProcedure(uint32_t procedure, PeerAnswer answer) {
  return [procedure, answer](uint32_t p, uint32_t) {
    return p == procedure ? answer : PeerAnswer::kResult;
  };
}

TEST(HostilePeer, BrokenRepliesToAReadFailWith91AfterOneRetry) {
  struct Case {
    const char* name;
    PeerAnswer answer;
  };
  const Case cases[] = {
      {"two empty non-final fragments", PeerAnswer::kEmptyFragments},
      {"half a reply, then the connection closes", PeerAnswer::kTruncated},
      {"a result that cannot be decoded", PeerAnswer::kUndecodable},
      {"a list of 2^31-1 items streaming in", PeerAnswer::kHugeCount},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    HostilePeer peer(onProcedure(kGetEntry, k.answer));
    PeerClient pc(peer.port());
    TQFieldValueList values{};
    const Measured m = measure([&] { return getEntry(pc.client, &values); });
    EXPECT_EQ(m.code, 2u);
    EXPECT_EQ(numbers(pc.client.status), std::vector<int32_t>{91});
    EXPECT_FALSE(tqsess::appended(pc.client.status).empty());
    EXPECT_EQ(peer.calls(kGetEntry), 2u) << "a read is sent once more";
    EXPECT_LT(m.seconds, 30.0);
    EXPECT_LT(m.peakGrowth, kMemoryBound);
    EXPECT_EQ(values.numItems, 0u);
    EXPECT_EQ(values.fieldValueList, nullptr);
    FreeTQFieldValueList(&values, 0);
    // The session goes on with a proper answer on a new connection.
    EXPECT_EQ(pc.client.serverInfo({55}), 0u);
  }
}

TEST(HostilePeer, TheTimeoutBoundsAReplyTrickledByteByByte) {
  // The reply takes more than a minute to trickle in; the call gets 2 seconds.
  HostilePeer peer(onProcedure(kGetEntry, PeerAnswer::kTrickle));
  PeerClient pc(peer.port(), 2);
  TQFieldValueList values{};
  const Measured m = measure([&] { return getEntry(pc.client, &values); });
  EXPECT_EQ(m.code, 2u);
  EXPECT_EQ(numbers(pc.client.status), std::vector<int32_t>{93});
  EXPECT_EQ(peer.calls(kGetEntry), 1u) << "no retry after a time-out";
  EXPECT_LT(m.seconds, 30.0);
  EXPECT_LT(m.peakGrowth, kMemoryBound);
  EXPECT_EQ(values.numItems, 0u);
  FreeTQFieldValueList(&values, 0);
}

TEST(HostilePeer, AChangeWhoseReplyIsLostIsNotSentAgain) {
  HostilePeer peer(onProcedure(kCreateEntry, PeerAnswer::kDropAfterRead));
  PeerClient pc(peer.port());
  TQEntryIdType id = "stale";
  const Measured m = measure([&] { return createEntry(pc.client, id); });
  EXPECT_EQ(m.code, 2u);
  EXPECT_EQ(numbers(pc.client.status), std::vector<int32_t>{91});
  const std::string text = tqsess::appended(pc.client.status);
  EXPECT_NE(text.find("outcome is unknown"), std::string::npos) << text;
  EXPECT_LE(text.size(), 255u);
  EXPECT_EQ(peer.calls(kCreateEntry), 1u) << "the entry must not be created twice";
  EXPECT_LT(m.seconds, 30.0);
  EXPECT_LT(m.peakGrowth, kMemoryBound);
  EXPECT_STREQ(id, "");
}

TEST(HostilePeer, AReadWhoseReplyIsLostIsSentOnceMore) {
  HostilePeer peer([](uint32_t p, uint32_t nth) {
    return p == kGetEntry && nth == 1 ? PeerAnswer::kDropAfterRead : PeerAnswer::kResult;
  });
  PeerClient pc(peer.port());
  TQFieldValueList values{};
  EXPECT_EQ(getEntry(pc.client, &values), 0u) << ::testing::PrintToString(numbers(pc.client.status));
  EXPECT_EQ(peer.calls(kGetEntry), 2u);
  FreeTQFieldValueList(&values, 0);
}

TEST(HostilePeer, AChangeOnAConnectionTheServerClosedIsSentOnANewOne) {
  // The peer closes the connection after the identity query; the create then
  // finds the kept connection closed before it sends anything.
  HostilePeer peer([](uint32_t p, uint32_t) {
    return p == 36 ? PeerAnswer::kResultThenClose : PeerAnswer::kResult;
  });
  PeerClient pc(peer.port());
  TQEntryIdType id = "";
  ASSERT_EQ(pc.client.serverInfo({55}), 0u);
  // Let the close reach this side.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(createEntry(pc.client, id), 0u) << ::testing::PrintToString(numbers(pc.client.status));
  EXPECT_EQ(peer.calls(kCreateEntry), 1u);
}

// Runs a call with the process's standard error going to a file; what was
// written there.
template <class Call>
std::string standardErrorOf(Call&& call) {
  std::fflush(stderr);
  char path[] = "/tmp/tqstderr.XXXXXX";
  const int file = mkstemp(path);
  const int saved = dup(STDERR_FILENO);
  dup2(file, STDERR_FILENO);
  call();
  std::fflush(stderr);
  dup2(saved, STDERR_FILENO);
  close(saved);
  close(file);
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  std::remove(path);
  return text.str();
}

TEST(HostilePeer, ARefusedConnectionGives90WithItsCauseAndPrintsNothing) {
  const std::string port = std::to_string(tqtest::deadPort());
  struct Case {
    const char* name;
    bool fixedPort;  // TQTCPPORT, or the server's directory port (TQSetServerPort)
  };
  for (const Case& k : {Case{"fixed program and port", true}, Case{"directory port", false}}) {
    SCOPED_TRACE(k.name);
    EnvVar program("TQRPC", k.fixedPort ? "390600" : nullptr);
    EnvVar tcp("TQTCPPORT", k.fixedPort ? port.c_str() : nullptr);
    Client client;
    ASSERT_EQ(client.initCode, 0u);
    if (!k.fixedPort) {
      ASSERT_EQ(client.route(static_cast<uint16_t>(std::stoi(port))), 0u);
    }
    TQFieldValueList values{};
    Measured m{};
    const std::string printed =
        standardErrorOf([&] { m = measure([&] { return getEntry(client, &values); }); });
    EXPECT_EQ(m.code, 2u);
    ASSERT_EQ(numbers(client.status), std::vector<int32_t>{90});
    const std::string text = tqsess::appended(client.status);
    EXPECT_NE(text.find("Connection refused"), std::string::npos) << text;
    EXPECT_EQ(printed, "") << "the library prints nothing by default";
    EXPECT_LT(m.seconds, 30.0);
    EXPECT_LT(m.peakGrowth, kMemoryBound);
    EXPECT_EQ(values.numItems, 0u);
    FreeTQFieldValueList(&values, 0);
  }
}

}  // namespace

namespace {

// A UTF-8 client and a server that keeps EUC-JP: a text with a character
// that EUC-JP cannot hold is not sent with '?' in its place; the call fails
// naming the problem and the server gets nothing to store.
TEST(HostilePeer, ATextWithoutAFormInTheServersSetIsNotSent) {
  HostilePeer peer(onProcedure(kCreateEntry, PeerAnswer::kResult), "ja_JP.EUC");
  PeerClient pc(peer.port());
  ASSERT_EQ(pc.client.serverInfo({55}), 0u);
  const TQSessionStruct& session = *pc.client.control.session;
  ASSERT_EQ(session.clientCodePage, 31) << "the test runs in a UTF-8 locale";
  ASSERT_EQ(session.serverCodePage, 4);

  TQFieldValueStruct field{};
  field.fieldId = 8;
  field.value.dataType = TQ_DATA_TYPE_CHAR;
  field.value.u.charVal = const_cast<char*>("emoji \xF0\x9F\x98\x80 and \xC3\xA9");
  TQFieldValueList values{1, &field};
  TQEntryIdType id = "stale";
  EXPECT_EQ(TQCreateEntry(&pc.client.control, "Demo", &values, id, pc.client.fresh()), 2u);
  EXPECT_EQ(numbers(pc.client.status), std::vector<int32_t>{91});
  const std::string text = tqsess::appended(pc.client.status);
  EXPECT_NE(text.find("no form in the server's character set EUC-JP"), std::string::npos) << text;
  EXPECT_EQ(peer.calls(kCreateEntry), 0u);
  EXPECT_STREQ(id, "");

  // A text that EUC-JP holds goes through.
  field.value.u.charVal = const_cast<char*>("caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC");
  EXPECT_EQ(TQCreateEntry(&pc.client.control, "Demo", &values, id, pc.client.fresh()), 0u)
      << ::testing::PrintToString(numbers(pc.client.status));
  EXPECT_EQ(peer.calls(kCreateEntry), 1u);
}

}  // namespace
