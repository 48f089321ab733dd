// Switches the server refuses, and the users file.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "server_test_util.h"

namespace {

using tqsdtest::Credentials;
using tqtest::RpcClient;
using tqtest::TestServer;

int exitCode(const tqtest::ServerRun& run) {
  return WIFEXITED(run.status) ? WEXITSTATUS(run.status) : -1;
}

struct BadSwitch {
  const char* name;
  std::vector<std::string> switches;
  const char* mentioned;  // a part of the complaint
};

class RefusedSwitch : public testing::TestWithParam<BadSwitch> {};

TEST_P(RefusedSwitch, EndsWithCode2AndSaysWhy) {
  tqtest::ServerRun run = tqtest::runServerToEnd(GetParam().switches);
  EXPECT_EQ(exitCode(run), 2);
  EXPECT_NE(run.err.find(GetParam().mentioned), std::string::npos) << run.err;
  EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedSwitch,
    testing::Values(BadSwitch{"MaxVersion7", {"--max-version", "7"}, "--max-version"},
                    BadSwitch{"MaxVersion1", {"--max-version=1"}, "--max-version"},
                    BadSwitch{"Port65536", {"--port", "65536"}, "--port"},
                    BadSwitch{"PortNegative", {"--port", "-1"}, "--port"},
                    BadSwitch{"PasswordMode", {"--password-mode", "plain"}, "--password-mode"},
                    BadSwitch{"DelayWithoutSeconds", {"--delay", "36"}, "--delay"},
                    BadSwitch{"DelayNegative", {"--delay", "36:-1"}, "--delay"},
                    BadSwitch{"DelayProcedure", {"--delay", "x:1"}, "--delay"},
                    BadSwitch{"DropCallZero", {"--drop-call", "0"}, "--drop-call"},
                    BadSwitch{"DropCallEmptyItem", {"--drop-call", "1,,2"}, "--drop-call"},
                    BadSwitch{"Directory", {"--directory", "v3"}, "--directory"},
                    BadSwitch{"AdviceFlag", {"--advice-flag", "2"}, "--advice-flag"},
                    BadSwitch{"CharsetEmpty", {"--charset", ""}, "--charset"},
                    BadSwitch{"ServerInfoWithoutText", {"--server-info", "55"}, "--server-info"},
                    BadSwitch{"ExitAfter", {"--exit-after", "soon"}, "--exit-after"},
                    BadSwitch{"SetWithoutName", {"--set", "=1"}, "--set"},
                    BadSwitch{"FlagWithValue", {"--portmap=yes"}, "--portmap"},
                    BadSwitch{"MissingValue", {"--stats-file"}, "--stats-file"},
                    BadSwitch{"Unknown", {"--unknown"}, "--unknown"},
                    BadSwitch{"NotASwitch", {"port"}, "port"}),
    [](const testing::TestParamInfo<BadSwitch>& info) { return info.param.name; });

TEST(Help, PrintsTheSwitchesAndEnds) {
  tqtest::ServerRun run = tqtest::runServerToEnd({"--help"});
  EXPECT_EQ(exitCode(run), 0);
  for (const char* name :
       {"--max-version", "--charset", "--password-mode", "--users", "--delay", "--drop-call",
        "--directory", "--advice-flag", "--exit-after", "--stats-file", "--portmap"}) {
    EXPECT_NE(run.out.find(name), std::string::npos) << name;
  }
}

struct BadUsers {
  const char* text;
  const char* mentioned;
};

class RefusedUsersFile : public testing::TestWithParam<BadUsers> {};

TEST_P(RefusedUsersFile, EndsWithCode1) {
  std::string path = testing::TempDir() + "tqserverd_users_" +
                     std::to_string(testing::UnitTest::GetInstance()->random_seed()) + "_" +
                     std::to_string(getpid());
  std::ofstream(path) << GetParam().text;
  tqtest::ServerRun run = tqtest::runServerToEnd({"--users", path});
  std::remove(path.c_str());
  EXPECT_EQ(exitCode(run), 1);
  EXPECT_NE(run.err.find(GetParam().mentioned), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedUsersFile,
    testing::Values(BadUsers{"Joe secret\nAbcdefghijAbcdefghijAbcdefghijK pw\n", ":2:"},
                    BadUsers{"Joe 1234567890123456789012345678901\n", ":1:"}));

TEST(UsersFile, AMissingFileIsRefused) {
  tqtest::ServerRun run = tqtest::runServerToEnd({"--users", "/nonexistent/tqserverd.users"});
  EXPECT_EQ(exitCode(run), 1);
  EXPECT_NE(run.err.find("/nonexistent/tqserverd.users"), std::string::npos);
}

TEST(UsersFile, ReadsNamesPasswordsCommentsAndReplacements) {
  TestServer server({}, "# comment\n\n  Joe   first\r\nJoe second\nSolo\nDemo demo\n");
  RpcClient client(server.port(), tqsdtest::kServerProgram, 6);
  struct Case {
    Credentials who;
    bool accepted;
  } cases[] = {{{"Joe", "second"}, true},
               {{"Joe", "first"}, false},
               {{"Solo", ""}, true},
               {{"Demo", "demo"}, true},
               {{"Demo", ""}, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.who.user + "/" + c.who.password);
    EXPECT_EQ(tqsdtest::endSession(client, c.who).statusNumbers.empty(), c.accepted);
  }
}

}  // namespace
