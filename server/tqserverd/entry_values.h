// Values of the entry procedures between the wire and the store: the checks
// of a received field value list against its form, and the values sent back.
//
// Field 102 (a char field) travels scrambled with the fixed key 317204659
// in place of the operation time, exactly 30 characters long, at protocol
// version 6; older versions carry it in clear. The store keeps it in clear: a
// value received at version 6 of 30 characters is unscrambled (and loses its
// padding), a shorter one is taken as clear text; at versions 2 to 5 the value
// is clear as it comes. Longer values are refused. A get answers it scrambled
// at version 6 and in clear at versions 2 to 5, where the client scrambles it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "entry_store.h"
#include "form_store.h"
#include "tqlink.h"

namespace tqsd {

// Message numbers of the entry procedures.
inline constexpr int32_t kMsgNoEntryId = 100;         // the entry id list is empty
inline constexpr int32_t kMsgNoSuchEntry = 302;       // appended: the entry id
inline constexpr int32_t kMsgNoSuchForm = 9350;       // appended: the form name
inline constexpr int32_t kMsgNoSuchField = 9351;      // appended: the field id
inline constexpr int32_t kMsgWrongDataType = 9352;    // appended: field, wanted and given type
inline constexpr int32_t kMsgInvalidValue = 9353;     // appended: field and what is wrong
inline constexpr int32_t kMsgServerField = 9354;      // appended: the field id
inline constexpr int32_t kMsgNotJoinForm = 9355;      // appended: the number of ids
inline constexpr int32_t kMsgEntryExists = 9356;      // appended: the entry id
inline constexpr int32_t kMsgBadMergeType = 9357;     // appended: the merge type
inline constexpr int32_t kMsgChangedSinceGet = 9358;  // appended: the entry id

// A refused request: a message number and its appended text.
struct EntryError {
  int32_t number;
  std::string text;
};

// Checks a received field value list against its form and turns it into
// changes. Field 1 may be given only when `entryIdAllowed` (a merge names
// the entry with it); its value then comes back normalised in *entryId.
// The first fault found is returned and nothing is changed.
std::optional<EntryError> checkChanges(const FormDef& form, const TQFieldValueList& list,
                                       uint32_t version, bool entryIdAllowed,
                                       std::vector<FieldChange>* changes,
                                       std::optional<std::string>* entryId);

// Puts a stored value of a field into a wire value, with malloc'd texts, as
// a get of the protocol version answers it. False when memory ran out.
bool toWireValue(uint32_t fieldId, const StoredValue& stored, uint32_t version, TQValueStruct* out);

// The clear text of a received 30-character field 102 value.
std::string clearField102(const std::string& scrambled);

}  // namespace tqsd
