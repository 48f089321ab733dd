// The replies of chunked transfers (see chunk_reply.h).
#include "chunk_reply.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "share/apisrv/messages.h"

namespace tqsd {
namespace {

constexpr uint32_t kSmallestReply = 4096;
constexpr uint32_t kLargestReply = 1000000;
constexpr uint32_t kReplyOverhead = 500;

}  // namespace

std::string chunkPrefix(bool packed, uint32_t total) {
  const uint32_t words[2] = {htonl(packed ? 1u : 0u), htonl(total)};
  return std::string(reinterpret_cast<const char*>(words), sizeof words);
}

uint32_t chunkRoom(uint32_t responseSize) {
  return std::clamp(responseSize, kSmallestReply, kLargestReply) - kReplyOverhead;
}

bool answerChunk(Call& call, const std::string& bytes, char** chunk, uint32_t* length) {
  *chunk = static_cast<char*>(std::malloc(bytes.empty() ? 1 : bytes.size()));
  if (*chunk == nullptr) {
    addStatus(call, TQ_MSG_ERROR, kTQMsgNoMemory);
    return false;
  }
  std::memcpy(*chunk, bytes.data(), bytes.size());
  *length = static_cast<uint32_t>(bytes.size());
  return true;
}

}  // namespace tqsd
