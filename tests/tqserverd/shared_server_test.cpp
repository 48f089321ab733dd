// The shared server of the ctest fixture: started before the tests that ask
// for it, reachable on the port it wrote, counting their calls.
#include <gtest/gtest.h>

#include "server_test_util.h"

namespace {

TEST(SharedServer, AnswersOnThePortOfTheFixture) {
  std::optional<uint16_t> port = tqtest::sharedServerPort();
  ASSERT_TRUE(port.has_value()) << "TQ_TEST_SERVER_DIR does not lead to a running server";
  tqtest::RpcClient client(*port, tqsdtest::kServerProgram, 6);
  tqsdtest::Answer a = tqsdtest::askServerInfo(client, tqsdtest::Credentials{}, {55});
  EXPECT_EQ(a.stat, RPC_SUCCESS);
  EXPECT_EQ(a.info.size(), 1u);
}

}  // namespace
