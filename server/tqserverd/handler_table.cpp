// Joins the handler families into one table (see handler_table.h).
#include "handler_table.h"

#include "handler_families.h"
#include "rpc/procedures.h"

namespace tqsd {
namespace {

using Family = std::span<const Handler> (*)();

constexpr Family kFamilies[] = {
    sessionHandlers,
    entryHandlers,
    // definitions
    definitionObjectHandlers,
    formDefinitionHandlers,
    accountHandlers,
    serverToolHandlers,
    // searches
    listHandlers,
    statisticsHandlers,
    multipleEntryHandlers,
    // attachments
    attachHandlers,
    // export and import
    exchangeHandlers,
};

}  // namespace

const Handler* findHandler(uint32_t procedure, uint32_t version) {
  for (Family family : kFamilies) {
    for (const Handler& h : family()) {
      if (h.procedure == procedure && version >= h.firstVersion && version <= h.lastVersion) {
        return &h;
      }
    }
  }
  return nullptr;
}

bool checkHandlers(std::string* error) {
  for (Family family : kFamilies) {
    for (const Handler& h : family()) {
      for (uint32_t version = h.firstVersion; version <= h.lastVersion; ++version) {
        const TQProcedure* p = tqFindProcedure(TQProgram::kServer, version, h.procedure);
        std::string where =
            "procedure " + std::to_string(h.procedure) + " version " + std::to_string(version);
        if (p == nullptr || !tqHasRoutines(*p)) {
          *error = where + " has no routines in the procedure table";
          return false;
        }
        if (p->argSize != h.argSize || p->resultSize != h.resultSize) {
          *error = where + ": the handler's records differ from the procedure table's";
          return false;
        }
        if (findHandler(h.procedure, version) != &h) {
          *error = where + " has two handlers";
          return false;
        }
      }
    }
  }
  return true;
}

}  // namespace tqsd
