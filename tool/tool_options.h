// The tool's own option table and the results read from it after parsing.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "option_parser.h"

namespace tixgrab {

class ToolOptions {
 public:
  ToolOptions();

  // Parses the command line; on failure returns false with the parser's message.
  bool parse(const std::string& commandLine, std::string& message);
  std::string usage() const { return parser_.usage("Tixgrab"); }

  bool help() const { return help_.specified; }
  bool quiet() const { return quiet_.specified; }
  bool time() const { return time_.specified; }
  const std::string& logFile() const { return logFile_.value; }
  const std::string& xmlFile() const { return xmlFile_.value; }
  const std::string& parameters() const { return parameters_.value; }
  const std::vector<std::pair<std::string, std::string>>& placeholders() const {
    return placeholders_.pairs;
  }

 private:
  OptionParser parser_;
  OptionSpec& help_;
  OptionSpec& quiet_;
  OptionSpec& time_;
  OptionSpec& logFile_;
  OptionSpec& xmlFile_;
  OptionSpec& placeholders_;
  OptionSpec& parameters_;
};

}  // namespace tixgrab
