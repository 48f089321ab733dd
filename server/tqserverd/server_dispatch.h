// The RPC dispatch routines that the transport calls: one for the server
// program (390600 and the query programs) and one for the queue directory.
// The transport has checked the program and version already.
#pragma once

#include "rpc_call.h"

namespace tqsd {

// Counts the call, then: procedure 0 gets an empty answer; a call chosen by
// --drop-call is hung up on; a procedure without routines or handler gets
// "procedure unavailable"; arguments that do not decode get "garbage
// arguments". Otherwise the call header's password is checked (error 329 in
// the result's status list when it does not match or the user is unknown),
// the handler runs, --delay is waited out, and the result is encoded with the
// routine of the called version and released. A failure of the store
// becomes error 9360 with the store's reason, and a lack of memory error
// 154, in the result's status list.
void serveProgram(RpcCall& request);

// The queue directory: procedures 1 and 3 answer the general and the
// default program, 2 the query program, each with the port to use (version 1:
// the program alone).
void serveDirectory(RpcCall& request);

}  // namespace tqsd
