// The checks of TQLoadTQQualifierStruct, each before the server is asked:
// no status list, no session, a bad schema name, no qualifier out, and the
// blank text that needs no field catalogue.
#include <gtest/gtest.h>

#include <string>

#include "session_fixture.h"
#include "tq_test_server.h"
#include "tqlink.h"

namespace {

using tqsess::Client;
using tqsess::numbers;
using tqtest::TestServer;

TEST(LoadQualifierChecks, EachCheckStopsTheCallBeforeTheServer) {
  TestServer server;
  Client c;
  ASSERT_EQ(c.route(server.port()), 0u);
  const uint64_t before = server.totalCalls();
  TQQualifierStruct q{};
  q.operation = TQ_COND_OP_AND;  // set to 0 at entry

  EXPECT_EQ(TQLoadTQQualifierStruct(&c.control, "Demo", nullptr, "a = 1", &q, nullptr), 4u);

  TQControlStruct ended = c.control;
  ended.session = nullptr;
  EXPECT_EQ(TQLoadTQQualifierStruct(&ended, "Demo", nullptr, "a = 1", &q, c.fresh()), 3u);
  EXPECT_EQ(q.operation, 0u);

  const std::string longName(31, 'x');
  struct Case {
    const char* schema;
    TQQualifierStruct* out;
    int32_t number;
  };
  for (const Case& k : {Case{"", &q, 102}, Case{nullptr, &q, 102}, Case{longName.c_str(), &q, 103},
                        Case{"Demo", nullptr, 213}}) {
    EXPECT_EQ(TQLoadTQQualifierStruct(&c.control, k.schema, nullptr, "a = 1", k.out, c.fresh()),
              2u);
    EXPECT_EQ(numbers(c.status), std::vector<int32_t>{k.number});
  }

  for (const char* blank : {static_cast<const char*>(nullptr), "", " \t "}) {
    q.operation = TQ_COND_OP_OR;
    EXPECT_EQ(TQLoadTQQualifierStruct(&c.control, "Demo", nullptr, blank, &q, c.fresh()), 0u);
    EXPECT_EQ(q.operation, 0u);
    EXPECT_EQ(c.status.numItems, 0u);
  }
  EXPECT_EQ(server.totalCalls(), before);
}

}  // namespace
