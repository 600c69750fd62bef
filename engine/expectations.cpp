// Expected results and their check.
#include "engine/expectations.h"

#include <cmath>
#include <set>
#include <string>
#include <utility>

#include "engine/answers_host.h"
#include "kb/number.h"

namespace veksa {

namespace {

// A number written with "," or ".".
std::optional<long double> scriptNumber(Line word) {
  for (char16_t& c : word) {
    if (c == u',') c = u'.';
  }
  return parseOperandNumber(word);
}

}  // namespace

std::vector<Expectation> parseExpectations(std::string_view text) {
  std::vector<Expectation> expected;
  std::set<std::pair<Line, Line>> listed;
  for (const ScriptLine& l : scriptLines(text)) {
    auto fail = [&](const std::string& why) {
      throw ScriptError("строка ожиданий " + std::to_string(l.number) + ": " + why);
    };
    const Lines& w = l.words;
    if (w.size() < 3 || w.size() > 4) fail("нужны КЛАСС ЗНАЧЕНИЕ УВЕРЕННОСТЬ [ДОПУСК]");
    Expectation e{w[0], w[1]};
    auto certainty = scriptNumber(w[2]);
    if (!certainty) fail("уверенность \"" + toUtf8(w[2]) + "\" не число");
    e.certainty = *certainty;
    if (w.size() == 4) {
      auto tolerance = scriptNumber(w[3]);
      if (!tolerance || *tolerance < 0) {
        fail("допуск \"" + toUtf8(w[3]) + "\" не неотрицательное число");
      }
      e.tolerance = *tolerance;
    }
    if (!listed.emplace(e.cls, e.value).second) {
      fail("гипотеза " + toUtf8(e.cls + u" " + e.value) + " указана дважды");
    }
    expected.push_back(std::move(e));
  }
  return expected;
}

Lines unmetExpectations(const Workspace& ws, const std::vector<Expectation>& expected) {
  // Certainties are read from decimal text: a difference exactly at the tolerance may come out a
  // few units of the last binary place above it, and still meets the expectation.
  constexpr long double kSlack = 1e-12L;
  Lines unmet;
  for (const Expectation& e : expected) {
    const Line name = e.cls + u" " + e.value;
    const auto& rows = ws.results.find(e.cls, e.value);
    if (rows.empty()) {
      unmet.push_back(name + u": нет в результатах");
      continue;
    }
    const long double got = ws.results.number(rows.back(), 2);
    if (std::fabs(got - e.certainty) <= e.tolerance + kSlack) continue;
    unmet.push_back(name + u": ожидалось " + ws.format(e.certainty) + u", получено " +
                    ws.format(got) + u" (разница " + ws.format(got - e.certainty) + u")");
  }
  return unmet;
}

}  // namespace veksa
