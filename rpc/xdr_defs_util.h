// Small pieces that the definition and procedure routines share: fixed and
// bounded converting texts in the shapes that lists and union arms take, and
// the release of one sub-record in place.
#pragma once

#include <rpc/rpc.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "rpc/xdr_base.h"
#include "share/i18n/tqxdr.h"

namespace tqdefs {

// A fixed character array: as many bytes on the wire as the array holds.
template <size_t N>
bool_t fixed(XDR* x, char (&text)[N]) {
  return tqxdrFixedText(x, text, static_cast<uint32_t>(N));
}

// A text pointer with the bound M (tqx::kUnbounded for none).
template <uint32_t M>
bool_t text(XDR* x, char** t) {
  return tqxdrText(x, t, M);
}

inline bool_t unboundedText(XDR* x, char** t) {
  return tqxdrText(x, t, tqx::kUnbounded);
}

// A text with a separate length (chunks, file contents, counted labels).
inline bool_t countedText(XDR* x, char** t, uint32_t* length) {
  return tqxdrCountedText(x, t, length, tqx::kUnbounded);
}

// Releases what a record owns and leaves it zeroed, as if never decoded.
template <class T, bool_t (*F)(XDR*, T*)>
void releaseInPlace(T* record) {
  tqx::freeRecord<T, F>(record);
  std::memset(static_cast<void*>(record), 0, sizeof(T));
}

}  // namespace tqdefs
