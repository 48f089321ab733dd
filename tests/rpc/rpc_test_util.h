// Helpers of the wire tests: a current session, encoding into bytes,
// decoding from bytes (memory or record stream), and big-endian word lists.
#pragma once

#include <gtest/gtest.h>
#include <rpc/rpc.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "api/tqb_session.h"
#include "rpc/stubs.h"
#include "rpc/xdr_base.h"

using Bytes = std::vector<uint8_t>;

// A session made current on this thread for the scope's life.
struct SessionScope {
  TQSessionStruct session;
  explicit SessionScope(int clientCodePage = 0, int serverCodePage = 0) {
    session.clientCodePage = clientCodePage;
    session.serverCodePage = serverCodePage;
    tqSetCurrentSession(&session);
  }
  ~SessionScope() {
    tqFreeResultBuffers(&session);
    tqSetCurrentSession(nullptr);
  }
  SessionScope(const SessionScope&) = delete;
  SessionScope& operator=(const SessionScope&) = delete;
};

// Words in network order.
inline Bytes words(std::initializer_list<uint32_t> list) {
  Bytes out;
  for (uint32_t w : list) {
    out.push_back(static_cast<uint8_t>(w >> 24));
    out.push_back(static_cast<uint8_t>(w >> 16));
    out.push_back(static_cast<uint8_t>(w >> 8));
    out.push_back(static_cast<uint8_t>(w));
  }
  return out;
}

// size bytes holding text and zeros, padded to a multiple of 4.
inline Bytes fixedText(const std::string& text, size_t size) {
  Bytes out(text.begin(), text.end());
  out.resize((size + 3) & ~size_t{3}, 0);
  return out;
}

// A counted text: length word, bytes, padding.
inline Bytes countedText(const std::string& text) {
  Bytes out = words({static_cast<uint32_t>(text.size())});
  Bytes body = fixedText(text, text.size());
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

inline Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Encodes a record; `ok` tells whether the routine succeeded.
template <class T>
Bytes encodeWith(bool_t (*routine)(XDR*, T*), T* record, bool* ok = nullptr) {
  Bytes buffer(1 << 20);
  XDR x;
  xdrmem_create(&x, reinterpret_cast<char*>(buffer.data()), static_cast<u_int>(buffer.size()),
                XDR_ENCODE);
  const bool done = routine(&x, record) != 0;
  if (ok != nullptr) {
    *ok = done;
  } else {
    EXPECT_TRUE(done) << "encoding failed";
  }
  buffer.resize(done ? xdr_getpos(&x) : 0);
  xdr_destroy(&x);
  return buffer;
}

// Decodes a zeroed record from a memory stream; true when the routine
// succeeded and consumed every byte.
template <class T>
bool decodeWith(bool_t (*routine)(XDR*, T*), const Bytes& bytes, T* record) {
  std::memset(static_cast<void*>(record), 0, sizeof(T));
  XDR x;
  xdrmem_create(&x, const_cast<char*>(reinterpret_cast<const char*>(bytes.data())),
                static_cast<u_int>(bytes.size()), XDR_DECODE);
  const bool done = routine(&x, record) != 0;
  const bool all = xdr_getpos(&x) == bytes.size();
  xdr_destroy(&x);
  return done && all;
}

template <class T>
void releaseWith(bool_t (*routine)(XDR*, T*), T* record) {
  XDR freer{};
  freer.x_op = XDR_FREE;
  routine(&freer, record);
}

// A record stream (as TCP replies are read) over a byte block sent as one
// last fragment; the stream cannot tell how much of the record is left.
class RecordStream {
 public:
  explicit RecordStream(const Bytes& payload) {
    const uint32_t marker = 0x80000000u | static_cast<uint32_t>(payload.size());
    data_ = words({marker}) + payload;
    xdrrec_create(&xdrs_, 0, 0, this, &RecordStream::read, nullptr);
    xdrs_.x_op = XDR_DECODE;
    xdrrec_skiprecord(&xdrs_);
  }
  ~RecordStream() { xdr_destroy(&xdrs_); }
  RecordStream(const RecordStream&) = delete;
  RecordStream& operator=(const RecordStream&) = delete;
  XDR* xdrs() { return &xdrs_; }

 private:
  static int read(void* self, void* into, int wanted) {
    auto* me = static_cast<RecordStream*>(self);
    const size_t left = me->data_.size() - me->at_;
    if (left == 0) return -1;
    const size_t n = std::min<size_t>(left, static_cast<size_t>(wanted));
    std::memcpy(into, me->data_.data() + me->at_, n);
    me->at_ += n;
    return static_cast<int>(n);
  }
  Bytes data_;
  size_t at_ = 0;
  XDR xdrs_{};
};
