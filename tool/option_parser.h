// A small command-line parser driven by a table of options. It works on the
// whole command-line text: it drops the program name, then matches the front
// of the rest against the table until the text is used up or an error occurs.
#pragma once

#include <list>
#include <string>
#include <utility>
#include <vector>

namespace tixgrab {

struct OptionSpec {
  enum class Kind { Flag, Value, KeyValue, Parameters };

  Kind kind = Kind::Flag;
  char prefix = 0;        // '-' for an option, 0 for the parameters entry
  std::string letters;    // the option name after the prefix
  std::string valueName;  // shown in the usage text
  std::string help;
  std::string keyName;  // only for the repeatable key=value option
  bool caseInsensitive = false;

  // Results of parsing.
  bool specified = false;
  std::string value;
  std::vector<std::pair<std::string, std::string>> pairs;
};

class OptionParser {
 public:
  explicit OptionParser(bool caseInsensitive = false) : caseInsensitive_(caseInsensitive) {}

  OptionSpec& addFlag(const std::string& letters, const std::string& help);
  OptionSpec& addValue(const std::string& letters, const std::string& valueName,
                       const std::string& help);
  OptionSpec& addKeyValue(const std::string& letters, const std::string& keyName,
                          const std::string& valueName, const std::string& help);
  OptionSpec& addParameters(const std::string& valueName, const std::string& help);

  // Parses the whole command line (program name first). On failure returns
  // false and sets message; options consumed before the error keep their
  // values.
  bool parse(const std::string& commandLine, std::string& message);

  // The usage text built from the table, for the given program name.
  std::string usage(const std::string& programName) const;

 private:
  OptionSpec& add(OptionSpec spec);
  bool matches(const OptionSpec& spec, const std::string& text) const;
  static std::string picture(const OptionSpec& spec);

  bool caseInsensitive_;
  std::list<OptionSpec> specs_;  // stable addresses for the callers' references
};

}  // namespace tixgrab
