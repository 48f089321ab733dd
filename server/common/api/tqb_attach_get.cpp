// TQGetEntryBLOB: fetches the data of one attachment (procedure 80) in
// chunks, into a file or into memory. The server answers each request with
// a chunk, a continuation value that the next request sends back and a
// completion flag; the chunks carry the prefixed data of tqb_chunks.h.
// Unpacked data bound for a file is written chunk by chunk; packed data,
// and anything bound for memory, is collected first and unpacked at the end.
// Texts travel unconverted during the loop, so that binary data passes as
// it is.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "api/log_rows.h"
#include "api/parmchck.h"
#include "api/tqb_attach.h"
#include "api/tqb_chunk_loop.h"
#include "api/tqb_chunks.h"
#include "api/tqb_frame.h"
#include "rpc/procedure_records_defs.h"
#include "share/apisrv/messages.h"

namespace {

constexpr TQCallPlan kGetEntryBLOB = tqCallPlan(80);

// The chunk loop: requests until a reply reports the transfer complete.
// True when it was, with every chunk taken.
bool receiveChunks(TQSessionStruct* session, TQControlStruct* control, TQGetEntryBLOBArgs& args,
                   TQPrefixedData& data, TQStatusList* status) {
  TQUnconverted unconverted(session);
  for (;;) {
    auto* reply = tqChunkCall<TQGetEntryBLOBResult>(kGetEntryBLOB, kGetEntryBLOB.timeout, session,
                                                    control, args, status);
    if (reply == nullptr) return false;
    TQMergeStatus(&reply->status, status, status);
    args.continuation = reply->continuation;
    const bool complete = reply->complete != 0;
    const uint32_t code = tqTakeChunk(data, reply->chunk, reply->chunkLength, status);
    tqChunkCallDone(kGetEntryBLOB, control, reply);
    if (code >= TQ_RETURN_ERROR) return false;
    if (complete) return tqCheckChunksComplete(data, status) < TQ_RETURN_ERROR;
  }
}

// Steps 3 to 10 once the arguments passed: the call header, the target
// file, the loop, unpacking, and the location's buffer.
uint32_t fetch(TQSessionStruct* session, TQControlStruct* control, const char* schema,
               TQEntryIdList* entryId, uint32_t fieldId, TQLocStruct* loc, TQStatusList* status) {
  TQGetEntryBLOBArgs args{};
  uint32_t code = tqPrepareCallHeader(control, kGetEntryBLOB.channel, &args.header, status);
  if (code >= TQ_RETURN_ERROR) {
    tqReleaseCallHeader(&args.header);
    return code;
  }
  args.schema = const_cast<char*>(schema);
  args.entryId = *entryId;
  args.fieldId = fieldId;
  args.responseSize = static_cast<uint32_t>(session->responseSize);

  std::FILE* file = nullptr;
  if (loc->locationType == TQ_LOC_FILENAME) {
    errno = 0;
    file = loc->u.filename != nullptr ? std::fopen(loc->u.filename, "wb") : nullptr;
    if (file == nullptr) {
      std::string text = loc->u.filename != nullptr ? loc->u.filename : "";
      if (errno != 0) text += std::string(": ") + std::strerror(errno);
      TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgCannotOpenAttach, text.c_str());
      tqReleaseCallHeader(&args.header);
      return tqTopStatus(status);
    }
  }

  TQPrefixedData data;
  data.file = file;
  bool ok = receiveChunks(session, control, args, data, status);
  tqReleaseCallHeader(&args.header);
  if (ok) ok = tqUnpackChunks(data, file, status) < TQ_RETURN_ERROR;
  if (file != nullptr) {
    errno = 0;
    if (std::fclose(file) != 0 && ok) {
      if (errno == 0) errno = EIO;
      ok = tqFileError(status, kTQMsgCannotWriteFile) < TQ_RETURN_ERROR;
    }
  }
  if (loc->locationType == TQ_LOC_BUFFER) {
    if (ok) {
      loc->u.buf.bufferSize = data.total;
      loc->u.buf.buffer = data.buffer;
      data.buffer = nullptr;
    } else {
      loc->u.buf = TQBufStruct{};
    }
  }
  tqReleaseChunks(data);
  // A failure always leaves an error in the list; the loop adds one where
  // the server gave none.
  return tqTopStatus(status);
}

}  // namespace

extern "C" uint32_t TQGetEntryBLOB(TQControlStruct* control, const char* schema,
                                   TQEntryIdList* entryId, uint32_t fieldId, TQLocStruct* loc,
                                   TQStatusList* status) {
  return tqGuarded(status, [&]() -> uint32_t {
    TQSessionStruct* session = nullptr;
    uint32_t code = tqFrameStart(control, status, &session);
    if (code != kTQFrameGoOn) return code;
    code = tqCheckArgsGetEntry(control, schema, entryId, status);
    if (code >= TQ_RETURN_ERROR) return code;
    if (loc == nullptr ||
        (loc->locationType != TQ_LOC_FILENAME && loc->locationType != TQ_LOC_BUFFER)) {
      TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgBadLocation, nullptr);
      return tqTopStatus(status);
    }
    if (tqRecordingOn(session)) {
      TQGetEntryBLOBRecord record{const_cast<char*>(schema), *entryId, fieldId, *loc};
      tqRecordCall(session, kGetEntryBLOB, &record);
    }
    code = fetch(session, control, schema, entryId, fieldId, loc, status);
    if (tqRecordingOn(session)) tqRecordResults(session, kGetEntryBLOB.name, code, status);
    return code;
  });
}
