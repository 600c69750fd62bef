// Helpers of the window tests: menu items by their path of captions, the editor's text and
// temporary files.
#ifndef VEKSA_UI_WINDOW_TEST_SUPPORT_H_
#define VEKSA_UI_WINDOW_TEST_SUPPORT_H_

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStringList>

#include <QtTest>

#include "kb/kbfile.h"
#include "ui/editor_window.h"
#include "ui/main_window.h"

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
