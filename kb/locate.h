// Locators of the knowledge-base structure that many commands share: the declaration head, the
// variables stretch, sections and rules. Line indexes are 0-based.
#ifndef VEKSA_KB_LOCATE_H_
#define VEKSA_KB_LOCATE_H_

#include <cstddef>
#include <optional>
#include <utility>

#include "kb/keywords.h"
#include "kb/text.h"

namespace veksa {


// A line whose first word is "РАЗДЕЛ" or "NAME": the start of a section or a rule.
bool startsSectionOrRule(std::u16string_view line);

// PechGip: the end of the declaration head, the index of the first line whose first word is
// "РАЗДЕЛ" or "NAME" (the line count when there is none).
std::size_t PechGip(const Lines& lines);

// The variables header: the first line from index 1 on whose first word is "ПЕРЕМЕННЫЕ:".
std::optional<std::size_t> findVariablesHeader(const Lines& lines);
// The end of the variables stretch that begins after `header`: the first later line whose first
// word is "РАЗДЕЛ" or "NAME", or the line count.
std::size_t variablesStretchEnd(const Lines& lines, std::size_t header);

// The section names offered before a run: the second word of every line whose first word is
// "РАЗДЕЛ", in text order.
Lines sectionNames(const Lines& lines);

// A section's opening and closing lines: over all pairs of a line equal to "РАЗДЕЛ " + name and a
// later line equal to "КОНЕЦ РАЗДЕЛА " + name, the last pair (the last opening line that has a
// closing line after it, with its last closing line).
std::optional<std::pair<std::size_t, std::size_t>> findSection(const Lines& lines,
                                                               std::u16string_view name);

// The rule lines: every line whose first word is "NAME", with its second word, the rule name.
struct RuleLine {
  std::size_t index;
  Line name;
};
std::vector<RuleLine> ruleLines(const Lines& lines);

// The rule names that the trace dialog offers (N44Click): every word that follows a word "NAME"
// anywhere in a line, in text order, a name written twice appearing twice. Reading goes on after
// each name; a "NAME" that ends its line names nothing.
Lines traceRuleNames(const Lines& lines);

// The end of a rule body that starts at `from`: the first line that is exactly "END" (the line
// count when there is none).
std::size_t ruleBodyEnd(const Lines& lines, std::size_t from);

}  // namespace veksa

#endif  // VEKSA_KB_LOCATE_H_
