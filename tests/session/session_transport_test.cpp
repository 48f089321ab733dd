// The dispatcher against the reference server: protocol step-down, the
// directory's version fallback, connection failures, time-outs, the retry
// of a lost call, and fixed programs and ports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "api/tqb_frame.h"
#include "api/tqb_session.h"
#include "hostile_peer.h"
#include "session_fixture.h"
#include "tq_test_server.h"

namespace {

using tqsess::Client;
using tqsess::EnvVar;
using tqsess::numbers;
using tqtest::TestServer;

using tqtest::deadPort;

TEST(ProtocolVersions, OlderServersAreReachedByStepsWithoutStatus) {
  for (const char* max : {"5", "4", "3", "2"}) {
    SCOPED_TRACE(std::string("server version ") + max);
    TestServer server({"--max-version", max, "--charset", "ja_JP.SJIS"});
    Client client;
    ASSERT_EQ(client.route(server.port()), 0u);
    std::vector<std::string> texts;
    EXPECT_EQ(client.serverInfo({55}, &texts), 0u);
    EXPECT_EQ(client.status.numItems, 0u) << ::testing::PrintToString(numbers(client.status));
    EXPECT_EQ(texts, std::vector<std::string>{"ja_JP.SJIS"});
    const uint32_t version = static_cast<uint32_t>(std::stoul(max));
    const TQSessionStruct& s = *client.control.session;
    EXPECT_EQ(s.channels[1].currentBinding->protocolVersion, version);
    EXPECT_EQ(s.oldProtocol, 1);
    EXPECT_EQ(s.serverCodePage, 5);
    // Only the calls in the server's own version reached its handlers.
    EXPECT_EQ(server.calls(tqtest::kAny, version, 36), 2u);
    EXPECT_EQ(server.calls(36), 2u);
    // A new binding of the same server starts where the first one got to.
    EXPECT_EQ(TQEndUserSession(&client.control, "Demo", client.fresh()), 0u);
    EXPECT_EQ(server.calls(tqtest::kAny, version, 47), 3u);
    EXPECT_EQ(client.terminate(), 0u);
  }
}

TEST(Connections, ServerNotRunningGivesError90WithItsText) {
  const std::string port = std::to_string(deadPort());
  struct Case {
    const char* program;
    std::string prefix;
  };
  const Case cases[] = {
      {"390600", std::string(tqsess::kHost) + " : "},
      {"390620", std::string(tqsess::kHost) + " (390620) : "},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.program);
    EnvVar program("TQRPC", k.program);
    EnvVar tcp("TQTCPPORT", port.c_str());
    Client client;
    ASSERT_EQ(client.initCode, 0u);
    EXPECT_EQ(client.serverInfo({55}), 2u);
    ASSERT_EQ(numbers(client.status), std::vector<int32_t>{90});
    const std::string text = tqsess::appended(client.status);
    EXPECT_EQ(text.rfind(k.prefix, 0), 0u) << text;
    EXPECT_GT(text.size(), k.prefix.size()) << "the runtime's reason follows";
    EXPECT_LE(text.size(), 255u);
  }
}

TEST(Connections, FixedProgramAndPortNeedNoDirectory) {
  TestServer server({"--directory", "off"});
  const std::string port = std::to_string(server.port());
  EnvVar program("TQRPC", "390600");
  EnvVar tcp("TQTCPPORT", port.c_str());
  Client client;
  ASSERT_EQ(client.initCode, 0u);
  EXPECT_EQ(client.serverInfo({55}), 0u) << ::testing::PrintToString(numbers(client.status));
  // Program 390600 moves the general channel's calls to channel 0.
  EXPECT_NE(client.control.session->channels[0].connection, nullptr);
  EXPECT_EQ(client.control.session->channels[1].bindings, nullptr);
}

TEST(Timeouts, LateReplyGivesTheOperationsMessageWithoutRetry) {
  struct Case {
    const char* delay;
    uint32_t procedure;
    int32_t message;
  };
  const Case cases[] = {
      {"36:4", 36, 93},  // the identity query of TQGetServerInfo, a read
      {"47:4", 47, 92},  // TQEndUserSession, a change
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.delay);
    TestServer server({"--delay", k.delay});
    Client client;
    ASSERT_EQ(client.route(server.port()), 0u);
    ASSERT_EQ(client.setInteger(2, 1), 0u);  // normal timeout: 1 second
    FreeTQStatusList(&client.status, 0);
    const uint32_t code = k.procedure == 36
                              ? client.serverInfo({55})
                              : TQEndUserSession(&client.control, "Demo", client.fresh());
    EXPECT_EQ(code, 2u);
    ASSERT_FALSE(numbers(client.status).empty());
    EXPECT_EQ(numbers(client.status)[0], k.message);
    EXPECT_EQ(tqsess::appended(client.status), tqsess::kHost);
    EXPECT_EQ(server.calls(k.procedure), 1u) << "no retry after a time-out";
  }
}

TEST(Retry, DroppedConnectionIsRetriedOnce) {
  // Call 1 is the identity query, call 2 the operation's, which is dropped.
  TestServer server({"--drop-call", "2"});
  Client client;
  ASSERT_EQ(client.route(server.port()), 0u);
  EXPECT_EQ(client.serverInfo({55}), 0u) << ::testing::PrintToString(numbers(client.status));
  EXPECT_EQ(server.calls(36), 3u);
}

TEST(Retry, ASecondLossGivesError91) {
  TestServer server({"--drop-call", "2,3"});
  Client client;
  ASSERT_EQ(client.route(server.port()), 0u);
  EXPECT_EQ(client.serverInfo({55}), 2u);
  EXPECT_EQ(numbers(client.status), std::vector<int32_t>{91});
  EXPECT_FALSE(tqsess::appended(client.status).empty());
  EXPECT_EQ(server.calls(36), 3u);
  // The session goes on: the next call opens a new connection.
  EXPECT_EQ(client.serverInfo({55}), 0u);
}

}  // namespace

namespace {

// A call on the query channel that does not go through: the header it
// prepared lives in the call's frame, so the session must not keep pointing
// at it afterwards.
TEST(QueryChannel, AFailedCallLeavesNoPointerToItsHeader) {
  // Call 1 is the identity query; calls 2 and 3 (the query-channel call and
  // its one retry) are dropped.
  TestServer server({"--drop-call", "2,3"});
  Client client;
  ASSERT_EQ(client.route(server.port()), 0u);
  constexpr TQCallPlan kOnQueryChannel = {"TQGetServerInfo", kTQProcGetServerInfo, 2,
                                          TQTimeout::kNormal, kTQMsgTimeoutRead};
  uint32_t code55 = 55;
  auto fill = [&](TQGetServerInfoArgs& args) { args.requests = {1, &code55}; };
  auto takeOver = [](TQGetServerInfoResult&) {};
  TQSessionStruct* session = client.control.session;
  EXPECT_EQ((tqFrameCall<TQGetServerInfoArgs, TQGetServerInfoResult>(
                kOnQueryChannel, session, &client.control, client.fresh(), fill, takeOver)),
            2u);
  EXPECT_EQ(numbers(client.status), std::vector<int32_t>{91});
  EXPECT_EQ(session->currentHeader, nullptr);
  EXPECT_EQ(session->currentCacheIds, nullptr);

  // The same when the arguments are refused after the header was prepared.
  auto refuse = [](TQGetServerInfoArgs&) -> uint32_t { return TQ_RETURN_ERROR; };
  EXPECT_EQ((tqFrameCall<TQGetServerInfoArgs, TQGetServerInfoResult>(
                kOnQueryChannel, session, &client.control, client.fresh(), refuse, takeOver)),
            2u);
  EXPECT_EQ(session->currentHeader, nullptr);
  EXPECT_EQ(session->currentCacheIds, nullptr);
}

}  // namespace
