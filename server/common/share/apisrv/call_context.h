// The per-thread call context: what the wire routines, the text conversions
// and the text services need of the call in progress without being handed a
// control record. The client's session embeds one and makes it current at
// every session lookup; the reference server keeps one of its own. A thread
// has at most one current context, kept in one thread-local slot.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Longest message or appended text kept in a status item, in bytes (the
// terminator comes on top).
inline constexpr size_t kTQMaxStatusText = 255;

// Size of a message-text buffer: the text and its terminator.
inline constexpr size_t kTQMessageBufferSize = kTQMaxStatusText + 1;

// The buffers of the text services that return a pointer (system error
// text, catalog text, version text). A returned text stays valid until the
// next call of the same service on the same thread.
struct TQCallTexts {
  char systemError[kTQMessageBufferSize] = {};
  char catalog[kTQMessageBufferSize] = {};
  std::string version;
};

struct TQCallContext {
  // Character sets of the client's texts and of the server's; equal sets
  // pass texts through unchanged.
  int32_t clientCodePage = 0;
  int32_t serverCodePage = 0;
  // Non-zero while counted texts travel unconverted.
  uint8_t noConversion = 0;
  // The stubs' result records, one per procedure slot, created on first use
  // and released with tqFreeResultBuffers.
  uint32_t resultSlotCount = 0;
  void** resultSlots = nullptr;
  TQCallTexts texts;
};

// The calling thread's current context, or nullptr.
TQCallContext* tqCurrentCallContext();

// Makes `context` the thread's current one; `owner` is the object that
// embeds it (the session), handed back by tqCurrentCallOwner so that the
// layer above finds its own record without a cast across types. nullptr
// clears both.
void tqSetCurrentCallContext(TQCallContext* context, void* owner = nullptr);
void* tqCurrentCallOwner();

// The text buffers of the thread: the current context's, or the thread's
// own while no context is current.
TQCallTexts& tqCallTexts();
