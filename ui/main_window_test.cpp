// The main window: its menus, tool bar and start-up, and the project, editing, find and replace
// commands as the user starts them, answered by scripted dialogs.
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolTip>
#include <QtTest>

#include "ui/qt_text.h"
#include "ui/scripted_dialogs.h"
#include "ui/search_dialogs.h"
#include "ui/section_names_dialog.h"
#include "ui/window_test_support.h"

using namespace veksa;

namespace {

// Every leaf action of the menus, hidden ones included.
void menuActions(const QList<QAction*>& actions, QList<QAction*>& out) {
  for (QAction* action : actions) {
    if (action->menu()) {
      menuActions(action->menu()->actions(), out);
    } else if (!action->isSeparator()) {
      out << action;
    }
  }
}

// The question about unsaved changes in the knowledge base `path`, as the dialogs record it.
QString asked(const QString& path) {
  return "Несохранённые изменения: База знаний " + QFileInfo(path).fileName() +
         " изменена и не сохранена.\nСохранить изменения?";
}

// The tooltip a tool button shows when the mouse rests on it ("" for none).
QString toolTipShown(QWidget* button) {
  const QString none = QStringLiteral("(нет подсказки)");
  QToolTip::showText(button->mapToGlobal(QPoint(2, 2)), none);
  QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(button, &help);
  return QToolTip::text() == none ? QString() : QToolTip::text();
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  QString file(const QString& name) { return dir_.filePath(name); }

 private slots:
  void commandsAsTheUserMeetsThem() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    // Every command of the menus under its captions, with its key.
    const QList<QPair<QStringList, QString>> commands = {
        {{"&Файл", "Новый проект"}, "Ctrl+F1; Ctrl+N"},
        {{"&Файл", "Окрыть"}, "F3; Ctrl+O"},
        {{"&Файл", "Закрыть"}, "F4"},
        {{"&Файл", "Объединение файлов в проект"}, ""},
        {{"&Файл", "Сохранить"}, "F2; Ctrl+S"},
        {{"&Файл", "Сохранить как"}, ""},
        {{"&Файл", "Установка принтера"}, ""},
        {{"&Файл", "Печать"}, "F5; Ctrl+P"},
        {{"&Файл", "Выход"}, "Alt+X"},
        {{"&Проект", "Добавление разделов"}, ""},
        {{"&Проект", "Добавление в систему данных", "Классы"}, ""},
        {{"&Проект", "Добавление в систему данных", "Элементы класса"}, ""},
        {{"&Правка", "Отменить"}, ""},
        {{"&Правка", "Вырезать"}, ""},
        {{"&Правка", "Копировать"}, ""},
        {{"&Правка", "Вставить"}, ""},
        {{"&Правка", "Очистить всё"}, ""},
        {{"&Правка", "Выделить всё"}, ""},
        {{"&Правка", "Найти"}, "Ctrl+F"},
        {{"&Правка", "Заменить"}, "Ctrl+H"},
        {{"&Гипотезы", "Ввод класса"}, ""},
        {{"&Гипотезы", "Ввод элементов класса"}, ""},
        {{"&Параметры", "Ввод параметров"}, ""},
        {{"&Параметры", "Ввод значений параметров"}, ""},
        {{"&Настройки", "Путь исполнения правил", "Установка последовательного пути"}, ""},
        {{"&Настройки", "Путь исполнения правил", "Установка заданного пути"}, ""},
        {{"&Настройки", "Путь исполнения правил", "Удаление текущего пути"}, ""},
        {{"&Настройки", "Выбор метода", "Прямой и в ширину"}, ""},
        {{"&Настройки", "Выбор метода", "Прямой и в глубину"}, ""},
        {{"&Настройки", "Выбор метода", "Обратный и в ширину"}, ""},
        {{"&Настройки", "Выбор метода", "Обратный и в глубину"}, ""},
        {{"&Настройки", "Выбор метода", "До первого заключения"}, ""},
        {{"&Настройки", "Диагностика", "Подключить"}, ""},
        {{"&Настройки", "Диагностика", "Отключить"}, ""},
        {{"&Запуск", "Автоматический запуск"}, "F9"},
        {{"&Запуск", "Трассировка"}, "F8"},
        {{"&Запуск", "Сброс"}, "F7"},
        {{"&Результаты", "Протокол решения"}, ""},
        {{"&Результаты", "Факты пользователя"}, ""},
        {{"&Результаты", "Переменные"}, ""},
        {{"&Результаты", "Решение задачи"}, ""},
        {{"&Результаты", "Все окна"}, ""},
        {{"&Результаты", "Сохранить ответы"}, ""},
        {{"&Помощь", "О программе"}, ""},
        {{"&Помощь", "Справка"}, "F1"},
    };
    for (const auto& [path, key] : commands) {
      QAction* action = menuItem(window, path);
      QVERIFY2(action && action->isVisible() && action->isEnabled(), qPrintable(path.join('>')));
      QCOMPARE(QKeySequence::listToString(action->shortcuts()), key);
    }
    // F6 is in no menu, yet the window answers it. No key starts two commands.
    QList<QAction*> all;
    menuActions(window.menuBar()->actions(), all);
    QVERIFY(!menuItem(window, {"&Запуск", "Диагностика"}));
    all << window.actions();
    QMap<QString, int> keys;
    for (QAction* action : all) {
      for (const QKeySequence& key : action->shortcuts()) ++keys[key.toString()];
    }
    QCOMPARE(keys.value("F6"), 1);
    for (auto it = keys.cbegin(); it != keys.cend(); ++it)
      QVERIFY2(it.value() == 1, qPrintable(it.key()));

    // The tool bar, left to right: each button shows its hint in the status bar and as a tooltip
    // (undo and hierarchy only in the status bar); a button that repeats a menu command is that
    // command's menu item, the same action.
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QList<QPair<QString, QStringList>> buttons = {
        {"Новый проект", {"&Файл", "Новый проект"}},
        {"Открыть проект", {"&Файл", "Окрыть"}},
        {"Добавление раздела", {"&Проект", "Добавление разделов"}},
        {"Сохранить проект", {"&Файл", "Сохранить"}},
        {"Печать", {"&Файл", "Печать"}},
        {"Описание пути исполнения правил", {}},
        {"Автоматический запуск системы", {"&Запуск", "Автоматический запуск"}},
        {"Отмена последнего действия", {"&Правка", "Отменить"}},
        {"Вырезать", {"&Правка", "Вырезать"}},
        {"Копировать", {"&Правка", "Копировать"}},
        {"Вставить", {"&Правка", "Вставить"}},
        {"Очистить всё", {"&Правка", "Очистить всё"}},
        {"Генерация изображения иерархической структуры базы знаний ", {}},
    };
    auto* bar = window.findChild<QToolBar*>("ToolBar1");
    QVERIFY(bar);
    QList<QAction*> onBar;
    for (QAction* action : bar->actions()) {
      if (!action->isSeparator() && bar->widgetForAction(action) != window.methodField()) {
        onBar << action;
      }
    }
    QCOMPARE(onBar.size(), buttons.size());
    for (int i = 0; i < buttons.size(); ++i) {
      const auto& [hint, path] = buttons[i];
      QWidget* button = bar->widgetForAction(onBar[i]);
      QVERIFY(!onBar[i]->icon().isNull());
      QCOMPARE(button->statusTip(), hint);
      const bool statusOnly = hint.startsWith("Отмена") || hint.startsWith("Генерация");
      QCOMPARE(toolTipShown(button), statusOnly ? QString() : hint);
      if (!path.isEmpty()) QCOMPARE(menuItem(window, path), onBar[i]);
    }
    // The method field ends the tool bar, read-only, with the initial method.
    QCOMPARE(bar->widgetForAction(bar->actions().last()), window.methodField());
    QVERIFY(window.methodField()->isReadOnly());
    QCOMPARE(window.methodField()->text(), QString("Прямой в ширину"));
  }

  void startUpAndStatusBar() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    QCOMPARE(window.objectName(), QString("TForm1"));
    // The frame shows the maximized child's caption in brackets after its own, as MDI frames do.
    QCOMPARE(window.windowTitle(), QString("VEKSA - [new.vks]"));
    QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
    const Workspace& ws = window.workspace();
    QCOMPARE(ws.ProjectState, kProjectOpen);
    QCOMPARE(ws.method, InferenceMethod::ForwardBreadth);
    QCOMPARE(ws.RepeatCount, 120);
    QVERIFY(!ws.TraceMode && !ws.DiagnosticsOff);
    QCOMPARE(window.editor()->windowTitle(), QString("new.vks"));
    QCOMPARE(splitLines(editorText(window)), newKnowledgeBase());
    QVERIFY(window.editor()->isVisible());
    QVERIFY(!window.editor()->sectionNames()->isVisible());
    // The tool windows exist from the start, hidden, in start-up order.
    QStringList windows;
    for (QObject* child : window.children()) {
      auto* widget = qobject_cast<QWidget*>(child);
      if (widget && widget->isWindow() && !qobject_cast<QMenu*>(widget)) {
        windows << widget->objectName();
        QVERIFY(!widget->isVisible());
      }
    }
    QCOMPARE(windows, QStringList({"TForm10", "TForm5", "TForm14", "TForm11", "ExplanationWindow",
                                   "TForm12", "TForm6",
                                   "TForm13", "TForm7", "TForm8", "TForm15", "TForm16", "TForm17",
                                   "TForm18", "TForm19", "TForm20"}));

    // The hint of the control under the mouse goes to the status bar, from any window.
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(window.editor()->text(), &enter);
    QCOMPARE(window.statusBar()->currentMessage(), QString("База знаний"));
    QWidget tool(&window, Qt::Tool);
    tool.setStatusTip("подсказка окна");
    QApplication::sendEvent(&tool, &enter);
    QCOMPARE(window.statusBar()->currentMessage(), QString("подсказка окна"));
  }

  void shortcutKeys() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy diagnostics(&window, &MainWindow::diagnosticsRequested);
    QSignalSpy run(&window, &MainWindow::runRequested);
    QSignalSpy trace(&window, &MainWindow::traceRequested);
    QWidget* text = window.editor()->text();
    QTest::keyClick(text, Qt::Key_F6);  // its menu item is hidden
    QTest::keyClick(text, Qt::Key_F9);
    QTest::keyClick(text, Qt::Key_F8);
    QCOMPARE(diagnostics.count(), 1);
    QCOMPARE(run.count(), 1);
    QCOMPARE(trace.count(), 1);
    // F4 closes (empties) the text, Ctrl+F1 starts a new project, and so does Ctrl+N. The editor
    // keeps none of the added keys for itself.
    QTest::keyClick(text, Qt::Key_F4);
    QCOMPARE(editorText(window), QString());
    QTest::keyClick(text, Qt::Key_F1, Qt::ControlModifier);
    QCOMPARE(splitLines(editorText(window)), newKnowledgeBase());
    QTest::keyClick(text, Qt::Key_F4);
    QTest::keyClick(text, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(splitLines(editorText(window)), newKnowledgeBase());
    QTest::keyClick(text, Qt::Key_H, Qt::ControlModifier);
    QVERIFY(window.replaceDialog()->isVisible());
    QApplication::setActiveWindow(&window);
    QTest::keyClick(text, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(window.findDialog()->isVisible());
    QVERIFY(window.editor()->sectionNames()->isVisible());
    QTest::keyClick(text, Qt::Key_F1);
    QVERIFY(window.findChild<QWidget*>("TForm19")->isVisible());
  }

  void newProjectAndMethods() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    Workspace& ws = window.workspace();
    trigger(window, {"&Настройки", "Выбор метода", "Обратный и в глубину"});
    QCOMPARE(ws.method, InferenceMethod::BackwardDepth);
    QCOMPARE(ws.RepeatCount, 150);
    QCOMPARE(window.methodField()->text(), QString("Обратный в глубину"));
    trigger(window, {"&Настройки", "Выбор метода", "До первого заключения"});
    QCOMPARE(ws.method, InferenceMethod::FirstConclusion);
    QCOMPARE(ws.RepeatCount, 100);
    trigger(window, {"&Настройки", "Диагностика", "Отключить"});
    QVERIFY(ws.DiagnosticsOff);
    trigger(window, {"&Настройки", "Диагностика", "Подключить"});
    QVERIFY(!ws.DiagnosticsOff);

    SectionNamesDialog* names = window.editor()->sectionNames();
    names->nameField()->setText("тест");
    ws.newSectionNames = {u"опрос"};
    setEditorText(window, "что-то");
    dialogs.choices << MainWindow::kDiscardChanges;
    trigger(window, {"&Файл", "Новый проект"});
    QCOMPARE(splitLines(editorText(window)), newKnowledgeBase());
    QCOMPARE(ws.method, InferenceMethod::ForwardBreadth);
    QCOMPARE(ws.RepeatCount, 100);
    QCOMPARE(window.methodField()->text(), QString("До первого заключения"));
    QVERIFY(names->isVisible());
    QVERIFY(names->nameField()->text().isEmpty() && names->nameList()->count() == 0);
    QCOMPARE(names->windowTitle(), QString("Введите названия разделов"));
    trigger(window, {"&Проект", "Добавление разделов"});
    QCOMPARE(names->windowTitle(), QString("Добавление раздела:"));
    // "Новый проект" can be undone like any other change of the text.
    window.editor()->text()->undo();
    QCOMPARE(editorText(window), QString("что-то"));
  }

  void openCancelResetAndUnreadableFiles() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    Workspace& ws = window.workspace();
    ws.declarations.classList = {u"дерево"};
    ws.declarations.variableMenu = {MenuEntry{u"X", u"", {}}};
    ws.facts.append({u"оперение", u"листья", u"0,8"});
    trigger(window, {"&Файл", "Окрыть"});
    QCOMPARE(dialogs.shown, QStringList({"Не был открыт проект"}));
    QVERIFY(ws.declarations.classList.empty() && ws.facts.empty());
    QCOMPARE(ws.declarations.variableMenu.size(), 1u);

    const QString kb = file("open.vks");
    writeFile(kb, {u"ГИПОТЕЗЫ:", u"дерево {ель}"});
    dialogs.fileNames << kb;
    trigger(window, {"&Файл", "Окрыть"});
    QCOMPARE(editorText(window), QString("ГИПОТЕЗЫ:\nдерево {ель}"));
    QCOMPARE(window.editor()->windowTitle(), kb);
    // Edits are discarded by the reset, which reloads the file, and come back with undo.
    QTest::keyClicks(window.editor()->text(), "edit ");
    trigger(window, {"&Запуск", "Сброс"});
    QCOMPARE(editorText(window), QString("ГИПОТЕЗЫ:\nдерево {ель}"));
    window.editor()->text()->undo();
    QCOMPARE(editorText(window), QString("edit ГИПОТЕЗЫ:\nдерево {ель}"));

    // A file that cannot be read is named; the text and caption stay.
    window.editor()->text()->redo();
    dialogs.shown.clear();
    dialogs.fileNames << file("missing.vks");
    trigger(window, {"&Файл", "Окрыть"});
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY(dialogs.shown[0].startsWith("error: ") && dialogs.shown[0].contains("missing.vks"));
    QCOMPARE(window.editor()->windowTitle(), kb);
    QCOMPARE(editorText(window), QString("ГИПОТЕЗЫ:\nдерево {ель}"));

    // A binary file loads as text without harm.
    QFile binary(file("binary.vks"));
    QVERIFY(binary.open(QIODevice::WriteOnly));
    QByteArray bytes;
    for (int i = 0; i < 300000; ++i) bytes.append(static_cast<char>((i * 31 + i / 7) % 256));
    binary.write(bytes);
    binary.close();
    dialogs.fileNames << binary.fileName();
    trigger(window, {"&Файл", "Окрыть"});
    QCOMPARE(window.editor()->windowTitle(), binary.fileName());
    QVERIFY(editorText(window).size() > 1000);
  }

  void saveAsNamesAndQuestions() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    // Save on a new knowledge base asks for a name; afterwards it writes without a dialog.
    dialogs.fileNames << file("kb");
    trigger(window, {"&Файл", "Сохранить"});
    QCOMPARE(window.editor()->windowTitle(), file("kb.vks"));
    QCOMPARE(readFile(file("kb.vks")), newKnowledgeBase());
    setEditorText(window, "ГИПОТЕЗЫ:");
    trigger(window, {"&Файл", "Сохранить"});
    QCOMPARE(dialogs.fileDialogs, 1);
    QCOMPARE(readFile(file("kb.vks")), Lines{u"ГИПОТЕЗЫ:"});

    for (const char* name : {"kb2.vks", "kb.VKS", "kb.txt"}) {
      dialogs.fileNames << file(name);
      trigger(window, {"&Файл", "Сохранить как"});
    }
    QCOMPARE(window.editor()->windowTitle(), file("kb.txt.vks"));
    for (const char* name : {"kb2.vks", "kb.VKS.vks", "kb.txt.vks"}) {
      QCOMPARE(readFile(file(name)), Lines{u"ГИПОТЕЗЫ:"});
    }
    QVERIFY(!QFileInfo::exists(file("kb.VKS")) && !QFileInfo::exists(file("kb2.vks.vks")));

    // "kb" names the existing kb.vks only through the extension: asked again, and Cancel keeps it.
    setEditorText(window, "другой текст");
    dialogs.fileNames << file("kb");
    dialogs.answers << false;
    trigger(window, {"&Файл", "Сохранить как"});
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY(dialogs.shown[0].contains(file("kb.vks")));
    QCOMPARE(readFile(file("kb.vks")), Lines{u"ГИПОТЕЗЫ:"});
    QCOMPARE(window.editor()->windowTitle(), file("kb.txt.vks") + "*");

    // A file that cannot be written is named and the caption stays.
    dialogs.shown.clear();
    dialogs.fileNames << file("no/such/dir/kb");
    trigger(window, {"&Файл", "Сохранить как"});
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY(dialogs.shown[0].startsWith("error: ") && dialogs.shown[0].contains("no/such/dir/kb.vks"));
    QCOMPARE(window.editor()->windowTitle(), file("kb.txt.vks") + "*");
  }

  void closeNeverEmptiesTheFile() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    const QString kb = file("closed.vks");
    writeFile(kb, {u"ГИПОТЕЗЫ:", u"дерево {ель}"});
    QVERIFY(window.openFile(kb));
    trigger(window, {"&Файл", "Закрыть"});
    QCOMPARE(editorText(window), QString());
    QCOMPARE(window.editor()->windowTitle(), kb);
    trigger(window, {"&Файл", "Сохранить"});
    QCOMPARE(readFile(kb).size(), 2u);
    // Typing makes the text the user's again, and Save writes it.
    QTest::keyClicks(window.editor()->text(), "NAME R");
    trigger(window, {"&Файл", "Сохранить"});
    QCOMPARE(readFile(kb), Lines{u"NAME R"});
    // "Закрыть" then "Сброс" brings the file back.
    trigger(window, {"&Файл", "Закрыть"});
    trigger(window, {"&Запуск", "Сброс"});
    QCOMPARE(editorText(window), QString("NAME R"));
    QVERIFY(dialogs.shown.isEmpty());
  }

  void exitSavesThenAsks() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    dialogs.answers << false << true;
    trigger(window, {"&Файл", "Выход"});
    QCOMPARE(dialogs.fileDialogs, 1);
    QCOMPARE(dialogs.shown, QStringList({"Вопрос системы: Выход из системы?"}));
    QVERIFY(window.isVisible());
    trigger(window, {"&Файл", "Выход"});
    QCOMPARE(dialogs.fileDialogs, 2);
    QVERIFY(!window.isVisible());
  }

  // Unsaved changes: the "*" in the title, and the question before every command that would
  // replace the text, with each of its answers.
  void unsavedChangesAreAskedAbout() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    EditorWindow* editor = window.editor();
    QPlainTextEdit* text = editor->text();
    const QString kb = file("unsaved.vks"), other = file("other.vks");
    writeFile(kb, {u"ГИПОТЕЗЫ:"});
    writeFile(other, {u"ПАРАМЕТРЫ:"});
    QVERIFY(window.openFile(kb));
    QSignalSpy modified(editor, &EditorWindow::modifiedChanged);
    QTest::keyClicks(text, "a");
    QCOMPARE(editor->windowTitle(), kb + "*");
    text->undo();  // back to the saved text: nothing unsaved
    QCOMPARE(editor->windowTitle(), kb);
    QCOMPARE(modified.size(), 2);
    QVERIFY(modified[0][0].toBool() && !modified[1][0].toBool());
    trigger(window, {"&Файл", "Новый проект"});  // nothing to ask about
    QVERIFY(dialogs.shown.isEmpty());
    QCOMPARE(editor->windowTitle(), QString("new.vks"));

    // "Отмена" keeps the text and stops the command; "Сохранить" saves, then the command goes on.
    QVERIFY(window.openFile(kb));
    QTest::keyClicks(text, "edit ");
    dialogs.choices << MainWindow::kCancelCommand << MainWindow::kSaveChanges;
    QTest::keyClick(text, Qt::Key_F1, Qt::ControlModifier);
    QCOMPARE(dialogs.shown, QStringList({asked(kb)}));
    QCOMPARE(editorText(window), QString("edit ГИПОТЕЗЫ:"));
    trigger(window, {"&Файл", "Новый проект"});
    QCOMPARE(readFile(kb), Lines{u"edit ГИПОТЕЗЫ:"});
    QCOMPARE(splitLines(editorText(window)), newKnowledgeBase());
    QCOMPARE(editor->windowTitle(), QString("new.vks"));
    // A new knowledge base saves through "Сохранить как"; a cancelled save stops the command.
    QTest::keyClicks(text, "new ");
    dialogs.choices << MainWindow::kSaveChanges;
    trigger(window, {"&Файл", "Окрыть"});
    QCOMPARE(dialogs.fileDialogs, 1);  // the save dialog, cancelled; no open dialog
    QCOMPARE(editor->windowTitle(), QString("new.vks*"));
    // "Не сохранять" lets the changes go.
    dialogs.shown.clear();
    dialogs.choices << MainWindow::kDiscardChanges;
    dialogs.fileNames << other;
    trigger(window, {"&Файл", "Окрыть"});
    QCOMPARE(dialogs.shown, QStringList({asked("new.vks")}));
    QCOMPARE(editorText(window), QString("ПАРАМЕТРЫ:"));
    QCOMPARE(editor->windowTitle(), other);

    // "Выход" asks instead of showing its save dialog; closing the window asks too.
    dialogs.shown.clear();
    dialogs.fileDialogs = 0;
    QTest::keyClicks(text, "x");
    dialogs.choices << MainWindow::kCancelCommand;
    trigger(window, {"&Файл", "Выход"});
    QCOMPARE(dialogs.shown, QStringList({asked(other)}));
    QVERIFY(window.isVisible());
    dialogs.choices << MainWindow::kCancelCommand << MainWindow::kDiscardChanges;
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    dialogs.answers << true;
    trigger(window, {"&Файл", "Выход"});
    QVERIFY(!window.isVisible());
    QCOMPARE(dialogs.shown.size(), 4);
    QCOMPARE(dialogs.shown.last(), QString("Вопрос системы: Выход из системы?"));
    QCOMPARE(dialogs.fileDialogs, 0);
    QCOMPARE(readFile(other), Lines{u"ПАРАМЕТРЫ:"});
  }

  void findAndReplace() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    setEditorText(window, "NAME R\nIF оперение Листья\nAND IF x\nEND");
    QPlainTextEdit* text = window.editor()->text();
    text->moveCursor(QTextCursor::End);  // the caret does not matter, only the selection
    trigger(window, {"&Правка", "Найти"});
    FindDialog* find = window.findDialog();
    QVERIFY(find->isVisible());
    find->findField()->setText("IF");
    find->findNextButton()->click();
    QCOMPARE(text->textCursor().selectionStart(), 7);
    find->findNextButton()->click();
    QCOMPARE(text->textCursor().selectionStart(), 30);
    find->findNextButton()->click();  // no more: the selection stays, no message
    QCOMPARE(text->textCursor().selectionStart(), 30);
    find->findField()->setText("листья");
    text->moveCursor(QTextCursor::Start);
    find->findNextButton()->click();
    QVERIFY(!text->textCursor().hasSelection());

    // The replace dialog's find-next ignores case; its replace does not.
    trigger(window, {"&Правка", "Заменить"});
    ReplaceDialog* replace = window.replaceDialog();
    replace->findField()->setText("листья");
    replace->replaceField()->setText("иголки");
    replace->findNextButton()->click();
    QCOMPARE(text->textCursor().selectedText(), QString("Листья"));
    replace->replaceButton()->click();
    QCOMPARE(dialogs.shown, QStringList({"error: Отсутствует \"листья\" в тексте."}));
    // "Заменить" replaces the first occurrence, wherever the caret is; "Заменить все" every
    // occurrence of the same case, in one edit that one undo takes back, also when the
    // replacement holds the find text.
    setEditorText(window, "IF a IF b\nif c\nIF d");
    replace->findField()->setText("IF");
    replace->replaceField()->setText("ЕСЛИ");
    text->moveCursor(QTextCursor::End);
    replace->replaceButton()->click();
    QCOMPARE(editorText(window), QString("ЕСЛИ a IF b\nif c\nIF d"));
    replace->replaceField()->setText("IF IF");
    replace->replaceAllButton()->click();
    QCOMPARE(editorText(window), QString("ЕСЛИ a IF IF b\nif c\nIF IF d"));
    text->undo();
    QCOMPARE(editorText(window), QString("ЕСЛИ a IF b\nif c\nIF d"));
    replace->findField()->setText("нет");
    replace->replaceAllButton()->click();
    QCOMPARE(dialogs.shown.last(), QString("error: Отсутствует \"нет\" в тексте."));
    // Tab leads from the find text to the replacement, then to the buttons.
    QApplication::setActiveWindow(replace);
    QVERIFY(QTest::qWaitForWindowActive(replace));
    replace->findField()->setFocus();
    QTest::keyClick(replace->findField(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), replace->replaceField());
    QTest::keyClick(replace->replaceField(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), replace->findNextButton());
  }

  void editingCommandsAndTheClosedEditor() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    window.show();
    QApplication::clipboard()->clear();
    setEditorText(window, "NAME R");
    trigger(window, {"&Правка", "Выделить всё"});
    trigger(window, {"&Правка", "Копировать"});
    QCOMPARE(QApplication::clipboard()->text(), QString("NAME R"));
    trigger(window, {"&Правка", "Очистить всё"});
    QVERIFY(window.workspace().lines.empty());
    QCOMPARE(editorText(window), QString());
    QCOMPARE(window.editor()->windowTitle(), QString("new.vks*"));
    trigger(window, {"&Правка", "Вставить"});
    trigger(window, {"&Правка", "Вставить"});
    QCOMPARE(editorText(window), QString("NAME RNAME R"));
    trigger(window, {"&Правка", "Отменить"});
    QCOMPARE(editorText(window), QString("NAME R"));

    // Closing the editor window hides it and leaves no project.
    QVERIFY(window.editor()->isVisible());
    window.editor()->close();
    QVERIFY(!window.editor()->isVisible());
    QCOMPARE(window.workspace().ProjectState, kProjectNone);
    trigger(window, {"&Гипотезы", "Ввод класса"});
    trigger(window, {"&Параметры", "Ввод параметров"});
    QCOMPARE(dialogs.shown, QStringList({"Не был создан проект", "Не был создан проект"}));
    trigger(window, {"&Правка", "Вставить"});
    trigger(window, {"&Правка", "Очистить всё"});
    trigger(window, {"&Файл", "Сохранить"});
    trigger(window, {"&Файл", "Печать"});
    QCOMPARE(editorText(window), QString("NAME R"));
    QCOMPARE(dialogs.fileDialogs + dialogs.printDialogs, 0);
    // "Окрыть" brings it back; so does "Новый проект".
    trigger(window, {"&Файл", "Окрыть"});
    QVERIFY(window.editor()->isVisible());
    QCOMPARE(window.workspace().ProjectState, kProjectOpen);
    QSignalSpy classDialog(&window, &MainWindow::classDialogRequested);
    trigger(window, {"&Гипотезы", "Ввод класса"});
    QCOMPARE(classDialog.count(), 1);
  }

  void printing() {
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    dialogs.printTo = file("out.pdf");
    trigger(window, {"&Правка", "Очистить всё"});
    trigger(window, {"&Файл", "Печать"});
    trigger(window, {"&Файл", "Установка принтера"});
    QCOMPARE(dialogs.printDialogs, 0);  // nothing to print
    QStringList lines;
    for (int i = 0; i < 150; ++i) lines << QString("строка %1 ").arg(i).repeated(i % 3 == 0 ? 40 : 1);
    setEditorText(window, lines.join('\n'));
    dialogs.printOk << false << true;
    trigger(window, {"&Файл", "Печать"});
    QVERIFY(!QFileInfo::exists(dialogs.printTo));
    trigger(window, {"&Файл", "Печать"});
    QFile pdf(dialogs.printTo);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    const auto pages = bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r");
    QVERIFY2(pages >= 4, QByteArray::number(pages));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
