// The ResultTable's rows by conclusion, for the passes of one run. Every conclusion a pass records
// looks up the last row of its class and value; with thousands of hypotheses the table's own key
// index is spread over more memory than the processor keeps near, and the look-ups jump about it.
// Here each conclusion (class, value) of the run's branch lists gets a small number in the order
// the first pass meets it, and the last row of each is kept in an array by that number, so a pass
// reads it nearly front to back. The array follows the table: when the table changed other than
// through `appended` and `changed` (it was emptied between passes, or reordered), it is read again,
// every key in it numbered, and the table told to leave its own index until someone looks up a key:
// the rows a pass appends are then not indexed one by one.
#ifndef VEKSA_ENGINE_RESULT_ROWS_H_
#define VEKSA_ENGINE_RESULT_ROWS_H_

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "engine/symbols.h"
#include "engine/table.h"

namespace veksa {

class ResultRows {
 public:
  static constexpr std::uint32_t kNone = ~std::uint32_t{0};

  // The number of the conclusion (cls, value), given the first time it is asked for.
  std::uint32_t idOf(Symbol cls, Symbol value);

  // The last row of `table` whose class and value are those of conclusion `id`, or kNone.
  std::uint32_t lastRow(Table& table, std::uint32_t id);
  // After the row `row` of conclusion `id` was appended to `table`.
  void appended(const Table& table, std::uint32_t id, std::uint32_t row);
  // After a number of `table` was changed (its keys stay).
  void changed(const Table& table) { followed(table); }

 private:
  // Reads the last row of every conclusion from the table.
  void sync(Table& table);
  // Takes one change of the table as followed; any other change since the last look-up makes the
  // next look-up read the table again.
  void followed(const Table& table) {
    if (table.generation() == generation_ + 1) ++generation_;
  }

  std::unordered_map<std::uint64_t, std::uint32_t> ids_;  // by key: the conclusion's number
  std::vector<std::uint64_t> keys_;                      // by number: the key
  std::vector<std::uint32_t> rows_;                      // by number: its last row, or kNone
  const Table* table_ = nullptr;
  std::uint64_t generation_ = 0;
};

}  // namespace veksa

#endif  // VEKSA_ENGINE_RESULT_ROWS_H_
