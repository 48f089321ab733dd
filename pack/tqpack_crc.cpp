// CRC-32 of the uncompressed data, as stored in the container's trailer.
#include <libdeflate.h>

#include "pack/tqpack_context.h"

namespace tqpack {

uint32_t crcUpdate(uint32_t crc, const uint8_t* data, size_t n) {
  return n == 0 ? crc : libdeflate_crc32(crc, data, n);
}

}  // namespace tqpack
