// Texts and the trees they give, one case a line: every kind of token,
// precedence and grouping, keywords as whole values and inside texts,
// status-history references, and the conversions after a relation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "parse_fixture.h"
#include "share/apisrv/datetime.h"

namespace {

using parsetest::parse;

struct Case {
  const char* text;
  const char* tree;
};

void expectTrees(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    const parsetest::Parsed p = parse(c.text);
    EXPECT_EQ(p.code, 0u) << c.text << ": " << p.number << " " << p.appended;
    EXPECT_EQ(p.tree, c.tree) << c.text;
  }
}

TEST(ParseTrees, TokensAndOperators) {
  expectTrees({
      {"'Status' = \"Open\"", "=(f7, e1)"},
      {"a == 1", "=(f102, 1)"},
      {"a != 1", "!=(f102, 1)"},
      {"a <> 1", "!=(f102, 1)"},
      {"a<1", "<(f102, 1)"},
      {"a<=1", "<=(f102, 1)"},
      {"a>1", ">(f102, 1)"},
      {"a>=1", ">=(f102, 1)"},
      {"'Short Description' LIKE \"%disk%\"", "LIKE(f8, \"%disk%\")"},
      {"'Short Description' like \"x\"", "LIKE(f8, \"x\")"},
      {"a = 1 && b = 2 || c = 3", "OR(AND(=(f102, 1), =(f103, 2)), =(f104, 3))"},
      {"!a = 1", "NOT(=(f102, 1))"},
      {"not a = 1", "NOT(=(f102, 1))"},
      {"a = NULL", "=(f102, NULL)"},
      {"a != null", "!=(f102, NULL)"},
      {"a = 1.5", "=(f102, r1.5)"},
      {"a = 1e3", "=(f102, 1000)"},
      {"a = .5", "=(f102, r0.5)"},
      {"a = 3000000000", "=(f102, r3e+09)"},
      {"a = 2147483647", "=(f102, 2147483647)"},
      {"'Short Description' = \"say \"\"hi\"\"\"", "=(f8, \"say \"hi\"\")"},
      {"'It''s' = \"\"", "=(f121, \"\")"},
      {"'Order' = 1", "=(f122, 1)"},
      {"'536870913' = 1", "=(f536870913, 1)"},
      {"536870913 = a", "=(536870913, f102)"},
      {" \t a\n=\r\n1 ", "=(f102, 1)"},
      // Words are matched by their length: ANDb is AND followed by b.
      {"a = 1 ANDb = 2", "AND(=(f102, 1), =(f103, 2))"},
      {"a = 1 ORb = 2", "OR(=(f102, 1), =(f103, 2))"},
  });
}

TEST(ParseTrees, PrecedenceAndGrouping) {
  expectTrees({
      {"a = 1 OR b = 2 AND c = 3", "OR(=(f102, 1), AND(=(f103, 2), =(f104, 3)))"},
      {"NOT a = 1 AND b = 2", "AND(NOT(=(f102, 1)), =(f103, 2))"},
      {"a = 1 AND b = 2 AND c = 3", "AND(AND(=(f102, 1), =(f103, 2)), =(f104, 3))"},
      {"a = 1 OR b = 2 OR c = 3", "OR(OR(=(f102, 1), =(f103, 2)), =(f104, 3))"},
      {"(a = 1 OR b = 2) AND c = 3", "AND(OR(=(f102, 1), =(f103, 2)), =(f104, 3))"},
      {"NOT (a = 1 OR NOT b = 2)", "NOT(OR(=(f102, 1), NOT(=(f103, 2))))"},
      {"NOT NOT a = 1", "NOT(NOT(=(f102, 1)))"},
      {"((a = 1))", "=(f102, 1)"},
      {"a + b * c - 4 % 3 < 10", "<(-(+(f102, *(f103, f104)), %(4, 3)), 10)"},
      {"a - b - c = 0", "=(-(-(f102, f103), f104), 0)"},
      {"a / b * c = 0", "=(*(/(f102, f103), f104), 0)"},
      {"-a * b = 1", "=(*(neg(f102), f103), 1)"},
      {"a - -b = 1", "=(-(f102, neg(f103)), 1)"},
      {"a = --1", "=(f102, neg(neg(1)))"},
      {"a * (b + c) = 1", "=(*(f102, +(f103, f104)), 1)"},
  });
}

// A parenthesis that closes right after a relation's left expression is an
// expression parenthesis; one around a whole relation a qualification one.
TEST(ParseTrees, TwoKindsOfParenthesis) {
  expectTrees({
      {"('a' + 1) > 2", ">(+(f102, 1), 2)"},
      {"((a) + 1) * 2 >= -3", ">=(*(+(f102, 1), 2), neg(3))"},
      {"(a) = 1", "=(f102, 1)"},
      {"((a)) = 1 AND (b = 2)", "AND(=(f102, 1), =(f103, 2))"},
      {"NOT (a + 1) = 2", "NOT(=(+(f102, 1), 2))"},
      {"(b = 1 AND (a) > 2)", "AND(=(f103, 1), >(f102, 2))"},
      {"((a + 1) = 2 OR b = 3)", "OR(=(+(f102, 1), 2), =(f103, 3))"},
      {"a = (1 + 2) * 3", "=(f102, *(+(1, 2), 3))"},
  });
}

TEST(ParseTrees, Keywords) {
  expectTrees({
      {"'Submitter' = $USER$", "=(f2, $1)"},
      {"'Submitter' = \"$USER$\"", "=(f2, $1)"},
      {"'Submitter' = \"$user$\"", "=(f2, $1)"},
      {"'Submitter' = \"Hi $USER$\"", "=(f2, \"Hi joe\")"},
      {"'Submitter' = \"$-1$\"", "=(f2, $1)"},
      {"'Submitter' = \"$-21$\"", "=(f2, $21)"},
      {"'Submitter' = \"$-22$\"", "=(f2, \"$-22$\")"},
      {"'Submitter' = $NULL$", "=(f2, NULL)"},
      {"'Submitter' = \"$--1$\"", "=(f2, NULL)"},
      {"'Submitter' = \"$$\"", "=(f2, \"$$\")"},
      {"'Short Description' = \"$SCHEMA$ on $SERVER$, $VUI$, $LASTID$, $LASTCOUNT$, "
       "$OPERATION$, $GROUPS$|$DATABASE$|$VERSION$|$DEFAULT$$NO$\"",
       "=(f8, \"Demo on localhost, Default, 000000000000042, 7, QUERY, Admin Staff|SQLite 3 | "
       "4.00.03|\")"},
      {"'Short Description' = \"$nokey$ $ $USER$\"", "=(f8, \"$nokey$ $ joe\")"},
      {"'Short Description' = \"cost $5, $USER$\"", "=(f8, \"cost $5, joe\")"},
      // A keyword makes the relation one with a time, but it is no text.
      {"'Create Date' > $DATE$-1", ">(f3, -($4, 1))"},
      {"'Create Date' > $TIMESTAMP$ - 3600", ">(f3, -($2, 3600))"},
      {"'Create Date' < \"$TIME$\"", "<(f3, $3)"},
  });
}

TEST(ParseTrees, StatusHistoryReferences) {
  expectTrees({
      {"'Status History.Open.TIME' > $TIMESTAMP$ - 3600", ">(sh(1,2), -($2, 3600))"},
      {"'Status History.Closed.USER' = \"joe\"", "=(sh(2,1), \"joe\")"},
      {"'Status History.2.1' = \"joe\"", "=(sh(2,1), \"joe\")"},
      {"'Status History . Open . time ' > 0", ">(sh(1,2), 0)"},
      {"'15.New.USER' = \"joe\"", "=(sh(0,1), \"joe\")"},
      {"'15.0.2' > \"1000000\"", ">(sh(0,2), t1000000)"},
      {"'Status History' = NULL", "=(f15, NULL)"},
      {"'15' = NULL", "=(f15, NULL)"},
  });
}

TEST(ParseTrees, EnumerationNames) {
  expectTrees({
      {"\"Closed\" = 'Status'", "=(e2, f7)"},
      {"'Status' != \"New\" AND 'Kind' = \"Feature\"", "AND(!=(f7, e0), =(f120, e1))"},
      {"'Status' = 2", "=(f7, 2)"},
      // Only the first text of the two is looked up.
      {"\"Open\" = \"Closed\" + 'Status'", "=(e1, +(\"Closed\", f7))"},
      // Enumerated and with a time: nothing is converted.
      {"'Status' + 'Submit Date' = \"Open\"", "=(+(f7, f110), \"Open\")"},
  });
}

TEST(ParseTrees, TimesAndIntervals) {
  expectTrees({
      {"'Submit Date' > \"1000000\"", ">(f110, t1000000)"},
      {"\"2\" < 'Create Date'", "<(t2, f3)"},
      // Beside an arithmetic partner a time of day is an interval.
      {"\"1:30\" < 'Submit Date' - 100", "<(5400, -(f110, 100))"},
      {"\"1:30:15\" >= 'Submit Date' * 1", ">=(5415, *(f110, 1))"},
      {"'Status History.Open.TIME' > \"86400\"", ">(sh(1,2), t86400)"},
      {"'Submitter' = \"1:30\"", "=(f2, \"1:30\")"},
  });
  // Against a plain time field, a time of day is that time today.
  int32_t today = 0;
  bool interval = true;
  ASSERT_TRUE(tqDtTextToSeconds("1:30", true, &today, &interval));
  ASSERT_FALSE(interval);
  EXPECT_EQ(parse("'Submit Date' > \"1:30\"").tree, ">(f110, t" + std::to_string(today) + ")");
  // Inside arithmetic too.
  EXPECT_EQ(parse("'Submit Date' > $TIMESTAMP$ - \"1:30\"").tree,
            ">(f110, -($2, t" + std::to_string(today) + "))");
}

TEST(ParseTrees, BlankTextIsTheEmptyQualification) {
  for (const char* text : {"", " \t ", static_cast<const char*>(nullptr)}) {
    const parsetest::Parsed p = parse(text);
    EXPECT_EQ(p.code, 0u);
    EXPECT_EQ(p.tree, "<none>");
    EXPECT_EQ(p.number, 0);
  }
}

TEST(ParseTrees, SixtyFourParenthesesNest) {
  const std::string text = std::string(64, '(') + "a = 1" + std::string(64, ')');
  EXPECT_EQ(parse(text.c_str()).tree, "=(f102, 1)");
  const std::string expression = "a = " + std::string(64, '(') + "1" + std::string(64, ')');
  EXPECT_EQ(parse(expression.c_str()).tree, "=(f102, 1)");
}

}  // namespace
