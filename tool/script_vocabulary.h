// The words of an action script: the action tags, their keywords with their
// defaults, and the keywords of their FIELD children. The XML schema, the
// parameters grammar and the validation are all driven by this one table.
#pragma once

#include <string_view>
#include <vector>

namespace tixgrab {

inline constexpr std::string_view kTixgrabTag = "TIXGRAB";
inline constexpr std::string_view kFieldTag = "FIELD";

struct KeywordRule {
  std::string_view name;
  bool required = false;
  std::string_view defaultValue;  // set when the keyword is absent and not required
};

struct ActionVocabulary {
  std::string_view tag;
  std::vector<KeywordRule> keywords;
  std::vector<KeywordRule> fieldKeywords;  // empty when the action takes no FIELD
  bool fieldText = false;                  // a FIELD holds a value text
};

// TQ, ADD, DEL, FIND, GET, LOG, SET, in this order.
const std::vector<ActionVocabulary>& actionVocabulary();

// The action with this tag name (compared without regard to case), or null.
const ActionVocabulary* findAction(std::string_view tag);

// The rule of this keyword name (compared without regard to case), or null.
const KeywordRule* findKeyword(const std::vector<KeywordRule>& rules, std::string_view name);

}  // namespace tixgrab
