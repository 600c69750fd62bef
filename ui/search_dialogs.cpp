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
  enableWithFindText(replaceOne_);
  enableWithFindText(replaceAll_);
  connect(replaceOne_, &QPushButton::clicked, this,
          [this] { emit replaceRequested(findField()->text(), replace_->text()); });
  connect(replaceAll_, &QPushButton::clicked, this,
          [this] { emit replaceAllRequested(findField()->text(), replace_->text()); });
  QPushButton* cancel = addButton(QStringLiteral("Отмена"), "cancelButton");
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  // Tab goes from the find text to the replacement, then through the buttons.
  QWidget* const order[] = {findField(), replace_, findNextButton(), replaceOne_, replaceAll_,
                            cancel};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

}  // namespace veksa
