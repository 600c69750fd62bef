// The inference methods and what each does, in one table. To add a method, add its enumerator and
// its row: the menu "Настройки" > "Выбор метода", the main window's method field, veksa-cli's
// --method names and usage, and the comparison of the methods are all built from the table, and
// the rule interpreter and the run driver read a method's behaviour from its row.
#ifndef VEKSA_ENGINE_INFERENCE_METHOD_H_
#define VEKSA_ENGINE_INFERENCE_METHOD_H_

#include <array>
#include <cstddef>
#include <string_view>

namespace veksa {

// In menu order.
enum class InferenceMethod {
  ForwardBreadth,
  ForwardDepth,
  BackwardBreadth,
  BackwardDepth,
  FirstConclusion
};

// Which way the rules are read: forward records every conclusion; backward works towards the
// first conclusion of a pass, recording only it and later conclusions equal to it.
enum class Direction { Forward, Backward };

// What a method does. Breadth and depth differ only in the repetition count of the timing loop.
struct MethodTraits {
  InferenceMethod method;
  Direction direction;
  // The pass ends after the first rule that fires a branch, and shows the results window then.
  bool endsAtFirstConclusion;
  int repeatCount;                // the timing loop makes 2 x (repeatCount + 1) passes
  std::u16string_view command;    // the item of "Настройки" > "Выбор метода"
  std::u16string_view fieldText;  // the main window's method field and the results caption
  std::string_view cliName;       // veksa-cli's --method name
};

inline constexpr std::array<MethodTraits, 5> kInferenceMethods = {{
    {InferenceMethod::ForwardBreadth, Direction::Forward, false, 120, u"Прямой и в ширину",
     u"Прямой в ширину", "forward-breadth"},
    {InferenceMethod::ForwardDepth, Direction::Forward, false, 170, u"Прямой и в глубину",
     u"Прямой в глубину", "forward-depth"},
    {InferenceMethod::BackwardBreadth, Direction::Backward, false, 100, u"Обратный и в ширину",
     u"Обратный в ширину", "backward-breadth"},
    {InferenceMethod::BackwardDepth, Direction::Backward, false, 150, u"Обратный и в глубину",
     u"Обратный в глубину", "backward-depth"},
    {InferenceMethod::FirstConclusion, Direction::Backward, true, 100, u"До первого заключения",
     u"До первого заключения", "first-conclusion"},
}};

// The row of a method.
constexpr const MethodTraits& traitsOf(InferenceMethod method) {
  return kInferenceMethods[static_cast<std::size_t>(method)];
}

// Each row sits at its enumerator's place.
constexpr bool rowsInOrder() {
  for (std::size_t i = 0; i < kInferenceMethods.size(); ++i) {
    if (static_cast<std::size_t>(kInferenceMethods[i].method) != i) return false;
  }
  return true;
}
static_assert(rowsInOrder(), "kInferenceMethods lists the methods in enumerator order");

}  // namespace veksa

#endif  // VEKSA_ENGINE_INFERENCE_METHOD_H_
