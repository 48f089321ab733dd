#include "status_fixture.h"

#include <cstdlib>
#include <cstring>

TQStatusList makeStatusList(std::initializer_list<TypeAndNumber> items) {
  TQStatusList list{};
  if (items.size() == 0) return list;
  list.statusList = static_cast<TQStatusStruct*>(malloc(items.size() * sizeof(TQStatusStruct)));
  for (const auto& [type, number] : items) {
    const std::string text = "m" + std::to_string(number);
    char* copy = static_cast<char*>(malloc(text.size() + 1));
    memcpy(copy, text.c_str(), text.size() + 1);
    list.statusList[list.numItems++] = TQStatusStruct{type, number, copy, nullptr};
  }
  return list;
}

std::vector<TypeAndNumber> typesAndNumbers(const TQStatusList& list) {
  std::vector<TypeAndNumber> result;
  for (uint32_t i = 0; i < list.numItems; ++i) {
    result.emplace_back(list.statusList[i].messageType, list.statusList[i].messageNumber);
  }
  return result;
}

void releaseStatusList(TQStatusList& list) {
  for (uint32_t i = 0; i < list.numItems; ++i) {
    free(list.statusList[i].messageText);
    free(list.statusList[i].appendedText);
  }
  free(list.statusList);
  list = TQStatusList{};
}

void useBuildCatalog() {
  setenv("TQCATALOGDIR", TQ_BUILD_CATALOG_DIR, 1);
  setenv("LC_ALL", "C", 1);
}
