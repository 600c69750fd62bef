// The knowledge-base editor window (TForm4): the one child of the main window. Its text is the
// knowledge base; a keyword toolbar inserts keywords at the caret, the "END" button checks the
// rule just finished, and the hierarchy tree stands on its left.
#ifndef VEKSA_UI_EDITOR_WINDOW_H_
#define VEKSA_UI_EDITOR_WINDOW_H_

#include <QMdiSubWindow>

#include "engine/workspace.h"
#include "kb/hierarchy.h"

class QLineEdit;
class QPlainTextEdit;
class QTextDocument;
class QToolBar;
class QTreeWidget;

namespace veksa {

class CodeEditor;
class Dialogs;
class KbHighlighter;
class SectionNamesDialog;

class EditorWindow : public QMdiSubWindow {
  Q_OBJECT

 public:
  // Creates the window with the section-names dialog, hidden, and opens the project.
  EditorWindow(Workspace& ws, Dialogs& dialogs, QWidget* parent = nullptr);

  QPlainTextEdit* text() const;  // RichEdit1, with line numbers in its margin
  CodeEditor* codeEditor() const { return text_; }
  // The highlighting of the text the editor shows (the run's copy during a run).
  KbHighlighter* highlighter() const;
  QTreeWidget* tree() const { return tree_; }     // TreeView1
  QToolBar* keywordBar() const { return keywords_; }
  SectionNamesDialog* sectionNames() const { return sectionNames_; }

  // The editor's text with "\n" between lines; character positions are the editor's.
  QString plainText() const;

  // The workspace and the editor are kept in step at command boundaries: pullLines takes the
  // text into the workspace's lines; pushLines puts changed lines back as one undoable edit
  // that replaces only what differs; loadLines shows a freshly loaded file in one piece.
  void pullLines();
  void pushLines();
  void loadLines();
  // The caption is the workspace's file name, with "*" after it while the text has unsaved
  // changes.
  void showCaption();

  // Unsaved changes: the user's text differs from the text last loaded or saved, which the main
  // window records with setSavedText. A run's copy of the text does not count.
  bool isModified() const { return modified_; }
  void setSavedText(const QString& text);

  // Closing the window only hides it and leaves no project open; reopen shows it again.
  bool isClosed() const { return closed_; }
  void reopen();

  // Inserts a text at the caret, replacing the selection: the text goes through the insertion
  // box Edit4 and the clipboard, where it stays.
  void insertText(const QString& text);
  // Selects `length` characters from `position` and gives the text the focus.
  void selectRange(int position, int length);
  // The hierarchy tree: shows the nodes, expanded; emptied by open, close and a new project.
  void showTree(const HierarchyNode& root);
  void clearTree();

  // While a run is under way the editor shows the run's own copy of the text, read-only: the
  // sections the run assembled and the lines a trace selects go there, and the user's document,
  // with its undo history, gets back only the text the run restores. Nothing is typed or
  // inserted meanwhile, and the window does not close.
  void beginRunView();
  void endRunView();
  bool inRunView() const { return runView_ != nullptr; }
  // The trace selection: gives the text the focus and selects the whole of line `index`.
  void selectLine(std::size_t index);

 signals:
  void closed();
  // TreeView1Click: a node of the tree was clicked; `root` for "БАЗА ЗНАНИЙ". `occurrence` counts
  // the nodes of the same text before it, top to bottom.
  void treeNodeClicked(bool root, const QString& text, int occurrence);
  // The text has come to differ from the saved text, or has come back to it.
  void modifiedChanged(bool modified);
  // The user's text changed (after modifiedChanged, when that changed too).
  void textChanged();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void addKeywordButtons();
  // The "END" button: inserts "END " and checks the rule above the caret.
  void Button12Click();
  // Compares the user's text with the saved text and announces a change of the outcome.
  void updateModified();

  Workspace& ws_;
  Dialogs& dialogs_;
  QToolBar* keywords_;
  QTreeWidget* tree_;
  CodeEditor* text_;
  KbHighlighter* highlighter_;  // of the user's document
  KbHighlighter* runHighlighter_ = nullptr;
  QLineEdit* insertionBox_;  // Edit4, never shown
  SectionNamesDialog* sectionNames_;
  bool closed_ = false;
  bool pushing_ = false;  // the text changes because the workspace changed, not the user
  QTextDocument* runView_ = nullptr;
  QTextDocument* userDocument_;  // the user's text, also while a run shows its own copy
  QString savedText_;
  bool modified_ = false;
  QObject* userDocumentParent_ = nullptr;
  int userCaret_ = 0;
  int userScroll_ = 0;
};

}  // namespace veksa

#endif  // VEKSA_UI_EDITOR_WINDOW_H_
