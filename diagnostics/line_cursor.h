// Editing one line from left to right. The text before the cursor is done; the text from the
// cursor on is kept reversed, so reading, inserting and deleting a few characters ahead of the
// cursor and stepping on cost time in proportion to the distance from the cursor, and a repair
// that walks a long line once stays linear however many characters it inserts or deletes.
#ifndef VEKSA_DIAGNOSTICS_LINE_CURSOR_H_
#define VEKSA_DIAGNOSTICS_LINE_CURSOR_H_

#include <cstddef>
#include <string_view>

#include "kb/text.h"

namespace veksa {

class LineCursor {
 public:
  explicit LineCursor(std::u16string_view line) : ahead_(line.rbegin(), line.rend()) {
    done_.reserve(line.size() + 16);
  }

  // The 1-based position of the character at the cursor.
  std::size_t pos() const { return done_.size() + 1; }
  // Characters from the cursor to the end of the line.
  std::size_t remaining() const { return ahead_.size(); }
  bool atEnd() const { return ahead_.empty(); }

  // The character i places after the cursor (0: at the cursor); the zero character past the end.
  char16_t at(std::size_t i) const {
    return i < ahead_.size() ? ahead_[ahead_.size() - 1 - i] : u'\0';
  }
  void setAt(std::size_t i, char16_t c) { ahead_[ahead_.size() - 1 - i] = c; }
  // True when the text i places after the cursor begins with `text`.
  bool matches(std::size_t i, std::u16string_view text) const {
    if (i + text.size() > ahead_.size()) return false;
    for (std::size_t k = 0; k < text.size(); ++k) {
      if (at(i + k) != text[k]) return false;
    }
    return true;
  }
  // The text of `n` characters from i places after the cursor.
  Line text(std::size_t i, std::size_t n) const {
    Line out;
    for (std::size_t k = 0; k < n && i + k < ahead_.size(); ++k) out.push_back(at(i + k));
    return out;
  }

  // Inserts a character i places after the cursor (i <= remaining()).
  void insert(std::size_t i, char16_t c) { ahead_.insert(ahead_.size() - i, 1, c); }
  // Deletes n characters from i places after the cursor.
  void erase(std::size_t i, std::size_t n) { ahead_.erase(ahead_.size() - i - n, n); }

  // Moves the cursor n characters on (at most to the end).
  void advance(std::size_t n) {
    for (std::size_t k = 0; k < n && !ahead_.empty(); ++k) {
      done_.push_back(ahead_.back());
      ahead_.pop_back();
    }
  }
  void skipSpaces() {
    while (!ahead_.empty() && ahead_.back() == u' ') advance(1);
  }
  // The length of the word at the cursor as GetLeks reads it (the cursor on a character other
  // than a space): up to a space, a "]" or the end of the line.
  std::size_t wordLength() const {
    if (ahead_.empty()) return 0;
    std::size_t n = 1;
    while (n < ahead_.size() && at(n) != u' ' && at(n) != u']') ++n;
    return n;
  }

  // The character just before the cursor (zero at the start of the line).
  char16_t before() const { return done_.empty() ? u'\0' : done_.back(); }
  // The text before the cursor, which a repair may shorten from its end.
  Line& done() { return done_; }

  // The whole line.
  Line finish() {
    done_.append(ahead_.rbegin(), ahead_.rend());
    ahead_.clear();
    return std::move(done_);
  }

 private:
  Line done_;
  Line ahead_;  // the rest of the line, last character first
};

}  // namespace veksa

#endif  // VEKSA_DIAGNOSTICS_LINE_CURSOR_H_
