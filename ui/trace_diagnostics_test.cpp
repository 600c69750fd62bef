// The question dialog's controls and keys, tracing a rule line by line with the editor's
// selection, and F9 through the diagnostics: faults shown in the report window, a clean text
// announced and run, and a report line leading to its line in the editor.
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

#include "kb/locate.h"
#include "ui/qt_text.h"
#include "ui/report_window.h"
#include "ui/result_windows.h"
#include "ui/rule_choice_dialog.h"
#include "ui/run_test_support.h"
#include "ui/scripted_dialogs.h"
#include "ui/trace_window.h"

using namespace veksa;

class TraceDiagnosticsTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  ScriptedDialogs dialogs_;
  std::unique_ptr<MainWindow> window_;

  MainWindow& open(const Lines& lines) {
    window_ = openWindow(dialogs_, dir_, lines);
    return *window_;
  }

 private slots:
  void questionDialog() {
    MainWindow& window = open(exampleLines());
    QuestionDialog* dialog = window.runCommands()->questionDialog();
    QSlider* track = dialog->trackBar();

    // Each question starts unticked at 0 with the focus on the bar; the certainty follows every
    // step and stays at the ends.
    const Question question{u"оперение", {u"листья", u"иголки"}};
    QStringList seen;
    ModalScript script;
    script.expect("TForm10", [&](QWidget*) {
      seen << dialog->nameEdit()->text() + " " + dialog->certaintyEdit()->text();
      for (int i = 0; i < 22; ++i) QTest::keyClick(track, Qt::Key_Left);
      seen << dialog->certaintyEdit()->text();
      QTest::keyClick(track, Qt::Key_Right);
      seen << dialog->certaintyEdit()->text();
      track->setValue(17);
      seen << dialog->certaintyEdit()->text();
      answerQuestion(dialog, {"иголки"}, 0, "Enter");
    });
    script.expect("TForm10", [&](QWidget*) {
      seen << QString::number(track->value()) + " " + dialog->certaintyEdit()->text() + " " +
                  QString::number(dialog->valueList()->item(1)->checkState());
      QTest::keyClick(dialog->yesButton(), Qt::Key_Return);  // Enter on a button is still "да"
    });
    script.expect("TForm10", [&](QWidget*) { QTest::keyClick(track, Qt::Key_Escape); });
    script.expect("TForm10", [&](QWidget* w) { w->close(); });
    script.expect("TForm10", [&](QWidget*) { answerQuestion(dialog, {}, 3, "Button1"); });
    Answer first = dialog->ask(question);
    QCOMPARE(seen, QStringList({"оперение 0", "-1", "-0,95", "0,85"}));
    QCOMPARE(first.button, AnswerButton::Yes);
    QCOMPARE(first.position, 17);
    QCOMPARE(first.ticked, (std::vector<bool>{false, true}));
    QCOMPARE(dialog->ask(question).button, AnswerButton::Yes);
    QCOMPARE(seen.last(), QString("0 0 0"));
    QCOMPARE(dialog->ask(question).button, AnswerButton::Escape);
    QCOMPARE(dialog->ask(question).button, AnswerButton::Escape);
    Answer all = dialog->ask(question);
    QCOMPARE(all.button, AnswerButton::All);
    QCOMPARE(all.position, 3);
    QCOMPARE(script.unexpected, QStringList());
  }

  void traceOfOneRule() {
    MainWindow& window = open(exampleLines());
    Workspace& ws = window.workspace();
    trigger(window, {"&Настройки", "Диагностика", "Отключить"});
    pressKey(window, Qt::Key_F8);
    RuleChoiceDialog* choice = window.runCommands()->ruleChoiceDialog();
    QVERIFY(choice->isVisible());
    QComboBox* box = choice->ruleBox();
    QStringList names;
    for (int i = 0; i < box->count(); ++i) names << box->itemText(i);
    QCOMPARE(names,
             QStringList({"Правило1", "Правило2", "Правило3", "Правило4", "Правило5", "Правило6"}));
    // The first rule is chosen, and Down moves on to the second.
    QCOMPARE(box->currentText(), QString("Правило1"));
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(box->currentText(), QString("Правило2"));
    QTest::mouseDClick(box->lineEdit(), Qt::LeftButton);
    QCOMPARE(box->width(), choice->width() - 8);
    QTest::keyClick(box, Qt::Key_Escape);
    QVERIFY(!choice->isVisible());
    QVERIFY(!ws.TraceMode);

    // Правило3 traced: its two questions, then one step per executed line, the editor selecting
    // the line the trace window shows; Esc does not go on.
    pressKey(window, Qt::Key_F8);
    box->setEditText("Правило3");
    ModalScript script;
    script.expect("TForm10", [](QWidget* w) { answerQuestion(w, {"иголки"}, 20, "Button2"); });
    script.expect("TForm10", [](QWidget* w) { answerQuestion(w, {"короткая"}, 10, "Button2"); });
    QStringList steps;
    for (int i = 0; i < 3; ++i) {
      script.expect("TForm15", [&](QWidget* w) {
        auto* trace = static_cast<TraceWindow*>(w);
        QCOMPARE(window.editor()->text()->textCursor().selectedText(), trace->lineEdit()->text());
        steps << trace->lineEdit()->text();
        QTest::keyClick(trace, Qt::Key_Escape);
        QVERIFY(trace->isVisible());
        QTest::keyClick(trace, Qt::Key_Return);
      });
    }
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QVERIFY(script.done());
    QCOMPARE(script.unexpected, QStringList());
    QCOMPARE(steps, QStringList(
                        {"IF оперение иголки", "THEN IF хвоя короткая", "THEN дерево ёлка [0,6]"}));
    QCOMPARE(window.resultsWindow()->windowTitle(), QString("Результат трассировки"));
    QCOMPARE(toQString(ws.results.row(0)[2]), QString("0,3"));
    QVERIFY(!ws.TraceMode);
    QCOMPARE(splitLines(editorText(window)), exampleLines());

    // The list is read afresh with the last choice kept; a name no rule has runs nothing and
    // the next F9 is an ordinary run again.
    pressKey(window, Qt::Key_F8);
    QVERIFY(choice->isVisible());
    QCOMPARE(box->currentText(), QString("Правило3"));
    QCOMPARE(box->count(), 6);
    box->setEditText("Нет");
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QVERIFY(ws.protocol.empty());
    QVERIFY(!ws.TraceMode);
    pressKey(window, Qt::Key_F9);
    QVERIFY(sectionChoice(window));
  }

  void diagnosticsBeforeTheRun() {
    // Faults: the report window lists them, no run, and a trace asked for stays no trace.
    const Lines faulty = {u"ГИПОТЕЗЫ:", u"x {y}", u"ПАРАМЕТРЫ:", u"p {a}"};
    MainWindow& window = open(faulty);
    Workspace& ws = window.workspace();
    ReportWindow* report = window.runCommands()->reportWindow();
    pressKey(window, Qt::Key_F8);
    QTest::keyClick(window.runCommands()->ruleChoiceDialog()->ruleBox(), Qt::Key_Return);
    QVERIFY(report->isVisible());
    QCOMPARE(splitLines(report->memo()->toPlainText()), ws.report);
    QCOMPARE(ws.report.back(), Line(u"Отсутствует начало раздела правил"));
    QVERIFY(!sectionChoice(window));
    QVERIFY(!ws.TraceMode);
    QTest::keyClick(report->memo(), Qt::Key_Return);
    QVERIFY(!report->isVisible());
    pressKey(window, Qt::Key_F6);
    QVERIFY(report->isVisible());
    QTest::keyClick(report->memo(), Qt::Key_Escape);
    QVERIFY(!report->isVisible());

    // A clean text after repairs: the repairs in the editor as one undoable edit, the success
    // message, then the run on the saved, repaired text.
    MainWindow& clean = open(exampleLines());
    const QString original = editorText(clean);
    trigger(clean, {"&Настройки", "Диагностика", "Отключить"});
    trigger(clean, {"&Настройки", "Диагностика", "Подключить"});
    pressKey(clean, Qt::Key_F9);
    QCOMPARE(dialogs_.shown, QStringList({"Тест на наличие ошибок пройден успешно"}));
    QVERIFY(sectionChoice(clean));
    QVERIFY(!clean.runCommands()->reportWindow()->isVisible());
    QTest::keyClick(sectionChoice(clean), Qt::Key_Escape);
    const QString repaired = editorText(clean);
    QVERIFY(repaired != original);
    Lines saved;
    std::string error;
    QVERIFY(loadKnowledgeBase(dir_.filePath("kb.vks").toStdString(), saved, error));
    QCOMPARE(splitLines(repaired), saved);
    clean.editor()->text()->undo();
    QCOMPARE(editorText(clean), original);
  }

  void reportLineLeadsToTheEditor() {
    // Two rules named R1; the second's conclusion names an undeclared class.
    Lines text = {u"ГИПОТЕЗЫ:", u"цветок {роза}", u"ПАРАМЕТРЫ:", u"шипы {есть, нет}"};
    for (auto l : {u"NAME R1", u"IF шипы есть", u"THEN цветок роза [0,9]", u"END", u"NAME R1",
                   u"IF шипы нет", u"THEN куст роза [0,5]", u"END"}) {
      text.emplace_back(l);
    }
    MainWindow& window = open(text);
    ReportWindow* report = window.runCommands()->reportWindow();
    QPlainTextEdit* memo = report->memo();
    QPlainTextEdit* editor = window.editor()->text();
    pressKey(window, Qt::Key_F6);
    QVERIFY(report->isVisible());
    auto doubleClick = [&](const QString& line, int nth = 0) {
      for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next()) {
        if (b.text() != line || nth-- > 0) continue;
        QTest::mouseDClick(memo->viewport(), Qt::LeftButton, {},
                           memo->cursorRect(QTextCursor(b)).center());
        return;
      }
      QFAIL(qPrintable("no report line " + line));
    };
    auto selected = [&] {
      return QString("%1: %2")
          .arg(editor->textCursor().blockNumber())
          .arg(editor->textCursor().selectedText());
    };
    doubleClick("Правило  R1", 1);
    QCOMPARE(selected(), QString("8: NAME R1"));
    doubleClick("Правило  R1");
    QCOMPARE(selected(), QString("4: NAME R1"));
    doubleClick("Гипотеза куст необъявлена");
    QCOMPARE(selected(), QString("8: NAME R1"));
    doubleClick("Раздел  ПАРАМЕТРЫ:");
    QCOMPARE(selected(), QString("2: ПАРАМЕТРЫ:"));
    // A head line selects nothing new.
    doubleClick("необходимо исправить следующие ошибки:");
    QCOMPARE(selected(), QString("2: ПАРАМЕТРЫ:"));
    QVERIFY(report->isVisible());
  }
};

QTEST_MAIN(TraceDiagnosticsTest)
#include "trace_diagnostics_test.moc"
