// The kept results of chunked procedures (see list_results.h).
#include "list_results.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>

namespace tqsd {
namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kMaxKept = 64;
constexpr auto kKeptFor = std::chrono::minutes(10);
constexpr size_t kDefaultResponseSize = 20000;
// Room for the header, the counts and a status list of an answer.
constexpr size_t kAnswerOverhead = 512;
constexpr size_t kSmallestBudget = 64;

struct Kept {
  std::string owner;
  std::unique_ptr<PendingList> list;
  Clock::time_point used;
};

std::map<int32_t, Kept>& kept() {
  static std::map<int32_t, Kept> results;
  return results;
}

void dropStale() {
  const Clock::time_point now = Clock::now();
  auto& results = kept();
  for (auto it = results.begin(); it != results.end();) {
    it = now - it->second.used > kKeptFor ? results.erase(it) : std::next(it);
  }
  while (results.size() >= kMaxKept) {
    auto oldest = results.begin();
    for (auto it = results.begin(); it != results.end(); ++it) {
      if (it->second.used < oldest->second.used) oldest = it;
    }
    results.erase(oldest);
  }
}

// A fresh positive value from the system's random source, not in use.
int32_t freshValue() {
  static std::random_device source;
  for (;;) {
    const auto value = static_cast<int32_t>(source() & 0x7FFFFFFFu);
    if (value != 0 && kept().count(value) == 0) return value;
  }
}

}  // namespace

size_t chunkBudget(const Call& call) {
  size_t size = call.header->reserved != 0 ? call.header->reserved : kDefaultResponseSize;
  const std::string forced = setting(call, "lists.chunk-bytes");
  if (!forced.empty()) size = std::min<size_t>(size, std::strtoul(forced.c_str(), nullptr, 10));
  return size > kAnswerOverhead + kSmallestBudget ? size - kAnswerOverhead : kSmallestBudget;
}

ListFault listFault(const Call& call) {
  const std::string fault = setting(call, "lists.fault");
  if (fault == "stuck") return ListFault::kStuck;
  if (fault == "endless") return ListFault::kEndless;
  if (fault == "miscount") return ListFault::kMiscount;
  return ListFault::kNone;
}

std::string resultOwner(const Call& call) {
  const TQCallHeader& h = *call.header;
  return std::string(h.user, strnlen(h.user, sizeof h.user)) + '\n' +
         std::to_string(h.operationTime) + '\n' + std::to_string(call.procedure) + '\n' +
         std::to_string(call.program);
}

int32_t keepResult(const std::string& owner, std::unique_ptr<PendingList> list) {
  dropStale();
  const int32_t value = freshValue();
  kept().emplace(value, Kept{owner, std::move(list), Clock::now()});
  return value;
}

PendingList* findResult(int32_t value, const std::string& owner) {
  auto found = kept().find(value);
  if (found == kept().end() || found->second.owner != owner) return nullptr;
  return found->second.list.get();
}

int32_t renewResult(int32_t value) {
  auto found = kept().find(value);
  Kept result = std::move(found->second);
  kept().erase(found);
  result.used = Clock::now();
  const int32_t renewed = freshValue();
  kept().emplace(renewed, std::move(result));
  return renewed;
}

void dropResult(int32_t value) {
  kept().erase(value);
}

}  // namespace tqsd
