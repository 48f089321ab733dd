#include "script_schema.h"

#include <string>

#include "script_vocabulary.h"

namespace tixgrab {

void registerScriptSchema(XmlReader& reader) {
  const std::string top(kTixgrabTag);
  const std::string field(kFieldTag);
  reader.allowChild("", top);
  for (const ActionVocabulary& action : actionVocabulary()) {
    const std::string tag(action.tag);
    reader.allowChild(top, tag);
    for (const KeywordRule& keyword : action.keywords) {
      reader.allowKeyword(tag, std::string(keyword.name));
    }
    if (action.fieldKeywords.empty()) continue;
    reader.allowChild(tag, field);
    if (action.fieldText) reader.allowText(field);
    for (const KeywordRule& keyword : action.fieldKeywords) {
      reader.allowKeyword(field, std::string(keyword.name));
    }
  }
}

}  // namespace tixgrab
