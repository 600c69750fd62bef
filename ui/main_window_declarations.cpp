// The main window's declaration commands: the four declaration dialogs, the refreshes of the
// declaration lists from the text, and the editor's context menu of declared names.
#include <QMenu>
#include <QPlainTextEdit>

#include "kb/declarations.h"
#include "ui/editor_window.h"
#include "ui/main_window.h"
#include "ui/name_list_dialogs.h"
#include "ui/qt_text.h"
#include "ui/values_dialogs.h"
#include "ui/window_placement.h"

namespace veksa {

void MainWindow::createDeclarationDialogs() {
  classDialog_ = new ClassDialog(ws_, *dialogs_, this);
  classElements_ = new ClassElementsDialog(ws_, *dialogs_, this);
  parameterDialog_ = new ParameterDialog(ws_, *dialogs_, this);
  parameterValues_ = new ParameterValuesDialog(ws_, *dialogs_, this);
  for (DeclarationDialog* dialog : declarationDialogs()) {
    dialog->setCommandRunner([this](const std::function<void()>& op) {
      CommandScope scope(*this);
      op();
    });
  }
  connect(this, &MainWindow::classDialogRequested, this, [this] { showDialog(classDialog_); });
  connect(this, &MainWindow::classElementsDialogRequested, this,
          [this] { showDialog(classElements_); });
  connect(this, &MainWindow::parameterDialogRequested, this,
          [this] { showDialog(parameterDialog_); });
  connect(this, &MainWindow::parameterValuesDialogRequested, this,
          [this] { showDialog(parameterValues_); });
  connect(this, &MainWindow::classesRefreshRequested, this, &MainWindow::N55Click);
  connect(this, &MainWindow::elementsRefreshRequested, this, &MainWindow::N56Click);

  popup_ = new QMenu(this);
  popup_->setObjectName("PopupMenu1");
  for (const char* caption : {"гипотезы", "параметры", "переменные"}) {
    popup_->addMenu(QString::fromUtf8(caption));
  }
  QPlainTextEdit* text = editor_->text();
  text->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(text, &QWidget::customContextMenuRequested, this, &MainWindow::showContextMenu);
}

std::array<DeclarationDialog*, 4> MainWindow::declarationDialogs() const {
  return {classDialog_, classElements_, parameterDialog_, parameterValues_};
}

void MainWindow::showDialog(QWidget* dialog) {
  if (!dialog->isVisible()) centreOnScreen(dialog);
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}

void MainWindow::showDeclarationLists() {
  for (DeclarationDialog* dialog : declarationDialogs()) {
    if (dialog) dialog->showLists();
  }
}

void MainWindow::hideDialogsClosedByRefresh(const ClosedDialogs& closed) {
  if (closed.classDialog) classDialog_->hideForRefresh();
  if (closed.parameterDialog) parameterDialog_->hideForRefresh();
}

void MainWindow::N55Click() {
  if (!editorOpen()) return;
  CommandScope scope(*this);
  hideDialogsClosedByRefresh(veksa::N55Click(ws_.lines, ws_.declarations));
}

void MainWindow::N56Click() {
  if (!editorOpen()) return;
  CommandScope scope(*this);
  veksa::N56Click(ws_.lines, ws_.declarations);
}

void MainWindow::PopupMenu1Popup() {
  CommandScope scope(*this);
  const ContextMenu entries = veksa::PopupMenu1Popup(ws_.lines, ws_.declarations);
  hideDialogsClosedByRefresh(entries.closed);
  const QList<QAction*> submenus = popup_->actions();
  // Mousekl and Mouseel: a copy of every class and parameter entry with its value entries, and of
  // every variable entry. Value and variable entries insert when chosen; a class or parameter
  // entry itself inserts nothing.
  auto copy = [this](QAction* submenu, const std::vector<MenuEntry>& menu, bool entriesInsert) {
    QMenu* into = submenu->menu();
    into->clear();
    for (const MenuEntry& entry : menu) {
      if (entry.values.empty()) {
        QAction* action = into->addAction(toQString(entry.caption));
        if (entriesInsert) {
          connect(action, &QAction::triggered, this, [this, entry] { AddClick(entry); });
        }
        continue;
      }
      QMenu* values = into->addMenu(toQString(entry.caption));
      for (const MenuEntry& value : entry.values) {
        QAction* action = values->addAction(toQString(value.caption));
        action->setStatusTip(toQString(value.hint));
        connect(action, &QAction::triggered, this, [this, value] { AddClick(value); });
      }
    }
  };
  copy(submenus.at(0), entries.hypotheses, false);
  copy(submenus.at(1), entries.parameters, false);
  copy(submenus.at(2), entries.variables, true);
}

void MainWindow::showContextMenu(const QPoint& at) {
  if (!editorOpen()) return;
  // A name chosen from the menu goes where the user clicked: the caret moves there, unless the
  // click was on the selection, which the name then replaces.
  QPlainTextEdit* text = editor_->text();
  const QTextCursor clicked = text->cursorForPosition(at);
  const QTextCursor selection = text->textCursor();
  if (!selection.hasSelection() || clicked.position() < selection.selectionStart() ||
      clicked.position() > selection.selectionEnd()) {
    text->setTextCursor(clicked);
  }
  PopupMenu1Popup();
  popup_->popup(editor_->text()->viewport()->mapToGlobal(at));
}

void MainWindow::AddClick(const MenuEntry& entry) {
  if (!editorOpen()) return;
  editor_->text()->setFocus();
  editor_->insertText(toQString(valueInsertionText(entry)));
}

}  // namespace veksa
