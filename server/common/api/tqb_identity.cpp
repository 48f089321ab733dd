// Server identities and the identity query of the first contact with a
// server: its password mode and its character set.
#include <cstdlib>
#include <cstring>

#include "api/tqb_transport.h"

namespace {

constexpr const char* kUnknownCharSet = "en_US.ascii";

bool firstIs(const TQStatusList& status, uint32_t code, int32_t number) {
  return code == TQ_RETURN_ERROR && status.numItems != 0 &&
         status.statusList[0].messageNumber == number;
}

// Drops the first status item (and releases its texts).
void dropFirst(TQStatusList& status) {
  TQStatusStruct& first = status.statusList[0];
  std::free(first.messageText);
  std::free(first.appendedText);
  std::memmove(status.statusList, status.statusList + 1,
               (status.numItems - 1) * sizeof(TQStatusStruct));
  if (--status.numItems == 0) {
    std::free(status.statusList);
    status.statusList = nullptr;
  }
}

// The protocol version the server was reached with: the binding the query
// ran on (channel 1 unless a fixed program moves it), else the binding the
// query was made for.
uint32_t reachedVersion(TQSessionStruct* session, TQControlStruct* control,
                        TQBindingStruct* binding) {
  int channel = tqAdjustChannel(session, control->server, 1);
  TQBindingStruct* used =
      tqFindBinding(session->channels[channel], control->user, control->password, control->server);
  uint32_t version = binding != nullptr ? binding->protocolVersion : kTQNewestProtocol;
  if (used != nullptr && used->protocolVersion < version) version = used->protocolVersion;
  return version;
}

}  // namespace

TQServerIdentStruct* tqFindIdentity(TQSessionStruct* session, const char* server) {
  for (TQServerIdentStruct* i = session->identities; i != nullptr; i = i->next) {
    if (std::strncmp(i->server, server, sizeof i->server) == 0) return i;
  }
  return nullptr;
}

void tqFreeIdentities(TQSessionStruct* session) {
  while (session->identities != nullptr) {
    TQServerIdentStruct* next = session->identities->next;
    std::free(session->identities);
    session->identities = next;
  }
}

void tqQueryIdentity(TQControlStruct* control, TQServerIdentStruct* identity,
                     TQBindingStruct* binding, uint32_t passwordMode, TQStatusList* status) {
  TQSessionStruct* session = control->session;
  uint32_t code = 0;
  uint32_t request = kTQServerInfoCharSet;
  TQServerInfoRequestList requests{1, &request};
  TQServerInfoList answer{};
  TQStatusList queryStatus{};
  // The query is the library's own, not a call of the caller's: it stays
  // out of the call recording (a replay makes it again by itself).
  struct Unrecorded {
    TQSessionStruct* session;
    uint8_t recording;
    ~Unrecorded() { session->recordingOn = recording; }
  } unrecorded{session, session->recordingOn};
  session->recordingOn = 0;
  for (;;) {
    identity->passwordMode = passwordMode;
    code = TQGetServerInfo(control, &requests, &answer, &queryStatus);
    if (firstIs(queryStatus, code, kTQMsgUnknownServerInfo)) {
      // A server that does not know the code has no character set to tell.
      dropFirst(queryStatus);
      code = tqTopStatus(&queryStatus);
    } else if (firstIs(queryStatus, code, kTQMsgBadPassword) &&
               passwordMode == kTQPasswordScramble &&
               reachedVersion(session, control, binding) < 4 &&
               session->clearPasswordFallback != 0) {
      // An old server may want the password in clear.
      dropFirst(queryStatus);
      FreeTQStatusList(&queryStatus, 0);
      FreeTQServerInfoList(&answer, 0);
      passwordMode = kTQPasswordClear;
      continue;
    }
    break;
  }
  TQMergeStatus(&queryStatus, status, status);
  if (code >= TQ_RETURN_ERROR) {
    identity->passwordMode = kTQPasswordScramble;
    std::strcpy(identity->charSet, kUnknownCharSet);
  } else {
    identity->charSet[0] = '\0';
    for (uint32_t i = 0; i < answer.numItems; ++i) {
      const TQValueStruct& value = answer.serverInfoList[i].value;
      if (value.dataType == TQ_DATA_TYPE_CHAR && value.u.charVal != nullptr) {
        size_t n = strnlen(value.u.charVal, kTQCharSetNameSize);
        std::memcpy(identity->charSet, value.u.charVal, n);
        identity->charSet[n] = '\0';
        break;
      }
    }
  }
  FreeTQServerInfoList(&answer, 0);
}
