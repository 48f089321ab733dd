// What the entry and attachment handlers share: finding the form and the
// entry a request names, with the error each miss answers.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "call.h"
#include "entry_store.h"
#include "entry_values.h"
#include "form_store.h"
#include "tqlink.h"

namespace tqsd {

std::string fixedText(const char* text, size_t size);

// The form of the name; nullptr after error 9350.
const FormDef* findForm(Call& call, const char* schema);

// The one entry id of a request (versions 4 to 6: an entry id list; 2 and
// 3: an id text); nothing after error 100 or 9355.
std::optional<std::string> singleId(Call& call, const TQEntryIdList& ids);
std::optional<std::string> singleId(Call& call, const char* id);

// The form and entry a request names.
struct Target {
  const FormDef* form = nullptr;
  Entry entry;
};

// Nothing after error 9350, 100, 9355 or 302.
template <class Ids>
std::optional<Target> findEntry(Call& call, const char* schema, const Ids& ids) {
  Target target;
  target.form = findForm(call, schema);
  if (target.form == nullptr) return std::nullopt;
  std::optional<std::string> id = singleId(call, ids);
  if (!id) return std::nullopt;
  std::optional<Entry> entry = EntryTable(*target.form).find(*id);
  if (!entry) {
    addStatus(call, TQ_MSG_ERROR, kMsgNoSuchEntry, id->c_str());
    return std::nullopt;
  }
  target.entry = std::move(*entry);
  return target;
}

}  // namespace tqsd
