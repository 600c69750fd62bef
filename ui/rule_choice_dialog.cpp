// The trace rule choice.
#include "ui/rule_choice_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/key_preview.h"
#include "ui/qt_text.h"
#include "ui/window_buttons.h"
#include "ui/window_placement.h"

namespace veksa {

RuleChoiceDialog::RuleChoiceDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      label_(new QLabel(QStringLiteral("Выберите из списка необходимое правило"), this)),
      combo_(new QComboBox(this)) {
  setObjectName("TForm17");
  offerCloseOnly(this);
  setWindowTitle(QStringLiteral("Трассировка"));
  label_->setObjectName("Label1");
  combo_->setObjectName("ComboBox1");
  combo_->setEditable(true);
  combo_->setInsertPolicy(QComboBox::NoInsert);  // a typed name is used as typed, not listed
  const QString hint = QStringLiteral(
      "Для изменения строки редактирования до ширины основной формы - двойное нажатие мышью по "
      "полю");
  combo_->setToolTip(hint);
  combo_->setStatusTip(hint);
  combo_->setFixedWidth(160);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 8, 4, 8);  // a widened box is the dialog's width less 8
  layout->addWidget(label_);
  layout->addWidget(combo_, 0, Qt::AlignLeft);
  setFixedSize(340, sizeHint().height());
  previewKeys(this, this);
}

void RuleChoiceDialog::offer(const Lines& names) {
  const QString kept = combo_->currentText();
  combo_->clear();
  for (const Line& name : names) combo_->addItem(toQString(name));
  // The last choice stays chosen, so that the arrow keys move on from it; at first the first rule
  // is chosen. A typed name that is not listed stays as typed, with no rule chosen.
  const int listed = combo_->findText(kept);
  if (listed >= 0 || kept.isEmpty()) {
    combo_->setCurrentIndex(std::max(listed, 0));
  } else {
    combo_->setCurrentIndex(-1);
    combo_->setEditText(kept);
  }
}

void RuleChoiceDialog::reject() { hide(); }

bool RuleChoiceDialog::eventFilter(QObject* watched, QEvent* event) {
  // Enter in the open list only picks a name.
  if (isEnterPress(event) && isVisible() && !combo_->view()->isVisible()) {
    const QString rule = combo_->currentText();
    hide();
    emit traceChosen(rule);
    return true;
  }
  if (event->type() == QEvent::MouseButtonDblClick &&
      (watched == combo_ || watched == combo_->lineEdit())) {
    combo_->setFixedWidth(width() - 8);
  }
  return QDialog::eventFilter(watched, event);
}

void RuleChoiceDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  centreOnScreen(this);
  combo_->setFocus();
}

}  // namespace veksa
