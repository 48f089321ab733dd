// The entries of the forms, in memory for the server's life. Every call sees
// what earlier calls wrote, from any connection; the server runs one thread,
// so nothing is locked.
//
// What the store keeps of an entry:
//   - the values given by clients, by field id (field 102 in clear; a diary
//     field as its encoded items: time 0x04 user 0x04 text 0x03, appended);
//   - the server's own fields, made when they are read: 1 the entry id,
//     3 the create date, 5 the last user who changed it, 6 the time of that
//     change, 15 the status history of field 7 (one item per value of field
//     7, "time 0x04 user 0x03" for the last time the status took that value,
//     a lone 0x03 for a value it never had). Field 2 (submitter) is an
//     ordinary value that creation fills with the caller when it is not given.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "form_store.h"
#include "tqlink.h"

namespace tqsd {

inline constexpr size_t kEntryIdLength = TQ_MAX_ENTRYID_SIZE;  // 15

// A value as the store keeps it.
struct StoredValue {
  uint32_t dataType = TQ_DATA_TYPE_NULL;
  int64_t number = 0;  // integer, enum, time, bitmask, ulong
  double real = 0;     // real
  std::string text;    // char, decimal; diary: the encoded items
};

// Who did something and when.
struct Stamp {
  TQTimestamp time = 0;
  std::string user;
};

struct Entry {
  std::string id;
  TQTimestamp created = 0;
  Stamp lastChange;
  std::map<uint32_t, StoredValue> values;           // client-given values by field id
  std::vector<std::optional<Stamp>> statusHistory;  // by index of the status value
};

// One value of a change: a field and its new value. For a diary field the
// value's text is the text to append.
struct FieldChange {
  uint32_t fieldId;
  StoredValue value;
};

// How a change treats the values the entry had.
enum class ChangeMode {
  kCreate,     // a new entry: creation stamps, submitter and first status filled in
  kUpdate,     // the given fields change, the others stay
  kOverwrite,  // the entry's values are replaced; creation date and history stay
};

// The entries of one form.
class EntryTable {
 public:
  Entry* find(const std::string& id);
  // The next id of the sequence ("000000000000001", ...) that no entry has.
  std::string nextId();
  // A new empty entry with the id (which no entry has).
  Entry& add(const std::string& id);
  bool remove(const std::string& id);

 private:
  std::map<std::string, Entry> entries_;
  uint64_t lastNumber_ = 0;
};

// The tables of every form, by form name.
EntryTable& entryTable(const std::string& form);

// Applies checked changes (every field exists in the form and may be given,
// every value suits its field) to an entry, with the caller and time of the
// call, and keeps the server's own fields.
void applyChanges(const FormDef& form, Entry& entry, const std::vector<FieldChange>& changes,
                  ChangeMode mode, const Stamp& now);

// The value of a field of the form in an entry (a null value when it has
// none), the server's own fields included.
StoredValue readValue(const FormDef& form, const Entry& entry, uint32_t fieldId);

// An entry id as the store keeps it: an id of digits only that is shorter
// than 15 characters is padded with leading zeros ("12" is
// "000000000000012"); any other id is taken as it is.
std::string normalEntryId(const std::string& id);

}  // namespace tqsd
