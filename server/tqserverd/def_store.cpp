// The definition rows of the store (see def_store.h).
#include "def_store.h"

#include "store.h"

namespace tqsd {
namespace {

int64_t kindKey(DefKind kind) {
  return static_cast<int64_t>(kind);
}

DefRow readRow(Query& q) {
  DefRow row;
  row.name = q.bytes(0);
  const int64_t id = q.integer(1);
  if (id >= 0) row.id = static_cast<uint32_t>(id);
  row.schema = q.bytes(2);
  row.changed = static_cast<TQTimestamp>(q.integer(3));
  row.body = q.bytes(4);
  return row;
}

int64_t idKey(const std::optional<uint32_t>& id) {
  return id ? int64_t{*id} : -1;
}

}  // namespace

std::optional<DefRow> findDef(DefKind kind, const std::string& scope, const std::string& name) {
  Query q(store(),
          "SELECT name, id, schema, changed, body FROM definition_records "
          "WHERE kind = ? AND scope = ? AND name = ?");
  q.bind(kindKey(kind)).bind(scope).bind(name);
  if (!q.next()) return std::nullopt;
  return readRow(q);
}

std::optional<DefRow> findDefById(DefKind kind, const std::string& scope, uint32_t id) {
  Query q(store(),
          "SELECT name, id, schema, changed, body FROM definition_records "
          "WHERE kind = ? AND scope = ? AND id = ?");
  q.bind(kindKey(kind)).bind(scope).bind(int64_t{id});
  if (!q.next()) return std::nullopt;
  return readRow(q);
}

void insertDef(DefKind kind, const std::string& scope, const DefRow& row) {
  Query(store(),
        "INSERT INTO definition_records (kind, scope, name, id, schema, changed, body) "
        "VALUES (?, ?, ?, ?, ?, ?, ?)")
      .bind(kindKey(kind))
      .bind(scope)
      .bind(row.name)
      .bind(idKey(row.id))
      .bind(row.schema)
      .bind(int64_t{row.changed})
      .bind(row.body)
      .run();
}

void updateDef(DefKind kind, const std::string& scope, const std::string& oldName,
               const DefRow& row) {
  Query(store(),
        "UPDATE definition_records SET name = ?, id = ?, schema = ?, changed = ?, body = ? "
        "WHERE kind = ? AND scope = ? AND name = ?")
      .bind(row.name)
      .bind(idKey(row.id))
      .bind(row.schema)
      .bind(int64_t{row.changed})
      .bind(row.body)
      .bind(kindKey(kind))
      .bind(scope)
      .bind(oldName)
      .run();
}

void removeDef(DefKind kind, const std::string& scope, const std::string& name) {
  Query(store(), "DELETE FROM definition_records WHERE kind = ? AND scope = ? AND name = ?")
      .bind(kindKey(kind))
      .bind(scope)
      .bind(name)
      .run();
}

void removeScope(const std::string& scope) {
  Query(store(), "DELETE FROM definition_records WHERE kind IN (2, 7) AND scope = ?")
      .bind(scope)
      .run();
}

void renameScope(const std::string& from, const std::string& to) {
  Query(store(), "UPDATE definition_records SET scope = ? WHERE kind IN (2, 7) AND scope = ?")
      .bind(to)
      .bind(from)
      .run();
}

std::vector<DefRow> listDefs(DefKind kind, const std::string& scope, TQTimestamp since,
                             const std::string& schema) {
  Query q(store(),
          "SELECT name, id, schema, changed, x'' FROM definition_records "
          "WHERE kind = ? AND scope = ? AND changed >= ? AND (? = x'' OR schema = ?) "
          "ORDER BY id, name");
  q.bind(kindKey(kind)).bind(scope).bind(int64_t{since}).bind(schema).bind(schema);
  std::vector<DefRow> rows;
  while (q.next())
    rows.push_back(readRow(q));
  return rows;
}

uint32_t largestDefId(DefKind kind, const std::string& scope) {
  Query q(store(), "SELECT MAX(id) FROM definition_records WHERE kind = ? AND scope = ?");
  q.bind(kindKey(kind)).bind(scope);
  if (!q.next()) return 0;
  const int64_t id = q.integer(0);
  return id > 0 ? static_cast<uint32_t>(id) : 0;
}

}  // namespace tqsd
