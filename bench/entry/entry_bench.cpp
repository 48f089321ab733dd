// TQCreateEntry and TQGetEntry through the whole frame on a kept
// connection, beside raw clnt_calls of procedures 3 and 1 (version 6) with
// the same argument records, against one reference server with a form of 50
// fields (bench-forms.txt): 45 values are created, all 50 are read back.
// Each created entry is deleted again outside the timing, so that every run
// meets a store of the same size.
//
//   LC_ALL=C build/bench/tqlink_entry_bench --benchmark_min_time=3
#include <benchmark/benchmark.h>
#include <rpc/rpc.h>
#include <signal.h>
#include <sys/wait.h>

#include <cstring>
#include <string>
#include <vector>

#include "rpc/procedure_records.h"
#include "rpc/procedures.h"
#include "rpc_client.h"
#include "server_process.h"
#include "tqlink.h"

namespace {

constexpr const char* kForm = "Bench:Wide";
constexpr uint32_t kFirstField = 536870913;
constexpr int kGivenFields = 45;

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

// The 45 values of a new entry: texts and integers by turns.
struct Values {
  std::vector<std::string> texts;
  std::vector<TQFieldValueStruct> items;
  Values() {
    texts.reserve(kGivenFields);
    for (int i = 0; i < kGivenFields; ++i) {
      TQFieldValueStruct item{};
      item.fieldId = kFirstField + static_cast<uint32_t>(i);
      if (i % 2 == 0) {
        texts.push_back("value of field " + std::to_string(i) + " of the wide form");
        item.value.dataType = TQ_DATA_TYPE_CHAR;
        item.value.u.charVal = texts.back().data();
      } else {
        item.value.dataType = TQ_DATA_TYPE_INTEGER;
        item.value.u.intVal = i * 1000;
      }
      items.push_back(item);
    }
  }
  TQFieldValueList list() { return {static_cast<uint32_t>(items.size()), items.data()}; }
};

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
    TQTermination(&control, &status);
    FreeTQStatusList(&status, 0);
  }
};

void rate(benchmark::State& state) {
  state.counters["calls/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// The header the library sends for user Demo with an empty password.
TQCallHeader rawHeader() {
  TQCallHeader header{};
  std::strcpy(header.user, "Demo");
  header.operationTime = 1;
  header.flag = 1;
  return header;
}

std::string createdId;  // an entry of 50 fields for the gets

void BM_TQCreateEntry(benchmark::State& state) {
  Session s;
  if (!s.ok) {
    state.SkipWithError("no session");
    return;
  }
  Values values;
  TQFieldValueList list = values.list();
  TQEntryIdType id;
  TQCreateEntry(&s.control, kForm, &list, id, &s.status);  // connection and identity
  createdId = id;
  TQEntryIdList made{1, &id};
  for (auto _ : state) {
    if (TQCreateEntry(&s.control, kForm, &list, id, &s.status) != 0) {
      state.SkipWithError("call failed");
      break;
    }
    FreeTQStatusList(&s.status, 0);
    state.PauseTiming();  // the store keeps its size
    TQDeleteEntry(&s.control, kForm, &made, 0, &s.status);
    FreeTQStatusList(&s.status, 0);
    state.ResumeTiming();
  }
  rate(state);
}

void BM_RawCreateEntry(benchmark::State& state) {
  tqtest::WireSession wire;
  tqtest::RpcClient client(server().port(), kTQServerProgram, 6);
  const TQProcedure* procedure = tqFindProcedure(TQProgram::kServer, 6, 3);
  Values values;
  TQCreateEntryArgs args{};
  args.header = rawHeader();
  args.schema = const_cast<char*>(kForm);
  args.fieldValues = values.list();
  TQEntryIdResult result{};
  const TQProcedure* remover = tqFindProcedure(TQProgram::kServer, 6, 4);
  TQEntryIdType made = {};
  TQDeleteEntryArgs removal{};
  removal.header = rawHeader();
  removal.schema = const_cast<char*>(kForm);
  removal.entryId = {1, &made};
  TQStatusResult removed{};
  for (auto _ : state) {
    std::memset(&result, 0, sizeof result);
    if (client.call(procedure->number, procedure->xdrArgs, &args, procedure->xdrResult, &result) !=
            RPC_SUCCESS ||
        result.status.numItems != 0) {
      state.SkipWithError("call failed");
      break;
    }
    std::memcpy(made, result.entryId, sizeof made);
    tqtest::releaseRecord(procedure->xdrResult, &result);
    state.PauseTiming();  // the store keeps its size
    std::memset(&removed, 0, sizeof removed);
    client.call(remover->number, remover->xdrArgs, &removal, remover->xdrResult, &removed);
    tqtest::releaseRecord(remover->xdrResult, &removed);
    state.ResumeTiming();
  }
  rate(state);
}

void BM_TQGetEntry(benchmark::State& state) {
  Session s;
  if (!s.ok || createdId.empty()) {
    state.SkipWithError("no session or no entry");
    return;
  }
  TQEntryIdType id = {};
  std::memcpy(id, createdId.data(), createdId.size());
  TQEntryIdList ids{1, &id};
  TQFieldValueList values{};
  TQGetEntry(&s.control, kForm, &ids, nullptr, &values, &s.status);
  FreeTQFieldValueList(&values, 0);
  for (auto _ : state) {
    if (TQGetEntry(&s.control, kForm, &ids, nullptr, &values, &s.status) != 0 ||
        values.numItems != 50) {
      state.SkipWithError("call failed");
      break;
    }
    FreeTQFieldValueList(&values, 0);
    FreeTQStatusList(&s.status, 0);
  }
  rate(state);
}

void BM_RawGetEntry(benchmark::State& state) {
  tqtest::WireSession wire;
  tqtest::RpcClient client(server().port(), kTQServerProgram, 6);
  const TQProcedure* procedure = tqFindProcedure(TQProgram::kServer, 6, 1);
  TQEntryIdType id = {};
  std::memcpy(id, createdId.data(), createdId.size());
  TQGetEntryArgs args{};
  args.header = rawHeader();
  args.schema = const_cast<char*>(kForm);
  args.entryId = {1, &id};
  args.valuesWanted = 1;
  TQGetEntryResult result{};
  for (auto _ : state) {
    std::memset(&result, 0, sizeof result);
    if (client.call(procedure->number, procedure->xdrArgs, &args, procedure->xdrResult, &result) !=
            RPC_SUCCESS ||
        result.fieldValues.numItems != 50) {
      state.SkipWithError("call failed");
      break;
    }
    tqtest::releaseRecord(procedure->xdrResult, &result);
  }
  rate(state);
}

BENCHMARK(BM_TQCreateEntry)->UseRealTime();  // first: makes the entry the gets read
BENCHMARK(BM_RawCreateEntry)->UseRealTime();
BENCHMARK(BM_RawGetEntry)->UseRealTime();
BENCHMARK(BM_TQGetEntry)->UseRealTime();
BENCHMARK(BM_RawCreateEntry)->UseRealTime();
BENCHMARK(BM_TQCreateEntry)->UseRealTime();
BENCHMARK(BM_RawGetEntry)->UseRealTime();
BENCHMARK(BM_TQGetEntry)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
