#include "script_validator.h"

#include <string>

#include "script_vocabulary.h"
#include "text_util.h"

namespace tixgrab {

namespace {

// Applies one keyword rule to an element: a missing required keyword is
// logged, a missing optional one gets its default.
bool applyRule(ScriptElement& element, const KeywordRule& rule, std::string_view tag,
               LogWriter& log) {
  const std::string name(rule.name);
  if (element.hasKeyword(name)) return true;
  if (rule.required) {
    log << "Parameter Error: Required keyword " << name << " in " << tag << " tag not found\n";
    return false;
  }
  element.setKeyword(name, std::string(rule.defaultValue));
  return true;
}

}  // namespace

bool validateScript(ScriptElement& tixgrab, LogWriter& log) {
  bool ok = true;
  if (!tixgrab.findChild("TQ")) {
    log << "Parameter Error: required TQ tag not specified.\n";
    ok = false;
  }
  const ScriptElement* first = tixgrab.firstChildElement();
  if (!first || !equalsNoCase(first->name(), "TQ")) {
    log << "Parameter Error: First tag must be a(n) TQ tag.";
    if (first) log << " It is a(n) " << first->name() << " tag.";
    log << "\n";
    ok = false;
  }
  for (const auto& child : tixgrab.children()) {
    if (child->kind() != ScriptElement::kElement) continue;
    const ActionVocabulary* action = findAction(child->name());
    if (!action) continue;
    for (const KeywordRule& rule : action->keywords) {
      ok = applyRule(*child, rule, action->tag, log) && ok;
    }
    if (action->fieldKeywords.empty()) continue;
    for (const auto& field : child->children()) {
      if (field->kind() != ScriptElement::kElement || !equalsNoCase(field->name(), kFieldTag)) {
        continue;
      }
      if (!field->hasText()) field->setText("");
      for (const KeywordRule& rule : action->fieldKeywords) {
        ok = applyRule(*field, rule, kFieldTag, log) && ok;
      }
    }
  }
  return ok;
}

}  // namespace tixgrab
