// The session's transport records behind the frame: bindings, server
// identities, routes, the queue directory, the environment and the end of a
// session. Internal to the tqb unit.
#pragma once

#include <cstdint>
#include <string>

#include "api/tqb_frame.h"
#include "api/tqb_session.h"

// ----------------------------------------------------------------- bindings

// The binding of a user, password and server in a channel's list.
TQBindingStruct* tqFindBinding(TQChannelStruct& channel, const char* user, const char* password,
                               const char* server);

// Frees every binding of a channel.
void tqFreeBindings(TQChannelStruct& channel);

// ---------------------------------------------------------------- identities

TQServerIdentStruct* tqFindIdentity(TQSessionStruct* session, const char* server);

// The identity query of the first contact with a server (and of a
// re-identification): asks the server for its character set with the given
// password mode, falls back to the clear password where allowed, and merges
// what remains of its status into `status`. `binding` is the binding the
// query is made for.
void tqQueryIdentity(TQControlStruct* control, TQServerIdentStruct* identity,
                     TQBindingStruct* binding, uint32_t passwordMode, TQStatusList* status);

void tqFreeIdentities(TQSessionStruct* session);

// ------------------------------------------------------------------- routes

// The route of a server, or nullptr; a found route becomes current.
TQServerRouteStruct* tqFindRoute(TQSessionStruct* session, const char* server);
// The route of a server, created when there is none; nullptr without memory.
TQServerRouteStruct* tqFindOrCreateRoute(TQSessionStruct* session, const char* server);
void tqFreeRoutes(TQSessionStruct* session);

// ---------------------------------------------------------- queue directory

// The three queries of the server's queue directory. Each sets the outputs
// as its fallback says and overwrites them with a found answer.
bool tqDirectoryDefault(TQControlStruct* control, const char* server, uint32_t* program,
                        uint32_t* port);
bool tqDirectoryGeneral(TQControlStruct* control, const char* server, uint32_t* program,
                        uint32_t* port);
bool tqDirectoryQuery(TQControlStruct* control, const char* server, const char* schema,
                      const TQQualifierStruct* qualifier, uint32_t* program, uint32_t* port);
void tqCloseDirectory(TQSessionStruct* session);

// The runtime's reason why the last directory query on this thread could not
// be made; empty after a query that was answered or after the clear.
std::string tqDirectoryFailure();
void tqClearDirectoryFailure();

// ------------------------------------------------------------- environment

// Reads TQAPILOGGING, TQRPC_RESPONSE_SIZE, TQRPC, TQTCPPORT and TQPROTOCOL
// (names replaceable through the catalog) into the session.
uint32_t tqReadEnvironment(TQSessionStruct* session, TQStatusList* status);

// ---------------------------------------------------------------- dispatch

// The form name and qualification a query-channel call passes to the
// directory (TQGetListEntry and TQGetListEntryWithFields set them around
// their dispatch); nullptr for every other call.
struct TQQueryTarget {
  const char* schema = nullptr;
  const TQQualifierStruct* qualifier = nullptr;
};
void tqSetQueryTarget(const TQQueryTarget& target);

// The end-of-session phase of TQTermination: a notice for every binding of
// every channel, then every connection, route and identity released.
uint32_t tqEndSessions(TQControlStruct* control, TQStatusList* status);
