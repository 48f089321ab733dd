// Chunked answers: the server splits lists, entries and texts by the
// response size (made small with --set lists.chunk-bytes), the library joins
// them; continuation values work only for their own call; and answers that
// cannot be trusted (a continuation that does not advance, answers that do
// not end, counts that disagree) end the call with an error and nothing
// leaked.
#include <numeric>

#include "lists_fixture.h"
#include "rpc_client.h"
#include "server_test_util.h"
#include "share/apisrv/memory.h"
#include "share/apisrv/scramble.h"

namespace {

using namespace tqlists;
using tqsess::Client;
using tqsess::numbers;
using tqtest::TestServer;

constexpr uint32_t kProcList = 5, kProcMultiple = 67, kProcWithFields = 73;
// Each answer may hold the response size less 512 bytes; an entry of a list
// costs 32 bytes and its display text, a value 16 bytes and its text.
std::string chunkBytes(size_t budget) {
  return "lists.chunk-bytes=" + std::to_string(budget + 512);
}

std::vector<std::string> makeNamed(Client& c, size_t n) {
  std::vector<std::string> ids;
  for (size_t i = 0; i < n; ++i) {
    char text[32];
    std::snprintf(text, sizeof text, "entry-%02zu", i);
    ids.push_back(create(c, Values().text(kDescription, text).integer(kImpact, int32_t(i))));
  }
  return ids;
}

TEST(ListChunks, ThreeChunksJoinedInOrder) {
  TestServer server(demoServer({"--set", chunkBytes(3 * 40)}));  // three entries of 40 bytes each
  Client c;
  ASSERT_EQ(c.route(server.port()), 0u);
  const std::vector<std::string> ids = makeNamed(c, 9);
  EntryList result;
  listEntries(c, nullptr, &result);
  EXPECT_EQ(result.code, 0u);
  EXPECT_EQ(server.calls(kProcList), 3u);
  EXPECT_EQ(idsOf(result.list), ids);
  EXPECT_EQ(result.matches, 9u);
  EXPECT_STREQ(result.list.entryList[8].shortDescription, "entry-08");
}

// The values of a list with fields, as "id:field=value,..." lines.
std::vector<std::string> linesOf(const TQEntryListFieldValueList& list) {
  std::vector<std::string> lines;
  for (uint32_t i = 0; i < list.numItems; ++i) {
    std::string line = list.entryList[i].entryId.entryIdList[0];
    const TQFieldValueList& values = *list.entryList[i].fieldValues;
    for (uint32_t v = 0; v < values.numItems; ++v) {
      const TQFieldValueStruct& item = values.fieldValueList[v];
      line += ":" + std::to_string(item.fieldId) + "=";
      switch (item.value.dataType) {
        case TQ_DATA_TYPE_CHAR:
          line += item.value.u.charVal;
          break;
        case TQ_DATA_TYPE_INTEGER:
          line += std::to_string(item.value.u.intVal);
          break;
        case TQ_DATA_TYPE_REAL:
          line += std::to_string(item.value.u.realVal);
          break;
        case TQ_DATA_TYPE_ENUM:
          line += "#" + std::to_string(item.value.u.enumVal);
          break;
        default:
          line += "?" + std::to_string(item.value.dataType);
      }
    }
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> listWithFields(Client& c, std::vector<uint32_t> fieldIds, uint32_t* code) {
  std::vector<TQEntryListFieldStruct> columns;
  for (uint32_t id : fieldIds)
    columns.push_back(TQEntryListFieldStruct{id, 10, {}});
  TQEntryListFieldList fields{static_cast<uint32_t>(columns.size()), columns.data()};
  TQEntryListFieldValueList list{};
  *code = TQGetListEntryWithFields(&c.control, kForm, nullptr, &fields, nullptr, 0, &list, nullptr,
                                   c.fresh());
  std::vector<std::string> lines = linesOf(list);
  FreeTQEntryListFieldValueList(&list, 0);
  return lines;
}

TEST(ListChunks, EntrySplitAfterItsSecondOfFourValues) {
  // 32 + 28 ("Printer jams") + 16 fit in 80 bytes, the third value does not.
  TestServer server(demoServer({"--set", chunkBytes(80)}));
  Client c;
  ASSERT_EQ(c.route(server.port()), 0u);
  const std::string a = create(c, Values()
                                      .text(kDescription, "Printer jams")
                                      .integer(kImpact, 3)
                                      .real(kHours, 1.5)
                                      .enumerated(kPriority, 2));
  const std::string b = create(c, Values()
                                      .text(kDescription, "Network down")
                                      .integer(kImpact, 5)
                                      .real(kHours, 0.25)
                                      .enumerated(kPriority, 0));
  uint32_t code = 99;
  const std::vector<std::string> lines =
      listWithFields(c, {kDescription, kImpact, kHours, kPriority}, &code);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(server.calls(kProcWithFields), 4u) << "each entry in two answers";
  const std::string tail = ":536870915=3:536870916=1.500000:536870914=#2";
  EXPECT_EQ(lines, (std::vector<std::string>{a + ":8=Printer jams" + tail,
                                             b + ":8=Network down:536870915=5:536870916=0.250000"
                                                 ":536870914=#0"}));
}

TEST(ListChunks, TextsSplitInsideAndJoined) {
  TestServer server(demoServer({"--set", chunkBytes(80)}));
  Client c;
  ASSERT_EQ(c.route(server.port()), 0u);
  std::string longText;
  for (int i = 0; i < 25; ++i)
    longText += "part " + std::to_string(i) + " \xC3\xA9t\xC3\xA9 ";  // two-byte characters too
  const std::string a = create(c, Values().text(kDescription, longText).integer(kImpact, 1));
  const std::string b = create(c, Values().text(kDescription, "short").integer(kImpact, 2));
  uint32_t code = 99;
  const std::vector<std::string> lines = listWithFields(c, {kDescription, kImpact}, &code);
  EXPECT_EQ(code, 0u);
  EXPECT_GT(server.calls(kProcWithFields), 5u);
  EXPECT_EQ(lines, (std::vector<std::string>{a + ":8=" + longText + ":536870915=1",
                                             b + ":8=short:536870915=2"}));
}

// The full value of a field read with a get.
std::string fullValue(Client& c, const std::string& id, uint32_t field) {
  TQEntryIdType ids[1] = {};
  std::strcpy(ids[0], id.c_str());
  TQEntryIdList idList{1, ids};
  TQInternalIdList fields{1, &field};
  TQFieldValueList values{};
  EXPECT_EQ(TQGetEntry(&c.control, kForm, &idList, &fields, &values, c.fresh()), 0u);
  std::string text = values.numItems == 1 && values.fieldValueList[0].value.u.charVal
                         ? values.fieldValueList[0].value.u.charVal
                         : "";
  FreeTQFieldValueList(&values, 0);
  return text;
}

std::string multipleValue(Client& c, const std::string& id, uint32_t field, uint32_t* code) {
  TQEntryIdType ids[1] = {};
  std::strcpy(ids[0], id.c_str());
  TQEntryIdList one{1, ids};
  TQEntryIdListList entries{1, &one};
  TQInternalIdList fields{1, &field};
  TQBooleanList exists{};
  TQFieldValueListList values{};
  *code = TQGetMultipleEntries(&c.control, kForm, &entries, &fields, &exists, &values, c.fresh());
  std::string text;
  if (values.numItems == 1 && values.valueListList[0].numItems == 1) {
    const char* t = values.valueListList[0].fieldValueList[0].value.u.charVal;
    text = t != nullptr ? t : "";
  }
  FreeTQFieldValueListList(&values, 0);
  FreeTQBooleanList(&exists, 0);
  return text;
}

TEST(ListChunks, LongValuesOfMultipleEntriesKeepTheirLimit) {
  TestServer server(demoServer());
  Client c;
  ASSERT_EQ(c.route(server.port()), 0u);
  const std::string id = create(c, Values().text(kDescription, std::string(70000, 'd')));
  for (char letter = 'a'; letter < 'h'; ++letter) {  // seven items of 10000 characters
    ASSERT_EQ(
        setValues(c, id, Values().text(kWorkLog, std::string(10000, letter), TQ_DATA_TYPE_DIARY)),
        0u);
  }
  const std::string diary = fullValue(c, id, kWorkLog);
  ASSERT_GT(diary.size(), 70000u);
  std::string newest = diary.substr(diary.size() - 64000);
  newest = newest.substr(newest.find('\x03') + 1);

  uint32_t code = 99;
  const uint64_t before = server.calls(kProcMultiple);
  EXPECT_EQ(multipleValue(c, id, kWorkLog, &code), newest)
      << "a diary keeps its newest 64000 characters, from a whole item on";
  EXPECT_EQ(code, 0u);
  EXPECT_GE(server.calls(kProcMultiple) - before, 4u) << "the diary came in several answers";
  EXPECT_EQ(newest.substr(newest.size() - 10001), std::string(10000, 'g') + '\x03');

  EXPECT_EQ(multipleValue(c, id, kDescription, &code), std::string(64000, 'd'))
      << "a text keeps its first 64000 characters";
  EXPECT_EQ(code, 0u);
}

// Every allocation of a joining list call fails in turn: the call ends with
// 154 and hands nothing over (the memcheck run sees nothing leak), until
// enough succeed for the whole list.
TEST(ListChunks, AllocationFailuresEndWithOutOfMemory) {
  TestServer server(demoServer({"--set", chunkBytes(80)}));
  Client c;
  ASSERT_EQ(c.route(server.port()), 0u);
  create(c, Values().text(kDescription, std::string(300, 'x')).integer(kImpact, 1));
  create(c, Values().text(kDescription, "short").integer(kImpact, 2));
  uint32_t code = 99;
  ASSERT_EQ(listWithFields(c, {kDescription, kImpact}, &code).size(), 2u);  // connected
  int failures = 0;
  for (int64_t n = 0; n < 2000; ++n) {
    TQEntryListFieldStruct columns[2] = {{kDescription, 10, {}}, {kImpact, 10, {}}};
    TQEntryListFieldList fields{2, columns};
    TQEntryListFieldValueList list{};
    tqMemFailAfter(n, false);
    code = TQGetListEntryWithFields(&c.control, kForm, nullptr, &fields, nullptr, 0, &list, nullptr,
                                    c.fresh());
    const bool failed = tqMemAllocationsSeen() > n;
    tqMemFailAfter(-1, false);
    const uint32_t entries = list.numItems;
    FreeTQEntryListFieldValueList(&list, 0);
    if (!failed) {
      EXPECT_EQ(code, 0u);
      EXPECT_EQ(entries, 2u);
      break;
    }
    ++failures;
    EXPECT_EQ(code, 2u) << "allocation " << n;
    // The status list itself may be what failed; a failure inside the
    // decoding of an answer is the failed call (91).
    if (c.status.numItems > 0) {
      EXPECT_TRUE(numbers(c.status).front() == 154 || numbers(c.status).front() == 91)
          << "allocation " << n << ": " << numbers(c.status).front();
    }
    EXPECT_EQ(entries, 0u) << "allocation " << n;
  }
  EXPECT_GT(failures, 3);
}

// ------------------------------------------------------ continuation values

using tqsdtest::Credentials;

struct RawList {
  TQGetListEntryResult result{};
  clnt_stat stat = RPC_FAILED;
  ~RawList() {
    tqtest::releaseRecord(tqFindProcedure(TQProgram::kServer, 6, 5)->xdrResult, &result);
  }
};

void rawList(tqtest::RpcClient& rpc, const TQCallHeader& header, int32_t continuation,
             RawList* out) {
  TQGetListEntryArgs args{};
  args.header = header;
  args.header.reserved = 600;
  args.header.signedReserved = continuation;
  char schema[] = "Demo:Request";
  args.schema = schema;
  out->stat = rpc.call(TQProgram::kServer, kProcList, &args, &out->result);
}

std::vector<int32_t> statusOf(const RawList& raw) {
  return numbers(raw.result.status);
}

TEST(ListChunks, ContinuationValuesServeOnlyTheirOwnCall) {
  TestServer server(demoServer({"--set", chunkBytes(40)}), tqsdtest::kUsers);
  {
    Client joe("Joe", "secret");
    ASSERT_EQ(joe.route(server.port()), 0u);
    makeNamed(joe, 4);
  }
  tqtest::WireSession wire;
  tqtest::RpcClient rpc(server.port(), tqsdtest::kServerProgram, 6);
  const Credentials joe{"Joe", "secret"};
  const TQCallHeader call = tqsdtest::makeHeader(joe);
  RawList first;
  rawList(rpc, call, 0, &first);
  ASSERT_EQ(first.stat, RPC_SUCCESS);
  ASSERT_EQ(first.result.header.flag, 0);
  const int32_t value = first.result.header.signedReserved;
  ASSERT_NE(value, 0);

  RawList otherUser;
  rawList(rpc, tqsdtest::makeHeader(Credentials{"Ann", "two words"}), value, &otherUser);
  EXPECT_EQ(statusOf(otherUser), std::vector<int32_t>{9391});
  // Another call of the same user: another operation time, the password
  // scrambled with it.
  TQCallHeader otherCall = call;
  otherCall.operationTime = call.operationTime + 5;
  std::memset(otherCall.password, 0, sizeof otherCall.password);
  std::strcpy(otherCall.password, "secret");
  tqScramblePassword(static_cast<uint32_t>(otherCall.operationTime), otherCall.password);
  RawList sameUserOtherCall;
  rawList(rpc, otherCall, value, &sameUserOtherCall);
  EXPECT_EQ(statusOf(sameUserOtherCall), std::vector<int32_t>{9391});
  RawList guessed;
  rawList(rpc, call, value ^ 1, &guessed);
  EXPECT_EQ(statusOf(guessed), std::vector<int32_t>{9391}) << "a guessed value";

  RawList second;
  rawList(rpc, call, value, &second);
  EXPECT_EQ(statusOf(second), std::vector<int32_t>{});
  EXPECT_EQ(second.result.entries.numItems, 1u);
  EXPECT_NE(second.result.header.signedReserved, value) << "every answer names a new value";
  RawList replay;
  rawList(rpc, call, value, &replay);
  EXPECT_EQ(statusOf(replay), std::vector<int32_t>{9391}) << "a value works once";
}

// ------------------------------------------------------------ faulty answers

struct FaultCase {
  const char* fault;
  uint32_t procedure;
  int32_t message;
};

class ListFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(ListFaults, EndTheCallWithAnErrorAndNothingHeldBack) {
  const FaultCase& fault = GetParam();
  TestServer server(
      demoServer({"--set", chunkBytes(40), "--set", std::string("lists.fault=") + fault.fault}));
  Client c;
  ASSERT_EQ(c.route(server.port()), 0u);
  const std::vector<std::string> ids = makeNamed(c, 3);
  uint32_t code = 99;
  size_t returned = 99;
  if (fault.procedure == kProcList) {
    EntryList result;
    listEntries(c, nullptr, &result);
    code = result.code;
    returned = result.list.numItems;
  } else if (fault.procedure == kProcWithFields) {
    returned = listWithFields(c, {kDescription}, &code).size();
  } else {
    std::vector<TQEntryIdType> wanted(ids.size());
    std::vector<TQEntryIdList> lists;
    for (size_t i = 0; i < ids.size(); ++i) {
      std::strcpy(wanted[i], ids[i].c_str());
      lists.push_back(TQEntryIdList{1, &wanted[i]});
    }
    TQEntryIdListList entries{static_cast<uint32_t>(lists.size()), lists.data()};
    uint32_t field = kDescription;
    TQInternalIdList fields{1, &field};
    TQBooleanList exists{};
    TQFieldValueListList values{};
    code = TQGetMultipleEntries(&c.control, kForm, &entries, &fields, &exists, &values, c.fresh());
    returned = values.numItems;
    FreeTQFieldValueListList(&values, 0);
    FreeTQBooleanList(&exists, 0);
  }
  EXPECT_EQ(code, 2u);
  EXPECT_EQ(numbers(c.status), std::vector<int32_t>{fault.message});
  EXPECT_EQ(returned, 0u);
}

INSTANTIATE_TEST_SUITE_P(Faults, ListFaults,
                         ::testing::Values(FaultCase{"stuck", kProcList, 8942},
                                           FaultCase{"endless", kProcList, 8941},
                                           FaultCase{"stuck", kProcWithFields, 8942},
                                           FaultCase{"miscount", kProcWithFields, 8940},
                                           FaultCase{"endless", kProcMultiple, 8941},
                                           FaultCase{"miscount", kProcMultiple, 8940}),
                         [](const auto& info) {
                           return std::string(info.param.fault) + "_" +
                                  std::to_string(info.param.procedure);
                         });

}  // namespace
