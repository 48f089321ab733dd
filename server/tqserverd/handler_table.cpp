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

bool serves(const Handler& h, const TQProcedure& p) {
  return tqHasRoutines(p) && h.procedure == p.number && h.argType == p.argType &&
         h.resultType == p.resultType;
}

const Handler* findHandler(uint32_t procedure, uint32_t version) {
  const TQProcedure* p = tqFindProcedure(TQProgram::kServer, version, procedure);
  if (p == nullptr) return nullptr;
  for (Family family : kFamilies) {
    for (const Handler& h : family()) {
      if (serves(h, *p)) return &h;
    }
  }
  return nullptr;
}

bool checkHandlers(std::string* error) {
  for (Family family : kFamilies) {
    for (const Handler& h : family()) {
      bool servesOne = false;
      for (uint32_t version = kTQOldestProtocol; version <= kTQNewestProtocol; ++version) {
        const TQProcedure* p = tqFindProcedure(TQProgram::kServer, version, h.procedure);
        if (p == nullptr || !serves(h, *p)) continue;
        servesOne = true;
        if (findHandler(h.procedure, version) != &h) {
          *error = "procedure " + std::to_string(h.procedure) + " version " +
                   std::to_string(version) + " has two handlers";
          return false;
        }
      }
      if (!servesOne) {
        *error = "the handler of procedure " + std::to_string(h.procedure) +
                 " matches the records of no version in the procedure table";
        return false;
      }
    }
  }
  return true;
}

}  // namespace tqsd
