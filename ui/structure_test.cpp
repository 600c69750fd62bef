// Sections, the merge of files into a project and the hierarchy tree, as the user works them.
#include <QComboBox>
#include <QDir>
#include <QLabel>
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
    auto* names = window.findChild<SectionNamesDialog*>("TForm2");
    QVERIFY(names && names->isVisible());
    QCOMPARE(names->windowTitle(), QString("Введите названия разделов"));
    QLineEdit* field = names->nameField();
    int n = 0;
    for (const char* name : {"тест", "тест", "", "два слова", "лишний", "опрос"}) {
      field->setText(QString::fromUtf8(name));
      QTest::keyClick(field, ++n % 2 ? Qt::Key_Insert : Qt::Key_Return);
    }
    // The repeated name stays in the field; the others were taken.
    QCOMPARE(texts(names->nameList()), QStringList({"тест", "два слова", "лишний", "опрос"}));
    field->setText("тест");
    QTest::keyClick(field, Qt::Key_Insert);
    QCOMPARE(field->text(), QString("тест"));
    field->setText("лишний");
    QTest::keyClick(field, Qt::Key_Delete);
    QCOMPARE(texts(names->nameList()), QStringList({"тест", "два слова", "опрос"}));

    // Esc hides and keeps the list; the section command shows it again with its own caption.
    QTest::keyClick(field, Qt::Key_Escape);
    QVERIFY(!names->isVisible());
    QCOMPARE(editorText(window).split('\n').size(), 6);
    trigger(window, {"&Проект", "Добавление разделов"});
    QVERIFY(names->isVisible());
    QCOMPARE(names->windowTitle(), QString("Добавление раздела:"));
    field->setText("ещё");
    QTest::keyClick(field, Qt::Key_Enter, Qt::KeypadModifier);
    names->closeButton()->click();
    QVERIFY(!names->isVisible());
    QCOMPARE(editorText(window),
             QString("ГИПОТЕЗЫ:\n\nПАРАМЕТРЫ:\n\nПЕРЕМЕННЫЕ:\n\nРАЗДЕЛ тест\nКОНЕЦ РАЗДЕЛА тест\n\n"
                     "РАЗДЕЛ два слова\nКОНЕЦ РАЗДЕЛА два слова\n\nРАЗДЕЛ опрос\n"
                     "КОНЕЦ РАЗДЕЛА опрос\n\nРАЗДЕЛ ещё\nКОНЕЦ РАЗДЕЛА ещё\n"));
    QVERIFY(names->nameList()->count() == 0 && field->text().isEmpty());
    // The frames are one undoable edit; "Новый проект" keeps the caption the command set.
    window.editor()->text()->undo();
    QCOMPARE(splitLines(editorText(window)), newKnowledgeBase());
    trigger(window, {"&Файл", "Новый проект"});
    QCOMPARE(names->windowTitle(), QString("Добавление раздела:"));
  }

  void mergeOfThreeFiles() {
    writeFile(file("data.vks"), {u"ГИПОТЕЗЫ:", u"дерево {ель}", u"ПАРАМЕТРЫ:", u"NAME R0", u"END"});
    writeFile(file("rules.vks"), {u"ГИПОТЕЗЫ:", u"РАЗДЕЛ A", u"NAME R1", u"END", u"КОНЕЦ РАЗДЕЛА A"});
    writeFile(file("norules.vks"), {u"ГИПОТЕЗЫ:", u"ПАРАМЕТРЫ:"});
    writeFile(file(".hidden.vks"), {u"NAME H"});
    writeFile(file("notes.txt"), {u"NAME T"});
    QVERIFY(QDir(dir_.path()).mkdir("folder.vks"));

    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    setEditorText(window, "прежний текст");
    trigger(window, {"&Файл", "Объединение файлов в проект"});
    QPointer<MergeDialog> merge = window.mergeDialog();
    QVERIFY(merge && merge->isVisible());
    QCOMPARE(merge->objectName(), QString("TForm9"));
    QCOMPARE(merge->windowTitle(), QString("Объединение файлов в проект"));
    QVERIFY(merge->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!(merge->windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(window.workspace().ProjectState, kProjectMergeOrTree);
    QStringList labels, buttons;
    for (QLabel* l : merge->findChildren<QLabel*>()) labels << l->text();
    for (QPushButton* b : merge->findChildren<QPushButton*>()) buttons << b->text();
    QCOMPARE(labels, QStringList({QString::fromUtf8("C") + "писок файлов", "Файлы проекта",
                                  "Имя файла проекта:", "Имя файла данных"}));
    QCOMPARE(buttons, QStringList({"добавить   > ", "добавить всё   >>", "<   удалить",
                                   "<<   удалить всё", "да", "отмена"}));
    const QStringList listed = {"data.vks", "norules.vks", "rules.vks"};
    QCOMPARE(texts(merge->fileList()), listed);
    QStringList offered;
    for (int i = 0; i < merge->dataFileField()->count(); ++i) offered << merge->dataFileField()->itemText(i);
    QCOMPARE(offered, listed);

    auto press = [&](const char* name) { merge->findChild<QPushButton*>(name)->click(); };
    tick(merge->fileList(), 2);
    tick(merge->fileList(), 1);
    press("addButton");
    press("addAllButton");
    QCOMPARE(texts(merge->projectFiles()),
             QStringList({"norules.vks", "rules.vks", "data.vks", "norules.vks", "rules.vks"}));
    tick(merge->projectFiles(), 3);
    tick(merge->projectFiles(), 4);
    press("removeButton");
    QCOMPARE(texts(merge->projectFiles()), QStringList({"norules.vks", "rules.vks", "data.vks"}));
    merge->projectNameField()->setText("мой проект");
    merge->dataFileField()->setEditText("data.vks");
    press("yesButton");
    QVERIFY(!merge || !merge->isVisible());
    QCOMPARE(window.workspace().ProjectState, kProjectMergeClosed);
    const Lines merged = {u"ГИПОТЕЗЫ:", u"дерево {ель}", u"ПАРАМЕТРЫ:", u"",
                          u"", u"РАЗДЕЛ A", u"NAME R1", u"END", u"КОНЕЦ РАЗДЕЛА A",
                          u"", u"NAME R0", u"END"};
    QCOMPARE(splitLines(editorText(window)), merged);
    QCOMPARE(window.editor()->windowTitle(), QString("мой проект"));
    QCOMPARE(readFile(file("мой проект")), merged);
    QCOMPARE(window.workspace().memo.lines(), merged);

    // A fresh dialog each time; a data file that cannot be read is named and nothing changes.
    trigger(window, {"&Файл", "Объединение файлов в проект"});
    merge = window.mergeDialog();
    QVERIFY(merge->projectFiles()->count() == 0 && merge->projectNameField()->text().isEmpty());
    press("addAllButton");
    merge->projectNameField()->setText("другой.vks");
    merge->dataFileField()->setEditText("нет такого.vks");
    press("yesButton");
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY(dialogs.shown[0].startsWith("error: ") && dialogs.shown[0].contains("нет такого.vks"));
    QCOMPARE(splitLines(editorText(window)), merged);
    QCOMPARE(window.editor()->windowTitle(), QString("мой проект"));
    QVERIFY(!QFileInfo::exists(file("другой.vks")));

    // Esc closes; an empty name merges nothing.
    trigger(window, {"&Файл", "Объединение файлов в проект"});
    merge = window.mergeDialog();
    QCOMPARE(window.workspace().ProjectState, kProjectMergeOrTree);
    QTest::keyClick(merge->projectNameField(), Qt::Key_Escape);
    QCOMPARE(window.workspace().ProjectState, kProjectMergeClosed);
    trigger(window, {"&Файл", "Объединение файлов в проект"});
    window.mergeDialog()->findChild<QPushButton*>("yesButton")->click();
    QCOMPARE(window.editor()->windowTitle(), QString("мой проект"));
    QCOMPARE(dialogs.shown.size(), 1);
  }

  void treeOfAKnowledgeBase() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    QTreeWidget* tree = window.findChild<QTreeWidget*>("TreeView1");
    QAction* button = window.findChild<QToolBar*>("ToolBar1")->findChild<QAction*>("SpeedButton2");
    QVERIFY(tree && button);
    setEditorText(window, joinLines(kSections));
    button->trigger();
    QCOMPARE(window.workspace().ProjectState, kProjectMergeOrTree);
    QCOMPARE(tree->topLevelItemCount(), 1);
    QCOMPARE(outline(tree->topLevelItem(0)),
             QString("БАЗА ЗНАНИЙ(ДЕРЕВЬЯ(NAME Правило1, NAME Правило2), ЦВЕТЫ(NAME Правило4))"));
    // A never-saved knowledge base is not narrowed.
    clickItem(tree, findNode(tree, "NAME Правило2"));
    QCOMPARE(splitLines(editorText(window)), kSections);

    setEditorText(window, "NAME R1\nEND\nx NAME R2 y\nNAME");
    button->trigger();
    QCOMPARE(outline(tree->topLevelItem(0)), QString("БАЗА ЗНАНИЙ(NAME R1, NAME R2)"));
    // Open, close and a new project empty the tree.
    trigger(window, {"&Файл", "Закрыть"});
    QCOMPARE(tree->topLevelItemCount(), 0);
    button->trigger();
    trigger(window, {"&Файл", "Новый проект"});
    QCOMPARE(tree->topLevelItemCount(), 0);
    button->trigger();
    trigger(window, {"&Файл", "Окрыть"});
    QCOMPARE(tree->topLevelItemCount(), 0);
  }

  void narrowingRestoringAndSaving() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    const QString kb = file("narrow.vks");
    writeFile(kb, kSections);
    QVERIFY(window.openFile(kb));
    QTreeWidget* tree = window.editor()->tree();
    window.SpeedButton2Click();

    clickItem(tree, findNode(tree, "NAME Правило2"));
    QCOMPARE(editorText(window), QString("NAME Правило2\nTHEN c d [1]\nEND"));
    clickItem(tree, findNode(tree, "ДЕРЕВЬЯ"));
    QCOMPARE(splitLines(editorText(window)),
             Lines(kSections.begin() + 3, kSections.begin() + 11));
    // Unsaved changes to the part are lost by the next click; the root shows the whole file.
    QTest::keyClicks(window.editor()->text(), "lost ");
    clickItem(tree, tree->topLevelItem(0));
    QCOMPARE(splitLines(editorText(window)), kSections);

    // Saving the part writes the whole file with the part replaced, however often.
    clickItem(tree, findNode(tree, "NAME Правило4"));
    window.editor()->text()->moveCursor(QTextCursor::End);
    window.editor()->text()->moveCursor(QTextCursor::StartOfLine);
    QTest::keyClicks(window.editor()->text(), "IF e f");
    QTest::keyClick(window.editor()->text(), Qt::Key_Return);
    Lines expected = kSections;
    expected.insert(expected.begin() + 14, u"IF e f");
    trigger(window, {"&Файл", "Сохранить"});
    QTest::keyClick(window.editor()->text(), Qt::Key_F2);
    QCOMPARE(readFile(kb), expected);
    QCOMPARE(editorText(window), QString("NAME Правило4\nIF e f\nEND"));
    dialogs.fileNames << file("copy");
    trigger(window, {"&Файл", "Сохранить как"});
    QCOMPARE(readFile(file("copy.vks")), expected);
    // Undo cannot take the text back to before it was narrowed.
    window.editor()->text()->undo();
    window.editor()->text()->undo();
    QCOMPARE(editorText(window), QString("NAME Правило4\nEND"));
    trigger(window, {"&Файл", "Сохранить"});
    QCOMPARE(readFile(file("copy.vks")), kSections);
    // The reset shows the whole saved file; undoing it does not bring back a narrowed part that a
    // save would write as the whole file.
    trigger(window, {"&Запуск", "Сброс"});
    QCOMPARE(splitLines(editorText(window)), kSections);
    window.editor()->text()->undo();
    trigger(window, {"&Файл", "Сохранить"});
    QCOMPARE(readFile(file("copy.vks")), kSections);
    QVERIFY(dialogs.shown.isEmpty());
  }
};

QTEST_MAIN(StructureTest)
#include "structure_test.moc"
