// Word classification of knowledge-base lines for the editor.
#include "kb/word_kinds.h"

#include <algorithm>
#include <array>

#include "kb/keywords.h"

namespace veksa {

namespace {

constexpr std::array<std::u16string_view, 3> kHeaders = {kHypothesesHeader, kParametersHeader,
                                                         kVariablesHeader};

struct Word {
  std::size_t start;
  std::u16string_view text;
  std::size_t end() const { return start + text.size(); }
};

std::vector<Word> splitWords(std::u16string_view line) {
  std::vector<Word> words;
  std::size_t pos = 0;
  while (pos < line.size()) {
    if (line[pos] == u' ') {
      ++pos;
      continue;
    }
    const std::size_t end = std::min(line.find(u' ', pos), line.size());
    words.push_back({pos, line.substr(pos, end - pos)});
    pos = end;
  }
  return words;
}

template <std::size_t N>
bool oneOf(std::u16string_view word, const std::array<std::u16string_view, N>& set) {
  for (std::u16string_view w : set) {
    if (w == word) return true;
  }
  return false;
}

}  // namespace

std::vector<WordSpan> classifyWords(std::u16string_view line) {
  const std::vector<Word> words = splitWords(line);
  std::vector<WordSpan> spans;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const Word& w = words[i];
    // A section header runs from its first word through the section's name.
    std::size_t headerWords = 0;
    if (w.text == kSectionWord) {
      headerWords = 2;
    } else if (w.text == u"КОНЕЦ" && i + 1 < words.size() && words[i + 1].text == u"РАЗДЕЛА") {
      headerWords = 3;
    }
    if (headerWords > 0) {
      const std::size_t last = std::min(i + headerWords, words.size()) - 1;
      spans.push_back({w.start, words[last].end() - w.start, WordKind::Header});
      i = last;
      continue;
    }
    if (oneOf(w.text, kRuleKeywords)) {
      spans.push_back({w.start, w.text.size(), WordKind::Keyword});
    } else if (oneOf(w.text, kHeaders)) {
      spans.push_back({w.start, w.text.size(), WordKind::Header});
    } else if (w.text.front() == u'=') {
      spans.push_back({w.start, w.text.size(), WordKind::Formula});
    } else if (w.text.front() == u'[') {
      const std::size_t close = w.text.find(u']');
      const std::size_t length = close == std::u16string_view::npos ? w.text.size() : close + 1;
      spans.push_back({w.start, length, WordKind::Certainty});
    }
  }
  return spans;
}

std::vector<WordSpan> blankSpans(std::u16string_view line) {
  std::vector<WordSpan> spans;
  std::size_t trailing = line.size();
  while (trailing > 0 && (line[trailing - 1] == u' ' || line[trailing - 1] == u'\t')) --trailing;
  for (std::size_t pos = line.find(u'\t'); pos < trailing; pos = line.find(u'\t', pos)) {
    const std::size_t end = std::min(line.find_first_not_of(u'\t', pos), trailing);
    spans.push_back({pos, end - pos, WordKind::Blank});
    pos = end;
  }
  if (trailing < line.size()) spans.push_back({trailing, line.size() - trailing, WordKind::Blank});
  return spans;
}

}  // namespace veksa
