// The run-table windows with their captions and columns.
#include "ui/result_windows.h"

#include <QFontMetrics>
#include <QMenu>
#include <QTreeWidget>

#include "engine/explanation.h"
#include "ui/bar_delegate.h"
#include "ui/explanation_window.h"
#include "ui/qt_text.h"

namespace veksa {

namespace {

// The certainty column: a bar behind every certainty (`hasBar` picks the rows that hold one).
constexpr int kCertaintyColumn = 2;
void addCertaintyBars(TableWindow* window, const Workspace& ws,
                      std::function<bool(const QModelIndex&)> hasBar = {}) {
  window->list()->setItemDelegateForColumn(
      kCertaintyColumn, new BarDelegate(ws.decimalSeparator, std::move(hasBar), window->list()));
}

}  // namespace

FactsWindow::FactsWindow(Workspace& ws, QWidget* parent)
    : TableWindow("TForm12", QStringLiteral("Коэффициенты фактов"), ws.facts,
                  {{QStringLiteral("Параметр"), 100},
                   {QStringLiteral("Значение"), 100},
                   {QStringLiteral("Коэффициент"), 100}},
                  false, parent) {
  addCertaintyBars(this, ws);
}

ResultsWindow::ResultsWindow(Workspace& ws, QWidget* parent)
    : TableWindow("TForm11", toQString(ws.resultsCaption), ws.results,
                  {{QStringLiteral("Гипотеза"), 170},
                   {QStringLiteral("Значение гипотезы"), 170},
                   {QStringLiteral("Коэффициент уверенности"), 170}},
                  false, parent),
      ws_(ws),
      rowMenu_(new QMenu(this)),
      explainAction_(rowMenu_->addAction(QStringLiteral("Как получено"))),
      // A window of the main window's, like the result windows themselves.
      explanation_(new ExplanationWindow(parent)) {
  addCertaintyBars(this, ws);
  rowMenu_->setObjectName("explanationMenu");
  connect(list(), &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item) { explainRow(list()->indexOfTopLevelItem(item)); });
  list()->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(list(), &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QTreeWidgetItem* item = list()->itemAt(at);
    if (!item) return;
    list()->setCurrentItem(item);
    rowMenu_->popup(list()->viewport()->mapToGlobal(at));
  });
  connect(explainAction_, &QAction::triggered, this, [this] {
    if (QTreeWidgetItem* item = list()->currentItem()) {
      explainRow(list()->indexOfTopLevelItem(item));
    }
  });
}

void ResultsWindow::explainRow(int row) {
  QTreeWidgetItem* item = list()->topLevelItem(row);
  if (!item) return;
  explainedClass_ = item->text(0);
  explainedValue_ = item->text(1);
  showExplanation();
  explanation_->showBelow(this);
}

void ResultsWindow::showExplanation() {
  explanation_->setExplanation(
      explainedClass_, explainedValue_,
      explainHypothesis(ws_, toLine(explainedClass_), toLine(explainedValue_)));
}

void ResultsWindow::refresh() {
  const QString caption = toQString(ws_.resultsCaption);
  if (caption != windowTitle()) {
    setWindowTitle(caption);
    // The caption after a run names the method and the time: widen the window so that the
    // title bar shows it whole (its font is the window manager's, usually bold).
    QFont bold = font();
    bold.setBold(true);
    widenTo(QFontMetrics(bold).horizontalAdvance(caption) + 120);
  }
  TableWindow::refresh();
  if (explanation_->isVisible()) showExplanation();
}

ProtocolWindow::ProtocolWindow(Workspace& ws, QWidget* parent)
    : TableWindow("TForm14", QStringLiteral("Протокол решения"), ws.protocol,
                  {{QStringLiteral("Правило"), 100},
                   {QStringLiteral("Решение"), 100},
                   {QStringLiteral("Коэффициент"), 100}},
                  true, parent) {
  // A "Гипотеза" row holds a conclusion's certainty; a "Переменная" row a variable's value.
  addCertaintyBars(this, ws, [](const QModelIndex& index) {
    return index.siblingAtColumn(0).data().toString() == QStringLiteral("Гипотеза");
  });
}

VariablesWindow::VariablesWindow(Workspace& ws, QWidget* parent)
    : TableWindow("TForm16", QStringLiteral("Переменные"), ws.variables,
                  {{QStringLiteral("Наименование"), 150}, {QStringLiteral("Значение"), 150}}, true,
                  parent) {}

}  // namespace veksa
