// Protocol-version translation (see tqmap.h).
//
// Procedures translated here: 36 (server information), 47 (end-of-session
// notice) and the entry procedures 1 to 4 and 37. Versions 2 to 5 carry the
// short call header and the older form of the status items; the in-memory
// header and status are the same in every version, and the wire routines of
// each version drop the version-6 header fields on the way out and leave
// them zero on the way in. Beyond that:
//
//   6 -> 5  set, create, merge: a value that version 5 cannot carry (data
//           types 10, 11, 33 to 36) ends the call with 283 before anything
//           is sent; field 102 texts of 30 characters, which version 6
//           carries scrambled, go in clear (without the scrambling's
//           padding, which an older server would keep as part of the value).
//   5 -> 4  the stub only.
//   4 -> 3  get, set, delete carry a single entry id text instead of the id
//           list and set and delete no option; merge sends its type as one
//           byte. A list of more than one id cannot be expressed: the call
//           ends with 121 without reaching the server.
//   3 -> 2  the stub only.
//
// Results of all these procedures are the same in memory in every version,
// so the up-steps only exchange the stub.
//
// Re-laid records live in buffers of the session (found as the calling
// thread's current one), kept until TQTermination; texts and lists a step
// allocates are released when the same step runs the next time.
#include "api/tqmap.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "share/apisrv/scramble.h"
#include "rpc/procedure_records.h"
#include "rpc/procedures.h"
#include "tqlink_services.h"

namespace {

constexpr uint32_t kProcGetEntry = 1;
constexpr uint32_t kProcSetEntry = 2;
constexpr uint32_t kProcCreateEntry = 3;
constexpr uint32_t kProcDeleteEntry = 4;
constexpr uint32_t kProcMergeEntry = 37;
constexpr uint32_t kProcServerInfo = 36;
constexpr uint32_t kProcEndSession = 47;

constexpr int32_t kMsgOutOfMemory = 154;
constexpr int32_t kMsgEntryIdTooLong = 121;
constexpr int32_t kMsgDataTypeNotSupported = 283;
// A substitute's number that means success without a call (steps 4 -> 3).
constexpr int32_t kMsgNoCallNeeded = 32000;

constexpr uint32_t kPasswordField = kTQPasswordFieldId;
constexpr size_t kScrambledLength = kTQPasswordLength;  // 30

// A copy of a field value list whose field 102 texts are replaced; the
// other parts are shared with the list copied.
struct FieldListCopy {
  std::vector<TQFieldValueStruct> items;
  std::vector<char*> texts;

  void clear() {
    for (char* text : texts)
      std::free(text);
    texts.clear();
    items.clear();
  }
  ~FieldListCopy() { clear(); }
};

// The translation buffers of one session.
struct Buffers {
  // 6 -> 5 copies of the changing calls (field 102 in clear).
  TQSetEntryArgs set5{};
  TQCreateEntryArgs create5{};
  TQMergeEntryArgs merge5{};
  FieldListCopy setValues, createValues, mergeValues;
  // 4 -> 3 re-layouts.
  TQGetEntryArgsOld get3{};
  TQSetEntryArgsOld set3{};
  TQDeleteEntryArgsOld delete3{};
  TQMergeEntryArgsOld merge3{};
  char getId[sizeof(TQEntryIdType)] = {};
  char setId[sizeof(TQEntryIdType)] = {};
  char deleteId[sizeof(TQEntryIdType)] = {};
  // Substitutes: the message number and the result of each shape.
  int32_t substituteMessage = 0;
  int32_t substituteCacheId = 0;  // the call's, answered back
  TQTimestamp substituteTime = 0;
  TQStatusResult statusResult{};
  TQEntryIdResult entryIdResult{};
  TQGetEntryResult getEntryResult{};
};

std::mutex buffersLock;
std::unordered_map<const TQSessionStruct*, std::unique_ptr<Buffers>>& allBuffers() {
  static auto* map = new std::unordered_map<const TQSessionStruct*, std::unique_ptr<Buffers>>();
  return *map;
}

// The current session's buffers, made on first use; nullptr when memory ran
// out or no session is current.
Buffers* sessionBuffers() {
  const TQSessionStruct* session = tqCurrentSession();
  if (session == nullptr) return nullptr;
  std::lock_guard<std::mutex> lock(buffersLock);
  auto& map = allBuffers();
  auto it = map.find(session);
  if (it != map.end()) return it->second.get();
  auto made = std::unique_ptr<Buffers>(new (std::nothrow) Buffers());
  if (!made) return nullptr;
  Buffers* buffers = made.get();
  map.emplace(session, std::move(made));
  return buffers;
}

// ------------------------------------------------------------- substitutes

// The substitute's status: empty for 0 (and for 32000 when `noCallIsEmpty`),
// otherwise one error with the number.
void fillSubstituteStatus(TQStatusList* status, int32_t message, bool noCallIsEmpty) {
  FreeTQStatusList(status, 0);
  *status = TQStatusList{};
  if (message == 0 || (noCallIsEmpty && message == kMsgNoCallNeeded)) return;
  TQAppendStatus(status, TQ_MSG_ERROR, message, nullptr);
}

template <class Result>
Result* substituteResult(Buffers* buffers);
template <>
TQStatusResult* substituteResult(Buffers* b) {
  return &b->statusResult;
}
template <>
TQEntryIdResult* substituteResult(Buffers* b) {
  return &b->entryIdResult;
}
template <>
TQGetEntryResult* substituteResult(Buffers* b) {
  return &b->getEntryResult;
}

// A substitute stub: its argument is the message number of the session's
// buffers; its result a session buffer of the procedure's result shape.
template <class Result, bool kNoCallIsEmpty>
void* substitute(void* args, CLIENT*) {
  Buffers* buffers = sessionBuffers();
  if (buffers == nullptr) return nullptr;
  Result* result = substituteResult<Result>(buffers);
  fillSubstituteStatus(&result->status, *static_cast<int32_t*>(args), kNoCallIsEmpty);
  TQStatusList status = result->status;
  *result = Result{};
  result->header.cacheId = buffers->substituteCacheId;
  result->header.operationTime = buffers->substituteTime;
  result->status = status;
  return result;
}

// Substitutes of step 6 -> 5 (the dispatcher fails the call) and of step
// 4 -> 3 (the status is merged like a server's answer).
constexpr TQStub kFailStatus = &substitute<TQStatusResult, false>;
constexpr TQStub kFailEntryId = &substitute<TQEntryIdResult, false>;
constexpr TQStub kStatus = &substitute<TQStatusResult, true>;
constexpr TQStub kGetEntry = &substitute<TQGetEntryResult, true>;

// Replaces the call by a substitute with a message number.
void* useSubstitute(TQStub* stub, TQStub substituteStub, Buffers* buffers, int32_t message,
                    const TQCallHeader& header) {
  *stub = substituteStub;
  buffers->substituteMessage = message;
  buffers->substituteCacheId = header.cacheId;
  buffers->substituteTime = header.operationTime;
  return &buffers->substituteMessage;
}

// ----------------------------------------------------------------- 6 -> 5

bool typeVersion5Lacks(uint32_t dataType) {
  return dataType == TQ_DATA_TYPE_DECIMAL || dataType == TQ_DATA_TYPE_ATTACH ||
         dataType == TQ_DATA_TYPE_TABLE || dataType == TQ_DATA_TYPE_COLUMN ||
         dataType == TQ_DATA_TYPE_NOWIRE_35 || dataType == TQ_DATA_TYPE_NOWIRE_36;
}

bool isScrambledPassword(const TQFieldValueStruct& item) {
  return item.fieldId == kPasswordField && item.value.dataType == TQ_DATA_TYPE_CHAR &&
         item.value.u.charVal != nullptr &&
         strnlen(item.value.u.charVal, kScrambledLength + 1) == kScrambledLength;
}

// The clear text of a scrambled field 102 value, without the padding the
// scrambling added, in new memory. nullptr when memory ran out.
char* clearPassword(const char* scrambled) {
  char clear[kScrambledLength + 1] = {};
  const size_t length = tqClearField102(scrambled, clear);
  auto* text = static_cast<char*>(std::malloc(length + 1));
  if (text == nullptr) return nullptr;
  std::memcpy(text, clear, length + 1);
  return text;
}

// Checks a changing call's values for version 5 and points `values` at a
// copy with clear field 102 texts when it has any. The substitute's message
// number when the call cannot go on, else 0.
int32_t valuesForVersion5(TQFieldValueList* values, FieldListCopy* copy) {
  copy->clear();
  bool password = false;
  for (uint32_t i = 0; i < values->numItems; ++i) {
    const TQFieldValueStruct& item = values->fieldValueList[i];
    if (typeVersion5Lacks(item.value.dataType)) return kMsgDataTypeNotSupported;
    if (isScrambledPassword(item)) password = true;
  }
  if (!password) return 0;
  try {
    copy->items.assign(values->fieldValueList, values->fieldValueList + values->numItems);
    copy->texts.reserve(copy->items.size());
  } catch (const std::bad_alloc&) {
    copy->clear();
    return kMsgOutOfMemory;
  }
  for (TQFieldValueStruct& item : copy->items) {
    if (!isScrambledPassword(item)) continue;
    char* clear = clearPassword(item.value.u.charVal);
    if (clear == nullptr) {
      copy->clear();
      return kMsgOutOfMemory;
    }
    copy->texts.push_back(clear);
    item.value.u.charVal = clear;
  }
  values->fieldValueList = copy->items.data();
  return 0;
}

template <class Args>
void* changingCallTo5(TQStub* stub, Args* args, Args* buffer, FieldListCopy* copy, TQStub failure,
                      Buffers* buffers) {
  *buffer = *args;
  const int32_t message = valuesForVersion5(&buffer->fieldValues, copy);
  if (message != 0) return useSubstitute(stub, failure, buffers, message, args->header);
  return buffer;
}

void* step6to5(uint32_t number, TQStub* stub, void* args, Buffers* b) {
  switch (number) {
    case kProcSetEntry:
      return changingCallTo5(stub, static_cast<TQSetEntryArgs*>(args), &b->set5, &b->setValues,
                             kFailStatus, b);
    case kProcCreateEntry:
      return changingCallTo5(stub, static_cast<TQCreateEntryArgs*>(args), &b->create5,
                             &b->createValues, kFailEntryId, b);
    case kProcMergeEntry:
      return changingCallTo5(stub, static_cast<TQMergeEntryArgs*>(args), &b->merge5,
                             &b->mergeValues, kFailEntryId, b);
    default:
      return args;
  }
}

// ----------------------------------------------------------------- 4 -> 3

// The single id text of versions 2 and 3; false for a list of several ids.
bool singleIdText(const TQEntryIdList& ids, char* text) {
  std::memset(text, 0, sizeof(TQEntryIdType));
  if (ids.numItems > 1) return false;
  if (ids.numItems == 1 && ids.entryIdList != nullptr) {
    std::memcpy(text, ids.entryIdList[0], TQ_MAX_ENTRYID_SIZE);
  }
  return true;
}

void* step4to3(uint32_t number, TQStub* stub, void* args, Buffers* b) {
  switch (number) {
    case kProcGetEntry: {
      auto* a = static_cast<TQGetEntryArgs*>(args);
      if (!singleIdText(a->entryId, b->getId)) {
        return useSubstitute(stub, kGetEntry, b, kMsgEntryIdTooLong, a->header);
      }
      b->get3 = TQGetEntryArgsOld{a->header, a->schema, b->getId, a->fieldIds, a->valuesWanted};
      return &b->get3;
    }
    case kProcSetEntry: {
      auto* a = static_cast<TQSetEntryArgs*>(args);
      if (!singleIdText(a->entryId, b->setId)) {
        return useSubstitute(stub, kStatus, b, kMsgEntryIdTooLong, a->header);
      }
      b->set3 = TQSetEntryArgsOld{a->header, a->schema, b->setId, a->fieldValues, a->getTime};
      return &b->set3;
    }
    case kProcDeleteEntry: {
      auto* a = static_cast<TQDeleteEntryArgs*>(args);
      if (!singleIdText(a->entryId, b->deleteId)) {
        return useSubstitute(stub, kStatus, b, kMsgEntryIdTooLong, a->header);
      }
      b->delete3 = TQDeleteEntryArgsOld{a->header, a->schema, b->deleteId};
      return &b->delete3;
    }
    case kProcMergeEntry: {
      auto* a = static_cast<TQMergeEntryArgs*>(args);
      b->merge3 = TQMergeEntryArgsOld{a->header, a->schema, a->fieldValues,
                                      static_cast<uint8_t>(a->mergeType)};
      return &b->merge3;
    }
    default:
      return args;
  }
}

// ----------------------------------------------------------------- steps

bool translatedHere(uint32_t number) {
  switch (number) {
    case kProcGetEntry:
    case kProcSetEntry:
    case kProcCreateEntry:
    case kProcDeleteEntry:
    case kProcMergeEntry:
    case kProcServerInfo:
    case kProcEndSession:
      return true;
    default:
      return false;
  }
}

// The server-program procedure of a stub in version `from` that this unit
// translates, or nullptr.
const TQProcedure* knownProcedure(TQStub stub, uint32_t from) {
  const TQProcedure* procedure = tqProcedureOfStub(stub);
  if (procedure == nullptr || procedure->program != TQProgram::kServer ||
      procedure->version != from || !translatedHere(procedure->number)) {
    return nullptr;
  }
  return procedure;
}

// Exchanges the stub for the one of version `to`.
void stepStub(TQStub* stub, const TQProcedure& procedure, uint32_t to) {
  if (TQStub next = tqStubOf(TQProgram::kServer, to, procedure.number)) *stub = next;
}

}  // namespace

void* tqmapDown(TQStub* stub, void* args, uint32_t version) {
  for (uint32_t v = kTQNewestProtocol; v > version && v > kTQOldestProtocol; --v) {
    const TQProcedure* procedure = knownProcedure(*stub, v);
    if (procedure == nullptr) continue;  // unknown stubs and substitutes pass
    const uint32_t number = procedure->number;
    if (v == 6 || v == 4) {
      const bool relaid = v == 6 ? number == kProcSetEntry || number == kProcCreateEntry ||
                                       number == kProcMergeEntry
                                 : number != kProcCreateEntry && number != kProcServerInfo &&
                                       number != kProcEndSession;
      if (relaid) {
        Buffers* buffers = sessionBuffers();
        if (buffers == nullptr) return args;  // no session: sent as it is
        TQStub next = *stub;
        stepStub(&next, *procedure, v - 1);
        *stub = next;
        args = v == 6 ? step6to5(number, stub, args, buffers) : step4to3(number, stub, args, buffers);
        continue;
      }
    }
    stepStub(stub, *procedure, v - 1);
  }
  return args;
}

void* tqmapUp(TQStub* stub, void* result, uint32_t version) {
  for (uint32_t v = version; v < kTQNewestProtocol && result != nullptr; ++v) {
    if (const TQProcedure* procedure = knownProcedure(*stub, v)) stepStub(stub, *procedure, v + 1);
  }
  return result;
}

TQStatusList* tqmapResultStatus(uint32_t procedure, void* result) {
  if (result == nullptr) return nullptr;
  auto* base = static_cast<char*>(result);
  switch (procedure) {
    case 1:
      return reinterpret_cast<TQStatusList*>(base + offsetof(TQGetEntryResult, status));
    case 2:
    case 4:
    case 47:
      return reinterpret_cast<TQStatusList*>(base + offsetof(TQStatusResult, status));
    case 3:
    case 37:
      return reinterpret_cast<TQStatusList*>(base + offsetof(TQEntryIdResult, status));
    case 5:
      return reinterpret_cast<TQStatusList*>(base + offsetof(TQGetListEntryResult, status));
    case 36:
      return reinterpret_cast<TQStatusList*>(base + offsetof(TQGetServerInfoResult, status));
    default:
      return nullptr;
  }
}

bool tqmapIsFailingSubstitute(TQStub stub) {
  return stub == kFailStatus || stub == kFailEntryId;
}

void tqmapRelease(TQSessionStruct* session) {
  std::unique_ptr<Buffers> buffers;
  {
    std::lock_guard<std::mutex> lock(buffersLock);
    auto& map = allBuffers();
    auto it = map.find(session);
    if (it == map.end()) return;
    buffers = std::move(it->second);
    map.erase(it);
  }
  FreeTQStatusList(&buffers->statusResult.status, 0);
  FreeTQStatusList(&buffers->entryIdResult.status, 0);
  FreeTQStatusList(&buffers->getEntryResult.status, 0);
}
