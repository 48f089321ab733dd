// One client connection of the TCP endpoint, as the serving loop keeps it:
// the call records it sends, assembled from their fragments as the bytes
// come in, and the answer waiting to be written. Nothing here blocks: the
// loop reads and writes only what the socket takes at the moment.
//
// Bounds: a record may be at most --max-record bytes in all its fragments
// (a mark announcing more closes the connection before anything is
// allocated for it); a record's room grows only with the bytes that really
// arrive; at most one answer waits per connection, and no further record is
// read or served until it has been taken, so a client that sends calls and
// never reads the answers holds one answer and the socket's buffers, no
// more. An idle connection holds no buffer at all.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tqsd {

using Clock = std::chrono::steady_clock;

class Connection {
 public:
  // What the bytes read so far amount to.
  enum class Assembly {
    kNeedMore,  // no whole record yet
    kComplete,  // record() holds a whole record
    kTooLong,   // the record exceeds the limit: the connection is to be closed
  };

  Connection(int fd, Clock::time_point now) : fd_(fd), lastProgress_(now) {}

  int fd() const { return fd_; }

  // What a read or a write of the socket came to.
  enum class Io {
    kDone,        // bytes moved (or, for a write, nothing was left to write)
    kWouldBlock,  // the socket takes or has nothing now
    kClosed,      // the peer went away, or the socket failed
  };

  // Reads what the socket has, up to one chunk.
  Io readSocket();
  // Whether more input may be read now: no answer waits, and the bytes read
  // so far make no whole record.
  bool wantsInput() const { return !hasAnswer() && needsInput_; }

  // Takes the unread input into the current record, fragment by fragment.
  Assembly assemble(uint32_t maxRecord);
  const std::string& record() const { return record_; }
  // Drops the record that was served (and its room when it was large).
  void finishRecord();

  // The answer to write, held back until `notBefore`.
  void setAnswer(std::string bytes, Clock::time_point notBefore);
  bool hasAnswer() const { return answerSent_ < answer_.size(); }
  bool answerHeld(Clock::time_point now) const { return hasAnswer() && now < notBefore_; }
  Clock::time_point notBefore() const { return notBefore_; }
  // Writes what the socket takes of the answer; the answer's room is
  // dropped once all of it is out.
  Io writeSocket(Clock::time_point now);

  // Progress: a record completed, or some of an answer taken. A connection
  // without progress for the idle time is closed.
  void progressed(Clock::time_point now) { lastProgress_ = now; }
  bool idleSince(Clock::time_point since) const {
    return lastProgress_ < since && !(hasAnswer() && notBefore_ >= since);
  }

  static constexpr size_t kInputChunk = 64 * 1024;

  // The events the loop watches the socket for (the loop's own record).
  uint32_t watching = 0;

 private:
  int fd_;
  std::string input_;       // bytes read by the last read
  size_t inputTaken_ = 0;   // how many of them went into records
  std::string record_;      // the record so far
  uint32_t fragmentLeft_ = 0;
  bool inFragment_ = false;
  bool lastFragment_ = false;
  bool needsInput_ = true;  // the last assembly wanted more bytes
  std::string answer_;
  size_t answerSent_ = 0;
  Clock::time_point notBefore_{};
  Clock::time_point lastProgress_;
};

}  // namespace tqsd
