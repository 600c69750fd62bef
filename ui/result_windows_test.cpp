// The result windows: their columns, following the workspace's tables, in-place editing of the
// protocol and the variables, Esc and the close box, the "&Результаты" menu and the timing window.
#include "ui/result_windows.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QTreeWidget>
#include <QtTest>

#include "ui/qt_text.h"
#include "ui/scripted_dialogs.h"
#include "ui/timing_window.h"
#include "ui/window_test_support.h"

using namespace veksa;

namespace {

// The captions with their columns' widths as given ("Параметр:100"), or with the width the
// column has when it is wider, to show its whole caption ("Параметр:caption").
QStringList headers(TableWindow* window, const QList<int>& given) {
  QStringList out;
  QTreeWidget* list = window->list();
  QTreeWidgetItem* header = list->headerItem();
  for (int c = 0; c < header->columnCount(); ++c) {
    const int width = list->columnWidth(c);
    const int caption = list->header()->fontMetrics().horizontalAdvance(header->text(c));
    const bool fits = width > caption;
    out << QString("%1:%2").arg(header->text(c),
                                width == given.value(c) && fits  ? QString::number(width)
                                : fits && width > given.value(c) ? QString("caption")
                                                                 : QString("cut"));
  }
  return out;
}

bool closeBoxOnly(const QWidget* window) {
  const Qt::WindowFlags flags = window->windowFlags();
  return (flags & Qt::WindowCloseButtonHint) && (flags & Qt::WindowStaysOnTopHint) &&
         !(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
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
      QList<int> widths;
      QStringList columns;
    };
    const Expected expected[] = {
        {window.factsWindow(),
         "TForm12",
         "Коэффициенты фактов",
         {100, 100, 100},
         {"Параметр:100", "Значение:100", "Коэффициент:caption"}},
        {window.resultsWindow(),
         "TForm11",
         "Окно результатов",
         {170, 170, 170},
         {"Гипотеза:170", "Значение гипотезы:170", "Коэффициент уверенности:caption"}},
        {window.protocolWindow(),
         "TForm14",
         "Протокол решения",
         {100, 100, 100},
         {"Правило:100", "Решение:100", "Коэффициент:caption"}},
        {window.variablesWindow(),
         "TForm16",
         "Переменные",
         {150, 150},
         {"Наименование:150", "Значение:150"}},
    };
    // A caption wider than the given width widens its column.
    for (const Expected& e : expected) {
      QCOMPARE(e.window->objectName(), QString(e.form));
      QCOMPARE(e.window->windowTitle(), QString(e.caption));
      QCOMPARE(headers(e.window, e.widths), e.columns);
      QVERIFY(e.window->list()->header()->stretchLastSection());
      QVERIFY(closeBoxOnly(e.window));
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

  void columnsFitTheirCells() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    Workspace& ws = window.workspace();
    const QString value = "неисправность_блока_питания";
    const QString huge = QString("неисправность_").repeated(10);
    ws.protocol.append({u"Гипотеза", u"цветок ромашка", u"0,5"});
    ws.protocol.append({u"Гипотеза", toLine("поломка " + value), u"0,25"});
    ws.results.append({u"поломка", toLine(huge), u"0,5"});
    window.refreshResultWindows();

    // After a run each column is as wide as its widest cell; the window shows them all.
    TableWindow* protocol = window.protocolWindow();
    QTreeWidget* list = protocol->list();
    const int cell = list->fontMetrics().horizontalAdvance("поломка " + value);
    QVERIFY(list->columnWidth(1) > cell);
    QCOMPARE(protocol->cutCellText(1, 1), QString());
    QVERIFY(protocol->width() > list->columnWidth(0) + list->columnWidth(1) + list->columnWidth(2));

    // Up to a limit: a longer cell is cut and shows its whole text as a tooltip; short cells
    // show none.
    TableWindow* results = window.resultsWindow();
    QVERIFY(results->list()->columnWidth(1) <
            results->list()->fontMetrics().horizontalAdvance(huge));
    QVERIFY(results->list()->columnWidth(1) > 170);
    QCOMPARE(results->cutCellText(0, 1), huge);
    QCOMPARE(results->cutCellText(0, 0), QString());
    QCOMPARE(results->cutCellText(5, 0), QString());

    // The tables emptied, the columns keep at least their captions' width.
    trigger(window, {"&Запуск", "Сброс"});
    QVERIFY(results->list()->columnWidth(2) >
            results->list()->fontMetrics().horizontalAdvance("Коэффициент уверенности"));
  }

  void widerCaptionCentresTheResults() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    ResultsWindow* results = window.resultsWindow();
    results->showTable();
    results->move(0, 0);
    const int before = results->width();
    window.workspace().resultsCaption =
        u"Найдено решение методом: Прямой в ширину время выполнения: 0:00:01 /100";
    window.refreshResultWindows();
    QVERIFY(results->width() > before);
    const QPoint centre = results->screen()->availableGeometry().center();
    QVERIFY((results->frameGeometry().center() - centre).manhattanLength() <= 2);
  }

  void allWindowsTiled() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    trigger(window, {"&Результаты", "Все окна"});
    const std::array<TableWindow*, 4> windows = window.resultWindows();
    for (std::size_t i = 0; i < windows.size(); ++i) {
      QVERIFY(windows[i]->isVisible());
      const QRect frame = windows[i]->frameGeometry();
      QVERIFY(window.frameGeometry().contains(frame));
      QVERIFY(frame.width() > window.width() / 3 && frame.height() > window.height() / 3);
      for (std::size_t j = 0; j < i; ++j) {
        QVERIFY(!frame.intersects(windows[j]->frameGeometry()));
      }
    }
    // The results window has the keys: Esc hides it at once.
    QTRY_COMPARE(QApplication::activeWindow(), window.resultsWindow());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!window.resultsWindow()->isVisible());
  }

  void timingWindow() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    TimingWindow* timing = window.timingWindow();
    QCOMPARE(timing->objectName(), QString("TForm20"));
    QCOMPARE(timing->windowTitle(), QString("Оценка эффективности метода по времени"));
    // No title bar, so no buttons: the window shows its caption itself.
    QVERIFY(timing->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(timing->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(timing->captionLabel()->text(), timing->windowTitle());
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
