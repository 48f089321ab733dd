// The shared pieces of the definition handlers (see def_common.h).
#include "def_common.h"

#include <cstdlib>

#include "entry_store.h"
#include "share/apisrv/error.h"

namespace tqsd {
namespace {

const char* kindName(DefKind kind) {
  switch (kind) {
    case DefKind::kSchema:
      return "form";
    case DefKind::kField:
      return "field";
    case DefKind::kCharMenu:
      return "menu";
    case DefKind::kFilter:
      return "filter";
    case DefKind::kActiveLink:
      return "active link";
    case DefKind::kEscalation:
      return "escalation";
    case DefKind::kView:
      return "view";
    case DefKind::kContainer:
      return "container";
  }
  return "definition";
}

// A copy of a text in malloc memory (the result routines release it).
char* heapText(const std::string& text) {
  char* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (copy == nullptr) return nullptr;
  std::memcpy(copy, text.data(), text.size());
  copy[text.size()] = '\0';
  return copy;
}

}  // namespace

std::string callerOf(const Call& call) {
  return call.header == nullptr ? std::string() : nameOf(call.header->user);
}

TQTimestamp nowOf(const Call& call) {
  return call.answer == nullptr ? 0 : call.answer->operationTime;
}

std::string defLabel(DefKind kind, const std::string& name) {
  return std::string(kindName(kind)) + " '" + name + "'";
}

void refuseUnknown(Call& call, DefKind kind, const std::string& name) {
  addStatus(call, TQ_MSG_ERROR, kMsgNoSuchDefinition, defLabel(kind, name).c_str());
}

void refuseExisting(Call& call, DefKind kind, const std::string& name) {
  addStatus(call, TQ_MSG_ERROR, kMsgDefinitionExists, defLabel(kind, name).c_str());
}

bool checkNewName(Call& call, const std::string& name) {
  if (!name.empty() && name.size() <= TQ_MAX_NAME_SIZE) return true;
  addStatus(call, TQ_MSG_ERROR, kMsgBadDefinition, "a name needs 1 to 30 bytes");
  return false;
}

void takeCommon(Call& call, Changes& changes, TQCommonChanges& from, TQCommonAttributes& to,
                bool creating) {
  changes.take(from.helpText, to.helpText);
  if (changes.next()) setName(to.owner, nameOf(from.owner));
  if (creating && to.owner[0] == '\0') setName(to.owner, callerOf(call));
  if (changes.next() && from.changeDiary != nullptr && from.changeDiary[0] != '\0') {
    const std::string diary =
        textOf(to.changeDiary) + diaryItem(Stamp{nowOf(call), callerOf(call)}, from.changeDiary);
    char* text = heapText(diary);
    if (text == nullptr) throw std::bad_alloc();
    std::free(to.changeDiary);
    to.changeDiary = text;
  }
  if (to.helpText == nullptr) to.helpText = heapText("");
  if (to.changeDiary == nullptr) to.changeDiary = heapText("");
  if (to.helpText == nullptr || to.changeDiary == nullptr) throw std::bad_alloc();
  to.changed = nowOf(call);
  setName(to.lastChanged, callerOf(call));
}

bool answerNames(Call& call, const std::vector<DefRow>& rows, TQNameList* out) {
  if (rows.empty()) return true;
  auto* names = static_cast<TQNameType*>(std::calloc(rows.size(), sizeof(TQNameType)));
  if (names == nullptr) {
    addStatus(call, TQ_MSG_ERROR, kTQMsgNoMemory);
    return false;
  }
  for (size_t i = 0; i < rows.size(); ++i)
    setName(names[i], rows[i].name);
  out->nameList = names;
  out->numItems = static_cast<uint32_t>(rows.size());
  return true;
}

bool answerIds(Call& call, const std::vector<uint32_t>& ids, TQInternalIdList* out) {
  if (ids.empty()) return true;
  auto* list = static_cast<uint32_t*>(std::calloc(ids.size(), sizeof(uint32_t)));
  if (list == nullptr) {
    addStatus(call, TQ_MSG_ERROR, kTQMsgNoMemory);
    return false;
  }
  for (size_t i = 0; i < ids.size(); ++i)
    list[i] = ids[i];
  out->internalIdList = list;
  out->numItems = static_cast<uint32_t>(ids.size());
  return true;
}

}  // namespace tqsd
