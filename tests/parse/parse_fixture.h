// The field catalogue and context the in-process parser tests read: a small
// form with a status field (7: New, Open, Closed), a status history (15),
// time fields and a few plain ones, as the server would describe it.
#pragma once

#include <string>

#include "share/useapi/parse/parse.h"
#include "tqlink.h"

namespace parsetest {

const TQParseCatalogue& demoCatalogue();
// The context of a parse of the demo catalogue by user joe on schema Demo
// of server localhost, view "Default".
TQParseContext demoContext(const TQParseCatalogue& catalogue = demoCatalogue());

// What one parse gave: its code, the compact tree, and the first status.
struct Parsed {
  uint32_t code = 0;
  std::string tree;
  int32_t number = 0;
  std::string appended;
};
Parsed parse(const char* text, const TQParseContext& context = demoContext());

}  // namespace parsetest
