// One field of an action: its id, its type and its value text, and the
// conversion of a list of them into the library's records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tqlink.h"

namespace tixgrab {

enum class FieldType { Char, Int, Real, Time, Enum, Null, Key, Diary, Bit, Dec };

class FieldSpec {
 public:
  // Raises TqAccessException "Unknown field type '<name>'" for a type name
  // that is not known (names compared without regard to case). The value is
  // trimmed of blanks and tabs.
  FieldSpec(std::string id, const std::string& typeName, const std::string& value);

  const std::string& id() const { return id_; }
  FieldType type() const { return type_; }
  const std::string& value() const { return value_; }
  // The numeric field id (as atol; a non-numeric id gives 0).
  uint32_t fieldId() const;
  uint32_t dataType() const;

  // Fills item from this FieldSpec. Texts point into its working copy, which
  // holds the value with "[LOGMSG]" replaced when logMessage is given.
  void fill(TQFieldValueStruct& item, const std::string* logMessage);

 private:
  std::string id_;
  FieldType type_;
  std::string value_;
  std::string working_;
};

// A field value list built from field specs. It owns its array; the texts
// stay owned by the specs, which must outlive it.
class FieldValueListBuffer {
 public:
  FieldValueListBuffer(std::vector<FieldSpec>& specs, const std::string* logMessage = nullptr);
  FieldValueListBuffer(const FieldValueListBuffer&) = delete;
  FieldValueListBuffer& operator=(const FieldValueListBuffer&) = delete;
  TQFieldValueList* get() { return &list_; }

 private:
  std::vector<TQFieldValueStruct> items_;
  TQFieldValueList list_{};
};

// The numeric ids of field specs as an internal id list.
class InternalIdListBuffer {
 public:
  explicit InternalIdListBuffer(const std::vector<FieldSpec>& specs);
  InternalIdListBuffer(const InternalIdListBuffer&) = delete;
  InternalIdListBuffer& operator=(const InternalIdListBuffer&) = delete;
  TQInternalIdList* get() { return &list_; }

 private:
  std::vector<uint32_t> ids_;
  TQInternalIdList list_{};
};

}  // namespace tixgrab
