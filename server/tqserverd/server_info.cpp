// The server information table (server_info.h).
#include "server_info.h"

#include <cstring>

#include "def_record.h"
#include "rpc/xdr_records.h"

namespace tqsd {
namespace {

constexpr uint32_t kCharsetCode = 55;

}  // namespace

void ServerInfoTable::set(uint32_t code, TQValueStruct& value) {
  set_[code] = encodeRecord(xdr_TQValueStruct, value);
}

bool ServerInfoTable::get(const Options& options, uint32_t code, TQValueStruct* out) const {
  std::memset(out, 0, sizeof(*out));
  auto stored = set_.find(code);
  if (stored != set_.end()) {
    decodeRecord(xdr_TQValueStruct, stored->second, out);
    return true;
  }
  const std::string* text = nullptr;
  if (code == kCharsetCode && options.charset) text = &*options.charset;
  auto given = options.serverInfo.find(code);
  if (code != kCharsetCode && given != options.serverInfo.end()) text = &given->second;
  if (text == nullptr) return false;
  TQValueStruct value{};
  value.dataType = TQ_DATA_TYPE_CHAR;
  value.u.charVal = const_cast<char*>(text->c_str());
  // A copy through the same routine, so the caller releases it the one way.
  decodeRecord(xdr_TQValueStruct, encodeRecord(xdr_TQValueStruct, value), out);
  return true;
}

}  // namespace tqsd
