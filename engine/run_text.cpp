// The text of a run, read once.
#include "engine/run_text.h"

#include <algorithm>

#include "kb/number.h"
#include "kb/scan.h"

namespace veksa {

RunText::RunText(const Lines& lines, Symbols& symbols, char16_t separator)
    : lines_(lines), symbols_(symbols), separator_(separator) {
  lineTokens_.reserve(lines.size() + 1);
  lineGroups_.reserve(lines.size() + 1);
  endLines_.reserve(lines.size());
  std::vector<std::pair<Symbol, std::uint32_t>> named;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Line& text = lines[i];
    lineTokens_.push_back(static_cast<std::uint32_t>(tokens_.size()));
    std::size_t pos = 1;
    while (true) {
      pos = skipSpaces(text, pos);
      if (pos > text.size()) break;
      std::size_t length = wordLengthAt(text, pos);
      Symbol w = symbols.intern(std::u16string_view(text).substr(pos - 1, length));
      tokens_.push_back(
          {w, static_cast<std::uint32_t>(pos), static_cast<std::uint32_t>(pos + length)});
      pos += length;
    }
    endLines_.push_back(text == u"END" ? 1 : 0);
    std::size_t first = lineTokens_.back(), count = tokens_.size() - first;
    if (count > 0 && tokens_[first].word == kSymName) {
      named.emplace_back(count > 1 ? tokens_[first + 1].word : kSymEmpty,
                         static_cast<std::uint32_t>(i));
    }
    indexGroups(i);
  }
  lineTokens_.push_back(static_cast<std::uint32_t>(tokens_.size()));
  lineGroups_.push_back(static_cast<std::uint32_t>(groups_.size()));
  std::stable_sort(named.begin(), named.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  ruleStart_.assign(symbols.size() + 1, 0);
  for (const auto& [name, line] : named) ++ruleStart_[name + 1];
  for (std::size_t s = 1; s < ruleStart_.size(); ++s) ruleStart_[s] += ruleStart_[s - 1];
  ruleLines_.reserve(named.size());
  for (const auto& entry : named) ruleLines_.push_back(entry.second);
  suffix1_.assign(tokens_.size(), kNoSymbol);
}

void RunText::indexGroups(std::size_t line) {
  lineGroups_.push_back(static_cast<std::uint32_t>(groups_.size()));
  std::vector<std::size_t> open;  // the groups of the line not yet closed
  for (std::uint32_t t = lineTokens_[line]; t < tokens_.size(); ++t) {
    if (tokens_[t].word == kSymOpen) {
      groups_.push_back({tokens_[t].end, static_cast<std::uint32_t>(lines_[line].size() + 1)});
      open.push_back(groups_.size() - 1);
    } else if (tokens_[t].word == kSymClose && !open.empty()) {
      groups_[open.back()].afterClose = tokens_[t].end;
      open.pop_back();
    }
  }
}

Symbol RunText::firstWord(std::size_t line) const {
  return lineTokens_[line] < lineTokens_[line + 1] ? tokens_[lineTokens_[line]].word : kSymEmpty;
}

Symbol RunText::suffix(std::size_t t, std::size_t pos) {
  const std::size_t offset = pos - tokens_[t].start;
  if (offset == 1 && suffix1_[t] != kNoSymbol) return suffix1_[t];
  const std::uint64_t key = static_cast<std::uint64_t>(t) << 32 | offset;
  if (offset != 1) {
    auto found = suffixes_.find(key);
    if (found != suffixes_.end()) return found->second;
  }
  // The line of the token: the last line whose first token is at or before it.
  auto it = std::upper_bound(lineTokens_.begin(), lineTokens_.end(), static_cast<std::uint32_t>(t));
  const Line& text = lines_[static_cast<std::size_t>(it - lineTokens_.begin()) - 1];
  Symbol w = symbols_.intern(std::u16string_view(text).substr(pos - 1, tokens_[t].end - pos));
  if (offset == 1) {
    suffix1_[t] = w;
  } else {
    suffixes_[key] = w;
  }
  return w;
}

bool RunText::next(std::size_t line, std::size_t& pos, Symbol& word) {
  const std::size_t length = lines_[line].size();
  if (pos > length) return false;
  const Token* first = tokens_.data() + lineTokens_[line];
  const Token* last = tokens_.data() + lineTokens_[line + 1];
  // The first token that begins after `pos`; the one before it may hold `pos`.
  const Token* after =
      std::upper_bound(first, last, pos, [](std::size_t p, const Token& t) { return p < t.start; });
  if (after != first && pos < after[-1].end) {
    const Token& t = after[-1];
    word = pos == t.start ? t.word : suffix(static_cast<std::size_t>(&t - tokens_.data()), pos);
    pos = t.end;
    return true;
  }
  if (after == last) {
    pos = length + 1;  // only spaces remain
    return false;
  }
  word = after->word;
  pos = after->end;
  return true;
}

Symbol RunText::read(std::size_t line, std::size_t& pos) {
  Symbol w = kSymEmpty;
  if (!next(line, pos, w)) pos = lines_[line].size() + 1;
  return w;
}

std::span<const std::uint32_t> RunText::rules(Symbol name) const {
  if (name + 1 >= ruleStart_.size()) return {};
  return {ruleLines_.data() + ruleStart_[name], ruleLines_.data() + ruleStart_[name + 1]};
}

std::size_t RunText::closeAfter(std::size_t line, std::size_t posAfterOpen) {
  const Group* first = groups_.data() + lineGroups_[line];
  const Group* last = groups_.data() + lineGroups_[line + 1];
  const Group* found = std::lower_bound(
      first, last, posAfterOpen, [](const Group& g, std::size_t p) { return g.afterOpen < p; });
  if (found != last && found->afterOpen == posAfterOpen) return found->afterClose;
  // Not just after a "(" word: the first ")" at depth 0 from here.
  std::size_t depth = 0, pos = posAfterOpen;
  Symbol w = kSymEmpty;
  while (next(line, pos, w)) {
    if (w == kSymOpen) {
      ++depth;
    } else if (w == kSymClose) {
      if (depth == 0) return pos;
      --depth;
    }
  }
  return lines_[line].size() + 1;
}

long double RunText::number(Symbol word) {
  if (word >= numbers_.size()) numbers_.resize(symbols_.size());
  Number& n = numbers_[word];
  if (n.state == 0) {
    auto v = parseDecimal(symbols_.text(word), separator_);
    n.state = v ? 1 : 2;
    n.value = v.value_or(0);
  }
  if (n.state == 2) throw conversionError(symbols_.text(word));
  return n.value;
}

}  // namespace veksa
