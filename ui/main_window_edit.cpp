// The main window's editing commands, find and replace, method and diagnostics settings, and the
// commands that show windows.
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>

#include "engine/run_driver.h"
#include "kb/text_search.h"
#include "ui/about_box.h"
#include "ui/dialogs.h"
#include "ui/editor_window.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/result_windows.h"
#include "ui/search_dialogs.h"
#include "ui/section_names_dialog.h"
#include "ui/window_placement.h"

namespace veksa {

namespace {

void showTool(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

void MainWindow::undo() {
  if (!editor_->isClosed()) editor_->text()->undo();
}

void MainWindow::cut() {
  if (editorOpen()) editor_->text()->cut();
}

void MainWindow::copy() {
  if (editorOpen()) editor_->text()->copy();
}

void MainWindow::paste() {
  if (editorOpen()) editor_->text()->paste();
}

void MainWindow::selectAll() {
  if (editorOpen()) editor_->text()->selectAll();
}

void MainWindow::clearAll() {
  if (!editorOpen()) return;
  CommandScope scope(*this);
  ws_.lines.clear();
  editor_->clearTree();
}

void MainWindow::showFind() {
  if (editorOpen()) showTool(findDialog());
}

void MainWindow::showReplace() {
  if (editorOpen()) showTool(replaceDialog());
}

void MainWindow::findNext(const QString& what, bool matchCase) {
  if (!editorOpen()) return;
  const QTextCursor cursor = editor_->text()->textCursor();
  std::optional<std::size_t> selectionEnd;
  if (cursor.hasSelection()) selectionEnd = static_cast<std::size_t>(cursor.selectionEnd());
  const auto at = veksa::findNext(toLine(editor_->plainText()), toLine(what), selectionEnd, matchCase);
  if (at) editor_->selectRange(static_cast<int>(*at), static_cast<int>(what.size()));
}

void MainWindow::replaceFirst(const QString& what, const QString& with) {
  if (!editorOpen()) return;
  const auto at = findForReplace(toLine(editor_->plainText()), toLine(what));
  if (!at) {
    dialogs_->error(this, toQString(missingTextMessage(toLine(what))));
    return;
  }
  editor_->selectRange(static_cast<int>(*at), static_cast<int>(what.size()));
  editor_->text()->insertPlainText(with);
}

void MainWindow::replaceAll(const QString& what, const QString& with) {
  if (!editorOpen()) return;
  const Line text = toLine(editor_->plainText());
  const Line find = toLine(what);
  std::vector<std::size_t> found;
  for (auto at = findForReplace(text, find); at;
       at = findText(text, find, *at + find.size(), true)) {
    found.push_back(*at);
  }
  if (found.empty()) {
    dialogs_->error(this, toQString(missingTextMessage(find)));
    return;
  }
  // From the last occurrence back, so that the positions before it stay; one undoable edit.
  QTextCursor cursor(editor_->text()->document());
  cursor.beginEditBlock();
  for (auto at = found.rbegin(); at != found.rend(); ++at) {
    cursor.setPosition(static_cast<int>(*at));
    cursor.setPosition(static_cast<int>(*at + find.size()), QTextCursor::KeepAnchor);
    cursor.insertText(with);
  }
  cursor.endEditBlock();
  editor_->text()->setTextCursor(cursor);
  statusBar()->showMessage(QStringLiteral("Заменено: %1").arg(found.size()));
}

void MainWindow::addSections() {
  if (!editorOpen()) return;
  SectionNamesDialog* names = editor_->sectionNames();
  names->setWindowTitle(QStringLiteral("Добавление раздела:"));
  showTool(names);
}

void MainWindow::chooseMethod(InferenceMethod method) {
  CommandScope scope(*this);
  veksa::chooseMethod(ws_, method);
}

void MainWindow::N67Click() { ws_.DiagnosticsOff = false; }

void MainWindow::N68Click() { ws_.DiagnosticsOff = true; }

void MainWindow::showProtocol() { protocol_->showTable(); }

void MainWindow::showFacts() { facts_->showTable(); }

void MainWindow::showVariables() { variables_->showTable(); }

void MainWindow::showResults() { results_->showTable(); }

void MainWindow::showAllResults() {
  std::vector<QWidget*> tiles;
  for (TableWindow* window : resultWindows()) {
    window->showTable();
    tiles.push_back(window);
  }
  // Side by side over the main window, each readable whole; the results window takes the keys.
  const QRect area = frameGeometry().intersected(screen()->availableGeometry());
  tileOver(tiles, area);
  results_->raise();
  results_->activateWindow();
}

void MainWindow::showHelp() { help_->showHelp(); }

void MainWindow::showAbout() {
  auto* about = new AboutBox(this);
  about->setAttribute(Qt::WA_DeleteOnClose);
  about->show();
}

}  // namespace veksa
