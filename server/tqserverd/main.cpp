// tqserverd: the reference server. It speaks the protocol of program 390600
// (and the query programs and the queue directory) on 127.0.0.1 with the
// same records and wire routines as the client library, so the library and
// the tools can be tested end to end on one machine.
#include <cstdio>
#include <string>

#include "account_store.h"
#include "form_store.h"
#include "handler_table.h"
#include "server_context.h"
#include "share/apisrv/call_context.h"
#include "store.h"
#include "transport.h"

namespace tqsd {
namespace {

ServerContext* current = nullptr;

}  // namespace

ServerContext& serverContext() {
  return *current;
}
void setServerContext(ServerContext* context) {
  current = context;
}

}  // namespace tqsd

int main(int argc, char** argv) {
  using namespace tqsd;
  std::string error;
  bool help = false;
  std::optional<Options> options = parseOptions(argc, argv, &error, &help);
  if (!options) {
    std::fprintf(stderr, "tqserverd: %s\n%s", error.c_str(), usageText());
    return 2;
  }
  if (help) {
    std::fputs(usageText(), stdout);
    return 0;
  }
  if (!checkHandlers(&error)) {
    std::fprintf(stderr, "tqserverd: %s\n", error.c_str());
    return 1;
  }

  // The wire routines convert texts between the call context's client and
  // server character sets; with both equal the server passes every text
  // through as it arrives. The store encodes definitions with them too.
  static TQCallContext wireContext;
  wireContext.clientCodePage = 0;
  wireContext.serverCodePage = 0;
  tqSetCurrentCallContext(&wireContext);

  ServerContext server{*options, UserTable(), GroupTable(), CallStats(options->statsFile),
                       ServerInfoTable()};
  if (!options->usersFile.empty() && !server.users.load(options->usersFile, &error)) {
    std::fprintf(stderr, "tqserverd: %s\n", error.c_str());
    return 1;
  }
  if (!options->groupsFile.empty() && !server.groups.load(options->groupsFile, &error)) {
    std::fprintf(stderr, "tqserverd: %s\n", error.c_str());
    return 1;
  }
  if (!store().open(options->dataFile, &error) || !loadForms(options->formsFile, &error) ||
      !syncAccounts(&server.users, &server.groups, &error)) {
    std::fprintf(stderr, "tqserverd: %s\n", error.c_str());
    return 1;
  }
  setServerContext(&server);

  installSignalHandlers(options->parentWatch);
  if (!openTransport(server, &error)) {
    std::fprintf(stderr, "tqserverd: %s\n", error.c_str());
    closeTransport(server);
    return 1;
  }
  server.stats.write();
  std::printf("listening on port %u\n", server.port);
  std::fflush(stdout);

  runLoop(server);
  closeTransport(server);
  tqSetCurrentCallContext(nullptr);
  return 0;
}
