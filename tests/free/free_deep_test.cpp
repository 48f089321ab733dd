// Trees far deeper than a stack could follow are released completely. The
// release runs on a thread with a small stack (256 KiB), so a routine that
// recursed once per level would overflow it long before the bottom; the
// sanitizer build and the memcheck run report any block left behind.
#include <gtest/gtest.h>
#include <pthread.h>

#include <cstring>
#include <functional>
#include <ostream>

#include "free_fixture.h"
#include "tqlink.h"

using namespace freetest;

namespace {

constexpr uint32_t kDepth = 100000;

void* runTask(void* task) {
  (*static_cast<std::function<void()>*>(task))();
  return nullptr;
}

void runOnSmallStack(std::function<void()> task) {
  pthread_attr_t attr;
  ASSERT_EQ(pthread_attr_init(&attr), 0);
  ASSERT_EQ(pthread_attr_setstacksize(&attr, 256 * 1024), 0);
  pthread_t thread;
  ASSERT_EQ(pthread_create(&thread, &attr, runTask, &task), 0);
  pthread_attr_destroy(&attr);
  ASSERT_EQ(pthread_join(thread, nullptr), 0);
}

// AND, OR and NOT nodes in turn, each with a leaf beside the next level;
// every hundredth leaf compares with a query whose qualification is a leaf.
void buildMixedChain(TQQualifierStruct& root) {
  TQQualifierStruct* node = &root;
  for (uint32_t level = 0; level < kDepth; ++level) {
    auto* next = heapRecord<TQQualifierStruct>();
    switch (level % 3) {
      case 0:
        node->operation = TQ_COND_OP_AND;
        node->u.andor.left = heapRelOpLeaf(level, "and");
        node->u.andor.right = next;
        break;
      case 1:
        node->operation = TQ_COND_OP_OR;
        node->u.andor.left = next;
        node->u.andor.right = heapRelOpLeaf(level, "or");
        if (level % 100 == 1) {
          TQRelOpStruct* relOp = node->u.andor.right->u.relOp;
          FreeTQFieldValueOrArithStruct(&relOp->right, 0);
          relOp->right.tag = TQ_QUERY;
          relOp->right.u.queryValue = heapRecord<TQQueryValueStruct>();
          relOp->right.u.queryValue->qualifier = heapRelOpLeaf(1, "query");
        }
        break;
      default:
        node->operation = TQ_COND_OP_NOT;
        node->u.negated = next;
        break;
    }
    node = next;
  }
  fillRelOpLeaf(node, 1, "bottom");
}

// field 1 = -(... + "v") + "v": additions and negations nested in turn.
void buildArithChain(TQQualifierStruct& root) {
  fillRelOpLeaf(&root, 1, "x");
  TQFieldValueOrArithStruct* operand = &root.u.relOp->left;
  for (uint32_t level = 0; level < kDepth; ++level) {
    auto* arith = heapRecord<TQArithOpStruct>();
    operand->tag = TQ_ARITHMETIC;
    operand->u.arithOp = arith;
    if (level % 2 == 0) {
      arith->operation = TQ_ARITH_OP_ADD;
      arith->right.tag = TQ_VALUE;
      arith->right.u.value = charValue("v");
      operand = &arith->left;
    } else {
      // A negation's only operand is its right one: the chain goes on there.
      arith->operation = TQ_ARITH_OP_NEGATE;
      arith->left.tag = TQ_FIELD;
      operand = &arith->right;
    }
  }
  operand->tag = TQ_FIELD;
  operand->u.fieldId = 7;
}

// field 1 = query(field 1 = query(... )): qualifications nested in operands.
void buildQueryChain(TQQualifierStruct& root) {
  TQQualifierStruct* node = &root;
  for (uint32_t level = 0; level < kDepth; ++level) {
    fillRelOpLeaf(node, 1, "q");
    TQFieldValueOrArithStruct& right = node->u.relOp->right;
    FreeTQFieldValueOrArithStruct(&right, 0);
    right.tag = TQ_QUERY;
    right.u.queryValue = heapRecord<TQQueryValueStruct>();
    right.u.queryValue->qualifier = heapRecord<TQQualifierStruct>();
    node = right.u.queryValue->qualifier;
  }
  fillRelOpLeaf(node, 1, "bottom");
}

struct DeepTree {
  const char* name;
  void (*build)(TQQualifierStruct&);
};

void PrintTo(const DeepTree& tree, std::ostream* os) {
  *os << tree.name;
}

class DeepQualification : public testing::TestWithParam<DeepTree> {};

TEST_P(DeepQualification, IsReleasedCompletely) {
  TQQualifierStruct root{};
  GetParam().build(root);
  runOnSmallStack([&root] { FreeTQQualifierStruct(&root, 0); });
  EXPECT_EQ(root.operation, static_cast<uint32_t>(TQ_COND_OP_NONE));
}

INSTANTIATE_TEST_SUITE_P(FreeTQ, DeepQualification,
                         testing::Values(DeepTree{"MixedChain", buildMixedChain},
                                         DeepTree{"ArithChain", buildArithChain},
                                         DeepTree{"QueryChain", buildQueryChain}),
                         [](const testing::TestParamInfo<DeepTree>& info) {
                           return info.param.name;
                         });

TEST(FreeTQDeep, NestedMenusAreReleasedCompletely) {
  // Each level: a first item, then a sub-menu item leading to the next
  // level. The first item is a value, on every tenth level a QUERY sub-menu.
  TQCharMenuStruct root{};
  TQCharMenuStruct* menu = &root;
  for (uint32_t level = 0; level < kDepth; ++level) {
    menu->menuType = TQ_CHAR_MENU_LIST;
    menu->u.menuList.numItems = 2;
    menu->u.menuList.charMenuList = heapArray<TQCharMenuItemStruct>(2);
    TQCharMenuItemStruct* items = menu->u.menuList.charMenuList;
    if (level % 10 == 9) {
      items[0].itemType = TQ_MENU_ITEM_MENU;
      items[0].u.childMenu = heapRecord<TQCharMenuStruct>();
      items[0].u.childMenu->menuType = TQ_CHAR_MENU_QUERY;
      fillRelOpLeaf(&items[0].u.childMenu->u.menuQuery.qualifier, 1, "menu");
    } else {
      items[0].itemType = TQ_MENU_ITEM_VALUE;
      items[0].u.value = heapText("v");
    }
    items[1].itemType = TQ_MENU_ITEM_MENU;
    items[1].u.childMenu = heapRecord<TQCharMenuStruct>();
    menu = items[1].u.childMenu;
  }
  runOnSmallStack([&root] { FreeTQCharMenuStruct(&root, 0); });
  EXPECT_EQ(root.menuType, static_cast<uint32_t>(TQ_CHAR_MENU_NONE));
}

TEST(FreeTQDeep, NestedAssignmentsAreReleasedCompletely) {
  // A set-fields action whose value is f(g(h(...), "p"), "p") nested deep,
  // with arithmetic and field lookups along the way.
  auto* actions = heapRecord<TQFilterActionList>();
  actions->numItems = 1;
  actions->actionList = heapArray<TQFilterActionStruct>(1);
  TQFilterActionStruct& action = actions->actionList[0];
  action.action = TQ_FILTER_ACTION_FIELDS;
  action.u.setFields.numItems = 1;
  action.u.setFields.fieldAssignList = heapArray<TQFieldAssignStruct>(1);
  TQAssignStruct* assign = &action.u.setFields.fieldAssignList[0].assignment;
  for (uint32_t level = 0; level < kDepth; ++level) {
    if (level % 2 == 0) {
      assign->assignType = TQ_ASSIGN_TYPE_FUNCTION;
      assign->u.function = heapRecord<TQFunctionAssignStruct>();
      assign->u.function->functionCode = TQ_FUNCTION_DATE;
      assign->u.function->numItems = 2;
      assign->u.function->parameterList = heapArray<TQAssignStruct>(2);
      TQAssignStruct& second = assign->u.function->parameterList[1];
      second.assignType = TQ_ASSIGN_TYPE_FIELD;
      second.u.field = heapRecord<TQAssignFieldStruct>();
      fillRelOpLeaf(&second.u.field->qualifier, 1, "p");
      assign = &assign->u.function->parameterList[0];
    } else {
      assign->assignType = TQ_ASSIGN_TYPE_ARITH;
      assign->u.arithOp = heapRecord<TQArithOpAssignStruct>();
      assign->u.arithOp->operation = TQ_ARITH_OP_SUBTRACT;
      assign->u.arithOp->left.assignType = TQ_ASSIGN_TYPE_VALUE;
      assign->u.arithOp->left.u.value = charValue("1");
      assign = &assign->u.arithOp->right;
    }
  }
  assign->assignType = TQ_ASSIGN_TYPE_PROCESS;
  assign->u.process = heapText("bottom");
  runOnSmallStack([actions] { FreeTQFilterActionList(actions, 1); });
}

}  // namespace
