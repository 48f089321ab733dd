// What the list operations share around the frame (tqb_frame.h).
#pragma once

#include <cstdint>

#include "api/parmchck.h"
#include "api/tqb_frame.h"

// Error 105: no place for the result was given.
inline uint32_t tqNoOutput(TQStatusList* status) {
  TQAppendStatus(status, TQ_MSG_ERROR, kTQErrNoOutput, nullptr);
  return TQ_RETURN_ERROR;
}

