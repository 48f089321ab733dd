// The server's tools end to end: read-only SQL and its refusals, the one
// allowed process, character-menu expansion of every kind (LIST, client
// and server FILE, SQL, QUERY), and the report files of an active link.
#include <unistd.h>
#include <cstdio>

#include <cstring>
#include <functional>

#include "def_fixture.h"

namespace {

using deftest::DefServer;
using deftest::kForm;
using deftest::Session;
using deftest::take;
using deftest::writeFile;

std::string createEntry(Session& c, const char* summary) {
  TQFieldValueStruct item{};
  item.fieldId = 8;
  item.value.dataType = TQ_DATA_TYPE_CHAR;
  item.value.u.charVal = const_cast<char*>(summary);
  TQFieldValueList values{1, &item};
  TQEntryIdType id{};
  EXPECT_EQ(TQCreateEntry(c.ctl(), kForm, &values, id, c.st()), 0u);
  return id;
}

TEST(ServerSql, SelectsReadTheEntryTablesOnly) {
  DefServer s;
  Session c(s.server());
  const std::string first = createEntry(c, "one");
  createEntry(c, "two");

  TQValueListList rows{};
  uint32_t matches = 0;
  ASSERT_EQ(TQGetListSQL(c.ctl(), "SELECT entry, 7, 1.5 FROM entries ORDER BY entry", 1, &rows,
                         &matches, c.st()),
            0u)
      << c.numbers().front();
  ASSERT_EQ(rows.numItems, 1u);
  EXPECT_EQ(matches, 2u);
  ASSERT_EQ(rows.valueListList[0].numItems, 3u);
  EXPECT_STREQ(rows.valueListList[0].valueList[0].u.charVal, first.c_str());
  EXPECT_EQ(rows.valueListList[0].valueList[1].u.intVal, 7);
  EXPECT_EQ(rows.valueListList[0].valueList[2].u.realVal, 1.5);
  FreeTQValueListList(&rows, 0);

  const char* refused[] = {
      "SELECT * FROM definition_records",
      "SELECT name FROM forms",
      "SELECT * FROM sqlite_master",
      "PRAGMA user_version",
      "DELETE FROM entries",
      "UPDATE entries SET changed = 0",
      "SELECT 1; DELETE FROM entries",
      "ATTACH DATABASE '/tmp/tq_attached.db' AS other",
      "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT x FROM c",
      "not sql at all",
      "SELECT length(randomblob(100000000))",
  };
  for (const char* sql : refused) {
    SCOPED_TRACE(sql);
    EXPECT_EQ(TQGetListSQL(c.ctl(), sql, 0, &rows, nullptr, c.st()), 2u);
    EXPECT_EQ(c.numbers().front(), 9364);
    EXPECT_EQ(rows.numItems, 0u);
  }
  // A command that carries a password must carry the caller's.
  const std::string wrongPassword = "+" + std::string(30, 'x') + "SELECT 1";
  EXPECT_EQ(TQGetListSQL(c.ctl(), wrongPassword.c_str(), 0, &rows, nullptr, c.st()), 2u);
  EXPECT_EQ(c.numbers().front(), 329);
  EXPECT_EQ(rows.numItems, 0u);

  // Nothing was written.
  ASSERT_EQ(TQGetListSQL(c.ctl(), "SELECT count(*) FROM entries", 0, &rows, nullptr, c.st()), 0u);
  EXPECT_EQ(rows.valueListList[0].valueList[0].u.intVal, 2);
  FreeTQValueListList(&rows, 0);
}

TEST(ServerProcess, OnlyTheAllowedProgramRunsWithoutAShell) {
  {
    DefServer s;
    Session c(s.server());
    int32_t status = 9;
    char* output = nullptr;
    EXPECT_EQ(TQExecuteProcess(c.ctl(), "/bin/echo hi", &status, &output, c.st()), 2u);
    EXPECT_EQ(c.numbers().front(), 9365);
    take(output);
  }
  DefServer s({"--allow-process", "/bin/echo"});
  Session c(s.server());
  int32_t status = 9;
  char* output = nullptr;
  ASSERT_EQ(TQExecuteProcess(c.ctl(), "/bin/echo hello $HOME;ls", &status, &output, c.st()), 0u);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(take(output), "hello $HOME;ls\n");  // no shell expanded anything
  EXPECT_EQ(TQExecuteProcess(c.ctl(), "/bin/sh -c ls", &status, &output, c.st()), 2u);
  EXPECT_EQ(c.numbers().front(), 9365);
  take(output);
}

// A menu as "label=value" items, sub-menus in brackets.
std::string shape(const TQCharMenuStruct& m) {
  if (m.menuType == TQ_CHAR_MENU_NONE) return "none";
  if (m.menuType != TQ_CHAR_MENU_LIST) return "type " + std::to_string(m.menuType);
  std::string out;
  for (uint32_t i = 0; i < m.u.menuList.numItems; ++i) {
    const TQCharMenuItemStruct& item = m.u.menuList.charMenuList[i];
    if (!out.empty()) out += ",";
    out += item.label;
    if (item.itemType == TQ_MENU_ITEM_MENU) {
      out += "[" + shape(*item.u.childMenu) + "]";
    } else {
      out += "=" + std::string(item.u.value == nullptr ? "" : item.u.value);
    }
  }
  return out;
}

std::string expanded(Session& c, TQCharMenuStruct& menu, uint32_t* code) {
  TQCharMenuStruct out{};
  *code = TQExpandCharMenu(c.ctl(), &menu, &out, c.st());
  const std::string text = shape(out);
  FreeTQCharMenuStruct(&out, 0);
  return text;
}

TEST(MenuExpansion, EveryMenuTypeBecomesAList) {
  const std::string menuText = "# comment\nFruit\n\tApple\\a\n\tPear\n\nVeg\\v\n";
  DefServer s({"--menu-dir", "/tmp"});
  const std::string serverFile = "tq_defmenu_" + std::to_string(getpid()) + ".txt";
  writeFile("/tmp", serverFile, menuText);
  Session c(s.server());
  createEntry(c, "beta");
  createEntry(c, "alpha");
  createEntry(c, "alpha");
  const std::string clientFile = writeFile(s.server().folder(), "menu.txt", menuText);
  const std::string badFile = writeFile(s.server().folder(), "bad.txt", "\tDeep first\n");

  auto fileMenu = [](uint32_t location, const std::string& name) {
    TQCharMenuStruct m{};
    m.menuType = TQ_CHAR_MENU_FILE;
    m.u.menuFile.fileLocation = location;
    m.u.menuFile.filename = const_cast<char*>(name.c_str());
    return m;
  };
  TQCharMenuStruct query{};
  query.menuType = TQ_CHAR_MENU_QUERY;
  std::strcpy(query.u.menuQuery.schema, kForm);
  std::strcpy(query.u.menuQuery.server, "127.0.0.1");
  query.u.menuQuery.labelFieldId = 8;
  query.u.menuQuery.valueFieldId = 8;
  query.u.menuQuery.sortOnLabel = 1;
  // The same query narrowed by a qualification the server evaluates.
  std::vector<TQQualifierStruct> qualifiers;
  auto qualified = [&](const char* text) {
    TQQualifierStruct q{};
    EXPECT_EQ(TQLoadTQQualifierStruct(c.ctl(), kForm, nullptr, text, &q, c.st()), 0u) << text;
    c.numbers();
    qualifiers.push_back(q);
    TQCharMenuStruct m = query;
    m.u.menuQuery.qualifier = q;
    return m;
  };
  TQCharMenuStruct unknownField = query;
  TQQualifierStruct& bad = unknownField.u.menuQuery.qualifier;
  TQRelOpStruct badRelation{};
  badRelation.operation = TQ_REL_OP_EQUAL;
  badRelation.left.tag = TQ_FIELD;
  badRelation.left.u.fieldId = 999;
  badRelation.right.tag = TQ_VALUE;
  badRelation.right.u.value.dataType = TQ_DATA_TYPE_CHAR;
  badRelation.right.u.value.u.charVal = const_cast<char*>("x");
  bad.operation = TQ_COND_OP_REL_OP;
  bad.u.relOp = &badRelation;
  TQCharMenuStruct sql{};
  sql.menuType = TQ_CHAR_MENU_SQL;
  std::strcpy(sql.u.menuSQL.server, "127.0.0.1");
  sql.u.menuSQL.sqlCommand = const_cast<char*>(
      "SELECT text, length(text) FROM entry_values WHERE field = 8 ORDER BY text");
  sql.u.menuSQL.labelIndex = 1;
  sql.u.menuSQL.valueIndex = 2;

  const std::string missingFile = "missing.txt";
  const std::string longLabel(40, 'L');
  const std::string longValue(300, 'v');
  const std::string cutFile =
      writeFile(s.server().folder(), "cut.txt", longLabel + "\\" + longValue + "\n");
  struct Case {
    const char* what;
    TQCharMenuStruct menu;
    uint32_t code;
    int32_t number;  // the first status, 0 for none
    std::string shape;
  };
  const std::string fileShape = "Fruit[Apple=a,Pear=Pear],Veg=v";
  const std::vector<Case> cases = {
      {"client file", fileMenu(TQ_MENU_FILE_CLIENT, clientFile), 0, 0, fileShape},
      {"server file", fileMenu(TQ_MENU_FILE_SERVER, serverFile), 0, 0, fileShape},
      {"client file deep first", fileMenu(TQ_MENU_FILE_CLIENT, badFile), 2, 130, "none"},
      {"client file, long texts cut", fileMenu(TQ_MENU_FILE_CLIENT, cutFile), 0, 0,
       std::string(30, 'L') + "=" + std::string(255, 'v')},
      {"server file unknown", fileMenu(TQ_MENU_FILE_SERVER, missingFile), 2, 9370, "none"},
      {"query", query, 0, 0, "alpha=alpha,alpha=alpha,beta=beta"},
      {"query, qualified", qualified("'Short Description' = \"alpha\""), 0, 0,
       "alpha=alpha,alpha=alpha"},
      {"query, qualified with OR and LIKE",
       qualified("'Short Description' LIKE \"b%\" OR 'Short Description' = \"gamma\""), 0, 0,
       "beta=beta"},
      {"query, qualified, no match", qualified("NOT 'Short Description' LIKE \"%a%\""), 0, 0, ""},
      {"query, qualification on an unknown field", unknownField, 2, 9351, "none"},
      {"sql, duplicates dropped", sql, 0, 0, "alpha=5,beta=4"},
  };
  for (Case k : cases) {
    SCOPED_TRACE(k.what);
    uint32_t code = 9;
    EXPECT_EQ(expanded(c, k.menu, &code), k.shape);
    EXPECT_EQ(code, k.code);
    const std::vector<int32_t> got = c.numbers();
    EXPECT_EQ(got.empty() ? 0 : got.front(), k.number);
  }
  for (TQQualifierStruct& q : qualifiers)
    FreeTQQualifierStruct(&q, 0);
  std::remove(("/tmp/" + serverFile).c_str());
}

TEST(ReportUploads, ThreeReportSectionsUploadTwoFiles) {
  DefServer s;
  Session c(s.server());
  const std::string first = writeFile(s.server().folder(), "first.rep", "first report");
  const std::string second = writeFile(s.server().folder(), "second.rep", "second report");
  const std::string text =
      "macro\nReport: a\x01"
      "21=2\x01"
      "22=" +
      first +
      "\x01\nReport: b\x01"
      "21=2\x01"
      "22=!3!old\x01\nReport: c\x01"
      "21=2\x01"
      "22=" +
      second + "\x01";
  std::string callerText = text;
  TQActiveLinkActionStruct action{};
  action.action = TQ_ACTIVE_LINK_ACTION_MACRO;
  std::strcpy(action.u.macro.macroName, "Reports");
  action.u.macro.macroText = callerText.data();
  TQActiveLinkActionList actions{1, &action};
  uint32_t group = 10;
  const TQInternalIdList groups{1, &group};
  ASSERT_LE(TQCreateActiveLink(c.ctl(), "Reporter", 1, kForm, &groups, 1, nullptr, nullptr, 1,
                               nullptr, &actions, nullptr, nullptr, nullptr, nullptr, c.st()),
            0u)
      << c.numbers().front();
  EXPECT_EQ(action.u.macro.macroText, callerText.data());
  EXPECT_EQ(callerText, text);

  TQActiveLinkActionList stored{};
  ASSERT_EQ(TQGetActiveLink(c.ctl(), "Reporter", nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr, nullptr, &stored, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr, c.st()),
            0u);
  ASSERT_EQ(stored.numItems, 1u);
  const std::string sent = stored.actionList[0].u.macro.macroText;
  FreeTQActiveLinkActionList(&stored, 0);
  EXPECT_NE(sent.find("22=!5!" + first), std::string::npos) << sent;
  EXPECT_NE(sent.find("22=!3!old"), std::string::npos);
  EXPECT_NE(sent.find("22=!4!" + second), std::string::npos);

  TQInternalIdList files{};
  ASSERT_EQ(TQGetListSupportFile(c.ctl(), 1, "Reporter", 0, 0, &files, c.st()), 0u);
  ASSERT_EQ(files.numItems, 2u);
  EXPECT_EQ(files.internalIdList[0], 4u);
  EXPECT_EQ(files.internalIdList[1], 5u);
  FreeTQInternalIdList(&files, 0);
  for (const auto& [id, contents] :
       {std::pair<uint32_t, std::string>{4, "second report"}, {5, "first report"}}) {
    FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    TQTimestamp when = 0;
    EXPECT_EQ(TQGetSupportFile(c.ctl(), 1, "Reporter", 0, id, out, &when, c.st()), 0u);
    std::rewind(out);
    char buffer[64] = {};
    const size_t got = std::fread(buffer, 1, sizeof buffer - 1, out);
    std::fclose(out);
    EXPECT_EQ(std::string(buffer, got), contents);
    EXPECT_GT(when, 0);
  }
  // Deleting the active link takes its reports along.
  ASSERT_EQ(TQDeleteActiveLink(c.ctl(), "Reporter", c.st()), 0u);
  ASSERT_EQ(TQGetListSupportFile(c.ctl(), 1, "Reporter", 0, 0, &files, c.st()), 0u);
  EXPECT_EQ(files.numItems, 0u);
}

}  // namespace
