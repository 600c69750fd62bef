// The main window's project commands: new, open, close, save, save as, print, exit and reset.
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPrinter>

#include "engine/answers_writer.h"
#include "engine/project.h"
#include "engine/reset.h"
#include "kb/file_name.h"
#include "ui/dialogs.h"
#include "ui/editor_window.h"
#include "ui/main_window.h"
#include "ui/printing.h"
#include "ui/qt_text.h"
#include "ui/section_names_dialog.h"

namespace veksa {

namespace {
const QString kFilter = QStringLiteral("VKS Files (*.VKS *.vks)");
}  // namespace

void MainWindow::newProject() {
  if (!mayDiscardEdits()) return;
  CommandScope scope(*this);
  reopenEditor();
  SectionNamesDialog* names = editor_->sectionNames();
  names->clearNames();
  names->show();
  names->raise();
  veksa::newProject(ws_);
  editor_->clearTree();
  textMatchesFile();
  emit projectLoaded();
}

void MainWindow::openProject() {
  if (!mayDiscardEdits()) return;
  CommandScope scope(*this);
  reopenEditor();
  std::string error;
  if (!resetForOpen(ws_, error)) {
    showError(error);
  } else if (ws_.hasFile()) {
    textMatchesFile();  // the reset read the file again
  }
  editor_->clearTree();
  // The reset's text and empty tables are on screen while the dialog asks.
  editor_->pushLines();
  refreshResultWindows();
  const QString name = dialogs_->openFileName(this, kFilter);
  if (name.isEmpty()) {
    dialogs_->message(this, QStringLiteral("Не был открыт проект"));
    return;
  }
  openFile(name);
}

bool MainWindow::openFile(const QString& path) {
  std::string error;
  if (!veksa::openProject(ws_, toLine(QFileInfo(path).absoluteFilePath()), error)) {
    showError(error);
    return false;
  }
  editor_->loadLines();
  textMatchesFile();
  editor_->showCaption();
  editor_->text()->setFocus();
  emit projectLoaded();
  return true;
}

void MainWindow::closeProject() {
  if (!editorOpen()) return;
  CommandScope scope(*this);
  veksa::closeProject(ws_);
  editor_->clearTree();
  // The emptied text stands for the file, which it leaves alone (a save does not write it).
  textMatchesFile();
}

bool MainWindow::SpeedButton13Click() { return save() == SaveOutcome::Saved; }

bool MainWindow::N6Click() { return saveAs() == SaveOutcome::Saved; }

bool MainWindow::saveBeforeRun() {
  if (!editorOpen()) return true;  // no project: the run stops by itself
  return save() != SaveOutcome::Failed;
}

MainWindow::SaveOutcome MainWindow::save() {
  if (!editorOpen()) return SaveOutcome::Cancelled;
  CommandScope scope(*this);
  std::string error;
  SaveOutcome outcome = SaveOutcome::Saved;
  switch (saveProject(ws_, error)) {
    case SaveResult::Written:
    case SaveResult::Kept:
      textMatchesFile();
      break;
    case SaveResult::NeedsName:
      outcome = saveAs();
      break;
    case SaveResult::Failed:
      showError(error);
      outcome = SaveOutcome::Failed;
      break;
  }
  editor_->text()->setFocus();
  return outcome;
}

MainWindow::SaveOutcome MainWindow::saveAs() {
  if (!editorOpen()) return SaveOutcome::Cancelled;
  CommandScope scope(*this);
  const QString chosen =
      askSaveName(kFilter, QStringLiteral("Сохранить как"), kKnowledgeBaseExtension);
  if (chosen.isEmpty()) return SaveOutcome::Cancelled;
  std::string error;
  if (!saveProjectAs(ws_, toLine(chosen), error)) {
    showError(error);
    return SaveOutcome::Failed;
  }
  textMatchesFile();
  editor_->text()->setFocus();
  return SaveOutcome::Saved;
}

QString MainWindow::askSaveName(const QString& filter, const QString& caption,
                                std::u16string_view extension) {
  const QString chosen = dialogs_->saveFileName(this, filter);
  if (chosen.isEmpty()) return {};
  // The dialog asked before replacing the name it was given; when the extension makes it the
  // name of another existing file, ask the same question about that one.
  const QString target = toQString(withExtension(toLine(chosen), extension));
  if (target != chosen && QFileInfo::exists(target) &&
      !dialogs_->question(this, caption,
                          QStringLiteral("%1 уже существует.\nЗаменить его?").arg(target))) {
    return {};
  }
  return chosen;
}

void MainWindow::saveRunAnswers() {
  if (ws_.lastRun.answers.empty() && !ws_.lastRun.lastPass.recorded) {
    dialogs_->message(this, QStringLiteral("Нет ответов для сохранения: прогон не выполнялся"));
    return;
  }
  const QString chosen = askSaveName(QStringLiteral("Ответы (*.answers)"),
                                     QStringLiteral("Сохранить ответы"), kAnswersExtension);
  if (chosen.isEmpty()) return;
  std::string error;
  const QString target = toQString(withExtension(toLine(chosen), kAnswersExtension));
  if (!saveAnswers(ws_, target.toStdString(), error)) showError(error);
}

void MainWindow::printerSetup() {
  if (!editorOpen()) return;
  CommandScope scope(*this);
  if (ws_.lines.empty()) return;
  dialogs_->printerSetup(this, printer());
}

void MainWindow::print() {
  if (!editorOpen()) return;
  CommandScope scope(*this);
  if (ws_.lines.empty() || !dialogs_->print(this, printer())) return;
  if (!printLines(printer(), ws_.lines, editor_->text()->font())) {
    dialogs_->error(this, QStringLiteral("Не удалось начать печать на принтере %1")
                              .arg(printer().printerName()));
  }
}

void MainWindow::exitProgram() {
  if (editorOpen() && editor_->isModified()) {
    // The question about the unsaved changes offers the save that "Выход" makes otherwise.
    if (!mayDiscardEdits()) return;
  } else if (editorOpen()) {
    N6Click();
  }
  if (dialogs_->question(this, QStringLiteral("Вопрос системы"),
                         QStringLiteral("Выход из системы?"))) {
    exitConfirmed_ = true;
    close();
  }
}

void MainWindow::N22Click() {
  if (!editorOpen()) return;
  CommandScope scope(*this);
  std::string error;
  if (!veksa::N22Click(ws_, error)) {
    showError(error);
  } else if (ws_.hasFile()) {
    textMatchesFile();  // the file's text again, edits discarded
  }
}

}  // namespace veksa
