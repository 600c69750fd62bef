// The rules behind a question.
#include "engine/why_asked.h"

#include <unordered_map>
#include <unordered_set>

#include "kb/rule_structure.h"

namespace veksa {

std::vector<WhyEntry> whyAsked(const Lines& lines, const Lines& rulePath,
                               std::u16string_view parameter) {
  const std::vector<RuleStructure> rules = readRuleStructures(lines);
  std::unordered_map<Line, std::vector<const RuleStructure*>> byName;
  for (const RuleStructure& r : rules) byName[r.name].push_back(&r);
  std::vector<WhyEntry> out;
  std::unordered_set<Line> listedNames;
  for (const Line& entry : rulePath) {
    auto named = byName.find(entry);
    if (named == byName.end() || !listedNames.insert(entry).second) continue;
    for (const RuleStructure* r : named->second) {
      std::unordered_set<std::size_t> listedLines;
      for (const RuleCondition& c : r->conditions) {
        for (const ConditionTerm& t : c.terms) {
          if (t.kind != ConditionTerm::Kind::Fact || t.parameter != parameter) continue;
          if (listedLines.insert(t.line).second) {
            out.push_back({r->name, r->nameLine, t.line, lines[t.line]});
          }
        }
      }
    }
  }
  return out;
}

}  // namespace veksa
