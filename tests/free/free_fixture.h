// Builders for the release tests: every block comes from the C heap, as the
// records that tqlink hands out do, so that the release routines may free it.
#pragma once

#include <cstdlib>
#include <cstring>
#include <new>

#include "tqlink.h"

namespace freetest {

template <class T>
T* heapRecord() {
  void* block = std::calloc(1, sizeof(T));
  if (block == nullptr) throw std::bad_alloc();
  return static_cast<T*>(block);
}

template <class T>
T* heapArray(uint32_t count) {
  void* block = std::calloc(count, sizeof(T));
  if (block == nullptr) throw std::bad_alloc();
  return static_cast<T*>(block);
}

inline char* heapText(const char* text) {
  char* copy = strdup(text);
  if (copy == nullptr) throw std::bad_alloc();
  return copy;
}

inline TQValueStruct charValue(const char* text) {
  TQValueStruct value{};
  value.dataType = TQ_DATA_TYPE_CHAR;
  value.u.charVal = heapText(text);
  return value;
}

inline TQValueStruct intValue(int32_t number) {
  TQValueStruct value{};
  value.dataType = TQ_DATA_TYPE_INTEGER;
  value.u.intVal = number;
  return value;
}

// A leaf of a qualification: field 'fieldId' = the text 'text'.
inline TQQualifierStruct* heapRelOpLeaf(uint32_t fieldId, const char* text) {
  auto* relOp = heapRecord<TQRelOpStruct>();
  relOp->operation = TQ_REL_OP_EQUAL;
  relOp->left.tag = TQ_FIELD;
  relOp->left.u.fieldId = fieldId;
  relOp->right.tag = TQ_VALUE;
  relOp->right.u.value = charValue(text);
  auto* node = heapRecord<TQQualifierStruct>();
  node->operation = TQ_COND_OP_REL_OP;
  node->u.relOp = relOp;
  return node;
}

inline void fillRelOpLeaf(TQQualifierStruct* root, uint32_t fieldId, const char* text) {
  TQQualifierStruct* leaf = heapRelOpLeaf(fieldId, text);
  *root = *leaf;
  std::free(leaf);
}

}  // namespace freetest
