// Condition evaluation and certainty factors: the certainty of a condition (IdenIf), of a
// parenthesised group (IdenC), and the combination of two certainties of one conclusion (SumCt).
#ifndef VEKSA_ENGINE_CONDITIONS_H_
#define VEKSA_ENGINE_CONDITIONS_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/host.h"
#include "engine/workspace.h"

namespace veksa {

inline constexpr std::u16string_view kBadKnowledgeBase = u"Некорректные данные в базе знаний";

// SumCt: combines the certainty already recorded for a conclusion (a) with a new one (b) and
// returns the result, which the rule interpreter makes its current condition certainty. Opposite
// signs with a magnitude of 1 show "Некорректные данные в базе знаний" and give 0.
long double SumCt(Host& host, long double a, long double b);

// The formula SumCt applies to two certainties, by their signs.
enum class SumCtFormula {
  BothPositive,     // a + b - a x b
  BothNegative,     // a + b + a x b
  OppositeSigns,    // (a + b) / (1 - the smaller magnitude)
  OppositeWithOne,  // opposite signs, a magnitude of 1: the message and 0
  Zero,             // either is 0: the other one
};
SumCtFormula sumCtFormula(long double a, long double b);

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
//
// A condition is read in steps. A step reads its first word: a comparison word ("=X>5") decides
// the condition and ends it, "THEN" ends it, "(" opens a group whose certainty replaces the
// certainty. Then its second word: "AND (" opens a group that can only lower the certainty, then
// "OR (" one that can only raise it. Then its terms, one after another, each testing the words
// the one before it left: a first term "P V" (the fact's certainty replaces the certainty), "NOT P
// V" (the negated certainty replaces it), "AND P V" (the smaller one stays), "OR P V" (the larger
// one stays), "AND NOT P V" and "OR NOT P V" (the same with the negated certainty). Each term
// applies once per matching fact and reads the words after it in its place, so a later term of
// the same step tests those words, while a term that lies before it is not taken again until the
// next step. A term whose fact is missing changes nothing. The condition ends after a step that
// leaves the certainty at exactly 0; otherwise the next step begins where this one stopped, on the
// next line when it stopped past the end of this one. A group is read the same way into its own
// certainty, which starts at 0, ends at its ")", at 0 or at the end of its line, and joins what
// encloses it as the word before its "(" says.
//
// The words a condition reads do not depend on its certainty (a term reads on after each matching
// fact, whatever its value), only where it stops does (at a step that ends with certainty 0). So
// the rest of a condition from the start of a line, for given word slots, is one function of the
// certainty it starts with: a clamp median(lo, x, hi) (a constant when lo = hi), with the sign
// classes of x for which some step ends at 0, and the way the condition ends (THEN, a comparison,
// the end of the text). Each is found once per line start, so a condition that reads
// on far (no THEN where a step begins) costs no second walk over the same lines, and a pass stays
// linear in the text. The rests depend on the lines and the facts only (a comparison that ends a
// condition is evaluated when the condition is), so the passes of one run share one evaluator.
// `memoize` false evaluates line by line, word by word (the reference the tests compare with).
class ConditionEvaluator {
 public:
  ConditionEvaluator(Workspace& ws, Host& host, bool memoize = true)
      : ws_(ws), host_(host), groups_(ws.lines), memoize_(memoize) {}

  // IdenIf: the certainty of the condition whose first word is at `pos` (1-based) of line `line`,
  // starting from `certainty` (the current condition certainty, which a first term replaces and a
  // missing term leaves); reads on over the following lines until the condition ends.
  long double IdenIf(std::size_t line, std::size_t pos, long double certainty);

  // IdenC: the group whose "(" ends just before `pos` on line `line`: its certainty, and the count
  // that carries the caller just past the ")" that closes it (or to the end of the line).
  struct Group {
    std::size_t count = 0;
    long double certainty = 0;
  };
  Group IdenC(std::size_t line, std::size_t pos);

  // The rest of a condition from a line start (see above).
  struct Rest {
    enum class End { Lines, Then, Comparison, Error };
    long double lo, hi;
    bool zero[3] = {false, false, false};  // by the sign of the start: < 0, = 0, > 0
    End end = End::Lines;
    Line word;  // the comparison, or the run-time error's message
  };

 private:
  class Walk;

  // The word slots w1..w4 at the start of a line (w5 is read but never looked at), as word ids.
  struct LineStart {
    std::size_t line;
    std::uint32_t w[4];
    bool operator==(const LineStart& o) const {
      return line == o.line && w[0] == o.w[0] && w[1] == o.w[1] && w[2] == o.w[2] && w[3] == o.w[3];
    }
  };
  struct LineStartHash {
    std::size_t operator()(const LineStart& s) const;
  };
  LineStart lineStart(std::size_t line, const Line* slots);
  const Line& wordOf(std::uint32_t id) const { return words_[id]; }

  // The rest from a line start, found once.
  const Rest& restFrom(const LineStart& start);

  Workspace& ws_;
  Host& host_;
  GroupIndex groups_;
  bool memoize_;
  std::unordered_map<LineStart, Rest, LineStartHash> rests_;
  // Words can be megabytes long: equal words are compared as bytes, not character by character.
  struct SameWord {
    bool operator()(const Line& a, const Line& b) const {
      return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0;
    }
  };
  std::unordered_map<Line, std::uint32_t, std::hash<Line>, SameWord> wordIds_;
  Lines words_;
};

// One-off forms of the two operations.
long double IdenIf(Workspace& ws, Host& host, std::size_t line, std::size_t pos,
                   long double certainty);
ConditionEvaluator::Group IdenC(Workspace& ws, Host& host, std::size_t line, std::size_t pos);

}  // namespace veksa

#endif  // VEKSA_ENGINE_CONDITIONS_H_
