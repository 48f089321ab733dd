// Runs a validated script: the child elements of TIXGRAB are executed in
// document order through one ActionSession; the first error ends the run, is
// logged, and is stored in the error-log form when one was defined.
#pragma once

#include "action_session.h"
#include "log_writer.h"
#include "script_element.h"
#include "tq_api.h"

namespace tixgrab {

class ActionExecutor {
 public:
  ActionExecutor(TqApi& api, LogWriter& log) : api_(api), log_(log) {}

  // True when every action succeeded (warnings allowed).
  bool run(const ScriptElement& tixgrab);

 private:
  void runAction(ActionSession& session, const ScriptElement& action);
  void runTq(ActionSession& session, const ScriptElement& action);
  void runAdd(ActionSession& session, const ScriptElement& action);
  void runDel(ActionSession& session, const ScriptElement& action);
  void runFind(ActionSession& session, const ScriptElement& action);
  void runGet(ActionSession& session, const ScriptElement& action);
  void runLog(ActionSession& session, const ScriptElement& action);
  void runSet(ActionSession& session, const ScriptElement& action);

  TqApi& api_;
  LogWriter& log_;
};

}  // namespace tixgrab
