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

Line undeclared(std::u16string_view name) {
  return u"Переменная " + Line(name) + u" не объявлена!";
}

// A result that left the range of long double is a floating-point error.
long double checked(long double v) {
  if (std::isnan(v)) throw RunError(Line(kInvalidOperation));
  if (std::isinf(v)) throw RunError(Line(kOverflow));
  return v;
}

}  // namespace

std::vector<std::pair<Line, Line>> variableDeclarations(const Lines& lines) {
  std::vector<std::pair<Line, Line>> rows;
  auto header = findVariablesHeader(lines);
  if (!header) return rows;
  for (std::size_t i = *header + 1; i < lines.size(); ++i) {
    const Line& line = lines[i];
    if (line.empty()) continue;
    std::size_t pos = 1;
    Line name = readWord(line, pos);
    if (name == kSectionWord || name == kName) break;
    Line value = readWord(line, pos);
    rows.emplace_back(std::move(name), std::move(value));
  }
  return rows;
}

void VVar(Workspace& ws) {
  for (auto& [name, value] : variableDeclarations(ws.lines)) ws.variables.append({name, value});
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

namespace {

Operand compileOperand(std::u16string_view text, Symbols& symbols) {
  Operand o;
  if (!text.empty() && text[0] == u'~') {
    o.negate = true;
    text.remove_prefix(1);
  }
  o.name = symbols.intern(text);
  if (std::optional<long double> value = parseOperandNumber(text)) {
    o.kind = Operand::Kind::Number;
    o.number = *value;
  } else if (hasNumberForm(text)) {
    // A number too large for the arithmetic is a number that does not convert, not a name.
    o.kind = Operand::Kind::NumberTooLarge;
  }
  return o;
}

Operator operatorOf(std::u16string_view op) {
  static constexpr std::pair<std::u16string_view, Operator> kOperators[] = {
      {u"+", Operator::Plus},         {u"-", Operator::Minus},          {u"*", Operator::Times},
      {u"/", Operator::Divide},       {u":=", Operator::Assign},        {u"^", Operator::Power},
      {u"<>", Operator::NotEqual},    {u"<", Operator::Less},           {u">", Operator::Greater},
      {u"<=", Operator::LessOrEqual}, {u">=", Operator::GreaterOrEqual}};
  if (op.empty()) return Operator::None;
  for (const auto& [text, value] : kOperators) {
    if (text == op) return value;
  }
  return Operator::Other;
}

Expression compile(const ExpressionParts& p, Symbols& symbols) {
  return {compileOperand(p.left, symbols), compileOperand(p.right, symbols), operatorOf(p.op)};
}

// The value of an operand; nothing for an undeclared name. Raises the conversion error for a
// number too large, or a variable whose value does not convert.
std::optional<long double> operandValue(const Workspace& ws, const Operand& o) {
  long double v = o.number;
  if (o.kind == Operand::Kind::NumberTooLarge) throw conversionError(ws.symbols().text(o.name));
  if (o.kind == Operand::Kind::Name) {
    RowRange rows = ws.variables.find(o.name);
    if (rows.empty()) return std::nullopt;
    v = ws.variables.number(rows.back(), 1);
  }
  return o.negate ? -v : v;
}

// Both operand values of a formula or comparison, or nothing after the message that says what is
// missing: no variables at all, a left operand that is no declared variable (a number cannot
// receive a result either), no operator, an undeclared right operand.
std::optional<std::pair<long double, long double>> operands(Workspace& ws, Host& host,
                                                            const Expression& e) {
  if (ws.variables.empty()) {
    host.message(Line(kNoVariables));
    return std::nullopt;
  }
  std::optional<long double> left = operandValue(ws, e.left);
  if (!left || e.left.kind == Operand::Kind::Number) {
    host.message(undeclared(ws.symbols().text(e.left.name)));
    return std::nullopt;
  }
  if (e.op == Operator::None) {
    // The missing right operand is undeclared (even beside a row with an empty name).
    host.message(undeclared(u""));
    return std::nullopt;
  }
  std::optional<long double> right = operandValue(ws, e.right);
  if (!right) {
    host.message(undeclared(ws.symbols().text(e.right.name)));
    return std::nullopt;
  }
  return std::make_pair(*left, *right);
}

}  // namespace

Expression compileFormula(std::u16string_view w, Symbols& symbols) {
  return compile(splitFormula(w), symbols);
}

Expression compileComparison(std::u16string_view w, Symbols& symbols) {
  return compile(splitComparison(w), symbols);
}

void Idenex1(Workspace& ws, Host& host, const Expression& formula) {
  auto values = operands(ws, host, formula);
  if (!values) return;
  const auto [l, r] = *values;
  long double result = l;
  switch (formula.op) {
    case Operator::Plus:
      result = checked(l + r);
      break;
    case Operator::Minus:
      result = checked(l - r);
      break;
    case Operator::Times:
      result = checked(l * r);
      break;
    case Operator::Divide:
      if (r == 0) throw RunError(Line(l == 0 ? kInvalidOperation : kDivisionByZero));
      result = checked(l / r);
      break;
    case Operator::Assign:
      result = r;
      break;
    case Operator::Power:
      result = repeatedPower(l, r);
      break;
    default:
      break;
  }
  for (std::size_t row : ws.variables.find(formula.left.name))
    ws.variables.setNumber(row, 1, result);
  ws.protocol.append(
      {Cell::word(kSymVariable), Cell::word(formula.left.name), Cell::number(result)});
}

void Idenex1(Workspace& ws, Host& host, std::u16string_view formula) {
  Idenex1(ws, host, compileFormula(formula, ws.symbols()));
}

std::optional<long double> Idenex2(Workspace& ws, Host& host, const Expression& comparison) {
  auto values = operands(ws, host, comparison);
  if (!values) return std::nullopt;
  const auto [l, r] = *values;
  bool holds = false;
  switch (comparison.op) {
    case Operator::Assign:
      holds = l == r;
      break;
    case Operator::NotEqual:
      holds = l != r;
      break;
    case Operator::Less:
      holds = l < r;
      break;
    case Operator::Greater:
      holds = l > r;
      break;
    case Operator::LessOrEqual:
      holds = l <= r;
      break;
    case Operator::GreaterOrEqual:
      holds = l >= r;
      break;
    default:
      break;
  }
  return holds ? 1 : -1;
}

std::optional<long double> Idenex2(Workspace& ws, Host& host, std::u16string_view comparison) {
  return Idenex2(ws, host, compileComparison(comparison, ws.symbols()));
}

const Expression& Expressions::get(Symbol word, Kind kind) {
  std::vector<std::int32_t>& index = index_[kind];
  if (word >= index.size()) index.resize(symbols_.size(), -1);
  if (index[word] < 0) {
    std::u16string_view text = symbols_.text(word);
    if (kind != kComparison && !text.empty() && text.back() == u',') text.remove_suffix(1);
    if (kind == kFirstFormula && !text.empty() && text[0] == u'=') text.remove_prefix(1);
    expressions_.push_back(kind == kComparison ? compileComparison(text, symbols_)
                                               : compileFormula(text, symbols_));
    index[word] = static_cast<std::int32_t>(expressions_.size() - 1);
  }
  return expressions_[static_cast<std::size_t>(index[word])];
}

const Expression& Expressions::formula(Symbol word, bool firstOfBranch) {
  return get(word, firstOfBranch ? kFirstFormula : kFormula);
}

const Expression& Expressions::comparison(Symbol word) { return get(word, kComparison); }

}  // namespace veksa
