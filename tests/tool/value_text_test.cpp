// Display texts of returned values, status-list texts and the conversion of
// field specs into value records.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "field_spec.h"
#include "status_format.h"
#include "tool_exceptions.h"
#include "value_text.h"

namespace tixgrab {
namespace {

TEST(FormatReal, Table) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {5.0, "5."},
      {2.5, "2.5"},
      {0.001, "0.001"},
      {0.0, "0."},
      {-2.5, "-2.5"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3.0, "0.333333333333"},  // rounded to 12 places
      {2.0 / 3.0, "0.666666666667"},
      {123456.123456789, "123456.123456789"},   // exactly 15 digits
      {1234567.123456789, "1234567.12345678"},  // the 16th digit is cut, not rounded
      {1e-13, "0."},
      {1e20, "100000000000000000000."},
      {12345678901234567890.0, "12345678901234500000."},  // magnitude kept
      {1e30, "1e+30"},
      {-2.5e31, "-2.5e+31"},
      {123456789012345678e15, "1.234567890123457e+32"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(formatReal(c.value), c.text) << c.text;
}

TEST(ValueText, EachDataType) {
  TQValueStruct v{};
  v.dataType = TQ_DATA_TYPE_NULL;
  EXPECT_EQ(valueText(v), "[NULL]");
  v.dataType = TQ_DATA_TYPE_INTEGER;
  v.u.intVal = -12;
  EXPECT_EQ(valueText(v), "-12");
  v.dataType = TQ_DATA_TYPE_ENUM;
  v.u.enumVal = 3;
  EXPECT_EQ(valueText(v), "3");
  v.dataType = TQ_DATA_TYPE_BITMASK;
  v.u.maskVal = 0xFFFFFFFFu;
  EXPECT_EQ(valueText(v), "-1") << "printed as signed";
  v.dataType = TQ_DATA_TYPE_TIME;
  v.u.timeVal = 1015318023;
  EXPECT_EQ(valueText(v), "1015318023");
  char text[] = "abc";
  v.dataType = TQ_DATA_TYPE_DECIMAL;
  v.u.decimalVal = text;
  EXPECT_EQ(valueText(v), "abc");
  v.dataType = TQ_DATA_TYPE_CHAR;
  v.u.charVal = nullptr;
  EXPECT_EQ(valueText(v), "");
  for (uint32_t type : {TQ_DATA_TYPE_BYTES, TQ_DATA_TYPE_ATTACH, TQ_DATA_TYPE_COORDS}) {
    v.dataType = type;
    EXPECT_EQ(valueText(v), "[?]");
  }
}

TEST(FormatStatusList, PrefixesAppendedTextsAndSeparators) {
  char t1[] = "t1", t2[] = "t2", x[] = "x", t3[] = "odd";
  TQStatusStruct items[] = {
      {0, 1, t1, nullptr}, {2, 2, t2, x}, {5, 3, t3, nullptr}, {1, 51, nullptr, nullptr}};
  TQStatusList list{4, items};
  EXPECT_EQ(formatStatusList(list),
            "NOTE: t1 (message no. 1). ERROR: t2 [x] (message no. 2). NB: odd (message no. 3). "
            "WARNING:  (message no. 51)");
  TQStatusList empty{};
  EXPECT_EQ(formatStatusList(empty), "");
}

TEST(FieldSpec, TypesMapToDataTypesAndValues) {
  struct Case {
    const char* type;
    const char* value;
    uint32_t dataType;
  };
  const Case cases[] = {
      {"CHAR", " a b ", TQ_DATA_TYPE_CHAR}, {"int", "42x", TQ_DATA_TYPE_INTEGER},
      {"Real", "2.5", TQ_DATA_TYPE_REAL},   {"TIME", "1000", TQ_DATA_TYPE_TIME},
      {"ENUM", "2", TQ_DATA_TYPE_ENUM},     {"NULL", "ignored", TQ_DATA_TYPE_NULL},
      {"KEY", "7", TQ_DATA_TYPE_KEYWORD},   {"DIARY", "d", TQ_DATA_TYPE_DIARY},
      {"BIT", "5", TQ_DATA_TYPE_BITMASK},   {"DEC", "1.50", TQ_DATA_TYPE_DECIMAL},
  };
  for (const Case& c : cases) {
    FieldSpec spec("536870913", c.type, c.value);
    TQFieldValueStruct item{};
    spec.fill(item, nullptr);
    EXPECT_EQ(item.fieldId, 536870913u) << c.type;
    EXPECT_EQ(item.value.dataType, c.dataType) << c.type;
  }
  FieldSpec text("1", "CHAR", " \t a b \t");
  EXPECT_EQ(text.value(), "a b");
  FieldSpec number("1", "INT", "42x");
  TQFieldValueStruct item{};
  number.fill(item, nullptr);
  EXPECT_EQ(item.value.u.intVal, 42);
  FieldSpec big("99999999999", "INT", "-99999999999");
  big.fill(item, nullptr);
  EXPECT_EQ(item.fieldId, 2147483647u) << "out-of-range numbers saturate like a 32-bit atol";
  EXPECT_EQ(item.value.u.intVal, std::numeric_limits<int32_t>::min());
}

TEST(FieldSpec, UnknownTypeIsRejectedWhenMade) {
  try {
    FieldSpec spec("1", "Text", "x");
    FAIL() << "no exception";
  } catch (const TqAccessException& e) {
    EXPECT_STREQ(e.what(), "Unknown field type 'Text'");
  }
}

TEST(FieldSpec, LogMessageReplacesEveryMarkerInTextTypesOnly) {
  std::string message = "boom";
  FieldSpec text("1", "CHAR", "[LOGMSG] and [logMsg]");
  FieldSpec number("2", "INT", "[LOGMSG]");
  TQFieldValueStruct item{};
  text.fill(item, &message);
  EXPECT_STREQ(item.value.u.charVal, "boom and boom");
  number.fill(item, &message);
  EXPECT_EQ(item.value.u.intVal, 0);
  text.fill(item, nullptr);
  EXPECT_STREQ(item.value.u.charVal, "[LOGMSG] and [logMsg]");
}

}  // namespace
}  // namespace tixgrab
