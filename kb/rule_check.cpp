// The rule check of the "END" button.
#include "kb/rule_check.h"

#include <algorithm>

#include "kb/keywords.h"
#include "kb/locate.h"
#include "kb/scan.h"

namespace veksa {

Lines checkRuleEnd(const Lines& lines, std::size_t caretLine) {
  int nIf = 0, nThen = 0, nElse = 0, nCase = 0;
  bool named = false, broken = false;
  // The caret's own line is not examined: the walk starts on the line above it.
  for (std::size_t i = std::min(caretLine, lines.size()); i-- > 0 && !named && !broken;) {
    forEachWord(lines[i], [&](const Line& w, std::size_t) {
      if (w == kName) {
        named = true;
      } else if (w == kEnd || w == kParametersHeader) {
        broken = true;
      } else if (w == kIf) {
        ++nIf;
      } else if (w == kThen) {
        ++nThen;
      } else if (w == kElse) {
        ++nElse;
      } else if (w == kCase) {
        ++nCase;
      }
      return !named && !broken;
    });
  }
  if (!named) return {u"Отсутствует начало правила"};
  Lines messages;
  if (nCase == 0 && nIf != nThen) messages.push_back(u"Проверьте количество IF и THEN");
  if (nCase == 0 && nIf != nElse) messages.push_back(u"Проверьте количество IF и ELSE");
  if (nCase > 1) messages.push_back(u"Не более одного опреатора CASE в одном правиле");
  if (nCase == 1 && (nIf > 0 || nThen > 0 || nElse > 0)) {
    messages.push_back(u"Наличие ключевых слов кроме CASE не допустимо");
  }
  return messages;
}

}  // namespace veksa
