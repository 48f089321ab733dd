// The entry lists at protocol version 6: 5 entry ids with a display text,
// 73 entry ids with field values, both answered in chunks (list_results.h),
// and 6 statistics (handlers_list_statistics.cpp).
//
// Both lists search the form (list_search.h) with the qualification, sort
// the matches by the sort list (entry id order without one) and keep at most
// the maximum to retrieve (0: all); the number of matches counts them all.
//
// The entry-list field list lays out what is shown of each entry: for 5 the
// display text, each field's value as text (an enumerated value by its
// name) cut or padded with blanks to the column width (0: as it is) and
// followed by the separator, the whole cut to 128 bytes; for 73 the fields
// whose values come with each entry. Without a list: field 8 when the form
// has it, else field 1.
//
// Chunks of 5 end between entries. Chunks of 73 may end inside an entry:
// its last values are then placeholders of field id 0, and the next answer
// starts with the same entry, whose leading placeholders stand for the
// values sent; a character or diary text that does not fit is split, its
// rest sent at the same position of the next answer.
#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "entry_values.h"
#include "handler_families.h"
#include "list_answers.h"
#include "list_results.h"
#include "list_search.h"
#include "rpc/procedure_records_defs.h"

namespace tqsd {
namespace {

constexpr uint32_t kFieldShortDescription = 8;
constexpr size_t kMaxDescription = 128;
constexpr size_t kEntryFraming = 32;  // entry id list, pointers and counts of an entry
constexpr size_t kSmallestTextPiece = 16;

struct Column {
  const FieldDef* field;
  uint32_t width;
  std::string separator;
};

// The columns of an entry-list field list, or nothing (9351 added) when a
// field is not in the form.
std::optional<std::vector<Column>> columnsOf(Call& call, const FormDef& form,
                                             const TQEntryListFieldList& fields) {
  std::vector<Column> columns;
  if (!withinItemLimit(call, fields.numItems)) return std::nullopt;
  for (uint32_t i = 0; i < fields.numItems; ++i) {
    const TQEntryListFieldStruct& item = fields.fieldsList[i];
    const FieldDef* field = form.field(item.fieldId);
    if (field == nullptr) {
      addErrorNumber(call, kMsgNoSuchField, item.fieldId);
      return std::nullopt;
    }
    columns.push_back(
        Column{field, item.columnWidth,
               std::string(item.separator, strnlen(item.separator, sizeof item.separator))});
  }
  if (columns.empty()) {
    const FieldDef* field = form.field(kFieldShortDescription);
    if (field == nullptr) field = form.field(kFieldEntryId);
    if (field != nullptr) columns.push_back(Column{field, 0, ""});
  }
  return columns;
}

std::string description(const FormDef& form, const Entry& entry,
                        const std::vector<Column>& columns) {
  std::string text;
  for (const Column& column : columns) {
    std::string cell = valueText(readValue(form, entry, column.field->id), column.field);
    if (column.width > 0) cell.resize(column.width, ' ');
    text += cell;
    text += column.separator;
    if (text.size() >= kMaxDescription) break;
  }
  if (text.size() > kMaxDescription) text.resize(splitLength(text, 0, kMaxDescription));
  return text;
}

// A search of a list call with its columns, checked; nothing after an error.
struct ListSearch {
  Search search;
  std::vector<Column> columns;
};

std::optional<ListSearch> startList(Call& call, TQGetListEntryArgs& args) {
  std::optional<Search> search = startSearch(call, args.schema);
  if (!search || !checkSearch(call, *search, args.qualifier, args.sort)) return std::nullopt;
  std::optional<std::vector<Column>> columns = columnsOf(call, search->form, args.fields);
  if (!columns) return std::nullopt;
  return ListSearch{std::move(*search), std::move(*columns)};
}

// ------------------------------------------------------------ procedure 5

struct EntryRow {
  std::vector<StoredValue> keys;
  std::string id;
  std::string description;
};

struct EntryRows : PendingList {
  std::vector<EntryRow> rows;
  size_t next = 0;
  uint32_t matches = 0;
};

size_t entryCost(const EntryRow& row) {
  return kEntryFraming + row.description.size();
}

void getListEntry(Call& call, TQGetListEntryArgs& args, TQGetListEntryResult& result) {
  serveChunks<EntryRows>(
      call,
      [&]() -> std::unique_ptr<EntryRows> {
        std::optional<ListSearch> list = startList(call, args);
        if (!list) return nullptr;
        auto rows = std::make_unique<EntryRows>();
        const bool ok = forEachMatch(call, list->search, args.qualifier, [&](const Entry& entry) {
          rows->rows.push_back(EntryRow{sortKeys(list->search, entry, args.sort), entry.id,
                                        description(list->search.form, entry, list->columns)});
        });
        if (!ok) return nullptr;
        sortRows(rows->rows, args.sort);
        rows->matches = cutToMaximum(rows->rows, args.maxRetrieve);
        for (EntryRow& row : rows->rows)
          row.keys.clear();
        return rows;
      },
      [&](EntryRows& rows, size_t budget) {
        result.numMatches = rows.matches;
        size_t end = rows.next;
        for (size_t used = 0; end < rows.rows.size(); ++end) {
          used += entryCost(rows.rows[end]);
          if (used > budget && end > rows.next) break;
        }
        const size_t count = end - rows.next;
        result.entries.entryList = allocItems<TQEntryListStruct>(count);
        for (size_t i = 0; i < count; ++i) {
          const EntryRow& row = rows.rows[rows.next + i];
          TQEntryListStruct& item = result.entries.entryList[i];
          item.entryId = wireEntryId(row.id);
          ++result.entries.numItems;
          item.shortDescription = strdup(row.description.c_str());
          if (item.shortDescription == nullptr) throw std::bad_alloc();
        }
        rows.next = end;
        return rows.next == rows.rows.size();
      });
}

// ----------------------------------------------------------- procedure 73

struct ValueRow {
  std::vector<StoredValue> keys;
  std::string id;
  std::vector<StoredValue> values;  // one per field of the list
};

struct ValueRows : PendingList {
  std::vector<ValueRow> rows;
  std::vector<uint32_t> fieldIds;
  uint32_t matches = 0;
  // Where the next answer starts: a row, a value of it, a byte of its text.
  size_t row = 0;
  size_t value = 0;
  size_t offset = 0;
};

// What one answer carries of one entry: values [first, end), the first from
// byte `firstOffset` of its text, the last one (when `lastLength` is set)
// only that many bytes of what remains of it.
struct EntryPiece {
  size_t row;
  size_t first;
  size_t firstOffset;
  size_t end;
  std::optional<size_t> lastLength;
};

// Plans the pieces of one answer and moves the cursor past them.
std::vector<EntryPiece> planAnswer(ValueRows& rows, size_t budget) {
  std::vector<EntryPiece> pieces;
  size_t used = 0;
  const size_t perEntry = rows.fieldIds.size();
  while (rows.row < rows.rows.size()) {
    const ValueRow& row = rows.rows[rows.row];
    if (!pieces.empty() && used + kEntryFraming > budget) break;
    used += kEntryFraming;
    EntryPiece piece{rows.row, rows.value, rows.offset, rows.value, std::nullopt};
    bool full = false;
    while (rows.value < perEntry) {
      const StoredValue& v = row.values[rows.value];
      const size_t cost = wireCost(v, rows.offset);
      const size_t room = used < budget ? budget - used : 0;
      const bool nothingYet = pieces.empty() && piece.end == piece.first;
      if (cost <= room || (nothingYet && !isSplittable(v))) {
        used += cost;
        ++rows.value;
        rows.offset = 0;
        piece.end = rows.value;
        continue;
      }
      if (isSplittable(v) && (room >= kValueFraming + kSmallestTextPiece || nothingYet)) {
        const size_t want = room > kValueFraming ? room - kValueFraming : 1;
        const size_t length = splitLength(v.text, rows.offset, want);
        piece.end = rows.value + 1;
        piece.lastLength = length;
        rows.offset += length;
        if (rows.offset == v.text.size()) {
          ++rows.value;
          rows.offset = 0;
          piece.lastLength.reset();
        }
      }
      full = true;
      break;
    }
    if (piece.end > piece.first || perEntry == 0) pieces.push_back(piece);
    if (rows.value == perEntry) {
      ++rows.row;
      rows.value = 0;
      rows.offset = 0;
    }
    if (full) break;
  }
  return pieces;
}

void putPiece(const ValueRows& rows, const EntryPiece& piece, uint32_t version,
              TQEntryListFieldValueStruct* item) {
  const ValueRow& row = rows.rows[piece.row];
  const size_t perEntry = rows.fieldIds.size();
  item->entryId = wireEntryId(row.id);
  item->fieldValues = allocItems<TQFieldValueList>(1);
  TQFieldValueList& values = *item->fieldValues;
  values.fieldValueList = allocItems<TQFieldValueStruct>(perEntry);
  values.numItems = static_cast<uint32_t>(perEntry);
  for (size_t i = piece.first; i < piece.end; ++i) {
    const StoredValue& v = row.values[i];
    const size_t offset = i == piece.first ? piece.firstOffset : 0;
    const bool last = i + 1 == piece.end;
    const bool cut = offset > 0 || (last && piece.lastLength);
    const size_t length = last && piece.lastLength ? *piece.lastLength : v.text.size() - offset;
    values.fieldValueList[i].fieldId = rows.fieldIds[i];
    putWireValue(rows.fieldIds[i], cut ? textPiece(v, offset, length) : v, version,
                 &values.fieldValueList[i].value);
  }
}

void getListEntryWithFields(Call& call, TQGetListEntryArgs& args,
                            TQGetListEntryWithFieldsResult& result) {
  serveChunks<ValueRows>(
      call,
      [&]() -> std::unique_ptr<ValueRows> {
        std::optional<ListSearch> list = startList(call, args);
        if (!list) return nullptr;
        auto rows = std::make_unique<ValueRows>();
        for (const Column& column : list->columns)
          rows->fieldIds.push_back(column.field->id);
        const bool ok = forEachMatch(call, list->search, args.qualifier, [&](const Entry& entry) {
          ValueRow row{sortKeys(list->search, entry, args.sort), entry.id, {}};
          for (uint32_t id : rows->fieldIds)
            row.values.push_back(readValue(list->search.form, entry, id));
          rows->rows.push_back(std::move(row));
        });
        if (!ok) return nullptr;
        sortRows(rows->rows, args.sort);
        rows->matches = cutToMaximum(rows->rows, args.maxRetrieve);
        for (ValueRow& row : rows->rows)
          row.keys.clear();
        return rows;
      },
      [&](ValueRows& rows, size_t budget) {
        result.numMatches = rows.matches;
        result.valuesPerEntry = static_cast<int32_t>(rows.fieldIds.size());
        const std::vector<EntryPiece> pieces = planAnswer(rows, budget);
        result.entries.entryList = allocItems<TQEntryListFieldValueStruct>(pieces.size());
        for (const EntryPiece& piece : pieces) {
          TQEntryListFieldValueStruct* item = &result.entries.entryList[result.entries.numItems];
          ++result.entries.numItems;
          putPiece(rows, piece, call.version, item);
        }
        if (listFault(call) == ListFault::kMiscount) ++result.valuesPerEntry;
        return rows.row == rows.rows.size();
      });
}

constexpr Handler kHandlers[] = {
    handler<TQGetListEntryArgs, TQGetListEntryResult, getListEntry>(5),
    handler<TQGetListEntryArgs, TQGetListEntryWithFieldsResult, getListEntryWithFields>(73),
};

}  // namespace

std::span<const Handler> listHandlers() {
  return kHandlers;
}

}  // namespace tqsd
