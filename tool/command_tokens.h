// Taking blank-separated, optionally double-quoted tokens from the front of a
// command-line text, and the quoting that reverses it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tixgrab {

enum class TokenRules {
  // Carriage return, line feed and tab end an unquoted token too, and \n, \r,
  // \t inside a quoted token become the control characters.
  ProgramName,
  // Only the blank (or a double quote) ends an unquoted token; no escapes.
  Value,
};

struct Token {
  std::string text;
  bool quoted = false;  // it was written in double quotes
  bool found = false;   // false when only blanks were left
};

// Skips blanks and tabs, removes one token from the front of text and returns
// it. A quoted token runs to the matching closing quote ("" inside stands for
// one quote; the outer quotes are removed).
Token takeToken(std::string& text, TokenRules rules = TokenRules::Value);

// Removes the outer double quotes and turns each doubled quote into one.
std::string unquote(std::string_view text);

// Encloses text in double quotes, doubling the quotes inside.
std::string quote(std::string_view text);

// Rebuilds the one command-line text the user typed from the argument vector:
// the arguments joined with blanks, those holding blanks, tabs or quotes (or
// nothing) quoted. An argument of the form name=value is quoted after the '='
// only, so that keyword and placeholder values read back as they were
// written; the argument after one of valueOptions (such as "-x") is always
// quoted whole.
std::string joinCommandLine(int argc, const char* const* argv,
                            const std::vector<std::string>& valueOptions = {});

}  // namespace tixgrab
