// Protocol versions and procedure numbers: calls above the highest version
// get the version-mismatch reply with the served range; procedures a version
// lacks, or that have no handler, get "procedure unavailable".
#include <gtest/gtest.h>

#include "server_test_util.h"

namespace {

using tqsdtest::Credentials;
using tqtest::RpcClient;
using tqtest::TestServer;

class HighestVersion : public testing::TestWithParam<uint32_t> {};

TEST_P(HighestVersion, RefusesOtherVersionsWithTheServedRange) {
  const uint32_t highest = GetParam();
  TestServer server({"--max-version", std::to_string(highest)});
  for (uint32_t version : {1u, highest + 1, 6u, 7u}) {
    if (version <= highest) continue;
    SCOPED_TRACE(version);
    RpcClient client(server.port(), tqsdtest::kServerProgram, version);
    tqtest::WireSession session;
    uint32_t word = 0;
    clnt_stat stat = client.call(36, tqx::erased<uint32_t, tqx::u32>, &word,
                                 tqx::erased<uint32_t, tqx::u32>, &word);
    ASSERT_EQ(stat, RPC_PROGVERSMISMATCH);
    rpc_err error = client.lastError();
    EXPECT_EQ(error.re_vers.low, 2u);
    EXPECT_EQ(error.re_vers.high, highest);
  }
  RpcClient atHighest(server.port(), tqsdtest::kServerProgram, highest);
  EXPECT_EQ(tqsdtest::askServerInfo(atHighest, Credentials{}, {55}).stat, RPC_SUCCESS);
  EXPECT_EQ(server.calls(36), 1u);  // refused versions never reach the server
}

INSTANTIATE_TEST_SUITE_P(Versions, HighestVersion, testing::Values(2u, 3u, 4u, 5u, 6u));

struct ProcedureCase {
  uint32_t version;
  uint32_t procedure;
};

class UnavailableProcedure : public testing::TestWithParam<ProcedureCase> {};

TEST_P(UnavailableProcedure, GetsProcedureUnavailableAndIsCounted) {
  TestServer server;
  RpcClient client(server.port(), tqsdtest::kServerProgram, GetParam().version);
  tqtest::WireSession session;
  uint32_t word = 0;
  EXPECT_EQ(client.call(GetParam().procedure, tqx::erased<uint32_t, tqx::u32>, &word,
                        tqx::erased<uint32_t, tqx::u32>, &word),
            RPC_PROCUNAVAIL);
  EXPECT_EQ(server.calls(GetParam().procedure), 1u);
  EXPECT_EQ(tqsdtest::askServerInfo(client, Credentials{}, {55}).stat, RPC_SUCCESS);
}

INSTANTIATE_TEST_SUITE_P(Cases, UnavailableProcedure,
                         testing::Values(ProcedureCase{2, 48},  // past version 2's range
                                         ProcedureCase{5, 73}, ProcedureCase{6, 79},
                                         ProcedureCase{6, 81}, ProcedureCase{6, 94},
                                         ProcedureCase{6, 100000},
                                         ProcedureCase{4, 58}),  // no handler yet
                         [](const testing::TestParamInfo<ProcedureCase>& info) {
                           return "V" + std::to_string(info.param.version) + "Procedure" +
                                  std::to_string(info.param.procedure);
                         });

bool_t nothing(XDR*, void*) {
  return TRUE;
}

TEST(NullProcedure, AnswersEmpty) {
  TestServer server;
  for (uint32_t program : {tqsdtest::kServerProgram, tqsdtest::kDirectoryProgram}) {
    RpcClient client(server.port(), program, 2);
    EXPECT_EQ(client.call(NULLPROC, nothing, nullptr, nothing, nullptr), RPC_SUCCESS);
  }
}

}  // namespace
