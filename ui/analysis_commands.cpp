// The rule graph and method comparison commands.
#include "ui/analysis_commands.h"

#include <QApplication>

#include "engine/method_comparison.h"
#include "kb/locate.h"
#include "ui/editor_window.h"
#include "ui/main_window.h"
#include "ui/method_comparison_window.h"
#include "ui/qt_text.h"
#include "ui/rule_graph_window.h"
#include "ui/run_commands.h"

namespace veksa {

AnalysisCommands::AnalysisCommands(MainWindow& window) : QObject(&window), window_(window) {
  connect(&window, &MainWindow::ruleGraphRequested, this, &AnalysisCommands::showRuleGraph);
  connect(&window, &MainWindow::methodComparisonRequested, this, &AnalysisCommands::compareMethods);
}

void AnalysisCommands::showRuleGraph() {
  if (!window_.projectGuard()) return;
  CommandScope scope(window_);  // the graph is of the editor's text as it stands
  if (!graph_) {
    graph_ = new RuleGraphWindow(&window_);
    connect(graph_, &RuleGraphWindow::ruleClicked, this, &AnalysisCommands::selectRule);
  }
  graph_->showGraph(window_.workspace());
}

void AnalysisCommands::compareMethods() {
  if (!window_.projectGuard()) return;
  CommandScope scope(window_);
  const Workspace& ws = window_.workspace();
  ComparisonSetup setup;
  setup.lines = ws.fileText();  // a text narrowed by the tree runs whole, as F9 runs it
  if (!ws.RulePath.empty()) setup.path = ws.RulePath;
  if (ws.lastRun.lastPass.recorded) {
    setup.answers = ws.lastRun.answers;
  } else {
    setup.asker = &window_.runCommands()->host();
  }
  // Without questions to answer the runs only take time.
  if (!setup.asker) QApplication::setOverrideCursor(Qt::WaitCursor);
  std::vector<MethodMeasure> measures = veksa::compareMethods(setup);
  if (!setup.asker) QApplication::restoreOverrideCursor();
  if (!comparison_) comparison_ = new MethodComparisonWindow(ws.decimalSeparator, &window_);
  comparison_->showMeasures(measures);
}

void AnalysisCommands::selectRule(std::size_t nameLine, const QString& name) {
  EditorWindow* editor = window_.editor();
  if (editor->isClosed()) return;
  // The text may have changed since the graph was drawn: the rule's line if it is still there,
  // else the first rule of that name.
  const Lines lines = splitLines(editor->plainText());
  const Line rule = toLine(name);
  std::optional<std::size_t> line;
  for (const RuleLine& r : ruleLines(lines)) {
    if (r.name != rule) continue;
    if (!line || r.index == nameLine) line = r.index;
  }
  if (!line) return;
  window_.activateWindow();
  editor->selectLine(*line);
}

}  // namespace veksa
