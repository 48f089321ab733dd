#include "catalog_fixture.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern =
      std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/tq_catalog_XXXXXX";
  if (mkdtemp(pattern.data()) != nullptr) path = pattern;
  EXPECT_FALSE(path.empty()) << "cannot create a temporary folder";
}

TempDir::~TempDir() {
  std::error_code ignored;
  if (!path.empty()) std::filesystem::remove_all(path, ignored);
}

void writeCatalog(const std::string& dir, const std::string& language, const std::string& source) {
  const std::string folder = dir + "/" + language;
  std::filesystem::create_directories(folder);
  const std::string sourcePath = folder + "/tqmessages.msg";
  std::ofstream(sourcePath) << "$quote \"\n" << source;
  const std::string command =
      std::string(TQ_GENCAT) + " '" + folder + "/tqmessages.cat' '" + sourcePath + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

std::vector<std::string> runInChild(const std::function<std::vector<std::string>()>& body) {
  int fds[2];
  if (pipe(fds) != 0) {
    ADD_FAILURE() << "pipe failed";
    return {};
  }
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    std::string output;
    for (const std::string& line : body())
      output += line + "\n";
    size_t written = 0;
    while (written < output.size()) {
      const ssize_t n = write(fds[1], output.data() + written, output.size() - written);
      if (n <= 0) _exit(2);
      written += static_cast<size_t>(n);
    }
    _exit(0);
  }
  close(fds[1]);
  std::string output;
  char chunk[4096];
  ssize_t n;
  while ((n = read(fds[0], chunk, sizeof chunk)) > 0)
    output.append(chunk, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child failed";

  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = output.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(output.substr(start, end - start));
  }
  return lines;
}

void setCatalogEnvironment(const std::vector<std::pair<std::string, std::string>>& variables) {
  for (const char* name : {"TQCATALOGDIR", "LC_ALL", "LC_MESSAGES", "LANG"})
    unsetenv(name);
  for (const auto& [name, value] : variables)
    setenv(name.c_str(), value.c_str(), 1);
}

std::string shown(const char* text) {
  return text != nullptr ? text : "(null)";
}
