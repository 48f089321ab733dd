// Decodes arbitrary text as an encoded diary in one session. Success must
// give items whose texts lie within the input; failure an empty list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_session.h"
#include "tqlink.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TQDiaryList list{};
  TQStatusList status{};
  const uint32_t code = TQDecodeDiary(fuzzSession(), text.c_str(), &list, &status);
  if (code == 0) {
    size_t total = 0;
    for (uint32_t i = 0; i < list.numItems; ++i) {
      if (list.diaryList[i].value == nullptr) std::abort();
      total += std::strlen(list.diaryList[i].value) + std::strlen(list.diaryList[i].user);
    }
    if (total > text.size()) std::abort();
  } else if (list.numItems != 0 || list.diaryList != nullptr) {
    std::abort();
  }
  FreeTQDiaryList(&list, 0);
  FreeTQStatusList(&status, 0);
  return 0;
}
