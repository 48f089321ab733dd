// The client stubs and the result buffers (see stubs.h).
#include "rpc/stubs.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "api/tqb_session.h"
#include "rpc/tqwire.h"

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
  XDR freer{};
  freer.x_op = XDR_FREE;
  procedure.xdrResult(&freer, result);
  std::memset(result, 0, procedure.resultSize);
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
  TQSessionStruct* session = tqCurrentSession();
  if (session == nullptr) return nullptr;
  if (session->resultSlots == nullptr) {
    session->resultSlots = static_cast<void**>(std::calloc(tableSize, sizeof(void*)));
    if (session->resultSlots == nullptr) return nullptr;
    session->resultSlotCount = tableSize;
  }
  if (slot >= session->resultSlotCount) return nullptr;
  if (session->resultSlots[slot] == nullptr) {
    session->resultSlots[slot] = std::malloc(size == 0 ? 1 : size);
  }
  return session->resultSlots[slot];
}

void tqFreeResultBuffers(TQSessionStruct* session) {
  if (session == nullptr || session->resultSlots == nullptr) return;
  for (uint32_t slot = 0; slot < session->resultSlotCount; ++slot) {
    std::free(session->resultSlots[slot]);
  }
  std::free(session->resultSlots);
  session->resultSlots = nullptr;
  session->resultSlotCount = 0;
}
