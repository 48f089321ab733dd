#include "bench/tqpack/tqpack_bench_report.h"

#include <cstdio>

namespace tqbench {

std::string Case::name() const {
  return std::string(pack ? "pack/" : "unpack/") + corpus + "/" + route + "/" +
         std::to_string(level);
}

void SummaryReporter::add(const Case& c, size_t inputBytes) {
  std::string name = c.name();
  if (!entries_.count(name)) order_.push_back(name);
  entries_[name] = {c, inputBytes, 0};
}

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
    // Registered names may carry suffixes such as "/real_time".
    for (auto& [name, entry] : entries_) {
      if (run.benchmark_name().rfind(name + "/", 0) != 0 && run.benchmark_name() != name) continue;
      if (run.cpu_accumulated_time <= 0) continue;
      double mbps =
          double(run.iterations) * double(entry.inputBytes) / run.cpu_accumulated_time / 1e6;
      if (mbps > entry.bestMBps) entry.bestMBps = mbps;
    }
  }
}

void SummaryReporter::printSummary(
    const std::map<std::tuple<std::string, std::string, int>, size_t>& sizes) const {
  auto speed = [&](const std::string& corpus, const std::string& route, int level, bool pack) {
    auto it = entries_.find(Case{corpus, route, level, pack}.name());
    return it == entries_.end() ? 0.0 : it->second.bestMBps;
  };
  std::vector<std::string> corpora;
  std::vector<std::pair<std::string, int>> rows;  // (route, level) in registration order
  for (const std::string& name : order_) {
    const Case& c = entries_.at(name).c;
    bool seenCorpus = false, seenRow = false;
    for (auto& k : corpora)
      seenCorpus |= k == c.corpus;
    for (auto& r : rows)
      seenRow |= r.first == c.route && r.second == c.level;
    if (!seenCorpus) corpora.push_back(c.corpus);
    if (!seenRow) rows.emplace_back(c.route, c.level);
  }
  std::printf(
      "\nSummary: MB/s = 10^6 uncompressed bytes per CPU second (best run), for\n"
      "packing and unpacking alike; x zlib = relative to one-shot raw zlib in memory\n"
      "at the same level; x stream = relative to raw zlib between files through\n"
      "descriptors in 32 KB reads and 16 KB writes (\"zlib stream\"), for the routes\n"
      "that read or write a file; sizes of tqpack include its 12 bytes of header and\n"
      "trailer.\n");
  for (const std::string& corpus : corpora) {
    size_t input = 0;
    for (auto& [n, e] : entries_)
      if (e.c.corpus == corpus) input = e.inputBytes;
    std::printf("\n%s corpus, %zu bytes\n", corpus.c_str(), input);
    std::printf("%-24s %5s %10s %8s %8s %10s %8s %8s %10s %9s %8s\n", "route", "level", "pack MB/s",
                "x zlib", "x stream", "unpack MB/s", "x zlib", "x stream", "size", "ratio",
                "vs zlib");
    for (const auto& [route, level] : rows) {
      double p = speed(corpus, route, level, true), u = speed(corpus, route, level, false);
      double pz = speed(corpus, "zlib raw", level, true);
      double uz = speed(corpus, "zlib raw", level, false);
      const bool stream = route.find("file") != std::string::npos || route == "zlib stream";
      double ps = stream ? speed(corpus, "zlib stream", level, true) : 0;
      double us = stream ? speed(corpus, "zlib stream", level, false) : 0;
      auto s = sizes.find({corpus, route, level});
      auto sz = sizes.find({corpus, "zlib raw", level});
      if (p == 0 && u == 0) continue;
      char pack[32] = "-", packX[16] = "-", unpack[32] = "-", unpackX[16] = "-";
      char packS[16] = "-", unpackS[16] = "-";
      char size[32] = "-", ratio[16] = "-", sizeX[16] = "-";
      if (p > 0) std::snprintf(pack, sizeof pack, "%.1f", p);
      if (p > 0 && pz > 0) std::snprintf(packX, sizeof packX, "%.2f", p / pz);
      if (p > 0 && ps > 0) std::snprintf(packS, sizeof packS, "%.2f", p / ps);
      if (u > 0) std::snprintf(unpack, sizeof unpack, "%.1f", u);
      if (u > 0 && us > 0) std::snprintf(unpackS, sizeof unpackS, "%.2f", u / us);
      if (u > 0 && uz > 0) std::snprintf(unpackX, sizeof unpackX, "%.2f", u / uz);
      if (s != sizes.end()) {
        std::snprintf(size, sizeof size, "%zu", s->second);
        std::snprintf(ratio, sizeof ratio, "%.3f", double(input) / double(s->second));
        if (sz != sizes.end())
          std::snprintf(sizeX, sizeof sizeX, "%+.2f%%",
                        100.0 * (double(s->second) / double(sz->second) - 1));
      }
      std::printf("%-24s %5d %10s %8s %8s %10s %8s %8s %10s %9s %8s\n", route.c_str(), level, pack,
                  packX, packS, unpack, unpackX, unpackS, size, ratio, sizeX);
    }
  }
}

}  // namespace tqbench
