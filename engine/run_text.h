// The knowledge-base text of a run, read once. The text does not change while the passes of a run
// execute, so its lines are split into words once, each word a symbol with its position, the rules
// are indexed by name, the closing ")" of every group is found, and what a word stands for as a
// number is worked out the first time a pass needs it. Every pass then reads these instead of the
// lines, with exactly the word-reading rules of the lines (spaces skipped, a word ending at a space
// or before "]", read from any position, also from inside a word).
#ifndef VEKSA_ENGINE_RUN_TEXT_H_
#define VEKSA_ENGINE_RUN_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "engine/symbols.h"
#include "kb/text.h"

namespace veksa {

class RunText {
 public:
  RunText(const Lines& lines, Symbols& symbols, char16_t separator);

  const Lines& lines() const { return lines_; }
  std::size_t size() const { return lines_.size(); }
  Symbols& symbols() const { return symbols_; }
  std::u16string_view text(Symbol word) const { return symbols_.text(word); }

  // The length of a line.
  std::size_t length(std::size_t line) const { return lineInfo_[line].length; }
  // Skip spaces: the first position at or after `pos` (1-based) whose character is not a space,
  // just past the end of the line at most (a position beyond that stays).
  std::size_t skipSpaces(std::size_t line, std::size_t pos) const;
  // The character at `pos`; the terminating zero character past the end.
  char16_t charAt(std::size_t line, std::size_t pos) const;

  // True when the line is exactly "END".
  bool isEndLine(std::size_t line) const { return lineInfo_[line].end; }
  // The first word of a line (the empty word for a line of spaces).
  Symbol firstWord(std::size_t line) const { return lineInfo_[line].first; }

  // The next word from `pos` (1-based) of `line`, spaces skipped, with `pos` moved just past it
  // and `start` (when given) set to where it begins. False when none follows: `pos` is then just
  // past the end of the line, or unchanged when it was beyond that already (as skipping spaces
  // leaves it).
  bool next(std::size_t line, std::size_t& pos, Symbol& word, std::size_t* start = nullptr);
  // readWord: the next word, or the empty word with `pos` just past the end of the line.
  Symbol read(std::size_t line, std::size_t& pos);

  // The "NAME" lines of the rules called `name`, in text order.
  std::span<const std::uint32_t> rules(Symbol name) const;

  // For the position just after a "(" word, the position just past the ")" word that closes it
  // at its own depth, or the line's length + 1 when the line has none; from any other position,
  // just past the first ")" at depth 0 from there.
  std::size_t closeAfter(std::size_t line, std::size_t posAfterOpen);

  // True for a word that begins with "=" (a formula or a comparison).
  bool isExpression(Symbol word);

  // The number a factor word stands for in the workspace's number format, converted once; a word
  // that is no number raises the conversion error naming it, every time.
  long double number(Symbol word);

 private:
  struct Token {
    Symbol word;
    std::uint32_t start, end;    // 1-based: the first position and the one just past the word
    Symbol suffix1 = kNoSymbol;  // the word read from its second character (a factor after "[")
  };
  // What a pass asks of a line most, side by side.
  struct LineInfo {
    std::uint32_t firstToken, length;
    Symbol first;  // the first word, the empty word for a line of spaces
    bool end;      // the line is exactly "END"
  };
  struct Group {
    std::uint32_t afterOpen, afterClose;
  };
  struct Number {
    std::uint8_t state = 0;  // 0 not yet converted, 1 a number, 2 not a number
    long double value = 0;
  };

  // The last token of the line that begins at or before `pos`, or null; `next` receives the first
  // token after it (or the line's end).
  const Token* tokenAtOrBefore(std::size_t line, std::size_t pos, const Token*& next) const;
  // The word read from inside token `t` at `pos`: the rest of the token.
  Symbol suffix(std::size_t t, std::size_t pos);
  void indexGroups(std::size_t line);

  const Lines& lines_;
  Symbols& symbols_;
  char16_t separator_;
  std::vector<Token> tokens_;
  // By line, with one more after the last: the tokens of line i are [firstToken of i, of i + 1).
  std::vector<LineInfo> lineInfo_;
  std::vector<Group> groups_;              // by line, in increasing order of afterOpen
  std::vector<std::uint32_t> lineGroups_;  // the groups of line i: [lineGroups_[i], [i + 1])
  std::vector<std::uint32_t> ruleLines_;   // NAME lines ordered by name, then line
  std::vector<std::uint32_t> ruleStart_;   // by name symbol: its first entry in ruleLines_
  std::unordered_map<std::uint64_t, Symbol> suffixes_;  // (token, offset): the rarer suffixes
  std::vector<Number> numbers_;                         // by symbol
  std::vector<std::uint8_t> expressions_;               // by symbol: 1 a formula or comparison
  mutable std::size_t hint_ = 0;                        // the token found last
};

}  // namespace veksa

#endif  // VEKSA_ENGINE_RUN_TEXT_H_
