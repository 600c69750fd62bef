// The class-elements and parameter-values dialogs.
#include "ui/values_dialogs.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/dialogs.h"
#include "ui/qt_text.h"

namespace veksa {

namespace {
const QString kValuesHint = QStringLiteral("Добавление значений в список- Insert, удаление - Delete");
}  // namespace

ValuesDialog::ValuesDialog(Workspace& ws, Dialogs& dialogs, const Texts& texts,
                           const Operations& ops, QWidget* parent)
    : DeclarationDialog(ws, dialogs, texts.formName, texts.caption, parent),
      ops_(ops),
      closeQuestion_(texts.closeQuestion) {
  body()->addWidget(new QLabel(texts.choiceLabel, this));
  choice_ = addField("choiceList", texts.choiceHint, false);
  body()->addWidget(new QLabel(texts.valuesLabel, this));
  values_ = addField("valueList", kValuesHint, true);
  write_ = makeButton(texts.writeCaption, "writeButton");
  write_->setToolTip(texts.writeHint);
  write_->setStatusTip(texts.writeHint);
  body()->addWidget(write_, 0, Qt::AlignLeft);
  addButtonRow(values_, ops.editing);

  // Whatever changes the chosen name, typing or picking, shows that name's values. Only the value
  // list changes, so the text the user types stays as it is.
  connect(choice_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    ops_.choose(d_, toLine(text));
    fill(values_, d_.*ops_.values);
  });
  connect(write_, &QPushButton::clicked, this, &ValuesDialog::writeDeclaration);
  connect(closeButton(), &QPushButton::clicked, this, &ValuesDialog::closeAsking);
  resize(420, 210);
}

void ValuesDialog::showLists() {
  fill(choice_, d_.*ops_.choice);
  fill(values_, d_.*ops_.values);
  // A refresh emptied the choice with the value list: the field shows it.
  if ((d_.*ops_.chosen).empty() && !choice_->currentText().isEmpty()) {
    const QSignalBlocker block(choice_);
    choice_->setEditText(QString());
  }
}

void ValuesDialog::writeDeclaration() {
  const Line name = textOf(choice_);
  run([&] { ops_.write(ws_.lines, d_, name); });
}

void ValuesDialog::closeAsking() {
  if (dialogs_.question(this, QStringLiteral("Предупреждение"), closeQuestion_)) {
    writeDeclaration();
  }
  hide();
}

ClassElementsDialog::ClassElementsDialog(Workspace& ws, Dialogs& dialogs, QWidget* parent)
    : ValuesDialog(ws, dialogs,
                   {"TForm13", QStringLiteral("Ввод элементов класса гипотез"),
                    QStringLiteral("Класс гипотез"), QStringLiteral("Список выбора гипотезы"),
                    QStringLiteral("Элементы класса гипотез:"),
                    QStringLiteral("Добавить в базу знаний класса гипотез"),
                    QStringLiteral("Добавление гипотезу со значениями в базу знаний "),
                    QStringLiteral("Добавить класс гипотез в базу знаний")},
                   {&DeclarationLists::classChoice,
                    &DeclarationLists::classChosen,
                    &DeclarationLists::classValues,
                    chooseClass,
                    {addClassValue, deleteClassValue, renameClassValue},
                    writeClassDeclaration},
                   parent) {}

void ClassElementsDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && focusWidget()) return;
  ValuesDialog::keyPressEvent(event);
}

ParameterValuesDialog::ParameterValuesDialog(Workspace& ws, Dialogs& dialogs, QWidget* parent)
    : ValuesDialog(ws, dialogs,
                   {"TForm8", QStringLiteral("Ввод значений параметра"), QStringLiteral("Параметр"),
                    QStringLiteral("Список выбора параметра"), QStringLiteral("Значения:"),
                    QStringLiteral("Добавить в базу знаний параметры"),
                    QStringLiteral("Добавление параметра со значениями в базу знаний "),
                    QStringLiteral("Добавить параметры в базу знаний")},
                   {&DeclarationLists::parameterChoice,
                    &DeclarationLists::parameterChosen,
                    &DeclarationLists::parameterValues,
                    chooseParameter,
                    {addParameterValue, deleteParameterValue, renameParameterValue},
                    writeParameterDeclaration},
                   parent) {}

}  // namespace veksa
