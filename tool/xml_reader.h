// A line-oriented, recursive-descent XML reader that checks the document
// against a small rule set (which tags may appear where, which keywords a tag
// takes, whether it may hold text), builds the script tree as it goes, and
// stops at the first error with one XmlAccessException naming the place.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "script_element.h"
#include "xml_cursor.h"

namespace tixgrab {

struct XmlReaderSettings {
  bool caseSensitiveLiterals = false;  // markup literals and keyword names
  bool checking = true;                // rule violations are errors
  bool joinContinuedValues = false;    // a line break inside a quoted value starts a new value
  bool quotesRequired = false;         // keyword values must be quoted
  bool keepEmptyKeywords = true;
  bool keepComments = true;
  bool lenientEndTags = false;  // a missing or different end tag closes the element
  bool trimTextLines = true;
  std::string commentStart = "<!--";
  std::string commentEnd = "-->";
};

class XmlReader {
 public:
  XmlReader() = default;
  virtual ~XmlReader() = default;
  XmlReader(const XmlReader&) = delete;
  XmlReader& operator=(const XmlReader&) = delete;

  XmlReaderSettings& settings() { return settings_; }

  // An empty parent name allows the child at document level.
  void allowChild(const std::string& parent, const std::string& child);
  void allowKeyword(const std::string& tag, const std::string& keyword);
  void allowText(const std::string& tag);

  // Input for the plain reader (the file reader overrides the input hooks).
  void setInputText(std::string text);

  // Empties the document and reads the whole input into it. Raises
  // XmlAccessException at the first error; the document keeps what was built.
  void read(ScriptElement& document);
  bool failed() const { return failed_; }

 protected:
  virtual void openInput();
  // The next line without its line end; false at end of input.
  virtual bool readInputLine(std::string& line);
  virtual void closeInput() {}

 private:
  struct TagRule {
    std::string name;
    std::vector<std::string> keywords;
    std::vector<std::string> children;
    bool atDocumentLevel = false;
    bool textAllowed = false;
  };

  TagRule& ruleFor(const std::string& name);
  const TagRule* findRule(const std::string& name) const;
  bool sameName(std::string_view a, std::string_view b) const;
  // True when a thing the rules do not allow is dropped; raises when checking.
  bool dropUnallowed(const std::string& message);

  [[noreturn]] void error(const std::string& message);

  // Low-level reading.
  bool matchLiteral(std::string_view literal);
  bool matchChar(char c);
  void skipBlanks();
  std::string readName();
  bool readCharReference(char& out);
  std::string endMarker() const;

  // Document parts.
  void readProlog();
  void readComments(ScriptElement* node);
  bool readComment(ScriptElement* node, bool keep);
  bool readElement(ScriptElement* parentNode, const TagRule* parentRule, bool atDocument);
  // Reads one keyword and its values; false when no keyword follows.
  bool readKeyword(ScriptElement* node, const TagRule* rule);
  void readValue(std::vector<std::string>& values, const std::string& unquotedError,
                 bool emptyIsError);
  void readContent(ScriptElement* node, const TagRule* rule);
  bool readText(ScriptElement* node, const TagRule* rule);
  bool readEndTag(const std::string& tag);

  // Document type declaration (checked for syntax, otherwise ignored).
  bool readDoctype();
  bool readElementDeclaration();
  void readContentGroup();
  void readParticle(bool first);
  void readRepeatMark();
  bool readAttlistDeclaration();
  void readAttributeType();
  void readAttributeDefault();

  XmlReaderSettings settings_;
  std::deque<TagRule> rules_;
  bool rulesDefined_ = false;
  bool failed_ = false;
  ParseCursor cursor_;
  std::vector<std::string> inputLines_;
  size_t nextInputLine_ = 0;
};

}  // namespace tixgrab
