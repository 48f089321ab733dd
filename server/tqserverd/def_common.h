// What the definition handlers share: their answer numbers, the texts and
// names of requests, the server-set attributes of every definition (last
// update time, owner, last changed, change diary) and the walk of a set's
// changed mask.
//
// A set names what it changes with one bit per attribute in the order of
// the set procedure's record: bit 0 the new name, then the kind's own
// attributes, then help text, owner and change diary. A create takes every
// attribute. Values move from the request into the stored record by
// exchange, so the request's release routine releases the old values.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "call.h"
#include "def_store.h"
#include "rpc/procedure_records_defs.h"

namespace tqsd {

inline constexpr int32_t kMsgNoSuchDefinition = 9361;  // appended: the kind and name
inline constexpr int32_t kMsgDefinitionExists = 9362;  // appended: the kind and name
inline constexpr int32_t kMsgBadDefinition = 9363;     // appended: what is wrong
inline constexpr int32_t kMsgSqlRefused = 9364;        // appended: the reason
inline constexpr int32_t kMsgProcessRefused = 9365;    // appended: the reason
inline constexpr int32_t kMsgNoSuchUser = 9366;        // appended: the user
inline constexpr int32_t kMsgNoSuchGroup = 9367;       // appended: the group
inline constexpr int32_t kMsgAccountExists = 9368;     // appended: the user or group
inline constexpr int32_t kMsgNotAdministrator = 9369;  // appended: the user
inline constexpr int32_t kMsgNoMenuFile = 9370;        // appended: the file name
inline constexpr int32_t kMsgNoSupportFile = 9371;     // appended: type, name, id and file id

// A request text; NULL is the empty text.
inline std::string textOf(const char* text) {
  return text == nullptr ? std::string() : std::string(text);
}

// A fixed name field's text.
template <size_t N>
std::string nameOf(const char (&name)[N]) {
  return std::string(name, strnlen(name, N));
}

// Copies a text into a fixed name field, cut to fit.
template <size_t N>
void setName(char (&to)[N], const std::string& from) {
  std::memset(to, 0, N);
  std::memcpy(to, from.data(), std::min(from.size(), N - 1));
}

// The calling user and the time of the answer.
std::string callerOf(const Call& call);
TQTimestamp nowOf(const Call& call);

// "kind 'name'" for the appended text of an answer.
std::string defLabel(DefKind kind, const std::string& name);
void refuseUnknown(Call& call, DefKind kind, const std::string& name);
void refuseExisting(Call& call, DefKind kind, const std::string& name);

// Checks a name a create or rename gives: 1 to 30 bytes.
bool checkNewName(Call& call, const std::string& name);

// The walk of a changed mask (see above): each step takes the next bit.
class Changes {
 public:
  // A set's changed mask; its attribute bits start at bit 1.
  explicit Changes(uint32_t mask) : mask_(mask) {}
  // A create: every attribute.
  static Changes all() { return Changes(UINT32_MAX); }

  bool renames() const { return (mask_ & 1u) != 0; }
  // True when the next attribute is changed.
  bool next() {
    const bool given = (mask_ & bit_) != 0;
    bit_ <<= 1;
    return given;
  }
  // Moves a changed attribute into the record.
  template <class T>
  void take(T& from, T& to) {
    if (next()) std::swap(from, to);
  }
  // A name given as a text, kept in a fixed field.
  template <size_t N>
  void take(char*& from, char (&to)[N]) {
    if (next()) setName(to, textOf(from));
  }

 private:
  uint32_t mask_;
  uint32_t bit_ = 2;
};

// The common attributes' step of a set or create: help text, owner (a
// create without one makes the caller the owner) and change diary (a given
// text is appended as one item of the caller at the time of the call); then
// sets the last update time and last changed user.
void takeCommon(Call& call, Changes& changes, TQCommonChanges& from, TQCommonAttributes& to,
                bool creating);

// Answers a list of names, or a list of ids.
bool answerNames(Call& call, const std::vector<DefRow>& rows, TQNameList* out);
bool answerIds(Call& call, const std::vector<uint32_t>& ids, TQInternalIdList* out);

// The stored record of a get, with the answer's header kept as the
// dispatch filled it and an empty status list.
template <class R>
void answerRecord(R& stored, R& result) {
  const TQCallHeader header = result.header;
  result = stored;
  result.header = header;
  result.status = TQStatusList{};
  std::memset(static_cast<void*>(&stored), 0, sizeof(R));
}

}  // namespace tqsd
