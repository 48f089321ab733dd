// The procedure table: every remote procedure of every program and
// protocol version, and everything the library and the reference server
// know of it, in one place:
//
//  - per procedure number (procedures_server.inc, visible at compile time):
//    its name, the channel, timeout class and time-out message of the
//    operation that calls it, whether it only reads, whether its reply is
//    one chunk;
//  - per version range (the codec list of procedures.cpp and
//    procedures_defs.inc): the argument and result records and their
//    routines, and the translation step that carries the records between
//    the range and the next higher version when their layouts differ. A
//    range whose records differ from the next one's without a step does not
//    compile.
//
// Derived from it: the result-buffer slots, the stubs (stubs.h), whether a
// record starts with the call header, where the status list sits in a
// result, the operations' call plans, the translation's status lookup and
// the reference server's version ranges.
//
// Server program (390600, the query programs 390635 to 390669 and any
// configured number): version 6 has procedures 1-78, 80, 90-93; version 5
// 1-72, 90-93; version 4 1-66, 90-93; version 3 1-59, 90-93; version 2 1-47,
// 90-93. Queue directory 390604: version 2 has 1-3, version 1 has 1 and 2.
// The slots follow that order: versions 2, 3, 4, 5, 6 of the server program,
// then the directory's versions 1 and 2 — 348 in all.
//
// Adding a procedure: write its records (procedure_records.h) and routines,
// then add one codec line to the list in procedures.cpp (or
// procedures_defs.inc) per version range.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "rpc/xdr_base.h"
#include "share/apisrv/messages.h"
#include "tqlink.h"

// Program numbers: the server's default program, the queue directory, and
// the range of the query programs (each with its own port and cache id).
inline constexpr uint32_t kTQServerProgram = 390600;
inline constexpr uint32_t kTQDirectoryProgram = 390604;
inline constexpr uint32_t kTQFirstQueryProgram = 390635;
inline constexpr uint32_t kTQLastQueryProgram = 390669;
inline constexpr uint32_t kTQProcedureCount = 348;

// Protocol versions of the server program.
inline constexpr uint32_t kTQNewestProtocol = 6;
inline constexpr uint32_t kTQOldestProtocol = 2;

enum class TQProgram : uint8_t { kServer, kDirectory };

// The three channels of a session, each its own program on the server host:
// definition changes, entry operations and reads, list queries.
inline constexpr int kTQChannelAdmin = 0;
inline constexpr int kTQChannelGeneral = 1;
inline constexpr int kTQChannelQuery = 2;
inline constexpr int kTQChannelCount = 3;

// Which of the session's timeouts a call waits.
enum class TQTimeout : uint8_t { kNormal, kLong, kExtraLong };

// A procedure of the server program as the operations call it.
struct TQProcedureInfo {
  uint32_t number;
  const char* name;  // the operation that calls it, or what it does
  int channel;
  TQTimeout timeout;
  int32_t timeoutMessage;  // reported when the call times out
  // A read changes nothing on the server, so a call whose reply was lost may
  // be sent again; any other call whose fate is unknown must not be.
  bool read;
  // The reply carries one chunk of at most the response size that the
  // arguments name (export texts, attachment data).
  bool chunkedReply;
};

#include "rpc/procedures_server.inc"

// The index of a server-program procedure number's row; -1 for a number
// that no version has. (Compile-time users go by the index: some compilers
// do not compare addresses in constant expressions under the sanitizers.)
constexpr int tqProcedureRow(uint32_t number) {
  for (size_t i = 0; i < std::size(kTQServerProcedures); ++i) {
    if (kTQServerProcedures[i].number == number) return static_cast<int>(i);
  }
  return -1;
}

// The row of a server-program procedure number; nullptr for a number that
// no version has.
constexpr const TQProcedureInfo* tqProcedureInfo(uint32_t number) {
  const int row = tqProcedureRow(number);
  return row < 0 ? nullptr : &kTQServerProcedures[row];
}

// Which records the translation step between a version range and the next
// higher version re-lays (the arguments on the way down, the result on the
// way up); the others only change their stub.
enum TQRelay : uint8_t { kTQRelayNone = 0, kTQRelayArgs = 1, kTQRelayResult = 2 };

// A tag per in-memory record type, so that the table can tell whether two
// versions use the same record: its address at run time, its name (which
// names the type) at compile time.
template <class T>
inline constexpr char kTQRecordTag = 0;
using TQRecordType = const char*;
template <class T>
constexpr std::string_view tqRecordName() {
  return __PRETTY_FUNCTION__;
}

struct TQProcedure {
  TQProgram program;
  uint32_t version;
  uint32_t number;
  uint32_t slot;        // index into the session's result buffers
  const char* name;     // the operation that calls it, or what it does
  tqx::Proc xdrArgs;    // nullptr while the procedure has no routines yet
  tqx::Proc xdrResult;  // releases a partly decoded result on failure
  uint32_t argSize;     // sizes of the in-memory records
  uint32_t resultSize;
  TQRecordType argType;  // nullptr while the procedure has no routines
  TQRecordType resultType;
  bool read;          // see TQProcedureInfo; every directory procedure reads
  bool chunkedReply;  // see TQProcedureInfo
  // The argument and result records start with the call header.
  bool callHeader;
  // Where the status list sits in the result record; -1 when it has none.
  int32_t statusOffset;
  // The translation step between this version and the next higher one
  // re-lays these records (TQRelay bits).
  uint8_t relay;
};

// The procedure of a slot (0 to 347).
const TQProcedure& tqProcedureAt(uint32_t slot);

// The procedure of a program, version and number; nullptr when that version
// of the program has no such procedure.
const TQProcedure* tqFindProcedure(TQProgram program, uint32_t version, uint32_t number);

// True when the procedure's records can be encoded and decoded.
inline bool tqHasRoutines(const TQProcedure& procedure) {
  return procedure.xdrArgs != nullptr && procedure.xdrResult != nullptr;
}

// Releases everything a result record of the procedure holds (its result
// routine in the free direction) and clears the record; the record's own
// memory stays. Nothing happens without routines or record.
void tqReleaseResultParts(const TQProcedure& procedure, void* result);

// The status list inside a result record of the procedure; nullptr when the
// result has none.
TQStatusList* tqResultStatus(const TQProcedure& procedure, void* result);
