// Condition evaluation and certainty factors: the certainty of a condition (IdenIf), of a
// parenthesised group (IdenC), and the combination of two certainties of one conclusion (SumCt).
#ifndef VEKSA_ENGINE_CONDITIONS_H_
#define VEKSA_ENGINE_CONDITIONS_H_

#include <cstddef>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/host.h"
#include "engine/workspace.h"

namespace veksa {

inline constexpr std::u16string_view kBadKnowledgeBase = u"Некорректные данные в базе знаний";

// SumCt: combines the certainty already recorded for a conclusion (a) with a new one (b), writes
// the result to the current condition certainty and returns it. Opposite signs with a magnitude of
// 1 show "Некорректные данные в базе знаний" and give 0.
long double SumCt(Workspace& ws, Host& host, long double a, long double b);

// A product or combination of certainties that left the range of long double is the run-time's
// floating-point error.
long double checkedCertainty(long double v);

// The closing parentheses of the knowledge-base lines, found once per line in one left-to-right
// walk over its words: for the position just after a "(" word, the position just past the ")"
// word that closes it at its own depth, or the line's length + 1 when the line has none.
class GroupIndex {
 public:
  explicit GroupIndex(const Lines& lines) : lines_(lines) {}
  std::size_t closeAfter(std::size_t line, std::size_t posAfterOpen);

 private:
  const Lines& lines_;
  // Per line: (position after "(", position after its ")") in increasing order of the first.
  std::unordered_map<std::size_t, std::vector<std::pair<std::size_t, std::size_t>>> cache_;
};

// Evaluates conditions and groups against the FactTable. Groups nested to any depth are evaluated
// with an explicit stack, never by recursion.
class ConditionEvaluator {
 public:
  ConditionEvaluator(Workspace& ws, Host& host) : ws_(ws), host_(host), groups_(ws.lines) {}

  // IdenIf: evaluates the condition whose first word is at `pos` (1-based) of line `line` and
  // leaves its certainty in the current condition certainty; reads on over the following lines
  // until the condition ends.
  void IdenIf(std::size_t line, std::size_t pos);

  // IdenC: evaluates the group whose "(" ends just before `pos` on line `line` into the group
  // certainty and returns the count that carries the caller just past the ")" that closes it
  // (or to the end of the line).
  std::size_t IdenC(std::size_t line, std::size_t pos);

 private:
  long double evaluate(bool condition, std::size_t line, std::size_t pos);

  Workspace& ws_;
  Host& host_;
  GroupIndex groups_;
};

// One-off forms of the two operations.
void IdenIf(Workspace& ws, Host& host, std::size_t line, std::size_t pos);
std::size_t IdenC(Workspace& ws, Host& host, std::size_t line, std::size_t pos);

}  // namespace veksa

#endif  // VEKSA_ENGINE_CONDITIONS_H_
