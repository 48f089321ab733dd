// Procedure 80 (version 6): the data of one attachment, in chunks.
//
// The data goes out as the client sent it, behind an 8-byte prefix: two
// 32-bit numbers in network byte order, the packed flag (1 when the sizes
// differ, that is when the client packed it) and the data's length. The
// continuation value is the offset in this prefixed stream of the next
// chunk: 0 for the first request, then what the previous answer gave. A
// chunk is at most the client's largest reply size (within 4096 to 1000000)
// less 500 bytes for the rest of the answer; the last one carries the
// completion flag.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "chunk_reply.h"
#include "entry_lookup.h"
#include "entry_store.h"
#include "entry_values.h"
#include "handler_families.h"
#include "rpc/procedure_records_defs.h"
#include "share/apisrv/messages.h"

namespace tqsd {
namespace {

constexpr uint32_t kPrefixSize = kChunkPrefixSize;
constexpr int32_t kMsgNoAttachment = 9380;  // appended: the field id

void getEntryBLOB(Call& call, TQGetEntryBLOBArgs& args, TQGetEntryBLOBResult& result) {
  std::optional<Target> target = findEntry(call, args.schema, args.entryId);
  if (!target) return;
  const FieldDef* field = target->form->field(args.fieldId);
  if (field == nullptr) {
    addErrorNumber(call, kMsgNoSuchField, args.fieldId);
    return;
  }
  auto value = target->entry.values.find(args.fieldId);
  if (field->dataType != TQ_DATA_TYPE_ATTACH || value == target->entry.values.end() ||
      value->second.dataType != TQ_DATA_TYPE_ATTACH) {
    addErrorNumber(call, kMsgNoAttachment, args.fieldId);
    return;
  }
  const StoredValue& attach = value->second;
  const auto total = static_cast<uint32_t>(attach.packedSize);
  const uint64_t end = uint64_t{kPrefixSize} + total;
  if (args.continuation < 0 || static_cast<uint64_t>(args.continuation) >= end) {
    addStatus(call, TQ_MSG_ERROR, kMsgInvalidValue,
              ("continuation " + std::to_string(args.continuation) + " is not 0 to " +
               std::to_string(end - 1))
                  .c_str());
    return;
  }
  const uint32_t room = chunkRoom(args.responseSize);
  uint64_t offset = static_cast<uint64_t>(args.continuation);
  std::string chunk;
  if (offset < kPrefixSize) {
    chunk = chunkPrefix(attach.packedSize != attach.number, total).substr(offset);
    offset = kPrefixSize;
  }
  const uint64_t want = std::min<uint64_t>(room - chunk.size(), end - offset);
  if (want > 0) {
    std::optional<std::string> data =
        attachmentChunk(*target->form, target->entry.id, args.fieldId, offset - kPrefixSize,
                        static_cast<uint32_t>(want));
    if (!data || data->size() != want) {
      addErrorNumber(call, kMsgNoAttachment, args.fieldId);
      return;
    }
    chunk += *data;
  }
  offset += want;
  if (!answerChunk(call, chunk, &result.chunk, &result.chunkLength)) return;
  result.continuation = static_cast<int32_t>(offset);
  result.complete = offset == end ? 1 : 0;
}

constexpr Handler kHandlers[] = {
    handler<TQGetEntryBLOBArgs, TQGetEntryBLOBResult, getEntryBLOB>(80),
};

}  // namespace

std::span<const Handler> attachHandlers() {
  return kHandlers;
}

}  // namespace tqsd
