// Merging a server's status list into the client's.
#include <gtest/gtest.h>

#include "failing_malloc.h"
#include "share/apisrv/error.h"
#include "status_fixture.h"

namespace {

constexpr uint32_t kNote = TQ_MSG_NOTE;
constexpr uint32_t kWarning = TQ_MSG_WARNING;
constexpr uint32_t kError = TQ_MSG_ERROR;

// Client statuses are numbered from 100, server statuses from 200, so the
// merged order shows where each item came from.
struct MergeCase {
  const char* name;
  std::initializer_list<TypeAndNumber> client;
  std::initializer_list<TypeAndNumber> server;
  std::vector<TypeAndNumber> merged;
};

struct MergeTest : testing::Test {
  TQStatusList client{};
  TQStatusList server{};
  TQStatusList other{};
  ~MergeTest() override {
    releaseStatusList(client);
    releaseStatusList(server);
    releaseStatusList(other);
  }
};

TEST_F(MergeTest, EachSeverityTakesTheClientsStatusesFirst) {
  const MergeCase cases[] = {
      {"warning into error and note",
       {{kWarning, 100}},
       {{kError, 200}, {kNote, 201}},
       {{kError, 200}, {kWarning, 100}, {kNote, 201}}},
      {"every level on both sides",
       {{kError, 100}, {kWarning, 101}, {kNote, 102}},
       {{kError, 200}, {kError, 201}, {kWarning, 202}, {kNote, 203}},
       {{kError, 100},
        {kError, 200},
        {kError, 201},
        {kWarning, 101},
        {kWarning, 202},
        {kNote, 102},
        {kNote, 203}}},
      {"notes only", {{kNote, 100}}, {{kNote, 200}}, {{kNote, 100}, {kNote, 200}}},
      {"server list out of order",
       {{kWarning, 100}},
       {{kNote, 200}, {kError, 201}, {kNote, 202}},
       {{kError, 201}, {kWarning, 100}, {kNote, 200}, {kNote, 202}}},
      {"empty client", {}, {{kWarning, 200}}, {{kWarning, 200}}},
      {"empty server", {{kNote, 100}}, {}, {{kNote, 100}}},
      {"both empty", {}, {}, {}},
  };
  for (const MergeCase& c : cases) {
    SCOPED_TRACE(c.name);
    client = makeStatusList(c.client);
    server = makeStatusList(c.server);
    const uint32_t top = TQMergeStatus(&server, &client, &client);
    EXPECT_EQ(typesAndNumbers(client), c.merged);
    EXPECT_EQ(top, c.merged.empty() ? 0u : c.merged.front().first);
    // The server's items now belong to the client's list.
    EXPECT_EQ(server.numItems, 0u);
    EXPECT_EQ(server.statusList, nullptr);
    releaseStatusList(client);
    releaseStatusList(server);
  }
}

TEST_F(MergeTest, ResultMayGoToAThirdList) {
  client = makeStatusList({{kWarning, 100}});
  server = makeStatusList({{kError, 200}});
  EXPECT_EQ(TQMergeStatus(&server, &client, &other), kError);
  EXPECT_EQ(typesAndNumbers(other), (std::vector<TypeAndNumber>{{kError, 200}, {kWarning, 100}}));
  EXPECT_EQ(client.numItems, 0u);
  EXPECT_EQ(server.numItems, 0u);
  EXPECT_STREQ(other.statusList[1].messageText, "m100");

  releaseStatusList(other);
  client = makeStatusList({{kNote, 100}});
  EXPECT_EQ(TQMergeStatus(&server, &client, &other), kNote);
  EXPECT_EQ(typesAndNumbers(other), (std::vector<TypeAndNumber>{{kNote, 100}}));
  EXPECT_EQ(client.statusList, nullptr);
}

TEST_F(MergeTest, MissingListsCountAsEmpty) {
  server = makeStatusList({{kWarning, 200}});
  EXPECT_EQ(TQMergeStatus(&server, nullptr, &other), kWarning);
  EXPECT_EQ(typesAndNumbers(other), (std::vector<TypeAndNumber>{{kWarning, 200}}));
  EXPECT_EQ(TQMergeStatus(nullptr, nullptr, &client), 0u);
  EXPECT_EQ(TQMergeStatus(&server, &client, nullptr), uint32_t{TQ_RETURN_BAD_STATUS});
}

TEST_F(MergeTest, WithoutMemoryTheMoreSevereListSurvivesWithError154) {
  struct Case {
    const char* name;
    std::initializer_list<TypeAndNumber> client;
    std::initializer_list<TypeAndNumber> server;
    std::vector<TypeAndNumber> merged;
  };
  const Case cases[] = {
      {"server more severe",
       {{kWarning, 100}},
       {{kError, 200}, {kNote, 201}},
       {{kError, 154}, {kError, 200}, {kNote, 201}}},
      {"client more severe", {{kError, 100}}, {{kWarning, 200}}, {{kError, 154}, {kError, 100}}},
      {"tie keeps the client's", {{kNote, 100}}, {{kNote, 200}}, {{kError, 154}, {kNote, 100}}},
  };
  // Warm the catalog up so that the forced failure hits the merged array.
  TQMessageText(154, std::vector<char>(kTQMessageBufferSize).data());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    client = makeStatusList(c.client);
    server = makeStatusList(c.server);
    failNthMalloc(1);
    EXPECT_EQ(TQMergeStatus(&server, &client, &client), kError);
    EXPECT_TRUE(mallocFailureHappened());
    failNthMalloc(0);
    EXPECT_EQ(typesAndNumbers(client), c.merged);
    EXPECT_EQ(server.numItems, 0u);
    EXPECT_EQ(server.statusList, nullptr);
    releaseStatusList(client);
  }
}

}  // namespace
