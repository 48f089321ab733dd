// A stand-in for the client library: it records what the session passes and
// answers with prepared return codes, status items and values, all in heap
// memory that its release routines give back.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tq_api.h"

namespace tixgrab::test {

struct StatusItem {
  uint32_t type;
  int32_t number;
  std::string text;
  const char* appended = nullptr;
};

struct Reply {
  uint32_t returnCode = 0;
  std::vector<StatusItem> status;
};

struct RecordedValue {
  uint32_t fieldId;
  uint32_t dataType;
  std::string text;  // char, diary and decimal values
  int64_t number = 0;
  double real = 0;
};

struct RecordedCall {
  std::string operation;
  std::string form;
  std::string entryId;
  std::vector<RecordedValue> values;
  std::vector<uint32_t> wantedIds;
  bool wantedListPassed = false;
  std::string qualification;
  bool qualifierPassed = false;
};

class FakeTqApi : public TqApi {
 public:
  ~FakeTqApi() override;

  // Replies by operation name ("initialization", "createEntry", ...); an
  // operation without a reply succeeds with an empty status list.
  std::map<std::string, Reply> replies;
  std::vector<RecordedCall> calls;
  TQControlStruct lastControl{};
  std::string newEntryId = "000000000000042";
  std::vector<TQFieldValueStruct> entryValues;  // returned by getEntry (texts are copied)
  std::vector<std::string> foundIds;            // returned by getListEntry
  int outstanding = 0;                          // blocks handed out and not yet released

  uint32_t initialization(TQControlStruct* control, TQStatusList* status) override;
  uint32_t termination(TQControlStruct* control, TQStatusList* status) override;
  uint32_t createEntry(TQControlStruct* control, const char* form, TQFieldValueList* values,
                       TQEntryIdType entryId, TQStatusList* status) override;
  uint32_t setEntry(TQControlStruct* control, const char* form, TQEntryIdList* entryId,
                    TQFieldValueList* values, TQTimestamp getTime, uint32_t option,
                    TQStatusList* status) override;
  uint32_t deleteEntry(TQControlStruct* control, const char* form, TQEntryIdList* entryId,
                       uint32_t option, TQStatusList* status) override;
  uint32_t getEntry(TQControlStruct* control, const char* form, TQEntryIdList* entryId,
                    TQInternalIdList* wanted, TQFieldValueList* values,
                    TQStatusList* status) override;
  uint32_t loadQualifier(TQControlStruct* control, const char* form, const char* displayTag,
                         const char* text, TQQualifierStruct* qualifier,
                         TQStatusList* status) override;
  uint32_t getListEntry(TQControlStruct* control, const char* form, TQQualifierStruct* qualifier,
                        TQEntryListFieldList* fields, TQSortList* sort, uint32_t maxEntries,
                        TQEntryListList* entries, uint32_t* numMatches,
                        TQStatusList* status) override;

  void freeStatusList(TQStatusList* status) override;
  void freeFieldValueList(TQFieldValueList* values) override;
  void freeQualifier(TQQualifierStruct* qualifier) override;
  void freeEntryListList(TQEntryListList* entries) override;

 private:
  uint32_t answer(const std::string& operation, TQControlStruct* control, TQStatusList* status);
  RecordedCall& record(const std::string& operation, const char* form, TQEntryIdList* entryId);
  char* copy(const std::string& text);
  void release(void* block);
};

}  // namespace tixgrab::test
