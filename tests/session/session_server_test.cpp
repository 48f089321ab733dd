// The frame and the session against the reference server: server
// information, bindings and identities, password modes, the end-of-session
// notices, and sessions on several threads.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "api/tqb_session.h"
#include "session_fixture.h"
#include "tq_test_server.h"

namespace {

using tqsess::Client;
using tqsess::numbers;
using tqtest::TestServer;

TEST(ServerInfo, AnswersThroughTheDirectoryAndKeepsTheConnection) {
  TestServer server({"--charset", "de_DE.EUC", "--server-info", "7=seven"});
  Client client;
  ASSERT_EQ(client.route(server.port()), 0u);
  std::vector<std::string> texts;
  ASSERT_EQ(client.serverInfo({7, 55}, &texts), 0u)
      << ::testing::PrintToString(numbers(client.status));
  EXPECT_EQ(texts, (std::vector<std::string>{"seven", "de_DE.EUC"}));
  EXPECT_EQ(client.status.numItems, 0u);
  ASSERT_EQ(client.serverInfo({7}, &texts), 0u);

  // First contact asked for the character set once; then one call each.
  EXPECT_EQ(server.calls(36), 3u);
  const TQSessionStruct& s = *client.control.session;
  ASSERT_NE(s.identities, nullptr);
  EXPECT_STREQ(s.identities->charSet, "de_DE.EUC");
  EXPECT_EQ(s.identities->passwordMode, kTQPasswordScramble);
  EXPECT_EQ(s.serverCodePage, 4) << "an EUC server set";
  EXPECT_EQ(client.control.cacheId, 1) << "the server's cache id is taken over";
  EXPECT_NE(client.control.operationTime, 0);
  // One general-channel connection, kept.
  EXPECT_NE(s.channels[1].connection, nullptr);
  EXPECT_EQ(s.channels[1].currentBinding->cacheId, 1u);
}

TEST(ServerInfo, ServerThatDoesNotKnowTheCharacterSetCodeIsStillUsable) {
  TestServer server({"--charset", "none", "--server-info", "7=seven"});
  Client client;
  ASSERT_EQ(client.route(server.port()), 0u);
  std::vector<std::string> texts;
  EXPECT_EQ(client.serverInfo({7}, &texts), 0u) << ::testing::PrintToString(numbers(client.status));
  EXPECT_EQ(texts, std::vector<std::string>{"seven"});
  EXPECT_STREQ(client.control.session->identities->charSet, "");
}

TEST(Bindings, TwoUsersOnOneServerGetTwoBindingsAndOneIdentityQuery) {
  TestServer server({}, tqsess::kUsers);
  Client joe("Joe", "secret");
  ASSERT_EQ(joe.route(server.port()), 0u);
  ASSERT_EQ(joe.serverInfo({55}), 0u);
  EXPECT_EQ(server.calls(36), 2u);  // identity query and the call

  // A second user of the same session: same control-record session handle.
  TQControlStruct ann = joe.control;
  std::strcpy(ann.user, "Ann");
  std::strcpy(ann.password, "other");
  uint32_t code55 = 55;
  TQServerInfoRequestList requests{1, &code55};
  for (int round = 0; round < 2; ++round) {
    for (TQControlStruct* who : {&ann, &joe.control}) {
      TQServerInfoList info{};
      TQStatusList status{};
      EXPECT_EQ(TQGetServerInfo(who, &requests, &info, &status), 0u) << who->user;
      FreeTQServerInfoList(&info, 0);
      FreeTQStatusList(&status, 0);
      EXPECT_STREQ(joe.control.session->channels[1].currentBinding->user, who->user);
    }
  }
  EXPECT_EQ(server.calls(36), 6u) << "no second identity query";
  int bindings = 0;
  for (auto* b = joe.control.session->channels[1].bindings; b != nullptr; b = b->next)
    ++bindings;
  EXPECT_EQ(bindings, 2);
}

TEST(Passwords, WrongPasswordGives329) {
  TestServer server({}, tqsess::kUsers);
  Client client("Joe", "wrong");
  ASSERT_EQ(client.route(server.port()), 0u);
  EXPECT_EQ(client.serverInfo({55}), 2u);
  ASSERT_FALSE(numbers(client.status).empty());
  EXPECT_EQ(numbers(client.status)[0], 329);
  EXPECT_EQ(server.calls(36), 1u) << "a version-6 server gets no clear-password retry";
}

TEST(Passwords, ClearPasswordFallbackOnlyForOldServersWhenAllowed) {
  struct Case {
    const char* maxVersion;
    int32_t fallbackAllowed;
    uint32_t code;
    uint32_t mode;
  };
  const Case cases[] = {
      {"3", 1, 0, kTQPasswordClear},
      {"2", 1, 0, kTQPasswordClear},
      {"3", 0, 2, kTQPasswordScramble},
      {"4", 1, 2, kTQPasswordScramble},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string("version ") + k.maxVersion + " fallback " +
                 std::to_string(k.fallbackAllowed));
    TestServer server({"--max-version", k.maxVersion, "--password-mode", "clear"}, tqsess::kUsers);
    Client client("Joe", "secret");
    ASSERT_EQ(client.route(server.port()), 0u);
    ASSERT_EQ(client.setInteger(6, k.fallbackAllowed), 0u);
    EXPECT_EQ(client.serverInfo({55}), k.code);
    if (k.code != 0) {
      ASSERT_FALSE(numbers(client.status).empty());
      EXPECT_EQ(numbers(client.status)[0], 329);
    }
    ASSERT_NE(client.control.session->identities, nullptr);
    EXPECT_EQ(client.control.session->identities->passwordMode, k.mode);
  }
}

TEST(EndOfSession, EndUserSessionNotifiesEveryChannelAndTerminationEveryBinding) {
  TestServer server({}, tqsess::kUsers);
  Client client("Joe", "secret");
  ASSERT_EQ(client.route(server.port()), 0u);
  EXPECT_EQ(TQEndUserSession(&client.control, "Joe", client.fresh()), 0u)
      << ::testing::PrintToString(numbers(client.status));
  EXPECT_EQ(server.calls(47), 3u);
  EXPECT_EQ(server.calls(36), 1u) << "one identity query for all three channels";
  for (int channel = 0; channel < 3; ++channel) {
    EXPECT_NE(client.control.session->channels[channel].bindings, nullptr) << channel;
  }
  EXPECT_EQ(client.control.session->channels[2].connection, nullptr)
      << "the query channel closes after its call";

  // One notice per binding: channels 0 and 1, and channel 2 for its program.
  EXPECT_EQ(client.terminate(), 0u);
  EXPECT_EQ(client.control.session, nullptr);
  EXPECT_EQ(server.calls(47), 6u);
  EXPECT_STREQ(client.control.user, "Joe");
  EXPECT_STREQ(client.control.server, tqsess::kHost);
}

TEST(EndOfSession, TerminationClearsTheHandleWhenTheServerIsGone) {
  auto server = std::make_unique<TestServer>();
  Client client;
  ASSERT_EQ(client.route(server->port()), 0u);
  ASSERT_EQ(client.serverInfo({55}), 0u);
  server->stop();
  server.reset();
  EXPECT_EQ(client.terminate(), 0u);
  EXPECT_EQ(client.control.session, nullptr);
}

TEST(Threads, EightSessionsCallAtOnce) {
  TestServer server({"--server-info", "7=seven"}, tqsess::kUsers);
  constexpr int kThreads = 8;
  constexpr int kCalls = 25;
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      Client client(t % 2 == 0 ? "Joe" : "Ann", t % 2 == 0 ? "secret" : "other");
      if (client.initCode != 0 || client.route(server.port()) != 0) {
        ++failures;
        return;
      }
      for (int i = 0; i < kCalls; ++i) {
        std::vector<std::string> texts;
        if (client.serverInfo({7, 55}, &texts) != 0 ||
            texts != std::vector<std::string>{"seven", "en_US.UTF-8"}) {
          ++failures;
        }
      }
      if (client.terminate() != 0) ++failures;
    });
  }
  for (auto& t : threads)
    t.join();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(server.calls(36), static_cast<uint64_t>(kThreads * (kCalls + 1)));
  EXPECT_EQ(server.calls(47), static_cast<uint64_t>(kThreads));
}

}  // namespace
