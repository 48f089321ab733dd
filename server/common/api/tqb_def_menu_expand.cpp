// TQExpandCharMenu: turns a character menu into a list menu. The expansion
// builds a new menu from the caller's: list items are copied and their
// sub-menus expanded depth first; a query menu is run on the server
// (procedure 55); a file menu is read from the server (procedure 45) or
// from a client file, one item a line; an SQL menu is run with
// TQGetListSQL. A failed expansion leaves nothing behind.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "api/tqb_def_family.h"
#include "share/apisrv/memory.h"
#include "share/apisrv/scramble.h"
#include "share/i18n/mbutil.h"

namespace {

constexpr size_t kMaxLabel = TQ_MAX_NAME_SIZE;  // 30
constexpr size_t kMaxValue = 255;
constexpr size_t kMaxLine = 304;
constexpr uint32_t kGrowBy = 5;
constexpr size_t kPasswordChars = 30;

class Expansion {
 public:
  Expansion(TQSessionStruct* session, TQControlStruct* control, TQStatusList* status)
      : session_(session), control_(control), status_(status) {}

  // Fills *out (empty on entry) from `in`; 2 or more on failure (then *out
  // may hold a part that the caller releases).
  uint32_t expand(const TQCharMenuStruct& in, TQCharMenuStruct* out, uint32_t depth);

 private:
  uint32_t copyList(const TQCharMenuList& in, TQCharMenuStruct* out, uint32_t depth);
  uint32_t query(const TQCharMenuQueryStruct& in, TQCharMenuStruct* out);
  uint32_t file(const TQCharMenuFileStruct& in, TQCharMenuStruct* out, uint32_t depth);
  uint32_t sql(const TQCharMenuSQLStruct& in, TQCharMenuStruct* out);
  uint32_t parseLines(const std::vector<std::string>& lines, const char* fileName,
                      TQCharMenuStruct* out, uint32_t depth);
  TQControlStruct onServer(const char* server) const;

  TQSessionStruct* session_;
  TQControlStruct* control_;
  TQStatusList* status_;
};

// Adds an item at the end of a list, growing the array five items at a
// time; nullptr when memory ran out.
TQCharMenuItemStruct* addItem(TQCharMenuList* list) {
  if (list->numItems % kGrowBy == 0) {
    auto* grown = static_cast<TQCharMenuItemStruct*>(tqMemRealloc(
        list->charMenuList, (list->numItems + kGrowBy) * sizeof(TQCharMenuItemStruct)));
    if (grown == nullptr) return nullptr;
    list->charMenuList = grown;
  }
  TQCharMenuItemStruct* item = &list->charMenuList[list->numItems++];
  *item = TQCharMenuItemStruct{};
  return item;
}

// A new terminated copy of at most `limit` bytes of `text` (whole
// characters only).
char* cutCopy(const char* text, size_t limit) {
  auto* copy = static_cast<char*>(tqMemCalloc(limit + 1, 1));
  if (copy == nullptr) return nullptr;
  tqMbSafeCopy(copy, text, limit);
  copy[limit] = '\0';
  return copy;
}

// A value item with the label and value cut to their limits.
bool addValueItem(TQCharMenuList* list, const char* label, const char* value) {
  TQCharMenuItemStruct* item = addItem(list);
  if (item == nullptr) return false;
  tqMbSafeCopy(item->label, label, kMaxLabel);
  item->label[kMaxLabel] = '\0';
  item->itemType = TQ_MENU_ITEM_VALUE;
  item->u.value = cutCopy(value, kMaxValue);
  return item->u.value != nullptr;
}

TQControlStruct Expansion::onServer(const char* server) const {
  TQControlStruct copy = *control_;
  if (server != nullptr && server[0] != '\0' && std::strcmp(server, control_->server) != 0) {
    std::memset(copy.server, 0, sizeof copy.server);
    std::strncpy(copy.server, server, sizeof copy.server - 1);
  }
  return copy;
}

uint32_t Expansion::expand(const TQCharMenuStruct& in, TQCharMenuStruct* out, uint32_t depth) {
  switch (in.menuType) {
    case TQ_CHAR_MENU_NONE:
      out->menuType = TQ_CHAR_MENU_NONE;
      return 0;
    case TQ_CHAR_MENU_LIST:
      return copyList(in.u.menuList, out, depth);
    case TQ_CHAR_MENU_QUERY:
      return query(in.u.menuQuery, out);
    case TQ_CHAR_MENU_FILE:
      return file(in.u.menuFile, out, depth);
    case TQ_CHAR_MENU_SQL:
      return sql(in.u.menuSQL, out);
    default:
      out->menuType = TQ_CHAR_MENU_NONE;
      return tqDefError(status_, kTQMsgBadMenuType);
  }
}

uint32_t Expansion::copyList(const TQCharMenuList& in, TQCharMenuStruct* out, uint32_t depth) {
  out->menuType = TQ_CHAR_MENU_LIST;
  out->u.menuList = TQCharMenuList{};
  for (uint32_t i = 0; i < in.numItems; ++i) {
    const TQCharMenuItemStruct& from = in.charMenuList[i];
    if (from.itemType != TQ_MENU_ITEM_MENU) {
      if (!addValueItem(&out->u.menuList, from.label, from.u.value ? from.u.value : "")) {
        return tqOutOfMemory(status_);
      }
      out->u.menuList.charMenuList[out->u.menuList.numItems - 1].itemType = from.itemType;
      continue;
    }
    TQCharMenuItemStruct* item = addItem(&out->u.menuList);
    if (item == nullptr) return tqOutOfMemory(status_);
    std::memcpy(item->label, from.label, sizeof item->label);
    item->itemType = TQ_MENU_ITEM_MENU;
    item->u.childMenu = static_cast<TQCharMenuStruct*>(tqMemCalloc(1, sizeof(TQCharMenuStruct)));
    if (item->u.childMenu == nullptr) return tqOutOfMemory(status_);
    if (from.u.childMenu == nullptr) continue;
    const uint32_t code = expand(*from.u.childMenu, item->u.childMenu, depth + 1);
    if (code >= TQ_RETURN_ERROR) return code;
  }
  return 0;
}

uint32_t Expansion::query(const TQCharMenuQueryStruct& in, TQCharMenuStruct* out) {
  TQControlStruct control = onServer(in.server);
  const uint32_t code = tqFrameCall<TQMenuQueryArgs, TQMenuQueryResult>(
      tqDefPlan(TQDef::kMenuQuery), session_, &control, status_,
      [&](TQMenuQueryArgs& a) { a.query = in; },
      [&](TQMenuQueryResult& r) {
        out->menuType = TQ_CHAR_MENU_LIST;
        out->u.menuList = r.items;
        r.items = TQCharMenuList{};
      });
  control_->cacheId = control.cacheId;
  control_->operationTime = control.operationTime;
  return code;
}

uint32_t Expansion::parseLines(const std::vector<std::string>& lines, const char* fileName,
                               TQCharMenuStruct* out, uint32_t depth) {
  out->menuType = TQ_CHAR_MENU_LIST;
  out->u.menuList = TQCharMenuList{};
  std::vector<TQCharMenuList*> levels{&out->u.menuList};
  for (const std::string& line : lines) {
    if (line.empty() || line[0] == '#') continue;
    size_t tabs = 0;
    while (tabs < line.size() && line[tabs] == '\t') ++tabs;
    const size_t current = levels.size() - 1;
    if (tabs > current) {
      TQCharMenuList* list = levels.back();
      if (list->numItems == 0) {
        const uint32_t code = TQAppendStatus(status_, TQ_MSG_ERROR, kTQMsgBadMenu, fileName);
        return code < TQ_RETURN_ERROR ? TQ_RETURN_ERROR : code;
      }
      if (depth + levels.size() >= TQ_MAX_MENU_LEVELS) {
        const uint32_t code = TQAppendStatus(status_, TQ_MSG_ERROR, kTQMsgMenuTooDeep, fileName);
        return code < TQ_RETURN_ERROR ? TQ_RETURN_ERROR : code;
      }
      TQCharMenuItemStruct& last = list->charMenuList[list->numItems - 1];
      auto* child = static_cast<TQCharMenuStruct*>(tqMemCalloc(1, sizeof(TQCharMenuStruct)));
      if (child == nullptr) return tqOutOfMemory(status_);
      tqMemFree(last.u.value);
      last.itemType = TQ_MENU_ITEM_MENU;
      last.u.childMenu = child;
      child->menuType = TQ_CHAR_MENU_LIST;
      levels.push_back(&child->u.menuList);
    } else if (tabs < current) {
      levels.resize(tabs + 1);
    }
    const std::string rest = line.substr(tabs);
    const size_t split = rest.find('\\');
    const std::string label = rest.substr(0, split);
    char cut[kMaxLabel + 1] = {};
    tqMbSafeCopy(cut, label.c_str(), kMaxLabel);
    const std::string value = split == std::string::npos ? std::string(cut) : rest.substr(split + 1);
    if (!addValueItem(levels.back(), cut, value.c_str())) return tqOutOfMemory(status_);
  }
  return 0;
}

// Splits a text into lines without their line ends, each cut to 304 bytes.
std::vector<std::string> splitLines(const char* text) {
  std::vector<std::string> lines;
  const char* at = text;
  while (*at != '\0') {
    const char* end = std::strchr(at, '\n');
    const size_t length = end == nullptr ? std::strlen(at) : static_cast<size_t>(end - at);
    std::string line(at, length);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    if (line.size() > kMaxLine) line.resize(kMaxLine);
    lines.push_back(std::move(line));
    if (end == nullptr) break;
    at = end + 1;
  }
  return lines;
}

uint32_t Expansion::file(const TQCharMenuFileStruct& in, TQCharMenuStruct* out,
                         uint32_t depth) {
  const char* name = in.filename == nullptr ? "" : in.filename;
  std::string text;
  if (in.fileLocation == TQ_MENU_FILE_SERVER) {
    const uint32_t code = tqFrameCall<TQMenuFileArgs, TQMenuFileResult>(
        tqDefPlan(TQDef::kMenuFile), session_, control_, status_,
        [&](TQMenuFileArgs& a) { a.filename = tqDefText(name); },
        [&](TQMenuFileResult& r) {
          if (r.text != nullptr) text = r.text;
        });
    if (code >= TQ_RETURN_ERROR) return code;
  } else {
    std::FILE* stream = std::fopen(name, "r");
    if (stream == nullptr) {
      const std::string why = std::string(std::strerror(errno)) + ": " + name;
      const uint32_t code = TQAppendStatus(status_, TQ_MSG_ERROR, kTQMsgCannotOpenMenuFile, why.c_str());
      return code < TQ_RETURN_ERROR ? TQ_RETURN_ERROR : code;
    }
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0) text.append(buffer, got);
    std::fclose(stream);
  }
  return parseLines(splitLines(text.c_str()), name, out, depth);
}

// Writes a column of an SQL row as menu text: integers "%ld", reals "%lg",
// texts cut to `limit`; anything else (or no such column) is empty.
std::string columnText(const TQValueList& row, int32_t index, size_t limit, bool decimalToo) {
  if (index < 1 || static_cast<uint32_t>(index) > row.numItems || row.valueList == nullptr) {
    return {};
  }
  const TQValueStruct& v = row.valueList[index - 1];
  char number[64];
  switch (v.dataType) {
    case TQ_DATA_TYPE_INTEGER:
      std::snprintf(number, sizeof number, "%ld", static_cast<long>(v.u.intVal));
      return number;
    case TQ_DATA_TYPE_REAL:
      std::snprintf(number, sizeof number, "%lg", v.u.realVal);
      return number;
    case TQ_DATA_TYPE_CHAR:
    case TQ_DATA_TYPE_DIARY:
    case TQ_DATA_TYPE_DECIMAL: {
      if (v.dataType == TQ_DATA_TYPE_DECIMAL && !decimalToo) return {};
      const char* text = v.u.charVal;
      if (text == nullptr) return {};
      std::string cut(limit + 1, '\0');
      tqMbSafeCopy(cut.data(), text, limit);
      cut.resize(std::strlen(cut.c_str()));
      return cut;
    }
    default:
      return {};
  }
}

uint32_t Expansion::sql(const TQCharMenuSQLStruct& in, TQCharMenuStruct* out) {
  const char* command = in.sqlCommand == nullptr ? "" : in.sqlCommand;
  uint32_t key = 0;
  for (const char* at = command; *at != '\0'; ++at) key += static_cast<unsigned char>(*at);
  char password[kPasswordChars + 1];
  std::memset(password, ' ', kPasswordChars);
  password[kPasswordChars] = '\0';
  if (control_->password[0] != '\0') {
    std::memset(password, 0, sizeof password);
    std::memcpy(password, control_->password, strnlen(control_->password, kPasswordChars));
    tqScramblePassword(key, password);
  }
  std::string sent = "+";
  sent.append(password, kPasswordChars);
  sent += command;

  TQControlStruct control = onServer(in.server);
  TQValueListList rows{};
  TQStatusList own{};
  const uint32_t code = TQGetListSQL(&control, sent.c_str(), 0, &rows, nullptr, &own);
  TQMergeStatus(&own, status_, status_);
  control_->cacheId = control.cacheId;
  control_->operationTime = control.operationTime;
  if (code >= TQ_RETURN_ERROR) {
    FreeTQValueListList(&rows, 0);
    return code;
  }
  out->menuType = TQ_CHAR_MENU_NONE;
  std::vector<std::pair<std::string, std::string>> seen;
  uint32_t result = 0;
  for (uint32_t i = 0; i < rows.numItems && rows.valueListList != nullptr; ++i) {
    std::string label = columnText(rows.valueListList[i], in.labelIndex, kMaxLabel, true);
    std::string value = columnText(rows.valueListList[i], in.valueIndex, kMaxValue, true);
    bool duplicate = false;
    for (const auto& [l, v] : seen) duplicate = duplicate || (l == label && v == value);
    if (duplicate) continue;
    if (out->menuType == TQ_CHAR_MENU_NONE) {
      out->menuType = TQ_CHAR_MENU_LIST;
      out->u.menuList = TQCharMenuList{};
    }
    if (!addValueItem(&out->u.menuList, label.c_str(), value.c_str())) {
      result = tqOutOfMemory(status_);
      break;
    }
    seen.emplace_back(std::move(label), std::move(value));
  }
  FreeTQValueListList(&rows, 0);
  return result;
}

}  // namespace

extern "C" uint32_t TQExpandCharMenu(TQControlStruct* control, TQCharMenuStruct* menu,
                                     TQCharMenuStruct* expandedMenu, TQStatusList* status) {
  return tqGuarded(status, [&]() -> uint32_t {
    tqDefClear(expandedMenu);
    TQSessionStruct* session = nullptr;
    uint32_t code = tqFrameStart(control, status, &session);
    if (code != kTQFrameGoOn) return code;
    code = tqCheckArgsExpandCharMenu(control, menu, status);
    if (code >= TQ_RETURN_ERROR) return code;
    if (expandedMenu == nullptr) return 0;
    const char* name = tqDefPlan(TQDef::kMenuFile).name;
    if (tqRecordingOn(session)) tqRecordCall(session, name);
    TQCharMenuStruct built{};
    code = Expansion(session, control, status).expand(*menu, &built, 0);
    if (code >= TQ_RETURN_ERROR) {
      FreeTQCharMenuStruct(&built, 0);
    } else {
      *expandedMenu = built;
      code = tqTopStatus(status);
    }
    if (tqRecordingOn(session)) tqRecordResults(session, name, code, status);
    return code;
  });
}
