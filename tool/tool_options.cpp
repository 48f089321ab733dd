#include "tool_options.h"

namespace tixgrab {

// The order of registration is the order of matching and of the usage text.
ToolOptions::ToolOptions()
    : parser_(false),
      help_(parser_.addFlag("h", "Help, writes out this short user guide.")),
      quiet_(parser_.addFlag("q", "Quiet, do not write messages to the console.")),
      time_(parser_.addFlag("t", "Time, prefix each log line with a timestamp.")),
      logFile_(parser_.addValue("n", "logfile",
                                "All messages to the console will also be written here.")),
      xmlFile_(parser_.addValue("x", "xmlfile", "Read actions to perform from this XML file.")),
      placeholders_(parser_.addKeyValue("v", "p", "value",
                                        "Replace placeholder [p] with 'value' in the XML file.")),
      parameters_(
          parser_.addParameters("parameters", "Specify parameters for actions to perform here.")) {}

bool ToolOptions::parse(const std::string& commandLine, std::string& message) {
  return parser_.parse(commandLine, message);
}

}  // namespace tixgrab
