// The library interface the program runs with: every operation is passed on
// to tqlink unchanged.
#pragma once

#include "tq_api.h"

namespace tixgrab {

class LibraryTqApi : public TqApi {
 public:
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
};

}  // namespace tixgrab
