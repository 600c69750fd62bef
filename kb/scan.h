// The word-scanning toolkit that every reader of the knowledge base shares: the word reader
// GetLeks, the position conventions (skip spaces, read, step on) and the declared values of a
// parameter (SpisZnach). Positions are 1-based, as in the rule language's own description.
#ifndef VEKSA_KB_SCAN_H_
#define VEKSA_KB_SCAN_H_

#include <cstddef>

#include "kb/text.h"

namespace veksa {

// GetLeks: reads the word that begins at or after `start` and ends at the latest at `bound`. A
// word is a run of characters other than the space that also ends before a "]". Assigns `out` and
// returns true only when it finds a word; otherwise `out` keeps what it held.
bool GetLeks(std::u16string_view line, std::size_t start, std::size_t bound, Line& out);

// The length of the word GetLeks reads at `pos` (1-based), whose character is not a space: up to
// the next space or "]" after its first character, or the end of the line.
std::size_t wordLengthAt(std::u16string_view line, std::size_t pos);

// Skip spaces: the first position at or after `pos` whose character is not a space (just past
// the end of the line at most).
std::size_t skipSpaces(std::u16string_view line, std::size_t pos);

// Skips spaces from `pos`, reads the word there and moves `pos` just past it. Returns the empty
// word, with `pos` just past the end of the line, when no word follows.
Line readWord(std::u16string_view line, std::size_t& pos);

// The first word of a line (empty for an empty line or one of spaces only).
Line firstWord(std::u16string_view line);
// Position of the first word (just past the end when there is none).
std::size_t firstWordPos(std::u16string_view line);
// The second word of a line.
Line secondWord(std::u16string_view line);

// Calls f(word, startPos) for every word of the line, left to right; f returns false to stop.
template <typename F>
void forEachWord(std::u16string_view line, F f) {
  std::size_t pos = 1;
  while (true) {
    pos = skipSpaces(line, pos);
    if (pos > line.size()) return;
    Line w;
    if (!GetLeks(line, pos, line.size(), w)) return;
    if (!f(w, pos)) return;
    pos += w.size();
  }
}

// SpisZnach: the values offered for a parameter: every line whose first word is the name gives
// the words from two characters after the name on, each without its last character.
Lines SpisZnach(const Lines& lines, std::u16string_view name);

}  // namespace veksa

#endif  // VEKSA_KB_SCAN_H_
