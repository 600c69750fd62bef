// The class and parameter dialogs.
#include "ui/name_list_dialogs.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QPushButton>


namespace veksa {

NameListDialog::NameListDialog(Workspace& ws, Dialogs& dialogs, DeclarationKind kind,
                               const char* formName, const QString& caption, const char* fieldName,
                               const QString& fieldHint, QWidget* parent)
    : DeclarationDialog(ws, dialogs, kind, formName, caption, parent) {
  field_ = addField(fieldName, fieldHint, true);
  addButtonRow(field_, {addName, deleteName, renameName});
  connect(closeButton(), &QPushButton::clicked, this, &NameListDialog::reject);
  resize(420, 110);
}

void NameListDialog::showLists() { fill(field_, listsOf(d_, kind_).names); }

void NameListDialog::reject() {
  run([this] { closeNameDialog(d_, kind_); });
  QDialog::reject();
}

ClassDialog::ClassDialog(Workspace& ws, Dialogs& dialogs, QWidget* parent)
    : NameListDialog(ws, dialogs, DeclarationKind::Class, "TForm6",
                     QStringLiteral("Ввод класса гипотез"), "classList",
                     QStringLiteral("Вставка гипотез - клавиша Insert, Удаление гипотезы из "
                                    "списка - клавиша Delete"),
                     parent) {}

void ClassDialog::mousePressEvent(QMouseEvent* event) {
  widen(field());
  NameListDialog::mousePressEvent(event);
}

ParameterDialog::ParameterDialog(Workspace& ws, Dialogs& dialogs, QWidget* parent)
    : NameListDialog(
          ws, dialogs, DeclarationKind::Parameter, "TForm7", QStringLiteral("Ввод параметров"),
          "parameterList",
          QStringLiteral("Вставка параметра - клавиша Insert, удаление - клавиша Delete"), parent) {
}

}  // namespace veksa
