// Attachments through the whole library beside raw clnt_calls of the same
// bytes, against one reference server with an attachment form:
//   - upload: TQCreateEntry with a memory attachment (prepared and packed
//     by the library) against procedure 3 sent raw with the packed data the
//     library would send;
//   - download: TQGetEntryBLOB into memory (chunks, then unpacking) against
//     raw procedure 80 calls that fetch the same chunks at the same reply
//     size;
//   - pack and unpack: tqpack alone on the same data, so that the library's
//     own time is the difference.
// The data is prose-like text of 1 MiB and 16 MiB. Entries made by an upload
// are deleted outside the timing.
//
//   LC_ALL=C build/bench/tqlink_attach_bench --benchmark_repetitions=3
#include <benchmark/benchmark.h>
#include <rpc/rpc.h>
#include <signal.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "rpc/procedure_records_defs.h"
#include "rpc/procedures.h"
#include "rpc_client.h"
#include "server_process.h"
#include "tqlink.h"
#include "tqpack.h"

namespace {

constexpr const char* kForm = "Bench:Files";
constexpr uint32_t kDocument = 536870913;
constexpr uint32_t kResponseSize = 20000;

struct Server {
  tqtest::SpawnedServer spawned;
  uint16_t port() const { return spawned.port; }
  Server() {
    tqtest::SpawnRequest request;
    request.switches = {"--exit-after", "0", "--forms", TQ_BENCH_FORMS};
    spawned = tqtest::spawnServer(request);
  }
  ~Server() {
    kill(spawned.pid, SIGTERM);
    waitpid(spawned.pid, nullptr, 0);
  }
};

Server& server() {
  static Server instance;
  return instance;
}

const std::string& data(size_t size) {
  static std::string cache[2];
  std::string& text = cache[size > (1u << 20) ? 1 : 0];
  if (text.size() == size) return text;
  static const char* kWords[] = {"the ",    "request ", "printer ", "network ", "is ",   "fixed ",
                                 "open ",   "closed ",  "user ",    "reports ", "that ", "a ",
                                 "server ", "again ",   "after ",   "restart ", ". ",    "\n"};
  std::mt19937 random(42);
  text.clear();
  while (text.size() < size)
    text += kWords[random() % (sizeof kWords / sizeof *kWords)];
  text.resize(size);
  return text;
}

struct Session {
  TQControlStruct control{};
  TQStatusList status{};
  bool ok = false;
  Session() {
    std::strcpy(control.user, "Demo");
    std::strcpy(control.server, "127.0.0.1");
    ok = TQInitialization(&control, &status) == 0 &&
         TQSetServerPort(&control, control.server, server().port(), 0, &status) == 0;
  }
  ~Session() {
    FreeTQStatusList(&status, 0);
    TQTermination(&control, &status);
    FreeTQStatusList(&status, 0);
  }
};

TQCallHeader rawHeader() {
  TQCallHeader header{};
  std::strcpy(header.user, "Demo");
  header.operationTime = 1;
  header.flag = 1;
  return header;
}

void throughput(benchmark::State& state, size_t size) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
}

// An attachment value of the data in a fresh malloc block (the library
// replaces it in place).
struct Value {
  TQAttachStruct attach{};
  TQFieldValueStruct item{};
  explicit Value(const std::string& bytes) {
    attach.name = strdup("bench.txt");
    attach.loc.locationType = TQ_LOC_BUFFER;
    attach.loc.u.buf.bufferSize = static_cast<uint32_t>(bytes.size());
    attach.loc.u.buf.buffer = static_cast<unsigned char*>(std::malloc(bytes.size()));
    std::memcpy(attach.loc.u.buf.buffer, bytes.data(), bytes.size());
    item.fieldId = kDocument;
    item.value.dataType = TQ_DATA_TYPE_ATTACH;
    item.value.u.attachVal = &attach;
  }
  ~Value() { FreeTQAttachStruct(&attach, 0); }
  TQFieldValueList list() { return {1, &item}; }
};

void removeEntry(Session& s, TQEntryIdType id) {
  TQEntryIdList ids{1, reinterpret_cast<TQEntryIdType*>(id)};
  TQDeleteEntry(&s.control, kForm, &ids, 0, &s.status);
  FreeTQStatusList(&s.status, 0);
}

// An entry holding the data, made once per size for the downloads.
std::string storedEntry(size_t size) {
  static std::string ids[2];
  std::string& id = ids[size > (1u << 20) ? 1 : 0];
  if (!id.empty()) return id;
  Session s;
  Value value(data(size));
  TQFieldValueList list = value.list();
  TQEntryIdType made = {};
  if (TQCreateEntry(&s.control, kForm, &list, made, &s.status) == 0) id = made;
  return id;
}

void BM_TQCreateEntryAttachment(benchmark::State& state) {
  const size_t size = static_cast<size_t>(state.range(0));
  Session s;
  if (!s.ok) return state.SkipWithError("no session");
  for (auto _ : state) {
    state.PauseTiming();
    Value value(data(size));
    TQFieldValueList list = value.list();
    TQEntryIdType id = {};
    state.ResumeTiming();
    if (TQCreateEntry(&s.control, kForm, &list, id, &s.status) != 0) {
      state.SkipWithError("call failed");
      break;
    }
    state.PauseTiming();
    FreeTQStatusList(&s.status, 0);
    removeEntry(s, id);
    state.ResumeTiming();
  }
  throughput(state, size);
}

void BM_RawCreateEntryAttachment(benchmark::State& state) {
  const size_t size = static_cast<size_t>(state.range(0));
  tqtest::WireSession wire;
  tqtest::RpcClient client(server().port(), kTQServerProgram, 6);
  const TQProcedure* procedure = tqFindProcedure(TQProgram::kServer, 6, 3);
  const TQProcedure* remover = tqFindProcedure(TQProgram::kServer, 6, 4);
  const std::string& bytes = data(size);
  unsigned char* packed = nullptr;
  uint32_t packedLength = 0;
  PackBufferToBuffer(0, bytes.data(), static_cast<uint32_t>(bytes.size()), &packed, &packedLength);
  TQAttachStruct attach{};
  attach.name = const_cast<char*>("bench.txt");
  attach.originalSize = static_cast<int32_t>(bytes.size());
  attach.compressedSize = static_cast<int32_t>(packedLength);
  attach.loc.locationType = TQ_LOC_BUFFER;
  attach.loc.u.buf = {packedLength, packed};
  TQFieldValueStruct item{};
  item.fieldId = kDocument;
  item.value.dataType = TQ_DATA_TYPE_ATTACH;
  item.value.u.attachVal = &attach;
  TQCreateEntryArgs args{};
  args.header = rawHeader();
  args.schema = const_cast<char*>(kForm);
  args.fieldValues = {1, &item};
  TQEntryIdType made = {};
  TQDeleteEntryArgs removal{};
  removal.header = rawHeader();
  removal.schema = const_cast<char*>(kForm);
  removal.entryId = {1, &made};
  for (auto _ : state) {
    TQEntryIdResult result{};
    if (client.call(procedure->number, procedure->xdrArgs, &args, procedure->xdrResult, &result) !=
            RPC_SUCCESS ||
        result.status.numItems != 0) {
      state.SkipWithError("call failed");
      break;
    }
    state.PauseTiming();
    std::memcpy(made, result.entryId, sizeof made);
    tqtest::releaseRecord(procedure->xdrResult, &result);
    TQStatusResult removed{};
    client.call(remover->number, remover->xdrArgs, &removal, remover->xdrResult, &removed);
    tqtest::releaseRecord(remover->xdrResult, &removed);
    state.ResumeTiming();
  }
  std::free(packed);
  throughput(state, size);
}

void BM_Pack(benchmark::State& state) {
  const size_t size = static_cast<size_t>(state.range(0));
  const std::string& bytes = data(size);
  for (auto _ : state) {
    unsigned char* packed = nullptr;
    uint32_t length = 0;
    PackBufferToBuffer(0, bytes.data(), static_cast<uint32_t>(bytes.size()), &packed, &length);
    std::free(packed);
  }
  throughput(state, size);
}

void BM_TQGetEntryBLOB(benchmark::State& state) {
  const size_t size = static_cast<size_t>(state.range(0));
  const std::string id = storedEntry(size);
  Session s;
  if (!s.ok || id.empty()) return state.SkipWithError("no session or no entry");
  TQEntryIdType entry = {};
  std::memcpy(entry, id.data(), id.size());
  TQEntryIdList ids{1, &entry};
  for (auto _ : state) {
    TQLocStruct loc{};
    loc.locationType = TQ_LOC_BUFFER;
    if (TQGetEntryBLOB(&s.control, kForm, &ids, kDocument, &loc, &s.status) != 0 ||
        loc.u.buf.bufferSize != size) {
      state.SkipWithError("call failed");
      break;
    }
    std::free(loc.u.buf.buffer);
    FreeTQStatusList(&s.status, 0);
  }
  throughput(state, size);
}

void BM_RawGetEntryBLOB(benchmark::State& state) {
  const size_t size = static_cast<size_t>(state.range(0));
  const std::string id = storedEntry(size);
  tqtest::WireSession wire;
  tqtest::RpcClient client(server().port(), kTQServerProgram, 6);
  const TQProcedure* procedure = tqFindProcedure(TQProgram::kServer, 6, 80);
  TQEntryIdType entry = {};
  std::memcpy(entry, id.data(), id.size());
  for (auto _ : state) {
    TQGetEntryBLOBArgs args{};
    args.header = rawHeader();
    args.schema = const_cast<char*>(kForm);
    args.entryId = {1, &entry};
    args.fieldId = kDocument;
    args.responseSize = kResponseSize;
    std::string collected;
    for (bool complete = false; !complete;) {
      TQGetEntryBLOBResult result{};
      if (client.call(procedure->number, procedure->xdrArgs, &args, procedure->xdrResult,
                      &result) != RPC_SUCCESS ||
          result.chunkLength == 0) {
        state.SkipWithError("call failed");
        return;
      }
      collected.append(result.chunk, result.chunkLength);
      args.continuation = result.continuation;
      complete = result.complete != 0;
      tqtest::releaseRecord(procedure->xdrResult, &result);
    }
    benchmark::DoNotOptimize(collected.data());
  }
  throughput(state, size);
}

void BM_Unpack(benchmark::State& state) {
  const size_t size = static_cast<size_t>(state.range(0));
  const std::string& bytes = data(size);
  unsigned char* packed = nullptr;
  uint32_t packedLength = 0;
  PackBufferToBuffer(0, bytes.data(), static_cast<uint32_t>(bytes.size()), &packed, &packedLength);
  for (auto _ : state) {
    unsigned char* out = nullptr;
    uint32_t length = 0;
    UnpackBufferToBuffer(packed, packedLength, &out, &length);
    std::free(out);
  }
  std::free(packed);
  throughput(state, size);
}

constexpr int64_t kOneMiB = 1 << 20;
constexpr int64_t kSixteenMiB = 16 << 20;

BENCHMARK(BM_TQCreateEntryAttachment)
    ->Arg(kOneMiB)
    ->Arg(kSixteenMiB)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_RawCreateEntryAttachment)
    ->Arg(kOneMiB)
    ->Arg(kSixteenMiB)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Pack)->Arg(kOneMiB)->Arg(kSixteenMiB)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TQGetEntryBLOB)
    ->Arg(kOneMiB)
    ->Arg(kSixteenMiB)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_RawGetEntryBLOB)
    ->Arg(kOneMiB)
    ->Arg(kSixteenMiB)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Unpack)->Arg(kOneMiB)->Arg(kSixteenMiB)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
