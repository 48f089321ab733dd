// The entry procedures in every protocol version: 1 get, 2 set, 3 create,
// 4 delete and 37 merge, on the forms of the seed file (form_store.h) and
// the entries of the store (entry_store.h).
//
// An entry is named by a list of entry ids (one per member form of a join
// form) at versions 4 to 6, and by a single id text at versions 2 and 3. The
// forms of this server are plain forms, so a list of more than one id is
// refused (9355). An id of digits shorter than 15 characters names the entry
// whose id it is with leading zeros.
//
// Merge types (procedure 37):
//   1  create an entry with the id given in field 1; refused (9356) when an
//      entry has that id
//   2  create an entry; it takes the id of field 1 unless that is missing or
//      taken, and a new id of the sequence otherwise
//   3  overwrite: the entry named by field 1 gets exactly the values given
//      (the others become null and the status its first value; submitter,
//      create date and status history stay); it is created when it does not
//      exist
//   4  update: the entry named by field 1 gets the values given, the others
//      stay; it is created when it does not exist
// Without field 1 every type creates an entry with a new id; other types are
// refused (9357). The answer is the id of the entry created or changed.
//
// Set takes the get time: when it is not 0 and the entry changed after it,
// the set is refused (9358) so that a change made by someone else in between
// is not overwritten unseen. The set and delete options are not used.
//
// Every change is checked as a whole before anything is written: a refused
// call leaves the entry as it was. A call that writes does so in one
// transaction of the store, committed before the call is answered.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "entry_lookup.h"
#include "entry_store.h"
#include "entry_values.h"
#include "form_store.h"
#include "handler_families.h"
#include "share/apisrv/error.h"
#include "store.h"

namespace tqsd {
namespace {

void refuse(Call& call, const EntryError& error) {
  addStatus(call, TQ_MSG_ERROR, error.number, error.text.c_str());
}

// Who calls and when: the caller's user and the time of the answer.
Stamp callStamp(const Call& call) {
  return Stamp{call.answer->operationTime, fixedText(call.header->user, sizeof call.header->user)};
}

void answerEntryId(const std::string& id, TQEntryIdResult& result) {
  std::memset(result.entryId, 0, sizeof result.entryId);
  std::memcpy(result.entryId, id.data(), std::min(id.size(), kEntryIdLength));
}

// The fields a get asks for: all of the form's, in id order, for an empty
// list; otherwise the ones listed, each of which the form must have.
std::optional<std::vector<uint32_t>> wantedFields(Call& call, const FormDef& form,
                                                  const TQInternalIdList& asked) {
  std::vector<uint32_t> ids;
  if (!withinItemLimit(call, asked.numItems)) return std::nullopt;
  if (asked.numItems == 0) {
    for (const FieldDef& field : form.fields)
      ids.push_back(field.id);
    return ids;
  }
  for (uint32_t i = 0; i < asked.numItems; ++i) {
    uint32_t id = asked.internalIdList[i];
    if (form.field(id) == nullptr) {
      addErrorNumber(call, kMsgNoSuchField, id);
      return std::nullopt;
    }
    ids.push_back(id);
  }
  return ids;
}

template <class A>
void getEntry(Call& call, A& args, TQGetEntryResult& result) {
  std::optional<Target> target = findEntry(call, args.schema, args.entryId);
  if (!target) return;
  std::optional<std::vector<uint32_t>> fields = wantedFields(call, *target->form, args.fieldIds);
  if (!fields || args.valuesWanted == 0) return;

  auto* items =
      static_cast<TQFieldValueStruct*>(std::calloc(fields->size(), sizeof(TQFieldValueStruct)));
  if (items == nullptr) {
    addStatus(call, TQ_MSG_ERROR, kTQMsgNoMemory);
    return;
  }
  result.fieldValues.fieldValueList = items;
  for (uint32_t id : *fields) {
    TQFieldValueStruct& item = items[result.fieldValues.numItems];
    item.fieldId = id;
    if (!toWireValue(id, readValue(*target->form, target->entry, id), call.version, &item.value)) {
      addStatus(call, TQ_MSG_ERROR, kTQMsgNoMemory);
      return;
    }
    ++result.fieldValues.numItems;
  }
}

template <class A>
void setEntry(Call& call, A& args, TQStatusResult&) {
  Transaction transaction(store());
  std::optional<Target> target = findEntry(call, args.schema, args.entryId);
  if (!target) return;
  std::vector<FieldChange> changes;
  std::optional<std::string> ignored;
  if (!withinItemLimit(call, args.fieldValues.numItems)) return;
  if (auto error =
          checkChanges(*target->form, args.fieldValues, call.version, false, &changes, &ignored)) {
    refuse(call, *error);
    return;
  }
  if (args.getTime != 0 && target->entry.lastChange.time > args.getTime) {
    addStatus(call, TQ_MSG_ERROR, kMsgChangedSinceGet, target->entry.id.c_str());
    return;
  }
  applyChanges(*target->form, target->entry, changes, ChangeMode::kUpdate, callStamp(call));
  EntryTable(*target->form).save(target->entry);
  transaction.commit();
}

// With --set entries.create-warning=N a successful create answers warning N
// (with the new id appended), so that clients can be tested on warnings.
void answerCreateWarning(Call& call, const std::string& entryId) {
  const std::string number = setting(call, "entries.create-warning");
  if (number.empty()) return;
  addStatus(call, TQ_MSG_WARNING, static_cast<int32_t>(std::strtol(number.c_str(), nullptr, 10)),
            entryId.c_str());
}

void createEntry(Call& call, TQCreateEntryArgs& args, TQEntryIdResult& result) {
  const FormDef* form = findForm(call, args.schema);
  if (form == nullptr) return;
  std::vector<FieldChange> changes;
  std::optional<std::string> ignored;
  if (!withinItemLimit(call, args.fieldValues.numItems)) return;
  if (auto error = checkChanges(*form, args.fieldValues, call.version, false, &changes, &ignored)) {
    refuse(call, *error);
    return;
  }
  Transaction transaction(store());
  EntryTable table(*form);
  Entry entry;
  entry.id = table.nextId();
  applyChanges(*form, entry, changes, ChangeMode::kCreate, callStamp(call));
  table.save(entry);
  transaction.commit();
  answerEntryId(entry.id, result);
  answerCreateWarning(call, entry.id);
}

template <class A>
void deleteEntry(Call& call, A& args, TQStatusResult&) {
  Transaction transaction(store());
  std::optional<Target> target = findEntry(call, args.schema, args.entryId);
  if (!target) return;
  EntryTable(*target->form).remove(target->entry.id);
  transaction.commit();
}

enum MergeType : uint32_t {
  kMergeCreate = 1,
  kMergeNewId = 2,
  kMergeOverwrite = 3,
  kMergeUpdate = 4,
};

template <class A>
void mergeEntry(Call& call, A& args, TQEntryIdResult& result) {
  const FormDef* form = findForm(call, args.schema);
  if (form == nullptr) return;
  const uint32_t type = args.mergeType;
  if (type < kMergeCreate || type > kMergeUpdate) {
    addErrorNumber(call, kMsgBadMergeType, type);
    return;
  }
  std::vector<FieldChange> changes;
  std::optional<std::string> id;
  if (!withinItemLimit(call, args.fieldValues.numItems)) return;
  if (auto error = checkChanges(*form, args.fieldValues, call.version, true, &changes, &id)) {
    refuse(call, *error);
    return;
  }
  Transaction transaction(store());
  EntryTable table(*form);
  std::optional<Entry> existing = id ? table.find(*id) : std::nullopt;
  const Stamp now = callStamp(call);
  if (existing && type == kMergeCreate) {
    addStatus(call, TQ_MSG_ERROR, kMsgEntryExists, id->c_str());
    return;
  }
  if (existing && type != kMergeNewId) {
    applyChanges(*form, *existing, changes,
                 type == kMergeOverwrite ? ChangeMode::kOverwrite : ChangeMode::kUpdate, now);
    table.save(*existing);
    transaction.commit();
    answerEntryId(existing->id, result);
    return;
  }
  Entry entry;
  entry.id = id && !existing ? *id : table.nextId();
  applyChanges(*form, entry, changes, ChangeMode::kCreate, now);
  table.save(entry);
  transaction.commit();
  answerEntryId(entry.id, result);
}

constexpr Handler kHandlers[] = {
    handler<TQGetEntryArgs, TQGetEntryResult, getEntry<TQGetEntryArgs>>(1),
    handler<TQGetEntryArgsOld, TQGetEntryResult, getEntry<TQGetEntryArgsOld>>(1),
    handler<TQSetEntryArgs, TQStatusResult, setEntry<TQSetEntryArgs>>(2),
    handler<TQSetEntryArgsOld, TQStatusResult, setEntry<TQSetEntryArgsOld>>(2),
    handler<TQCreateEntryArgs, TQEntryIdResult, createEntry>(3),
    handler<TQDeleteEntryArgs, TQStatusResult, deleteEntry<TQDeleteEntryArgs>>(4),
    handler<TQDeleteEntryArgsOld, TQStatusResult, deleteEntry<TQDeleteEntryArgsOld>>(4),
    handler<TQMergeEntryArgs, TQEntryIdResult, mergeEntry<TQMergeEntryArgs>>(37),
    handler<TQMergeEntryArgsOld, TQEntryIdResult, mergeEntry<TQMergeEntryArgsOld>>(37),
};

}  // namespace

std::span<const Handler> entryHandlers() {
  return kHandlers;
}

}  // namespace tqsd
