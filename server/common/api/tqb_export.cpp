// TQExport and TQExportToFile: the export text of a list of definitions
// (procedure 34 on the query channel), received in chunks. A server that can
// pack (the export-capability byte is set) sends the prefixed data of
// tqb_chunks.h, packed or not as its prefix says; an older one sends the
// text as plain chunks. Texts travel unconverted during the loop; the whole
// text is converted to the client's character set at the end.
//
// A reply whose first status is an error is not taken as data; one that also
// reports completion, or that does not move the transfer on, ends the export
// with that error, so that a server which answers every request with an
// error cannot keep the loop running.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "api/log_rows.h"
#include "api/parmchck.h"
#include "api/tqb_chunk_loop.h"
#include "api/tqb_chunks.h"
#include "api/tqb_exchange.h"
#include "api/tqb_frame.h"
#include "rpc/procedure_records_defs.h"
#include "share/apisrv/memory.h"
#include "share/apisrv/messages.h"

namespace {

constexpr TQCallPlan kExport = tqCallPlan(34);
constexpr TQCallPlan kExportToFile = tqCallPlan(34, "TQExportToFile");
// From this many items on an export takes the extra-long timeout.
constexpr uint32_t kManyItems = 10;
constexpr int32_t kMsgNoText = 155;

// The text collected from the chunks.
struct Received {
  bool packedForm = false;  // the chunks carried the prefix
  TQPrefixedData prefixed;  // packedForm: the prefixed data
  char* plain = nullptr;    // otherwise: the text, terminated
  size_t plainLength = 0;
  bool lastHadData = false;  // the reply that reported completion carried a chunk

  ~Received() {
    tqReleaseChunks(prefixed);
    tqMemFree(plain);
  }
};

// Plain chunks carry no total, so the text is bounded by the largest size a
// transfer may have.
uint32_t appendPlain(Received& in, const char* chunk, uint32_t length, TQStatusList* status) {
  if (length > kTQAttachLimit - in.plainLength) {
    const uint32_t code = TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgCannotUnpack,
                                         "the export text is longer than 2147483647 bytes");
    return code < TQ_RETURN_ERROR ? TQ_RETURN_ERROR : code;
  }
  auto* grown = static_cast<char*>(tqMemRealloc(in.plain, in.plainLength + length + 1));
  if (grown == nullptr) return tqOutOfMemory(status);
  in.plain = grown;
  if (length > 0) std::memcpy(in.plain + in.plainLength, chunk, length);
  in.plainLength += length;
  in.plain[in.plainLength] = '\0';
  return 0;
}

// Steps 3 and 4: the chunk loop. True when a reply reported completion with
// every chunk taken.
bool receive(TQSessionStruct* session, TQControlStruct* control, TQExportArgs& args, Received& in,
             TQStatusList* status) {
  TQUnconverted unconverted(session);
  const TQTimeout timeout =
      args.items.numItems >= kManyItems ? TQTimeout::kExtraLong : TQTimeout::kLong;
  in.packedForm = session->exportCapable != 0;
  for (;;) {
    auto* reply = tqChunkCall<TQExportResult>(kExport, timeout, session, control, args, status);
    if (reply == nullptr) return false;
    const bool moved = reply->continuation != args.continuation;
    args.continuation = reply->continuation;
    args.serverHandle = reply->serverHandle;
    const bool complete = reply->complete != 0;
    uint32_t code = 0;
    if (tqTopStatus(&reply->status) >= TQ_RETURN_ERROR) {
      if (complete || !moved) code = TQ_RETURN_ERROR;
    } else if (in.packedForm) {
      code = tqTakeChunk(in.prefixed, reply->chunk, reply->chunkLength, status);
    } else {
      code = appendPlain(in, reply->chunk, reply->chunkLength, status);
    }
    in.lastHadData = reply->chunk != nullptr && reply->chunkLength > 0;
    TQMergeStatus(&reply->status, status, status);
    tqChunkCallDone(kExport, control, reply);
    if (code >= TQ_RETURN_ERROR) return false;
    if (complete) {
      return !in.packedForm || tqCheckChunksComplete(in.prefixed, status) < TQ_RETURN_ERROR;
    }
  }
}

// Steps 5 and 6: the text in the client's character set, in a new block.
char* finishText(Received& in, size_t* length, TQStatusList* status) {
  const char* text = in.plain != nullptr ? in.plain : "";
  size_t textLength = in.plainLength;
  if (in.packedForm) {
    if (tqUnpackChunks(in.prefixed, nullptr, status) >= TQ_RETURN_ERROR) return nullptr;
    text = in.prefixed.buffer != nullptr ? reinterpret_cast<char*>(in.prefixed.buffer) : "";
    textLength = in.prefixed.total;
  }
  char* converted = tqExchangeConvert(text, textLength, true, length);
  if (converted == nullptr) tqOutOfMemory(status);
  return converted;
}

// The whole export; the text goes to *text (a new block) on success.
template <class CheckOut>
uint32_t exportText(const TQCallPlan& plan, TQControlStruct* control, const TQStructItemList* items,
                    const char* displayTag, char** text, size_t* length, bool* lastHadData,
                    TQStatusList* status, CheckOut&& checkOut) {
  TQSessionStruct* session = nullptr;
  uint32_t code = tqFrameStart(control, status, &session);
  if (code != kTQFrameGoOn) return code;
  code = tqCheckArgsExport(control, items, status);
  if (code >= TQ_RETURN_ERROR) return code;
  if (!checkOut()) return tqTopStatus(status);
  if (tqRecordingOn(session)) {
    TQExportRecord record{items != nullptr ? *items : TQStructItemList{},
                          const_cast<char*>(displayTag)};
    tqRecordCall(session, plan, &record);
  }

  TQExportArgs args{};
  code = tqPrepareCallHeader(control, plan.channel, &args.header, status);
  if (code < TQ_RETURN_ERROR) {
    args.items = *items;
    args.displayTag = const_cast<char*>(displayTag != nullptr ? displayTag : "");
    args.responseSize = static_cast<uint32_t>(session->responseSize);
    Received in;
    if (receive(session, control, args, in, status)) {
      *lastHadData = in.lastHadData;
      *text = finishText(in, length, status);
    }
    session->exportCapable = 1;
  }
  tqReleaseCallHeader(&args.header);
  code = *text != nullptr ? tqTopStatus(status) : TQ_RETURN_ERROR;
  if (tqRecordingOn(session)) tqRecordResults(session, plan.name, code, status);
  return code;
}

}  // namespace

extern "C" uint32_t TQExport(TQControlStruct* control, TQStructItemList* items,
                             const char* displayTag, char** text, TQStatusList* status) {
  if (text != nullptr) *text = nullptr;
  return tqGuarded(status, [&]() -> uint32_t {
    char* received = nullptr;
    size_t length = 0;
    bool lastHadData = false;
    const uint32_t code = exportText(kExport, control, items, displayTag, &received, &length,
                                     &lastHadData, status, [&] {
                                       if (text != nullptr) return true;
                                       TQAppendStatus(status, TQ_MSG_ERROR, kMsgNoText, nullptr);
                                       return false;
                                     });
    if (text != nullptr) *text = received;
    return code;
  });
}

extern "C" uint32_t TQExportToFile(TQControlStruct* control, TQStructItemList* items,
                                   const char* displayTag, FILE* file, TQStatusList* status) {
  return tqGuarded(status, [&]() -> uint32_t {
    char* received = nullptr;
    size_t length = 0;
    bool lastHadData = false;
    uint32_t code = exportText(kExportToFile, control, items, displayTag, &received, &length,
                               &lastHadData, status, [&] {
                                 if (file != nullptr) return true;
                                 TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgNoFileData, nullptr);
                                 return false;
                               });
    // A last reply without data means nothing is written.
    if (received != nullptr && lastHadData && length > 0) {
      errno = 0;
      if (std::fwrite(received, 1, length, file) != length || std::fflush(file) != 0) {
        if (errno == 0) errno = EIO;
        code = tqFileError(status, kTQMsgCannotWriteFile);
      }
    }
    tqMemFree(received);
    return code;
  });
}
