// The comparison of the methods ("Сравнение методов"): one row per inference method with its
// passes, its time per pass (with a bar), the work of its last pass and the first hypothesis of
// its ordered results, sorted by time. Always on top; Esc and the close box hide it.
#ifndef VEKSA_UI_METHOD_COMPARISON_WINDOW_H_
#define VEKSA_UI_METHOD_COMPARISON_WINDOW_H_

#include <QWidget>
#include <vector>

#include "engine/method_comparison.h"

class QTreeWidget;

namespace veksa {

class BarDelegate;

class MethodComparisonWindow : public QWidget {
  Q_OBJECT

 public:
  // `separator` is the decimal separator of the numbers shown.
  MethodComparisonWindow(char16_t separator, QWidget* parent);

  QTreeWidget* list() const { return list_; }

  // Shows the measures, the fastest method first, and the window.
  void showMeasures(const std::vector<MethodMeasure>& measures);

 private:
  char16_t separator_;
  QTreeWidget* list_;
  BarDelegate* timeBars_;
  bool placed_ = false;
};

}  // namespace veksa

#endif  // VEKSA_UI_METHOD_COMPARISON_WINDOW_H_
