#include "script_element.h"

#include "text_util.h"

namespace tixgrab {

ScriptElement::ScriptElement(Kind kind, std::string name, ScriptElement* parent)
    : kind_(kind), name_(std::move(name)), parent_(parent) {}

void ScriptElement::clear() {
  children_.clear();
  keywords_.clear();
  currentKeyword_ = 0;
  pieces_.clear();
}

ScriptElement& ScriptElement::createChild(Kind kind, const std::string& name) {
  children_.push_back(std::make_unique<ScriptElement>(kind, name, this));
  return *children_.back();
}

ScriptElement* ScriptElement::findChild(const std::string& name) const {
  for (const auto& child : children_) {
    if (child->kind_ == kElement && equalsNoCase(child->name_, name)) return child.get();
  }
  return nullptr;
}

ScriptElement& ScriptElement::findOrCreateChild(const std::string& name) {
  ScriptElement* found = findChild(name);
  return found ? *found : createChild(kElement, name);
}

ScriptElement* ScriptElement::firstChildOfKind(Kind kind) const {
  for (const auto& child : children_) {
    if (child->kind_ == kind) return child.get();
  }
  return nullptr;
}

ScriptElement* ScriptElement::firstChildElement() const {
  return firstChildOfKind(kElement);
}

ScriptElement::Keyword* ScriptElement::findKeyword(const std::string& name) {
  for (Keyword& keyword : keywords_) {
    if (equalsNoCase(keyword.name, name)) return &keyword;
  }
  return nullptr;
}

const ScriptElement::Keyword* ScriptElement::keyword(const std::string& name) const {
  return const_cast<ScriptElement*>(this)->findKeyword(name);
}

void ScriptElement::beginKeyword(const std::string& name) {
  if (Keyword* existing = findKeyword(name)) {
    existing->values.clear();
    currentKeyword_ = static_cast<size_t>(existing - keywords_.data());
    return;
  }
  keywords_.push_back(Keyword{name, {}});
  currentKeyword_ = keywords_.size() - 1;
}

void ScriptElement::addKeywordValue(const std::string& value) {
  if (currentKeyword_ < keywords_.size()) keywords_[currentKeyword_].values.push_back(value);
}

bool ScriptElement::hasKeyword(const std::string& name) const {
  return keyword(name) != nullptr;
}

std::string ScriptElement::keywordValue(const std::string& name) const {
  const Keyword* found = keyword(name);
  return (found && !found->values.empty()) ? found->values.front() : std::string();
}

void ScriptElement::setKeyword(const std::string& name, const std::string& value) {
  beginKeyword(name);
  addKeywordValue(value);
}

std::string ScriptElement::text() const {
  const ScriptElement* node = firstChildOfKind(kText);
  std::string result;
  if (!node) return result;
  for (size_t i = 0; i < node->pieces_.size(); ++i) {
    if (i > 0) result += ' ';
    result += node->pieces_[i];
  }
  return result;
}

void ScriptElement::setText(const std::string& value) {
  ScriptElement* node = firstChildOfKind(kText);
  if (!node) node = &createChild(kText);
  node->pieces_.assign(1, value);
}

bool ScriptElement::hasText() const {
  return firstChildOfKind(kText) != nullptr;
}

}  // namespace tixgrab
