// Runs in the window: F9 on the example with the real question dialog and section choice, the
// text restored afterwards, the method captions, a path typed by the user, the save before a run,
// run-time errors and faulty knowledge bases; after a run, how a hypothesis was reached and the
// answers saved for veksa-cli.
// clang-format off
#include "engine/answers_host.h"  // before Qt: it has a member named like a Qt macro
// clang-format on

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "engine/file_store.h"
#include "engine/run_driver.h"
#include "kb/locate.h"
#include "ui/explanation_window.h"
#include "ui/help_window.h"
#include "ui/qt_text.h"
#include "ui/result_windows.h"
#include "ui/rule_path_window.h"
#include "ui/run_test_support.h"
#include "ui/scripted_dialogs.h"
#include "ui/timing_window.h"

using namespace veksa;

namespace {

QStringList rows(const Table& table) {
  QStringList out;
  for (const Table::Row& row : table.rows()) {
    QStringList cells;
    for (const Line& cell : row) cells << toQString(cell);
    out << cells.join('|');
  }
  return out;
}

// The rules a run executed, from the protocol's rule rows.
QStringList ruleRows(const Workspace& ws) {
  QStringList out;
  for (const Table::Row& row : ws.protocol.rows()) {
    if (row[1].empty()) out << toQString(row[0]);
  }
  return out;
}

void pressF9(MainWindow& window) { pressKey(window, Qt::Key_F9); }

// Every question answered with Esc (by closing the dialog).
void escapeAll(ModalScript& script, int questions) {
  for (int i = 0; i < questions; ++i) script.expect("TForm10", [](QWidget* w) { w->close(); });
}

}  // namespace

class RunCommandsTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  ScriptedDialogs dialogs_;
  std::unique_ptr<MainWindow> window_;

  // A fresh main window on a file holding `lines`, diagnostics off.
  MainWindow& open(const Lines& lines, const QString& name = "kb.vks") {
    window_ = openWindow(dialogs_, dir_, lines, name);
    trigger(*window_, {"&Настройки", "Диагностика", "Отключить"});
    return *window_;
  }

 private slots:
  void fullRunOfTheExample() {
    MainWindow& window = open(exampleLines());
    Workspace& ws = window.workspace();
    pressF9(window);
    SectionChoiceDialog* choice = sectionChoice(window);
    QVERIFY(choice && choice->isVisible());
    QStringList items;
    for (int i = 0; i < choice->sectionList()->count(); ++i) {
      items << choice->sectionList()->item(i)->text() +
                   (choice->sectionList()->item(i)->checkState() == Qt::Checked ? "+" : "");
    }
    QCOMPARE(items, QStringList({"Все разделы+", "ДЕРЕВЬЯ", "ЦВЕТЫ"}));
    // While the choice is open nothing may change the text or start another run.
    QVERIFY(window.editor()->text()->isReadOnly());
    QVERIFY(!menuItem(window, {"&Файл", "Сохранить"})->isEnabled());
    QVERIFY(!menuItem(window, {"&Запуск", "Автоматический запуск"})->isEnabled());
    QVERIFY(menuItem(window, {"&Результаты", "Все окна"})->isEnabled());
    pressF9(window);
    QCOMPARE(sectionChoice(window), choice);

    ModalScript script;
    QStringList asked;
    auto question = [&](QStringList ticks, int steps, const char* button) {
      script.expect("TForm10", [&asked, ticks, steps, button](QWidget* w) {
        asked << questionName(w);
        answerQuestion(w, ticks, steps, button);
      });
    };
    question({"листья"}, 16, "Button2");     // да at 0,8
    question({"чёрно_белая"}, 12, "Enter");  // Enter in the list: да at 0,6
    question({"короткая"}, 6, "Button2");    // да at 0,3
    question({"есть"}, 14, "Button1");       // все at 0,7
    question({"белый"}, -25, "Esc");         // Esc: nothing written
    QTest::mouseClick(choice->nextButton(), Qt::LeftButton);
    QVERIFY(script.done());
    QCOMPARE(script.unexpected, QStringList());
    QCOMPARE(asked, QStringList({"оперение", "кора", "хвоя", "шипы", "цвет"}));
    QCOMPARE(rows(ws.facts), QStringList({"оперение|листья|0,8", "кора|чёрно_белая|0,6",
                                          "хвоя|короткая|0,3", "шипы|есть|0,7", "шипы|нет|-0,7"}));

    // The same answers through the engine alone give the same tables.
    Workspace expected(std::make_unique<MemoryFileStore>());
    expected.lines = exampleLines();
    expected.ProjectState = kProjectOpen;
    AnswersHost host(expected);
    host.answers = parseAnswers(
        "оперение да 0,8 листья\nкора да 0,6 чёрно_белая\nхвоя да 0,3 короткая\n"
        "шипы все 0,7 есть\nцвет esc\n");
    Run1Result prepared = veksa::Run1(expected, host);
    SectionChoiceDone(expected, host, *prepared.choice);
    QCOMPARE(rows(ws.results), rows(expected.results));
    QCOMPARE(rows(ws.protocol), rows(expected.protocol));
    QCOMPARE(rows(ws.variables), rows(expected.variables));

    // The results window shows them with the method and the time; the text is whole again.
    ResultsWindow* results = window.resultsWindow();
    QVERIFY(results->isVisible());
    QCOMPARE(shownRows(results), rows(ws.results));
    QVERIFY(QRegularExpression("^Найдено решение методом: Прямой в ширину время выполнения: "
                               "\\d+:\\d\\d:\\d\\d /100$")
                .match(results->windowTitle())
                .hasMatch());
    QCOMPARE(window.timingWindow()->gauge()->value(), 100);
    QVERIFY(!window.timingWindow()->isVisible());
    QCOMPARE(splitLines(editorText(window)), exampleLines());
    QVERIFY(!window.editor()->text()->isReadOnly());
    QVERIFY(menuItem(window, {"&Файл", "Сохранить"})->isEnabled());
    QVERIFY(!window.runCommands()->runUnderWay());
    QVERIFY(!ws.TraceMode);
    // The program may close with the section choice open.
    pressF9(window);
    QVERIFY(sectionChoice(window));
  }

  void chosenSectionsStopAndCancel() {
    MainWindow& window = open(exampleLines());
    Workspace& ws = window.workspace();
    const QString full = editorText(window);
    // Only ЦВЕТЫ: the run sees the declaration head and that section.
    pressF9(window);
    QListWidget* list = sectionChoice(window)->sectionList();
    for (int row : {0, 2}) {
      list->setCurrentRow(row);
      QTest::keyClick(list, Qt::Key_Space);
    }
    ModalScript script;
    QString shownDuringRun;
    script.expect("TForm10", [&](QWidget* w) {
      QCOMPARE(questionName(w), QString("шипы"));
      shownDuringRun = editorText(window);
      answerQuestion(w, {}, 0, "Button3");  // стоп
    });
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(script.done());
    Lines lines = exampleLines();
    Lines assembled(lines.begin(), lines.begin() + static_cast<long>(PechGip(lines)));
    auto section = findSection(lines, u"ЦВЕТЫ");
    assembled.insert(assembled.end(), lines.begin() + static_cast<long>(section->first),
                     lines.begin() + static_cast<long>(section->second) + 1);
    assembled.push_back(Line());
    QCOMPARE(splitLines(shownDuringRun), assembled);
    // "стоп" ran one pass on no facts over the rules of ЦВЕТЫ; the full text is back and undo
    // cannot bring the assembled one back.
    QCOMPARE(ruleRows(ws), QStringList({"Правило4", "Правило5", "Правило6"}));
    QCOMPARE(editorText(window), full);
    window.editor()->text()->undo();
    QCOMPARE(editorText(window), full);
    QVERIFY(!ws.TraceMode);

    // Esc in the section choice: the reset, no run, the path emptied.
    pressF9(window);
    QCOMPARE(ws.RulePath.size(), 6u);
    QTest::keyClick(sectionChoice(window)->sectionList(), Qt::Key_Escape);
    QVERIFY(!sectionChoice(window));
    QVERIFY(ws.RulePath.empty());
    QVERIFY(ws.protocol.empty());
    QVERIFY(!window.editor()->text()->isReadOnly());
    QVERIFY(!window.runCommands()->runUnderWay());
  }

  void methodCaptions() {
    MainWindow& window = open(exampleLines());
    for (const MethodTraits& method : kInferenceMethods) {
      trigger(window, {"&Настройки", "Выбор метода", toQString(method.command)});
      QCOMPARE(window.methodField()->text(), toQString(method.fieldText));
      QCOMPARE(window.workspace().RepeatCount, method.repeatCount);
      pressF9(window);
      ModalScript script;
      escapeAll(script, 5);
      QTest::mouseClick(sectionChoice(window)->doneButton(), Qt::LeftButton);
      QVERIFY(script.done());
      QVERIFY(window.resultsWindow()->windowTitle().startsWith(
          "Найдено решение методом: " + toQString(method.fieldText) + " время выполнения: "));
    }
  }

  void pathTypedByTheUser() {
    MainWindow& window = open(exampleLines());
    Workspace& ws = window.workspace();
    RulePathWindow* path = window.runCommands()->rulePathWindow();
    trigger(window, {"&Настройки", "Путь исполнения правил", "Установка последовательного пути"});
    QVERIFY(path->isVisible());
    QCOMPARE(path->memo()->toPlainText(),
             QString("Правило1\nПравило2\nПравило3\nПравило4\nПравило5\nПравило6"));
    QTest::keyClick(path->memo(), Qt::Key_Escape);
    QVERIFY(!path->isVisible());
    trigger(window, {"&Настройки", "Путь исполнения правил", "Установка заданного пути"});
    QVERIFY(path->isVisible() && path->memo()->toPlainText().isEmpty());
    for (const char* name : {"Правило6", "Нет", "Правило4"}) {
      typeText(path->memo(), QString(name));
      QTest::keyClick(path->memo(), Qt::Key_Return);
    }
    QCOMPARE(ws.RulePath, (Lines{u"Правило6", u"Нет", u"Правило4"}));

    pressF9(window);
    QVERIFY(path->memo()->isReadOnly());
    ModalScript script;
    script.expect("TForm10", [](QWidget* w) {
      QCOMPARE(questionName(w), QString("шипы"));
      answerQuestion(w, {"есть"}, 20, "Button2");
    });
    QTest::mouseClick(sectionChoice(window)->nextButton(), Qt::LeftButton);
    QVERIFY(script.done());
    QCOMPARE(ruleRows(ws), QStringList({"Правило6", "Правило4"}));
    QCOMPARE(path->memo()->toPlainText().trimmed(), QString("Правило6\nНет\nПравило4"));
    QVERIFY(!path->memo()->isReadOnly());

    trigger(window, {"&Настройки", "Путь исполнения правил", "Удаление текущего пути"});
    QVERIFY(path->memo()->toPlainText().isEmpty());
    trigger(window, {"&Настройки", "Путь исполнения правил", "Удаление текущего пути"});
    QCOMPARE(dialogs_.shown, QStringList({"Не был создан проект"}));
  }

  void saveBeforeTheRun() {
    // A new knowledge base: the save-as dialog; cancelling it lets the run go on.
    MainWindow& window = open(exampleLines());
    trigger(window, {"&Файл", "Новый проект"});
    setEditorText(window, joinLines(exampleLines()));
    pressF9(window);
    QCOMPARE(dialogs_.fileDialogs, 1);
    QVERIFY(sectionChoice(window));
    QTest::keyClick(sectionChoice(window), Qt::Key_Escape);
    QCOMPARE(splitLines(editorText(window)), exampleLines());

    // A file that can no longer be written: the error, and no run.
    MainWindow& other = open(exampleLines(), "gone/kb.vks");
    QVERIFY(QDir(dir_.filePath("gone")).removeRecursively());
    pressF9(other);
    QVERIFY(!sectionChoice(other));
    QCOMPARE(dialogs_.shown.size(), 1);
    QVERIFY(dialogs_.shown.first().startsWith("error: "));
    QVERIFY(!other.runCommands()->runUnderWay());
    QVERIFY(menuItem(other, {"&Файл", "Сохранить"})->isEnabled());
  }

  void runTimeErrorsAndFaultyText() {
    const Lines division = {
        u"ГИПОТЕЗЫ:", u"x {y}",   u"ПАРАМЕТРЫ:",     u"ПЕРЕМЕННЫЕ:", u"X 5",     u"Z 0",
        u"NAME П1",   u"IF =X>1", u"THEN x y [0,5]", u"END",         u"NAME П2", u"IF =X>1",
        u"THEN =X/Z", u"END"};
    MainWindow& window = open(division);
    Workspace& ws = window.workspace();
    pressF9(window);
    QTest::keyClick(sectionChoice(window)->sectionList(), Qt::Key_Return);
    QCOMPARE(dialogs_.shown, QStringList({"error: Floating point division by zero"}));
    QCOMPARE(splitLines(editorText(window)), division);
    QCOMPARE(shownRows(window.protocolWindow()), QStringList({"П1||", "Гипотеза|x y|0,5", "П2||"}));
    QVERIFY(!window.timingWindow()->isVisible());
    QVERIFY(!ws.TraceMode);
    QVERIFY(!window.editor()->text()->isReadOnly());
    QVERIFY(menuItem(window, {"&Запуск", "Автоматический запуск"})->isEnabled());

    // Faults the diagnostics would have caught end with a message or an error box, never a hang:
    // a factor that is no number, a rule without END, a parameter without a declaration.
    const Lines faulty = {u"ГИПОТЕЗЫ:", u"x {y}",          u"ПАРАМЕТРЫ:", u"p {a}", u"NAME П1",
                          u"IF p a",    u"THEN x y [abc]", u"NAME П2",    u"IF q",  u"THEN x"};
    MainWindow& bad = open(faulty);
    pressF9(bad);
    ModalScript script;
    script.expect("TForm10", [](QWidget* w) { answerQuestion(w, {"a"}, 10, "Button2"); });
    escapeAll(script, 1);
    QTest::keyClick(sectionChoice(bad)->sectionList(), Qt::Key_Return);
    QVERIFY(script.done());
    QCOMPARE(dialogs_.shown, QStringList({"error: 'abc' is not a valid floating point value"}));
    QCOMPARE(splitLines(editorText(bad)), faulty);
    QVERIFY(!bad.runCommands()->runUnderWay());
  }

  void repeatedMessageShownOnce() {
    // A formula on an undeclared variable, met in each of the 242 passes of the timing loop.
    const Lines undeclared = {u"ГИПОТЕЗЫ:", u"x {y}",   u"ПАРАМЕТРЫ:", u"ПЕРЕМЕННЫЕ:",
                              u"X 5",       u"NAME П1", u"IF =X>1",    u"THEN x y [0,5], =Y+1",
                              u"END"};
    MainWindow& window = open(undeclared);
    for (int run = 0; run < 2; ++run) {
      dialogs_.shown.clear();
      pressF9(window);
      QTest::keyClick(sectionChoice(window)->sectionList(), Qt::Key_Return);
      QCOMPARE(dialogs_.shown, QStringList({"Переменная Y не объявлена!"}));
      QCOMPARE(window.runCommands()->repeatedMessages()->text(),
               QString("Сообщение «Переменная Y не объявлена!» выдано 242 раза за прогон"));
      QVERIFY(window.runCommands()->repeatedMessages()->isVisible());
    }
    // Outside a run every message is shown: deleting the path, then twice deleting none.
    for (int i = 0; i < 3; ++i) {
      trigger(window, {"&Настройки", "Путь исполнения правил", "Удаление текущего пути"});
    }
    QCOMPARE(dialogs_.shown.size(), 3);
  }

  void inputDuringTheTimingLoopIsDropped() {
    MainWindow& window = open(exampleLines());
    // Counts the keys that reach a control.
    struct KeyCounter : QObject {
      int keys = 0;
      bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) ++keys;
        return false;
      }
    } editorKeys, gaugeKeys;
    window.editor()->text()->installEventFilter(&editorKeys);
    window.timingWindow()->installEventFilter(&gaugeKeys);
    // While the gauge is shown the user presses F6 and F1, types and presses Enter.
    QTimer typist;
    int pressed = 0;
    connect(&typist, &QTimer::timeout, [&] {
      if (!window.timingWindow()->isVisible() || pressed > 0) return;
      pressed = 1;
      QTest::keyClick(window.editor()->text(), Qt::Key_F6);
      QApplication::setActiveWindow(&window);                // as the window manager may make it
      QTest::keyClick(window.editor()->text(), Qt::Key_F1);  // "Справка" stays on during runs
      QTest::keyClick(window.editor()->text(), Qt::Key_A);
      QTest::keyClick(window.editor()->text(), Qt::Key_Return);
      QTest::keyClick(window.timingWindow(), Qt::Key_Space);
    });
    typist.start(0);
    pressF9(window);
    ModalScript script;
    escapeAll(script, 5);
    QTest::keyClick(sectionChoice(window)->sectionList(), Qt::Key_Return);
    typist.stop();
    QVERIFY(script.done());
    QCOMPARE(pressed, 1);
    QCOMPARE(editorKeys.keys, 0);
    QCOMPARE(gaugeKeys.keys, 1);  // the gauge window's own input is not dropped
    QCOMPARE(splitLines(editorText(window)), exampleLines());
    QCOMPARE(dialogs_.shown, QStringList());  // no diagnostics after the run either
    QVERIFY(!window.helpWindow()->isVisible());
    // After the run the results window has the keys; input reaches the windows again.
    QTRY_COMPARE(QApplication::activeWindow(), window.resultsWindow());
    QTest::keyClick(window.editor()->text(), Qt::Key_A);
    QCOMPARE(editorKeys.keys, 1);
  }

  void explanationAndSavedAnswers() {
    const Lines pines = {u"ГИПОТЕЗЫ:",
                         u"дерево {сосна, ёлка}",
                         u"ПАРАМЕТРЫ:",
                         u"хвоя {длинная, короткая}",
                         u"шишки {есть, нет}",
                         u"NAME R1",
                         u"IF хвоя длинная",
                         u"THEN дерево сосна [0,6]",
                         u"END",
                         u"NAME R2",
                         u"IF шишки есть",
                         u"THEN дерево сосна [0,5]",
                         u"END"};
    MainWindow& window = open(pines, "pines.vks");
    const QString nothing = "Нет ответов для сохранения: прогон не выполнялся";
    trigger(window, {"&Результаты", "Сохранить ответы"});
    QCOMPARE(dialogs_.shown, QStringList({nothing}));
    QCOMPARE(dialogs_.fileDialogs, 0);

    // хвоя at 0,9 and шишки at 1: R1 concludes 0,54, R2 0,5, combined into 0,77.
    pressF9(window);
    ModalScript script;
    script.expect("TForm10", [](QWidget* w) { answerQuestion(w, {"длинная"}, 18, "Button2"); });
    script.expect("TForm10", [](QWidget* w) { answerQuestion(w, {"есть"}, 20, "Button2"); });
    QTest::keyClick(sectionChoice(window)->sectionList(), Qt::Key_Return);
    QVERIFY(script.done());
    ResultsWindow* results = window.resultsWindow();
    QCOMPARE(shownRows(results), QStringList({"дерево|сосна|0,77"}));

    // A double-click on the row explains it, with the arithmetic of the combination.
    QTreeWidget* list = results->list();
    const QPoint row = list->visualItemRect(list->topLevelItem(0)).center();
    // A double-click as the mouse makes it: a click, then the second press.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
    ExplanationWindow* explanation = results->explanationWindow();
    QVERIFY(explanation->isVisible());
    QCOMPARE(explanation->objectName(), QString("ExplanationWindow"));
    QCOMPARE(explanation->windowTitle(), QString("Объяснение: дерево сосна"));
    QVERIFY(explanation->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(explanation->text()->isReadOnly());
    const QString text = explanation->text()->toPlainText();
    QVERIFY2(text.contains("R1: уверенность условия 0,9 × коэффициент 0,6 = 0,54") &&
                 text.contains("R2: уверенность условия 1 × коэффициент 0,5 = 0,5") &&
                 text.contains("0,54 + 0,5 - 0,54 × 0,5 = 0,77"),
             qPrintable(text));
    QTest::keyClick(explanation->text(), Qt::Key_Escape);
    QVERIFY(!explanation->isVisible());
    // The row's context menu has "Как получено".
    emit list->customContextMenuRequested(row);
    auto* menu = results->findChild<QMenu*>("explanationMenu");
    QVERIFY(menu->isVisible());
    QCOMPARE(menu->actions().first()->text(), QString("Как получено"));
    menu->actions().first()->trigger();
    menu->hide();
    QVERIFY(explanation->isVisible());
    QCOMPARE(explanation->text()->toPlainText(), text);

    // The answers saved under a name without extension get ".answers"; veksa-cli replays them
    // to the same result.
    dialogs_.fileNames << dir_.filePath("pines");
    trigger(window, {"&Результаты", "Сохранить ответы"});
    const QString answers = dir_.filePath("pines.answers");
    QVERIFY(QFileInfo::exists(answers));
    QProcess cli;
    cli.start(VEKSA_CLI_PATH, {"run", dir_.filePath("pines.vks"), "--answers", answers});
    QVERIFY(cli.waitForFinished(60000));
    const QString out = QString::fromUtf8(cli.readAllStandardOutput());
    QCOMPARE(cli.exitCode(), 0);
    QVERIFY2(out.contains("[results]\nдерево\tсосна\t0,77\n"), qPrintable(out));
    // A file that cannot be written: an error naming it.
    dialogs_.fileNames << dir_.filePath("gone/x.answers");
    trigger(window, {"&Результаты", "Сохранить ответы"});
    QVERIFY2(
        dialogs_.shown.last().startsWith("error: ") && dialogs_.shown.last().contains("x.answers"),
        qPrintable(dialogs_.shown.last()));
    // After the reset there is no run to save, and the explanation says so.
    trigger(window, {"&Запуск", "Сброс"});
    QVERIFY(explanation->text()->toPlainText().contains("Прогон не выполнялся"));
    trigger(window, {"&Результаты", "Сохранить ответы"});
    QCOMPARE(dialogs_.shown.last(), nothing);
  }
};

QTEST_MAIN(RunCommandsTest)
#include "run_commands_test.moc"
