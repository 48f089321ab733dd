// The entry store (see entry_store.h).
#include "entry_store.h"

#include <algorithm>
#include <cstdio>

#include "store.h"

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

// The attachments of an entry: new data is written, a field without a value
// loses its attachment, and one that kept its value keeps its row.
void saveAttachments(const FormDef& form, const Entry& entry) {
  for (const FieldDef& field : form.fields) {
    if (field.dataType != TQ_DATA_TYPE_ATTACH) continue;
    auto found = entry.values.find(field.id);
    if (found == entry.values.end() || found->second.dataType != TQ_DATA_TYPE_ATTACH) {
      Query(store(), "DELETE FROM attachments WHERE form = ? AND entry = ? AND field = ?")
          .bind(form.storeKey)
          .bind(entry.id)
          .bind(int64_t{field.id})
          .run();
      continue;
    }
    const StoredValue& value = found->second;
    if (!value.hasData) continue;
    Query(store(),
          "INSERT INTO attachments (form, entry, field, name, original_size, data)"
          " VALUES (?, ?, ?, ?, ?, ?) ON CONFLICT (form, entry, field) DO UPDATE SET"
          " name = excluded.name, original_size = excluded.original_size, data = excluded.data")
        .bind(form.storeKey)
        .bind(entry.id)
        .bind(int64_t{field.id})
        .bind(value.text)
        .bind(value.number)
        .bind(value.data)
        .run();
  }
}

}  // namespace

std::string diaryItem(const Stamp& now, const std::string& text) {
  return std::to_string(now.time) + kPartSeparator + itemUser(now.user) + kPartSeparator + text +
         kItemEnd;
}

std::optional<std::string> attachmentChunk(const FormDef& form, const std::string& entryId,
                                           uint32_t fieldId, uint64_t offset, uint32_t count) {
  // substr counts blob bytes from 1.
  Query chunk(store(),
              "SELECT substr(data, ?, ?) FROM attachments WHERE form = ? AND entry = ? AND field = ?");
  chunk.bind(static_cast<int64_t>(offset + 1))
      .bind(int64_t{count})
      .bind(form.storeKey)
      .bind(entryId)
      .bind(int64_t{fieldId});
  if (!chunk.next()) return std::nullopt;
  return chunk.bytes(0);
}

std::optional<Entry> EntryTable::find(const std::string& id) {
  const int64_t form = form_.storeKey;
  Query entryRow(store(),
                 "SELECT created, changed, changed_by FROM entries WHERE form = ? AND entry = ?");
  if (!entryRow.bind(form).bind(id).next()) return std::nullopt;
  Entry entry;
  entry.id = id;
  entry.created = static_cast<TQTimestamp>(entryRow.integer(0));
  entry.lastChange = Stamp{static_cast<TQTimestamp>(entryRow.integer(1)), entryRow.bytes(2)};

  Query values(store(),
               "SELECT field, data_type, number, real, text FROM entry_values"
               " WHERE form = ? AND entry = ?");
  values.bind(form).bind(id);
  while (values.next()) {
    StoredValue& value = entry.values[static_cast<uint32_t>(values.integer(0))];
    value.dataType = static_cast<uint32_t>(values.integer(1));
    value.number = values.integer(2);
    value.real = values.real(3);
    value.text = values.bytes(4);
  }

  // Attachments without their data, which only a chunk read fetches.
  Query attachments(store(),
                    "SELECT field, name, original_size, length(data) FROM attachments"
                    " WHERE form = ? AND entry = ?");
  attachments.bind(form).bind(id);
  while (attachments.next()) {
    StoredValue& value = entry.values[static_cast<uint32_t>(attachments.integer(0))];
    value.dataType = TQ_DATA_TYPE_ATTACH;
    value.text = attachments.bytes(1);
    value.number = attachments.integer(2);
    value.packedSize = attachments.integer(3);
  }

  Query diary(store(),
              "SELECT field, time, user, text FROM diary_items WHERE form = ? AND entry = ?"
              " ORDER BY field, position");
  diary.bind(form).bind(id);
  while (diary.next()) {
    entry.diaries[static_cast<uint32_t>(diary.integer(0))].push_back(DiaryItem{
        Stamp{static_cast<TQTimestamp>(diary.integer(1)), diary.bytes(2)}, diary.bytes(3), true});
  }

  if (const FieldDef* status = form_.field(kFieldStatus)) {
    entry.statusHistory.resize(status->enumValues.size());
    Query history(store(),
                  "SELECT status, time, user FROM status_history WHERE form = ? AND entry = ?");
    history.bind(form).bind(id);
    while (history.next()) {
      const auto index = static_cast<size_t>(history.integer(0));
      if (index < entry.statusHistory.size()) {
        entry.statusHistory[index] =
            Stamp{static_cast<TQTimestamp>(history.integer(1)), history.bytes(2)};
      }
    }
  }
  return entry;
}

void EntryTable::scan(const std::function<void(const Entry&)>& take) {
  const int64_t form = form_.storeKey;
  Query entries(store(),
                "SELECT entry, created, changed, changed_by FROM entries WHERE form = ?"
                " ORDER BY entry");
  Query values(store(),
               "SELECT entry, field, data_type, number, real, text FROM entry_values"
               " WHERE form = ? ORDER BY entry");
  Query diary(store(),
              "SELECT entry, field, time, user, text FROM diary_items WHERE form = ?"
              " ORDER BY entry, field, position");
  Query history(store(),
                "SELECT entry, status, time, user FROM status_history WHERE form = ?"
                " ORDER BY entry");
  entries.bind(form);
  values.bind(form);
  diary.bind(form);
  history.bind(form);
  const FieldDef* status = form_.field(kFieldStatus);
  // Each of the three detail tables is walked alongside the entries: its
  // rows of an entry come before those of any later one.
  bool valueRow = values.next(), diaryRow = diary.next(), historyRow = history.next();
  while (entries.next()) {
    Entry entry;
    entry.id = entries.bytes(0);
    entry.created = static_cast<TQTimestamp>(entries.integer(1));
    entry.lastChange = Stamp{static_cast<TQTimestamp>(entries.integer(2)), entries.bytes(3)};
    for (; valueRow && values.bytes(0) <= entry.id; valueRow = values.next()) {
      if (values.bytes(0) != entry.id) continue;
      StoredValue& value = entry.values[static_cast<uint32_t>(values.integer(1))];
      value.dataType = static_cast<uint32_t>(values.integer(2));
      value.number = values.integer(3);
      value.real = values.real(4);
      value.text = values.bytes(5);
    }
    for (; diaryRow && diary.bytes(0) <= entry.id; diaryRow = diary.next()) {
      if (diary.bytes(0) != entry.id) continue;
      entry.diaries[static_cast<uint32_t>(diary.integer(1))].push_back(DiaryItem{
          Stamp{static_cast<TQTimestamp>(diary.integer(2)), diary.bytes(3)}, diary.bytes(4), true});
    }
    if (status != nullptr) entry.statusHistory.resize(status->enumValues.size());
    for (; historyRow && history.bytes(0) <= entry.id; historyRow = history.next()) {
      const auto index = static_cast<size_t>(history.integer(1));
      if (history.bytes(0) == entry.id && index < entry.statusHistory.size()) {
        entry.statusHistory[index] =
            Stamp{static_cast<TQTimestamp>(history.integer(2)), history.bytes(3)};
      }
    }
    take(entry);
  }
}

std::string EntryTable::nextId() {
  Query last(store(), "SELECT last_entry_number FROM forms WHERE form = ?");
  uint64_t number = last.bind(form_.storeKey).next() ? static_cast<uint64_t>(last.integer(0)) : 0;
  while (true) {
    char id[32];
    std::snprintf(id, sizeof id, "%015llu", static_cast<unsigned long long>(++number));
    Query taken(store(), "SELECT 1 FROM entries WHERE form = ? AND entry = ?");
    if (taken.bind(form_.storeKey).bind(std::string(id)).next()) continue;
    Query(store(), "UPDATE forms SET last_entry_number = ? WHERE form = ?")
        .bind(static_cast<int64_t>(number))
        .bind(form_.storeKey)
        .run();
    return id;
  }
}

void EntryTable::save(const Entry& entry) {
  const int64_t form = form_.storeKey;
  Query(store(),
        "INSERT INTO entries (form, entry, created, changed, changed_by) VALUES (?, ?, ?, ?, ?)"
        " ON CONFLICT (form, entry) DO UPDATE SET created = excluded.created,"
        " changed = excluded.changed, changed_by = excluded.changed_by")
      .bind(form)
      .bind(entry.id)
      .bind(int64_t{entry.created})
      .bind(int64_t{entry.lastChange.time})
      .bind(entry.lastChange.user)
      .run();

  Query(store(), "DELETE FROM entry_values WHERE form = ? AND entry = ?").bind(form).bind(entry.id).run();
  for (const auto& [field, value] : entry.values) {
    if (value.dataType == TQ_DATA_TYPE_ATTACH) continue;
    Query(store(),
          "INSERT INTO entry_values (form, entry, field, data_type, number, real, text)"
          " VALUES (?, ?, ?, ?, ?, ?, ?)")
        .bind(form)
        .bind(entry.id)
        .bind(int64_t{field})
        .bind(int64_t{value.dataType})
        .bind(value.number)
        .bind(value.real)
        .bind(value.text)
        .run();
  }

  saveAttachments(form_, entry);

  // Diaries only grow, so only the items this call appended are written;
  // an overwrite that dropped the stored ones removes them first.
  if (entry.diariesCleared) {
    Query(store(), "DELETE FROM diary_items WHERE form = ? AND entry = ?").bind(form).bind(entry.id).run();
  }
  for (const auto& [field, items] : entry.diaries) {
    for (size_t position = 0; position < items.size(); ++position) {
      const DiaryItem& item = items[position];
      if (item.stored) continue;
      Query(store(),
            "INSERT INTO diary_items (form, entry, field, position, time, user, text)"
            " VALUES (?, ?, ?, ?, ?, ?, ?)")
          .bind(form)
          .bind(entry.id)
          .bind(int64_t{field})
          .bind(static_cast<int64_t>(position))
          .bind(int64_t{item.stamp.time})
          .bind(item.stamp.user)
          .bind(item.text)
          .run();
    }
  }

  Query(store(), "DELETE FROM status_history WHERE form = ? AND entry = ?").bind(form).bind(entry.id).run();
  for (size_t status = 0; status < entry.statusHistory.size(); ++status) {
    const std::optional<Stamp>& stamp = entry.statusHistory[status];
    if (!stamp) continue;
    Query(store(),
          "INSERT INTO status_history (form, entry, status, time, user) VALUES (?, ?, ?, ?, ?)")
        .bind(form)
        .bind(entry.id)
        .bind(static_cast<int64_t>(status))
        .bind(int64_t{stamp->time})
        .bind(stamp->user)
        .run();
  }
}

void EntryTable::remove(const std::string& id) {
  // The entry's values, diary items, history and attachments go with it.
  Query(store(), "DELETE FROM entries WHERE form = ? AND entry = ?").bind(form_.storeKey).bind(id).run();
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
    entry.diaries.clear();
    entry.diariesCleared = true;
  }
  if (mode == ChangeMode::kCreate) entry.created = now.time;

  for (const FieldChange& change : changes) {
    const StoredValue& value = change.value;
    if (value.dataType == TQ_DATA_TYPE_DIARY) {
      if (value.text.empty()) continue;  // nothing to write down
      entry.diaries[change.fieldId].push_back(DiaryItem{now, value.text});
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
  auto diary = entry.diaries.find(fieldId);
  if (diary != entry.diaries.end() && !diary->second.empty()) {
    StoredValue value;
    value.dataType = TQ_DATA_TYPE_DIARY;
    for (const DiaryItem& item : diary->second)
      value.text += diaryItem(item.stamp, item.text);
    return value;
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
