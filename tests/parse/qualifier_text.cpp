// The compact one-line form of a qualification tree (see qualifier_text.h).
#include "qualifier_text.h"

#include <cstdio>

namespace parsetest {

namespace {

std::string operand(const TQFieldValueOrArithStruct& o);

std::string value(const TQValueStruct& v) {
  char buffer[64];
  switch (v.dataType) {
    case TQ_DATA_TYPE_NULL:
      return "NULL";
    case TQ_DATA_TYPE_KEYWORD:
      return "$" + std::to_string(v.u.keyNum);
    case TQ_DATA_TYPE_INTEGER:
      return std::to_string(v.u.intVal);
    case TQ_DATA_TYPE_REAL:
      std::snprintf(buffer, sizeof buffer, "r%g", v.u.realVal);
      return buffer;
    case TQ_DATA_TYPE_CHAR:
      return std::string("\"") + (v.u.charVal == nullptr ? "<null>" : v.u.charVal) + "\"";
    case TQ_DATA_TYPE_ENUM:
      return "e" + std::to_string(v.u.enumVal);
    case TQ_DATA_TYPE_TIME:
      return "t" + std::to_string(v.u.timeVal);
    default:
      return "<type " + std::to_string(v.dataType) + ">";
  }
}

std::string arith(const TQArithOpStruct* a) {
  if (a == nullptr) return "<no arith>";
  static const char* const kSigns[] = {"?", "+", "-", "*", "/", "%"};
  if (a->operation == TQ_ARITH_OP_NEGATE) return "neg(" + operand(a->right) + ")";
  const char* sign = a->operation < 6 ? kSigns[a->operation] : "?";
  return std::string(sign) + "(" + operand(a->left) + ", " + operand(a->right) + ")";
}

std::string operand(const TQFieldValueOrArithStruct& o) {
  switch (o.tag) {
    case TQ_FIELD:
      return "f" + std::to_string(o.u.fieldId);
    case TQ_VALUE:
      return value(o.u.value);
    case TQ_ARITHMETIC:
      return arith(o.u.arithOp);
    case TQ_STAT_HISTORY:
      return "sh(" + std::to_string(o.u.statHistory.enumIndex) + "," +
             std::to_string(o.u.statHistory.userOrTime) + ")";
    default:
      return "<tag " + std::to_string(o.tag) + ">";
  }
}

std::string relation(const TQRelOpStruct* r) {
  if (r == nullptr) return "<no relation>";
  static const char* const kOps[] = {"?", "=", ">", ">=", "<", "<=", "!=", "LIKE", "IN"};
  const char* op = r->operation < 9 ? kOps[r->operation] : "?";
  return std::string(op) + "(" + operand(r->left) + ", " + operand(r->right) + ")";
}

std::string node(const TQQualifierStruct* q) {
  return q == nullptr ? "<null>" : qualifierText(*q);
}

}  // namespace

std::string qualifierText(const TQQualifierStruct& q) {
  switch (q.operation) {
    case TQ_COND_OP_NONE:
      return "<none>";
    case TQ_COND_OP_AND:
      return "AND(" + node(q.u.andor.left) + ", " + node(q.u.andor.right) + ")";
    case TQ_COND_OP_OR:
      return "OR(" + node(q.u.andor.left) + ", " + node(q.u.andor.right) + ")";
    case TQ_COND_OP_NOT:
      return "NOT(" + node(q.u.negated) + ")";
    case TQ_COND_OP_REL_OP:
      return relation(q.u.relOp);
    default:
      return "<operation " + std::to_string(q.operation) + ">";
  }
}

}  // namespace parsetest
