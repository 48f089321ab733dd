// Exact bytes of the definition records whose layout a peer relies on:
// field order, union arms, fixed texts, the inline runs and the table name
// of a view schema.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "defs_builders.h"
#include "defs_test_util.h"
#include "rpc/xdr_defs.h"

namespace {

TEST(DefsGolden, PermissionsGroupsAndIndexes) {
  SessionScope scope;
  TQPermissionStruct permission{5, TQ_PERMISSIONS_CHANGE};
  EXPECT_EQ(encodeWith(xdr_TQPermissionStruct, &permission), words({5, 2}));

  TQNameType name;
  setText(name, "Support");
  TQGroupInfoStruct group{3, TQ_GROUP_TYPE_VIEW, {1, &name}};
  EXPECT_EQ(encodeWith(xdr_TQGroupInfoStruct, &group), words({3, 1, 1}) + fixedText("Support", 31));

  TQIndexStruct index{};
  index.numFields = 2;
  index.fieldIds[0] = 1;
  index.fieldIds[1] = 7;
  index.unique = 1;
  // Number of fields, all 16 ids, the flag as a word.
  EXPECT_EQ(encodeWith(xdr_TQIndexStruct, &index),
            words({2, 1, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
}

TEST(DefsGolden, DisplayIsTwoNamesAndSevenWords) {
  SessionScope scope;
  TQDisplayStruct display{{}, {}, 1, 2, 40, 1, 1, -5, 10};
  setText(display.displayTag, "Tag");
  setText(display.label, "Label");
  EXPECT_EQ(
      encodeWith(xdr_TQDisplayStruct, &display),
      fixedText("Tag", 31) + fixedText("Label", 31) + words({1, 2, 40, 1, 1, 0xFFFFFFFBu, 10}));
}

TEST(DefsGolden, FieldLimitArms) {
  SessionScope scope;
  Pool pool;
  TQFieldLimitStruct limit{};
  limit.dataType = TQ_DATA_TYPE_CHAR;
  limit.u.charLimits = {128, 1, 3, {}, pool.text("[0-9]*"), 1};
  setText(limit.u.charLimits.charMenu, "Menu");
  EXPECT_EQ(encodeWith(xdr_TQFieldLimitStruct, &limit),
            words({4, 128, 1, 3}) + fixedText("Menu", 31) + countedText("[0-9]*") + words({1}));

  TQFieldLimitStruct real{};
  real.dataType = TQ_DATA_TYPE_REAL;
  real.u.realLimits = {1.0, -2.0, 3};
  EXPECT_EQ(encodeWith(xdr_TQFieldLimitStruct, &real),
            words({3, 0x3FF00000u, 0, 0xC0000000u, 0, 3}));

  TQFieldLimitStruct column{};
  column.dataType = TQ_DATA_TYPE_COLUMN;
  column.u.columnLimits = {10, 11, 12};
  EXPECT_EQ(encodeWith(xdr_TQFieldLimitStruct, &column), words({34, 10, 11, 12}));

  TQFieldLimitStruct table{};
  table.dataType = TQ_DATA_TYPE_TABLE;
  table.u.tableLimits.numColumns = 2;
  table.u.tableLimits.maxRetrieve = 50;
  setText(table.u.tableLimits.schema, "S");
  setText(table.u.tableLimits.server, "V");
  // columns, an empty qualification, maximum, two fixed(31) names.
  EXPECT_EQ(encodeWith(xdr_TQFieldLimitStruct, &table),
            words({33, 2, 0, 50}) + fixedText("S", 31) + fixedText("V", 31));

  for (uint32_t type : {0u, 7u, 9u}) {
    TQFieldLimitStruct none{};
    none.dataType = type;
    EXPECT_EQ(encodeWith(xdr_TQFieldLimitStruct, &none), words({type}));
  }
}

// The table name is 256 chars of one word each, sign-extended like the
// runtime's char primitive, and not converted.
TEST(DefsGolden, ViewSchemaTableNameIsAVectorOfCharWords) {
  SessionScope scope;
  Pool pool;
  TQCompoundSchema view{};
  view.schemaType = TQ_SCHEMA_VIEW;
  setText(view.u.view.tableName, "t\xE9");
  setText(view.u.view.keyField, "id");
  view.u.view.viewQual = pool.text("a = 1");
  Bytes expected = words({3, 't', 0xFFFFFFE9u});
  for (int i = 2; i < 256; ++i)
    expected = expected + words({0});
  expected = expected + fixedText("id", 31) + countedText("a = 1");
  const Bytes wire = encodeWith(xdr_TQCompoundSchema, &view);
  EXPECT_EQ(wire, expected);

  // A peer's name that fills all 256 chars is cut inside the array.
  Bytes full = words({3});
  for (int i = 0; i < 256; ++i)
    full = full + words({'n'});
  full = full + fixedText("id", 31) + countedText("");
  TQCompoundSchema back;
  ASSERT_TRUE(decodeWith(xdr_TQCompoundSchema, full, &back));
  EXPECT_EQ(std::string(back.u.view.tableName), std::string(255, 'n'));
  FreeTQCompoundSchema(&back, 0);
}

TEST(DefsGolden, MenuItemsAndSubMenus) {
  SessionScope scope;
  Pool pool;
  TQCharMenuStruct none{};
  TQCharMenuItemStruct items[2] = {};
  setText(items[0].label, "A");
  items[0].itemType = TQ_MENU_ITEM_VALUE;
  items[0].u.value = pool.text("va");
  setText(items[1].label, "B");
  items[1].itemType = TQ_MENU_ITEM_MENU;
  items[1].u.childMenu = &none;
  TQCharMenuStruct menu{};
  menu.menuType = TQ_CHAR_MENU_LIST;
  menu.u.menuList = {2, items};
  EXPECT_EQ(encodeWith(xdr_TQCharMenuStruct, &menu), words({1, 2}) + fixedText("A", 31) +
                                                         words({1}) + countedText("va") +
                                                         fixedText("B", 31) + words({2, 1, 0}));

  TQCharMenuStruct file{};
  file.menuType = TQ_CHAR_MENU_FILE;
  file.u.menuFile = {TQ_MENU_FILE_SERVER, pool.text("menu.txt")};
  EXPECT_EQ(encodeWith(xdr_TQCharMenuStruct, &file), words({3, 1}) + countedText("menu.txt"));
}

TEST(DefsGolden, NotifyActionCarriesItsFieldList) {
  SessionScope scope;
  Pool pool;
  TQFilterActionStruct action{};
  action.action = TQ_FILTER_ACTION_NOTIFY;
  action.u.notify = {pool.text("u"),           pool.text("t"),   3,
                     TQ_NOTIFY_VIA_XREF,       536870999,        pool.text("s"),
                     TQ_FILTER_FIELD_IDS_LIST, ids(pool, {7, 8})};
  EXPECT_EQ(encodeWith(xdr_TQFilterActionStruct, &action),
            words({1}) + countedText("u") + countedText("t") + words({3, 99, 536870999}) +
                countedText("s") + words({2, 2, 7, 8}));

  TQFilterActionStruct goTo{};
  goTo.action = TQ_FILTER_ACTION_GOTOACTION;
  goTo.u.gotoAction = {TQ_GOTO_FIELD_XREF, 9};
  EXPECT_EQ(encodeWith(xdr_TQFilterActionStruct, &goTo), words({8, 1, 9}));
}

TEST(DefsGolden, AssignFieldSourceAndMessage) {
  SessionScope scope;
  Pool pool;
  TQAssignStruct assign{};
  assign.assignType = TQ_ASSIGN_TYPE_FIELD;
  TQAssignFieldStruct field{};
  setText(field.server, "S");
  setText(field.schema, "F");
  field.tag = TQ_STAT_HISTORY;
  field.u.statHistory = {2, 1};
  field.noMatchOption = 1;
  field.multiMatchOption = 4;
  assign.u.field = &field;
  EXPECT_EQ(encodeWith(xdr_TQAssignStruct, &assign),
            words({2, 1}) + fixedText("S", 65) + fixedText("F", 31) + words({0, 4, 2, 1, 1, 4}));

  TQMessageStruct msg{TQ_MSG_PROMPT, 77, pool.text("hi"), 1};
  EXPECT_EQ(encodeWith(xdr_TQMessageStruct, &msg), words({5, 77}) + countedText("hi") + words({1}));
}

TEST(DefsGolden, ReferencesAndFullTextSettings) {
  SessionScope scope;
  Pool pool;
  TQReferenceStruct ref{};
  ref.label = pool.text("L");
  ref.description = pool.text("D");
  ref.type = 2;
  ref.dataType = TQ_REF_DATA_SERVER;
  setText(ref.u.name, "Tickets");
  EXPECT_EQ(encodeWith(xdr_TQReferenceStruct, &ref),
            countedText("L") + countedText("D") + words({2, 0}) + fixedText("Tickets", 31));

  TQValueStruct word = charValue(pool, "the");
  TQFullTextInfoStruct list{};
  list.infoType = TQ_FULLTEXT_INFO_VALUE_LIST;
  list.u.valueList = {1, &word};
  EXPECT_EQ(encodeWith(xdr_TQFullTextInfoStruct, &list), words({2, 1, 4}) + countedText("the"));
  TQFullTextInfoStruct one{};
  one.infoType = 8;
  one.u.value = intValue(1);
  EXPECT_EQ(encodeWith(xdr_TQFullTextInfoStruct, &one), words({8, 2, 1}));
}

// Limited texts travel with the bound of their limit plus one.
TEST(DefsGolden, TextBoundsOfTheDefinitionRecords) {
  SessionScope scope;
  Pool pool;
  struct Case {
    const char* what;
    size_t longest;  // longest text that encodes
    std::function<bool(char*)> encodes;
  };
  auto encodes = [](auto routine, auto* record) {
    bool ok = false;
    encodeWith(routine, record, &ok);
    return ok;
  };
  const Case cases[] = {
      {"notify user", 256,
       [&](char* t) {
         TQFilterActionNotify n{t, pool.text(""), 0, 1, 0, nullptr, 0, {}};
         return encodes(xdr_TQFilterActionNotify, &n);
       }},
      {"message text", 4096,
       [&](char* t) {
         TQMessageStruct m{0, 1, t, 0};
         return encodes(xdr_TQMessageStruct, &m);
       }},
      {"DDE item", 32768,
       [&](char* t) {
         TQDDEStruct d{pool.text("s"), pool.text("t"), t, 1, nullptr, nullptr};
         return encodes(xdr_TQDDEStruct, &d);
       }},
      {"class id", 2001,
       [&](char* t) {
         TQMethodCallStruct c{pool.text("s"), t, pool.text("a"), 0, {}};
         return encodes(xdr_TQMethodCallStruct, &c);
       }},
      {"characteristics menu name", 31,
       [&](char* t) {
         TQFieldCharacteristics c{1, t, {}, 0, 0};
         return encodes(xdr_TQFieldCharacteristics, &c);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string fits(c.longest, 'x');
    std::string over(c.longest + 1, 'x');
    EXPECT_TRUE(c.encodes(fits.data()));
    EXPECT_FALSE(c.encodes(over.data()));
  }
}

}  // namespace
