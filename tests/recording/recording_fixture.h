// Helpers of the recording tests: a scratch folder, whole-file reads, and a
// library session on a reference server that records into the folder.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "session_fixture.h"
#include "tq_test_server.h"
#include "tqlink.h"

namespace tqrec {

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A folder of the test's own, removed at the end.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tqrecXXXXXX").string();
    path_ = mkdtemp(pattern.data()) != nullptr ? pattern : "";
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A session of user Demo on a server, recording into two files.
struct Recorder {
  Recorder(uint16_t port, const std::string& commands, const std::string& results) {
    EXPECT_EQ(client.initCode, 0u);
    EXPECT_EQ(client.route(port), 0u);
    EXPECT_EQ(TQStartRecording(&client.control, commands.c_str(), results.c_str(), client.fresh()),
              0u);
  }
  TQControlStruct* control() { return &client.control; }
  TQStatusList* status() { return client.fresh(); }

  tqsess::Client client;
};

// A list of entry ids for TQGetEntry and the like.
struct EntryIds {
  explicit EntryIds(std::vector<std::string> given) {
    for (const std::string& id : given) {
      TQEntryIdType item{};
      std::snprintf(item, sizeof item, "%s", id.c_str());
      ids.push_back({});
      std::memcpy(ids.back().data(), item, sizeof item);
    }
    list.numItems = static_cast<uint32_t>(ids.size());
    list.entryIdList = reinterpret_cast<TQEntryIdType*>(ids.data());
  }
  std::vector<std::array<char, sizeof(TQEntryIdType)>> ids;
  TQEntryIdList list{};
};

}  // namespace tqrec
