// Knowledge-base lines: one UTF-16 unit per character, so the 1-based character positions that
// every scan of the rule language uses are plain indexes (position p is line[p - 1]).
#ifndef VEKSA_KB_TEXT_H_
#define VEKSA_KB_TEXT_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace veksa {

using Line = std::u16string;
using Lines = std::vector<Line>;

// The character at 1-based position p; a position past the end (or 0) reads as the terminating
// zero character, which is not a space.
inline char16_t charAt(std::u16string_view line, std::size_t p) {
  return (p >= 1 && p <= line.size()) ? line[p - 1] : u'\0';
}

// Caption of a knowledge base that has no file yet.
inline constexpr std::u16string_view kNewCaption = u"new.vks";

// The six lines of a new knowledge base.
Lines newKnowledgeBase();

// Where a text breaks into lines. LF always ends a line.
struct LineBreaks {
  bool carriageReturn;      // CR LF and a lone CR end a line too (else CR is a character)
  bool unicodeSeparators;   // the Unicode line and paragraph separators end a line
  bool finalBreakEndsText;  // a break at the very end adds no empty last line
};
// Files and the other plain texts (answers, rule paths): CR LF, LF or CR; a final line end adds no
// empty line.
inline constexpr LineBreaks kFileLineBreaks{true, false, true};
// An editor's text: LF and the Unicode separators; a final line end is followed by an empty line,
// as the editor shows it.
inline constexpr LineBreaks kEditorLineBreaks{false, true, false};

// The lines of a text, without their line ends. The empty text has no lines.
Lines splitLines(std::u16string_view text, LineBreaks breaks);

// UTF-8 for the terminal and messages; UTF-16 inside.
std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);
// True when the bytes are well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);

}  // namespace veksa

#endif  // VEKSA_KB_TEXT_H_
