// The procedure table (see procedures.h), built at compile time from the
// version ranges, the names and the list of codecs.
#include "rpc/procedures.h"

#include <array>

#include "rpc/procedure_records.h"
#include "rpc/xdr_entry.h"
#include "rpc/xdr_proc.h"
#include "rpc/xdr_session.h"

namespace {

// The argument and result routines of one procedure over a range of
// protocol versions.
struct Codec {
  TQProgram program;
  uint32_t firstVersion;
  uint32_t lastVersion;
  uint32_t number;
  tqx::Proc xdrArgs;
  tqx::Proc xdrResult;
  uint32_t argSize;
  uint32_t resultSize;
};

template <class A, bool_t (*Args)(XDR*, A*), class R, bool_t (*Result)(XDR*, R*)>
constexpr Codec codec(TQProgram program, uint32_t firstVersion, uint32_t lastVersion,
                      uint32_t number) {
  return {program,
          firstVersion,
          lastVersion,
          number,
          tqx::decodeOrFree<A, Args>,
          tqx::decodeOrFree<R, Result>,
          sizeof(A),
          sizeof(R)};
}

constexpr TQProgram S = TQProgram::kServer;
constexpr TQProgram D = TQProgram::kDirectory;

// clang-format off
constexpr Codec kCodecs[] = {
    // 1 TQGetEntry
    codec<TQGetEntryArgs, xdr_TQGetEntryArgs6, TQGetEntryResult, xdr_TQGetEntryResult6>(S, 6, 6, 1),
    codec<TQGetEntryArgs, xdr_TQGetEntryArgs4, TQGetEntryResult, xdr_TQGetEntryResult2>(S, 4, 5, 1),
    codec<TQGetEntryArgsOld, xdr_TQGetEntryArgs2, TQGetEntryResult, xdr_TQGetEntryResult2>(S, 2, 3, 1),
    // 2 TQSetEntry
    codec<TQSetEntryArgs, xdr_TQSetEntryArgs6, TQStatusResult, xdr_TQStatusResult6>(S, 6, 6, 2),
    codec<TQSetEntryArgs, xdr_TQSetEntryArgs4, TQStatusResult, xdr_TQStatusResult2>(S, 4, 5, 2),
    codec<TQSetEntryArgsOld, xdr_TQSetEntryArgs2, TQStatusResult, xdr_TQStatusResult2>(S, 2, 3, 2),
    // 3 TQCreateEntry
    codec<TQCreateEntryArgs, xdr_TQCreateEntryArgs6, TQEntryIdResult, xdr_TQEntryIdResult6>(S, 6, 6, 3),
    codec<TQCreateEntryArgs, xdr_TQCreateEntryArgs2, TQEntryIdResult, xdr_TQEntryIdResult2>(S, 2, 5, 3),
    // 4 TQDeleteEntry
    codec<TQDeleteEntryArgs, xdr_TQDeleteEntryArgs6, TQStatusResult, xdr_TQStatusResult6>(S, 6, 6, 4),
    codec<TQDeleteEntryArgs, xdr_TQDeleteEntryArgs4, TQStatusResult, xdr_TQStatusResult2>(S, 4, 5, 4),
    codec<TQDeleteEntryArgsOld, xdr_TQDeleteEntryArgs2, TQStatusResult, xdr_TQStatusResult2>(S, 2, 3, 4),
    // 5 TQGetListEntry
    codec<TQGetListEntryArgs, xdr_TQGetListEntryArgs6, TQGetListEntryResult, xdr_TQGetListEntryResult6>(S, 6, 6, 5),
    codec<TQGetListEntryArgs, xdr_TQGetListEntryArgs2, TQGetListEntryResult, xdr_TQGetListEntryResult4>(S, 4, 5, 5),
    codec<TQGetListEntryArgs, xdr_TQGetListEntryArgs2, TQGetListEntryResultOld, xdr_TQGetListEntryResult2>(S, 2, 3, 5),
    // 36 TQGetServerInfo
    codec<TQGetServerInfoArgs, xdr_TQGetServerInfoArgs6, TQGetServerInfoResult, xdr_TQGetServerInfoResult6>(S, 6, 6, 36),
    codec<TQGetServerInfoArgs, xdr_TQGetServerInfoArgs2, TQGetServerInfoResult, xdr_TQGetServerInfoResult2>(S, 2, 5, 36),
    // 37 TQMergeEntry
    codec<TQMergeEntryArgs, xdr_TQMergeEntryArgs6, TQEntryIdResult, xdr_TQEntryIdResult6>(S, 6, 6, 37),
    codec<TQMergeEntryArgs, xdr_TQMergeEntryArgs4, TQEntryIdResult, xdr_TQEntryIdResult2>(S, 4, 5, 37),
    codec<TQMergeEntryArgsOld, xdr_TQMergeEntryArgs2, TQEntryIdResult, xdr_TQEntryIdResult2>(S, 2, 3, 37),
    // 47 end-of-session notice
    codec<TQEndSessionArgs, xdr_TQEndSessionArgs6, TQStatusResult, xdr_TQStatusResult6>(S, 6, 6, 47),
    codec<TQEndSessionArgs, xdr_TQEndSessionArgs2, TQStatusResult, xdr_TQStatusResult2>(S, 2, 5, 47),
    // Procedures 6 to 93 of version 6 beyond the ones above
#include "rpc/procedures_defs.inc"
    // Queue directory
    codec<uint32_t, xdr_TQDirectoryWord, TQDirectoryAnswer, xdr_TQDirectoryAnswer>(D, 2, 2, 1),
    codec<TQDirectoryQueryArgs, xdr_TQDirectoryQueryArgs, TQDirectoryAnswer, xdr_TQDirectoryAnswer>(D, 2, 2, 2),
    codec<uint32_t, xdr_TQDirectoryWord, TQDirectoryAnswer, xdr_TQDirectoryAnswer>(D, 2, 2, 3),
    codec<uint32_t, xdr_TQDirectoryWord, uint32_t, xdr_TQDirectoryWord>(D, 1, 1, 1),
    codec<TQDirectoryQueryArgs, xdr_TQDirectoryQueryArgs, uint32_t, xdr_TQDirectoryWord>(D, 1, 1, 2),
};
// clang-format on

constexpr const char* serverProcedureName(uint32_t number) {
  constexpr const char* names[] = {
      nullptr,
      "TQGetEntry",  // 1
      "TQSetEntry",
      "TQCreateEntry",
      "TQDeleteEntry",
      "TQGetListEntry",  // 5
      "TQGetEntryStatistics",
      "TQGetSchema",
      "TQSetSchema",
      "TQCreateSchema",
      "TQDeleteSchema",  // 10
      "TQGetListSchema",
      "TQGetField",
      "TQSetField",
      "TQCreateField",
      "TQGetListField",  // 15
      "TQGetCharMenu",
      "TQSetCharMenu",
      "TQCreateCharMenu",
      "TQDeleteCharMenu",
      "TQGetListCharMenu",  // 20
      "TQGetFilter",
      "TQSetFilter",
      "TQCreateFilter",
      "TQDeleteFilter",
      "TQGetListFilter",  // 25
      "definition get by name",
      "definition set",
      "definition create",
      "definition delete by name",
      "definition list since a time",  // 30
      "definition get by name (second form)",
      "TQVerifyUser",
      "TQGetListGroup",
      "TQExport",
      "TQImport",  // 35
      "TQGetServerInfo",
      "TQMergeEntry",
      "TQGetActiveLink",
      "TQSetActiveLink",
      "TQCreateActiveLink",  // 40
      "TQDeleteActiveLink",
      "TQGetListActiveLink",
      "TQDeleteField",
      "TQSetServerInfo",
      "character menu text fetch",  // 45
      "TQGetListUser",
      "end-of-session notice",
      "TQGetEscalation",
      "TQSetEscalation",
      "TQCreateEscalation",  // 50
      "TQDeleteEscalation",
      "TQGetListEscalation",
      "TQSetFullTextInfo",
      "TQGetFullTextInfo",
      "character menu query",  // 55
      "TQDeleteMultipleFields",
      "TQGetServerStatistics",
      "procedure 58",
      "TQGetListSQL",
      "TQGetNameListForSchema",  // 60
      "TQExecuteProcess",
      "TQGetVUI",
      "TQSetVUI",
      "TQCreateVUI",
      "TQDeleteVUI",  // 65
      "TQGetListVUI",
      "TQGetMultipleEntries",
      "TQGetSupportFile",
      "TQSetSupportFile",
      "support file create",  // 70
      "TQDeleteSupportFile",
      "TQGetListSupportFile",
      "TQGetListEntryWithFields",
      "TQGetContainer",
      "TQSetContainer",  // 75
      "TQCreateContainer",
      "TQDeleteContainer",
      "TQGetListContainer",
      nullptr,
      "TQGetEntryBLOB",  // 80
      nullptr,
      nullptr,
      nullptr,
      nullptr,
      nullptr,
      nullptr,
      nullptr,
      nullptr,
      nullptr,
      "TQCreateUser",  // 90
      "TQDeleteUser",
      "TQCreateGroup",
      "TQDeleteGroup",
  };
  return number < std::size(names) ? names[number] : nullptr;
}

constexpr const char* directoryProcedureName(uint32_t number) {
  switch (number) {
    case 1:
      return "directory: general channel";
    case 2:
      return "directory: query channel of a form";
    case 3:
      return "directory: default program";
  }
  return nullptr;
}

// The procedures of the server program that only read: gets, lists,
// statistics, server information, user verification, export, the
// character-menu fetches and queries. Every directory procedure reads.
constexpr bool serverProcedureReads(uint32_t number) {
  constexpr uint32_t reads[] = {1,  5,  6,  7,  11, 12, 15, 16, 20, 21, 25, 26, 30, 31,
                                32, 33, 34, 36, 38, 42, 45, 46, 48, 52, 54, 55, 57, 59,
                                60, 62, 66, 67, 68, 72, 73, 74, 78, 80};
  for (uint32_t r : reads) {
    if (r == number) return true;
  }
  return false;
}

// The last ordinary procedure of each server-program version; every version
// also has 90 to 93.
constexpr uint32_t lastOrdinary(uint32_t version) {
  switch (version) {
    case 2:
      return 47;
    case 3:
      return 59;
    case 4:
      return 66;
    case 5:
      return 72;
    default:
      return 78;
  }
}

constexpr TQProcedure makeProcedure(TQProgram program, uint32_t version, uint32_t number,
                                    uint32_t slot) {
  TQProcedure p{
      program,
      version,
      number,
      slot,
      program == TQProgram::kServer ? serverProcedureName(number) : directoryProcedureName(number),
      nullptr,
      nullptr,
      0,
      0,
      program == TQProgram::kDirectory || serverProcedureReads(number),
      program == TQProgram::kServer && (number == 34 || number == 80)};
  for (const Codec& c : kCodecs) {
    if (c.program == program && c.number == number && version >= c.firstVersion &&
        version <= c.lastVersion) {
      p.xdrArgs = c.xdrArgs;
      p.xdrResult = c.xdrResult;
      p.argSize = c.argSize;
      p.resultSize = c.resultSize;
    }
  }
  return p;
}

constexpr std::array<TQProcedure, kTQProcedureCount> buildTable() {
  std::array<TQProcedure, kTQProcedureCount> table{};
  uint32_t slot = 0;
  for (uint32_t version = 2; version <= 6; ++version) {
    for (uint32_t number = 1; number <= 93; ++number) {
      bool present =
          number <= lastOrdinary(version) || number >= 90 || (version == 6 && number == 80);
      if (present) {
        table[slot] = makeProcedure(TQProgram::kServer, version, number, slot);
        ++slot;
      }
    }
  }
  for (uint32_t number = 1; number <= 2; ++number) {
    table[slot] = makeProcedure(TQProgram::kDirectory, 1, number, slot);
    ++slot;
  }
  for (uint32_t number = 1; number <= 3; ++number) {
    table[slot] = makeProcedure(TQProgram::kDirectory, 2, number, slot);
    ++slot;
  }
  return table;
}

constexpr std::array<TQProcedure, kTQProcedureCount> kTable = buildTable();

static_assert(kTable[kTQProcedureCount - 1].program == TQProgram::kDirectory &&
                  kTable[kTQProcedureCount - 1].number == 3,
              "the table has exactly one slot per stub");

}  // namespace

const TQProcedure& tqProcedureAt(uint32_t slot) {
  return kTable[slot];
}

const TQProcedure* tqFindProcedure(TQProgram program, uint32_t version, uint32_t number) {
  for (const TQProcedure& p : kTable) {
    if (p.program == program && p.version == version && p.number == number) return &p;
  }
  return nullptr;
}
