// Small helpers shared by the argument checks: recording an error, measuring
// texts, turning a missing text into an empty one, and the rules for the
// many texts that are checked the same way with different error numbers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "api/parmchck.h"

namespace parmchck {

// Appends error `number` (type 2) with an empty appended text; returns the
// list's top type.
uint32_t fail(TQStatusList* status, int32_t number);
// The same with `code` appended as decimal text.
uint32_t failCode(TQStatusList* status, int32_t number, uint32_t code);

// Encoded length of a text held in a fixed array of `size` bytes; a text
// without a terminator in the array counts as longer than any limit.
size_t fixedLength(const char* array, size_t size);

template <size_t N>
size_t fixedLength(const char (&array)[N]) {
  return fixedLength(array, N);
}

inline bool isEmpty(const char* text) {
  return text == nullptr || text[0] == '\0';
}

// A missing optional text becomes an empty text in place. Returns 0, or the
// result of recording 154 when the byte cannot be allocated.
uint32_t ensureText(char** text, TQStatusList* status);

// A count without an item array.
template <typename T>
bool nullArray(uint32_t numItems, const T* items) {
  return numItems != 0 && items == nullptr;
}

// How a text is checked: `missing` for NULL or empty (0 lets them pass),
// `tooLong` for an encoded length above maxLength.
struct TextRule {
  size_t maxLength;
  int32_t missing;
  int32_t tooLong;
};

// Checks a terminated text (arraySize 0), or a text in a fixed array of
// arraySize bytes.
uint32_t checkText(const char* text, size_t arraySize, const TextRule& rule, TQStatusList* status);

// A text in a fixed array (named apart from checkText: overload resolution
// would prefer the pointer form).
template <size_t N>
uint32_t checkFixed(const char (&array)[N], const TextRule& rule, TQStatusList* status) {
  return checkText(array, N, rule, status);
}

inline uint32_t checkText(const char* text, const TextRule& rule, TQStatusList* status) {
  return checkText(text, 0, rule, status);
}

// A definition name held in a fixed array (TQNameType fields of records).
uint32_t checkNameArray(const char* array, size_t size, TQBoolean allowEmpty, TQStatusList* status);

template <size_t N>
uint32_t checkName(const char (&array)[N], TQBoolean allowEmpty, TQStatusList* status) {
  return checkNameArray(array, N, allowEmpty, status);
}

// Server name of a query, menu or assignment: required, at most 64.
template <size_t N>
bool badServerName(const char (&array)[N]) {
  return array[0] == '\0' || fixedLength(array) > TQ_MAX_SERVER_SIZE;
}

// After an inner check failed: records the outer number and returns the
// list's top type.
inline uint32_t failAfter(TQStatusList* status, int32_t number) {
  return fail(status, number);
}

}  // namespace parmchck
