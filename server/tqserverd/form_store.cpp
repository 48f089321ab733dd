// The form store (see form_store.h).
#include "form_store.h"

#include "seed_file.h"

namespace tqsd {

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

bool loadForms(const std::string& path, std::string* error) {
  std::vector<FormDef> forms;
  if (!readSeedFile(path, &forms, error)) return false;
  formStore().assign(std::move(forms));
  return true;
}

}  // namespace tqsd
