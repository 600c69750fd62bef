// The result windows: their columns, following the workspace's tables, in-place editing of the
// protocol and the variables, Esc and the close box, the "&Результаты" menu and the timing window.
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QTreeWidget>
#include <QtTest>

#include "ui/qt_text.h"
#include "ui/result_windows.h"
#include "ui/scripted_dialogs.h"
#include "ui/timing_window.h"
#include "ui/window_test_support.h"

using namespace veksa;

namespace {

QStringList headers(TableWindow* window) {
  QStringList out;
  QTreeWidgetItem* header = window->list()->headerItem();
  for (int c = 0; c < header->columnCount(); ++c) {
    out << QString("%1:%2").arg(header->text(c)).arg(window->list()->columnWidth(c));
  }
  return out;
}

}  // namespace

class ResultWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void captionsAndColumns() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    struct Expected {
      TableWindow* window;
      const char* form;
      const char* caption;
      QStringList columns;
    };
    const Expected expected[] = {
        {window.factsWindow(), "TForm12", "Коэффициенты фактов",
         {"Параметр:100", "Значение:100", "Коэффициент:100"}},
        {window.resultsWindow(), "TForm11", "Окно результатов",
         {"Гипотеза:170", "Значение гипотезы:170", "Коэффициент уверенности:170"}},
        {window.protocolWindow(), "TForm14", "Протокол решения",
         {"Правило:100", "Решение:100", "Коэффициент:100"}},
        {window.variablesWindow(), "TForm16", "Переменные", {"Наименование:150", "Значение:150"}},
    };
    for (const Expected& e : expected) {
      QCOMPARE(e.window->objectName(), QString(e.form));
      QCOMPARE(e.window->windowTitle(), QString(e.caption));
      QCOMPARE(headers(e.window), e.columns);
      QVERIFY(e.window->windowFlags() & Qt::WindowStaysOnTopHint);
      QVERIFY(!e.window->isVisible());
    }
  }

  void windowsFollowTheTables() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    Workspace& ws = window.workspace();
    ws.results.append({u"дерево", u"берёза", u"0,54"});
    ws.protocol.append({u"Правило1", u"", u""});
    ws.protocol.append({u"Гипотеза", u"дерево берёза", u"0,54"});
    ws.facts.append({u"оперение", u"листья", u"0,8"});
    ws.variables.append({u"X", u"55"});
    ws.resultsCaption = u"Результат трассировки";
    trigger(window, {"&Результаты", "Все окна"});
    QCOMPARE(shownRows(window.resultsWindow()), QStringList({"дерево|берёза|0,54"}));
    QCOMPARE(window.resultsWindow()->windowTitle(), QString("Результат трассировки"));
    QCOMPARE(shownRows(window.protocolWindow()),
             QStringList({"Правило1||", "Гипотеза|дерево берёза|0,54"}));
    QCOMPARE(shownRows(window.factsWindow()), QStringList({"оперение|листья|0,8"}));
    QCOMPARE(shownRows(window.variablesWindow()), QStringList({"X|55"}));
    for (TableWindow* w : window.resultWindows()) {
      QVERIFY(w->isVisible());
    }

    // Esc and the close box hide a window; its menu item shows the same rows again.
    QTest::keyClick(window.protocolWindow()->list(), Qt::Key_Escape);
    QVERIFY(!window.protocolWindow()->isVisible());
    window.variablesWindow()->close();
    QVERIFY(!window.variablesWindow()->isVisible());
    trigger(window, {"&Результаты", "Протокол решения"});
    QVERIFY(window.protocolWindow()->isVisible());
    QCOMPARE(shownRows(window.protocolWindow()).size(), 2);
    trigger(window, {"&Результаты", "Переменные"});
    QCOMPARE(shownRows(window.variablesWindow()), QStringList({"X|55"}));

    // A run's change shows at the next refresh; the reset empties every window.
    ws.variables.setCell(0, 1, u"60");
    window.refreshResultWindows();
    QCOMPARE(shownRows(window.variablesWindow()), QStringList({"X|60"}));
    trigger(window, {"&Запуск", "Сброс"});
    for (TableWindow* w : window.resultWindows()) {
      QCOMPARE(w->list()->topLevelItemCount(), 0);
    }
  }

  void firstColumnEditsWriteTheTable() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    Workspace& ws = window.workspace();
    ws.protocol.append({u"Правило1", u"", u""});
    ws.variables.append({u"X", u"55"});
    ws.facts.append({u"оперение", u"листья", u"0,8"});
    window.refreshResultWindows();

    QTreeWidget* protocol = window.protocolWindow()->list();
    protocol->topLevelItem(0)->setText(0, "Правило9");
    QCOMPARE(toQString(ws.protocol.cell(0, 0)), QString("Правило9"));
    QTreeWidget* variables = window.variablesWindow()->list();
    variables->topLevelItem(0)->setText(0, "Y");
    QCOMPARE(toQString(ws.variables.cell(0, 0)), QString("Y"));
    QCOMPARE(ws.variables.find(u"Y").size(), 1u);
    window.refreshResultWindows();
    QCOMPARE(shownRows(window.variablesWindow()), QStringList({"Y|55"}));

    // Only the first column of those two tables opens an editor.
    const auto opensEditor = [](TableWindow* window, int column) {
      window->showTable();
      QTreeWidget* list = window->list();
      list->editItem(list->topLevelItem(0), column);
      auto* editor = list->viewport()->findChild<QLineEdit*>();
      const bool editing = editor && editor->isVisible();
      if (editing) QTest::keyClick(editor, Qt::Key_Escape);
      return editing;
    };
    QVERIFY(opensEditor(window.protocolWindow(), 0));
    QVERIFY(!opensEditor(window.protocolWindow(), 1));
    QVERIFY(!opensEditor(window.variablesWindow(), 1));
    QVERIFY(opensEditor(window.variablesWindow(), 0));
    QVERIFY(!opensEditor(window.factsWindow(), 0));
    QVERIFY(!opensEditor(window.resultsWindow(), 0));
  }

  void timingWindow() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    TimingWindow* timing = window.timingWindow();
    QCOMPARE(timing->objectName(), QString("TForm20"));
    QCOMPARE(timing->windowTitle(), QString("Оценка эффективности метода по времени"));
    QVERIFY(timing->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!(timing->windowFlags() & Qt::WindowCloseButtonHint));
    QProgressBar* gauge = timing->findChild<QProgressBar*>("Gauge1");
    QCOMPARE(gauge->value(), 0);
    timing->setProgress(57);
    QCOMPARE(gauge->value(), 57);
    timing->setProgress(140);
    QCOMPARE(gauge->value(), 100);
    timing->show();
    QVERIFY(!timing->close());  // only the run hides it
    QVERIFY(timing->isVisible());
  }
};

QTEST_MAIN(ResultWindowsTest)
#include "result_windows_test.moc"
