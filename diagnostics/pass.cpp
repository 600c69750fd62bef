// The pass state, the declaration look-ups of the rule checks and the shared helpers.
#include "diagnostics/pass.h"

#include <algorithm>

#include "kb/keywords.h"
#include "kb/locate.h"
#include "kb/number.h"
#include "kb/scan.h"

namespace veksa {

Pass::Pass(Workspace& workspace) : ws(workspace), text(std::move(workspace.lines)) {
  workspace.lines.clear();
}

Pass::~Pass() { ws.lines = text.release(); }

bool hasWords(std::u16string_view line) {
  return line.find_first_not_of(u' ') != std::u16string_view::npos;
}

std::u16string_view wordView(std::u16string_view line, std::size_t& pos) {
  pos = skipSpaces(line, pos);
  if (pos > line.size()) {
    pos = line.size() + 1;
    return {};
  }
  // A word ends before a space, before a "]" or at the end of the line (its first character
  // may be a "]").
  std::size_t end = pos;
  while (end < line.size() && line[end] != u' ' && line[end] != u']') ++end;
  std::u16string_view word = line.substr(pos - 1, end - pos + 1);
  pos = end + 1;
  return word;
}

std::u16string_view firstWordView(std::u16string_view line) {
  std::size_t pos = 1;
  return wordView(line, pos);
}

bool isDiagnosticsNumber(std::u16string_view text) {
  if (text.empty() || text.back() == u' ') return false;
  return parseDecimal(text, u'.').has_value();
}

// ---- DeclarationIndex ---------------------------------------------------------------------------

namespace {

bool endsHypotheses(const Line& w) {
  return w == kVariablesHeader || w == kParametersHeader || w == kName || w == kSectionWord;
}
bool endsParameters(const Line& w) {
  return w == kVariablesHeader || w == kName || w == kSectionWord;
}

}  // namespace

std::vector<Line> DeclarationIndex::lineValues(const Line& line) {
  std::vector<Line> values;
  std::size_t pos = 1;
  readWord(line, pos);  // the name
  while (true) {
    Line w = readWord(line, pos);
    if (w.empty()) break;
    std::u16string_view v = w;
    if (!v.empty() && v.front() == u'{') v.remove_prefix(1);
    if (!v.empty() && (v.back() == u',' || v.back() == u'}')) v.remove_suffix(1);
    values.emplace_back(v);
  }
  return values;
}

void DeclarationIndex::ensure() {
  if (built_ && watch_.minTouched >= contentEnd_ && (watch_.keywordsWritten & absent_) == 0) {
    return;
  }
  built_ = true;
  watch_.reset();
  contentEnd_ = 0;
  absent_ = 0;
  hypothesisLine_.clear();
  parameterLine_.clear();
  caseLines_.clear();
  cases_.clear();

  const std::size_t n = text_.size();
  // A stretch after a header line: the first line of each first word, up to the ending line.
  auto stretch = [&](std::u16string_view header, unsigned bit, auto ends,
                     std::unordered_map<Line, Declared>& first) {
    std::size_t h = 0;
    while (h < n && text_[h] != header) ++h;
    if (h == n) {
      absent_ |= bit;  // found nowhere: only a line that becomes the header matters
      return;
    }
    std::size_t j = h + 1;
    for (; j < n; ++j) {
      Line w(firstWordView(text_[j]));
      if (ends(w)) break;
      if (!w.empty()) first.try_emplace(std::move(w), Declared{j, std::nullopt});
    }
    contentEnd_ = std::max(contentEnd_, j < n ? j + 1 : n);
  };
  stretch(kHypothesesHeader, kHeadHypotheses, endsHypotheses, hypothesisLine_);
  stretch(kParametersHeader, kHeadParameters, endsParameters, parameterLine_);

  std::size_t j = 1;
  for (; j < n; ++j) {
    Line w(firstWordView(text_[j]));
    if (endsParameters(w)) break;
    if (!w.empty()) caseLines_[std::move(w)].push_back(j);
  }
  contentEnd_ = std::max(contentEnd_, j < n ? j + 1 : n);
}

DeclarationIndex::Values::Values(std::vector<Line> values) : values_(std::move(values)) {
  std::sort(values_.begin(), values_.end());
  values_.erase(std::unique(values_.begin(), values_.end()), values_.end());
}

bool DeclarationIndex::Values::contains(std::u16string_view value) const {
  return std::binary_search(values_.begin(), values_.end(), value,
                            [](std::u16string_view a, std::u16string_view b) { return a < b; });
}

const DeclarationIndex::Values* DeclarationIndex::valuesOf(
    std::unordered_map<Line, Declared>& first, const Line& name) {
  auto it = first.find(name);
  if (it == first.end()) return nullptr;
  Declared& d = it->second;
  if (!d.values) d.values.emplace(lineValues(text_[d.line]));
  return &*d.values;
}

const DeclarationIndex::Values* DeclarationIndex::hypothesis(const Line& name) {
  ensure();
  return valuesOf(hypothesisLine_, name);
}

const DeclarationIndex::Values* DeclarationIndex::parameter(const Line& name) {
  ensure();
  return valuesOf(parameterLine_, name);
}

const DeclarationIndex::CaseDeclarations& DeclarationIndex::caseParameter(const Line& name) {
  ensure();
  auto [slot, fresh] = cases_.try_emplace(name);
  if (fresh) {
    auto it = caseLines_.find(name);
    if (it != caseLines_.end()) {
      CaseDeclarations& c = slot->second;
      for (std::size_t line : it->second) {
        ++c.lines;
        for (Line& v : lineValues(text_[line])) c.firstLineOf.try_emplace(std::move(v), c.lines);
      }
    }
  }
  return slot->second;
}

// ---- DeclarationRefresh -------------------------------------------------------------------------

void DeclarationRefresh::refresh(DeclarationLists& d) {
  if (done_ && watch_.minTouched >= trace_.contentEnd &&
      (watch_.keywordsWritten & trace_.absentFirstWords) == 0) {
    // The refresh would read the same lines and build the same lists.
    if (trace_.rememberedIsLastLine && text_.size() > 0) d.remembered = text_[text_.size() - 1];
    return;
  }
  done_ = true;
  watch_.reset();
  trace_ = RefreshTrace();
  N55Click(text_, d, &trace_);
  N56Click(text_, d, &trace_);
}

}  // namespace veksa
