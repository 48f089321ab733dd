// The SQLite store (see store.h).
#include "store.h"

#include "store_schema.h"

namespace tqsd {

Store::~Store() {
  for (auto& [sql, statement] : statements_)
    sqlite3_finalize(statement);
  if (db_ != nullptr) sqlite3_close(db_);
}

bool Store::open(const std::string& path, std::string* error) {
  const bool inMemory = path.empty();
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
  if (sqlite3_open_v2(inMemory ? ":memory:" : path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    *error = (inMemory ? std::string("the store") : path) + ": " +
             (db_ != nullptr ? sqlite3_errmsg(db_) : "cannot open the store");
    return false;
  }
  sqlite3_extended_result_codes(db_, 1);
  try {
    // One server per file: the exclusive lock is taken by the first write
    // (the layout step below) and held until the server ends. With the
    // write-ahead log and full synchronisation a commit is on disk before
    // the call that made it is answered.
    const char* settings = inMemory ? "PRAGMA foreign_keys = ON;"
                                    : "PRAGMA foreign_keys = ON;"
                                      "PRAGMA locking_mode = EXCLUSIVE;"
                                      "PRAGMA journal_mode = WAL;"
                                      "PRAGMA synchronous = FULL;";
    check(sqlite3_exec(db_, settings, nullptr, nullptr, nullptr), "setting up the store");
    bringToNewestLayout(*this);
  } catch (const StoreFailure& failure) {
    *error = (inMemory ? std::string("the store") : path) + ": " + failure.what();
    return false;
  }
  return true;
}

sqlite3_stmt* Store::prepared(const char* sql) {
  auto found = statements_.find(sql);
  if (found != statements_.end()) return found->second;
  sqlite3_stmt* statement = nullptr;
  check(sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr),
        "preparing a statement");
  statements_.emplace(sql, statement);
  return statement;
}

void Store::check(int code, const char* what) {
  const int primary = code & 0xFF;
  if (primary == SQLITE_OK || primary == SQLITE_ROW || primary == SQLITE_DONE) return;
  std::string message = sqlite3_errmsg(db_);
  if ((code & 0xFF) == SQLITE_BUSY) message = "the data file is in use by another server";
  throw StoreFailure(std::string(what) + ": " + message);
}

Store& store() {
  static Store instance;
  return instance;
}

Query::~Query() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

Query& Query::bind(int64_t value) {
  store_.check(sqlite3_bind_int64(statement_, ++parameter_, value), "binding a value");
  return *this;
}

Query& Query::bind(double value) {
  store_.check(sqlite3_bind_double(statement_, ++parameter_, value), "binding a value");
  return *this;
}

Query& Query::bind(const std::string& bytes) {
  // data() is never null, so an empty text is a zero-length blob, not null.
  store_.check(sqlite3_bind_blob64(statement_, ++parameter_, bytes.data(), bytes.size(),
                                   SQLITE_TRANSIENT),
               "binding a value");
  return *this;
}

Query& Query::bindNull() {
  store_.check(sqlite3_bind_null(statement_, ++parameter_), "binding a value");
  return *this;
}

bool Query::next() {
  const int code = sqlite3_step(statement_);
  store_.check(code, "reading the store");
  return code == SQLITE_ROW;
}

void Query::run() {
  const int code = sqlite3_step(statement_);
  store_.check(code, "writing the store");
}

int64_t Query::integer(int column) const {
  return sqlite3_column_int64(statement_, column);
}

double Query::real(int column) const {
  return sqlite3_column_double(statement_, column);
}

std::string Query::bytes(int column) const {
  const void* data = sqlite3_column_blob(statement_, column);
  const int size = sqlite3_column_bytes(statement_, column);
  if (data == nullptr || size <= 0) return {};
  return std::string(static_cast<const char*>(data), static_cast<size_t>(size));
}

Transaction::Transaction(Store& store) : store_(store) {
  store_.check(sqlite3_exec(store_.handle(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr),
               "starting a transaction");
}

Transaction::~Transaction() {
  if (open_) sqlite3_exec(store_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
  store_.check(sqlite3_exec(store_.handle(), "COMMIT", nullptr, nullptr, nullptr),
               "committing a change");
  open_ = false;
}

}  // namespace tqsd
