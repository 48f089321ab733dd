#include "script_parameters.h"

#include <vector>

#include "command_tokens.h"
#include "script_vocabulary.h"
#include "text_util.h"

namespace tixgrab {

namespace {

// The token stream of the parameters: blank-separated words, quoted words
// (never split), and unquoted words split at their first '=' so that
// "KEY=value", "KEY= value", "KEY =value" and "KEY = value" read alike.
class ParameterTokens {
 public:
  explicit ParameterTokens(std::string text) : rest_(std::move(text)) {}

  bool next(Token& token) {
    if (pending_.empty()) split(takeToken(rest_));
    if (pending_.empty()) return false;
    token = std::move(pending_.back());
    pending_.pop_back();
    return true;
  }

  // The token is read again, unchanged, by the next call of next().
  void putBack(Token token) { pending_.push_back(std::move(token)); }

 private:
  void split(Token token) {
    if (!token.found) return;
    size_t equal = token.quoted ? std::string::npos : token.text.find('=');
    if (equal == std::string::npos) {
      pending_.push_back(std::move(token));
      return;
    }
    std::vector<std::string> parts;
    if (equal > 0) parts.push_back(token.text.substr(0, equal));
    parts.push_back("=");
    if (equal + 1 < token.text.size()) parts.push_back(token.text.substr(equal + 1));
    for (auto it = parts.rbegin(); it != parts.rend(); ++it) {
      pending_.push_back(Token{*it, false, true});
    }
  }

  std::string rest_;
  std::vector<Token> pending_;  // the next token is at the back
};

class ParameterParser {
 public:
  ParameterParser(ScriptElement& tixgrab, const std::string& text, LogWriter& log)
      : tixgrab_(tixgrab), tokens_(text), log_(log) {}

  bool parse() {
    bool ok = true;
    Token token;
    while (tokens_.next(token)) {
      const std::string upper = toUpper(token.text);
      const ActionVocabulary* action = findAction(upper);
      if (!action) {
        log_ << "Parameter Error: Unknown function or tag name: " << upper << "\n";
        return false;
      }
      ScriptElement& element =
          tixgrab_.createChild(ScriptElement::kElement, std::string(action->tag));
      if (!readTagBody(element, *action)) ok = false;
    }
    return ok;
  }

 private:
  // Reads "= value" after a keyword and sets it; logs and fails otherwise.
  bool readAssignment(ScriptElement& element, std::string_view keyword) {
    Token token;
    if (!tokens_.next(token) || token.text != "=") {
      log_ << "Parameter Error: Missing equal sign after " << keyword << " parameter\n";
      return false;
    }
    if (!tokens_.next(token)) {
      log_ << "Parameter Error: Missing value after " << keyword << "= parameter\n";
      return false;
    }
    element.setKeyword(std::string(keyword), token.text);
    return true;
  }

  // Keywords and FIELDs of one action, up to the first other word, which is
  // left for the top level. False after an error.
  bool readTagBody(ScriptElement& element, const ActionVocabulary& action) {
    Token token;
    while (tokens_.next(token)) {
      const std::string upper = toUpper(token.text);
      if (const KeywordRule* keyword = findKeyword(action.keywords, upper)) {
        if (!readAssignment(element, keyword->name)) return false;
        continue;
      }
      if (!action.fieldKeywords.empty() && upper == kFieldTag) {
        ScriptElement& field = element.createChild(ScriptElement::kElement, std::string(kFieldTag));
        if (!readFieldBody(field, action)) return false;
        continue;
      }
      tokens_.putBack(Token{upper, token.quoted, true});
      return true;
    }
    return true;
  }

  bool readFieldBody(ScriptElement& field, const ActionVocabulary& action) {
    bool hasValue = false;
    Token token;
    while (tokens_.next(token)) {
      if (const KeywordRule* keyword = findKeyword(action.fieldKeywords, token.text)) {
        if (!readAssignment(field, keyword->name)) return false;
        continue;
      }
      // An unquoted FIELD word starts the next field even when this one has
      // no value yet; a value that reads "FIELD" is written in quotes.
      bool nextField = !token.quoted && equalsNoCase(token.text, kFieldTag);
      if (action.fieldText && !hasValue && !nextField) {
        field.setText(token.text);
        hasValue = true;
        continue;
      }
      tokens_.putBack(std::move(token));
      return true;
    }
    return true;
  }

  ScriptElement& tixgrab_;
  ParameterTokens tokens_;
  LogWriter& log_;
};

}  // namespace

bool parseScriptParameters(ScriptElement& tixgrab, const std::string& text, LogWriter& log) {
  return ParameterParser(tixgrab, text, log).parse();
}

}  // namespace tixgrab
