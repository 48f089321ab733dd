#include "field_spec.h"

#include <array>
#include <string_view>

#include "text_util.h"
#include "tool_exceptions.h"

namespace tixgrab {

namespace {

struct TypeInfo {
  std::string_view name;
  FieldType type;
  uint32_t dataType;
};

constexpr std::array<TypeInfo, 10> kTypes = {{
    {"CHAR", FieldType::Char, TQ_DATA_TYPE_CHAR},
    {"INT", FieldType::Int, TQ_DATA_TYPE_INTEGER},
    {"REAL", FieldType::Real, TQ_DATA_TYPE_REAL},
    {"TIME", FieldType::Time, TQ_DATA_TYPE_TIME},
    {"ENUM", FieldType::Enum, TQ_DATA_TYPE_ENUM},
    {"NULL", FieldType::Null, TQ_DATA_TYPE_NULL},
    {"KEY", FieldType::Key, TQ_DATA_TYPE_KEYWORD},
    {"DIARY", FieldType::Diary, TQ_DATA_TYPE_DIARY},
    {"BIT", FieldType::Bit, TQ_DATA_TYPE_BITMASK},
    {"DEC", FieldType::Dec, TQ_DATA_TYPE_DECIMAL},
}};

FieldType typeFromName(const std::string& name) {
  for (const TypeInfo& info : kTypes) {
    if (equalsNoCase(info.name, name)) return info.type;
  }
  throw TqAccessException("Unknown field type '" + name + "'");
}

}  // namespace

FieldSpec::FieldSpec(std::string id, const std::string& typeName, const std::string& value)
    : id_(std::move(id)), type_(typeFromName(typeName)), value_(trim(value)) {}

uint32_t FieldSpec::fieldId() const {
  return static_cast<uint32_t>(toLong(id_));
}

uint32_t FieldSpec::dataType() const {
  for (const TypeInfo& info : kTypes) {
    if (info.type == type_) return info.dataType;
  }
  return TQ_DATA_TYPE_NULL;
}

void FieldSpec::fill(TQFieldValueStruct& item, const std::string* logMessage) {
  item = TQFieldValueStruct{};
  item.fieldId = fieldId();
  item.value.dataType = dataType();
  working_ = logMessage ? replaceAllNoCase(value_, "[LOGMSG]", *logMessage) : value_;
  const int32_t number = static_cast<int32_t>(toLong(value_));
  switch (type_) {
    case FieldType::Char:
      item.value.u.charVal = working_.data();
      break;
    case FieldType::Diary:
      item.value.u.diaryVal = working_.data();
      break;
    case FieldType::Dec:
      item.value.u.decimalVal = working_.data();
      break;
    case FieldType::Int:
      item.value.u.intVal = number;
      break;
    case FieldType::Real:
      item.value.u.realVal = toDouble(value_);
      break;
    case FieldType::Time:
      item.value.u.timeVal = number;
      break;
    case FieldType::Enum:
      item.value.u.enumVal = static_cast<uint32_t>(number);
      break;
    case FieldType::Key:
      item.value.u.keyNum = static_cast<uint32_t>(number);
      break;
    case FieldType::Bit:
      item.value.u.maskVal = static_cast<uint32_t>(number);
      break;
    case FieldType::Null:
      break;
  }
}

FieldValueListBuffer::FieldValueListBuffer(std::vector<FieldSpec>& specs,
                                           const std::string* logMessage)
    : items_(specs.size()) {
  for (size_t i = 0; i < specs.size(); ++i)
    specs[i].fill(items_[i], logMessage);
  list_.numItems = static_cast<uint32_t>(items_.size());
  list_.fieldValueList = items_.empty() ? nullptr : items_.data();
}

InternalIdListBuffer::InternalIdListBuffer(const std::vector<FieldSpec>& specs) {
  for (const FieldSpec& spec : specs)
    ids_.push_back(spec.fieldId());
  list_.numItems = static_cast<uint32_t>(ids_.size());
  list_.internalIdList = ids_.empty() ? nullptr : ids_.data();
}

}  // namespace tixgrab
