// Session-level procedures: 36 server information (the identity query of a
// client's first contact asks it for code 55, the character set) and 47, the
// end-of-session notice.
#include <cstdlib>

#include "handler_families.h"
#include "server_context.h"
#include "share/apisrv/messages.h"

namespace tqsd {
namespace {

// Answers every known code with its value, in the order asked, and adds
// error 123 with the code for every unknown one. A list longer than
// kMaxRequestItems is refused as a whole (9359).
void getServerInfo(Call& call, TQGetServerInfoArgs& args, TQGetServerInfoResult& result) {
  const TQServerInfoRequestList& asked = args.requests;
  if (asked.numItems == 0 || !withinItemLimit(call, asked.numItems)) return;
  auto* items =
      static_cast<TQServerInfoStruct*>(std::calloc(asked.numItems, sizeof(TQServerInfoStruct)));
  if (items == nullptr) {
    addStatus(call, TQ_MSG_ERROR, 154);
    return;
  }
  result.info.serverInfoList = items;
  for (uint32_t i = 0; i < asked.numItems; ++i) {
    uint32_t code = asked.requestList[i];
    TQServerInfoStruct& item = items[result.info.numItems];
    if (!call.server.serverInfo.get(call.server.options, code, &item.value)) {
      addErrorNumber(call, kTQMsgUnknownServerInfo, code);
      continue;
    }
    item.operation = code;
    ++result.info.numItems;
  }
}

// The notice needs no answer beyond the (empty) status list.
void endSession(Call&, TQEndSessionArgs&, TQStatusResult&) {}

constexpr Handler kHandlers[] = {
    handler<TQGetServerInfoArgs, TQGetServerInfoResult, getServerInfo>(36),
    handler<TQEndSessionArgs, TQStatusResult, endSession>(47),
};

}  // namespace

std::span<const Handler> sessionHandlers() {
  return kHandlers;
}

}  // namespace tqsd
