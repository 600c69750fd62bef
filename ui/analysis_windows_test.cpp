// The windows that show the knowledge base and its runs beyond the tables: the rule graph (drawn
// by Graphviz, zoomed, a rule clicked), the comparison of the methods, the certainty bars of the
// result windows and "Почему?" in the question dialog.
#include <QGraphicsScene>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QtTest>

#include "engine/certainty_scale.h"
#include "engine/file_store.h"
#include "kb/kbfile.h"
#include "ui/analysis_commands.h"
#include "ui/bar_delegate.h"
#include "ui/method_comparison_window.h"
#include "ui/qt_text.h"
#include "ui/result_windows.h"
#include "ui/rule_graph_window.h"
#include "ui/run_test_support.h"
#include "ui/scripted_dialogs.h"
#include "ui/why_panel.h"
#include "ui/window_test_support.h"
#include "ui/zoom_view.h"

using namespace veksa;

namespace {

// The colour drawn in the middle of a cell of a table window.
QColor middleOf(TableWindow* window, int row, int column) {
  QTreeWidget* list = window->list();
  window->resize(list->header()->length() + 40, window->height());  // every column in view
  const QRect cell = list->visualRect(list->model()->index(row, column));
  return list->viewport()->grab().toImage().pixelColor(cell.center().x(), cell.center().y());
}

QColor colourOf(Rgb c) { return QColor(c.r, c.g, c.b); }

}  // namespace

class AnalysisWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void graphWindowDrawsEveryRuleAndAClickNamesItsLine() {
    Workspace ws;
    ws.lines = exampleLines();
    RuleGraphWindow window(nullptr);
    window.showGraph(ws);
    QVERIFY(window.isVisible());
    QCOMPARE(window.windowTitle(), QString("Граф правил"));
    QVERIFY(!window.view()->scene()->items().isEmpty());
    QList<std::pair<std::size_t, QString>> clicked;
    connect(&window, &RuleGraphWindow::ruleClicked, [&](std::size_t line, const QString& name) {
      clicked.append({line, name});
    });
    // Every rule is drawn, its box apart from the others; a click in its middle names its line.
    int rules = 0;
    for (std::size_t n = 0; n < window.graph().nodes.size(); ++n) {
      const GraphNode& node = window.graph().nodes[n];
      if (node.kind != GraphNodeKind::Rule) continue;
      ++rules;
      std::optional<QRectF> box = window.ruleRect(n);
      QVERIFY(box);
      QVERIFY(window.view()->scene()->sceneRect().contains(*box));
      window.view()->centerOn(box->center());
      QTest::mouseClick(window.view()->viewport(), Qt::LeftButton, {},
                        window.view()->mapFromScene(box->center()));
      QCOMPARE(clicked.size(), rules);
      QCOMPARE(clicked.back().first, node.line);
      QCOMPARE(clicked.back().second, toQString(node.name));
    }
    QCOMPARE(rules, 6);
    // A click beside the rules names nothing.
    QTest::mouseClick(window.view()->viewport(), Qt::LeftButton, {},
                      window.view()->mapFromScene(window.view()->scene()->sceneRect().topLeft()));
    QCOMPARE(clicked.size(), rules);

    QApplication::setActiveWindow(&window);  // the zoom keys belong to the active window
    window.view()->setFocus();
    const double fitted = window.view()->zoom();
    QTest::keyClick(&window, Qt::Key_Plus, Qt::ControlModifier);
    QVERIFY(window.view()->zoom() > fitted);
    QTest::keyClick(&window, Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_Minus, Qt::ControlModifier);
    QVERIFY(window.view()->zoom() < fitted);
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
  }

  void graphFromTheMenuSelectsTheRuleLine() {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window = openWindow(dialogs, dir, exampleLines());
    QAction* action = menuItem(*window, {"&Результаты", "Граф правил"});
    QVERIFY(action);
    QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
    QTest::keyClick(window->editor()->text(), Qt::Key_G, Qt::ControlModifier);
    RuleGraphWindow* graph = window->analysisCommands()->graphWindow();
    QVERIFY(graph->isVisible());
    std::size_t third = 0;
    for (std::size_t n = 0; n < graph->graph().nodes.size(); ++n) {
      if (graph->graph().nodes[n].name == u"Правило3") third = n;
    }
    std::optional<QRectF> box = graph->ruleRect(third);
    QVERIFY(box);
    graph->view()->centerOn(box->center());
    QTest::mouseClick(graph->view()->viewport(), Qt::LeftButton, {},
                      graph->view()->mapFromScene(box->center()));
    QCOMPARE(window->editor()->text()->textCursor().selectedText(), QString("NAME Правило3"));
  }

  void comparisonAsksFirstThenReusesTheRecord() {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window = openWindow(dialogs, dir, exampleLines());
    QAction* action = menuItem(*window, {"&Запуск", "Сравнение методов"});
    QVERIFY(action);
    QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
    // No run yet: F9's questions come first, through the question dialog, answered as in
    // examples/trees_and_flowers.answers.
    ModalScript script;
    script.expect("TForm10", [](QWidget* w) { answerQuestion(w, {"листья"}, 16, "Button2"); });
    script.expect("TForm10", [](QWidget* w) { answerQuestion(w, {"чёрно_белая"}, 12, "Button2"); });
    script.expect("TForm10", [](QWidget* w) { answerQuestion(w, {"короткая"}, 6, "Button2"); });
    script.expect("TForm10", [](QWidget* w) { answerQuestion(w, {"есть"}, 14, "Button1"); });
    script.expect("TForm10", [](QWidget* w) { answerQuestion(w, {"белый"}, 10, "Button2"); });
    QTest::keyClick(window->editor()->text(), Qt::Key_M, Qt::ControlModifier);
    QVERIFY(script.done());
    MethodComparisonWindow* comparison = window->analysisCommands()->comparisonWindow();
    QVERIFY(comparison->isVisible());
    QCOMPARE(comparison->windowTitle(), QString("Сравнение методов"));
    QTreeWidget* list = comparison->list();
    QCOMPARE(list->topLevelItemCount(), 5);
    QVERIFY(qobject_cast<BarDelegate*>(list->itemDelegateForColumn(2)));
    // The rows without their times, sorted; the list itself is ordered by time.
    auto rowsOf = [](QTreeWidget* list) {
      QStringList rows;
      double previous = -1;
      for (int r = 0; r < list->topLevelItemCount(); ++r) {
        QTreeWidgetItem* item = list->topLevelItem(r);
        const double time = item->text(2).replace(',', '.').toDouble();
        if (time < previous) return QStringList({"not sorted by time"});
        previous = time;
        rows << QStringList({item->text(0), item->text(1), item->text(3), item->text(4),
                             item->text(5), item->text(6)})
                    .join('|');
      }
      rows.sort();
      return rows;
    };
    QCOMPARE(rowsOf(list), QStringList({"До первого заключения|202|1|1|1|дерево берёза 0,54",
                                        "Обратный в глубину|302|6|5|1|дерево берёза 0,54",
                                        "Обратный в ширину|202|6|5|1|дерево берёза 0,54",
                                        "Прямой в глубину|342|6|5|5|цветок роза 0,815",
                                        "Прямой в ширину|242|6|5|5|цветок роза 0,815"}));
    QVERIFY(window->workspace().facts.empty());  // the comparison leaves the tables alone

    // With a recorded run nothing is asked: its answers serve every method.
    Workspace& ws = window->workspace();
    ws.lastRun.answers = {{u"цвет", AnswerButton::Yes, 20, {u"белый"}}};
    ws.lastRun.lastPass.recorded = true;
    // (The comparison window is the active one now, so the command is given from the menu.)
    list->clear();
    ModalScript none;
    action->trigger();
    QCOMPARE(none.unexpected, QStringList());
    // Only the recorded answer (white, certainty 1) counts: every method finds the daisy.
    QCOMPARE(rowsOf(list), QStringList({"До первого заключения|202|5|4|1|цветок ромашка 0,6",
                                        "Обратный в глубину|302|6|5|2|цветок ромашка 0,8",
                                        "Обратный в ширину|202|6|5|2|цветок ромашка 0,8",
                                        "Прямой в глубину|342|6|5|2|цветок ромашка 0,8",
                                        "Прямой в ширину|242|6|5|2|цветок ромашка 0,8"}));
  }

  void graphWindowWithoutRulesOrTooLarge() {
    Workspace ws;
    ws.lines = newKnowledgeBase();
    RuleGraphWindow window(nullptr);
    window.showGraph(ws);
    QCOMPARE(window.message()->text(), QString("В базе знаний нет правил."));
    QVERIFY(window.view()->scene()->items().isEmpty());
    for (std::size_t i = 0; i <= RuleGraphWindow::kMaxNodes; ++i) {
      ws.lines.push_back(u"NAME R" + toLine(QString::number(i)));
    }
    window.showGraph(ws);
    QVERIFY(window.message()->text().startsWith("Граф слишком велик для окна"));
    QVERIFY(window.view()->scene()->items().isEmpty());
  }

  void certaintyBarsKeepTheCellText() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    Workspace& ws = window.workspace();
    ws.facts.append({u"оперение", u"листья", u"0,8"});
    ws.facts.append({u"шипы", u"нет", u"-0,7"});
    ws.facts.append({u"цвет", u"белый", u"0,3"});
    ws.results.append({u"цветок", u"роза", u"0,815"});
    ws.protocol.append({u"Правило1", u"", u""});
    ws.protocol.append({u"Гипотеза", u"дерево берёза", u"0,54"});
    ws.protocol.append({u"Переменная", u"X", u"55"});
    trigger(window, {"&Результаты", "Все окна"});
    QCOMPARE(shownRows(window.factsWindow()),
             QStringList({"оперение|листья|0,8", "шипы|нет|-0,7", "цвет|белый|0,3"}));
    QCOMPARE(shownRows(window.resultsWindow()), QStringList({"цветок|роза|0,815"}));
    QCOMPARE(shownRows(window.protocolWindow()),
             QStringList({"Правило1||", "Гипотеза|дерево берёза|0,54", "Переменная|X|55"}));
    for (TableWindow* w : {static_cast<TableWindow*>(window.factsWindow()),
                           static_cast<TableWindow*>(window.resultsWindow()),
                           static_cast<TableWindow*>(window.protocolWindow())}) {
      QVERIFY(qobject_cast<BarDelegate*>(w->list()->itemDelegateForColumn(2)));
      QVERIFY(!w->list()->itemDelegateForColumn(1));
    }
    // The middle of a cell lies on the bar from 0,54 on (the numbers stand at the left); a bar of
    // 0,3 ends before it.
    QCOMPARE(middleOf(window.factsWindow(), 0, 2), colourOf(kPositiveColour));
    QCOMPARE(middleOf(window.factsWindow(), 1, 2), colourOf(kNegativeColour));
    QVERIFY(middleOf(window.factsWindow(), 2, 2) != colourOf(kPositiveColour));
    QCOMPARE(middleOf(window.resultsWindow(), 0, 2), colourOf(kPositiveColour));
    QCOMPARE(middleOf(window.protocolWindow(), 1, 2), colourOf(kPositiveColour));
    // A variable's value in the protocol is no certainty: no bar.
    QVERIFY(middleOf(window.protocolWindow(), 2, 2) != colourOf(kPositiveColour));
    // Nothing edits a certainty in place.
    QTreeWidget* protocol = window.protocolWindow()->list();
    QVERIFY(!protocol->itemDelegateForColumn(2)->createEditor(
        protocol->viewport(), QStyleOptionViewItem(), protocol->model()->index(1, 2)));
  }

  void whyListsTheRulesThatTestTheParameter() {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window = openWindow(dialogs, dir, exampleLines());
    QuestionDialog* dialog = window->runCommands()->questionDialog();
    pressKey(*window, Qt::Key_F9);
    // Only ЦВЕТЫ: "Почему?" speaks of the rules the run runs.
    QListWidget* sections = window->runCommands()->sectionChoice()->sectionList();
    for (int row : {0, 2}) {
      sections->setCurrentRow(row);
      QTest::keyClick(sections, Qt::Key_Space);
    }
    ModalScript script;
    QStringList listed;
    QWidget* afterStop = nullptr;
    bool panelShown = false;
    script.expect("TForm10", [&](QWidget*) {
      dialog->stopButton()->setFocus();
      QTest::keyClick(dialog->stopButton(), Qt::Key_Tab);
      afterStop = dialog->focusWidget();
      QTest::mouseClick(dialog->whyButton(), Qt::LeftButton);
      panelShown = dialog->whyPanel()->isVisible();
      for (int i = 0; i < dialog->whyPanel()->list()->count(); ++i) {
        listed << dialog->whyPanel()->list()->item(i)->text();
      }
      QTest::mouseClick(dialog->stopButton(), Qt::LeftButton);
    });
    QTest::keyClick(sections, Qt::Key_Return);
    QVERIFY(script.done());
    QCOMPARE(dialog->whyButton()->text(), QString("Почему?"));
    QCOMPARE(afterStop, dialog->whyButton());  // last in the Tab order
    QVERIFY(panelShown);
    // The diagnostics before the run joined Правило5's OR line to its IF line: the panel shows
    // the lines as they are run.
    QCOMPARE(listed, QStringList({"Правило4: CASE шипы", "Правило5: IF цвет белый OR шипы нет"}));
    QVERIFY(!dialog->whyPanel()->isVisible());  // the answer closes it with the dialog
    QCOMPARE(script.unexpected, QStringList());
  }
};

QTEST_MAIN(AnalysisWindowsTest)
#include "analysis_windows_test.moc"
