// The client stubs and the result buffers (see stubs.h).
#include "rpc/stubs.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "rpc/tqwire.h"
#include "share/apisrv/call_context.h"

namespace {

template <uint32_t Slot>
void* stubAt(void* args, CLIENT* client) {
  return tqCallProcedure(tqProcedureAt(Slot), args, client);
}

template <uint32_t... Slots>
constexpr std::array<TQStub, sizeof...(Slots)> makeStubs(
    std::integer_sequence<uint32_t, Slots...>) {
  return {&stubAt<Slots>...};
}

constexpr std::array<TQStub, kTQProcedureCount> kStubs =
    makeStubs(std::make_integer_sequence<uint32_t, kTQProcedureCount>{});

}  // namespace

void* tqCallProcedure(const TQProcedure& procedure, void* args, CLIENT* client) {
  if (!tqHasRoutines(procedure) || client == nullptr) return nullptr;
  void* result = tqResultBuffer(procedure.resultSize, procedure.slot, kTQProcedureCount);
  if (result == nullptr) return nullptr;
  std::memset(result, 0, procedure.resultSize);
  const enum clnt_stat status =
      tqwCall(client, procedure.number, reinterpret_cast<xdrproc_t>(procedure.xdrArgs), args,
              reinterpret_cast<xdrproc_t>(procedure.xdrResult), result, kTQStubTimeout);
  if (status == RPC_SUCCESS) return result;
  // A result decoded in part (a broken reply) is released, not left behind.
  tqReleaseResultParts(procedure, result);
  return nullptr;
}

TQStub tqStubAt(uint32_t slot) {
  return slot < kTQProcedureCount ? kStubs[slot] : nullptr;
}

TQStub tqStubOf(TQProgram program, uint32_t version, uint32_t number) {
  const TQProcedure* procedure = tqFindProcedure(program, version, number);
  return procedure != nullptr ? kStubs[procedure->slot] : nullptr;
}

const TQProcedure* tqProcedureOfStub(TQStub stub) {
  for (uint32_t slot = 0; slot < kTQProcedureCount; ++slot) {
    if (kStubs[slot] == stub) return &tqProcedureAt(slot);
  }
  return nullptr;
}

void* tqResultBuffer(size_t size, uint32_t slot, uint32_t tableSize) {
  TQCallContext* context = tqCurrentCallContext();
  if (context == nullptr) return nullptr;
  if (context->resultSlots == nullptr) {
    context->resultSlots = static_cast<void**>(std::calloc(tableSize, sizeof(void*)));
    if (context->resultSlots == nullptr) return nullptr;
    context->resultSlotCount = tableSize;
  }
  if (slot >= context->resultSlotCount) return nullptr;
  if (context->resultSlots[slot] == nullptr) {
    context->resultSlots[slot] = std::malloc(size == 0 ? 1 : size);
  }
  return context->resultSlots[slot];
}

void tqFreeResultBuffers(TQCallContext* context) {
  if (context == nullptr || context->resultSlots == nullptr) return;
  for (uint32_t slot = 0; slot < context->resultSlotCount; ++slot) {
    std::free(context->resultSlots[slot]);
  }
  std::free(context->resultSlots);
  context->resultSlots = nullptr;
  context->resultSlotCount = 0;
}
