// Running, tracing, the rule path and the diagnostics in the desktop program.
#include "ui/run_commands.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <exception>

#include "diagnostics/diagnostics.h"
#include "diagnostics/report_lines.h"
#include "kb/locate.h"
#include "kb/number.h"
#include "ui/dialogs.h"
#include "ui/editor_window.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/question_dialog.h"
#include "ui/report_window.h"
#include "ui/rule_choice_dialog.h"
#include "ui/rule_path_window.h"
#include "ui/section_choice_dialog.h"
#include "ui/trace_window.h"

namespace veksa {

namespace {

void showTool(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

RunCommands::RunCommands(MainWindow& window, const RunWindows& windows)
    : QObject(&window),
      window_(window),
      ws_(window.workspace()),
      question_(windows.question),
      trace_(windows.trace),
      ruleChoice_(windows.ruleChoice),
      report_(windows.report),
      path_(windows.path),
      host_(std::make_unique<QtHost>(window, *question_, *trace_)),
      repeats_(new QLabel(&window)) {
  repeats_->setObjectName("repeatedMessages");
  repeats_->hide();
  window.statusBar()->addPermanentWidget(repeats_);
  connect(&window, &MainWindow::runRequested, this, &RunCommands::SpeedButton9Click);
  connect(&window, &MainWindow::traceRequested, this, &RunCommands::N44Click);
  connect(&window, &MainWindow::diagnosticsRequested, this, &RunCommands::N49Click);
  connect(&window, &MainWindow::sequentialPathRequested, this, &RunCommands::sequentialPath);
  connect(&window, &MainWindow::givenPathRequested, this, &RunCommands::givenPath);
  connect(&window, &MainWindow::deletePathRequested, this, &RunCommands::deletePath);
  connect(&window, &MainWindow::rulePathWindowRequested, this, &RunCommands::showRulePath);
  connect(ruleChoice_, &RuleChoiceDialog::traceChosen, this, &RunCommands::traceChosen);
  connect(report_, &ReportWindow::lineActivated, this, &RunCommands::showReportSource);
  // The path and the report follow the workspace: a reset empties both.
  connect(&window, &MainWindow::commandEnded, this, [this] {
    path_->refresh();
    report_->refresh();
  });
}

RunCommands::~RunCommands() = default;

SectionChoiceDialog* RunCommands::sectionChoice() const { return choice_; }

void RunCommands::runCommand(const std::function<void()>& body) {
  QString error;
  {
    CommandScope scope(window_);
    try {
      body();
    } catch (const RunError& e) {
      error = toQString(e.message());
    } catch (const std::exception& e) {
      error = QString::fromUtf8(e.what());
    }
    // The engine has restored the text and the flags; the editor gets the full text back before
    // the scope shows it.
    if (!choice_) unlock();
  }
  if (!error.isEmpty()) window_.dialogs().error(&window_, error);
}

void RunCommands::SpeedButton9Click() {
  if (locked_) return;
  if (!ws_.DiagnosticsOff) {
    N49Click();
    return;
  }
  runCommand([this] {
    window_.showWholeText();
    Run1();
  });
}

void RunCommands::N49Click() {
  if (locked_) return;
  runCommand([this] {
    window_.showWholeText();
    if (diagnose()) Run1();
  });
}

bool RunCommands::diagnose() {
  if (veksa::N49Click(ws_, *host_)) return true;
  report_->showReport();
  return false;
}

void RunCommands::Run1() {
  lock();
  const bool pathGiven = !ws_.RulePath.empty();
  Run1Result prepared = veksa::Run1(ws_, *host_);
  if (!pathGiven && !ws_.RulePath.empty()) path_->hide();  // ppath hides the path window
  if (prepared.choice) showSectionChoice(*prepared.choice);
}

void RunCommands::showSectionChoice(const SectionChoice& choice) {
  choice_ = new SectionChoiceDialog(choice, &window_);
  connect(choice_, &SectionChoiceDialog::chosen, this, &RunCommands::Button2Click);
  connect(choice_, &SectionChoiceDialog::cancelled, this, &RunCommands::sectionChoiceCancelled);
  showTool(choice_);
}

void RunCommands::Button2Click(const SectionChoice& marks) {
  const SectionChoice chosen = marks;
  if (choice_) choice_->deleteLater();
  choice_ = nullptr;
  runCommand([&] { SectionChoiceDone(ws_, *host_, chosen); });
}

void RunCommands::sectionChoiceCancelled() {
  if (choice_) choice_->deleteLater();
  choice_ = nullptr;
  runCommand([this] { SectionChoiceCancel(ws_, *host_); });
}

void RunCommands::N44Click() {
  if (locked_) return;
  CommandScope scope(window_);
  window_.showWholeText();
  ruleChoice_->offer(traceRuleNames(ws_.lines));
  showTool(ruleChoice_);
}

void RunCommands::traceChosen(const QString& rule) {
  if (locked_) return;
  ws_.TraceMode = true;
  ws_.traceRule = toLine(rule);
  SpeedButton9Click();
  // A trace that did not take place (faults found, no project, no rule on the path) leaves the
  // flag to the engine at 1: the next F9 must not be a trace.
  ws_.TraceMode = false;
}

void RunCommands::showReportSource(std::size_t reportLine) {
  EditorWindow* editor = window_.editor();
  if (editor->isClosed()) return;
  // The report speaks of the text as the diagnostics left it, which the editor shows.
  const std::optional<std::size_t> line =
      reportLineSource(ws_.report, reportLine, splitLines(editor->plainText()));
  if (!line) return;
  window_.activateWindow();
  editor->selectLine(*line);
}

void RunCommands::sequentialPath() {
  if (locked_) return;
  CommandScope scope(window_);
  if (sequentialPathCommand(ws_, *host_)) path_->showPath();
}

void RunCommands::givenPath() {
  if (locked_) return;
  CommandScope scope(window_);
  if (userPathCommand(ws_, *host_)) {
    path_->showPath();
    path_->activateWindow();
    path_->memo()->setFocus();
  }
}

void RunCommands::deletePath() {
  if (locked_) return;
  CommandScope scope(window_);
  if (deletePathCommand(ws_, *host_)) path_->showPath();
}

void RunCommands::showRulePath() { path_->showPath(); }

void RunCommands::lock() {
  if (locked_) return;
  locked_ = true;
  host_->beginRun();
  repeats_->clear();
  repeats_->hide();
  for (QAction* action : window_.runLockedActions()) {
    if (!action->isEnabled()) continue;
    action->setEnabled(false);
    disabled_.push_back(action);
  }
  window_.editor()->beginRunView();
  path_->setReadOnly(true);
}

void RunCommands::unlock() {
  if (!locked_) return;
  locked_ = false;
  // A permanent field of the status bar, so that the hints shown there meanwhile leave it.
  repeats_->setText(host_->endRun());
  repeats_->setVisible(!repeats_->text().isEmpty());
  for (const QPointer<QAction>& action : disabled_) {
    if (action) action->setEnabled(true);
  }
  disabled_.clear();
  window_.editor()->endRunView();
  path_->setReadOnly(false);
}

}  // namespace veksa
