// The XDR framework that every record routine is built from.
//
// A record routine has the shape `bool_t xdr_X(XDR*, X*)` and encodes,
// decodes or frees according to the handle's direction. The helpers here
// carry the shapes that repeat: 32-bit words, counted lists, optional
// pointers, tagged unions, runs of words on the inline fast path, and the
// bounded strings and byte blocks.
//
// Decoding is safe against a broken or hostile peer:
//  - a decode expects a zeroed record and allocates everything it fills in;
//  - no count or length read from the wire makes the decoder allocate more
//    than the received message can hold: on memory streams counts and lengths
//    are checked against the bytes that remain; on record streams (TCP) lists
//    and byte blocks grow in bounded chunks as their items actually arrive;
//  - nesting through optional pointers is limited (kMaxDecodeDepth);
//  - a list or optional pointer whose decode fails releases what it
//    allocated and is left empty; a top-level routine wrapped by decodeOrFree
//    releases the whole record on failure.
#pragma once

#include <rpc/rpc.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace tqx {

// A record routine with its record type erased, as the procedure table and
// the RPC runtime hold it.
using Proc = bool_t (*)(XDR*, void*);

// Nesting limit of optional pointers while decoding (qualification trees,
// arithmetic operands, sub-queries).
inline constexpr int kMaxDecodeDepth = 1000;

// Size of the pieces in which lists and byte blocks of unknown true size
// grow while decoding a record stream.
inline constexpr size_t kDecodeChunkBytes = 64 * 1024;

// ---------------------------------------------------------------- words

inline bool_t u32(XDR* x, uint32_t* v) {
  return xdr_u_int(x, v);
}
inline bool_t i32(XDR* x, int32_t* v) {
  return xdr_int(x, v);
}
inline bool_t uchar(XDR* x, uint8_t* v) {
  return xdr_u_char(x, v);
}
inline bool_t dbl(XDR* x, double* v) {
  return xdr_double(x, v);
}

// Erases the record type of a routine: erased<T, F> has the Proc shape.
template <class T, bool_t (*F)(XDR*, T*)>
bool_t erased(XDR* x, void* p) {
  return F(x, static_cast<T*>(p));
}

// Runs F; when a decode fails, releases what it allocated and zeroes the
// record, so that a failed decode leaves nothing behind.
template <class T, bool_t (*F)(XDR*, T*)>
bool_t decodeOrFree(XDR* x, void* p) {
  T* record = static_cast<T*>(p);
  if (F(x, record)) return TRUE;
  if (x->x_op == XDR_DECODE) {
    XDR freer{};
    freer.x_op = XDR_FREE;
    F(&freer, record);
    std::memset(static_cast<void*>(record), 0, sizeof(T));
  }
  return FALSE;
}

// Runs a routine in the free direction on one record.
template <class T, bool_t (*F)(XDR*, T*)>
void freeRecord(T* record) {
  XDR freer{};
  freer.x_op = XDR_FREE;
  F(&freer, record);
}

// ------------------------------------------------------- stream bounds

// Bytes not yet decoded in a memory stream; SIZE_MAX when the stream cannot
// tell (record streams, encoders).
size_t remaining(XDR* x);

// False when a count of items, each at least 4 bytes on the wire, cannot
// possibly fit into what remains of the stream.
bool countFits(XDR* x, uint32_t count);

// Heap use of the decoders: every allocation goes through here so that the
// largest single request of the calling thread can be read back (tests use
// it to show that a lying count allocates nothing large).
void* allocZeroed(size_t bytes);
void* growZeroed(void* block, size_t oldBytes, size_t newBytes);
size_t largestAllocation();
void resetAllocationStats();

// Guards the nesting depth of a decode on the calling thread.
class DepthGuard {
 public:
  DepthGuard();
  ~DepthGuard();
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;
  bool tooDeep() const { return tooDeep_; }

 private:
  bool tooDeep_;
};

// --------------------------------------------------------------- lists

// Next capacity of an array being decoded item by item: doubles, starts at
// one chunk, never above the announced count.
uint32_t nextCapacity(uint32_t capacity, uint32_t count, size_t itemSize);

// A counted list { numItems, items }: the count, then the items.
template <class T, bool_t (*Item)(XDR*, T*)>
bool_t list(XDR* x, uint32_t* count, T** items) {
  switch (x->x_op) {
    case XDR_ENCODE: {
      if (*count != 0 && *items == nullptr) return FALSE;
      if (!xdr_u_int(x, count)) return FALSE;
      for (uint32_t i = 0; i < *count; ++i) {
        if (!Item(x, &(*items)[i])) return FALSE;
      }
      return TRUE;
    }
    case XDR_FREE: {
      if (*items != nullptr) {
        for (uint32_t i = 0; i < *count; ++i)
          Item(x, &(*items)[i]);
        std::free(*items);
      }
      *items = nullptr;
      *count = 0;
      return TRUE;
    }
    case XDR_DECODE: {
      uint32_t n = 0;
      *items = nullptr;
      *count = 0;
      if (!xdr_u_int(x, &n)) return FALSE;
      if (!countFits(x, n)) return FALSE;
      T* array = nullptr;
      uint32_t capacity = 0;
      for (uint32_t i = 0; i < n; ++i) {
        if (i == capacity) {
          uint32_t grown = nextCapacity(capacity, n, sizeof(T));
          void* block = growZeroed(array, size_t{capacity} * sizeof(T), size_t{grown} * sizeof(T));
          if (block == nullptr) {
            *items = array;
            *count = i;
            XDR freer{};
            freer.x_op = XDR_FREE;
            list<T, Item>(&freer, count, items);
            return FALSE;
          }
          array = static_cast<T*>(block);
          capacity = grown;
        }
        if (!Item(x, &array[i])) {
          *items = array;
          *count = i + 1;  // the failed item may hold parts; free it too
          XDR freer{};
          freer.x_op = XDR_FREE;
          list<T, Item>(&freer, count, items);
          return FALSE;
        }
      }
      *items = array;
      *count = n;
      return TRUE;
    }
  }
  return FALSE;
}

// ----------------------------------------------------- optional pointer

// A pointer to a sub-record: a presence word (1 present, 0 absent; any
// non-zero word counts as present), then the sub-record.
template <class T, bool_t (*F)(XDR*, T*)>
bool_t optional(XDR* x, T** p) {
  switch (x->x_op) {
    case XDR_ENCODE: {
      bool_t present = *p != nullptr;
      if (!xdr_bool(x, &present)) return FALSE;
      if (!present) return TRUE;
      // A record nested deeper than a decode accepts is refused here too,
      // so that a caller's deep tree fails cleanly instead of exhausting
      // the stack.
      DepthGuard depth;
      if (depth.tooDeep()) return FALSE;
      return F(x, *p);
    }
    case XDR_FREE: {
      if (*p != nullptr) {
        F(x, *p);
        std::free(*p);
        *p = nullptr;
      }
      return TRUE;
    }
    case XDR_DECODE: {
      *p = nullptr;
      bool_t present = FALSE;
      if (!xdr_bool(x, &present)) return FALSE;
      if (!present) return TRUE;
      DepthGuard depth;
      if (depth.tooDeep()) return FALSE;
      T* record = static_cast<T*>(allocZeroed(sizeof(T)));
      if (record == nullptr) return FALSE;
      if (!F(x, record)) {
        freeRecord<T, F>(record);
        std::free(record);
        return FALSE;
      }
      *p = record;
      return TRUE;
    }
  }
  return FALSE;
}

// ---------------------------------------------------------------- unions

// One arm of a tagged union: the tags first..last select proc, which gets
// the address of the union body; a null proc means "no payload".
struct Arm {
  uint32_t first;
  uint32_t last;
  Proc proc;
};

// The tag, then the arm it selects. A tag that no arm lists fails encode and
// decode (in the free direction it has nothing to release).
bool_t unionOf(XDR* x, uint32_t* tag, void* body, const Arm* arms, size_t armCount);

template <size_t N>
bool_t unionOf(XDR* x, uint32_t* tag, void* body, const Arm (&arms)[N]) {
  return unionOf(x, tag, body, arms, N);
}

// -------------------------------------------------------- inline words

namespace detail {
inline void put(int32_t*& buf, uint32_t v) {
  IXDR_PUT_U_INT32(buf, v);
}
inline void put(int32_t*& buf, int32_t v) {
  IXDR_PUT_INT32(buf, v);
}
inline void put(int32_t*& buf, uint8_t v) {
  IXDR_PUT_U_INT32(buf, v);
}
inline void get(int32_t*& buf, uint32_t& v) {
  v = IXDR_GET_U_INT32(buf);
}
inline void get(int32_t*& buf, int32_t& v) {
  v = IXDR_GET_INT32(buf);
}
inline void get(int32_t*& buf, uint8_t& v) {
  v = static_cast<uint8_t>(IXDR_GET_U_INT32(buf));
}
inline bool_t word(XDR* x, uint32_t* v) {
  return xdr_u_int(x, v);
}
inline bool_t word(XDR* x, int32_t* v) {
  return xdr_int(x, v);
}
inline bool_t word(XDR* x, uint8_t* v) {
  return xdr_u_char(x, v);
}
}  // namespace detail

// A run of 32-bit words (unsigned, signed, or one-byte fields sent as a
// word): written or read straight from the handle's inline buffer when it
// offers one, otherwise word by word. The bytes on the wire are the same.
template <class... W>
bool_t run(XDR* x, W*... fields) {
  if (x->x_op == XDR_FREE) return TRUE;
  constexpr u_int bytes = sizeof...(W) * BYTES_PER_XDR_UNIT;
  if (int32_t* buf = XDR_INLINE(x, bytes)) {
    if (x->x_op == XDR_ENCODE) {
      (detail::put(buf, *fields), ...);
    } else {
      (detail::get(buf, *fields), ...);
    }
    return TRUE;
  }
  return (detail::word(x, fields) && ...);
}

// ------------------------------------------------------ bytes and texts

// A fixed block of n bytes, padded to a multiple of 4.
inline bool_t fixedOpaque(XDR* x, char* bytes, uint32_t n) {
  return xdr_opaque(x, bytes, n);
}

// A text with a bound: length, bytes, padding. A null text encodes as the
// empty text; a text longer than max fails. Decode allocates length + 1
// bytes and terminates the text; free releases it and nulls the pointer.
bool_t boundedString(XDR* x, char** text, uint32_t max);

// Counted bytes with a bound: length, bytes, padding. Decode allocates one
// byte more than the length and puts a terminator there, so that the block
// may be read as a text.
bool_t boundedBytes(XDR* x, char** bytes, uint32_t* length, uint32_t max);

inline constexpr uint32_t kUnbounded = 0xFFFFFFFFu;

}  // namespace tqx
