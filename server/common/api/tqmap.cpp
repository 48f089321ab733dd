// Protocol-version translation (see tqmap.h).
//
// Every step exchanges the stub for the next version's. The procedure table
// (rpc/procedures.cpp) says where a step also re-lays a record; each such
// place has its routine in kSteps below. Versions 2 to 5 carry the short
// call header and the older form of the status items; the in-memory header
// and status are the same in every version, and the wire routines of each
// version drop the version-6 header fields on the way out and leave them
// zero on the way in. The re-laid records:
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
// Results are the same in memory in every version except the entry list of
// procedure 5, whose rows below version 4 carry one entry id text instead of
// an id list: 3 -> 4 turns each row's id into a list of one.
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

#include "rpc/procedure_records.h"
#include "rpc/procedures.h"
#include "share/apisrv/memory.h"
#include "share/apisrv/scramble.h"
#include "tqlink_services.h"

namespace {

constexpr uint32_t kProcGetEntry = 1;
constexpr uint32_t kProcSetEntry = 2;
constexpr uint32_t kProcCreateEntry = 3;
constexpr uint32_t kProcDeleteEntry = 4;
constexpr uint32_t kProcGetListEntry = 5;
constexpr uint32_t kProcMergeEntry = 37;

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
  // 3 -> 4 re-layout of the entry list. Its parts belong to the result
  // handed up, which the caller takes over and releases.
  TQGetListEntryResult list4{};
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
    if (typeVersion5Lacks(item.value.dataType)) return kTQMsgDataTypeNotSupported;
    if (isScrambledPassword(item)) password = true;
  }
  if (!password) return 0;
  try {
    copy->items.assign(values->fieldValueList, values->fieldValueList + values->numItems);
    copy->texts.reserve(copy->items.size());
  } catch (const std::bad_alloc&) {
    copy->clear();
    return kTQMsgOutOfMemory;
  }
  for (TQFieldValueStruct& item : copy->items) {
    if (!isScrambledPassword(item)) continue;
    char* clear = clearPassword(item.value.u.charVal);
    if (clear == nullptr) {
      copy->clear();
      return kTQMsgOutOfMemory;
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

void* setTo5(TQStub* stub, void* args, Buffers* b) {
  return changingCallTo5(stub, static_cast<TQSetEntryArgs*>(args), &b->set5, &b->setValues,
                         kFailStatus, b);
}

void* createTo5(TQStub* stub, void* args, Buffers* b) {
  return changingCallTo5(stub, static_cast<TQCreateEntryArgs*>(args), &b->create5, &b->createValues,
                         kFailEntryId, b);
}

void* mergeTo5(TQStub* stub, void* args, Buffers* b) {
  return changingCallTo5(stub, static_cast<TQMergeEntryArgs*>(args), &b->merge5, &b->mergeValues,
                         kFailEntryId, b);
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

void* getTo3(TQStub* stub, void* args, Buffers* b) {
  auto* a = static_cast<TQGetEntryArgs*>(args);
  if (!singleIdText(a->entryId, b->getId)) {
    return useSubstitute(stub, kGetEntry, b, kTQMsgEntryIdTooLong, a->header);
  }
  b->get3 = TQGetEntryArgsOld{a->header, a->schema, b->getId, a->fieldIds, a->valuesWanted};
  return &b->get3;
}

void* setTo3(TQStub* stub, void* args, Buffers* b) {
  auto* a = static_cast<TQSetEntryArgs*>(args);
  if (!singleIdText(a->entryId, b->setId)) {
    return useSubstitute(stub, kStatus, b, kTQMsgEntryIdTooLong, a->header);
  }
  b->set3 = TQSetEntryArgsOld{a->header, a->schema, b->setId, a->fieldValues, a->getTime};
  return &b->set3;
}

void* deleteTo3(TQStub* stub, void* args, Buffers* b) {
  auto* a = static_cast<TQDeleteEntryArgs*>(args);
  if (!singleIdText(a->entryId, b->deleteId)) {
    return useSubstitute(stub, kStatus, b, kTQMsgEntryIdTooLong, a->header);
  }
  b->delete3 = TQDeleteEntryArgsOld{a->header, a->schema, b->deleteId};
  return &b->delete3;
}

void* mergeTo3(TQStub*, void* args, Buffers* b) {
  auto* a = static_cast<TQMergeEntryArgs*>(args);
  b->merge3 =
      TQMergeEntryArgsOld{a->header, a->schema, a->fieldValues, static_cast<uint8_t>(a->mergeType)};
  return &b->merge3;
}

// ----------------------------------------------------------------- 3 -> 4

// The entry list of a version-3 result in the version-4 layout: each row's
// entry id becomes a list of that one id; the descriptions, the status and
// the header move over. The old record is left empty. nullptr when memory
// ran out; the old record is then released.
void* listTo4(void* result, const TQProcedure& from, Buffers* b) {
  auto* old = static_cast<TQGetListEntryResultOld*>(result);
  TQGetListEntryResult& up = b->list4;
  up = TQGetListEntryResult{};
  const uint32_t count = old->entries.entryList != nullptr ? old->entries.numItems : 0;
  TQEntryListStruct* rows = nullptr;
  if (count != 0) {
    rows = static_cast<TQEntryListStruct*>(tqMemCalloc(count, sizeof(TQEntryListStruct)));
  }
  bool complete = count == 0 || rows != nullptr;
  for (uint32_t i = 0; complete && i < count; ++i) {
    auto* id = static_cast<TQEntryIdType*>(tqMemAlloc(sizeof(TQEntryIdType)));
    if (id == nullptr) {
      complete = false;
      break;
    }
    std::memcpy(*id, old->entries.entryList[i].entryId, sizeof(TQEntryIdType));
    rows[i].entryId = TQEntryIdList{1, id};
  }
  if (!complete) {
    TQEntryListList partial{count, rows};
    FreeTQEntryListList(&partial, 0);  // ids only: no description was moved yet
    tqReleaseResultParts(from, old);
    return nullptr;
  }
  for (uint32_t i = 0; i < count; ++i) {
    rows[i].shortDescription = old->entries.entryList[i].shortDescription;
  }
  tqMemFree(old->entries.entryList);
  up.header = old->header;
  up.entries = TQEntryListList{count, rows};
  up.numMatches = old->numMatches;
  up.status = old->status;
  std::memset(old, 0, sizeof *old);
  return &up;
}

// ----------------------------------------------------------------- steps

using DownStep = void* (*)(TQStub* stub, void* args, Buffers* buffers);
using UpStep = void* (*)(void* result, const TQProcedure& from, Buffers* buffers);

// The routines of the re-laying steps: procedure, the lower version of the
// step, and the routine for the way down (arguments) or up (result).
struct Step {
  uint32_t number;
  uint32_t lower;
  DownStep down;
  UpStep up;
};

constexpr Step kSteps[] = {
    {kProcSetEntry, 5, setTo5, nullptr},     {kProcCreateEntry, 5, createTo5, nullptr},
    {kProcMergeEntry, 5, mergeTo5, nullptr}, {kProcGetEntry, 3, getTo3, nullptr},
    {kProcSetEntry, 3, setTo3, nullptr},     {kProcDeleteEntry, 3, deleteTo3, nullptr},
    {kProcMergeEntry, 3, mergeTo3, nullptr}, {kProcGetListEntry, 3, nullptr, listTo4},
};

const Step* findStep(uint32_t number, uint32_t lower, TQRelay which) {
  for (const Step& step : kSteps) {
    if (step.number == number && step.lower == lower &&
        (which == kTQRelayArgs ? step.down != nullptr : step.up != nullptr)) {
      return &step;
    }
  }
  return nullptr;
}

// The server-program procedure of a stub in version `version`, or nullptr
// (a substitute, or a stub of another version).
const TQProcedure* procedureIn(TQStub stub, uint32_t version) {
  const TQProcedure* procedure = tqProcedureOfStub(stub);
  if (procedure == nullptr || procedure->program != TQProgram::kServer ||
      procedure->version != version) {
    return nullptr;
  }
  return procedure;
}

}  // namespace

void* tqmapDown(TQStub* stub, void* args, uint32_t version) {
  for (uint32_t v = kTQNewestProtocol; v > version && v > kTQOldestProtocol; --v) {
    const TQProcedure* from = procedureIn(*stub, v);
    if (from == nullptr) continue;  // substitutes pass
    const TQProcedure* to = tqFindProcedure(TQProgram::kServer, v - 1, from->number);
    // Without routines of its own in the older version the call goes with
    // the newer stub; the older server refuses what it does not know.
    if (to == nullptr || !tqHasRoutines(*to)) continue;
    *stub = tqStubAt(to->slot);
    if ((to->relay & kTQRelayArgs) == 0) continue;
    const Step* step = findStep(from->number, v - 1, kTQRelayArgs);
    Buffers* buffers = sessionBuffers();
    if (step == nullptr || buffers == nullptr) return args;  // no session: sent as it is
    args = step->down(stub, args, buffers);
  }
  return args;
}

void* tqmapUp(TQStub* stub, void* result, uint32_t version) {
  for (uint32_t v = version; v < kTQNewestProtocol && result != nullptr; ++v) {
    const TQProcedure* from = procedureIn(*stub, v);
    if (from == nullptr) continue;
    const TQProcedure* to = tqFindProcedure(TQProgram::kServer, v + 1, from->number);
    if (to == nullptr || !tqHasRoutines(*to)) continue;
    *stub = tqStubAt(to->slot);
    if ((from->relay & kTQRelayResult) == 0) continue;
    const Step* step = findStep(from->number, v, kTQRelayResult);
    Buffers* buffers = sessionBuffers();
    if (step == nullptr || buffers == nullptr) return nullptr;
    result = step->up(result, *from, buffers);
  }
  return result;
}

TQStatusList* tqmapResultStatus(uint32_t procedure, void* result) {
  const TQProcedure* p = tqFindProcedure(TQProgram::kServer, kTQNewestProtocol, procedure);
  return p != nullptr ? tqResultStatus(*p, result) : nullptr;
}

bool tqmapHasStep(uint32_t number, uint32_t lower, TQRelay which) {
  return findStep(number, lower, which) != nullptr;
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
