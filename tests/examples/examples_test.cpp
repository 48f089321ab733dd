// The example programs run against a reference server of each test's own,
// started with the demo forms: what they print on stdout and stderr and how
// they end, exactly as their comments tell the reader. The programs find the
// server's queue directory on the port named by TQTCPPORT.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "tool_test_util.h"
#include "tq_test_server.h"
#include "tqlink.h"

namespace {

using tixgrab::test::RunResult;

class ExampleRun : public ::testing::Test {
 protected:
  ExampleRun() : server_({"--forms", TQ_DEMO_FORMS}) {
    setenv("TQTCPPORT", std::to_string(server_.port()).c_str(), 1);
  }
  ~ExampleRun() override { unsetenv("TQTCPPORT"); }

  RunResult run(const std::string& program, std::vector<std::string> args) {
    args.insert(args.begin(), program);
    return tixgrab::test::runProgram(program, args, dir_.path());
  }

  // Creates a request through the library itself, so that the reading
  // example has something to read; returns its id.
  std::string createRequest(const char* description, uint32_t priority) {
    TQControlStruct control{};
    std::snprintf(control.user, sizeof control.user, "Demo");
    std::snprintf(control.server, sizeof control.server, "127.0.0.1");
    TQStatusList status{};
    EXPECT_EQ(TQInitialization(&control, &status), 0u);
    FreeTQStatusList(&status, 0);
    TQFieldValueStruct fields[2] = {};
    fields[0].fieldId = 8;
    fields[0].value.dataType = TQ_DATA_TYPE_CHAR;
    fields[0].value.u.charVal = const_cast<char*>(description);
    fields[1].fieldId = 536870914;
    fields[1].value.dataType = TQ_DATA_TYPE_ENUM;
    fields[1].value.u.enumVal = priority;
    TQFieldValueList values = {2, fields};
    TQEntryIdType id = "";
    EXPECT_EQ(TQCreateEntry(&control, "Demo:Request", &values, id, &status), 0u);
    FreeTQStatusList(&status, 0);
    TQTermination(&control, &status);
    FreeTQStatusList(&status, 0);
    return id;
  }

  // A run that fails: the arguments, the exit code and what goes to stderr
  // (stdout stays empty).
  struct Failure {
    std::vector<std::string> args;
    int exitCode;
    std::string err;
  };
  void expectFailures(const std::string& program, const std::vector<Failure>& cases) {
    for (const Failure& c : cases) {
      RunResult r = run(program, c.args);
      EXPECT_EQ(r.exitCode, c.exitCode) << c.args.back();
      EXPECT_EQ(r.out, "") << c.args.back();
      EXPECT_EQ(r.err, c.err) << c.args.back();
    }
  }

  tqtest::TestServer server_;
  tixgrab::test::ScratchDir dir_;
};

TEST_F(ExampleRun, ChangeEntriesCreatesChangesDeletesAndReadsBack) {
  RunResult r = run(CHANGE_ENTRIES_PATH, {"127.0.0.1"});
  EXPECT_EQ(r.out,
            "Created 000000000000001\n"
            "Created 000000000000002\n"
            "Changed 000000000000001\n"
            "Deleted 000000000000002\n"
            "Request 000000000000001:\n"
            "  8: Printer on floor 3 jams\n"
            "  4: Ann\n"
            "  7: 1\n"
            "  536870914: 2\n"
            "  536870916: 2.5\n"
            "Reading 000000000000002 again: gone\n");
  EXPECT_EQ(r.err, "ERROR 302: The entry does not exist (000000000000002)\n");
  EXPECT_EQ(r.exitCode, 0);

  // The server holds what the example left: the deleted request is gone for
  // a second run too, which starts again with new ids.
  r = run(CHANGE_ENTRIES_PATH, {"127.0.0.1"});
  EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
  EXPECT_NE(r.out.find("Created 000000000000003\n"), std::string::npos) << r.out;
}

TEST_F(ExampleRun, ReadEntryPrintsTheFieldsAskedFor) {
  const std::string id = createRequest("Printer on floor 3 jams", 2);
  ASSERT_EQ(id, "000000000000001");
  RunResult r = run(READ_ENTRY_PATH, {"127.0.0.1", "Demo:Request", id, "1", "2", "7", "8",
                                      "536870914", "536870915"});
  EXPECT_EQ(r.out,
            "1: 000000000000001\n"
            "2: Demo\n"
            "7: 0\n"
            "8: Printer on floor 3 jams\n"
            "536870914: 2\n"
            "536870915: (null)\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.exitCode, 0);
}

TEST_F(ExampleRun, ReadEntryPrintsEveryFieldByItsType) {
  const std::string id = createRequest("New laptop for Joe", 0);
  RunResult r = run(READ_ENTRY_PATH, {"127.0.0.1", "Demo:Request", id});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  // Dates differ from run to run; every line of the form's fields is there,
  // in field order, with times printed as UTC dates.
  static const std::regex date(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2} UTC)");
  const std::string out = std::regex_replace(r.out, date, "<DATE>");
  EXPECT_NE(out.find("1: 000000000000001\n2: Demo\n3: <DATE>\n"), std::string::npos) << out;
  EXPECT_NE(out.find("6: <DATE>\n7: 0\n8: New laptop for Joe\n"), std::string::npos) << out;
  EXPECT_NE(out.find("536870914: 0\n"), std::string::npos) << out;
  EXPECT_NE(out.find("536870918: (null)\n"), std::string::npos) << out;
}

// Failures end the example with exit code 1 and the server's error status
// on stderr; a missing argument prints the usage and exits with 2.
TEST_F(ExampleRun, ReadEntryReportsFailures) {
  expectFailures(
      READ_ENTRY_PATH,
      {
          {{"127.0.0.1", "Demo:Request", "000000000000009"},
           1,
           "ERROR 302: The entry does not exist (000000000000009)\n"},
          {{"127.0.0.1", "No:Such", "1"}, 1, "ERROR 9350: The form does not exist (No:Such)\n"},
          {{"127.0.0.1", "Demo:Request"},
           2,
           "usage: read_entry SERVER FORM ENTRY-ID [FIELD-ID ...]\n"},
      });
}

TEST_F(ExampleRun, ReadDefinitionsListsEveryFieldWithItsLabel) {
  RunResult r = run(READ_DEFINITIONS_PATH, {"127.0.0.1", "Demo:Request"});
  EXPECT_EQ(r.out,
            "Form Demo:Request, view 1 (Default View)\n"
            "         1  RequestId          char     Request ID\n"
            "         2  Submitter          char     Submitter\n"
            "         3  CreateDate         time     Create Date\n"
            "         4  AssignedTo         char     Assigned To\n"
            "         5  LastModifiedBy     char     Last Modified By\n"
            "         6  ModifiedDate       time     Modified Date\n"
            "         7  Status             enum     Status\n"
            "         8  ShortDescription   char     Short Description\n"
            "        15  StatusHistory      char     Status History\n"
            "       102  AccessCode         char     Access Code\n"
            " 536870913  WorkLog            diary    Work Log\n"
            " 536870914  Priority           enum     Priority\n"
            " 536870915  Impact             integer  Impact\n"
            " 536870916  HoursSpent         real     Hours Spent\n"
            " 536870917  Cost               decimal  Cost\n"
            " 536870918  DueDate            time     Due Date\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.exitCode, 0);
}

// An unknown form ends the example with exit code 1 after its first call.
TEST_F(ExampleRun, ReadDefinitionsReportsFailures) {
  expectFailures(READ_DEFINITIONS_PATH,
                 {
                     {{"127.0.0.1", "No:Such"},
                      1,
                      "ERROR 9361: The definition does not exist (form 'No:Such')\n"},
                     {{"127.0.0.1"}, 2, "usage: read_definitions SERVER FORM\n"},
                 });
}

// The search lists the matches of the text in entry id order with their
// short descriptions; an empty text matches every entry.
TEST_F(ExampleRun, SearchEntriesListsTheMatches) {
  createRequest("Printer on floor 3 jams", 2);
  createRequest("New laptop for Joe", 0);
  createRequest("Printer toner empty", 1);
  struct Case {
    const char* qualification;
    std::string out;
  };
  const std::vector<Case> cases = {
      {"'Short Description' LIKE \"Printer%\"",
       "000000000000001  Printer on floor 3 jams\n"
       "000000000000003  Printer toner empty\n"
       "2 matches\n"},
      {"'Short Description' LIKE \"%Printer%\" AND 'Priority' >= \"Medium\"",
       "000000000000001  Printer on floor 3 jams\n"
       "000000000000003  Printer toner empty\n"
       "2 matches\n"},
      {"'Priority' = \"High\" OR 'Short Description' = \"New laptop for Joe\"",
       "000000000000001  Printer on floor 3 jams\n"
       "000000000000002  New laptop for Joe\n"
       "2 matches\n"},
      {"'Short Description' = \"nothing like it\"", "0 matches\n"},
      {"",
       "000000000000001  Printer on floor 3 jams\n"
       "000000000000002  New laptop for Joe\n"
       "000000000000003  Printer toner empty\n"
       "3 matches\n"},
  };
  for (const Case& k : cases) {
    RunResult r = run(SEARCH_ENTRIES_PATH, {"127.0.0.1", "Demo:Request", k.qualification});
    EXPECT_EQ(r.out, k.out) << k.qualification;
    EXPECT_EQ(r.err, "") << k.qualification;
    EXPECT_EQ(r.exitCode, 0) << k.qualification;
  }
}

TEST_F(ExampleRun, SearchEntriesReportsFailures) {
  RunResult r = run(SEARCH_ENTRIES_PATH, {"127.0.0.1", "Demo:Request", "'No Such Field' = 1"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.rfind("ERROR 1587: ", 0), 0u) << r.err;
  expectFailures(
      SEARCH_ENTRIES_PATH,
      {
          {{"127.0.0.1", "Demo:Request"}, 2, "usage: search_entries SERVER FORM QUALIFICATION\n"},
      });
}

// The attachment sent from memory comes back byte for byte, on every run,
// from a server with the form of examples/attach-forms.txt.
TEST_F(ExampleRun, AttachmentComesBackUnchanged) {
  tqtest::TestServer documents({"--forms", TQ_ATTACH_FORMS});
  setenv("TQTCPPORT", std::to_string(documents.port()).c_str(), 1);
  for (const char* id : {"000000000000001", "000000000000002"}) {
    RunResult r = run(ATTACHMENT_PATH, {"127.0.0.1", "Demo:Document", "536870920"});
    EXPECT_EQ(r.out, std::string("Created ") + id +
                         " with notes.txt (56 bytes)\n"
                         "Fetched 56 bytes: the same as sent\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.exitCode, 0);
  }
  expectFailures(ATTACHMENT_PATH,
                 {
                     {{"127.0.0.1", "No:Such", "536870920"},
                      1,
                      "ERROR 9350: The form does not exist (No:Such)\n"},
                     {{"127.0.0.1", "Demo:Document", "77"},
                      1,
                      "ERROR 9351: The field does not exist in the form (77)\n"},
                     {{"127.0.0.1"}, 2, "usage: attachment SERVER FORM FIELD-ID\n"},
                 });
}

}  // namespace
