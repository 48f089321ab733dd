// Finding the form and the entry of a request (see entry_lookup.h).
#include "entry_lookup.h"

#include <cstring>

#include "entry_values.h"

namespace tqsd {

std::string fixedText(const char* text, size_t size) {
  return std::string(text, strnlen(text, size));
}

const FormDef* findForm(Call& call, const char* schema) {
  std::string name = schema == nullptr ? std::string() : std::string(schema);
  const FormDef* form = formStore().find(name);
  if (form == nullptr) addStatus(call, TQ_MSG_ERROR, kMsgNoSuchForm, name.c_str());
  return form;
}

std::optional<std::string> singleId(Call& call, const TQEntryIdList& ids) {
  if (ids.numItems == 0 || ids.entryIdList == nullptr) {
    addStatus(call, TQ_MSG_ERROR, kMsgNoEntryId);
    return std::nullopt;
  }
  if (ids.numItems > 1) {
    addErrorNumber(call, kMsgNotJoinForm, ids.numItems);
    return std::nullopt;
  }
  return normalEntryId(fixedText(ids.entryIdList[0], sizeof(TQEntryIdType)));
}

std::optional<std::string> singleId(Call& call, const char* id) {
  if (id == nullptr || *id == '\0') {
    addStatus(call, TQ_MSG_ERROR, kMsgNoEntryId);
    return std::nullopt;
  }
  return normalEntryId(id);
}

}  // namespace tqsd
