// The editor window: keyword insertion through the clipboard, the END button's rule check, the
// text kept in step with the workspace, and closing.
#include <QClipboard>
#include <QFontInfo>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSplitter>
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include "ui/qt_text.h"
#include "ui/scripted_dialogs.h"
#include "ui/window_test_support.h"

using namespace veksa;

class EditorWindowTest : public QObject {
  Q_OBJECT

 private:
  // Puts `text` into the editor and the caret at the start of line `line` (0-based).
  static void place(EditorWindow& editor, const QString& text, int line) {
    editor.text()->setPlainText(text);
    QTextCursor cursor(editor.text()->document()->findBlockByNumber(line));
    editor.text()->setTextCursor(cursor);
  }

 private slots:
  void layoutAndHints() {
    Workspace ws;
    ScriptedDialogs dialogs;
    EditorWindow editor(ws, dialogs);
    editor.resize(900, 600);
    editor.show();
    QCOMPARE(editor.objectName(), QString("TForm4"));
    QCOMPARE(ws.ProjectState, kProjectOpen);
    QCOMPARE(editor.windowTitle(), QString("new.vks"));
    QCOMPARE(editor.text()->objectName(), QString("RichEdit1"));
    QCOMPARE(editor.text()->statusTip(), QString("База знаний"));
    QCOMPARE(editor.text()->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(editor.text()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(editor.text()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(QFontInfo(editor.text()->font()).fixedPitch());
    QVERIFY(QFontMetrics(editor.text()->font()).inFontUcs4(U'Ж'));
    QCOMPARE(editor.tree()->objectName(), QString("TreeView1"));
    QCOMPARE(editor.tree()->statusTip(), QString("Иерархическая структура правил"));
    QCOMPARE(editor.findChild<QSplitter*>()->sizes().first(), 201);
    QCOMPARE(editor.keywordBar()->statusTip(), QString("Панель для вставки ключевых слов"));
    QVERIFY(editor.findChild<QLineEdit*>("Edit4")->isHidden());
    QCOMPARE(splitLines(editor.plainText()), newKnowledgeBase());
  }

  void keywordButtonsInsertThroughTheClipboard() {
    Workspace ws;
    ScriptedDialogs dialogs;
    EditorWindow editor(ws, dialogs);
    QStringList names, captions;
    for (auto* button : editor.keywordBar()->findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly)) {
      if (!button->objectName().startsWith("Button")) continue;
      names << button->objectName();
      captions << button->text();
    }
    QCOMPARE(names.join(' '), QString("Button13 Button12 Button11 Button10 Button9 Button8 Button7 "
                                      "Button6 Button5 Button4 Button3 Button2 Button1 Button25 "
                                      "Button23 Button24 Button14 Button17 Button22 Button26 "
                                      "Button16 Button21 Button20 Button18 Button19"));
    QCOMPARE(captions.join(' '), QString("NAME END IF THEN ELSE CASE AND OR NOT ( ) [0,0] ~X ^ * / "
                                         "+ - <> := = <= >= < >"));

    place(editor, "a\nb", 1);
    for (const char* name : {"Button11", "Button2", "Button26", "Button21"}) {
      editor.findChild<QToolButton*>(name)->click();
    }
    QCOMPARE(editor.plainText(), QString("a\nIF [0,0] := <= b"));
    QCOMPARE(QApplication::clipboard()->text(), QString("<= "));
    // A selection is replaced by the inserted text.
    QTextCursor cursor = editor.text()->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(1, QTextCursor::KeepAnchor);
    editor.text()->setTextCursor(cursor);
    editor.findChild<QToolButton*>("Button1")->click();
    QCOMPARE(editor.plainText(), QString("~X \nIF [0,0] := <= b"));
    QCOMPARE(QApplication::clipboard()->text(), QString("~X "));
  }

  void endButtonChecksTheRuleAbove() {
    Workspace ws;
    ScriptedDialogs dialogs;
    EditorWindow editor(ws, dialogs);
    auto* end = editor.findChild<QToolButton*>("Button12");
    const QString rule = "ПАРАМЕТРЫ:\nNAME R\nIF a b\nTHEN c d [0,9]\n";

    place(editor, rule + "ELSE c e [-0,9]\n", 5);
    end->click();
    QCOMPARE(editor.plainText(), rule + "ELSE c e [-0,9]\nEND ");
    QCOMPARE(dialogs.shown, QStringList());

    // Pressed at the end of the ELSE line: that line is not examined.
    place(editor, rule + "ELSE c e [-0,9]", 4);
    editor.text()->moveCursor(QTextCursor::End);
    end->click();
    QCOMPARE(dialogs.shown, QStringList({"Проверьте количество IF и ELSE"}));

    dialogs.shown.clear();
    place(editor, rule + "AND IF x y\n\n", 6);
    end->click();
    QCOMPARE(dialogs.shown,
             QStringList({"Проверьте количество IF и THEN", "Проверьте количество IF и ELSE"}));

    dialogs.shown.clear();
    place(editor, "ПАРАМЕТРЫ:\nIF a b\nTHEN c d\nELSE c e\n", 4);
    end->click();
    QCOMPARE(dialogs.shown, QStringList({"Отсутствует начало правила"}));
  }

  void textKeptInStepWithTheWorkspace() {
    Workspace ws;
    ScriptedDialogs dialogs;
    EditorWindow editor(ws, dialogs);
    editor.text()->setPlainText("ГИПОТЕЗЫ:\nдерево {ель}\nПАРАМЕТРЫ:");
    editor.pullLines();
    QCOMPARE(ws.lines, (Lines{u"ГИПОТЕЗЫ:", u"дерево {ель}", u"ПАРАМЕТРЫ:"}));

    // A changed line goes back as one undoable edit; the caret after it moves with the text.
    editor.text()->setTextCursor(QTextCursor(editor.text()->document()->findBlockByNumber(2)));
    ws.lines[1] = u"дерево {ель, сосна}";
    editor.pushLines();
    QCOMPARE(editor.plainText(), QString("ГИПОТЕЗЫ:\nдерево {ель, сосна}\nПАРАМЕТРЫ:"));
    QCOMPARE(editor.text()->textCursor().position(), 30);
    ws.lines.push_back(u"\U0001F333");
    editor.pushLines();
    ws.lines.back() = u"\U0001F332";  // differs only in the low half of a surrogate pair
    editor.pushLines();
    QCOMPARE(splitLines(editor.plainText()), ws.lines);
    for (int i = 0; i < 3; ++i) editor.text()->undo();
    QCOMPARE(editor.plainText(), QString("ГИПОТЕЗЫ:\nдерево {ель}\nПАРАМЕТРЫ:"));

    // No lines are the empty text, and the empty text has no lines.
    ws.lines.clear();
    editor.pushLines();
    QCOMPARE(editor.plainText(), QString());
    editor.pullLines();
    QVERIFY(ws.lines.empty());

    // Only the user's edits, not the workspace's, end the protection of a closed text.
    ws.emptiedByClose = true;
    ws.lines = {u"x"};
    editor.pushLines();
    editor.loadLines();
    QVERIFY(ws.emptiedByClose);
    editor.text()->insertPlainText("y");
    QVERIFY(!ws.emptiedByClose);
  }

  void closingHidesTheWindow() {
    Workspace ws;
    ScriptedDialogs dialogs;
    EditorWindow editor(ws, dialogs);
    editor.show();
    QSignalSpy closed(&editor, &EditorWindow::closed);
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    QTest::keyClick(editor.text(), Qt::Key_F4, Qt::ControlModifier);
    QVERIFY(editor.isHidden());
    QVERIFY(editor.isClosed());
    QCOMPARE(ws.ProjectState, kProjectNone);
    QCOMPARE(closed.count(), 1);
    QCOMPARE(splitLines(editor.plainText()), newKnowledgeBase());
    editor.reopen();
    QVERIFY(editor.isVisible());
    QCOMPARE(ws.ProjectState, kProjectOpen);
  }
};

QTEST_MAIN(EditorWindowTest)
#include "editor_window_test.moc"
