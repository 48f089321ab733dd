// The state of one parse, shared by the grammar (parse_grammar.cpp) and the
// operand rules (parse_operands.cpp): the text and the current token, the
// relation being read, and the first error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "share/apisrv/memory.h"
#include "share/apisrv/messages.h"
#include "share/useapi/parse/parse.h"
#include "share/useapi/parse/parse_keywords.h"
#include "share/useapi/parse/parse_tokens.h"
#include "tqlink.h"

// What the operands of the relation being read have shown.
struct TQRelationMarks {
  bool enumerated = false;
  bool time = false;
  const TQParseField* enumField = nullptr;  // the first enumerated field
  // The text of every character value of the relation with the offset of its
  // token, for the error positions of the conversions after the relation.
  std::vector<std::pair<const char*, size_t>> texts;
};

struct TQParseState {
  const TQParseContext& context;
  const char* text;  // from its first non-blank character
  TQTokenRead token;
  int parenDepth = 0;
  int qualifierParens = 0;  // open parentheses read as qualification ones
  TQRelationMarks marks;
  TQKeywordCache keywords;
  // The first error: its number and offset; substitution failures carry no
  // offset and release the tree.
  int32_t error = 0;
  size_t errorAt = 0;
  bool substitutionFailed = false;
  // Set with the error when a relation's left expression met the close of
  // the innermost qualification parenthesis: that one is read again as an
  // expression parenthesis.
  bool rereadParen = false;

  TQParseState(const TQParseContext& c, const char* t) : context(c), text(t) {}

  // Moves to the next token; false on an unclosed quote (error set).
  bool advance();
  // Goes back to the token at offset at.
  bool restart(size_t at);
  // Records an error at an offset (the first one counts); returns false.
  bool fail(int32_t number, size_t at);
  bool fail(int32_t number) { return fail(number, token.start); }
  // An allocation that failed while parsing.
  bool noMemory();
};

// A zeroed heap block through the allocation seam; nullptr on failure.
template <class T>
T* tqParseNew() {
  return static_cast<T*>(tqMemCalloc(1, sizeof(T)));
}

// Operand rules (parse_operands.cpp). Each fills *target from the current
// token and moves past it; false with the error set.
bool tqParseValueOperand(TQParseState& state, TQFieldValueOrArithStruct* target);
// Conversions after a relation: enumeration names and times.
bool tqParseConvertRelation(TQParseState& state, TQRelOpStruct* relOp);
