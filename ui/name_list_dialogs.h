// The twin dialogs that keep the lists of names: the class dialog (TForm6, "Ввод класса гипотез")
// and the parameter dialog (TForm7, "Ввод параметров"). Adding a name puts it into the dialog's
// sorted list, its menu and the choice list of the elements or values dialog; deleting takes it out
// of all three; none of this touches the knowledge base.
#ifndef VEKSA_UI_NAME_LIST_DIALOGS_H_
#define VEKSA_UI_NAME_LIST_DIALOGS_H_

#include "ui/declaration_dialog.h"

class QComboBox;

namespace veksa {

class NameListDialog : public DeclarationDialog {
  Q_OBJECT

 public:
  QComboBox* field() const { return field_; }
  void showLists() override;
  // Hides the dialog as the refresh of classes and parameters closes it (without the rebuild of
  // the menu, which the refresh does itself).
  void hideForRefresh() { QDialog::reject(); }

 protected:
  NameListDialog(Workspace& ws, Dialogs& dialogs, DeclarationKind kind, const char* formName,
                 const QString& caption, const char* fieldName, const QString& fieldHint,
                 QWidget* parent);
  // "Закрыть" and Esc from any control: an empty menu is rebuilt from the list, then the dialog
  // hides.
  void reject() override;

 private:
  QComboBox* field_;
};

class ClassDialog : public NameListDialog {
  Q_OBJECT

 public:
  ClassDialog(Workspace& ws, Dialogs& dialogs, QWidget* parent);

 protected:
  // A click on a free part of the dialog widens the field too.
  void mousePressEvent(QMouseEvent* event) override;
};

class ParameterDialog : public NameListDialog {
  Q_OBJECT

 public:
  ParameterDialog(Workspace& ws, Dialogs& dialogs, QWidget* parent);
};

}  // namespace veksa

#endif  // VEKSA_UI_NAME_LIST_DIALOGS_H_
