// The section-names dialog (TForm2): collects the names of new sections. Insert or Enter in the
// field adds the name, Delete removes it, Esc hides the dialog and keeps the list, "Закрыть" asks
// for the sections' empty frames to be appended to the knowledge base. The editor window creates
// it hidden; "Новый проект" shows it with an empty list.
#ifndef VEKSA_UI_SECTION_NAMES_DIALOG_H_
#define VEKSA_UI_SECTION_NAMES_DIALOG_H_

#include <QDialog>

#include "engine/workspace.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace veksa {

class SectionNamesDialog : public QDialog {
  Q_OBJECT

 public:
  // The names live in the workspace (newSectionNames); the dialog shows and edits them.
  explicit SectionNamesDialog(Workspace& ws, QWidget* parent = nullptr);

  QLineEdit* nameField() const { return field_; }
  QListWidget* nameList() const { return list_; }
  QPushButton* closeButton() const { return close_; }

  // Empties the input field and the list; the caption stays.
  void clearNames();

 signals:
  // "Закрыть": the frames of the listed names are to be appended to the knowledge base; whoever
  // appends them then calls clearNames. The dialog hides itself.
  void framesRequested();

 private:
  void addName();
  void removeName();
  void showNames();

  Workspace& ws_;
  QLineEdit* field_;
  QListWidget* list_;
  QPushButton* close_;
};

}  // namespace veksa

#endif  // VEKSA_UI_SECTION_NAMES_DIALOG_H_
