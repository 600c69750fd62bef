// The declaration index against a plain search of the text from the top, while the text changes
// under it as the repairs of a pass change it.
#include "diagnostics/declaration_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "diagnostics/pass.h"
#include "kb/keywords.h"

namespace veksa {
namespace {

std::vector<std::u16string_view> valuesOfLine(std::u16string_view line) {
  std::vector<std::u16string_view> values;
  std::size_t pos = 1;
  wordView(line, pos);
  for (auto v = wordView(line, pos); !v.empty(); v = wordView(line, pos)) {
    if (v.front() == u'{') v.remove_prefix(1);
    if (!v.empty() && (v.back() == u',' || v.back() == u'}')) v.remove_suffix(1);
    values.push_back(v);
  }
  return values;
}

// The search a check would make: the first declaration line of the name after the header, up to
// a line that ends the stretch; its values, or nothing.
std::optional<std::vector<std::u16string_view>> search(const Lines& text, std::u16string_view header,
                                                       bool hypotheses, std::u16string_view name) {
  auto h = std::find(text.begin(), text.end(), header);
  if (h == text.end()) return std::nullopt;
  for (auto it = h + 1; it != text.end(); ++it) {
    const auto w = firstWordView(*it);
    if (w == kVariablesHeader || w == kName || w == kSectionWord ||
        (hypotheses && w == kParametersHeader)) {
      break;
    }
    if (w == name) return valuesOfLine(*it);
  }
  return std::nullopt;
}

// The CASE check's count: the name's declaration lines before the first declaring the value.
std::pair<std::size_t, std::size_t> caseSearch(const Lines& text, std::u16string_view name,
                                               std::u16string_view value) {
  std::size_t lines = 0, without = 0;
  bool found = false;
  for (std::size_t j = 1; j < text.size(); ++j) {
    const auto w = firstWordView(text[j]);
    if (w == kVariablesHeader || w == kName || w == kSectionWord) break;
    if (w != name) continue;
    ++lines;
    const auto values = valuesOfLine(text[j]);
    if (!found && std::find(values.begin(), values.end(), value) != values.end()) found = true;
    if (!found) ++without;
  }
  return {lines, without};
}

TEST(DeclarationIndex, AnswersAsTheSearchFromTheTopWhileTheTextChanges) {
  const std::vector<Line> lineKinds = {
      u"ГИПОТЕЗЫ:", u"ПАРАМЕТРЫ:", u"ПЕРЕМЕННЫЕ:", u"NAME П1", u"РАЗДЕЛ Р1", u"",
      u"г1 {a, b}", u"г1 {c}", u"г2 {a,", u"п1 {з0, з1}", u"п1 {з2, з0}", u"  п2 з1}", u"п2 {"};
  const std::u16string_view names[] = {u"г1", u"г2", u"п1", u"п2", u"п3"};
  const std::u16string_view values[] = {u"a", u"b", u"c", u"з0", u"з1", u"з2", u"", u"{"};
  std::mt19937 random(11);
  for (int text = 0; text < 60; ++text) {
    Lines model;
    for (int k = 0; k < 12; ++k) model.push_back(lineKinds[random() % lineKinds.size()]);
    TextBuffer buffer(model);
    DeclarationIndex index(buffer);
    for (int step = 0; step < 100; ++step) {
      // The repairs change a line now and then, or join it to the one before.
      const std::size_t i = random() % model.size();
      const auto change = random() % 6;
      if (change < 2) {
        model[i] = lineKinds[random() % lineKinds.size()];
        buffer.set(i, model[i]);
      } else if (change == 2 && model.size() > 4) {
        model.erase(model.begin() + static_cast<std::ptrdiff_t>(i));
        buffer.erase(i);
      }
      const auto name = names[random() % std::size(names)];
      const auto value = values[random() % std::size(values)];
      const bool hypotheses = random() % 2 == 0;
      const auto expected = search(model, hypotheses ? kHypothesesHeader : kParametersHeader,
                                   hypotheses, name);
      const auto found = hypotheses ? index.hypothesis(name) : index.parameter(name);
      ASSERT_EQ(found.has_value(), expected.has_value()) << text << " " << step;
      if (found) {
        const bool declared = std::find(expected->begin(), expected->end(), value) != expected->end();
        ASSERT_EQ(found->contains(value), declared) << text << " " << step;
      }
      const auto [lines, without] = caseSearch(model, name, value);
      const auto cases = index.caseParameter(name);
      ASSERT_EQ(cases.lines(), lines) << text << " " << step;
      if (lines > 0) {
        ASSERT_EQ(cases.linesWithout(value), without) << text << " " << step;
      }
    }
  }
}

}  // namespace
}  // namespace veksa
