#include "script_vocabulary.h"

#include "text_util.h"

namespace tixgrab {

namespace {

constexpr KeywordRule required(std::string_view name) {
  return KeywordRule{name, true, {}};
}
constexpr KeywordRule optional(std::string_view name, std::string_view value) {
  return KeywordRule{name, false, value};
}

}  // namespace

const std::vector<ActionVocabulary>& actionVocabulary() {
  static const std::vector<ActionVocabulary> vocabulary = {
      {"TQ",
       {required("SYSTEM"), optional("USER", "Demo"), optional("PSW", ""), optional("LANG", "")},
       {},
       false},
      {"ADD",
       {required("FORM"), optional("LABEL", "EntryId")},
       {required("ID"), optional("TYPE", "CHAR")},
       true},
      {"DEL", {required("FORM"), required("ENTRY")}, {}, false},
      {"FIND", {required("FORM"), optional("QUAL", ""), optional("LABEL", "EntryId")}, {}, false},
      {"GET",
       {required("FORM"), required("ENTRY"), optional("HEAD", "")},
       {required("ID"), optional("LABEL", "")},
       false},
      {"LOG",
       {required("FORM"), optional("MAX", "0")},
       {required("ID"), optional("TYPE", "CHAR")},
       true},
      {"SET",
       {required("FORM"), required("ENTRY")},
       {required("ID"), optional("TYPE", "CHAR")},
       true},
  };
  return vocabulary;
}

const ActionVocabulary* findAction(std::string_view tag) {
  for (const ActionVocabulary& action : actionVocabulary()) {
    if (equalsNoCase(action.tag, tag)) return &action;
  }
  return nullptr;
}

const KeywordRule* findKeyword(const std::vector<KeywordRule>& rules, std::string_view name) {
  for (const KeywordRule& rule : rules) {
    if (equalsNoCase(rule.name, name)) return &rule;
  }
  return nullptr;
}

}  // namespace tixgrab
