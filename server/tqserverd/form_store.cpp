// The form store (see form_store.h).
#include "form_store.h"

#include <ctime>

#include "form_defs.h"
#include "seed_file.h"
#include "store.h"

namespace tqsd {
namespace {

bool stored(const std::string& name) {
  Query query(store(), "SELECT 1 FROM forms WHERE name = ?");
  return query.bind(name).next();
}

void addForm(const FormDef& form) {
  Query(store(), "INSERT INTO forms (name) VALUES (?)").bind(form.name).run();
  const int64_t key = sqlite3_last_insert_rowid(store().handle());
  for (const FieldDef& field : form.fields) {
    Query(store(), "INSERT INTO fields (form, field, data_type, name, label) VALUES (?, ?, ?, ?, ?)")
        .bind(key)
        .bind(int64_t{field.id})
        .bind(int64_t{field.dataType})
        .bind(field.name)
        .bind(field.label)
        .run();
    for (size_t i = 0; i < field.enumValues.size(); ++i) {
      Query(store(), "INSERT INTO enum_values (form, field, position, name) VALUES (?, ?, ?, ?)")
          .bind(key)
          .bind(int64_t{field.id})
          .bind(static_cast<int64_t>(i))
          .bind(field.enumValues[i])
          .run();
    }
  }
}

std::vector<FormDef> storedForms() {
  std::vector<FormDef> forms;
  Query formRows(store(), "SELECT form, name FROM forms ORDER BY form");
  while (formRows.next()) {
    FormDef form;
    form.storeKey = formRows.integer(0);
    form.name = formRows.bytes(1);
    Query fieldRows(store(),
                    "SELECT field, data_type, name, label FROM fields WHERE form = ? ORDER BY field");
    fieldRows.bind(form.storeKey);
    while (fieldRows.next()) {
      form.fields.push_back(FieldDef{static_cast<uint32_t>(fieldRows.integer(0)),
                                     static_cast<uint32_t>(fieldRows.integer(1)),
                                     fieldRows.bytes(2), fieldRows.bytes(3), {}});
    }
    Query valueRows(store(),
                    "SELECT field, name FROM enum_values WHERE form = ? ORDER BY field, position");
    valueRows.bind(form.storeKey);
    while (valueRows.next()) {
      for (FieldDef& field : form.fields) {
        if (field.id == static_cast<uint32_t>(valueRows.integer(0))) {
          field.enumValues.push_back(valueRows.bytes(1));
        }
      }
    }
    forms.push_back(std::move(form));
  }
  return forms;
}

}  // namespace

const FieldDef* FormDef::field(uint32_t id) const {
  for (const FieldDef& f : fields) {
    if (f.id == id) return &f;
  }
  return nullptr;
}

const FormDef* FormStore::find(const std::string& name) const {
  for (const FormDef& form : forms_) {
    if (form.name == name) return &form;
  }
  return nullptr;
}

FormStore& formStore() {
  static FormStore store;
  return store;
}

bool loadForms(const std::string& seedPath, std::string* error) {
  std::vector<FormDef> seed;
  if (!seedPath.empty() && !readSeedFile(seedPath, &seed, error)) return false;
  try {
    Transaction transaction(store());
    for (const FormDef& form : seed) {
      if (!stored(form.name)) addForm(form);
    }
    addMissingFormDefinitions(static_cast<TQTimestamp>(std::time(nullptr)));
    transaction.commit();
    formStore().assign(storedForms());
  } catch (const StoreFailure& failure) {
    *error = failure.what();
    return false;
  }
  return true;
}

void reloadForms() {
  formStore().assign(storedForms());
}

}  // namespace tqsd
