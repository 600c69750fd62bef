// The comparison window.
#include "ui/method_comparison_window.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>

#include "engine/run_driver.h"
#include "ui/bar_delegate.h"
#include "ui/key_preview.h"
#include "ui/qt_text.h"
#include "ui/window_buttons.h"
#include "ui/window_placement.h"

namespace veksa {

namespace {

constexpr int kTimeColumn = 2;

struct Column {
  const char* caption;
  int width;
};
constexpr Column kColumns[] = {{"Метод", 170},          {"Проходов", 75}, {"мкс на проход", 150},
                               {"Правил", 65},          {"Условий", 70},  {"Заключений", 85},
                               {"Первая гипотеза", 230}};

}  // namespace

MethodComparisonWindow::MethodComparisonWindow(char16_t separator, QWidget* parent)
    : QWidget(parent, closeBoxOnly(Qt::Tool)),
      separator_(separator),
      list_(new QTreeWidget(this)),
      timeBars_(new BarDelegate(separator, {}, list_)) {
  setObjectName("MethodComparisonWindow");
  offerCloseOnly(this);
  hideOnEscape(this);
  setWindowTitle(QStringLiteral("Сравнение методов"));
  list_->setObjectName("comparisonList");
  list_->setRootIsDecorated(false);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  QStringList headers;
  int width = 0;
  for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c) {
    headers << QString::fromUtf8(kColumns[c].caption);
    list_->setColumnWidth(c, kColumns[c].width);
    width += kColumns[c].width;
  }
  list_->setHeaderLabels(headers);
  list_->setItemDelegateForColumn(kTimeColumn, timeBars_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(list_);
  resize(width + 24, 200);
}

void MethodComparisonWindow::showMeasures(const std::vector<MethodMeasure>& measures) {
  std::vector<const MethodMeasure*> order;
  double slowest = 0;
  for (const MethodMeasure& m : measures) {
    order.push_back(&m);
    if (m.error.empty()) slowest = std::max(slowest, m.microsecondsPerPass);
  }
  // The fastest first; a run that ended with an error has no time and comes last.
  std::stable_sort(order.begin(), order.end(), [](const MethodMeasure* a, const MethodMeasure* b) {
    if (a->error.empty() != b->error.empty()) return a->error.empty();
    return a->error.empty() && a->microsecondsPerPass < b->microsecondsPerPass;
  });
  timeBars_->setFull(slowest);
  list_->clear();
  for (const MethodMeasure* m : order) {
    auto* item = new QTreeWidgetItem(list_);
    item->setText(0, toQString(traitsOf(m->method).fieldText));
    item->setText(1, QString::number(m->passes));
    char time[32];
    std::snprintf(time, sizeof time, "%.3f", m->microsecondsPerPass);
    item->setText(kTimeColumn, m->error.empty()
                                   ? QString::fromLatin1(time).replace('.', QChar(separator_))
                                   : QString());
    item->setText(3, QString::number(m->counts.rulesExecuted));
    item->setText(4, QString::number(m->counts.conditionsEvaluated));
    item->setText(5, QString::number(m->counts.conclusionsRecorded));
    item->setText(6, m->error.empty()
                         ? toQString(m->cls + u" " + m->value + u" " + m->certainty).trimmed()
                         : toQString(m->error));
    for (int c = 1; c <= 5; ++c) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
  }
  centreOnFirstShow(this, placed_);
  show();
  raise();
  activateWindow();
}

}  // namespace veksa
