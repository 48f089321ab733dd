// Checks of received values and values sent back (see entry_values.h).
#include "entry_values.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "share/apisrv/scramble.h"
#include "seed_file.h"

namespace tqsd {
namespace {

constexpr size_t kScrambledLength = kTQPasswordLength;  // 30

// Fields whose values only the server writes.
bool serverKept(uint32_t fieldId) {
  return fieldId == kFieldEntryId || fieldId == kFieldCreateDate ||
         fieldId == kFieldLastModifiedBy || fieldId == kFieldModifiedDate ||
         fieldId == kFieldStatusHistory;
}

// A decimal number: an optional sign, digits, an optional point and digits;
// at least one digit.
bool isDecimal(const std::string& text) {
  size_t i = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
  bool digit = false, point = false;
  for (; i < text.size(); ++i) {
    if (text[i] >= '0' && text[i] <= '9') {
      digit = true;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digit;
}

std::string textOf(const char* text) {
  return text == nullptr ? std::string() : std::string(text);
}

std::string fieldText(uint32_t fieldId) {
  return "field " + std::to_string(fieldId);
}

// An attachment as sent: its data in memory (location type 2) or none
// (type 0, with sizes 0), the compressed size the length of the data, and
// data that is said to be packed (sizes that differ) a container that
// unpacks to the original size.
template <class Invalid>
std::optional<EntryError> attachmentFrom(const TQAttachStruct& attach, Invalid& invalid,
                                         StoredValue* out) {
  out->text = textOf(attach.name);
  out->number = attach.originalSize;
  out->packedSize = attach.compressedSize;
  out->hasData = true;
  if (attach.originalSize < 0 || attach.compressedSize < 0) {
    return invalid("an attachment size is negative");
  }
  if (attach.loc.locationType == 0) {
    if (attach.originalSize != 0 || attach.compressedSize != 0) {
      return invalid("the attachment has sizes but no data");
    }
    return std::nullopt;
  }
  if (attach.loc.locationType != TQ_LOC_BUFFER) return invalid("the attachment has no data");
  const TQBufStruct& buf = attach.loc.u.buf;
  if (buf.bufferSize != static_cast<uint32_t>(attach.compressedSize)) {
    return invalid("the attachment's data is not its compressed size long");
  }
  if (attach.compressedSize != attach.originalSize) {
    constexpr uint32_t kContainerHeader = 8;
    const unsigned char* b = buf.buffer;
    const bool container = buf.bufferSize >= kContainerHeader + 4 && b[0] == 0x1F &&
                           b[1] == 0x8C &&
                           (uint32_t{b[4]} | uint32_t{b[5]} << 8 | uint32_t{b[6]} << 16 |
                            uint32_t{b[7]} << 24) == static_cast<uint32_t>(attach.originalSize);
    if (!container) return invalid("the attachment's packed data does not hold its original size");
  }
  out->data.assign(reinterpret_cast<const char*>(buf.buffer), buf.bufferSize);
  return std::nullopt;
}

// The stored form of a value whose data type equals its field's; a fault
// of the value itself comes back as an error.
std::optional<EntryError> storedFrom(const FieldDef& field, const TQValueStruct& value,
                                     uint32_t version, StoredValue* out) {
  out->dataType = value.dataType;
  auto invalid = [&](const std::string& why) {
    return EntryError{kMsgInvalidValue, fieldText(field.id) + ": " + why};
  };
  switch (value.dataType) {
    case TQ_DATA_TYPE_INTEGER:
      out->number = value.u.intVal;
      break;
    case TQ_DATA_TYPE_REAL:
      out->real = value.u.realVal;
      break;
    case TQ_DATA_TYPE_ENUM:
      if (value.u.enumVal >= field.enumValues.size()) {
        return invalid(std::to_string(value.u.enumVal) + " is not 0 to " +
                       std::to_string(field.enumValues.size() - 1));
      }
      out->number = value.u.enumVal;
      break;
    case TQ_DATA_TYPE_TIME:
      out->number = value.u.timeVal;
      break;
    case TQ_DATA_TYPE_BITMASK:
      out->number = value.u.maskVal;
      break;
    case TQ_DATA_TYPE_ULONG:
      out->number = value.u.ulongVal;
      break;
    case TQ_DATA_TYPE_CHAR:
      out->text = textOf(value.u.charVal);
      if (field.id == kFieldPassword) {
        if (out->text.size() > kScrambledLength) return invalid("longer than 30 characters");
        if (version >= 6 && out->text.size() == kScrambledLength) {
          out->text = clearField102(out->text);
        }
      }
      break;
    case TQ_DATA_TYPE_DIARY:
      out->text = textOf(value.u.diaryVal);
      // The byte 0x03 ends an item of the encoded diary.
      if (out->text.find('\x03') != std::string::npos) return invalid("holds the byte 0x03");
      break;
    case TQ_DATA_TYPE_DECIMAL:
      out->text = textOf(value.u.decimalVal);
      if (!isDecimal(out->text)) return invalid("'" + out->text + "' is not a decimal number");
      break;
    case TQ_DATA_TYPE_ATTACH:
      if (value.u.attachVal == nullptr) {
        out->dataType = TQ_DATA_TYPE_NULL;
        break;
      }
      return attachmentFrom(*value.u.attachVal, invalid, out);
    default:
      break;
  }
  return std::nullopt;
}

// The normalised entry id that a merge gives in field 1.
std::optional<EntryError> entryIdFrom(const TQValueStruct& value, std::string* id) {
  *id = normalEntryId(textOf(value.dataType == TQ_DATA_TYPE_CHAR ? value.u.charVal : nullptr));
  bool printable = std::all_of(id->begin(), id->end(),
                               [](char c) { return static_cast<unsigned char>(c) >= 0x20; });
  if (id->empty() || id->size() > kEntryIdLength || !printable) {
    return EntryError{kMsgInvalidValue,
                      fieldText(kFieldEntryId) + ": '" + *id + "' is not an entry id"};
  }
  return std::nullopt;
}

}  // namespace

std::optional<EntryError> checkChanges(const FormDef& form, const TQFieldValueList& list,
                                       uint32_t version, bool entryIdAllowed,
                                       std::vector<FieldChange>* changes,
                                       std::optional<std::string>* entryId) {
  changes->clear();
  entryId->reset();
  for (uint32_t i = 0; i < list.numItems; ++i) {
    const TQFieldValueStruct& item = list.fieldValueList[i];
    const FieldDef* field = form.field(item.fieldId);
    if (field == nullptr) {
      return EntryError{kMsgNoSuchField, std::to_string(item.fieldId)};
    }
    const uint32_t given = item.value.dataType;
    if (given != TQ_DATA_TYPE_NULL && given != field->dataType) {
      return EntryError{kMsgWrongDataType, fieldText(field->id) + " takes " +
                                               dataTypeName(field->dataType) + " values, not " +
                                               dataTypeName(given)};
    }
    if (field->id == kFieldEntryId && entryIdAllowed && given != TQ_DATA_TYPE_NULL) {
      std::string id;
      if (auto error = entryIdFrom(item.value, &id)) return error;
      *entryId = id;
      continue;
    }
    if (serverKept(field->id)) return EntryError{kMsgServerField, std::to_string(field->id)};
    if (field->id == kFieldStatus && given == TQ_DATA_TYPE_NULL) {
      return EntryError{kMsgInvalidValue, fieldText(field->id) + ": the status cannot be null"};
    }
    FieldChange change{field->id, {}};
    if (auto error = storedFrom(*field, item.value, version, &change.value)) return error;
    changes->push_back(std::move(change));
  }
  return std::nullopt;
}

bool toWireValue(uint32_t fieldId, const StoredValue& stored, uint32_t version,
                 TQValueStruct* out) {
  *out = TQValueStruct{};
  out->dataType = stored.dataType;
  switch (stored.dataType) {
    case TQ_DATA_TYPE_INTEGER:
      out->u.intVal = static_cast<int32_t>(stored.number);
      return true;
    case TQ_DATA_TYPE_REAL:
      out->u.realVal = stored.real;
      return true;
    case TQ_DATA_TYPE_ENUM:
      out->u.enumVal = static_cast<uint32_t>(stored.number);
      return true;
    case TQ_DATA_TYPE_TIME:
      out->u.timeVal = static_cast<TQTimestamp>(stored.number);
      return true;
    case TQ_DATA_TYPE_BITMASK:
      out->u.maskVal = static_cast<uint32_t>(stored.number);
      return true;
    case TQ_DATA_TYPE_ULONG:
      out->u.ulongVal = static_cast<uint32_t>(stored.number);
      return true;
    case TQ_DATA_TYPE_CHAR:
    case TQ_DATA_TYPE_DIARY:
    case TQ_DATA_TYPE_DECIMAL:
      break;
    case TQ_DATA_TYPE_ATTACH: {
      // The name and sizes; the data comes with procedure 80.
      auto* attach = static_cast<TQAttachStruct*>(std::calloc(1, sizeof(TQAttachStruct)));
      if (attach != nullptr) attach->name = strdup(stored.text.c_str());
      if (attach == nullptr || attach->name == nullptr) {
        std::free(attach);
        out->dataType = TQ_DATA_TYPE_NULL;
        return false;
      }
      attach->originalSize = static_cast<int32_t>(stored.number);
      attach->compressedSize = static_cast<int32_t>(stored.packedSize);
      out->u.attachVal = attach;
      return true;
    }
    default:
      return true;
  }
  std::string text = stored.text;
  if (fieldId == kFieldPassword && version >= 6 && !text.empty()) {
    char scrambled[kScrambledLength + 1] = {};
    std::memcpy(scrambled, text.data(), std::min(text.size(), kScrambledLength));
    tqScrambleField102(scrambled);
    text = scrambled;
  }
  // charVal, diaryVal and decimalVal share their place in the union.
  out->u.charVal = strdup(text.c_str());
  if (out->u.charVal == nullptr) {
    out->dataType = TQ_DATA_TYPE_NULL;
    return false;
  }
  return true;
}

std::string clearField102(const std::string& scrambled) {
  char clear[kScrambledLength + 1] = {};
  const size_t length = tqClearField102(scrambled.c_str(), clear);
  return std::string(clear, length);
}

}  // namespace tqsd
