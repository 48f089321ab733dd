// Round trips and clean-failure checks over any record routine.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "rpc/xdr_base.h"
#include "rpc_test_util.h"

// Encodes, decodes into `out` and encodes `out` again: the second encoding
// must equal the first, so every field that travels came back unchanged.
template <class T>
Bytes roundTrip(bool_t (*routine)(XDR*, T*), T* in, T* out) {
  const Bytes wire = encodeWith(routine, in);
  EXPECT_FALSE(wire.empty());
  EXPECT_TRUE(decodeWith(routine, wire, out));
  EXPECT_EQ(encodeWith(routine, out), wire);
  return wire;
}

template <class T, bool_t (*F)(XDR*, T*)>
bool_t orFree(XDR* x, T* record) {
  return tqx::decodeOrFree<T, F>(x, record);
}

template <class T>
bool allZero(const T& record) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
  return std::all_of(bytes, bytes + sizeof(T), [](unsigned char b) { return b == 0; });
}

// A decode that must fail: it fails, leaves the record zeroed, and asks for
// no large block (the sanitizer build also shows that nothing leaked).
template <class T, bool_t (*F)(XDR*, T*)>
::testing::AssertionResult failsCleanly(const Bytes& wire) {
  auto record = std::make_unique<T>();
  tqx::resetAllocationStats();
  if (decodeWith(orFree<T, F>, wire, record.get())) {
    tqx::freeRecord<T, F>(record.get());
    return ::testing::AssertionFailure() << "decode succeeded";
  }
  if (!allZero(*record)) return ::testing::AssertionFailure() << "record not left empty";
  if (tqx::largestAllocation() > 2 * tqx::kDecodeChunkBytes) {
    return ::testing::AssertionFailure() << "allocated " << tqx::largestAllocation();
  }
  return ::testing::AssertionSuccess();
}

// Every proper prefix of a good encoding (cut at each word) fails cleanly.
template <class T, bool_t (*F)(XDR*, T*)>
void expectEveryCutFails(const Bytes& wire) {
  for (size_t cut = 0; cut < wire.size(); cut += 4) {
    Bytes shorter(wire.begin(), wire.begin() + static_cast<std::ptrdiff_t>(cut));
    ASSERT_TRUE((failsCleanly<T, F>(shorter))) << "cut at " << cut << " of " << wire.size();
  }
}
