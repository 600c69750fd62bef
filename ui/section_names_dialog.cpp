// The section-names dialog.
#include "ui/section_names_dialog.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "kb/section_frames.h"
#include "ui/key_filter.h"
#include "ui/qt_text.h"

namespace veksa {

SectionNamesDialog::SectionNamesDialog(Workspace& ws, QWidget* parent)
    : QDialog(parent),
      ws_(ws),
      field_(new QLineEdit(this)),
      list_(new QListWidget(this)),
      close_(new QPushButton(QStringLiteral("Закрыть"), this)) {
  setObjectName("TForm2");
  setWindowTitle(QStringLiteral("Введите названия разделов"));
  field_->setObjectName("nameField");
  list_->setObjectName("nameList");
  list_->setFocusPolicy(Qt::NoFocus);
  close_->setObjectName("closeButton");
  close_->setAutoDefault(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(field_);
  layout->addWidget(list_);
  layout->addWidget(close_, 0, Qt::AlignRight);
  (new KeyFilter(field_))
      ->on(kAddKeys, [this] { addName(); })
      .on({Qt::Key_Delete}, [this] { removeName(); });
  // Esc is the dialog's own reject: it hides and keeps the list.
  connect(close_, &QPushButton::clicked, this, [this] {
    hide();
    emit framesRequested();
  });
  resize(300, 260);
  showNames();
}

void SectionNamesDialog::clearNames() {
  field_->clear();
  ws_.newSectionNames.clear();
  showNames();
}

void SectionNamesDialog::addName() {
  if (addSectionName(ws_.newSectionNames, toLine(field_->text()))) field_->clear();
  showNames();
}

void SectionNamesDialog::removeName() {
  if (field_->text().isEmpty()) return;
  removeSectionName(ws_.newSectionNames, toLine(field_->text()));
  showNames();
}

void SectionNamesDialog::showNames() {
  list_->clear();
  for (const Line& name : ws_.newSectionNames) list_->addItem(toQString(name));
}

}  // namespace veksa
