// What the four declaration dialogs (TForm6, TForm7, TForm13, TForm8) share: a small, sizeable,
// always-on-top tool window without title-bar buttons that edits the declaration lists of the
// workspace through editable drop-down lists, shows the lists again after every command, answers
// the name checks with "Пробелы не допустимы!" and widens a field on a double click.
#ifndef VEKSA_UI_DECLARATION_DIALOG_H_
#define VEKSA_UI_DECLARATION_DIALOG_H_

#include <QDialog>
#include <functional>

#include "engine/workspace.h"

class QComboBox;
class QPushButton;
class QVBoxLayout;

namespace veksa {

class Dialogs;

class DeclarationDialog : public QDialog {
  Q_OBJECT

 public:
  // Runs an operation on the workspace inside the main window's command boundary, so that a
  // change of the knowledge base reaches the editor as one undoable edit and every window shows
  // the lists as they are afterwards.
  using CommandRunner = std::function<void(const std::function<void()>&)>;
  void setCommandRunner(CommandRunner runner) { run_ = std::move(runner); }

  // Shows the workspace's lists in the drop-downs; the text typed in a field stays.
  virtual void showLists() = 0;

  // The operations on the list that a dialog edits through its field and its buttons.
  struct ListEditing {
    NameStatus (*add)(DeclarationLists&, DeclarationKind, std::u16string_view);
    void (*remove)(DeclarationLists&, DeclarationKind, std::u16string_view);
    NameStatus (*rename)(DeclarationLists&, DeclarationKind, std::u16string_view);
  };

  // The four buttons every dialog ends with.
  QPushButton* addButton() const { return add_; }
  QPushButton* renameButton() const { return rename_; }
  QPushButton* deleteButton() const { return delete_; }
  QPushButton* closeButton() const { return close_; }

 protected:
  DeclarationDialog(Workspace& ws, Dialogs& dialogs, DeclarationKind kind, const char* formName,
                    const QString& caption, QWidget* parent);

  // An editable drop-down list with its hint; a double click on its field widens it. Picking an
  // entry from the drop-down of a list that `remembers` makes it the remembered entry.
  QComboBox* addField(const char* name, const QString& hint, bool remembers);
  // The row of "Добавить", "Редактировать", "Удалить" and "Закрыть" at the bottom. The first three
  // edit the list through `field`, as Insert or Enter (add) and Delete (when the field holds a
  // text) do in the field: an added name leaves the field empty, a deleted one stays in it; the
  // buttons give the field the focus back.
  void addButtonRow(QComboBox* field, const ListEditing& ops);
  QPushButton* makeButton(const QString& caption, const char* name);
  QVBoxLayout* body() const { return body_; }

  // The field takes the width of the dialog less 8 pixels.
  void widen(QComboBox* field);
  void addEntry();
  void removeEntry();
  void renameEntry();
  // Runs `op` as a command (see CommandRunner).
  void run(const std::function<void()>& op);
  // Runs a name operation as a command and reports a name with a space; true when it took place.
  bool runChecked(const std::function<NameStatus()>& op);
  // Fills a drop-down with a list, keeping what is typed in its field.
  static void fill(QComboBox* field, const Lines& list);
  static Line textOf(const QComboBox* field);

  Workspace& ws_;
  DeclarationLists& d_;
  Dialogs& dialogs_;
  const DeclarationKind kind_;  // the kind of declaration whose lists the dialog edits

 private:
  QVBoxLayout* body_;
  QPushButton* add_ = nullptr;
  QPushButton* rename_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* close_ = nullptr;
  QComboBox* edited_ = nullptr;
  ListEditing editing_{};
  CommandRunner run_;
};

}  // namespace veksa

#endif  // VEKSA_UI_DECLARATION_DIALOG_H_
