// Summary of a benchmark run: one table per corpus with the throughput and
// output size of every route, each compared with raw zlib at the same level.
#ifndef BENCH_TQPACK_REPORT_H
#define BENCH_TQPACK_REPORT_H

#include <benchmark/benchmark.h>

#include <cstddef>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace tqbench {

// What a benchmark measures; it is registered under the name this gives.
struct Case {
  std::string corpus;
  std::string route;  // "zlib raw", "libdeflate raw", "tqpack buffer->buffer", ...
  int level = 6;      // the level packed at (for unpacking: the level of the input)
  bool pack = true;
  std::string name() const;
};

// The console output as usual, and the best throughput (per CPU second) of
// every case kept: with repetitions, the fastest run is the least disturbed.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void add(const Case& c, size_t inputBytes);
  void ReportRuns(const std::vector<Run>& runs) override;
  // Prints the tables; `sizes` are the packed sizes by (corpus, route, level).
  void printSummary(const std::map<std::tuple<std::string, std::string, int>, size_t>& sizes) const;

 private:
  struct Entry {
    Case c;
    size_t inputBytes = 0;
    double bestMBps = 0;
  };
  std::map<std::string, Entry> entries_;  // by benchmark name
  std::vector<std::string> order_;
};

}  // namespace tqbench

#endif  // BENCH_TQPACK_REPORT_H
