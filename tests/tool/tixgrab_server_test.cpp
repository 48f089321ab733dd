// End-to-end runs of the built Tixgrab against a reference server of the
// test's own, started with the demo forms: the demo scripts, failing actions
// and the error entries they leave in the log form, read back afterwards
// with further runs. The library reaches the server's queue directory on the
// fixed TCP port named by TQTCPPORT, which the runs inherit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "tool_test_util.h"
#include "tq_test_server.h"

namespace tixgrab::test {
namespace {

const std::string kBanner = "Tixgrab V1.1 compiled at Jun 25 2002 10:46:14\n";
const std::string kStarting = "Tixgrab starting at <TIME>\n";

std::string maskTimes(const std::string& text) {
  static const std::regex stamp(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2})");
  return std::regex_replace(text, stamp, "<TIME>");
}

// The text after "Error: " on the first error line of a run; empty if none.
std::string firstError(const std::string& out) {
  const size_t at = out.find("Error: ");
  if (at == std::string::npos) return "";
  const size_t end = out.find('\n', at);
  return out.substr(at + 7, end - at - 7);
}

class TixgrabAgainstServer : public ::testing::Test {
 protected:
  TixgrabAgainstServer() : server_({"--forms", DEMO_FORMS_PATH}) {
    setenv("TQTCPPORT", std::to_string(server_.port()).c_str(), 1);
  }
  ~TixgrabAgainstServer() override { unsetenv("TQTCPPORT"); }

  RunResult run(std::vector<std::string> args) {
    args.insert(args.begin(), TIXGRAB_PATH);
    return runProgram(TIXGRAB_PATH, args, dir_.path());
  }
  RunResult runScript(const std::string& path) {
    return run({"-x", path, "-v", "SERVER=127.0.0.1"});
  }
  RunResult runText(const std::string& xml) {
    writeFile(dir_.file("s.xml"), xml);
    return runScript(dir_.file("s.xml"));
  }
  // Field 8 of an entry of the log form, as a run of Tixgrab reads it.
  std::string logMessage(int entry) {
    RunResult r = run({"TQ", "SYSTEM=127.0.0.1", "GET", "FORM=Demo:Log",
                       "ENTRY=" + std::to_string(entry), "FIELD", "ID=8", "LABEL=Message"});
    EXPECT_EQ(r.exitCode, 0) << r.out;
    const std::string out = maskTimes(r.out);
    const std::string head = kBanner + kStarting + "Message ";
    if (out.rfind(head, 0) != 0 || out.back() != '\n') return "<unreadable: " + out + ">";
    return out.substr(head.size(), out.size() - head.size() - 1);
  }

  tqtest::TestServer server_;
  ScratchDir dir_;
};

const std::string kDemoOutput =
    "Added request 000000000000001\n"
    "Added request 000000000000002\n"
    "Request 000000000000001:\n"
    "Short Description Printer on floor 3 jams\n"
    "Assigned To Ann\n"
    "Status 1\n"
    "Priority 2\n"
    "Hours Spent 2.5\n"
    "Request 000000000000002:\n"
    "Short Description New laptop for Joe\n"
    "Submitter Demo\n"
    "Status 0\n"
    "Impact 3\n"
    "Open request 000000000000001\n"
    "Request 000000000000001\n"
    "Request 000000000000002\n";

TEST_F(TixgrabAgainstServer, DemoScriptsRunAsTheDemoShows) {
  RunResult r = runScript(DEMO_XML_PATH);
  EXPECT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(maskTimes(r.out), kBanner + kStarting + kDemoOutput);
  EXPECT_EQ(r.err, "");

  // The deleted request is gone: reading it is the failure the error
  // script is built around, and its text is stored in the log form.
  r = runScript(DEMO_ERROR_XML_PATH);
  EXPECT_EQ(r.exitCode, 1);
  const std::string error = firstError(r.out);
  ASSERT_FALSE(error.empty()) << r.out;
  EXPECT_EQ(maskTimes(r.out),
            kBanner + kStarting + "Request 000000000000002:\nError: " + error + "\n");
  EXPECT_NE(error.find("000000000000002"), std::string::npos) << error;
  EXPECT_EQ(r.out.find("never reached"), std::string::npos);
  EXPECT_EQ(logMessage(1), "Demo run failed: " + error);
  EXPECT_EQ(r.err, "");
}

// Each failing action ends the run with exit code 1 before the next action,
// and its error text becomes one new entry of the log form.
TEST_F(TixgrabAgainstServer, FailingActionsEndTheRunAndLandInTheLogForm) {
  struct Case {
    const char* name;
    std::string action;
    std::string errorPart;  // a part of the error text
  };
  const std::vector<Case> cases = {
      {"add to missing form", R"(<ADD FORM="No:Such"><FIELD ID="8">x</FIELD></ADD>)", "No:Such"},
      {"set missing entry",
       R"(<SET FORM="Demo:Request" ENTRY="000000000000077"><FIELD ID="8">x</FIELD></SET>)",
       "000000000000077"},
      {"delete missing entry", R"(<DEL FORM="Demo:Request" ENTRY="000000000000078"/>)",
       "000000000000078"},
      {"get missing entry", R"(<GET FORM="Demo:Request" ENTRY="000000000000079"/>)",
       "000000000000079"},
      {"get from missing form", R"(<GET FORM="No:Such" ENTRY="1"/>)", "No:Such"},
      {"unknown field type", R"(<ADD FORM="Demo:Request"><FIELD ID="8" TYPE="TEXT">x</FIELD></ADD>)",
       "Unknown field type 'TEXT'"},
      {"faulty qualification", R"(<FIND FORM="Demo:Request" QUAL="'Impact' &gt;"/>)",
       "Operand expected [position 10"},
      {"search of a missing form", R"(<FIND FORM="No:Such"/>)", "No:Such"},
  };
  int logEntry = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunResult r = runText(
        "<TIXGRAB>\n"
        "  <TQ SYSTEM=\"[SERVER]\"/>\n"
        "  <LOG FORM=\"Demo:Log\"><FIELD ID=\"8\">failed: [LOGMSG]</FIELD></LOG>\n"
        "  " + c.action + "\n"
        "  <ADD FORM=\"Demo:Request\" LABEL=\"not reached\"><FIELD ID=\"8\">y</FIELD></ADD>\n"
        "</TIXGRAB>\n");
    EXPECT_EQ(r.exitCode, 1) << r.out;
    const std::string error = firstError(r.out);
    EXPECT_NE(error.find(c.errorPart), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("not reached"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("Error: ", r.out.find("Error: ") + 1), std::string::npos)
        << "one error line only: " << r.out;
    EXPECT_EQ(logMessage(++logEntry), "failed: " + error);
  }
  // Nothing else was created: the actions after each failure did not run.
  RunResult r = run({"TQ", "SYSTEM=127.0.0.1", "GET", "FORM=Demo:Request", "ENTRY=1"});
  EXPECT_EQ(r.exitCode, 1) << r.out;
  r = run({"TQ", "SYSTEM=127.0.0.1", "GET", "FORM=Demo:Log",
           "ENTRY=" + std::to_string(logEntry + 1)});
  EXPECT_EQ(r.exitCode, 1) << r.out;
}

TEST_F(TixgrabAgainstServer, LogLengthCutsTheMessageBeforeItIsStored) {
  struct Case {
    const char* max;
    size_t keep;  // characters of the error text kept (0: all)
  };
  const std::vector<Case> cases = {{"10", 10}, {"1", 1}, {"0", 0}, {"5000", 0}};
  int logEntry = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.max);
    RunResult r = runText(std::string("<TIXGRAB><TQ SYSTEM=\"[SERVER]\"/>") +
                          "<LOG FORM=\"Demo:Log\" MAX=\"" + c.max +
                          "\"><FIELD ID=\"8\">Run failed: [logmsg] ([LOGMSG])</FIELD></LOG>"
                          "<DEL FORM=\"Demo:Request\" ENTRY=\"000000000000042\"/></TIXGRAB>");
    EXPECT_EQ(r.exitCode, 1);
    const std::string error = firstError(r.out);
    ASSERT_GT(error.size(), 10u) << r.out;
    std::string kept = c.keep == 0 ? error : error.substr(0, c.keep);
    while (!kept.empty() && (kept.back() == ' ' || kept.back() == '\t')) kept.pop_back();
    EXPECT_EQ(logMessage(++logEntry), "Run failed: " + kept + " (" + kept + ")");
  }
}

TEST_F(TixgrabAgainstServer, FailureOfTheLogWriteIsReportedAfterTheActionError) {
  RunResult r = runText(
      "<TIXGRAB><TQ SYSTEM=\"[SERVER]\"/>"
      "<LOG FORM=\"No:Log\"><FIELD ID=\"8\">[LOGMSG]</FIELD></LOG>"
      "<GET FORM=\"Demo:Request\" ENTRY=\"000000000000005\"/></TIXGRAB>");
  EXPECT_EQ(r.exitCode, 1);
  const std::string out = maskTimes(r.out);
  const std::regex twoErrors(
      "^" + kBanner + "Tixgrab starting at <TIME>\nError: [^\n]*000000000000005[^\n]*\n"
      "Error: [^\n]*No:Log[^\n]*\n$");
  EXPECT_TRUE(std::regex_match(out, twoErrors)) << out;
}

TEST_F(TixgrabAgainstServer, WithoutLogDefinitionNothingIsStored) {
  RunResult r = runText(
      "<TIXGRAB><TQ SYSTEM=\"[SERVER]\"/>"
      "<GET FORM=\"Demo:Request\" ENTRY=\"000000000000005\"/></TIXGRAB>");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(firstError(r.out).empty()) << r.out;
  r = run({"TQ", "SYSTEM=127.0.0.1", "GET", "FORM=Demo:Log", "ENTRY=1"});
  EXPECT_EQ(r.exitCode, 1) << "no log entry: " << r.out;
}

TEST_F(TixgrabAgainstServer, ValuesOfEveryTypeGoThereAndBack) {
  RunResult r = runText(
      "<TIXGRAB><TQ SYSTEM=\"[SERVER]\"/>"
      "<ADD FORM=\"Demo:Request\">"
      "<FIELD ID=\"8\">  trimmed text\t</FIELD>"
      "<FIELD ID=\"536870915\" TYPE=\"INT\">-42</FIELD>"
      "<FIELD ID=\"536870916\" TYPE=\"REAL\">5</FIELD>"
      "<FIELD ID=\"536870917\" TYPE=\"DEC\">12.50</FIELD>"
      "<FIELD ID=\"536870918\" TYPE=\"TIME\">1000000000</FIELD>"
      "<FIELD ID=\"536870914\" TYPE=\"ENUM\">1</FIELD>"
      "</ADD>"
      "<GET FORM=\"Demo:Request\" ENTRY=\"1\">"
      "<FIELD ID=\"8\"/><FIELD ID=\"536870915\"/><FIELD ID=\"536870916\" LABEL=\"Hours\"/>"
      "<FIELD ID=\"536870917\"/><FIELD ID=\"536870918\"/><FIELD ID=\"536870914\"/>"
      "<FIELD ID=\"4\"/>"
      "</GET></TIXGRAB>");
  EXPECT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(maskTimes(r.out), kBanner + kStarting +
                                  "EntryId 000000000000001\n"
                                  "FIELD_8 trimmed text\n"
                                  "FIELD_536870915 -42\n"
                                  "Hours 5.\n"
                                  "FIELD_536870917 12.50\n"
                                  "FIELD_536870918 1000000000\n"
                                  "FIELD_536870914 1\n"
                                  "FIELD_4 [NULL]\n");
}

TEST_F(TixgrabAgainstServer, UnreachableServerFailsTheFirstServerAction) {
  // A port with nothing behind it: the server's own port once it is stopped.
  server_.stop();
  RunResult r = runText(
      "<TIXGRAB><TQ SYSTEM=\"[SERVER]\"/>"
      "<GET FORM=\"Demo:Request\" ENTRY=\"1\" HEAD=\"reading\"/></TIXGRAB>");
  EXPECT_EQ(r.exitCode, 1);
  const std::string out = maskTimes(r.out);
  EXPECT_EQ(out.rfind(kBanner + kStarting + "reading\nError: ", 0), 0u) << out;
}

}  // namespace
}  // namespace tixgrab::test
