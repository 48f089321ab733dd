// Status lists and message texts: the internal side of the services that
// tqlink_services.h exports (TQAppendStatus, TQMergeStatus, TQMessageText,
// TQCatalogText, TQSystemErrorText, TQVersionText, ...). Internal code calls
// those exported names directly; this header adds the constants and helpers
// that only the library itself needs.
#pragma once

#include <cstddef>
#include <cstdint>

#include "share/apisrv/call_context.h"
#include "share/apisrv/messages.h"
#include "tqlink_services.h"


// Catalog sets.
inline constexpr int32_t kTQCatalogSetMessages = 1;
inline constexpr int32_t kTQCatalogSetKeywords = 2;
inline constexpr int32_t kTQCatalogSetEnvironment = 255;

// Copies at most maxBytes bytes of src into dst and terminates it, cutting
// only at a character boundary so that no multibyte character is split.
// dst must hold maxBytes + 1 bytes. Returns the number of bytes copied.
size_t tqCopyTextCut(char* dst, const char* src, size_t maxBytes);

// The length of src when cut to at most maxBytes bytes at a character
// boundary.
size_t tqTextCutLength(const char* src, size_t maxBytes);
