// Structure locators over the knowledge-base lines.
#include "kb/locate.h"

#include "kb/keywords.h"
#include "kb/scan.h"

namespace veksa {

bool startsSectionOrRule(std::u16string_view line) {
  Line w = firstWord(line);
  return w == kSectionWord || w == kName;
}

std::size_t PechGip(const Lines& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (startsSectionOrRule(lines[i])) return i;
  }
  return lines.size();
}

std::optional<std::size_t> findVariablesHeader(const Lines& lines) {
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (!lines[i].empty() && firstWord(lines[i]) == kVariablesHeader) return i;
  }
  return std::nullopt;
}

std::size_t variablesStretchEnd(const Lines& lines, std::size_t header) {
  for (std::size_t i = header + 1; i < lines.size(); ++i) {
    if (startsSectionOrRule(lines[i])) return i;
  }
  return lines.size();
}

Lines sectionNames(const Lines& lines) {
  Lines names;
  for (const Line& line : lines) {
    if (firstWord(line) == kSectionWord) names.push_back(secondWord(line));
  }
  return names;
}

std::optional<std::pair<std::size_t, std::size_t>> findSection(const Lines& lines,
                                                               std::u16string_view name) {
  Line open = Line(kSectionWord) + u" " + Line(name);
  Line close = Line(kSectionEndPrefix) + Line(name);
  // The last closing line; the last opening line before it forms the last pair.
  std::optional<std::size_t> lastClose;
  for (std::size_t i = lines.size(); i-- > 0;) {
    if (lines[i] == close) {
      lastClose = i;
      break;
    }
  }
  if (!lastClose) return std::nullopt;
  for (std::size_t i = *lastClose; i-- > 0;) {
    if (lines[i] == open) return std::make_pair(i, *lastClose);
  }
  return std::nullopt;
}

std::vector<RuleLine> ruleLines(const Lines& lines) {
  std::vector<RuleLine> rules;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::size_t pos = 1;
    if (readWord(lines[i], pos) == kName) rules.push_back({i, readWord(lines[i], pos)});
  }
  return rules;
}

Lines traceRuleNames(const Lines& lines) {
  Lines names;
  for (const Line& line : lines) {
    std::size_t pos = 1;
    while (pos <= line.size()) {
      if (readWord(line, pos) != kName) continue;
      Line name = readWord(line, pos);
      if (!name.empty()) names.push_back(std::move(name));
    }
  }
  return names;
}

std::size_t ruleBodyEnd(const Lines& lines, std::size_t from) {
  for (std::size_t i = from; i < lines.size(); ++i) {
    if (lines[i] == kEnd) return i;
  }
  return lines.size();
}

}  // namespace veksa
