// TQGetServerInfo through the whole frame on a kept connection, beside a
// raw clnt_call of procedure 36 (version 6) with the same argument record,
// both against one reference server. The difference is the library's own
// cost per call: session lookup, header preparation, dispatch, take-over,
// status merge and bookkeeping. A last one asks for many unknown codes,
// which fills the status list with one item per code.
//
//   build/bench/tqlink_session_bench --benchmark_min_time=3
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netconfig.h>
#include <netinet/in.h>
#include <rpc/rpc.h>
#include <signal.h>
#include <sys/wait.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

#include "rpc/procedure_records.h"
#include "rpc/procedures.h"
#include "rpc_client.h"
#include "server_process.h"
#include "tqlink.h"

namespace {

// The server runs without a statistics file, which it would rewrite on
// every call; it ends with this process (parent watch).
struct Server {
  tqtest::SpawnedServer spawned;
  uint16_t port() const { return spawned.port; }
  Server() {
    tqtest::SpawnRequest request;
    request.switches = {"--exit-after", "0"};
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

// A session of user Demo with the benchmark's server, found by its port.
bool openSession(TQControlStruct& control, TQStatusList& status) {
  std::strcpy(control.user, "Demo");
  std::strcpy(control.server, "127.0.0.1");
  return TQInitialization(&control, &status) == 0 &&
         TQSetServerPort(&control, control.server, server().port(), 0, &status) == 0;
}

void BM_TQGetServerInfo(benchmark::State& state) {
  TQControlStruct control{};
  TQStatusList status{};
  if (!openSession(control, status)) {
    state.SkipWithError("no session");
    return;
  }
  uint32_t code = 55;
  TQServerInfoRequestList requests{1, &code};
  TQServerInfoList info{};
  // The first call opens the connection and asks for the identity.
  TQGetServerInfo(&control, &requests, &info, &status);
  FreeTQServerInfoList(&info, 0);
  for (auto _ : state) {
    if (TQGetServerInfo(&control, &requests, &info, &status) != 0) {
      state.SkipWithError("call failed");
      break;
    }
    FreeTQServerInfoList(&info, 0);
    FreeTQStatusList(&status, 0);
  }
  TQTermination(&control, &status);
  FreeTQStatusList(&status, 0);
  state.counters["calls/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_RawClntCall(benchmark::State& state) {
  tqtest::WireSession wire;
  tqtest::RpcClient client(server().port(), kTQServerProgram, 6);
  const TQProcedure* procedure = tqFindProcedure(TQProgram::kServer, 6, 36);
  // The record the library sends for user Demo (empty password, so nothing
  // is scrambled) asking for code 55.
  uint32_t code = 55;
  TQGetServerInfoArgs args{};
  std::strcpy(args.header.user, "Demo");
  args.header.operationTime = 1;
  args.header.flag = 1;
  args.requests = {1, &code};
  TQGetServerInfoResult result{};
  for (auto _ : state) {
    std::memset(&result, 0, sizeof result);
    if (client.call(procedure->number, procedure->xdrArgs, &args, procedure->xdrResult, &result) !=
        RPC_SUCCESS) {
      state.SkipWithError("call failed");
      break;
    }
    tqtest::releaseRecord(procedure->xdrResult, &result);
  }
  state.counters["calls/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// TQGetServerInfo asking for N codes the server does not know: the server
// appends error 123 N times, the answer carries N status items and the
// library merges them into the caller's list.
void BM_TQGetServerInfoUnknownCodes(benchmark::State& state) {
  TQControlStruct control{};
  TQStatusList status{};
  if (!openSession(control, status)) {
    state.SkipWithError("no session");
    return;
  }
  std::vector<uint32_t> codes(static_cast<size_t>(state.range(0)));
  for (size_t i = 0; i < codes.size(); ++i)
    codes[i] = static_cast<uint32_t>(1000 + i);
  TQServerInfoRequestList requests{static_cast<uint32_t>(codes.size()), codes.data()};
  TQServerInfoList info{};
  for (auto _ : state) {
    TQGetServerInfo(&control, &requests, &info, &status);
    if (status.numItems != codes.size()) {
      state.SkipWithError("unexpected status list");
      break;
    }
    FreeTQServerInfoList(&info, 0);
    FreeTQStatusList(&status, 0);
  }
  TQTermination(&control, &status);
  FreeTQStatusList(&status, 0);
}

BENCHMARK(BM_RawClntCall)->UseRealTime();
BENCHMARK(BM_TQGetServerInfo)->UseRealTime();
BENCHMARK(BM_RawClntCall)->UseRealTime();
BENCHMARK(BM_TQGetServerInfo)->UseRealTime();
BENCHMARK(BM_TQGetServerInfoUnknownCodes)->Arg(1000)->Arg(10000)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
