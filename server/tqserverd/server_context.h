// What the whole server shares: its switches, users, call counters and the
// port it listens on. The server runs one thread, so none of it is locked.
#pragma once

#include <cstdint>

#include "call_stats.h"
#include "groups.h"
#include "options.h"
#include "server_info.h"
#include "users.h"

namespace tqsd {

struct ServerContext {
  Options options;
  UserTable users;
  GroupTable groups;
  CallStats stats;
  ServerInfoTable serverInfo;  // what administrators set since the start
  uint32_t port = 0;           // the listening port
};

// The context the RPC dispatch routines work with; set once by main.
ServerContext& serverContext();
void setServerContext(ServerContext* context);

}  // namespace tqsd
