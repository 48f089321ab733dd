#include "command_tokens.h"

#include <algorithm>
#include <cctype>

namespace tixgrab {

namespace {

bool endsUnquoted(char c, TokenRules rules) {
  if (c == ' ' || c == '"') return true;
  return rules == TokenRules::ProgramName && (c == '\r' || c == '\n' || c == '\t');
}

char escaped(char c) {
  switch (c) {
    case 'n':
      return '\n';
    case 'r':
      return '\r';
    case 't':
      return '\t';
    default:
      return 0;
  }
}

bool needsQuotes(std::string_view arg) {
  return arg.empty() || arg.find_first_of(" \t\"") != std::string_view::npos;
}

// Letters, digits and '_': a keyword or placeholder name.
bool isWord(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return std::isalnum(u) || u == '_' || u >= 0x80;
  });
}

}  // namespace

Token takeToken(std::string& text, TokenRules rules) {
  Token token;
  size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
    ++pos;
  if (pos >= text.size()) {
    text.clear();
    return token;
  }
  token.found = true;
  if (text[pos] == '"') {
    token.quoted = true;
    ++pos;
    while (pos < text.size()) {
      char c = text[pos];
      if (c == '"') {
        if (pos + 1 < text.size() && text[pos + 1] == '"') {
          token.text += '"';
          pos += 2;
          continue;
        }
        ++pos;
        break;
      }
      if (rules == TokenRules::ProgramName && c == '\\' && pos + 1 < text.size() &&
          escaped(text[pos + 1])) {
        token.text += escaped(text[pos + 1]);
        pos += 2;
        continue;
      }
      token.text += c;
      ++pos;
    }
  } else {
    while (pos < text.size() && !endsUnquoted(text[pos], rules))
      token.text += text[pos++];
  }
  text.erase(0, pos);
  return token;
}

std::string unquote(std::string_view text) {
  std::string copy(text);
  if (copy.empty() || copy.front() != '"') return copy;
  return takeToken(copy).text;
}

std::string quote(std::string_view text) {
  std::string result = "\"";
  for (char c : text) {
    if (c == '"') result += '"';
    result += c;
  }
  result += '"';
  return result;
}

std::string joinCommandLine(int argc, const char* const* argv,
                            const std::vector<std::string>& valueOptions) {
  std::string line;
  bool plainValue = false;  // this argument is the value of an option like -x
  for (int i = 0; i < argc; ++i) {
    std::string_view arg = argv[i] ? argv[i] : "";
    if (i > 0) line += ' ';
    size_t equal = arg.find('=');
    if (!needsQuotes(arg)) {
      line += arg;
    } else if (i > 0 && !plainValue && equal != std::string_view::npos && equal > 0 &&
               isWord(arg.substr(0, equal))) {
      line += arg.substr(0, equal + 1);
      line += quote(arg.substr(equal + 1));
    } else {
      line += quote(arg);
    }
    plainValue = std::find(valueOptions.begin(), valueOptions.end(), arg) != valueOptions.end();
  }
  return line;
}

}  // namespace tixgrab
