// Checks of the server-setting, statistics and full-text request and setting
// lists, of export and import item lists, and of container records.
#include <array>

#include "api/parmchck_core.h"

using namespace parmchck;

namespace {

constexpr uint32_t kServerInfoCodes = 103;  // codes 1 to 102
constexpr uint32_t kServerInfoWriteOnly = 10;
constexpr uint32_t kServerStatisticsCodes = 63;  // codes 1 to 62
constexpr uint32_t kFullTextRequestCodes = 9;    // codes 1 to 8
constexpr uint32_t kFullTextSetCodes = 7;        // codes 1 to 6

// What a server-info code takes when it is set.
enum class InfoKind : uint8_t { kUnknown, kReadOnly, kInteger, kText };

struct CodeRange {
  uint32_t first;
  uint32_t last;
  InfoKind kind;
};

constexpr CodeRange kServerInfoRanges[] = {
    {1, 4, InfoKind::kReadOnly},    {5, 8, InfoKind::kInteger},    {9, 9, InfoKind::kReadOnly},
    {10, 10, InfoKind::kText},      {11, 14, InfoKind::kReadOnly}, {15, 15, InfoKind::kInteger},
    {16, 17, InfoKind::kText},      {18, 18, InfoKind::kReadOnly}, {19, 20, InfoKind::kInteger},
    {21, 22, InfoKind::kText},      {23, 27, InfoKind::kReadOnly}, {28, 30, InfoKind::kInteger},
    {31, 31, InfoKind::kText},      {32, 33, InfoKind::kInteger},  {34, 34, InfoKind::kText},
    {35, 36, InfoKind::kReadOnly},  {37, 37, InfoKind::kInteger},  {38, 44, InfoKind::kReadOnly},
    {45, 45, InfoKind::kInteger},   {46, 47, InfoKind::kText},     {48, 49, InfoKind::kReadOnly},
    {50, 50, InfoKind::kInteger},   {51, 55, InfoKind::kReadOnly}, {56, 56, InfoKind::kInteger},
    {57, 57, InfoKind::kText},      {58, 58, InfoKind::kInteger},  {59, 59, InfoKind::kText},
    {60, 66, InfoKind::kInteger},   {67, 77, InfoKind::kReadOnly}, {78, 84, InfoKind::kInteger},
    {85, 87, InfoKind::kText},      {88, 88, InfoKind::kInteger},  {89, 90, InfoKind::kText},
    {91, 91, InfoKind::kReadOnly},  {92, 92, InfoKind::kInteger},  {93, 93, InfoKind::kText},
    {94, 95, InfoKind::kInteger},   {97, 98, InfoKind::kText},     {99, 100, InfoKind::kInteger},
    {102, 102, InfoKind::kInteger},
};

constexpr std::array<InfoKind, kServerInfoCodes> makeServerInfoKinds() {
  std::array<InfoKind, kServerInfoCodes> kinds{};
  for (const CodeRange& range : kServerInfoRanges) {
    for (uint32_t code = range.first; code <= range.last; ++code)
      kinds[code] = range.kind;
  }
  return kinds;
}

constexpr std::array<InfoKind, kServerInfoCodes> kServerInfoKinds = makeServerInfoKinds();

InfoKind serverInfoKind(uint32_t code) {
  return code < kServerInfoCodes ? kServerInfoKinds[code] : InfoKind::kUnknown;
}

// Records `number` with the code appended; keeps the result of the last
// recording for the lists that examine every item.
struct Recorder {
  TQStatusList* status;
  uint32_t result = 0;
  void operator()(int32_t number, uint32_t code) { result = failCode(status, number, code); }
};

bool isIntegerIn(const TQValueStruct& value, int32_t low, int32_t high) {
  return value.dataType == TQ_DATA_TYPE_INTEGER && value.u.intVal >= low && value.u.intVal <= high;
}

bool fullTextValueFits(const TQFullTextInfoStruct& info) {
  const TQValueStruct& value = info.u.value;
  switch (info.infoType) {
    case 1:
      return value.dataType == TQ_DATA_TYPE_NULL || value.dataType == TQ_DATA_TYPE_CHAR;
    case TQ_FULLTEXT_INFO_VALUE_LIST: {
      const TQValueList& list = info.u.valueList;
      if (nullArray(list.numItems, list.valueList)) return false;
      for (uint32_t i = 0; i < list.numItems; ++i) {
        const TQValueStruct& item = list.valueList[i];
        if (item.dataType != TQ_DATA_TYPE_CHAR || isEmpty(item.u.charVal)) return false;
      }
      return true;
    }
    case 3:
      return value.dataType == TQ_DATA_TYPE_NULL || isIntegerIn(value, 1, 1);
    case 4:
    case 5:
      return value.dataType == TQ_DATA_TYPE_NULL || isIntegerIn(value, 0, 1);
    case 6:
      return value.dataType == TQ_DATA_TYPE_NULL || isIntegerIn(value, 0, 4);
    default:
      return false;
  }
}

// Item types that can be exported, and of those the ones that can be imported.
bool structItemTypeAllowed(uint32_t type, bool import) {
  constexpr uint32_t kLastPlainType = 10;
  bool known = (type >= 1 && type <= kLastPlainType) || type == 11 || type == 12 || type == 103;
  if (!known) return false;
  return !import || (type != 2 && type != 3 && type != 4 && type != 103);
}

}  // namespace

uint32_t tqCheckServerInfoRequestList(const TQServerInfoRequestList* list, TQStatusList* status) {
  if (list == nullptr || list->numItems == 0) return fail(status, kTQErrNoRequests);
  if (nullArray(list->numItems, list->requestList)) return fail(status, kTQErrNullArray);
  Recorder record{status};
  for (uint32_t i = 0; i < list->numItems; ++i) {
    uint32_t code = list->requestList[i];
    if (code == 0 || code >= kServerInfoCodes) {
      record(kTQErrBadServerInfoCode, code);
    } else if (code == kServerInfoWriteOnly) {
      record(kTQErrServerInfoNotReadable, code);
    }
  }
  return record.result;
}

namespace {

// A list of request codes, each from 1 to below `limit`; a code outside that
// range is recorded with `badCode` and the code appended.
template <class List>
uint32_t checkRequestCodes(const List* list, uint32_t limit, int32_t badCode,
                           TQStatusList* status) {
  if (list == nullptr || list->numItems == 0) return fail(status, kTQErrNoRequests);
  if (nullArray(list->numItems, list->requestList)) return fail(status, kTQErrNullArray);
  Recorder record{status};
  for (uint32_t i = 0; i < list->numItems; ++i) {
    uint32_t code = list->requestList[i];
    if (code == 0 || code >= limit) record(badCode, code);
  }
  return record.result;
}

}  // namespace

uint32_t tqCheckServerStatisticsRequestList(const TQServerInfoRequestList* list,
                                            TQStatusList* status) {
  return checkRequestCodes(list, kServerStatisticsCodes, kTQErrBadStatisticsCode, status);
}

uint32_t tqCheckServerInfoList(const TQServerInfoList* list, TQStatusList* status) {
  if (list == nullptr || list->numItems == 0) return fail(status, kTQErrNoServerInfo);
  if (nullArray(list->numItems, list->serverInfoList)) return fail(status, kTQErrNullArray);
  Recorder record{status};
  for (uint32_t i = 0; i < list->numItems; ++i) {
    const TQServerInfoStruct& info = list->serverInfoList[i];
    uint32_t tag = info.value.dataType;
    switch (serverInfoKind(info.operation)) {
      case InfoKind::kUnknown:
        record(kTQErrBadServerInfoCode, info.operation);
        break;
      case InfoKind::kReadOnly:
        record(kTQErrServerInfoNotSettable, info.operation);
        break;
      case InfoKind::kInteger:
        if (tag != TQ_DATA_TYPE_INTEGER && tag != TQ_DATA_TYPE_NULL) {
          record(kTQErrBadServerInfoValue, info.operation);
        }
        break;
      case InfoKind::kText:
        if (tag != TQ_DATA_TYPE_CHAR && tag != TQ_DATA_TYPE_NULL) {
          record(kTQErrBadServerInfoValue, info.operation);
        }
        break;
    }
  }
  return record.result;
}

uint32_t tqCheckFullTextInfoRequestList(const TQFullTextInfoRequestList* list,
                                        TQStatusList* status) {
  return checkRequestCodes(list, kFullTextRequestCodes, kTQErrBadFullTextCode, status);
}

uint32_t tqCheckFullTextInfoList(const TQFullTextInfoList* list, TQStatusList* status) {
  if (list == nullptr || list->numItems == 0) return fail(status, kTQErrNoFullTextInfo);
  if (nullArray(list->numItems, list->fullTextInfoList)) return fail(status, kTQErrNullArray);
  Recorder record{status};
  for (uint32_t i = 0; i < list->numItems; ++i) {
    const TQFullTextInfoStruct& info = list->fullTextInfoList[i];
    if (info.infoType == 0 || info.infoType >= kFullTextSetCodes) {
      record(kTQErrBadFullTextCode, info.infoType);
    } else if (!fullTextValueFits(info)) {
      record(kTQErrBadFullTextValue, info.infoType);
    }
  }
  return record.result;
}

uint32_t tqCheckStructItemList(const TQStructItemList* list, TQBoolean allowEmpty, TQBoolean import,
                               TQStatusList* status) {
  if (list == nullptr || list->numItems == 0) {
    return allowEmpty || import ? 0 : fail(status, kTQErrNoStructItems);
  }
  if (nullArray(list->numItems, list->structItemList)) return fail(status, kTQErrNullArray);
  for (uint32_t i = 0; i < list->numItems; ++i) {
    const TQStructItemStruct& item = list->structItemList[i];
    if (!structItemTypeAllowed(item.type, import)) {
      failCode(status, kTQErrBadStructItemType, item.type);
      return failAfter(status, kTQErrBadStructItem);
    }
    if (checkName(item.name, 0, status) >= 2) return failAfter(status, kTQErrBadStructItem);
  }
  return 0;
}

uint32_t tqCheckContainerOwner(const TQContainerOwnerObj* owner, TQStatusList* status) {
  if (owner == nullptr || owner->type == TQ_CONTAINER_OWNER_NONE ||
      owner->type == TQ_CONTAINER_OWNER_ALL) {
    return 0;
  }
  if (checkName(owner->ownerName, 0, status) >= 2) {
    return failAfter(status, kTQErrBadContainerOwner);
  }
  return 0;
}

uint32_t tqCheckContainerTypeList(const TQContainerTypeList* list, TQStatusList* status) {
  return list != nullptr && nullArray(list->numItems, list->type) ? fail(status, kTQErrNullArray)
                                                                  : 0;
}

uint32_t tqCheckReferenceTypeList(const TQReferenceTypeList* list, TQStatusList* status) {
  return list != nullptr && nullArray(list->numItems, list->refType) ? fail(status, kTQErrNullArray)
                                                                     : 0;
}

uint32_t tqCheckReference(TQReferenceStruct* reference, TQStatusList* status) {
  if (reference == nullptr) return fail(status, kTQErrNoReference);
  if (reference->type == 0) return fail(status, kTQErrBadReferenceType);
  if (isEmpty(reference->label)) return fail(status, kTQErrNoReferenceLabel);
  switch (reference->dataType) {
    case TQ_REF_DATA_SERVER:
      return checkName(reference->u.name, 0, status);
    case TQ_REF_DATA_EXTERNAL: {
      TQExtReferenceStruct& ext = reference->u.extRef;
      if (nullArray(ext.permittedGroups.numItems, ext.permittedGroups.internalIdList)) {
        return fail(status, kTQErrNullArray);
      }
      return tqCheckValue(&ext.value, status);
    }
    default:  // kinds of reference data the server may add are its own to judge
      return 0;
  }
}

uint32_t tqCheckReferenceList(TQReferenceList* list, TQStatusList* status) {
  if (list == nullptr) return 0;
  if (nullArray(list->numItems, list->referenceList)) return fail(status, kTQErrNullArray);
  for (uint32_t i = 0; i < list->numItems; ++i) {
    uint32_t result = tqCheckReference(&list->referenceList[i], status);
    if (result >= 2) return result;
  }
  return 0;
}
