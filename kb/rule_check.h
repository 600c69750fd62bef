// The check that the editor's "END" button runs on the rule just finished.
#ifndef VEKSA_KB_RULE_CHECK_H_
#define VEKSA_KB_RULE_CHECK_H_

#include <cstddef>

#include "kb/text.h"

namespace veksa {

// Walks up from the line above `caretLine` to the rule's "NAME", counting IF, THEN, ELSE and CASE,
// and returns the messages to show, in order: none for a complete rule, "Отсутствует начало
// правила" alone when the walk meets "END", "ПАРАМЕТРЫ:" or the top of the text first.
Lines checkRuleEnd(const Lines& lines, std::size_t caretLine);

}  // namespace veksa

#endif  // VEKSA_KB_RULE_CHECK_H_
