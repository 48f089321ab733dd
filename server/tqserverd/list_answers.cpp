// Pieces of the list procedures' answers (see list_answers.h).
#include "list_answers.h"

#include <algorithm>
#include <cstring>

#include "entry_values.h"

namespace tqsd {

TQEntryIdList wireEntryId(const std::string& id) {
  TQEntryIdList list{1, allocItems<TQEntryIdType>(1)};
  std::memcpy(list.entryIdList[0], id.data(), std::min(id.size(), kEntryIdLength));
  return list;
}

void putWireValue(uint32_t fieldId, const StoredValue& value, uint32_t version,
                  TQValueStruct* out) {
  if (!toWireValue(fieldId, value, version, out)) throw std::bad_alloc();
}

bool isSplittable(const StoredValue& value) {
  return value.dataType == TQ_DATA_TYPE_CHAR || value.dataType == TQ_DATA_TYPE_DIARY;
}

size_t wireCost(const StoredValue& value) {
  return wireCost(value, 0);
}

size_t wireCost(const StoredValue& value, size_t offset) {
  const bool text = value.dataType == TQ_DATA_TYPE_CHAR || value.dataType == TQ_DATA_TYPE_DIARY ||
                    value.dataType == TQ_DATA_TYPE_DECIMAL;
  return kValueFraming + (text ? value.text.size() - std::min(offset, value.text.size()) : 0);
}

size_t splitLength(const std::string& text, size_t offset, size_t want) {
  const size_t remaining = text.size() - offset;
  if (want >= remaining) return remaining;
  size_t length = std::max<size_t>(want, 1);
  auto continuation = [&](size_t at) {
    return (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
  };
  while (length > 1 && continuation(offset + length))
    --length;
  while (length < remaining && continuation(offset + length))
    ++length;
  return length;
}

StoredValue textPiece(const StoredValue& value, size_t offset, size_t length) {
  StoredValue piece = value;
  piece.text = value.text.substr(offset, length);
  return piece;
}

}  // namespace tqsd
