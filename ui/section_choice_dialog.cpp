// The section choice.
#include "ui/section_choice_dialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/key_preview.h"
#include "ui/qt_text.h"
#include "ui/window_buttons.h"
#include "ui/window_placement.h"

namespace veksa {

SectionChoiceDialog::SectionChoiceDialog(const SectionChoice& choice, QWidget* parent)
    : QDialog(parent, closeBoxOnly(Qt::Dialog)),
      offered_(choice),
      list_(new QListWidget(this)),
      cancel_(new QPushButton(QStringLiteral("Отмена"), this)),
      next_(new QPushButton(QStringLiteral("Далее"), this)),
      done_(new QPushButton(QStringLiteral("Готово"), this)) {
  setObjectName("TForm3");
  offerCloseOnly(this);  // the close box cancels, as Esc does
  setWindowTitle(QStringLiteral("Разделы"));
  list_->setObjectName("CheckListBox1");
  cancel_->setObjectName("Button1");
  next_->setObjectName("Button3");
  done_->setObjectName("Button2");
  done_->hide();
  for (std::size_t i = 0; i < offered_.items.size(); ++i) {
    auto* item = new QListWidgetItem(toQString(offered_.items[i]), list_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    const bool checked = i < offered_.checked.size() && offered_.checked[i];
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  }
  if (list_->count() > 0) list_->setCurrentRow(0);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cancel_);
  buttons->addStretch(1);
  buttons->addWidget(next_);
  buttons->addWidget(done_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addLayout(buttons);
  resize(260, 280);

  connect(done_, &QPushButton::clicked, this, &SectionChoiceDialog::Button2Click);
  connect(next_, &QPushButton::clicked, this, &SectionChoiceDialog::Button2Click);
  connect(cancel_, &QPushButton::clicked, this, &SectionChoiceDialog::reject);
  // Enter belongs to the dialog ("Готово"), not to whichever button has the focus.
  for (QPushButton* button : {cancel_, next_, done_}) button->setAutoDefault(false);
  previewKeys(this, this);
}

SectionChoice SectionChoiceDialog::marks() const {
  SectionChoice choice = offered_;
  for (int i = 0; i < list_->count() && static_cast<std::size_t>(i) < choice.checked.size(); ++i) {
    choice.checked[static_cast<std::size_t>(i)] = list_->item(i)->checkState() == Qt::Checked;
  }
  return choice;
}

void SectionChoiceDialog::Button2Click() {
  if (answered_) return;
  answered_ = true;
  const SectionChoice choice = marks();
  hide();
  emit chosen(choice);
}

void SectionChoiceDialog::reject() {
  if (answered_) return;
  answered_ = true;
  hide();
  emit cancelled();
}

bool SectionChoiceDialog::eventFilter(QObject* watched, QEvent* event) {
  if (isEnterPress(event) && isVisible()) {
    Button2Click();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void SectionChoiceDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  centreOnScreen(this);
}

}  // namespace veksa
