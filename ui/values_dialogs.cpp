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

ValuesDialog::ValuesDialog(Workspace& ws, Dialogs& dialogs, DeclarationKind kind,
                           const Texts& texts, QWidget* parent)
    : DeclarationDialog(ws, dialogs, kind, texts.formName, texts.caption, parent),
      closeQuestion_(texts.closeQuestion) {
  body()->addWidget(new QLabel(texts.choiceLabel, this));
  choice_ = addField("choiceList", texts.choiceHint, false);
  body()->addWidget(new QLabel(texts.valuesLabel, this));
  values_ = addField("valueList", kValuesHint, true);
  write_ = makeButton(texts.writeCaption, "writeButton");
  write_->setToolTip(texts.writeHint);
  write_->setStatusTip(texts.writeHint);
  body()->addWidget(write_, 0, Qt::AlignLeft);
  addButtonRow(values_, {addValue, deleteValue, renameValue});

  // Whatever changes the chosen name, typing or picking, shows that name's values. Only the value
  // list changes, so the text the user types stays as it is.
  connect(choice_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    chooseName(d_, kind_, toLine(text));
    fill(values_, listsOf(d_, kind_).values);
  });
  connect(write_, &QPushButton::clicked, this, &ValuesDialog::writeDeclaration);
  connect(closeButton(), &QPushButton::clicked, this, &ValuesDialog::closeAsking);
  resize(420, 210);
}

void ValuesDialog::showLists() {
  const KindLists lists = listsOf(d_, kind_);
  fill(choice_, lists.choice);
  fill(values_, lists.values);
  // A refresh emptied the choice with the value list: the field shows it.
  if (lists.chosen.empty() && !choice_->currentText().isEmpty()) {
    const QSignalBlocker block(choice_);
    choice_->setEditText(QString());
  }
}

void ValuesDialog::writeDeclaration() {
  const Line name = textOf(choice_);
  run([&] { veksa::writeDeclaration(ws_.lines, d_, kind_, name); });
}

void ValuesDialog::closeAsking() {
  if (dialogs_.question(this, QStringLiteral("Предупреждение"), closeQuestion_)) {
    writeDeclaration();
  }
  hide();
}

ClassElementsDialog::ClassElementsDialog(Workspace& ws, Dialogs& dialogs, QWidget* parent)
    : ValuesDialog(ws, dialogs, DeclarationKind::Class,
                   {"TForm13", QStringLiteral("Ввод элементов класса гипотез"),
                    QStringLiteral("Класс гипотез"), QStringLiteral("Список выбора гипотезы"),
                    QStringLiteral("Элементы класса гипотез:"),
                    QStringLiteral("Добавить в базу знаний класса гипотез"),
                    QStringLiteral("Добавление гипотезу со значениями в базу знаний "),
                    QStringLiteral("Добавить класс гипотез в базу знаний")},
                   parent) {}

void ClassElementsDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && focusWidget()) return;
  ValuesDialog::keyPressEvent(event);
}

ParameterValuesDialog::ParameterValuesDialog(Workspace& ws, Dialogs& dialogs, QWidget* parent)
    : ValuesDialog(ws, dialogs, DeclarationKind::Parameter,
                   {"TForm8", QStringLiteral("Ввод значений параметра"), QStringLiteral("Параметр"),
                    QStringLiteral("Список выбора параметра"), QStringLiteral("Значения:"),
                    QStringLiteral("Добавить в базу знаний параметры"),
                    QStringLiteral("Добавление параметра со значениями в базу знаний "),
                    QStringLiteral("Добавить параметры в базу знаний")},
                   parent) {}

}  // namespace veksa
