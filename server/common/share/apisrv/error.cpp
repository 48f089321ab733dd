// Status lists, message texts and the small text services that share the
// per-thread buffers: system error text, catalog text, version text.
#include "share/apisrv/error.h"

#include <malloc.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "api/tqb_catalog.h"

namespace {

constexpr const char* kMissingMessageText = "Message not in catalog; Message number = ";
constexpr const char* kNoCatalogText = "Cannot open catalog; Message number = ";

// The number behind the missing-message text is added only while the text
// leaves room for it.
constexpr size_t kMissingTextRoom = 243;

// Message numbers that have a catalog text; other numbers get an empty text.
constexpr int32_t kFirstCatalogMessage = 1;
constexpr int32_t kLastCatalogMessage = 9999;

// Per-thread result buffers of the services that return a text pointer. They
// belong with the thread's current session; until the session carries them
// they live here, one set per thread.
thread_local char systemErrorBuffer[kTQMessageBufferSize];
thread_local char catalogBuffer[kTQMessageBufferSize];
thread_local std::string versionBuffer;

bool isUtf8Continuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// A copy of text cut to the status text limit, in malloc memory.
char* duplicateStatusText(const char* text) {
  const size_t length = tqTextCutLength(text, kTQMaxStatusText);
  char* copy = static_cast<char*>(malloc(length + 1));
  if (copy == nullptr) return nullptr;
  memcpy(copy, text, length);
  copy[length] = '\0';
  return copy;
}

// The item array of list with room for one item more than its count, or
// nullptr when memory runs out (the list is then unchanged). A full array is
// moved into one of twice the size, so that appending n items copies O(n)
// items in all instead of the whole list on every append. The room an array
// has is read from the allocator, so a list that arrives with an array of
// exactly its count (a decoded one, or a caller's) is grown like any other.
TQStatusStruct* roomForOneMore(const TQStatusList& list, uint32_t count) {
  const size_t needed = (size_t{count} + 1) * sizeof(TQStatusStruct);
  if (count > 0 && malloc_usable_size(list.statusList) >= needed) return list.statusList;
  const size_t capacity = std::bit_ceil(size_t{count} + 1);
  auto* items = static_cast<TQStatusStruct*>(malloc(capacity * sizeof(TQStatusStruct)));
  if (items == nullptr) return nullptr;
  if (count > 0) memcpy(items, list.statusList, count * sizeof(TQStatusStruct));
  free(list.statusList);
  return items;
}

uint32_t topMessageType(const TQStatusList& list) {
  return list.numItems > 0 && list.statusList != nullptr ? list.statusList[0].messageType : 0;
}

bool isEmpty(const TQStatusList* list) {
  return list == nullptr || list->numItems == 0 || list->statusList == nullptr;
}

// Releases the items of list with their texts and leaves it empty.
void releaseStatusItems(TQStatusList& list) {
  if (list.statusList != nullptr) {
    for (uint32_t i = 0; i < list.numItems; ++i) {
      free(list.statusList[i].messageText);
      free(list.statusList[i].appendedText);
    }
  }
  free(list.statusList);
  list = TQStatusList{};
}

// Moves the contents of from into to (which may be the same list); from is
// left empty unless it is to.
void moveStatusList(TQStatusList* from, TQStatusList* to) {
  TQStatusList taken = *from;
  *from = TQStatusList{};
  *to = taken;
}

// A list received from a server is put in severity order (keeping the order
// within each type), so that the merged list's first item is always its most
// severe one and a call never reports success while it carries an error.
void sortBySeverity(TQStatusList& list) {
  auto moreSevere = [](const TQStatusStruct& a, const TQStatusStruct& b) {
    return a.messageType > b.messageType;
  };
  TQStatusStruct* begin = list.statusList;
  TQStatusStruct* end = begin + list.numItems;
  if (!std::is_sorted(begin, end, moreSevere)) std::stable_sort(begin, end, moreSevere);
}

// Copies the items of source from position next on whose type is at least
// minType, up to the first one below it, to the end of target.
void takeItemsFrom(const TQStatusList& source, uint32_t& next, uint32_t minType,
                   TQStatusStruct* target, uint32_t& count) {
  while (next < source.numItems && source.statusList[next].messageType >= minType) {
    target[count++] = source.statusList[next++];
  }
}

// Reads the decimal digits at text into value; returns the position behind
// them. Values are capped so that long digit runs cannot overflow; a capped
// value fails every range check.
const char* readNumber(const char* text, int& value) {
  value = 0;
  while (*text >= '0' && *text <= '9') {
    if (value < 1000) value = value * 10 + (*text - '0');
    ++text;
  }
  return text;
}

}  // namespace

bool tqThreadHasSession() {
  return true;
}

// Character boundaries are those of UTF-8, the client text encoding on this
// platform; the session's client code page decides them once the multibyte
// text services carry it.
size_t tqTextCutLength(const char* src, size_t maxBytes) {
  const size_t length = strnlen(src, maxBytes + 1);
  if (length <= maxBytes) return length;
  // src[maxBytes] is the first byte left out. When it continues a character,
  // that character starts before the cut and is left out as a whole.
  size_t cut = maxBytes;
  while (cut > 0 && maxBytes - cut < 3 && isUtf8Continuation(src[cut]))
    --cut;
  return isUtf8Continuation(src[cut]) ? maxBytes : cut;
}

size_t tqCopyTextCut(char* dst, const char* src, size_t maxBytes) {
  const size_t length = tqTextCutLength(src, maxBytes);
  memcpy(dst, src, length);
  dst[length] = '\0';
  return length;
}

extern "C" {

char* TQMessageText(int32_t messageNumber, char* buffer) {
  if (buffer == nullptr) return nullptr;
  const nl_catd catalog = tqCatalogAcquire();
  if (catalog == kTQNoCatalog) {
    snprintf(buffer, kTQMessageBufferSize, "%s%d", kNoCatalogText, messageNumber);
    return buffer;
  }
  const char* text = tqCatalogFetch(catalog, kTQCatalogSetMessages, messageNumber, "");
  if (*text != '\0') {
    tqCopyTextCut(buffer, text, kTQMaxStatusText);
    return buffer;
  }
  text = tqCatalogFetch(catalog, kTQCatalogSetMessages, kTQMsgMissingTemplate, kMissingMessageText);
  const size_t length = tqCopyTextCut(buffer, text, kTQMaxStatusText);
  if (length < kMissingTextRoom) {
    snprintf(buffer + length, kTQMessageBufferSize - length, "%d", messageNumber);
  }
  return buffer;
}

char* TQGetTextForErrorMessage(int32_t messageNumber) {
  char* text = static_cast<char*>(malloc(kTQMessageBufferSize));
  if (text == nullptr) return nullptr;
  return TQMessageText(messageNumber, text);
}

uint32_t TQAppendStatus(TQStatusList* status, uint32_t messageType, int32_t messageNumber,
                        const char* appendedText) {
  if (status == nullptr) return TQ_RETURN_BAD_STATUS;
  // A count without items is an unusable list; it is treated as empty.
  const uint32_t count = status->statusList != nullptr ? status->numItems : 0;
  if (count == UINT32_MAX) return TQ_RETURN_FATAL;

  char message[kTQMessageBufferSize] = "";
  if (messageNumber >= kFirstCatalogMessage && messageNumber <= kLastCatalogMessage) {
    TQMessageText(messageNumber, message);
  }

  char* messageCopy = duplicateStatusText(message);
  char* appendedCopy = appendedText != nullptr ? duplicateStatusText(appendedText) : nullptr;
  const bool textsCopied = messageCopy != nullptr && (appendedText == nullptr || appendedCopy != nullptr);
  // The array is grown last: once it has moved, nothing may fail any more.
  TQStatusStruct* items = textsCopied ? roomForOneMore(*status, count) : nullptr;
  if (items == nullptr) {
    free(messageCopy);
    free(appendedCopy);
    return TQ_RETURN_FATAL;
  }

  // The new item goes ahead of every item of the same or a lower type; the
  // list is sorted by type, highest first, so that place is found by halving.
  TQStatusStruct* position = std::partition_point(
      items, items + count, [&](const TQStatusStruct& item) { return item.messageType > messageType; });
  memmove(position + 1, position, static_cast<size_t>(items + count - position) * sizeof *items);
  *position = TQStatusStruct{messageType, messageNumber, messageCopy, appendedCopy};
  status->statusList = items;
  status->numItems = count + 1;
  return items[0].messageType;
}

uint32_t TQAppendStatusNumber(TQStatusList* status, uint32_t messageType, int32_t messageNumber,
                              uint32_t number) {
  char text[16];
  snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(number));
  return TQAppendStatus(status, messageType, messageNumber, text);
}

uint32_t TQMergeStatus(TQStatusList* server, TQStatusList* client, TQStatusList* merged) {
  if (merged == nullptr) return TQ_RETURN_BAD_STATUS;
  const bool serverEmpty = isEmpty(server);
  const bool clientEmpty = isEmpty(client);
  if (!serverEmpty) sortBySeverity(*server);
  if (serverEmpty && clientEmpty) {
    if (merged != client) *merged = TQStatusList{};
    return 0;
  }
  if (serverEmpty) {
    moveStatusList(client, merged);
    return topMessageType(*merged);
  }
  if (clientEmpty) {
    moveStatusList(server, merged);
    return topMessageType(*merged);
  }

  const uint64_t total = uint64_t{server->numItems} + client->numItems;
  auto* items = total <= UINT32_MAX
                    ? static_cast<TQStatusStruct*>(malloc(total * sizeof(TQStatusStruct)))
                    : nullptr;
  if (items == nullptr) {
    // Keep the more severe list (the client's on a tie) and report the loss.
    const bool keepClient = topMessageType(*client) >= topMessageType(*server);
    TQStatusList* kept = keepClient ? client : server;
    releaseStatusItems(keepClient ? *server : *client);
    moveStatusList(kept, merged);
    return TQAppendStatus(merged, TQ_MSG_ERROR, kTQMsgNoMemory, nullptr);
  }

  // Errors, then warnings, then notes; the client's first within each level.
  uint32_t count = 0;
  uint32_t nextServer = 0;
  uint32_t nextClient = 0;
  for (uint32_t minType :
       {uint32_t{TQ_MSG_ERROR}, uint32_t{TQ_MSG_WARNING}, uint32_t{TQ_MSG_NOTE}}) {
    takeItemsFrom(*client, nextClient, minType, items, count);
    takeItemsFrom(*server, nextServer, minType, items, count);
  }
  free(server->statusList);
  free(client->statusList);
  *server = TQStatusList{};
  *client = TQStatusList{};
  *merged = TQStatusList{count, items};
  return topMessageType(*merged);
}

const char* TQCatalogText(int32_t setNumber, int32_t messageNumber) {
  if (!tqThreadHasSession()) return nullptr;
  const nl_catd catalog = tqCatalogAcquire();
  if (catalog == kTQNoCatalog) return nullptr;
  const char* text = tqCatalogFetch(catalog, setNumber, messageNumber, "");
  if (*text == '\0') return nullptr;
  tqCopyTextCut(catalogBuffer, text, kTQMaxStatusText);
  return catalogBuffer;
}

const char* TQSystemErrorText(const char* name) {
  const int error = errno;
  // Only numbers the C library knows have a text of their own.
  if (strerrordesc_np(error) == nullptr) return name != nullptr ? name : "";
  const char* systemText = strerror(error);
  if (name == nullptr || *name == '\0') return systemText;
  if (!tqThreadHasSession()) return name;
  static constexpr char kJoin[] = " : ";
  const size_t systemLength = strlen(systemText);
  const size_t joinLength = sizeof kJoin - 1;
  const size_t nameLength = strlen(name);
  if (systemLength + joinLength + nameLength + 1 > sizeof systemErrorBuffer) return systemText;
  char* out = systemErrorBuffer;
  memcpy(out, systemText, systemLength);
  memcpy(out + systemLength, kJoin, joinLength);
  memcpy(out + systemLength + joinLength, name, nameLength + 1);
  return systemErrorBuffer;
}

const char* TQVersionText(char* version) {
  if (version == nullptr) return nullptr;
  int major = 0;
  int minor = 0;
  int patch = 0;
  const char* p = readNumber(version, major);
  if (major < 1 || major > 99 || *p != '.') return version;
  p = readNumber(p + 1, minor);
  if (minor > 99) return version;
  if (*p == '.') {
    readNumber(p + 1, patch);
    if (patch < 1 || patch > 99) return version;
  }

  char* rest = version + strspn(version, "0123456789.");
  if (char* word = strstr(rest, "Patch")) *word = 'p';

  try {
    const int length = patch != 0
                           ? snprintf(nullptr, 0, "%2d.%02d.%02d%s", major, minor, patch, rest)
                           : snprintf(nullptr, 0, "%2d.%02d%s", major, minor, rest);
    if (length < 0) return version;
    versionBuffer.resize(static_cast<size_t>(length));
    if (patch != 0) {
      snprintf(versionBuffer.data(), versionBuffer.size() + 1, "%2d.%02d.%02d%s", major, minor,
               patch, rest);
    } else {
      snprintf(versionBuffer.data(), versionBuffer.size() + 1, "%2d.%02d%s", major, minor, rest);
    }
    return versionBuffer.c_str();
  } catch (...) {
    return version;
  }
}

int32_t TQIsRpcMessageNumber(int32_t messageNumber) {
  return (messageNumber >= 50 && messageNumber <= 89) ||
         (messageNumber >= 8031 && messageNumber <= 8200);
}

}  // extern "C"
