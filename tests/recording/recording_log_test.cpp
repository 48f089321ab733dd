// The command and result logs of calls against the reference server: the
// command block of each kind of argument, the result block with outputs and
// with statuses, the pause blocks, and starting and stopping.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "api/log_rows.h"
#include "recording_fixture.h"

namespace {

using tqrec::EntryIds;
using tqrec::readFile;
using tqrec::Recorder;
using tqrec::ScratchFolder;
using tqtest::TestServer;

constexpr const char* kForm = "Demo:Request";

TQFieldValueStruct charField(uint32_t id, const char* text) {
  TQFieldValueStruct item{};
  item.fieldId = id;
  item.value.dataType = TQ_DATA_TYPE_CHAR;
  item.value.u.charVal = const_cast<char*>(text);
  return item;
}

uint32_t setSummary(Recorder& r, const char* text) {
  EntryIds ids({"000000000000001"});
  TQFieldValueStruct item = charField(8, text);
  TQFieldValueList values{1, &item};
  return TQSetEntry(r.control(), kForm, &ids.list, &values, 0, 0, r.status());
}

struct CommandCase {
  const char* name;
  std::function<void(Recorder&)> call;
  std::string block;  // what the command log holds afterwards
};

TEST(CommandLog, EachKindOfArgumentIsWrittenByTheRules) {
  TestServer server({"--forms", TQ_DEMO_FORMS});
  const std::string longText(1030, 'a');
  const std::string edgeText(1024, 'b');
  const std::vector<CommandCase> cases = {
      {"the get-entry example",
       [](Recorder& r) {
         EntryIds ids({"000000000000001"});
         uint32_t wanted[] = {1, 8};
         TQInternalIdList fields{2, wanted};
         TQFieldValueList values{};
         TQGetEntry(r.control(), kForm, &ids.list, &fields, &values, r.status());
         FreeTQFieldValueList(&values, 0);
       },
       "#\n# TQGetEntry\n#\nge\nDemo:Request\n1\n000000000000001\n2\n1\n8\n"},
      {"a NULL field id list is the count 0",
       [](Recorder& r) {
         EntryIds ids({"000000000000001"});
         TQFieldValueList values{};
         TQGetEntry(r.control(), kForm, &ids.list, nullptr, &values, r.status());
         FreeTQFieldValueList(&values, 0);
       },
       "#\n# TQGetEntry\n#\nge\nDemo:Request\n1\n000000000000001\n0\n"},
      {"a NULL schema name is an empty line",
       [](Recorder& r) {
         TQNameList names{};
         TQGetListFilter(r.control(), nullptr, 0, &names, r.status());
         FreeTQNameList(&names, 0);
       },
       "#\n# TQGetListFilter\n#\nglf\n\n0\n"},
      {"line feeds, carriage returns and control bytes become spaces",
       [](Recorder& r) {
         setSummary(r,
                    "one\ntwo\r\nthree\x01"
                    "four\tfive");
       },
       "#\n# TQSetEntry\n#\nse\nDemo:Request\n1\n000000000000001\n1\n8\n4\n"
       "one two  three four\tfive\n0\n0\n"},
      {"a text of 1025 bytes or more is cut to 1023",
       [&](Recorder& r) { setSummary(r, longText.c_str()); },
       "#\n# TQSetEntry\n#\nse\nDemo:Request\n1\n000000000000001\n1\n8\n4\n" +
           std::string(1023, 'a') + "\n0\n0\n"},
      {"a text of 1024 bytes stays whole", [&](Recorder& r) { setSummary(r, edgeText.c_str()); },
       "#\n# TQSetEntry\n#\nse\nDemo:Request\n1\n000000000000001\n1\n8\n4\n" + edgeText +
           "\n0\n0\n"},
      {"server information codes are a counted list",
       [](Recorder& r) {
         uint32_t codes[] = {7, 55};
         TQServerInfoRequestList requests{2, codes};
         TQServerInfoList info{};
         TQGetServerInfo(r.control(), &requests, &info, r.status());
         FreeTQServerInfoList(&info, 0);
       },
       "#\n# TQGetServerInfo\n#\ngsi\n2\n7\n55\n"},
      {"a set writes each property it may change as T and the value, or F",
       [](Recorder& r) {
         TQSortStruct sort[] = {{8, TQ_SORT_DESCENDING}};
         TQSortList sortList{1, sort};
         TQSetSchema(r.control(), "Old:Form", "New:Form", nullptr, nullptr, nullptr, nullptr,
                     &sortList, nullptr, "help\ntext", nullptr, nullptr, r.status());
       },
       "#\n# TQSetSchema\n#\nss\nOld:Form\nT\nNew:Form\nF\nF\nF\nF\nT\n1\n8\n2\nF\n"
       "T\nhelp text\nF\nF\n"},
      {"a join schema writes its members and its qualifier",
       [](Recorder& r) {
         TQCompoundSchema schema{};
         schema.schemaType = TQ_SCHEMA_JOIN;
         std::strcpy(schema.u.join.memberA, "Left");
         std::strcpy(schema.u.join.memberB, "Right");
         TQPermissionStruct groups[] = {{1, TQ_PERMISSIONS_CHANGE}};
         TQPermissionList groupList{1, groups};
         TQCreateSchema(r.control(), "Joined", &schema, &groupList, nullptr, nullptr, nullptr,
                        nullptr, nullptr, "owner", nullptr, r.status());
       },
       "#\n# TQCreateSchema\n#\ncs\nJoined\n2\nLeft\nRight\n0\n0\n1\n1\n2\n0\n0\n0\n0\n"
       "\nowner\n\n"},
      {"a filter writes its action lists action by action",
       [](Recorder& r) {
         TQFilterActionStruct actions[2]{};
         actions[0].action = TQ_FILTER_ACTION_NOTIFY;
         actions[0].u.notify.user = const_cast<char*>("Ann");
         actions[0].u.notify.notifyText = const_cast<char*>("hi");
         actions[0].u.notify.notifyPriority = 1;
         actions[0].u.notify.notifyMechanism = TQ_NOTIFY_VIA_NOTIFIER;
         actions[0].u.notify.subjectText = const_cast<char*>("s");
         TQFieldAssignStruct assign{};
         assign.fieldId = 8;
         assign.assignment.assignType = TQ_ASSIGN_TYPE_VALUE;
         assign.assignment.u.value.dataType = TQ_DATA_TYPE_CHAR;
         assign.assignment.u.value.u.charVal = const_cast<char*>("done");
         actions[1].action = TQ_FILTER_ACTION_FIELDS;
         actions[1].u.setFields = {1, &assign};
         TQFilterActionList list{2, actions};
         TQCreateFilter(r.control(), "F1", 500, kForm, 2, 1, nullptr, &list, nullptr, nullptr,
                        nullptr, nullptr, r.status());
       },
       "#\n# TQCreateFilter\n#\ncf\nF1\n500\nDemo:Request\n2\n1\n0\n"
       "2\n1\nAnn\nhi\n1\n1\n0\ns\n0\n0\n4\n1\n8\n1\n4\ndone\n0\n\n\n\n"},
      {"a view writes its properties as tags and values",
       [](Recorder& r) {
         TQPropStruct props[1]{};
         props[0].propertyTag = 3;
         props[0].value.dataType = TQ_DATA_TYPE_INTEGER;
         props[0].value.u.intVal = 7;
         TQPropList list{1, props};
         uint32_t id = 5;
         TQCreateVUI(r.control(), kForm, &id, "Main\nView", &list, nullptr, "owner", nullptr,
                     r.status());
       },
       "#\n# TQCreateVUI\n#\ncv\nDemo:Request\n5\nMain View\n1\n3\n2\n7\n\nowner\n\n"},
      {"a field set writes the limits of their data type",
       [](Recorder& r) {
         TQFieldLimitStruct limit{};
         limit.dataType = TQ_DATA_TYPE_CHAR;
         limit.u.charLimits.maxLength = 80;
         limit.u.charLimits.menuStyle = TQ_MENU_STYLE_APPEND;
         limit.u.charLimits.qbeMatchOperation = TQ_QBE_MATCH_LEADING;
         std::strcpy(limit.u.charLimits.charMenu, "Menu");
         limit.u.charLimits.pattern = const_cast<char*>("$DIGIT$");
         const uint32_t option = 2;
         TQSetField(r.control(), kForm, 8, nullptr, &option, nullptr, nullptr, nullptr, &limit,
                    nullptr, nullptr, nullptr, nullptr, r.status());
       },
       "#\n# TQSetField\n#\nssf\nDemo:Request\n8\nF\nT\n2\nF\nF\nF\nT\n4\n80\n1\n2\nMenu\n"
       "$DIGIT$\n0\nF\nF\nF\nF\n"},
      {"an export writes its items and tag, and a line for the file",
       [](Recorder& r) {
         TQStructItemStruct item{TQ_STRUCT_ITEM_SCHEMA, "Demo:Request"};
         TQStructItemList items{1, &item};
         char* text = nullptr;
         TQExport(r.control(), &items, "Tag", &text, r.status());
         std::free(text);
       },
       "#\n# TQExport\n#\nexp\n1\n1\nDemo:Request\nTag\n****** FILE NAME ******\n"},
      {"an import writes that line in place of its data",
       [](Recorder& r) { TQImport(r.control(), nullptr, "begin schema\nend\n", r.status()); },
       "#\n# TQImport\n#\nimp\n0\n****** FILE NAME ******\n"},
      {"a large value's get writes where it delivers",
       [](Recorder& r) {
         EntryIds ids({"000000000000001"});
         TQLocStruct loc{};
         loc.locationType = TQ_LOC_FILENAME;
         loc.u.filename = const_cast<char*>("/nonexistent/out.bin");
         TQGetEntryBLOB(r.control(), kForm, &ids.list, 536870913, &loc, r.status());
       },
       "#\n# TQGetEntryBLOB\n#\ngeb\nDemo:Request\n1\n000000000000001\n536870913\n1\n"
       "/nonexistent/out.bin\n"},
      {"a delete names its object first",
       [](Recorder& r) { TQDeleteSchema(r.control(), "Old:Form", 2, r.status()); },
       "#\n# TQDeleteSchema\n#\nds\nOld:Form\n2\n"},
  };
  for (const CommandCase& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    {
      Recorder recorder(server.port(), folder.file("cmd.log"), folder.file("res.log"));
      c.call(recorder);
      EXPECT_EQ(TQStopRecording(recorder.control(), recorder.status()), 0u);
    }
    EXPECT_EQ(readFile(folder.file("cmd.log")), c.block);
  }
}

TEST(CommandLog, EveryDataTypeOfAValue) {
  TestServer server({"--forms", TQ_DEMO_FORMS});
  ScratchFolder folder;
  unsigned char bytes[] = {0xab, 0x01};
  TQByteList byteList{7, 2, bytes};
  TQCoordStruct points[] = {{1, -2}};
  TQCoordList coords{1, points};
  std::vector<TQFieldValueStruct> items(13);
  auto set = [&](size_t i, uint32_t type) {
    items[i].fieldId = 901 + static_cast<uint32_t>(i);
    items[i].value.dataType = type;
    return &items[i].value.u;
  };
  set(0, TQ_DATA_TYPE_KEYWORD)->keyNum = 3;
  set(1, TQ_DATA_TYPE_INTEGER)->intVal = -5;
  set(2, TQ_DATA_TYPE_REAL)->realVal = 2.5;
  set(3, TQ_DATA_TYPE_CHAR)->charVal = const_cast<char*>("x");
  set(4, TQ_DATA_TYPE_DIARY)->diaryVal = const_cast<char*>("d");
  set(5, TQ_DATA_TYPE_ENUM)->enumVal = 2;
  set(6, TQ_DATA_TYPE_TIME)->timeVal = 1000;
  set(7, TQ_DATA_TYPE_BITMASK)->maskVal = 6;
  set(8, TQ_DATA_TYPE_BYTES)->byteListVal = &byteList;
  set(9, TQ_DATA_TYPE_DECIMAL)->decimalVal = const_cast<char*>("1.25");
  set(10, TQ_DATA_TYPE_ULONG)->ulongVal = 4000000000u;
  set(11, TQ_DATA_TYPE_COORDS)->coordListVal = &coords;
  set(12, TQ_DATA_TYPE_NULL);
  TQFieldValueList values{static_cast<uint32_t>(items.size()), items.data()};
  {
    Recorder recorder(server.port(), folder.file("cmd.log"), folder.file("res.log"));
    TQEntryIdType newId{};
    TQCreateEntry(recorder.control(), kForm, &values, newId, recorder.status());
  }
  EXPECT_EQ(readFile(folder.file("cmd.log")),
            "#\n# TQCreateEntry\n#\nce\nDemo:Request\n13\n"
            "901\n1\n3\n"
            "902\n2\n-5\n"
            "903\n3\n2.500000\n"
            "904\n4\nx\n"
            "905\n5\nd\n"
            "906\n6\n2\n"
            "907\n7\n1000\n"
            "908\n8\n6\n"
            "909\n9\n7\n2\nab\n1\n\n"
            "910\n10\n1.25\n"
            "911\n40\n4000000000\n"
            "912\n41\n1\n1\n-2\n"
            "913\n0\n"
            "#\n# TQTermination\n#\nterm\n");
}

TEST(ResultLog, OutputsOfASuccessAndTheStatusesOfAFailure) {
  TestServer server({"--forms", TQ_DEMO_FORMS});
  ScratchFolder folder;
  {
    Recorder recorder(server.port(), folder.file("cmd.log"), folder.file("res.log"));
    TQFieldValueStruct item = charField(8, "hello");
    TQFieldValueList values{1, &item};
    TQEntryIdType newId{};
    ASSERT_EQ(TQCreateEntry(recorder.control(), kForm, &values, newId, recorder.status()), 0u);
    EntryIds ids({newId});
    uint32_t wanted[] = {1, 8};
    TQInternalIdList fields{2, wanted};
    TQFieldValueList got{};
    ASSERT_EQ(TQGetEntry(recorder.control(), kForm, &ids.list, &fields, &got, recorder.status()),
              0u);
    FreeTQFieldValueList(&got, 0);
    EXPECT_EQ(
        TQGetEntry(recorder.control(), "No:Such", &ids.list, &fields, &got, recorder.status()), 2u);
    FreeTQFieldValueList(&got, 0);
    ASSERT_EQ(TQStopRecording(recorder.control(), recorder.status()), 0u);
  }
  const std::string log = readFile(folder.file("res.log"));
  const std::string created =
      "\n   TQCreateEntry  results\nReturnCode:  OK\n"
      "Entry Id: 000000000000001\nStatus List : 0 items\n";
  const std::string got =
      "\n   TQGetEntry  results\nReturnCode:  OK\n"
      "Field Value List : 2 items\n"
      "Field Value Struct:\n   Field Id: 1\n   Value:  (char) 000000000000001\n"
      "Field Value Struct:\n   Field Id: 8\n   Value:  (char) hello\n"
      "Status List : 0 items\n";
  ASSERT_EQ(log.substr(0, created.size() + got.size()), created + got);
  const std::string failed = log.substr(created.size() + got.size());
  EXPECT_TRUE(
      std::regex_match(failed, std::regex("\n   TQGetEntry  results\nReturnCode:  ERROR\n"
                                          "Status List : 1 items\nStatus Struct :\n"
                                          "   Message type : ERROR\n   Message number : [0-9]+\n"
                                          "   Message : [^\n]+\n   Appended :[^\n]*\n")))
      << failed;
}

// The pause clock of the tests: a time the test sets.
int64_t gNow = 0;
int64_t fakeClock() {
  return gNow;
}

TEST(CommandLog, ThinkTimeOfASecondOrMoreIsAPauseBlock) {
  TestServer server({"--forms", TQ_DEMO_FORMS});
  ScratchFolder folder;
  char* here = getcwd(nullptr, 0);
  ASSERT_EQ(chdir(folder.path().c_str()), 0);
  gNow = 1000 * 1000000LL;
  tqRecordSetClock(&fakeClock);
  {
    tqsess::EnvVar logging("TQAPILOGGING", "2");
    tqsess::Client client;
    ASSERT_EQ(client.initCode, 0u);
    ASSERT_EQ(client.route(server.port()), 0u);
    EntryIds ids({"000000000000001"});
    TQFieldValueList values{};
    gNow += 3400000;
    TQGetEntry(&client.control, kForm, &ids.list, nullptr, &values, client.fresh());
    FreeTQFieldValueList(&values, 0);
    gNow += 400000;
    TQGetEntry(&client.control, kForm, &ids.list, nullptr, &values, client.fresh());
    FreeTQFieldValueList(&values, 0);
    gNow += 1600000;
    TQStopRecording(&client.control, client.fresh());
  }
  tqRecordSetClock(nullptr);
  ASSERT_EQ(chdir(here), 0);
  std::free(here);
  const std::string get = "#\n# TQGetEntry\n#\nge\nDemo:Request\n1\n000000000000001\n0\n";
  EXPECT_EQ(readFile(folder.file("tqapicmd.log")),
            "#\n# TQInitialization\n#\ninit\n#\n# (Pause)\n#\nst\n3\n" + get + get);
  const std::string results = readFile(folder.file("tqapires.log"));
  EXPECT_EQ(results.find("\n   TQInitialization  results\nReturnCode:  OK\n"), 0u) << results;
}

TEST(Recording, StartAppendsToTheLogsAndAnUnopenableLogLeavesItOff) {
  TestServer server({"--forms", TQ_DEMO_FORMS});
  ScratchFolder folder;
  tqsess::Client client;
  ASSERT_EQ(client.route(server.port()), 0u);
  const std::string commands = folder.file("cmd.log");
  { std::ofstream(commands) << "kept\n"; }
  EXPECT_EQ(TQStartRecording(&client.control, commands.c_str(),
                             folder.file("missing/res.log").c_str(), client.fresh()),
            2u);
  EXPECT_EQ(client.status.numItems, 0u);
  EXPECT_EQ(client.control.session->recordingOn, 0);
  EXPECT_EQ(client.control.session->commandLog, nullptr) << "closed again";

  ASSERT_EQ(TQStartRecording(&client.control, commands.c_str(), folder.file("res.log").c_str(),
                             client.fresh()),
            0u);
  TQDeleteSchema(&client.control, "A", 0, client.fresh());
  ASSERT_EQ(TQStopRecording(&client.control, client.fresh()), 0u);
  TQDeleteSchema(&client.control, "B", 0, client.fresh());
  EXPECT_EQ(readFile(commands), "kept\n#\n# TQDeleteSchema\n#\nds\nA\n0\n");

  EXPECT_EQ(TQStartRecording(&client.control, nullptr, nullptr, nullptr), 4u);
  TQControlStruct stranger{};
  EXPECT_EQ(TQStopRecording(&stranger, client.fresh()), 3u);
}

}  // namespace
