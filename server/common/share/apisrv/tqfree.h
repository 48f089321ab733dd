// Internal helpers of the release routines (FreeTQ...): the list pattern that
// nearly every routine shares, and the deferred release that lets trees of
// any depth be released without recursion.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tqlink.h"

namespace tqfree {

// Releases a text and leaves its pointer NULL.
inline void releaseText(char*& text) noexcept {
  std::free(text);
  text = nullptr;
}

// Releases a counted list whose item pointer is the member Items: each item
// with releaseItem (in place), then the array, when the count is non-zero
// and the pointer non-NULL. Then either the list's own block is released
// or the list is left empty.
template <auto Items, class List, class ReleaseItem>
void releaseList(List* list, TQBoolean freeStruct, ReleaseItem releaseItem) noexcept {
  if (list == nullptr) return;
  auto& items = list->*Items;
  if (list->numItems != 0 && items != nullptr) {
    for (uint32_t i = 0; i < list->numItems; ++i)
      releaseItem(&items[i]);
    std::free(items);
  }
  if (freeStruct) {
    std::free(list);
  } else {
    list->numItems = 0;
    items = nullptr;
  }
}

// A list whose items own nothing: only the array goes.
template <auto Items, class List>
void releaseList(List* list, TQBoolean freeStruct) noexcept {
  releaseList<Items>(list, freeStruct, [](auto*) noexcept {});
}

// Releases what a record owns with releaseContents (which leaves the record
// in its cleared state), then the record's own block when freeStruct is set.
template <class Record, class ReleaseContents>
void releaseRecord(Record* record, TQBoolean freeStruct, ReleaseContents releaseContents) noexcept {
  if (record == nullptr) return;
  releaseContents(record);
  if (freeStruct) std::free(record);
}

// The heap blocks that nest without bound: qualification nodes and their
// operands, character menus and assignments. Each kind names a block whose
// contents are released and which is then freed itself.
enum class BlockKind : uint8_t {
  Qualifier,      // TQQualifierStruct
  RelOp,          // TQRelOpStruct
  ArithOp,        // TQArithOpStruct
  QueryValue,     // TQQueryValueStruct
  CharMenu,       // TQCharMenuStruct
  AssignField,    // TQAssignFieldStruct
  ArithOpAssign,  // TQArithOpAssignStruct
  FunctionAssign  // TQFunctionAssignStruct
};

struct PendingBlock {
  BlockKind kind;
  void* block;
};

// Blocks waiting to be released. A release walks a tree by taking a block
// from here, pushing its children and freeing it, so that the depth of a
// tree costs heap, not stack. The destructor releases whatever is still
// pending, so a routine only has to push and let the scope end.
struct DeferredRelease {
  static constexpr std::size_t kInlineCapacity = 64;

  PendingBlock inlineBlocks[kInlineCapacity];
  PendingBlock* blocks = inlineBlocks;
  std::size_t count = 0;
  std::size_t capacity = kInlineCapacity;

  DeferredRelease() noexcept = default;
  DeferredRelease(const DeferredRelease&) = delete;
  DeferredRelease& operator=(const DeferredRelease&) = delete;
  ~DeferredRelease();
};

// Queues a block (NULL is ignored). When the queue cannot grow, the block is
// released at once through a queue of its own.
void defer(DeferredRelease& pending, BlockKind kind, void* block) noexcept;

// Contents of the recursive records; each leaves its record cleared and
// queues the blocks below it.
void releaseQualifierContents(TQQualifierStruct* qualifier, DeferredRelease& pending) noexcept;
void releaseOperand(TQFieldValueOrArithStruct* operand, DeferredRelease& pending) noexcept;
void releaseArithOperands(TQArithOpStruct* arithOp, DeferredRelease& pending) noexcept;
void releaseMenuContents(TQCharMenuStruct* menu, DeferredRelease& pending) noexcept;
void releaseMenuItem(TQCharMenuItemStruct* item, DeferredRelease& pending) noexcept;
void releaseAssign(TQAssignStruct* assign, DeferredRelease& pending) noexcept;
void releaseAssignFieldContents(TQAssignFieldStruct* field, DeferredRelease& pending) noexcept;
void releaseArithAssignOperands(TQArithOpAssignStruct* arithOp, DeferredRelease& pending) noexcept;
void releaseFunctionParameters(TQFunctionAssignStruct* function, DeferredRelease& pending) noexcept;
void releaseFieldAssignList(TQFieldAssignList* list, TQBoolean freeStruct,
                            DeferredRelease& pending) noexcept;
void releasePushFieldsList(TQPushFieldsList* list, TQBoolean freeStruct,
                           DeferredRelease& pending) noexcept;

}  // namespace tqfree
