// The tables of the store. The layout version is the database's user_version;
// each step below brings a store from its version (its index) to the next,
// so a new kind of stored object is a new step with its tables, and a store
// written by an older server is brought up to date when it is opened.
//
// Texts that come from clients (names, entry ids, users, values) are kept
// as blobs, so every byte comes back as it was given, whatever its
// character set.
#include "store_schema.h"

#include <iterator>
#include <string>

namespace tqsd {
namespace {

constexpr const char* kSteps[] = {
    // 0 to 1: forms, entries, and the tables for definitions and attachments.
    R"(
CREATE TABLE forms (
  form INTEGER PRIMARY KEY,                        -- in the order the forms were added
  name BLOB NOT NULL UNIQUE,
  last_entry_number INTEGER NOT NULL DEFAULT 0     -- the entry id sequence
);
CREATE TABLE fields (
  form INTEGER NOT NULL REFERENCES forms (form),
  field INTEGER NOT NULL,
  data_type INTEGER NOT NULL,
  name BLOB NOT NULL,
  label BLOB NOT NULL,
  PRIMARY KEY (form, field)
) WITHOUT ROWID;
CREATE TABLE enum_values (
  form INTEGER NOT NULL,
  field INTEGER NOT NULL,
  position INTEGER NOT NULL,
  name BLOB NOT NULL,
  PRIMARY KEY (form, field, position),
  FOREIGN KEY (form, field) REFERENCES fields (form, field)
) WITHOUT ROWID;
CREATE TABLE entries (
  form INTEGER NOT NULL REFERENCES forms (form),
  entry BLOB NOT NULL,
  created INTEGER NOT NULL,
  changed INTEGER NOT NULL,
  changed_by BLOB NOT NULL,
  PRIMARY KEY (form, entry)
) WITHOUT ROWID;
CREATE TABLE entry_values (
  form INTEGER NOT NULL,
  entry BLOB NOT NULL,
  field INTEGER NOT NULL,
  data_type INTEGER NOT NULL,
  number INTEGER NOT NULL,
  real REAL NOT NULL,
  text BLOB NOT NULL,
  PRIMARY KEY (form, entry, field),
  FOREIGN KEY (form, entry) REFERENCES entries (form, entry) ON DELETE CASCADE
) WITHOUT ROWID;
CREATE TABLE diary_items (
  form INTEGER NOT NULL,
  entry BLOB NOT NULL,
  field INTEGER NOT NULL,
  position INTEGER NOT NULL,
  time INTEGER NOT NULL,
  user BLOB NOT NULL,
  text BLOB NOT NULL,
  PRIMARY KEY (form, entry, field, position),
  FOREIGN KEY (form, entry) REFERENCES entries (form, entry) ON DELETE CASCADE
) WITHOUT ROWID;
CREATE TABLE status_history (
  form INTEGER NOT NULL,
  entry BLOB NOT NULL,
  status INTEGER NOT NULL,
  time INTEGER NOT NULL,
  user BLOB NOT NULL,
  PRIMARY KEY (form, entry, status),
  FOREIGN KEY (form, entry) REFERENCES entries (form, entry) ON DELETE CASCADE
) WITHOUT ROWID;
CREATE TABLE attachments (
  form INTEGER NOT NULL,
  entry BLOB NOT NULL,
  field INTEGER NOT NULL,
  name BLOB NOT NULL,
  original_size INTEGER NOT NULL,
  data BLOB NOT NULL,
  PRIMARY KEY (form, entry, field),
  FOREIGN KEY (form, entry) REFERENCES entries (form, entry) ON DELETE CASCADE
) WITHOUT ROWID;
CREATE TABLE definitions (
  kind INTEGER NOT NULL,
  name BLOB NOT NULL,
  changed INTEGER NOT NULL,
  changed_by BLOB NOT NULL,
  body BLOB NOT NULL,
  PRIMARY KEY (kind, name)
) WITHOUT ROWID;
)",
    // 1 to 2: every definition as its encoded record, and the support files.
    R"(
CREATE TABLE definition_records (
  kind INTEGER NOT NULL,       -- schema 1, field 2, menu 3, filter 4, active link 5,
                               -- escalation 6, view 7, container 8
  scope BLOB NOT NULL,         -- the form of a field or view; empty for the other kinds
  name BLOB NOT NULL,
  id INTEGER NOT NULL,         -- the id of a field or view; -1 for the other kinds
  schema BLOB NOT NULL,        -- the form a filter, active link or escalation serves
  changed INTEGER NOT NULL,
  body BLOB NOT NULL,          -- the record, encoded as on the wire
  PRIMARY KEY (kind, scope, name)
) WITHOUT ROWID;
CREATE INDEX definition_ids ON definition_records (kind, scope, id);
CREATE TABLE support_files (
  file_type INTEGER NOT NULL,
  name BLOB NOT NULL,
  id INTEGER NOT NULL,
  file_id INTEGER NOT NULL,
  changed INTEGER NOT NULL,
  contents BLOB NOT NULL,
  PRIMARY KEY (file_type, name, id, file_id)
) WITHOUT ROWID;
)",
    // 2 to 3: the table of the first layout that no definition ever used
    // (definitions live in definition_records).
    R"(
DROP TABLE IF EXISTS definitions;
)",
    // 3 to 4: users and groups, with the members of each group.
    R"(
CREATE TABLE users (
  name BLOB PRIMARY KEY,
  password BLOB NOT NULL,      -- clear, as the users file holds it
  email BLOB NOT NULL
) WITHOUT ROWID;
CREATE TABLE user_groups (
  id INTEGER PRIMARY KEY,
  name BLOB NOT NULL UNIQUE,
  type INTEGER NOT NULL        -- 1 view, 2 change
);
CREATE TABLE group_members (
  group_id INTEGER NOT NULL REFERENCES user_groups (id) ON DELETE CASCADE,
  user BLOB NOT NULL,
  PRIMARY KEY (group_id, user)
) WITHOUT ROWID;
)",
};

constexpr int kNewestLayout = static_cast<int>(std::size(kSteps));

int layoutVersion(Store& store) {
  Query query(store, "PRAGMA user_version");
  return query.next() ? static_cast<int>(query.integer(0)) : 0;
}

}  // namespace

void bringToNewestLayout(Store& store) {
  Transaction transaction(store);
  const int version = layoutVersion(store);
  if (version > kNewestLayout) {
    throw StoreFailure("the store has layout " + std::to_string(version) +
                       ", newer than this server's " + std::to_string(kNewestLayout));
  }
  for (int step = version; step < kNewestLayout; ++step) {
    store.check(sqlite3_exec(store.handle(), kSteps[step], nullptr, nullptr, nullptr),
                "creating the tables");
  }
  // The version is a constant of this program, never a client's text.
  const std::string setVersion = "PRAGMA user_version = " + std::to_string(kNewestLayout);
  store.check(sqlite3_exec(store.handle(), setVersion.c_str(), nullptr, nullptr, nullptr),
              "recording the layout");
  transaction.commit();
}

}  // namespace tqsd
