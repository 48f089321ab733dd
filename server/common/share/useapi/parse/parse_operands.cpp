// The operands of a relation: values (NULL, numbers, texts with their
// keywords), field references by label or id, status-history references;
// and the conversions after a relation, of enumeration names to indexes and
// of texts compared with times to time stamps or intervals.
#include <cstring>
#include <string>
#include <vector>

#include "share/apisrv/datetime.h"
#include "share/apisrv/error.h"
#include "share/i18n/mbutil.h"
#include "share/useapi/parse/parse_state.h"

namespace {

using Operand = TQFieldValueOrArithStruct;

constexpr uint32_t kStatusField = 7;
constexpr uint32_t kStatusHistoryField = 15;

const TQParseField* fieldById(const TQParseState& s, uint32_t id) {
  if (s.context.catalogue == nullptr) return nullptr;
  for (const TQParseField& field : s.context.catalogue->fields) {
    if (field.fieldId == id) return &field;
  }
  return nullptr;
}

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}
const char* skipBlanks(const char* p) {
  while (isBlank(*p))
    ++p;
  return p;
}

// The digits of a text as a 32-bit number; false for anything else.
bool digitsOnly(const std::string& text, uint32_t* value) {
  if (text.empty()) return false;
  uint64_t n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + static_cast<uint64_t>(c - '0');
    if (n > UINT32_MAX) return false;
  }
  *value = static_cast<uint32_t>(n);
  return true;
}

std::string trimmed(const char* begin, const char* end) {
  while (begin < end && isBlank(*begin))
    ++begin;
  while (end > begin && isBlank(end[-1]))
    --end;
  return std::string(begin, end);
}

void setValue(Operand* target, uint32_t dataType) {
  *target = Operand{};
  target->tag = TQ_VALUE;
  target->u.value.dataType = dataType;
}

// A text that is one keyword as a whole becomes a keyword value (or NULL).
bool wholeKeyword(TQParseState& s, const std::string& text, Operand* target) {
  size_t open = 0;
  size_t close = 0;
  int number = 0;
  if (!tqFindKeyword(text.c_str(), 0, &open, &close, &number) || open != 0 ||
      close + 1 != text.size()) {
    return false;
  }
  if (number == kTQKeywordNull) {
    setValue(target, TQ_DATA_TYPE_NULL);
    return true;
  }
  setValue(target, TQ_DATA_TYPE_KEYWORD);
  target->u.value.u.keyNum = static_cast<uint32_t>(number);
  if (number == static_cast<int>(kTQKeywordTimestamp) ||
      number == static_cast<int>(kTQKeywordTime) || number == static_cast<int>(kTQKeywordDate)) {
    s.marks.time = true;
  }
  return true;
}

// A double-quoted text: a keyword value, or a character value with every
// keyword inside it replaced by its value.
bool characterValue(TQParseState& s, const std::string& text, Operand* target) {
  if (wholeKeyword(s, text, target)) return true;
  std::string value;
  bool replaced = false;
  size_t from = 0;
  size_t open = 0;
  size_t close = 0;
  int number = 0;
  while (tqFindKeyword(text.c_str(), from, &open, &close, &number)) {
    value.append(text, from, open - from);
    value += tqKeywordValue(s.context, number, s.keywords);
    from = close + 1;
    replaced = true;
  }
  value.append(text, from, std::string::npos);
  char* copy = tqMemStrdup(value.c_str());
  if (copy == nullptr) {
    if (!replaced) return s.noMemory();
    s.substitutionFailed = true;
    return s.fail(kTQMsgNoMemory);
  }
  setValue(target, TQ_DATA_TYPE_CHAR);
  target->u.value.u.charVal = copy;
  s.marks.texts.emplace_back(copy, s.token.start);
  return true;
}

// The status part of a status-history reference: a number, or a name of
// field 7's enumeration.
bool statusIndex(TQParseState& s, const std::string& status, uint32_t* index) {
  if (digitsOnly(status, index)) return true;
  if (status.empty()) return s.fail(kTQParseBadStatusRef);
  const TQParseField* statusField = fieldById(s, kStatusField);
  if (statusField == nullptr) return s.fail(kTQParseNoStatusField);
  for (size_t i = 0; i < statusField->enumNames.size(); ++i) {
    if (statusField->enumNames[i] == status) {
      *index = static_cast<uint32_t>(i);
      return true;
    }
  }
  return s.fail(kTQParseUnknownName);
}

// The selector of a status-history reference: USER (1) or TIME (2), in
// words or digits, and nothing but blanks after it.
bool selector(TQParseState& s, const char* p, uint32_t* which) {
  p = skipBlanks(p);
  const TQKeywordTable& table = tqKeywordTable();
  const char* user = table.operatorWords[kTQWordUser];
  const char* time = table.operatorWords[kTQWordTime];
  size_t length = 1;
  if (*user != '\0' && tqMbStrNICmp(p, user, std::strlen(user)) == 0) {
    *which = TQ_STAT_HISTORY_USER;
    length = std::strlen(user);
  } else if (*time != '\0' && tqMbStrNICmp(p, time, std::strlen(time)) == 0) {
    *which = TQ_STAT_HISTORY_TIME;
    length = std::strlen(time);
  } else if (*p == '1' || *p == '2') {
    *which = *p == '1' ? TQ_STAT_HISTORY_USER : TQ_STAT_HISTORY_TIME;
  } else {
    return s.fail(kTQParseBadStatusRef);
  }
  if (*skipBlanks(p + length) != '\0') return s.fail(kTQParseBadStatusRef);
  return true;
}

// What follows the status-history field in a reference: ".", the status,
// ".", the selector.
bool statusHistory(TQParseState& s, const char* rest, Operand* target) {
  rest = skipBlanks(rest);
  if (*rest != '.') return s.fail(kTQParseBadStatusRef);
  ++rest;
  const char* lastDot = tqMbStrRChr(rest, '.');
  if (lastDot == nullptr) return s.fail(kTQParseBadStatusRef);
  uint32_t index = 0;
  uint32_t which = 0;
  if (!statusIndex(s, trimmed(rest, lastDot), &index) || !selector(s, lastDot + 1, &which)) {
    return false;
  }
  *target = Operand{};
  target->tag = TQ_STAT_HISTORY;
  target->u.statHistory.enumIndex = index;
  target->u.statHistory.userOrTime = which;
  if (which == TQ_STAT_HISTORY_TIME) s.marks.time = true;
  return true;
}

// Where a status-history reference's rest starts: after the label of field
// 15, or after the digits 15 when a "." follows them. NULL for neither.
const char* statusHistoryRest(const TQParseState& s, const std::string& text) {
  const TQParseField* history = fieldById(s, kStatusHistoryField);
  if (history != nullptr && history->label[0] != '\0') {
    const size_t length = std::strlen(history->label);
    if (text.compare(0, length, history->label) == 0) return text.c_str() + length;
  }
  const char* p = text.c_str();
  while (*p == '0')
    ++p;
  if (p[0] == '1' && p[1] == '5' && *skipBlanks(p + 2) == '.') return p + 2;
  return nullptr;
}

// A field reference: a label of the catalogue, a status-history reference,
// or a field id in digits.
bool fieldReference(TQParseState& s, const std::string& text, Operand* target) {
  if (s.context.catalogue != nullptr) {
    for (const TQParseField& field : s.context.catalogue->fields) {
      if (text != field.label) continue;
      *target = Operand{};
      target->tag = TQ_FIELD;
      target->u.fieldId = field.fieldId;
      if (field.dataType == TQ_DATA_TYPE_ENUM) {
        s.marks.enumerated = true;
        if (s.marks.enumField == nullptr) s.marks.enumField = &field;
      } else if (field.dataType == TQ_DATA_TYPE_TIME) {
        s.marks.time = true;
      }
      return true;
    }
  }
  if (const char* rest = statusHistoryRest(s, text); rest != nullptr) {
    return statusHistory(s, rest, target);
  }
  uint32_t id = 0;
  if (!digitsOnly(text, &id)) return s.fail(kTQParseUnknownField);
  *target = Operand{};
  target->tag = TQ_FIELD;
  target->u.fieldId = id;
  return true;
}

// ------------------------------------------------------------ conversions

size_t offsetOf(const TQParseState& s, const char* charVal) {
  for (const auto& [text, at] : s.marks.texts) {
    if (text == charVal) return at;
  }
  return s.token.start;
}

bool isText(const Operand& operand) {
  return operand.tag == TQ_VALUE && operand.u.value.dataType == TQ_DATA_TYPE_CHAR;
}

bool enumerationIndex(TQParseState& s, TQValueStruct* value) {
  const TQParseField* field = s.marks.enumField;
  for (size_t i = 0; field != nullptr && i < field->enumNames.size(); ++i) {
    if (field->enumNames[i] == value->u.charVal) {
      tqMemFree(value->u.charVal);
      value->dataType = TQ_DATA_TYPE_ENUM;
      value->u.enumVal = static_cast<uint32_t>(i);
      return true;
    }
  }
  return s.fail(kTQParseUnknownName, offsetOf(s, value->u.charVal));
}

bool timeValue(TQParseState& s, TQValueStruct* value, bool timeOfDay) {
  int32_t seconds = 0;
  bool interval = false;
  if (!tqDtTextToSeconds(value->u.charVal, timeOfDay, &seconds, &interval)) {
    return s.fail(kTQParseBadTime, offsetOf(s, value->u.charVal));
  }
  tqMemFree(value->u.charVal);
  if (interval) {
    value->dataType = TQ_DATA_TYPE_INTEGER;
    value->u.intVal = seconds;
  } else {
    value->dataType = TQ_DATA_TYPE_TIME;
    value->u.timeVal = seconds;
  }
  return true;
}

// Every text of an operand, also inside arithmetic (walked without
// recursion), as a time; texts inside arithmetic in time-of-day mode.
bool timeOperand(TQParseState& s, Operand* operand, bool timeOfDay) {
  std::vector<Operand*> pending{operand};
  while (!pending.empty()) {
    Operand* at = pending.back();
    pending.pop_back();
    if (isText(*at)) {
      if (!timeValue(s, &at->u.value, at == operand ? timeOfDay : true)) return false;
    } else if (at->tag == TQ_ARITHMETIC && at->u.arithOp != nullptr) {
      TQArithOpStruct* arith = at->u.arithOp;
      pending.push_back(&arith->right);
      if (arith->operation != TQ_ARITH_OP_NEGATE) pending.push_back(&arith->left);
    }
  }
  return true;
}

}  // namespace

bool tqParseValueOperand(TQParseState& s, Operand* target) {
  const TQTokenRead& token = s.token;
  switch (token.kind) {
    case TQToken::kNull:
      setValue(target, TQ_DATA_TYPE_NULL);
      break;
    case TQToken::kInteger:
      setValue(target, TQ_DATA_TYPE_INTEGER);
      target->u.value.u.intVal = token.integer;
      break;
    case TQToken::kReal:
      setValue(target, TQ_DATA_TYPE_REAL);
      target->u.value.u.realVal = token.real;
      break;
    case TQToken::kCharValue:
      if (!characterValue(s, token.text, target)) return false;
      break;
    case TQToken::kFieldRef:
      if (!fieldReference(s, token.text, target)) return false;
      break;
    case TQToken::kWord:
      if (!wholeKeyword(s, token.text, target) && !fieldReference(s, token.text, target)) {
        return false;
      }
      break;
    default:
      return s.fail(kTQParseOperandExpected);
  }
  return s.advance();
}

bool tqParseConvertRelation(TQParseState& s, TQRelOpStruct* relOp) {
  const TQRelationMarks& marks = s.marks;
  if (marks.enumerated && !marks.time) {
    if (isText(relOp->left)) return enumerationIndex(s, &relOp->left.u.value);
    if (isText(relOp->right)) return enumerationIndex(s, &relOp->right.u.value);
    return true;
  }
  if (marks.time && !marks.enumerated) {
    return timeOperand(s, &relOp->left, relOp->right.tag != TQ_ARITHMETIC) &&
           timeOperand(s, &relOp->right, relOp->left.tag != TQ_ARITHMETIC);
  }
  return true;
}
