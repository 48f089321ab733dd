// How an import cuts its data into chunks: chunks of the limit while more
// than the limit remains, then the rest; for an old server every chunk but
// the last ends on a character boundary.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "api/tqb_exchange.h"
#include "share/i18n/mbcharset.h"

namespace {

using Sizes = std::vector<size_t>;

TEST(ImportChunks, CutsAtTheLimit) {
  const std::string text(19500, 'a');
  struct Case {
    const char* what;
    size_t length;
    bool oldServer;
    Sizes sizes;
  };
  const std::vector<Case> cases = {
      {"19500 bytes and the terminator, old server", 19501, true, {19500, 1}},
      {"19500 bytes exactly, new server", 19500, false, {19500}},
      {"one byte", 1, false, {1}},
      {"twice the limit and one", 39001, false, {19500, 19500, 1}},
  };
  const std::string longer(39001, 'b');
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string& data = c.length <= text.size() + 1 ? text : longer;
    EXPECT_EQ(tqImportChunkSizes(data.c_str(), c.length, 19500, c.oldServer, kTQCharSetNone),
              c.sizes);
  }
}

TEST(ImportChunks, OldServerChunksEndOnCharacterBoundaries) {
  // Shift_JIS: 0x82 0xA0 is one character; at the limit of 5 the cut would
  // fall between its two bytes, so the chunk ends before it.
  const std::string text =
      "abcd\x82\xa0"
      "efgh";
  EXPECT_EQ(tqImportChunkSizes(text.c_str(), text.size() + 1, 5, true, kTQCharSetSjis),
            (Sizes{4, 5, 2}));
  // A new server gets the data (packed bytes) cut anywhere.
  EXPECT_EQ(tqImportChunkSizes(text.c_str(), text.size() + 1, 5, false, kTQCharSetSjis),
            (Sizes{5, 5, 1}));
}

}  // namespace
