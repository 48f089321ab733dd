#include "option_parser.h"

#include "command_tokens.h"
#include "text_util.h"

namespace tixgrab {

namespace {

// Letters of a placeholder name: ASCII letters and digits, '_', and the
// Latin-1 letters Æ Ø Å æ ø å.
bool isKeyChar(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '_' ||
         u == 0xC6 || u == 0xD8 || u == 0xC5 || u == 0xE6 || u == 0xF8 || u == 0xE5;
}

}  // namespace

OptionSpec& OptionParser::add(OptionSpec spec) {
  spec.caseInsensitive = caseInsensitive_;
  specs_.push_back(std::move(spec));
  return specs_.back();
}

OptionSpec& OptionParser::addFlag(const std::string& letters, const std::string& help) {
  OptionSpec spec;
  spec.kind = OptionSpec::Kind::Flag;
  spec.prefix = '-';
  spec.letters = letters;
  spec.help = help;
  return add(std::move(spec));
}

OptionSpec& OptionParser::addValue(const std::string& letters, const std::string& valueName,
                                   const std::string& help) {
  OptionSpec spec;
  spec.kind = OptionSpec::Kind::Value;
  spec.prefix = '-';
  spec.letters = letters;
  spec.valueName = valueName;
  spec.help = help;
  return add(std::move(spec));
}

OptionSpec& OptionParser::addKeyValue(const std::string& letters, const std::string& keyName,
                                      const std::string& valueName, const std::string& help) {
  OptionSpec spec;
  spec.kind = OptionSpec::Kind::KeyValue;
  spec.prefix = '-';
  spec.letters = letters;
  spec.keyName = keyName;
  spec.valueName = valueName;
  spec.help = help;
  return add(std::move(spec));
}

OptionSpec& OptionParser::addParameters(const std::string& valueName, const std::string& help) {
  OptionSpec spec;
  spec.kind = OptionSpec::Kind::Parameters;
  spec.valueName = valueName;
  spec.help = help;
  return add(std::move(spec));
}

bool OptionParser::matches(const OptionSpec& spec, const std::string& text) const {
  if (spec.kind == OptionSpec::Kind::Parameters) return true;
  std::string name = std::string(1, spec.prefix) + spec.letters;
  if (text.size() < name.size()) return false;
  std::string front = text.substr(0, name.size());
  return spec.caseInsensitive ? equalsNoCase(front, name) : front == name;
}

bool OptionParser::parse(const std::string& commandLine, std::string& message) {
  std::string text = commandLine;
  takeToken(text, TokenRules::ProgramName);
  text = trim(text);
  while (!text.empty()) {
    OptionSpec* found = nullptr;
    for (OptionSpec& spec : specs_) {
      if (matches(spec, text)) {
        found = &spec;
        break;
      }
    }
    if (!found || (found->kind == OptionSpec::Kind::Parameters && text.front() == '-')) {
      message = "Illegal option starting with: " + text;
      return false;
    }
    if (found->specified && found->kind != OptionSpec::Kind::KeyValue) {
      message = "Option specified more than once: " + text;
      return false;
    }
    found->specified = true;
    size_t nameLength = found->prefix ? 1 + found->letters.size() : 0;
    switch (found->kind) {
      case OptionSpec::Kind::Flag:
        text.erase(0, nameLength);
        break;
      case OptionSpec::Kind::Value:
        text.erase(0, nameLength);
        found->value = takeToken(text).text;
        break;
      case OptionSpec::Kind::KeyValue: {
        text.erase(0, nameLength);
        size_t pos = 0;
        while (pos < text.size() && text[pos] == ' ')
          ++pos;
        size_t keyStart = pos;
        while (pos < text.size() && isKeyChar(text[pos]))
          ++pos;
        std::string key = trim(text.substr(keyStart, pos - keyStart));
        text.erase(0, pos);
        text = trim(text);
        if (text.empty() || text.front() != '=') {
          message = "Missing equal sign in " + std::string(1, found->prefix) + found->letters +
                    " option.";
          return false;
        }
        text.erase(0, 1);
        found->pairs.emplace_back(key, takeToken(text).text);
        break;
      }
      case OptionSpec::Kind::Parameters:
        found->value = unquote(trim(text));
        text.clear();
        break;
    }
    text = trim(text);
  }
  return true;
}

std::string OptionParser::picture(const OptionSpec& spec) {
  std::string result;
  if (spec.prefix) result += spec.prefix;
  result += spec.letters;
  if (spec.prefix && !spec.valueName.empty()) result += ' ';
  if (spec.kind == OptionSpec::Kind::KeyValue) result += spec.keyName + "=";
  result += spec.valueName;
  return result;
}

std::string OptionParser::usage(const std::string& programName) const {
  std::string text = "Call the program like this:\n   " + programName;
  for (const OptionSpec& spec : specs_)
    text += " " + picture(spec);
  bool first = true;
  for (const OptionSpec& spec : specs_) {
    text += first ? "\nwhere:\n" : "\n";
    first = false;
    text += "    " + picture(spec) + " .... " + spec.help;
  }
  if (!specs_.empty()) text += "\n";
  for (const OptionSpec& spec : specs_) {
    if (spec.kind == OptionSpec::Kind::KeyValue) {
      text += "Note: There can be any number of " + std::string(1, spec.prefix) + spec.letters +
              " options.\n";
    }
  }
  return text;
}

}  // namespace tixgrab
