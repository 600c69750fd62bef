// The class and parameter dialogs.
#include "ui/name_list_dialogs.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QPushButton>


namespace veksa {

NameListDialog::NameListDialog(Workspace& ws, Dialogs& dialogs, const char* formName,
                               const QString& caption, const char* fieldName,
                               const QString& fieldHint, const Operations& ops, QWidget* parent)
    : DeclarationDialog(ws, dialogs, formName, caption, parent), ops_(ops) {
  field_ = addField(fieldName, fieldHint, true);
  addButtonRow(field_, ops.editing);
  connect(closeButton(), &QPushButton::clicked, this, &NameListDialog::reject);
  resize(420, 110);
}

void NameListDialog::showLists() { fill(field_, d_.*ops_.list); }

void NameListDialog::reject() {
  run([this] { ops_.close(d_); });
  QDialog::reject();
}

ClassDialog::ClassDialog(Workspace& ws, Dialogs& dialogs, QWidget* parent)
    : NameListDialog(ws, dialogs, "TForm6", QStringLiteral("Ввод класса гипотез"), "classList",
                     QStringLiteral("Вставка гипотез - клавиша Insert, Удаление гипотезы из "
                                    "списка - клавиша Delete"),
                     {&DeclarationLists::classList, {addClass, deleteClass, renameClass},
                      closeClassDialog},
                     parent) {}

void ClassDialog::mousePressEvent(QMouseEvent* event) {
  widen(field());
  NameListDialog::mousePressEvent(event);
}

ParameterDialog::ParameterDialog(Workspace& ws, Dialogs& dialogs, QWidget* parent)
    : NameListDialog(ws, dialogs, "TForm7", QStringLiteral("Ввод параметров"), "parameterList",
                     QStringLiteral("Вставка параметра - клавиша Insert, удаление - клавиша Delete"),
                     {&DeclarationLists::parameterList,
                      {addParameter, deleteParameter, renameParameter}, closeParameterDialog},
                     parent) {}

}  // namespace veksa
