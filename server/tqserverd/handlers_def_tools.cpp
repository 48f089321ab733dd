// The server's tools behind the definitions: 59 TQGetListSQL (read-only SQL
// on the forms' entry tables), 61 TQExecuteProcess (one allowed program),
// 45 the text of a menu file (--menu-dir) and 55 the query of a character
// menu (items from the entries of a form that match its qualification).
//
// SQL runs on the store's own connection with an authorizer that admits a
// single SELECT reading the entry tables (entries, entry_values,
// diary_items, status_history) and nothing else: no definition, user or
// form table, no pragma, no attached database, no write. It stops after
// kSqlMaxRows rows or kSqlSeconds seconds, and makes no text longer than
// kSqlMaxLength. A command of the form "+" + 30
// characters + SQL carries the caller's password scrambled with the byte
// sum of the SQL as key (30 blanks for an empty password); the password
// must match.
//
// A process request names the allowed program (--allow-process) as its
// first word; the other words are its arguments. It runs without a shell,
// with its output (standard output and error) cut to kProcessMaxOutput
// bytes and its life to kProcessSeconds seconds. Without the switch every
// request is refused.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "def_common.h"
#include "entry_store.h"
#include "entry_values.h"
#include "form_store.h"
#include "handler_families.h"
#include "list_search.h"
#include "share/apisrv/error.h"
#include "share/apisrv/scramble.h"
#include "store.h"

namespace tqsd {
namespace {

constexpr uint32_t kSqlMaxRows = 10000;
constexpr double kSqlSeconds = 5;
constexpr int kSqlMaxLength = 1 << 20;  // bytes of one text or blob a query makes
constexpr size_t kProcessMaxOutput = 64 * 1024;
constexpr int kProcessSeconds = 10;
constexpr size_t kMenuFileMax = 1 << 20;
constexpr int32_t kMsgBadPassword = 329;

// ---------------------------------------------------------------------- SQL

constexpr const char* kReadableTables[] = {"entries", "entry_values", "diary_items",
                                           "status_history"};

int sqlAuthorizer(void*, int action, const char* table, const char*, const char*, const char*) {
  switch (action) {
    case SQLITE_SELECT:
    case SQLITE_FUNCTION:
      return SQLITE_OK;
    case SQLITE_READ:
      for (const char* allowed : kReadableTables) {
        if (table != nullptr && std::strcmp(table, allowed) == 0) return SQLITE_OK;
      }
      return SQLITE_DENY;
    default:
      return SQLITE_DENY;
  }
}

struct Deadline {
  std::chrono::steady_clock::time_point end;
};

int sqlProgress(void* deadline) {
  return std::chrono::steady_clock::now() > static_cast<Deadline*>(deadline)->end ? 1 : 0;
}

// The SQL of a command, checking the scrambled password of a "+" prefix.
std::optional<std::string> sqlOf(Call& call, const std::string& command) {
  if (command.size() < 31 || command[0] != '+') return command;
  const std::string sql = command.substr(31);
  const std::string scrambled = command.substr(1, 30);
  const std::string clear = call.server.users.password(callerOf(call)).value_or("");
  bool matches = false;
  if (scrambled.find_first_not_of(' ') == std::string::npos) {
    matches = clear.empty();
  } else {
    uint32_t key = 0;
    for (unsigned char c : sql)
      key += c;
    matches = tqScrambledPasswordMatches(key, scrambled.c_str(), clear.c_str());
  }
  if (matches) return sql;
  addStatus(call, TQ_MSG_ERROR, kMsgBadPassword);
  return std::nullopt;
}

bool columnValue(sqlite3_stmt* statement, int column, TQValueStruct* value) {
  switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER: {
      const sqlite3_int64 n = sqlite3_column_int64(statement, column);
      if (n >= INT32_MIN && n <= INT32_MAX) {
        value->dataType = TQ_DATA_TYPE_INTEGER;
        value->u.intVal = static_cast<int32_t>(n);
        return true;
      }
      value->dataType = TQ_DATA_TYPE_DECIMAL;
      value->u.decimalVal = strdup(std::to_string(n).c_str());
      return value->u.decimalVal != nullptr;
    }
    case SQLITE_FLOAT:
      value->dataType = TQ_DATA_TYPE_REAL;
      value->u.realVal = sqlite3_column_double(statement, column);
      return true;
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
      const char* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
      const int size = sqlite3_column_bytes(statement, column);
      std::string text(bytes == nullptr ? "" : bytes, bytes == nullptr ? 0 : size);
      text = text.substr(0, text.find('\0'));
      value->dataType = TQ_DATA_TYPE_CHAR;
      value->u.charVal = strdup(text.c_str());
      return value->u.charVal != nullptr;
    }
    default:
      value->dataType = TQ_DATA_TYPE_NULL;
      return true;
  }
}

// A prepared read-only statement, finalized however the call ends; while
// it lives no text or blob it makes may grow beyond kSqlMaxLength.
struct Statement {
  sqlite3_stmt* handle = nullptr;
  int lengthLimit = sqlite3_limit(store().handle(), SQLITE_LIMIT_LENGTH, kSqlMaxLength);
  ~Statement() {
    if (handle != nullptr) sqlite3_finalize(handle);
    sqlite3_progress_handler(store().handle(), 0, nullptr, nullptr);
    sqlite3_limit(store().handle(), SQLITE_LIMIT_LENGTH, lengthLimit);
  }
};

void getListSql(Call& call, TQGetListSQLArgs& args, TQGetListSQLResult& result) {
  std::optional<std::string> sql = sqlOf(call, textOf(args.sqlCommand));
  if (!sql) return;
  sqlite3* db = store().handle();
  Statement statement;
  const char* tail = nullptr;
  sqlite3_set_authorizer(db, sqlAuthorizer, nullptr);
  const int prepared =
      sqlite3_prepare_v2(db, sql->c_str(), static_cast<int>(sql->size()), &statement.handle, &tail);
  sqlite3_set_authorizer(db, nullptr, nullptr);
  if (prepared != SQLITE_OK || statement.handle == nullptr) {
    const std::string reason =
        statement.handle == nullptr && prepared == SQLITE_OK ? "no statement" : sqlite3_errmsg(db);
    return addStatus(call, TQ_MSG_ERROR, kMsgSqlRefused, reason.c_str());
  }
  if (tail != nullptr && std::string(tail).find_first_not_of(" \t\r\n;") != std::string::npos) {
    return addStatus(call, TQ_MSG_ERROR, kMsgSqlRefused, "one statement at a time");
  }
  if (!sqlite3_stmt_readonly(statement.handle)) {
    return addStatus(call, TQ_MSG_ERROR, kMsgSqlRefused, "only reading is allowed");
  }
  Deadline deadline{std::chrono::steady_clock::now() +
                    std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                        std::chrono::duration<double>(kSqlSeconds))};
  sqlite3_progress_handler(db, 1000, sqlProgress, &deadline);
  const uint32_t wanted =
      args.maxRetrieve == 0 ? kSqlMaxRows : std::min(args.maxRetrieve, kSqlMaxRows);
  const int columns = sqlite3_column_count(statement.handle);
  std::vector<TQValueList> rows;
  uint32_t matches = 0;
  int step = SQLITE_ROW;
  auto releaseRows = [&] {
    for (TQValueList& row : rows)
      FreeTQValueList(&row, FALSE);
  };
  while (matches < kSqlMaxRows && (step = sqlite3_step(statement.handle)) == SQLITE_ROW) {
    ++matches;
    if (rows.size() >= wanted) {
      if (args.countWanted == 0) break;
      continue;
    }
    TQValueList row{};
    row.valueList =
        static_cast<TQValueStruct*>(std::calloc(columns == 0 ? 1 : columns, sizeof(TQValueStruct)));
    if (row.valueList == nullptr) {
      releaseRows();
      return addStatus(call, TQ_MSG_ERROR, kTQMsgNoMemory);
    }
    for (int c = 0; c < columns; ++c) {
      if (!columnValue(statement.handle, c, &row.valueList[c])) {
        row.numItems = static_cast<uint32_t>(c);
        FreeTQValueList(&row, FALSE);
        releaseRows();
        return addStatus(call, TQ_MSG_ERROR, kTQMsgNoMemory);
      }
      row.numItems = static_cast<uint32_t>(c + 1);
    }
    rows.push_back(row);
  }
  if (step != SQLITE_ROW && step != SQLITE_DONE) {
    releaseRows();
    const std::string reason =
        step == SQLITE_INTERRUPT ? "the time limit was reached" : std::string(sqlite3_errmsg(db));
    return addStatus(call, TQ_MSG_ERROR, kMsgSqlRefused, reason.c_str());
  }
  if (!rows.empty()) {
    result.rows.valueListList =
        static_cast<TQValueList*>(std::calloc(rows.size(), sizeof(TQValueList)));
    if (result.rows.valueListList == nullptr) {
      releaseRows();
      return addStatus(call, TQ_MSG_ERROR, kTQMsgNoMemory);
    }
    std::copy(rows.begin(), rows.end(), result.rows.valueListList);
    result.rows.numItems = static_cast<uint32_t>(rows.size());
  }
  result.numMatches = args.countWanted != 0 ? matches : 0;
}

// ----------------------------------------------------------------- process

std::vector<std::string> wordsOf(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;)
    words.push_back(w);
  return words;
}

// Runs the program with its arguments; the child's standard output and
// error come back through one pipe, read until it closes or the limits end.
void runProgram(Call& call, const std::vector<std::string>& words, bool wait,
                TQExecuteProcessResult& result) {
  std::vector<char*> argv;
  for (const std::string& w : words)
    argv.push_back(const_cast<char*>(w.c_str()));
  argv.push_back(nullptr);
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
    return addStatus(call, TQ_MSG_ERROR, kMsgProcessRefused, std::strerror(errno));
  }
  const pid_t child = fork();
  if (child < 0) {
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    return addStatus(call, TQ_MSG_ERROR, kMsgProcessRefused, std::strerror(errno));
  }
  if (child == 0) {
    // Without waiting the program runs as a grandchild, so no child is left
    // unreaped; its output goes nowhere.
    if (!wait && fork() != 0) _exit(0);
    const int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(wait ? pipeEnds[1] : null, 1);
    dup2(wait ? pipeEnds[1] : null, 2);
    // Nothing of the server's (its sockets, its store) reaches the program.
    close_range(3, ~0u, 0);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(pipeEnds[1]);
  std::string output;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(kProcessSeconds);
  bool timedOut = false;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      timedOut = true;
      break;
    }
    pollfd p{pipeEnds[0], POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) continue;
    char buffer[4096];
    const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    const size_t room = kProcessMaxOutput - std::min(output.size(), kProcessMaxOutput);
    output.append(buffer, std::min(room, static_cast<size_t>(got)));
  }
  close(pipeEnds[0]);
  if (timedOut) kill(child, SIGKILL);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (timedOut) {
    return addStatus(call, TQ_MSG_ERROR, kMsgProcessRefused, "the time limit was reached");
  }
  result.returnStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (!wait) return;
  result.output = static_cast<char*>(std::malloc(output.size() + 1));
  if (result.output == nullptr) return addStatus(call, TQ_MSG_ERROR, kTQMsgNoMemory);
  std::memcpy(result.output, output.data(), output.size());
  result.output[output.size()] = '\0';
  result.outputLength = static_cast<uint32_t>(output.size());
}

void executeProcess(Call& call, TQExecuteProcessArgs& args, TQExecuteProcessResult& result) {
  const std::string& allowed = call.server.options.allowedProgram;
  if (allowed.empty()) {
    return addStatus(call, TQ_MSG_ERROR, kMsgProcessRefused, "this server runs no processes");
  }
  std::vector<std::string> words = wordsOf(textOf(args.command));
  if (words.empty() || words[0] != allowed) {
    return addStatus(call, TQ_MSG_ERROR, kMsgProcessRefused,
                     ("only " + allowed + " may run").c_str());
  }
  runProgram(call, words, args.wait != 0, result);
}

// -------------------------------------------------------------- menu files

// A menu file is named by a plain file name inside the menu folder.
void menuFileText(Call& call, TQMenuFileArgs& args, TQMenuFileResult& result) {
  const std::string name = textOf(args.filename);
  const std::string& folder = call.server.options.menuFolder;
  const bool plain =
      !name.empty() && name.find('/') == std::string::npos && name != "." && name != "..";
  std::ifstream in;
  if (!folder.empty() && plain) in.open(folder + "/" + name, std::ios::binary);
  if (!in) return addStatus(call, TQ_MSG_ERROR, kMsgNoMenuFile, name.c_str());
  std::string text(kMenuFileMax, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<size_t>(in.gcount()));
  text = text.substr(0, text.find('\0'));
  result.text = strdup(text.c_str());
  if (result.text == nullptr) addStatus(call, TQ_MSG_ERROR, kTQMsgNoMemory);
}

// ------------------------------------------------------------- menu query

// A value as menu text: texts as they are, numbers in decimal, enumerated
// values by their name.
std::string menuText(const FieldDef* field, const StoredValue& value) {
  switch (value.dataType) {
    case TQ_DATA_TYPE_NULL:
      return "";
    case TQ_DATA_TYPE_REAL:
      return std::to_string(value.real);
    case TQ_DATA_TYPE_ENUM:
      if (field != nullptr && value.number >= 0 &&
          static_cast<size_t>(value.number) < field->enumValues.size()) {
        return field->enumValues[static_cast<size_t>(value.number)];
      }
      return std::to_string(value.number);
    case TQ_DATA_TYPE_CHAR:
    case TQ_DATA_TYPE_DECIMAL:
    case TQ_DATA_TYPE_DIARY:
      return value.text;
    default:
      return std::to_string(value.number);
  }
}

// The entries of the form that match the menu's qualification (every entry
// when it is empty) give one item each, in entry id order: the label field's
// value as label, the value field's as value. At most kMaxRequestItems items.
void menuQuery(Call& call, TQMenuQueryArgs& args, TQMenuQueryResult& result) {
  const TQCharMenuQueryStruct& q = args.query;
  if (formStore().find(nameOf(q.schema)) == nullptr)
    return refuseUnknown(call, DefKind::kSchema, nameOf(q.schema));
  std::optional<Search> search = startSearch(call, nameOf(q.schema).c_str());
  if (!search) return;
  const FormDef& form = search->form;
  for (uint32_t id : {q.labelFieldId, q.valueFieldId}) {
    if (form.field(id) == nullptr) return addErrorNumber(call, kMsgNoSuchField, id);
  }
  if (!checkSearch(call, *search, q.qualifier, TQSortList{})) return;
  std::vector<std::pair<std::string, std::string>> items;
  const bool evaluated = forEachMatch(call, *search, q.qualifier, [&](const Entry& entry) {
    if (items.size() >= kMaxRequestItems) return;
    items.emplace_back(menuText(form.field(q.labelFieldId), readValue(form, entry, q.labelFieldId))
                           .substr(0, TQ_MAX_NAME_SIZE),
                       menuText(form.field(q.valueFieldId), readValue(form, entry, q.valueFieldId))
                           .substr(0, 255));
  });
  if (!evaluated) return;
  if (q.sortOnLabel != 0) std::stable_sort(items.begin(), items.end());
  if (items.empty()) return;
  auto* list =
      static_cast<TQCharMenuItemStruct*>(std::calloc(items.size(), sizeof(TQCharMenuItemStruct)));
  if (list == nullptr) return addStatus(call, TQ_MSG_ERROR, kTQMsgNoMemory);
  result.items.charMenuList = list;
  for (const auto& [label, value] : items) {
    TQCharMenuItemStruct& item = list[result.items.numItems];
    setName(item.label, label);
    item.itemType = TQ_MENU_ITEM_VALUE;
    item.u.value = strdup(value.c_str());
    if (item.u.value == nullptr) return addStatus(call, TQ_MSG_ERROR, kTQMsgNoMemory);
    ++result.items.numItems;
  }
}

constexpr Handler kHandlers[] = {
    handler<TQMenuFileArgs, TQMenuFileResult, menuFileText>(45),
    handler<TQMenuQueryArgs, TQMenuQueryResult, menuQuery>(55),
    handler<TQGetListSQLArgs, TQGetListSQLResult, getListSql>(59),
    handler<TQExecuteProcessArgs, TQExecuteProcessResult, executeProcess>(61),
};

}  // namespace

std::span<const Handler> serverToolHandlers() {
  return kHandlers;
}

}  // namespace tqsd
