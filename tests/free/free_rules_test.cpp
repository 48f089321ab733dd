// The particular rules of the release routines: what they must leave alone
// and the exceptions to the list pattern. Memory that a routine must not
// release lives on the stack here, so that a wrong free fails at once
// (invalid pointer in glibc, a report in the sanitizer build).
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "free_fixture.h"
#include "tqlink.h"

using namespace freetest;

namespace {

TEST(FreeTQRules, EmptyListDoesNotReleaseItsPointer) {
  TQNameType names[2] = {"a", "b"};
  TQValueStruct values[1] = {};
  TQStatusStruct statuses[1] = {};

  struct Case {
    const char* name;
    std::function<bool()> releaseAndCheck;
  };
  const Case cases[] = {
      {"NameList",
       [&] {
         TQNameList list{0, names};
         FreeTQNameList(&list, 0);
         return list.numItems == 0 && list.nameList == nullptr;
       }},
      {"ValueList",
       [&] {
         TQValueList list{0, values};
         FreeTQValueList(&list, 0);
         return list.numItems == 0 && list.valueList == nullptr;
       }},
      {"StatusList",
       [&] {
         TQStatusList list{0, statuses};
         FreeTQStatusList(&list, 0);
         return list.numItems == 0 && list.statusList == nullptr;
       }},
  };
  for (const Case& c : cases)
    EXPECT_TRUE(c.releaseAndCheck()) << c.name;
  EXPECT_STREQ(names[1], "b");
}

TEST(FreeTQRules, ListWithCountButNoItemsIsLeftEmpty) {
  TQFieldValueList list{3, nullptr};
  FreeTQFieldValueList(&list, 0);
  EXPECT_EQ(list.numItems, 0u);
  EXPECT_EQ(list.fieldValueList, nullptr);
}

TEST(FreeTQRules, PushFieldsArrayIsReleasedEvenWithCountZero) {
  // Leak checkers (sanitizer build, memcheck) report the array if it stays.
  TQPushFieldsList list{0, heapArray<TQPushFieldsStruct>(2)};
  FreeTQPushFieldsList(&list, 0);
  EXPECT_EQ(list.pushFieldsList, nullptr);
  EXPECT_EQ(list.numItems, 0u);
}

TEST(FreeTQRules, NegateLeavesTheLeftOperandUntouched) {
  // The left operand of a negation may hold anything; here it claims to own
  // a stack block, which must survive.
  TQArithOpStruct notOwned{};
  char notOwnedText[] = "left";

  TQArithOpStruct negate{};
  negate.operation = TQ_ARITH_OP_NEGATE;
  negate.left.tag = TQ_ARITHMETIC;
  negate.left.u.arithOp = &notOwned;
  negate.right.tag = TQ_VALUE;
  negate.right.u.value = charValue("7");
  FreeTQArithOpStruct(&negate, 0);
  EXPECT_EQ(negate.left.tag, static_cast<uint32_t>(TQ_ARITHMETIC));
  EXPECT_EQ(negate.left.u.arithOp, &notOwned);
  EXPECT_EQ(negate.right.tag, 0u);

  auto* heapNegate = heapRecord<TQArithOpAssignStruct>();
  heapNegate->operation = TQ_ARITH_OP_NEGATE;
  heapNegate->left.assignType = TQ_ASSIGN_TYPE_PROCESS;
  heapNegate->left.u.process = notOwnedText;
  heapNegate->right.assignType = TQ_ASSIGN_TYPE_VALUE;
  heapNegate->right.u.value = intValue(3);
  FreeTQArithOpAssignStruct(heapNegate, 1);

  // Inside a tree the same rule holds: a negation reached through an operand.
  auto* nested = heapRecord<TQArithOpStruct>();
  nested->operation = TQ_ARITH_OP_NEGATE;
  nested->left.tag = TQ_VALUE;
  nested->left.u.value.dataType = TQ_DATA_TYPE_CHAR;
  nested->left.u.value.u.charVal = notOwnedText;
  nested->right.tag = TQ_FIELD;
  TQFieldValueOrArithStruct operand{};
  operand.tag = TQ_ARITHMETIC;
  operand.u.arithOp = nested;
  FreeTQFieldValueOrArithStruct(&operand, 0);
  EXPECT_STREQ(notOwnedText, "left");
}

TEST(FreeTQRules, NotifyFieldListIsReleasedWhateverItsKind) {
  // A field id list that arrives with the kind ALL or CHANGED is still the
  // caller's memory to give back; leak checkers report it if it stays.
  for (uint32_t kind : {TQ_FILTER_FIELD_IDS_NONE, TQ_FILTER_FIELD_IDS_ALL, TQ_FILTER_FIELD_IDS_LIST,
                        TQ_FILTER_FIELD_IDS_CHANGED}) {
    TQFilterActionStruct action{};
    action.action = TQ_FILTER_ACTION_NOTIFY;
    action.u.notify.fieldIdListType = kind;
    action.u.notify.fieldIdList.numItems = 2;
    action.u.notify.fieldIdList.internalIdList = heapArray<uint32_t>(2);
    FreeTQFilterActionStruct(&action, 0);
    EXPECT_EQ(action.action, static_cast<uint32_t>(TQ_FILTER_ACTION_NONE)) << kind;
  }
}

TEST(FreeTQRules, QualifierRootIsKeptOrReleasedByTheFlag) {
  // Root declared by the caller: the tree below goes, the root stays empty.
  TQQualifierStruct root{};
  root.operation = TQ_COND_OP_OR;
  root.u.andor.left = heapRelOpLeaf(1, "x");
  root.u.andor.right = heapRelOpLeaf(2, "y");
  FreeTQQualifierStruct(&root, 0);
  EXPECT_EQ(root.operation, static_cast<uint32_t>(TQ_COND_OP_NONE));

  // Root on the heap, as a query operand holds it: everything goes.
  auto* heapRoot = heapRecord<TQQualifierStruct>();
  heapRoot->operation = TQ_COND_OP_NOT;
  heapRoot->u.negated = heapRelOpLeaf(3, "z");
  FreeTQQualifierStruct(heapRoot, 1);
}

TEST(FreeTQRules, TagsThatOwnNothingAreOnlyCleared) {
  // Operand and value tags without heap members keep their payload bits.
  TQFieldValueOrArithStruct operand{};
  operand.tag = TQ_STAT_HISTORY;
  operand.u.statHistory.enumIndex = 4;
  FreeTQFieldValueOrArithStruct(&operand, 0);
  EXPECT_EQ(operand.tag, 0u);
  EXPECT_EQ(operand.u.statHistory.enumIndex, 4u);

  TQValueStruct time{};
  time.dataType = TQ_DATA_TYPE_TIME;
  time.u.timeVal = 86400;
  FreeTQValueStruct(&time, 0);
  EXPECT_EQ(time.dataType, static_cast<uint32_t>(TQ_DATA_TYPE_NULL));
  EXPECT_EQ(time.u.timeVal, 86400);
}

}  // namespace
