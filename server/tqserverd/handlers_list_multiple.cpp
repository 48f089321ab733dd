// Procedure 67 at protocol version 6: the field values of several entries
// of a form, answered in chunks (list_results.h).
//
// The request names the entries (one id each: the forms of this server are
// plain forms) and the fields (all of the form's, in id order, for an empty
// list). The first answer carries one flag per entry: whether it exists.
// The values form one sequence, the fields' values for each entry in turn;
// an entry that does not exist has null placeholders of field id 0. Each
// answer carries a run of that sequence as one list per entry it touches.
//
// A character or diary text that does not fit is split: the next answer
// starts with a value of the same field id holding the rest, which the
// client joins to the last value it has. So an answer never ends between two
// whole values that a client would take for such a split (same field id and
// type, a text): it then splits the second one too.
#include <optional>
#include <string>
#include <vector>

#include "entry_values.h"
#include "handler_families.h"
#include "list_answers.h"
#include "list_results.h"
#include "rpc/procedure_records_defs.h"

namespace tqsd {
namespace {

constexpr size_t kListFraming = 8;

struct Slot {
  uint32_t fieldId;  // 0: a placeholder of an entry that does not exist
  StoredValue value;
};

struct EntryValues : PendingList {
  std::vector<TQBoolean> exists;
  std::vector<Slot> slots;  // perEntry per entry
  size_t perEntry = 0;
  bool valuesWanted = false;
  bool existsSent = false;
  size_t next = 0;    // the next slot to send
  size_t offset = 0;  // bytes of its text sent already
};

// Whether a client would join `second` to `first` as the rest of a split.
bool wouldJoin(const Slot& first, const Slot& second) {
  return first.fieldId == second.fieldId && first.fieldId != 0 &&
         first.fieldId != kFieldStatusHistory && first.value.dataType == second.value.dataType &&
         isSplittable(first.value);
}

std::optional<std::vector<uint32_t>> fieldsOf(Call& call, const FormDef& form,
                                              const TQInternalIdList& asked) {
  if (!withinItemLimit(call, asked.numItems)) return std::nullopt;
  std::vector<uint32_t> ids;
  if (asked.numItems == 0) {
    for (const FieldDef& field : form.fields)
      ids.push_back(field.id);
  }
  for (uint32_t i = 0; i < asked.numItems; ++i) {
    if (form.field(asked.internalIdList[i]) == nullptr) {
      addErrorNumber(call, kMsgNoSuchField, asked.internalIdList[i]);
      return std::nullopt;
    }
    ids.push_back(asked.internalIdList[i]);
  }
  return ids;
}

std::unique_ptr<EntryValues> collect(Call& call, TQGetMultipleEntriesArgs& args) {
  const std::string name = args.schema != nullptr ? args.schema : "";
  const FormDef* form = formStore().find(name);
  if (form == nullptr) {
    addStatus(call, TQ_MSG_ERROR, kMsgNoSuchForm, name.c_str());
    return nullptr;
  }
  std::optional<std::vector<uint32_t>> fields = fieldsOf(call, *form, args.fieldIds);
  if (!fields || !withinItemLimit(call, args.entryIds.numItems)) return nullptr;
  auto result = std::make_unique<EntryValues>();
  result->perEntry = fields->size();
  result->valuesWanted = args.valuesWanted != 0;
  EntryTable table(*form);
  for (uint32_t i = 0; i < args.entryIds.numItems; ++i) {
    const TQEntryIdList& ids = args.entryIds.entryIdListList[i];
    std::optional<Entry> entry;
    if (ids.numItems == 1 && ids.entryIdList != nullptr) {
      const std::string id(ids.entryIdList[0], strnlen(ids.entryIdList[0], sizeof(TQEntryIdType)));
      entry = table.find(normalEntryId(id));
    }
    result->exists.push_back(entry ? 1 : 0);
    for (uint32_t field : *fields) {
      result->slots.push_back(entry ? Slot{field, readValue(*form, *entry, field)} : Slot{0, {}});
    }
  }
  return result;
}

// One piece of an answer: slot `slot` from byte `offset`, `length` bytes of
// its text (all that remains when it is not a split text).
struct Piece {
  size_t slot;
  size_t offset;
  size_t length;
};

std::vector<Piece> planAnswer(EntryValues& values, size_t budget) {
  std::vector<Piece> pieces;
  size_t used = 0;
  while (values.next < values.slots.size()) {
    const Slot& slot = values.slots[values.next];
    const bool splittable = isSplittable(slot.value);
    const size_t cost = wireCost(slot.value, values.offset);
    const size_t room = used < budget ? budget - used : 0;
    const size_t remaining = splittable ? slot.value.text.size() - values.offset : 0;
    if (cost <= room || (pieces.empty() && !splittable)) {
      pieces.push_back(Piece{values.next, values.offset, remaining});
      used += cost;
      ++values.next;
      values.offset = 0;
      continue;
    }
    // Ending before this whole value would look like a split of it.
    const bool mustSplit =
        values.offset == 0 && values.next > 0 && wouldJoin(values.slots[values.next - 1], slot);
    const bool worthSplitting = splittable && room >= 2 * kValueFraming;
    if (!mustSplit && !worthSplitting && !(pieces.empty() && splittable)) break;
    const size_t want = room > kValueFraming ? room - kValueFraming : 1;
    const size_t length = remaining == 0 ? 0 : splitLength(slot.value.text, values.offset, want);
    pieces.push_back(Piece{values.next, values.offset, length});
    used = budget;
    values.offset += length;
    if (values.offset < slot.value.text.size()) break;  // the rest starts the next answer
    ++values.next;
    values.offset = 0;
  }
  return pieces;
}

void getMultipleEntries(Call& call, TQGetMultipleEntriesArgs& args,
                        TQGetMultipleEntriesResult& result) {
  serveChunks<EntryValues>(
      call, [&] { return collect(call, args); },
      [&](EntryValues& values, size_t budget) {
        result.valuesPerEntry = static_cast<int32_t>(values.perEntry);
        if (!values.existsSent) {
          result.exists.booleanList = allocItems<TQBoolean>(values.exists.size());
          result.exists.numItems = static_cast<uint32_t>(values.exists.size());
          std::copy(values.exists.begin(), values.exists.end(), result.exists.booleanList);
          values.existsSent = true;
        }
        if (!values.valuesWanted || values.perEntry == 0) return true;
        const std::vector<Piece> pieces = planAnswer(values, budget);
        // One list per entry the pieces touch.
        size_t lists = 0;
        for (size_t i = 0; i < pieces.size(); ++i) {
          if (i == 0 || pieces[i].slot / values.perEntry != pieces[i - 1].slot / values.perEntry) {
            ++lists;
          }
        }
        result.values.valueListList = allocItems<TQFieldValueList>(lists);
        TQFieldValueList* list = nullptr;
        for (size_t i = 0; i < pieces.size(); ++i) {
          const Piece& piece = pieces[i];
          if (i == 0 || piece.slot / values.perEntry != pieces[i - 1].slot / values.perEntry) {
            list = &result.values.valueListList[result.values.numItems++];
            size_t n = 0;
            for (size_t j = i; j < pieces.size() &&
                               pieces[j].slot / values.perEntry == piece.slot / values.perEntry;
                 ++j)
              ++n;
            list->fieldValueList = allocItems<TQFieldValueStruct>(n);
          }
          const Slot& slot = values.slots[piece.slot];
          TQFieldValueStruct& item = list->fieldValueList[list->numItems++];
          item.fieldId = slot.fieldId;
          const bool cut = isSplittable(slot.value) &&
                           (piece.offset > 0 || piece.length < slot.value.text.size());
          putWireValue(slot.fieldId,
                       cut ? textPiece(slot.value, piece.offset, piece.length) : slot.value,
                       call.version, &item.value);
          ++result.valuesInAnswer;
        }
        if (listFault(call) == ListFault::kMiscount) ++result.valuesInAnswer;
        return values.next == values.slots.size() && values.offset == 0;
      });
}

constexpr Handler kHandlers[] = {
    handler<TQGetMultipleEntriesArgs, TQGetMultipleEntriesResult, getMultipleEntries>(67),
};

}  // namespace

std::span<const Handler> multipleEntryHandlers() {
  return kHandlers;
}

}  // namespace tqsd
