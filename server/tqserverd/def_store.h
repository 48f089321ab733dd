// The definitions of the store other than the forms' own tables: every
// definition is one row of definition_records, its record encoded with the
// wire routine of its kind (def_record.h) beside the columns it is found and
// listed by. Fields and views are scoped by their form (names and ids
// unique per form); every other kind has one name space of its own. Support
// files, groups and their members have tables of their own.
//
// Every write belongs in the transaction of its call (store.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tqlink.h"

namespace tqsd {

enum class DefKind : int64_t {
  kSchema = 1,
  kField = 2,
  kCharMenu = 3,
  kFilter = 4,
  kActiveLink = 5,
  kEscalation = 6,
  kView = 7,
  kContainer = 8,
};

// One stored definition.
struct DefRow {
  std::string name;
  std::optional<uint32_t> id;  // fields and views
  std::string schema;          // the form a filter, active link or escalation serves
  TQTimestamp changed = 0;
  std::string body;  // the encoded record
};

// Finds a definition by name or (fields and views) by id within a scope:
// the form's name for fields and views, empty for the other kinds.
std::optional<DefRow> findDef(DefKind kind, const std::string& scope, const std::string& name);
std::optional<DefRow> findDefById(DefKind kind, const std::string& scope, uint32_t id);

void insertDef(DefKind kind, const std::string& scope, const DefRow& row);
// Writes the row of the definition that was called `oldName`.
void updateDef(DefKind kind, const std::string& scope, const std::string& oldName,
               const DefRow& row);
void removeDef(DefKind kind, const std::string& scope, const std::string& name);
// Removes every definition of a scope (the fields and views of a form).
void removeScope(const std::string& scope);
// Moves the fields and views of a form to its new name.
void renameScope(const std::string& from, const std::string& to);

// The definitions of a kind in a scope changed at or after `since` (0: all),
// of the given schema unless it is empty; in name order, or in id order for
// fields and views. Bodies are not read.
std::vector<DefRow> listDefs(DefKind kind, const std::string& scope, TQTimestamp since,
                             const std::string& schema = "");

// The largest id of a kind in a scope, 0 when there is none.
uint32_t largestDefId(DefKind kind, const std::string& scope);

}  // namespace tqsd
