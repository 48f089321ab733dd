// TQDecodeDiary and TQDecodeStatusHistory: the encoded texts of a diary field
// and of an entry's status history as lists. Local operations: no server is
// called. Each first checks the whole text in a counting pass, so that a
// text that is not a run of complete items allocates nothing.
#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "api/tqb_frame.h"
#include "share/i18n/mbutil.h"

namespace {

constexpr char kPartSeparator = '\x04';
constexpr char kItemEnd = '\x03';

// The next separator byte at a character start, or NULL.
const char* findSeparator(const char* from, char separator) {
  return tqMbStrChr(from, separator);
}

// The decimal number at an item's start, read as a signed 32-bit long is
// (white space and a sign before the digits; beyond the range the nearest
// limit); 0 when the item does not start with a number.
TQTimestamp leadingNumber(const char* p) {
  while (std::isspace(static_cast<unsigned char>(*p))) ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  long long value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    if (value <= INT32_MAX) value = value * 10 + (*p - '0');
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<TQTimestamp>(value);
}

// The bytes from begin to end as a user name, cut to its size by bytes.
void copyUser(TQAccessNameType user, const char* begin, const char* end) {
  size_t n = static_cast<size_t>(end - begin);
  if (n > TQ_MAX_ACCESS_NAME_SIZE) n = TQ_MAX_ACCESS_NAME_SIZE;
  std::memcpy(user, begin, n);
  user[n] = '\0';
}

// One diary item: its start and the positions of its two separators and
// its end. False when the text from p holds no complete item.
struct DiaryItem {
  const char* start;
  const char* user;   // the first separator
  const char* value;  // the second separator
  const char* end;
};

bool nextDiaryItem(const char* p, DiaryItem* item) {
  item->start = p;
  item->user = findSeparator(p, kPartSeparator);
  if (item->user == nullptr) return false;
  item->value = findSeparator(item->user + 1, kPartSeparator);
  if (item->value == nullptr) return false;
  item->end = findSeparator(item->value + 1, kItemEnd);
  return item->end != nullptr;
}

// One status-history item: its start, its end and the separator before the
// end (NULL for an empty item). False when the item has no end, or has
// contents without a separator.
struct HistoryItem {
  const char* start;
  const char* user;
  const char* end;
};

bool nextHistoryItem(const char* p, HistoryItem* item) {
  item->start = p;
  item->end = findSeparator(p, kItemEnd);
  if (item->end == nullptr) return false;
  item->user = nullptr;
  if (item->end == p) return true;
  const char* separator = findSeparator(p, kPartSeparator);
  if (separator == nullptr || separator > item->end) return false;
  item->user = separator;
  return true;
}

template <class Item, class Next>
bool countItems(const char* text, Next next, uint32_t* count) {
  uint32_t n = 0;
  Item item{};
  for (const char* p = text; *p != '\0'; p = item.end + 1) {
    if (!next(p, &item) || n == UINT32_MAX) return false;
    ++n;
  }
  *count = n;
  return true;
}

// The common start of both operations: the output cleared, the status list
// reset and the session found. kTQFrameGoOn when decoding goes on.
template <class List>
uint32_t decodeStart(TQControlStruct* control, List* list, TQStatusList* status,
                     const char* name, TQSessionStruct** session) {
  if (list != nullptr) *list = List{};
  uint32_t code = tqFrameStart(control, status, session);
  if (code != kTQFrameGoOn) return code;
  if (list == nullptr) {
    TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgNoOutput, nullptr);
    return TQ_RETURN_ERROR;
  }
  if (tqRecordingOn(*session)) tqRecordCall(*session, name);
  return kTQFrameGoOn;
}

uint32_t decodeEnd(TQSessionStruct* session, const char* name, uint32_t code,
                   TQStatusList* status) {
  if (tqRecordingOn(session)) tqRecordResults(session, name, code, status);
  return code;
}

uint32_t decodeDiary(const char* encoded, TQDiaryList* diary, TQStatusList* status) {
  if (encoded == nullptr || encoded[0] == '\0') return tqTopStatus(status);
  uint32_t count = 0;
  if (!countItems<DiaryItem>(encoded, nextDiaryItem, &count)) {
    TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgBadDiary, nullptr);
    return TQ_RETURN_ERROR;
  }
  auto* items = static_cast<TQDiaryStruct*>(std::malloc(count * sizeof(TQDiaryStruct)));
  if (items == nullptr) return tqOutOfMemory(status);
  std::memset(items, 0, count * sizeof(TQDiaryStruct));
  diary->diaryList = items;
  DiaryItem item{};
  for (const char* p = encoded; *p != '\0'; p = item.end + 1) {
    nextDiaryItem(p, &item);
    TQDiaryStruct& out = items[diary->numItems];
    const size_t length = static_cast<size_t>(item.end - (item.value + 1));
    out.value = static_cast<char*>(std::malloc(length + 1));
    if (out.value == nullptr) {
      // The release routine leaves an array without items alone, so the
      // list built so far is taken apart here.
      for (uint32_t i = 0; i < diary->numItems; ++i) std::free(items[i].value);
      std::free(items);
      *diary = TQDiaryList{};
      return tqOutOfMemory(status);
    }
    std::memcpy(out.value, item.value + 1, length);
    out.value[length] = '\0';
    out.time = leadingNumber(item.start);
    copyUser(out.user, item.user + 1, item.value);
    ++diary->numItems;
  }
  return tqTopStatus(status);
}

uint32_t decodeStatusHistory(const char* encoded, TQStatusHistoryList* history,
                             TQStatusList* status) {
  if (encoded == nullptr || encoded[0] == '\0') return tqTopStatus(status);
  uint32_t count = 0;
  if (!countItems<HistoryItem>(encoded, nextHistoryItem, &count)) {
    TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgBadStatusHistory, nullptr);
    return TQ_RETURN_ERROR;
  }
  auto* items =
      static_cast<TQStatusHistoryStruct*>(std::malloc(count * sizeof(TQStatusHistoryStruct)));
  if (items == nullptr) return tqOutOfMemory(status);
  std::memset(items, 0, count * sizeof(TQStatusHistoryStruct));
  HistoryItem item{};
  uint32_t n = 0;
  for (const char* p = encoded; *p != '\0'; p = item.end + 1, ++n) {
    nextHistoryItem(p, &item);
    if (item.user == nullptr) continue;  // a value never set: empty user, time 0
    items[n].time = leadingNumber(item.start);
    copyUser(items[n].user, item.user + 1, item.end);
  }
  history->statHistList = items;
  history->numItems = count;
  return tqTopStatus(status);
}

}  // namespace

extern "C" uint32_t TQDecodeDiary(TQControlStruct* control, const char* encoded,
                                  TQDiaryList* diary, TQStatusList* status) {
  return tqGuarded(status, [&]() -> uint32_t {
    TQSessionStruct* session = nullptr;
    const uint32_t code = decodeStart(control, diary, status, "TQDecodeDiary", &session);
    if (code != kTQFrameGoOn) return code;
    return decodeEnd(session, "TQDecodeDiary", decodeDiary(encoded, diary, status), status);
  });
}

extern "C" uint32_t TQDecodeStatusHistory(TQControlStruct* control, const char* encoded,
                                          TQStatusHistoryList* history, TQStatusList* status) {
  return tqGuarded(status, [&]() -> uint32_t {
    TQSessionStruct* session = nullptr;
    const uint32_t code =
        decodeStart(control, history, status, "TQDecodeStatusHistory", &session);
    if (code != kTQFrameGoOn) return code;
    return decodeEnd(session, "TQDecodeStatusHistory",
                     decodeStatusHistory(encoded, history, status), status);
  });
}
