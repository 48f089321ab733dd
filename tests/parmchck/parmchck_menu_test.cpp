// Character menus: list, query, file and SQL menus, items, and nesting.
#include <functional>
#include <vector>

#include "parmchck_fixture.h"

namespace {

TQCharMenuItemStruct valueItem(const char* label, const char* value) {
  TQCharMenuItemStruct item{};
  setText(item.label, label);
  item.itemType = TQ_MENU_ITEM_VALUE;
  item.u.value = const_cast<char*>(value);
  return item;
}

struct MenuCase {
  const char* what;
  std::function<void(TQCharMenuStruct&)> set;
  Numbers expected;
};

void runCases(const std::vector<MenuCase>& cases, const std::function<TQCharMenuStruct()>& base) {
  for (const MenuCase& c : cases) {
    TQCharMenuStruct menu = base();
    c.set(menu);
    Status s;
    EXPECT_TRUE(Outcome(tqCheckCharMenu(&menu, 0, 0, s.get()), s, c.expected)) << c.what;
  }
}

TEST(ParmchckMenu, ListMenu) {
  static TQCharMenuItemStruct items[100];
  static const std::string value255(255, 'v'), value256(256, 'v');
  for (TQCharMenuItemStruct& item : items)
    item = valueItem("Label", "value");
  static TQCharMenuStruct child{};  // an empty sub-menu
  child.menuType = TQ_CHAR_MENU_LIST;
  auto base = [] {
    for (TQCharMenuItemStruct& item : items)
      item = valueItem("Label", "value");
    TQCharMenuStruct menu{};
    menu.menuType = TQ_CHAR_MENU_LIST;
    menu.u.menuList = {2, items};
    return menu;
  };
  runCases(
      {
          {"two items", [](auto&) {}, {}},
          {"99 items", [](auto& m) { m.u.menuList.numItems = 99; }, {}},
          {"100 items", [](auto& m) { m.u.menuList.numItems = 100; }, {kTQErrTooManyMenuItems}},
          {"no items", [](auto& m) { m.u.menuList.numItems = 0; }, {kTQErrBadCharMenu}},
          {"items without array",
           [](auto& m) { m.u.menuList.charMenuList = nullptr; },
           {kTQErrNullArray}},
          {"empty label",
           [](auto&) { items[1].label[0] = '\0'; },
           {kTQErrBadMenuItem, kTQErrNameMissing}},
          {"value of 255",
           [](auto&) { items[1].u.value = const_cast<char*>(value255.c_str()); },
           {}},
          {"value of 256",
           [](auto&) { items[1].u.value = const_cast<char*>(value256.c_str()); },
           {kTQErrBadMenuItem}},
          {"no value", [](auto&) { items[1].u.value = nullptr; }, {kTQErrBadMenuItem}},
          {"item type 3", [](auto&) { items[1].itemType = 3; }, {kTQErrBadMenuItemType}},
          {"empty sub-menu",
           [](auto&) { items[1].itemType = TQ_MENU_ITEM_MENU, items[1].u.childMenu = &child; },
           {kTQErrBadCharMenu}},
          {"missing sub-menu",
           [](auto&) { items[1].itemType = TQ_MENU_ITEM_MENU, items[1].u.childMenu = nullptr; },
           {kTQErrBadCharMenu}},
          {"type 0", [](auto& m) { m.menuType = TQ_CHAR_MENU_NONE; }, {}},
          {"type 5", [](auto& m) { m.menuType = 5; }, {kTQErrBadMenuType}},
      },
      base);
  Status s, t;
  EXPECT_TRUE(Outcome(tqCheckCharMenu(nullptr, 0, 0, s.get()), s, {kTQErrBadCharMenu}));
  EXPECT_TRUE(Outcome(tqCheckCharMenu(nullptr, 1, 0, t.get()), t, {}));
}

// A chain of menus, each the only item's sub-menu of the one above.
struct MenuChain {
  std::vector<TQCharMenuStruct> menus;
  std::vector<TQCharMenuItemStruct> items;
  explicit MenuChain(size_t levels) : menus(levels), items(levels) {
    for (size_t i = 0; i < levels; ++i) {
      menus[i].menuType = TQ_CHAR_MENU_LIST;
      menus[i].u.menuList = {1, &items[i]};
      items[i] = valueItem("Level", "leaf");
      if (i + 1 < levels) {
        items[i].itemType = TQ_MENU_ITEM_MENU;
        items[i].u.childMenu = &menus[i + 1];
      }
    }
  }
};

TEST(ParmchckMenu, NestingDepth) {
  MenuChain deepest(16);  // depths 0 to 15
  Status s;
  EXPECT_TRUE(Outcome(tqCheckCharMenu(&deepest.menus[0], 0, 0, s.get()), s, {}));
  MenuChain tooDeep(17);  // a menu at depth 16
  Status t;
  EXPECT_TRUE(Outcome(tqCheckCharMenu(&tooDeep.menus[0], 0, 0, t.get()), t, {kTQErrMenuTooDeep}));
  // A menu that contains itself ends at the depth limit too.
  MenuChain loop(1);
  loop.items[0].itemType = TQ_MENU_ITEM_MENU;
  loop.items[0].u.childMenu = &loop.menus[0];
  Status l;
  EXPECT_TRUE(Outcome(tqCheckCharMenu(&loop.menus[0], 0, 0, l.get()), l, {kTQErrMenuTooDeep}));
}

TEST(ParmchckMenu, QueryMenu) {
  auto base = [] {
    TQCharMenuStruct menu{};
    menu.menuType = TQ_CHAR_MENU_QUERY;
    setText(menu.u.menuQuery.schema, "People");
    setText(menu.u.menuQuery.server, "tracker");
    menu.u.menuQuery.labelFieldId = 8;
    menu.u.menuQuery.valueFieldId = 1;
    return menu;
  };
  runCases(
      {
          {"valid", [](auto&) {}, {}},
          {"no schema",
           [](auto& m) { m.u.menuQuery.schema[0] = '\0'; },
           {kTQErrBadMenuItem, kTQErrNameMissing}},
          {"no server", [](auto& m) { m.u.menuQuery.server[0] = '\0'; }, {kTQErrBadMenuItem}},
          {"server of 64",
           [](auto& m) { setText(m.u.menuQuery.server, std::string(64, 's')); },
           {}},
          {"bad qualification",
           [](auto& m) { m.u.menuQuery.qualifier.operation = 8; },
           {kTQErrBadMenuItem, kTQErrBadQualifierOp}},
          {"label field 0",
           [](auto& m) { m.u.menuQuery.labelFieldId = 0; },
           {kTQErrBadMenuItem, kTQErrBadFieldId}},
          {"value field 0",
           [](auto& m) { m.u.menuQuery.valueFieldId = 0; },
           {kTQErrBadMenuItem, kTQErrBadFieldId}},
      },
      base);
  TQCharMenuStruct menu = base();
  menu.u.menuQuery.valueFieldId = 0;
  Status s;
  tqCheckCharMenu(&menu, 0, 0, s.get());
  ASSERT_EQ(s.numbers().size(), 2u);
  EXPECT_EQ(s.appended(1), "0");  // the field id travels with 314
}

TEST(ParmchckMenu, FileAndSqlMenus) {
  static const std::string name255(255, 'f'), name256(256, 'f');
  auto fileMenu = [] {
    TQCharMenuStruct menu{};
    menu.menuType = TQ_CHAR_MENU_FILE;
    menu.u.menuFile = {TQ_MENU_FILE_CLIENT, const_cast<char*>("menu.txt")};
    return menu;
  };
  runCases(
      {
          {"client file", [](auto&) {}, {}},
          {"location 3",
           [](auto& m) { m.u.menuFile.fileLocation = 3; },
           {kTQErrBadMenuFileLocation}},
          {"no name", [](auto& m) { m.u.menuFile.filename = nullptr; }, {kTQErrBadMenuFileName}},
          {"empty name",
           [](auto& m) { m.u.menuFile.filename = const_cast<char*>(""); },
           {kTQErrBadMenuFileName}},
          {"name of 255",
           [](auto& m) { m.u.menuFile.filename = const_cast<char*>(name255.c_str()); },
           {}},
          {"name of 256",
           [](auto& m) { m.u.menuFile.filename = const_cast<char*>(name256.c_str()); },
           {kTQErrBadMenuFileName}},
      },
      fileMenu);
  auto sqlMenu = [] {
    TQCharMenuStruct menu{};
    menu.menuType = TQ_CHAR_MENU_SQL;
    setText(menu.u.menuSQL.server, "db");
    menu.u.menuSQL.sqlCommand = const_cast<char*>("select a, b from t");
    menu.u.menuSQL.labelIndex = 1;
    menu.u.menuSQL.valueIndex = 2;
    return menu;
  };
  runCases(
      {
          {"valid", [](auto&) {}, {}},
          {"no server", [](auto& m) { m.u.menuSQL.server[0] = '\0'; }, {kTQErrBadMenuItem}},
          {"empty command",
           [](auto& m) { m.u.menuSQL.sqlCommand = const_cast<char*>(""); },
           {kTQErrBadMenuItem}},
          {"no command", [](auto& m) { m.u.menuSQL.sqlCommand = nullptr; }, {kTQErrBadMenuItem}},
          {"label index 0", [](auto& m) { m.u.menuSQL.labelIndex = 0; }, {kTQErrBadMenuItem}},
          {"value index 0", [](auto& m) { m.u.menuSQL.valueIndex = 0; }, {kTQErrBadMenuItem}},
      },
      sqlMenu);
}

}  // namespace
