// Export and import of definitions (tqb_export.cpp, tqb_import.cpp): the
// pieces they share and that the tests reach.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tqlink.h"

// What travels besides the chunk itself in every reply and request.
inline constexpr uint32_t kTQExchangeReplyOverhead = 500;

// The chunk limit of a session's response size.
inline size_t tqExchangeChunkLimit(int32_t responseSize) {
  return responseSize > static_cast<int32_t>(kTQExchangeReplyOverhead)
             ? static_cast<size_t>(responseSize) - kTQExchangeReplyOverhead
             : 1;
}

// The lengths of the chunks an import sends `length` bytes of data in: as
// many chunks of `limit` bytes as leave more than `limit`, then the rest.
// For a server below protocol version 6 the data is text in the character
// set `charSet` and every chunk but the last ends on a character boundary,
// so that each travels (and is converted) as a whole text.
std::vector<size_t> tqImportChunkSizes(const char* data, size_t length, size_t limit,
                                       bool oldServer, int charSet);

// Text between the client's and the server's character sets of the current
// session (from the server's to the client's when `toClient`), in a new
// block of twice the length plus one; the text itself when the sets need no
// conversion. nullptr when memory ran out.
char* tqExchangeConvert(const char* text, size_t length, bool toClient, size_t* converted);
