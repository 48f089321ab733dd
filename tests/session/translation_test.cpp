// The translation between protocol versions as the procedure table drives
// it: where a result's status list is found, the re-laid entry list of the
// older servers, and a routine for every re-laying step the table names.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "api/tqb_dispatch.h"
#include "api/tqmap.h"
#include "rpc/procedure_records_defs.h"
#include "rpc/procedures.h"
#include "session_fixture.h"
#include "share/apisrv/memory.h"

namespace {

using tqsess::Client;

// The retry after 329 and the merge of a failing substitute's status read
// the status list of any procedure's result, the definitions' among them.
TEST(Translation, FindsTheStatusListOfEveryKindOfResult) {
  TQGetEntryResult entry{};
  TQGetSchemaResult schema{};
  TQIdResult id{};
  TQGetListGroupResult groups{};
  TQGetListEntryResult list{};
  TQStatusList bare{};
  const struct {
    uint32_t procedure;
    void* result;
    const TQStatusList* status;
  } cases[] = {
      {1, &entry, &entry.status},    {7, &schema, &schema.status}, {14, &id, &id.status},
      {33, &groups, &groups.status}, {5, &list, &list.status},     {90, &bare, &bare},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.procedure);
    EXPECT_EQ(tqmapResultStatus(c.procedure, c.result), c.status);
  }
  EXPECT_EQ(tqmapResultStatus(79, &entry), nullptr) << "no such procedure";
  EXPECT_EQ(tqmapResultStatus(1, nullptr), nullptr);
}

// Every place where the table says a step re-lays a record has its routine.
TEST(Translation, EveryReLayingStepOfTheTableHasItsRoutine) {
  int relays = 0;
  for (uint32_t slot = 0; slot < kTQProcedureCount; ++slot) {
    const TQProcedure& p = tqProcedureAt(slot);
    if (p.program != TQProgram::kServer) continue;
    for (TQRelay which : {kTQRelayArgs, kTQRelayResult}) {
      if ((p.relay & which) == 0) continue;
      ++relays;
      EXPECT_TRUE(tqmapHasStep(p.number, p.version, which))
          << "procedure " << p.number << " between versions " << p.version << " and "
          << p.version + 1;
    }
  }
  EXPECT_GT(relays, 0);
}

// A version-3 entry list: rows of one entry id text and a description.
struct OldList {
  TQGetListEntryResultOld result{};

  explicit OldList(std::initializer_list<std::pair<const char*, const char*>> rows) {
    result.header.cacheId = 7;
    result.header.flag = 1;
    result.numMatches = 40;
    result.entries.numItems = static_cast<uint32_t>(rows.size());
    result.entries.entryList =
        static_cast<TQEntryListStructOld*>(std::calloc(rows.size(), sizeof(TQEntryListStructOld)));
    uint32_t i = 0;
    for (const auto& [id, description] : rows) {
      std::memcpy(result.entries.entryList[i].entryId, id, std::strlen(id) + 1);
      result.entries.entryList[i].shortDescription = strdup(description);
      ++i;
    }
    TQAppendStatus(&result.status, TQ_MSG_WARNING, 72, nullptr);
  }
};

TEST(Translation, AnOlderServersEntryListReachesTheCallerInTheNewLayout) {
  Client client;  // the translation's buffers belong to the current session
  ASSERT_EQ(client.initCode, 0u);
  for (uint32_t version : {2u, 3u}) {
    SCOPED_TRACE(version);
    OldList old({{"000000000000001", "first request"}, {"000000000000002", "second"}});
    TQStub stub = tqStubOf(TQProgram::kServer, version, 5);
    void* up = tqmapUp(&stub, &old.result, version);
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(stub, tqStubOf(TQProgram::kServer, 6, 5));
    auto* result = static_cast<TQGetListEntryResult*>(up);
    EXPECT_EQ(result->header.cacheId, 7);
    EXPECT_EQ(result->numMatches, 40u);
    ASSERT_EQ(result->entries.numItems, 2u);
    const char* ids[] = {"000000000000001", "000000000000002"};
    const char* descriptions[] = {"first request", "second"};
    for (uint32_t i = 0; i < 2; ++i) {
      const TQEntryListStruct& row = result->entries.entryList[i];
      ASSERT_EQ(row.entryId.numItems, 1u);
      EXPECT_STREQ(row.entryId.entryIdList[0], ids[i]);
      EXPECT_STREQ(row.shortDescription, descriptions[i]);
    }
    ASSERT_EQ(result->status.numItems, 1u);
    EXPECT_EQ(result->status.statusList[0].messageNumber, 72);
    EXPECT_EQ(tqmapResultStatus(5, up), &result->status);
    // The old record gave everything away; the new one is released whole.
    EXPECT_EQ(old.result.entries.entryList, nullptr);
    EXPECT_EQ(old.result.status.statusList, nullptr);
    tqReleaseResult(5, up);
  }
  // Versions 4 and 5 already use the new rows: the result passes as it is.
  TQGetListEntryResult same{};
  TQStub stub = tqStubOf(TQProgram::kServer, 4, 5);
  EXPECT_EQ(tqmapUp(&stub, &same, 4), &same);
  EXPECT_EQ(stub, tqStubOf(TQProgram::kServer, 6, 5));
}

TEST(Translation, AnEntryListThatCannotBeReLaidIsReleasedAndGivesNothing) {
  Client client;
  ASSERT_EQ(client.initCode, 0u);
  for (int64_t successes : {0, 1, 2}) {
    SCOPED_TRACE(successes);
    OldList old({{"000000000000001", "first"}, {"000000000000002", "second"}});
    TQStub stub = tqStubOf(TQProgram::kServer, 3, 5);
    tqMemFailAfter(successes, false);
    void* up = tqmapUp(&stub, &old.result, 3);
    tqMemFailAfter(-1, false);
    EXPECT_EQ(up, nullptr);
    // Nothing is left behind to leak (the sanitizer run checks it).
    EXPECT_EQ(old.result.entries.entryList, nullptr);
    EXPECT_EQ(old.result.status.statusList, nullptr);
  }
}

}  // namespace
