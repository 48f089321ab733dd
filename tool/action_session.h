// One session with a server for the run of a script: the control record, the
// field list of the action being run, the error-log definition and the
// results of the last read or search. Every library call's status is checked
// here: notes and warnings are logged, errors raise TqAccessException.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "field_spec.h"
#include "log_writer.h"
#include "tq_api.h"
#include "tqlink.h"

namespace tixgrab {

struct ResultLine {
  uint32_t fieldId = 0;
  std::string value;
  std::string label;
};

class ActionSession {
 public:
  ActionSession(TqApi& api, LogWriter& log);
  // Logs off when still connected; a failure there is not reported.
  ~ActionSession();
  ActionSession(const ActionSession&) = delete;
  ActionSession& operator=(const ActionSession&) = delete;

  void logOn(const std::string& server, const std::string& user, const std::string& password,
             const std::string& language);
  void logOff();
  bool connected() const { return connected_; }

  // Field list of the current action.
  void clearFields() { fields_.clear(); }
  void addField(const std::string& id, const std::string& type, const std::string& value);

  // Error-log definition.
  void addLogField(const std::string& id, const std::string& type, const std::string& value);
  void setLogForm(const std::string& form, long maxLength);

  std::string create(const std::string& form);
  void modify(const std::string& form, const std::string& entryId);
  void remove(const std::string& form, const std::string& entryId);
  void read(const std::string& form, const std::string& entryId);
  void search(const std::string& form, const std::string& qualification);
  // Stores message as a new entry of the log form, if one is defined.
  void writeErrorLog(const std::string& message);

  const std::vector<ResultLine>& results() const { return results_; }
  const TQControlStruct& control() const { return control_; }

 private:
  void checkStatus(uint32_t returnCode);
  void fillResults(const TQFieldValueList& values);

  TqApi& api_;
  LogWriter& log_;
  TQControlStruct control_{};
  TQStatusList status_{};
  bool connected_ = false;
  std::vector<FieldSpec> fields_;
  std::string logForm_;
  long logMaxLength_ = 0;
  std::vector<FieldSpec> logFields_;
  std::vector<ResultLine> results_;
};

}  // namespace tixgrab
