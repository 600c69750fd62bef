// The section-names dialog (TForm2): collects the names of new sections. The editor window creates
// it hidden; "Новый проект" shows it with an empty list.
#ifndef VEKSA_UI_SECTION_NAMES_DIALOG_H_
#define VEKSA_UI_SECTION_NAMES_DIALOG_H_

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace veksa {

class SectionNamesDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SectionNamesDialog(QWidget* parent = nullptr);

  QLineEdit* nameField() const { return field_; }
  QListWidget* nameList() const { return list_; }
  QPushButton* closeButton() const { return close_; }

  // Empties the input field and the list; the caption stays.
  void clearNames();

 private:
  QLineEdit* field_;
  QListWidget* list_;
  QPushButton* close_;
};

}  // namespace veksa

#endif  // VEKSA_UI_SECTION_NAMES_DIALOG_H_
