#include "action_session.h"

#include <cstring>

#include "status_format.h"
#include "text_util.h"
#include "tool_exceptions.h"
#include "value_text.h"

namespace tixgrab {

namespace {

// An entry id list of one id: the first 15 characters of the text.
class SingleEntryIdList {
 public:
  explicit SingleEntryIdList(const std::string& entryId) {
    copyCut(id_, entryId, TQ_MAX_ENTRYID_SIZE);
    list_.numItems = 1;
    list_.entryIdList = &id_;
  }
  TQEntryIdList* get() { return &list_; }

 private:
  TQEntryIdType id_{};
  TQEntryIdList list_{};
};

// Calls a release routine when the scope ends, however it ends.
template <typename Release>
class ReleaseGuard {
 public:
  explicit ReleaseGuard(Release release) : release_(std::move(release)) {}
  ~ReleaseGuard() { release_(); }
  ReleaseGuard(const ReleaseGuard&) = delete;
  ReleaseGuard& operator=(const ReleaseGuard&) = delete;

 private:
  Release release_;
};

constexpr size_t kMaxLanguageChars = 15;

}  // namespace

ActionSession::ActionSession(TqApi& api, LogWriter& log) : api_(api), log_(log) {}

ActionSession::~ActionSession() {
  try {
    logOff();
  } catch (const TqAccessException&) {
    // The executor logs off itself and reports failures; this is the last resort.
  }
}

void ActionSession::checkStatus(uint32_t returnCode) {
  std::string text;
  if (returnCode <= TQ_RETURN_FATAL) text = formatStatusList(status_);
  api_.freeStatusList(&status_);
  status_ = TQStatusList{};
  if (returnCode <= TQ_RETURN_WARNING) {
    if (!text.empty()) log_ << text << "\n";
    return;
  }
  if (returnCode <= TQ_RETURN_FATAL) throw TqAccessException(text);
  if (returnCode == TQ_RETURN_BAD_STATUS) {
    throw TqAccessException("Internal error - invalid status address");
  }
  throw TqAccessException("Internal error - incorrect return code value: " +
                          std::to_string(returnCode));
}

void ActionSession::logOn(const std::string& server, const std::string& user,
                          const std::string& password, const std::string& language) {
  logOff();
  control_.cacheId = 0;
  copyCut(control_.user, user, TQ_MAX_ACCESS_NAME_SIZE);
  copyCut(control_.password, password, TQ_MAX_PASSWORD_SIZE);
  copyCut(control_.language, language, kMaxLanguageChars);
  copyCut(control_.server, server, TQ_MAX_SERVER_SIZE);
  checkStatus(api_.initialization(&control_, &status_));
  connected_ = true;
}

void ActionSession::logOff() {
  if (!connected_) return;
  connected_ = false;
  checkStatus(api_.termination(&control_, &status_));
}

void ActionSession::addField(const std::string& id, const std::string& type,
                             const std::string& value) {
  fields_.emplace_back(id, type, value);
}

void ActionSession::addLogField(const std::string& id, const std::string& type,
                                const std::string& value) {
  logFields_.emplace_back(id, type, value);
}

void ActionSession::setLogForm(const std::string& form, long maxLength) {
  logForm_ = form;
  logMaxLength_ = maxLength;
}

std::string ActionSession::create(const std::string& form) {
  TQEntryIdType entryId{};
  uint32_t rc;
  {
    FieldValueListBuffer values(fields_);
    rc = api_.createEntry(&control_, form.c_str(), values.get(), entryId, &status_);
  }
  checkStatus(rc);
  return std::string(entryId, strnlen(entryId, TQ_MAX_ENTRYID_SIZE));
}

void ActionSession::modify(const std::string& form, const std::string& entryId) {
  SingleEntryIdList ids(entryId);
  uint32_t rc;
  {
    FieldValueListBuffer values(fields_);
    rc = api_.setEntry(&control_, form.c_str(), ids.get(), values.get(), 0, 0, &status_);
  }
  checkStatus(rc);
}

void ActionSession::remove(const std::string& form, const std::string& entryId) {
  SingleEntryIdList ids(entryId);
  checkStatus(api_.deleteEntry(&control_, form.c_str(), ids.get(), 0, &status_));
}

void ActionSession::read(const std::string& form, const std::string& entryId) {
  SingleEntryIdList ids(entryId);
  InternalIdListBuffer wanted(fields_);
  TQFieldValueList values{};
  uint32_t rc;
  {
    ReleaseGuard release([&] { api_.freeFieldValueList(&values); });
    rc = api_.getEntry(&control_, form.c_str(), ids.get(), fields_.empty() ? nullptr : wanted.get(),
                       &values, &status_);
    if (rc <= TQ_RETURN_WARNING) fillResults(values);
  }
  checkStatus(rc);
}

void ActionSession::fillResults(const TQFieldValueList& values) {
  results_.clear();
  for (uint32_t i = 0; values.fieldValueList && i < values.numItems; ++i) {
    const TQFieldValueStruct& item = values.fieldValueList[i];
    results_.push_back(ResultLine{item.fieldId, valueText(item.value), std::string()});
  }
  // For a read, a FieldSpec's value is the label to print for its field.
  for (const FieldSpec& spec : fields_) {
    if (spec.value().empty()) continue;
    for (ResultLine& line : results_) {
      if (line.fieldId == spec.fieldId()) {
        line.label = spec.value();
        break;
      }
    }
  }
}

void ActionSession::search(const std::string& form, const std::string& qualification) {
  const std::string text = trim(qualification);
  results_.clear();
  TQQualifierStruct qualifier{};
  bool loaded = false;
  ReleaseGuard releaseQualifier([&] {
    if (loaded) api_.freeQualifier(&qualifier);
  });
  if (!text.empty()) {
    loaded = true;
    checkStatus(
        api_.loadQualifier(&control_, form.c_str(), nullptr, text.c_str(), &qualifier, &status_));
  }

  TQEntryListFieldStruct idColumn{};
  idColumn.fieldId = 1;
  idColumn.columnWidth = 16;
  TQEntryListFieldList columns{1, &idColumn};
  TQEntryListList entries{};
  uint32_t numMatches = 0;
  uint32_t rc;
  {
    ReleaseGuard releaseEntries([&] { api_.freeEntryListList(&entries); });
    rc = api_.getListEntry(&control_, form.c_str(), loaded ? &qualifier : nullptr, &columns,
                           nullptr, 0, &entries, &numMatches, &status_);
    if (rc <= TQ_RETURN_WARNING) {
      for (uint32_t i = 0; entries.entryList && i < entries.numItems; ++i) {
        const TQEntryIdList& id = entries.entryList[i].entryId;
        if (!id.entryIdList || id.numItems == 0) continue;
        const char* first = id.entryIdList[0];
        results_.push_back(
            ResultLine{1, std::string(first, strnlen(first, TQ_MAX_ENTRYID_SIZE)), std::string()});
      }
    }
  }
  checkStatus(rc);
}

void ActionSession::writeErrorLog(const std::string& message) {
  if (logForm_.empty() || logFields_.empty()) return;
  std::string text = message;
  if (logMaxLength_ > 0) {
    text.resize(static_cast<size_t>(logMaxLength_), ' ');
    text = trim(text);
  }
  TQEntryIdType entryId{};
  uint32_t rc;
  {
    FieldValueListBuffer values(logFields_, &text);
    rc = api_.createEntry(&control_, logForm_.c_str(), values.get(), entryId, &status_);
  }
  checkStatus(rc);
}

}  // namespace tixgrab
