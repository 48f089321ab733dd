// What the replies of chunked transfers share (attachment data, procedure
// 80; export texts, procedure 34): the data goes out behind an 8-byte
// prefix, two 32-bit numbers in network byte order (packed flag, data
// length), in chunks of at most the client's reply size (within 4096 to
// 1000000) less 500 bytes for the rest of the answer.
#pragma once

#include <cstdint>
#include <string>

#include "call.h"

namespace tqsd {

inline constexpr uint32_t kChunkPrefixSize = 8;

std::string chunkPrefix(bool packed, uint32_t total);

// The most data bytes one reply carries for a client's reply size.
uint32_t chunkRoom(uint32_t responseSize);

// The bytes as a reply's malloc'd chunk; false after error 154.
bool answerChunk(Call& call, const std::string& bytes, char** chunk, uint32_t* length);

}  // namespace tqsd
