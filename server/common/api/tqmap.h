// Translation of calls and results between protocol version 6, in which
// every operation builds its records, and the versions 5 to 2 of older
// servers.
//
// A down-translation walks 6 -> 5 -> ... -> the server's version, each step
// replacing the stub by the lower version's stub (or a substitute) and
// re-laying the argument record where the layouts differ; the
// up-translation walks the result back to version 6. A procedure that a step
// does not know passes that step unchanged.
#pragma once

#include <cstdint>

#include "api/tqb_session.h"
#include "rpc/procedures.h"
#include "rpc/stubs.h"

// The arguments to send to a server of `version`; *stub becomes the stub to
// call. Returns `args` itself when the records need no change.
void* tqmapDown(TQStub* stub, void* args, uint32_t version);

// The version-6 form of a result that `*stub` received from a server of
// `version`; *stub becomes the version-6 stub. nullptr when memory ran out.
void* tqmapUp(TQStub* stub, void* result, uint32_t version);

// The status list inside a version-6 result of a procedure (from the
// procedure table); nullptr for a result without one.
TQStatusList* tqmapResultStatus(uint32_t procedure, void* result);

// True when the step between version `lower` and the next higher one has
// its routine for the record the procedure table says it re-lays.
bool tqmapHasStep(uint32_t number, uint32_t lower, TQRelay which);

// True for the substitutes that stand for an operation the server's version
// lacks and whose status makes the call fail.
bool tqmapIsFailingSubstitute(TQStub stub);

// Releases the session's translation buffers and caches (TQTermination).
void tqmapRelease(TQSessionStruct* session);
