// The editor window's hidden memo: the asked-parameters list of a run, the section buffer while
// the chosen sections are assembled and the merge buffer. An ordered list of lines with a count of
// each line beside it, so "does the list hold this name" needs no scan.
#ifndef VEKSA_ENGINE_MEMO_LIST_H_
#define VEKSA_ENGINE_MEMO_LIST_H_

#include <unordered_map>

#include "kb/text.h"

namespace veksa {

class MemoList {
 public:
  const Lines& lines() const { return lines_; }
  std::size_t size() const { return lines_.size(); }
  bool empty() const { return lines_.empty(); }
  bool contains(const Line& line) const { return counts_.count(line) != 0; }
  void append(Line line) {
    ++counts_[line];
    lines_.push_back(std::move(line));
  }
  void clear() {
    lines_.clear();
    counts_.clear();
  }
  // Moves the lines out and empties the list.
  Lines take() {
    Lines out = std::move(lines_);
    lines_.clear();
    counts_.clear();
    return out;
  }

 private:
  Lines lines_;
  std::unordered_map<Line, int> counts_;
};

}  // namespace veksa

#endif  // VEKSA_ENGINE_MEMO_LIST_H_
