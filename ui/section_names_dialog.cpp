// The section-names dialog.
#include "ui/section_names_dialog.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace veksa {

SectionNamesDialog::SectionNamesDialog(QWidget* parent)
    : QDialog(parent),
      field_(new QLineEdit(this)),
      list_(new QListWidget(this)),
      close_(new QPushButton(QStringLiteral("Закрыть"), this)) {
  setObjectName("TForm2");
  setWindowTitle(QStringLiteral("Введите названия разделов"));
  field_->setObjectName("nameField");
  list_->setObjectName("nameList");
  close_->setObjectName("closeButton");
  close_->setAutoDefault(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(field_);
  layout->addWidget(list_);
  layout->addWidget(close_, 0, Qt::AlignRight);
  connect(close_, &QPushButton::clicked, this, &QDialog::hide);
  resize(300, 260);
}

void SectionNamesDialog::clearNames() {
  field_->clear();
  list_->clear();
}

}  // namespace veksa
