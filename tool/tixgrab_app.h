// The run of the program, from the command line to the exit code.
#pragma once

#include <cstdio>
#include <string>

#include "log_writer.h"
#include "tq_api.h"

namespace tixgrab {

inline constexpr const char* kBanner = "Tixgrab V1.1 compiled at Jun 25 2002 10:46:14\n";

// Parses the options, configures log, reads and validates the script and
// runs it. Returns the exit code, 0 or 1. Only the "Error: illegal options: "
// line goes to errorStream.
int runTixgrab(const std::string& commandLine, LogWriter& log, TqApi& api,
               std::FILE* errorStream = stderr);

}  // namespace tixgrab
