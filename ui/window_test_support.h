// Helpers of the window tests: menu items by their path of captions, the rows a table window
// shows and the editor's text.
#ifndef VEKSA_UI_WINDOW_TEST_SUPPORT_H_
#define VEKSA_UI_WINDOW_TEST_SUPPORT_H_

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTreeWidget>

#include <QtTest>

#include "kb/kbfile.h"
#include "ui/editor_window.h"
#include "ui/main_window.h"
#include "ui/table_window.h"

namespace veksa {

// The menu item at the end of a path of captions, "&Файл" > "Сохранить"; null when there is none.
inline QAction* menuItem(QMainWindow& window, const QStringList& path) {
  QList<QAction*> actions = window.menuBar()->actions();
  QAction* found = nullptr;
  for (const QString& caption : path) {
    found = nullptr;
    for (QAction* action : actions) {
      if (action->text() == caption) found = action;
    }
    if (!found) return nullptr;
    actions = found->menu() ? found->menu()->actions() : QList<QAction*>();
  }
  return found;
}

inline void trigger(QMainWindow& window, const QStringList& path) {
  QAction* action = menuItem(window, path);
  if (action) action->trigger();
}

// The rows a table window shows, each as its cells joined by "|".
inline QStringList shownRows(TableWindow* window) {
  QStringList out;
  for (int r = 0; r < window->list()->topLevelItemCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < window->list()->columnCount(); ++c) {
      cells << window->list()->topLevelItem(r)->text(c);
    }
    out << cells.join('|');
  }
  return out;
}

inline QString editorText(MainWindow& window) { return window.editor()->plainText(); }

inline void setEditorText(MainWindow& window, const QString& text) {
  window.editor()->text()->setPlainText(text);
}

// A knowledge-base file's lines (none, with a warning, when it cannot be read).
inline Lines readFile(const QString& path) {
  Lines lines;
  std::string error;
  if (!loadKnowledgeBase(path.toStdString(), lines, error)) qWarning("%s", error.c_str());
  return lines;
}

inline void writeFile(const QString& path, const Lines& lines) {
  std::string error;
  QVERIFY(saveKnowledgeBase(path.toStdString(), lines, error));
}

}  // namespace veksa

#endif  // VEKSA_UI_WINDOW_TEST_SUPPORT_H_
