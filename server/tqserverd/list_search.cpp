// The searches of the list procedures (see list_search.h).
#include "list_search.h"

#include <algorithm>

#include "entry_values.h"
#include "store.h"

namespace tqsd {

std::optional<Search> startSearch(Call& call, const char* schema) {
  const std::string name = schema != nullptr ? schema : "";
  const FormDef* form = formStore().find(name);
  if (form == nullptr) {
    addStatus(call, TQ_MSG_ERROR, kMsgNoSuchForm, name.c_str());
    return std::nullopt;
  }
  const TQCallHeader& header = *call.header;
  EvalContext context{*form, std::string(header.user, strnlen(header.user, sizeof header.user)),
                      call.answer->operationTime};
  return Search{*form, std::move(context)};
}

bool checkSearch(Call& call, const Search& search, const TQQualifierStruct& qualifier,
                 const TQSortList& sort) {
  try {
    checkQualifier(qualifier, search.context);
  } catch (const EvalError& error) {
    addStatus(call, TQ_MSG_ERROR, error.number, error.what());
    return false;
  }
  if (!withinItemLimit(call, sort.numItems)) return false;
  for (uint32_t i = 0; i < sort.numItems; ++i) {
    const TQSortStruct& item = sort.sortList[i];
    if (search.form.field(item.fieldId) == nullptr) {
      addErrorNumber(call, kMsgNoSuchField, item.fieldId);
      return false;
    }
    if (item.order != TQ_SORT_ASCENDING && item.order != TQ_SORT_DESCENDING) {
      addErrorNumber(call, kMsgBadSortOrder, item.order);
      return false;
    }
  }
  return true;
}

bool forEachMatch(Call& call, const Search& search, const TQQualifierStruct& qualifier,
                  const std::function<void(const Entry&)>& take) {
  try {
    EntryTable(search.form).scan([&](const Entry& entry) {
      if (qualifies(qualifier, search.context, entry)) take(entry);
    });
  } catch (const EvalError& error) {
    addStatus(call, TQ_MSG_ERROR, error.number, error.what());
    return false;
  }
  return true;
}

std::vector<StoredValue> sortKeys(const Search& search, const Entry& entry,
                                  const TQSortList& sort) {
  std::vector<StoredValue> keys;
  keys.reserve(sort.numItems);
  for (uint32_t i = 0; i < sort.numItems; ++i)
    keys.push_back(readValue(search.form, entry, sort.sortList[i].fieldId));
  return keys;
}

int compareKeys(const std::vector<StoredValue>& a, const std::vector<StoredValue>& b,
                const TQSortList& sort) {
  for (uint32_t i = 0; i < sort.numItems && i < a.size() && i < b.size(); ++i) {
    int c = orderValues(a[i], b[i]);
    if (sort.sortList[i].order == TQ_SORT_DESCENDING) c = -c;
    if (c != 0) return c;
  }
  return 0;
}

}  // namespace tqsd
