// Call counters and the stats file (see call_stats.h).
#include "call_stats.h"

#include <cstdio>

namespace tqsd {

uint64_t CallStats::record(uint32_t program, uint32_t version, uint32_t procedure, bool directory) {
  ++counts_[{program, version, procedure}];
  uint64_t number = 0;
  if (!directory) number = ++serverCalls_;
  write();
  return number;
}

void CallStats::write() const {
  if (file_.empty()) return;
  // Written beside the file and renamed over it, so a reader never sees a
  // half-written file.
  std::string temp = file_ + ".tmp";
  FILE* out = std::fopen(temp.c_str(), "w");
  if (out == nullptr) return;
  for (const auto& [key, count] : counts_) {
    auto [program, version, procedure] = key;
    std::fprintf(out, "%u %u %u %llu\n", program, version, procedure,
                 static_cast<unsigned long long>(count));
  }
  bool ok = std::fclose(out) == 0;
  if (ok) std::rename(temp.c_str(), file_.c_str());
}

}  // namespace tqsd
