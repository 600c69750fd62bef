// "Почему?" of the question dialog: the rules that will test the parameter being asked, the
// classic "why is this asked" of an expert system.
#ifndef VEKSA_ENGINE_WHY_ASKED_H_
#define VEKSA_ENGINE_WHY_ASKED_H_

#include <cstddef>
#include <vector>

#include "kb/text.h"

namespace veksa {

// A rule whose condition tests the parameter, with the line that tests it.
struct WhyEntry {
  Line rule;
  std::size_t nameLine = 0;       // the rule's "NAME" line
  std::size_t conditionLine = 0;  // the line of the condition (or CASE) that names the parameter
  Line conditionText;             // that line's text
  bool operator==(const WhyEntry&) const = default;
};

// The rules that test `parameter` in their conditions (an IF, a nested IF, a CASE), in the order
// of the rule path (each rule once, at its first entry; the rules of one name in text order), one
// entry for each line of a rule that tests it.
std::vector<WhyEntry> whyAsked(const Lines& lines, const Lines& rulePath,
                               std::u16string_view parameter);

}  // namespace veksa

#endif  // VEKSA_ENGINE_WHY_ASKED_H_
