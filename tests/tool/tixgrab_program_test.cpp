// Black-box runs of the built Tixgrab: standard output, standard error, the
// log file and the exit code, for the paths that need no server. Logging on
// makes no connection yet, so a script of a TQ action alone runs to its end
// without one; the runs against a server are in tixgrab_server_test.cpp.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "tool_test_util.h"

namespace tixgrab::test {
namespace {

const std::string kBanner = "Tixgrab V1.1 compiled at Jun 25 2002 10:46:14\n";
const std::string kUsage =
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
    "Note: There can be any number of -v options.\n";
const std::string kStarting = "Tixgrab starting at <TIME>\n";
// A search of a server that cannot be found ends the run with the library's
// error.
std::string searchFails(const std::string& server) {
  return "Error: ERROR: Cannot connect to the server [" + server +
         " : RPC: Unknown host] (message no. 90)\n";
}

// Time stamps vary from run to run; they are compared as a pattern.
std::string maskTimes(const std::string& text) {
  static const std::regex stamp(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2})");
  return std::regex_replace(text, stamp, "<TIME>");
}

class TixgrabProgram : public ::testing::Test {
 protected:
  RunResult run(std::vector<std::string> args) {
    args.insert(args.begin(), TIXGRAB_PATH);
    return runProgram(TIXGRAB_PATH, args, dir_.path());
  }
  std::string file(const std::string& name) const { return dir_.file(name); }
  void write(const std::string& name, const std::string& content) {
    writeFile(file(name), content);
  }

  ScratchDir dir_;
};

TEST_F(TixgrabProgram, NoArgumentsPrintsBannerAndUsage) {
  RunResult r = run({});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, kBanner + kUsage);
  EXPECT_EQ(r.err, "");
}

TEST_F(TixgrabProgram, QuietWithoutLogFileWritesNothing) {
  RunResult r = run({"-q"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
}

TEST_F(TixgrabProgram, QuietWithLogFileWritesOnlyTheFile) {
  RunResult r = run({"-q", "-n", "run.log"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(readFile(file("run.log")), kBanner + kUsage);
}

TEST_F(TixgrabProgram, LogFileGetsTheConsoleLinesAndIsAppended) {
  run({"-n", "run.log", "TQ", "SYSTEM", "srv"});
  RunResult r = run({"-n", "run.log", "TQ", "SYSTEM="});
  const std::string first =
      kBanner + kStarting + "Parameter Error: Missing equal sign after SYSTEM parameter\n";
  const std::string second =
      kBanner + kStarting + "Parameter Error: Missing value after SYSTEM= parameter\n";
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(maskTimes(r.out), second);
  EXPECT_EQ(maskTimes(readFile(file("run.log"))), first + second);
}

TEST_F(TixgrabProgram, TimeStampsPrefixEveryLineOnConsoleAndInFile) {
  RunResult r = run({"-t", "-n", "run.log", "-x", "missing.xml"});
  const std::string expected =
      "<TIME> " + kBanner + "<TIME> Tixgrab starting at <TIME>\n" +
      "<TIME> Error opening input file - No such file or directory [missing.xml]\n" +
      "<TIME> Parameter Error: required TQ tag not specified.\n" +
      "<TIME> Parameter Error: First tag must be a(n) TQ tag.\n";
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(maskTimes(r.out), expected);
  EXPECT_EQ(maskTimes(readFile(file("run.log"))), expected);
}

TEST_F(TixgrabProgram, LargeLogFileIsCutToItsTailAtALineStart) {
  std::string big;
  for (int i = 0; big.size() < 400000; ++i)
    big += "old line " + std::to_string(i) + "\n";
  write("run.log", big);
  RunResult r = run({"-q", "-n", "run.log"});
  std::string log = readFile(file("run.log"));
  EXPECT_EQ(r.exitCode, 0);
  // The cut follows the first line of the run; the later lines are appended.
  const size_t banner = log.find(kBanner);
  ASSERT_NE(banner, std::string::npos);
  EXPECT_LE(banner + kBanner.size(), 307200u);
  EXPECT_GT(banner + kBanner.size(), 307200u - 20) << "only the cut first line is lost";
  EXPECT_EQ(log.rfind("old line ", 0), 0u) << "the file starts with a whole line";
  const std::string kept = log.substr(0, banner);
  EXPECT_EQ(big.substr(big.size() - kept.size()), kept) << "the old part kept is the old tail";
  EXPECT_EQ(log.substr(banner), kBanner + kUsage);
}

TEST_F(TixgrabProgram, HelpWithScriptPrintsUsageAndRunsTheScript) {
  write("s.xml", "<TIXGRAB>\n  <TQ SYSTEM=\"srv\"/>\n</TIXGRAB>\n");
  RunResult r = run({"-h", "-x", "s.xml"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(maskTimes(r.out), kBanner + kUsage + kStarting);
  EXPECT_EQ(r.err, "");

  write("f.xml", "<TIXGRAB>\n  <TQ SYSTEM=\"srv\"/>\n  <FIND FORM=\"f\"/>\n</TIXGRAB>\n");
  r = run({"-h", "-x", "f.xml"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(maskTimes(r.out), kBanner + kUsage + kStarting + searchFails("srv"));
  EXPECT_EQ(r.err, "");
}

TEST_F(TixgrabProgram, ParametersAloneRunWithoutXml) {
  RunResult r = run({"tq", "system=srv", "user=me"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(maskTimes(r.out), kBanner + kStarting);
}

TEST_F(TixgrabProgram, IllegalOptionsGoToStandardErrorOnly) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"-z", "foo"}, "Illegal option starting with: -z foo"},
      {{"-X", "s.xml"}, "Illegal option starting with: -X s.xml"},
      {{"-x", "a.xml", "-q", "-x", "b.xml"}, "Option specified more than once: -x b.xml"},
      {{"-q", "-q"}, "Option specified more than once: -q"},
      {{"-v", "name", "value"}, "Missing equal sign in -v option."},
      {{"TQ", "SYSTEM=a", "-bad"}, ""},  // after the first parameter word all is parameters
  };
  for (const Case& c : cases) {
    RunResult r = run(c.args);
    if (c.message.empty()) {
      EXPECT_EQ(r.err, "") << c.args.back();
      continue;
    }
    EXPECT_EQ(r.exitCode, 1) << c.message;
    EXPECT_EQ(r.out, "") << c.message;
    EXPECT_EQ(r.err, "Error: illegal options: " + c.message + "\n");
  }
}

TEST_F(TixgrabProgram, PlaceholdersAreReplacedInOrder) {
  write("s.xml",
        "<TIXGRAB>\n"
        "  <[First] FORM=\"f\" ENTRY=\"e\"/>\n"
        "  <[second] FORM=\"f\"/>\n"
        "  <FOO x=\"[P]\"/>\n"
        "</TIXGRAB>\n");
  RunResult r = run({"-x", "s.xml", "-v", "first=GET", "-v", "SECOND", "=", "DEL", "-v", "p=a b"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(maskTimes(r.out), kBanner + kStarting +
                                  "Tag <FOO> not allowed here at position 7 in line 4:   <FOO "
                                  "x=\"a b\"/>\n"
                                  "Parameter Error: required TQ tag not specified.\n"
                                  "Parameter Error: First tag must be a(n) TQ tag. It is a(n) GET "
                                  "tag.\n"
                                  "Parameter Error: Required keyword ENTRY in DEL tag not found\n");
}

TEST_F(TixgrabProgram, MissingXmlFileIsReportedAndTheParametersStillRun) {
  RunResult r = run({"-x", "missing.xml", "TQ", "SYSTEM=s"});
  EXPECT_EQ(r.exitCode, 0) << "the parameters alone make a valid script";
  EXPECT_EQ(maskTimes(r.out), kBanner + kStarting +
                                  "Error opening input file - No such file or directory "
                                  "[missing.xml]\n");
}

TEST_F(TixgrabProgram, ParameterErrors) {
  struct Case {
    std::vector<std::string> args;
    std::string lines;
  };
  const std::vector<Case> cases = {
      {{"TQ", "SYSTEM", "srv"}, "Parameter Error: Missing equal sign after SYSTEM parameter\n"},
      {{"TQ", "SYSTEM="}, "Parameter Error: Missing value after SYSTEM= parameter\n"},
      {{"TQ", "SYSTEM=s", "ADD", "FORM=f", "FIELD", "ID=8", "hello", "world"},
       "Parameter Error: Unknown function or tag name: WORLD\n"},
      {{"TQ", "SYSTEM=my server", "two words"},
       "Parameter Error: Unknown function or tag name: TWO WORDS\n"},
      {{"TQ", "SYSTEM=s", "GET", "FORM=f", "ENTRY=1", "FIELD", "ID"},
       "Parameter Error: Missing equal sign after ID parameter\n"},
  };
  for (const Case& c : cases) {
    RunResult r = run(c.args);
    EXPECT_EQ(r.exitCode, 1) << c.lines;
    EXPECT_EQ(maskTimes(r.out), kBanner + kStarting + c.lines);
  }
}

TEST_F(TixgrabProgram, ValidationReportsEveryFault) {
  write("s.xml",
        "<TIXGRAB>\n"
        "  <!-- no TQ first -->\n"
        "  <get FORM=\"f\"><FIELD LABEL=\"x\"/></get>\n"
        "  <TQ USER=\"u\"/>\n"
        "  <DEL/>\n"
        "</TIXGRAB>\n");
  RunResult r = run({"-x", "s.xml"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(maskTimes(r.out), kBanner + kStarting +
                                  "Parameter Error: First tag must be a(n) TQ tag. It is a(n) get "
                                  "tag.\n"
                                  "Parameter Error: Required keyword ENTRY in GET tag not found\n"
                                  "Parameter Error: Required keyword ID in FIELD tag not found\n"
                                  "Parameter Error: Required keyword SYSTEM in TQ tag not found\n"
                                  "Parameter Error: Required keyword FORM in DEL tag not found\n"
                                  "Parameter Error: Required keyword ENTRY in DEL tag not found\n");
}

TEST_F(TixgrabProgram, XmlErrorIsLoggedWithItsPlaceAndTheRunGoesOn) {
  write("s.xml", "<?xml version=\"1.0\"?>\n<TIXGRAB/>\n");
  RunResult r = run({"-x", "s.xml", "TQ", "SYSTEM=s", "FIND", "FORM=f"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(maskTimes(r.out), kBanner + kStarting +
                                  "Missing quote before version number at position 15 in line 1: "
                                  "<?xml version=\"1.0\"?>\n" +
                                  searchFails("s"));
}

TEST_F(TixgrabProgram, EmptyXmlFileWithParametersRuns) {
  write("s.xml", "");
  RunResult r = run({"-x", "s.xml", "TQ", "SYSTEM=s"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(maskTimes(r.out), kBanner + kStarting);
}

TEST_F(TixgrabProgram, BlanksInsideArgumentsStayInsideTheirValues) {
  write("my script.xml", "<TIXGRAB><GET FORM=\"f\" ENTRY=\"e\"/></TIXGRAB>");
  RunResult r = run({"-x", "my script.xml", "TQ", "SYSTEM=my server"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(maskTimes(r.out),
            kBanner + kStarting +
                "Parameter Error: First tag must be a(n) TQ tag. It is a(n) GET tag.\n");
}

}  // namespace
}  // namespace tixgrab::test
