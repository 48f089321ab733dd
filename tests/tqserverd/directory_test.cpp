// The queue directory, program 390604: the program and port it names per
// procedure and version, and the three ways of serving it.
#include <gtest/gtest.h>

#include "server_test_util.h"

namespace {

using tqtest::RpcClient;
using tqtest::TestServer;

struct DirectoryCase {
  const char* name;
  std::vector<std::string> switches;
  uint32_t version;
  uint32_t procedure;
  clnt_stat stat;
  uint32_t program;  // when answered
  int64_t port;      // when answered at version 2; -1: the listening port
};

class Directory : public testing::TestWithParam<DirectoryCase> {};

TEST_P(Directory, NamesProgramAndPort) {
  const DirectoryCase& c = GetParam();
  TestServer server(c.switches);
  RpcClient client(server.port(), tqsdtest::kDirectoryProgram, c.version);
  tqtest::WireSession session;

  const TQProcedure* p = tqFindProcedure(TQProgram::kDirectory, c.version, c.procedure);
  ASSERT_NE(p, nullptr);
  uint32_t word = 0;
  char schema[] = "HelpDesk";
  TQDirectoryQueryArgs query{};
  query.schema = schema;
  void* args = c.procedure == 2 ? static_cast<void*>(&query) : static_cast<void*>(&word);
  TQDirectoryAnswer answer{};
  uint32_t program = 0;
  void* result = c.version == 1 ? static_cast<void*>(&program) : static_cast<void*>(&answer);

  ASSERT_EQ(client.call(p->number, p->xdrArgs, args, p->xdrResult, result), c.stat);
  if (c.stat == RPC_PROGVERSMISMATCH) {
    EXPECT_EQ(client.lastError().re_vers.low, 1u);
    EXPECT_EQ(client.lastError().re_vers.high, 1u);
  }
  if (c.stat != RPC_SUCCESS) return;
  if (c.version == 1) {
    EXPECT_EQ(program, c.program);
  } else {
    EXPECT_EQ(answer.program, c.program);
    EXPECT_EQ(answer.port, c.port < 0 ? server.port() : static_cast<uint32_t>(c.port));
  }
  EXPECT_EQ(server.calls(tqsdtest::kDirectoryProgram, c.version, c.procedure), 1u);
  EXPECT_EQ(server.totalCalls(), 0u);  // directory calls are not server-program calls
}

const std::vector<std::string> kAnswers = {
    "--general-program", "390635", "--query-program", "390640", "--directory-port", "4711"};

INSTANTIATE_TEST_SUITE_P(
    Cases, Directory,
    testing::Values(
        DirectoryCase{"V2General", {}, 2, 1, RPC_SUCCESS, 390600, -1},
        DirectoryCase{"V2Query", {}, 2, 2, RPC_SUCCESS, 390600, -1},
        DirectoryCase{"V2Default", {}, 2, 3, RPC_SUCCESS, 390600, -1},
        DirectoryCase{"V1General", {}, 1, 1, RPC_SUCCESS, 390600, 0},
        DirectoryCase{"V1Query", {}, 1, 2, RPC_SUCCESS, 390600, 0},
        DirectoryCase{"V2Configured1", kAnswers, 2, 1, RPC_SUCCESS, 390635, 4711},
        DirectoryCase{"V2Configured2", kAnswers, 2, 2, RPC_SUCCESS, 390640, 4711},
        DirectoryCase{"V2Configured3", kAnswers, 2, 3, RPC_SUCCESS, 390600, 4711},
        DirectoryCase{"V1Configured2", kAnswers, 1, 2, RPC_SUCCESS, 390640, 0},
        DirectoryCase{"OnlyV1RefusesV2", {"--directory=v1"}, 2, 1, RPC_PROGVERSMISMATCH, 0, 0},
        DirectoryCase{"OnlyV1AnswersV1", {"--directory=v1"}, 1, 1, RPC_SUCCESS, 390600, 0},
        DirectoryCase{"OffV2", {"--directory=off"}, 2, 1, RPC_PROGUNAVAIL, 0, 0},
        DirectoryCase{"OffV1", {"--directory=off"}, 1, 1, RPC_PROGUNAVAIL, 0, 0}),
    [](const testing::TestParamInfo<DirectoryCase>& info) { return info.param.name; });

}  // namespace
