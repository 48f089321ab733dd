#include "bench/tqpack/tqpack_bench_corpus.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace tqbench {

namespace {

struct Random {
  uint64_t state;
  uint32_t next() {
    state = state * 6364136223846793005u + 1442695040888963407u;
    return uint32_t(state >> 33);
  }
  uint32_t below(uint32_t n) { return next() % n; }
};

std::vector<std::string> vocabulary(Random& rnd, size_t count) {
  static const char* const kSyllables[] = {
      "re",  "quest", "ent", "ry",  "sta", "tus", "ser",  "ver", "as",  "sign", "ed",
      "clo", "sed",   "the", "of",  "and", "in",  "to",   "for", "on",  "at",   "is",
      "it",  "an",    "con", "fig", "ur",  "a",   "tion", "ing", "pro", "ble"};
  constexpr size_t kCount = sizeof kSyllables / sizeof kSyllables[0];
  std::vector<std::string> words;
  for (size_t i = 0; i < count; ++i) {
    std::string w;
    // Frequent words are short, as in prose.
    size_t parts = 1 + (i < 40 ? 0 : rnd.below(i < 400 ? 2 : 4));
    for (size_t p = 0; p < parts; ++p)
      w += kSyllables[rnd.below(kCount)];
    words.push_back(w);
  }
  return words;
}

}  // namespace

const Bytes& proseCorpus() {
  static const Bytes data = [] {
    Random rnd{1};
    const std::vector<std::string> words = vocabulary(rnd, 3000);
    Bytes out;
    out.reserve(kCorpusSize + 64);
    size_t sentence = 0, column = 0;
    while (out.size() < kCorpusSize) {
      // A skewed pick: the product of two uniform draws favours low ranks.
      uint32_t rank = uint32_t(uint64_t(rnd.below(3000)) * rnd.below(3000) / 3000);
      std::string w = words[rank];
      if (sentence == 0) w[0] = char(w[0] - 'a' + 'A');
      ++sentence;
      bool end = sentence > 4 && rnd.below(10) == 0;
      if (end) {
        w += rnd.below(8) == 0 ? "?" : ".";
        sentence = 0;
      } else if (rnd.below(12) == 0) {
        w += ",";
      }
      if (column + w.size() > 72) {
        out.push_back('\n');
        column = 0;
        if (rnd.below(6) == 0) out.push_back('\n');  // paragraph
      } else if (column > 0) {
        out.push_back(' ');
        ++column;
      }
      out.insert(out.end(), w.begin(), w.end());
      column += w.size();
    }
    out.resize(kCorpusSize);
    return out;
  }();
  return data;
}

const Bytes& recordCorpus() {
  static const Bytes data = [] {
    static const char* const kNames[] = {"open",     "assigned", "in progress", "pending",
                                         "resolved", "closed",   "rejected",    "on hold"};
    Random rnd{7};
    Bytes out(kCorpusSize);
    uint32_t id = 1000, time = 1600000000;
    for (size_t at = 0; at + 64 <= out.size(); at += 64) {
      unsigned char* r = out.data() + at;
      std::memset(r, 0, 64);
      id += 1 + (rnd.below(8) == 0 ? rnd.below(5) : 0);
      time += rnd.below(600);
      uint16_t state = uint16_t(rnd.below(8));
      double value = double(rnd.below(100000)) / 100.0;
      std::memcpy(r, &id, 4);
      std::memcpy(r + 4, &time, 4);
      std::memcpy(r + 8, &state, 2);
      r[10] = uint8_t(rnd.below(4));  // priority
      std::memcpy(r + 16, &value, 8);
      for (int i = 24; i < 36; ++i)  // a random key
        r[i] = uint8_t(rnd.next());
      std::strncpy(reinterpret_cast<char*>(r + 40), kNames[state], 24);
    }
    return out;
  }();
  return data;
}

}  // namespace tqbench
