// Registration with the port mapper (--portmap): while the server runs the
// port mapper names its port for every program and version it serves, and
// after it ends for none. Skipped when no port mapper runs on this machine.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <rpc/pmap_clnt.h>

#include "server_test_util.h"

namespace {

using tqtest::TestServer;

bool portMapperRuns() {
  tqtest::holdPortMapper();
  CLIENT* client = clnt_create("127.0.0.1", PMAPPROG, PMAPVERS, "tcp");
  if (client == nullptr) return false;
  clnt_destroy(client);
  return true;
}

uint16_t mappedPort(uint32_t program, uint32_t version) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return pmap_getport(&address, program, version, IPPROTO_TCP);
}

TEST(Portmap, RegistersWhileRunning) {
  if (!portMapperRuns()) GTEST_SKIP() << "no port mapper on 127.0.0.1";
  {
    TestServer server({"--portmap", "--max-version", "5"});
    EXPECT_EQ(mappedPort(390600, 5), server.port());
    EXPECT_EQ(mappedPort(390600, 2), server.port());
    EXPECT_EQ(mappedPort(390669, 3), server.port());
    EXPECT_EQ(mappedPort(390604, 2), server.port());
    EXPECT_EQ(mappedPort(390670, 5), 0);  // not a program of the server
  }
  EXPECT_EQ(mappedPort(390600, 5), 0);
  EXPECT_EQ(mappedPort(390604, 2), 0);
}

TEST(Portmap, IsLeftAloneByDefault) {
  if (!portMapperRuns()) GTEST_SKIP() << "no port mapper on 127.0.0.1";
  TestServer server;
  EXPECT_EQ(mappedPort(390600, 6), 0);
}

}  // namespace
