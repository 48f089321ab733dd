// The thread-local slot of the call context (see call_context.h).
#include "share/apisrv/call_context.h"

namespace {

// Everything a thread keeps between calls: the current context, its owner,
// and the text buffers used while no context is current.
struct ThreadCallState {
  TQCallContext* context = nullptr;
  void* owner = nullptr;
  TQCallTexts ownTexts;
};

thread_local ThreadCallState threadState;

}  // namespace

TQCallContext* tqCurrentCallContext() {
  return threadState.context;
}

void tqSetCurrentCallContext(TQCallContext* context, void* owner) {
  threadState.context = context;
  threadState.owner = context != nullptr ? owner : nullptr;
}

void* tqCurrentCallOwner() {
  return threadState.owner;
}

TQCallTexts& tqCallTexts() {
  return threadState.context != nullptr ? threadState.context->texts : threadState.ownTexts;
}
