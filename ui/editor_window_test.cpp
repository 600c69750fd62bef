// The editor window: keyword insertion through the clipboard, the END button's rule check, the
// text kept in step with the workspace, closing, the highlighting and the line numbers.
#include <QClipboard>
#include <QFontInfo>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include "ui/code_editor.h"
#include "ui/kb_highlighter.h"
#include "ui/qt_text.h"
#include "ui/run_test_support.h"
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

  // The format the highlighting gives the character at `pos` of line `line`; its colour and its
  // background (none: no brush).
  static QTextCharFormat formatAt(QPlainTextEdit* text, int line, int pos) {
    const QTextBlock block = text->document()->findBlockByNumber(line);
    for (const QTextLayout::FormatRange& r : block.layout()->formats()) {
      if (pos >= r.start && pos < r.start + r.length) return r.format;
    }
    return {};
  }
  static QBrush colourAt(QPlainTextEdit* text, int line, int pos) {
    return formatAt(text, line, pos).foreground();
  }
  static QBrush backgroundAt(QPlainTextEdit* text, int line, int pos) {
    return formatAt(text, line, pos).background();
  }

  static QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
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

  void highlightingIsFormatsOnly() {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    auto window = openWindow(dialogs, dir, exampleLines());
    QPlainTextEdit* text = window->editor()->text();
    KbHighlighter* highlighter = window->editor()->highlighter();
    highlighter->rehighlight();
    const QBrush keyword = highlighter->formatOf(WordKind::Keyword).foreground();
    // "NAME Правило1": the keyword coloured, the name not; "THEN дерево берёза [0,9], =X+5":
    // the factor and the formula in their colours.
    QCOMPARE(colourAt(text, 13, 0), keyword);
    QCOMPARE(colourAt(text, 13, 5).style(), Qt::NoBrush);
    QCOMPARE(colourAt(text, 16, 19), highlighter->formatOf(WordKind::Certainty).foreground());
    QCOMPARE(colourAt(text, 16, 26), highlighter->formatOf(WordKind::Formula).foreground());
    QCOMPARE(colourAt(text, 0, 0), highlighter->formatOf(WordKind::Header).foreground());
    // A keyword is coloured as it is typed.
    text->moveCursor(QTextCursor::End);
    QTest::keyClick(text, Qt::Key_Return);
    typeText(text, "OR x");
    QCOMPARE(colourAt(text, text->document()->blockCount() - 1, 0), keyword);
    // The editor's Tab makes "IF" part of one word, no keyword; the tab and the trailing space
    // show on a faint background, and a keyword keeps its colour under a trailing blank.
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClick(text, Qt::Key_Tab);
    typeText(text, "IF x");
    QTest::keyClick(text, Qt::Key_Return);
    typeText(text, "END ");
    const int last = text->document()->blockCount() - 1;
    QCOMPARE(colourAt(text, last - 1, 1).style(), Qt::NoBrush);
    const QBrush faint = highlighter->formatOf(WordKind::Blank).background();
    QCOMPARE(backgroundAt(text, last - 1, 0), faint);
    QCOMPARE(backgroundAt(text, last - 1, 2).style(), Qt::NoBrush);
    QCOMPARE(backgroundAt(text, last, 3), faint);
    QCOMPARE(colourAt(text, last, 0), keyword);
    while (text->document()->isUndoAvailable()) text->undo();
    QCOMPARE(splitLines(editorText(*window)), exampleLines());

    // Saved with and without the highlighting: the same lines and the same bytes, which are the
    // bytes of the lines saved directly.
    const QString path = dir.filePath("kb.vks");
    trigger(*window, {"&Файл", "Сохранить"});
    const QByteArray highlighted = fileBytes(path);
    QCOMPARE(window->workspace().lines, exampleLines());
    highlighter->setDocument(nullptr);
    QVERIFY(text->document()->findBlockByNumber(13).layout()->formats().isEmpty());
    trigger(*window, {"&Файл", "Сохранить"});
    QCOMPARE(window->workspace().lines, exampleLines());
    QCOMPARE(fileBytes(path), highlighted);
    writeFile(dir.filePath("direct.vks"), exampleLines());
    QCOMPARE(fileBytes(dir.filePath("direct.vks")), highlighted);
  }

  void lineNumbersFollowTheText() {
    Workspace ws;
    ScriptedDialogs dialogs;
    EditorWindow editor(ws, dialogs);
    editor.resize(900, 600);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    CodeEditor* text = editor.codeEditor();
    auto numbered = [](int count) {
      QStringList lines;
      for (int i = 0; i < count; ++i) lines << QString("строка %1").arg(i);
      return lines.join('\n');
    };
    // Each number stands level with its line, and the margin is as wide as the widest number.
    auto check = [&] {
      const QList<CodeEditor::ShownNumber> shown = text->shownNumbers();
      QVERIFY(!shown.isEmpty());
      for (const CodeEditor::ShownNumber& n : shown) {
        const QTextBlock block = text->document()->findBlockByNumber(n.number - 1);
        QCOMPARE(n.top, text->cursorRect(QTextCursor(block)).top());
      }
      QCOMPARE(shown.first().number, text->cursorForPosition(QPoint(0, 0)).blockNumber() + 1);
      QCOMPARE(text->lineNumberArea()->width(), text->lineNumberAreaWidth());
      QCOMPARE(text->lineNumberArea()->geometry().right() + 1, text->viewport()->geometry().left());
    };
    text->setPlainText(numbered(9));
    check();
    QCOMPARE(text->shownNumbers().size(), 9);
    const int narrow = text->lineNumberAreaWidth();
    text->setPlainText(numbered(1200));
    check();
    QVERIFY(text->lineNumberAreaWidth() > narrow);
    // Scrolled, and a line inserted above the view: the numbers follow.
    text->verticalScrollBar()->setValue(1000);
    check();
    QCOMPARE(text->shownNumbers().first().number, 1001);
    QTextCursor(text->document()).insertText("новая\n");
    check();
    // The margin draws them: its first row is not of one colour.
    const QImage margin = text->lineNumberArea()->grab().toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < text->fontMetrics().height(); ++y) {
      for (int x = 0; x < margin.width(); ++x) colours.insert(margin.pixel(x, y));
    }
    QVERIFY(colours.size() > 1);
  }
};

QTEST_MAIN(EditorWindowTest)
#include "editor_window_test.moc"
