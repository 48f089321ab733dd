// Forms as definitions: schemas (procedures 7 to 11), their fields (12 to
// 15, 43, 56, and 60, the names of a form's fields) and their views (62 to
// 66). The records live in the definition store (form_defs.h); creating,
// changing or deleting a form or a field changes the form tables the entry
// handlers read in the same transaction, and the form store is read again
// once the call has committed.
#include <algorithm>
#include <cstdlib>

#include "def_common.h"
#include "def_named.h"
#include "def_record.h"
#include "form_defs.h"
#include "form_store.h"
#include "handler_families.h"
#include "rpc/xdr_proc.h"
#include "share/apisrv/error.h"
#include "store.h"

namespace tqsd {
namespace {

// Field ids a create picks when it is given none start above the ids that
// forms usually declare themselves.
constexpr uint32_t kFirstPickedFieldId = 536870913;
constexpr uint32_t kFirstPickedViewId = 2;

// Field-type mask bits of a field list: 1 data fields, then display-only
// kinds of field by data type.
uint32_t fieldTypeBit(uint32_t dataType) {
  switch (dataType) {
    case TQ_DATA_TYPE_DISPLAY_31:
      return 2;  // trim
    case TQ_DATA_TYPE_DISPLAY_32:
      return 4;  // control
    case TQ_DATA_TYPE_TABLE:
      return 32;  // table
    case TQ_DATA_TYPE_COLUMN:
      return 64;  // column
    case TQ_DATA_TYPE_NOWIRE_35:
      return 8;  // page
    case TQ_DATA_TYPE_NOWIRE_36:
      return 16;  // page holder
    default:
      return 1;
  }
}

// The form a request names, with its store key; an error status otherwise.
std::optional<FormDef> formNamed(Call& call, const char* schema) {
  const std::string name = textOf(schema);
  Query q(store(), "SELECT form FROM forms WHERE name = ?");
  q.bind(name);
  if (!q.next()) {
    refuseUnknown(call, DefKind::kSchema, name);
    return std::nullopt;
  }
  FormDef form;
  form.name = name;
  form.storeKey = q.integer(0);
  return form;
}

// The field or view a request names by form and id, with its form; an
// error status otherwise.
std::optional<DefRow> scopedRow(Call& call, const char* schema, DefKind kind, uint32_t id,
                                FormDef* form) {
  std::optional<FormDef> found = formNamed(call, schema);
  if (!found) return std::nullopt;
  *form = *found;
  std::optional<DefRow> row = findDefById(kind, form->name, id);
  if (!row) refuseUnknown(call, kind, std::to_string(id));
  return row;
}

// Commits a call that changed forms or fields and shows the change to the
// entry handlers.
void commitForms(Transaction& transaction) {
  transaction.commit();
  reloadForms();
}

// ------------------------------------------------------------------ schemas

template <class A>
bool takeSchema(A& a, TQGetSchemaResult& r, Changes& c) {
  c.take(a.schema, r.schema);
  c.take(a.groups, r.groups);
  c.take(a.adminGroups, r.adminGroups);
  c.take(a.queryListFields, r.queryListFields);
  c.take(a.sort, r.sort);
  c.take(a.indexes, r.indexes);
  return true;
}

void getSchema(Call& call, TQNameMaskArgs& args, TQGetSchemaResult& result) {
  const std::string name = textOf(args.name);
  std::optional<DefRow> row = findDef(DefKind::kSchema, "", name);
  if (!row) return refuseUnknown(call, DefKind::kSchema, name);
  OwnedRecord<TQGetSchemaResult> stored(xdr_TQGetSchemaResult6);
  stored.decode(row->body);
  answerRecord(*stored, result);
}

void setSchema(Call& call, TQSetSchemaArgs& args, TQStatusResult&) {
  Transaction transaction(store());
  std::optional<FormDef> form = formNamed(call, args.name);
  if (!form) return;
  std::optional<DefRow> row = findDef(DefKind::kSchema, "", form->name);
  if (!row) return refuseUnknown(call, DefKind::kSchema, form->name);
  OwnedRecord<TQGetSchemaResult> stored(xdr_TQGetSchemaResult6);
  stored.decode(row->body);
  Changes changes(args.changedMask);
  DefRow next = *row;
  if (changes.renames() && textOf(args.newName) != form->name) {
    next.name = textOf(args.newName);
    if (!checkNewName(call, next.name)) return;
    if (findDef(DefKind::kSchema, "", next.name)) {
      return refuseExisting(call, DefKind::kSchema, next.name);
    }
    Query(store(), "UPDATE forms SET name = ? WHERE form = ?")
        .bind(next.name)
        .bind(form->storeKey)
        .run();
    renameScope(form->name, next.name);
    renameServedForm(form->name, next.name);
  }
  takeSchema(args, *stored, changes);
  takeCommon(call, changes, args.common, stored->common, false);
  next.changed = nowOf(call);
  next.body = stored.encode();
  updateDef(DefKind::kSchema, "", form->name, next);
  commitForms(transaction);
}

// A new form holds the fields the server keeps for every entry.
void addCoreFields(const std::string& form, int64_t formKey, TQTimestamp now) {
  const FieldDef core[] = {
      {kFieldEntryId, TQ_DATA_TYPE_CHAR, "EntryId", "Entry ID", {}},
      {kFieldSubmitter, TQ_DATA_TYPE_CHAR, "Submitter", "Submitter", {}},
      {kFieldCreateDate, TQ_DATA_TYPE_TIME, "CreateDate", "Create Date", {}},
      {kFieldLastModifiedBy, TQ_DATA_TYPE_CHAR, "LastModifiedBy", "Last Modified By", {}},
      {kFieldModifiedDate, TQ_DATA_TYPE_TIME, "ModifiedDate", "Modified Date", {}},
  };
  for (const FieldDef& field : core) {
    OwnedRecord<TQGetFieldResult> record(xdr_TQGetFieldResult6);
    seedFieldRecord(field, now, &*record);
    syncFieldRow(formKey, field.id, *record);
    insertDef(DefKind::kField, form, DefRow{field.name, field.id, "", now, record.encode()});
  }
}

void createSchema(Call& call, TQCreateSchemaArgs& args, TQStatusResult&) {
  Transaction transaction(store());
  const std::string name = textOf(args.name);
  if (!checkNewName(call, name)) return;
  if (findDef(DefKind::kSchema, "", name)) return refuseExisting(call, DefKind::kSchema, name);
  OwnedRecord<TQGetSchemaResult> stored(xdr_TQGetSchemaResult6);
  Changes changes = Changes::all();
  takeSchema(args, *stored, changes);
  takeCommon(call, changes, args.common, stored->common, true);
  Query(store(), "INSERT INTO forms (name) VALUES (?)").bind(name).run();
  const int64_t formKey = sqlite3_last_insert_rowid(store().handle());
  insertDef(DefKind::kSchema, "", DefRow{name, std::nullopt, "", nowOf(call), stored.encode()});
  addMissingFormDefinitions(nowOf(call));  // the default view
  addCoreFields(name, formKey, nowOf(call));
  commitForms(transaction);
}

void deleteSchema(Call& call, TQNameOptionArgs& args, TQStatusResult&) {
  Transaction transaction(store());
  std::optional<FormDef> form = formNamed(call, args.name);
  if (!form) return;
  removeFormRows(form->storeKey);
  removeScope(form->name);
  removeServedForm(form->name);
  removeDef(DefKind::kSchema, "", form->name);
  commitForms(transaction);
}

void listSchemas(Call& call, TQGetListSchemaArgs& args, TQNameListResult& result) {
  answerNames(call, listDefs(DefKind::kSchema, "", args.changedSince), &result.names);
}

// ------------------------------------------------------------------- fields

template <class A>
void takeField(A& a, TQGetFieldResult& r, Changes& c) {
  c.take(a.option, r.option);
  c.take(a.createMode, r.createMode);
  c.take(a.defaultValue, r.defaultValue);
  c.take(a.permissions, r.permissions);
  c.take(a.limit, r.limit);
  c.take(a.displays, r.displays);
}

void getField(Call& call, TQFieldMaskArgs& args, TQGetFieldResult& result) {
  FormDef form;
  std::optional<DefRow> row = scopedRow(call, args.schema, DefKind::kField, args.fieldId, &form);
  if (!row) return;
  OwnedRecord<TQGetFieldResult> stored(xdr_TQGetFieldResult6);
  stored.decode(row->body);
  answerRecord(*stored, result);
}

// A limit, when given, must be of the field's data type.
bool limitSuits(Call& call, const TQGetFieldResult& record) {
  if (record.limit.dataType == TQ_DATA_TYPE_NULL || record.limit.dataType == record.dataType) {
    return true;
  }
  addStatus(call, TQ_MSG_ERROR, kMsgBadDefinition, "the limit is not of the field's data type");
  return false;
}

void setField(Call& call, TQSetFieldArgs& args, TQStatusResult&) {
  Transaction transaction(store());
  FormDef form;
  std::optional<DefRow> row = scopedRow(call, args.schema, DefKind::kField, args.fieldId, &form);
  if (!row) return;
  OwnedRecord<TQGetFieldResult> stored(xdr_TQGetFieldResult6);
  stored.decode(row->body);
  Changes changes(args.changedMask);
  DefRow next = *row;
  if (changes.renames() && textOf(args.fieldName) != row->name) {
    next.name = textOf(args.fieldName);
    if (!checkNewName(call, next.name)) return;
    if (findDef(DefKind::kField, form.name, next.name)) {
      return refuseExisting(call, DefKind::kField, next.name);
    }
    setName(stored->fieldName, next.name);
  }
  takeField(args, *stored, changes);
  if (!limitSuits(call, *stored)) return;
  takeCommon(call, changes, args.common, stored->common, false);
  next.changed = nowOf(call);
  next.body = stored.encode();
  updateDef(DefKind::kField, form.name, row->name, next);
  syncFieldRow(form.storeKey, args.fieldId, *stored);
  commitForms(transaction);
}

void createField(Call& call, TQCreateFieldArgs& args, TQIdResult& result) {
  Transaction transaction(store());
  std::optional<FormDef> form = formNamed(call, args.schema);
  if (!form) return;
  const std::string name = textOf(args.fieldName);
  if (!checkNewName(call, name)) return;
  if (findDef(DefKind::kField, form->name, name)) {
    return refuseExisting(call, DefKind::kField, name);
  }
  uint32_t id = args.fieldId;
  if (id == 0) id = std::max(kFirstPickedFieldId, largestDefId(DefKind::kField, form->name) + 1);
  if (findDefById(DefKind::kField, form->name, id)) {
    return refuseExisting(call, DefKind::kField, std::to_string(id));
  }
  OwnedRecord<TQGetFieldResult> stored(xdr_TQGetFieldResult6);
  setName(stored->fieldName, name);
  std::swap(stored->mapping, args.mapping);
  stored->dataType = args.dataType;
  Changes changes = Changes::all();
  takeField(args, *stored, changes);
  if (!limitSuits(call, *stored)) return;
  takeCommon(call, changes, args.common, stored->common, true);
  insertDef(DefKind::kField, form->name, DefRow{name, id, "", nowOf(call), stored.encode()});
  syncFieldRow(form->storeKey, id, *stored);
  commitForms(transaction);
  result.id = id;
}

// Removes one field; false with a status when the form lacks it or it
// cannot go (field 1 names the entries).
bool removeField(Call& call, const FormDef& form, uint32_t fieldId) {
  std::optional<DefRow> row = findDefById(DefKind::kField, form.name, fieldId);
  if (!row) {
    refuseUnknown(call, DefKind::kField, std::to_string(fieldId));
    return false;
  }
  if (fieldId == kFieldEntryId) {
    addStatus(call, TQ_MSG_ERROR, kMsgBadDefinition, "field 1 holds the entry id");
    return false;
  }
  removeFieldRows(form.storeKey, fieldId);
  removeDef(DefKind::kField, form.name, row->name);
  return true;
}

void deleteField(Call& call, TQDeleteFieldArgs& args, TQStatusResult&) {
  Transaction transaction(store());
  std::optional<FormDef> form = formNamed(call, args.schema);
  if (!form || !removeField(call, *form, args.fieldId)) return;
  commitForms(transaction);
}

void deleteMultipleFields(Call& call, TQDeleteMultipleFieldsArgs& args, TQStatusResult&) {
  Transaction transaction(store());
  std::optional<FormDef> form = formNamed(call, args.schema);
  if (!form || !withinItemLimit(call, args.fieldIds.numItems)) return;
  for (uint32_t i = 0; i < args.fieldIds.numItems; ++i) {
    if (!removeField(call, *form, args.fieldIds.internalIdList[i])) return;
  }
  commitForms(transaction);
}

void listFields(Call& call, TQGetListFieldArgs& args, TQIdListResult& result) {
  std::optional<FormDef> form = formNamed(call, args.schema);
  if (!form) return;
  std::vector<uint32_t> ids;
  for (const DefRow& row : listDefs(DefKind::kField, form->name, args.changedSince)) {
    Query q(store(), "SELECT data_type FROM fields WHERE form = ? AND field = ?");
    q.bind(form->storeKey).bind(int64_t{*row.id});
    const uint32_t dataType = q.next() ? static_cast<uint32_t>(q.integer(0)) : 0;
    if (args.typeMask == 0 || (args.typeMask & fieldTypeBit(dataType)) != 0) ids.push_back(*row.id);
  }
  answerIds(call, ids, &result.ids);
}

void listFieldNames(Call& call, TQNameArgs& args, TQNameListResult& result) {
  std::optional<FormDef> form = formNamed(call, args.name);
  if (!form) return;
  answerNames(call, listDefs(DefKind::kField, form->name, 0), &result.names);
}

// -------------------------------------------------------------------- views

void getView(Call& call, TQViewMaskArgs& args, TQGetVUIResult& result) {
  FormDef form;
  std::optional<DefRow> row = scopedRow(call, args.schema, DefKind::kView, args.viewId, &form);
  if (!row) return;
  OwnedRecord<TQGetVUIResult> stored(xdr_TQGetVUIResult6);
  stored.decode(row->body);
  answerRecord(*stored, result);
}

// A view name a set or create gives must be free in the form.
bool viewNameFree(Call& call, const FormDef& form, const std::string& name) {
  if (name.empty() || !findDef(DefKind::kView, form.name, name)) return true;
  refuseExisting(call, DefKind::kView, name);
  return false;
}

void setView(Call& call, TQSetVUIArgs& args, TQStatusResult&) {
  Transaction transaction(store());
  FormDef form;
  std::optional<DefRow> row = scopedRow(call, args.schema, DefKind::kView, args.viewId, &form);
  if (!row) return;
  OwnedRecord<TQGetVUIResult> stored(xdr_TQGetVUIResult6);
  stored.decode(row->body);
  Changes changes(args.changedMask);
  DefRow next = *row;
  if (changes.renames() && textOf(args.viewName) != nameOf(stored->viewName)) {
    const std::string name = textOf(args.viewName);
    if (name.size() > TQ_MAX_NAME_SIZE) return (void)checkNewName(call, name);
    if (!viewNameFree(call, form, name)) return;
    setName(stored->viewName, name);
    next.name = viewKey(name, args.viewId);
  }
  changes.take(args.props, stored->props);
  takeCommon(call, changes, args.common, stored->common, false);
  next.changed = nowOf(call);
  next.body = stored.encode();
  updateDef(DefKind::kView, form.name, row->name, next);
  transaction.commit();
}

void createView(Call& call, TQCreateVUIArgs& args, TQIdResult& result) {
  Transaction transaction(store());
  std::optional<FormDef> form = formNamed(call, args.schema);
  if (!form) return;
  const std::string name = textOf(args.viewName);
  if (name.size() > TQ_MAX_NAME_SIZE) return (void)checkNewName(call, name);
  if (!viewNameFree(call, *form, name)) return;
  uint32_t id = args.viewId;
  if (id == 0) id = std::max(kFirstPickedViewId, largestDefId(DefKind::kView, form->name) + 1);
  if (findDefById(DefKind::kView, form->name, id)) {
    return refuseExisting(call, DefKind::kView, std::to_string(id));
  }
  OwnedRecord<TQGetVUIResult> stored(xdr_TQGetVUIResult6);
  setName(stored->viewName, name);
  Changes changes = Changes::all();
  changes.take(args.props, stored->props);
  takeCommon(call, changes, args.common, stored->common, true);
  insertDef(DefKind::kView, form->name,
            DefRow{viewKey(name, id), id, "", nowOf(call), stored.encode()});
  transaction.commit();
  result.id = id;
}

void deleteView(Call& call, TQViewArgs& args, TQStatusResult&) {
  Transaction transaction(store());
  FormDef form;
  std::optional<DefRow> row = scopedRow(call, args.schema, DefKind::kView, args.viewId, &form);
  if (!row) return;
  removeDef(DefKind::kView, form.name, row->name);
  transaction.commit();
}

void listViews(Call& call, TQSchemaSinceArgs& args, TQIdListResult& result) {
  std::optional<FormDef> form = formNamed(call, args.schema);
  if (!form) return;
  std::vector<uint32_t> ids;
  for (const DefRow& row : listDefs(DefKind::kView, form->name, args.changedSince)) {
    ids.push_back(*row.id);
  }
  answerIds(call, ids, &result.ids);
}

constexpr Handler kHandlers[] = {
    handler<TQNameMaskArgs, TQGetSchemaResult, getSchema>(7),
    handler<TQSetSchemaArgs, TQStatusResult, setSchema>(8),
    handler<TQCreateSchemaArgs, TQStatusResult, createSchema>(9),
    handler<TQNameOptionArgs, TQStatusResult, deleteSchema>(10),
    handler<TQGetListSchemaArgs, TQNameListResult, listSchemas>(11),
    handler<TQFieldMaskArgs, TQGetFieldResult, getField>(12),
    handler<TQSetFieldArgs, TQStatusResult, setField>(13),
    handler<TQCreateFieldArgs, TQIdResult, createField>(14),
    handler<TQGetListFieldArgs, TQIdListResult, listFields>(15),
    handler<TQDeleteFieldArgs, TQStatusResult, deleteField>(43),
    handler<TQDeleteMultipleFieldsArgs, TQStatusResult, deleteMultipleFields>(56),
    handler<TQNameArgs, TQNameListResult, listFieldNames>(60),
    handler<TQViewMaskArgs, TQGetVUIResult, getView>(62),
    handler<TQSetVUIArgs, TQStatusResult, setView>(63),
    handler<TQCreateVUIArgs, TQIdResult, createView>(64),
    handler<TQViewArgs, TQStatusResult, deleteView>(65),
    handler<TQSchemaSinceArgs, TQIdListResult, listViews>(66),
};

}  // namespace

std::span<const Handler> formDefinitionHandlers() {
  return kHandlers;
}

}  // namespace tqsd
