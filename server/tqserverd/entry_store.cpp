// The entry store (see entry_store.h).
#include "entry_store.h"

#include <algorithm>
#include <cstdio>

namespace tqsd {
namespace {

constexpr char kPartSeparator = '\x04';
constexpr char kItemEnd = '\x03';

// A user name as a part of an encoded item: the separator bytes, which the
// decoders would take for the item's structure, become '?'.
std::string itemUser(const std::string& user) {
  std::string safe = user;
  std::replace_if(
      safe.begin(), safe.end(), [](char c) { return c == kPartSeparator || c == kItemEnd; }, '?');
  return safe;
}

std::string diaryItem(const Stamp& now, const std::string& text) {
  return std::to_string(now.time) + kPartSeparator + itemUser(now.user) + kPartSeparator + text +
         kItemEnd;
}

std::string encodedStatusHistory(const Entry& entry) {
  std::string text;
  for (const std::optional<Stamp>& item : entry.statusHistory) {
    if (item) text += std::to_string(item->time) + kPartSeparator + itemUser(item->user);
    text += kItemEnd;
  }
  return text;
}

StoredValue charValue(std::string text) {
  StoredValue v;
  v.dataType = TQ_DATA_TYPE_CHAR;
  v.text = std::move(text);
  return v;
}

StoredValue numberValue(uint32_t dataType, int64_t number) {
  StoredValue v;
  v.dataType = dataType;
  v.number = number;
  return v;
}

std::optional<int64_t> statusOf(const Entry& entry) {
  auto found = entry.values.find(kFieldStatus);
  if (found == entry.values.end()) return std::nullopt;
  return found->second.number;
}

}  // namespace

Entry* EntryTable::find(const std::string& id) {
  auto found = entries_.find(id);
  return found == entries_.end() ? nullptr : &found->second;
}

std::string EntryTable::nextId() {
  while (true) {
    char id[32];
    std::snprintf(id, sizeof id, "%015llu", static_cast<unsigned long long>(++lastNumber_));
    if (entries_.count(id) == 0) return id;
  }
}

Entry& EntryTable::add(const std::string& id) {
  Entry& entry = entries_[id];
  entry.id = id;
  return entry;
}

bool EntryTable::remove(const std::string& id) {
  return entries_.erase(id) != 0;
}

EntryTable& entryTable(const std::string& form) {
  static std::map<std::string, EntryTable> tables;
  return tables[form];
}

void applyChanges(const FormDef& form, Entry& entry, const std::vector<FieldChange>& changes,
                  ChangeMode mode, const Stamp& now) {
  const FieldDef* status = form.field(kFieldStatus);
  std::optional<int64_t> before = statusOf(entry);

  if (mode == ChangeMode::kOverwrite) {
    std::map<uint32_t, StoredValue> kept;
    auto submitter = entry.values.find(kFieldSubmitter);
    if (submitter != entry.values.end()) kept.insert(*submitter);
    entry.values = std::move(kept);
  }
  if (mode == ChangeMode::kCreate) entry.created = now.time;

  for (const FieldChange& change : changes) {
    const StoredValue& value = change.value;
    if (value.dataType == TQ_DATA_TYPE_DIARY) {
      if (value.text.empty()) continue;  // nothing to write down
      StoredValue& diary = entry.values[change.fieldId];
      diary.dataType = TQ_DATA_TYPE_DIARY;
      diary.text += diaryItem(now, value.text);
    } else if (value.dataType == TQ_DATA_TYPE_NULL) {
      const FieldDef* field = form.field(change.fieldId);
      // Diaries only grow: a null value leaves one as it is.
      if (field->dataType != TQ_DATA_TYPE_DIARY) entry.values.erase(change.fieldId);
    } else {
      entry.values[change.fieldId] = value;
    }
  }

  if (mode == ChangeMode::kCreate && form.field(kFieldSubmitter) != nullptr &&
      entry.values.count(kFieldSubmitter) == 0) {
    entry.values[kFieldSubmitter] = charValue(now.user);
  }
  entry.lastChange = now;

  if (status == nullptr) return;
  if (entry.values.count(kFieldStatus) == 0) {
    entry.values[kFieldStatus] = numberValue(TQ_DATA_TYPE_ENUM, 0);
  }
  entry.statusHistory.resize(status->enumValues.size());
  int64_t after = entry.values[kFieldStatus].number;
  if (mode == ChangeMode::kCreate || before != after) {
    entry.statusHistory[static_cast<size_t>(after)] = now;
  }
}

StoredValue readValue(const FormDef& form, const Entry& entry, uint32_t fieldId) {
  switch (fieldId) {
    case kFieldEntryId:
      return charValue(entry.id);
    case kFieldCreateDate:
      return numberValue(TQ_DATA_TYPE_TIME, entry.created);
    case kFieldLastModifiedBy:
      return charValue(entry.lastChange.user);
    case kFieldModifiedDate:
      return numberValue(TQ_DATA_TYPE_TIME, entry.lastChange.time);
    case kFieldStatusHistory:
      if (form.field(kFieldStatus) == nullptr) return {};
      return charValue(encodedStatusHistory(entry));
    default:
      break;
  }
  auto found = entry.values.find(fieldId);
  return found == entry.values.end() ? StoredValue{} : found->second;
}

std::string normalEntryId(const std::string& id) {
  bool digits =
      !id.empty() && std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (!digits || id.size() >= kEntryIdLength) return id;
  return std::string(kEntryIdLength - id.size(), '0') + id;
}

}  // namespace tqsd
