// The harness itself: a server that cannot start is an exception, and a
// server that ends badly (a crash, a sanitizer's exit code) fails the test.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <signal.h>

#include "tq_test_server.h"

namespace {

TEST(Harness, AServerThatDoesNotStartThrows) {
  EXPECT_THROW(tqtest::TestServer({"--max-version", "9"}), std::runtime_error);
}

TEST(Harness, AServerThatEndsBadlyFailsTheTest) {
  EXPECT_NONFATAL_FAILURE(
      {
        tqtest::TestServer server;
        kill(server.pid(), SIGKILL);
      },
      "ended with signal 9");
}

TEST(Harness, CountersStartEmpty) {
  tqtest::TestServer server;
  EXPECT_TRUE(server.callCounts().empty());
  EXPECT_EQ(server.totalCalls(), 0u);
}

}  // namespace
