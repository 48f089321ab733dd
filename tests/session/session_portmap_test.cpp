// The paths that go through the port mapper: a server found without any
// port, and the channels after a version-1 directory, whose answers carry
// no port. These tests register programs with rpcbind when it runs; their
// servers serve only a password of their own (tq_test_server.h).
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "api/tqb_session.h"
#include "session_fixture.h"
#include "tq_test_server.h"

namespace {

using tqsess::Client;
using tqsess::numbers;
using tqtest::TestServer;

bool portMapperRuns() {
  tqtest::holdPortMapper();
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(111);
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bool up = connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  close(fd);
  return up;
}

TEST(Directory, VersionOneDirectoryIsAskedAgainOnVersionOne) {
  const bool portMapper = portMapperRuns();
  std::vector<std::string> switches = {"--directory", "v1"};
  if (portMapper) switches.push_back("--portmap");
  TestServer server(switches);
  Client client(tqtest::kPortMapperUser, server.password().c_str());
  ASSERT_EQ(client.route(server.port()), 0u);
  const uint32_t code = client.serverInfo({55});
  EXPECT_GE(server.calls(tqtest::kDirectoryProgram, 1, 1), 1u);
  EXPECT_EQ(server.calls(tqtest::kDirectoryProgram, 2, tqtest::kAny), 0u);
  EXPECT_EQ(client.control.session->routes->directoryVersion, 1u);
  // A version-1 answer has no port: the channel asks the port mapper.
  if (portMapper) {
    EXPECT_EQ(code, 0u) << ::testing::PrintToString(numbers(client.status));
  } else {
    EXPECT_EQ(numbers(client.status), std::vector<int32_t>{90});
  }
}

TEST(PortMapper, ServerFoundWithoutAnyPort) {
  if (!portMapperRuns()) {
    GTEST_SKIP() << "rpcbind does not run on 127.0.0.1:111; the port-mapper path is not tested";
  }
  TestServer server({"--portmap"});
  Client client(tqtest::kPortMapperUser, server.password().c_str());
  std::vector<std::string> texts;
  EXPECT_EQ(client.serverInfo({55}, &texts), 0u)
      << ::testing::PrintToString(numbers(client.status));
  EXPECT_EQ(texts, std::vector<std::string>{"en_US.UTF-8"});
  EXPECT_GE(server.calls(tqtest::kDirectoryProgram, 2, 1), 1u);
}

}  // namespace

namespace {

// A client of another test whose own server has gone away falls back to the
// port mapper; it must not be served by this test's server.
TEST(PortMapper, AnotherTestsClientIsNotServed) {
  if (!portMapperRuns()) {
    GTEST_SKIP() << "rpcbind does not run on 127.0.0.1:111; the port-mapper path is not tested";
  }
  TestServer server({"--portmap"});
  Client stranger;
  EXPECT_EQ(stranger.serverInfo({55}), 2u);
  Client own(tqtest::kPortMapperUser, server.password().c_str());
  EXPECT_EQ(own.serverInfo({55}), 0u) << ::testing::PrintToString(numbers(own.status));
}

}  // namespace
