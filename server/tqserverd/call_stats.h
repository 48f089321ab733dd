// The server-wide call counters: one per (program, version, procedure) that
// reached the server, whatever became of the call (answered, refused, garbage,
// dropped). Calls that the RPC runtime turns away itself (an unknown program
// or version) never arrive here.
//
// With a stats file every arriving call rewrites the file before the call is
// worked on, so a client that got an answer (or a hang-up) always finds its
// call counted. One line per counter: "program version procedure count".
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>

namespace tqsd {

class CallStats {
 public:
  explicit CallStats(std::string file) : file_(std::move(file)) {}

  // Counts one call and rewrites the file. Returns the number of calls of
  // the server program (not the directory) so far, this one included, or 0
  // for a directory call.
  uint64_t record(uint32_t program, uint32_t version, uint32_t procedure, bool directory);

  // The calls of the server program so far.
  uint64_t serverCalls() const { return serverCalls_; }

  // Writes the file (an empty one before the first call).
  void write() const;

 private:
  std::string file_;
  std::map<std::tuple<uint32_t, uint32_t, uint32_t>, uint64_t> counts_;
  uint64_t serverCalls_ = 0;
};

}  // namespace tqsd
