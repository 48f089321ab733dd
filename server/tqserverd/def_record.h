// A definition kept in the store as the bytes of its record, encoded with
// the same XDR routine that carries the record on the wire: what a get
// answers is exactly what was stored, and one routine walks the record for
// encoding, decoding and release.
#pragma once

#include <rpc/rpc.h>

#include <cstring>
#include <string>
#include <vector>

#include "store.h"

namespace tqsd {

// The bytes of a record. Throws StoreFailure when it does not encode.
template <class T>
std::string encodeRecord(bool_t (*routine)(XDR*, T*), T& record) {
  for (size_t size = 4096;; size *= 4) {
    std::vector<char> buffer(size);
    XDR x{};
    xdrmem_create(&x, buffer.data(), static_cast<u_int>(size), XDR_ENCODE);
    const bool done = routine(&x, &record) != 0;
    const size_t used = xdr_getpos(&x);
    xdr_destroy(&x);
    if (done) return std::string(buffer.data(), used);
    if (size > (256u << 20)) throw StoreFailure("a definition too large to keep");
  }
}

// Decodes stored bytes into a zeroed record; the caller releases it with
// releaseRecord. Throws StoreFailure when the bytes do not decode.
template <class T>
void decodeRecord(bool_t (*routine)(XDR*, T*), const std::string& bytes, T* record) {
  std::memset(static_cast<void*>(record), 0, sizeof(T));
  std::string copy = bytes;  // the decoder reads from a writable buffer
  XDR x{};
  xdrmem_create(&x, copy.data(), static_cast<u_int>(copy.size()), XDR_DECODE);
  const bool done = routine(&x, record) != 0;
  xdr_destroy(&x);
  if (!done) {
    XDR freer{};
    freer.x_op = XDR_FREE;
    routine(&freer, record);
    std::memset(static_cast<void*>(record), 0, sizeof(T));
    throw StoreFailure("a stored definition does not decode");
  }
}

// Releases what a record holds (not the record itself) and zeroes it.
template <class T>
void releaseRecord(bool_t (*routine)(XDR*, T*), T* record) {
  XDR freer{};
  freer.x_op = XDR_FREE;
  routine(&freer, record);
  std::memset(static_cast<void*>(record), 0, sizeof(T));
}

// A decoded record released when the scope ends.
template <class T>
class OwnedRecord {
 public:
  explicit OwnedRecord(bool_t (*routine)(XDR*, T*)) : routine_(routine) {
    std::memset(static_cast<void*>(&record_), 0, sizeof(T));
  }
  ~OwnedRecord() { releaseRecord(routine_, &record_); }
  OwnedRecord(const OwnedRecord&) = delete;
  OwnedRecord& operator=(const OwnedRecord&) = delete;

  T& operator*() { return record_; }
  T* operator->() { return &record_; }
  void decode(const std::string& bytes) {
    releaseRecord(routine_, &record_);
    decodeRecord(routine_, bytes, &record_);
  }
  std::string encode() { return encodeRecord(routine_, record_); }
  // Hands the record's contents over; this one keeps a zeroed record.
  T release() {
    T out = record_;
    std::memset(static_cast<void*>(&record_), 0, sizeof(T));
    return out;
  }

 private:
  bool_t (*routine_)(XDR*, T*);
  T record_;
};

}  // namespace tqsd
