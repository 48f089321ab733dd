#include "fake_tq_api.h"

#include <cstdlib>
#include <cstring>

namespace tixgrab::test {

FakeTqApi::~FakeTqApi() = default;

char* FakeTqApi::copy(const std::string& text) {
  char* block = static_cast<char*>(std::malloc(text.size() + 1));
  std::memcpy(block, text.c_str(), text.size() + 1);
  ++outstanding;
  return block;
}

void FakeTqApi::release(void* block) {
  if (!block) return;
  std::free(block);
  --outstanding;
}

uint32_t FakeTqApi::answer(const std::string& operation, TQControlStruct* control,
                           TQStatusList* status) {
  lastControl = *control;
  *status = TQStatusList{};
  auto it = replies.find(operation);
  if (it == replies.end()) return 0;
  const Reply& reply = it->second;
  if (!reply.status.empty()) {
    status->numItems = static_cast<uint32_t>(reply.status.size());
    status->statusList =
        static_cast<TQStatusStruct*>(std::calloc(reply.status.size(), sizeof(TQStatusStruct)));
    ++outstanding;
    for (size_t i = 0; i < reply.status.size(); ++i) {
      TQStatusStruct& item = status->statusList[i];
      item.messageType = reply.status[i].type;
      item.messageNumber = reply.status[i].number;
      item.messageText = copy(reply.status[i].text);
      item.appendedText = reply.status[i].appended ? copy(reply.status[i].appended) : nullptr;
    }
  }
  return reply.returnCode;
}

RecordedCall& FakeTqApi::record(const std::string& operation, const char* form,
                                TQEntryIdList* entryId) {
  RecordedCall call;
  call.operation = operation;
  call.form = form ? form : "";
  if (entryId && entryId->numItems > 0) call.entryId = entryId->entryIdList[0];
  calls.push_back(call);
  return calls.back();
}

namespace {

void recordValues(RecordedCall& call, const TQFieldValueList* values) {
  for (uint32_t i = 0; values && i < values->numItems; ++i) {
    const TQFieldValueStruct& item = values->fieldValueList[i];
    RecordedValue value{item.fieldId, item.value.dataType, "", 0, 0};
    switch (item.value.dataType) {
      case TQ_DATA_TYPE_CHAR:
      case TQ_DATA_TYPE_DIARY:
      case TQ_DATA_TYPE_DECIMAL:
        value.text = item.value.u.charVal ? item.value.u.charVal : "";
        break;
      case TQ_DATA_TYPE_REAL:
        value.real = item.value.u.realVal;
        break;
      case TQ_DATA_TYPE_INTEGER:
      case TQ_DATA_TYPE_TIME:
        value.number = item.value.u.intVal;
        break;
      default:
        value.number = item.value.u.ulongVal;
        break;
    }
    call.values.push_back(value);
  }
}

}  // namespace

uint32_t FakeTqApi::initialization(TQControlStruct* control, TQStatusList* status) {
  record("initialization", "", nullptr);
  return answer("initialization", control, status);
}

uint32_t FakeTqApi::termination(TQControlStruct* control, TQStatusList* status) {
  record("termination", "", nullptr);
  return answer("termination", control, status);
}

uint32_t FakeTqApi::createEntry(TQControlStruct* control, const char* form,
                                TQFieldValueList* values, TQEntryIdType entryId,
                                TQStatusList* status) {
  recordValues(record("createEntry", form, nullptr), values);
  std::strncpy(entryId, newEntryId.c_str(), TQ_MAX_ENTRYID_SIZE);
  entryId[TQ_MAX_ENTRYID_SIZE] = '\0';
  return answer("createEntry", control, status);
}

uint32_t FakeTqApi::setEntry(TQControlStruct* control, const char* form, TQEntryIdList* entryId,
                             TQFieldValueList* values, TQTimestamp, uint32_t,
                             TQStatusList* status) {
  recordValues(record("setEntry", form, entryId), values);
  return answer("setEntry", control, status);
}

uint32_t FakeTqApi::deleteEntry(TQControlStruct* control, const char* form, TQEntryIdList* entryId,
                                uint32_t, TQStatusList* status) {
  record("deleteEntry", form, entryId);
  return answer("deleteEntry", control, status);
}

uint32_t FakeTqApi::getEntry(TQControlStruct* control, const char* form, TQEntryIdList* entryId,
                             TQInternalIdList* wanted, TQFieldValueList* values,
                             TQStatusList* status) {
  RecordedCall& call = record("getEntry", form, entryId);
  call.wantedListPassed = wanted != nullptr;
  for (uint32_t i = 0; wanted && i < wanted->numItems; ++i) {
    call.wantedIds.push_back(wanted->internalIdList[i]);
  }
  *values = TQFieldValueList{};
  if (!entryValues.empty()) {
    values->numItems = static_cast<uint32_t>(entryValues.size());
    values->fieldValueList = static_cast<TQFieldValueStruct*>(
        std::calloc(entryValues.size(), sizeof(TQFieldValueStruct)));
    ++outstanding;
    for (size_t i = 0; i < entryValues.size(); ++i) {
      values->fieldValueList[i] = entryValues[i];
      if (entryValues[i].value.dataType == TQ_DATA_TYPE_CHAR) {
        values->fieldValueList[i].value.u.charVal = copy(entryValues[i].value.u.charVal);
      }
    }
  }
  return answer("getEntry", control, status);
}

uint32_t FakeTqApi::loadQualifier(TQControlStruct* control, const char* form, const char*,
                                  const char* text, TQQualifierStruct* qualifier,
                                  TQStatusList* status) {
  record("loadQualifier", form, nullptr).qualification = text;
  *qualifier = TQQualifierStruct{};
  return answer("loadQualifier", control, status);
}

uint32_t FakeTqApi::getListEntry(TQControlStruct* control, const char* form,
                                 TQQualifierStruct* qualifier, TQEntryListFieldList*, TQSortList*,
                                 uint32_t, TQEntryListList* entries, uint32_t* numMatches,
                                 TQStatusList* status) {
  record("getListEntry", form, nullptr).qualifierPassed = qualifier != nullptr;
  *entries = TQEntryListList{};
  *numMatches = static_cast<uint32_t>(foundIds.size());
  if (!foundIds.empty()) {
    entries->numItems = static_cast<uint32_t>(foundIds.size());
    entries->entryList =
        static_cast<TQEntryListStruct*>(std::calloc(foundIds.size(), sizeof(TQEntryListStruct)));
    ++outstanding;
    for (size_t i = 0; i < foundIds.size(); ++i) {
      TQEntryIdList& id = entries->entryList[i].entryId;
      id.numItems = 1;
      id.entryIdList = static_cast<TQEntryIdType*>(std::calloc(1, sizeof(TQEntryIdType)));
      ++outstanding;
      std::strncpy(id.entryIdList[0], foundIds[i].c_str(), TQ_MAX_ENTRYID_SIZE);
    }
  }
  return answer("getListEntry", control, status);
}

void FakeTqApi::freeStatusList(TQStatusList* status) {
  for (uint32_t i = 0; status->statusList && i < status->numItems; ++i) {
    release(status->statusList[i].messageText);
    release(status->statusList[i].appendedText);
  }
  release(status->statusList);
  *status = TQStatusList{};
}

void FakeTqApi::freeFieldValueList(TQFieldValueList* values) {
  for (uint32_t i = 0; values->fieldValueList && i < values->numItems; ++i) {
    if (values->fieldValueList[i].value.dataType == TQ_DATA_TYPE_CHAR) {
      release(values->fieldValueList[i].value.u.charVal);
    }
  }
  release(values->fieldValueList);
  *values = TQFieldValueList{};
}

void FakeTqApi::freeQualifier(TQQualifierStruct* qualifier) {
  calls.push_back(RecordedCall{"freeQualifier", "", "", {}, {}, false, "", false});
  *qualifier = TQQualifierStruct{};
}

void FakeTqApi::freeEntryListList(TQEntryListList* entries) {
  for (uint32_t i = 0; entries->entryList && i < entries->numItems; ++i) {
    release(entries->entryList[i].entryId.entryIdList);
  }
  release(entries->entryList);
  *entries = TQEntryListList{};
}

}  // namespace tixgrab::test
