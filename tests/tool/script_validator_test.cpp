// Validation of a script and the defaults it fills in.
#include <gtest/gtest.h>

#include "script_element.h"
#include "script_parameters.h"
#include "script_validator.h"
#include "tool_test_util.h"

namespace tixgrab::test {
namespace {

TEST(ScriptValidator, FillsDefaultsOnlyForAbsentKeywords) {
  ScriptElement tixgrab(ScriptElement::kElement, "TIXGRAB", nullptr);
  CapturingLog log;
  ASSERT_TRUE(parseScriptParameters(
      tixgrab,
      "TQ SYSTEM=s FIND FORM=f LABEL=\"\" GET FORM=f ENTRY=1 FIELD ID=2 LOG FORM=l FIELD ID=3 x "
      "SET FORM=f ENTRY=1 FIELD ID=4 TYPE=INT 5 ADD FORM=f FIELD ID=1",
      log));
  ASSERT_TRUE(validateScript(tixgrab, log)) << log.text();
  const auto& actions = tixgrab.children();
  const ScriptElement& tq = *actions[0];
  EXPECT_EQ(tq.keywordValue("USER"), "Demo");
  EXPECT_TRUE(tq.hasKeyword("PSW"));
  EXPECT_TRUE(tq.hasKeyword("LANG"));
  ASSERT_EQ(actions.size(), 6u);
  const ScriptElement& add = *actions[5];
  EXPECT_EQ(add.keywordValue("LABEL"), "EntryId");
  EXPECT_EQ(add.findChild("FIELD")->keywordValue("TYPE"), "CHAR");
  EXPECT_TRUE(add.findChild("FIELD")->hasText()) << "a field without value gets an empty one";
  const ScriptElement& find = *actions[1];
  EXPECT_EQ(find.keywordValue("LABEL"), "") << "an empty LABEL is kept";
  EXPECT_TRUE(find.hasKeyword("QUAL"));
  const ScriptElement& get = *actions[2];
  EXPECT_TRUE(get.hasKeyword("HEAD"));
  EXPECT_TRUE(get.findChild("FIELD")->hasKeyword("LABEL"));
  EXPECT_EQ(actions[3]->keywordValue("MAX"), "0");
  EXPECT_EQ(actions[4]->findChild("FIELD")->keywordValue("TYPE"), "INT");
  EXPECT_EQ(log.text(), "");
}

TEST(ScriptValidator, ReportsEveryMissingPiece) {
  ScriptElement tixgrab(ScriptElement::kElement, "TIXGRAB", nullptr);
  tixgrab.createChild(ScriptElement::kComment);
  CapturingLog log;
  ASSERT_TRUE(parseScriptParameters(
      tixgrab, "FIND ADD FIELD x DEL GET LOG FIELD TYPE=INT 5 SET FORM=f", log));
  EXPECT_FALSE(validateScript(tixgrab, log));
  EXPECT_EQ(log.text(),
            "Parameter Error: required TQ tag not specified.\n"
            "Parameter Error: First tag must be a(n) TQ tag. It is a(n) FIND tag.\n"
            "Parameter Error: Required keyword FORM in FIND tag not found\n"
            "Parameter Error: Required keyword FORM in ADD tag not found\n"
            "Parameter Error: Required keyword ID in FIELD tag not found\n"
            "Parameter Error: Required keyword FORM in DEL tag not found\n"
            "Parameter Error: Required keyword ENTRY in DEL tag not found\n"
            "Parameter Error: Required keyword FORM in GET tag not found\n"
            "Parameter Error: Required keyword ENTRY in GET tag not found\n"
            "Parameter Error: Required keyword FORM in LOG tag not found\n"
            "Parameter Error: Required keyword ID in FIELD tag not found\n"
            "Parameter Error: Required keyword ENTRY in SET tag not found\n");
}

TEST(ScriptValidator, EmptyScriptAndTqInSecondPlace) {
  ScriptElement empty(ScriptElement::kElement, "TIXGRAB", nullptr);
  CapturingLog log;
  EXPECT_FALSE(validateScript(empty, log));
  EXPECT_EQ(log.text(),
            "Parameter Error: required TQ tag not specified.\n"
            "Parameter Error: First tag must be a(n) TQ tag.\n");

  CapturingLog log3;
  ScriptElement third(ScriptElement::kElement, "TIXGRAB", nullptr);
  ASSERT_TRUE(parseScriptParameters(third, "DEL FORM=f ENTRY=1 TQ SYSTEM=\"\"", log3));
  EXPECT_FALSE(validateScript(third, log3));
  EXPECT_EQ(log3.text(), "Parameter Error: First tag must be a(n) TQ tag. It is a(n) DEL tag.\n")
      << "a present but empty SYSTEM passes";
}

}  // namespace
}  // namespace tixgrab::test
