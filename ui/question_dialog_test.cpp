// The question dialog at the keyboard and with long names: the Tab order, the read-only fields out
// of it, a name shown whole or, when wider than the screen, its start with a tooltip; its title bar
// offers a close box only.
#include "ui/question_dialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "ui/qt_text.h"

using namespace veksa;

namespace {

Question question(const QString& name, const QStringList& values) {
  Question q;
  q.parameter = toLine(name);
  for (const QString& value : values) q.values.push_back(toLine(value));
  return q;
}

// Asks, lets `act` work on the open dialog (active, as the window manager makes it), then closes
// it with Esc unless `act` answered.
Answer ask(QuestionDialog& dialog, const Question& q, const std::function<void()>& act) {
  QTimer::singleShot(0, [&dialog, act] {
    QApplication::setActiveWindow(&dialog);
    if (!QTest::qWaitForWindowActive(&dialog)) qWarning("the question dialog is not active");
    act();
    if (dialog.isVisible()) QTest::keyClick(&dialog, Qt::Key_Escape);
  });
  return dialog.ask(q);
}

void tab() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }

}  // namespace

class QuestionDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void tabOrder() {
    QuestionDialog dialog(u',', nullptr);
    QList<QWidget*> order;
    const Answer answer = ask(dialog, question("оперение", {"листья", "иголки"}), [&] {
      order << QApplication::focusWidget();  // the track bar, for the arrow keys
      for (int i = 0; i < 7; ++i) {
        tab();
        order << QApplication::focusWidget();
      }
      // Back at the values: Space ticks the current one, Enter answers "да".
      QTest::keyClick(dialog.valueList(), Qt::Key_Space);
      QTest::keyClick(dialog.valueList(), Qt::Key_Return);
    });
    const QList<QWidget*> expected = {dialog.trackBar(),  dialog.valueList(), dialog.trackBar(),
                                      dialog.yesButton(), dialog.allButton(), dialog.stopButton(),
                                      dialog.whyButton(), dialog.valueList()};
    QCOMPARE(order, expected);
    QCOMPARE(dialog.nameEdit()->focusPolicy(), Qt::NoFocus);
    QCOMPARE(dialog.certaintyEdit()->focusPolicy(), Qt::NoFocus);
    QCOMPARE(answer.button, AnswerButton::Yes);
    QCOMPARE(answer.ticked, std::vector<bool>({true, false}));

    // A fresh question starts over: Tab then Space ticks a value, it does not press "стоп".
    const Answer next = ask(dialog, question("кора", {"гладкая", "шершавая"}), [&] {
      tab();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    QCOMPARE(next.button, AnswerButton::Yes);
    QCOMPARE(next.ticked, std::vector<bool>({true, false}));
  }

  void longNames() {
    QuestionDialog dialog(u',', nullptr);
    const QString name = "симптом_при_включении_компьютера_после_длительного_простоя";
    ask(dialog, question(name, {"да"}), [&] {
      QLineEdit* field = dialog.nameEdit();
      QCOMPARE(field->text(), name);
      QVERIFY(field->width() > field->fontMetrics().horizontalAdvance(name));
      QCOMPARE(field->toolTip(), QString());
    });

    // Wider than the screen: the dialog fills the screen's width, the field shows the start.
    const QString huge = QString(name + "_").repeated(12);
    const int screen = dialog.screen()->availableGeometry().width();
    ask(dialog, question(huge, {"да"}), [&] {
      QVERIFY(dialog.frameGeometry().width() <= screen);
      QVERIFY(dialog.width() > screen * 3 / 4);
      QCOMPARE(dialog.nameEdit()->toolTip(), huge);
      QCOMPARE(dialog.nameEdit()->cursorPosition(), 0);
    });

    // A short name again: the dialog shrinks back.
    ask(dialog, question("кора", {"да"}), [&] {
      QVERIFY(dialog.width() < screen / 2);
      QCOMPARE(dialog.nameEdit()->toolTip(), QString());
    });
  }

  void closeBoxOnly() {
    QuestionDialog dialog(u',', nullptr);
    const Qt::WindowFlags flags = dialog.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(flags & Qt::WindowStaysOnTopHint);
    // The close box counts as Esc.
    const Answer closed = ask(dialog, question("кора", {"да"}), [&] { dialog.close(); });
    QCOMPARE(closed.button, AnswerButton::Escape);
  }
};

QTEST_MAIN(QuestionDialogTest)
#include "question_dialog_test.moc"
