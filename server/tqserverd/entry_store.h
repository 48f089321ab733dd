// The entries of the forms, kept in the store (store.h). Every call sees
// what earlier calls wrote, from any connection; the server runs one thread,
// so nothing is locked. A call reads the entry it works on, changes it in
// memory and writes it back within its transaction.
//
// What the store keeps of an entry:
//   - the values given by clients, by field id (field 102 in clear);
//   - the items of each diary field, each with the time, the user and the
//     text; a get answers them encoded: time 0x04 user 0x04 text 0x03, in
//     the order they were written;
//   - the server's own fields, made when they are read: 1 the entry id,
//     3 the create date, 5 the last user who changed it, 6 the time of that
//     change, 15 the status history of field 7 (one item per value of field
//     7, "time 0x04 user 0x03" for the last time the status took that value,
//     a lone 0x03 for a value it never had);
//   - the attachments, by field: name, original size and the data as sent
//     (packed or not), apart from the other values. Field 2 (submitter) is an
//     ordinary value that creation fills with the caller when it is not given.
#pragma once

#include <cstdint>
#include <functional>
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
  std::string text;    // char, decimal; diary: the encoded items; attachment: its name
  // Attachment: `number` is the original size, `packedSize` the size of the
  // data as sent (equal to the original size: not packed). `data` holds the
  // bytes only in a change that brings them (`hasData`); an entry read from
  // the store leaves them there (attachmentChunk reads them).
  int64_t packedSize = 0;
  std::string data;
  bool hasData = false;
};

// Who did something and when.
struct Stamp {
  TQTimestamp time = 0;
  std::string user;
};

// One item of a diary field.
struct DiaryItem {
  Stamp stamp;
  std::string text;
  bool stored = false;  // read from the store (not appended by this call)
};

struct Entry {
  std::string id;
  TQTimestamp created = 0;
  Stamp lastChange;
  std::map<uint32_t, StoredValue> values;              // client-given values by field id
  std::map<uint32_t, std::vector<DiaryItem>> diaries;  // diary items by field id
  bool diariesCleared = false;                         // an overwrite dropped the stored items
  std::vector<std::optional<Stamp>> statusHistory;     // by index of the status value
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

// The entries of one form in the store. Every write belongs in the
// transaction of the call (store.h).
class EntryTable {
 public:
  explicit EntryTable(const FormDef& form) : form_(form) {}

  // The entry with the id, read from the store, or nothing.
  std::optional<Entry> find(const std::string& id);
  // Every entry of the form, in id order, each read as find reads it, with
  // one pass over each table rather than queries per entry (the searches).
  void scan(const std::function<void(const Entry&)>& take);
  // The next id of the form's sequence ("000000000000001", ...) that no
  // entry has; the sequence is kept, so an id is never given out twice,
  // even after a delete.
  std::string nextId();
  // Writes the entry as it is now (a new one, or one read with find).
  void save(const Entry& entry);
  void remove(const std::string& id);

 private:
  const FormDef& form_;
};

// Applies checked changes (every field exists in the form and may be given,
// every value suits its field) to an entry, with the caller and time of the
// call, and keeps the server's own fields.
void applyChanges(const FormDef& form, Entry& entry, const std::vector<FieldChange>& changes,
                  ChangeMode mode, const Stamp& now);

// The value of a field of the form in an entry (a null value when it has
// none), the server's own fields included.
StoredValue readValue(const FormDef& form, const Entry& entry, uint32_t fieldId);

// One encoded diary item: "time 0x04 user 0x04 text 0x03"; the separator
// bytes in the user name become '?'. Definitions keep their change diaries
// in the same form.
std::string diaryItem(const Stamp& now, const std::string& text);

// Bytes of an attachment's data as sent, from `offset` on, at most `count`;
// nothing when the entry has no attachment in the field.
std::optional<std::string> attachmentChunk(const FormDef& form, const std::string& entryId,
                                           uint32_t fieldId, uint64_t offset, uint32_t count);

// An entry id as the store keeps it: an id of digits only that is shorter
// than 15 characters is padded with leading zeros ("12" is
// "000000000000012"); any other id is taken as it is.
std::string normalEntryId(const std::string& id);

}  // namespace tqsd
