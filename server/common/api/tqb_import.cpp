// TQImport and TQImportFromFile: an export text sent to the server for it to
// load (procedure 35 on the administrative channel), in chunks of the
// session's response size less 500 bytes. A server of protocol version 6
// gets the text in its character set and packed (unpacked, with its
// terminator, when packing fails), unconverted on the wire; an older one
// gets the text with its terminator in chunks that end on character
// boundaries, each converted on the wire as a text of its own.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "api/log_rows.h"
#include "api/parmchck.h"
#include "api/tqb_chunk_loop.h"
#include "api/tqb_exchange.h"
#include "api/tqb_frame.h"
#include "rpc/procedure_records_defs.h"
#include "share/apisrv/memory.h"
#include "share/apisrv/messages.h"
#include "share/i18n/mbchar.h"
#include "tqpack.h"

namespace {

constexpr TQCallPlan kImport = tqCallPlan(35);
constexpr int32_t kMsgNoImportText = 156;
constexpr uint32_t kDefaultPackLevel = 0;

// The data an import sends, released at the end.
struct Outgoing {
  const char* data = nullptr;
  size_t length = 0;
  char* converted = nullptr;
  unsigned char* packed = nullptr;  // tqpack's block
  ~Outgoing() {
    tqMemFree(converted);
    std::free(packed);
  }
};

// Steps 3 and 4: what goes to the server.
uint32_t prepareData(const char* text, bool oldServer, Outgoing& out, TQStatusList* status) {
  const size_t textLength = std::strlen(text);
  if (oldServer) {
    out.data = text;
    out.length = textLength + 1;
    return 0;
  }
  size_t length = 0;
  out.converted = tqExchangeConvert(text, textLength, false, &length);
  if (out.converted == nullptr) return tqOutOfMemory(status);
  uint32_t packedLength = 0;
  if (PackBufferToBuffer(kDefaultPackLevel, out.converted, static_cast<uint32_t>(length),
                         &out.packed, &packedLength) == TQPACK_OK &&
      out.packed != nullptr) {
    out.data = reinterpret_cast<const char*>(out.packed);
    out.length = packedLength;
  } else {
    out.data = out.converted;
    out.length = length + 1;
  }
  return 0;
}

// Step 5: the chunks. False when a call failed.
bool send(TQSessionStruct* session, TQControlStruct* control, TQImportArgs& args,
          const Outgoing& out, bool oldServer, TQStatusList* status) {
  TQUnconverted unconverted(session, !oldServer);
  const std::vector<size_t> sizes =
      tqImportChunkSizes(out.data, out.length, tqExchangeChunkLimit(session->responseSize),
                         oldServer, kTQCharSetCurrent);
  std::vector<char> piece;
  size_t offset = 0;
  for (size_t i = 0; i < sizes.size(); ++i) {
    const bool last = i + 1 == sizes.size();
    args.chunk = const_cast<char*>(out.data + offset);
    if (oldServer && !last) {
      // Each chunk travels as a text of its own.
      piece.assign(out.data + offset, out.data + offset + sizes[i]);
      piece.push_back('\0');
      args.chunk = piece.data();
    }
    args.chunkLength = static_cast<uint32_t>(sizes[i]);
    args.lastChunk = last ? 1 : 0;
    auto* reply =
        tqChunkCall<TQImportResult>(kImport, kImport.timeout, session, control, args, status);
    if (reply == nullptr) return false;
    args.continuation = reply->continuation;
    args.serverHandle = reply->serverHandle;
    TQMergeStatus(&reply->status, status, status);
    tqChunkCallDone(kImport, control, reply);
    offset += sizes[i];
  }
  return true;
}

}  // namespace

extern "C" uint32_t TQImport(TQControlStruct* control, TQStructItemList* items, const char* text,
                             TQStatusList* status) {
  return tqGuarded(status, [&]() -> uint32_t {
    TQSessionStruct* session = nullptr;
    uint32_t code = tqFrameStart(control, status, &session);
    if (code != kTQFrameGoOn) return code;
    code = tqCheckArgsImport(control, items, status);
    if (code >= TQ_RETURN_ERROR) return code;
    if (text == nullptr || *text == '\0') {
      TQAppendStatus(status, TQ_MSG_ERROR, kMsgNoImportText, nullptr);
      return tqTopStatus(status);
    }
    if (tqRecordingOn(session)) {
      TQImportRecord record{items != nullptr ? *items : TQStructItemList{}};
      tqRecordCall(session, kImport, &record);
    }
    TQImportArgs args{};
    code = tqPrepareCallHeader(control, kImport.channel, &args.header, status);
    bool ok = code < TQ_RETURN_ERROR;
    if (ok) {
      const TQBindingStruct* binding = session->channels[kImport.channel].currentBinding;
      const bool oldServer = binding != nullptr && binding->protocolVersion != 0 &&
                             binding->protocolVersion < kTQNewestProtocol;
      if (items != nullptr) args.items = *items;
      args.responseSize = static_cast<uint32_t>(session->responseSize);
      Outgoing out;
      ok = prepareData(text, oldServer, out, status) < TQ_RETURN_ERROR &&
           send(session, control, args, out, oldServer, status);
    }
    tqReleaseCallHeader(&args.header);
    code = ok ? tqTopStatus(status) : TQ_RETURN_ERROR;
    if (tqRecordingOn(session)) tqRecordResults(session, kImport.name, code, status);
    return code;
  });
}

extern "C" uint32_t TQImportFromFile(TQControlStruct* control, TQStructItemList* items, FILE* file,
                                     TQStatusList* status) {
  return tqGuarded(status, [&]() -> uint32_t {
    if (status == nullptr) return TQ_RETURN_BAD_STATUS;
    tqResetStatus(status);
    long size = -1;
    if (file != nullptr && std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
    if (size <= 0) {
      TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgNoFileData, nullptr);
      return tqTopStatus(status);
    }
    std::rewind(file);
    auto* text = static_cast<char*>(tqMemAlloc(static_cast<size_t>(size) + 1));
    if (text == nullptr) return tqOutOfMemory(status);
    const size_t read = std::fread(text, 1, static_cast<size_t>(size), file);
    text[read] = '\0';
    const uint32_t code = TQImport(control, items, text, status);
    tqMemFree(text);
    return code;
  });
}
