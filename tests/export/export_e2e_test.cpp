// Export and import end to end: the definitions of every kind exported from
// one server and imported into a fresh one come out of it the same, to
// memory and to a file; a malformed text is refused with its line and
// changes nothing; the operations' own checks stop before the server; an
// import goes in as many chunks as its packed data needs.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "def_fixture.h"

namespace {

using deftest::DefServer;
using deftest::kForm;
using deftest::Session;
using deftest::take;
using tqtest::TestServer;

constexpr uint32_t kProcExport = 34, kProcImport = 35;

TQFilterActionStruct gLog = [] {
  TQFilterActionStruct a{};
  a.action = TQ_FILTER_ACTION_LOG;
  a.u.logFile = const_cast<char*>("/tmp/filter.log");
  return a;
}();
TQFilterActionList gFilterActions{1, &gLog};
TQActiveLinkActionStruct gMessage = [] {
  TQActiveLinkActionStruct a{};
  a.action = TQ_ACTIVE_LINK_ACTION_MESSAGE;
  a.u.message.messageNumber = 10000;
  a.u.message.messageText = const_cast<char*>("hello\nworld");
  return a;
}();
TQActiveLinkActionList gLinkActions{1, &gMessage};
uint32_t gGroupIds[] = {10};
TQInternalIdList gGroups{1, gGroupIds};
TQCharMenuItemStruct gItem = [] {
  TQCharMenuItemStruct item{};
  std::strcpy(item.label, "One");
  item.itemType = TQ_MENU_ITEM_VALUE;
  item.u.value = const_cast<char*>("1");
  return item;
}();
TQCharMenuStruct gMenu = [] {
  TQCharMenuStruct m{};
  m.menuType = TQ_CHAR_MENU_LIST;
  m.u.menuList = TQCharMenuList{1, &gItem};
  return m;
}();
TQEscalationTmStruct gInterval = [] {
  TQEscalationTmStruct t{};
  t.escalationTmType = TQ_ESCALATION_TYPE_INTERVAL;
  t.u.interval = 300;
  return t;
}();

struct Items {
  std::vector<TQStructItemStruct> items;
  Items& add(uint32_t type, const char* name) {
    TQStructItemStruct item{};
    item.type = type;
    std::strncpy(item.name, name, TQ_MAX_NAME_SIZE);
    items.push_back(item);
    return *this;
  }
  TQStructItemList list() { return {static_cast<uint32_t>(items.size()), items.data()}; }
};

Items everyKind() {
  Items items;
  items.add(TQ_STRUCT_ITEM_SCHEMA, kForm)
      .add(TQ_STRUCT_ITEM_FILTER, "Log it")
      .add(TQ_STRUCT_ITEM_ACTIVE_LINK, "Say hello")
      .add(TQ_STRUCT_ITEM_CHAR_MENU, "Numbers")
      .add(TQ_STRUCT_ITEM_ESCALATION, "Every five minutes");
  return items;
}

void createEveryKind(Session& c) {
  ASSERT_EQ(TQCreateCharMenu(c.ctl(), "Numbers", 1, &gMenu, "help", nullptr, "made", c.st()), 0u)
      << testing::PrintToString(c.numbers());
  ASSERT_EQ(TQCreateFilter(c.ctl(), "Log it", 500, kForm, 2, 1, nullptr, &gFilterActions, nullptr,
                           "help", nullptr, "made", c.st()),
            0u);
  ASSERT_EQ(TQCreateActiveLink(c.ctl(), "Say hello", 5, kForm, &gGroups, 1, nullptr, nullptr, 1,
                               nullptr, &gLinkActions, nullptr, "help", nullptr, "made", c.st()),
            0u);
  ASSERT_EQ(TQCreateEscalation(c.ctl(), "Every five minutes", &gInterval, kForm, 1, nullptr,
                               &gFilterActions, nullptr, "help", nullptr, "made", c.st()),
            0u);
}

std::string exportText(Session& c, Items items, uint32_t* code = nullptr) {
  TQStructItemList list = items.list();
  char* text = nullptr;
  const uint32_t rc = TQExport(c.ctl(), &list, nullptr, &text, c.st());
  if (code != nullptr) *code = rc;
  return text != nullptr ? take(text) : "<none>";
}

uint32_t importText(Session& c, const std::string& text, TQStructItemList* items = nullptr) {
  return TQImport(c.ctl(), items, text.c_str(), c.st());
}

TEST(ExportImport, EveryKindRoundTripsIntoAFreshServer) {
  DefServer original;
  Session a(original.server());
  createEveryKind(a);
  uint32_t code = 9;
  const std::string text = exportText(a, everyKind(), &code);
  ASSERT_EQ(code, 0u) << testing::PrintToString(a.numbers());
  EXPECT_NE(text.find("definition filter\nname Log it\n"), std::string::npos);
  EXPECT_NE(text.find("definition field\n"), std::string::npos);

  // To a file: the same text.
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  Items items = everyKind();
  TQStructItemList list = items.list();
  EXPECT_EQ(TQExportToFile(a.ctl(), &list, "tag", file, a.st()), 0u);
  std::rewind(file);
  std::string written(text.size() + 10, '\0');
  written.resize(std::fread(written.data(), 1, written.size(), file));
  EXPECT_TRUE(written == text);

  // Into a server without forms, from the file; it exports the same text.
  TestServer fresh({}, deftest::kUsers);
  Session b(fresh);
  std::rewind(file);
  EXPECT_EQ(TQImportFromFile(b.ctl(), nullptr, file, b.st()), 0u)
      << testing::PrintToString(b.numbers());
  std::fclose(file);
  EXPECT_TRUE(exportText(b, everyKind(), &code) == text);
  EXPECT_EQ(code, 0u);

  // The imported form takes entries, and its filter reads back.
  TQEntryIdType id = {};
  TQFieldValueList none{0, nullptr};
  EXPECT_EQ(TQCreateEntry(b.ctl(), kForm, &none, id, b.st()), 0u)
      << testing::PrintToString(b.numbers());
  uint32_t order = 0;
  TQNameType schema{};
  EXPECT_EQ(TQGetFilter(b.ctl(), "Log it", &order, schema, nullptr, nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, b.st()),
            0u);
  EXPECT_EQ(order, 500u);
  EXPECT_STREQ(schema, kForm);

  // An import of one item of the text loads that one alone.
  TestServer third({}, deftest::kUsers);
  Session c(third);
  Items menuOnly;
  menuOnly.add(TQ_STRUCT_ITEM_CHAR_MENU, "Numbers");
  TQStructItemList menuList = menuOnly.list();
  EXPECT_EQ(importText(c, text, &menuList), 0u) << testing::PrintToString(c.numbers());
  exportText(c, menuOnly, &code);
  EXPECT_EQ(code, 0u);
  Items filterOnly;
  filterOnly.add(TQ_STRUCT_ITEM_FILTER, "Log it");
  exportText(c, filterOnly, &code);
  EXPECT_EQ(code, 2u);
  EXPECT_EQ(c.numbers(), std::vector<int32_t>{9361});
}

TEST(ExportImport, MalformedTextIsRefusedWithItsLineAndChangesNothing) {
  DefServer original;
  Session a(original.server());
  createEveryKind(a);
  const std::string text = exportText(a, everyKind());
  TestServer fresh({}, deftest::kUsers);
  Session b(fresh);
  struct Case {
    const char* what;
    std::string text;
    std::string line;
  };
  std::string badRecord = text;
  badRecord.replace(badRecord.rfind("record ") + 7, 2, "zz");
  std::string noEnd = text.substr(0, text.rfind("end\n"));
  const std::vector<Case> cases = {
      {"not an export text", "hello\n", "line 1:"},
      {"an unknown attribute", "tqserverd export 1\ndefinition filter\ncolour red\n", "line 3:"},
      {"a record that is not hexadecimal", badRecord, "line "},
      {"a block without its end", noEnd, "has no end"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    EXPECT_EQ(importText(b, k.text), 2u);
    ASSERT_EQ(b.numbers(), std::vector<int32_t>{9363});
    EXPECT_NE(tqsess::appended(b.status).find(k.line), std::string::npos)
        << tqsess::appended(b.status);
  }
  uint32_t code = 0;
  Items filterOnly;
  filterOnly.add(TQ_STRUCT_ITEM_FILTER, "Log it");
  exportText(b, filterOnly, &code);
  EXPECT_EQ(b.numbers(), std::vector<int32_t>{9361});
}

TEST(ExportImport, OwnChecksStopBeforeTheServer) {
  DefServer server;
  Session c(server.server());
  Items items = everyKind();
  TQStructItemList list = items.list();
  TQStructItemList empty{0, nullptr};
  Items defn;
  defn.add(TQ_STRUCT_ITEM_SCHEMA_DEFN, kForm);
  TQStructItemList defnList = defn.list();
  std::FILE* emptyFile = std::tmpfile();
  char* text = reinterpret_cast<char*>(1);
  struct Case {
    const char* what;
    std::function<uint32_t()> call;
    int32_t message;
  };
  const std::vector<Case> cases = {
      {"export without items", [&] { return TQExport(c.ctl(), &empty, nullptr, &text, c.st()); },
       132},
      {"export without a text pointer",
       [&] { return TQExport(c.ctl(), &list, nullptr, nullptr, c.st()); }, 155},
      {"export to no file",
       [&] { return TQExportToFile(c.ctl(), &list, nullptr, nullptr, c.st()); }, 295},
      {"import of no text", [&] { return TQImport(c.ctl(), nullptr, nullptr, c.st()); }, 156},
      {"import of an empty text", [&] { return TQImport(c.ctl(), nullptr, "", c.st()); }, 156},
      {"import of a schema part", [&] { return TQImport(c.ctl(), &defnList, "x", c.st()); }, 133},
      {"import of an empty file",
       [&] { return TQImportFromFile(c.ctl(), nullptr, emptyFile, c.st()); }, 295},
      {"import of no file", [&] { return TQImportFromFile(c.ctl(), nullptr, nullptr, c.st()); },
       295},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    EXPECT_EQ(k.call(), 2u);
    const std::vector<int32_t> got = c.numbers();
    EXPECT_NE(std::find(got.begin(), got.end(), k.message), got.end())
        << testing::PrintToString(got);
  }
  EXPECT_EQ(text, nullptr);
  std::fclose(emptyFile);
  EXPECT_EQ(server.server().calls(kProcExport) + server.server().calls(kProcImport), 0u);
}

TEST(ExportImport, ImportChunksFollowThePackedSize) {
  TestServer server({}, deftest::kUsers);
  Session c(server);
  // 19500 bytes of text pack into one chunk of at most 19500 bytes.
  const std::string text = "tqserverd export 1\n" + std::string(19500 - 19, '\n');
  EXPECT_EQ(importText(c, text), 0u) << testing::PrintToString(c.numbers());
  EXPECT_EQ(server.calls(kProcImport), 1u);

  // Text that packs badly needs one chunk per 19500 packed bytes.
  std::mt19937 random(3);
  std::string noisy = "tqserverd export 1\n# ";
  while (noisy.size() < 60000)
    noisy += static_cast<char>('!' + random() % 90);
  EXPECT_EQ(importText(c, noisy), 2u);  // not a text this server reads
  EXPECT_EQ(c.numbers(), std::vector<int32_t>{9363});
  EXPECT_GE(server.calls(kProcImport), 1u + 3u);
}

TEST(ExportImport, ExportChunksReassembleAtTheSmallestReplySize) {
  tqsess::EnvVar size("TQRPC_RESPONSE_SIZE", "4096");
  DefServer original;
  Session a(original.server());
  createEveryKind(a);
  // A menu of random values, which packs badly: its text needs many chunks.
  std::mt19937 random(5);
  std::vector<std::string> values(99);
  std::vector<TQCharMenuItemStruct> entries(values.size());
  for (size_t i = 0; i < values.size(); ++i) {
    for (int k = 0; k < 200; ++k)
      values[i] += static_cast<char>('!' + random() % 90);
    std::snprintf(entries[i].label, sizeof entries[i].label, "Item %zu", i);
    entries[i].itemType = TQ_MENU_ITEM_VALUE;
    entries[i].u.value = values[i].data();
  }
  TQCharMenuStruct noise{};
  noise.menuType = TQ_CHAR_MENU_LIST;
  noise.u.menuList = TQCharMenuList{static_cast<uint32_t>(entries.size()), entries.data()};
  ASSERT_EQ(TQCreateCharMenu(a.ctl(), "Noise", 1, &noise, "", nullptr, "", a.st()), 0u)
      << testing::PrintToString(a.numbers()) << tqsess::appended(a.status);
  Items items = everyKind();
  items.add(TQ_STRUCT_ITEM_CHAR_MENU, "Noise");
  const std::string text = exportText(a, items);
  ASSERT_GT(text.size(), 3596u * 2);
  EXPECT_GE(original.server().calls(kProcExport), 2u);
  TestServer fresh({}, deftest::kUsers);
  Session b(fresh);
  EXPECT_EQ(importText(b, text), 0u) << testing::PrintToString(b.numbers());
  EXPECT_GE(fresh.calls(kProcImport), 2u);
  EXPECT_TRUE(exportText(b, items) == text);
}

}  // namespace
