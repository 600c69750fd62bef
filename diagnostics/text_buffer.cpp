// The gap buffer of lines.
#include "diagnostics/text_buffer.h"

#include <algorithm>
#include <utility>

#include "kb/scan.h"

namespace veksa {

TextBuffer::TextBuffer(Lines lines) : lines_(std::move(lines)), gapStart_(lines_.size()) {}

void TextBuffer::moveGap(std::size_t to) {
  if (gap_ == 0) {
    gapStart_ = to;
    return;
  }
  if (to < gapStart_) {
    for (std::size_t j = gapStart_; j-- > to;) lines_[j + gap_] = std::move(lines_[j]);
  } else {
    for (std::size_t j = gapStart_; j < to; ++j) lines_[j] = std::move(lines_[j + gap_]);
  }
  gapStart_ = to;
}

void TextBuffer::touched(std::size_t i, bool written) {
  if (watches_.empty()) return;
  unsigned bit = written ? headKeywordBit(firstWord((*this)[i])) : 0u;
  for (Watch* w : watches_) {
    w->minTouched = std::min(w->minTouched, i);
    w->keywordsWritten |= bit;
  }
}

void TextBuffer::set(std::size_t i, Line line) {
  Line& slot = lines_[physical(i)];
  if (slot == line) return;
  slot = std::move(line);
  touched(i, true);
}

void TextBuffer::append(std::size_t i, std::u16string_view text) {
  if (text.empty()) return;
  lines_[physical(i)] += text;
  touched(i, true);
}

void TextBuffer::erase(std::size_t i) {
  moveGap(i + 1);
  // Logical line i now stands just before the gap: it joins the gap.
  lines_[i] = Line();
  gapStart_ = i;
  ++gap_;
  touched(i, false);
}

Lines TextBuffer::release() {
  moveGap(size());
  lines_.resize(size());
  gap_ = 0;
  gapStart_ = lines_.size();
  Lines out = std::move(lines_);
  lines_.clear();
  gapStart_ = 0;
  return out;
}

}  // namespace veksa
