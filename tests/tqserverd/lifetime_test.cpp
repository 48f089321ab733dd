// Start and end of the server: the port line, a fixed port, the lifetime
// limit, stopping on SIGTERM, and ending with the parent process.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include "server_process.h"
#include "server_test_util.h"

namespace {

using tqsdtest::Credentials;
using tqtest::RpcClient;
using tqtest::TestServer;

bool exitedWithZero(int status) {
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(Start, PrintsThePortItListensOn) {
  TestServer server;
  EXPECT_GT(server.port(), 0);
  RpcClient client(server.port(), tqsdtest::kServerProgram, 6);
  EXPECT_EQ(tqsdtest::askServerInfo(client, Credentials{}, {55}).stat, RPC_SUCCESS);
}

TEST(Start, ListensOnTheGivenPort) {
  // A port that was free a moment ago.
  int probe = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  socklen_t length = sizeof address;
  getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
  const uint16_t port = ntohs(address.sin_port);
  close(probe);

  TestServer server({"--port", std::to_string(port)});
  EXPECT_EQ(server.port(), port);
}

TEST(Start, ServesUdpOnRequest) {
  TestServer server({"--udp"});
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(server.port());
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int sock = RPC_ANYSOCK;
  CLIENT* client = clntudp_create(&address, tqsdtest::kServerProgram, 6, timeval{5, 0}, &sock);
  ASSERT_NE(client, nullptr);
  tqtest::WireSession session;
  uint32_t codes[] = {55};
  TQGetServerInfoArgs args{};
  args.header = tqsdtest::makeHeader(Credentials{});
  args.requests = {1, codes};
  TQGetServerInfoResult result{};
  const TQProcedure* p = tqFindProcedure(TQProgram::kServer, 6, 36);
  timeval timeout{60, 0};
  EXPECT_EQ(clnt_call(client, 36, reinterpret_cast<xdrproc_t>(p->xdrArgs),
                      reinterpret_cast<caddr_t>(&args), reinterpret_cast<xdrproc_t>(p->xdrResult),
                      reinterpret_cast<caddr_t>(&result), timeout),
            RPC_SUCCESS);
  EXPECT_EQ(result.info.numItems, 1u);
  tqtest::releaseRecord(p->xdrResult, &result);
  clnt_destroy(client);
}

TEST(End, StopsCleanlyOnSigterm) {
  TestServer server;
  EXPECT_TRUE(exitedWithZero(server.stop()));
}

TEST(End, EndsByItselfAfterItsLifetime) {
  TestServer server({"--exit-after", "1"});
  std::optional<int> status = server.waitForExit(std::chrono::seconds(120));
  ASSERT_TRUE(status.has_value()) << "still running";
  EXPECT_TRUE(exitedWithZero(*status));
}

// A child process starts a server and ends without stopping it; the server
// must notice by itself (the harness's own parent-death request is left out,
// so this is the server's).
TEST(End, EndsWithItsParent) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(fds[0]);
    pid_t server = -1;
    try {
      tqtest::SpawnRequest request;
      request.endWithParent = false;
      server = tqtest::spawnServer(request).pid;
    } catch (...) {
    }
    (void)!write(fds[1], &server, sizeof server);
    _exit(0);
  }
  close(fds[1]);
  pid_t server = -1;
  ASSERT_EQ(read(fds[0], &server, sizeof server), static_cast<ssize_t>(sizeof server));
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_GT(server, 0);
  EXPECT_TRUE(tqtest::waitUntilGone(server, std::chrono::seconds(60)));
}

}  // namespace
