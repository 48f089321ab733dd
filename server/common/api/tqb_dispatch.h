// The dispatcher and the call header, below the frame: what the frame, the
// directory, the bindings and the end of a session use to make one remote
// call. Internal to the tqb unit.
#pragma once

#include <cstdint>

#include "api/tqb_session.h"
#include "rpc/procedure_records.h"
#include "rpc/stubs.h"
#include "share/apisrv/messages.h"
#include "tqlink.h"
#include "tqlink_services.h"

inline constexpr uint32_t kTQServerInfoCharSet = 55;
inline constexpr uint32_t kTQProcGetServerInfo = 36;
inline constexpr uint32_t kTQProcEndSession = 47;

// ------------------------------------------------------------------ status

// The most severe message type of a status list: its first item's, 0 when
// empty.
uint32_t tqTopStatus(const TQStatusList* status);

// Adds error 154 and returns 2.
uint32_t tqOutOfMemory(TQStatusList* status);

// ------------------------------------------------------------- call header

// The channel an operation's call really uses: a fixed program number, or
// the configured program of the server's route, moves channels 1 and 2 to
// channel 0 (for 390600) or 1 (any other).
int tqAdjustChannel(TQSessionStruct* session, const char* server, int channel);

// Call-header preparation for a channel: binding found or created (with the
// identity query at the first contact with a server), header filled,
// password scrambled when the server wants it. Returns the most severe
// status type; 2 or more means the call must not go on. The header owns a
// copy of the extension bytes afterwards: release it with
// tqReleaseCallHeader.
uint32_t tqPrepareCallHeader(TQControlStruct* control, int channel, TQCallHeader* header,
                             TQStatusList* status);
void tqReleaseCallHeader(TQCallHeader* header);

// -------------------------------------------------------------- dispatch

// The dispatcher: one remote call of `stub` (version-6 stub of the
// procedure) with `args` on the control record's server over the channel,
// with the fallbacks, retry and translation. On success *result is the
// decoded result in version-6 layout (a session buffer). On failure a status
// item was added unless the failure is silent.
bool tqDispatch(TQControlStruct* control, TQStub stub, bool retried, int32_t timeout,
                int32_t timeoutMessage, int channel, void* args, void** result,
                TQStatusList* status);

// Sends the end-of-session notice (procedure 47) on a channel with the
// notices' 1-second timeout; its outcome is not reported.
void tqSendEndSessionNotice(TQControlStruct* control, int channel, TQEndSessionArgs* notice);

// Destroys a channel's connection, if any, and marks the channel closed.
void tqCloseChannel(TQSessionStruct* session, int channel);

// Post-call bookkeeping after a successful dispatch.
void tqAfterCall(TQControlStruct* control, int channel);

// Releases what remains in a version-6 result record of a procedure.
void tqReleaseResult(uint32_t procedure, void* result);

// The form name and qualification a query-channel call passes to the
// directory (TQGetListEntry and TQGetListEntryWithFields set them around
// their dispatch); nullptr for every other call.
struct TQQueryTarget {
  const char* schema = nullptr;
  const TQQualifierStruct* qualifier = nullptr;
};
void tqSetQueryTarget(const TQQueryTarget& target);
