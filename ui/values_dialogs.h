// The twin dialogs that declare the values of a class or a parameter and write its declaration
// line into the knowledge base: the class-elements dialog (TForm13, "Ввод элементов класса
// гипотез") and the parameter-values dialog (TForm8, "Ввод значений параметра").
#ifndef VEKSA_UI_VALUES_DIALOGS_H_
#define VEKSA_UI_VALUES_DIALOGS_H_

#include "ui/declaration_dialog.h"

class QComboBox;
class QPushButton;

namespace veksa {

class ValuesDialog : public DeclarationDialog {
  Q_OBJECT

 public:
  // The texts that tell the twins apart.
  struct Texts {
    const char* formName;
    QString caption;
    QString choiceLabel;
    QString choiceHint;
    QString valuesLabel;
    QString writeCaption;
    QString writeHint;
    QString closeQuestion;
  };

  QComboBox* choiceField() const { return choice_; }
  QComboBox* valueField() const { return values_; }
  QPushButton* writeButton() const { return write_; }
  void showLists() override;

 protected:
  ValuesDialog(Workspace& ws, Dialogs& dialogs, DeclarationKind kind, const Texts& texts,
               QWidget* parent);
  // Esc hides the dialog without asking.
  void reject() override { QDialog::reject(); }

 private:
  // "Добавить в базу знаний ...": the declaration line of the chosen name with the listed values.
  void writeDeclaration();
  // "Закрыть": asks whether to write first, then hides.
  void closeAsking();

  QString closeQuestion_;
  QComboBox* choice_;
  QComboBox* values_;
  QPushButton* write_;
};

class ClassElementsDialog : public ValuesDialog {
  Q_OBJECT

 public:
  ClassElementsDialog(Workspace& ws, Dialogs& dialogs, QWidget* parent);

 protected:
  // Esc is heard only while no control of the dialog has the keyboard focus.
  void keyPressEvent(QKeyEvent* event) override;
};

class ParameterValuesDialog : public ValuesDialog {
  Q_OBJECT

 public:
  ParameterValuesDialog(Workspace& ws, Dialogs& dialogs, QWidget* parent);
};

}  // namespace veksa

#endif  // VEKSA_UI_VALUES_DIALOGS_H_
