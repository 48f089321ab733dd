// The parameters grammar: the actions it builds and the errors it logs.
#include <gtest/gtest.h>

#include <string>

#include "script_element.h"
#include "script_parameters.h"
#include "tool_test_util.h"

namespace tixgrab::test {
namespace {

// A compact picture of the tree: TAG{KEY=value,...}[FIELD{...}"text"] ...
std::string describe(const ScriptElement& element) {
  std::string out = element.name() + "{";
  for (size_t i = 0; i < element.keywords().size(); ++i) {
    const auto& keyword = element.keywords()[i];
    out += (i ? "," : "") + keyword.name + "=" + element.keywordValue(keyword.name);
  }
  out += "}";
  if (element.hasText()) out += "\"" + element.text() + "\"";
  for (const auto& child : element.children()) {
    if (child->kind() == ScriptElement::kElement) out += "[" + describe(*child) + "]";
  }
  return out;
}

struct Outcome {
  bool ok;
  std::string tree;
  std::string log;
};

Outcome parse(const std::string& text) {
  ScriptElement tixgrab(ScriptElement::kElement, "TIXGRAB", nullptr);
  CapturingLog log;
  Outcome outcome;
  outcome.ok = parseScriptParameters(tixgrab, text, log);
  for (const auto& child : tixgrab.children()) {
    outcome.tree += (outcome.tree.empty() ? "" : " ") + describe(*child);
  }
  outcome.log = log.text();
  return outcome;
}

TEST(ScriptParameters, Accepted) {
  struct Case {
    std::string text, tree;
  };
  const std::vector<Case> cases = {
      {"", ""},
      {"tq system=s user = Me PSW= p LANG =en", "TQ{SYSTEM=s,USER=Me,PSW=p,LANG=en}"},
      {"TQ SYSTEM=a SYSTEM=b", "TQ{SYSTEM=b}"},
      {"ADD FORM=f FIELD ID=8 hello FIELD ID=7 TYPE=INT 42",
       "ADD{FORM=f}[FIELD{ID=8}\"hello\"][FIELD{ID=7,TYPE=INT}\"42\"]"},
      {"ADD FORM=f FIELD \"two words\" ID=3 LABEL=x",
       "ADD{FORM=f,LABEL=x}[FIELD{ID=3}\"two words\"]"},
      {"ADD FORM=f FIELD ID=1 FIELD ID=2", "ADD{FORM=f}[FIELD{ID=1}][FIELD{ID=2}]"},
      {"ADD FORM=f FIELD ID=1 \"FIELD\"", "ADD{FORM=f}[FIELD{ID=1}\"FIELD\"]"},
      {"GET FORM=f ENTRY=1 FIELD ID=8 LABEL=Summary FIELD id=1 HEAD=h",
       "GET{FORM=f,ENTRY=1,HEAD=h}[FIELD{ID=8,LABEL=Summary}][FIELD{ID=1}]"},
      {"FIND FORM=f QUAL=\"'Status' = \"\"New\"\"\" LABEL=Id",
       "FIND{FORM=f,QUAL='Status' = \"New\",LABEL=Id}"},
      {"FIND QUAL= \"a=b\" FORM=f", "FIND{QUAL=a=b,FORM=f}"},
      {"FIND QUAL=a=b", "FIND{QUAL=a=b}"},
      {"LOG FORM=Errors MAX=80 FIELD ID=8 [LOGMSG] DEL FORM=f ENTRY=3",
       "LOG{FORM=Errors,MAX=80}[FIELD{ID=8}\"[LOGMSG]\"] DEL{FORM=f,ENTRY=3}"},
      {"SET FORM=f ENTRY=1 FIELD ID=7 TYPE=REAL 2.5",
       "SET{FORM=f,ENTRY=1}[FIELD{ID=7,TYPE=REAL}\"2.5\"]"},
  };
  for (const Case& c : cases) {
    Outcome o = parse(c.text);
    EXPECT_TRUE(o.ok) << c.text << "\n" << o.log;
    EXPECT_EQ(o.tree, c.tree) << c.text;
    EXPECT_EQ(o.log, "") << c.text;
  }
}

TEST(ScriptParameters, Errors) {
  struct Case {
    std::string text, tree, log;
  };
  const std::vector<Case> cases = {
      {"TQ SYSTEM srv", "TQ{}", "Parameter Error: Missing equal sign after SYSTEM parameter\n"},
      {"TQ SYSTEM=", "TQ{}", "Parameter Error: Missing value after SYSTEM= parameter\n"},
      {"TQ SYSTEM", "TQ{}", "Parameter Error: Missing equal sign after SYSTEM parameter\n"},
      {"ADD FORM=f FIELD ID=8 hello world", "ADD{FORM=f}[FIELD{ID=8}\"hello\"]",
       "Parameter Error: Unknown function or tag name: WORLD\n"},
      {"frob x", "", "Parameter Error: Unknown function or tag name: FROB\n"},
      {"GET FORM=f FIELD TYPE=INT", "GET{FORM=f}[FIELD{}]",
       "Parameter Error: Unknown function or tag name: TYPE\n"},
      // After an error in a body the top level goes on with the next word.
      {"TQ SYSTEM x DEL FORM=f ENTRY=e GET FORM", "TQ{} DEL{FORM=f,ENTRY=e} GET{}",
       "Parameter Error: Missing equal sign after SYSTEM parameter\n"
       "Parameter Error: Missing equal sign after FORM parameter\n"},
      {"ADD FIELD ID 1 TQ SYSTEM=s", "ADD{}[FIELD{}] TQ{SYSTEM=s}",
       "Parameter Error: Missing equal sign after ID parameter\n"},
  };
  for (const Case& c : cases) {
    Outcome o = parse(c.text);
    EXPECT_FALSE(o.ok) << c.text;
    EXPECT_EQ(o.tree, c.tree) << c.text;
    EXPECT_EQ(o.log, c.log) << c.text;
  }
}

}  // namespace
}  // namespace tixgrab::test
