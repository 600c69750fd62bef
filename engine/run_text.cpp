// The text of a run, read once.
#include "engine/run_text.h"

#include <algorithm>

#include "kb/number.h"
#include "kb/scan.h"

namespace veksa {

RunText::RunText(const Lines& lines, Symbols& symbols, char16_t separator)
    : lines_(lines), symbols_(symbols), separator_(separator) {
  lineInfo_.reserve(lines.size() + 1);
  lineGroups_.reserve(lines.size() + 1);
  std::vector<std::pair<Symbol, std::uint32_t>> named;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Line& text = lines[i];
    const auto first = static_cast<std::uint32_t>(tokens_.size());
    std::size_t pos = 1;
    while (true) {
      pos = veksa::skipSpaces(text, pos);
      if (pos > text.size()) break;
      std::size_t length = wordLengthAt(text, pos);
      Symbol w = symbols.intern(std::u16string_view(text).substr(pos - 1, length));
      tokens_.push_back(
          {w, static_cast<std::uint32_t>(pos), static_cast<std::uint32_t>(pos + length)});
      pos += length;
    }
    const std::size_t count = tokens_.size() - first;
    lineInfo_.push_back({first, static_cast<std::uint32_t>(text.size()),
                         count > 0 ? tokens_[first].word : kSymEmpty, text == u"END"});
    if (count > 0 && tokens_[first].word == kSymName) {
      named.emplace_back(count > 1 ? tokens_[first + 1].word : kSymEmpty,
                         static_cast<std::uint32_t>(i));
    }
    indexGroups(i);
  }
  lineInfo_.push_back({static_cast<std::uint32_t>(tokens_.size()), 0, kSymEmpty, false});
  lineGroups_.push_back(static_cast<std::uint32_t>(groups_.size()));
  std::stable_sort(named.begin(), named.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  ruleStart_.assign(symbols.size() + 1, 0);
  for (const auto& [name, line] : named) ++ruleStart_[name + 1];
  for (std::size_t s = 1; s < ruleStart_.size(); ++s) ruleStart_[s] += ruleStart_[s - 1];
  ruleLines_.reserve(named.size());
  for (const auto& entry : named) ruleLines_.push_back(entry.second);
}

void RunText::indexGroups(std::size_t line) {
  lineGroups_.push_back(static_cast<std::uint32_t>(groups_.size()));
  std::vector<std::size_t> open;  // the groups of the line not yet closed
  for (std::uint32_t t = lineInfo_[line].firstToken; t < tokens_.size(); ++t) {
    if (tokens_[t].word == kSymOpen) {
      groups_.push_back({tokens_[t].end, static_cast<std::uint32_t>(lines_[line].size() + 1)});
      open.push_back(groups_.size() - 1);
    } else if (tokens_[t].word == kSymClose && !open.empty()) {
      groups_[open.back()].afterClose = tokens_[t].end;
      open.pop_back();
    }
  }
}

Symbol RunText::suffix(std::size_t t, std::size_t pos) {
  const std::size_t offset = pos - tokens_[t].start;
  if (offset == 1 && tokens_[t].suffix1 != kNoSymbol) return tokens_[t].suffix1;
  const std::uint64_t key = static_cast<std::uint64_t>(t) << 32 | offset;
  if (offset != 1) {
    auto found = suffixes_.find(key);
    if (found != suffixes_.end()) return found->second;
  }
  // The line of the token: the last line whose first token is at or before it.
  auto it =
      std::upper_bound(lineInfo_.begin(), lineInfo_.end(), static_cast<std::uint32_t>(t),
                       [](std::uint32_t token, const LineInfo& l) { return token < l.firstToken; });
  const Line& text = lines_[static_cast<std::size_t>(it - lineInfo_.begin()) - 1];
  Symbol w = symbols_.intern(std::u16string_view(text).substr(pos - 1, tokens_[t].end - pos));
  if (offset == 1) {
    tokens_[t].suffix1 = w;
  } else {
    suffixes_[key] = w;
  }
  return w;
}

const RunText::Token* RunText::tokenAtOrBefore(std::size_t line, std::size_t pos,
                                               const Token*& next) const {
  const Token* first = tokens_.data() + lineInfo_[line].firstToken;
  const Token* last = tokens_.data() + lineInfo_[line + 1].firstToken;
  const Token* hint = tokens_.data() + hint_;
  auto after = [](std::size_t p, const Token& t) { return p < t.start; };
  if (hint >= first && hint < last && hint->start <= pos) {
    // Reads go on along a line: from the token read last, a step or two (a search beyond that).
    int steps = 0;
    while (hint + 1 < last && hint[1].start <= pos && ++steps < 8) ++hint;
    next = hint + 1 < last && hint[1].start <= pos ? std::upper_bound(hint + 1, last, pos, after)
                                                   : hint + 1;
  } else {
    next = std::upper_bound(first, last, pos, after);
  }
  if (next == first) return nullptr;
  hint_ = static_cast<std::size_t>(next - 1 - tokens_.data());
  return next - 1;
}

bool RunText::next(std::size_t line, std::size_t& pos, Symbol& word, std::size_t* start) {
  if (pos > lineInfo_[line].length) return false;
  const Token* after = nullptr;
  const Token* t = tokenAtOrBefore(line, pos, after);
  if (t != nullptr && pos < t->end) {
    word = pos == t->start ? t->word : suffix(static_cast<std::size_t>(t - tokens_.data()), pos);
    if (start != nullptr) *start = pos;
    pos = t->end;
    return true;
  }
  if (after == tokens_.data() + lineInfo_[line + 1].firstToken) {
    pos = lineInfo_[line].length + 1;  // only spaces remain
    return false;
  }
  word = after->word;
  if (start != nullptr) *start = after->start;
  pos = after->end;
  return true;
}

bool RunText::isExpression(Symbol word) {
  if (word >= expressions_.size()) {
    const std::size_t known = expressions_.size();
    expressions_.resize(symbols_.size());
    for (std::size_t s = known; s < expressions_.size(); ++s) {
      std::u16string_view t = symbols_.text(static_cast<Symbol>(s));
      expressions_[s] = !t.empty() && t[0] == u'=';
    }
  }
  return expressions_[word] != 0;
}

std::size_t RunText::skipSpaces(std::size_t line, std::size_t pos) const {
  if (pos < 1) pos = 1;
  if (pos > lineInfo_[line].length) return pos;
  const Token* after = nullptr;
  const Token* t = tokenAtOrBefore(line, pos, after);
  if (t != nullptr && pos < t->end) return pos;
  return after == tokens_.data() + lineInfo_[line + 1].firstToken ? lineInfo_[line].length + 1
                                                                  : after->start;
}

char16_t RunText::charAt(std::size_t line, std::size_t pos) const {
  if (pos < 1 || pos > lineInfo_[line].length) return u'\0';
  const Token* after = nullptr;
  const Token* t = tokenAtOrBefore(line, pos, after);
  // Every character outside the words is a space.
  return t != nullptr && pos < t->end ? symbols_.text(t->word)[pos - t->start] : u' ';
}

Symbol RunText::read(std::size_t line, std::size_t& pos) {
  Symbol w = kSymEmpty;
  if (!next(line, pos, w)) pos = lineInfo_[line].length + 1;
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
