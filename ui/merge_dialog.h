// The merge dialog (TForm9), "Объединение файлов в проект": the knowledge-base files of the current
// directory, the project files chosen from them (in order, repeats allowed), the project file name
// and the data file name. A new dialog is made for every use; closing it (its buttons or Esc)
// hides it for good.
#ifndef VEKSA_UI_MERGE_DIALOG_H_
#define VEKSA_UI_MERGE_DIALOG_H_

#include <QDialog>

#include "engine/merge.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace veksa {

class MergeDialog : public QDialog {
  Q_OBJECT

 public:
  // Lists the "*.vks" files of the current working directory.
  explicit MergeDialog(QWidget* parent = nullptr);

  QListWidget* fileList() const { return files_; }
  QListWidget* projectFiles() const { return project_; }
  QLineEdit* projectNameField() const { return projectName_; }
  QComboBox* dataFileField() const { return dataFile_; }

  // What "да" asks to merge.
  MergeRequest request() const;

  // Called while "да" is answered: the merge did not take place (the user kept unsaved changes),
  // so the dialog stays open with its choices.
  void stayOpen() { stayOpen_ = true; }

  // The regular, non-hidden files of the current working directory that match "*.vks", by name.
  static QStringList knowledgeBaseFiles();

 signals:
  // "да": the merge is to be done now; the dialog closes after it unless told to stay open.
  void mergeConfirmed();
  // The dialog was closed, whichever way.
  void closed();

 protected:
  void done(int result) override;

 private:
  QPushButton* addButton(const QString& caption, const char* name);
  void addTicked();
  void addAll();
  void removeTicked();

  QListWidget* files_;
  QListWidget* project_;
  QLineEdit* projectName_;
  QComboBox* dataFile_;
  QList<QPushButton*> buttons_;
  bool stayOpen_ = false;
};

}  // namespace veksa

#endif  // VEKSA_UI_MERGE_DIALOG_H_
