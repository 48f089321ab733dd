// The server's store: one SQLite database, in memory by default or in the
// file of --data, that holds the forms and their fields, the entries with
// their values, diaries and status histories, and (for the operations still
// to come) definitions and attachments. The server runs one thread and opens
// one connection to it.
//
// Every text from a client reaches SQL as a bound value of a prepared
// statement, never as part of the statement. Statements are prepared once
// and kept. A failure of the database throws StoreFailure; the dispatch
// answers the call with an error then, and the transaction of the call is
// rolled back, so a call either writes all it changes or nothing.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <unordered_map>

namespace tqsd {

struct StoreFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class Store {
 public:
  Store() = default;
  ~Store();
  Store(const Store&) = delete;
  Store& operator=(const Store&) = delete;

  // Opens the database: in memory for an empty path, else the file, made
  // when it does not exist. The file is locked for this server alone and
  // brought to the newest layout. False with the reason on failure.
  bool open(const std::string& path, std::string* error);

  sqlite3* handle() { return db_; }
  // The prepared statement of a constant SQL text (kept by its address).
  sqlite3_stmt* prepared(const char* sql);
  // Throws StoreFailure with the database's message when code is an error.
  void check(int code, const char* what);

 private:
  sqlite3* db_ = nullptr;
  std::unordered_map<const char*, sqlite3_stmt*> statements_;
};

// The server's one store.
Store& store();

// One use of a prepared statement: values are bound in the order of the
// statement's parameters; rows are read with next() and the column getters.
// The statement is reset when the query ends.
class Query {
 public:
  Query(Store& store, const char* sql) : store_(store), statement_(store.prepared(sql)) {}
  ~Query();
  Query(const Query&) = delete;
  Query& operator=(const Query&) = delete;

  Query& bind(int64_t value);
  Query& bind(double value);
  Query& bind(const std::string& bytes);  // as a blob: texts keep every byte
  Query& bindNull();

  // Steps once: true with a row to read, false when the statement is done.
  bool next();
  // Runs a statement that reads nothing.
  void run();

  int64_t integer(int column) const;
  double real(int column) const;
  std::string bytes(int column) const;

 private:
  Store& store_;
  sqlite3_stmt* statement_;
  int parameter_ = 0;
};

// A write transaction; rolled back unless committed. Transactions do not
// nest: the calls that write open one each.
class Transaction {
 public:
  explicit Transaction(Store& store);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  void commit();

 private:
  Store& store_;
  bool open_ = true;
};

}  // namespace tqsd
