// Bindings, the preparation of the call header and the bookkeeping after a
// call.
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "api/tqb_transport.h"
#include "share/apisrv/catalog.h"
#include "share/apisrv/scramble.h"
#include "share/i18n/mbcharset.h"

namespace {

// Copies at most `limit` bytes of a text into a buffer of limit + 1 bytes.
void copyText(char* dst, const char* src, size_t limit) {
  if (src == nullptr) src = "";
  size_t n = strnlen(src, limit);
  std::memcpy(dst, src, n);
  dst[n] = '\0';
}

bool same(const char* a, const char* b, size_t size) {
  return std::strncmp(a != nullptr ? a : "", b != nullptr ? b : "", size) == 0;
}

bool matches(const TQBindingStruct* b, const char* user, const char* password, const char* server) {
  return same(b->user, user, sizeof b->user) && same(b->password, password, sizeof b->password) &&
         same(b->server, server, sizeof b->server);
}

// The user's language from the locale settings: empty for English and for
// the C and POSIX locales.
std::string localeLanguage() {
  std::string name = tqCatalogLocaleName();
  if (name.empty() || name == "enu" || name == "ENU" || name.find("English") != std::string::npos ||
      name.find("en_US") != std::string::npos || name[0] == 'C' || name[0] == 'c' ||
      name == "POSIX") {
    return "";
  }
  return name.substr(0, kTQBindingLanguageSize);
}

// The protocol version a new binding of a server starts with: the one that
// another binding of the same server has reached.
uint32_t startingVersion(TQSessionStruct* session, int channel, const char* server) {
  auto firstOf = [&](TQBindingStruct* list) -> TQBindingStruct* {
    for (TQBindingStruct* b = list; b != nullptr; b = b->next) {
      if (same(b->server, server, sizeof b->server)) return b;
    }
    return nullptr;
  };
  if (TQBindingStruct* b = firstOf(session->channels[channel].bindings)) return b->protocolVersion;
  if (channel == kTQChannelQuery) {
    for (TQBindingStruct* b : {session->channels[kTQChannelGeneral].currentBinding,
                               session->channels[kTQChannelAdmin].currentBinding}) {
      if (b != nullptr && same(b->server, server, sizeof b->server)) return b->protocolVersion;
    }
    for (int c : {1, 0}) {
      if (TQBindingStruct* b = firstOf(session->channels[c].bindings)) return b->protocolVersion;
    }
  }
  return kTQNewestProtocol;
}

// Creates the binding of the control record on a channel, and at the first
// contact with its server the server's identity. 154 without memory.
uint32_t createBinding(TQSessionStruct* session, TQControlStruct* control, int channel,
                       TQStatusList* status) {
  auto* binding = static_cast<TQBindingStruct*>(std::calloc(1, sizeof(TQBindingStruct)));
  if (binding == nullptr) return tqOutOfMemory(status);
  copyText(binding->user, control->user, TQ_MAX_ACCESS_NAME_SIZE);
  copyText(binding->password, control->password, TQ_MAX_PASSWORD_SIZE);
  if (control->language[0] != '\0') {
    copyText(binding->language, control->language, TQ_MAX_LANG_SIZE);
  } else {
    std::string language = localeLanguage();
    copyText(binding->language, language.c_str(), kTQBindingLanguageSize);
    copyText(control->language, language.c_str(), TQ_MAX_LANG_SIZE);
  }
  copyText(binding->server, control->server, TQ_MAX_SERVER_SIZE);
  binding->protocolVersion = startingVersion(session, channel, control->server);
  binding->cacheId = 0;
  if (channel == kTQChannelQuery) {
    for (int32_t& id : binding->queryCacheIds)
      id = -1;
  }
  TQChannelStruct& ch = session->channels[channel];
  binding->next = ch.bindings;
  ch.bindings = binding;

  if (tqFindIdentity(session, control->server) == nullptr) {
    auto* identity = static_cast<TQServerIdentStruct*>(std::calloc(1, sizeof(TQServerIdentStruct)));
    if (identity == nullptr) return tqOutOfMemory(status);
    copyText(identity->server, control->server, TQ_MAX_SERVER_SIZE);
    identity->passwordMode = kTQPasswordUnknown;
    identity->next = session->identities;
    session->identities = identity;
    session->serverCodePage = kTQCharSetNone;
    tqQueryIdentity(control, identity, binding, kTQPasswordScramble, status);
  }
  ch.currentBinding = binding;
  session->clientCodePage = tqMbClientCharSet();
  return tqTopStatus(status);
}

}  // namespace

TQBindingStruct* tqFindBinding(TQChannelStruct& channel, const char* user, const char* password,
                               const char* server) {
  for (TQBindingStruct* b = channel.bindings; b != nullptr; b = b->next) {
    if (matches(b, user, password, server)) return b;
  }
  return nullptr;
}

void tqFreeBindings(TQChannelStruct& channel) {
  while (channel.bindings != nullptr) {
    TQBindingStruct* next = channel.bindings->next;
    std::free(channel.bindings);
    channel.bindings = next;
  }
  channel.currentBinding = nullptr;
}

int tqAdjustChannel(TQSessionStruct* session, const char* server, int channel) {
  auto channelOf = [](uint32_t program) {
    return program == kTQDefaultProgram ? kTQChannelAdmin : kTQChannelGeneral;
  };
  if (channel == kTQChannelAdmin) return kTQChannelAdmin;
  if (session->fixedProgram != 0) return channelOf(session->fixedProgram);
  for (TQServerRouteStruct* r = session->routes; r != nullptr; r = r->next) {
    if (same(r->server, server, sizeof r->server)) {
      if (r->configuredProgram != 0) return channelOf(r->configuredProgram);
      break;
    }
  }
  return channel;
}

uint32_t tqPrepareCallHeader(TQControlStruct* control, int channel, TQCallHeader* header,
                             TQStatusList* status) {
  TQSessionStruct* session = tqLookupSession(control, status);
  if (session == nullptr) return TQ_RETURN_FATAL;
  channel = tqAdjustChannel(session, control->server, channel);
  TQChannelStruct& ch = session->channels[channel];

  control->operationTime = static_cast<TQTimestamp>(std::time(nullptr));
  std::memset(header->user, 0, sizeof header->user);
  std::memset(header->password, 0, sizeof header->password);
  std::memset(header->language, 0, sizeof header->language);
  header->reserved = 0;
  header->signedReserved = 0;
  header->flag = 1;

  TQBindingStruct* current = ch.currentBinding;
  if (current == nullptr || !matches(current, control->user, control->password, control->server)) {
    current = tqFindBinding(ch, control->user, control->password, control->server);
    if (current != nullptr) {
      ch.currentBinding = current;
    } else {
      uint32_t code = createBinding(session, control, channel, status);
      if (code >= TQ_RETURN_ERROR) return code;
      current = ch.currentBinding;
    }
  }

  header->cacheId = static_cast<int32_t>(current->cacheId);
  header->operationTime = control->operationTime;
  copyText(header->user, control->user, TQ_MAX_ACCESS_NAME_SIZE);
  copyText(header->password, control->password, TQ_MAX_PASSWORD_SIZE);
  copyText(header->language, current->language, TQ_MAX_LANG_SIZE);
  header->extension = session->extension;
  header->extension.bytes = nullptr;
  if (session->extension.numItems != 0) {
    header->extension.bytes = static_cast<unsigned char*>(std::malloc(session->extension.numItems));
    if (header->extension.bytes == nullptr) {
      header->extension.numItems = 0;
      return tqOutOfMemory(status);
    }
    std::memcpy(header->extension.bytes, session->extension.bytes, session->extension.numItems);
  }
  std::memcpy(header->sessionWords, session->extensionWords, sizeof header->sessionWords);

  TQServerIdentStruct* identity = tqFindIdentity(session, control->server);
  session->serverCodePage =
      identity != nullptr ? tqMbServerCharSetFromName(identity->charSet) : kTQCharSetNone;
  if (identity != nullptr && identity->passwordMode == kTQPasswordScramble) {
    copyText(session->clearPassword, header->password, TQ_MAX_PASSWORD_SIZE);
    tqScramblePassword(static_cast<uint32_t>(header->operationTime), header->password);
  }

  if (channel == kTQChannelQuery) {
    session->lastQueryProgram = 0;
    session->currentHeader = header;
    session->currentCacheIds = current->queryCacheIds;
  }
  return tqTopStatus(status);
}

void tqReleaseCallHeader(TQCallHeader* header) {
  std::free(header->extension.bytes);
  header->extension.bytes = nullptr;
  header->extension.numItems = 0;
  // The query channel's plumbing must not outlive the header it points at,
  // whether or not the call went through.
  if (TQSessionStruct* session = tqCurrentSession(); session && session->currentHeader == header) {
    session->currentHeader = nullptr;
    session->currentCacheIds = nullptr;
  }
}

void tqAfterCall(TQControlStruct* control, int channel) {
  TQSessionStruct* session = tqLookupSession(control, nullptr);
  if (session == nullptr) return;
  std::memset(session->clearPassword, 0, sizeof session->clearPassword);
  channel = tqAdjustChannel(session, control->server, channel);
  TQChannelStruct& ch = session->channels[channel];
  TQBindingStruct* binding = ch.currentBinding;
  if (binding == nullptr || !matches(binding, control->user, control->password, control->server)) {
    binding = nullptr;
    for (TQBindingStruct* b = ch.bindings; b != nullptr; b = b->next) {
      if ((same(b->user, control->user, sizeof b->user) &&
           same(b->password, control->password, sizeof b->password)) ||
          same(b->server, control->server, sizeof b->server)) {
        binding = b;
        break;
      }
    }
    if (binding == nullptr) return;
  }
  binding->cacheId = static_cast<uint32_t>(control->cacheId);
  if (channel == kTQChannelQuery) {
    const uint32_t program = session->lastQueryProgram;
    if (program != kTQDefaultProgram && program != 0) {
      if (program >= kTQFirstQueryProgram && program <= kTQLastQueryProgram) {
        binding->queryCacheIds[program - kTQFirstQueryProgram] = control->cacheId;
      }
    } else {
      binding->queryCacheIds[kTQDefaultProgramCacheSlot] = control->cacheId;
    }
    session->lastQueryProgram = 0;
    session->currentHeader = nullptr;
    session->currentCacheIds = nullptr;
  }
}
