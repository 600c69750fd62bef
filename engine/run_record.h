// What the engine records of the last run for the windows and the command line: the answers given
// to the question dialog, and, for the pass whose tables the user sees, every conclusion with the
// arithmetic that combined it into the ResultTable and the rules that fired a branch.
#ifndef VEKSA_ENGINE_RUN_RECORD_H_
#define VEKSA_ENGINE_RUN_RECORD_H_

#include <chrono>
#include <cstddef>
#include <optional>
#include <unordered_set>
#include <vector>

#include "engine/host.h"
#include "kb/text.h"

namespace veksa {

// One answer of the question dialog: the button, the track-bar position and the values ticked,
// in the order the dialog offered them.
struct RecordedAnswer {
  Line parameter;
  AnswerButton button = AnswerButton::Escape;
  int position = 0;
  Lines ticked;
};

// The combination of a conclusion with the ResultTable row it joined (SumCt).
struct Combination {
  long double before = 0;  // A: the row's certainty as its cell held it
  long double added = 0;   // B: the conclusion's certainty
  long double result = 0;  // what the cell holds afterwards
};

// One conclusion recorded by the rule interpreter.
struct ConclusionRecord {
  Line rule;
  Line cls, value;
  bool caseAlternative = false;        // reached through a CASE alternative, not THEN or ELSE
  long double conditionCertainty = 0;  // the branch's certainty (a CASE fact's certainty)
  long double factor = 0;
  long double certainty = 0;               // conditionCertainty x factor
  bool admitted = false;                   // the record filter let it create a row
  bool appended = false;                   // it created the hypothesis's row
  std::optional<Combination> combination;  // it combined with the existing row
};

// How much work one inference pass did, for comparing the inference methods.
struct PassCounts {
  // Rules executed: each execution of a rule (one protocol row with the rule's name).
  long long rulesExecuted = 0;
  // Conditions evaluated: each IF part entered (an IF line, a THEN IF, an ELSE followed by IF),
  // that is, each evaluation of a whole condition by IdenIf, however many terms and lines it reads.
  long long conditionsEvaluated = 0;
  // Conclusions recorded: each conclusion written to the ResultTable, as a new row or combined
  // into an existing row by SumCt (list items included; formulas are not conclusions).
  long long conclusionsRecorded = 0;
  bool operator==(const PassCounts&) const = default;
};

// A branch that fired (THEN, ELSE or a CASE alternative): its line counted from its rule's "NAME"
// line, and that line's text. A run of chosen sections runs their lines at other indexes than the
// whole text has them; the offset and the text find the branch in either.
struct FiredBranch {
  Line rule;
  std::size_t offset = 0;
  Line lineText;
};

// The record of one inference pass.
struct PassRecord {
  std::vector<ConclusionRecord> conclusions;
  PassCounts counts;
  std::unordered_set<Line> firedRules;  // rules of which at least one fired a branch
  std::vector<FiredBranch> firedBranches;  // in firing order
  bool recorded = false;                // a pass was recorded
  void clear() { *this = PassRecord(); }
};

// The record of the last run: the answers of its question pass and its last pass (the last pass
// of the timing loop, the single pass of a trace run, or the pass that "стоп" starts).
struct RunRecord {
  std::vector<RecordedAnswer> answers;
  PassRecord lastPass;
  long long passes = 0;  // the inference passes the run made (the pass that "стоп" starts included)
  // The time of the timing loop (of the one pass of a trace run) on the monotonic clock.
  std::chrono::steady_clock::duration elapsed{};
  void clear() { *this = RunRecord(); }
};

}  // namespace veksa

#endif  // VEKSA_ENGINE_RUN_RECORD_H_
