// A qualification tree as one compact line, so that a test case is one line:
//
//   AND(NOT(=(f7, e1)), >(sh(1,2), -($2, 3600)))
//
// Nodes: AND(l, r), OR(l, r), NOT(q), and a relation as its operator with
// both operands. Operands: fN field, sh(index,selector) status history,
// +(l, r) - * / % arithmetic, neg(r) negation; values NULL, $N keyword,
// plain integers, rX reals, "text", eN enumerated, tN time stamp.
#pragma once

#include <string>

#include "tqlink.h"

namespace parsetest {

std::string qualifierText(const TQQualifierStruct& qualifier);

}  // namespace parsetest
