// Faulty texts: each gives its error number with the text that shows where
// parsing stopped; depth limits fail cleanly however long the input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "parse_fixture.h"

namespace {

using parsetest::parse;

struct Case {
  const char* text;
  int32_t number;
  size_t position;  // from the first non-blank character
};

// The position text of a text of at most 15 bytes after the position.
std::string shortPositionText(const std::string& text, size_t p) {
  return "position " + std::to_string(p) + "   (" + text.substr(0, p) + "^" + text.substr(p) + ")";
}

TEST(ParseErrors, EachErrorWithItsPosition) {
  const std::vector<Case> cases = {
      {"'Status' = \"Open", 1580, 16},
      {"a = 'b", 1580, 6},
      {"a = 1 b = 2", 1582, 6},
      {"(a = 1) c", 1582, 8},
      {"a 1", 1583, 2},
      {"a AND b = 1", 1583, 2},
      {"(a + 1", 1583, 6},
      {"a = ", 1584, 4},
      {"a = 1 AND", 1584, 9},
      {"= 1", 1584, 0},
      {"a = ()", 1584, 5},
      {"Order = 1", 1584, 0},  // OR, then "der"
      {"(a = 1", 1586, 6},
      {"a = 1)", 1586, 5},
      {"a = (1", 1586, 6},
      {"a ) = 1", 1586, 2},
      {"a = (1 2)", 1581, 7},
      {"'Nope' = 1", 1587, 0},
      {"a = b c", 1582, 6},
      {"a = 1x", 1582, 5},
      {"'Status' = Open", 1587, 11},
      {"'' = 1", 1587, 0},
      {"'99999999999' = 1", 1587, 0},
      {"'Status' = \"Pending\"", 1588, 11},
      {"\"open\" = 'Status'", 1588, 0},
      {"'Status History.Pending.TIME' > 1", 1588, 0},
      {"'Status History.open.TIME' > 1", 1588, 0},
      {"'Status History.Open.WHEN' > 1", 1589, 0},
      {"'Status History.Open.TIME x' > 1", 1589, 0},
      {"'Status History.Open' > 1", 1589, 0},
      {"'Status History..TIME' > 1", 1589, 0},
      {"'Status Historyx.Open.TIME' > 1", 1589, 0},
      {"'15.Open.3' > 1", 1589, 0},
      {"'Submit Date' > \"whenever\"", 1590, 16},
      {"'Submit Date' > 1 + \"soon\"", 1590, 20},
      {"  a 1", 1583, 2},
  };
  for (const Case& c : cases) {
    const parsetest::Parsed p = parse(c.text);
    EXPECT_EQ(p.code, 2u) << c.text;
    EXPECT_EQ(p.number, c.number) << c.text;
    std::string text = c.text;
    text.erase(0, text.find_first_not_of(' '));
    if (text.size() <= c.position + 15 && c.position <= 15) {
      EXPECT_EQ(p.appended, shortPositionText(text, c.position)) << c.text;
    } else {
      EXPECT_EQ(p.appended.rfind("position " + std::to_string(c.position) + "   (", 0), 0u)
          << c.text << ": " << p.appended;
    }
  }
}

TEST(ParseErrors, PositionTextShowsFifteenBytesEachSide) {
  // An error at byte 20 of a 60-byte text.
  const std::string text = "a = 1 AND b = 2 AND ) AND c = 3 AND a = 1 AND b = 2 AND c=33";
  ASSERT_EQ(text.size(), 60u);
  const parsetest::Parsed p = parse(text.c_str());
  EXPECT_EQ(p.number, 1584);
  EXPECT_EQ(p.appended,
            "position 20   (..." + text.substr(5, 15) + "^" + text.substr(20, 15) + "...)");

  // Fifteen bytes before the position are shown whole; sixteen are cut.
  EXPECT_EQ(parse("a = 1 AND b = 2 c").appended, "position 16   (... = 1 AND b = 2 ^c)");
  EXPECT_EQ(parse("a = 1 AND b = 2c").appended, "position 15   (a = 1 AND b = 2^c)");
}

TEST(ParseErrors, SixtyFiveParenthesesAreTooMany) {
  for (const std::string& text : {std::string(65, '(') + "a = 1" + std::string(65, ')'),
                                  "a = " + std::string(65, '(') + "1" + std::string(65, ')')}) {
    const parsetest::Parsed p = parse(text.c_str());
    EXPECT_EQ(p.number, 1585);
    EXPECT_EQ(p.appended.rfind("position " + std::to_string(text.find('(') + 64) + " ", 0), 0u)
        << p.appended;
  }
}

TEST(ParseErrors, StatusNamesNeedTheStatusField) {
  TQParseCatalogue noStatus;
  for (const TQParseField& field : parsetest::demoCatalogue().fields) {
    if (field.fieldId != 7) noStatus.fields.push_back(field);
  }
  const TQParseContext context = parsetest::demoContext(noStatus);
  EXPECT_EQ(parse("'Status History.Open.TIME' > 1", context).number, 1579);
  EXPECT_EQ(parse("'Status History.1.TIME' > 1", context).tree, ">(sh(1,2), 1)");
}

// Long chains of any construct end in a clean error (or a tree) without
// exhausting the stack; the partial tree is released.
TEST(ParseErrors, LongChainsFailCleanly) {
  const size_t n = 1000000;
  std::string nots;
  for (size_t i = 0; i < n; ++i)
    nots += "NOT ";
  nots += "a = 1";
  std::string minus = "a = " + std::string(n, '-') + "1";
  std::string ands = "a = 1";
  for (size_t i = 0; i < n / 10; ++i)
    ands += " AND a = 1";
  std::string sums = "a = 1";
  for (size_t i = 0; i < n / 10; ++i)
    sums += " + 1";
  for (const std::string* text : {&nots, &minus, &ands, &sums}) {
    const parsetest::Parsed p = parse(text->c_str());
    EXPECT_EQ(p.code, 2u);
    EXPECT_EQ(p.number, 1591);
  }
  // Well below the limit a chain is a tree.
  std::string some = "a = 1";
  for (int i = 0; i < 300; ++i)
    some += " OR a = 1";
  EXPECT_EQ(parse(some.c_str()).code, 0u);
}

}  // namespace
