// Memory and sharing: every failed allocation ends the parse cleanly with
// 154 and a tree that releases leak-free; a failure while replacing keywords
// leaves nothing behind; two threads parse at once; a parsed tree survives
// the wire encoding unchanged.
#include <gtest/gtest.h>
#include <rpc/rpc.h>

#include <string>
#include <thread>
#include <vector>

#include "parse_fixture.h"
#include "qualifier_text.h"
#include "rpc/xdr_records.h"
#include "share/apisrv/call_context.h"
#include "share/apisrv/memory.h"

namespace {

using parsetest::parse;

constexpr const char* kRich =
    "('Status' = \"Open\" OR NOT 'Kind' != \"Bug\") AND ('a' + 1) * -b > 2 AND "
    "'Status History.Closed.TIME' < $TIMESTAMP$ - \"1:30\" OR 'Short Description' LIKE "
    "\"%$USER$%\" AND 'Submit Date' >= \"1000000\"";

struct FailSwitchOff {
  ~FailSwitchOff() { tqMemFailAfter(-1, false); }
};

TEST(ParseMemory, EveryFailedAllocationEndsCleanly) {
  FailSwitchOff off;
  const std::string whole = parse(kRich).tree;
  ASSERT_NE(whole, "<none>");
  for (int64_t n = 0;; ++n) {
    tqMemFailAfter(n, false);
    const parsetest::Parsed p = parse(kRich);  // releases whatever it built
    tqMemFailAfter(-1, false);
    if (p.code == 0) {
      EXPECT_EQ(p.tree, whole);
      break;
    }
    // The status list itself may be what failed; otherwise it says 154.
    if (p.number != 0) {
      EXPECT_EQ(p.number, 154) << n;
    }
    ASSERT_LT(n, 1000);
  }
}

TEST(ParseMemory, FailedKeywordReplacementReleasesTheTree) {
  FailSwitchOff off;
  // The nodes and the first texts are allocated before the text with the
  // keyword; find the allocation of that text.
  const char* text = "a = 1 AND 'Short Description' = \"by $USER$\"";
  for (int64_t n = 0; n < 50; ++n) {
    TQQualifierStruct q{};
    TQStatusList status{};
    tqMemFailAfter(n, false);
    const uint32_t code = tqParseQualification(parsetest::demoContext(), text, &q, &status);
    tqMemFailAfter(-1, false);
    const bool sawAppended = status.numItems > 0 && status.statusList[0].appendedText != nullptr &&
                             status.statusList[0].appendedText[0] != '\0';
    if (code == 2 && status.numItems > 0 && !sawAppended) {
      EXPECT_EQ(status.statusList[0].messageNumber, 154);
      EXPECT_EQ(q.operation, 0u);  // released by the parser
      FreeTQStatusList(&status, 0);
      return;
    }
    FreeTQQualifierStruct(&q, 0);
    FreeTQStatusList(&status, 0);
  }
  ADD_FAILURE() << "no allocation failure hit the keyword replacement";
}

TEST(ParseMemory, TwoThreadsParseAtOnce) {
  TQParseCatalogue other = parsetest::demoCatalogue();
  for (TQParseField& field : other.fields) {
    if (field.fieldId == 7) field.enumNames = {"Closed", "Open", "New"};
  }
  TQParseContext second = parsetest::demoContext(other);
  second.user = "ann";
  const std::string firstTree = parse(kRich).tree;
  const std::string secondTree = parse(kRich, second).tree;
  ASSERT_NE(firstTree, secondTree);
  bool firstOk = true;
  bool secondOk = true;
  std::thread a([&] {
    for (int i = 0; i < 200; ++i)
      firstOk = firstOk && parse(kRich).tree == firstTree;
  });
  std::thread b([&] {
    for (int i = 0; i < 200; ++i)
      secondOk = secondOk && parse(kRich, second).tree == secondTree;
  });
  a.join();
  b.join();
  EXPECT_TRUE(firstOk);
  EXPECT_TRUE(secondOk);
}

TEST(ParseMemory, ParsedTreeSurvivesTheWire) {
  TQQualifierStruct q{};
  TQStatusList status{};
  ASSERT_EQ(tqParseQualification(parsetest::demoContext(), kRich, &q, &status), 0u);
  // Texts travel through the calling thread's code-page context.
  TQCallContext context;
  tqSetCurrentCallContext(&context);
  std::vector<char> wire(64 * 1024);
  XDR out;
  xdrmem_create(&out, wire.data(), static_cast<u_int>(wire.size()), XDR_ENCODE);
  ASSERT_TRUE(xdr_TQQualifierStruct(&out, &q));
  const u_int length = xdr_getpos(&out);
  xdr_destroy(&out);
  TQQualifierStruct back{};
  XDR in;
  xdrmem_create(&in, wire.data(), length, XDR_DECODE);
  ASSERT_TRUE(xdr_TQQualifierStruct(&in, &back));
  xdr_destroy(&in);
  EXPECT_EQ(parsetest::qualifierText(back), parsetest::qualifierText(q));
  tqSetCurrentCallContext(nullptr);
  FreeTQQualifierStruct(&back, 0);
  FreeTQQualifierStruct(&q, 0);
  FreeTQStatusList(&status, 0);
}

}  // namespace
