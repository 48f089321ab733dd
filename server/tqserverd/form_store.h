// The forms (schemas) the server serves and their fields. They are kept in
// the store (store.h); a seed file named by --forms (seed_file.h) adds the
// forms the store lacks at start-up, and the server reads them all into
// memory then, unchanged afterwards. A new store without --forms holds no
// form.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tqsd {

// Field ids with a role of their own.
inline constexpr uint32_t kFieldEntryId = 1;         // char: the entry id
inline constexpr uint32_t kFieldSubmitter = 2;       // char: the creating user unless given
inline constexpr uint32_t kFieldCreateDate = 3;      // time: set at creation
inline constexpr uint32_t kFieldLastModifiedBy = 5;  // char: set by every change
inline constexpr uint32_t kFieldModifiedDate = 6;    // time: set by every change
inline constexpr uint32_t kFieldStatus = 7;          // enum: its changes feed the history
inline constexpr uint32_t kFieldStatusHistory = 15;  // char: encoded status history
inline constexpr uint32_t kFieldPassword = 102;      // char: travels scrambled

struct FieldDef {
  uint32_t id = 0;
  uint32_t dataType = 0;  // TQ_DATA_TYPE_...
  std::string name;
  std::string label;                    // default view label
  std::vector<std::string> enumValues;  // enum fields: the value names by index
};

struct FormDef {
  std::string name;
  std::vector<FieldDef> fields;  // ascending ids
  int64_t storeKey = 0;          // the form's key in the store

  const FieldDef* field(uint32_t id) const;
};

// The forms of the server.
class FormStore {
 public:
  // Replaces every form (fields in ascending id order: the order of a get of
  // all fields).
  void assign(std::vector<FormDef> forms) { forms_ = std::move(forms); }
  const FormDef* find(const std::string& name) const;
  const std::vector<FormDef>& all() const { return forms_; }

 private:
  std::vector<FormDef> forms_;
};

// The server's one form store.
FormStore& formStore();

// Adds the forms of the seed file (when a path is given) that the store
// does not hold, with their fields, in one transaction; forms the store
// holds stay as they are, with their entries. Then reads every stored form
// into the form store. On failure leaves the store as it was and puts the
// reason (with the file name and line number for a fault of the seed file)
// into *error.
bool loadForms(const std::string& seedPath, std::string* error);

// Reads the stored forms into the form store again, after a call that
// changed forms or fields has committed.
void reloadForms();

}  // namespace tqsd
