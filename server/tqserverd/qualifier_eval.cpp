// The qualification evaluator (see qualifier_eval.h).
#include "qualifier_eval.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "entry_values.h"

namespace tqsd {
namespace {

// Deeper trees are refused rather than walked: the walk is recursive.
constexpr int kMaxDepth = 200;
constexpr int64_t kSecondsPerDay = 86400;

enum Keyword : uint32_t {
  kKeyDefault = 0,
  kKeyUser = 1,
  kKeyTimestamp = 2,
  kKeyTime = 3,
  kKeyDate = 4,
  kKeySchema = 5,
  kKeyServer = 6,
  kKeyWeekday = 7,
  kKeyOperation = 9,
};

[[noreturn]] void cannot(const std::string& what) {
  throw EvalError(kMsgCannotEvaluate, what);
}

void checkDepth(int depth) {
  if (depth > kMaxDepth) cannot("the qualification is nested more than 200 deep");
}

bool isNull(const StoredValue& v) {
  return v.dataType == TQ_DATA_TYPE_NULL;
}

bool isText(uint32_t type) {
  return type == TQ_DATA_TYPE_CHAR || type == TQ_DATA_TYPE_DIARY;
}

bool isIntegral(uint32_t type) {
  return type == TQ_DATA_TYPE_INTEGER || type == TQ_DATA_TYPE_ENUM || type == TQ_DATA_TYPE_TIME ||
         type == TQ_DATA_TYPE_BITMASK || type == TQ_DATA_TYPE_ULONG;
}

// The number a value stands for, when it stands for one.
std::optional<double> numberOf(const StoredValue& v) {
  if (isIntegral(v.dataType)) return static_cast<double>(v.number);
  if (v.dataType == TQ_DATA_TYPE_REAL) return v.real;
  if (v.dataType == TQ_DATA_TYPE_DECIMAL || isText(v.dataType)) {
    const char* start = v.text.c_str();
    char* end = nullptr;
    const double d = std::strtod(start, &end);
    if (end == start || *end != '\0' || v.text.empty()) return std::nullopt;
    return d;
  }
  return std::nullopt;
}

StoredValue text(std::string t) {
  StoredValue v;
  v.dataType = TQ_DATA_TYPE_CHAR;
  v.text = std::move(t);
  return v;
}

StoredValue integral(uint32_t type, int64_t n) {
  StoredValue v;
  v.dataType = type;
  v.number = n;
  return v;
}

StoredValue real(double d) {
  StoredValue v;
  v.dataType = TQ_DATA_TYPE_REAL;
  v.real = d;
  return v;
}

std::string hostName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) return "localhost";
  return name;
}

StoredValue keywordValue(uint32_t keyword, const EvalContext& context) {
  const time_t now = context.now;
  switch (keyword) {
    case kKeyDefault:
      return {};
    case kKeyUser:
      return text(context.user);
    case kKeyTimestamp:
    case kKeyTime:
      return integral(TQ_DATA_TYPE_TIME, now);
    case kKeyDate:
      return integral(TQ_DATA_TYPE_TIME, now - now % kSecondsPerDay);
    case kKeySchema:
      return text(context.form.name);
    case kKeyServer:
      return text(hostName());
    case kKeyWeekday: {
      static const char* const kDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
      struct tm parts {};
      gmtime_r(&now, &parts);
      return text(kDays[parts.tm_wday % 7]);
    }
    case kKeyOperation:
      return text("QUERY");
    default:
      break;
  }
  if (keyword > 21) cannot("keyword " + std::to_string(keyword));
  return text("");
}

// A value of a request as the store keeps values.
StoredValue requestValue(const TQValueStruct& value, const EvalContext& context) {
  switch (value.dataType) {
    case TQ_DATA_TYPE_NULL:
      return {};
    case TQ_DATA_TYPE_KEYWORD:
      return keywordValue(value.u.keyNum, context);
    case TQ_DATA_TYPE_INTEGER:
      return integral(value.dataType, value.u.intVal);
    case TQ_DATA_TYPE_REAL:
      return real(value.u.realVal);
    case TQ_DATA_TYPE_ENUM:
    case TQ_DATA_TYPE_BITMASK:
    case TQ_DATA_TYPE_ULONG:
      return integral(value.dataType, value.u.enumVal);
    case TQ_DATA_TYPE_TIME:
      return integral(value.dataType, value.u.timeVal);
    case TQ_DATA_TYPE_CHAR:
    case TQ_DATA_TYPE_DIARY:
    case TQ_DATA_TYPE_DECIMAL: {
      StoredValue v = text(value.u.charVal != nullptr ? value.u.charVal : "");
      v.dataType = value.dataType;
      return v;
    }
    default:
      cannot("a value of data type " + std::to_string(value.dataType));
  }
}

void checkField(const EvalContext& context, uint32_t fieldId) {
  if (context.form.field(fieldId) == nullptr) {
    throw EvalError(kMsgNoSuchField, std::to_string(fieldId));
  }
}

bool isFieldTag(uint32_t tag) {
  return tag == TQ_FIELD || tag == TQ_FIELD_TRAN || tag == TQ_FIELD_DB || tag == TQ_FIELD_CURRENT;
}

StoredValue arithmetic(uint32_t op, const StoredValue& a, const StoredValue& b) {
  if (op == TQ_ARITH_OP_NEGATE) {
    if (isNull(b)) return {};
    std::optional<double> n = numberOf(b);
    if (!n) cannot("the negation of a text");
    return isIntegral(b.dataType) ? integral(TQ_DATA_TYPE_INTEGER, -b.number) : real(-*n);
  }
  if (isNull(a) || isNull(b)) return {};
  std::optional<double> x = numberOf(a);
  std::optional<double> y = numberOf(b);
  if (!x || !y) cannot("arithmetic on a text");
  const bool integers = isIntegral(a.dataType) && isIntegral(b.dataType);
  // A time plus or minus a number is a time.
  const uint32_t type = (a.dataType == TQ_DATA_TYPE_TIME) != (b.dataType == TQ_DATA_TYPE_TIME) &&
                                (op == TQ_ARITH_OP_ADD || op == TQ_ARITH_OP_SUBTRACT)
                            ? TQ_DATA_TYPE_TIME
                            : TQ_DATA_TYPE_INTEGER;
  switch (op) {
    case TQ_ARITH_OP_ADD:
      return integers ? integral(type, a.number + b.number) : real(*x + *y);
    case TQ_ARITH_OP_SUBTRACT:
      return integers ? integral(type, a.number - b.number) : real(*x - *y);
    case TQ_ARITH_OP_MULTIPLY:
      return integers ? integral(TQ_DATA_TYPE_INTEGER, a.number * b.number) : real(*x * *y);
    case TQ_ARITH_OP_DIVIDE:
      if (*y == 0) return {};
      return integers ? integral(TQ_DATA_TYPE_INTEGER, a.number / b.number) : real(*x / *y);
    case TQ_ARITH_OP_MODULO:
      if (!integers || b.number == 0) return {};
      return integral(TQ_DATA_TYPE_INTEGER, a.number % b.number);
    default:
      cannot("arithmetic operation " + std::to_string(op));
  }
}

StoredValue operand(const TQFieldValueOrArithStruct& o, const EvalContext& context,
                    const Entry* entry, int depth);

StoredValue statusHistory(const TQStatHistoryValue& h, const EvalContext& context,
                          const Entry* entry) {
  const FieldDef* status = context.form.field(kFieldStatus);
  if (status == nullptr) cannot("a status history on a form without a status field");
  if (h.enumIndex >= status->enumValues.size()) {
    cannot("status history of status " + std::to_string(h.enumIndex));
  }
  if (h.userOrTime != TQ_STAT_HISTORY_USER && h.userOrTime != TQ_STAT_HISTORY_TIME) {
    cannot("status history selector " + std::to_string(h.userOrTime));
  }
  if (entry == nullptr || h.enumIndex >= entry->statusHistory.size()) return {};
  const std::optional<Stamp>& stamp = entry->statusHistory[h.enumIndex];
  if (!stamp) return {};
  return h.userOrTime == TQ_STAT_HISTORY_USER ? text(stamp->user)
                                              : integral(TQ_DATA_TYPE_TIME, stamp->time);
}

// `entry` is nullptr while the tree is only checked.
StoredValue operand(const TQFieldValueOrArithStruct& o, const EvalContext& context,
                    const Entry* entry, int depth) {
  checkDepth(depth);
  if (isFieldTag(o.tag)) {
    checkField(context, o.u.fieldId);
    return entry != nullptr ? readValue(context.form, *entry, o.u.fieldId) : StoredValue{};
  }
  switch (o.tag) {
    case TQ_VALUE:
      return requestValue(o.u.value, context);
    case TQ_ARITHMETIC: {
      const TQArithOpStruct* op = o.u.arithOp;
      if (op == nullptr) cannot("an arithmetic operand without its operation");
      StoredValue right = operand(op->right, context, entry, depth + 1);
      StoredValue left = op->operation == TQ_ARITH_OP_NEGATE
                             ? StoredValue{}
                             : operand(op->left, context, entry, depth + 1);
      if (entry == nullptr) {
        if (op->operation < TQ_ARITH_OP_ADD || op->operation > TQ_ARITH_OP_NEGATE) {
          cannot("arithmetic operation " + std::to_string(op->operation));
        }
        return {};
      }
      return arithmetic(op->operation, left, right);
    }
    case TQ_STAT_HISTORY:
      return statusHistory(o.u.statHistory, context, entry);
    default:
      break;
  }
  cannot("an operand of kind " + std::to_string(o.tag));
}

// Three-way order of two non-null values; nullopt when they cannot be ordered.
int order(const StoredValue& a, const StoredValue& b) {
  const bool textual = isText(a.dataType) && isText(b.dataType);
  if (!textual) {
    std::optional<double> x = numberOf(a);
    std::optional<double> y = numberOf(b);
    if (x && y) return *x < *y ? -1 : (*x > *y ? 1 : 0);
  }
  const std::string ta = valueText(a);
  const std::string tb = valueText(b);
  const int c = ta.compare(tb);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool equal(const StoredValue& a, const StoredValue& b) {
  if (isNull(a) || isNull(b)) return isNull(a) && isNull(b);
  return order(a, b) == 0;
}

// LIKE: % any run of bytes, _ one byte; iterative, with one point to come
// back to, so that no pattern makes it slow or deep.
bool like(const std::string& s, const std::string& p) {
  size_t i = 0, j = 0, star = std::string::npos, mark = 0;
  while (i < s.size()) {
    if (j < p.size() && (p[j] == '_' || p[j] == s[i])) {
      ++i;
      ++j;
    } else if (j < p.size() && p[j] == '%') {
      star = j++;
      mark = i;
    } else if (star != std::string::npos) {
      j = star + 1;
      i = ++mark;
    } else {
      return false;
    }
  }
  while (j < p.size() && p[j] == '%')
    ++j;
  return j == p.size();
}

bool relation(const TQRelOpStruct& rel, const EvalContext& context, const Entry* entry, int depth) {
  StoredValue left = operand(rel.left, context, entry, depth + 1);
  if (rel.operation == TQ_REL_OP_IN) {
    if (rel.right.tag != TQ_VALUE_SET) cannot("IN without a value set");
    const TQValueList& set = rel.right.u.valueSet;
    if (set.numItems > 0 && set.valueList == nullptr) cannot("an empty value set");
    for (uint32_t i = 0; i < set.numItems; ++i) {
      StoredValue v = requestValue(set.valueList[i], context);
      if (entry != nullptr && equal(left, v)) return true;
    }
    return false;
  }
  StoredValue right = operand(rel.right, context, entry, depth + 1);
  if (rel.operation < TQ_REL_OP_EQUAL || rel.operation > TQ_REL_OP_LIKE) {
    cannot("relational operation " + std::to_string(rel.operation));
  }
  if (entry == nullptr) return false;
  switch (rel.operation) {
    case TQ_REL_OP_EQUAL:
      return equal(left, right);
    case TQ_REL_OP_NOT_EQUAL:
      return !equal(left, right);
    case TQ_REL_OP_LIKE:
      if (isNull(left) || isNull(right)) return false;
      return like(valueText(left), valueText(right));
    default:
      break;
  }
  if (isNull(left) || isNull(right)) return false;
  const int c = order(left, right);
  switch (rel.operation) {
    case TQ_REL_OP_GREATER:
      return c > 0;
    case TQ_REL_OP_GREATER_EQUAL:
      return c >= 0;
    case TQ_REL_OP_LESS:
      return c < 0;
    default:
      return c <= 0;
  }
}

bool walk(const TQQualifierStruct& q, const EvalContext& context, const Entry* entry, int depth) {
  checkDepth(depth);
  auto child = [&](const TQQualifierStruct* node) -> const TQQualifierStruct& {
    if (node == nullptr) cannot("a qualification node without its operand");
    return *node;
  };
  switch (q.operation) {
    case TQ_COND_OP_NONE:
      return true;
    case TQ_COND_OP_AND: {
      const bool left = walk(child(q.u.andor.left), context, entry, depth + 1);
      if (entry != nullptr && !left) return false;
      return walk(child(q.u.andor.right), context, entry, depth + 1) && left;
    }
    case TQ_COND_OP_OR: {
      const bool left = walk(child(q.u.andor.left), context, entry, depth + 1);
      if (entry != nullptr && left) return true;
      return walk(child(q.u.andor.right), context, entry, depth + 1) || left;
    }
    case TQ_COND_OP_NOT:
      return !walk(child(q.u.negated), context, entry, depth + 1);
    case TQ_COND_OP_REL_OP:
      if (q.u.relOp == nullptr) cannot("a relational node without its operation");
      return relation(*q.u.relOp, context, entry, depth);
    default:
      break;
  }
  cannot("qualification operation " + std::to_string(q.operation));
}

}  // namespace

bool qualifies(const TQQualifierStruct& qualifier, const EvalContext& context, const Entry& entry) {
  return walk(qualifier, context, &entry, 0);
}

void checkQualifier(const TQQualifierStruct& qualifier, const EvalContext& context) {
  walk(qualifier, context, nullptr, 0);
}

StoredValue evaluateOperand(const TQFieldValueOrArithStruct& o, const EvalContext& context,
                            const Entry& entry) {
  return operand(o, context, &entry, 0);
}

int orderValues(const StoredValue& a, const StoredValue& b) {
  if (isNull(a) || isNull(b)) return isNull(a) == isNull(b) ? 0 : (isNull(a) ? -1 : 1);
  return order(a, b);
}

std::string valueText(const StoredValue& value, const FieldDef* field) {
  switch (value.dataType) {
    case TQ_DATA_TYPE_NULL:
      return "";
    case TQ_DATA_TYPE_REAL: {
      char buf[64];
      std::snprintf(buf, sizeof buf, "%.15g", value.real);
      return buf;
    }
    case TQ_DATA_TYPE_ENUM:
      if (field != nullptr && value.number >= 0 &&
          static_cast<size_t>(value.number) < field->enumValues.size()) {
        return field->enumValues[static_cast<size_t>(value.number)];
      }
      return std::to_string(value.number);
    default:
      break;
  }
  if (isIntegral(value.dataType)) return std::to_string(value.number);
  return value.text;
}

}  // namespace tqsd
