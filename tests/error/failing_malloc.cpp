#include "failing_malloc.h"

#include <cstddef>

extern "C" void* __real_malloc(size_t size);

namespace {
int countdown = 0;
bool failed = false;
}  // namespace

extern "C" void* __wrap_malloc(size_t size) {
  if (countdown > 0 && --countdown == 0) {
    failed = true;
    return nullptr;
  }
  return __real_malloc(size);
}

void failNthMalloc(int n) {
  countdown = n;
  failed = false;
}

bool mallocFailureHappened() {
  return failed;
}
