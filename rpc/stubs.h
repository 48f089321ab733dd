// The client stubs and the result buffers of the call context.
//
// A stub takes the argument record of its procedure and a connection, makes
// one call and returns the decoded result record, or nullptr. The result
// lives in the call context's buffer of that stub's slot and is reused by the
// next call of the same stub: callers take over the nested parts (lists,
// texts) and must not keep pointers into the buffer itself.
//
// There is one stub per table slot (procedures.h). A stub fails (nullptr)
// when the calling thread has no current call context, when memory runs out, when
// its procedure has no routines yet, or when the call does not succeed; the
// dispatcher then reads the call's error from the connection.
#pragma once

#include <rpc/rpc.h>

#include <cstddef>
#include <cstdint>

#include "rpc/procedures.h"

struct TQCallContext;

using TQStub = void* (*)(void* args, CLIENT* client);

// The per-call timeout of every stub; a timeout set on the connection
// (tqwSetTimeout) takes its place.
inline constexpr timeval kTQStubTimeout = {25, 0};

// The generic stub that every table slot's stub runs.
void* tqCallProcedure(const TQProcedure& procedure, void* args, CLIENT* client);

// The stub of a slot, of a procedure, or nullptr when there is none.
TQStub tqStubAt(uint32_t slot);
TQStub tqStubOf(TQProgram program, uint32_t version, uint32_t number);

// The procedure a stub calls; nullptr for a function that is not a stub
// (for instance a translation's substitute).
const TQProcedure* tqProcedureOfStub(TQStub stub);

// The result buffer of a slot in the calling thread's current call context:
// the context's table of tableSize pointers is created at first use, the slot's
// buffer of `size` bytes at its first use; neither is cleared here. nullptr
// without a current context, for a slot outside the table, or without memory.
void* tqResultBuffer(size_t size, uint32_t slot, uint32_t tableSize);

// Releases a context's result buffers and their table (at the end of a
// session). The nested parts of the results belong to the callers and are
// not touched.
void tqFreeResultBuffers(TQCallContext* context);
