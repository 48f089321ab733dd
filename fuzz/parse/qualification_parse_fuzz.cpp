// Parses arbitrary text as a qualification against a fixed field catalogue.
// A parse succeeds with an empty status list or fails with one error of the
// parser's own; either way the tree (whole or partial) releases cleanly, and
// a whole tree encodes, and decodes again from exactly the bytes written.
#include <rpc/rpc.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "rpc/xdr_records.h"
#include "share/apisrv/call_context.h"
#include "share/useapi/parse/parse.h"

namespace {

TQParseField field(uint32_t id, uint32_t type, const char* label,
                   std::vector<std::string> names = {}) {
  TQParseField f;
  f.fieldId = id;
  f.dataType = type;
  std::snprintf(f.label, sizeof f.label, "%s", label);
  f.enumNames = std::move(names);
  return f;
}

const TQParseCatalogue& catalogue() {
  static const TQParseCatalogue c = [] {
    TQParseCatalogue built;
    built.fields = {field(1, TQ_DATA_TYPE_CHAR, "Request ID"),
                    field(3, TQ_DATA_TYPE_TIME, "Create Date"),
                    field(7, TQ_DATA_TYPE_ENUM, "Status", {"New", "Open", "Closed"}),
                    field(8, TQ_DATA_TYPE_CHAR, "Short Description"),
                    field(15, TQ_DATA_TYPE_CHAR, "Status History"),
                    field(102, TQ_DATA_TYPE_INTEGER, "a")};
    return built;
  }();
  return c;
}

void serverKeyword(void*, uint32_t, std::string* value) {
  *value = "Admin Staff";
}

bool parserError(int32_t number) {
  return number == 154 || (number >= 1579 && number <= 1591);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = bytes.substr(0, bytes.find('\0'));
  TQParseContext context;
  context.catalogue = &catalogue();
  context.schema = "Demo";
  context.server = "localhost";
  context.user = "joe";
  context.viewLabel = "Default";
  context.serverKeyword = serverKeyword;

  TQQualifierStruct q{};
  TQStatusList status{};
  const uint32_t code = tqParseQualification(context, text.c_str(), &q, &status);
  if (code == 0 && status.numItems != 0) std::abort();
  if (code != 0 &&
      (code != 2 || status.numItems != 1 || !parserError(status.statusList[0].messageNumber))) {
    std::abort();
  }
  if (code == 0) {
    static TQCallContext callContext;
    tqSetCurrentCallContext(&callContext);
    std::vector<char> wire(1 << 20);
    XDR out;
    xdrmem_create(&out, wire.data(), static_cast<u_int>(wire.size()), XDR_ENCODE);
    if (!xdr_TQQualifierStruct(&out, &q)) std::abort();
    const u_int length = xdr_getpos(&out);
    xdr_destroy(&out);
    TQQualifierStruct back{};
    XDR in;
    xdrmem_create(&in, wire.data(), length, XDR_DECODE);
    if (!xdr_TQQualifierStruct(&in, &back) || xdr_getpos(&in) != length) std::abort();
    xdr_destroy(&in);
    FreeTQQualifierStruct(&back, 0);
    tqSetCurrentCallContext(nullptr);
  }
  FreeTQQualifierStruct(&q, 0);
  FreeTQStatusList(&status, 0);
  return 0;
}
