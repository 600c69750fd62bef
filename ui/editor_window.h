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
class QToolBar;
class QTreeWidget;

namespace veksa {

class Dialogs;
class SectionNamesDialog;

class EditorWindow : public QMdiSubWindow {
  Q_OBJECT

 public:
  // Creates the window with the section-names dialog, hidden, and opens the project.
  EditorWindow(Workspace& ws, Dialogs& dialogs, QWidget* parent = nullptr);

  QPlainTextEdit* text() const { return text_; }  // RichEdit1
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
  // The caption is the workspace's file name.
  void showCaption();

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

 signals:
  void closed();
  // TreeView1Click: a node of the tree was clicked; `root` for "БАЗА ЗНАНИЙ".
  void treeNodeClicked(bool root, const QString& text);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void addKeywordButtons();
  // The "END" button: inserts "END " and checks the rule above the caret.
  void Button12Click();

  Workspace& ws_;
  Dialogs& dialogs_;
  QToolBar* keywords_;
  QTreeWidget* tree_;
  QPlainTextEdit* text_;
  QLineEdit* insertionBox_;  // Edit4, never shown
  SectionNamesDialog* sectionNames_;
  bool closed_ = false;
  bool pushing_ = false;  // the text changes because the workspace changed, not the user
};

}  // namespace veksa

#endif  // VEKSA_UI_EDITOR_WINDOW_H_
