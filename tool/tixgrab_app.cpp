#include "tixgrab_app.h"

#include <ctime>

#include "action_executor.h"
#include "script_element.h"
#include "script_parameters.h"
#include "script_schema.h"
#include "script_validator.h"
#include "script_vocabulary.h"
#include "timestamp.h"
#include "tool_exceptions.h"
#include "tool_options.h"
#include "xml_file_reader.h"

namespace tixgrab {

namespace {

// Reads the XML file into document; a reader error is logged and the run
// goes on with what was built before it.
void readScriptFile(const ToolOptions& options, ScriptElement& document, LogWriter& log) {
  // The reader's default settings are the tool's: literals without regard to
  // case, checking on, quotes optional, comments and empty keywords kept,
  // text lines trimmed.
  XmlFileReader reader(options.xmlFile());
  registerScriptSchema(reader);
  for (const auto& [name, value] : options.placeholders())
    reader.addPlaceholder(name, value);
  try {
    reader.read(document);
  } catch (const XmlAccessException& e) {
    log << e.what() << "\n";
  }
}

}  // namespace

int runTixgrab(const std::string& commandLine, LogWriter& log, TqApi& api, std::FILE* errorStream) {
  ToolOptions options;
  std::string message;
  if (!options.parse(commandLine, message)) {
    std::fprintf(errorStream, "Error: illegal options: %s\n", message.c_str());
    return 1;
  }
  log.setTimestamp(options.time());
  log.setConsole(!options.quiet());
  if (!options.logFile().empty()) log.setLogFile(options.logFile());

  log << kBanner;
  const bool nothingToDo = options.xmlFile().empty() && options.parameters().empty();
  if (options.help() || nothingToDo) log << options.usage();
  if (nothingToDo) return 0;

  log << "Tixgrab starting at " << formatLogTimestamp(std::time(nullptr)) << "\n";

  ScriptElement document;
  if (!options.xmlFile().empty()) readScriptFile(options, document, log);
  ScriptElement& tixgrab = document.findOrCreateChild(std::string(kTixgrabTag));

  if (!parseScriptParameters(tixgrab, options.parameters(), log)) return 1;
  if (!validateScript(tixgrab, log)) return 1;
  return ActionExecutor(api, log).run(tixgrab) ? 0 : 1;
}

}  // namespace tixgrab
