// The walk of the diagnostics over the text: every word of every line in turn, stopping at the
// words that open a report heading. The driver runs its checks at each heading; the report-line
// mapping walks the text the same way to find the line of each heading.
#ifndef VEKSA_DIAGNOSTICS_HEADING_WALK_H_
#define VEKSA_DIAGNOSTICS_HEADING_WALK_H_

#include <cstddef>
#include <string_view>

#include "kb/keywords.h"
#include "kb/locate.h"
#include "kb/scan.h"
#include "kb/text.h"

namespace veksa {

// The report's heading lines begin with these, followed by the header or the name.
inline constexpr std::u16string_view kSectionHeading = u"Раздел  ";
inline constexpr std::u16string_view kRuleHeading = u"Правило  ";

// A heading line of the report (not one of its head lines or a fault).
inline bool isReportHeading(std::u16string_view line) {
  return line.starts_with(kSectionHeading) || line.starts_with(kRuleHeading);
}

// A heading the walk met: "ГИПОТЕЗЫ:" or "ПАРАМЕТРЫ:" (Declarations), "ПЕРЕМЕННЫЕ:", "РАЗДЕЛ S",
// "NAME R".
enum class HeadingWord { Declarations, Variables, Section, Rule };

struct HeadingAt {
  HeadingWord kind;
  Line word;  // the header word, or the section's or rule's name (empty when the line ends)
  std::size_t line;
  std::size_t pos;  // where the words after the heading begin
  // The heading's report line: "Раздел  " or "Правило  " with the header or the name.
  Line reportLine() const {
    return Line(kind == HeadingWord::Rule ? kRuleHeading : kSectionHeading) + word;
  }
};

// What the walk does after a heading: go on with the next word, stop, or (after the declaration
// headers) go on at the second line after the header, the line directly after it being read by
// nobody.
enum class AfterHeading { Continue, Stop, SkipNextLine };

// Calls `at(HeadingAt)` for every heading of `text` (any type with size() and operator[] giving
// lines) and does what it answers. The line is read afresh for every word, since the caller may
// change the text at a heading.
template <typename Text, typename F>
void walkHeadings(const Text& text, F at) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i].size() <= 1) continue;
    // Every word of the line in turn: past the word and one more position.
    std::size_t pos = 1;
    while (pos <= text[i].size()) {
      Line word = readWord(text[i], pos);
      if (word.empty()) break;
      ++pos;
      HeadingAt h{HeadingWord::Declarations, std::move(word), i, pos};
      if (h.word == kHypothesesHeader || h.word == kParametersHeader) {
        h.kind = HeadingWord::Declarations;
      } else if (h.word == kVariablesHeader) {
        h.kind = HeadingWord::Variables;
      } else if (h.word == kSectionWord || h.word == kName) {
        h.kind = h.word == kSectionWord ? HeadingWord::Section : HeadingWord::Rule;
        h.word = readWord(text[i], pos);
        h.pos = ++pos;
      } else {
        continue;
      }
      const AfterHeading next = at(h);
      if (next == AfterHeading::Stop) return;
      if (next == AfterHeading::SkipNextLine) {
        ++i;
        break;
      }
    }
  }
}

}  // namespace veksa

#endif  // VEKSA_DIAGNOSTICS_HEADING_WALK_H_
