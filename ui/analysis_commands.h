// The commands that show the knowledge base and its runs beyond the tables: the rule graph
// ("Граф правил", Ctrl+G in "&Результаты") and the comparison of the methods ("Сравнение
// методов", Ctrl+M in "&Запуск"), with their windows.
#ifndef VEKSA_UI_ANALYSIS_COMMANDS_H_
#define VEKSA_UI_ANALYSIS_COMMANDS_H_

#include <QObject>
#include <cstddef>

namespace veksa {

class MainWindow;
class MethodComparisonWindow;
class RuleGraphWindow;

class AnalysisCommands : public QObject {
  Q_OBJECT

 public:
  explicit AnalysisCommands(MainWindow& window);

  // The windows, made on first use (null before).
  RuleGraphWindow* graphWindow() const { return graph_; }
  MethodComparisonWindow* comparisonWindow() const { return comparison_; }

 public slots:
  // "Граф правил": the graph of the editor's text with the last run's state.
  void showRuleGraph();
  // "Сравнение методов": the knowledge base run under each method with the answers of the last
  // run (asked first through the question dialog when there has been none), without the timing
  // window, and the comparison shown.
  void compareMethods();

 private:
  // A rule clicked in the graph: the editor selects its "NAME" line.
  void selectRule(std::size_t nameLine, const QString& name);

  MainWindow& window_;
  RuleGraphWindow* graph_ = nullptr;
  MethodComparisonWindow* comparison_ = nullptr;
};

}  // namespace veksa

#endif  // VEKSA_UI_ANALYSIS_COMMANDS_H_
