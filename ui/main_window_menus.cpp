// The main window's commands as actions, and the menu tree and tool bar that show them. Each
// command is one action: a command that has a menu item and a tool button adds the same action
// to both, so its key, its enabled state and its handler are defined once.
#include <QAction>
#include <QEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolBar>

#include "engine/run_driver.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/toolbar_icons.h"

namespace veksa {

namespace {

// Keeps a tool button's hint out of a tooltip: the undo and hierarchy buttons show their hint in
// the status bar only, although their actions have menu captions from which Qt makes tooltips.
class NoToolTip : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    return event->type() == QEvent::ToolTip || QObject::eventFilter(watched, event);
  }
};

}  // namespace

QAction* MainWindow::command(QWidget* into, const QString& caption, const QKeySequence& key,
                             DuringRun duringRun) {
  auto* action = new QAction(caption, this);
  action->setShortcut(key);
  if (into) into->addAction(action);
  if (duringRun == DuringRun::Off) runLocked_ << action;
  return action;
}

void MainWindow::createActions() {
  auto shared = [this](const QString& caption, const QKeySequence& key = {}) {
    return command(nullptr, caption, key);
  };
  // Beside each specified key, the one that most programs give the command.
  actions_.newProject = shared(QStringLiteral("Новый проект"), Qt::CTRL | Qt::Key_F1);
  actions_.newProject->setShortcuts({Qt::CTRL | Qt::Key_F1, Qt::CTRL | Qt::Key_N});
  connect(actions_.newProject, &QAction::triggered, this, &MainWindow::newProject);
  actions_.open = shared(QStringLiteral("Окрыть"), Qt::Key_F3);
  actions_.open->setShortcuts({Qt::Key_F3, Qt::CTRL | Qt::Key_O});
  connect(actions_.open, &QAction::triggered, this, &MainWindow::openProject);
  actions_.addSections = shared(QStringLiteral("Добавление разделов"));
  connect(actions_.addSections, &QAction::triggered, this, &MainWindow::addSections);
  actions_.save = shared(QStringLiteral("Сохранить"), Qt::Key_F2);
  actions_.save->setShortcuts({Qt::Key_F2, Qt::CTRL | Qt::Key_S});
  connect(actions_.save, &QAction::triggered, this, &MainWindow::SpeedButton13Click);
  actions_.print = shared(QStringLiteral("Печать"), Qt::Key_F5);
  actions_.print->setShortcuts({Qt::Key_F5, Qt::CTRL | Qt::Key_P});
  connect(actions_.print, &QAction::triggered, this, &MainWindow::print);
  actions_.run = shared(QStringLiteral("Автоматический запуск"), Qt::Key_F9);
  connect(actions_.run, &QAction::triggered, this, &MainWindow::runRequested);
  actions_.undo = shared(QStringLiteral("Отменить"));
  connect(actions_.undo, &QAction::triggered, this, &MainWindow::undo);
  actions_.cut = shared(QStringLiteral("Вырезать"));
  connect(actions_.cut, &QAction::triggered, this, &MainWindow::cut);
  actions_.copy = shared(QStringLiteral("Копировать"));
  connect(actions_.copy, &QAction::triggered, this, &MainWindow::copy);
  actions_.paste = shared(QStringLiteral("Вставить"));
  connect(actions_.paste, &QAction::triggered, this, &MainWindow::paste);
  actions_.clearAll = shared(QStringLiteral("Очистить всё"));
  connect(actions_.clearAll, &QAction::triggered, this, &MainWindow::clearAll);

  // "Диагностика" is in no menu, yet F6 starts it: the key belongs to the window itself.
  QAction* diagnostics = command(this, QStringLiteral("Диагностика"), Qt::Key_F6);
  diagnostics->setObjectName("diagnosticsAction");
  connect(diagnostics, &QAction::triggered, this, &MainWindow::diagnosticsRequested);
}

void MainWindow::createMenus() {
  menuBar()->setObjectName("MainMenu1");
  createFileMenu();
  createEditingMenus();
  createSettingsMenu();
  createRunMenu();
  createResultsAndHelpMenus();
}

void MainWindow::createFileMenu() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&Файл"));
  file->addAction(actions_.newProject);
  file->addAction(actions_.open);
  connect(command(file, QStringLiteral("Закрыть"), Qt::Key_F4), &QAction::triggered, this,
          &MainWindow::closeProject);
  file->addSeparator();
  connect(command(file, QStringLiteral("Объединение файлов в проект")), &QAction::triggered, this,
          &MainWindow::mergeRequested);
  file->addSeparator();
  file->addAction(actions_.save);
  connect(command(file, QStringLiteral("Сохранить как")), &QAction::triggered, this,
          &MainWindow::N6Click);
  file->addSeparator();
  connect(command(file, QStringLiteral("Установка принтера")), &QAction::triggered, this,
          &MainWindow::printerSetup);
  file->addAction(actions_.print);
  file->addSeparator();
  connect(command(file, QStringLiteral("Выход"), Qt::ALT | Qt::Key_X), &QAction::triggered, this,
          &MainWindow::exitProgram);
}

void MainWindow::createEditingMenus() {
  QMenu* project = menuBar()->addMenu(QStringLiteral("&Проект"));
  project->addAction(actions_.addSections);
  QMenu* data = project->addMenu(QStringLiteral("Добавление в систему данных"));
  connect(command(data, QStringLiteral("Классы")), &QAction::triggered, this,
          &MainWindow::classesRefreshRequested);
  connect(command(data, QStringLiteral("Элементы класса")), &QAction::triggered, this,
          &MainWindow::elementsRefreshRequested);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Правка"));
  edit->addAction(actions_.undo);
  edit->addSeparator();
  edit->addActions({actions_.cut, actions_.copy, actions_.paste, actions_.clearAll});
  edit->addSeparator();
  connect(command(edit, QStringLiteral("Выделить всё")), &QAction::triggered, this,
          &MainWindow::selectAll);
  edit->addSeparator();
  connect(command(edit, QStringLiteral("Найти"), Qt::CTRL | Qt::Key_F), &QAction::triggered, this, &MainWindow::showFind);
  connect(command(edit, QStringLiteral("Заменить"), Qt::CTRL | Qt::Key_H), &QAction::triggered, this,
          &MainWindow::showReplace);

  // The declaration dialogs need a project.
  auto guarded = [this](QMenu* menu, const QString& caption, void (MainWindow::*request)()) {
    connect(command(menu, caption), &QAction::triggered, this, [this, request] {
      if (projectGuard()) emit(this->*request)();
    });
  };
  QMenu* hypotheses = menuBar()->addMenu(QStringLiteral("&Гипотезы"));
  guarded(hypotheses, QStringLiteral("Ввод класса"), &MainWindow::classDialogRequested);
  guarded(hypotheses, QStringLiteral("Ввод элементов класса"),
          &MainWindow::classElementsDialogRequested);
  QMenu* parameters = menuBar()->addMenu(QStringLiteral("&Параметры"));
  guarded(parameters, QStringLiteral("Ввод параметров"), &MainWindow::parameterDialogRequested);
  guarded(parameters, QStringLiteral("Ввод значений параметров"),
          &MainWindow::parameterValuesDialogRequested);
}

void MainWindow::createSettingsMenu() {
  QMenu* settings = menuBar()->addMenu(QStringLiteral("&Настройки"));
  QMenu* path = settings->addMenu(QStringLiteral("Путь исполнения правил"));
  connect(command(path, QStringLiteral("Установка последовательного пути")), &QAction::triggered,
          this, &MainWindow::sequentialPathRequested);
  connect(command(path, QStringLiteral("Установка заданного пути")), &QAction::triggered, this,
          &MainWindow::givenPathRequested);
  connect(command(path, QStringLiteral("Удаление текущего пути")), &QAction::triggered, this,
          &MainWindow::deletePathRequested);
  QMenu* method = settings->addMenu(QStringLiteral("Выбор метода"));
  for (const MethodTraits& m : kInferenceMethods) {
    connect(command(method, toQString(m.command)), &QAction::triggered, this,
            [this, chosen = m.method] { chooseMethod(chosen); });
  }
  QMenu* diagnostics = settings->addMenu(QStringLiteral("Диагностика"));
  connect(command(diagnostics, QStringLiteral("Подключить")), &QAction::triggered, this,
          &MainWindow::N67Click);
  connect(command(diagnostics, QStringLiteral("Отключить")), &QAction::triggered, this,
          &MainWindow::N68Click);
}

void MainWindow::createRunMenu() {
  QMenu* run = menuBar()->addMenu(QStringLiteral("&Запуск"));
  run->addAction(actions_.run);
  connect(command(run, QStringLiteral("Трассировка"), Qt::Key_F8), &QAction::triggered, this,
          &MainWindow::traceRequested);
  connect(command(run, QStringLiteral("Сброс"), Qt::Key_F7), &QAction::triggered, this,
          &MainWindow::N22Click);
  run->addSeparator();
  connect(command(run, QStringLiteral("Сравнение методов"), Qt::CTRL | Qt::Key_M),
          &QAction::triggered, this, &MainWindow::methodComparisonRequested);
}

void MainWindow::createResultsAndHelpMenus() {
  // These commands only show windows: they stay on during a run.
  auto shows = [this](QMenu* menu, const QString& caption, void (MainWindow::*slot)(),
                      const QKeySequence& key = {}) {
    connect(command(menu, caption, key, DuringRun::On), &QAction::triggered, this, slot);
  };
  QMenu* results = menuBar()->addMenu(QStringLiteral("&Результаты"));
  shows(results, QStringLiteral("Протокол решения"), &MainWindow::showProtocol);
  shows(results, QStringLiteral("Факты пользователя"), &MainWindow::showFacts);
  shows(results, QStringLiteral("Переменные"), &MainWindow::showVariables);
  shows(results, QStringLiteral("Решение задачи"), &MainWindow::showResults);
  shows(results, QStringLiteral("Все окна"), &MainWindow::showAllResults);
  results->addSeparator();
  shows(results, QStringLiteral("Сохранить ответы"), &MainWindow::saveRunAnswers);
  results->addSeparator();
  connect(command(results, QStringLiteral("Граф правил"), Qt::CTRL | Qt::Key_G),
          &QAction::triggered, this, &MainWindow::ruleGraphRequested);

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Помощь"));
  shows(help, QStringLiteral("О программе"), &MainWindow::showAbout);
  shows(help, QStringLiteral("Справка"), &MainWindow::showHelp, Qt::Key_F1);
}

void MainWindow::createToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("VEKSA"));
  bar->setObjectName("ToolBar1");
  bar->setMovable(false);
  bar->setIconSize(QSize(24, 24));
  // A button shows its hint as a tooltip and in the status bar; `statusOnly` buttons only in the
  // status bar.
  auto* noToolTip = new NoToolTip(bar);
  auto button = [&](QAction* action, const char* icon, const QString& hint, const char* name,
                    bool statusOnly = false) {
    action->setObjectName(name);
    action->setIcon(toolbarIcon(QString::fromLatin1(icon)));
    action->setToolTip(hint);
    action->setStatusTip(hint);
    bar->addAction(action);
    if (statusOnly) bar->widgetForAction(action)->installEventFilter(noToolTip);
    return action;
  };
  button(actions_.newProject, "new", QStringLiteral("Новый проект"), "newButton");
  button(actions_.open, "open", QStringLiteral("Открыть проект"), "openButton");
  button(actions_.addSections, "add_section", QStringLiteral("Добавление раздела"),
         "addSectionButton");
  button(actions_.save, "save", QStringLiteral("Сохранить проект"), "SpeedButton13");
  button(actions_.print, "print", QStringLiteral("Печать"), "printButton");
  connect(button(command(nullptr, QString()), "rule_path",
                 QStringLiteral("Описание пути исполнения правил"), "rulePathButton"),
          &QAction::triggered, this, [this] {
            if (projectGuard()) emit rulePathWindowRequested();
          });
  button(actions_.run, "run", QStringLiteral("Автоматический запуск системы"),
         "SpeedButton9");
  button(actions_.undo, "undo", QStringLiteral("Отмена последнего действия"), "undoButton",
         true);
  button(actions_.cut, "cut", QStringLiteral("Вырезать"), "cutButton");
  button(actions_.copy, "copy", QStringLiteral("Копировать"), "copyButton");
  button(actions_.paste, "paste", QStringLiteral("Вставить"), "pasteButton");
  button(actions_.clearAll, "clear", QStringLiteral("Очистить всё"), "clearButton");
  connect(button(command(nullptr, QString()), "hierarchy",
                 QStringLiteral("Генерация изображения иерархической структуры базы знаний "),
                 "SpeedButton2", true),
          &QAction::triggered, this, &MainWindow::hierarchyRequested);

  methodField_->setObjectName("methodField");
  methodField_->setReadOnly(true);
  methodField_->setFocusPolicy(Qt::NoFocus);
  methodField_->setFixedWidth(200);
  bar->addSeparator();
  bar->addWidget(methodField_);
}

}  // namespace veksa
