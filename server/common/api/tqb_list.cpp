// The entry lists: TQGetListEntry (procedure 5: entry ids with a display
// text) and TQGetListEntryWithFields (procedure 73: entry ids with field
// values), both on the query channel and received in chunks (see
// tqb_list_chunks.h).
//
// Every chunk of one call goes to the query program the first one reached:
// the session's forced-program flag is set for the call (TQGetListEntry
// keeps a flag that is already set) and cleared at its end.
//
// With fields, the server may end an answer in the middle of an entry. Each
// entry of an answer carries the same number of values; a value the answer
// does not carry has field id 0. The next answer then starts with the same
// entry, whose leading values are the placeholders; when the last value the
// previous answer carried sits at the position of the first one this answer
// carries, that value was split in its text and the two texts are joined.
#include <cstdlib>
#include <cstring>

#include "api/parmchck.h"
#include "api/tqb_entry_values.h"
#include "api/tqb_list_chunks.h"
#include "api/tqb_list_frame.h"
#include "api/tqb_plans.h"

namespace {

constexpr const TQCallPlan& kGetListEntry = kTQPlanGetListEntry;
constexpr const TQCallPlan& kGetListEntryWithFields = kTQPlanGetListEntryWithFields;
constexpr int kQueryChannel = 2;

// The arguments both list procedures send.
struct ListQuery {
  const char* schema;
  TQQualifierStruct* qualifier;
  TQEntryListFieldList* fields;
  TQSortList* sort;
  uint32_t maxRetrieve;
  uint32_t* numMatches;

  void fill(TQGetListEntryArgs& args) const {
    args.schema = const_cast<char*>(schema);
    if (qualifier != nullptr) args.qualifier = *qualifier;  // else operation 0: everything
    if (fields != nullptr) args.fields = *fields;
    if (sort != nullptr) args.sort = *sort;
    args.maxRetrieve = maxRetrieve;
    args.countWanted = numMatches != nullptr ? 1 : 0;
  }
  // More entries than the caller asked for, or than a list holds: the
  // answers would not end.
  bool tooMany(uint64_t total) const {
    return total > UINT32_MAX || (maxRetrieve != 0 && total > maxRetrieve);
  }
};

// Why an answer's items cannot be taken: 8941 for an answer that brings
// nothing or more than can be held, 154 when memory ran out.
TQChunkStep refuseGrowth(TQStatusList* status, bool tooMany) {
  if (tooMany) {
    TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgAnswersDoNotEnd, "more entries than asked for");
    return TQChunkStep::kFail;
  }
  tqOutOfMemory(status);
  return TQChunkStep::kFail;
}

TQChunkStep refuseEmptyAnswer(TQStatusList* status) {
  TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgAnswersDoNotEnd, "an answer without entries");
  return TQChunkStep::kFail;
}

TQChunkStep refuseInconsistent(TQStatusList* status, const char* why) {
  TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgAnswerInconsistent, why);
  return TQChunkStep::kFail;
}

// The query-channel state of a list call: the forced program for its chunks
// and the form and qualification the directory is asked about; undone when
// the call ends however it ends.
class QueryCall {
 public:
  QueryCall(TQSessionStruct* session, TQControlStruct* control, const ListQuery& query,
            bool forceAlways)
      : session_(session), control_(control) {
    if (forceAlways || session->forcedProgramFlag == 0) {
      session->forcedProgramFlag = 1;
      session->forcedQueryProgram = 0;
    }
    tqSetQueryTarget({query.schema, query.qualifier});
  }
  ~QueryCall() {
    tqSetQueryTarget({});
    tqCloseChannel(session_, tqAdjustChannel(session_, control_->server, kQueryChannel));
    session_->forcedProgramFlag = 0;
  }
  QueryCall(const QueryCall&) = delete;
  QueryCall& operator=(const QueryCall&) = delete;

 private:
  TQSessionStruct* session_;
  TQControlStruct* control_;
};

// The session's last match count, unless the call ended with an error.
void noteMatches(TQSessionStruct* session, const ListQuery& query, uint32_t matches,
                 uint32_t returned, TQStatusList* status) {
  if (tqTopStatus(status) >= TQ_RETURN_ERROR) return;
  session->lastMatchCount = query.numMatches != nullptr ? matches : returned;
}

// ---------------------------------------------------------- TQGetListEntry

uint32_t runGetListEntry(TQSessionStruct* session, TQControlStruct* control, const ListQuery& query,
                         TQEntryListList* entries, TQStatusList* status) {
  TQGrowable<TQEntryListStruct> collected;
  uint32_t matches = 0;
  bool first = true;
  TQChunkEnd end;
  {
    QueryCall call(session, control, query, false);
    end = tqChunkLoop<TQGetListEntryArgs, TQGetListEntryResult>(
        kGetListEntry, session, control, status,
        [&](TQGetListEntryArgs& args) { query.fill(args); },
        [&](TQGetListEntryResult& answer, bool last) {
          if (first) matches = answer.numMatches;
          first = false;
          TQEntryListList& got = answer.entries;
          if (got.numItems > 0 && got.entryList == nullptr) {
            return refuseInconsistent(status, "entries counted but not sent");
          }
          if (!last && got.numItems == 0) return refuseEmptyAnswer(status);
          const uint64_t total = uint64_t{collected.count} + got.numItems;
          if (query.tooMany(total) || !collected.reserve(got.numItems)) {
            return refuseGrowth(status, query.tooMany(total));
          }
          collected.append(got.entryList, got.numItems);
          std::free(got.entryList);
          got = TQEntryListList{};
          return TQChunkStep::kMore;
        });
  }
  const uint32_t returned = collected.count;
  if (!end.ok) {
    TQEntryListList rest{collected.count, collected.take()};
    FreeTQEntryListList(&rest, 0);
    return TQ_RETURN_ERROR;
  }
  entries->numItems = returned;
  entries->entryList = collected.take();
  if (query.numMatches != nullptr) *query.numMatches = matches;
  tqAfterCall(control, kQueryChannel);
  noteMatches(session, query, matches, returned, status);
  return tqTopStatus(status);
}

// ------------------------------------------------- TQGetListEntryWithFields

bool sameEntry(const TQEntryIdList& a, const TQEntryIdList& b) {
  if (a.numItems != b.numItems) return false;
  for (uint32_t i = 0; i < a.numItems; ++i) {
    if (std::strncmp(a.entryIdList[i], b.entryIdList[i], sizeof(TQEntryIdType)) != 0) return false;
  }
  return true;
}

bool isTextType(uint32_t dataType) {
  return dataType == TQ_DATA_TYPE_CHAR || dataType == TQ_DATA_TYPE_DIARY ||
         dataType == TQ_DATA_TYPE_DECIMAL;
}

uint32_t valueCount(const TQEntryListFieldValueStruct& entry) {
  return entry.fieldValues != nullptr ? entry.fieldValues->numItems : 0;
}

// Every entry of an answer carries valuesPerEntry values.
bool answerAgrees(const TQGetListEntryWithFieldsResult& answer) {
  const TQEntryListFieldValueList& got = answer.entries;
  if (got.numItems > 0 && got.entryList == nullptr) return false;
  if (answer.valuesPerEntry < 0) return false;
  for (uint32_t i = 0; i < got.numItems; ++i) {
    const TQEntryListFieldValueStruct& entry = got.entryList[i];
    if (valueCount(entry) != static_cast<uint32_t>(answer.valuesPerEntry)) return false;
    if (valueCount(entry) > 0 && entry.fieldValues->fieldValueList == nullptr) return false;
  }
  return true;
}

// A new text of `a` followed by `b` (tqMem), or nullptr.
char* joined(const char* a, const char* b) {
  const size_t la = a != nullptr ? std::strlen(a) : 0;
  const size_t lb = b != nullptr ? std::strlen(b) : 0;
  auto* text = static_cast<char*>(tqMemAlloc(la + lb + 1));
  if (text == nullptr) return nullptr;
  if (la > 0) std::memcpy(text, a, la);
  if (lb > 0) std::memcpy(text + la, b, lb);
  text[la + lb] = '\0';
  return text;
}

// Joins the continuation `next` of the last collected entry `into` (both
// carry the same number of values, checked before).
TQChunkStep joinContinuation(TQEntryListFieldValueStruct& into, TQEntryListFieldValueStruct& next,
                             TQStatusList* status) {
  TQFieldValueStruct* to = into.fieldValues->fieldValueList;
  TQFieldValueStruct* from = next.fieldValues->fieldValueList;
  const uint32_t n = next.fieldValues->numItems;
  uint32_t k = 0;
  while (k < n && from[k].fieldId == 0)
    ++k;
  int64_t j = -1;
  for (uint32_t i = 0; i < n; ++i) {
    if (to[i].fieldId != 0) j = i;
  }
  if (k < n && j == k) {
    TQValueStruct& before = to[k].value;
    TQValueStruct& rest = from[k].value;
    if (to[k].fieldId != from[k].fieldId || before.dataType != rest.dataType ||
        !isTextType(before.dataType)) {
      return refuseInconsistent(status, "a split value continues as another value");
    }
    char* text = joined(before.u.charVal, rest.u.charVal);
    if (text == nullptr) {
      tqOutOfMemory(status);
      return TQChunkStep::kFail;
    }
    std::free(before.u.charVal);
    std::free(rest.u.charVal);
    before.u.charVal = text;
    rest = TQValueStruct{};
    from[k].fieldId = 0;
    ++k;
  }
  for (uint32_t i = k; i < n; ++i) {
    FreeTQValueStruct(&to[i].value, 0);
    to[i] = from[i];
    from[i] = TQFieldValueStruct{};
  }
  return TQChunkStep::kMore;
}

uint32_t runGetListEntryWithFields(TQSessionStruct* session, TQControlStruct* control,
                                   const ListQuery& query, TQEntryListFieldValueList* entries,
                                   TQStatusList* status) {
  TQGrowable<TQEntryListFieldValueStruct> collected;
  uint32_t matches = 0;
  bool first = true;
  TQChunkEnd end;
  {
    QueryCall call(session, control, query, true);
    end = tqChunkLoop<TQGetListEntryArgs, TQGetListEntryWithFieldsResult>(
        kGetListEntryWithFields, session, control, status,
        [&](TQGetListEntryArgs& args) { query.fill(args); },
        [&](TQGetListEntryWithFieldsResult& answer, bool last) {
          if (tqTopStatus(&answer.status) >= TQ_RETURN_ERROR) return TQChunkStep::kEnd;
          if (first) matches = answer.numMatches;
          first = false;
          if (!answerAgrees(answer)) {
            return refuseInconsistent(status, "entries that do not carry the values per entry");
          }
          TQEntryListFieldValueList& got = answer.entries;
          if (!last && got.numItems == 0) return refuseEmptyAnswer(status);
          uint32_t start = 0;
          if (got.numItems > 0 && collected.count > 0 &&
              sameEntry(got.entryList[0].entryId, collected.back().entryId)) {
            if (valueCount(collected.back()) != valueCount(got.entryList[0])) {
              return refuseInconsistent(status, "a continued entry with another number of values");
            }
            if (valueCount(got.entryList[0]) > 0) {
              TQChunkStep step = joinContinuation(collected.back(), got.entryList[0], status);
              if (step != TQChunkStep::kMore) return step;
            }
            start = 1;
          }
          const uint32_t added = got.numItems - start;
          const uint64_t total = uint64_t{collected.count} + added;
          if (query.tooMany(total) || !collected.reserve(added)) {
            return refuseGrowth(status, query.tooMany(total));
          }
          collected.append(got.entryList + start, added);
          // The continuation entry (when there was one) keeps what was not
          // moved and is released with the answer.
          if (start == 1) {
            got.numItems = 1;
          } else {
            std::free(got.entryList);
            got = TQEntryListFieldValueList{};
          }
          return TQChunkStep::kMore;
        });
  }
  const uint32_t returned = collected.count;
  if (!end.ok) {
    TQEntryListFieldValueList rest{collected.count, collected.take()};
    FreeTQEntryListFieldValueList(&rest, 0);
    return TQ_RETURN_ERROR;
  }
  for (uint32_t i = 0; i < collected.count; ++i) {
    if (TQFieldValueList* values = collected.items[i].fieldValues) {
      tqScrambleReceivedPasswords(values->fieldValueList, values->numItems, status);
    }
  }
  entries->numItems = returned;
  entries->entryList = collected.take();
  if (query.numMatches != nullptr) *query.numMatches = matches;
  tqAfterCall(control, kQueryChannel);
  noteMatches(session, query, matches, returned, status);
  return tqTopStatus(status);
}

// The frame of both lists: the entry list out is required.
template <class Out, class Run>
uint32_t listOperation(const TQCallPlan& plan, TQControlStruct* control, const ListQuery& query,
                       Out* entries, TQStatusList* status, Run&& run) {
  return tqFrameRun(
      plan, control, status,
      [&] {
        if (entries != nullptr) entries->numItems = 0;
      },
      [&] {
        uint32_t code = tqCheckArgsGetListEntry(control, query.schema, query.qualifier,
                                                query.fields, query.sort, status);
        if (code < TQ_RETURN_ERROR && entries == nullptr) code = tqNoOutput(status);
        return code;
      },
      [&](TQSessionStruct* session) { return run(session, control, query, entries, status); });
}

}  // namespace

extern "C" uint32_t TQGetListEntry(TQControlStruct* control, const char* schema,
                                   TQQualifierStruct* qualifier, TQEntryListFieldList* fields,
                                   TQSortList* sort, uint32_t maxRetrieve,
                                   TQEntryListList* entries, uint32_t* numMatches,
                                   TQStatusList* status) {
  return listOperation(kGetListEntry, control,
                       ListQuery{schema, qualifier, fields, sort, maxRetrieve, numMatches}, entries,
                       status, runGetListEntry);
}

extern "C" uint32_t TQGetListEntryWithFields(TQControlStruct* control, const char* schema,
                                             TQQualifierStruct* qualifier,
                                             TQEntryListFieldList* fields, TQSortList* sort,
                                             uint32_t maxRetrieve,
                                             TQEntryListFieldValueList* entries,
                                             uint32_t* numMatches, TQStatusList* status) {
  return listOperation(kGetListEntryWithFields, control,
                       ListQuery{schema, qualifier, fields, sort, maxRetrieve, numMatches}, entries,
                       status, runGetListEntryWithFields);
}
