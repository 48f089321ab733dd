// Session variables: timeouts, response size and program settings a caller
// may change, and two results of earlier calls it may read.
#include <cstdlib>
#include <cstring>

#include "api/tqb_frame.h"

namespace {

enum VariableId : uint32_t {
  kResponseSize = 1,
  kNormalTimeout = 2,
  kLongTimeout = 3,
  kExtraLongTimeout = 4,
  kDirectoryTimeout = 5,
  kClearPasswordFallback = 6,
  kFixedProgram = 7,
  kLastMatchCount = 8,
  kLastCreatedEntryId = 9,
  kProgramFixed = 10,
};

uint32_t dataTypeOf(uint32_t id) {
  switch (id) {
    case kFixedProgram:
      return TQ_DATA_TYPE_ULONG;
    case kLastCreatedEntryId:
      return TQ_DATA_TYPE_CHAR;
    default:
      return TQ_DATA_TYPE_INTEGER;
  }
}

bool known(uint32_t id) {
  return id >= kResponseSize && id <= kProgramFixed;
}

// The integer variables a caller may set, by id.
int32_t* integerField(TQSessionStruct* session, uint32_t id) {
  switch (id) {
    case kResponseSize:
      return &session->responseSize;
    case kNormalTimeout:
      return &session->normalTimeout;
    case kLongTimeout:
      return &session->longTimeout;
    case kExtraLongTimeout:
      return &session->extraLongTimeout;
    case kDirectoryTimeout:
      return &session->directoryTimeout;
    case kProgramFixed:
      return &session->programFixed;
    default:
      return nullptr;
  }
}

}  // namespace

extern "C" uint32_t TQSetSessionVariable(TQControlStruct* control, uint32_t variableId,
                                         const TQValueStruct* value, TQStatusList* status) {
  return tqGuarded(status, [&]() -> uint32_t {
    TQSessionStruct* session = nullptr;
    uint32_t code = tqFrameStart(control, status, &session);
    if (code != kTQFrameGoOn) return code;
    if (!known(variableId) || variableId == kLastMatchCount || variableId == kLastCreatedEntryId ||
        value == nullptr || value->dataType != dataTypeOf(variableId)) {
      return TQ_RETURN_ERROR;
    }
    if (variableId == kFixedProgram) {
      session->fixedProgram = value->u.ulongVal;
    } else if (variableId == kClearPasswordFallback) {
      session->clearPasswordFallback = static_cast<uint8_t>(value->u.intVal & 0xFF);
    } else {
      *integerField(session, variableId) = value->u.intVal;
    }
    return TQ_RETURN_OK;
  });
}

extern "C" uint32_t TQGetSessionVariable(TQControlStruct* control, uint32_t variableId,
                                         TQValueStruct* value, TQStatusList* status) {
  return tqGuarded(status, [&]() -> uint32_t {
    if (value != nullptr) *value = TQValueStruct{};
    TQSessionStruct* session = nullptr;
    uint32_t code = tqFrameStart(control, status, &session);
    if (code != kTQFrameGoOn) return code;
    if (!known(variableId) || value == nullptr) return TQ_RETURN_ERROR;
    value->dataType = dataTypeOf(variableId);
    switch (variableId) {
      case kFixedProgram:
        value->u.ulongVal = session->fixedProgram;
        break;
      case kClearPasswordFallback:
        value->u.intVal = session->clearPasswordFallback;
        break;
      case kLastMatchCount:
        value->u.intVal = static_cast<int32_t>(session->lastMatchCount);
        break;
      case kLastCreatedEntryId: {
        char* copy = strndup(session->lastCreatedEntryId, sizeof session->lastCreatedEntryId - 1);
        if (copy == nullptr) {
          value->dataType = TQ_DATA_TYPE_NULL;
          return tqOutOfMemory(status);
        }
        value->u.charVal = copy;
        break;
      }
      default:
        value->u.intVal = *integerField(session, variableId);
        break;
    }
    return TQ_RETURN_OK;
  });
}
