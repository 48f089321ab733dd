// TQGetListEntry and TQGetListEntryWithFields of 1 000, 10 000 and 100 000
// entries (five fields each) from one reference server, beside the same
// lists fetched as raw clnt_calls of procedures 5 and 73 (version 6) chunk
// by chunk, decoded and released without joining. For each size and
// operation it prints the best of three runs: entries per second, the
// client's CPU per chunk (library and raw), the client's peak memory during
// the call and the size of the result handed over.
//
//   LC_ALL=C build/bench/tqlink_list_bench
#include <rpc/rpc.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "hostile_peer.h"
#include "rpc/procedure_records.h"
#include "rpc/procedure_records_defs.h"
#include "rpc/procedures.h"
#include "rpc_client.h"
#include "server_process.h"
#include "tqlink.h"

namespace {

constexpr uint32_t kSummary = 8, kName = 536870913, kCount = 536870914, kSize = 536870915,
                   kNote = 536870916;
constexpr int kRuns = 3;

struct Server {
  tqtest::SpawnedServer spawned;
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

TQCallHeader rawHeader() {
  TQCallHeader header{};
  std::strcpy(header.user, "Demo");
  header.operationTime = 1;
  header.flag = 1;
  header.reserved = 20000;
  return header;
}

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Fills a form with entries of five values through raw creates.
void populate(tqtest::RpcClient& rpc, const std::string& form, int count) {
  const TQProcedure* create = tqFindProcedure(TQProgram::kServer, 6, 3);
  for (int i = 0; i < count; ++i) {
    std::string summary = "summary of entry " + std::to_string(i);
    std::string name = "name " + std::to_string(i % 977);
    std::string note = "a note that is a little longer, of entry " + std::to_string(i);
    TQFieldValueStruct items[5] = {};
    items[0].fieldId = kSummary;
    items[0].value.dataType = TQ_DATA_TYPE_CHAR;
    items[0].value.u.charVal = summary.data();
    items[1].fieldId = kName;
    items[1].value.dataType = TQ_DATA_TYPE_CHAR;
    items[1].value.u.charVal = name.data();
    items[2].fieldId = kCount;
    items[2].value.dataType = TQ_DATA_TYPE_INTEGER;
    items[2].value.u.intVal = i;
    items[3].fieldId = kSize;
    items[3].value.dataType = TQ_DATA_TYPE_INTEGER;
    items[3].value.u.intVal = i * 7;
    items[4].fieldId = kNote;
    items[4].value.dataType = TQ_DATA_TYPE_CHAR;
    items[4].value.u.charVal = note.data();
    TQCreateEntryArgs args{};
    args.header = rawHeader();
    args.schema = const_cast<char*>(form.c_str());
    args.fieldValues = {5, items};
    TQEntryIdResult result{};
    rpc.call(create->number, create->xdrArgs, &args, create->xdrResult, &result);
    tqtest::releaseRecord(create->xdrResult, &result);
  }
}

struct Figures {
  double seconds = 1e30;
  double cpuPerChunk = 1e30;
  size_t peakGrowth = 0;
  size_t resultBytes = 0;
  uint32_t entries = 0;
  uint64_t chunks = 0;
};

TQEntryListFieldStruct kColumns[5] = {
    {kSummary, 24, " "}, {kName, 10, " "}, {kCount, 8, " "}, {kSize, 8, " "}, {kNote, 40, ""}};

// Bytes of the blocks a list hands over.
size_t bytesOf(const TQEntryListList& list) {
  size_t bytes = size_t{list.numItems} * sizeof(TQEntryListStruct);
  for (uint32_t i = 0; i < list.numItems; ++i) {
    bytes += list.entryList[i].entryId.numItems * sizeof(TQEntryIdType);
    if (list.entryList[i].shortDescription != nullptr) {
      bytes += std::strlen(list.entryList[i].shortDescription) + 1;
    }
  }
  return bytes;
}

size_t bytesOf(const TQEntryListFieldValueList& list) {
  size_t bytes = size_t{list.numItems} * sizeof(TQEntryListFieldValueStruct);
  for (uint32_t i = 0; i < list.numItems; ++i) {
    const TQEntryListFieldValueStruct& entry = list.entryList[i];
    bytes += entry.entryId.numItems * sizeof(TQEntryIdType);
    if (entry.fieldValues == nullptr) continue;
    bytes += sizeof(TQFieldValueList) + entry.fieldValues->numItems * sizeof(TQFieldValueStruct);
    for (uint32_t v = 0; v < entry.fieldValues->numItems; ++v) {
      const TQValueStruct& value = entry.fieldValues->fieldValueList[v].value;
      if (value.dataType == TQ_DATA_TYPE_CHAR && value.u.charVal) {
        bytes += std::strlen(value.u.charVal) + 1;
      }
    }
  }
  return bytes;
}

template <class List, class Call, class Free>
Figures viaLibrary(TQControlStruct& control, Call&& call, Free&& release, uint64_t chunks) {
  Figures best;
  for (int run = 0; run < kRuns; ++run) {
    List list{};
    TQStatusList status{};
    uint32_t matches = 0;
    tqtest::resetPeakResident();
    const size_t before = tqtest::peakResidentBytes();
    const double cpu = cpuSeconds();
    const double start = now();
    const uint32_t code = call(&control, &list, &matches, &status);
    const double seconds = now() - start;
    const double cpuUsed = cpuSeconds() - cpu;
    const size_t peak = tqtest::peakResidentBytes();
    if (code != 0) std::fprintf(stderr, "the list failed with code %u\n", code);
    best.seconds = std::min(best.seconds, seconds);
    best.cpuPerChunk = std::min(best.cpuPerChunk, cpuUsed / static_cast<double>(chunks));
    best.peakGrowth = std::max(best.peakGrowth, peak > before ? peak - before : 0);
    best.resultBytes = bytesOf(list);
    best.entries = list.numItems;
    best.chunks = chunks;
    release(&list, 0);
    FreeTQStatusList(&status, 0);
  }
  return best;
}

// The same list as raw calls, chunk by chunk; returns the chunks.
template <class Result>
Figures viaRawCalls(uint16_t port, uint32_t procedure, const std::string& form,
                    uint32_t fieldCount) {
  tqtest::WireSession wire;
  tqtest::RpcClient rpc(port, kTQServerProgram, 6);
  const TQProcedure* p = tqFindProcedure(TQProgram::kServer, 6, procedure);
  Figures best;
  for (int run = 0; run < kRuns; ++run) {
    TQGetListEntryArgs args{};
    args.header = rawHeader();
    args.header.operationTime = static_cast<TQTimestamp>(1000 + run);
    args.schema = const_cast<char*>(form.c_str());
    args.fields = {fieldCount, kColumns};
    args.countWanted = 1;
    uint64_t chunks = 0;
    uint32_t entries = 0;
    const double cpu = cpuSeconds();
    const double start = now();
    for (;;) {
      Result result{};
      if (rpc.call(p->number, p->xdrArgs, &args, p->xdrResult, &result) != RPC_SUCCESS) break;
      ++chunks;
      entries += result.entries.numItems;
      const bool last = result.header.flag != 0;
      args.header.signedReserved = result.header.signedReserved;
      tqtest::releaseRecord(p->xdrResult, &result);
      if (last) break;
    }
    const double seconds = now() - start;
    best.seconds = std::min(best.seconds, seconds);
    best.cpuPerChunk =
        std::min(best.cpuPerChunk, (cpuSeconds() - cpu) / static_cast<double>(chunks));
    best.chunks = chunks;
    best.entries = entries;
  }
  return best;
}

void report(const char* what, int size, const Figures& lib, const Figures& raw) {
  std::printf(
      "%-26s %7d  %10.0f entries/s  %6llu chunks  lib %7.1f us/chunk  raw %7.1f us/chunk"
      "  (%+.0f%%)  raw %10.0f entries/s  peak %6.1f MB  result %6.1f MB  (%.2fx)\n",
      what, size, lib.entries / lib.seconds, static_cast<unsigned long long>(lib.chunks),
      lib.cpuPerChunk * 1e6, raw.cpuPerChunk * 1e6, (lib.cpuPerChunk / raw.cpuPerChunk - 1) * 100,
      raw.entries / raw.seconds, lib.peakGrowth / 1e6, lib.resultBytes / 1e6,
      lib.resultBytes > 0 ? static_cast<double>(lib.peakGrowth) / lib.resultBytes : 0.0);
  std::fflush(stdout);
}

}  // namespace

int main() {
  Server server;
  const uint16_t port = server.spawned.port;
  TQControlStruct control{};
  TQStatusList status{};
  std::strcpy(control.user, "Demo");
  std::strcpy(control.server, "127.0.0.1");
  if (TQInitialization(&control, &status) != 0 ||
      TQSetServerPort(&control, control.server, port, 0, &status) != 0) {
    std::fprintf(stderr, "no session\n");
    return 1;
  }
  FreeTQStatusList(&status, 0);
  for (int size : {1000, 10000, 100000}) {
    const std::string form = "Bench:List" + std::to_string(size);
    {
      tqtest::WireSession wire;
      tqtest::RpcClient rpc(port, kTQServerProgram, 6);
      populate(rpc, form, size);
    }
    TQEntryListFieldList columns{2, kColumns};
    TQEntryListFieldList fields{5, kColumns};
    const Figures rawList = viaRawCalls<TQGetListEntryResult>(port, 5, form, 2);
    const Figures list = viaLibrary<TQEntryListList>(
        control,
        [&](TQControlStruct* c, TQEntryListList* out, uint32_t* matches, TQStatusList* s) {
          return TQGetListEntry(c, form.c_str(), nullptr, &columns, nullptr, 0, out, matches, s);
        },
        FreeTQEntryListList, rawList.chunks);
    report("TQGetListEntry", size, list, rawList);
    const Figures rawFields = viaRawCalls<TQGetListEntryWithFieldsResult>(port, 73, form, 5);
    const Figures withFields = viaLibrary<TQEntryListFieldValueList>(
        control,
        [&](TQControlStruct* c, TQEntryListFieldValueList* out, uint32_t* matches,
            TQStatusList* s) {
          return TQGetListEntryWithFields(c, form.c_str(), nullptr, &fields, nullptr, 0, out,
                                          matches, s);
        },
        FreeTQEntryListFieldValueList, rawFields.chunks);
    report("TQGetListEntryWithFields", size, withFields, rawFields);
  }
  TQTermination(&control, &status);
  FreeTQStatusList(&status, 0);
  return 0;
}
