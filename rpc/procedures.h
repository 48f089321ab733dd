// The procedure table: every remote procedure of every program and
// protocol version, with its number, name, result-buffer slot and, where
// they are written, its argument and result routines.
//
// Server program (390600, the query programs 390635 to 390669 and any
// configured number): version 6 has procedures 1-78, 80, 90-93; version 5
// 1-72, 90-93; version 4 1-66, 90-93; version 3 1-59, 90-93; version 2 1-47,
// 90-93. Queue directory 390604: version 2 has 1-3, version 1 has 1 and 2.
// The slots follow that order: versions 2, 3, 4, 5, 6 of the server program,
// then the directory's versions 1 and 2 — 348 in all.
//
// Adding a procedure: write its records (procedure_records.h) and routines,
// then add one codec line to the list in procedures.cpp.
#pragma once

#include <cstdint>

#include "rpc/xdr_base.h"

inline constexpr uint32_t kTQServerProgram = 390600;
inline constexpr uint32_t kTQDirectoryProgram = 390604;
inline constexpr uint32_t kTQProcedureCount = 348;

enum class TQProgram : uint8_t { kServer, kDirectory };

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
  // A read changes nothing on the server, so a call whose reply was lost may
  // be sent again; any other call whose fate is unknown must not be.
  bool read;
  // The reply carries one chunk of at most the response size that the
  // arguments name (export texts, attachment data).
  bool chunkedReply;
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
