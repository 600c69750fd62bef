// Find and replace dialogs.
#include "ui/search_dialogs.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace veksa {

SearchDialog::SearchDialog(const QString& formName, const QString& caption, QWidget* parent)
    : QDialog(parent), grid_(new QGridLayout(this)) {
  setObjectName(formName);
  setWindowTitle(caption);
  find_ = addField(QStringLiteral("Что:"), "findText");
  findNext_ = addButton(QStringLiteral("Найти далее"), "findNextButton");
  findNext_->setDefault(true);
  enableWithFindText(findNext_);
  connect(findNext_, &QPushButton::clicked, this, [this] { emit findNextRequested(find_->text()); });
}

QLineEdit* SearchDialog::addField(const QString& label, const char* name) {
  auto* field = new QLineEdit(this);
  field->setObjectName(name);
  field->setMinimumWidth(220);
  auto* caption = new QLabel(label, this);
  caption->setBuddy(field);
  grid_->addWidget(caption, fields_, 0);
  grid_->addWidget(field, fields_, 1);
  ++fields_;
  return field;
}

QPushButton* SearchDialog::addButton(const QString& caption, const char* name) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  grid_->addWidget(button, buttons_++, 2);
  return button;
}

void SearchDialog::enableWithFindText(QPushButton* button) {
  button->setEnabled(!find_->text().isEmpty());
  connect(find_, &QLineEdit::textChanged, button,
          [button](const QString& text) { button->setEnabled(!text.isEmpty()); });
}

FindDialog::FindDialog(QWidget* parent) : SearchDialog("FindDialog1", QStringLiteral("Найти"), parent) {
  connect(addButton(QStringLiteral("Отмена"), "cancelButton"), &QPushButton::clicked, this,
          &QDialog::reject);
}

ReplaceDialog::ReplaceDialog(QWidget* parent)
    : SearchDialog("ReplaceDialog1", QStringLiteral("Заменить"), parent),
      replace_(addField(QStringLiteral("Чем:"), "replaceText")),
      replaceOne_(addButton(QStringLiteral("Заменить"), "replaceButton")),
      replaceAll_(addButton(QStringLiteral("Заменить все"), "replaceAllButton")) {
  for (QPushButton* button : {replaceOne_, replaceAll_}) {
    enableWithFindText(button);
    connect(button, &QPushButton::clicked, this,
            [this] { emit replaceRequested(findField()->text(), replace_->text()); });
  }
  connect(addButton(QStringLiteral("Отмена"), "cancelButton"), &QPushButton::clicked, this,
          &QDialog::reject);
}

}  // namespace veksa
