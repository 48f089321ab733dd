// The shared pieces of the definition tests (see def_fixture.h).
#include "def_fixture.h"

#include <unistd.h>
#include <cstdlib>
#include <fstream>
#include <memory>

namespace deftest {

std::string writeFile(const std::string& folder, const std::string& name, const std::string& text) {
  const std::string path = folder + "/" + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

namespace {

std::string groupsFile() {
  char pattern[] = "/tmp/tqdefgroupsXXXXXX";
  const int fd = mkstemp(pattern);
  if (fd >= 0) {
    const ssize_t written = write(fd, kGroups.data(), kGroups.size());
    (void)written;
    close(fd);
  }
  return pattern;
}

}  // namespace

DefServer::DefServer(std::vector<std::string> switches) : groupsFile_(groupsFile()) {
  switches.insert(switches.begin(), {"--forms", TQ_DEMO_FORMS, "--groups", groupsFile_});
  server_ = std::make_unique<tqtest::TestServer>(switches, kUsers);
  unlink(groupsFile_.c_str());
}

std::string take(char*& text) {
  std::string out = text == nullptr ? "" : text;
  std::free(text);
  text = nullptr;
  return out;
}

}  // namespace deftest
