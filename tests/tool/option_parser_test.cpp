// The option parser on whole command lines, and the rebuilding of that one
// text from an argument vector.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_tokens.h"
#include "tool_options.h"

namespace tixgrab {
namespace {

struct Parsed {
  bool ok;
  std::string message;
  std::string flags;  // letters of the flags given
  std::string logFile, xmlFile, parameters;
  std::vector<std::pair<std::string, std::string>> pairs;
};

Parsed parse(const std::string& line) {
  ToolOptions options;
  Parsed p;
  p.ok = options.parse(line, p.message);
  if (options.help()) p.flags += 'h';
  if (options.quiet()) p.flags += 'q';
  if (options.time()) p.flags += 't';
  p.logFile = options.logFile();
  p.xmlFile = options.xmlFile();
  p.parameters = options.parameters();
  p.pairs = options.placeholders();
  return p;
}

TEST(OptionParser, AcceptedCommandLines) {
  struct Case {
    std::string line, flags, logFile, xmlFile, parameters;
  };
  const std::vector<Case> cases = {
      {"Tixgrab", "", "", "", ""},
      {"\"C:\\Program Files\\Tixgrab.exe\" -q", "q", "", "", ""},
      {"Tixgrab\t-t", "t", "", "", ""},
      {"Tixgrab -h -q -t -n log.txt -x s.xml", "hqt", "log.txt", "s.xml", ""},
      {"Tixgrab -xs.xml -nlog", "", "log", "s.xml", ""},
      {"Tixgrab -x \"my \"\"best\"\" script.xml\"", "", "", "my \"best\" script.xml", ""},
      {"Tixgrab -x", "", "", "", ""},
      {"Tixgrab -hq", "h", "", "", "q"},  // letters glued to a flag are read next
      {"Tixgrab TQ SYSTEM=s -q", "", "", "", "TQ SYSTEM=s -q"},
      {"Tixgrab -q   \"TQ SYSTEM=s\" rest", "q", "", "", "TQ SYSTEM=s"},
      {"Tixgrab  -q  TQ  SYSTEM=\"a b\"  ", "q", "", "", "TQ  SYSTEM=\"a b\""},
  };
  for (const Case& c : cases) {
    Parsed p = parse(c.line);
    EXPECT_TRUE(p.ok) << c.line << ": " << p.message;
    EXPECT_EQ(p.flags, c.flags) << c.line;
    EXPECT_EQ(p.logFile, c.logFile) << c.line;
    EXPECT_EQ(p.xmlFile, c.xmlFile) << c.line;
    EXPECT_EQ(p.parameters, c.parameters) << c.line;
  }
}

TEST(OptionParser, Failures) {
  struct Case {
    std::string line, message;
  };
  const std::vector<Case> cases = {
      {"Tixgrab -z foo", "Illegal option starting with: -z foo"},
      {"Tixgrab -X s.xml", "Illegal option starting with: -X s.xml"},
      {"Tixgrab -q -x a.xml -x b.xml", "Option specified more than once: -x b.xml"},
      {"Tixgrab -t -t", "Option specified more than once: -t"},
      {"Tixgrab -v name value", "Missing equal sign in -v option."},
      {"Tixgrab -v", "Missing equal sign in -v option."},
      {"Tixgrab -q -", "Illegal option starting with: -"},
  };
  for (const Case& c : cases) {
    Parsed p = parse(c.line);
    EXPECT_FALSE(p.ok) << c.line;
    EXPECT_EQ(p.message, c.message) << c.line;
  }
}

TEST(OptionParser, PlaceholderPairsInOrder) {
  // Keys may hold the Latin-1 letters \xC6 \xD8 \xE5 (and lower case).
  Parsed p = parse("Tixgrab -v a=1 -v  b_2 = \"x y\" -v\xC6\xD8\xE5=z -x s.xml");
  ASSERT_TRUE(p.ok) << p.message;
  EXPECT_EQ(p.pairs, (std::vector<std::pair<std::string, std::string>>{
                         {"a", "1"}, {"b_2", "x y"}, {"\xC6\xD8\xE5", "z"}}));
  EXPECT_EQ(p.xmlFile, "s.xml");
  // Other bytes end the key, so the '=' is not where it must be.
  EXPECT_FALSE(parse("Tixgrab -v \xC3\x86=z").ok);
}

TEST(OptionParser, UsageText) {
  ToolOptions options;
  EXPECT_EQ(options.usage(),
            "Call the program like this:\n"
            "   Tixgrab -h -q -t -n logfile -x xmlfile -v p=value parameters\n"
            "where:\n"
            "    -h .... Help, writes out this short user guide.\n"
            "    -q .... Quiet, do not write messages to the console.\n"
            "    -t .... Time, prefix each log line with a timestamp.\n"
            "    -n logfile .... All messages to the console will also be written here.\n"
            "    -x xmlfile .... Read actions to perform from this XML file.\n"
            "    -v p=value .... Replace placeholder [p] with 'value' in the XML file.\n"
            "    parameters .... Specify parameters for actions to perform here.\n"
            "Note: There can be any number of -v options.\n");
}

TEST(CommandTokens, ProgramNameEscapesAndEnds) {
  std::string text = "\"a\\tb\"\"c\" rest";
  EXPECT_EQ(takeToken(text, TokenRules::ProgramName).text, "a\tb\"c");
  EXPECT_EQ(text, " rest");
  text = "prog\trest";
  EXPECT_EQ(takeToken(text, TokenRules::ProgramName).text, "prog");
  text = "val\tue rest";
  EXPECT_EQ(takeToken(text).text, "val\tue") << "a tab does not end an option value";
  text = "\"a\\tb\"";
  EXPECT_EQ(takeToken(text).text, "a\\tb") << "no escapes in option values";
}

TEST(CommandTokens, QuoteAndUnquoteAreInverse) {
  for (std::string s : {"", "plain", "a b", "say \"hi\"", "\"\""}) {
    EXPECT_EQ(unquote(quote(s)), s);
  }
}

TEST(JoinCommandLine, WhatTheUserTypedIsWhatTheParserSees) {
  struct Case {
    std::vector<const char*> argv;
    std::string line;
  };
  const std::vector<Case> cases = {
      {{"Tixgrab"}, "Tixgrab"},
      {{"/opt/my tools/Tixgrab", "-q"}, "\"/opt/my tools/Tixgrab\" -q"},
      {{"Tixgrab", "-x", "my file.xml"}, "Tixgrab -x \"my file.xml\""},
      {{"Tixgrab", "-v", "p=a b"}, "Tixgrab -v p=\"a b\""},
      {{"Tixgrab", "TQ", "SYSTEM=my server"}, "Tixgrab TQ SYSTEM=\"my server\""},
      {{"Tixgrab", "FIND", "QUAL='Status' = \"New\""},
       "Tixgrab FIND QUAL=\"'Status' = \"\"New\"\"\""},
      {{"Tixgrab", "-x", ""}, "Tixgrab -x \"\""},
      {{"Tixgrab", "a b=c"}, "Tixgrab \"a b=c\""},
      {{"Tixgrab", "-x", "a=b c.xml"}, "Tixgrab -x \"a=b c.xml\""},
      {{"Tixgrab", "-xa=b c.xml"}, "Tixgrab \"-xa=b c.xml\""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(joinCommandLine(static_cast<int>(c.argv.size()), c.argv.data(), {"-n", "-x"}),
              c.line);
  }
}

TEST(JoinCommandLine, ValuesReadBackThroughTheParser) {
  const char* argv[] = {
      "/opt/my tools/Tixgrab", "-x", "my \"big\" file=1.xml", "-v", "p=a b", "TQ"};
  Parsed p = parse(joinCommandLine(6, argv, {"-n", "-x"}));
  ASSERT_TRUE(p.ok) << p.message;
  EXPECT_EQ(p.xmlFile, "my \"big\" file=1.xml");
  EXPECT_EQ(p.pairs, (std::vector<std::pair<std::string, std::string>>{{"p", "a b"}}));
  EXPECT_EQ(p.parameters, "TQ");
}

}  // namespace
}  // namespace tixgrab
