// The library's one allocation seam. Every block that tqlink allocates with
// the C allocator goes through these routines, so that a test can make the
// Nth allocation fail and check that each caller turns the failure into a
// clean error. Blocks handed to a caller stay ordinary malloc blocks: the
// release routines and the caller free them with free().
#pragma once

#include <cstddef>
#include <cstdint>

void* tqMemAlloc(size_t size);
void* tqMemCalloc(size_t count, size_t size);
void* tqMemRealloc(void* block, size_t size);
// A malloc copy of a terminated text (NULL for NULL or on failure).
char* tqMemStrdup(const char* text);
void tqMemFree(void* block);

// Test switch: let the next `successes` allocations succeed and fail the one
// after them; with `failEveryOneAfter`, every later allocation fails too.
// A negative count turns the switch off (the default).
void tqMemFailAfter(int64_t successes, bool failEveryOneAfter);
// How many allocations went through the seam since the last tqMemFailAfter.
int64_t tqMemAllocationsSeen();
