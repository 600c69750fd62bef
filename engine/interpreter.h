// The rule interpreter: one inference pass over the rule path (Button15Click), the execution of
// one rule (PrRale) with its conclusion lists (spisgip), formula lists and CASE blocks, the trace
// display (Trass) and the ordering of the results (Up).
#ifndef VEKSA_ENGINE_INTERPRETER_H_
#define VEKSA_ENGINE_INTERPRETER_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine/branch_lists.h"
#include "engine/conditions.h"
#include "engine/host.h"
#include "engine/run_text.h"
#include "engine/variables.h"
#include "engine/workspace.h"

namespace veksa {

// What the passes of one run share: the text read once, the expressions of its words, the
// condition evaluator with its memo, the declared variables as cells, the facts of each parameter
// and the rule-path entries that name a rule. All of it depends on the lines and the facts only,
// and a pass uses it only while the facts are those it was made with.
class RunCache {
 public:
  RunCache(Workspace& ws, Host& host);
  RunCache(const RunCache&) = delete;
  RunCache& operator=(const RunCache&) = delete;

  // True while the facts are those the cache was made with.
  bool validFor(const Workspace& ws) const;
  // The FactTable rows of a parameter, in row order.
  std::span<const std::uint32_t> factsOf(Symbol parameter) const;
  // The rules a pass executes, in order: for each rule-path entry, every rule of that name in text
  // order, with the entry's index, the rule's name and its "NAME" line.
  struct RuleStep {
    std::uint32_t entry, nameLine;
    Symbol name;
  };
  const std::vector<RuleStep>& ruleSequence(const Lines& path);

  // The pairs of words w1 w2 a line of a rule is read as from its start (w1, w2, then one
  // character passed over), keeping only those whose w1 is IF, THEN, ELSE or CASE: a rule acts on
  // no other pair. `afterFirst` is the position just past w1, where an IF's condition begins, and
  // `after` the position after the pair; `note` is the condition evaluator's note of the condition
  // the pair begins (IF, THEN IF, ELSE IF) or of the branch it fires (THEN, ELSE), if any. Read the
  // first time a pass asks; the span stays valid until a line not read yet is asked about. False,
  // with no pairs, for an END line.
  struct Pair {
    Symbol w1, w2;
    std::uint32_t afterFirst, after;
    std::uint32_t note = 0;
  };
  bool pairsOf(std::size_t line, std::span<Pair>& pairs);

  RunText text;
  Expressions expressions;
  ConditionEvaluator conditions;
  ResultRows results;
  BranchLists branches{results};
  // The rows VVar appends, as cells.
  std::vector<std::pair<Symbol, Cell>> variables;

 private:
  std::uint64_t factsGeneration_;
  std::vector<std::uint32_t> factRows_;   // fact rows ordered by parameter, then row
  std::vector<std::uint32_t> factStart_;  // by parameter symbol: its first entry in factRows_
  std::vector<RuleStep> sequence_;
  std::vector<Pair> pairs_;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> linePairs_;  // by line: first, count
  std::size_t pathSize_ = static_cast<std::size_t>(-1);
};

// What a pass leaves behind: the number of branches fired and the first conclusion's class and
// value (empty when the first branch fired was a formula branch or none fired), and how much work
// it did.
struct PassResult {
  int ConclusionCount = 0;
  Line firstClass, firstValue;
  PassCounts counts;
};

// One inference pass with its pass-level and rule-level state.
class Interpreter {
 public:
  // With a cache, the pass uses the run's reading of the text; without one (or with one made for
  // other facts) it reads the text for itself. With a record, the pass records its conclusions and
  // the rules that fired into it (emptied first); the run driver gives one only to the pass whose
  // tables the user sees, so the other passes pay nothing.
  Interpreter(Workspace& ws, Host& host, RunCache* cache = nullptr, PassRecord* record = nullptr);

  // Button15Click: loads the variables (VVar), then executes, for each rule-path entry in order,
  // every rule of that name in text order (in a trace run only the chosen rule). With method 5 the
  // pass ends after the first rule that fired a branch, showing the results.
  PassResult Button15Click();

  // PrRale: executes one rule from `line`, the line after its "NAME" line.
  void PrRale(std::size_t line);

  // The current condition certainty: the condition evaluator starts from it and leaves its result
  // in it, a branch fires by its sign, firing multiplies it by the conclusion's factor, and SumCt
  // replaces it. Set to 0 before each rule.
  long double certainty() const { return certainty_; }

  // spisgip: records the rest of a conclusion list, item by item (however long the list), with
  // `conditionCertainty`, the branch's certainty; a formula among the items is evaluated.
  void spisgip(std::span<const BranchItem> items, long double conditionCertainty);

 private:
  // The pass's result, also kept in the record.
  PassResult finish();
  // A condition (IF, THEN IF, ELSE IF) evaluated from `pos` of `line` into the certainty; `note`
  // is the pair's note of which condition that is.
  void condition(std::size_t line, std::size_t pos, std::uint32_t& note);
  // A nested condition (THEN IF, ELSE IF): evaluated from 0; the smaller of the certainty before
  // it and its own certainty becomes the certainty.
  void nestedCondition(std::size_t line, std::size_t pos, std::uint32_t& note);
  // Fires a branch (THEN, ELSE or a CASE alternative) with the certainty `conditionCertainty`:
  // its formula list, or its conclusion and the rest of its conclusion list.
  void fireBranch(std::span<const BranchItem> items, long double conditionCertainty);
  // Records one conclusion (a list item always, a branch's first conclusion through the record
  // filter): its factor converted, the certainty it is recorded with computed.
  void recordConclusion(const BranchItem& item, long double conditionCertainty);
  // The CASE block of parameter `parameter` on line `line`; false when it ends the rule.
  bool caseBlock(Symbol parameter, std::size_t line);
  // A branch fires on `line`: counts it and records it.
  void branchFired(std::size_t line);
  // Trass: the trace display of a line, only in a trace run.
  void Trass(std::size_t line);
  // Adds a conclusion certainty to the ResultTable (SumCt into the last matching row, or a new
  // row when `mayAppend`). `record`, when recording, receives how the conclusion joined the table.
  void recordResult(const BranchItem& item, long double certainty, bool mayAppend,
                    ConclusionRecord* record);
  Line textOf(Symbol s) const { return Line(run_->text.text(s)); }

  Workspace& ws_;
  Host& host_;
  std::optional<RunCache> ownRun_;
  RunCache* run_;
  PassRecord* record_;
  long double certainty_ = 0;
  PassCounts counts_;
  // Rule-level state.
  int IfCount = 0;
  int ElseCount = 0;
  // Pass-level state.
  int ConclusionCount = 0;
  Symbol FirstConclusionClass = kSymEmpty, FirstConclusionValue = kSymEmpty;
  const Line* currentRule_ = nullptr;  // the rule-path entry being executed
  std::size_t currentNameLine_ = 0;    // the "NAME" line of the rule being executed
  bool inCase_ = false;                // a CASE alternative's conclusion list is being recorded
};

// One inference pass (Button15Click), optionally with the cache of the run and a record.
PassResult Button15Click(Workspace& ws, Host& host, RunCache* cache = nullptr,
                         PassRecord* record = nullptr);

// Up: orders the ResultTable by certainty, highest first, into exactly the order of the
// literal walk (for each row i, every later row j whose certainty is greater than the
// running maximum is exchanged with row i, whole rows), which decides the order of rows of equal
// certainty; computed without the walk's quadratic cost.
void Up(Workspace& ws);

// The order Up gives to rows of certainties `c`: the original row index of each row, first to last.
std::vector<std::size_t> UpOrder(const std::vector<long double>& c);

}  // namespace veksa

#endif  // VEKSA_ENGINE_INTERPRETER_H_
