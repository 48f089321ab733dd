// A raw TCP peer of the server for tests that misbehave on purpose: it
// sends any bytes in any pieces, and reads the answers or never does.
#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

namespace tqsdtest {

using Bytes = std::vector<uint8_t>;

class RawPeer {
 public:
  // Connects to 127.0.0.1 on the port; throws std::runtime_error when that
  // fails.
  explicit RawPeer(uint16_t port);
  ~RawPeer();
  RawPeer(const RawPeer&) = delete;
  RawPeer& operator=(const RawPeer&) = delete;

  // Sends every byte, waiting as long as it takes; false when the
  // connection failed.
  bool send(const Bytes& bytes);
  // Sends what the socket takes now, without waiting; the number sent.
  size_t sendWhatFits(const Bytes& bytes, size_t from = 0);
  // Whether the server closes the connection within the timeout (end of
  // stream or reset); what arrives meanwhile is read and dropped.
  bool closedByServer(std::chrono::seconds timeout);
  // One whole reply record, its fragments joined, within the timeout;
  // empty when none came.
  Bytes readRecord(std::chrono::seconds timeout);

 private:
  bool readExactly(uint8_t* into, size_t size, std::chrono::steady_clock::time_point deadline);

  int fd_ = -1;
};

// A record mark: the length and the last-fragment bit.
Bytes recordMark(uint32_t length, bool last);

// A whole record (one fragment) of a version-6 procedure-36 call asking for
// the codes, as Demo.
Bytes serverInfoCall(uint32_t xid, const std::vector<uint32_t>& codes);

// The xid of a reply record (its first word); 0 for a record too short.
uint32_t replyXid(const Bytes& record);

}  // namespace tqsdtest
