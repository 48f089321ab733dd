// The library's session: everything one TQInitialization owns until the
// matching TQTermination, and the calling thread's current session through
// which helpers that get no control record (result buffers, catalog texts,
// text conversion) find it.
#pragma once

#include <cstdint>

#include "tqlink.h"

struct TQBindingStruct;
struct TQServerIdentStruct;
struct TQServerRouteStruct;
struct TQRuntimeContext;

inline constexpr uint32_t kTQSessionMarker = 0x1A942F50;
inline constexpr int kTQChannelCount = 3;
inline constexpr int kTQResultSlotCount = 348;

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

struct TQSessionStruct {
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
  TQServerRouteStruct* routes = nullptr;
  TQServerRouteStruct* currentRoute = nullptr;
  uint8_t rebalancePending = 0;
  TQServerIdentStruct* identities = nullptr;
  uint32_t lastQueryProgram = 0;
  void* currentHeader = nullptr;
  int32_t* currentCacheIds = nullptr;
  char transport[4] = "tcp";
  TQEntryIdType lastCreatedEntryId = {};
  uint32_t lastMatchCount = 0;
  TQPasswordType clearPassword = {};
  uint32_t resultSlotCount = 0;
  void** resultSlots = nullptr;
  int32_t clientCodePage = 0;
  int32_t serverCodePage = 0;
  uint8_t oldProtocol = 0;
  uint8_t exportCapable = 1;
  uint8_t noConversion = 0;
};

// The calling thread's current session, or nullptr.
TQSessionStruct* tqCurrentSession();
void tqSetCurrentSession(TQSessionStruct* session);
