// The declaration dialogs and the editor's context menu, as the user works them.
#include <QClipboard>
#include <QTextBlock>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/name_list_dialogs.h"
#include "ui/qt_text.h"
#include "ui/scripted_dialogs.h"
#include "ui/values_dialogs.h"
#include "ui/window_test_support.h"

using namespace veksa;

namespace {

QStringList items(QComboBox* field) {
  QStringList out;
  for (int i = 0; i < field->count(); ++i) out << field->itemText(i);
  return out;
}

// Types a text into a drop-down's field and presses a key in the drop-down, which has the focus.
void enter(QComboBox* field, const QString& text, int key = Qt::Key_Insert) {
  field->setEditText(text);
  QTest::keyClick(field, static_cast<Qt::Key>(key));
}

// Picks an entry from a drop-down, as a click in its list does.
void pick(QComboBox* field, const QString& entry) {
  const int index = field->findText(entry);
  QVERIFY(index >= 0);
  field->setCurrentIndex(index);
  emit field->activated(index);
}

QStringList captions(QMenu* menu) {
  QStringList out;
  for (QAction* action : menu->actions()) out << action->text();
  return out;
}

QMenu* submenu(QMenu* menu, const QString& caption) {
  for (QAction* action : menu->actions()) {
    if (action->text() == caption) return action->menu();
  }
  return nullptr;
}

QAction* entry(QMenu* menu, const QString& caption) {
  for (QAction* action : menu->actions()) {
    if (action->text() == caption) return action;
  }
  return nullptr;
}

}  // namespace

class DeclarationDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void classDialogAddsRenamesAndDeletes() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    trigger(window, {"&Гипотезы", "Ввод класса"});
    ClassDialog* dialog = window.classDialog();
    QVERIFY(dialog->isVisible());
    QComboBox* field = dialog->field();

    QComboBox* choice = window.classElementsDialog()->choiceField();
    enter(field, "тип");
    enter(field, "тип", Qt::Key_Return);
    QCOMPARE(field->currentText(), QString("тип"));  // refused silently: the field keeps it
    enter(field, "два слова", Qt::Key_Enter);
    QCOMPARE(dialogs.shown, QStringList({"Пробелы не допустимы!"}));
    field->setEditText("вид");
    dialog->addButton()->click();
    QVERIFY(field->currentText().isEmpty());
    QCOMPARE(items(field), QStringList({"вид", "тип"}));  // sorted
    QCOMPARE(items(choice), QStringList({"тип", "вид"}));  // in the order of addition

    // Rename through the entry picked from the drop-down.
    pick(field, "тип");
    field->setEditText("род");
    dialog->renameButton()->click();
    QCOMPARE(items(field), QStringList({"вид", "род"}));
    QCOMPARE(items(choice), QStringList({"вид", "род"}));
    field->setEditText("вид");
    QTest::keyClick(field, Qt::Key_Delete);
    QCOMPARE(items(field), QStringList({"род"}));
    QCOMPARE(field->currentText(), QString("вид"));
    QCOMPARE(items(choice), QStringList({"род"}));

    // Double click widens the field to the dialog's width less 8 pixels; Esc closes.
    dialog->resize(500, 120);
    QTest::mouseDClick(field->lineEdit(), Qt::LeftButton);
    QCOMPARE(field->width(), 492);
    QTest::keyClick(field, Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
  }

  void valuesAreWrittenAsOneDeclarationLine() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    trigger(window, {"&Гипотезы", "Ввод класса"});
    enter(window.classDialog()->field(), "дерево");
    enter(window.classDialog()->field(), "A&B");
    window.classDialog()->closeButton()->click();
    trigger(window, {"&Гипотезы", "Ввод элементов класса"});
    ClassElementsDialog* elements = window.classElementsDialog();
    pick(elements->choiceField(), "дерево");
    QComboBox* values = elements->valueField();
    for (const char* v : {"ель", "берёза", "сосна", "сосна"}) enter(values, QString::fromUtf8(v));
    QCOMPARE(items(values), QStringList({"берёза", "ель", "сосна"}));
    elements->writeButton()->click();
    QCOMPARE(editorText(window), QString("ГИПОТЕЗЫ:\nдерево {берёза, ель, сосна}\n\nПАРАМЕТРЫ:\n\n"
                                         "ПЕРЕМЕННЫЕ:\n"));
    // Written again with one more value: the line is replaced. "Закрыть" asks first.
    enter(values, "дуб", Qt::Key_Return);
    dialogs.answers << true;
    elements->closeButton()->click();
    QVERIFY(!elements->isVisible());
    QCOMPARE(dialogs.shown, QStringList({"Предупреждение: Добавить класс гипотез в базу знаний"}));
    QCOMPARE(splitLines(editorText(window))[1], Line(u"дерево {берёза, дуб, ель, сосна}"));
    // Choosing the class again shows its written values; Cancel writes nothing.
    trigger(window, {"&Гипотезы", "Ввод элементов класса"});
    elements->choiceField()->setEditText("");
    elements->choiceField()->setEditText("дерево");
    QCOMPARE(items(values), QStringList({"берёза", "дуб", "ель", "сосна"}));
    values->setEditText("дуб");
    elements->deleteButton()->click();
    dialogs.answers << false;
    elements->closeButton()->click();
    QCOMPARE(splitLines(editorText(window)).size(), 7u);
    // A class with "&" in its name matches its menu entry: its line is written.
    trigger(window, {"&Гипотезы", "Ввод элементов класса"});
    elements->choiceField()->setEditText("A&B");
    enter(values, "x");
    elements->writeButton()->click();
    QCOMPARE(splitLines(editorText(window))[1], Line(u"A&B {x}"));
    // Esc is not heard while a control has the focus.
    elements->activateWindow();
    values->setFocus();
    QTest::keyClick(values, Qt::Key_Escape);
    QVERIFY(elements->isVisible());
    // The write is one undoable edit.
    window.editor()->text()->undo();
    QCOMPARE(splitLines(editorText(window))[1], Line(u"дерево {берёза, дуб, ель, сосна}"));
  }

  void parameterDialogsAndTheirWrite() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    setEditorText(window, "ГИПОТЕЗЫ:\nПАРАМЕТРЫ:\nцвет {красный}\nПЕРЕМЕННЫЕ:\nX 1");
    trigger(window, {"&Параметры", "Ввод параметров"});
    ParameterDialog* parameters = window.parameterDialog();
    enter(parameters->field(), "цвет");
    trigger(window, {"&Параметры", "Ввод значений параметров"});
    ParameterValuesDialog* values = window.parameterValuesDialog();
    QCOMPARE(items(values->choiceField()), QStringList({"цвет"}));
    pick(values->choiceField(), "цвет");
    enter(values->valueField(), "белый");
    enter(values->valueField(), "розовый");
    enter(values->valueField(), "светло розовый");
    QCOMPARE(dialogs.shown, QStringList({"Пробелы не допустимы!"}));
    dialogs.answers << true;
    values->closeButton()->click();
    QCOMPARE(dialogs.shown.last(), QString("Предупреждение: Добавить параметры в базу знаний"));
    // The earlier declaration of the parameter is replaced.
    QCOMPARE(editorText(window),
             QString("ГИПОТЕЗЫ:\nПАРАМЕТРЫ:\nцвет {белый, розовый}\nПЕРЕМЕННЫЕ:\nX 1"));
    // Esc hides the parameter-values dialog from any control, without asking.
    trigger(window, {"&Параметры", "Ввод значений параметров"});
    QTest::keyClick(values->valueField(), Qt::Key_Escape);
    QVERIFY(!values->isVisible());
    QCOMPARE(dialogs.shown.size(), 2);

    // "Классы" rebuilds the lists from the text and closes the class and parameter dialogs; open
    // empties the lists the dialogs show.
    trigger(window, {"&Параметры", "Ввод параметров"});
    setEditorText(window, "ГИПОТЕЗЫ:\nдерево {ель}\nПАРАМЕТРЫ:\nкора {гладкая}\nNAME R");
    trigger(window, {"&Проект", "Добавление в систему данных", "Классы"});
    QVERIFY(!parameters->isVisible());
    QCOMPARE(items(parameters->field()), QStringList({"кора"}));
    QCOMPARE(items(window.classDialog()->field()), QStringList({"дерево"}));
    trigger(window, {"&Проект", "Добавление в систему данных", "Элементы класса"});
    pick(values->choiceField(), "кора");
    QCOMPARE(items(values->valueField()), QStringList({"гладкая"}));
    dialogs.choices << MainWindow::kDiscardChanges;  // the text was typed, not saved
    trigger(window, {"&Файл", "Окрыть"});
    QCOMPARE(items(parameters->field()) + items(values->choiceField()), QStringList());
  }

  // A refresh empties the value list and the choice field together, so that a value added after
  // it is not written over the declaration as its only value.
  void refreshEmptiesTheChoiceWithTheValues() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    const QString text("ГИПОТЕЗЫ:\nдерево {берёза, ель}\nПАРАМЕТРЫ:\nNAME R");
    setEditorText(window, text);
    trigger(window, {"&Проект", "Добавление в систему данных", "Классы"});
    trigger(window, {"&Проект", "Добавление в систему данных", "Элементы класса"});
    trigger(window, {"&Гипотезы", "Ввод элементов класса"});
    ClassElementsDialog* elements = window.classElementsDialog();
    pick(elements->choiceField(), "дерево");
    QCOMPARE(items(elements->valueField()), QStringList({"берёза", "ель"}));
    trigger(window, {"&Проект", "Добавление в систему данных", "Классы"});
    QVERIFY(elements->choiceField()->currentText().isEmpty());
    QCOMPARE(items(elements->valueField()), QStringList());
    enter(elements->valueField(), "дуб");
    elements->writeButton()->click();
    QCOMPARE(editorText(window), text);
  }

  void contextMenuListsAndInsertsDeclaredNames() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    const QString kb = QString(VEKSA_SOURCE_DIR) + "/examples/trees_and_flowers.vks";
    QVERIFY(window.openFile(kb));
    QPlainTextEdit* text = window.editor()->text();
    text->moveCursor(QTextCursor::End);
    QApplication::clipboard()->clear();
    emit text->customContextMenuRequested(text->cursorRect().center());  // at the caret
    QMenu* menu = window.contextMenu();
    QVERIFY(menu->isVisible());
    QCOMPARE(captions(menu), QStringList({"гипотезы", "параметры", "переменные"}));
    QCOMPARE(captions(submenu(menu, "гипотезы")), QStringList({"дерево", "цветок"}));
    // The menus are rebuilt from the sorted lists when the refresh closes the dialogs.
    QCOMPARE(captions(submenu(menu, "параметры")),
             QStringList({"кора", "оперение", "хвоя", "цвет", "шипы"}));
    QMenu* colour = submenu(submenu(menu, "параметры"), "цвет");
    QCOMPARE(captions(colour), QStringList({"белый", "розовый"}));
    QCOMPARE(entry(colour, "белый")->statusTip(), QString("цвет"));
    QCOMPARE(captions(submenu(menu, "переменные")), QStringList({"X", "Z"}));
    menu->hide();

    entry(colour, "белый")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("цвет белый "));
    entry(submenu(menu, "переменные"), "X")->trigger();
    entry(submenu(submenu(menu, "гипотезы"), "дерево"), "берёза")->trigger();
    QVERIFY(editorText(window).endsWith("КОНЕЦ РАЗДЕЛА ЦВЕТЫцвет белый  X дерево берёза "));
    // A class entry itself inserts nothing.
    submenu(menu, "гипотезы")->menuAction()->trigger();
    QVERIFY(editorText(window).endsWith("дерево берёза "));
    // The menu opened elsewhere moves the caret to the clicked point first; opened on the
    // selection, it keeps the selection for the name to replace.
    auto pointAt = [text](int line, int column) {
      QTextCursor at(text->document()->findBlockByNumber(line));
      at.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
      return text->cursorRect(at).center();
    };
    QCOMPARE(text->document()->findBlockByNumber(33).text(), QString());
    emit text->customContextMenuRequested(pointAt(33, 0));
    menu->hide();
    entry(submenu(menu, "переменные"), "X")->trigger();
    QCOMPARE(text->document()->findBlockByNumber(33).text(), QString(" X "));
    QTextCursor word(text->document()->findBlockByNumber(13));  // "NAME Правило1"
    word.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 5);
    word.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    text->setTextCursor(word);
    emit text->customContextMenuRequested(pointAt(13, 8));
    menu->hide();
    entry(submenu(menu, "переменные"), "Z")->trigger();
    QCOMPARE(text->document()->findBlockByNumber(13).text(), QString("NAME  Z "));

    // The menu is rebuilt every time it opens: the text's declarations as they are now. A class
    // with "&" shows its accelerator and inserts its name without the mark.
    setEditorText(window, "ГИПОТЕЗЫ:\nA&B {x}\nПАРАМЕТРЫ:\np\nПЕРЕМЕННЫЕ:\nY 2");
    emit text->customContextMenuRequested(QPoint(5, 5));
    QCOMPARE(captions(submenu(menu, "гипотезы")), QStringList({"A&B"}));
    QCOMPARE(captions(submenu(menu, "параметры")), QStringList({"p"}));
    QCOMPARE(captions(submenu(menu, "переменные")), QStringList({"Y"}));
    menu->hide();
    text->moveCursor(QTextCursor::End);
    entry(submenu(submenu(menu, "гипотезы"), "A&B"), "x")->trigger();
    QVERIFY(editorText(window).endsWith("Y 2AB x "));
  }
};

QTEST_MAIN(DeclarationDialogsTest)
#include "declaration_dialogs_test.moc"
