// Deterministic corpora for the tqpack benchmarks: text-like prose and
// binary records, a few MiB each, the same bytes on every run.
#ifndef BENCH_TQPACK_CORPUS_H
#define BENCH_TQPACK_CORPUS_H

#include <cstddef>
#include <vector>

namespace tqbench {

using Bytes = std::vector<unsigned char>;

inline constexpr size_t kCorpusSize = size_t{4} << 20;

// Sentences and paragraphs of words drawn with a skewed frequency from a
// vocabulary of made-up words, with capitals, punctuation and line breaks.
const Bytes& proseCorpus();

// Fixed-size records as a server stores them: increasing ids and times,
// small sets of states and names, measured values and some random bytes.
const Bytes& recordCorpus();

}  // namespace tqbench

#endif  // BENCH_TQPACK_CORPUS_H
