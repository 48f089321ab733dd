// A hostile peer of the tests: a fake server on loopback that reads each
// call of the server program (any program number) and answers it as the
// test's script says: with a proper result, or with one of the broken
// replies a real network or a faulty server produces. Calls of the queue
// directory are answered "program unavailable".
//
//   tqtest::HostilePeer peer([](uint32_t procedure, uint32_t nth) {
//     return procedure == 1 ? tqtest::PeerAnswer::kEmptyFragments
//                           : tqtest::PeerAnswer::kResult;
//   });
//   ... point the client at 127.0.0.1:peer.port() ...
//   EXPECT_EQ(peer.calls(1), 2u);
//
// A proper result is the procedure's version-6 result with nothing in it
// (an empty status list), except for server information, which names the
// peer's character set. Every connection is served by a thread of its own;
// the destructor ends them all.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tqtest {

enum class PeerAnswer {
  kResult,          // the proper reply
  kResultThenClose, // the proper reply, then the connection closes
  kEmptyFragments,  // two empty, non-final record fragments, then silence
  kTruncated,       // half of the proper reply, then the connection closes
  kUndecodable,     // a whole reply whose result cannot be decoded
  kTrickle,         // the proper reply, one byte every 300 ms
  kHugeCount,       // a list count of 2^31-1 with items streaming in without end
  kDropAfterRead,   // the request is read (and counted), then the connection closes
};

class HostilePeer {
 public:
  // The script is asked for every call: the procedure and how many calls of
  // it (this one included) the peer has read.
  using Script = std::function<PeerAnswer(uint32_t procedure, uint32_t nth)>;

  explicit HostilePeer(Script script, std::string charSet = "en_US.UTF-8");
  ~HostilePeer();
  HostilePeer(const HostilePeer&) = delete;
  HostilePeer& operator=(const HostilePeer&) = delete;

  uint16_t port() const { return port_; }
  // Calls of a procedure that the peer read.
  uint32_t calls(uint32_t procedure) const;

 private:
  void acceptLoop();
  void serve(int fd);
  PeerAnswer count(uint32_t procedure);

  Script script_;
  std::string charSet_;
  int listener_ = -1;
  uint16_t port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread acceptor_;
  mutable std::mutex lock_;
  std::map<uint32_t, uint32_t> calls_;
  std::vector<std::thread> connections_;
};

// A loopback port on which nothing listens.
uint16_t deadPort();

// The process's peak resident memory, in bytes, and a reset of that peak
// (false when the system does not allow it).
size_t peakResidentBytes();
bool resetPeakResident();

}  // namespace tqtest
