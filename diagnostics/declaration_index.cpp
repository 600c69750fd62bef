// The declaration index of the rule checks.
#include "diagnostics/declaration_index.h"

#include <algorithm>

#include "diagnostics/pass.h"
#include "kb/declarations.h"
#include "kb/keywords.h"

namespace veksa {

namespace {

bool endsHypotheses(std::u16string_view w) { return endsParameters(w) || w == kParametersHeader; }

}  // namespace

template <typename F>
void DeclarationIndex::forEachValue(std::size_t line, F f) const {
  const std::u16string_view l = text_[line];
  std::size_t pos = 1;
  wordView(l, pos);  // the name
  while (true) {
    std::u16string_view v = wordView(l, pos);
    if (v.empty()) break;
    if (v.front() == u'{') v.remove_prefix(1);
    if (!v.empty() && (v.back() == u',' || v.back() == u'}')) v.remove_suffix(1);
    f(v);
  }
}

void DeclarationIndex::readStretch(std::u16string_view header, unsigned bit,
                                   bool (*ends)(std::u16string_view),
                                   std::vector<Declared>& first) {
  const std::size_t n = text_.size();
  std::size_t h = 0;
  while (h < n && text_[h] != header) ++h;
  if (h == n) {
    absent_ |= bit;  // found nowhere: only a line that becomes the header matters
    return;
  }
  std::size_t j = h + 1;
  for (; j < n; ++j) {
    const std::u16string_view w = firstWordView(text_[j]);
    if (ends(w)) break;
    if (w.empty()) continue;
    const Symbol s = symbols_.intern(w);
    if (s >= first.size()) first.resize(s + 1);
    if (first[s].line == 0) first[s].line = static_cast<std::uint32_t>(j);
  }
  contentEnd_ = std::max(contentEnd_, j < n ? j + 1 : n);
}

void DeclarationIndex::ensure() {
  if (built_ && watch_.minTouched >= contentEnd_ && (watch_.keywordsWritten & absent_) == 0) {
    return;
  }
  built_ = true;
  watch_.reset();
  contentEnd_ = 0;
  absent_ = 0;
  symbols_.clear();
  hypotheses_.clear();
  parameters_.clear();
  values_.clear();
  caseStart_.clear();
  caseLines_.clear();
  caseSpans_.clear();
  caseValues_.clear();

  readStretch(kHypothesesHeader, kHeadHypotheses, endsHypotheses, hypotheses_);
  readStretch(kParametersHeader, kHeadParameters, endsParameters, parameters_);

  // The CASE declaration lines, grouped by name in text order (a counting sort by symbol).
  const std::size_t n = text_.size();
  std::vector<std::pair<Symbol, std::uint32_t>> named;  // (first word, line)
  std::size_t j = 1;
  for (; j < n; ++j) {
    const std::u16string_view w = firstWordView(text_[j]);
    if (endsParameters(w)) break;
    if (!w.empty()) named.emplace_back(symbols_.intern(w), static_cast<std::uint32_t>(j));
  }
  contentEnd_ = std::max(contentEnd_, j < n ? j + 1 : n);
  const std::size_t names = symbols_.size();
  caseStart_.assign(names + 1, 0);
  for (const auto& [s, line] : named) ++caseStart_[s + 1];
  for (std::size_t s = 0; s < names; ++s) caseStart_[s + 1] += caseStart_[s];
  std::vector<std::uint32_t> next(caseStart_.begin(), caseStart_.end() - 1);
  caseLines_.resize(named.size());
  for (const auto& [s, line] : named) caseLines_[next[s]++] = line;
  caseSpans_.resize(names);
}

bool DeclarationIndex::Values::contains(std::u16string_view value) const {
  const Symbol s = index_->symbols_.find(value);
  if (s == kNoSymbol) return false;
  const auto first = index_->values_.begin() + begin_;
  return std::binary_search(first, first + count_, s);
}

std::optional<DeclarationIndex::Values> DeclarationIndex::valuesOf(std::vector<Declared>& first,
                                                                   std::u16string_view name) {
  ensure();
  const Symbol s = symbols_.find(name);
  if (s >= first.size() || first[s].line == 0) return std::nullopt;
  Declared& d = first[s];
  if (d.count == kUnread) {
    d.begin = static_cast<std::uint32_t>(values_.size());
    forEachValue(d.line, [this](std::u16string_view v) { values_.push_back(symbols_.intern(v)); });
    const auto from = values_.begin() + d.begin;
    std::sort(from, values_.end());
    values_.erase(std::unique(from, values_.end()), values_.end());
    d.count = static_cast<std::uint32_t>(values_.size() - d.begin);
  }
  return Values(*this, d.begin, d.count);
}

std::optional<DeclarationIndex::Values> DeclarationIndex::hypothesis(std::u16string_view name) {
  return valuesOf(hypotheses_, name);
}

std::optional<DeclarationIndex::Values> DeclarationIndex::parameter(std::u16string_view name) {
  return valuesOf(parameters_, name);
}

DeclarationIndex::CaseDeclarations DeclarationIndex::caseParameter(std::u16string_view name) {
  ensure();
  const Symbol s = symbols_.find(name);
  if (s >= caseSpans_.size() || caseStart_[s] == caseStart_[s + 1]) {
    return CaseDeclarations(*this, 0, 0, 0);
  }
  const std::uint32_t lines = caseStart_[s + 1] - caseStart_[s];
  Span& span = caseSpans_[s];
  if (span.count == kUnread) {
    span.begin = static_cast<std::uint32_t>(caseValues_.size());
    for (std::uint32_t k = 0; k < lines; ++k) {
      forEachValue(caseLines_[caseStart_[s] + k], [this, k](std::u16string_view v) {
        caseValues_.push_back({symbols_.intern(v), k + 1});
      });
    }
    // Sorted by value and line, each value once with the first line that declares it.
    const auto from = caseValues_.begin() + span.begin;
    std::sort(from, caseValues_.end());
    caseValues_.erase(std::unique(from, caseValues_.end(),
                                  [](const CaseValue& a, const CaseValue& b) {
                                    return a.value == b.value;
                                  }),
                      caseValues_.end());
    span.count = static_cast<std::uint32_t>(caseValues_.size() - span.begin);
  }
  return CaseDeclarations(*this, lines, span.begin, span.count);
}

std::size_t DeclarationIndex::CaseDeclarations::linesWithout(std::u16string_view value) const {
  const Symbol s = index_->symbols_.find(value);
  if (s == kNoSymbol) return lines_;
  const auto first = index_->caseValues_.begin() + begin_;
  const auto last = first + count_;
  const auto it = std::lower_bound(first, last, CaseValue{s, 0});
  return it != last && it->value == s ? it->line - 1 : lines_;
}

}  // namespace veksa
