// Tixgrab: carries out an XML action script against one server.
#include <cstdio>
#include <exception>

#include "command_tokens.h"
#include "log_writer.h"
#include "tixgrab_app.h"
#include "tq_api.h"

int main(int argc, char** argv) {
  using namespace tixgrab;
  LogWriter& log = toolLog();
  int exitCode = 1;
  try {
    const std::string commandLine = joinCommandLine(argc, argv, {"-n", "-x"});
    std::unique_ptr<TqApi> api = createLibraryApi();
    exitCode = runTixgrab(commandLine, log, *api);
  } catch (const std::exception& e) {
    // Nothing else is expected here; report it rather than abort.
    log << "Error: " << e.what() << "\n";
    exitCode = 1;
  }
  log.finish();
  return exitCode;
}
