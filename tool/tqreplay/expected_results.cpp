// Reading the return codes of a recorded result log (expected_results.h).
#include "expected_results.h"

#include <fstream>

namespace {

const char* const kWords[] = {"OK", "WARNING", "ERROR", "FATAL", "BAD STATUS"};

uint32_t codeOf(const std::string& word) {
  for (uint32_t i = 0; i < 5; ++i) {
    if (word == kWords[i]) return i;
  }
  return 5;
}

}  // namespace

bool readExpectedResults(const std::string& path, std::vector<ExpectedResult>* results,
                         std::string* error) {
  std::ifstream in(path);
  if (!in) {
    *error = "cannot read " + path;
    return false;
  }
  const std::string suffix = "  results";
  const std::string codeLabel = "ReturnCode:  ";
  std::string line;
  std::string name;
  int number = 0;
  int start = 0;
  while (std::getline(in, line)) {
    ++number;
    if (line.starts_with("   ") && line.ends_with(suffix) && line.size() > 3 + suffix.size()) {
      name = line.substr(3, line.size() - 3 - suffix.size());
      start = number;
    } else if (!name.empty() && line.starts_with(codeLabel)) {
      results->push_back({name, codeOf(line.substr(codeLabel.size())), start});
      name.clear();
    }
  }
  return true;
}
