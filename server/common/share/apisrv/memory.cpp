// The allocation seam and its test switch. With the switch off an allocation
// costs one relaxed atomic load on top of the C allocator.
#include "share/apisrv/memory.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace {

std::atomic<bool> gArmed{false};
std::atomic<int64_t> gRemaining{-1};
std::atomic<int64_t> gSeen{0};
std::atomic<bool> gFailEveryOneAfter{false};

// True when this allocation is to fail.
bool failThisOne() {
  if (!gArmed.load(std::memory_order_relaxed)) return false;
  gSeen.fetch_add(1, std::memory_order_relaxed);
  const int64_t before = gRemaining.fetch_sub(1, std::memory_order_relaxed);
  if (before > 0) return false;
  if (before == 0) return true;
  return gFailEveryOneAfter.load(std::memory_order_relaxed);
}

}  // namespace

void* tqMemAlloc(size_t size) { return failThisOne() ? nullptr : std::malloc(size); }

void* tqMemCalloc(size_t count, size_t size) {
  return failThisOne() ? nullptr : std::calloc(count, size);
}

void* tqMemRealloc(void* block, size_t size) {
  return failThisOne() ? nullptr : std::realloc(block, size);
}

char* tqMemStrdup(const char* text) {
  if (text == nullptr) return nullptr;
  const size_t length = std::strlen(text);
  auto* copy = static_cast<char*>(tqMemAlloc(length + 1));
  if (copy != nullptr) std::memcpy(copy, text, length + 1);
  return copy;
}

void tqMemFree(void* block) { std::free(block); }

void tqMemFailAfter(int64_t successes, bool failEveryOneAfter) {
  gArmed.store(false, std::memory_order_relaxed);
  gSeen.store(0, std::memory_order_relaxed);
  gFailEveryOneAfter.store(failEveryOneAfter, std::memory_order_relaxed);
  gRemaining.store(successes, std::memory_order_relaxed);
  if (successes >= 0) gArmed.store(true, std::memory_order_relaxed);
}

int64_t tqMemAllocationsSeen() { return gSeen.load(std::memory_order_relaxed); }
