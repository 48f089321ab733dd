#include "xml_reader.h"

#include <algorithm>

#include "text_util.h"
#include "tool_exceptions.h"
#include "xml_char_class.h"
#include "xml_entities.h"

namespace tixgrab {

namespace {

constexpr int kEnd = ParseCursor::kEnd;

bool isBlankOrTab(char c) {
  return c == ' ' || c == '\t';
}

bool isBlankLine(const std::string& line) {
  return std::all_of(line.begin(), line.end(), isBlankOrTab);
}

// Lines of text or comment made ready for the tree: optionally trimmed, the
// indentation common to all non-blank lines removed, blank lines at the start
// and at the end dropped.
std::vector<std::string> cleanLines(std::vector<std::string> lines, bool trimLines) {
  if (trimLines) {
    for (std::string& line : lines)
      line = trim(line);
  }
  size_t indent = std::string::npos;
  for (const std::string& line : lines) {
    if (isBlankLine(line)) continue;
    size_t n = 0;
    while (n < line.size() && isBlankOrTab(line[n]))
      ++n;
    indent = std::min(indent, n);
  }
  if (indent != std::string::npos && indent > 0) {
    for (std::string& line : lines)
      line.erase(0, std::min(indent, line.size()));
  }
  while (!lines.empty() && isBlankLine(lines.front()))
    lines.erase(lines.begin());
  while (!lines.empty() && isBlankLine(lines.back()))
    lines.pop_back();
  return lines;
}

bool containsName(const std::vector<std::string>& names, std::string_view name, bool exact) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& candidate) {
    return exact ? candidate == name : equalsNoCase(candidate, name);
  });
}

}  // namespace

// ---------------------------------------------------------------------------
// Rules and input

XmlReader::TagRule& XmlReader::ruleFor(const std::string& name) {
  rulesDefined_ = true;
  for (TagRule& rule : rules_) {
    if (equalsNoCase(rule.name, name)) return rule;
  }
  rules_.push_back(TagRule{name, {}, {}, false, false});
  return rules_.back();
}

const XmlReader::TagRule* XmlReader::findRule(const std::string& name) const {
  for (const TagRule& rule : rules_) {
    if (equalsNoCase(rule.name, name)) return &rule;
  }
  return nullptr;
}

void XmlReader::allowChild(const std::string& parent, const std::string& child) {
  TagRule& childRule = ruleFor(child);
  if (parent.empty()) {
    childRule.atDocumentLevel = true;
    return;
  }
  TagRule& parentRule = ruleFor(parent);
  if (!containsName(parentRule.children, child, false)) parentRule.children.push_back(child);
}

void XmlReader::allowKeyword(const std::string& tag, const std::string& keyword) {
  TagRule& rule = ruleFor(tag);
  if (!containsName(rule.keywords, keyword, true)) rule.keywords.push_back(keyword);
}

void XmlReader::allowText(const std::string& tag) {
  ruleFor(tag).textAllowed = true;
}

void XmlReader::setInputText(std::string text) {
  inputLines_.clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    inputLines_.push_back(std::move(line));
    start = end + 1;
  }
}

void XmlReader::openInput() {
  nextInputLine_ = 0;
}

bool XmlReader::readInputLine(std::string& line) {
  if (nextInputLine_ >= inputLines_.size()) return false;
  line = inputLines_[nextInputLine_++];
  return true;
}

// ---------------------------------------------------------------------------
// Low-level reading

bool XmlReader::sameName(std::string_view a, std::string_view b) const {
  return settings_.caseSensitiveLiterals ? a == b : equalsNoCase(a, b);
}

void XmlReader::error(const std::string& message) {
  failed_ = true;
  throw XmlAccessException(message + cursor_.location());
}

bool XmlReader::dropUnallowed(const std::string& message) {
  if (settings_.checking) error(message);
  return rulesDefined_;
}

bool XmlReader::matchLiteral(std::string_view literal) {
  std::string read;
  for (char expected : literal) {
    int c = cursor_.get();
    if (c == kEnd) {
      cursor_.unget(read);
      return false;
    }
    read += static_cast<char>(c);
    if (!sameName(std::string_view(&read.back(), 1), std::string_view(&expected, 1))) {
      cursor_.unget(read);
      return false;
    }
  }
  return true;
}

bool XmlReader::matchChar(char expected) {
  int c = cursor_.get();
  if (c == expected) return true;
  if (c != kEnd) cursor_.unget(static_cast<char>(c));
  return false;
}

void XmlReader::skipBlanks() {
  for (;;) {
    int c = cursor_.get();
    if (c == kEnd) return;
    if (!isXmlBlank(c)) {
      cursor_.unget(static_cast<char>(c));
      return;
    }
  }
}

std::string XmlReader::readName() {
  std::string name;
  if (!isNameStart(cursor_.peek())) return name;
  name += static_cast<char>(cursor_.get());
  while (isNameChar(cursor_.peek()))
    name += static_cast<char>(cursor_.get());
  return name;
}

bool XmlReader::readCharReference(char& out) {
  // Everything read is remembered, so that it can be pushed back when the
  // text turns out not to be a reference.
  std::string seen;
  auto take = [&]() {
    int c = cursor_.get();
    if (c != kEnd) seen += static_cast<char>(c);
    return c;
  };
  auto notReference = [&]() {
    cursor_.unget(seen);
    return false;
  };
  int c = take();
  if (c == '#') {
    c = take();
    std::string digits;
    bool hex = c == 'x' || c == 'X';
    if (hex) c = take();
    while (hex ? isHexDigit(c) : isDigit(c)) {
      digits += static_cast<char>(c);
      c = take();
    }
    if (digits.empty() || c != ';') return notReference();
    if (hex) {
      // Read in pairs as bytes; the first byte is the character.
      int value = hexValue(digits[0]);
      if (digits.size() > 1) value = value * 16 + hexValue(digits[1]);
      out = static_cast<char>(value);
    } else {
      unsigned value = 0;
      for (char d : digits)
        value = (value * 10 + static_cast<unsigned>(d - '0')) & 0xFFu;
      out = static_cast<char>(value);
    }
    return true;
  }
  if (!isNameStart(c)) return notReference();
  std::string name(1, static_cast<char>(c));
  for (c = take(); isAlnum(c); c = take())
    name += static_cast<char>(c);
  int code = c == ';' ? entityCode(name) : -1;
  if (code < 0) return notReference();
  out = static_cast<char>(code);
  return true;
}

std::string XmlReader::endMarker() const {
  return settings_.commentEnd.empty() ? std::string("-->") : settings_.commentEnd;
}

// ---------------------------------------------------------------------------
// Document

void XmlReader::read(ScriptElement& document) {
  document.clear();
  failed_ = false;
  cursor_ = ParseCursor([this](std::string& line) { return readInputLine(line); });
  openInput();
  try {
    skipBlanks();
    if (!cursor_.atEnd()) {
      readProlog();
      readComments(&document);
      if (readDoctype()) readComments(&document);
      readElement(&document, nullptr, true);
      skipBlanks();
      if (!cursor_.atEnd()) error("XML input has improper ending");
    }
  } catch (...) {
    try {
      closeInput();
    } catch (const XmlAccessException&) {
      // The first error is the one reported.
    }
    throw;
  }
  closeInput();
}

void XmlReader::readProlog() {
  if (!matchLiteral("<?xml")) return;
  skipBlanks();
  if (!matchLiteral("version")) error("Missing 'version'");
  skipBlanks();
  if (!matchChar('=')) error("Missing equal sign");
  skipBlanks();
  if (!matchChar('\'')) error("Missing quote before version number");
  if (!isNameChar(cursor_.peek())) error("Illegal version number format");
  while (isNameChar(cursor_.peek()))
    cursor_.get();
  if (!matchChar('\'')) error("Missing quote after version number");
  skipBlanks();
  if (!matchLiteral("?>")) error("Missing end ('?>') after <?xml tag");
}

void XmlReader::readComments(ScriptElement* node) {
  for (;;) {
    skipBlanks();
    if (!readComment(node, settings_.keepComments)) return;
  }
}

bool XmlReader::readComment(ScriptElement* node, bool keep) {
  if (!matchLiteral(settings_.commentStart)) return false;
  const std::string end = endMarker();
  std::vector<std::string> lines(1);
  for (;;) {
    if (matchLiteral(end)) break;
    if (settings_.checking && end.size() > 2 && matchLiteral(end.substr(0, 2))) {
      cursor_.unget(end.substr(0, 2));
      error("Comment contains unfinished '" + end + "' end comment marker");
    }
    int c = cursor_.get();
    if (c == kEnd) error("Missing '" + end + "' (end comment) marker");
    if (c == '\n') {
      lines.emplace_back();
    } else {
      lines.back() += static_cast<char>(c);
    }
  }
  if (keep && node) {
    ScriptElement& comment = node->createChild(ScriptElement::kComment);
    for (const std::string& piece : cleanLines(std::move(lines), settings_.trimTextLines)) {
      comment.appendPiece(piece);
    }
  }
  return true;
}

bool XmlReader::readElement(ScriptElement* parentNode, const TagRule* parentRule, bool atDocument) {
  skipBlanks();
  if (!matchChar('<')) return false;
  if (cursor_.peek() == '/') {
    // An end tag: it belongs to the caller.
    cursor_.unget('<');
    return false;
  }
  const std::string name = readName();
  if (name.empty()) error(cursor_.peek() == '/' ? "Mismatched end tag" : "Missing tag name");

  const TagRule* rule = findRule(name);
  bool allowed =
      rule && (atDocument ? rule->atDocumentLevel
                          : parentRule && containsName(parentRule->children, name, false));
  ScriptElement* node = nullptr;
  if (allowed || !dropUnallowed("Tag <" + name + "> not allowed here")) {
    if (parentNode) node = &parentNode->createChild(ScriptElement::kElement, name);
  }

  skipBlanks();
  while (readKeyword(node, rule))
    skipBlanks();
  if (matchLiteral("/>")) return true;
  if (!matchChar('>')) error("Missing '>' (end) in tag '" + name + "'");
  readContent(node, rule);
  readEndTag(name);
  return true;
}

bool XmlReader::readKeyword(ScriptElement* node, const TagRule* rule) {
  const std::string name = readName();
  if (name.empty()) return false;
  skipBlanks();
  if (!matchChar('=')) error("Missing equal sign");
  skipBlanks();
  std::vector<std::string> values;
  readValue(values, "Missing value of '" + name + "' keyword", false);

  bool allowed = rule && containsName(rule->keywords, name, settings_.caseSensitiveLiterals);
  if (!allowed && dropUnallowed("Keyword '" + name + "' not allowed")) return true;
  if (!node) return true;
  if (!settings_.keepEmptyKeywords &&
      std::all_of(values.begin(), values.end(),
                  [](const std::string& v) { return trim(v).empty(); })) {
    return true;
  }
  node->beginKeyword(name);
  for (const std::string& value : values)
    node->addKeywordValue(value);
  return true;
}

void XmlReader::readValue(std::vector<std::string>& values, const std::string& unquotedError,
                          bool emptyIsError) {
  int quote = cursor_.get();
  if (quote == '"' || quote == '\'') {
    values.emplace_back();
    for (;;) {
      int c = cursor_.get();
      if (c == kEnd) error("Missing ending quote");
      if (c == quote) return;
      if (c == '\n') {
        if (settings_.joinContinuedValues) continue;
        values.emplace_back();
        while (cursor_.peek() == ' ')
          cursor_.get();
        continue;
      }
      char decoded = static_cast<char>(c);
      if (c == '&' && !readCharReference(decoded)) decoded = '&';
      values.back() += decoded;
    }
  }
  if (quote != kEnd) cursor_.unget(static_cast<char>(quote));
  if (settings_.quotesRequired) error(unquotedError);
  std::string value;
  for (;;) {
    int c = cursor_.peek();
    if (c == kEnd || c == ' ' || c == '>' || c == '\n') break;
    cursor_.get();
    char decoded = static_cast<char>(c);
    if (c == '&' && !readCharReference(decoded)) decoded = '&';
    value += decoded;
  }
  if (value.empty() && emptyIsError) error(unquotedError);
  values.push_back(value);
}

void XmlReader::readContent(ScriptElement* node, const TagRule* rule) {
  for (;;) {
    skipBlanks();
    if (readComment(node, settings_.keepComments)) continue;
    if (readText(node, rule)) continue;
    if (!readElement(node, rule, false)) return;
  }
}

bool XmlReader::readText(ScriptElement* node, const TagRule* rule) {
  int c = cursor_.peek();
  if (c == kEnd || c == '<') return false;
  std::vector<std::string> lines(1);
  for (c = cursor_.peek(); c != kEnd && c != '<'; c = cursor_.peek()) {
    cursor_.get();
    if (c == '\n') {
      lines.emplace_back();
      continue;
    }
    char decoded = static_cast<char>(c);
    if (c == '&' && !readCharReference(decoded)) decoded = '&';
    lines.back() += decoded;
  }
  lines = cleanLines(std::move(lines), settings_.trimTextLines);
  if (lines.empty()) return true;
  bool allowed = rule && rule->textAllowed;
  if (!allowed && dropUnallowed("Text not allowed inside this tag")) return true;
  if (node) {
    ScriptElement& text = node->createChild(ScriptElement::kText);
    for (const std::string& line : lines)
      text.appendPiece(line);
  }
  return true;
}

bool XmlReader::readEndTag(const std::string& tag) {
  skipBlanks();
  if (!matchLiteral("</")) {
    if (settings_.lenientEndTags) return false;
    error("Missing end tag after <" + tag + ">");
  }
  const std::string name = readName();
  if (!equalsNoCase(name, tag)) {
    if (settings_.lenientEndTags) {
      cursor_.unget("</" + name);
      return false;
    }
    if (name.empty()) error("Missing end tag name, should be '" + tag + "'");
    error("End tag name should be '" + tag + "'");
  }
  skipBlanks();
  if (!matchChar('>')) error("Missing '>' after end tag");
  return true;
}

}  // namespace tixgrab
