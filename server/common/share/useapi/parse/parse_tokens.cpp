// Reading the tokens of a qualification text, in the order the kinds are
// tried: end, parentheses, relational and arithmetic signs, quoted texts,
// the operator words, NULL, numbers, and bare words.
#include "share/useapi/parse/parse_tokens.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "share/i18n/mbutil.h"
#include "share/useapi/parse/parse_keywords.h"

namespace {

// A bare word runs up to one of these (the carriage return too, so that a
// text with CR LF line ends reads like one with LF alone).
constexpr const char* kWordEnd = "()=!<>+*/%\"' \t\n\r";

bool isSeparator(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// True when the text at p begins with word, compared by the word's length
// without regard to case.
bool beginsWith(const char* p, const char* word) {
  const size_t length = std::strlen(word);
  return length != 0 && tqMbStrNICmp(p, word, length) == 0;
}

// The quoted text at p (p on the opening quote); the quote written twice
// stands for itself. False when it is not closed.
bool readQuoted(const char* text, size_t pos, TQTokenRead* token) {
  const char quote = text[pos];
  size_t at = pos + 1;
  while (text[at] != '\0') {
    if (text[at] == quote) {
      if (text[at + 1] != quote) {
        token->end = at + 1;
        return true;
      }
      token->text.push_back(quote);
      at += 2;
      continue;
    }
    const size_t length = tqMbCharLen(text + at);
    token->text.append(text + at, length);
    at += length;
  }
  token->start = at;
  token->end = at;
  return false;
}

// A decimal number: digits with an optional fraction and exponent, at least
// one digit before the exponent. Its length, or 0 when p holds none.
size_t numberLength(const char* p) {
  size_t n = 0;
  size_t digits = 0;
  while (isDigit(p[n]))
    ++n, ++digits;
  if (p[n] == '.') {
    ++n;
    while (isDigit(p[n]))
      ++n, ++digits;
  }
  if (digits == 0) return 0;
  if (p[n] == 'e' || p[n] == 'E') {
    size_t e = n + 1;
    if (p[e] == '+' || p[e] == '-') ++e;
    if (isDigit(p[e])) {
      while (isDigit(p[e]))
        ++e;
      n = e;
    }
  }
  return n;
}

void readNumber(const char* p, size_t length, TQTokenRead* token) {
  double value = 0;
  const auto result = std::from_chars(p, p + length, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) value = HUGE_VAL;
  if (value >= INT32_MIN && value <= INT32_MAX && value == std::trunc(value)) {
    token->kind = TQToken::kInteger;
    token->integer = static_cast<int32_t>(value);
  } else {
    token->kind = TQToken::kReal;
  }
  token->real = value;
}

// A bare word that starts with a keyword followed by "-" (as in $DATE$-1)
// ends after the keyword, so that the "-" is read as the next token.
size_t keywordWordLength(const char* word, size_t length) {
  if (length <= 3 || word[0] != '$') return length;
  const char* close = tqMbStrChr(word + 1, '$');
  if (close == nullptr) return length;
  const size_t inner = static_cast<size_t>(close - word - 1);
  if (inner + 2 >= length || close[1] != '-') return length;
  return tqKeywordNumber(word + 1, inner) >= 0 ? inner + 2 : length;
}

// Signs of one or two characters.
bool readSign(const char* p, TQTokenRead* token) {
  struct Sign {
    const char* text;
    TQToken kind;
  };
  static constexpr Sign kSigns[] = {
      {"(", TQToken::kOpen},       {")", TQToken::kClose},     {"==", TQToken::kEqual},
      {"=", TQToken::kEqual},      {"!=", TQToken::kNotEqual}, {"<>", TQToken::kNotEqual},
      {"<=", TQToken::kLessEqual}, {"<", TQToken::kLess},      {">=", TQToken::kGreaterEqual},
      {">", TQToken::kGreater},    {"+", TQToken::kAdd},       {"-", TQToken::kMinus},
      {"*", TQToken::kMultiply},   {"/", TQToken::kDivide},    {"%", TQToken::kModulo},
      {"!", TQToken::kNot},        {"&&", TQToken::kAnd},      {"||", TQToken::kOr},
  };
  for (const Sign& sign : kSigns) {
    const size_t length = std::strlen(sign.text);
    if (std::strncmp(p, sign.text, length) == 0) {
      token->kind = sign.kind;
      token->end = token->start + length;
      return true;
    }
  }
  return false;
}

}  // namespace

bool tqReadToken(const char* text, size_t pos, TQTokenRead* token) {
  *token = TQTokenRead{};
  while (isSeparator(text[pos]))
    ++pos;
  token->start = pos;
  token->end = pos;
  const char* p = text + pos;
  if (*p == '\0') return true;
  if (readSign(p, token)) return true;
  if (*p == '"' || *p == '\'') {
    token->kind = *p == '"' ? TQToken::kCharValue : TQToken::kFieldRef;
    return readQuoted(text, pos, token);
  }
  const TQKeywordTable& table = tqKeywordTable();
  struct Word {
    const char* text;
    TQToken kind;
  };
  const Word words[] = {{table.operatorWords[kTQWordLike], TQToken::kLike},
                        {table.operatorWords[kTQWordAnd], TQToken::kAnd},
                        {table.operatorWords[kTQWordOr], TQToken::kOr},
                        {table.operatorWords[kTQWordNot], TQToken::kNot},
                        {"NULL", TQToken::kNull}};
  for (const Word& word : words) {
    if (beginsWith(p, word.text)) {
      token->kind = word.kind;
      token->end = pos + std::strlen(word.text);
      return true;
    }
  }
  if (const size_t length = numberLength(p); length != 0) {
    readNumber(p, length, token);
    token->end = pos + length;
    return true;
  }
  const size_t length = keywordWordLength(p, tqMbStrCSpn(p, kWordEnd));
  token->kind = TQToken::kWord;
  token->text.assign(p, length);
  token->end = pos + length;
  return true;
}
