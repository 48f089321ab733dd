// The grammar of a qualification, read top-down:
//
//   qualification := and-level { OR and-level }
//   and-level     := unary { AND unary }
//   unary         := { NOT } primary
//   primary       := "(" qualification ")" | relation
//   relation      := expression relational-operator expression
//   expression    := term { ("+" | "-") term }
//   term          := factor { ("*" | "/" | "%") factor }
//   factor        := { "-" } ( "(" expression ")" | operand )
//
// Equal operators group from the left. A "(" at the start of a primary is
// first read as a qualification parenthesis; when it closes right after the
// left expression of a relation, it is read again as an expression
// parenthesis, so that ('A' + 1) > 2 is a relation.
//
// Every node is hung into the tree as soon as it is made, so that the tree
// stays whole at any error and the caller can release what was built. Chains
// are read in loops, so that only parentheses make the parser recurse, and
// the depth of the tree is bounded as it grows.
#include <algorithm>
#include <new>

#include "share/apisrv/error.h"
#include "share/useapi/parse/parse_state.h"

namespace {

using Node = TQQualifierStruct;
using Operand = TQFieldValueOrArithStruct;

bool qualification(TQParseState& s, Node* into, uint32_t* depth);
bool expression(TQParseState& s, Operand* target, uint32_t* depth);

bool withinDepth(TQParseState& s, uint32_t depth) {
  return depth <= kTQMaxQualifierDepth || s.fail(kTQParseTooDeep);
}

bool enterParenthesis(TQParseState& s) {
  if (s.parenDepth >= kTQMaxParenDepth) return s.fail(kTQParseTooManyParens);
  ++s.parenDepth;
  return s.advance();
}

// A chain of AND (or of OR) nodes, grouped from the left: each operator
// makes a node whose left child is the tree so far.
template <class Next>
bool logicalChain(TQParseState& s, Node* into, uint32_t* depth, TQToken op, uint32_t operation,
                  Next next) {
  if (!next(s, into, depth)) return false;
  while (s.token.kind == op) {
    if (!withinDepth(s, *depth + 1)) return false;
    Node* left = tqParseNew<Node>();
    if (left == nullptr) return s.noMemory();
    *left = *into;
    *into = Node{};
    into->operation = operation;
    into->u.andor.left = left;
    Node* right = tqParseNew<Node>();
    if (right == nullptr) return s.noMemory();
    into->u.andor.right = right;
    if (!s.advance()) return false;
    uint32_t rightDepth = 0;
    const bool ok = next(s, right, &rightDepth);
    *depth = 1 + std::max(*depth, rightDepth);
    if (!ok || !withinDepth(s, *depth)) return false;
  }
  return true;
}

uint32_t relationalOperator(TQToken kind) {
  switch (kind) {
    case TQToken::kEqual:
      return TQ_REL_OP_EQUAL;
    case TQToken::kGreater:
      return TQ_REL_OP_GREATER;
    case TQToken::kGreaterEqual:
      return TQ_REL_OP_GREATER_EQUAL;
    case TQToken::kLess:
      return TQ_REL_OP_LESS;
    case TQToken::kLessEqual:
      return TQ_REL_OP_LESS_EQUAL;
    case TQToken::kNotEqual:
      return TQ_REL_OP_NOT_EQUAL;
    case TQToken::kLike:
      return TQ_REL_OP_LIKE;
    default:
      return 0;
  }
}

bool relation(TQParseState& s, Node* into, uint32_t* depth) {
  auto* relOp = tqParseNew<TQRelOpStruct>();
  if (relOp == nullptr) return s.noMemory();
  into->operation = TQ_COND_OP_REL_OP;
  into->u.relOp = relOp;
  s.marks = TQRelationMarks{};
  uint32_t left = 0;
  uint32_t right = 0;
  if (!expression(s, &relOp->left, &left)) return false;
  relOp->operation = relationalOperator(s.token.kind);
  if (relOp->operation == 0) {
    if (s.token.kind != TQToken::kClose) return s.fail(kTQParseRelOpExpected);
    if (s.qualifierParens == 0) return s.fail(kTQParseUnbalanced);
    s.rereadParen = true;
    return s.fail(kTQParseRelOpExpected);
  }
  if (!s.advance() || !expression(s, &relOp->right, &right)) return false;
  *depth = 1 + std::max(left, right);
  return withinDepth(s, *depth) && tqParseConvertRelation(s, relOp);
}

bool primary(TQParseState& s, Node* into, uint32_t* depth) {
  if (s.token.kind != TQToken::kOpen) return relation(s, into, depth);
  const size_t open = s.token.start;
  const int parensBefore = s.parenDepth;
  if (!enterParenthesis(s)) return false;
  ++s.qualifierParens;
  const bool ok = qualification(s, into, depth);
  --s.qualifierParens;
  if (ok) {
    if (s.token.kind != TQToken::kClose) return s.fail(kTQParseUnbalanced);
    --s.parenDepth;
    return s.advance();
  }
  if (!s.rereadParen) return false;
  // The parenthesis held an expression: read it again as the start of a
  // relation.
  FreeTQQualifierStruct(into, 0);
  *into = Node{};
  s.rereadParen = false;
  s.error = 0;
  s.parenDepth = parensBefore;
  return s.restart(open) && relation(s, into, depth);
}

bool unary(TQParseState& s, Node* into, uint32_t* depth) {
  uint32_t negations = 0;
  while (s.token.kind == TQToken::kNot) {
    if (!withinDepth(s, ++negations)) return false;
    Node* negated = tqParseNew<Node>();
    if (negated == nullptr) return s.noMemory();
    into->operation = TQ_COND_OP_NOT;
    into->u.negated = negated;
    into = negated;
    if (!s.advance()) return false;
  }
  uint32_t inner = 0;
  if (!primary(s, into, &inner)) return false;
  *depth = negations + inner;
  if (!withinDepth(s, *depth)) return false;
  switch (s.token.kind) {
    case TQToken::kEnd:
    case TQToken::kClose:
    case TQToken::kAnd:
    case TQToken::kOr:
      return true;
    default:
      return s.fail(kTQParseAndOrExpected);
  }
}

bool andLevel(TQParseState& s, Node* into, uint32_t* depth) {
  return logicalChain(s, into, depth, TQToken::kAnd, TQ_COND_OP_AND, unary);
}

bool qualification(TQParseState& s, Node* into, uint32_t* depth) {
  return logicalChain(s, into, depth, TQToken::kOr, TQ_COND_OP_OR, andLevel);
}

// ------------------------------------------------------------ expressions

bool factor(TQParseState& s, Operand* target, uint32_t* depth) {
  uint32_t negations = 0;
  while (s.token.kind == TQToken::kMinus) {
    if (!withinDepth(s, ++negations)) return false;
    auto* negate = tqParseNew<TQArithOpStruct>();
    if (negate == nullptr) return s.noMemory();
    negate->operation = TQ_ARITH_OP_NEGATE;
    negate->left.tag = TQ_FIELD;  // a negation has no left operand
    target->tag = TQ_ARITHMETIC;
    target->u.arithOp = negate;
    target = &negate->right;
    if (!s.advance()) return false;
  }
  uint32_t inner = 0;
  if (s.token.kind == TQToken::kOpen) {
    if (!enterParenthesis(s) || !expression(s, target, &inner)) return false;
    if (s.token.kind != TQToken::kClose) {
      return s.fail(s.token.kind == TQToken::kEnd ? kTQParseUnbalanced : kTQParseSyntax);
    }
    --s.parenDepth;
    if (!s.advance()) return false;
  } else if (!tqParseValueOperand(s, target)) {
    return false;
  }
  *depth = negations + inner;
  return withinDepth(s, *depth);
}

// A chain of arithmetic operations of one precedence, grouped from the left.
template <class Next, class Operation>
bool arithmeticChain(TQParseState& s, Operand* target, uint32_t* depth, Operation operationOf,
                     Next next) {
  if (!next(s, target, depth)) return false;
  for (uint32_t operation = operationOf(s.token.kind); operation != 0;
       operation = operationOf(s.token.kind)) {
    if (!withinDepth(s, *depth + 1)) return false;
    auto* arith = tqParseNew<TQArithOpStruct>();
    if (arith == nullptr) return s.noMemory();
    arith->operation = operation;
    arith->left = *target;
    *target = Operand{};
    target->tag = TQ_ARITHMETIC;
    target->u.arithOp = arith;
    if (!s.advance()) return false;
    uint32_t rightDepth = 0;
    const bool ok = next(s, &arith->right, &rightDepth);
    *depth = 1 + std::max(*depth, rightDepth);
    if (!ok || !withinDepth(s, *depth)) return false;
  }
  return true;
}

uint32_t multiplicative(TQToken kind) {
  switch (kind) {
    case TQToken::kMultiply:
      return TQ_ARITH_OP_MULTIPLY;
    case TQToken::kDivide:
      return TQ_ARITH_OP_DIVIDE;
    case TQToken::kModulo:
      return TQ_ARITH_OP_MODULO;
    default:
      return 0;
  }
}

uint32_t additive(TQToken kind) {
  if (kind == TQToken::kAdd) return TQ_ARITH_OP_ADD;
  return kind == TQToken::kMinus ? TQ_ARITH_OP_SUBTRACT : 0;
}

bool term(TQParseState& s, Operand* target, uint32_t* depth) {
  return arithmeticChain(s, target, depth, multiplicative, factor);
}

bool expression(TQParseState& s, Operand* target, uint32_t* depth) {
  return arithmeticChain(s, target, depth, additive, term);
}

// The whole text: a qualification and nothing after it.
bool wholeText(TQParseState& s, Node* out) {
  uint32_t depth = 0;
  if (!s.restart(0) || !qualification(s, out, &depth)) return false;
  if (s.token.kind == TQToken::kEnd) return true;
  return s.fail(s.token.kind == TQToken::kClose ? kTQParseUnbalanced : kTQParseSyntax);
}

}  // namespace

// ------------------------------------------------------------ parse state

bool TQParseState::advance() {
  if (tqReadToken(text, token.end, &token)) return true;
  return fail(kTQParseOpenQuote, token.start);
}

bool TQParseState::restart(size_t at) {
  token = TQTokenRead{};
  token.end = at;
  return advance();
}

bool TQParseState::fail(int32_t number, size_t at) {
  if (error == 0) {
    error = number;
    errorAt = at;
  }
  return false;
}

bool TQParseState::noMemory() {
  return fail(kTQMsgNoMemory, token.start);
}

// ------------------------------------------------------------------ entry

uint32_t tqParseQualification(const TQParseContext& context, const char* text,
                              TQQualifierStruct* out, TQStatusList* status) {
  *out = TQQualifierStruct{};
  if (tqParseTextIsBlank(text)) return TQ_RETURN_OK;
  while (*text == ' ' || *text == '\t')
    ++text;
  TQParseState state(context, text);
  bool ok = false;
  try {
    ok = wholeText(state, out);
  } catch (const std::bad_alloc&) {
    state.noMemory();
  }
  if (ok) return TQ_RETURN_OK;
  if (state.substitutionFailed) {
    FreeTQQualifierStruct(out, 0);
    *out = TQQualifierStruct{};
    TQAppendStatus(status, TQ_MSG_ERROR, kTQMsgNoMemory, nullptr);
    return TQ_RETURN_ERROR;
  }
  std::string where;
  try {
    where = tqParsePositionText(text, state.errorAt);
  } catch (const std::bad_alloc&) {
    where.clear();
  }
  TQAppendStatus(status, TQ_MSG_ERROR, state.error, where.c_str());
  return TQ_RETURN_ERROR;
}
