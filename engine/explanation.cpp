// How-explanations from the record of the last pass.
#include "engine/explanation.h"

#include <algorithm>
#include <cmath>

#include "engine/conditions.h"

namespace veksa {

namespace {

// The name of a formula of SumCt, as the explanation states it.
std::u16string_view formulaName(SumCtFormula f) {
  switch (f) {
    case SumCtFormula::BothPositive:
      return u"обе уверенности положительны";
    case SumCtFormula::BothNegative:
      return u"обе уверенности отрицательны";
    case SumCtFormula::OppositeSigns:
      return u"уверенности разных знаков";
    case SumCtFormula::OppositeWithOne:
      return u"уверенности разных знаков, одна из них по модулю 1";
    case SumCtFormula::Zero:
      break;
  }
  return u"одна из уверенностей равна 0";
}

}  // namespace

Line combinationText(const Workspace& ws, const Combination& c) {
  const Line a = ws.format(c.before), b = ws.format(c.added), r = ws.format(c.result);
  switch (sumCtFormula(c.before, c.added)) {
    case SumCtFormula::BothPositive:
      return a + u" + " + b + u" - " + a + u" × " + b + u" = " + r;
    case SumCtFormula::BothNegative:
      return a + u" + " + b + u" + " + a + u" × " + b + u" = " + r;
    case SumCtFormula::OppositeSigns:
      return u"(" + a + u" + " + b + u") / (1 - " +
             ws.format(std::min(std::fabs(c.before), std::fabs(c.added))) + u") = " + r;
    case SumCtFormula::OppositeWithOne:
      return Line(kBadKnowledgeBase) + u": " + r;
    case SumCtFormula::Zero:
      break;
  }
  return a + u" + " + b + u" = " + r;  // one of them is 0: the other one is the result
}

Lines explainHypothesis(const Workspace& ws, const Line& cls, const Line& value) {
  Lines out;
  const Line name = cls + u" " + value;
  const auto& rows = ws.results.find(cls, value);
  out.push_back(rows.empty()
                    ? u"Гипотеза " + name + u": нет в таблице результатов"
                    : u"Гипотеза " + name + u": уверенность " + ws.results.cell(rows.back(), 2));
  const PassRecord& pass = ws.lastRun.lastPass;
  if (!pass.recorded) {
    out.push_back(u"Прогон не выполнялся: объяснять нечего");
    return out;
  }
  const std::size_t head = out.size();
  for (const ConclusionRecord& c : pass.conclusions) {
    if (c.cls != cls || c.value != value) continue;
    out.push_back(c.rule +
                  (c.caseAlternative ? u", альтернатива CASE: уверенность факта "
                                     : u": уверенность условия ") +
                  ws.format(c.conditionCertainty) + u" × коэффициент " + ws.format(c.factor) +
                  u" = " + ws.format(c.certainty));
    Line how = c.admitted ? u"  принято фильтром записи" : u"  не принято фильтром записи";
    if (c.appended) {
      how += u"; новая строка результатов: " + ws.format(c.certainty);
    } else if (c.combination) {
      how += u"; объединение со строкой результатов (" +
             Line(formulaName(sumCtFormula(c.combination->before, c.combination->added))) + u"): " +
             combinationText(ws, *c.combination);
    } else if (!c.admitted) {
      how += u"; строки результатов нет, заключение не учтено";
    }
    out.push_back(std::move(how));
  }
  if (out.size() == head) out.push_back(u"В последнем проходе нет заключений об этой гипотезе");
  return out;
}

}  // namespace veksa
