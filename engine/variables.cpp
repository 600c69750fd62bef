// Variables, formulas and comparisons.
#include "engine/variables.h"

#include <cmath>
#include <cstdint>

#include "kb/expression_parts.h"
#include "kb/keywords.h"
#include "kb/locate.h"
#include "kb/number.h"
#include "kb/scan.h"

namespace veksa {

namespace {
constexpr std::u16string_view kNoVariables = u"Переменные не объявлены!";

Line undeclared(const Line& name) { return u"Переменная " + name + u" не объявлена!"; }

// A result that left the range of long double is a floating-point error.
long double checked(long double v) {
  if (std::isnan(v)) throw RunError(Line(kInvalidOperation));
  if (std::isinf(v)) throw RunError(Line(kOverflow));
  return v;
}

}  // namespace

void VVar(Workspace& ws) {
  auto header = findVariablesHeader(ws.lines);
  if (!header) return;
  for (std::size_t i = *header + 1; i < ws.lines.size(); ++i) {
    const Line& line = ws.lines[i];
    if (line.empty()) continue;
    std::size_t pos = 1;
    Line name = readWord(line, pos);
    if (name == kSectionWord || name == kName) return;
    Line value = readWord(line, pos);
    ws.variables.append({std::move(name), std::move(value)});
  }
}

std::optional<long double> operandValue(const Workspace& ws, std::u16string_view text, Line& name,
                                        bool& isNumber) {
  bool negate = false;
  if (!text.empty() && text[0] == u'~') {
    negate = true;
    text.remove_prefix(1);
  }
  name.assign(text);
  isNumber = false;
  std::optional<long double> value = parseOperandNumber(text);
  if (value) {
    isNumber = true;
  } else if (hasNumberForm(text)) {
    // A number too large for the arithmetic is a number that does not convert, not a name.
    throw conversionError(text);
  } else {
    const auto& rows = ws.variables.find(text);
    if (rows.empty()) return std::nullopt;
    value = ws.number(ws.variables.cell(rows.back(), 1));
  }
  return negate ? -*value : *value;
}

long double repeatedPower(long double base, long double exponent) {
  if (!(exponent > 1)) return base;
  long double multiplications = std::ceil(exponent) - 1;  // j = 1 .. ceil(R) - 1
  constexpr long double kStepLimit = 1000000;
  long double result = base;
  std::uint64_t steps = static_cast<std::uint64_t>(std::fmin(multiplications, kStepLimit));
  for (std::uint64_t j = 0; j < steps; ++j) {
    result = checked(result * base);
    if (result == 0) return result;
  }
  if (multiplications > kStepLimit) {
    // Beyond a million multiplications only the power itself can tell the outcome.
    result = checked(std::pow(base, multiplications + 1));
  }
  return result;
}

void Idenex1(Workspace& ws, Host& host, std::u16string_view formula) {
  if (ws.variables.empty()) {
    host.message(Line(kNoVariables));
    return;
  }
  ExpressionParts p = splitFormula(formula);
  Line leftName, rightName;
  bool leftIsNumber, rightIsNumber;
  auto left = operandValue(ws, p.left, leftName, leftIsNumber);
  if (!left || leftIsNumber) {
    // A number on the left has no variable to receive the result.
    host.message(undeclared(leftName));
    return;
  }
  if (p.op.empty()) {
    // No operator: the missing right operand is undeclared (even beside a row with an empty name).
    host.message(undeclared(Line()));
    return;
  }
  auto right = operandValue(ws, p.right, rightName, rightIsNumber);
  if (!right) {
    host.message(undeclared(rightName));
    return;
  }
  long double l = *left, r = *right, result = l;
  if (p.op == u"+") {
    result = checked(l + r);
  } else if (p.op == u"-") {
    result = checked(l - r);
  } else if (p.op == u"*") {
    result = checked(l * r);
  } else if (p.op == u"/") {
    if (r == 0) throw RunError(Line(l == 0 ? kInvalidOperation : kDivisionByZero));
    result = checked(l / r);
  } else if (p.op == u":=") {
    result = r;
  } else if (p.op == u"^") {
    result = repeatedPower(l, r);
  }
  Line text = ws.format(result);
  for (std::size_t row : ws.variables.find(leftName)) ws.variables.setCell(row, 1, text);
  ws.protocol.append({u"Переменная", leftName, text});
}

std::optional<long double> Idenex2(Workspace& ws, Host& host, std::u16string_view comparison) {
  if (ws.variables.empty()) {
    host.message(Line(kNoVariables));
    return std::nullopt;
  }
  ExpressionParts p = splitComparison(comparison);
  Line leftName, rightName;
  bool leftIsNumber, rightIsNumber;
  auto left = operandValue(ws, p.left, leftName, leftIsNumber);
  if (!left || leftIsNumber) {
    host.message(undeclared(leftName));
    return std::nullopt;
  }
  if (p.op.empty()) {
    host.message(undeclared(Line()));
    return std::nullopt;
  }
  auto right = operandValue(ws, p.right, rightName, rightIsNumber);
  if (!right) {
    host.message(undeclared(rightName));
    return std::nullopt;
  }
  long double l = *left, r = *right;
  bool holds = false;
  if (p.op == u":=") {
    holds = l == r;
  } else if (p.op == u"<>") {
    holds = l != r;
  } else if (p.op == u"<") {
    holds = l < r;
  } else if (p.op == u">") {
    holds = l > r;
  } else if (p.op == u"<=") {
    holds = l <= r;
  } else if (p.op == u">=") {
    holds = l >= r;
  }
  return holds ? 1 : -1;
}

}  // namespace veksa
