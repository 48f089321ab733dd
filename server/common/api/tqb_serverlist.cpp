// The servers a client knows: TQGetListServer, the configured server names,
// one per line of the server list file (TQSERVERLIST, else
// $XDG_CONFIG_HOME/tqlink/servers or ~/.config/tqlink/servers, else
// /etc/tqlink/servers; a missing file is an empty list), and
// TQSetServerPort, the program and port a session uses for a server.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "api/tqb_frame.h"
#include "api/tqb_transport.h"

namespace {

// An error with a signed number as its appended text.
uint32_t appendDecimal(TQStatusList* status, int32_t message, int32_t number) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", number);
  TQAppendStatus(status, TQ_MSG_ERROR, message, text);
  return TQ_RETURN_ERROR;
}

bool readable(const std::string& path) {
  return std::ifstream(path).good();
}

std::string serverListPath() {
  const char* named = std::getenv("TQSERVERLIST");
  if (named != nullptr && named[0] != '\0') return named;
  std::string user;
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  if (config != nullptr && config[0] != '\0') {
    user = std::string(config) + "/tqlink/servers";
  } else if (home != nullptr && home[0] != '\0') {
    user = std::string(home) + "/.config/tqlink/servers";
  }
  if (!user.empty() && readable(user)) return user;
  return "/etc/tqlink/servers";
}

// The names of the file: surrounding blanks and line ends removed, empty
// lines skipped, each cut to the server-name size.
std::vector<std::string> readNames(const std::string& path) {
  std::vector<std::string> names;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    const size_t first = line.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) continue;
    const size_t last = line.find_last_not_of(" \t\r\n");
    std::string name = line.substr(first, last - first + 1);
    if (name.size() > TQ_MAX_SERVER_SIZE) name.resize(TQ_MAX_SERVER_SIZE);
    names.push_back(std::move(name));
  }
  return names;
}

}  // namespace

extern "C" uint32_t TQGetListServer(TQControlStruct* control, TQServerNameList* servers,
                                    TQStatusList* status) {
  return tqGuarded(status, [&]() -> uint32_t {
    if (servers != nullptr) *servers = TQServerNameList{};
    TQSessionStruct* session = nullptr;
    uint32_t code = tqFrameStart(control, status, &session);
    if (code != kTQFrameGoOn) return code;
    if (servers == nullptr) {
      TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgNoOutput, nullptr);
      return TQ_RETURN_ERROR;
    }
    if (tqRecordingOn(session)) tqRecordCall(session, "TQGetListServer");
    const std::vector<std::string> names = readNames(serverListPath());
    if (!names.empty()) {
      auto* slots =
          static_cast<TQServerNameType*>(std::calloc(names.size(), sizeof(TQServerNameType)));
      if (slots == nullptr) return tqOutOfMemory(status);
      for (size_t i = 0; i < names.size(); ++i) {
        std::memcpy(slots[i], names[i].c_str(), names[i].size() + 1);
      }
      servers->numItems = static_cast<uint32_t>(names.size());
      servers->nameList = slots;
    }
    code = tqTopStatus(status);
    if (tqRecordingOn(session)) tqRecordResults(session, "TQGetListServer", code, status);
    return code;
  });
}

// ----------------------------------------------------------- TQSetServerPort

extern "C" uint32_t TQSetServerPort(TQControlStruct* control, const char* server, int32_t port,
                                    int32_t program, TQStatusList* status) {
  return tqGuarded(status, [&]() -> uint32_t {
    TQSessionStruct* session = nullptr;
    uint32_t code = tqFrameStart(control, status, &session);
    if (code != kTQFrameGoOn) return code;
    const bool privateProgram = program >= 390680 && program <= 390694;
    if (program != 0 && program != static_cast<int32_t>(kTQDefaultProgram) && !privateProgram) {
      return appendDecimal(status, kTQMsgBadProgram, program);
    }
    if (port != 0 && (port < 1 || port > 65535)) {
      return appendDecimal(status, kTQMsgBadPort, port);
    }
    if (server == nullptr) server = "";
    TQServerRouteStruct* route = tqFindOrCreateRoute(session, server);
    if (route == nullptr) return tqOutOfMemory(status);
    for (TQChannelStruct& channel : session->channels) {
      if (tqSameServer(channel.server, server)) {
        channel.server[0] = '\0';
        channel.program = 0;
      }
    }
    for (uint32_t& resolved : route->resolvedProgram)
      resolved = 0;
    route->defaultPort = 0;
    route->privatePort = 0;
    if (privateProgram) {
      route->privatePort = static_cast<uint32_t>(port);
    } else {
      route->defaultPort = static_cast<uint32_t>(port);
    }
    route->configuredProgram = static_cast<uint32_t>(program);
    return TQ_RETURN_OK;
  });
}
