// Pieces the list procedures' answers are made of: malloc'd arrays and
// texts for the result records (a lack of memory throws std::bad_alloc,
// which the dispatch answers with 154), the bytes a value takes on the wire,
// and where a text may be split between two answers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

#include "entry_store.h"
#include "tqlink.h"

namespace tqsd {

// A zeroed malloc'd array of n items (at least one byte is asked for).
template <class T>
T* allocItems(size_t n) {
  void* block = std::calloc(n > 0 ? n : 1, sizeof(T));
  if (block == nullptr) throw std::bad_alloc();
  return static_cast<T*>(block);
}

// An entry id list of one id, for a result record.
TQEntryIdList wireEntryId(const std::string& id);

// Puts a stored value into a wire value (entry_values.h), throwing when
// memory runs out.
void putWireValue(uint32_t fieldId, const StoredValue& value, uint32_t version, TQValueStruct* out);

bool isSplittable(const StoredValue& value);

// About the bytes a value takes in an answer.
size_t wireCost(const StoredValue& value);
// The bytes of a value's text from `offset` on, with its framing.
size_t wireCost(const StoredValue& value, size_t offset);
inline constexpr size_t kValueFraming = 16;  // field id, tag, text length, padding

// How many bytes of the text from `offset` go into an answer that has room
// for `want`: at least one, at most what remains, never ending inside a
// UTF-8 character.
size_t splitLength(const std::string& text, size_t offset, size_t want);

// The value with only the bytes [offset, offset + length) of its text.
StoredValue textPiece(const StoredValue& value, size_t offset, size_t length);

}  // namespace tqsd
