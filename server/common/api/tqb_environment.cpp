// The environment read at TQInitialization. Each variable's name may be
// replaced through the message catalog (set 255); without a catalog text the
// built-in name is used.
#include <cstdlib>
#include <cstring>
#include <string>

#include "api/tqb_frame.h"
#include "api/tqb_transport.h"
#include "share/apisrv/error.h"

namespace {

struct Variable {
  int32_t catalogNumber;
  const char* builtInName;
};

constexpr Variable kLogging = {88, "TQAPILOGGING"};
constexpr Variable kResponseSize = {86, "TQRPC_RESPONSE_SIZE"};
constexpr Variable kProgram = {84, "TQRPC"};
constexpr Variable kTcpPort = {87, "TQTCPPORT"};
constexpr Variable kProtocol = {85, "TQPROTOCOL"};

constexpr long long kMinResponseSize = 4096;
constexpr long long kMaxResponseSize = 1000000;
constexpr int32_t kDefaultResponseSize = 20000;

// The variable's value, or nullptr when it is not set.
const char* valueOf(const Variable& variable) {
  const char* name = TQCatalogText(kTQCatalogSetEnvironment, variable.catalogNumber);
  std::string chosen = name != nullptr && name[0] != '\0' ? name : variable.builtInName;
  return std::getenv(chosen.c_str());
}

// A decimal number as the C library reads it: leading blanks and a sign
// allowed, reading stops at the first non-digit, no digits read as 0.
long long decimal(const char* text) {
  return std::strtoll(text, nullptr, 10);
}

bool programAccepted(long long program) {
  return program == 0 || program == 390600 || program == 390603 ||
         (program >= 390619 && program <= 390669) || (program >= 390680 && program <= 390694);
}

}  // namespace

uint32_t tqReadEnvironment(TQSessionStruct* session, TQStatusList* status) {
  if (const char* logging = valueOf(kLogging)) {
    if (std::strcmp(logging, "1") == 0 || std::strcmp(logging, "2") == 0) {
      tqRecordStart(session, logging[0] == '2');
    }
  }

  session->responseSize = kDefaultResponseSize;
  if (const char* size = valueOf(kResponseSize)) {
    long long value = decimal(size);
    if (value >= kMinResponseSize && value <= kMaxResponseSize) {
      session->responseSize = static_cast<int32_t>(value);
    }
  }

  session->fixedProgram = 0;
  if (const char* program = valueOf(kProgram)) {
    long long value = decimal(program);
    if (programAccepted(value)) {
      session->fixedProgram = static_cast<uint32_t>(value);
      session->programFixed = 1;
    } else {
      TQAppendStatus(status, TQ_MSG_WARNING, kTQMsgBadEnvironment, program);
    }
  }

  if (const char* port = valueOf(kTcpPort)) {
    session->fixedTcpPort = static_cast<uint32_t>(decimal(port));
  }

  const char* protocol = valueOf(kProtocol);
  std::strcpy(session->transport,
              protocol != nullptr && std::strncmp(protocol, "udp", 3) == 0 ? "udp" : "tcp");
  return tqTopStatus(status);
}
