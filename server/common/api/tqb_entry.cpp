// The entry operations: TQGetEntry, TQSetEntry, TQCreateEntry,
// TQDeleteEntry and TQMergeEntry (procedures 1, 2, 3, 4 and 37).
//
// The changing operations send the caller's field value list as it is,
// except for two things:
//  - attachment values (data type 11) would be read and compressed here
//    before they travel; until that is built they are refused with 283 and
//    an appended text that says so, before anything is sent;
//  - values of field 102 travel scrambled with the fixed key. The caller's
//    list is never changed: the items are copied (shallow, sharing texts and
//    sub-records with the caller) and only the copies of the field 102 texts
//    are new and scrambled. The copy lives until the operation returns.
//
// A create or merge remembers the new entry id in the session unless the
// server answered with an error (a warning keeps it).
#include <cstdlib>
#include <cstring>
#include <memory>

#include "api/parmchck.h"
#include "api/tqb_frame.h"
#include "share/apisrv/scramble.h"
#include "share/i18n/mbutil.h"

namespace {

constexpr TQCallPlan kGetEntry = tqCallPlan(1);
constexpr TQCallPlan kSetEntry = tqCallPlan(2);
constexpr TQCallPlan kCreateEntry = tqCallPlan(3);
constexpr TQCallPlan kDeleteEntry = tqCallPlan(4);
constexpr TQCallPlan kMergeEntry = tqCallPlan(37);

constexpr uint32_t kPasswordField = kTQPasswordFieldId;
constexpr size_t kScrambledLength = kTQPasswordLength;
// Attachment values cannot be sent yet: the server-side data type message
// with a text that says why.
constexpr int32_t kMsgAttachmentNotSent = 283;

bool isPasswordText(const TQFieldValueStruct& item) {
  return item.fieldId == kPasswordField && item.value.dataType == TQ_DATA_TYPE_CHAR &&
         item.value.u.charVal != nullptr;
}

// A new 31-byte buffer holding the first 30 characters of `text` (whole
// characters only), scrambled with the field 102 key; nullptr when memory
// ran out.
char* scrambledCopy(const char* text) {
  auto* copy = static_cast<char*>(std::calloc(kScrambledLength + 1, 1));
  if (copy == nullptr) return nullptr;
  tqMbSafeCopy(copy, text, kScrambledLength);
  copy[kScrambledLength] = '\0';
  tqScrambleField102(copy);
  return copy;
}

// The field value list that a changing operation sends: the caller's, or a
// copy with scrambled field 102 texts. Releases the copy at the end.
class SentFieldList {
 public:
  SentFieldList() = default;
  SentFieldList(const SentFieldList&) = delete;
  SentFieldList& operator=(const SentFieldList&) = delete;
  ~SentFieldList() { release(); }

  // Fills *sent from the caller's list (nullptr: an empty list). Returns the
  // code of the first failure (2), or 0.
  uint32_t prepare(const TQFieldValueList* caller, TQFieldValueList* sent, TQStatusList* status) {
    *sent = TQFieldValueList{};
    if (caller == nullptr || caller->numItems == 0 || caller->fieldValueList == nullptr) return 0;
    *sent = *caller;
    bool hasPassword = false;
    for (uint32_t i = 0; i < caller->numItems; ++i) {
      const TQFieldValueStruct& item = caller->fieldValueList[i];
      if (item.value.dataType == TQ_DATA_TYPE_ATTACH) {
        return TQAppendStatus(status, TQ_MSG_ERROR, kMsgAttachmentNotSent,
                              "attachment values cannot be sent yet");
      }
      if (item.fieldId == kPasswordField) hasPassword = true;
    }
    if (!hasPassword) return 0;

    count_ = caller->numItems;
    items_ = static_cast<TQFieldValueStruct*>(std::calloc(count_, sizeof(TQFieldValueStruct)));
    if (items_ == nullptr) return tqOutOfMemory(status);
    for (uint32_t i = 0; i < count_; ++i) {
      const TQFieldValueStruct& item = caller->fieldValueList[i];
      items_[i] = item;
      if (!isPasswordText(item)) continue;
      items_[i].value.u.charVal = nullptr;  // not shared: released as ours
      char* copy = scrambledCopy(item.value.u.charVal);
      if (copy == nullptr) {
        release();
        return tqOutOfMemory(status);
      }
      items_[i].value.u.charVal = copy;
    }
    sent->fieldValueList = items_;
    return 0;
  }

 private:
  void release() {
    if (items_ == nullptr) return;
    for (uint32_t i = 0; i < count_; ++i) {
      if (items_[i].fieldId == kPasswordField && items_[i].value.dataType == TQ_DATA_TYPE_CHAR) {
        std::free(items_[i].value.u.charVal);
      }
    }
    std::free(items_);
    items_ = nullptr;
    count_ = 0;
  }

  TQFieldValueStruct* items_ = nullptr;
  uint32_t count_ = 0;
};

void clearEntryId(TQEntryIdType entryId) {
  if (entryId != nullptr) entryId[0] = '\0';
}

// Takes over the new entry id of a create or merge: into the caller's buffer
// and, unless the server answered with an error, into the session.
void takeNewEntryId(TQEntryIdResult& result, TQEntryIdType entryId) {
  result.entryId[TQ_MAX_ENTRYID_SIZE] = '\0';
  if (entryId != nullptr) std::memcpy(entryId, result.entryId, sizeof(TQEntryIdType));
  if (tqTopStatus(&result.status) < TQ_RETURN_ERROR) {
    if (TQSessionStruct* session = tqCurrentSession()) {
      std::memcpy(session->lastCreatedEntryId, result.entryId, sizeof(TQEntryIdType));
    }
  }
}

// The values of a get, handed to the caller: attachments name their file,
// and field 102 texts of an older server are scrambled as a version-6
// server sends them.
void finishReceivedValues(TQFieldValueList* values, TQStatusList* status) {
  const TQSessionStruct* session = tqCurrentSession();
  const bool oldServer = session != nullptr && session->oldProtocol != 0;
  for (uint32_t i = 0; i < values->numItems; ++i) {
    TQFieldValueStruct& item = values->fieldValueList[i];
    TQValueStruct& value = item.value;
    if (value.dataType == TQ_DATA_TYPE_ATTACH && value.u.attachVal != nullptr) {
      TQAttachStruct* attach = value.u.attachVal;
      if (attach->loc.locationType == TQ_LOC_BUFFER) {
        std::free(attach->loc.u.buf.buffer);
      } else if (attach->loc.locationType == TQ_LOC_FILENAME) {
        std::free(attach->loc.u.filename);
      }
      attach->loc = TQLocStruct{};
      attach->loc.locationType = TQ_LOC_FILENAME;
      if (attach->name != nullptr) {
        attach->loc.u.filename = strdup(attach->name);
        if (attach->loc.u.filename == nullptr) tqOutOfMemory(status);
      }
      continue;
    }
    if (oldServer && isPasswordText(item) &&
        std::strlen(value.u.charVal) != kScrambledLength) {
      char* copy = scrambledCopy(value.u.charVal);
      std::free(value.u.charVal);
      value.u.charVal = copy;
      if (copy == nullptr) {
        value.dataType = TQ_DATA_TYPE_NULL;
        tqOutOfMemory(status);
      }
    }
  }
}

// The frame of get and set, which return 0 at once for a null entry id
// list once the control record and schema name have passed.
template <class Args, class Result, class Clear, class Check, class Fill, class TakeOver>
uint32_t entryFrame(const TQCallPlan& plan, TQControlStruct* control, const char* schema,
                    const TQEntryIdList* entryId, TQStatusList* status, Clear&& clear,
                    Check&& check, Fill&& fill, TakeOver&& takeOver) noexcept {
  if (entryId != nullptr) {
    return tqFrameOperation<Args, Result>(plan, control, status, std::forward<Clear>(clear),
                                          std::forward<Check>(check), std::forward<Fill>(fill),
                                          std::forward<TakeOver>(takeOver));
  }
  return tqGuarded(status, [&]() -> uint32_t {
    clear();
    TQSessionStruct* session = nullptr;
    uint32_t code = tqFrameStart(control, status, &session);
    if (code != kTQFrameGoOn) return code;
    code = tqCheckArgsControlName(control, schema, status);
    return code >= TQ_RETURN_ERROR ? code : 0;
  });
}

}  // namespace

extern "C" uint32_t TQGetEntry(TQControlStruct* control, const char* schema,
                               TQEntryIdList* entryId, TQInternalIdList* fieldIds,
                               TQFieldValueList* values, TQStatusList* status) {
  return entryFrame<TQGetEntryArgs, TQGetEntryResult>(
      kGetEntry, control, schema, entryId, status,
      [&] {
        if (values != nullptr) values->numItems = 0;
      },
      [&] { return tqCheckArgsGetEntry(control, schema, entryId, status); },
      [&](TQGetEntryArgs& args) {
        args.schema = const_cast<char*>(schema);
        args.entryId = *entryId;
        if (fieldIds != nullptr) args.fieldIds = *fieldIds;
        args.valuesWanted = values != nullptr ? 1 : 0;
      },
      [&](TQGetEntryResult& result) {
        if (values == nullptr) return;
        *values = result.fieldValues;
        result.fieldValues = TQFieldValueList{};
        finishReceivedValues(values, status);
      });
}

extern "C" uint32_t TQSetEntry(TQControlStruct* control, const char* schema,
                               TQEntryIdList* entryId, TQFieldValueList* values,
                               TQTimestamp getTime, uint32_t option, TQStatusList* status) {
  SentFieldList sent;
  return entryFrame<TQSetEntryArgs, TQStatusResult>(
      kSetEntry, control, schema, entryId, status, [] {},
      [&] { return tqCheckArgsSetEntry(control, schema, entryId, values, status); },
      [&](TQSetEntryArgs& args) {
        args.schema = const_cast<char*>(schema);
        args.entryId = *entryId;
        args.getTime = getTime;
        args.option = option;
        return sent.prepare(values, &args.fieldValues, status);
      },
      [](TQStatusResult&) {});
}

extern "C" uint32_t TQCreateEntry(TQControlStruct* control, const char* schema,
                                  TQFieldValueList* values, TQEntryIdType entryId,
                                  TQStatusList* status) {
  SentFieldList sent;
  return tqFrameOperation<TQCreateEntryArgs, TQEntryIdResult>(
      kCreateEntry, control, status, [&] { clearEntryId(entryId); },
      [&] { return tqCheckArgsCreateEntry(control, schema, values, status); },
      [&](TQCreateEntryArgs& args) {
        args.schema = const_cast<char*>(schema);
        return sent.prepare(values, &args.fieldValues, status);
      },
      [&](TQEntryIdResult& result) { takeNewEntryId(result, entryId); });
}

extern "C" uint32_t TQDeleteEntry(TQControlStruct* control, const char* schema,
                                  TQEntryIdList* entryId, uint32_t option, TQStatusList* status) {
  return tqFrameOperation<TQDeleteEntryArgs, TQStatusResult>(
      kDeleteEntry, control, status, [] {},
      [&] { return tqCheckArgsGetEntry(control, schema, entryId, status); },
      [&](TQDeleteEntryArgs& args) {
        args.schema = const_cast<char*>(schema);
        args.entryId = *entryId;
        args.option = option;
      },
      [](TQStatusResult&) {});
}

extern "C" uint32_t TQMergeEntry(TQControlStruct* control, const char* schema,
                                 TQFieldValueList* values, uint32_t mergeType,
                                 TQEntryIdType entryId, TQStatusList* status) {
  SentFieldList sent;
  return tqFrameOperation<TQMergeEntryArgs, TQEntryIdResult>(
      kMergeEntry, control, status, [&] { clearEntryId(entryId); },
      [&] { return tqCheckArgsMergeEntry(control, schema, values, status); },
      [&](TQMergeEntryArgs& args) {
        args.schema = const_cast<char*>(schema);
        args.mergeType = mergeType;
        return sent.prepare(values, &args.fieldValues, status);
      },
      [&](TQEntryIdResult& result) { takeNewEntryId(result, entryId); });
}
