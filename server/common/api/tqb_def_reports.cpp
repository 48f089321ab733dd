// Numbering and upload of the report files of active-link macros (see
// tqb_def_reports.h).
#include "api/tqb_def_reports.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "api/tqb_dispatch.h"
#include "share/apisrv/memory.h"

namespace {

constexpr char kSectionStart[] = "\nReport: ";
constexpr char kParameterMark = '\1';
constexpr long kRunParameter = 21;
constexpr long kNameParameter = 22;
constexpr size_t kLongestFileName = 255;
constexpr size_t kRoomForNumber = 20;
constexpr uint32_t kReportFileType = 1;

// Where the value of parameter `number` starts inside [from, end), or
// nullptr when the section lacks it.
const char* parameterValue(const char* from, const char* end, long number) {
  char key[24];
  const int keyLength = std::snprintf(key, sizeof key, "%c%ld=", kParameterMark, number);
  for (const char* at = from; at + keyLength <= end; ++at) {
    if (std::memcmp(at, key, static_cast<size_t>(keyLength)) == 0) return at + keyLength;
  }
  return nullptr;
}

}  // namespace

void TQReportUploads::scan(size_t text, const char* body, int* highest) {
  const char* end = body + std::strlen(body);
  const char* section = std::strstr(body, kSectionStart);
  while (section != nullptr) {
    const char* next = std::strstr(section + 1, kSectionStart);
    const char* sectionEnd = next == nullptr ? end : next;
    const char* run = parameterValue(section, sectionEnd, kRunParameter);
    const char* value = parameterValue(section, sectionEnd, kNameParameter);
    if (run != nullptr && std::strtol(run, nullptr, 10) != 1 && value != nullptr) {
      while (value < sectionEnd && (*value == ' ' || *value == '\t')) ++value;
      if (value < sectionEnd && *value == '!') {
        const long number = std::strtol(value + 1, nullptr, 10);
        if (number > *highest && number < INT32_MAX / 2) *highest = static_cast<int>(number);
      } else {
        const char* stop = value;
        while (stop < sectionEnd && *stop != kParameterMark &&
               static_cast<size_t>(stop - value) < kLongestFileName) {
          ++stop;
        }
        if (stop > value) {
          Report report;
          report.text = text;
          report.valueAt = static_cast<size_t>(value - body);
          report.file.assign(value, stop);
          reports_.insert(reports_.begin(), std::move(report));
        }
      }
    }
    section = next;
  }
}

uint32_t TQReportUploads::prepare(TQStatusList* status) {
  int highest = 0;
  for (TQActiveLinkActionList* list : {actions_, elseActions_}) {
    if (list == nullptr || list->actionList == nullptr) continue;
    for (uint32_t i = 0; i < list->numItems; ++i) {
      TQActiveLinkActionStruct& action = list->actionList[i];
      if (action.action != TQ_ACTIVE_LINK_ACTION_MACRO || action.u.macro.macroText == nullptr) {
        continue;
      }
      char** slot = &action.u.macro.macroText;
      texts_.push_back(Text{slot, *slot, *slot});
      scan(texts_.size() - 1, *slot, &highest);
    }
  }
  // The last found first: each text changes from its end towards its start,
  // so the places noted in the original stay right.
  for (Report& report : reports_) {
    report.number = ++highest;
    Text& text = texts_[report.text];
    const size_t length = std::strlen(text.current);
    auto* fresh = static_cast<char*>(tqMemAlloc(length + kRoomForNumber + 1));
    if (fresh == nullptr) return tqOutOfMemory(status);
    std::memcpy(fresh, text.current, report.valueAt);
    const int mark = std::snprintf(fresh + report.valueAt, kRoomForNumber + 1, "%c%d%c", 33,
                                   report.number, 33);
    std::memcpy(fresh + report.valueAt + mark, text.current + report.valueAt,
                length - report.valueAt + 1);
    if (text.current != text.original) tqMemFree(text.current);
    text.current = fresh;
    *text.slot = fresh;
  }
  return 0;
}

uint32_t TQReportUploads::upload(uint32_t code, TQStatusList* status) {
  if (reports_.empty()) return code;
  // The active link's own answer is what the control record keeps.
  const int32_t cacheId = control_->cacheId;
  const TQTimestamp operationTime = control_->operationTime;
  for (const Report& report : reports_) {
    std::FILE* file = std::fopen(report.file.c_str(), "rb");
    if (file == nullptr) {
      const std::string text = std::string(std::strerror(errno)) + ": " + report.file;
      TQAppendStatus(status, TQ_MSG_WARNING, kTQMsgCannotOpenReport, text.c_str());
      if (code < TQ_RETURN_WARNING) code = TQ_RETURN_WARNING;
      continue;
    }
    TQStatusList own{};
    const uint32_t result = TQSetSupportFile(control_, kReportFileType, name_, 0,
                                             static_cast<uint32_t>(report.number), file, &own);
    std::fclose(file);
    for (uint32_t i = 0; i < own.numItems; ++i) {
      if (own.statusList[i].messageType >= TQ_MSG_ERROR) {
        own.statusList[i].messageType = TQ_MSG_WARNING;
      }
    }
    TQMergeStatus(&own, status, status);
    FreeTQStatusList(&own, 0);
    if (result != 0) {
      TQAppendStatus(status, TQ_MSG_WARNING, kTQMsgReportNotStored, report.file.c_str());
      if (code < TQ_RETURN_WARNING) code = TQ_RETURN_WARNING;
    }
  }
  control_->cacheId = cacheId;
  control_->operationTime = operationTime;
  return code;
}

void TQReportUploads::restore() {
  for (Text& text : texts_) {
    if (text.current != text.original) tqMemFree(text.current);
    *text.slot = text.original;
  }
  texts_.clear();
  reports_.clear();
}
