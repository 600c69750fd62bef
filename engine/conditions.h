// Condition evaluation and certainty factors: the certainty of a condition (IdenIf), of a
// parenthesised group (IdenC), and the combination of two certainties of one conclusion (SumCt).
#ifndef VEKSA_ENGINE_CONDITIONS_H_
#define VEKSA_ENGINE_CONDITIONS_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/host.h"
#include "engine/run_text.h"
#include "engine/variables.h"
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
// fact, whatever its value), only where it stops does (at a step that ends with certainty 0). So a
// condition, and the rest of one from the start of a line for given word slots, is one function
// of the certainty it starts with: a clamp median(lo, x, hi) (a constant when lo = hi), with the
// sign classes of x for which some step ends at 0, and the way the condition ends (THEN, a
// comparison, the end of the text). Each is found once, so a pass evaluates a condition with one
// look-up, and a condition that reads on far (no THEN where a step begins) costs no second walk
// over the same lines. These functions depend on the lines and the facts only (a comparison that
// ends a condition is evaluated when the condition is), so the passes of one run share one
// evaluator. `memoize` false evaluates line by line, word by word (the reference the tests
// compare with).
class ConditionEvaluator {
 public:
  ConditionEvaluator(Workspace& ws, Host& host, RunText& text, Expressions& expressions,
                     bool memoize = true)
      : ws_(ws), host_(host), text_(text), expressions_(expressions), memoize_(memoize) {}

  // IdenIf: the certainty of the condition whose first word is at `pos` (1-based) of line `line`,
  // starting from `certainty` (the current condition certainty, which a first term replaces and a
  // missing term leaves); reads on over the following lines until the condition ends. `note` is
  // where a caller that evaluates the same start again keeps which condition it is (0 before the
  // first call), so a pass finds it without a look-up.
  long double IdenIf(std::size_t line, std::size_t pos, long double certainty, std::uint32_t& note);
  long double IdenIf(std::size_t line, std::size_t pos, long double certainty) {
    std::uint32_t note = 0;
    return IdenIf(line, pos, certainty, note);
  }

  // IdenC: the group whose "(" ends just before `pos` on line `line`: its certainty, and the count
  // that carries the caller just past the ")" that closes it (or to the end of the line).
  struct Group {
    std::size_t count = 0;
    long double certainty = 0;
  };
  Group IdenC(std::size_t line, std::size_t pos);

  // A condition, or the rest of one from a line start, as a function of its starting certainty.
  struct Rest {
    enum class End : std::uint8_t { Lines, Then, Comparison, Error };
    long double lo, hi;
    bool zero[3] = {false, false, false};  // by the sign of the start: < 0, = 0, > 0
    End end = End::Lines;
    Symbol comparison = kSymEmpty;  // the comparison that ends it
    std::uint32_t error = 0;        // the run-time error's message, in errors_
  };

 private:
  class Walk;

  // Where a walk begins: a line, a position and the word slots w1..w4 (w5 is read but never
  // looked at).
  struct Start {
    std::uint32_t line, pos;
    Symbol w[4];
    bool operator==(const Start& o) const {
      return line == o.line && pos == o.pos && w[0] == o.w[0] && w[1] == o.w[1] && w[2] == o.w[2] &&
             w[3] == o.w[3];
    }
  };
  // The rest of a condition from `start`, found once: its index in rests_.
  std::uint32_t restFrom(const Start& start);
  // The index in rests_ of a start, or the free slot of the memo where it belongs.
  std::size_t slotOf(const Start& start) const;
  void growMemo();

  Workspace& ws_;
  Host& host_;
  RunText& text_;
  Expressions& expressions_;
  bool memoize_;
  std::vector<Start> starts_;
  std::vector<Rest> rests_;          // by start
  std::vector<std::uint32_t> memo_;  // open addressing over starts_; kFree marks a free slot
  // The rests of whole conditions again, in the order a pass first asks for them, so that a pass
  // reads them front to back (rests_ also holds the rests from the line starts they are made of);
  // a note is an index here + 1. notedOf_ gives the note of a rest in rests_ (0: none yet).
  std::vector<Rest> noted_;
  std::vector<std::uint32_t> notedOf_;
  Lines errors_;
};

// One-off forms of the two operations, over the workspace's lines.
long double IdenIf(Workspace& ws, Host& host, std::size_t line, std::size_t pos,
                   long double certainty);
ConditionEvaluator::Group IdenC(Workspace& ws, Host& host, std::size_t line, std::size_t pos);

}  // namespace veksa

#endif  // VEKSA_ENGINE_CONDITIONS_H_
