// The library's session: everything one TQInitialization owns until the
// matching TQTermination, and the calling thread's current session through
// which helpers that get no control record (result buffers, catalog texts,
// text conversion) find it.
//
// Also the per-session records the frame and the dispatcher keep: bindings
// (one per user, password and server on a channel), server identities (what
// the first contact with a server taught) and server routes (program numbers
// and ports of a server).
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>

#include "rpc/procedures.h"
#include "share/apisrv/call_context.h"
#include "tqlink.h"

struct TQRuntimeContext;

inline constexpr uint32_t kTQSessionMarker = 0x1A942F50;
inline constexpr int kTQResultSlotCount = kTQProcedureCount;

// Program numbers (defined with the procedure table).
inline constexpr uint32_t kTQDefaultProgram = kTQServerProgram;
inline constexpr uint32_t kTQQueueDirectoryProgram = kTQDirectoryProgram;
inline constexpr int kTQQueryProgramCount = kTQLastQueryProgram - kTQFirstQueryProgram + 1;
inline constexpr int kTQQueryCacheIdCount = 36;  // one per query program, then 390600
inline constexpr int kTQDefaultProgramCacheSlot = 35;

inline constexpr size_t kTQBindingLanguageSize = 32;
inline constexpr size_t kTQCharSetNameSize = 32;

// Password modes of a server identity.
inline constexpr uint32_t kTQPasswordClear = 0;
inline constexpr uint32_t kTQPasswordScramble = 1;
inline constexpr uint32_t kTQPasswordUnknown = 2;

// One user, password and server on one channel. Newest at the head of the
// channel's list.
struct TQBindingStruct {
  TQAccessNameType user;
  TQPasswordType password;
  char language[kTQBindingLanguageSize + 1];
  TQServerNameType server;
  uint32_t protocolVersion;  // 2 to 6; only goes down during a session
  uint32_t cacheId;
  TQBindingStruct* next;
  // Query channel only: the cache id per query program (entry i for
  // 390635 + i) and, in the last entry, for 390600; -1 while unknown.
  int32_t queryCacheIds[kTQQueryCacheIdCount];
};

// What the session learnt of a server at its first contact.
struct TQServerIdentStruct {
  TQServerNameType server;
  uint32_t passwordMode;  // kTQPassword...
  char charSet[kTQCharSetNameSize + 1];
  TQServerIdentStruct* next;
};

// Where the programs of a server are found.
struct TQServerRouteStruct {
  TQServerNameType server;
  uint32_t configuredProgram;  // TQSetServerPort; 0 = none
  uint32_t resolvedProgram[kTQChannelCount];
  time_t resolvedAt;         // last resolution of channel 0 or 1
  time_t defaultResolvedAt;  // last resolution of channel 2 to the default program
  uint32_t defaultPort;      // TQSetServerPort with program 0 or 390600
  uint32_t privatePort;      // TQSetServerPort with a program from 390680 to 390694
  uint32_t channelPort[2];   // resolved ports of channels 0 and 1
  uint32_t queryPort[kTQQueryProgramCount];
  uint32_t otherQueryPort;    // channel 2, any other program
  uint32_t directoryVersion;  // 2 or 1
  TQServerRouteStruct* next;
};

// One connection channel of a session: 0 administrative, 1 general, 2 query.
struct TQChannelStruct {
  int32_t timeout = 0;  // timeout last set on the connection
  uint32_t port = 0;
  void* connection = nullptr;    // the runtime's client handle
  uint32_t protocolVersion = 0;  // saved protocol version of the connection
  TQBindingStruct* bindings = nullptr;
  TQBindingStruct* currentBinding = nullptr;
  TQServerNameType server = {};
  uint32_t program = 0;
};

// The session embeds the call context that the wire and text routines read
// (code pages, the no-conversion byte, result buffers, text buffers).
struct TQSessionStruct : TQCallContext {
  uint32_t marker = kTQSessionMarker;
  TQRuntimeContext* runtime = nullptr;
  int32_t responseSize = 20000;
  int32_t normalTimeout = 60;
  int32_t longTimeout = 180;
  int32_t extraLongTimeout = 900;
  int32_t directoryTimeout = 15;
  uint8_t clearPasswordFallback = 1;
  uint8_t createdFlag = 1;
  int32_t programFixed = 0;
  uint32_t forcedQueryProgram = 0;
  int32_t forcedProgramFlag = 0;
  TQChannelStruct channels[kTQChannelCount];
  uint32_t fixedTcpPort = 0;
  uint32_t fixedProgram = 0;
  void* directoryConnection = nullptr;
  TQServerNameType directoryServer = {};
  int32_t directoryConnectionTimeout = 0;  // timeout last set on the directory connection
  TQServerRouteStruct* routes = nullptr;
  TQServerRouteStruct* currentRoute = nullptr;
  uint8_t rebalancePending = 0;
  TQServerIdentStruct* identities = nullptr;
  uint32_t lastQueryProgram = 0;
  void* currentHeader = nullptr;  // TQCallHeader of the query call being prepared
  int32_t* currentCacheIds = nullptr;
  char transport[4] = "tcp";
  TQEntryIdType lastCreatedEntryId = {};
  uint32_t lastMatchCount = 0;
  TQPasswordType clearPassword = {};
  // Call recording: on/off, its two files, the pause flag (think time is
  // recorded), the time of the end of the last recorded call (microseconds
  // since 1970) and the printed outputs of the call under way.
  uint8_t recordingOn = 0;
  FILE* commandLog = nullptr;
  FILE* resultLog = nullptr;
  uint8_t recordPause = 0;
  int64_t lastCallMicros = 0;
  char* recordOutputs = nullptr;
  // Extension fields copied into every version-6 call header; this library
  // leaves them empty.
  TQByteList extension = {};
  uint32_t extensionWords[4] = {};
  uint8_t oldProtocol = 0;
  uint8_t exportCapable = 1;
};

// The calling thread's current session, or nullptr. Setting it makes the
// session's call context the thread's current one.
TQSessionStruct* tqCurrentSession();
void tqSetCurrentSession(TQSessionStruct* session);

// Registry of live sessions (stands in for a probe of the handle's memory):
// a handle is trusted only after it was found here.
void tqRegisterSession(TQSessionStruct* session);
void tqUnregisterSession(TQSessionStruct* session);
bool tqSessionIsLive(const TQSessionStruct* session);

// Session lookup: the session behind the control record (161 into status
// when there is none or it has ended), made the calling thread's current
// one. Without a control record, the thread's current session.
TQSessionStruct* tqLookupSession(const TQControlStruct* control, TQStatusList* status);

// Whether two server names are the same server (names compared as the
// session keeps them, at most TQ_MAX_SERVER_SIZE bytes).
bool tqSameServer(const char* a, const char* b);
