// The rules of a knowledge base as their keywords lay them out: each rule's conditions with their
// terms and connectives, its THEN, ELSE and CASE branches with their conclusions and formulas, and
// the section it stands in. Read once from the text for pictures and explanations of the rules
// (the rule graph, "Почему?"); the engine runs from the text itself.
#ifndef VEKSA_KB_RULE_STRUCTURE_H_
#define VEKSA_KB_RULE_STRUCTURE_H_

#include <cstddef>
#include <vector>

#include "kb/text.h"

namespace veksa {

// One term of a condition, in reading order. Groups are flat: an Open term, the group's terms and
// a Close term.
struct ConditionTerm {
  enum class Kind { Fact, Comparison, Open, Close };
  Kind kind = Kind::Fact;
  Line connective;  // "AND", "OR" or empty: how the term (or group) joins what precedes it
  bool negated = false;
  Line parameter, value;  // Fact: the parameter and the value it tests
  Line comparison;        // Comparison: the whole word ("=X>52")
  std::size_t line = 0;   // the line the term stands on
};

// A condition: of an IF, of a "THEN IF" or "ELSE IF", or the parameter of a CASE, whose terms are
// then the values of its alternatives.
struct RuleCondition {
  Line label;  // the branches leading to it and its keyword: "IF", "THEN IF", "CASE"
  bool isCase = false;
  std::size_t line = 0;  // the line of its IF or CASE
  std::vector<ConditionTerm> terms;
};

// An item of a conclusion list ("дерево берёза [0,9]") or of a formula list ("=X+5").
struct RuleConclusion {
  bool formula = false;
  Line cls, value, factor;  // a conclusion: class, value and the factor's text without brackets
  Line text;                // a formula: the word without its list comma ("=X+5")
};

// A branch that fires conclusions or formulas: THEN, ELSE (with the branches above it when nested)
// or a CASE alternative.
struct RuleBranch {
  Line label;            // "THEN", "THEN ELSE", "ELSE", or "CASE" and the alternative's value
  std::size_t line = 0;  // the line of its THEN or ELSE, or the alternative's line
  std::vector<RuleConclusion> items;
};

struct RuleStructure {
  Line name;
  std::size_t nameLine = 0;  // the "NAME" line
  std::size_t endLine = 0;   // the last line of the body (its "END" when it has one)
  Line section;              // the section it stands in, empty outside every section
  std::vector<RuleCondition> conditions;
  std::vector<RuleBranch> branches;
};

// Every rule of the text, in text order. A rule's body ends at its "END" line, or before the next
// "NAME", "РАЗДЕЛ" or "КОНЕЦ РАЗДЕЛА" line when it has none. Linear in the text; no recursion
// however deeply its groups nest.
std::vector<RuleStructure> readRuleStructures(const Lines& lines);

}  // namespace veksa

#endif  // VEKSA_KB_RULE_STRUCTURE_H_
