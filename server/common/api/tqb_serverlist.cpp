// TQGetListServer: the configured server names, one per line of the server
// list file (TQSERVERLIST, else $XDG_CONFIG_HOME/tqlink/servers or
// ~/.config/tqlink/servers, else /etc/tqlink/servers). A missing file is an
// empty list.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "api/tqb_frame.h"

namespace {

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
