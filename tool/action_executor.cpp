#include "action_executor.h"

#include <string>

#include "script_vocabulary.h"
#include "text_util.h"
#include "tool_exceptions.h"

namespace tixgrab {

namespace {

template <typename Visit>
void forEachField(const ScriptElement& action, Visit visit) {
  for (const auto& child : action.children()) {
    if (child->kind() == ScriptElement::kElement && equalsNoCase(child->name(), kFieldTag)) {
      visit(*child);
    }
  }
}

// Adds the FIELD children of an ADD, SET or LOG action (id, type, value).
template <typename Add>
void addValueFields(const ScriptElement& action, Add add) {
  forEachField(action, [&](const ScriptElement& field) {
    add(field.keywordValue("ID"), field.keywordValue("TYPE"), field.text());
  });
}

}  // namespace

bool ActionExecutor::run(const ScriptElement& tixgrab) {
  ActionSession session(api_, log_);
  std::string errorText;
  bool failed = false;
  try {
    for (const auto& child : tixgrab.children()) {
      if (child->kind() == ScriptElement::kElement) runAction(session, *child);
    }
  } catch (const TqAccessException& e) {
    errorText = e.what();
    failed = true;
  }
  if (failed) {
    log_ << "Error: " << errorText << "\n";
    try {
      session.writeErrorLog(errorText);
    } catch (const TqAccessException& e) {
      log_ << "Error: " << e.what() << "\n";
    }
  }
  // An error while logging off is reported like any other, so that a run
  // whose session did not end cleanly does not count as a success.
  try {
    session.logOff();
  } catch (const TqAccessException& e) {
    log_ << "Error: " << e.what() << "\n";
    failed = true;
  }
  return !failed;
}

void ActionExecutor::runAction(ActionSession& session, const ScriptElement& action) {
  const std::string& name = action.name();
  if (equalsNoCase(name, "TQ")) {
    runTq(session, action);
  } else if (equalsNoCase(name, "ADD")) {
    runAdd(session, action);
  } else if (equalsNoCase(name, "DEL")) {
    runDel(session, action);
  } else if (equalsNoCase(name, "FIND")) {
    runFind(session, action);
  } else if (equalsNoCase(name, "GET")) {
    runGet(session, action);
  } else if (equalsNoCase(name, "LOG")) {
    runLog(session, action);
  } else if (equalsNoCase(name, "SET")) {
    runSet(session, action);
  }
}

void ActionExecutor::runTq(ActionSession& session, const ScriptElement& action) {
  session.logOn(action.keywordValue("SYSTEM"), action.keywordValue("USER"),
                action.keywordValue("PSW"), action.keywordValue("LANG"));
  session.clearFields();
}

void ActionExecutor::runAdd(ActionSession& session, const ScriptElement& action) {
  session.clearFields();
  addValueFields(action, [&](const std::string& id, const std::string& type,
                             const std::string& value) { session.addField(id, type, value); });
  const std::string entryId = session.create(action.keywordValue("FORM"));
  const std::string label = action.keywordValue("LABEL");
  if (!label.empty()) log_ << label << " " << entryId << "\n";
  session.clearFields();
}

void ActionExecutor::runDel(ActionSession& session, const ScriptElement& action) {
  session.remove(action.keywordValue("FORM"), action.keywordValue("ENTRY"));
  session.clearFields();
}

void ActionExecutor::runFind(ActionSession& session, const ScriptElement& action) {
  session.search(action.keywordValue("FORM"), action.keywordValue("QUAL"));
  const std::string label = action.keywordValue("LABEL");
  for (const ResultLine& line : session.results())
    log_ << label << " " << line.value << "\n";
  session.clearFields();
}

void ActionExecutor::runGet(ActionSession& session, const ScriptElement& action) {
  const std::string head = action.keywordValue("HEAD");
  if (!head.empty()) log_ << head << "\n";
  forEachField(action, [&](const ScriptElement& field) {
    session.addField(field.keywordValue("ID"), "CHAR", field.keywordValue("LABEL"));
  });
  session.read(action.keywordValue("FORM"), action.keywordValue("ENTRY"));
  for (const ResultLine& line : session.results()) {
    const std::string label =
        line.label.empty() ? "FIELD_" + std::to_string(line.fieldId) : line.label;
    log_ << label << " " << line.value << "\n";
  }
  session.clearFields();
}

void ActionExecutor::runLog(ActionSession& session, const ScriptElement& action) {
  addValueFields(action, [&](const std::string& id, const std::string& type,
                             const std::string& value) { session.addLogField(id, type, value); });
  session.setLogForm(action.keywordValue("FORM"), toLong(action.keywordValue("MAX")));
  session.clearFields();
}

void ActionExecutor::runSet(ActionSession& session, const ScriptElement& action) {
  session.clearFields();
  addValueFields(action, [&](const std::string& id, const std::string& type,
                             const std::string& value) { session.addField(id, type, value); });
  session.modify(action.keywordValue("FORM"), action.keywordValue("ENTRY"));
  session.clearFields();
}

}  // namespace tixgrab
