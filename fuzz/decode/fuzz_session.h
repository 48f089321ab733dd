// The one session the decoder fuzz targets decode in (the decoders only
// need a session to exist).
#pragma once

#include <cstring>

#include "tqlink.h"

inline TQControlStruct* fuzzSession() {
  static TQControlStruct control = [] {
    TQControlStruct c{};
    std::strcpy(c.user, "Demo");
    TQStatusList status{};
    TQInitialization(&c, &status);
    FreeTQStatusList(&status, 0);
    return c;
  }();
  return &control;
}
