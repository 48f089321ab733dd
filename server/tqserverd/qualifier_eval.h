// The evaluation of a qualification (a TQQualifierStruct tree) against the
// entries of a form, and of single operands (the target of a statistic).
//
// The tree is evaluated in C++ over each entry as the store gives it back
// (entry_store.h), not translated into SQL: the values a search compares are
// exactly the ones a get answers (the server's own fields, encoded diaries
// and status histories included), and no text of a client ever becomes part
// of a statement.
//
// What is compared:
//   - AND, OR, NOT, and the relational operations: EQUAL, GREATER,
//     GREATER_EQUAL, LESS, LESS_EQUAL, NOT_EQUAL, LIKE (% any run, _ one
//     byte) and IN (the right side a value set);
//   - operands: fields (FIELD, FIELD TRAN, FIELD DB and FIELD of the current
//     screen all read the stored value), values, keywords, arithmetic (ADD,
//     SUBTRACT, MULTIPLY, DIVIDE, MODULO, NEGATE), status-history values
//     (the user or the time a status was last set) and value sets;
//   - numbers (integer, real, enumerated, time, bitmask, ulong, decimal)
//     compare by value, texts byte by byte; a text compared with a number is
//     read as a number when it is one.
//   - NULL: EQUAL holds between two nulls, NOT_EQUAL between a null and a
//     value; every other comparison with a null, LIKE included, fails, and
//     arithmetic with a null (or a division by zero) gives null.
// Keywords: 0 DEFAULT (null), 1 USER (the caller), 2 TIMESTAMP (now), 3 TIME
// (now), 4 DATE (today, 00:00 UTC), 5 SCHEMA (the form's name), 6 SERVER
// (this host's name), 7 WEEKDAY (today's name, in English), 9 OPERATION
// ("QUERY"); the others give an empty text.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "entry_store.h"
#include "form_store.h"
#include "tqlink.h"

namespace tqsd {

inline constexpr int32_t kMsgCannotEvaluate = 9390;  // appended: what cannot be evaluated

// A qualification that cannot be evaluated: an unknown field, an operation
// or operand kind this server does not know, a tree nested too deeply.
struct EvalError : std::runtime_error {
  EvalError(int32_t number, const std::string& text) : std::runtime_error(text), number(number) {}
  int32_t number;
};

// Who evaluates, on what: the caller's user and the time of the call.
struct EvalContext {
  const FormDef& form;
  std::string user;
  TQTimestamp now = 0;
};

// Whether the entry matches; an empty qualification (operation 0) matches
// every entry. Throws EvalError.
bool qualifies(const TQQualifierStruct& qualifier, const EvalContext& context, const Entry& entry);

// Checks a qualification before any entry is read (unknown fields, unknown
// kinds, depth), so that a form without entries refuses it too. Throws
// EvalError.
void checkQualifier(const TQQualifierStruct& qualifier, const EvalContext& context);

// The value of an operand for an entry. Throws EvalError.
StoredValue evaluateOperand(const TQFieldValueOrArithStruct& operand, const EvalContext& context,
                            const Entry& entry);

// The order of two stored values as a sort or a statistic sees them: nulls
// first, numbers by value, texts byte by byte. -1, 0 or 1.
int orderValues(const StoredValue& a, const StoredValue& b);

// A value as the text of a column or a comparison: numbers in decimal (an
// enumerated value by its name when the field is known), texts as they are.
std::string valueText(const StoredValue& value, const FieldDef* field = nullptr);

}  // namespace tqsd
