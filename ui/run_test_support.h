// Helpers of the run window tests: a script that answers the modal windows of a run as they open,
// the question dialog driven by its widgets, keys and typing, and a main window on a temporary
// copy of a knowledge base.
#ifndef VEKSA_UI_RUN_TEST_SUPPORT_H_
#define VEKSA_UI_RUN_TEST_SUPPORT_H_

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "kb/kbfile.h"
#include "ui/question_dialog.h"
#include "ui/run_commands.h"
#include "ui/scripted_dialogs.h"
#include "ui/section_choice_dialog.h"
#include "ui/window_test_support.h"

namespace veksa {

// Answers modal windows in order: each step names the form (objectName) it expects and acts on
// it. A form that opens out of turn is recorded and closed, so a test never hangs on it.
class ModalScript : public QObject {
 public:
  ModalScript() {
    connect(&timer_, &QTimer::timeout, this, &ModalScript::poll);
    timer_.start(2);
  }
  void expect(const QString& form, std::function<void(QWidget*)> act) {
    steps_.push_back({form, std::move(act)});
  }
  bool done() const { return steps_.isEmpty(); }
  QStringList unexpected;

 private:
  void poll() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible() || busy_) return;
    if (steps_.isEmpty() || steps_.front().form != w->objectName()) {
      unexpected << w->objectName();
      w->close();
      return;
    }
    auto step = steps_.takeFirst();
    busy_ = true;
    step.act(w);
    busy_ = false;
  }
  struct Step {
    QString form;
    std::function<void(QWidget*)> act;
  };
  QList<Step> steps_;
  QTimer timer_;
  bool busy_ = false;
};

// The question dialog's answer as the user gives it: ticks the values (Space on each), moves the
// track bar with arrow keys and presses a button (or Enter in the value list, or Esc).
inline void answerQuestion(QWidget* w, const QStringList& ticks, int steps, const char* button) {
  auto* list = w->findChild<QListWidget*>("CheckListBox1");
  auto* track = w->findChild<QSlider*>("TrackBar1");
  QCOMPARE(w->focusWidget(), track);
  for (int i = 0; i < list->count(); ++i) {
    if (!ticks.contains(list->item(i)->text())) continue;
    list->setCurrentRow(i);
    QTest::keyClick(list, Qt::Key_Space);
  }
  for (int i = 0; i < std::abs(steps); ++i) {
    QTest::keyClick(track, steps > 0 ? Qt::Key_Right : Qt::Key_Left);
  }
  if (QString(button) == "Enter") {
    QTest::keyClick(list, Qt::Key_Return);
  } else if (QString(button) == "Esc") {
    QTest::keyClick(track, Qt::Key_Escape);
  } else {
    QTest::mouseClick(w->findChild<QPushButton*>(button), Qt::LeftButton);
  }
}

// A shortcut key as the user presses it in the editor; the main window is made active first, as
// the window manager does when a dialog closes.
inline void pressKey(MainWindow& window, Qt::Key key) {
  QApplication::setActiveWindow(&window);
  QTest::keyClick(window.editor()->text(), key);
}

// Types a text key by key (QTest's own typing knows ASCII only).
inline void typeText(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &release);
  }
}

inline QString questionName(QWidget* w) { return w->findChild<QLineEdit*>("Edit1")->text(); }

// A new main window, active, on the file `name` in `dir` holding `lines`, answered by `dialogs`
// (emptied first).
inline std::unique_ptr<MainWindow> openWindow(ScriptedDialogs& dialogs, const QTemporaryDir& dir,
                                              const Lines& lines, const QString& name = "kb.vks") {
  const QString path = dir.filePath(name);
  QDir().mkpath(QFileInfo(path).path());
  std::string error;
  if (!saveKnowledgeBase(path.toStdString(), lines, error)) qFatal("%s", error.c_str());
  dialogs = ScriptedDialogs();
  auto window = std::make_unique<MainWindow>(&dialogs);
  window->show();
  QApplication::setActiveWindow(window.get());  // shortcut keys need the active window
  if (!QTest::qWaitForWindowActive(window.get())) qFatal("the main window is not active");
  window->openFile(path);
  return window;
}

// The open section choice, or null.
inline SectionChoiceDialog* sectionChoice(MainWindow& window) {
  return window.runCommands()->sectionChoice();
}

inline Lines exampleLines() {
  Lines lines;
  std::string error;
  loadKnowledgeBase(VEKSA_SOURCE_DIR "/examples/trees_and_flowers.vks", lines, error);
  return lines;
}

}  // namespace veksa

#endif  // VEKSA_UI_RUN_TEST_SUPPORT_H_
