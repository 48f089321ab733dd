// The support-file members of the definition family: TQGetSupportFile,
// TQSetSupportFile (and TQCreateSupportFile, the same call under another
// name), TQDeleteSupportFile and TQGetListSupportFile (procedures 68, 69,
// 71 and 72). The contents travel whole between the server and a file the
// caller has opened.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "api/tqb_def_family.h"

namespace {

constexpr uint32_t kHighestFileType = 1;

uint32_t checkSupportFile(TQControlStruct* control, uint32_t fileType, const char* name,
                          TQStatusList* status) {
  const uint32_t code = tqCheckArgsControlName(control, name, status);
  if (code >= TQ_RETURN_ERROR) return code;
  if (fileType > kHighestFileType) return tqDefError(status, kTQMsgBadFileType);
  return code;
}

uint32_t fileError(TQStatusList* status, int32_t number) {
  const uint32_t code = TQAppendStatus(status, TQ_MSG_ERROR, number, std::strerror(errno));
  return code < TQ_RETURN_ERROR ? TQ_RETURN_ERROR : code;
}

// Reads the whole file from its start: 295 when it is empty, 316 when it
// cannot be read.
uint32_t readWhole(std::FILE* file, std::vector<char>* contents, TQStatusList* status) {
  if (std::fseek(file, 0, SEEK_END) != 0) return fileError(status, kTQMsgCannotReadFile);
  const long size = std::ftell(file);
  if (size < 0) return fileError(status, kTQMsgCannotReadFile);
  if (size < 1) return tqDefError(status, kTQMsgNoFile);
  if (std::fseek(file, 0, SEEK_SET) != 0) return fileError(status, kTQMsgCannotReadFile);
  contents->resize(static_cast<size_t>(size));
  if (std::fread(contents->data(), 1, contents->size(), file) != contents->size()) {
    return fileError(status, kTQMsgCannotReadFile);
  }
  return 0;
}

uint32_t storeSupportFile(TQDef member, TQControlStruct* control, uint32_t fileType,
                          const char* name, uint32_t id, uint32_t fileId, std::FILE* file,
                          TQStatusList* status) {
  std::vector<char> contents;
  return tqDefChange<TQSetSupportFileArgs>(
      member, control, status,
      [&]() -> uint32_t {
        const uint32_t code = checkSupportFile(control, fileType, name, status);
        if (code >= TQ_RETURN_ERROR) return code;
        if (file == nullptr) return tqDefError(status, kTQMsgNoFile);
        return readWhole(file, &contents, status);
      },
      [&](TQSetSupportFileArgs& a) {
        a.fileType = fileType;
        a.name = tqDefText(name);
        a.id = id;
        a.fileId = fileId;
        a.contents = contents.data();
        a.contentsLength = static_cast<uint32_t>(contents.size());
      });
}

}  // namespace

extern "C" uint32_t TQGetSupportFile(TQControlStruct* control, uint32_t fileType,
                                     const char* name, uint32_t id, uint32_t fileId,
                                     FILE* filePtr, TQTimestamp* timestamp,
                                     TQStatusList* status) {
  uint32_t written = 0;
  const uint32_t code = tqDefOperation<TQGetSupportFileArgs, TQGetSupportFileResult>(
      TQDef::kGetSupportFile, control, status, [&] { tqDefClear(timestamp); },
      [&]() -> uint32_t {
        const uint32_t checked = checkSupportFile(control, fileType, name, status);
        if (checked >= TQ_RETURN_ERROR) return checked;
        if (filePtr == nullptr) return tqDefError(status, kTQMsgNoFile);
        return checked;
      },
      [&](TQGetSupportFileArgs& a) {
        a.fileType = fileType;
        a.name = tqDefText(name);
        a.id = id;
        a.fileId = fileId;
        a.wanted = 1;
      },
      [&](TQGetSupportFileResult& r) {
        if (timestamp != nullptr) *timestamp = r.changed;
        if (r.contentsLength > 0 &&
            (std::fwrite(r.contents, 1, r.contentsLength, filePtr) != r.contentsLength ||
             std::fflush(filePtr) != 0)) {
          written = fileError(status, kTQMsgCannotWriteFile);
        }
      });
  return written > code ? written : code;
}

extern "C" uint32_t TQSetSupportFile(TQControlStruct* control, uint32_t fileType,
                                     const char* name, uint32_t id, uint32_t fileId,
                                     FILE* filePtr, TQStatusList* status) {
  return storeSupportFile(TQDef::kSetSupportFile, control, fileType, name, id, fileId, filePtr,
                          status);
}

extern "C" uint32_t TQCreateSupportFile(TQControlStruct* control, uint32_t fileType,
                                        const char* name, uint32_t id, uint32_t fileId,
                                        FILE* filePtr, TQStatusList* status) {
  return storeSupportFile(TQDef::kCreateSupportFile, control, fileType, name, id, fileId,
                          filePtr, status);
}

extern "C" uint32_t TQDeleteSupportFile(TQControlStruct* control, uint32_t fileType,
                                        const char* name, uint32_t id, uint32_t fileId,
                                        TQStatusList* status) {
  return tqDefChange<TQSupportFileArgs>(
      TQDef::kDeleteSupportFile, control, status,
      [&] { return checkSupportFile(control, fileType, name, status); },
      [&](TQSupportFileArgs& a) {
        a.fileType = fileType;
        a.name = tqDefText(name);
        a.id = id;
        a.fileId = fileId;
      });
}

extern "C" uint32_t TQGetListSupportFile(TQControlStruct* control, uint32_t fileType,
                                         const char* name, uint32_t id,
                                         TQTimestamp changedSince, TQInternalIdList* fileIdList,
                                         TQStatusList* status) {
  return tqDefOperation<TQGetListSupportFileArgs, TQIdListResult>(
      TQDef::kGetListSupportFile, control, status, [&] { tqDefClear(fileIdList); },
      [&] { return checkSupportFile(control, fileType, name, status); },
      [&](TQGetListSupportFileArgs& a) {
        a.fileType = fileType;
        a.name = tqDefText(name);
        a.id = id;
        a.changedSince = changedSince;
      },
      [&](TQIdListResult& r) { tqDefHandOver(fileIdList, r.ids); });
}
