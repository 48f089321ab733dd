// Command-line parsing of tqserverd. Every switch takes the forms
// "--name value" and "--name=value"; flags take no value.
#include "options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace tqsd {
namespace {

constexpr uint32_t kMaxPort = 65535;

bool parseUnsigned(std::string_view text, uint64_t max, uint64_t* out) {
  if (text.empty() || text.size() > 20) return false;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    uint64_t digit = static_cast<uint64_t>(c - '0');
    if (digit > max || value > (max - digit) / 10) return false;
    value = value * 10 + digit;
  }
  *out = value;
  return true;
}

bool parseU32(std::string_view text, uint32_t max, uint32_t* out) {
  uint64_t value = 0;
  if (!parseUnsigned(text, max, &value)) return false;
  *out = static_cast<uint32_t>(value);
  return true;
}

bool parseSeconds(std::string_view text, double* out) {
  if (text.empty()) return false;
  std::string copy(text);
  char* end = nullptr;
  errno = 0;
  double value = std::strtod(copy.c_str(), &end);
  if (errno != 0 || end != copy.c_str() + copy.size() || !std::isfinite(value) || value < 0 ||
      value > 86400.0 * 365) {
    return false;
  }
  *out = value;
  return true;
}

// Splits "left<sep>right" at the first separator.
bool splitAt(std::string_view text, char sep, std::string_view* left, std::string_view* right) {
  size_t at = text.find(sep);
  if (at == std::string_view::npos) return false;
  *left = text.substr(0, at);
  *right = text.substr(at + 1);
  return true;
}

bool parseDelay(std::string_view text, Delay* delay) {
  std::string_view proc, seconds;
  if (!splitAt(text, ':', &proc, &seconds)) return false;
  if (proc.starts_with("dir.")) {
    delay->directory = true;
    proc.remove_prefix(4);
  }
  return parseU32(proc, UINT32_MAX, &delay->procedure) && parseSeconds(seconds, &delay->seconds);
}

bool parseDropList(std::string_view text, std::set<uint64_t>* calls) {
  while (true) {
    size_t comma = text.find(',');
    uint64_t n = 0;
    if (!parseUnsigned(text.substr(0, comma), UINT64_MAX, &n) || n == 0) return false;
    calls->insert(n);
    if (comma == std::string_view::npos) return true;
    text.remove_prefix(comma + 1);
  }
}

// Applies one switch with its value (nullptr for flags). Returns false with
// the reason in *error.
bool apply(std::string_view name, const char* value, Options* o, std::string* error) {
  auto bad = [&](const char* what) {
    *error =
        "bad value for --" + std::string(name) + ": " + (value ? value : "") + " (" + what + ")";
    return false;
  };
  std::string_view v = value ? value : "";
  if (name == "port") {
    if (!parseU32(v, kMaxPort, &o->port)) return bad("0 to 65535");
  } else if (name == "max-version") {
    if (!parseU32(v, 6, &o->maxVersion) || o->maxVersion < 2) return bad("2 to 6");
  } else if (name == "charset") {
    if (v == "none") {
      o->charset.reset();
    } else if (v.empty() || v.size() > 32) {
      return bad("1 to 32 characters, or none");
    } else {
      o->charset = std::string(v);
    }
  } else if (name == "server-info") {
    std::string_view code, text;
    uint32_t n = 0;
    if (!splitAt(v, '=', &code, &text) || !parseU32(code, UINT32_MAX, &n) || n == 0) {
      return bad("CODE=TEXT");
    }
    o->serverInfo[n] = std::string(text);
  } else if (name == "password-mode") {
    if (v == "scramble") {
      o->passwordMode = PasswordMode::kScramble;
    } else if (v == "clear") {
      o->passwordMode = PasswordMode::kClear;
    } else {
      return bad("scramble or clear");
    }
  } else if (name == "users") {
    if (v.empty()) return bad("a file name");
    o->usersFile = std::string(v);
  } else if (name == "groups") {
    if (v.empty()) return bad("a file name");
    o->groupsFile = std::string(v);
  } else if (name == "menu-dir") {
    if (v.empty()) return bad("a folder name");
    o->menuFolder = std::string(v);
  } else if (name == "allow-process") {
    if (v.empty() || v[0] != '/') return bad("the absolute path of a program");
    o->allowedProgram = std::string(v);
  } else if (name == "forms") {
    if (v.empty()) return bad("a file name");
    o->formsFile = std::string(v);
  } else if (name == "data") {
    if (v.empty()) return bad("a file name");
    o->dataFile = std::string(v);
  } else if (name == "idle-timeout") {
    if (!parseSeconds(v, &o->idleTimeout)) return bad("seconds, 0 for no limit");
  } else if (name == "max-connections") {
    if (!parseU32(v, 1000000, &o->maxConnections) || o->maxConnections == 0) {
      return bad("1 to 1000000");
    }
  } else if (name == "max-record") {
    if (!parseU32(v, 0x7FFFFFFF, &o->maxRecord) || o->maxRecord < 1024) {
      return bad("1024 to 2147483647 bytes");
    }
  } else if (name == "delay") {
    Delay delay;
    if (!parseDelay(v, &delay)) return bad("[dir.]PROCEDURE:SECONDS");
    o->delays.push_back(delay);
  } else if (name == "drop-call") {
    if (!parseDropList(v, &o->dropCalls)) return bad("N[,N...], counting from 1");
  } else if (name == "directory") {
    if (v == "off") {
      o->directory = DirectoryMode::kOff;
    } else if (v == "v1") {
      o->directory = DirectoryMode::kV1;
    } else if (v == "v2") {
      o->directory = DirectoryMode::kV2;
    } else {
      return bad("off, v1 or v2");
    }
  } else if (name == "general-program") {
    if (!parseU32(v, UINT32_MAX, &o->generalProgram)) return bad("a program number");
  } else if (name == "query-program") {
    if (!parseU32(v, UINT32_MAX, &o->queryProgram)) return bad("a program number");
  } else if (name == "directory-port") {
    uint32_t port = 0;
    if (!parseU32(v, kMaxPort, &port)) return bad("0 to 65535");
    o->directoryPort = port;
  } else if (name == "advice-flag") {
    if (v == "0" || v == "1") {
      o->adviceFlag = static_cast<uint8_t>(v[0] - '0');
    } else {
      return bad("0 or 1");
    }
  } else if (name == "cache-id") {
    uint32_t id = 0;
    if (!parseU32(v, INT32_MAX, &id)) return bad("0 to 2147483647");
    o->cacheId = static_cast<int32_t>(id);
  } else if (name == "exit-after") {
    if (!parseSeconds(v, &o->exitAfter)) return bad("seconds, 0 for no limit");
  } else if (name == "stats-file") {
    if (v.empty()) return bad("a file name");
    o->statsFile = std::string(v);
  } else if (name == "set") {
    std::string_view key, text;
    if (!splitAt(v, '=', &key, &text) || key.empty()) return bad("NAME=VALUE");
    o->settings[std::string(key)] = std::string(text);
  } else {
    *error = "unknown switch --" + std::string(name);
    return false;
  }
  return true;
}

bool isFlag(std::string_view name) {
  return name == "portmap" || name == "udp" || name == "no-parent-watch" || name == "help";
}

}  // namespace

std::optional<Options> parseOptions(int argc, char** argv, std::string* error, bool* help) {
  Options options;
  *help = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (!arg.starts_with("--") || arg.size() == 2) {
      *error = "unexpected argument: " + std::string(arg);
      return std::nullopt;
    }
    arg.remove_prefix(2);
    std::string name(arg.substr(0, arg.find('=')));
    const char* value = nullptr;
    if (arg.find('=') != std::string_view::npos) value = argv[i] + 2 + name.size() + 1;
    if (isFlag(name)) {
      if (value != nullptr) {
        *error = "--" + name + " takes no value";
        return std::nullopt;
      }
      if (name == "portmap") options.portmap = true;
      if (name == "udp") options.udp = true;
      if (name == "no-parent-watch") options.parentWatch = false;
      if (name == "help") *help = true;
      continue;
    }
    if (value == nullptr) {
      if (i + 1 >= argc) {
        *error = "--" + name + " needs a value";
        return std::nullopt;
      }
      value = argv[++i];
    }
    if (!apply(name, value, &options, error)) return std::nullopt;
  }
  return options;
}

const char* usageText() {
  return R"(usage: tqserverd [switches]
  --port N                 TCP port on 127.0.0.1; 0 (default) picks a free one. The first
                           line of standard output is "listening on port N".
  --portmap                also register the programs with the port mapper
  --udp                    also serve UDP on the same port number
  --max-version V          highest protocol version served, 2 to 6 (default 6)
  --charset TEXT|none      character set answered for server-info code 55
                           (default en_US.UTF-8); none: code 55 is unknown (error 123)
  --server-info CODE=TEXT  a further character value of server information (repeatable)
  --password-mode scramble|clear   how call-header passwords arrive (default scramble)
  --users FILE             users, one "name password" per line; user Demo with an
                           empty password exists unless the file names it
  --groups FILE            groups, one "NAME ID TYPE [USER...]" per line (TYPE 1 view,
                           2 change); group 1 (Administrator) holds Demo unless the
                           file names it. Members of group 1 are administrators, of
                           group 2 sub-administrators, of group 3 customizers
  --menu-dir FOLDER        the folder of the menu files that file menus name (none:
                           every menu file is unknown)
  --allow-process PROGRAM  run this one program (absolute path) for process requests,
                           without a shell; every other request is refused
  --forms FILE             the forms (schemas) and fields served, read from a seed file
                           (examples/demo-forms.txt); without it (and --data) no form exists
  --data FILE              keep the store (forms, entries, ...) in this SQLite file, made
                           when missing, so that a restarted server has all it had;
                           without it the store lives in memory. With --forms, the
                           seed file adds only the forms the store lacks
  --idle-timeout SECONDS   close a connection that for this long neither completed a
                           call nor took any of its answer (default 300; 0: never)
  --max-connections N      connections served at once (default 1000, never more than
                           the descriptor limit allows); further ones are closed
  --max-record BYTES       longest call record taken (default 16777216); a connection
                           that announces a longer one is closed
  --delay [dir.]PROC:SECONDS       wait before answering that procedure (repeatable)
  --drop-call N[,N...]     hang up instead of answering the Nth call of the server
                           program, counted from 1 over all connections (repeatable)
  --directory off|v1|v2    queue directory 390604: not served, version 1 only, or
                           versions 1 and 2 (default v2)
  --general-program P      program the directory names for procedures 1 and 3 (390600)
  --query-program P        program the directory names for procedure 2 (390600)
  --directory-port N       port the directory names (default: the listening port)
  --advice-flag 0|1        connection-advice flag of every result header (default 0)
  --cache-id N             cache id of every result header (default 1)
  --exit-after SECONDS     end after this long (default 600; 0: never)
  --no-parent-watch        keep running when the parent process ends
  --stats-file FILE        rewritten on every call: "program version procedure count"
  --set NAME=VALUE         a setting read by a family of handlers (repeatable)
  --help                   this text
)";
}

}  // namespace tqsd
