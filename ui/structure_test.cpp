// Sections, the merge of files into a project and the hierarchy tree, as the user works them.
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

#include "ui/merge_dialog.h"
#include "ui/qt_text.h"
#include "ui/rule_choice_dialog.h"
#include "ui/run_commands.h"
#include "ui/scripted_dialogs.h"
#include "ui/section_names_dialog.h"
#include "ui/window_test_support.h"

using namespace veksa;

namespace {

QStringList texts(QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

void tick(QListWidget* list, int row) { list->item(row)->setCheckState(Qt::Checked); }

// The tree as "text(child, child)".
QString outline(QTreeWidgetItem* item) {
  QString out = item->text(0);
  if (item->childCount() == 0) return out;
  QStringList children;
  for (int i = 0; i < item->childCount(); ++i) children << outline(item->child(i));
  return out + "(" + children.join(", ") + ")";
}

void clickItem(QTreeWidget* tree, QTreeWidgetItem* item) {
  tree->scrollToItem(item);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

QTreeWidgetItem* findNode(QTreeWidget* tree, const QString& text) {
  const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
  return found.isEmpty() ? nullptr : found.first();
}

const Lines kSections = {u"ГИПОТЕЗЫ:", u"ПАРАМЕТРЫ:", u"ПЕРЕМЕННЫЕ:", u"РАЗДЕЛ ДЕРЕВЬЯ",
                         u"NAME Правило1", u"IF a b", u"END", u"NAME Правило2", u"THEN c d [1]",
                         u"END", u"КОНЕЦ РАЗДЕЛА ДЕРЕВЬЯ", u"", u"РАЗДЕЛ ЦВЕТЫ", u"NAME Правило4",
                         u"END", u"КОНЕЦ РАЗДЕЛА ЦВЕТЫ"};

}  // namespace

class StructureTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  QString file(const QString& name) { return dir_.filePath(name); }

 private slots:
  void initTestCase() { QVERIFY(QDir::setCurrent(dir_.path())); }

  void sectionNamesAndFrames() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    trigger(window, {"&Файл", "Новый проект"});
    SectionNamesDialog* names = window.editor()->sectionNames();
    QVERIFY(names->isVisible());
    QLineEdit* field = names->nameField();
    for (const char* name : {"тест", "лишний", "два слова"}) {
      field->setText(QString::fromUtf8(name));
      QTest::keyClick(field, Qt::Key_Insert);
    }
    field->setText("лишний");
    QTest::keyClick(field, Qt::Key_Delete);
    // Esc hides and keeps the list for the next time.
    QTest::keyClick(field, Qt::Key_Escape);
    QVERIFY(!names->isVisible());
    trigger(window, {"&Проект", "Добавление разделов"});
    QCOMPARE(names->windowTitle(), QString("Добавление раздела:"));
    field->setText("ещё");
    QTest::keyClick(field, Qt::Key_Return);
    names->closeButton()->click();
    QVERIFY(!names->isVisible());
    QCOMPARE(editorText(window),
             QString("ГИПОТЕЗЫ:\n\nПАРАМЕТРЫ:\n\nПЕРЕМЕННЫЕ:\n\nРАЗДЕЛ тест\nКОНЕЦ РАЗДЕЛА тест\n\n"
                     "РАЗДЕЛ два слова\nКОНЕЦ РАЗДЕЛА два слова\n\nРАЗДЕЛ ещё\nКОНЕЦ РАЗДЕЛА ещё\n"));
    QVERIFY(names->nameList()->count() == 0 && field->text().isEmpty());
    trigger(window, {"&Файл", "Новый проект"});
    QCOMPARE(names->windowTitle(), QString("Добавление раздела:"));
  }

  void mergeOfThreeFiles() {
    writeFile(file("data.vks"), {u"ГИПОТЕЗЫ:", u"дерево {ель}", u"NAME R0", u"END"});
    writeFile(file("rules.vks"), {u"ГИПОТЕЗЫ:", u"РАЗДЕЛ A", u"NAME R1", u"END", u"КОНЕЦ РАЗДЕЛА A"});
    writeFile(file("norules.vks"), {u"ГИПОТЕЗЫ:", u"ПАРАМЕТРЫ:"});
    writeFile(file(".hidden.vks"), {u"NAME H"});
    writeFile(file("notes.txt"), {u"NAME T"});
    QVERIFY(QDir(dir_.path()).mkdir("folder.vks"));

    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    trigger(window, {"&Файл", "Объединение файлов в проект"});
    QPointer<MergeDialog> merge = window.mergeDialog();
    QCOMPARE(window.workspace().ProjectState, kProjectMergeOrTree);
    QCOMPARE(texts(merge->fileList()), QStringList({"data.vks", "norules.vks", "rules.vks"}));
    QCOMPARE(merge->dataFileField()->count(), 3);
    auto press = [&](const char* name) { merge->findChild<QPushButton*>(name)->click(); };
    tick(merge->fileList(), 2);
    tick(merge->fileList(), 1);
    press("addButton");
    press("addAllButton");
    tick(merge->projectFiles(), 3);
    tick(merge->projectFiles(), 4);
    press("removeButton");
    QCOMPARE(texts(merge->projectFiles()), QStringList({"norules.vks", "rules.vks", "data.vks"}));
    merge->projectNameField()->setText("мой проект");
    merge->dataFileField()->setEditText("data.vks");
    // The merge replaces the text: unsaved changes are asked about first, and "Отмена" keeps
    // them and the dialog with its choices.
    QTest::keyClicks(window.editor()->text(), "edit ");
    dialogs.choices << MainWindow::kCancelCommand;
    press("yesButton");
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY(dialogs.shown[0].startsWith("Несохранённые изменения: База знаний new.vks "));
    QVERIFY(merge && merge->isVisible());
    QVERIFY(editorText(window).startsWith("edit "));
    dialogs.shown.clear();
    dialogs.choices << MainWindow::kDiscardChanges;
    press("yesButton");
    QCOMPARE(dialogs.shown.size(), 1);
    dialogs.shown.clear();
    QVERIFY(!merge || !merge->isVisible());
    QCOMPARE(window.workspace().ProjectState, kProjectMergeClosed);
    const Lines merged = {u"ГИПОТЕЗЫ:", u"дерево {ель}", u"", u"", u"РАЗДЕЛ A", u"NAME R1",
                          u"END", u"КОНЕЦ РАЗДЕЛА A", u"", u"NAME R0", u"END"};
    QCOMPARE(splitLines(editorText(window)), merged);
    QCOMPARE(window.editor()->windowTitle(), QString("мой проект"));
    QCOMPARE(readFile(file("мой проект")), merged);

    // Every use starts afresh; a file that cannot be read is named and nothing changes.
    trigger(window, {"&Файл", "Объединение файлов в проект"});
    merge = window.mergeDialog();
    QCOMPARE(merge->projectFiles()->count(), 0);
    press("addAllButton");
    merge->projectNameField()->setText("другой.vks");
    merge->dataFileField()->setEditText("нет такого.vks");
    press("yesButton");
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY(dialogs.shown[0].startsWith("error: ") && dialogs.shown[0].contains("нет такого.vks"));
    QCOMPARE(splitLines(editorText(window)), merged);
    QCOMPARE(window.editor()->windowTitle(), QString("мой проект"));
    QVERIFY(!QFileInfo::exists(file("другой.vks")));
  }

  void treeOfAKnowledgeBase() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    QTreeWidget* tree = window.editor()->tree();
    QAction* button = window.findChild<QAction*>("SpeedButton2");
    setEditorText(window, joinLines(kSections));
    button->trigger();
    QCOMPARE(window.workspace().ProjectState, kProjectMergeOrTree);
    QCOMPARE(tree->topLevelItemCount(), 1);
    QCOMPARE(outline(tree->topLevelItem(0)),
             QString("БАЗА ЗНАНИЙ(ДЕРЕВЬЯ(NAME Правило1, NAME Правило2), ЦВЕТЫ(NAME Правило4))"));
    // A never-saved knowledge base is not narrowed.
    clickItem(tree, findNode(tree, "NAME Правило2"));
    QCOMPARE(splitLines(editorText(window)), kSections);

    setEditorText(window, "NAME R1\nEND\nx NAME R2 y");
    button->trigger();
    QCOMPARE(outline(tree->topLevelItem(0)), QString("БАЗА ЗНАНИЙ(NAME R1, NAME R2)"));
    // Close, a new project and open empty the tree.
    for (const char* command : {"Закрыть", "Новый проект", "Окрыть"}) {
      button->trigger();
      trigger(window, {"&Файл", QString::fromUtf8(command)});
      QCOMPARE(tree->topLevelItemCount(), 0);
    }
  }

  void narrowingRestoringAndSaving() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    const QString kb = file("narrow.vks");
    writeFile(kb, kSections);
    QVERIFY(window.openFile(kb));
    QTreeWidget* tree = window.editor()->tree();
    QPlainTextEdit* text = window.editor()->text();
    window.SpeedButton2Click();

    clickItem(tree, findNode(tree, "ДЕРЕВЬЯ"));
    QCOMPARE(splitLines(editorText(window)), Lines(kSections.begin() + 3, kSections.begin() + 11));
    // A click reads the file again: with unsaved changes to the part it asks first. "Отмена"
    // keeps them; "Не сохранять" lets them go, and the root shows the whole file.
    QTest::keyClicks(text, "lost ");
    dialogs.choices << MainWindow::kCancelCommand << MainWindow::kDiscardChanges;
    clickItem(tree, tree->topLevelItem(0));
    QVERIFY(editorText(window).startsWith("lost РАЗДЕЛ ДЕРЕВЬЯ"));
    clickItem(tree, tree->topLevelItem(0));
    QCOMPARE(splitLines(editorText(window)), kSections);
    QCOMPARE(dialogs.shown.size(), 2);
    QVERIFY(dialogs.shown[1].startsWith("Несохранённые изменения: База знаний narrow.vks "));
    dialogs.shown.clear();

    // Saving the part writes the whole file with the part replaced, however often.
    clickItem(tree, findNode(tree, "NAME Правило4"));
    text->moveCursor(QTextCursor::End);
    text->moveCursor(QTextCursor::StartOfLine);
    QTest::keyClicks(text, "IF e f");
    QTest::keyClick(text, Qt::Key_Return);
    QCOMPARE(editorText(window), QString("NAME Правило4\nIF e f\nEND"));
    Lines expected = kSections;
    expected.insert(expected.begin() + 14, u"IF e f");
    trigger(window, {"&Файл", "Сохранить"});
    QTest::keyClick(text, Qt::Key_F2);
    QCOMPARE(readFile(kb), expected);
    // Undo cannot take the text back past the narrowing, nor the reset back into the part: either
    // would let a save write a part as the whole file or the whole file into the part.
    text->undo();
    text->undo();
    text->undo();
    QCOMPARE(editorText(window), QString("NAME Правило4\nEND"));
    trigger(window, {"&Запуск", "Сброс"});
    QCOMPARE(splitLines(editorText(window)), expected);
    text->undo();
    trigger(window, {"&Файл", "Сохранить"});
    QCOMPARE(readFile(kb), expected);
    QVERIFY(dialogs.shown.isEmpty());
  }

  // Rules and sections whose names repeat narrow to their own parts; the diagnostics and the
  // rule choice of a trace work on the whole text, with the edits made to a narrowed part.
  void repeatedNamesAndTheWholeTextBeforeChecks() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    const QString kb = file("twice.vks");
    const Lines twice = {u"ГИПОТЕЗЫ:", u"ПАРАМЕТРЫ:", u"РАЗДЕЛ S", u"NAME R", u"IF a b", u"END",
                         u"КОНЕЦ РАЗДЕЛА S", u"РАЗДЕЛ S", u"NAME R", u"IF c d", u"END",
                         u"NAME Q", u"END", u"КОНЕЦ РАЗДЕЛА S"};
    writeFile(kb, twice);
    QVERIFY(window.openFile(kb));
    QTreeWidget* tree = window.editor()->tree();
    window.SpeedButton2Click();
    QCOMPARE(outline(tree->topLevelItem(0)), QString("БАЗА ЗНАНИЙ(S(NAME R), S(NAME R, NAME Q))"));
    QTreeWidgetItem* second = tree->topLevelItem(0)->child(1);
    clickItem(tree, second->child(0));
    QCOMPARE(editorText(window), QString("NAME R\nIF c d\nEND"));
    clickItem(tree, second);
    QCOMPARE(splitLines(editorText(window)), Lines(twice.begin() + 7, twice.end()));
    clickItem(tree, tree->topLevelItem(0)->child(0)->child(0));
    QCOMPARE(editorText(window), QString("NAME R\nIF a b\nEND"));

    // F6 on the narrowed, edited rule checks the whole text with the edit in it, unsaved.
    QPlainTextEdit* text = window.editor()->text();
    text->moveCursor(QTextCursor::End);
    QTest::keyClicks(text, " x");
    window.runCommands()->N49Click();
    Lines edited = twice;
    edited[5] = u"END x";
    QCOMPARE(splitLines(editorText(window)), edited);
    QVERIFY(!window.workspace().narrowing);
    QCOMPARE(window.editor()->windowTitle(), kb + "*");
    const QString report = joinLines(window.workspace().report);
    QVERIFY2(!report.contains("Отсутствует начало раздела гипотез"), qPrintable(report));
    QCOMPARE(readFile(kb), twice);
    // Without edits the whole text is the file's, and nothing is unsaved; the rule choice of a
    // trace offers every rule of it.
    dialogs.choices << MainWindow::kDiscardChanges;
    clickItem(tree, second->child(1));
    QCOMPARE(editorText(window), QString("NAME Q\nEND"));
    window.runCommands()->N44Click();
    QCOMPARE(splitLines(editorText(window)), twice);
    QCOMPARE(window.editor()->windowTitle(), kb);
    QCOMPARE(window.runCommands()->ruleChoiceDialog()->ruleBox()->count(), 3);
  }
};

QTEST_MAIN(StructureTest)
#include "structure_test.moc"
