// The recorded operations: one row per operation with its command code and
// the walks of its argument and result records (log_walk.h), from which
// the command log, the result log and the replay of a command log all come.
#pragma once

#include <cstdint>

#include "api/tqb_frame.h"

class TQCommandWriter;
class TQResultPrinter;
class TQLogReader;

struct TQRecordRow {
  const char* name;    // the operation
  const char* header;  // the name its command block shows
  const char* code;    // its command code
  // The call plan, for replaying the call; nullptr for operations that are
  // not replayed through the frame (session start and end, local services).
  const TQCallPlan* (*plan)();
  // Each nullptr when the record has no walk yet.
  void (*write)(TQCommandWriter& writer, void* args);
  void (*print)(TQResultPrinter& printer, void* result);
  // Reads the arguments from the log and, with a plan, performs the call:
  // its return code, or kTQFrameGoOn when it was not performed.
  uint32_t (*replay)(TQLogReader& reader, const TQCallPlan* plan, TQControlStruct* control,
                     TQStatusList* status);
};

// The command blocks of the calls whose requests are not their arguments:
// an export's items and display tag, an import's items (the data stands as
// a fixed line in both), and the place a TQGetEntryBLOB call delivers to.
struct TQExportRecord {
  TQStructItemList items;
  char* displayTag;
};
struct TQImportRecord {
  TQStructItemList items;
};
struct TQGetEntryBLOBRecord {
  char* schema;
  TQEntryIdList entryId;
  uint32_t fieldId;
  TQLocStruct loc;
};

const TQRecordRow* tqRecordRowByName(const char* name);
const TQRecordRow* tqRecordRowByCode(const char* code);

// Takes the end time of a recorded call, from which the next call's pause
// is measured.
void tqRecordEndTime(TQSessionStruct* session);

// The clock of the pauses, in microseconds since 1970; a test may replace
// it (nullptr restores the system clock).
using TQRecordClock = int64_t (*)();
void tqRecordSetClock(TQRecordClock clock);
