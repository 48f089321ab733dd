// The server information the server answers by code: the character set
// (code 55) and the texts of --server-info, overridden by the values that
// administrators set through procedure 44, of any data type. A set value is
// kept as its record encoded as on the wire, so a get answers exactly what
// was set.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "options.h"
#include "tqlink.h"

namespace tqsd {

class ServerInfoTable {
 public:
  // Keeps a copy of the value for the code. Throws StoreFailure when the
  // value does not encode.
  void set(uint32_t code, TQValueStruct& value);

  // Fills *out (zeroed first; the caller releases it with the value's XDR
  // routine) with the value for the code; false when the code is unknown.
  bool get(const Options& options, uint32_t code, TQValueStruct* out) const;

 private:
  std::map<uint32_t, std::string> set_;  // encoded values by code
};

}  // namespace tqsd
