// Protocol-version translation (see tqmap.h).
//
// The call header and the status list of procedures 36 (server information)
// and 47 (end-of-session notice) are the only parts that differ between the
// versions: versions 2 to 5 carry the short header (no extension fields,
// time stamp or further words) and the older form of the status items. The
// in-memory records are the same, and the wire routines of each version
// drop the version-6 header fields on the way out and leave them zero on the
// way in, so each step only exchanges the stub.
#include "api/tqmap.h"

#include <cstddef>

#include "rpc/procedure_records.h"
#include "rpc/procedures.h"

namespace {

// Procedures whose records are the same in memory in every version from 2
// to 6.
bool sameRecordsInAllVersions(uint32_t number) {
  return number == 36 || number == 47;
}

// One step of a stub to an adjacent version; the stub is left alone when
// the step does not know its procedure.
void stepStub(TQStub* stub, uint32_t from, uint32_t to) {
  const TQProcedure* procedure = tqProcedureOfStub(*stub);
  if (procedure == nullptr || procedure->program != TQProgram::kServer ||
      procedure->version != from || !sameRecordsInAllVersions(procedure->number)) {
    return;
  }
  if (TQStub next = tqStubOf(TQProgram::kServer, to, procedure->number)) *stub = next;
}

}  // namespace

void* tqmapDown(TQStub* stub, void* args, uint32_t version) {
  for (uint32_t v = kTQNewestProtocol; v > version && v > kTQOldestProtocol; --v) {
    stepStub(stub, v, v - 1);
  }
  return args;
}

void* tqmapUp(TQStub* stub, void* result, uint32_t version) {
  for (uint32_t v = version; v < kTQNewestProtocol && result != nullptr; ++v) {
    stepStub(stub, v, v + 1);
  }
  return result;
}

TQStatusList* tqmapResultStatus(uint32_t procedure, void* result) {
  if (result == nullptr) return nullptr;
  auto* base = static_cast<char*>(result);
  switch (procedure) {
    case 1:
      return reinterpret_cast<TQStatusList*>(base + offsetof(TQGetEntryResult, status));
    case 2:
    case 4:
    case 47:
      return reinterpret_cast<TQStatusList*>(base + offsetof(TQStatusResult, status));
    case 3:
    case 37:
      return reinterpret_cast<TQStatusList*>(base + offsetof(TQEntryIdResult, status));
    case 5:
      return reinterpret_cast<TQStatusList*>(base + offsetof(TQGetListEntryResult, status));
    case 36:
      return reinterpret_cast<TQStatusList*>(base + offsetof(TQGetServerInfoResult, status));
    default:
      return nullptr;
  }
}

bool tqmapIsFailingSubstitute(TQStub) {
  return false;
}

void tqmapRelease(TQSessionStruct*) {}
