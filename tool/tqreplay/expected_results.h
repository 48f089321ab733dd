// The return codes a recorded result log holds, call by call, for tqreplay
// to compare with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ExpectedResult {
  std::string name;
  uint32_t code;  // 0 to 4; 5 for "<unknown return>"
  int line;       // where the block starts
};

// Reads the result blocks of a result log ("   NAME  results" and its
// "ReturnCode:  WORD" line); false with *error set when it cannot be read.
bool readExpectedResults(const std::string& path, std::vector<ExpectedResult>* results,
                         std::string* error);
