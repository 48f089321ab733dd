// The server's evaluation of qualifications: one table of trees, every
// operator and operand kind, against four fixed entries of the demo form,
// each checked against the ids it must match.
#include <functional>
#include <map>

#include "lists_fixture.h"

namespace {

using namespace tqlists;
using tqsess::Client;
using tqtest::TestServer;

constexpr uint32_t kCreateDate = 3;
constexpr uint32_t kHigh = 2, kMedium = 1, kLow = 0;
constexpr uint32_t kStatusNew = 0, kStatusOpen = 1;
constexpr uint32_t kKeyUser = 1, kKeyTimestamp = 2, kKeySchema = 5;

class ListEvaluation : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(client.route(server.port()), 0u);
    ids["A"] = create(client, Values()
                                  .text(kDescription, "Printer jams")
                                  .integer(kImpact, 3)
                                  .real(kHours, 1.5)
                                  .enumerated(kPriority, kHigh)
                                  .text(kCost, "10.50", TQ_DATA_TYPE_DECIMAL)
                                  .text(kAssignedTo, "Ann"));
    ids["B"] = create(client, Values()
                                  .text(kDescription, "Network down")
                                  .integer(kImpact, 5)
                                  .real(kHours, 0.25)
                                  .enumerated(kPriority, kLow)
                                  .text(kCost, "200", TQ_DATA_TYPE_DECIMAL)
                                  .text(kAssignedTo, "Bob"));
    ASSERT_EQ(setValues(client, ids["B"], Values().enumerated(kStatus, kStatusOpen)), 0u);
    ids["C"] = create(client, Values()
                                  .text(kDescription, "printer toner")
                                  .integer(kImpact, 1)
                                  .enumerated(kPriority, kMedium));
    ids["D"] = create(client, Values()
                                  .text(kDescription, "Mouse_broken")
                                  .integer(kImpact, 10)
                                  .real(kHours, 8)
                                  .enumerated(kPriority, kLow)
                                  .text(kCost, "99.9", TQ_DATA_TYPE_DECIMAL)
                                  .text(kAssignedTo, "Demo"));
  }

  // The names of the entries that match, in id order.
  std::string matching(TQQualifierStruct* q) {
    EntryList result;
    listEntries(client, q, &result);
    if (result.code != 0) return "code " + std::to_string(result.code);
    std::string names;
    for (const std::string& id : idsOf(result.list)) {
      for (const auto& [name, entryId] : ids)
        if (entryId == id) names += name;
    }
    return names;
  }

  TestServer server{demoServer()};
  Client client;
  std::map<std::string, std::string> ids;
};

TEST_F(ListEvaluation, EveryOperatorAndOperandKind) {
  Qual q;
  auto impact = [&] { return q.field(kImpact); };
  struct Case {
    const char* what;
    TQQualifierStruct* tree;
    const char* expected;
  };
  const Case cases[] = {
      {"no qualification", q.all(), "ABCD"},
      {"equal", q.rel(TQ_REL_OP_EQUAL, impact(), q.integer(3)), "A"},
      {"greater", q.rel(TQ_REL_OP_GREATER, impact(), q.integer(3)), "BD"},
      {"greater or equal", q.rel(TQ_REL_OP_GREATER_EQUAL, impact(), q.integer(3)), "ABD"},
      {"less", q.rel(TQ_REL_OP_LESS, impact(), q.integer(3)), "C"},
      {"less or equal", q.rel(TQ_REL_OP_LESS_EQUAL, impact(), q.integer(3)), "AC"},
      {"not equal", q.rel(TQ_REL_OP_NOT_EQUAL, impact(), q.integer(3)), "BCD"},
      {"like with %", q.rel(TQ_REL_OP_LIKE, q.field(kDescription), q.text("%rinter%")), "AC"},
      {"like with _", q.rel(TQ_REL_OP_LIKE, q.field(kDescription), q.text("_etwork%")), "B"},
      {"like takes _ literally too",
       q.rel(TQ_REL_OP_LIKE, q.field(kDescription), q.text("Mouse_b%")), "D"},
      {"and",
       q.both(TQ_COND_OP_AND, q.rel(TQ_REL_OP_GREATER, impact(), q.integer(2)),
              q.rel(TQ_REL_OP_EQUAL, q.field(kPriority), q.enumerated(kLow))),
       "BD"},
      {"or",
       q.both(TQ_COND_OP_OR, q.rel(TQ_REL_OP_EQUAL, impact(), q.integer(1)),
              q.rel(TQ_REL_OP_EQUAL, impact(), q.integer(10))),
       "CD"},
      {"not", q.negate(q.rel(TQ_REL_OP_GREATER, impact(), q.integer(2))), "C"},
      {"equal to null", q.rel(TQ_REL_OP_EQUAL, q.field(kHours), q.null()), "C"},
      {"not equal to null", q.rel(TQ_REL_OP_NOT_EQUAL, q.field(kHours), q.null()), "ABD"},
      {"a null is not less", q.rel(TQ_REL_OP_LESS, q.field(kHours), q.real(100)), "ABD"},
      {"real value", q.rel(TQ_REL_OP_GREATER, q.field(kHours), q.real(1.0)), "AD"},
      {"decimal value",
       q.rel(TQ_REL_OP_GREATER, q.field(kCost), q.text("100", TQ_DATA_TYPE_DECIMAL)), "B"},
      {"enumerated value", q.rel(TQ_REL_OP_EQUAL, q.field(kPriority), q.enumerated(kMedium)), "C"},
      {"text order", q.rel(TQ_REL_OP_GREATER, q.field(kDescription), q.text("N")), "ABC"},
      {"field against field", q.rel(TQ_REL_OP_GREATER, impact(), q.field(kHours)), "ABD"},
      {"keyword user", q.rel(TQ_REL_OP_EQUAL, q.field(kAssignedTo), q.keyword(kKeyUser)), "D"},
      {"keyword schema", q.rel(TQ_REL_OP_NOT_EQUAL, q.field(kDescription), q.keyword(kKeySchema)),
       "ABCD"},
      {"keyword timestamp minus an hour",
       q.rel(TQ_REL_OP_GREATER, q.field(kCreateDate),
             q.arith(TQ_ARITH_OP_SUBTRACT, q.keyword(kKeyTimestamp), q.integer(3600))),
       "ABCD"},
      {"add",
       q.rel(TQ_REL_OP_GREATER, q.arith(TQ_ARITH_OP_ADD, impact(), q.field(kHours)), q.integer(9)),
       "D"},
      {"subtract",
       q.rel(TQ_REL_OP_LESS, q.arith(TQ_ARITH_OP_SUBTRACT, impact(), q.integer(4)), q.integer(0)),
       "AC"},
      {"multiply",
       q.rel(TQ_REL_OP_GREATER, q.arith(TQ_ARITH_OP_MULTIPLY, impact(), q.integer(2)),
             q.integer(9)),
       "BD"},
      {"divide",
       q.rel(TQ_REL_OP_EQUAL, q.arith(TQ_ARITH_OP_DIVIDE, impact(), q.integer(2)), q.integer(2)),
       "B"},
      {"divide by zero is null",
       q.rel(TQ_REL_OP_EQUAL, q.arith(TQ_ARITH_OP_DIVIDE, impact(), q.integer(0)), q.null()),
       "ABCD"},
      {"modulo",
       q.rel(TQ_REL_OP_EQUAL, q.arith(TQ_ARITH_OP_MODULO, impact(), q.integer(3)), q.integer(1)),
       "CD"},
      {"negate",
       q.rel(TQ_REL_OP_LESS, q.arith(TQ_ARITH_OP_NEGATE, q.integer(0), impact()), q.integer(-4)),
       "BD"},
      {"status history user",
       q.rel(TQ_REL_OP_EQUAL, q.history(kStatusOpen, TQ_STAT_HISTORY_USER), q.text("Demo")), "B"},
      {"status history time",
       q.rel(TQ_REL_OP_GREATER, q.history(kStatusNew, TQ_STAT_HISTORY_TIME), q.integer(0)), "ABCD"},
      {"status never set",
       q.rel(TQ_REL_OP_EQUAL, q.history(kStatusOpen, TQ_STAT_HISTORY_TIME), q.null()), "ACD"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(matching(c.tree), c.expected) << c.what;
  }
}

TEST_F(ListEvaluation, FaultsOfTheTreeAreTheServersErrors) {
  Qual q;
  struct Case {
    const char* what;
    TQQualifierStruct* tree;
    int32_t message;
  };
  const Case cases[] = {
      {"unknown field", q.rel(TQ_REL_OP_EQUAL, q.field(999), q.integer(1)), 9351},
      {"status history of a status the form lacks",
       q.rel(TQ_REL_OP_EQUAL, q.history(7, TQ_STAT_HISTORY_USER), q.text("x")), 9390},
      {"arithmetic on a text",
       q.rel(TQ_REL_OP_EQUAL, q.arith(TQ_ARITH_OP_ADD, q.field(kDescription), q.integer(1)),
             q.integer(1)),
       9390},
  };
  for (const Case& c : cases) {
    EntryList result;
    listEntries(client, c.tree, &result);
    EXPECT_EQ(result.code, 2u) << c.what;
    EXPECT_EQ(tqsess::numbers(client.status), std::vector<int32_t>{c.message}) << c.what;
    EXPECT_EQ(result.list.numItems, 0u) << c.what;
  }
}

}  // namespace
