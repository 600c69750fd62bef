// The knowledge-base lines while a diagnostics pass repairs them. The pass walks the text from the
// top and joins lines as it goes, so the lines are kept with a gap (a gap buffer of lines):
// removing a line near the place the pass has reached moves only the lines between that place and
// the previous removal, and a whole pass moves each line a bounded number of times.
//
// Caches that derive data from the text (the declaration look-ups of the rule checks) register a
// watch: it records the lowest line index changed or removed since the watch was reset, and the
// head keywords (headKeywordBit) that any written line now has as its first word.
#ifndef VEKSA_DIAGNOSTICS_TEXT_BUFFER_H_
#define VEKSA_DIAGNOSTICS_TEXT_BUFFER_H_

#include <cstddef>
#include <limits>
#include <vector>

#include "kb/declarations.h"
#include "kb/text.h"

namespace veksa {

class TextBuffer : public LineSource {
 public:
  struct Watch {
    std::size_t minTouched = std::numeric_limits<std::size_t>::max();
    unsigned keywordsWritten = 0;
    void reset() {
      minTouched = std::numeric_limits<std::size_t>::max();
      keywordsWritten = 0;
    }
  };

  explicit TextBuffer(Lines lines);

  std::size_t size() const { return lines_.size() - gap_; }
  const Line& operator[](std::size_t i) const { return lines_[physical(i)]; }
  std::size_t lineCount() const override { return size(); }
  const Line& lineAt(std::size_t i) const override { return (*this)[i]; }

  // Replaces line i (nothing happens when the text is the same).
  void set(std::size_t i, Line line);
  // Appends text to line i.
  void append(std::size_t i, std::u16string_view text);
  // Removes line i; the lines after it move up by one.
  void erase(std::size_t i);

  // The lines, the gap closed; the buffer is empty afterwards.
  Lines release();

  // Registers a watch; it must outlive the buffer's changes.
  void addWatch(Watch* watch) { watches_.push_back(watch); }

 private:
  std::size_t physical(std::size_t i) const { return i < gapStart_ ? i : i + gap_; }
  void moveGap(std::size_t to);
  void touched(std::size_t i, bool written);

  std::vector<Line> lines_;
  std::size_t gapStart_ = 0;  // logical index at which the gap lies
  std::size_t gap_ = 0;       // number of dead slots
  std::vector<Watch*> watches_;
};

}  // namespace veksa

#endif  // VEKSA_DIAGNOSTICS_TEXT_BUFFER_H_
