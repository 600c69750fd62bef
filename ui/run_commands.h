// Running, tracing, the rule path and the diagnostics in the desktop program: the commands of the
// "Запуск" menu, the path commands of "Настройки", the windows they use (question dialog, section
// choice, trace window, trace rule choice, rule-path window, diagnostics report) and the host
// through which the engine shows them.
#ifndef VEKSA_UI_RUN_COMMANDS_H_
#define VEKSA_UI_RUN_COMMANDS_H_

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

#include "engine/run_driver.h"
#include "ui/qt_host.h"

class QAction;
class QLabel;

namespace veksa {

class MainWindow;
class QuestionDialog;
class ReportWindow;
class RuleChoiceDialog;
class RulePathWindow;
class SectionChoiceDialog;
class TraceWindow;

// The windows of running and tracing, which the main window creates in start-up order.
struct RunWindows {
  QuestionDialog* question = nullptr;      // TForm10
  RulePathWindow* path = nullptr;          // TForm5
  TraceWindow* trace = nullptr;            // TForm15
  RuleChoiceDialog* ruleChoice = nullptr;  // TForm17
  ReportWindow* report = nullptr;          // TForm18
};

class RunCommands : public QObject {
  Q_OBJECT

 public:
  // Answers the main window's run, trace, diagnostics and path commands with these windows.
  RunCommands(MainWindow& window, const RunWindows& windows);
  ~RunCommands() override;

  QtHost& host() { return *host_; }
  QuestionDialog* questionDialog() const { return question_; }        // TForm10
  TraceWindow* traceWindow() const { return trace_; }                 // TForm15
  RuleChoiceDialog* ruleChoiceDialog() const { return ruleChoice_; }  // TForm17
  ReportWindow* reportWindow() const { return report_; }              // TForm18
  RulePathWindow* rulePathWindow() const { return path_; }            // TForm5
  QLabel* repeatedMessages() const { return repeats_; }
  SectionChoiceDialog* sectionChoice() const;                         // TForm3 while it is open

  // A run is under way, from the preparation through the section choice to the restored text:
  // the commands that would change the text or start another run are off meanwhile.
  bool runUnderWay() const { return locked_; }

 public slots:
  void SpeedButton9Click();  // "Автоматический запуск", F9: through the diagnostics when connected
  void N44Click();        // "Трассировка", F8: the rule choice
  void N49Click();        // "Диагностика", F6
  void sequentialPath();  // "Установка последовательного пути"
  void givenPath();       // "Установка заданного пути"
  void deletePath();      // "Удаление текущего пути"
  void showRulePath();  // tool button "Описание пути исполнения правил"

 private:
  // One command: the text taken from the editor, `body`, the run's lock released unless the
  // section choice is open, the windows brought up to date; a run-time error is then shown in an
  // error box with its message.
  void runCommand(const std::function<void()>& body);
  // The diagnostics pass: true when clean (after the success message), else the report is shown.
  bool diagnose();
  // Run1: the save, the reset, the path and the section choice (made at once in a trace run).
  void Run1();
  void showSectionChoice(const SectionChoice& choice);
  void Button2Click(const SectionChoice& marks);  // the section choice's "Готово"
  void sectionChoiceCancelled();                  // its "Отмена"
  void traceChosen(const QString& rule);          // Enter in the rule choice
  // A double-click on a report line: the editor selects the rule or header line it speaks of.
  void showReportSource(std::size_t reportLine);
  void lock();
  void unlock();

  MainWindow& window_;
  Workspace& ws_;
  QuestionDialog* question_;
  TraceWindow* trace_;
  RuleChoiceDialog* ruleChoice_;
  ReportWindow* report_;
  RulePathWindow* path_;
  std::unique_ptr<QtHost> host_;
  // In the status bar: how often the messages repeated in the last run came.
  QLabel* repeats_;
  QPointer<SectionChoiceDialog> choice_;
  bool locked_ = false;
  QList<QPointer<QAction>> disabled_;
};

}  // namespace veksa

#endif  // VEKSA_UI_RUN_COMMANDS_H_
