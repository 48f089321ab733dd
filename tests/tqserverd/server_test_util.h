// Helpers of the server's own tests: call headers as a client sends them and
// the two session procedures as plain calls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rpc/procedure_records.h"
#include "rpc_client.h"
#include "tq_test_server.h"

namespace tqsdtest {

inline constexpr uint32_t kServerProgram = 390600;
inline constexpr uint32_t kDirectoryProgram = 390604;

struct Credentials {
  std::string user = "Demo";
  std::string password;
  bool scramble = true;   // how the password travels
  int32_t timeShift = 0;  // scramble with operation time + shift (a mismatch when not 0)
};

// A request header as the client builds it.
TQCallHeader makeHeader(const Credentials& who);

struct Answer {
  clnt_stat stat = RPC_FAILED;
  std::vector<int32_t> statusNumbers;
  std::vector<std::string> appendedTexts;              // "" where none
  std::vector<std::pair<uint32_t, std::string>> info;  // procedure 36: code, character value
  int32_t cacheId = 0;
  uint8_t flag = 0;
};

// Procedure 36 with the codes, and procedure 47, at the client's version.
Answer askServerInfo(tqtest::RpcClient& client, const Credentials& who,
                     const std::vector<uint32_t>& codes);
Answer endSession(tqtest::RpcClient& client, const Credentials& who);

// The users file the tests start servers with.
inline constexpr const char* kUsers =
    "# test users\n"
    "Joe secret\n"
    "Ann two words\n"
    "Max 123456789012345678901234567890\n";

}  // namespace tqsdtest
