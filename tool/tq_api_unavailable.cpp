#include "tq_api_unavailable.h"

#include "tool_exceptions.h"

namespace tixgrab {

namespace {
[[noreturn]] void unavailable() {
  throw TqAccessException(kServerUnavailableMessage);
}
}  // namespace

uint32_t UnavailableTqApi::initialization(TQControlStruct*, TQStatusList*) {
  unavailable();
}
uint32_t UnavailableTqApi::termination(TQControlStruct*, TQStatusList*) {
  unavailable();
}
uint32_t UnavailableTqApi::createEntry(TQControlStruct*, const char*, TQFieldValueList*,
                                       TQEntryIdType, TQStatusList*) {
  unavailable();
}
uint32_t UnavailableTqApi::setEntry(TQControlStruct*, const char*, TQEntryIdList*,
                                    TQFieldValueList*, TQTimestamp, uint32_t, TQStatusList*) {
  unavailable();
}
uint32_t UnavailableTqApi::deleteEntry(TQControlStruct*, const char*, TQEntryIdList*, uint32_t,
                                       TQStatusList*) {
  unavailable();
}
uint32_t UnavailableTqApi::getEntry(TQControlStruct*, const char*, TQEntryIdList*,
                                    TQInternalIdList*, TQFieldValueList*, TQStatusList*) {
  unavailable();
}
uint32_t UnavailableTqApi::loadQualifier(TQControlStruct*, const char*, const char*, const char*,
                                         TQQualifierStruct*, TQStatusList*) {
  unavailable();
}
uint32_t UnavailableTqApi::getListEntry(TQControlStruct*, const char*, TQQualifierStruct*,
                                        TQEntryListFieldList*, TQSortList*, uint32_t,
                                        TQEntryListList*, uint32_t*, TQStatusList*) {
  unavailable();
}

// The client library's entry operations are not there yet; when they are, a
// forwarding implementation replaces this one here.
std::unique_ptr<TqApi> createLibraryApi() {
  return std::make_unique<UnavailableTqApi>();
}

}  // namespace tixgrab
