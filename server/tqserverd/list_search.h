// The searches of the list procedures: the entries of a form that match a
// qualification (qualifier_eval.h), in the order of a sort list, cut to the
// maximum to retrieve. Entries are read one at a time, so a search holds
// only what its answers need of each match (a row), never every entry.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "call.h"
#include "entry_store.h"
#include "form_store.h"
#include "qualifier_eval.h"

namespace tqsd {

inline constexpr int32_t kMsgBadSortOrder = 9393;  // appended: the order given

// One search of a call: its form and what evaluates the qualification.
struct Search {
  const FormDef& form;
  EvalContext context;
};

// The search of a call on a form, or nothing (error 9350 added) when the
// form does not exist.
std::optional<Search> startSearch(Call& call, const char* schema);

// Checks the qualification and a sort list (fields of the form, orders 1 or
// 2); adds the error and returns false on the first fault.
bool checkSearch(Call& call, const Search& search, const TQQualifierStruct& qualifier,
                 const TQSortList& sort);

// Calls `take` for every entry of the form that matches, in entry id order.
// False (with the error added) when the qualification cannot be evaluated.
bool forEachMatch(Call& call, const Search& search, const TQQualifierStruct& qualifier,
                  const std::function<void(const Entry&)>& take);

// The sort keys of an entry for a sort list.
std::vector<StoredValue> sortKeys(const Search& search, const Entry& entry, const TQSortList& sort);

// Orders rows (each with a `keys` member from sortKeys) by the sort list;
// rows with equal keys keep their order.
template <class Row>
void sortRows(std::vector<Row>& rows, const TQSortList& sort);

// The number of matches and the rows that remain after the maximum to
// retrieve (0: no maximum).
template <class Row>
uint32_t cutToMaximum(std::vector<Row>& rows, uint32_t maxRetrieve) {
  const auto matches = static_cast<uint32_t>(rows.size());
  if (maxRetrieve != 0 && rows.size() > maxRetrieve) rows.resize(maxRetrieve);
  return matches;
}

// Compares two key lists by the sort list: <0, 0, >0.
int compareKeys(const std::vector<StoredValue>& a, const std::vector<StoredValue>& b,
                const TQSortList& sort);

template <class Row>
void sortRows(std::vector<Row>& rows, const TQSortList& sort) {
  if (sort.numItems == 0) return;
  std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
    return compareKeys(a.keys, b.keys, sort) < 0;
  });
}

}  // namespace tqsd
