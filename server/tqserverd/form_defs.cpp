// The definition records of forms, fields and views (see form_defs.h).
#include "form_defs.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "def_common.h"
#include "def_record.h"
#include "def_store.h"
#include "rpc/xdr_proc.h"
#include "store.h"

namespace tqsd {
namespace {

char* heapCopy(const std::string& text) {
  char* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (copy == nullptr) throw std::bad_alloc();
  std::memcpy(copy, text.data(), text.size());
  copy[text.size()] = '\0';
  return copy;
}

template <class T>
T* heapArray(size_t count) {
  auto* items = static_cast<T*>(std::calloc(count == 0 ? 1 : count, sizeof(T)));
  if (items == nullptr) throw std::bad_alloc();
  return items;
}

// The fields the server fills itself are shown, never given.
bool serverSet(uint32_t id) {
  return id == kFieldEntryId || id == kFieldCreateDate || id == kFieldLastModifiedBy ||
         id == kFieldModifiedDate || id == kFieldStatusHistory;
}

constexpr uint32_t kOptionOptional = 2;
constexpr uint32_t kOptionDisplayOnly = 4;
constexpr uint32_t kCreateModeOpen = 1;
constexpr uint32_t kMappingRegular = 1;

void fillLimit(const FieldDef& field, TQFieldLimitStruct* limit) {
  switch (field.dataType) {
    case TQ_DATA_TYPE_INTEGER:
      limit->dataType = field.dataType;
      limit->u.intLimits.rangeLow = INT32_MIN;
      limit->u.intLimits.rangeHigh = INT32_MAX;
      break;
    case TQ_DATA_TYPE_REAL:
      limit->dataType = field.dataType;
      limit->u.realLimits.rangeLow = -1e308;
      limit->u.realLimits.rangeHigh = 1e308;
      limit->u.realLimits.precision = -1;
      break;
    case TQ_DATA_TYPE_CHAR:
      limit->dataType = field.dataType;
      limit->u.charLimits.maxLength = 0;
      limit->u.charLimits.menuStyle = TQ_MENU_STYLE_APPEND;
      limit->u.charLimits.qbeMatchOperation = TQ_QBE_MATCH_ANYWHERE;
      limit->u.charLimits.pattern = heapCopy("");
      break;
    case TQ_DATA_TYPE_DIARY:
      limit->dataType = field.dataType;
      break;
    case TQ_DATA_TYPE_ENUM:
    case TQ_DATA_TYPE_BITMASK: {
      limit->dataType = field.dataType;
      TQNameList& names = limit->u.enumLimits;
      names.nameList = heapArray<TQNameType>(field.enumValues.size());
      names.numItems = static_cast<uint32_t>(field.enumValues.size());
      for (size_t i = 0; i < field.enumValues.size(); ++i) {
        setName(names.nameList[i], field.enumValues[i]);
      }
      break;
    }
    case TQ_DATA_TYPE_DECIMAL:
      limit->dataType = field.dataType;
      limit->u.decimalLimits.rangeLow = heapCopy("-99999999999999999999");
      limit->u.decimalLimits.rangeHigh = heapCopy("99999999999999999999");
      limit->u.decimalLimits.precision = 2;
      break;
    default:
      limit->dataType = TQ_DATA_TYPE_NULL;  // no limits of its own
      break;
  }
}

void fillLabelProps(const std::string& label, TQPropList* props) {
  props->props = heapArray<TQPropStruct>(1);
  props->numItems = 1;
  props->props[0].propertyTag = kPropLabel;
  props->props[0].value.dataType = TQ_DATA_TYPE_CHAR;
  props->props[0].value.u.charVal = heapCopy(label);
}

void fillCommon(TQTimestamp now, TQCommonAttributes* common) {
  common->helpText = heapCopy("");
  common->changeDiary = heapCopy("");
  common->changed = now;
}

// The text of property 20 in a list, or nothing.
const char* labelIn(const TQPropList& props) {
  for (uint32_t i = 0; i < props.numItems && props.props != nullptr; ++i) {
    const TQPropStruct& p = props.props[i];
    if (p.propertyTag == kPropLabel && p.value.dataType == TQ_DATA_TYPE_CHAR) {
      return p.value.u.charVal;
    }
  }
  return nullptr;
}

void addSchemaRecord(const std::string& form, TQTimestamp now) {
  OwnedRecord<TQGetSchemaResult> record(xdr_TQGetSchemaResult6);
  record->schema.schemaType = TQ_SCHEMA_REGULAR;
  fillCommon(now, &record->common);
  insertDef(DefKind::kSchema, "", DefRow{form, std::nullopt, "", now, record.encode()});
}

void addDefaultView(const std::string& form, TQTimestamp now) {
  OwnedRecord<TQGetVUIResult> record(xdr_TQGetVUIResult6);
  setName(record->viewName, kDefaultViewName);
  TQPropList& props = record->props;
  props.props = heapArray<TQPropStruct>(2);
  props.numItems = 2;
  props.props[0].propertyTag = kPropDefaultView;
  props.props[0].value.dataType = TQ_DATA_TYPE_ENUM;
  props.props[0].value.u.enumVal = 1;
  props.props[1].propertyTag = kPropLabel;
  props.props[1].value.dataType = TQ_DATA_TYPE_CHAR;
  props.props[1].value.u.charVal = heapCopy(kDefaultViewName);
  fillCommon(now, &record->common);
  insertDef(DefKind::kView, form,
            DefRow{kDefaultViewName, kDefaultViewId, "", now, record.encode()});
}

}  // namespace

void seedFieldRecord(const FieldDef& field, TQTimestamp now, TQGetFieldResult* record) {
  setName(record->fieldName, field.name);
  record->mapping.fieldType = kMappingRegular;
  record->dataType = field.dataType;
  record->option = serverSet(field.id) ? kOptionDisplayOnly : kOptionOptional;
  record->createMode = kCreateModeOpen;
  fillLimit(field, &record->limit);
  record->displays.dInstanceList = heapArray<TQDisplayInstanceStruct>(1);
  record->displays.numItems = 1;
  record->displays.dInstanceList[0].vui = kDefaultViewId;
  fillLabelProps(field.label, &record->displays.dInstanceList[0].props);
  fillCommon(now, &record->common);
}

void addMissingFormDefinitions(TQTimestamp now) {
  for (const FormDef& form : [] {
         std::vector<FormDef> forms;
         Query q(store(), "SELECT form, name FROM forms ORDER BY form");
         while (q.next())
           forms.push_back(FormDef{q.bytes(1), {}, q.integer(0)});
         return forms;
       }()) {
    if (!findDef(DefKind::kSchema, "", form.name)) addSchemaRecord(form.name, now);
    if (!findDefById(DefKind::kView, form.name, kDefaultViewId)) addDefaultView(form.name, now);
    Query rows(store(), "SELECT field, data_type, name, label FROM fields WHERE form = ?");
    rows.bind(form.storeKey);
    std::vector<FieldDef> fields;
    while (rows.next()) {
      fields.push_back(FieldDef{static_cast<uint32_t>(rows.integer(0)),
                                static_cast<uint32_t>(rows.integer(1)),
                                rows.bytes(2),
                                rows.bytes(3),
                                {}});
    }
    for (FieldDef& field : fields) {
      if (findDefById(DefKind::kField, form.name, field.id)) continue;
      Query values(store(),
                   "SELECT name FROM enum_values WHERE form = ? AND field = ? ORDER BY position");
      values.bind(form.storeKey).bind(int64_t{field.id});
      while (values.next())
        field.enumValues.push_back(values.bytes(0));
      OwnedRecord<TQGetFieldResult> record(xdr_TQGetFieldResult6);
      seedFieldRecord(field, now, &*record);
      insertDef(DefKind::kField, form.name, DefRow{field.name, field.id, "", now, record.encode()});
    }
  }
}

void syncFieldRow(int64_t formKey, uint32_t fieldId, const TQGetFieldResult& record) {
  const char* label = nullptr;
  for (uint32_t i = 0; i < record.displays.numItems && record.displays.dInstanceList != nullptr;
       ++i) {
    if (record.displays.dInstanceList[i].vui == kDefaultViewId) {
      label = labelIn(record.displays.dInstanceList[i].props);
    }
  }
  if (label == nullptr) label = labelIn(record.displays.commonProps);
  const std::string name = nameOf(record.fieldName);
  Query(store(), "DELETE FROM enum_values WHERE form = ? AND field = ?")
      .bind(formKey)
      .bind(int64_t{fieldId})
      .run();
  Query(store(),
        "INSERT OR REPLACE INTO fields (form, field, data_type, name, label) "
        "VALUES (?, ?, ?, ?, ?)")
      .bind(formKey)
      .bind(int64_t{fieldId})
      .bind(int64_t{record.dataType})
      .bind(name)
      .bind(label == nullptr ? name : std::string(label))
      .run();
  if (record.limit.dataType != TQ_DATA_TYPE_ENUM) return;
  const TQNameList& names = record.limit.u.enumLimits;
  for (uint32_t i = 0; i < names.numItems && names.nameList != nullptr; ++i) {
    Query(store(), "INSERT INTO enum_values (form, field, position, name) VALUES (?, ?, ?, ?)")
        .bind(formKey)
        .bind(int64_t{fieldId})
        .bind(int64_t{i})
        .bind(nameOf(names.nameList[i]))
        .run();
  }
}

void removeFieldRows(int64_t formKey, uint32_t fieldId) {
  static const char* const kStatements[] = {
      "DELETE FROM entry_values WHERE form = ? AND field = ?",
      "DELETE FROM diary_items WHERE form = ? AND field = ?",
      "DELETE FROM attachments WHERE form = ? AND field = ?",
      "DELETE FROM enum_values WHERE form = ? AND field = ?",
      "DELETE FROM fields WHERE form = ? AND field = ?",
  };
  for (const char* sql : kStatements) {
    Query(store(), sql).bind(formKey).bind(int64_t{fieldId}).run();
  }
  if (fieldId == kFieldStatus) {
    Query(store(), "DELETE FROM status_history WHERE form = ?").bind(formKey).run();
  }
}

void removeFormRows(int64_t formKey) {
  static const char* const kStatements[] = {
      "DELETE FROM entry_values WHERE form = ?",   "DELETE FROM diary_items WHERE form = ?",
      "DELETE FROM status_history WHERE form = ?", "DELETE FROM attachments WHERE form = ?",
      "DELETE FROM entries WHERE form = ?",        "DELETE FROM enum_values WHERE form = ?",
      "DELETE FROM fields WHERE form = ?",         "DELETE FROM forms WHERE form = ?",
  };
  for (const char* sql : kStatements)
    Query(store(), sql).bind(formKey).run();
}

std::string viewKey(const std::string& viewName, uint32_t viewId) {
  if (!viewName.empty()) return viewName;
  return std::string("\x01", 1) + std::to_string(viewId);
}

}  // namespace tqsd
