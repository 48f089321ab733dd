// Sockets, program registration and the serving loop of tqserverd: one
// thread, one epoll loop, non-blocking connections (transport.cpp says why).
#pragma once

#include <string>

#include "server_context.h"

namespace tqsd {

// Ends the loop on SIGTERM, SIGINT and SIGHUP, ignores SIGPIPE (a client that
// goes away while its answer is written must not end the server) and, when
// asked, has the kernel send SIGTERM when the parent process ends.
void installSignalHandlers(bool parentWatch);

// True once a stop signal arrived.
bool stopRequested();

// Listens on 127.0.0.1 (TCP, and UDP with --udp) for the programs: 390600
// and the query programs 390635 to 390669 in versions 2 to the highest
// switched on, and the queue directory 390604 as --directory says; with
// --portmap registers them with the port mapper too. Sets the context's port.
bool openTransport(ServerContext& server, std::string* error);

// Serves calls until a stop signal or the end of --exit-after.
void runLoop(const ServerContext& server);

// Withdraws the port mapper's registrations (when --portmap made them) and
// closes every connection and listening endpoint.
void closeTransport(const ServerContext& server);

}  // namespace tqsd
