// The rule interpreter: one inference pass over the rule path (Button15Click), the execution of
// one rule (PrRale) with its conclusion lists (spisgip), formula lists and CASE blocks, the trace
// display (Trass) and the ordering of the results (Up).
#ifndef VEKSA_ENGINE_INTERPRETER_H_
#define VEKSA_ENGINE_INTERPRETER_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "engine/conditions.h"
#include "engine/host.h"
#include "engine/workspace.h"

namespace veksa {

// The rule lines of the knowledge base by name: for every line whose first word is "NAME", its
// index under its second word, in text order. Built once per pass (and once per question pass).
class RuleIndex {
 public:
  explicit RuleIndex(const Lines& lines);
  // The "NAME" lines of the rules called `name`, in text order.
  const std::vector<std::size_t>& find(const Line& name) const;

 private:
  std::unordered_map<Line, std::vector<std::size_t>> rules_;
};

// What the passes of one run share: the rule index and the condition evaluator with its memo,
// which depend on the lines and the facts only. A pass uses it only while the facts are those it
// was made with.
struct RunCache {
  RunCache(Workspace& ws, Host& host)
      : rules(ws.lines), conditions(ws, host), factsGeneration(ws.facts.generation()) {}
  RuleIndex rules;
  ConditionEvaluator conditions;
  std::uint64_t factsGeneration;
  // The rule-path entries that name at least one rule, found once for the run: a path of a million
  // names that mostly name no rule then costs each pass only the entries that run.
  std::vector<std::size_t> namedEntries;
  std::size_t pathSize = static_cast<std::size_t>(-1);
};

// What a pass leaves behind: the number of branches fired and the first conclusion's class and
// value (empty when the first branch fired was a formula branch or none fired).
struct PassResult {
  int ConclusionCount = 0;
  Line firstClass, firstValue;
  PassCounts counts;
};

// One inference pass with its pass-level and rule-level state.
class Interpreter {
 public:
  // With a cache, the pass uses its rule index and condition evaluator. With a record, the pass
  // records its conclusions and the rules that fired into it (emptied first); the run driver
  // gives one only to the pass whose tables the user sees, so the other passes pay nothing.
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

  // Rule-level state.
  int IfCount = 0;
  int ElseCount = 0;
  // Pass-level state.
  int ConclusionCount = 0;
  Line FirstConclusionClass, FirstConclusionValue;

  // spisgip: records the rest of a conclusion list, item by item (iteratively, however long the
  // list), from `pos` on `line`; `conditionCertainty` is the branch's certainty.
  void spisgip(std::size_t pos, std::size_t line, long double conditionCertainty);

  // Where a conclusion list goes on: its next item's line and position, if any.
  struct NextItem {
    bool more = false;
    std::size_t line = 0, pos = 0;
  };

 private:
  // The pass's result, also kept in the record.
  PassResult finish();
  // Fires a THEN or ELSE branch whose first word `w` has just been read; `pos` is just after it
  // on line `line`.
  void fireBranch(const Line& w, std::size_t line, std::size_t pos);
  // The formula list that begins with the word `formula`: every further word of its line is a
  // formula.
  void formulaList(Line formula, std::size_t line, std::size_t pos);
  // A branch's conclusion with class `cls` (its value and factor follow `pos`) and the rest of its
  // list; `conditionCertainty` is the branch's certainty before multiplication.
  void conclusion(const Line& cls, std::size_t line, std::size_t pos,
                  long double conditionCertainty);
  // Reads one conclusion's value and factor, records it (a list item always, a branch's first
  // conclusion through the record filter) and tells where the list goes on.
  NextItem recordConclusion(const Line& cls, std::size_t line, std::size_t pos, bool listItem,
                            long double conditionCertainty);
  // The CASE block of parameter `parameter` on line `line`; false when it ends the rule.
  bool caseBlock(const Line& parameter, std::size_t line);
  // A branch fires on `line`: counts it and records it.
  void branchFired(std::size_t line);
  // Trass: the trace display of a line, only in a trace run.
  void Trass(std::size_t line);
  // Adds a conclusion certainty to the ResultTable (SumCt into the last matching row, or a new
  // row when `mayAppend`).
  // `record`, when recording, receives how the conclusion joined the table.
  void recordResult(const Line& cls, const Line& value, long double certainty, const Line& text,
                    bool mayAppend, ConclusionRecord* record);
  // The FactTable rows of a parameter, in row order (built on first use in the pass).
  const std::vector<std::size_t>& factsOf(const Line& parameter);

  // A condition (IF, THEN IF, ELSE IF) evaluated from `pos` of `line` into the certainty.
  void condition(std::size_t line, std::size_t pos);
  // A nested condition (THEN IF, ELSE IF): evaluated from 0; the smaller of the certainty before
  // it and its own certainty becomes the certainty.
  void nestedCondition(std::size_t line, std::size_t pos);

  Workspace& ws_;
  Host& host_;
  long double certainty_ = 0;
  PassCounts counts_;
  RunCache* cache_;
  std::optional<ConditionEvaluator> ownConditions_;
  ConditionEvaluator& conditions_;
  PassRecord* record_;
  const Line* currentRule_ = nullptr;  // the rule-path entry being executed
  std::size_t currentNameLine_ = 0;    // the "NAME" line of the rule being executed
  bool inCase_ = false;                // a CASE alternative's conclusion list is being recorded
  bool factsIndexed_ = false;
  std::unordered_map<Line, std::vector<std::size_t>> factsByParameter_;
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
