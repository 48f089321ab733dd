// The procedure table (see procedures.h), built at compile time from the
// version ranges, the rows of procedures_server.inc and the list of codecs.
#include "rpc/procedures.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <type_traits>

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
  TQRecordType argType;
  TQRecordType resultType;
  std::string_view argName;
  std::string_view resultName;
  bool callHeader;
  int32_t statusOffset;
  uint8_t relay;  // the step to the next higher version re-lays these (TQRelay)
};

template <class R>
constexpr bool startsWithHeader() {
  if constexpr (requires(R & r) { r.header; }) {
    return offsetof(R, header) == 0;
  } else {
    return false;
  }
}

template <class R>
constexpr int32_t statusOffsetOf() {
  if constexpr (std::is_same_v<R, TQStatusList>) {
    return 0;
  } else if constexpr (requires(R & r) { r.status; }) {
    static_assert(std::is_same_v<decltype(R::status), TQStatusList>);
    return static_cast<int32_t>(offsetof(R, status));
  } else {
    return -1;
  }
}

// The records and routines of a procedure over a range of versions; `relay`
// names the records that the translation step between lastVersion and the
// next higher version re-lays.
template <class A, bool_t (*Args)(XDR*, A*), class R, bool_t (*Result)(XDR*, R*)>
constexpr Codec codec(TQProgram program, uint32_t firstVersion, uint32_t lastVersion,
                      uint32_t number, uint8_t relay = kTQRelayNone) {
  return {program,
          firstVersion,
          lastVersion,
          number,
          tqx::decodeOrFree<A, Args>,
          tqx::decodeOrFree<R, Result>,
          sizeof(A),
          sizeof(R),
          &kTQRecordTag<A>,
          &kTQRecordTag<R>,
          tqRecordName<A>(),
          tqRecordName<R>(),
          startsWithHeader<A>() && startsWithHeader<R>(),
          statusOffsetOf<R>(),
          relay};
}

constexpr TQProgram S = TQProgram::kServer;
constexpr TQProgram D = TQProgram::kDirectory;

// clang-format off
constexpr Codec kCodecs[] = {
    // 1 TQGetEntry
    codec<TQGetEntryArgs, xdr_TQGetEntryArgs6, TQGetEntryResult, xdr_TQGetEntryResult6>(S, 6, 6, 1),
    codec<TQGetEntryArgs, xdr_TQGetEntryArgs4, TQGetEntryResult, xdr_TQGetEntryResult2>(S, 4, 5, 1),
    codec<TQGetEntryArgsOld, xdr_TQGetEntryArgs2, TQGetEntryResult, xdr_TQGetEntryResult2>(S, 2, 3, 1, kTQRelayArgs),
    // 2 TQSetEntry
    codec<TQSetEntryArgs, xdr_TQSetEntryArgs6, TQStatusResult, xdr_TQStatusResult6>(S, 6, 6, 2),
    codec<TQSetEntryArgs, xdr_TQSetEntryArgs4, TQStatusResult, xdr_TQStatusResult2>(S, 4, 5, 2, kTQRelayArgs),
    codec<TQSetEntryArgsOld, xdr_TQSetEntryArgs2, TQStatusResult, xdr_TQStatusResult2>(S, 2, 3, 2, kTQRelayArgs),
    // 3 TQCreateEntry
    codec<TQCreateEntryArgs, xdr_TQCreateEntryArgs6, TQEntryIdResult, xdr_TQEntryIdResult6>(S, 6, 6, 3),
    codec<TQCreateEntryArgs, xdr_TQCreateEntryArgs2, TQEntryIdResult, xdr_TQEntryIdResult2>(S, 2, 5, 3, kTQRelayArgs),
    // 4 TQDeleteEntry
    codec<TQDeleteEntryArgs, xdr_TQDeleteEntryArgs6, TQStatusResult, xdr_TQStatusResult6>(S, 6, 6, 4),
    codec<TQDeleteEntryArgs, xdr_TQDeleteEntryArgs4, TQStatusResult, xdr_TQStatusResult2>(S, 4, 5, 4),
    codec<TQDeleteEntryArgsOld, xdr_TQDeleteEntryArgs2, TQStatusResult, xdr_TQStatusResult2>(S, 2, 3, 4, kTQRelayArgs),
    // 5 TQGetListEntry
    codec<TQGetListEntryArgs, xdr_TQGetListEntryArgs6, TQGetListEntryResult, xdr_TQGetListEntryResult6>(S, 6, 6, 5),
    codec<TQGetListEntryArgs, xdr_TQGetListEntryArgs2, TQGetListEntryResult, xdr_TQGetListEntryResult4>(S, 4, 5, 5),
    codec<TQGetListEntryArgs, xdr_TQGetListEntryArgs2, TQGetListEntryResultOld, xdr_TQGetListEntryResult2>(S, 2, 3, 5, kTQRelayResult),
    // 36 TQGetServerInfo
    codec<TQGetServerInfoArgs, xdr_TQGetServerInfoArgs6, TQGetServerInfoResult, xdr_TQGetServerInfoResult6>(S, 6, 6, 36),
    codec<TQGetServerInfoArgs, xdr_TQGetServerInfoArgs2, TQGetServerInfoResult, xdr_TQGetServerInfoResult2>(S, 2, 5, 36),
    // 37 TQMergeEntry
    codec<TQMergeEntryArgs, xdr_TQMergeEntryArgs6, TQEntryIdResult, xdr_TQEntryIdResult6>(S, 6, 6, 37),
    codec<TQMergeEntryArgs, xdr_TQMergeEntryArgs4, TQEntryIdResult, xdr_TQEntryIdResult2>(S, 4, 5, 37, kTQRelayArgs),
    codec<TQMergeEntryArgsOld, xdr_TQMergeEntryArgs2, TQEntryIdResult, xdr_TQEntryIdResult2>(S, 2, 3, 37, kTQRelayArgs),
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
  const int row = program == TQProgram::kServer ? tqProcedureRow(number) : -1;
  const TQProcedureInfo none{number, directoryProcedureName(number), 0, TQTimeout::kNormal,
                             0,      true,                           false};
  const TQProcedureInfo& info = row >= 0 ? kTQServerProcedures[row] : none;
  TQProcedure p{program,
                version,
                number,
                slot,
                info.name,
                nullptr,
                nullptr,
                0,
                0,
                nullptr,
                nullptr,
                info.read,
                info.chunkedReply,
                false,
                -1,
                kTQRelayNone};
  for (const Codec& c : kCodecs) {
    if (c.program == program && c.number == number && version >= c.firstVersion &&
        version <= c.lastVersion) {
      p.xdrArgs = c.xdrArgs;
      p.xdrResult = c.xdrResult;
      p.argSize = c.argSize;
      p.resultSize = c.resultSize;
      p.argType = c.argType;
      p.resultType = c.resultType;
      p.callHeader = c.callHeader;
      p.statusOffset = c.statusOffset;
      if (version == c.lastVersion) p.relay = c.relay;
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

// The first server-program procedure number whose records differ between a
// version range and the next higher one while the codec list names no
// translation step for them; 0 when there is none. (The two versions of the
// queue directory are told apart by the directory's own code.)
constexpr uint32_t layoutChangeWithoutStep() {
  for (const Codec& lower : kCodecs) {
    for (const Codec& upper : kCodecs) {
      if (lower.program != TQProgram::kServer || upper.program != TQProgram::kServer ||
          lower.number != upper.number || lower.lastVersion + 1 != upper.firstVersion) {
        continue;
      }
      if (lower.argName != upper.argName && (lower.relay & kTQRelayArgs) == 0) return lower.number;
      if (lower.resultName != upper.resultName && (lower.relay & kTQRelayResult) == 0) {
        return lower.number;
      }
    }
  }
  return 0;
}

static_assert(layoutChangeWithoutStep() == 0,
              "a procedure's records differ between two versions without a translation step");

// Every procedure number of the codec list has its row.
constexpr bool everyCodecHasItsRow() {
  for (const Codec& c : kCodecs) {
    if (c.program == TQProgram::kServer && tqProcedureRow(c.number) < 0) return false;
  }
  return true;
}
static_assert(everyCodecHasItsRow(), "a codec names a procedure that has no row");

static_assert(kTable[kTQProcedureCount - 1].program == TQProgram::kDirectory &&
                  kTable[kTQProcedureCount - 1].number == 3,
              "the table has exactly one slot per stub");

}  // namespace

const TQProcedure& tqProcedureAt(uint32_t slot) {
  return kTable[slot];
}

void tqReleaseResultParts(const TQProcedure& procedure, void* result) {
  if (result == nullptr || procedure.xdrResult == nullptr) return;
  XDR freer{};
  freer.x_op = XDR_FREE;
  procedure.xdrResult(&freer, result);
  std::memset(result, 0, procedure.resultSize);
}

TQStatusList* tqResultStatus(const TQProcedure& procedure, void* result) {
  if (result == nullptr || procedure.statusOffset < 0) return nullptr;
  return reinterpret_cast<TQStatusList*>(static_cast<char*>(result) + procedure.statusOffset);
}

const TQProcedure* tqFindProcedure(TQProgram program, uint32_t version, uint32_t number) {
  for (const TQProcedure& p : kTable) {
    if (p.program == program && p.version == version && p.number == number) return &p;
  }
  return nullptr;
}
