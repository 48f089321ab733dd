// What the end-to-end tests of the definitions share: a server with the
// demo forms, users Joe (an administrator) and Ann, and a client session.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "session_fixture.h"
#include "tq_test_server.h"
#include "tqlink.h"

namespace deftest {

inline constexpr const char* kForm = "Demo:Request";
inline const std::string kUsers = "Joe secret\nAnn other\n";
inline const std::string kGroups =
    "Administrator 1 2 Joe\nSupport 10 2 Ann\nReaders 11 1 Ann Joe\n";

// Writes a file into the server's scratch folder; returns its path.
std::string writeFile(const std::string& folder, const std::string& name, const std::string& text);

// A server with the demo forms and the users and groups above, plus the
// switches given.
class DefServer {
 public:
  explicit DefServer(std::vector<std::string> switches = {});
  tqtest::TestServer& server() { return *server_; }

 private:
  std::string groupsFile_;
  std::unique_ptr<tqtest::TestServer> server_;
};

// A session of Joe on the server.
struct Session : tqsess::Client {
  explicit Session(tqtest::TestServer& server, const char* user = "Joe",
                   const char* password = "secret")
      : tqsess::Client(user, password) {
    EXPECT_EQ(route(server.port()), 0u);
  }
  TQControlStruct* ctl() { return &control; }
  TQStatusList* st() { return fresh(); }
  std::vector<int32_t> numbers() const { return tqsess::numbers(status); }
};

// A copy of a text the library returned, released afterwards.
std::string take(char*& text);

}  // namespace deftest
