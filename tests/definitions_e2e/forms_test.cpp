// Forms as definitions: the seed file's forms answer as schemas with their
// fields and a default view; fields and forms made through the library are
// usable by entries at once, and deleting them removes their values.
#include <cstring>

#include "def_fixture.h"

namespace {

using deftest::DefServer;
using deftest::kForm;
using deftest::Session;
using deftest::take;

// The text of property `tag` in a list, or "" when it has none.
std::string propText(const TQPropList& props, uint32_t tag) {
  for (uint32_t i = 0; i < props.numItems; ++i) {
    const TQPropStruct& p = props.props[i];
    if (p.propertyTag == tag && p.value.dataType == TQ_DATA_TYPE_CHAR) return p.value.u.charVal;
  }
  return "";
}

TEST(FormDefinitions, SeedFormsAnswerAsSchemasFieldsAndViews) {
  DefServer s;
  Session c(s.server());

  TQNameList forms{};
  ASSERT_EQ(TQGetListSchema(c.ctl(), 0, nullptr, 0, &forms, c.st()), 0u);
  ASSERT_EQ(forms.numItems, 2u);
  EXPECT_STREQ(forms.nameList[0], "Demo:Log");
  EXPECT_STREQ(forms.nameList[1], kForm);
  FreeTQNameList(&forms, 0);

  TQCompoundSchema schema{};
  ASSERT_EQ(TQGetSchema(c.ctl(), kForm, &schema, nullptr, nullptr, nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr, nullptr, c.st()),
            0u);
  EXPECT_EQ(schema.schemaType, static_cast<uint32_t>(TQ_SCHEMA_REGULAR));
  FreeTQCompoundSchema(&schema, 0);

  TQInternalIdList ids{};
  ASSERT_EQ(TQGetListField(c.ctl(), kForm, 1, 0, &ids, c.st()), 0u);
  ASSERT_GE(ids.numItems, 8u);
  EXPECT_EQ(ids.internalIdList[0], 1u);
  EXPECT_EQ(ids.internalIdList[6], 7u);
  FreeTQInternalIdList(&ids, 0);

  TQNameType name{};
  uint32_t dataType = 0;
  TQFieldLimitStruct limit{};
  TQDisplayInstanceList displays{};
  ASSERT_EQ(
      TQGetField(c.ctl(), kForm, 7, name, nullptr, &dataType, nullptr, nullptr, nullptr, nullptr,
                 &limit, &displays, nullptr, nullptr, nullptr, nullptr, nullptr, c.st()),
      0u);
  EXPECT_STREQ(name, "Status");
  EXPECT_EQ(dataType, static_cast<uint32_t>(TQ_DATA_TYPE_ENUM));
  ASSERT_EQ(limit.dataType, static_cast<uint32_t>(TQ_DATA_TYPE_ENUM));
  ASSERT_EQ(limit.u.enumLimits.numItems, 3u);
  EXPECT_STREQ(limit.u.enumLimits.nameList[1], "Open");
  ASSERT_EQ(displays.numItems, 1u);
  EXPECT_EQ(displays.dInstanceList[0].vui, 1u);
  EXPECT_EQ(propText(displays.dInstanceList[0].props, 20), "Status");
  FreeTQFieldLimitStruct(&limit, 0);
  FreeTQDisplayInstanceList(&displays, 0);

  ASSERT_EQ(TQGetListVUI(c.ctl(), kForm, 0, &ids, c.st()), 0u);
  ASSERT_EQ(ids.numItems, 1u);
  const uint32_t view = ids.internalIdList[0];
  FreeTQInternalIdList(&ids, 0);
  TQPropList props{};
  ASSERT_EQ(TQGetVUI(c.ctl(), kForm, view, name, &props, nullptr, nullptr, nullptr, nullptr,
                     nullptr, c.st()),
            0u);
  bool isDefault = false;
  for (uint32_t i = 0; i < props.numItems; ++i) {
    const TQPropStruct& p = props.props[i];
    if (p.propertyTag == 161 && p.value.dataType == TQ_DATA_TYPE_ENUM && p.value.u.enumVal == 1) {
      isDefault = true;
    }
  }
  EXPECT_TRUE(isDefault);
  EXPECT_FALSE(propText(props, 20).empty());
  FreeTQPropList(&props, 0);
}

TEST(FormDefinitions, UnknownNamesGiveAnError) {
  DefServer s;
  Session c(s.server());
  TQNameType name{};
  EXPECT_EQ(
      TQGetField(c.ctl(), kForm, 999, name, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                 nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, c.st()),
      2u);
  EXPECT_EQ(c.numbers().front(), 9361);
  EXPECT_EQ(
      TQGetField(c.ctl(), "No:Such", 1, name, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                 nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, c.st()),
      2u);
  EXPECT_EQ(c.numbers().front(), 9361);
}

// An entry with one char value; returns the new id.
std::string createEntry(Session& c, const char* form, uint32_t field, const char* text) {
  TQFieldValueStruct item{};
  item.fieldId = field;
  item.value.dataType = TQ_DATA_TYPE_CHAR;
  item.value.u.charVal = const_cast<char*>(text);
  TQFieldValueList values{1, &item};
  TQEntryIdType id{};
  EXPECT_EQ(TQCreateEntry(c.ctl(), form, &values, id, c.st()), 0u);
  return id;
}

// The char value of a field of an entry, or "(none)" when the get fails.
std::string readText(Session& c, const char* form, const std::string& id, uint32_t field) {
  TQEntryIdType entryId{};
  std::strncpy(entryId, id.c_str(), sizeof entryId - 1);
  TQEntryIdList ids{1, &entryId};
  TQInternalIdList fields{1, &field};
  TQFieldValueList values{};
  if (TQGetEntry(c.ctl(), form, &ids, &fields, &values, c.st()) != 0) return "(none)";
  std::string out;
  if (values.numItems == 1 && values.fieldValueList[0].value.dataType == TQ_DATA_TYPE_CHAR) {
    out = values.fieldValueList[0].value.u.charVal;
  }
  FreeTQFieldValueList(&values, 0);
  return out;
}

// Creates a char field open to everyone (without permissions the call
// warns that only administrators may use it, 50); returns the return code.
uint32_t createCharField(Session& c, uint32_t* id, const char* name) {
  TQPermissionStruct everyone{0, 2};
  const TQPermissionList permissions{1, &everyone};
  return TQCreateField(c.ctl(), kForm, id, 0, name, nullptr, TQ_DATA_TYPE_CHAR, 2, 1, nullptr,
                       &permissions, nullptr, nullptr, nullptr, nullptr, nullptr, c.st());
}

TEST(FormDefinitions, CreatedFieldsAndFormsServeEntriesAtOnce) {
  DefServer s;
  Session c(s.server());
  uint32_t id = 0;
  ASSERT_EQ(createCharField(c, &id, "Notes"), 0u) << c.numbers().front();
  EXPECT_GT(id, 0u);
  const std::string entry = createEntry(c, kForm, id, "first note");
  EXPECT_EQ(readText(c, kForm, entry, id), "first note");

  // A second create of the same name is refused.
  uint32_t again = 0;
  EXPECT_EQ(createCharField(c, &again, "Notes"), 2u);
  EXPECT_EQ(c.numbers().front(), 9362);

  ASSERT_EQ(TQDeleteField(c.ctl(), kForm, id, 0, c.st()), 0u);
  EXPECT_EQ(readText(c, kForm, entry, id), "(none)");
  // A field made again under the id starts without the old values.
  uint32_t same = id;
  ASSERT_EQ(createCharField(c, &same, "Notes"), 0u);
  EXPECT_EQ(readText(c, kForm, entry, id), "");

  // A new form takes entries in its core fields at once and goes with them.
  TQCompoundSchema regular{};
  regular.schemaType = TQ_SCHEMA_REGULAR;
  ASSERT_EQ(TQCreateSchema(c.ctl(), "Test:New", &regular, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr, nullptr, nullptr, c.st()),
            0u)
      << c.numbers().front();
  const std::string inNew = createEntry(c, "Test:New", 2, "Ann");
  EXPECT_EQ(readText(c, "Test:New", inNew, 2), "Ann");
  ASSERT_EQ(TQDeleteSchema(c.ctl(), "Test:New", 0, c.st()), 0u);
  EXPECT_EQ(readText(c, "Test:New", inNew, 2), "(none)");
  TQCompoundSchema gone{};
  EXPECT_EQ(TQGetSchema(c.ctl(), "Test:New", &gone, nullptr, nullptr, nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr, nullptr, c.st()),
            2u);
}

TEST(FormDefinitions, ChangedLabelsAndEnumNamesReachEntries) {
  DefServer s;
  Session c(s.server());
  TQNameType names[] = {"Draft", "Final"};
  TQFieldLimitStruct limit{};
  limit.dataType = TQ_DATA_TYPE_ENUM;
  limit.u.enumLimits = TQNameList{2, names};
  ASSERT_EQ(TQSetField(c.ctl(), kForm, 7, nullptr, nullptr, nullptr, nullptr, nullptr, &limit,
                       nullptr, nullptr, nullptr, "changed the states", c.st()),
            0u)
      << c.numbers().front();
  TQFieldLimitStruct got{};
  char* diary = nullptr;
  TQAccessNameType lastChanged{};
  ASSERT_EQ(
      TQGetField(c.ctl(), kForm, 7, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                 &got, nullptr, nullptr, nullptr, nullptr, lastChanged, &diary, c.st()),
      0u);
  ASSERT_EQ(got.u.enumLimits.numItems, 2u);
  EXPECT_STREQ(got.u.enumLimits.nameList[1], "Final");
  EXPECT_STREQ(lastChanged, "Joe");
  const std::string text = take(diary);
  EXPECT_NE(text.find("\x04Joe\x04"
                      "changed the states\x03"),
            std::string::npos);
  FreeTQFieldLimitStruct(&got, 0);

  // Entries take the new value names: index 1 is now the highest.
  TQFieldValueStruct item{};
  item.fieldId = 7;
  item.value.dataType = TQ_DATA_TYPE_ENUM;
  item.value.u.enumVal = 2;
  TQFieldValueList values{1, &item};
  TQEntryIdType id{};
  EXPECT_EQ(TQCreateEntry(c.ctl(), kForm, &values, id, c.st()), 2u);
}

}  // namespace
