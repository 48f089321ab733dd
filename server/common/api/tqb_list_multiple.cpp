// TQGetMultipleEntries (procedure 67 on the general channel): the field
// values of a given set of entries, received in chunks (tqb_list_chunks.h).
//
// The first answer carries one existence flag per requested entry. The
// values of all answers form one sequence, values-per-entry values for each
// requested entry in turn (a missing entry has placeholders of field id 0).
// A text value may be split between two answers: the next answer then starts
// with a value of the same field id (neither 0 nor 15) and data type, which
// is joined to the last collected one, the whole at most 64000 characters. A
// diary keeps its newest text and then starts at a whole diary item.
#include <cstdlib>
#include <cstring>

#include "api/parmchck.h"
#include "api/tqb_entry_values.h"
#include "api/tqb_list_chunks.h"
#include "api/tqb_list_frame.h"
#include "api/tqb_plans.h"

namespace {

constexpr const TQCallPlan& kGetMultipleEntries = kTQPlanGetMultipleEntries;
constexpr int kGeneralChannel = 1;
constexpr int32_t kMsgNoExistsList = 292;
constexpr size_t kMaxJoinedText = 64000;
constexpr uint32_t kStatusHistoryField = 15;
constexpr char kDiaryItemEnd = '\x03';

bool isTextType(uint32_t dataType) {
  return dataType == TQ_DATA_TYPE_CHAR || dataType == TQ_DATA_TYPE_DIARY ||
         dataType == TQ_DATA_TYPE_DECIMAL;
}

// Whether the answer's first value continues the last collected one.
bool continues(const TQFieldValueStruct& last, const TQFieldValueStruct& first) {
  return first.fieldId == last.fieldId && first.fieldId != 0 &&
         first.fieldId != kStatusHistoryField && first.value.dataType == last.value.dataType &&
         isTextType(first.value.dataType);
}

// The two texts joined into at most 64000 characters: a diary keeps the end
// (its newest text whole), other types the beginning. nullptr without memory.
char* joinedText(const char* before, const char* after, bool diary) {
  const size_t lb = before != nullptr ? std::strlen(before) : 0;
  const size_t la = after != nullptr ? std::strlen(after) : 0;
  size_t total = lb + la;
  size_t skip = 0;  // bytes dropped from the start of the joined text
  if (total > kMaxJoinedText) {
    if (diary) skip = total - kMaxJoinedText;
    total = kMaxJoinedText;
  }
  auto* text = static_cast<char*>(tqMemAlloc(total + 1));
  if (text == nullptr) return nullptr;
  size_t at = 0;
  for (size_t i = skip; i < lb && at < total; ++i)
    text[at++] = before[i];
  for (size_t i = skip > lb ? skip - lb : 0; i < la && at < total; ++i)
    text[at++] = after[i];
  text[at] = '\0';
  return text;
}

// A long diary starts at a whole item: everything up to and including the
// first item end goes.
void startAtWholeItem(TQValueStruct& value) {
  char* text = value.u.diaryVal;
  if (text == nullptr || std::strlen(text) < kMaxJoinedText) return;
  const char* end = std::strchr(text, kDiaryItemEnd);
  if (end == nullptr) return;
  std::memmove(text, end + 1, std::strlen(end + 1) + 1);
}

TQChunkStep refuse(TQStatusList* status, int32_t number, const char* why) {
  TQAppendStatus(status, TQ_MSG_ERROR, number, why);
  return TQChunkStep::kFail;
}

void releaseValues(TQGrowable<TQFieldValueStruct>& values) {
  TQFieldValueList rest{values.count, values.take()};
  FreeTQFieldValueList(&rest, 0);
}

// Takes one answer's values into the flat collection.
TQChunkStep absorbValues(TQGetMultipleEntriesResult& answer, bool last,
                         TQGrowable<TQFieldValueStruct>& flat, TQStatusList* status) {
  TQFieldValueListList& lists = answer.values;
  if (lists.numItems > 0 && lists.valueListList == nullptr) {
    return refuse(status, kTQMsgAnswerInconsistent, "value lists counted but not sent");
  }
  uint64_t carried = 0;
  for (uint32_t i = 0; i < lists.numItems; ++i) {
    const TQFieldValueList& list = lists.valueListList[i];
    if (list.numItems > 0 && list.fieldValueList == nullptr) {
      return refuse(status, kTQMsgAnswerInconsistent, "values counted but not sent");
    }
    carried += list.numItems;
  }
  if (answer.valuesInAnswer < 0 || carried != static_cast<uint64_t>(answer.valuesInAnswer)) {
    return refuse(status, kTQMsgAnswerInconsistent, "the values in the answer are miscounted");
  }
  if (!last && carried == 0) {
    return refuse(status, kTQMsgAnswersDoNotEnd, "an answer without values");
  }
  if (!flat.reserve(carried)) {
    if (uint64_t{flat.count} + carried > UINT32_MAX) {
      return refuse(status, kTQMsgAnswersDoNotEnd, "more values than a list holds");
    }
    tqOutOfMemory(status);
    return TQChunkStep::kFail;
  }
  bool firstValue = true;
  for (uint32_t i = 0; i < lists.numItems; ++i) {
    TQFieldValueList& list = lists.valueListList[i];
    uint32_t from = 0;
    if (firstValue && list.numItems > 0 && flat.count > 0 &&
        continues(flat.back(), list.fieldValueList[0])) {
      TQValueStruct& before = flat.back().value;
      TQValueStruct& rest = list.fieldValueList[0].value;
      char* text =
          joinedText(before.u.charVal, rest.u.charVal, before.dataType == TQ_DATA_TYPE_DIARY);
      if (text == nullptr) {
        tqOutOfMemory(status);
        return TQChunkStep::kFail;
      }
      std::free(before.u.charVal);
      before.u.charVal = text;
      from = 1;  // the answer keeps the continuation piece and releases it
    }
    if (list.numItems > 0) firstValue = false;
    flat.append(list.fieldValueList + from, list.numItems - from);
    list.numItems = from;
  }
  return TQChunkStep::kMore;
}

// Step 4: the flat collection cut into one list per requested entry. Placeholders take
// the field id of their position in the caller's list.
uint32_t handOver(TQGrowable<TQFieldValueStruct>& flat, uint32_t entries, uint32_t perEntry,
                  const TQInternalIdList* fieldIds, TQFieldValueListList* values,
                  TQStatusList* status) {
  if (uint64_t{entries} * perEntry != flat.count) {
    TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgAnswerInconsistent,
                   "the values do not fill one list per entry");
    return TQ_RETURN_ERROR;
  }
  auto* lists = static_cast<TQFieldValueList*>(
      tqMemCalloc(entries > 0 ? entries : 1, sizeof(TQFieldValueList)));
  if (lists == nullptr) return tqOutOfMemory(status);
  for (uint32_t e = 0; e < entries; ++e) {
    if (perEntry == 0) continue;
    auto* items =
        static_cast<TQFieldValueStruct*>(tqMemAlloc(size_t{perEntry} * sizeof(TQFieldValueStruct)));
    if (items == nullptr) {
      TQFieldValueListList partial{e, lists};
      FreeTQFieldValueListList(&partial, 0);
      return tqOutOfMemory(status);
    }
    std::memcpy(static_cast<void*>(items), flat.items + size_t{e} * perEntry,
                size_t{perEntry} * sizeof(TQFieldValueStruct));
    for (uint32_t p = 0; p < perEntry; ++p) {
      if (items[p].fieldId == 0 && fieldIds != nullptr && p < fieldIds->numItems &&
          fieldIds->internalIdList != nullptr) {
        items[p].fieldId = fieldIds->internalIdList[p];
      }
    }
    lists[e] = TQFieldValueList{perEntry, items};
  }
  std::free(flat.take());  // the values now belong to the lists
  values->numItems = entries;
  values->valueListList = lists;
  return 0;
}

uint32_t runGetMultipleEntries(TQSessionStruct* session, TQControlStruct* control,
                               const char* schema, TQEntryIdListList* entryIds,
                               TQInternalIdList* fieldIds, TQBooleanList* exists,
                               TQFieldValueListList* values, TQStatusList* status) {
  TQGrowable<TQFieldValueStruct> flat;
  bool first = true;
  int32_t perEntry = 0;
  const TQChunkEnd end = tqChunkLoop<TQGetMultipleEntriesArgs, TQGetMultipleEntriesResult>(
      kGetMultipleEntries, session, control, status,
      [&](TQGetMultipleEntriesArgs& args) {
        args.schema = const_cast<char*>(schema);
        args.entryIds = *entryIds;
        if (fieldIds != nullptr) args.fieldIds = *fieldIds;
        args.valuesWanted = values != nullptr ? 1 : 0;
      },
      [&](TQGetMultipleEntriesResult& answer, bool last) {
        if (tqTopStatus(&answer.status) >= TQ_RETURN_ERROR) return TQChunkStep::kEnd;
        if (first) {
          *exists = answer.exists;
          answer.exists = TQBooleanList{};
          perEntry = answer.valuesPerEntry;
          first = false;
          if (values == nullptr) return TQChunkStep::kEnd;
        }
        if (answer.valuesPerEntry != perEntry || perEntry < 0) {
          return refuse(status, kTQMsgAnswerInconsistent, "the values per entry change");
        }
        return absorbValues(answer, last, flat, status);
      });
  if (!end.ok) {
    releaseValues(flat);
    return TQ_RETURN_ERROR;
  }
  if (values != nullptr && !first) {
    for (uint32_t i = 0; i < flat.count; ++i) {
      if (flat.items[i].value.dataType == TQ_DATA_TYPE_DIARY) startAtWholeItem(flat.items[i].value);
    }
    tqScrambleReceivedPasswords(flat.items, flat.count, status);
    if (handOver(flat, exists->numItems, static_cast<uint32_t>(perEntry), fieldIds, values,
                 status) >= TQ_RETURN_ERROR) {
      releaseValues(flat);
      FreeTQBooleanList(exists, 0);
      exists->numItems = 0;
      exists->booleanList = nullptr;
      return TQ_RETURN_ERROR;
    }
  }
  releaseValues(flat);
  tqAfterCall(control, kGeneralChannel);
  return tqTopStatus(status);
}

}  // namespace

extern "C" uint32_t TQGetMultipleEntries(TQControlStruct* control, const char* schema,
                                         TQEntryIdListList* entryIds, TQInternalIdList* fieldIds,
                                         TQBooleanList* exists, TQFieldValueListList* values,
                                         TQStatusList* status) {
  return tqFrameRun(
      kGetMultipleEntries, control, status,
      [&] {
        if (exists != nullptr) *exists = TQBooleanList{};
        if (values != nullptr) *values = TQFieldValueListList{};
      },
      [&]() -> uint32_t {
        if (exists == nullptr) {
          TQAppendStatus(status, TQ_MSG_ERROR, kMsgNoExistsList, nullptr);
          return TQ_RETURN_ERROR;
        }
        if (entryIds == nullptr) {
          const uint32_t code = tqCheckArgsControlName(control, schema, status);
          return code >= TQ_RETURN_ERROR ? code : 0;
        }
        return tqCheckArgsGetMultipleEntries(control, schema, entryIds, status);
      },
      [&](TQSessionStruct* session) -> uint32_t {
        if (entryIds == nullptr) return 0;
        return runGetMultipleEntries(session, control, schema, entryIds, fieldIds, exists, values,
                                     status);
      });
}
