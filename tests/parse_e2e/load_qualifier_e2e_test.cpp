// TQLoadTQQualifierStruct against the reference server with the demo forms:
// labels of the default view, of a chosen view and the fallbacks to names,
// enumeration names from the field limits, status-history references,
// keywords whose values come from the server, errors with their position,
// and a fresh catalogue on every call.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "qualifier_text.h"
#include "session_fixture.h"
#include "tq_test_server.h"
#include "tqlink.h"

namespace {

constexpr const char* kForm = "Demo:Request";
constexpr uint32_t kPropLabel = 20;

// A server with the demo forms, users Joe and Ann and their groups.
class DemoServer {
 public:
  DemoServer() {
    char pattern[] = "/tmp/tqparsegroupsXXXXXX";
    const int fd = mkstemp(pattern);
    const std::string groups = "Administrator 1 2 Joe\nSupport 10 2 Ann\nReaders 11 1 Ann Joe\n";
    if (fd >= 0) {
      EXPECT_EQ(write(fd, groups.data(), groups.size()), static_cast<ssize_t>(groups.size()));
      close(fd);
    }
    server_ = std::make_unique<tqtest::TestServer>(
        std::vector<std::string>{"--forms", TQ_DEMO_FORMS, "--groups", pattern, "--server-info",
                                 "1=Store", "--server-info", "27=3.40"},
        "Joe secret\nAnn other\n");
    unlink(pattern);
  }
  tqtest::TestServer& server() { return *server_; }

 private:
  std::unique_ptr<tqtest::TestServer> server_;
};

struct Session : tqsess::Client {
  explicit Session(tqtest::TestServer& server) : tqsess::Client("Joe", "secret") {
    EXPECT_EQ(route(server.port()), 0u);
  }

  // The tree of a text (or "ERROR n: appended"), released afterwards.
  std::string load(const char* text, const char* view = nullptr) {
    TQQualifierStruct q{};
    const uint32_t code = TQLoadTQQualifierStruct(&control, kForm, view, text, &q, fresh());
    std::string out = parsetest::qualifierText(q);
    if (code >= TQ_RETURN_ERROR) {
      out = "ERROR " + std::to_string(status.statusList[0].messageNumber) + ": " +
            tqsess::appended(status);
    }
    FreeTQQualifierStruct(&q, 0);
    return out;
  }
};

TEST(LoadQualifier, DefaultViewLabelsEnumerationsAndStatusHistory) {
  DemoServer s;
  Session c(s.server());
  struct Case {
    const char* text;
    const char* tree;
  };
  for (const Case& k : {
           Case{"'Status' = \"Open\"", "=(f7, e1)"},
           Case{"'Priority' >= \"Medium\" AND 'Short Description' LIKE \"%disk%\"",
                "AND(>=(f536870914, e1), LIKE(f8, \"%disk%\"))"},
           Case{"'Request ID' = \"000000000000001\" OR 'Impact' * 2 > 'Hours Spent'",
                "OR(=(f1, \"000000000000001\"), >(*(f536870915, 2), f536870916))"},
           Case{"'Status History.Closed.TIME' > $TIMESTAMP$ - 3600", ">(sh(2,2), -($2, 3600))"},
           Case{"'Status History.New.USER' = $USER$", "=(sh(0,1), $1)"},
           Case{"'Due Date' < \"1000000\"", "<(f536870918, t1000000)"},
           Case{"'Submitter' = \"$USER$ in $SCHEMA$, $VUI$\"",
                "=(f2, \"Joe in Demo:Request, Default View\")"},
           Case{"'Submitter' = \"$GROUPS$\"", "=(f2, $8)"},
           Case{"Status = \"Gone\"", "ERROR 1588: position 9   (Status = ^\"Gone\")"},
           Case{"'RequestId' = 1", "ERROR 1587: position 0   (^'RequestId' = 1)"},
       }) {
    EXPECT_EQ(c.load(k.text), k.tree) << k.text;
  }
}

TEST(LoadQualifier, KeywordsFromTheServer) {
  DemoServer s;
  Session c(s.server());
  EXPECT_EQ(c.load("'Submitter' = \"$GROUPS$|$DATABASE$\""),
            "=(f2, \"Administrator Readers|Store 3.40 \")");
}

TEST(LoadQualifier, ChosenViewAndTheFallbacksToNames) {
  DemoServer s;
  Session c(s.server());
  // A second view, labelled Compact, where field 8 is labelled Summary.
  TQPropStruct label{};
  label.propertyTag = kPropLabel;
  label.value.dataType = TQ_DATA_TYPE_CHAR;
  label.value.u.charVal = const_cast<char*>("Compact");
  TQPropList props{1, &label};
  uint32_t view = 0;
  ASSERT_EQ(TQCreateVUI(&c.control, kForm, &view, "Compact", &props, nullptr, nullptr, nullptr,
                        c.fresh()),
            0u);
  TQDisplayInstanceList displays{};
  TQDisplayInstanceStruct instances[2] = {};
  TQPropStruct defaultLabel = label;
  defaultLabel.value.u.charVal = const_cast<char*>("Short Description");
  TQPropStruct compactLabel = label;
  compactLabel.value.u.charVal = const_cast<char*>("Summary");
  instances[0].vui = 1;
  instances[0].props = TQPropList{1, &defaultLabel};
  instances[1].vui = view;
  instances[1].props = TQPropList{1, &compactLabel};
  displays.numItems = 2;
  displays.dInstanceList = instances;
  ASSERT_EQ(TQSetField(&c.control, kForm, 8, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       &displays, nullptr, nullptr, nullptr, c.fresh()),
            0u)
      << tqsess::appended(c.status);

  // The catalogue is read again for each call: the new label is there.
  EXPECT_EQ(c.load("'Summary' = \"x\" AND 'RequestId' = \"1\" AND $VUI$ = \"\"", "Compact"),
            "AND(AND(=(f8, \"x\"), =(f1, \"1\")), =($16, \"\"))");
  EXPECT_EQ(c.load("'Summary' = \"in $VUI$\"", "Compact"), "=(f8, \"in Compact\")");
  EXPECT_EQ(c.load("'Short Description' = \"x\"", "Compact").rfind("ERROR 1587", 0), 0u);
  // An unknown or empty tag chooses the default view.
  for (const char* tag : {"Nowhere", "", static_cast<const char*>(nullptr)}) {
    EXPECT_EQ(c.load("'Short Description' = \"x\" AND 'Request ID' = \"1\"", tag),
              "AND(=(f8, \"x\"), =(f1, \"1\"))");
  }
}

TEST(LoadQualifier, UnknownSchemaEndsTheCallWithTheServersError) {
  DemoServer s;
  Session c(s.server());
  TQQualifierStruct q{};
  EXPECT_EQ(TQLoadTQQualifierStruct(&c.control, "Nope", nullptr, "a = 1", &q, c.fresh()), 2u);
  EXPECT_EQ(q.operation, 0u);
  ASSERT_GT(c.status.numItems, 0u);
  EXPECT_NE(c.status.statusList[0].messageNumber, 0);
}

}  // namespace
