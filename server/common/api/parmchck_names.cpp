// Checks of the control record, of names and entry ids, and the combined
// opening checks of the definition operations.
#include <cstring>

#include "api/parmchck_core.h"

using namespace parmchck;

uint32_t tqCheckControl(const TQControlStruct* control, TQStatusList* status) {
  if (control == nullptr || control->user[0] == '\0') return fail(status, kTQErrNoUser);
  if (fixedLength(control->user) > TQ_MAX_ACCESS_NAME_SIZE ||
      fixedLength(control->password) > TQ_MAX_PASSWORD_SIZE) {
    return fail(status, kTQErrNameTooLong);
  }
  if (control->server[0] == '\0') return fail(status, kTQErrNoServer);
  // The server name's length is the server directory's business; only a name
  // that runs past its array is refused here, before anything reads it.
  if (std::memchr(control->server, '\0', sizeof control->server) == nullptr) {
    return fail(status, kTQErrNameTooLong);
  }
  return 0;
}

uint32_t tqCheckEntryIdList(const TQEntryIdList* list, TQStatusList* status) {
  if (list == nullptr || list->numItems == 0) return fail(status, kTQErrEntryIdListMissing);
  if (nullArray(list->numItems, list->entryIdList)) return fail(status, kTQErrNullArray);
  bool anyId = false;
  for (uint32_t i = 0; i < list->numItems; ++i) {
    const TQEntryIdType& id = list->entryIdList[i];
    if (id[0] == '\0') continue;  // the member of a join entry that has no row
    if (fixedLength(id) > TQ_MAX_ENTRYID_SIZE) return fail(status, kTQErrEntryIdTooLong);
    anyId = true;
  }
  return anyId ? 0 : fail(status, kTQErrNoEntryId);
}

uint32_t tqCheckEntryIdListList(const TQEntryIdListList* list, TQBoolean allowEmpty,
                                TQStatusList* status) {
  if (list == nullptr || list->numItems == 0) {
    return allowEmpty ? 0 : fail(status, kTQErrEntryIdListMissing);
  }
  if (nullArray(list->numItems, list->entryIdListList)) return fail(status, kTQErrNullArray);
  for (uint32_t i = 0; i < list->numItems; ++i) {
    uint32_t result = tqCheckEntryIdList(&list->entryIdListList[i], status);
    if (result >= 2) return result;
  }
  return 0;
}

uint32_t tqCheckControlAndName(const TQControlStruct* control, const char* name,
                               TQBoolean allowEmpty, TQStatusList* status) {
  uint32_t result = tqCheckControl(control, status);
  if (result >= 2) return result;
  return tqCheckName(name, allowEmpty, status);
}

uint32_t tqCheckControlNameNewName(const TQControlStruct* control, const char* name,
                                   const char* newName, TQStatusList* status) {
  uint32_t result = tqCheckControlAndName(control, name, 0, status);
  if (result >= 2) return result;
  return tqCheckName(newName, 1, status);
}

uint32_t tqCheckControlNameOutput(const TQControlStruct* control, const char* name,
                                  TQBoolean noOutput, TQStatusList* status) {
  uint32_t result = tqCheckControlAndName(control, name, 1, status);
  if (result >= 2) return result;
  return noOutput ? fail(status, kTQErrNoOutput) : 0;
}
