// The definition family: one road for the get, set, create, delete and list
// operations of every kind of definition (schemas, fields, views, menus,
// filters, active links, escalations, containers, support files, users and
// server settings).
//
// Each member is a row of kTQDefPlans (procedure, channel, timeout class,
// time-out message, recorded name); its exported function in
// tqb_def_<kind>.cpp is one tqDefOperation call that names its row, its
// checks (the member's own first, then the record checks of parmchck), how
// it fills the argument record and what it hands back. The pieces every
// member shares live here: wanted and changed masks built bit by bit in
// parameter order, the "nothing to change" warning of a set, the common
// attributes (help text, time, owner, last changed, change diary) on the way
// out and in, and the hand-over of results to outputs that may be NULL.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "api/parmchck.h"
#include "api/tqb_frame.h"
#include "rpc/procedure_records_defs.h"

enum class TQDef : uint32_t {
  kGetSchema, kSetSchema, kCreateSchema, kDeleteSchema, kGetListSchema,
  kGetField, kSetField, kCreateField, kDeleteField, kGetListField, kDeleteMultipleFields,
  kGetNameListForSchema,
  kGetCharMenu, kSetCharMenu, kCreateCharMenu, kDeleteCharMenu, kGetListCharMenu,
  kMenuFile, kMenuQuery,
  kGetFilter, kSetFilter, kCreateFilter, kDeleteFilter, kGetListFilter,
  kGetActiveLink, kSetActiveLink, kCreateActiveLink, kDeleteActiveLink, kGetListActiveLink,
  kGetEscalation, kSetEscalation, kCreateEscalation, kDeleteEscalation, kGetListEscalation,
  kGetVUI, kSetVUI, kCreateVUI, kDeleteVUI, kGetListVUI,
  kGetContainer, kSetContainer, kCreateContainer, kDeleteContainer, kGetListContainer,
  kGetSupportFile, kSetSupportFile, kCreateSupportFile, kDeleteSupportFile,
  kGetListSupportFile,
  kVerifyUser, kGetListGroup, kGetListUser,
  kSetServerInfo, kGetServerStatistics, kGetFullTextInfo, kSetFullTextInfo,
  kGetListSQL, kExecuteProcess,
  kCount
};

// The call plan of a member.
const TQCallPlan& tqDefPlan(TQDef member);

// ------------------------------------------------------------------ masks

// A mask with bit value 1 << i set for every true item i, in parameter order.
inline uint32_t tqDefMask(std::initializer_list<bool> given) {
  uint32_t mask = 0;
  uint32_t bit = 1;
  for (bool g : given) {
    if (g) mask |= bit;
    bit <<= 1;
  }
  return mask;
}

// True when a rename is asked for: a new name that is neither missing,
// empty nor equal to the name.
inline bool tqDefRenames(const char* name, const char* newName) {
  return newName != nullptr && newName[0] != '\0' &&
         (name == nullptr || std::strcmp(name, newName) != 0);
}

// What a check callable returns when a set has nothing to change: the frame
// stops there (it is above 2) and tqDefOperation turns it into the warning's
// code 1.
inline constexpr uint32_t kTQDefNothingToChange = UINT32_MAX - 1;

// Adds warning 54 and returns kTQDefNothingToChange.
uint32_t tqDefNothingToChange(TQStatusList* status);

// Adds the error `number` (type 2) and returns 2.
uint32_t tqDefError(TQStatusList* status, int32_t number);

// ----------------------------------------------------------- the road

// One member's whole call through the frame (see tqb_frame.h): clear the
// outputs, check, fill the argument record, dispatch on the member's
// channel, hand the results over.
template <class Args, class Result, class Clear, class Check, class Fill, class TakeOver>
uint32_t tqDefOperation(TQDef member, TQControlStruct* control, TQStatusList* status,
                        Clear&& clear, Check&& check, Fill&& fill, TakeOver&& takeOver) noexcept {
  const uint32_t code = tqFrameOperation<Args, Result>(
      tqDefPlan(member), control, status, std::forward<Clear>(clear), std::forward<Check>(check),
      std::forward<Fill>(fill), std::forward<TakeOver>(takeOver));
  return code == kTQDefNothingToChange ? TQ_RETURN_WARNING : code;
}

// A member that sends its arguments and gets only the status back.
template <class Args, class Check, class Fill>
uint32_t tqDefChange(TQDef member, TQControlStruct* control, TQStatusList* status, Check&& check,
                     Fill&& fill) noexcept {
  return tqDefOperation<Args, TQStatusResult>(
      member, control, status, [] {}, std::forward<Check>(check), std::forward<Fill>(fill),
      [](TQStatusResult&) {});
}

// --------------------------------------------------------- hand-over

// Moves a result record to an output that may be NULL; the result keeps an
// empty record, so that releasing it releases nothing the caller now owns.
template <class T>
void tqDefHandOver(T* out, T& from) {
  if (out == nullptr) return;
  *out = from;
  from = T{};
}

// Clears an output that may be NULL.
template <class T>
void tqDefClear(T* out) {
  if (out != nullptr) *out = T{};
}

// Copies a fixed name to an output array that may be NULL.
template <size_t N>
void tqDefCopyName(char* out, const char (&from)[N]) {
  if (out == nullptr) return;
  std::memcpy(out, from, N);
  out[N - 1] = '\0';
}

// The common outputs of a get: help text, last update time, owner, last
// changed, change diary; each may be NULL.
struct TQDefCommonOut {
  char** helpText;
  TQTimestamp* changed;
  char* owner;        // TQAccessNameType
  char* lastChanged;  // TQAccessNameType
  char** changeDiary;

  void clear() const;
  void takeOver(TQCommonAttributes& from) const;
};

// The common attributes a set or create sends; missing texts go as empty
// texts.
void tqDefFillCommon(TQCommonChanges* to, const char* helpText, const char* owner,
                     const char* changeDiary);

// A text argument as the records hold it: NULL becomes an empty text.
char* tqDefText(const char* text);

// The checked owner name of a set or create: NULL is the empty name.
inline const char* tqDefOwner(const char* owner) { return owner == nullptr ? "" : owner; }

// A record argument as the argument record holds it: a shallow copy of the
// caller's, or the empty record for NULL. The argument record is never
// released, so the caller's record stays the caller's.
template <class T>
T tqDefValueOf(const T* given) {
  return given == nullptr ? T{} : *given;
}

// ----------------------------------------------- members alike in shape

// 251 for a given enable flag other than 0 or 1 (NULL passes).
uint32_t tqDefCheckEnable(const uint32_t* enable, TQStatusList* status);

// Delete by name (menus, filters, active links, escalations, containers).
uint32_t tqDefDeleteByName(TQDef member, TQControlStruct* control, const char* name,
                           TQStatusList* status);

// The names of one kind of a schema (filters, active links, escalations):
// the schema may be empty, no output is 105.
uint32_t tqDefListOfSchema(TQDef member, TQControlStruct* control, const char* schema,
                           TQTimestamp changedSince, TQNameList* nameList, TQStatusList* status);
