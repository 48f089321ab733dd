// The action loop and the session over a stand-in library: what reaches the
// library, what is printed, and how errors end the run.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "action_executor.h"
#include "fake_tq_api.h"
#include "script_schema.h"
#include "script_validator.h"
#include "tool_test_util.h"
#include "xml_reader.h"

namespace tixgrab::test {
namespace {

class ActionExecutorTest : public ::testing::Test {
 protected:
  // Reads the script, validates it and runs it; returns the run's result.
  bool run(const std::string& xml) {
    XmlReader reader;
    registerScriptSchema(reader);
    reader.setInputText(xml);
    reader.read(document_);
    ScriptElement* tixgrab = document_.findChild("TIXGRAB");
    EXPECT_NE(tixgrab, nullptr);
    EXPECT_TRUE(validateScript(*tixgrab, log_));
    bool ok = ActionExecutor(api_, log_).run(*tixgrab);
    EXPECT_EQ(api_.outstanding, 0) << "every block the library handed out is released";
    return ok;
  }

  std::vector<std::string> operations() const {
    std::vector<std::string> names;
    for (const RecordedCall& call : api_.calls)
      names.push_back(call.operation);
    return names;
  }

  const RecordedCall& call(const std::string& operation) const {
    for (const RecordedCall& c : api_.calls) {
      if (c.operation == operation) return c;
    }
    ADD_FAILURE() << "no call " << operation;
    return api_.calls.front();
  }

  static TQFieldValueStruct realValue(uint32_t id, double value) {
    TQFieldValueStruct item{};
    item.fieldId = id;
    item.value.dataType = TQ_DATA_TYPE_REAL;
    item.value.u.realVal = value;
    return item;
  }

  static TQFieldValueStruct charValue(uint32_t id, const char* text) {
    TQFieldValueStruct item{};
    item.fieldId = id;
    item.value.dataType = TQ_DATA_TYPE_CHAR;
    item.value.u.charVal = const_cast<char*>(text);
    return item;
  }

  ScriptElement document_;
  FakeTqApi api_;
  CapturingLog log_;
};

TEST_F(ActionExecutorTest, LogOnCutsTheConnectionTextsToTheirFields) {
  const std::string user(40, 'u');
  const std::string password(35, 'p');
  const std::string server(70, 's');
  ASSERT_TRUE(run("<TIXGRAB><TQ SYSTEM='" + server + "' USER='" + user + "' PSW='" + password +
                  "' LANG='de_DE.ISO8859-1'/></TIXGRAB>"));
  EXPECT_EQ(std::string(api_.lastControl.user), std::string(30, 'u'));
  EXPECT_EQ(std::string(api_.lastControl.password), std::string(30, 'p'));
  EXPECT_EQ(std::string(api_.lastControl.server), std::string(64, 's'));
  EXPECT_EQ(std::string(api_.lastControl.language), "de_DE.ISO8859-1");
  EXPECT_EQ(api_.lastControl.cacheId, 0);
  EXPECT_EQ(operations(), (std::vector<std::string>{"initialization", "termination"}));
}

TEST_F(ActionExecutorTest, DefaultUserIsDemo) {
  ASSERT_TRUE(run("<TIXGRAB><TQ SYSTEM='s'/></TIXGRAB>"));
  EXPECT_STREQ(api_.lastControl.user, "Demo");
}

TEST_F(ActionExecutorTest, EntryIdsAreCutToFifteenCharacters) {
  ASSERT_TRUE(
      run("<TIXGRAB><TQ SYSTEM='s'/>"
          "<GET FORM='f' ENTRY='0000000000000012345'/>"
          "<SET FORM='f' ENTRY='0000000000000022345'/>"
          "<DEL FORM='f' ENTRY='0000000000000032345'/></TIXGRAB>"));
  EXPECT_EQ(call("getEntry").entryId, "000000000000001");
  EXPECT_EQ(call("setEntry").entryId, "000000000000002");
  EXPECT_EQ(call("deleteEntry").entryId, "000000000000003");
}

TEST_F(ActionExecutorTest, GetWithoutFieldsPrintsEveryReturnedField) {
  api_.entryValues = {realValue(3, 5.0), realValue(4, 2.5), realValue(5, 0.001),
                      charValue(8, "Fix the roof"), TQFieldValueStruct{9, {}}};
  ASSERT_TRUE(
      run("<TIXGRAB><TQ SYSTEM='s'/><GET FORM='f' ENTRY='1' HEAD='--- entry 1'/></TIXGRAB>"));
  EXPECT_FALSE(call("getEntry").wantedListPassed);
  EXPECT_EQ(log_.text(),
            "--- entry 1\n"
            "FIELD_3 5.\n"
            "FIELD_4 2.5\n"
            "FIELD_5 0.001\n"
            "FIELD_8 Fix the roof\n"
            "FIELD_9 [NULL]\n");
}

TEST_F(ActionExecutorTest, GetLabelsTheFieldsItAsksFor) {
  api_.entryValues = {charValue(1, "000000000000001"), charValue(8, "Fix the roof")};
  ASSERT_TRUE(
      run("<TIXGRAB><TQ SYSTEM='s'/><GET FORM='f' ENTRY='1'>"
          "<FIELD ID='8' LABEL='Summary'/><FIELD ID='1'/></GET></TIXGRAB>"));
  EXPECT_EQ(call("getEntry").wantedIds, (std::vector<uint32_t>{8, 1}));
  EXPECT_EQ(log_.text(), "FIELD_1 000000000000001\nSummary Fix the roof\n");
}

TEST_F(ActionExecutorTest, AddSendsTypedValuesAndPrintsTheNewId) {
  ASSERT_TRUE(
      run("<TIXGRAB><TQ SYSTEM='s'/><ADD FORM='Tasks'>"
          "<FIELD ID='8'>  hello\n   world  </FIELD>"
          "<FIELD ID='7' TYPE='int'>42</FIELD>"
          "<FIELD ID='6' TYPE='REAL'>2.25</FIELD>"
          "<FIELD ID='x'>[LOGMSG]</FIELD></ADD>"
          "<ADD FORM='Tasks' LABEL=''/></TIXGRAB>"));
  const RecordedCall& add = call("createEntry");
  EXPECT_EQ(add.form, "Tasks");
  ASSERT_EQ(add.values.size(), 4u);
  EXPECT_EQ(add.values[0].fieldId, 8u);
  EXPECT_EQ(add.values[0].dataType, uint32_t{TQ_DATA_TYPE_CHAR});
  EXPECT_EQ(add.values[0].text, "hello world");
  EXPECT_EQ(add.values[1].dataType, uint32_t{TQ_DATA_TYPE_INTEGER});
  EXPECT_EQ(add.values[1].number, 42);
  EXPECT_EQ(add.values[2].real, 2.25);
  EXPECT_EQ(add.values[3].fieldId, 0u) << "a non-numeric id gives 0";
  EXPECT_EQ(add.values[3].text, "[LOGMSG]") << "no replacement outside the error log";
  EXPECT_EQ(log_.text(), "EntryId 000000000000042\n") << "an empty LABEL prints nothing";
}

TEST_F(ActionExecutorTest, FindListsTheIdsWithItsLabel) {
  api_.foundIds = {"000000000000001", "000000000000002"};
  ASSERT_TRUE(
      run("<TIXGRAB><TQ SYSTEM='s'/><FIND FORM='f'/>"
          "<FIND FORM='f' QUAL=\" \t'Status' = 1 \" LABEL=''/></TIXGRAB>"));
  EXPECT_EQ(operations(),
            (std::vector<std::string>{"initialization", "getListEntry", "loadQualifier",
                                      "getListEntry", "freeQualifier", "termination"}));
  EXPECT_FALSE(api_.calls[1].qualifierPassed);
  EXPECT_EQ(api_.calls[2].qualification, "'Status' = 1");
  EXPECT_TRUE(api_.calls[3].qualifierPassed);
  EXPECT_EQ(log_.text(),
            "EntryId 000000000000001\nEntryId 000000000000002\n"
            " 000000000000001\n 000000000000002\n");
}

TEST_F(ActionExecutorTest, NotesAndWarningsAreLoggedAndTheRunGoesOn) {
  api_.replies["initialization"] = {TQ_RETURN_WARNING, {{1, 51, "abc"}}};
  api_.replies["deleteEntry"] = {TQ_RETURN_OK, {{0, 1, "t1"}, {1, 2, "t2", "x"}}};
  ASSERT_TRUE(run("<TIXGRAB><TQ SYSTEM='s'/><DEL FORM='f' ENTRY='1'/></TIXGRAB>"));
  EXPECT_EQ(log_.text(),
            "WARNING: abc (message no. 51)\n"
            "NOTE: t1 (message no. 1). WARNING: t2 [x] (message no. 2)\n");
}

TEST_F(ActionExecutorTest, FailuresEndTheRunWithTheirMessage) {
  struct Case {
    Reply reply;
    std::string line;
  };
  const std::vector<Case> cases = {
      {{TQ_RETURN_ERROR, {{2, 2, "t2", "x"}}}, "Error: ERROR: t2 [x] (message no. 2)\n"},
      {{TQ_RETURN_FATAL, {{7, 161, "lost"}}}, "Error: NB: lost (message no. 161)\n"},
      {{TQ_RETURN_BAD_STATUS, {}}, "Error: Internal error - invalid status address\n"},
      {{7, {}}, "Error: Internal error - incorrect return code value: 7\n"},
  };
  for (const Case& c : cases) {
    FakeTqApi api;
    CapturingLog log;
    api.replies["createEntry"] = c.reply;
    XmlReader reader;
    registerScriptSchema(reader);
    reader.setInputText(
        "<TIXGRAB><TQ SYSTEM='s'/><ADD FORM='f'/><DEL FORM='f' ENTRY='1'/></TIXGRAB>");
    ScriptElement document;
    reader.read(document);
    ScriptElement& tixgrab = *document.findChild("TIXGRAB");
    ASSERT_TRUE(validateScript(tixgrab, log));
    EXPECT_FALSE(ActionExecutor(api, log).run(tixgrab)) << c.line;
    EXPECT_EQ(log.text(), c.line);
    EXPECT_EQ(api.calls.back().operation, "termination") << "the session is closed";
    EXPECT_EQ(api.calls.size(), 3u) << "the DEL after the failure is not run";
    EXPECT_EQ(api.outstanding, 0);
  }
}

TEST_F(ActionExecutorTest, UnknownFieldTypeEndsTheRunBeforeTheCall) {
  EXPECT_FALSE(
      run("<TIXGRAB><TQ SYSTEM='s'/><ADD FORM='f'><FIELD ID='1' TYPE='Foo'>1</FIELD></ADD>"
          "</TIXGRAB>"));
  EXPECT_EQ(log_.text(), "Error: Unknown field type 'Foo'\n");
  EXPECT_EQ(operations(), (std::vector<std::string>{"initialization", "termination"}));
}

TEST_F(ActionExecutorTest, FailureIsStoredInTheLogFormCutToMax) {
  api_.replies["setEntry"] = {TQ_RETURN_ERROR, {{2, 9, "boom"}}};
  EXPECT_FALSE(
      run("<TIXGRAB><TQ SYSTEM='s'/>"
          "<LOG FORM='Errors' MAX='10'><FIELD ID='8'>Run failed: [logmsg]</FIELD>"
          "<FIELD ID='9' TYPE='INT'>3</FIELD></LOG>"
          "<SET FORM='f' ENTRY='1'/></TIXGRAB>"));
  EXPECT_EQ(log_.text(), "Error: ERROR: boom (message no. 9)\n");
  const RecordedCall& stored = api_.calls[2];
  EXPECT_EQ(stored.operation, "createEntry");
  EXPECT_EQ(stored.form, "Errors");
  ASSERT_EQ(stored.values.size(), 2u);
  EXPECT_EQ(stored.values[0].text, "Run failed: ERROR: boo");
  EXPECT_EQ(stored.values[1].number, 3);
}

TEST_F(ActionExecutorTest, ShortErrorTextIsPaddedThenTrimmed) {
  api_.replies["deleteEntry"] = {TQ_RETURN_ERROR, {{2, 9, "x"}}};
  api_.replies["createEntry"] = {TQ_RETURN_ERROR, {{2, 10, "no log"}}};
  EXPECT_FALSE(
      run("<TIXGRAB><TQ SYSTEM='s'/><LOG FORM='Errors' MAX='100'>"
          "<FIELD ID='8' TYPE='diary'>[LOGMSG]!</FIELD></LOG>"
          "<DEL FORM='f' ENTRY='1'/></TIXGRAB>"));
  EXPECT_EQ(api_.calls[2].values[0].text, "ERROR: x (message no. 9)!");
  EXPECT_EQ(log_.text(),
            "Error: ERROR: x (message no. 9)\n"
            "Error: ERROR: no log (message no. 10)\n");
}

TEST_F(ActionExecutorTest, SecondTqLogsOffFirst) {
  ASSERT_TRUE(run("<TIXGRAB><TQ SYSTEM='a'/><TQ SYSTEM='b'/></TIXGRAB>"));
  EXPECT_EQ(operations(), (std::vector<std::string>{"initialization", "termination",
                                                    "initialization", "termination"}));
  EXPECT_STREQ(api_.lastControl.server, "b");
}

TEST_F(ActionExecutorTest, LogOffFailureAtTheEndFailsTheRun) {
  api_.replies["termination"] = {TQ_RETURN_ERROR, {{2, 90, "gone"}}};
  EXPECT_FALSE(run("<TIXGRAB><TQ SYSTEM='a'/></TIXGRAB>"));
  EXPECT_EQ(log_.text(), "Error: ERROR: gone (message no. 90)\n");
}

}  // namespace
}  // namespace tixgrab::test
