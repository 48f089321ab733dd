// Throughput and output size of tqpack's routes (buffer to buffer, file to
// file through temporary files, buffer to file, file to buffer) beside raw
// zlib (raw deflate, 32 KB window, the same level; raw inflate) and raw
// libdeflate (the same level), on a prose corpus and a binary record corpus.
// Two raw zlib baselines: one-shot in memory ("zlib raw", the reference of the
// buffer route) and block-wise between temporary files through descriptors
// ("zlib stream": 32 KB reads, 16 KB writes, as tqpack's stream routes do),
// the like-for-like reference of the stream routes.
// Every benchmark runs in one go; a summary table per corpus follows, and a
// table of packed sizes per level for zlib and libdeflate. Times are CPU
// times of the calling thread (system time for the file routes included), so
// that other work on a shared machine disturbs the figures less.
//
//   build/bench/tqpack_bench [--benchmark_repetitions=3]
#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "bench/tqpack/tqpack_bench_corpus.h"
#include "bench/tqpack/tqpack_bench_report.h"
#include "tqpack.h"

namespace tqbench {

namespace {

using SizeTable = std::map<std::tuple<std::string, std::string, int>, size_t>;

struct Corpus {
  const char* name;
  const Bytes& data;
};

// One-shot raw coders, set up and torn down per call as tqpack does.
size_t zlibDeflate(const Bytes& in, int level, Bytes& out) {
  z_stream zs{};
  if (deflateInit2(&zs, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) std::abort();
  out.resize(deflateBound(&zs, uLong(in.size())));
  zs.next_in = const_cast<Bytef*>(in.data());
  zs.avail_in = uInt(in.size());
  zs.next_out = out.data();
  zs.avail_out = uInt(out.size());
  if (deflate(&zs, Z_FINISH) != Z_STREAM_END) std::abort();
  size_t n = zs.total_out;
  deflateEnd(&zs);
  return n;
}

void zlibInflate(const unsigned char* in, size_t n, Bytes& out) {
  z_stream zs{};
  if (inflateInit2(&zs, -15) != Z_OK) std::abort();
  zs.next_in = const_cast<Bytef*>(in);
  zs.avail_in = uInt(n);
  zs.next_out = out.data();
  zs.avail_out = uInt(out.size());
  if (inflate(&zs, Z_FINISH) != Z_STREAM_END) std::abort();
  inflateEnd(&zs);
}

size_t libdeflateCompress(const Bytes& in, int level, Bytes& out) {
  libdeflate_compressor* c = libdeflate_alloc_compressor(level);
  if (!c) std::abort();
  out.resize(libdeflate_deflate_compress_bound(c, in.size()));
  size_t n = libdeflate_deflate_compress(c, in.data(), in.size(), out.data(), out.size());
  libdeflate_free_compressor(c);
  if (n == 0) std::abort();
  return n;
}

void libdeflateDecompress(const unsigned char* in, size_t n, Bytes& out) {
  libdeflate_decompressor* d = libdeflate_alloc_decompressor();
  if (!d) std::abort();
  size_t produced = 0;
  if (libdeflate_deflate_decompress(d, in, n, out.data(), out.size(), &produced) != 0) std::abort();
  libdeflate_free_decompressor(d);
}

// Raw zlib between descriptors, in the block sizes of tqpack's stream
// routes: reads of at most 32768 bytes, output collected in a 16384-byte
// block that is written whenever it is full, and once more at the end.
constexpr size_t kStreamRead = 32768, kStreamWrite = 16384;

struct StreamBlocks {
  unsigned char in[kStreamRead];
  unsigned char out[kStreamWrite];
};

void writeOrAbort(int fd, const unsigned char* data, size_t n) {
  if (n > 0 && write(fd, data, n) != ssize_t(n)) std::abort();
}

// Deflates from `in`'s position to its end into `out` from offset 0.
void zlibDeflateStream(int in, int out, int level, StreamBlocks& b) {
  if (lseek(out, 0, SEEK_SET) < 0) std::abort();
  z_stream zs{};
  if (deflateInit2(&zs, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) std::abort();
  zs.next_out = b.out;
  zs.avail_out = kStreamWrite;
  int ret = Z_OK;
  while (ret != Z_STREAM_END) {
    int flush = Z_NO_FLUSH;
    if (zs.avail_in == 0) {
      ssize_t n = read(in, b.in, kStreamRead);
      if (n < 0) std::abort();
      zs.next_in = b.in;
      zs.avail_in = uInt(n);
      if (n == 0) flush = Z_FINISH;
    }
    do {
      ret = deflate(&zs, flush);
      if (ret == Z_STREAM_ERROR) std::abort();
      if (zs.avail_out == 0) {
        writeOrAbort(out, b.out, kStreamWrite);
        zs.next_out = b.out;
        zs.avail_out = kStreamWrite;
      }
    } while (zs.avail_in > 0 || (flush == Z_FINISH && ret != Z_STREAM_END));
  }
  writeOrAbort(out, b.out, kStreamWrite - zs.avail_out);
  deflateEnd(&zs);
}

// Inflates the raw deflate data of `in` (from offset 0) to `out`'s position.
void zlibInflateStream(int in, int out, StreamBlocks& b) {
  if (lseek(in, 0, SEEK_SET) < 0) std::abort();
  z_stream zs{};
  if (inflateInit2(&zs, -15) != Z_OK) std::abort();
  zs.next_out = b.out;
  zs.avail_out = kStreamWrite;
  int ret = Z_OK;
  while (ret != Z_STREAM_END) {
    if (zs.avail_in == 0) {
      ssize_t n = read(in, b.in, kStreamRead);
      if (n <= 0) std::abort();
      zs.next_in = b.in;
      zs.avail_in = uInt(n);
    }
    ret = inflate(&zs, Z_NO_FLUSH);
    if (ret != Z_OK && ret != Z_STREAM_END && ret != Z_BUF_ERROR) std::abort();
    if (zs.avail_out == 0) {
      writeOrAbort(out, b.out, kStreamWrite);
      zs.next_out = b.out;
      zs.avail_out = kStreamWrite;
    }
  }
  writeOrAbort(out, b.out, kStreamWrite - zs.avail_out);
  inflateEnd(&zs);
}

Bytes container(const Bytes& data, int level) {
  unsigned char* out = nullptr;
  uint32_t length = 0;
  if (PackBufferToBuffer(uint32_t(level), data.data(), uint32_t(data.size()), &out, &length))
    std::abort();
  Bytes c(out, out + length);
  std::free(out);
  return c;
}

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

File tempFileWith(const Bytes& data) {
  File f(std::tmpfile());
  if (!f || write(fileno(f.get()), data.data(), data.size()) != ssize_t(data.size())) std::abort();
  return f;
}

size_t fileSize(FILE* f) {
  return size_t(lseek(fileno(f), 0, SEEK_END));
}

void check(benchmark::State& state, int32_t rc) {
  if (rc != TQPACK_OK) state.SkipWithError("tqpack failed");
}

// Packing by one route: the benchmark body, and the packed size it gives.
using Body = std::function<void(benchmark::State&)>;

void registerCase(SummaryReporter& reporter, const Case& c, size_t inputBytes, Body body) {
  reporter.add(c, inputBytes);
  benchmark::RegisterBenchmark(c.name().c_str(), [body, inputBytes](benchmark::State& state) {
    body(state);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(inputBytes));
  })->Unit(benchmark::kMillisecond);
}

void registerPack(SummaryReporter& reporter, SizeTable& sizes, const Corpus& k) {
  const Bytes& in = k.data;
  for (int level : {1, 6, 9}) {
    Bytes scratch;
    sizes[{k.name, "zlib raw", level}] = zlibDeflate(in, level, scratch);
    sizes[{k.name, "libdeflate raw", level}] = libdeflateCompress(in, level, scratch);
    sizes[{k.name, "tqpack buffer->buffer", level}] = container(in, level).size();

    registerCase(reporter, {k.name, "zlib raw", level}, in.size(), [&in, level](auto& state) {
      Bytes out;
      for (auto _ : state)
        benchmark::DoNotOptimize(zlibDeflate(in, level, out));
    });
    registerCase(reporter, {k.name, "libdeflate raw", level}, in.size(), [&in, level](auto& state) {
      Bytes out;
      for (auto _ : state)
        benchmark::DoNotOptimize(libdeflateCompress(in, level, out));
    });
    registerCase(reporter, {k.name, "tqpack buffer->buffer", level}, in.size(),
                 [&in, level](auto& state) {
                   for (auto _ : state) {
                     unsigned char* out = nullptr;
                     uint32_t length = 0;
                     check(state, PackBufferToBuffer(uint32_t(level), in.data(),
                                                     uint32_t(in.size()), &out, &length));
                     std::free(out);
                   }
                 });
  }

  // The stream routes at the default level, each sized by its own output.
  {
    File src = tempFileWith(in), dst(std::tmpfile());
    lseek(fileno(src.get()), 0, SEEK_SET);  // packing starts where the input stands
    if (PackFileToFile(6, src.get(), dst.get())) std::abort();
    sizes[{k.name, "tqpack file->file", 6}] = fileSize(dst.get());
    File dst2(std::tmpfile());
    if (PackBufferToFile(6, in.data(), uint32_t(in.size()), dst2.get())) std::abort();
    sizes[{k.name, "tqpack buffer->file", 6}] = fileSize(dst2.get());
    lseek(fileno(src.get()), 0, SEEK_SET);
    unsigned char* out = nullptr;
    uint32_t length = 0;
    if (PackFileToBuffer(6, src.get(), &out, &length)) std::abort();
    std::free(out);
    sizes[{k.name, "tqpack file->buffer", 6}] = length;
  }
  {
    File src = tempFileWith(in), dst(std::tmpfile());
    lseek(fileno(src.get()), 0, SEEK_SET);
    auto blocks = std::make_unique<StreamBlocks>();
    zlibDeflateStream(fileno(src.get()), fileno(dst.get()), 6, *blocks);
    sizes[{k.name, "zlib stream", 6}] = fileSize(dst.get());
  }
  registerCase(reporter, {k.name, "zlib stream", 6}, in.size(), [&in](auto& state) {
    File src = tempFileWith(in), dst(std::tmpfile());
    auto blocks = std::make_unique<StreamBlocks>();
    for (auto _ : state) {
      lseek(fileno(src.get()), 0, SEEK_SET);
      zlibDeflateStream(fileno(src.get()), fileno(dst.get()), 6, *blocks);
    }
  });
  registerCase(reporter, {k.name, "tqpack file->file", 6}, in.size(), [&in](auto& state) {
    File src = tempFileWith(in), dst(std::tmpfile());
    for (auto _ : state) {
      lseek(fileno(src.get()), 0, SEEK_SET);
      check(state, PackFileToFile(6, src.get(), dst.get()));
    }
  });
  registerCase(reporter, {k.name, "tqpack buffer->file", 6}, in.size(), [&in](auto& state) {
    File dst(std::tmpfile());
    for (auto _ : state)
      check(state, PackBufferToFile(6, in.data(), uint32_t(in.size()), dst.get()));
  });
  registerCase(reporter, {k.name, "tqpack file->buffer", 6}, in.size(), [&in](auto& state) {
    File src = tempFileWith(in);
    for (auto _ : state) {
      lseek(fileno(src.get()), 0, SEEK_SET);
      unsigned char* out = nullptr;
      uint32_t length = 0;
      check(state, PackFileToBuffer(6, src.get(), &out, &length));
      std::free(out);
    }
  });
}

// Unpacking the level-6 container (the raw coders decode its deflate data).
void registerUnpack(SummaryReporter& reporter, const Corpus& k) {
  const Bytes& in = k.data;
  auto packed = std::make_shared<const Bytes>(container(in, 6));
  const unsigned char* deflated = packed->data() + 8;
  const size_t deflatedSize = packed->size() - 12;

  registerCase(reporter, {k.name, "zlib raw", 6, false}, in.size(),
               [&in, packed, deflated, deflatedSize](auto& state) {
                 Bytes out(in.size());
                 for (auto _ : state)
                   zlibInflate(deflated, deflatedSize, out);
                 if (out != in) state.SkipWithError("data differs");
               });
  registerCase(reporter, {k.name, "libdeflate raw", 6, false}, in.size(),
               [&in, packed, deflated, deflatedSize](auto& state) {
                 Bytes out(in.size());
                 for (auto _ : state)
                   libdeflateDecompress(deflated, deflatedSize, out);
                 if (out != in) state.SkipWithError("data differs");
               });
  registerCase(reporter, {k.name, "zlib stream", 6, false}, in.size(),
               [&in, deflated, deflatedSize](auto& state) {
                 File src = tempFileWith(Bytes(deflated, deflated + deflatedSize));
                 File dst(std::tmpfile());
                 auto blocks = std::make_unique<StreamBlocks>();
                 for (auto _ : state) {
                   lseek(fileno(dst.get()), 0, SEEK_SET);
                   zlibInflateStream(fileno(src.get()), fileno(dst.get()), *blocks);
                 }
                 if (fileSize(dst.get()) != in.size()) state.SkipWithError("size differs");
               });
  registerCase(
      reporter, {k.name, "tqpack buffer->buffer", 6, false}, in.size(), [packed](auto& state) {
        for (auto _ : state) {
          unsigned char* out = nullptr;
          uint32_t length = 0;
          check(state,
                UnpackBufferToBuffer(packed->data(), uint32_t(packed->size()), &out, &length));
          std::free(out);
        }
      });
  registerCase(reporter, {k.name, "tqpack file->file", 6, false}, in.size(),
               [&in, packed](auto& state) {
                 File src = tempFileWith(*packed), dst(std::tmpfile());
                 for (auto _ : state) {
                   lseek(fileno(dst.get()), 0, SEEK_SET);
                   check(state, UnpackFileToFile(src.get(), dst.get()));
                 }
                 if (fileSize(dst.get()) != in.size()) state.SkipWithError("size differs");
               });
  registerCase(
      reporter, {k.name, "tqpack buffer->file", 6, false}, in.size(), [packed](auto& state) {
        File dst(std::tmpfile());
        for (auto _ : state) {
          lseek(fileno(dst.get()), 0, SEEK_SET);
          check(state, UnpackBufferToFile(packed->data(), uint32_t(packed->size()), dst.get()));
        }
      });
  registerCase(reporter, {k.name, "tqpack file->buffer", 6, false}, in.size(),
               [packed](auto& state) {
                 File src = tempFileWith(*packed);
                 for (auto _ : state) {
                   unsigned char* out = nullptr;
                   uint32_t length = 0;
                   check(state, UnpackFileToBuffer(src.get(), &out, &length));
                   std::free(out);
                 }
               });
}

// Packed sizes per level: libdeflate at the same level number as zlib, one
// level up, and tqpack buffer to buffer (its deflate data, without header and
// trailer), each beside zlib at that level.
void printLevelSizes(const Corpus* corpora, size_t n) {
  std::printf("\nPacked size per level (raw deflate bytes)\n");
  std::printf("%-8s %5s %10s %10s %8s %12s %8s %10s %8s\n", "corpus", "level", "zlib", "libdeflate",
              "vs zlib", "libdeflate+1", "vs zlib", "tqpack", "vs zlib");
  for (size_t i = 0; i < n; ++i) {
    for (int level = 1; level <= 9; ++level) {
      Bytes scratch;
      size_t z = zlibDeflate(corpora[i].data, level, scratch);
      size_t l = libdeflateCompress(corpora[i].data, level, scratch);
      size_t up = libdeflateCompress(corpora[i].data, level + 1, scratch);
      size_t t = container(corpora[i].data, level).size() - 12;
      auto vs = [z](size_t x) { return 100.0 * (double(x) / double(z) - 1); };
      std::printf("%-8s %5d %10zu %10zu %+7.2f%% %12zu %+7.2f%% %10zu %+7.2f%%\n", corpora[i].name,
                  level, z, l, vs(l), up, vs(up), t, vs(t));
    }
  }
}

// The rule behind tqpack's level table: for each container level, the
// lowest (and so fastest) libdeflate level whose output stays within 1.5% of
// zlib's at that level on every corpus, with its worst difference.
void printLevelRule(const Corpus* corpora, size_t n) {
  constexpr double kWithin = 1.5;  // percent
  constexpr int kHighestLibdeflate = 12;
  std::printf("\nlibdeflate level per container level (lowest within %+.1f%% of zlib)\n", kWithin);
  std::printf("%5s %10s %14s\n", "level", "libdeflate", "worst vs zlib");
  for (int level = 1; level <= 9; ++level) {
    for (int pick = 1; pick <= kHighestLibdeflate; ++pick) {
      double worst = -100;
      for (size_t i = 0; i < n; ++i) {
        Bytes scratch;
        const size_t z = zlibDeflate(corpora[i].data, level, scratch);
        const size_t l = libdeflateCompress(corpora[i].data, pick, scratch);
        worst = std::max(worst, 100.0 * (double(l) / double(z) - 1));
      }
      if (worst <= kWithin || pick == kHighestLibdeflate) {
        std::printf("%5d %10d %+13.2f%%\n", level, pick, worst);
        break;
      }
    }
  }
}

}  // namespace

}  // namespace tqbench

int main(int argc, char** argv) {
  using namespace tqbench;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const Corpus corpora[] = {{"text", proseCorpus()}, {"binary", recordCorpus()}};
  SummaryReporter reporter;
  SizeTable sizes;
  for (const Corpus& k : corpora) {
    registerPack(reporter, sizes, k);
    registerUnpack(reporter, k);
  }
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printSummary(sizes);
  printLevelSizes(corpora, sizeof corpora / sizeof corpora[0]);
  printLevelRule(corpora, sizeof corpora / sizeof corpora[0]);
  benchmark::Shutdown();
  return 0;
}
