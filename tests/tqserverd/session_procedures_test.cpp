// Procedures 36 and 47 through plain RPC calls, at every protocol version:
// answers, password checks of the call header, the result header's fields.
#include <gtest/gtest.h>

#include "server_test_util.h"

namespace {

using tqsdtest::Answer;
using tqsdtest::Credentials;
using tqsdtest::kUsers;
using tqtest::RpcClient;
using tqtest::TestServer;

constexpr uint32_t kCharset = 55;
constexpr int32_t kBadPassword = 329;
constexpr int32_t kUnknownCode = 123;

class EveryVersion : public testing::TestWithParam<uint32_t> {};

TEST_P(EveryVersion, AnswersServerInfoAndEndOfSession) {
  TestServer server({"--charset", "ja_JP.EUC"});
  RpcClient client(server.port(), tqsdtest::kServerProgram, GetParam());

  Answer info = tqsdtest::askServerInfo(client, Credentials{}, {kCharset});
  ASSERT_EQ(info.stat, RPC_SUCCESS);
  EXPECT_TRUE(info.statusNumbers.empty());
  ASSERT_EQ(info.info.size(), 1u);
  EXPECT_EQ(info.info[0].first, kCharset);
  EXPECT_EQ(info.info[0].second, "ja_JP.EUC");

  Answer end = tqsdtest::endSession(client, Credentials{});
  ASSERT_EQ(end.stat, RPC_SUCCESS);
  EXPECT_TRUE(end.statusNumbers.empty());

  EXPECT_EQ(server.calls(tqsdtest::kServerProgram, GetParam(), 36), 1u);
  EXPECT_EQ(server.calls(tqsdtest::kServerProgram, GetParam(), 47), 1u);
}

INSTANTIATE_TEST_SUITE_P(Versions, EveryVersion, testing::Values(2u, 3u, 4u, 5u, 6u));

struct PasswordCase {
  const char* name;
  const char* mode;
  Credentials who;
  bool accepted;
};

class PasswordCheck : public testing::TestWithParam<PasswordCase> {};

TEST_P(PasswordCheck, AcceptsOnlyTheRightPassword) {
  const PasswordCase& c = GetParam();
  TestServer server({"--password-mode", c.mode}, kUsers);
  for (uint32_t version : {2u, 6u}) {
    SCOPED_TRACE(version);
    RpcClient client(server.port(), tqsdtest::kServerProgram, version);
    std::vector<int32_t> expected;
    if (!c.accepted) expected.push_back(kBadPassword);

    Answer info = tqsdtest::askServerInfo(client, c.who, {kCharset});
    ASSERT_EQ(info.stat, RPC_SUCCESS);
    EXPECT_EQ(info.statusNumbers, expected);
    EXPECT_EQ(info.info.size(), c.accepted ? 1u : 0u);

    Answer end = tqsdtest::endSession(client, c.who);
    ASSERT_EQ(end.stat, RPC_SUCCESS);
    EXPECT_EQ(end.statusNumbers, expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PasswordCheck,
    testing::Values(
        PasswordCase{"DemoEmpty", "scramble", {"Demo", "", true}, true},
        PasswordCase{"Scrambled", "scramble", {"Joe", "secret", true}, true},
        PasswordCase{"ScrambledWithBlank", "scramble", {"Ann", "two words", true}, true},
        PasswordCase{"ScrambledFullLength",
                     "scramble",
                     {"Max", "123456789012345678901234567890", true},
                     true},
        PasswordCase{"WrongPassword", "scramble", {"Joe", "secrets", true}, false},
        PasswordCase{"ClearToScrambleServer", "scramble", {"Joe", "secret", false}, false},
        PasswordCase{"OtherOperationTime", "scramble", {"Joe", "secret", true, 1}, false},
        PasswordCase{"PasswordForEmpty", "scramble", {"Demo", "x", true}, false},
        PasswordCase{"UnknownUser", "scramble", {"Nobody", "", true}, false},
        PasswordCase{"UserNameCase", "scramble", {"joe", "secret", true}, false},
        PasswordCase{"Clear", "clear", {"Joe", "secret", false}, true},
        PasswordCase{"ClearDemo", "clear", {"Demo", "", false}, true},
        PasswordCase{"ScrambledToClearServer", "clear", {"Joe", "secret", true}, false},
        PasswordCase{"ClearPrefix", "clear", {"Joe", "secre", false}, false},
        PasswordCase{"ClearUnknownUser", "clear", {"Nobody", "", false}, false}),
    [](const testing::TestParamInfo<PasswordCase>& info) { return info.param.name; });

TEST(ServerInfo, AnswersKnownCodesAndReportsEachUnknownOne) {
  TestServer server({"--server-info", "1=tqstore", "--server-info", "27=7.1"});
  RpcClient client(server.port(), tqsdtest::kServerProgram, 6);

  Answer a = tqsdtest::askServerInfo(client, Credentials{}, {27, 7, kCharset, 1, 102});
  ASSERT_EQ(a.stat, RPC_SUCCESS);
  std::vector<std::pair<uint32_t, std::string>> expected = {
      {27, "7.1"}, {kCharset, "en_US.UTF-8"}, {1, "tqstore"}};
  EXPECT_EQ(a.info, expected);
  ASSERT_EQ(a.statusNumbers, (std::vector<int32_t>{kUnknownCode, kUnknownCode}));
  // The most recent item stands first among items of one type.
  EXPECT_EQ(a.appendedTexts, (std::vector<std::string>{"102", "7"}));
}

TEST(ServerInfo, WithoutACharsetCode55IsUnknown) {
  TestServer server({"--charset=none"});
  for (uint32_t version : {2u, 6u}) {
    RpcClient client(server.port(), tqsdtest::kServerProgram, version);
    Answer a = tqsdtest::askServerInfo(client, Credentials{}, {kCharset});
    ASSERT_EQ(a.stat, RPC_SUCCESS);
    EXPECT_TRUE(a.info.empty());
    EXPECT_EQ(a.statusNumbers, std::vector<int32_t>{kUnknownCode});
    // Versions 2 to 5 carry no appended text.
    EXPECT_EQ(a.appendedTexts, std::vector<std::string>{version == 6 ? "55" : ""});
  }
}

struct HeaderCase {
  const char* name;
  std::vector<std::string> switches;
  int32_t cacheId;
  uint8_t flag;
};

class ResultHeader : public testing::TestWithParam<HeaderCase> {};

TEST_P(ResultHeader, CarriesCacheIdAndAdviceFlag) {
  TestServer server(GetParam().switches);
  for (uint32_t version : {2u, 6u}) {
    RpcClient client(server.port(), tqsdtest::kServerProgram, version);
    for (Answer a : {tqsdtest::askServerInfo(client, Credentials{}, {kCharset}),
                     tqsdtest::endSession(client, Credentials{})}) {
      ASSERT_EQ(a.stat, RPC_SUCCESS);
      EXPECT_EQ(a.cacheId, GetParam().cacheId);
      EXPECT_EQ(a.flag, GetParam().flag);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResultHeader,
    testing::Values(HeaderCase{"Defaults", {}, 1, 0},
                    HeaderCase{"AdviceFlag", {"--advice-flag", "1"}, 1, 1},
                    HeaderCase{"CacheId", {"--cache-id=77", "--advice-flag=0"}, 77, 0}),
    [](const testing::TestParamInfo<HeaderCase>& info) { return info.param.name; });

TEST(QueryPrograms, AnswerLikeTheDefaultProgram) {
  TestServer server;
  for (uint32_t program : {390635u, 390650u, 390669u}) {
    SCOPED_TRACE(program);
    RpcClient client(server.port(), program, 6);
    EXPECT_EQ(tqsdtest::askServerInfo(client, Credentials{}, {kCharset}).info.size(), 1u);
    EXPECT_EQ(server.calls(program, 6, 36), 1u);
  }
  EXPECT_EQ(server.calls(36), 3u);
  EXPECT_EQ(server.calls(tqsdtest::kServerProgram, tqtest::kAny, 36), 0u);
}

TEST(QueryPrograms, NeighboursAreNotServed) {
  TestServer server;
  for (uint32_t program : {390634u, 390670u}) {
    RpcClient client(server.port(), program, 6);
    EXPECT_EQ(tqsdtest::askServerInfo(client, Credentials{}, {kCharset}).stat, RPC_PROGUNAVAIL);
  }
}

}  // namespace
