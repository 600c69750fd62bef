// Numeric variables: loading their declarations, formulas in conclusions and comparisons in
// conditions. Every expression is one word with one operator between two operands; a word is
// split into its operands and operator once, and evaluated as often as a run meets it.
#ifndef VEKSA_ENGINE_VARIABLES_H_
#define VEKSA_ENGINE_VARIABLES_H_

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "engine/host.h"
#include "engine/symbols.h"
#include "engine/workspace.h"

namespace veksa {

// VVar: appends one VariableTable row (name, value text) per declaration line after the
// "ПЕРЕМЕННЫЕ:" header, up to the first "РАЗДЕЛ" or "NAME" line. Does not clear the table.
void VVar(Workspace& ws);
// The rows VVar appends, as (name, value text).
std::vector<std::pair<Line, Line>> variableDeclarations(const Lines& lines);

// An operand: a leading "~" negates; a number (digits with an optional point and exponent);
// otherwise the name of a variable, whose value is its last VariableTable row.
struct Operand {
  enum class Kind : std::uint8_t {
    Name,
    Number,
    NumberTooLarge,  // a number beyond the arithmetic: the conversion error
  };
  Kind kind = Kind::Name;
  bool negate = false;
  Symbol name = kSymEmpty;  // the text without its "~"
  long double number = 0;
};

enum class Operator : std::uint8_t {
  None,  // the word has no operator character
  Plus,
  Minus,
  Times,
  Divide,
  Assign,  // ":=": assignment in a formula, equality in a comparison
  Power,
  NotEqual,
  Less,
  Greater,
  LessOrEqual,
  GreaterOrEqual,
  Other,  // any other operator text (":+", "<>="): a formula leaves the left value, a comparison
          // never holds
};

// An expression word split into its operands and operator.
struct Expression {
  Operand left, right;
  Operator op = Operator::None;
};

// The split of a formula word ("=X+5", "X*-2": an optional leading "=", the left operand up to the
// first of "+-*/:^", ":" taking the next character too) and of a comparison word ("=X>5.5": the
// left operand from the second character up to the first of ":<>", then ":=", "<>" and a
// following "=").
Expression compileFormula(std::u16string_view word, Symbols& symbols);
Expression compileComparison(std::u16string_view word, Symbols& symbols);

// Idenex1: evaluates one formula ("=X+5", "=D:=A", "=X^2"), stores the result in the variable on
// its left and writes the protocol row ("Переменная", name, value). Messages through the host;
// raises RunError on division by zero, 0/0, overflow and unconvertible values.
void Idenex1(Workspace& ws, Host& host, const Expression& formula);
void Idenex1(Workspace& ws, Host& host, std::u16string_view formula);

// Idenex2: evaluates one comparison ("=X>5.5", "=X<>5", "=X:=5"): 1 when it holds, -1 when not,
// which the condition takes as its certainty; nothing after a message (the certainty then stays
// as it was).
std::optional<long double> Idenex2(Workspace& ws, Host& host, const Expression& comparison);
std::optional<long double> Idenex2(Workspace& ws, Host& host, std::u16string_view comparison);

// The expressions of a run's words, each split the first time a pass meets it.
class Expressions {
 public:
  explicit Expressions(Symbols& symbols) : symbols_(symbols) {}
  // A formula word with one trailing "," left out; the first formula of a branch also without its
  // leading "=".
  const Expression& formula(Symbol word, bool firstOfBranch);
  const Expression& comparison(Symbol word);

 private:
  enum Kind { kFormula, kFirstFormula, kComparison };
  const Expression& get(Symbol word, Kind kind);
  Symbols& symbols_;
  std::vector<std::int32_t> index_[3];  // by word: the expression's index, or -1
  std::deque<Expression> expressions_;  // stays in place as it grows
};

// "^": L multiplied by itself while j = 1, 2, ... stays below R; overflow raises RunError. Ends
// quickly for any exponent.
long double repeatedPower(long double base, long double exponent);

}  // namespace veksa

#endif  // VEKSA_ENGINE_VARIABLES_H_
