// The main window: start-up, the windows it owns, command boundaries and the status bar.
#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QPrinter>
#include <QStatusBar>
#include <QStatusTipEvent>

#include "engine/narrowing.h"
#include "ui/analysis_commands.h"
#include "ui/dialogs.h"
#include "ui/editor_window.h"
#include "ui/help_window.h"
#include "ui/qt_text.h"
#include "ui/question_dialog.h"
#include "ui/report_window.h"
#include "ui/result_windows.h"
#include "ui/rule_choice_dialog.h"
#include "ui/rule_path_window.h"
#include "ui/run_commands.h"
#include "ui/search_dialogs.h"
#include "ui/timing_window.h"
#include "ui/trace_window.h"

namespace veksa {

MainWindow::MainWindow(Dialogs* dialogs, QWidget* parent)
    : QMainWindow(parent),
      ownDialogs_(dialogs ? nullptr : std::make_unique<QtDialogs>()),
      dialogs_(dialogs ? dialogs : ownDialogs_.get()),
      mdi_(new QMdiArea(this)),
      methodField_(new QLineEdit(this)) {
  setObjectName("TForm1");
  setWindowTitle("VEKSA");
  // A system menu and a minimize button, no maximize button: the window opens maximized.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  resize(1024, 720);

  // The run-state flags start at their initial values; no project until the editor exists.
  ws_.ProjectState = kProjectNone;
  ws_.method = InferenceMethod::ForwardBreadth;
  ws_.TraceMode = false;
  ws_.DiagnosticsOff = false;
  ws_.RepeatCount = 120;
  qApp->installEventFilter(this);  // StatusBar1Hint

  mdi_->setObjectName("MdiArea1");
  setCentralWidget(mdi_);
  statusBar()->setObjectName("StatusBar1");
  createActions();
  createMenus();
  createToolBar();

  // The long-lived windows, in start-up order; all but the editor stay hidden until asked for.
  RunWindows run;
  run.question = new QuestionDialog(ws_.decimalSeparator, this);
  editor_ = new EditorWindow(ws_, *dialogs_);
  mdi_->addSubWindow(editor_);
  editor_->showMaximized();
  run.path = new RulePathWindow(ws_, this);
  protocol_ = new ProtocolWindow(ws_, this);
  results_ = new ResultsWindow(ws_, this);
  facts_ = new FactsWindow(ws_, this);
  createDeclarationDialogs();
  run.trace = new TraceWindow(this);
  variables_ = new VariablesWindow(ws_, this);
  run.ruleChoice = new RuleChoiceDialog(this);
  run.report = new ReportWindow(ws_, this);
  help_ = new HelpWindow(this);
  timing_ = new TimingWindow(this);
  connectCommands();
  run_ = new RunCommands(*this, run);
  analysis_ = new AnalysisCommands(*this);
  endCommand();
}

MainWindow::~MainWindow() = default;

void MainWindow::beginCommand() {
  if (commandDepth_++ == 0) {
    editor_->pullLines();
    narrowingAtStart_ = ws_.narrowing;
  }
}

void MainWindow::endCommand() {
  if (commandDepth_ > 0 && --commandDepth_ > 0) return;
  if (ws_.narrowing != narrowingAtStart_) {
    editor_->loadLines();
    narrowingAtStart_ = ws_.narrowing;
  } else {
    editor_->pushLines();
  }
  takeSavedText();
  editor_->showCaption();
  methodField_->setText(toQString(ws_.methodText));
  refreshResultWindows();
  showDeclarationLists();
  emit commandEnded();
}

void MainWindow::refreshResultWindows() {
  for (TableWindow* window : resultWindows()) window->refresh();
}

std::array<TableWindow*, 4> MainWindow::resultWindows() const {
  return {results_, protocol_, facts_, variables_};
}

void MainWindow::textMatchesFile() {
  savedText_ = joinLines(ws_.lines);
  if (commandDepth_ == 0) takeSavedText();
}

void MainWindow::takeSavedText() {
  // A run's own copy of the text is on screen until the run ends; the user's text gets the file's
  // text back only then.
  if (!savedText_ || editor_->inRunView()) return;
  editor_->setSavedText(*savedText_);
  savedText_.reset();
}

void MainWindow::showWholeText() {
  const bool modified = editor_->isModified();
  if (widenNarrowing(ws_) && !modified) textMatchesFile();
}

bool MainWindow::mayDiscardEdits() {
  if (editor_->isClosed() || !editor_->isModified()) return true;
  const QString text =
      QStringLiteral("База знаний %1 изменена и не сохранена.\nСохранить изменения?")
          .arg(QFileInfo(toQString(ws_.caption)).fileName());
  switch (dialogs_->choose(
      this, QStringLiteral("Несохранённые изменения"), text,
      {QStringLiteral("Сохранить"), QStringLiteral("Не сохранять"), QStringLiteral("Отмена")})) {
    case kSaveChanges:
      return save() == SaveOutcome::Saved && !editor_->isModified();
    case kDiscardChanges:
      return true;
    default:
      return false;
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (exitConfirmed_ || mayDiscardEdits()) {
    event->accept();
  } else {
    event->ignore();
  }
  exitConfirmed_ = false;
}

bool MainWindow::projectGuard() {
  if (ws_.ProjectState != kProjectNone) return true;
  dialogs_->message(this, QStringLiteral("Не был создан проект"));
  return false;
}

bool MainWindow::editorOpen() const {
  return ws_.ProjectState != kProjectNone && !editor_->isClosed();
}

void MainWindow::reopenEditor() {
  if (editor_->isClosed()) editor_->reopen();
}

void MainWindow::showError(const std::string& error) {
  dialogs_->error(this, QString::fromStdString(error));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    statusBar()->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
  }
  return QMainWindow::eventFilter(watched, event);
}

FindDialog* MainWindow::findDialog() {
  if (!find_) {
    find_ = new FindDialog(this);
    connect(find_, &FindDialog::findNextRequested, this,
            [this](const QString& what) { findNext(what, true); });
  }
  return find_;
}

ReplaceDialog* MainWindow::replaceDialog() {
  if (!replace_) {
    replace_ = new ReplaceDialog(this);
    connect(replace_, &ReplaceDialog::findNextRequested, this,
            [this](const QString& what) { findNext(what, false); });
    connect(replace_, &ReplaceDialog::replaceRequested, this, &MainWindow::replaceFirst);
    connect(replace_, &ReplaceDialog::replaceAllRequested, this, &MainWindow::replaceAll);
  }
  return replace_;
}

QPrinter& MainWindow::printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

}  // namespace veksa
