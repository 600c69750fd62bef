// The main window (TForm1): the frame of the program. It owns the workspace, creates the other
// windows, carries the menus, the tool bar with the method field and the status bar, and runs the
// commands that act on the project as a whole.
#ifndef VEKSA_UI_MAIN_WINDOW_H_
#define VEKSA_UI_MAIN_WINDOW_H_

#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>

#include "engine/workspace.h"

class QAction;
class QLineEdit;
class QMenu;
class QMdiArea;
class QPrinter;

namespace veksa {

class ClassDialog;
class ClassElementsDialog;
class DeclarationDialog;
class Dialogs;
class EditorWindow;
class FactsWindow;
class FindDialog;
class HelpWindow;
class MergeDialog;
class ParameterDialog;
class ParameterValuesDialog;
struct MenuEntry;
class ProtocolWindow;
class ReplaceDialog;
class ResultsWindow;
class AnalysisCommands;
class RunCommands;
class TableWindow;
class TimingWindow;
class VariablesWindow;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Every message box and file dialog goes through `dialogs`; Qt's own when it is null.
  explicit MainWindow(Dialogs* dialogs = nullptr, QWidget* parent = nullptr);
  ~MainWindow() override;

  Workspace& workspace() { return ws_; }
  Dialogs& dialogs() { return *dialogs_; }
  EditorWindow* editor() const { return editor_; }
  ProtocolWindow* protocolWindow() const { return protocol_; }
  ResultsWindow* resultsWindow() const { return results_; }
  FactsWindow* factsWindow() const { return facts_; }
  VariablesWindow* variablesWindow() const { return variables_; }
  HelpWindow* helpWindow() const { return help_; }
  TimingWindow* timingWindow() const { return timing_; }
  ClassDialog* classDialog() const { return classDialog_; }
  ClassElementsDialog* classElementsDialog() const { return classElements_; }
  ParameterDialog* parameterDialog() const { return parameterDialog_; }
  ParameterValuesDialog* parameterValuesDialog() const { return parameterValues_; }
  // The four declaration dialogs in start-up order: TForm6, TForm13, TForm7, TForm8.
  std::array<DeclarationDialog*, 4> declarationDialogs() const;
  // PopupMenu1: the editor's context menu with "гипотезы", "параметры" and "переменные".
  QMenu* contextMenu() const { return popup_; }
  // Running, tracing, the rule path and the diagnostics, with their windows.
  RunCommands* runCommands() const { return run_; }
  // The rule graph and the comparison of the methods, with their windows.
  AnalysisCommands* analysisCommands() const { return analysis_; }
  FindDialog* findDialog();
  // The merge dialog of the current use; null when none is open.
  MergeDialog* mergeDialog() const { return merge_; }
  ReplaceDialog* replaceDialog();
  QLineEdit* methodField() const { return methodField_; }
  // The actions of the commands that change the text or start a run: a run turns them off
  // while it is under way. The commands that only show windows stay on.
  const QList<QAction*>& runLockedActions() const { return runLocked_; }

  // Command boundaries. beginCommand takes the editor's text into the workspace; endCommand puts
  // changed lines back into the editor as one undoable edit and brings the caption, the method
  // field and the result windows up to date with the workspace.
  void beginCommand();
  void endCommand();
  // Shows the current run tables in their windows.
  void refreshResultWindows();
  // The four run-table windows in the order "Все окна" shows them: results, protocol, facts,
  // variables.
  std::array<TableWindow*, 4> resultWindows() const;

  // Loads a knowledge-base file as the project; a file that cannot be read is reported by name
  // and the text and caption stay. Used by "Окрыть" and by the program's argument.
  bool openFile(const QString& path);

  // "Не был создан проект" when no project is open; true when one is.
  bool projectGuard();

  // How a save ended: written (or left alone after "Закрыть"), the save-as dialog cancelled, or
  // the file could not be written (the user has been told).
  enum class SaveOutcome { Saved, Cancelled, Failed };
  // The save before a run (SpeedButton13Click): false only when a write failed, so that the run
  // does not go on; a cancelled save-as dialog lets it go on.
  bool saveBeforeRun();

  // Before a command replaces a text that has unsaved changes: asks "Несохранённые изменения"
  // and saves when the user says so. True when the command may go on (nothing unsaved, saved,
  // or "Не сохранять"); false after "Отмена" or when the save did not take place.
  bool mayDiscardEdits();
  // Within a command, before the diagnostics or a run: a text narrowed by the tree becomes the
  // whole knowledge base again, with the part's edits in it (unsaved as they were).
  void showWholeText();
  // The buttons of that question, left to right.
  enum UnsavedChoice { kSaveChanges, kDiscardChanges, kCancelCommand };

 public slots:
  void newProject();      // "Новый проект", Ctrl+F1
  void openProject();     // "Окрыть", F3
  void closeProject();    // "Закрыть", F4
  // "Сохранить", F2; the save before a run. False when the text could not be saved (a failed
  // write or a cancelled save-as dialog).
  bool SpeedButton13Click();
  // "Сохранить как": false when cancelled or failed.
  bool N6Click();
  void printerSetup();    // "Установка принтера"
  void print();           // "Печать", F5
  void exitProgram();     // "Выход", Alt+X
  void undo();
  void cut();
  void copy();
  void paste();
  void clearAll();
  void selectAll();
  void showFind();
  void showReplace();
  void N22Click();        // "Сброс", F7
  void addSections();     // "Добавление разделов": the section-names dialog
  void writeSectionFrames();  // the section-names dialog's "Закрыть"
  void showMerge();       // "Объединение файлов в проект": a new merge dialog
  void SpeedButton2Click();   // the hierarchy tree of the knowledge base
  // A click on a node of the tree narrows the text to it; the root shows the whole file.
  // Nodes of the same text are told apart by their number among them, top to bottom.
  void TreeView1Click(bool root, const QString& text, int occurrence = 0);
  void N55Click();        // "Классы": refresh of classes and parameters from the text
  void N56Click();        // "Элементы класса": refresh of values and variables
  // PopupMenu1Popup: refreshes the declaration lists and rebuilds the context menu's entries.
  void PopupMenu1Popup();
  // AddClick: a value or variable entry inserts its text at the editor's caret.
  void AddClick(const MenuEntry& entry);
  void chooseMethod(InferenceMethod method);  // "Выбор метода"
  void N67Click();        // "Подключить": diagnostics before a run
  void N68Click();        // "Отключить"
  void showProtocol();
  void showFacts();
  void showVariables();
  void showResults();
  void showAllResults();  // "Все окна": results, protocol, facts, variables
  // "Сохранить ответы": the answers of the last run as an answers file that veksa-cli run
  // --answers replays.
  void saveRunAnswers();
  void showHelp();        // "Справка", F1
  void showAbout();       // "О программе"

 signals:
  // Commands that other parts of the desktop program carry out; the menus and the tool bar
  // only start them (after the project guard where the command has one).
  void mergeRequested();                  // "Объединение файлов в проект"
  void classesRefreshRequested();         // N55Click: "Классы"
  void elementsRefreshRequested();        // N56Click: "Элементы класса"
  void classDialogRequested();            // "Ввод класса" (TForm6), guarded
  void classElementsDialogRequested();    // "Ввод элементов класса" (TForm13), guarded
  void parameterDialogRequested();        // "Ввод параметров" (TForm7), guarded
  void parameterValuesDialogRequested();  // "Ввод значений параметров" (TForm8), guarded
  void sequentialPathRequested();         // "Установка последовательного пути"
  void givenPathRequested();              // "Установка заданного пути"
  void deletePathRequested();             // "Удаление текущего пути"
  void rulePathWindowRequested();         // tool button "Описание пути ...", guarded
  void runRequested();                    // N20Click, SpeedButton9Click: F9
  void traceRequested();                  // N44Click: F8
  void diagnosticsRequested();            // N49Click: F6
  void hierarchyRequested();              // SpeedButton2Click
  void ruleGraphRequested();              // "Граф правил", Ctrl+G
  void methodComparisonRequested();       // "Сравнение методов", Ctrl+M
  // The end of every outermost command, after the windows have been brought up to date.
  void commandEnded();
  // A knowledge base was put in the editor: a file by openFile, or a new one by "Новый проект".
  void projectLoaded();

 protected:
  // Closing the window ends the program, after the question about unsaved changes.
  void closeEvent(QCloseEvent* event) override;
  // StatusBar1Hint: the hint of whatever control the mouse is over, in any window of the
  // program, goes to the status bar.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Whether a command's action stays on while a run is under way.
  enum class DuringRun { Off, On };
  // A command's action, owned by the window and added to `into` (a menu, or the window for a key
  // without a menu item; null for an action that the caller adds to a menu and the tool bar).
  QAction* command(QWidget* into, const QString& caption, const QKeySequence& key = {},
                   DuringRun duringRun = DuringRun::Off);
  // The actions that a menu and the tool bar share, and the F6 key.
  void createActions();
  void createMenus();
  void createFileMenu();
  void createEditingMenus();
  void createSettingsMenu();
  void createRunMenu();
  void createResultsAndHelpMenus();
  void createToolBar();
  // The commands of other windows that the menus and the tool bar announce by signals.
  void connectCommands();
  void merge();
  void createDeclarationDialogs();
  void showDialog(QWidget* dialog);
  // The class and parameter dialogs that the refresh of classes closed hide.
  void hideDialogsClosedByRefresh(const ClosedDialogs& closed);
  void showDeclarationLists();
  void showContextMenu(const QPoint& at);
  void findNext(const QString& what, bool matchCase);
  void replaceFirst(const QString& what, const QString& with);
  void replaceAll(const QString& what, const QString& with);
  // The editor is usable: a project is open and its window is not closed.
  bool editorOpen() const;
  // "Новый проект" and "Окрыть" bring a closed editor window back.
  void reopenEditor();
  QPrinter& printer();
  void showError(const std::string& error);
  // The lines now equal their file (loaded, saved, or a new knowledge base): the editor takes
  // them as its saved text once the command has shown them.
  void textMatchesFile();
  void takeSavedText();
  SaveOutcome save();
  SaveOutcome saveAs();
  // The save dialog's name (empty when cancelled). When it lacks `extension`, the file is written
  // with it added; if that names another existing file, the user is asked under `caption` first.
  QString askSaveName(const QString& filter, const QString& caption, std::u16string_view extension);

  Workspace ws_;
  std::unique_ptr<Dialogs> ownDialogs_;
  Dialogs* dialogs_;
  QMdiArea* mdi_;
  QLineEdit* methodField_;
  // The commands that have both a menu item and a tool button.
  struct SharedActions {
    QAction* newProject = nullptr;
    QAction* open = nullptr;
    QAction* addSections = nullptr;
    QAction* save = nullptr;
    QAction* print = nullptr;
    QAction* run = nullptr;
    QAction* undo = nullptr;
    QAction* cut = nullptr;
    QAction* copy = nullptr;
    QAction* paste = nullptr;
    QAction* clearAll = nullptr;
  } actions_;
  QList<QAction*> runLocked_;
  EditorWindow* editor_ = nullptr;
  ProtocolWindow* protocol_ = nullptr;
  ResultsWindow* results_ = nullptr;
  FactsWindow* facts_ = nullptr;
  VariablesWindow* variables_ = nullptr;
  HelpWindow* help_ = nullptr;
  TimingWindow* timing_ = nullptr;
  RunCommands* run_ = nullptr;
  AnalysisCommands* analysis_ = nullptr;
  FindDialog* find_ = nullptr;
  ReplaceDialog* replace_ = nullptr;
  MergeDialog* merge_ = nullptr;
  ClassDialog* classDialog_ = nullptr;
  ClassElementsDialog* classElements_ = nullptr;
  ParameterDialog* parameterDialog_ = nullptr;
  ParameterValuesDialog* parameterValues_ = nullptr;
  QMenu* popup_ = nullptr;
  std::unique_ptr<QPrinter> printer_;
  int commandDepth_ = 0;
  std::optional<QString> savedText_;  // for the editor at the end of the current command
  bool exitConfirmed_ = false;    // "Выход" has asked its questions: closing asks no more
  // The narrowing when the outermost command began: a command that starts or ends it shows the
  // new text as a fresh load, without undo, since undo would then show a whole file as a part of
  // itself (or a part as the whole) and the next save would write it so.
  std::optional<Workspace::Narrowing> narrowingAtStart_;
};

// One command from start to end: the editor's text goes into the workspace when it begins and the
// changed workspace comes back into the windows when it ends. Scopes nest: only the outermost one
// takes and gives back the text.
class CommandScope {
 public:
  explicit CommandScope(MainWindow& window) : window_(window) { window_.beginCommand(); }
  ~CommandScope() { window_.endCommand(); }
  CommandScope(const CommandScope&) = delete;
  CommandScope& operator=(const CommandScope&) = delete;

 private:
  MainWindow& window_;
};

}  // namespace veksa

#endif  // VEKSA_UI_MAIN_WINDOW_H_
