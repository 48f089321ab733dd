// The families of handlers; each is defined in its own handlers_*.cpp and
// listed once in handler_table.cpp.
#pragma once

#include <span>

#include "handler_table.h"

namespace tqsd {

std::span<const Handler> sessionHandlers();  // 36 server information, 47 end of session
std::span<const Handler> entryHandlers();    // 1 get, 2 set, 3 create, 4 delete, 37 merge
// Searches: 5 and 73 entry lists, 6 statistics, 67 multiple entries.
std::span<const Handler> listHandlers();
std::span<const Handler> statisticsHandlers();
std::span<const Handler> multipleEntryHandlers();
std::span<const Handler> attachHandlers();   // 80 attachment data
std::span<const Handler> exchangeHandlers(); // 34 export, 35 import

// Definitions (handlers_def_*.cpp).
std::span<const Handler> definitionObjectHandlers();  // menus, filters, links, escalations,
                                                      // containers, support files
std::span<const Handler> formDefinitionHandlers();    // forms, fields and views
std::span<const Handler> accountHandlers();           // users, groups, 90 to 93
std::span<const Handler> serverToolHandlers();        // SQL, processes, menu files and queries

}  // namespace tqsd
