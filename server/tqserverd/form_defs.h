// The definition records of the forms, their fields and their views, and
// how they meet the form tables that the entry handlers read (form_store.h):
// a field's record is its whole definition; its row in the fields table
// (data type, name, default-view label, enumeration names) is derived from
// the record at every write, so a field created, changed or deleted through
// the definition procedures is what entries see from the next call on.
//
// Every form has a default view, id 1, named and labelled "Default View":
// its properties mark it the default (property 161, enumerated value 1) and
// carry its label (property 20). A field's label in a view is property 20
// of the field's display instance for that view id.
#pragma once

#include <cstdint>
#include <string>

#include "form_store.h"
#include "rpc/procedure_records_defs.h"

namespace tqsd {

inline constexpr uint32_t kPropLabel = 20;
inline constexpr uint32_t kPropDefaultView = 161;
inline constexpr uint32_t kDefaultViewId = 1;
inline constexpr const char* kDefaultViewName = "Default View";

// Adds the schema, field and default-view records that the stored forms
// lack (forms of the seed file, forms of an older store). Runs inside the
// start-up transaction.
void addMissingFormDefinitions(TQTimestamp now);

// The record of a field as the seed file declares it.
void seedFieldRecord(const FieldDef& field, TQTimestamp now, TQGetFieldResult* record);

// Writes a field's row (and enumeration names) in the fields table from its
// record, replacing the row it had.
void syncFieldRow(int64_t formKey, uint32_t fieldId, const TQGetFieldResult& record);

// Removes a field from a form with every value entries hold for it.
void removeFieldRows(int64_t formKey, uint32_t fieldId);

// Removes a form, its fields, its entries and their values.
void removeFormRows(int64_t formKey);

// The name a view's row is kept under: its name, or for a view without a
// name a key of its id that no name can equal.
std::string viewKey(const std::string& viewName, uint32_t viewId);

}  // namespace tqsd
