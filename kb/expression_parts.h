// The parts of the one-operator expressions of the rule language: formulas in conclusions ("=X+5",
// "=D:=A") and comparisons in conditions ("=X>5.5", "=X<>5").
#ifndef VEKSA_KB_EXPRESSION_PARTS_H_
#define VEKSA_KB_EXPRESSION_PARTS_H_

#include "kb/text.h"

namespace veksa {

// The left operand, the operator and the right operand of an expression word. Without an operator
// `op` and `right` are empty.
struct ExpressionParts {
  Line left, op, right;
};

// A formula, with or without its leading "=": the left operand ends at the first of "+-*/:^";
// ":" takes the next character with it (":=").
ExpressionParts splitFormula(std::u16string_view word);

// A comparison word (its "=" at position 1): the left operand ends at the first of ":<>"; ":"
// takes the next character, "<" a following ">", and then a following "=" joins ("<=", ">=").
ExpressionParts splitComparison(std::u16string_view word);

// True when the text has the form of an operand number (sign, digits, an optional point with
// digits after it, an optional exponent), whether or not its value fits a long double.
bool hasNumberForm(std::u16string_view text);

}  // namespace veksa

#endif  // VEKSA_KB_EXPRESSION_PARTS_H_
