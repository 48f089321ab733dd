// The message numbers the code names: each has its text in the catalog
// source, so that no status the library or the server reports shows the
// missing-message template instead.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string readFile(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The numbers of set 1 of a catalog source.
std::set<long> setOneNumbers(const std::string& source) {
  std::set<long> numbers;
  std::istringstream lines(source);
  std::string line;
  bool inSetOne = false;
  const std::regex message(R"(^(\d+)\s)");
  while (std::getline(lines, line)) {
    if (line.rfind("$set", 0) == 0) {
      inSetOne = std::stol(line.substr(4)) == 1;
      continue;
    }
    std::smatch m;
    if (inSetOne && std::regex_search(line, m, message)) numbers.insert(std::stol(m[1]));
  }
  return numbers;
}

TEST(MessageNumbers, EveryNamedNumberHasItsTextInTheCatalog) {
  const std::string header = readFile(TQ_SOURCE_DIR "/server/common/share/apisrv/messages.h");
  const std::string catalog = readFile(TQ_SOURCE_DIR "/catalog/en/tqmessages.msg");
  ASSERT_FALSE(header.empty());
  const std::set<long> texts = setOneNumbers(catalog);
  ASSERT_FALSE(texts.empty());

  std::map<std::string, long> named;
  const std::regex constant(R"(constexpr\s+int32_t\s+(kTQMsg\w+)\s*=\s*(\d+)\s*;)");
  for (auto it = std::sregex_iterator(header.begin(), header.end(), constant);
       it != std::sregex_iterator(); ++it) {
    named[(*it)[1]] = std::stol((*it)[2]);
  }
  ASSERT_FALSE(named.empty());
  for (const auto& [name, number] : named) {
    EXPECT_TRUE(texts.count(number) != 0) << name << " = " << number << " has no text in set 1";
  }
}

}  // namespace
