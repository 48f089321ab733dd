// Record assembly and the answer of a connection (see connection.h).
#include "connection.h"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tqsd {
namespace {

constexpr uint32_t kLastFragment = 0x80000000u;
constexpr size_t kMarkSize = 4;

// Room kept after a record or an answer; larger rooms are given back.
constexpr size_t kKeptRoom = 64 * 1024;

void dropRoom(std::string& bytes) {
  bytes.clear();
  if (bytes.capacity() > kKeptRoom) std::string().swap(bytes);
}

}  // namespace

Connection::Io Connection::readSocket() {
  // One buffer for the reads of every connection (the loop runs one
  // thread); the input keeps only what came, and only the part of it that
  // is not taken into a record yet (at most one read's worth).
  static char buffer[kInputChunk];
  input_.erase(0, inputTaken_);
  inputTaken_ = 0;
  ssize_t count = recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
  if (count > 0) {
    input_.append(buffer, static_cast<size_t>(count));
    return Io::kDone;
  }
  if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
    return Io::kWouldBlock;
  }
  return Io::kClosed;
}

Connection::Assembly Connection::assemble(uint32_t maxRecord) {
  while (inputTaken_ < input_.size() || (!inFragment_ && lastFragment_)) {
    if (!inFragment_) {
      if (lastFragment_) {
        // The last fragment is in: the record is whole.
        lastFragment_ = false;
        needsInput_ = false;
        return Assembly::kComplete;
      }
      if (input_.size() - inputTaken_ < kMarkSize) break;
      uint32_t mark = 0;
      std::memcpy(&mark, input_.data() + inputTaken_, kMarkSize);
      mark = ntohl(mark);
      inputTaken_ += kMarkSize;
      const uint32_t length = mark & ~kLastFragment;
      if (length > maxRecord - std::min<size_t>(record_.size(), maxRecord)) {
        return Assembly::kTooLong;
      }
      fragmentLeft_ = length;
      inFragment_ = true;
      lastFragment_ = (mark & kLastFragment) != 0;
    }
    const size_t take = std::min<size_t>(fragmentLeft_, input_.size() - inputTaken_);
    record_.append(input_, inputTaken_, take);
    inputTaken_ += take;
    fragmentLeft_ -= static_cast<uint32_t>(take);
    if (fragmentLeft_ == 0) inFragment_ = false;
  }
  if (inputTaken_ == input_.size()) {
    // All read bytes are taken: the input's room is not needed until the
    // next read.
    std::string().swap(input_);
    inputTaken_ = 0;
  }
  needsInput_ = true;
  return Assembly::kNeedMore;
}

void Connection::finishRecord() {
  dropRoom(record_);
}

void Connection::setAnswer(std::string bytes, Clock::time_point notBefore) {
  answer_ = std::move(bytes);
  answerSent_ = 0;
  notBefore_ = notBefore;
}

Connection::Io Connection::writeSocket(Clock::time_point now) {
  while (hasAnswer()) {
    ssize_t count = send(fd_, answer_.data() + answerSent_, answer_.size() - answerSent_,
                         MSG_NOSIGNAL | MSG_DONTWAIT);
    if (count < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == EWOULDBLOCK) return Io::kWouldBlock;
      return Io::kClosed;
    }
    answerSent_ += static_cast<size_t>(count);
    lastProgress_ = now;
  }
  std::string().swap(answer_);
  answerSent_ = 0;
  return Io::kDone;
}

}  // namespace tqsd
