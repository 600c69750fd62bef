// Numeric variables: loading their declarations, formulas in conclusions and comparisons in
// conditions. Every expression is one word with one operator between two operands.
#ifndef VEKSA_ENGINE_VARIABLES_H_
#define VEKSA_ENGINE_VARIABLES_H_

#include <optional>

#include "engine/host.h"
#include "engine/workspace.h"

namespace veksa {

// VVar: appends one VariableTable row (name, value text) per declaration line after the
// "ПЕРЕМЕННЫЕ:" header, up to the first "РАЗДЕЛ" or "NAME" line. Does not clear the table.
void VVar(Workspace& ws);

// The value of an operand text: a leading "~" negates; a number with a point; otherwise the last
// VariableTable row of that name. Nothing when the name is undeclared. Raises the conversion error
// when the variable's value text does not convert. `name` receives the text without its "~".
std::optional<long double> operandValue(const Workspace& ws, std::u16string_view text, Line& name,
                                        bool& isNumber);

// Idenex1: evaluates one formula ("=X+5", "=D:=A", "=X^2"), stores the result in the variable on
// its left and writes the protocol row ("Переменная", name, value). Messages through the host;
// raises RunError on division by zero, 0/0, overflow and unconvertible values.
void Idenex1(Workspace& ws, Host& host, std::u16string_view formula);

// Idenex2: evaluates one comparison ("=X>5.5", "=X<>5", "=X:=5"): 1 when it holds, -1 when not,
// which the condition takes as its certainty; nothing after a message (the certainty then stays
// as it was).
std::optional<long double> Idenex2(Workspace& ws, Host& host, std::u16string_view comparison);

// "^": L multiplied by itself while j = 1, 2, ... stays below R; overflow raises RunError. Ends
// quickly for any exponent.
long double repeatedPower(long double base, long double exponent);

}  // namespace veksa

#endif  // VEKSA_ENGINE_VARIABLES_H_
