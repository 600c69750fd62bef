// The help window and the About box.
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QtTest>

#include "ui/about_box.h"
#include "ui/help_window.h"
#include "ui/scripted_dialogs.h"
#include "ui/window_test_support.h"

using namespace veksa;

class HelpTest : public QObject {
  Q_OBJECT

 private slots:
  void helpPagesAndKeys() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    HelpWindow* help = window.helpWindow();
    QCOMPARE(help->objectName(), QString("TForm19"));
    QCOMPARE(help->windowTitle(), QString("Справка"));
    QVERIFY(help->windowFlags() & Qt::WindowStaysOnTopHint);
    QTabWidget* pages = help->pages();
    QStringList titles;
    for (int i = 0; i < pages->count(); ++i) {
      titles << pages->tabText(i);
      auto* text = qobject_cast<QTextBrowser*>(pages->widget(i));
      QVERIFY(text && text->isReadOnly());
      // Each page's text comes from its HTML file, lines and indents as they are laid out there.
      QVERIFY(text->toPlainText().size() > 800);
      QVERIFY(text->toPlainText().contains("\n   "));
      const bool bars = text->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
      QCOMPARE(bars, i != 4);  // the hot-key page has none
    }
    QCOMPARE(titles, QStringList({"Методические указания", "Структура базы знаний",
                                  "Использование переменной", "Подсчёт коэффициентов уверенности",
                                  "Горячие клавиши", "Рекомендации"}));
    const QString guide = qobject_cast<QTextBrowser*>(pages->widget(0))->toPlainText();
    QVERIFY(guide.contains("VEKSA") && guide.contains("*.vks"));

    trigger(window, {"&Помощь", "Справка"});
    QVERIFY(help->isVisible());
    QVERIFY(help->windowState() & Qt::WindowMaximized);
    QVERIFY(QTest::qWaitForWindowActive(help));
    pages->setCurrentIndex(3);
    // Enter hides the window even while a page's text has the focus.
    QWidget* text = pages->currentWidget();
    text->setFocus();
    QTest::keyClick(text, Qt::Key_Return);
    QVERIFY(!help->isVisible());
    trigger(window, {"&Помощь", "Справка"});
    QCOMPARE(pages->currentIndex(), 3);
    QVERIFY(QTest::qWaitForWindowActive(help));
    QTest::keyClick(pages->tabBar(), Qt::Key_Escape);
    QVERIFY(!help->isVisible());
  }

  void aboutBox() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    trigger(window, {"&Помощь", "О программе"});
    auto* about = window.findChild<AboutBox*>("TAboutBox");
    QVERIFY(about && about->isVisible());
    QCOMPARE(about->windowTitle(), QString("О программе"));
    QStringList lines;
    QLabel* name = nullptr;
    for (QLabel* label : about->findChildren<QLabel*>()) {
      lines << label->text();
      if (label->text() == "VEKSA") name = label;
    }
    for (const char* fixed : {"VEKSA", "Учебно-лабораторный практикум",
                              "по разработке экспертных систем", "Version 2.0",
                              "Для продолжения работы нажмите Enter"}) {
      QVERIFY2(lines.contains(fixed), fixed);
    }
    QVERIFY(name->font().pointSize() > about->font().pointSize());
    QCOMPARE(name->palette().color(QPalette::WindowText), QColor(0, 128, 128));
    QVERIFY(about->findChild<QWidget*>("ProgramIcon")->grab().toImage().pixelColor(60, 40) !=
            QColor(235, 245, 245));

    // Enter closes it; the next command makes a new one.
    QPointer<AboutBox> first = about;
    QTest::keyClick(about, Qt::Key_Return);
    QVERIFY(!first || !first->isVisible());
    QTRY_VERIFY(!first);
    trigger(window, {"&Помощь", "О программе"});
    QVERIFY(window.findChild<AboutBox*>("TAboutBox")->isVisible());
  }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
