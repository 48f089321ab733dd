// Schema and field definition records: compound schema, field mapping, the
// query-list, sort, index, permission, property and display-instance lists,
// and field limits.
#include <cstdlib>
#include <cstring>
#include <functional>

#include "parmchck_fixture.h"

namespace {

TEST(ParmchckSchema, CompoundSchema) {
  struct Case {
    const char* what;
    std::function<void(TQCompoundSchema&)> set;
    TQBoolean allowEmpty;
    Numbers expected;
  } cases[] = {
      {"none, required", [](auto& c) { c.schemaType = 0; }, 0, {kTQErrNoSchemaType}},
      {"none, may be empty", [](auto& c) { c.schemaType = 0; }, 1, {}},
      {"regular", [](auto& c) { c.schemaType = TQ_SCHEMA_REGULAR; }, 0, {}},
      {"view", [](auto& c) { c.schemaType = TQ_SCHEMA_VIEW; }, 0, {}},
      {"dialog", [](auto& c) { c.schemaType = TQ_SCHEMA_DIALOG; }, 0, {}},
      {"join", [](auto&) {}, 0, {}},
      {"join without member B",
       [](auto& c) { c.u.join.memberB[0] = '\0'; },
       0,
       {kTQErrBadJoinMember, kTQErrNameMissing}},
      {"join with a bad qualification",
       [](auto& c) { c.u.join.joinQual.operation = 7; },
       0,
       {kTQErrBadJoinQualifier, kTQErrBadQualifierOp}},
      {"type 5", [](auto& c) { c.schemaType = 5; }, 0, {kTQErrBadSchemaType}},
  };
  for (const Case& c : cases) {
    TQCompoundSchema schema{};
    schema.schemaType = TQ_SCHEMA_JOIN;
    setText(schema.u.join.memberA, "Left");
    setText(schema.u.join.memberB, "Right");
    c.set(schema);
    Status s;
    EXPECT_TRUE(Outcome(tqCheckCompoundSchema(&schema, c.allowEmpty, s.get()), s, c.expected))
        << c.what;
  }
  Status s, t;
  EXPECT_TRUE(Outcome(tqCheckCompoundSchema(nullptr, 0, s.get()), s, {kTQErrNoSchemaType}));
  EXPECT_TRUE(Outcome(tqCheckCompoundSchema(nullptr, 1, t.get()), t, {}));
}

TEST(ParmchckSchema, FieldMapping) {
  struct Case {
    const char* what;
    std::function<void(TQFieldMappingStruct&)> set;
    Numbers expected;
  } cases[] = {
      {"none", [](auto& m) { m.fieldType = 0; }, {kTQErrNoFieldMapping}},
      {"regular", [](auto& m) { m.fieldType = TQ_FIELD_MAPPING_REGULAR; }, {}},
      {"join member 1",
       [](auto& m) { m.fieldType = TQ_FIELD_MAPPING_JOIN, m.u.join.schemaIndex = 1; },
       {}},
      {"join member 2",
       [](auto& m) { m.fieldType = TQ_FIELD_MAPPING_JOIN, m.u.join.schemaIndex = 2; },
       {kTQErrBadJoinIndex}},
      {"view column",
       [](auto& m) { m.fieldType = TQ_FIELD_MAPPING_VIEW, setText(m.u.view.fieldName, "col"); },
       {}},
      {"view without column",
       [](auto& m) { m.fieldType = TQ_FIELD_MAPPING_VIEW; },
       {kTQErrBadViewColumn, kTQErrNameMissing}},
      {"type 4", [](auto& m) { m.fieldType = 4; }, {kTQErrBadFieldMapping}},
  };
  for (const Case& c : cases) {
    TQFieldMappingStruct m{};
    c.set(m);
    Status s;
    EXPECT_TRUE(Outcome(tqCheckFieldMapping(&m, 0, s.get()), s, c.expected)) << c.what;
  }
  Status s;
  EXPECT_TRUE(Outcome(tqCheckFieldMapping(nullptr, 1, s.get()), s, {}));
}

TEST(ParmchckSchema, QueryListFields) {
  struct Case {
    const char* what;
    TQEntryListFieldStruct item;
    Numbers expected;
  } cases[] = {
      {"valid", {8, 20, "|"}, {}},
      {"field 0", {0, 20, ""}, {kTQErrBadListField}},
      {"width 0", {8, 0, ""}, {kTQErrBadListField}},
      {"entry id column is not checked", {99, 0, ""}, {}},
      {"separator of 9", {8, 20, "123456789"}, {}},
  };
  for (Case& c : cases) {
    TQEntryListFieldList list{1, &c.item};
    Status s;
    EXPECT_TRUE(Outcome(tqCheckEntryListFieldList(&list, s.get()), s, c.expected)) << c.what;
  }
  // A separator that fills its array without a terminator counts as too long.
  TQEntryListFieldStruct unterminated{8, 20, {}};
  std::memset(unterminated.separator, '-', sizeof unterminated.separator);
  TQEntryListFieldList list{1, &unterminated};
  Status s;
  EXPECT_TRUE(Outcome(tqCheckEntryListFieldList(&list, s.get()), s, {kTQErrBadListField}));
  // Half-width katakana grow past 10 in the server's code page.
  CurrentSession session(5, 4);
  TQEntryListFieldStruct kana{8, 20, "\xB1\xB1\xB1\xB1\xB1\xB1"};
  TQEntryListFieldList kanaList{1, &kana};
  Status k;
  EXPECT_TRUE(Outcome(tqCheckEntryListFieldList(&kanaList, k.get()), k, {kTQErrBadListField}));
}

TEST(ParmchckSchema, SortList) {
  TQSortStruct items[2] = {{1, TQ_SORT_ASCENDING}, {2, TQ_SORT_DESCENDING}};
  TQSortList list{2, items};
  Status s;
  EXPECT_TRUE(Outcome(tqCheckSortList(&list, s.get()), s, {}));
  for (uint32_t order : {0u, 3u}) {
    items[1].order = order;
    Status bad;  // 153 is recorded first, so 152 stands ahead of it
    EXPECT_TRUE(
        Outcome(tqCheckSortList(&list, bad.get()), bad, {kTQErrBadSortList, kTQErrBadSortOrder}))
        << order;
  }
  TQSortList counted{1, nullptr};
  Status c;
  EXPECT_TRUE(Outcome(tqCheckSortList(&counted, c.get()), c, {kTQErrNullArray}));
}

TEST(ParmchckSchema, IndexList) {
  for (auto [fields, expected] : {std::pair<uint32_t, Numbers>{1, {}},
                                  {16, {}},
                                  {0, {kTQErrBadIndex}},
                                  {17, {kTQErrBadIndex}}}) {
    TQIndexStruct index{};
    index.numFields = fields;
    TQIndexList list{1, &index};
    Status s;
    EXPECT_TRUE(Outcome(tqCheckIndexList(&list, s.get()), s, expected)) << fields;
  }
}

TEST(ParmchckSchema, PermissionList) {
  TQPermissionStruct items[2] = {{1, TQ_PERMISSIONS_VIEW}, {2, TQ_PERMISSIONS_CHANGE}};
  TQPermissionList list{2, items};
  Status s;
  EXPECT_TRUE(Outcome(tqCheckPermissionList(&list, 0, s.get()), s, {}));
  items[1].permissions = 3;
  Status bad;
  EXPECT_TRUE(Outcome(tqCheckPermissionList(&list, 0, bad.get()), bad,
                      {kTQErrBadPermissionList, kTQErrBadPermission}));

  // Empty with allow-empty clear: a warning, and the call goes on.
  TQPermissionList empty{0, nullptr};
  Status w;
  EXPECT_EQ(tqCheckPermissionList(&empty, 0, w.get()), 1u);
  EXPECT_EQ(w.numbers(), Numbers{kTQWarnNoPermissions});
  EXPECT_EQ(w.type(0), uint32_t{TQ_MSG_WARNING});
  Status quiet;
  EXPECT_TRUE(Outcome(tqCheckPermissionList(nullptr, 1, quiet.get()), quiet, {}));

  // The result is the list's top type: an error already listed stays on top.
  Status earlier;
  TQAppendStatus(earlier.get(), TQ_MSG_ERROR, 999, nullptr);
  EXPECT_EQ(tqCheckPermissionList(nullptr, 0, earlier.get()), 2u);
  EXPECT_EQ(earlier.numbers(), (Numbers{999, kTQWarnNoPermissions}));
}

TEST(ParmchckSchema, PropertyList) {
  TQPropStruct props[2] = {{1, {}}, {2, {}}};
  props[0].value.dataType = TQ_DATA_TYPE_CHAR;  // NULL text: becomes the NULL value
  props[1].value.dataType = TQ_DATA_TYPE_INTEGER;
  TQPropList list{2, props};
  Status s;
  EXPECT_TRUE(Outcome(tqCheckPropList(&list, 0, s.get()), s, {}));
  EXPECT_EQ(props[0].value.dataType, TQ_DATA_TYPE_NULL);
  props[1].value.dataType = 50;
  Status bad;  // the value's own error, nothing added
  EXPECT_TRUE(Outcome(tqCheckPropList(&list, 0, bad.get()), bad, {kTQErrBadDataType}));
  TQPropList empty{0, nullptr};
  Status e, a;
  EXPECT_TRUE(Outcome(tqCheckPropList(&empty, 0, e.get()), e, {kTQErrNoProperties}));
  EXPECT_TRUE(Outcome(tqCheckPropList(&empty, 1, a.get()), a, {}));
}

TEST(ParmchckSchema, DisplayInstances) {
  TQPropStruct badProp{1, {}};
  badProp.value.dataType = 42;
  TQDisplayInstanceStruct items[3] = {{1, {0, nullptr}}, {2, {0, nullptr}}, {3, {0, nullptr}}};
  TQDisplayInstanceList list{{0, nullptr}, 3, items};
  Status s;
  EXPECT_TRUE(Outcome(tqCheckDisplayInstanceList(&list, 0, s.get()), s, {}));

  items[2].vui = 1;
  Status dup;
  EXPECT_TRUE(Outcome(tqCheckDisplayInstanceList(&list, 0, dup.get()), dup, {kTQErrDuplicateVui}));
  items[2].vui = 3;

  items[1].props = {1, &badProp};
  Status inner;
  EXPECT_TRUE(
      Outcome(tqCheckDisplayInstanceList(&list, 0, inner.get()), inner, {kTQErrBadDataType}));
  items[1].props = {0, nullptr};

  list.commonProps = {1, &badProp};
  Status common;
  EXPECT_TRUE(
      Outcome(tqCheckDisplayInstanceList(&list, 0, common.get()), common, {kTQErrBadDataType}));

  TQDisplayInstanceList empty{{0, nullptr}, 0, nullptr};
  Status e, a;
  EXPECT_TRUE(Outcome(tqCheckDisplayInstanceList(&empty, 0, e.get()), e, {kTQErrNoProperties}));
  EXPECT_TRUE(Outcome(tqCheckDisplayInstanceList(&empty, 1, a.get()), a, {}));
}

// --- Field limits -------------------------------------------------------------

struct LimitCase {
  const char* what;
  std::function<void(TQFieldLimitStruct&)> set;
  Numbers expected;
};

TQFieldLimitStruct charLimit() {
  TQFieldLimitStruct l{};
  l.dataType = TQ_DATA_TYPE_CHAR;
  l.u.charLimits.menuStyle = TQ_MENU_STYLE_APPEND;
  l.u.charLimits.qbeMatchOperation = TQ_QBE_MATCH_EQUAL;
  l.u.charLimits.pattern = const_cast<char*>("");
  return l;
}

TEST(ParmchckSchema, FieldLimits) {
  static TQNameType names[2] = {"Open", "Closed"};
  static TQNameType badNames[2] = {"Open", ""};
  static const std::string pattern255(255, 'p'), pattern256(256, 'p');
  const Numbers bad{kTQErrBadFieldLimit};
  const LimitCase cases[] = {
      {"none", [](auto& l) { l.dataType = 0; }, {}},
      {"time", [](auto& l) { l.dataType = TQ_DATA_TYPE_TIME; }, {}},
      {"integer",
       [](auto& l) {
         l.dataType = 2, l.u.intLimits = {1, 1};
       },
       {}},
      {"integer low above high",
       [](auto& l) {
         l.dataType = 2, l.u.intLimits = {2, 1};
       },
       bad},
      {"real precision -1",
       [](auto& l) {
         l.dataType = 3, l.u.realLimits = {0, 1, -1};
       },
       {}},
      {"real precision -2",
       [](auto& l) {
         l.dataType = 3, l.u.realLimits = {0, 1, -2};
       },
       bad},
      {"real low above high",
       [](auto& l) {
         l.dataType = 3, l.u.realLimits = {2, 1, 0};
       },
       bad},
      {"char", [](auto&) {}, {}},
      {"char menu style 3", [](auto& l) { l.u.charLimits.menuStyle = 3; }, bad},
      {"char QBE 0", [](auto& l) { l.u.charLimits.qbeMatchOperation = 0; }, bad},
      {"char QBE 4", [](auto& l) { l.u.charLimits.qbeMatchOperation = 4; }, bad},
      {"char full text 2", [](auto& l) { l.u.charLimits.fullTextOptions = 2; }, bad},
      {"char menu name 30",
       [](auto& l) { setText(l.u.charLimits.charMenu, std::string(30, 'm')); },
       {}},
      {"char menu name unterminated",
       [](auto& l) { std::memset(l.u.charLimits.charMenu, 'm', sizeof(TQNameType)); }, bad},
      {"pattern 255",
       [](auto& l) { l.u.charLimits.pattern = const_cast<char*>(pattern255.c_str()); },
       {}},
      {"pattern 256",
       [](auto& l) { l.u.charLimits.pattern = const_cast<char*>(pattern256.c_str()); }, bad},
      {"diary", [](auto& l) { l.dataType = 5, l.u.diaryLimits.fullTextOptions = 1; }, {}},
      {"diary full text 2", [](auto& l) { l.dataType = 5, l.u.diaryLimits.fullTextOptions = 2; },
       bad},
      {"enum",
       [](auto& l) {
         l.dataType = 6, l.u.enumLimits = {2, names};
       },
       {}},
      {"enum without names",
       [](auto& l) {
         l.dataType = 6, l.u.enumLimits = {0, nullptr};
       },
       {kTQErrNoEnumValues}},
      {"bitmask with an empty name",
       [](auto& l) {
         l.dataType = 8, l.u.maskLimits = {2, badNames};
       },
       {kTQErrBadEnumValue, kTQErrNameMissing}},
      {"decimal",
       [](auto& l) {
         l.dataType = 10, l.u.decimalLimits = {const_cast<char*>("0"), const_cast<char*>("9"), 0};
       },
       {}},
      {"decimal without high",
       [](auto& l) {
         l.dataType = 10, l.u.decimalLimits = {const_cast<char*>("0"), nullptr, 0};
       },
       bad},
      {"decimal precision -1",
       [](auto& l) {
         l.dataType = 10, l.u.decimalLimits = {const_cast<char*>("0"), const_cast<char*>("9"), -1};
       },
       bad},
      {"attachment",
       [](auto& l) {
         l.dataType = 11, l.u.attachLimits = {2147483647u, 1};
       },
       {}},
      {"attachment too large",
       [](auto& l) {
         l.dataType = 11, l.u.attachLimits = {2147483648u, 1};
       },
       bad},
      {"attachment type 2",
       [](auto& l) {
         l.dataType = 11, l.u.attachLimits = {0, 2};
       },
       bad},
      {"column 255", [](auto& l) { l.dataType = 34, l.u.columnLimits.colLength = 255; }, {}},
      {"column 256", [](auto& l) { l.dataType = 34, l.u.columnLimits.colLength = 256; }, bad},
      {"keyword", [](auto& l) { l.dataType = TQ_DATA_TYPE_KEYWORD; }, bad},
      {"byte list", [](auto& l) { l.dataType = TQ_DATA_TYPE_BYTES; }, bad},
      {"tag 12", [](auto& l) { l.dataType = 12; }, bad},
      {"tag 35", [](auto& l) { l.dataType = 35; }, bad},
  };
  for (const LimitCase& c : cases) {
    TQFieldLimitStruct limit = charLimit();
    c.set(limit);
    Status s;
    EXPECT_TRUE(Outcome(tqCheckFieldLimit(&limit, s.get()), s, c.expected)) << c.what;
  }
  Status s;
  EXPECT_TRUE(Outcome(tqCheckFieldLimit(nullptr, s.get()), s, {}));
}

TEST(ParmchckSchema, MissingPatternBecomesEmpty) {
  TQFieldLimitStruct limit = charLimit();
  limit.u.charLimits.pattern = nullptr;
  Status s;
  EXPECT_TRUE(Outcome(tqCheckFieldLimit(&limit, s.get()), s, {}));
  ASSERT_NE(limit.u.charLimits.pattern, nullptr);
  EXPECT_STREQ(limit.u.charLimits.pattern, "");
  std::free(limit.u.charLimits.pattern);
}

TEST(ParmchckSchema, TableLimits) {
  const LimitCase cases[] = {
      {"valid", [](auto&) {}, {}},
      {"9999 rows", [](auto& l) { l.u.tableLimits.maxRetrieve = 9999; }, {}},
      {"10000 rows", [](auto& l) { l.u.tableLimits.maxRetrieve = 10000; }, {kTQErrBadFieldLimit}},
      // A failing schema, server or qualification adds 129 after its own error.
      {"no schema",
       [](auto& l) { l.u.tableLimits.schema[0] = '\0'; },
       {kTQErrBadTableLimit, kTQErrNameMissing}},
      {"no server",
       [](auto& l) { l.u.tableLimits.server[0] = '\0'; },
       {kTQErrBadTableLimit, kTQErrNameMissing}},
      {"bad qualification",
       [](auto& l) { l.u.tableLimits.qualifier.operation = 6; },
       {kTQErrBadTableLimit, kTQErrBadQualifierOp}},
  };
  for (const LimitCase& c : cases) {
    TQFieldLimitStruct limit{};
    limit.dataType = TQ_DATA_TYPE_TABLE;
    setText(limit.u.tableLimits.schema, "Lines");
    setText(limit.u.tableLimits.server, "tracker");
    c.set(limit);
    Status s;
    EXPECT_TRUE(Outcome(tqCheckFieldLimit(&limit, s.get()), s, c.expected)) << c.what;
  }
}

}  // namespace
