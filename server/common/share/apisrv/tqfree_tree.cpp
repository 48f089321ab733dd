// Release of the records that nest without bound: qualification trees with
// their operands, character menus and assignments. A caller's tree, a parsed
// qualification or an expanded menu file may be deeper than any stack, so
// these are released through a queue of pending blocks instead of recursion.
#include <cstdlib>
#include <cstring>

#include "share/apisrv/tqfree.h"
#include "tqlink.h"

namespace tqfree {

namespace {

bool grow(DeferredRelease& pending) noexcept {
  std::size_t capacity = pending.capacity * 2;
  void* grown = pending.blocks == pending.inlineBlocks
                    ? std::malloc(capacity * sizeof(PendingBlock))
                    : std::realloc(pending.blocks, capacity * sizeof(PendingBlock));
  if (grown == nullptr) return false;
  auto* blocks = static_cast<PendingBlock*>(grown);
  if (pending.blocks == pending.inlineBlocks) {
    std::memcpy(blocks, pending.inlineBlocks, pending.count * sizeof(PendingBlock));
  }
  pending.blocks = blocks;
  pending.capacity = capacity;
  return true;
}

// Releases one block: its contents go onto the queue, the block itself goes.
void releaseBlock(PendingBlock block, DeferredRelease& pending) noexcept {
  switch (block.kind) {
    case BlockKind::Qualifier:
      releaseQualifierContents(static_cast<TQQualifierStruct*>(block.block), pending);
      break;
    case BlockKind::RelOp: {
      auto* relOp = static_cast<TQRelOpStruct*>(block.block);
      releaseOperand(&relOp->left, pending);
      releaseOperand(&relOp->right, pending);
      break;
    }
    case BlockKind::ArithOp:
      releaseArithOperands(static_cast<TQArithOpStruct*>(block.block), pending);
      break;
    case BlockKind::QueryValue:
      defer(pending, BlockKind::Qualifier,
            static_cast<TQQueryValueStruct*>(block.block)->qualifier);
      break;
    case BlockKind::CharMenu:
      releaseMenuContents(static_cast<TQCharMenuStruct*>(block.block), pending);
      break;
    case BlockKind::AssignField:
      releaseAssignFieldContents(static_cast<TQAssignFieldStruct*>(block.block), pending);
      break;
    case BlockKind::ArithOpAssign:
      releaseArithAssignOperands(static_cast<TQArithOpAssignStruct*>(block.block), pending);
      break;
    case BlockKind::FunctionAssign:
      releaseFunctionParameters(static_cast<TQFunctionAssignStruct*>(block.block), pending);
      break;
  }
  std::free(block.block);
}

}  // namespace

DeferredRelease::~DeferredRelease() {
  while (count != 0) {
    PendingBlock block = blocks[--count];
    releaseBlock(block, *this);
  }
  if (blocks != inlineBlocks) std::free(blocks);
}

void defer(DeferredRelease& pending, BlockKind kind, void* block) noexcept {
  if (block == nullptr) return;
  if (pending.count == pending.capacity && !grow(pending)) {
    // Out of memory for the queue: a fresh queue has room on the stack.
    DeferredRelease own;
    defer(own, kind, block);
    return;
  }
  pending.blocks[pending.count++] = PendingBlock{kind, block};
}

void releaseQualifierContents(TQQualifierStruct* qualifier, DeferredRelease& pending) noexcept {
  switch (qualifier->operation) {
    case TQ_COND_OP_AND:
    case TQ_COND_OP_OR:
      // The right child first, so that the left spine of a tree that the
      // parser builds for a long chain of AND or OR is taken off at once.
      defer(pending, BlockKind::Qualifier, qualifier->u.andor.right);
      defer(pending, BlockKind::Qualifier, qualifier->u.andor.left);
      break;
    case TQ_COND_OP_NOT:
      defer(pending, BlockKind::Qualifier, qualifier->u.negated);
      break;
    case TQ_COND_OP_REL_OP:
      defer(pending, BlockKind::RelOp, qualifier->u.relOp);
      break;
    default:
      break;
  }
  qualifier->operation = TQ_COND_OP_NONE;
}

void releaseOperand(TQFieldValueOrArithStruct* operand, DeferredRelease& pending) noexcept {
  switch (operand->tag) {
    case TQ_VALUE:
      FreeTQValueStruct(&operand->u.value, 0);
      break;
    case TQ_ARITHMETIC:
      defer(pending, BlockKind::ArithOp, operand->u.arithOp);
      break;
    case TQ_VALUE_SET:
      FreeTQValueList(&operand->u.valueSet, 0);
      break;
    case TQ_QUERY:
      defer(pending, BlockKind::QueryValue, operand->u.queryValue);
      operand->u.queryValue = nullptr;
      break;
    default:
      break;
  }
  operand->tag = 0;
}

void releaseArithOperands(TQArithOpStruct* arithOp, DeferredRelease& pending) noexcept {
  // A negation has only a right operand; the left one is never looked at.
  if (arithOp->operation != TQ_ARITH_OP_NEGATE) releaseOperand(&arithOp->left, pending);
  releaseOperand(&arithOp->right, pending);
}

void releaseMenuItem(TQCharMenuItemStruct* item, DeferredRelease& pending) noexcept {
  switch (item->itemType) {
    case TQ_MENU_ITEM_VALUE:
      releaseText(item->u.value);
      break;
    case TQ_MENU_ITEM_MENU:
      defer(pending, BlockKind::CharMenu, item->u.childMenu);
      item->u.childMenu = nullptr;
      break;
    default:
      break;
  }
  item->itemType = TQ_MENU_ITEM_NONE;
}

void releaseMenuContents(TQCharMenuStruct* menu, DeferredRelease& pending) noexcept {
  switch (menu->menuType) {
    case TQ_CHAR_MENU_LIST:
      releaseList<&TQCharMenuList::charMenuList>(
          &menu->u.menuList, 0,
          [&pending](TQCharMenuItemStruct* item) noexcept { releaseMenuItem(item, pending); });
      break;
    case TQ_CHAR_MENU_QUERY:
      releaseQualifierContents(&menu->u.menuQuery.qualifier, pending);
      break;
    case TQ_CHAR_MENU_FILE:
      releaseText(menu->u.menuFile.filename);
      break;
    case TQ_CHAR_MENU_SQL:
      releaseText(menu->u.menuSQL.sqlCommand);
      break;
    default:
      break;
  }
  menu->menuType = TQ_CHAR_MENU_NONE;
}

void releaseAssign(TQAssignStruct* assign, DeferredRelease& pending) noexcept {
  switch (assign->assignType) {
    case TQ_ASSIGN_TYPE_VALUE:
      FreeTQValueStruct(&assign->u.value, 0);
      break;
    case TQ_ASSIGN_TYPE_FIELD:
      defer(pending, BlockKind::AssignField, assign->u.field);
      break;
    case TQ_ASSIGN_TYPE_PROCESS:
      releaseText(assign->u.process);
      break;
    case TQ_ASSIGN_TYPE_ARITH:
      defer(pending, BlockKind::ArithOpAssign, assign->u.arithOp);
      break;
    case TQ_ASSIGN_TYPE_FUNCTION:
      defer(pending, BlockKind::FunctionAssign, assign->u.function);
      break;
    case TQ_ASSIGN_TYPE_DDE:
      FreeTQDDEStruct(assign->u.dde, 1);
      break;
    case TQ_ASSIGN_TYPE_SQL:
      FreeTQAssignSQLStruct(assign->u.sql, 1);
      break;
    default:
      break;
  }
  assign->assignType = TQ_ASSIGN_TYPE_NONE;
}

void releaseAssignFieldContents(TQAssignFieldStruct* field, DeferredRelease& pending) noexcept {
  releaseQualifierContents(&field->qualifier, pending);
  field->tag = TQ_FIELD;
}

void releaseArithAssignOperands(TQArithOpAssignStruct* arithOp, DeferredRelease& pending) noexcept {
  if (arithOp->operation != TQ_ARITH_OP_NEGATE) releaseAssign(&arithOp->left, pending);
  releaseAssign(&arithOp->right, pending);
}

void releaseFunctionParameters(TQFunctionAssignStruct* function,
                               DeferredRelease& pending) noexcept {
  releaseList<&TQFunctionAssignStruct::parameterList>(
      function, 0,
      [&pending](TQAssignStruct* parameter) noexcept { releaseAssign(parameter, pending); });
}

void releaseFieldAssignList(TQFieldAssignList* list, TQBoolean freeStruct,
                            DeferredRelease& pending) noexcept {
  releaseList<&TQFieldAssignList::fieldAssignList>(list, freeStruct,
                                                   [&pending](TQFieldAssignStruct* item) noexcept {
                                                     releaseAssign(&item->assignment, pending);
                                                   });
}

void releasePushFieldsList(TQPushFieldsList* list, TQBoolean freeStruct,
                           DeferredRelease& pending) noexcept {
  if (list == nullptr) return;
  // Unlike every other list, the array goes whenever the pointer is set,
  // even with a count of 0.
  if (list->pushFieldsList != nullptr) {
    for (uint32_t i = 0; i < list->numItems; ++i) {
      releaseAssignFieldContents(&list->pushFieldsList[i].field, pending);
      releaseAssign(&list->pushFieldsList[i].assign, pending);
    }
    std::free(list->pushFieldsList);
  }
  if (freeStruct) {
    std::free(list);
  } else {
    list->numItems = 0;
    list->pushFieldsList = nullptr;
  }
}

}  // namespace tqfree

using tqfree::BlockKind;
using tqfree::DeferredRelease;

// Each routine below either queues the record itself (freeStruct set: the
// block goes once its contents are released) or releases its contents in
// place; the queue empties when it leaves scope.

void FreeTQQualifierStruct(TQQualifierStruct* qualifier, TQBoolean freeStruct) {
  if (qualifier == nullptr) return;
  DeferredRelease pending;
  if (freeStruct) {
    tqfree::defer(pending, BlockKind::Qualifier, qualifier);
  } else {
    tqfree::releaseQualifierContents(qualifier, pending);
  }
}

void FreeTQRelOpStruct(TQRelOpStruct* relOp, TQBoolean freeStruct) {
  if (relOp == nullptr) return;
  DeferredRelease pending;
  if (freeStruct) {
    tqfree::defer(pending, BlockKind::RelOp, relOp);
  } else {
    tqfree::releaseOperand(&relOp->left, pending);
    tqfree::releaseOperand(&relOp->right, pending);
  }
}

void FreeTQArithOpStruct(TQArithOpStruct* arithOp, TQBoolean freeStruct) {
  if (arithOp == nullptr) return;
  DeferredRelease pending;
  if (freeStruct) {
    tqfree::defer(pending, BlockKind::ArithOp, arithOp);
  } else {
    tqfree::releaseArithOperands(arithOp, pending);
  }
}

void FreeTQFieldValueOrArithStruct(TQFieldValueOrArithStruct* operand, TQBoolean freeStruct) {
  DeferredRelease pending;
  tqfree::releaseRecord(operand, freeStruct, [&pending](TQFieldValueOrArithStruct* o) noexcept {
    tqfree::releaseOperand(o, pending);
  });
}

void FreeTQQueryValueStruct(TQQueryValueStruct* query, TQBoolean freeStruct) {
  if (query == nullptr) return;
  DeferredRelease pending;
  if (freeStruct) {
    tqfree::defer(pending, BlockKind::QueryValue, query);
  } else {
    tqfree::defer(pending, BlockKind::Qualifier, query->qualifier);
    query->qualifier = nullptr;
  }
}

void FreeTQCharMenuStruct(TQCharMenuStruct* menu, TQBoolean freeStruct) {
  if (menu == nullptr) return;
  DeferredRelease pending;
  if (freeStruct) {
    tqfree::defer(pending, BlockKind::CharMenu, menu);
  } else {
    tqfree::releaseMenuContents(menu, pending);
  }
}

void FreeTQCharMenuItemStruct(TQCharMenuItemStruct* item, TQBoolean freeStruct) {
  DeferredRelease pending;
  tqfree::releaseRecord(item, freeStruct, [&pending](TQCharMenuItemStruct* i) noexcept {
    tqfree::releaseMenuItem(i, pending);
  });
}

void FreeTQCharMenuList(TQCharMenuList* list, TQBoolean freeStruct) {
  DeferredRelease pending;
  tqfree::releaseList<&TQCharMenuList::charMenuList>(
      list, freeStruct,
      [&pending](TQCharMenuItemStruct* item) noexcept { tqfree::releaseMenuItem(item, pending); });
}

void FreeTQAssignStruct(TQAssignStruct* assign, TQBoolean freeStruct) {
  DeferredRelease pending;
  tqfree::releaseRecord(assign, freeStruct, [&pending](TQAssignStruct* a) noexcept {
    tqfree::releaseAssign(a, pending);
  });
}

void FreeTQAssignFieldStruct(TQAssignFieldStruct* assignField, TQBoolean freeStruct) {
  if (assignField == nullptr) return;
  DeferredRelease pending;
  if (freeStruct) {
    tqfree::defer(pending, BlockKind::AssignField, assignField);
  } else {
    tqfree::releaseAssignFieldContents(assignField, pending);
  }
}

void FreeTQArithOpAssignStruct(TQArithOpAssignStruct* arithOp, TQBoolean freeStruct) {
  if (arithOp == nullptr) return;
  DeferredRelease pending;
  if (freeStruct) {
    tqfree::defer(pending, BlockKind::ArithOpAssign, arithOp);
  } else {
    tqfree::releaseArithAssignOperands(arithOp, pending);
  }
}

void FreeTQFunctionAssignStruct(TQFunctionAssignStruct* function, TQBoolean freeStruct) {
  if (function == nullptr) return;
  DeferredRelease pending;
  if (freeStruct) {
    tqfree::defer(pending, BlockKind::FunctionAssign, function);
  } else {
    tqfree::releaseFunctionParameters(function, pending);
  }
}

void FreeTQFieldAssignStruct(TQFieldAssignStruct* fieldAssign, TQBoolean freeStruct) {
  DeferredRelease pending;
  tqfree::releaseRecord(fieldAssign, freeStruct, [&pending](TQFieldAssignStruct* f) noexcept {
    tqfree::releaseAssign(&f->assignment, pending);
  });
}

void FreeTQFieldAssignList(TQFieldAssignList* list, TQBoolean freeStruct) {
  DeferredRelease pending;
  tqfree::releaseFieldAssignList(list, freeStruct, pending);
}

void FreeTQPushFieldsList(TQPushFieldsList* list, TQBoolean freeStruct) {
  DeferredRelease pending;
  tqfree::releasePushFieldsList(list, freeStruct, pending);
}
