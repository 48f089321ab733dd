// Status lists and message texts: the internal side of the services that
// tqlink_services.h exports (TQAppendStatus, TQMergeStatus, TQMessageText,
// TQCatalogText, TQSystemErrorText, TQVersionText, ...). Internal code calls
// those exported names directly; this header adds the constants and helpers
// that only the library itself needs.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tqlink_services.h"

// Longest message or appended text kept in a status item, in bytes (the
// terminator comes on top).
inline constexpr size_t kTQMaxStatusText = 255;

// Size of a message-text buffer: the text and its terminator.
inline constexpr size_t kTQMessageBufferSize = kTQMaxStatusText + 1;

// Message numbers the status services produce themselves.
inline constexpr int32_t kTQMsgMissingTemplate = 1;  // set 1: "Message not in catalog; ..."
inline constexpr int32_t kTQMsgNoMemory = 154;

// Catalog sets.
inline constexpr int32_t kTQCatalogSetMessages = 1;
inline constexpr int32_t kTQCatalogSetKeywords = 2;
inline constexpr int32_t kTQCatalogSetEnvironment = 255;

// Whether the calling thread has a current session. The per-thread text
// buffers belong to that session; the services that need them (system error
// text, catalog text) answer with their "no session" fallback when there is
// none. Until the session frame provides the thread's session here, every
// thread counts as having one.
bool tqThreadHasSession();

// Copies at most maxBytes bytes of src into dst and terminates it, cutting
// only at a character boundary so that no multibyte character is split.
// dst must hold maxBytes + 1 bytes. Returns the number of bytes copied.
size_t tqCopyTextCut(char* dst, const char* src, size_t maxBytes);

// The length of src when cut to at most maxBytes bytes at a character
// boundary.
size_t tqTextCutLength(const char* src, size_t maxBytes);
