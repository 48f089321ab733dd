// TQCreateUser, TQDeleteUser, TQCreateGroup and TQDeleteGroup (procedures
// 90 to 93). Unlike the rest of the family each runs in a session of its
// own, opened and ended inside the call for the control record's user and
// server, and sends a record without call header that begins with the
// client's host name (TQClientHostName when a program stored one there,
// else the platform's); the answer is a bare status list.
#include <unistd.h>

#include <cstring>

#include "api/tqb_def_family.h"

extern "C" {
char TQClientHostName[kTQWireHostName + 1] = {};
}

namespace {

constexpr int kChannel = 1;

struct AccountCall {
  const char* name;  // as recorded
  uint32_t procedure;
};

constexpr AccountCall kCreateUser = {"TQCreateUser", 90};
constexpr AccountCall kDeleteUser = {"TQDeleteUser", 91};
constexpr AccountCall kCreateGroup = {"TQCreateGroup", 92};
constexpr AccountCall kDeleteGroup = {"TQDeleteGroup", 93};

// The host name the records begin with.
void hostName(char (&out)[kTQWireHostName + 1]) {
  std::memset(out, 0, sizeof out);
  if (TQClientHostName[0] != '\0') {
    std::memcpy(out, TQClientHostName, kTQWireHostName);
  } else if (gethostname(out, kTQWireHostName) != 0) {
    out[0] = '\0';
  }
  out[kTQWireHostName] = '\0';
}

// Opens the own session, prepares the channel (binding and identity, as a
// call header would), sends the record, merges the answer, ends the
// session. `fill(Args&)` fills what follows the prefix.
template <class Args, class Fill>
uint32_t accountCall(const AccountCall& call, TQControlStruct* control, const char* subject,
                     TQStatusList* status, Fill&& fill) noexcept {
  return tqGuarded(status, [&]() -> uint32_t {
    if (status == nullptr) return TQ_RETURN_BAD_STATUS;
    tqResetStatus(status);
    uint32_t code = tqCheckControlAndName(control, subject, 0, status);
    if (code >= TQ_RETURN_ERROR) return code;

    TQControlStruct own = *control;
    own.session = nullptr;
    TQStatusList opened{};
    code = TQInitialization(&own, &opened);
    TQMergeStatus(&opened, status, status);
    if (code >= TQ_RETURN_ERROR) return tqTopStatus(status);

    TQSessionStruct* session = tqLookupSession(&own, status);
    if (session != nullptr) {
      if (tqRecordingOn(session)) tqRecordCall(session, call.name);
      TQCallHeader header{};
      code = tqPrepareCallHeader(&own, kChannel, &header, status);
      tqReleaseCallHeader(&header);
      if (code < TQ_RETURN_ERROR) {
        char host[kTQWireHostName + 1];
        hostName(host);
        Args args{};
        args.prefix.hostName = host;
        args.prefix.user = own.user;
        args.prefix.password = own.password;
        fill(args);
        void* raw = nullptr;
        const bool ok = tqDispatch(
            &own, tqStubOf(TQProgram::kServer, kTQNewestProtocol, call.procedure), false,
            tqTimeoutSeconds(session, TQTimeout::kNormal), kTQMsgTimeoutChange, kChannel, &args,
            &raw, status);
        if (ok && raw != nullptr) {
          TQMergeStatus(static_cast<TQStatusList*>(raw), status, status);
          tqReleaseResult(call.procedure, raw);
          tqAfterCall(&own, kChannel);
        }
      }
      if (tqRecordingOn(session)) {
        tqRecordResults(session, call.name, tqTopStatus(status), status);
      }
    }
    TQStatusList closed{};
    TQTermination(&own, &closed);
    FreeTQStatusList(&closed, 0);
    return tqTopStatus(status);
  });
}

}  // namespace

extern "C" uint32_t TQCreateUser(TQControlStruct* control, const char* userName,
                                 const char* password, const char* emailAddress,
                                 const TQInternalIdList* groupIds, TQStatusList* status) {
  return accountCall<TQCreateUserArgs>(kCreateUser, control, userName, status,
                                       [&](TQCreateUserArgs& a) {
                                         a.userName = tqDefText(userName);
                                         a.password = tqDefText(password);
                                         a.emailAddress = tqDefText(emailAddress);
                                         a.groupIds = tqDefValueOf(groupIds);
                                       });
}

extern "C" uint32_t TQDeleteUser(TQControlStruct* control, const char* userName,
                                 TQStatusList* status) {
  return accountCall<TQDeleteUserArgs>(kDeleteUser, control, userName, status,
                                       [&](TQDeleteUserArgs& a) {
                                         a.userName = tqDefText(userName);
                                       });
}

extern "C" uint32_t TQCreateGroup(TQControlStruct* control, const char* groupName,
                                  uint32_t groupId, uint32_t groupType, TQStatusList* status) {
  return accountCall<TQCreateGroupArgs>(kCreateGroup, control, groupName, status,
                                        [&](TQCreateGroupArgs& a) {
                                          a.groupName = tqDefText(groupName);
                                          a.groupId = groupId;
                                          a.groupType = groupType;
                                        });
}

extern "C" uint32_t TQDeleteGroup(TQControlStruct* control, const char* groupName,
                                  TQStatusList* status) {
  return accountCall<TQDeleteGroupArgs>(kDeleteGroup, control, groupName, status,
                                        [&](TQDeleteGroupArgs& a) {
                                          a.groupName = tqDefText(groupName);
                                        });
}
