// The main window's menu tree and tool bar.
#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolBar>

#include "engine/run_driver.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/toolbar_icons.h"

namespace veksa {

namespace {

QAction* item(QMenu* menu, const QString& caption, const QKeySequence& key = {}) {
  QAction* action = menu->addAction(caption);
  action->setShortcut(key);
  return action;
}

}  // namespace

void MainWindow::createMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu1");

  QMenu* file = bar->addMenu(QStringLiteral("&Файл"));
  connect(item(file, QStringLiteral("Новый проект"), Qt::CTRL | Qt::Key_F1), &QAction::triggered,
          this, &MainWindow::newProject);
  connect(item(file, QStringLiteral("Окрыть"), Qt::Key_F3), &QAction::triggered, this,
          &MainWindow::openProject);
  connect(item(file, QStringLiteral("Закрыть"), Qt::Key_F4), &QAction::triggered, this,
          &MainWindow::closeProject);
  file->addSeparator();
  connect(item(file, QStringLiteral("Объединение файлов в проект")), &QAction::triggered, this,
          &MainWindow::mergeRequested);
  file->addSeparator();
  connect(item(file, QStringLiteral("Сохранить"), Qt::Key_F2), &QAction::triggered, this,
          &MainWindow::SpeedButton13Click);
  connect(item(file, QStringLiteral("Сохранить как")), &QAction::triggered, this,
          &MainWindow::N6Click);
  file->addSeparator();
  connect(item(file, QStringLiteral("Установка принтера")), &QAction::triggered, this,
          &MainWindow::printerSetup);
  connect(item(file, QStringLiteral("Печать"), Qt::Key_F5), &QAction::triggered, this,
          &MainWindow::print);
  file->addSeparator();
  connect(item(file, QStringLiteral("Выход"), Qt::ALT | Qt::Key_X), &QAction::triggered, this,
          &MainWindow::exitProgram);

  QMenu* project = bar->addMenu(QStringLiteral("&Проект"));
  connect(item(project, QStringLiteral("Добавление разделов")), &QAction::triggered, this,
          &MainWindow::addSections);
  QMenu* data = project->addMenu(QStringLiteral("Добавление в систему данных"));
  connect(item(data, QStringLiteral("Классы")), &QAction::triggered, this,
          &MainWindow::classesRefreshRequested);
  connect(item(data, QStringLiteral("Элементы класса")), &QAction::triggered, this,
          &MainWindow::elementsRefreshRequested);

  QMenu* edit = bar->addMenu(QStringLiteral("&Правка"));
  connect(item(edit, QStringLiteral("Отменить")), &QAction::triggered, this, &MainWindow::undo);
  edit->addSeparator();
  connect(item(edit, QStringLiteral("Вырезать")), &QAction::triggered, this, &MainWindow::cut);
  connect(item(edit, QStringLiteral("Копировать")), &QAction::triggered, this, &MainWindow::copy);
  connect(item(edit, QStringLiteral("Вставить")), &QAction::triggered, this, &MainWindow::paste);
  connect(item(edit, QStringLiteral("Очистить всё")), &QAction::triggered, this,
          &MainWindow::clearAll);
  edit->addSeparator();
  connect(item(edit, QStringLiteral("Выделить всё")), &QAction::triggered, this,
          &MainWindow::selectAll);
  edit->addSeparator();
  connect(item(edit, QStringLiteral("Найти")), &QAction::triggered, this, &MainWindow::showFind);
  connect(item(edit, QStringLiteral("Заменить")), &QAction::triggered, this,
          &MainWindow::showReplace);

  // The declaration dialogs need a project.
  auto guarded = [this](QAction* action, void (MainWindow::*request)()) {
    connect(action, &QAction::triggered, this, [this, request] {
      if (projectGuard()) emit(this->*request)();
    });
  };
  QMenu* hypotheses = bar->addMenu(QStringLiteral("&Гипотезы"));
  guarded(item(hypotheses, QStringLiteral("Ввод класса")), &MainWindow::classDialogRequested);
  guarded(item(hypotheses, QStringLiteral("Ввод элементов класса")),
          &MainWindow::classElementsDialogRequested);
  QMenu* parameters = bar->addMenu(QStringLiteral("&Параметры"));
  guarded(item(parameters, QStringLiteral("Ввод параметров")),
          &MainWindow::parameterDialogRequested);
  guarded(item(parameters, QStringLiteral("Ввод значений параметров")),
          &MainWindow::parameterValuesDialogRequested);

  QMenu* settings = bar->addMenu(QStringLiteral("&Настройки"));
  QMenu* path = settings->addMenu(QStringLiteral("Путь исполнения правил"));
  connect(item(path, QStringLiteral("Установка последовательного пути")), &QAction::triggered,
          this, &MainWindow::sequentialPathRequested);
  connect(item(path, QStringLiteral("Установка заданного пути")), &QAction::triggered, this,
          &MainWindow::givenPathRequested);
  connect(item(path, QStringLiteral("Удаление текущего пути")), &QAction::triggered, this,
          &MainWindow::deletePathRequested);
  QMenu* method = settings->addMenu(QStringLiteral("Выбор метода"));
  for (int i = 0; i < static_cast<int>(kMethodCommands.size()); ++i) {
    connect(item(method, toQString(kMethodCommands[static_cast<std::size_t>(i)].caption)),
            &QAction::triggered, this, [this, i] { chooseMethod(i); });
  }
  QMenu* diagnostics = settings->addMenu(QStringLiteral("Диагностика"));
  connect(item(diagnostics, QStringLiteral("Подключить")), &QAction::triggered, this,
          &MainWindow::N67Click);
  connect(item(diagnostics, QStringLiteral("Отключить")), &QAction::triggered, this,
          &MainWindow::N68Click);

  QMenu* run = bar->addMenu(QStringLiteral("&Запуск"));
  connect(item(run, QStringLiteral("Автоматический запуск"), Qt::Key_F9), &QAction::triggered,
          this, &MainWindow::runRequested);
  connect(item(run, QStringLiteral("Трассировка"), Qt::Key_F8), &QAction::triggered, this,
          &MainWindow::traceRequested);
  // "Диагностика" is not shown, yet F6 starts it. Qt hears the keys of visible actions only, so
  // the key lives on an action of the window itself.
  QAction* hiddenDiagnostics = item(run, QStringLiteral("Диагностика"), Qt::Key_F6);
  hiddenDiagnostics->setVisible(false);
  connect(hiddenDiagnostics, &QAction::triggered, this, &MainWindow::diagnosticsRequested);
  auto* diagnosticsKey = new QAction(this);
  diagnosticsKey->setObjectName("diagnosticsKey");
  diagnosticsKey->setShortcut(Qt::Key_F6);
  addAction(diagnosticsKey);
  connect(diagnosticsKey, &QAction::triggered, this, &MainWindow::diagnosticsRequested);
  connect(item(run, QStringLiteral("Сброс"), Qt::Key_F7), &QAction::triggered, this,
          &MainWindow::N22Click);

  QMenu* results = bar->addMenu(QStringLiteral("&Результаты"));
  connect(item(results, QStringLiteral("Протокол решения")), &QAction::triggered, this,
          &MainWindow::showProtocol);
  connect(item(results, QStringLiteral("Факты пользователя")), &QAction::triggered, this,
          &MainWindow::showFacts);
  connect(item(results, QStringLiteral("Переменные")), &QAction::triggered, this,
          &MainWindow::showVariables);
  connect(item(results, QStringLiteral("Решение задачи")), &QAction::triggered, this,
          &MainWindow::showResults);
  connect(item(results, QStringLiteral("Все окна")), &QAction::triggered, this,
          &MainWindow::showAllResults);
  results->addSeparator();
  connect(item(results, QStringLiteral("Сохранить ответы")), &QAction::triggered, this,
          &MainWindow::saveRunAnswers);

  QMenu* help = bar->addMenu(QStringLiteral("&Помощь"));
  connect(item(help, QStringLiteral("О программе")), &QAction::triggered, this,
          &MainWindow::showAbout);
  connect(item(help, QStringLiteral("Справка"), Qt::Key_F1), &QAction::triggered, this,
          &MainWindow::showHelp);
}

void MainWindow::createToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("VEKSA"));
  bar->setObjectName("ToolBar1");
  bar->setMovable(false);
  bar->setIconSize(QSize(24, 24));
  // A button shows its hint as a tooltip and in the status bar; `statusOnly` buttons only in the
  // status bar (their action has no text, so Qt derives no tooltip).
  auto button = [&](ToolIcon icon, const QString& hint, const char* name, bool statusOnly = false) {
    QAction* action = bar->addAction(toolbarIcon(icon), statusOnly ? QString() : hint);
    action->setObjectName(name);
    action->setStatusTip(hint);
    return action;
  };
  connect(button(ToolIcon::New, QStringLiteral("Новый проект"), "newButton"),
          &QAction::triggered, this, &MainWindow::newProject);
  connect(button(ToolIcon::Open, QStringLiteral("Открыть проект"), "openButton"),
          &QAction::triggered, this, &MainWindow::openProject);
  connect(button(ToolIcon::AddSection, QStringLiteral("Добавление раздела"), "addSectionButton"),
          &QAction::triggered, this, &MainWindow::addSections);
  connect(button(ToolIcon::Save, QStringLiteral("Сохранить проект"), "SpeedButton13"),
          &QAction::triggered, this, &MainWindow::SpeedButton13Click);
  connect(button(ToolIcon::Print, QStringLiteral("Печать"), "printButton"), &QAction::triggered,
          this, &MainWindow::print);
  connect(button(ToolIcon::RulePath, QStringLiteral("Описание пути исполнения правил"),
                 "rulePathButton"),
          &QAction::triggered, this, [this] {
            if (projectGuard()) emit rulePathWindowRequested();
          });
  connect(button(ToolIcon::Run, QStringLiteral("Автоматический запуск системы"), "SpeedButton9"),
          &QAction::triggered, this, &MainWindow::runRequested);
  connect(button(ToolIcon::Undo, QStringLiteral("Отмена последнего действия"), "undoButton",
                 true),
          &QAction::triggered, this, &MainWindow::undo);
  connect(button(ToolIcon::Cut, QStringLiteral("Вырезать"), "cutButton"), &QAction::triggered,
          this, &MainWindow::cut);
  connect(button(ToolIcon::Copy, QStringLiteral("Копировать"), "copyButton"),
          &QAction::triggered, this, &MainWindow::copy);
  connect(button(ToolIcon::Paste, QStringLiteral("Вставить"), "pasteButton"),
          &QAction::triggered, this, &MainWindow::paste);
  connect(button(ToolIcon::Clear, QStringLiteral("Очистить всё"), "clearButton"),
          &QAction::triggered, this, &MainWindow::clearAll);
  connect(button(ToolIcon::Hierarchy,
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
