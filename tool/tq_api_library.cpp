#include "tq_api_library.h"

namespace tixgrab {

namespace {

// The release routines free only what hangs below the record; the records
// themselves belong to the action session.
constexpr TQBoolean kContentsOnly = 0;

}  // namespace

uint32_t LibraryTqApi::initialization(TQControlStruct* control, TQStatusList* status) {
  return TQInitialization(control, status);
}

uint32_t LibraryTqApi::termination(TQControlStruct* control, TQStatusList* status) {
  return TQTermination(control, status);
}

uint32_t LibraryTqApi::createEntry(TQControlStruct* control, const char* form,
                                   TQFieldValueList* values, TQEntryIdType entryId,
                                   TQStatusList* status) {
  return TQCreateEntry(control, form, values, entryId, status);
}

uint32_t LibraryTqApi::setEntry(TQControlStruct* control, const char* form, TQEntryIdList* entryId,
                                TQFieldValueList* values, TQTimestamp getTime, uint32_t option,
                                TQStatusList* status) {
  return TQSetEntry(control, form, entryId, values, getTime, option, status);
}

uint32_t LibraryTqApi::deleteEntry(TQControlStruct* control, const char* form,
                                   TQEntryIdList* entryId, uint32_t option, TQStatusList* status) {
  return TQDeleteEntry(control, form, entryId, option, status);
}

uint32_t LibraryTqApi::getEntry(TQControlStruct* control, const char* form, TQEntryIdList* entryId,
                                TQInternalIdList* wanted, TQFieldValueList* values,
                                TQStatusList* status) {
  return TQGetEntry(control, form, entryId, wanted, values, status);
}

uint32_t LibraryTqApi::loadQualifier(TQControlStruct* control, const char* form,
                                     const char* displayTag, const char* text,
                                     TQQualifierStruct* qualifier, TQStatusList* status) {
  return TQLoadTQQualifierStruct(control, form, displayTag, text, qualifier, status);
}

uint32_t LibraryTqApi::getListEntry(TQControlStruct* control, const char* form,
                                    TQQualifierStruct* qualifier, TQEntryListFieldList* fields,
                                    TQSortList* sort, uint32_t maxEntries, TQEntryListList* entries,
                                    uint32_t* numMatches, TQStatusList* status) {
  return TQGetListEntry(control, form, qualifier, fields, sort, maxEntries, entries, numMatches,
                        status);
}

void LibraryTqApi::freeStatusList(TQStatusList* status) {
  FreeTQStatusList(status, kContentsOnly);
}

void LibraryTqApi::freeFieldValueList(TQFieldValueList* values) {
  FreeTQFieldValueList(values, kContentsOnly);
}

void LibraryTqApi::freeQualifier(TQQualifierStruct* qualifier) {
  FreeTQQualifierStruct(qualifier, kContentsOnly);
}

void LibraryTqApi::freeEntryListList(TQEntryListList* entries) {
  FreeTQEntryListList(entries, kContentsOnly);
}

std::unique_ptr<TqApi> createLibraryApi() {
  return std::make_unique<LibraryTqApi>();
}

}  // namespace tixgrab
