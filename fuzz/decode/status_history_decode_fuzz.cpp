// Decodes arbitrary text as an encoded status history in one session.
// Success gives at most one item per input byte; failure an empty list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_session.h"
#include "tqlink.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TQStatusHistoryList list{};
  TQStatusList status{};
  const uint32_t code = TQDecodeStatusHistory(fuzzSession(), text.c_str(), &list, &status);
  if (code == 0) {
    if (list.numItems > text.size()) std::abort();
    for (uint32_t i = 0; i < list.numItems; ++i) {
      if (std::strlen(list.statHistList[i].user) > TQ_MAX_ACCESS_NAME_SIZE) std::abort();
    }
  } else if (list.numItems != 0 || list.statHistList != nullptr) {
    std::abort();
  }
  FreeTQStatusHistoryList(&list, 0);
  FreeTQStatusList(&status, 0);
  return 0;
}
