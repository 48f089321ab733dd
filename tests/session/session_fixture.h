// Helpers of the session tests: a client session of the library against a
// server, environment variables set for one scope, and status checks.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "tqlink.h"

namespace tqsess {

inline constexpr const char* kHost = "127.0.0.1";
inline constexpr const char* kUsers = "Joe secret\nAnn other\n";

// An environment variable set (or removed) for the scope's life.
class EnvVar {
 public:
  EnvVar(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~EnvVar() {
    if (old_) {
      setenv(name_.c_str(), old_->c_str(), 1);
    } else {
      unsetenv(name_.c_str());
    }
  }
  EnvVar(const EnvVar&) = delete;
  EnvVar& operator=(const EnvVar&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// The message numbers of a status list, most severe first.
inline std::vector<int32_t> numbers(const TQStatusList& status) {
  std::vector<int32_t> out;
  for (uint32_t i = 0; i < status.numItems; ++i)
    out.push_back(status.statusList[i].messageNumber);
  return out;
}

inline std::string appended(const TQStatusList& status, uint32_t index = 0) {
  if (index >= status.numItems || status.statusList[index].appendedText == nullptr) return "";
  return status.statusList[index].appendedText;
}

// One library session of a user on a server; ended when the scope ends.
class Client {
 public:
  explicit Client(const char* user = "Demo", const char* password = "",
                  const char* server = kHost) {
    std::strncpy(control.user, user, TQ_MAX_ACCESS_NAME_SIZE);
    std::strncpy(control.password, password, TQ_MAX_PASSWORD_SIZE);
    std::strncpy(control.server, server, TQ_MAX_SERVER_SIZE);
    initCode = TQInitialization(&control, &status);
  }
  ~Client() {
    FreeTQStatusList(&status, 0);
    if (control.session != nullptr) TQTermination(&control, &status);
    FreeTQStatusList(&status, 0);
  }
  Client(const Client&) = delete;
  Client& operator=(const Client&) = delete;

  // The status list, emptied, for the next call (every call resets the
  // list without releasing what it held).
  TQStatusList* fresh() {
    FreeTQStatusList(&status, 0);
    return &status;
  }

  // Reaches the server through its queue directory on the given port.
  uint32_t route(uint16_t port) {
    return TQSetServerPort(&control, control.server, port, 0, fresh());
  }

  // Server information for the codes; the character values land in *texts.
  uint32_t serverInfo(std::vector<uint32_t> codes, std::vector<std::string>* texts = nullptr) {
    TQServerInfoRequestList requests{static_cast<uint32_t>(codes.size()), codes.data()};
    TQServerInfoList info{};
    FreeTQStatusList(&status, 0);
    uint32_t code = TQGetServerInfo(&control, &requests, &info, &status);
    if (texts != nullptr) {
      texts->clear();
      for (uint32_t i = 0; i < info.numItems; ++i) {
        const TQValueStruct& v = info.serverInfoList[i].value;
        texts->push_back(v.dataType == TQ_DATA_TYPE_CHAR && v.u.charVal ? v.u.charVal : "");
      }
    }
    FreeTQServerInfoList(&info, 0);
    return code;
  }

  uint32_t setInteger(uint32_t id, int32_t value) {
    TQValueStruct v{};
    v.dataType = TQ_DATA_TYPE_INTEGER;
    v.u.intVal = value;
    FreeTQStatusList(&status, 0);
    return TQSetSessionVariable(&control, id, &v, &status);
  }

  uint32_t terminate() {
    FreeTQStatusList(&status, 0);
    return TQTermination(&control, &status);
  }

  TQControlStruct control{};
  TQStatusList status{};
  uint32_t initCode = 99;
};

}  // namespace tqsess
