// One node of a script tree: the document root, an element with keywords,
// a text node or a comment node. Names are compared without regard to case.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tixgrab {

class ScriptElement {
 public:
  enum Kind { kDocument = 0, kComment = 1, kText = 2, kElement = 3 };

  struct Keyword {
    std::string name;
    std::vector<std::string> values;
  };

  ScriptElement() = default;  // a document root
  ScriptElement(Kind kind, std::string name, ScriptElement* parent);
  ScriptElement(const ScriptElement&) = delete;
  ScriptElement& operator=(const ScriptElement&) = delete;

  Kind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  ScriptElement* parent() const { return parent_; }
  const std::vector<std::unique_ptr<ScriptElement>>& children() const { return children_; }

  // Removes children, keywords and text pieces.
  void clear();
  ScriptElement& createChild(Kind kind, const std::string& name = std::string());
  // The first child element with this name, or null.
  ScriptElement* findChild(const std::string& name) const;
  ScriptElement& findOrCreateChild(const std::string& name);
  // The first child that is an element (comments and text are skipped), or null.
  ScriptElement* firstChildElement() const;

  // Starts a keyword, replacing the values it had; values are then added in order.
  void beginKeyword(const std::string& name);
  void addKeywordValue(const std::string& value);
  bool hasKeyword(const std::string& name) const;
  // The first value of the keyword, empty when the keyword or its values are missing.
  std::string keywordValue(const std::string& name) const;
  const Keyword* keyword(const std::string& name) const;
  const std::vector<Keyword>& keywords() const { return keywords_; }
  void setKeyword(const std::string& name, const std::string& value);

  // Text pieces of a text or comment node, one per source line.
  void clearPieces() { pieces_.clear(); }
  void appendPiece(const std::string& piece) { pieces_.push_back(piece); }
  const std::vector<std::string>& pieces() const { return pieces_; }

  // The pieces of the first text child joined with single blanks.
  std::string text() const;
  // Replaces the pieces of the first text child (created when missing).
  void setText(const std::string& value);
  bool hasText() const;

 private:
  Keyword* findKeyword(const std::string& name);
  ScriptElement* firstChildOfKind(Kind kind) const;

  Kind kind_ = kDocument;
  std::string name_;
  ScriptElement* parent_ = nullptr;
  std::vector<std::unique_ptr<ScriptElement>> children_;
  std::vector<Keyword> keywords_;
  size_t currentKeyword_ = 0;
  std::vector<std::string> pieces_;
};

}  // namespace tixgrab
