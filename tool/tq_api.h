// The client-library operations the tool uses, behind one interface so that
// the action session is written once and the library is plugged in beneath
// it. Arguments and return codes are those of the library: 0 ok, 1 warning,
// 2 error, 3 fatal, 4 no status list; release routines free only the
// contents of the record passed.
#pragma once

#include <cstdint>
#include <memory>

#include "tqlink.h"

namespace tixgrab {

class TqApi {
 public:
  virtual ~TqApi() = default;

  virtual uint32_t initialization(TQControlStruct* control, TQStatusList* status) = 0;
  virtual uint32_t termination(TQControlStruct* control, TQStatusList* status) = 0;
  virtual uint32_t createEntry(TQControlStruct* control, const char* form, TQFieldValueList* values,
                               TQEntryIdType entryId, TQStatusList* status) = 0;
  virtual uint32_t setEntry(TQControlStruct* control, const char* form, TQEntryIdList* entryId,
                            TQFieldValueList* values, TQTimestamp getTime, uint32_t option,
                            TQStatusList* status) = 0;
  virtual uint32_t deleteEntry(TQControlStruct* control, const char* form, TQEntryIdList* entryId,
                               uint32_t option, TQStatusList* status) = 0;
  virtual uint32_t getEntry(TQControlStruct* control, const char* form, TQEntryIdList* entryId,
                            TQInternalIdList* wanted, TQFieldValueList* values,
                            TQStatusList* status) = 0;
  virtual uint32_t loadQualifier(TQControlStruct* control, const char* form, const char* displayTag,
                                 const char* text, TQQualifierStruct* qualifier,
                                 TQStatusList* status) = 0;
  virtual uint32_t getListEntry(TQControlStruct* control, const char* form,
                                TQQualifierStruct* qualifier, TQEntryListFieldList* fields,
                                TQSortList* sort, uint32_t maxEntries, TQEntryListList* entries,
                                uint32_t* numMatches, TQStatusList* status) = 0;

  virtual void freeStatusList(TQStatusList* status) = 0;
  virtual void freeFieldValueList(TQFieldValueList* values) = 0;
  virtual void freeQualifier(TQQualifierStruct* qualifier) = 0;
  virtual void freeEntryListList(TQEntryListList* entries) = 0;
};

// The implementation the program runs with.
std::unique_ptr<TqApi> createLibraryApi();

}  // namespace tixgrab
