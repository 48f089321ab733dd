// Definition records from a broken or hostile peer: tags outside a union's
// cases, counts and lengths that lie, messages cut short, nesting without
// end. Each decode fails, leaves its record empty, allocates nothing large,
// and (in the sanitizer build) leaks nothing.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "defs_builders.h"
#include "defs_test_util.h"
#include "rpc/xdr_defs.h"
#include "rpc/xdr_records.h"

namespace {

struct HostileCase {
  const char* what;
  std::function<::testing::AssertionResult()> check;
};

template <class T, bool_t (*F)(XDR*, T*)>
HostileCase fails(const char* what, Bytes wire) {
  return {what, [wire] { return failsCleanly<T, F>(wire); }};
}

// A good prefix that allocates something, so that a failure after it must
// release what was built.
Bytes goodAssign() {
  return words({TQ_ASSIGN_TYPE_PROCESS}) + countedText("kept until then");
}

std::vector<HostileCase> badTags() {
  const Bytes fixed31 = fixedText("name", 31);
  const Bytes fixed65 = fixedText("server", 65);
  return {
      fails<TQCompoundSchema, xdr_TQCompoundSchema>("schema type 5", words({5})),
      fails<TQCompoundSchema, xdr_TQCompoundSchema>("schema type 0xFFFFFFFF", words({0xFFFFFFFFu})),
      fails<TQFieldMappingStruct, xdr_TQFieldMappingStruct>("mapping type 4", words({4})),
      fails<TQFieldLimitStruct, xdr_TQFieldLimitStruct>("limit of keyword", words({1})),
      fails<TQFieldLimitStruct, xdr_TQFieldLimitStruct>("limit type 12", words({12})),
      fails<TQFieldLimitStruct, xdr_TQFieldLimitStruct>("limit type 32", words({32})),
      fails<TQFieldLimitStruct, xdr_TQFieldLimitStruct>("limit type 35", words({35})),
      fails<TQFieldLimitStruct, xdr_TQFieldLimitStruct>("limit type 40", words({40})),
      fails<TQFieldLimitStruct, xdr_TQFieldLimitStruct>("limit type 41", words({41})),
      fails<TQCharMenuStruct, xdr_TQCharMenuStruct>("menu type 5", words({5})),
      fails<TQCharMenuStruct, xdr_TQCharMenuStruct>(
          "item type 3 after a good item",
          words({1, 2}) + fixed31 + words({1}) + countedText("v") + fixed31 + words({3})),
      fails<TQAssignStruct, xdr_TQAssignStruct>("assignment type 8", words({8})),
      fails<TQAssignFieldStruct, xdr_TQAssignFieldStruct>(
          "field source tag 2", fixed65 + fixed31 + words({0, 2, 5, 1, 1})),
      fails<TQFunctionAssignStruct, xdr_TQFunctionAssignStruct>(
          "bad parameter after a good one", words({3, 2}) + goodAssign() + words({99})),
      fails<TQArithOpAssignStruct, xdr_TQArithOpAssignStruct>(
          "bad right operand after a good left", words({1}) + goodAssign() + words({9})),
      fails<TQFilterActionList, xdr_TQFilterActionList>(
          "filter action 9 after a log action",
          words({2, TQ_FILTER_ACTION_LOG}) + countedText("f.log") + words({9})),
      fails<TQFilterActionList, xdr_TQFilterActionList>(
          "assignment type 8 inside set fields",
          words({1, TQ_FILTER_ACTION_FIELDS, 2, 1}) + goodAssign() + words({2, 8})),
      fails<TQActiveLinkActionList, xdr_TQActiveLinkActionList>(
          "active-link action 18 after a process",
          words({2, TQ_ACTIVE_LINK_ACTION_PROCESS}) + countedText("p") + words({18})),
      fails<TQMethodValueStruct, xdr_TQMethodValueStruct>("method value kind 3",
                                                          countedText("VT") + words({3})),
      fails<TQReferenceList, xdr_TQReferenceList>(
          "reference data type 2 after an external one",
          words({2}) + countedText("l") + countedText("d") + words({1, 1, 2, 5, 6, 2, 7}) +
              countedText("l") + countedText("d") + words({1, 2})),
      fails<TQEscalationTmStruct, xdr_TQEscalationTmStruct>("escalation type 3", words({3})),
  };
}

TEST(DefsHostile, TagsOutsideTheCasesFailCleanly) {
  SessionScope scope;
  for (const HostileCase& c : badTags()) {
    SCOPED_TRACE(c.what);
    EXPECT_TRUE(c.check());
  }
}

TEST(DefsHostile, TagsOutsideTheCasesFailToEncode) {
  SessionScope scope;
  const struct {
    const char* what;
    std::function<bool()> encodes;
  } cases[] = {
      {"filter action 9",
       [] {
         TQFilterActionStruct a{};
         a.action = 9;
         bool ok = true;
         encodeWith(xdr_TQFilterActionStruct, &a, &ok);
         return ok;
       }},
      {"active-link action 18",
       [] {
         TQActiveLinkActionStruct a{};
         a.action = 18;
         bool ok = true;
         encodeWith(xdr_TQActiveLinkActionStruct, &a, &ok);
         return ok;
       }},
      {"field limit 1",
       [] {
         TQFieldLimitStruct l{};
         l.dataType = 1;
         bool ok = true;
         encodeWith(xdr_TQFieldLimitStruct, &l, &ok);
         return ok;
       }},
      {"assign-field source 0",
       [] {
         TQAssignFieldStruct f{};
         bool ok = true;
         encodeWith(xdr_TQAssignFieldStruct, &f, &ok);
         return ok;
       }},
      {"menu item type 3",
       [] {
         TQCharMenuItemStruct i{};
         i.itemType = 3;
         bool ok = true;
         encodeWith(xdr_TQCharMenuItemStruct, &i, &ok);
         return ok;
       }},
  };
  for (const auto& c : cases)
    EXPECT_FALSE(c.encodes()) << c.what;
}

std::vector<HostileCase> lyingCounts() {
  const Bytes fixed31 = fixedText("n", 31);
  return {
      fails<TQPermissionList, xdr_TQPermissionList>("permissions 0xFFFFFFFF", words({0xFFFFFFFFu})),
      fails<TQGroupInfoList, xdr_TQGroupInfoList>("group names 1000000",
                                                  words({1, 3, 1, 1000000}) + fixed31),
      fails<TQIndexList, xdr_TQIndexList>("indexes 0x10000000", words({0x10000000, 1, 2})),
      fails<TQUserInfoList, xdr_TQUserInfoList>("licences 0x7FFFFFFF",
                                                words({1}) + fixed31 + words({0x7FFFFFFF})),
      fails<TQUserInfoList, xdr_TQUserInfoList>(
          "e-mail length past the end",
          words({1}) + fixed31 + words({0, 1, 2, 3, 0x7FFFFFF0, 0x41414141})),
      fails<TQCharMenuStruct, xdr_TQCharMenuStruct>("menu items 0xFFFFFFFF",
                                                    words({1, 0xFFFFFFFFu})),
      fails<TQFieldLimitStruct, xdr_TQFieldLimitStruct>("enum names 500000",
                                                        words({6, 500000}) + fixed31),
      fails<TQFieldLimitStruct, xdr_TQFieldLimitStruct>(
          "pattern longer than 256",
          words({4, 1, 1, 1}) + fixed31 + countedText(std::string(257, 'p'))),
      fails<TQFunctionAssignStruct, xdr_TQFunctionAssignStruct>("parameters 0x40000000",
                                                                words({1, 0x40000000, 0})),
      fails<TQFilterActionList, xdr_TQFilterActionList>(
          "notify field ids 0x20000000", words({1, 1, 0, 0, 3, 1, 0, 0, 2, 0x20000000, 1})),
      fails<TQActiveLinkActionList, xdr_TQActiveLinkActionList>(
          "methods 0x10000000", words({1, TQ_ACTIVE_LINK_ACTION_METHOD}) + countedText("s") +
                                    countedText("c") + countedText("a") + words({1, 0x10000000})),
      fails<TQActiveLinkActionList, xdr_TQActiveLinkActionList>(
          "message text of 5000", words({1, TQ_ACTIVE_LINK_ACTION_MESSAGE, 0, 1}) +
                                      countedText(std::string(5000, 'm')) + words({0})),
      fails<TQDisplayInstanceList, xdr_TQDisplayInstanceList>("instances 0x30000000",
                                                              words({0, 0x30000000, 1, 0})),
      fails<TQReferenceList, xdr_TQReferenceList>(
          "external groups 0xFFFFFFF0",
          words({1}) + countedText("l") + countedText("d") + words({1, 1, 0xFFFFFFF0u})),
      fails<TQFullTextInfoList, xdr_TQFullTextInfoList>("value list 0x7FFFFFFF",
                                                        words({1, 2, 0x7FFFFFFF, 0})),
      fails<TQContainerTypeList, xdr_TQContainerTypeList>("container types 100000",
                                                          words({100000, 1, 2})),
  };
}

TEST(DefsHostile, LyingCountsAndLengthsFailWithoutLargeAllocation) {
  SessionScope scope;
  for (const HostileCase& c : lyingCounts()) {
    SCOPED_TRACE(c.what);
    EXPECT_TRUE(c.check());
  }
}

TEST(DefsHostile, EveryCutOfRichRecordsFailsCleanly) {
  SessionScope scope;
  Pool pool;
  TQFilterActionList filters = everyFilterAction(pool);
  expectEveryCutFails<TQFilterActionList, xdr_TQFilterActionList>(
      encodeWith(xdr_TQFilterActionList, &filters));
  TQActiveLinkActionList links = everyActiveLinkAction(pool);
  expectEveryCutFails<TQActiveLinkActionList, xdr_TQActiveLinkActionList>(
      encodeWith(xdr_TQActiveLinkActionList, &links));
  TQCharMenuStruct menu = nestedMenu(pool);
  expectEveryCutFails<TQCharMenuStruct, xdr_TQCharMenuStruct>(
      encodeWith(xdr_TQCharMenuStruct, &menu));
  TQReferenceList refs = references(pool);
  expectEveryCutFails<TQReferenceList, xdr_TQReferenceList>(encodeWith(xdr_TQReferenceList, &refs));
}

// n LIST menus, each holding one item whose sub-menu is the next, around a
// NONE menu.
Bytes menuChain(size_t n) {
  const Bytes link = words({1, 1}) + fixedText("m", 31) + words({2, 1});
  Bytes out;
  out.reserve(n * link.size() + 4);
  for (size_t i = 0; i < n; ++i)
    out.insert(out.end(), link.begin(), link.end());
  return out + words({0});
}

// n nested additions: each left operand is the next addition, each right
// operand empty.
Bytes arithChain(size_t n) {
  const Bytes link = words({TQ_ASSIGN_TYPE_ARITH, 1, TQ_ARITH_OP_ADD});
  const Bytes none = words({0});
  Bytes out;
  for (size_t i = 0; i < n; ++i)
    out.insert(out.end(), link.begin(), link.end());
  for (size_t i = 0; i <= n; ++i)
    out.insert(out.end(), none.begin(), none.end());
  return out;
}

TEST(DefsHostile, NestingBeyondTheLimitFailsWithoutExhaustingTheStack) {
  SessionScope scope;
  TQCharMenuStruct menu;
  ASSERT_TRUE(decodeWith(xdr_TQCharMenuStruct, menuChain(500), &menu));
  FreeTQCharMenuStruct(&menu, 0);
  EXPECT_TRUE((failsCleanly<TQCharMenuStruct, xdr_TQCharMenuStruct>(menuChain(200000))));

  TQAssignStruct assign;
  ASSERT_TRUE(decodeWith(xdr_TQAssignStruct, arithChain(300), &assign));
  FreeTQAssignStruct(&assign, 0);
  EXPECT_TRUE((failsCleanly<TQAssignStruct, xdr_TQAssignStruct>(arithChain(100000))));
}

TEST(DefsHostile, RecordStreamGrowsOnlyWithWhatArrives) {
  SessionScope scope;
  const Bytes wire = words({0x08000000}) + words({1, 2, 3, 4, 5, 6});
  tqx::resetAllocationStats();
  RecordStream stream(wire);
  TQPermissionList list{};
  EXPECT_FALSE(xdr_TQPermissionList(stream.xdrs(), &list));
  EXPECT_LE(tqx::largestAllocation(), 2 * tqx::kDecodeChunkBytes);
  EXPECT_EQ(list.permissionList, nullptr);
}

}  // namespace
