// A data file written by an older server opens and is brought to the newest
// layout: the definitions table that no definition used is dropped, the
// account tables are added, and what the file held is kept.
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "def_fixture.h"

namespace {

using deftest::DefServer;
using deftest::Session;

// Runs SQL on the file; the answer of the last row's first column.
std::string onFile(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  std::string answer;
  EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  auto keep = [](void* out, int, char** values, char**) {
    *static_cast<std::string*>(out) = values[0] != nullptr ? values[0] : "";
    return 0;
  };
  char* message = nullptr;
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), keep, &answer, &message), SQLITE_OK)
      << (message != nullptr ? message : "");
  sqlite3_free(message);
  sqlite3_close(db);
  return answer;
}

TEST(StoreLayout, AnOlderDataFileOpensWithoutTheUnusedTable) {
  char folder[] = "/tmp/tqdeflayoutXXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string data = std::string(folder) + "/store.db";
  {
    DefServer s({"--data", data});
    Session c(s.server());
    TQCharMenuStruct none{};
    ASSERT_EQ(TQCreateCharMenu(c.ctl(), "Kept", 1, &none, "kept help", nullptr, nullptr, c.st()),
              0u)
        << c.numbers().front();
    EXPECT_EQ(s.server().stop(), 0);
  }
  const std::string tables =
      "SELECT group_concat(name) FROM (SELECT name FROM sqlite_master "
      "WHERE type = 'table' AND name IN ('definitions', 'users') "
      "ORDER BY name)";
  EXPECT_EQ(onFile(data, tables), "users");
  // Back to the layout of a server that had the definitions table and no
  // accounts.
  onFile(data,
         "DROP TABLE group_members; DROP TABLE user_groups; DROP TABLE users;"
         "CREATE TABLE definitions (kind INTEGER NOT NULL, name BLOB NOT NULL,"
         " changed INTEGER NOT NULL, changed_by BLOB NOT NULL, body BLOB NOT NULL,"
         " PRIMARY KEY (kind, name)) WITHOUT ROWID;"
         "PRAGMA user_version = 2;");
  {
    DefServer s({"--data", data});
    Session c(s.server());
    char* help = nullptr;
    ASSERT_EQ(TQGetCharMenu(c.ctl(), "Kept", nullptr, nullptr, &help, nullptr, nullptr, nullptr,
                            nullptr, c.st()),
              0u);
    EXPECT_EQ(deftest::take(help), "kept help");
    EXPECT_EQ(s.server().stop(), 0);
  }
  EXPECT_EQ(onFile(data, tables), "users");
  EXPECT_EQ(onFile(data, "PRAGMA user_version"), "4");
  std::remove(data.c_str());
  rmdir(folder);
}

}  // namespace
