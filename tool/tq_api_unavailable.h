// The library interface of a build without the client library's entry
// operations: every server operation ends the run with one clear error.
#pragma once

#include "tq_api.h"

namespace tixgrab {

inline constexpr const char* kServerUnavailableMessage =
    "Running actions against a server is not available in this build";

class UnavailableTqApi : public TqApi {
 public:
  uint32_t initialization(TQControlStruct*, TQStatusList*) override;
  uint32_t termination(TQControlStruct*, TQStatusList*) override;
  uint32_t createEntry(TQControlStruct*, const char*, TQFieldValueList*, TQEntryIdType,
                       TQStatusList*) override;
  uint32_t setEntry(TQControlStruct*, const char*, TQEntryIdList*, TQFieldValueList*, TQTimestamp,
                    uint32_t, TQStatusList*) override;
  uint32_t deleteEntry(TQControlStruct*, const char*, TQEntryIdList*, uint32_t,
                       TQStatusList*) override;
  uint32_t getEntry(TQControlStruct*, const char*, TQEntryIdList*, TQInternalIdList*,
                    TQFieldValueList*, TQStatusList*) override;
  uint32_t loadQualifier(TQControlStruct*, const char*, const char*, const char*,
                         TQQualifierStruct*, TQStatusList*) override;
  uint32_t getListEntry(TQControlStruct*, const char*, TQQualifierStruct*, TQEntryListFieldList*,
                        TQSortList*, uint32_t, TQEntryListList*, uint32_t*, TQStatusList*) override;

  // Nothing is ever allocated, so there is nothing to release.
  void freeStatusList(TQStatusList*) override {}
  void freeFieldValueList(TQFieldValueList*) override {}
  void freeQualifier(TQQualifierStruct*) override {}
  void freeEntryListList(TQEntryListList*) override {}
};

}  // namespace tixgrab
