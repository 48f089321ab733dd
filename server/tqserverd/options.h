// The command-line switches of tqserverd and what they select.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tqsd {

enum class PasswordMode { kScramble, kClear };

// How the queue directory (program 390604) is served.
enum class DirectoryMode {
  kOff,  // not registered: calls get "program unavailable"
  kV1,   // only version 1: version-2 calls get a version mismatch (1 to 1)
  kV2,   // versions 1 and 2
};

struct Delay {
  bool directory = false;  // a procedure of the queue directory
  uint32_t procedure = 0;
  double seconds = 0;
};

struct Options {
  uint32_t port = 0;  // 0: the system picks one
  bool portmap = false;
  bool udp = false;
  uint32_t maxVersion = 6;
  std::optional<std::string> charset = std::string("en_US.UTF-8");  // none: code 55 unknown
  std::map<uint32_t, std::string> serverInfo;  // further character values by code
  PasswordMode passwordMode = PasswordMode::kScramble;
  std::string usersFile;
  std::string groupsFile;      // the groups and their members (groups.h)
  std::string menuFolder;      // the folder of the menu files; empty: none
  std::string allowedProgram;  // the one program process requests may run; empty: none
  std::string formsFile;  // the seed file of forms and fields (seed_file.h)
  std::string dataFile;   // the store's file; empty: the store lives in memory
  double idleTimeout = 300;         // seconds a connection may go without progress; 0: no limit
  uint32_t maxConnections = 1000;   // connections served at once (cut to the descriptor limit)
  uint32_t maxRecord = 16u << 20;   // bytes of one call record
  std::vector<Delay> delays;
  std::set<uint64_t> dropCalls;  // numbers of server-program calls answered by a hang-up
  DirectoryMode directory = DirectoryMode::kV2;
  uint32_t generalProgram = 390600;       // directory answers of procedures 1 and 3
  uint32_t queryProgram = 390600;         // directory answer of procedure 2
  std::optional<uint32_t> directoryPort;  // port the directory names; default: our own
  uint8_t adviceFlag = 0;
  int32_t cacheId = 1;
  double exitAfter = 600;  // seconds of life; 0: no limit
  bool parentWatch = true;
  std::string statsFile;
  std::map<std::string, std::string> settings;  // --set NAME=VALUE, read by handler families
};

// Parses argv. On failure returns nothing and puts the reason into *error;
// with --help sets *help and returns the defaults.
std::optional<Options> parseOptions(int argc, char** argv, std::string* error, bool* help);

// The usage text printed by --help and after a bad switch.
const char* usageText();

}  // namespace tqsd
