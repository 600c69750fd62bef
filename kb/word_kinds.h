// What each word of a knowledge-base line is, for the editor's highlighting: keywords of the
// rule language, declaration and section headers, formulas and comparisons, certainty factors.
// Words are runs of characters between spaces, as the rule language reads them.
#ifndef VEKSA_KB_WORD_KINDS_H_
#define VEKSA_KB_WORD_KINDS_H_

#include <cstddef>
#include <string_view>
#include <vector>

namespace veksa {

enum class WordKind {
  Keyword,    // NAME, IF, THEN, ELSE, CASE, END, AND, OR, NOT
  Header,     // "ГИПОТЕЗЫ:", "ПАРАМЕТРЫ:", "ПЕРЕМЕННЫЕ:", "РАЗДЕЛ S", "КОНЕЦ РАЗДЕЛА S"
  Formula,    // a word beginning with "=": a formula or a comparison
  Certainty,  // a certainty factor "[0,9]"
  Blank,      // a tab, or spaces at the end of the line (blankSpans)
};

// A stretch of a line: 0-based start and length in UTF-16 units.
struct WordSpan {
  std::size_t start;
  std::size_t length;
  WordKind kind;
  bool operator==(const WordSpan&) const = default;
};

// The classified stretches of one line, left to right and never overlapping; words of no kind
// (names, values, numbers, operators) have none. A section header covers "РАЗДЕЛ" and its name,
// or "КОНЕЦ РАЗДЕЛА" and its name, spaces between included. A certainty factor covers "[" up to
// and including its "]" (the whole word when it has none), so "[0,9]," leaves the comma out.
std::vector<WordSpan> classifyWords(std::u16string_view line);

// The blanks that change what a line means although they do not show: every run of tabs (the rule
// language separates words by spaces only, so "\tIF" is one word and no keyword) and the spaces
// at the end of the line (an "END " line does not end a rule for the hierarchy tree). They may
// fall inside the stretches of classifyWords.
std::vector<WordSpan> blankSpans(std::u16string_view line);

}  // namespace veksa

#endif  // VEKSA_KB_WORD_KINDS_H_
