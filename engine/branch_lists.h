// What a branch does once it fires, read once per run. A THEN or ELSE branch (or a CASE
// alternative) goes on with a formula list or a conclusion list, and which words those lists are
// depends on the text only: the certainties they are recorded with come from the pass. So the
// first time a branch fires, its list is read into items, one after another in the order a pass
// meets them, and every later firing runs the items instead of reading the words again. The items
// of all branches lie side by side in the order the first pass fired them, so a pass reads them
// from one place, front to back.
#ifndef VEKSA_ENGINE_BRANCH_LISTS_H_
#define VEKSA_ENGINE_BRANCH_LISTS_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "engine/result_rows.h"
#include "engine/run_text.h"
#include "engine/symbols.h"

namespace veksa {

struct BranchItem {
  enum class Kind : std::uint8_t {
    FirstFormula,     // the branch's first word is a formula: written without its leading "="
    Formula,          // a further formula
    FirstConclusion,  // the branch's own conclusion: firing multiplies the certainty by its factor
    Conclusion,       // a further item of the conclusion list
  };
  Symbol word;  // the formula, or the conclusion's class
  Symbol value = kSymEmpty;
  Symbol factor = kSymEmpty;  // the word read as the factor (converted when the item runs)
  Kind kind = Kind::Formula;
  std::uint32_t result = 0;  // a conclusion's number in the run's ResultRows
};

class BranchLists {
 public:
  // Conclusions are numbered in `results`.
  explicit BranchLists(ResultRows& results) : results_(results) {}

  // The items of the branch whose first word `first` has just been read from `line`, `pos` being
  // just after it. `note` is where the caller keeps which branch that is (0 before the first
  // call). The span stays valid until another branch is read for the first time.
  std::span<const BranchItem> items(RunText& text, std::size_t line, std::size_t pos, Symbol first,
                                    std::uint32_t& note);

  // The same for a CASE alternative: its line's first word is the fact's value, the second word
  // begins the branch. Kept by line.
  std::span<const BranchItem> alternative(RunText& text, std::size_t line);

 private:
  // Reads a branch into items_ and returns its note.
  std::uint32_t read(RunText& text, std::size_t line, std::size_t pos, Symbol first);
  std::span<const BranchItem> at(std::uint32_t note) const;

  ResultRows& results_;
  std::vector<BranchItem> items_;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> branches_;  // by note - 1: first, count
  std::vector<std::uint32_t> alternatives_;                         // by line: the note, or 0
};

}  // namespace veksa

#endif  // VEKSA_ENGINE_BRANCH_LISTS_H_
