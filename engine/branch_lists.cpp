// Branch lists read once per run.
#include "engine/branch_lists.h"

namespace veksa {

namespace {

// Where a conclusion list goes on.
struct Place {
  bool more = false;
  std::size_t line = 0, pos = 0;
};

// The next item from `pos`, spaces skipped; when that is the line's last character or beyond,
// position 1 of the next line (none when there is none).
Place nextItem(const RunText& text, std::size_t line, std::size_t pos) {
  pos = text.skipSpaces(line, pos);
  if (pos >= text.length(line)) {
    ++line;
    pos = 1;
  }
  if (line >= text.size()) return {};
  return {true, line, pos};
}

// Reads one conclusion "class value [factor]" whose class `cls` has been read, `pos` just after
// it, into `out`, and tells where the list goes on.
Place conclusion(RunText& text, Symbol cls, std::size_t line, std::size_t pos,
                 BranchItem::Kind kind, std::vector<BranchItem>& out, ResultRows& results) {
  Symbol value = text.read(line, pos);
  ++pos;
  pos = text.skipSpaces(line, pos) + 1;  // the character reached is taken to be "[" and passed over
  Symbol factor = kSymEmpty;
  if (!text.next(line, pos, factor)) pos = text.length(line) + 1;
  out.push_back({cls, value, factor, kind, results.idOf(cls, value)});
  // The list goes on when a comma follows the closing "]" directly (pos is just past the factor).
  if (text.charAt(line, pos + 1) != u',') return {};
  return nextItem(text, line, pos + 2);
}

}  // namespace

std::span<const BranchItem> BranchLists::items(RunText& text, std::size_t line, std::size_t pos,
                                               Symbol first, std::uint32_t& note) {
  if (note == 0) note = read(text, line, pos, first);
  return at(note);
}

std::span<const BranchItem> BranchLists::alternative(RunText& text, std::size_t line) {
  if (alternatives_.empty()) alternatives_.assign(text.size(), 0);
  std::uint32_t& note = alternatives_[line];
  if (note == 0) {
    std::size_t pos = 1;
    text.read(line, pos);  // the fact's value
    Symbol first = text.read(line, pos);
    note = read(text, line, pos, first);
  }
  return at(note);
}

std::span<const BranchItem> BranchLists::at(std::uint32_t note) const {
  const auto& [first, count] = branches_[note - 1];
  return {items_.data() + first, count};
}

std::uint32_t BranchLists::read(RunText& text, std::size_t line, std::size_t pos, Symbol first) {
  const std::size_t begin = items_.size();
  if (text.isExpression(first)) {
    // A formula list: every further word of the line is a formula.
    items_.push_back({first, kSymEmpty, kSymEmpty, BranchItem::Kind::FirstFormula});
    for (Symbol f = text.read(line, pos); f != kSymEmpty; f = text.read(line, pos)) {
      items_.push_back({f, kSymEmpty, kSymEmpty, BranchItem::Kind::Formula});
    }
  } else {
    // A conclusion list: item by item, a formula among them ends it unless a comma ends the
    // formula's word.
    Place next = conclusion(text, first, line, pos, BranchItem::Kind::FirstConclusion, items_,
                            results_);
    while (next.more) {
      line = next.line;
      pos = next.pos;
      Symbol item = kSymEmpty;
      if (!text.next(line, pos, item)) pos = text.length(line) + 1;
      if (text.isExpression(item)) {
        items_.push_back({item, kSymEmpty, kSymEmpty, BranchItem::Kind::Formula});
        if (text.text(item).back() != u',') break;
        next = nextItem(text, line, pos);
      } else {
        next = conclusion(text, item, line, pos, BranchItem::Kind::Conclusion, items_, results_);
      }
    }
  }
  branches_.emplace_back(static_cast<std::uint32_t>(begin),
                         static_cast<std::uint32_t>(items_.size() - begin));
  return static_cast<std::uint32_t>(branches_.size());
}

}  // namespace veksa
