// The common part of the declaration dialogs.
#include "ui/declaration_dialog.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/dialogs.h"
#include "ui/key_filter.h"
#include "ui/qt_text.h"
#include "ui/window_buttons.h"

namespace veksa {

namespace {

constexpr int kFieldWidth = 185;
constexpr int kMargin = 4;  // the widened field's 8 pixels less than the dialog, on both sides

const QString kDialogHint = QStringLiteral(
    "Двойной щелчок мышью по редактируемому полю позволяет его увеличить до ширины основной формы");

void setHint(QWidget* widget, const QString& hint) {
  widget->setToolTip(hint);
  widget->setStatusTip(hint);
}

// Widens its field on a double click into the field's text.
class WidenOnDoubleClick : public QObject {
 public:
  WidenOnDoubleClick(QComboBox* field, std::function<void()> widen)
      : QObject(field), widen_(std::move(widen)) {
    field->lineEdit()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonDblClick) widen_();
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> widen_;
};

}  // namespace

DeclarationDialog::DeclarationDialog(Workspace& ws, Dialogs& dialogs, DeclarationKind kind,
                                     const char* formName, const QString& caption, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ws_(ws),
      d_(ws.declarations),
      dialogs_(dialogs),
      kind_(kind),
      body_(new QVBoxLayout(this)) {
  setObjectName(formName);
  offerCloseOnly(this);
  setWindowTitle(caption);
  setHint(this, kDialogHint);
  setSizeGripEnabled(true);
  body_->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  body_->setSizeConstraint(QLayout::SetNoConstraint);
}

QComboBox* DeclarationDialog::addField(const char* name, const QString& hint, bool remembers) {
  auto* field = new QComboBox(this);
  field->setObjectName(name);
  field->setEditable(true);
  field->setInsertPolicy(QComboBox::NoInsert);
  field->setFixedWidth(kFieldWidth);
  // The drop-down lists are shown as they are kept: sorted or in the order of addition.
  field->setDuplicatesEnabled(true);
  if (!hint.isEmpty()) setHint(field, hint);
  new WidenOnDoubleClick(field, [this, field] { widen(field); });
  if (remembers) {
    connect(field, &QComboBox::activated, this,
            [this, field](int index) { pickEntry(d_, toLine(field->itemText(index))); });
  }
  body_->addWidget(field, 0, Qt::AlignLeft);
  return field;
}

QPushButton* DeclarationDialog::makeButton(const QString& caption, const char* name) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

void DeclarationDialog::addButtonRow(QComboBox* field, const ListEditing& ops) {
  edited_ = field;
  editing_ = ops;
  auto* row = new QHBoxLayout;
  add_ = makeButton(QStringLiteral("Добавить"), "addButton");
  rename_ = makeButton(QStringLiteral("Редактировать"), "renameButton");
  delete_ = makeButton(QStringLiteral("Удалить"), "deleteButton");
  close_ = makeButton(QStringLiteral("Закрыть"), "closeButton");
  for (QPushButton* b : {add_, rename_, delete_, close_}) row->addWidget(b);
  body_->addStretch();
  body_->addLayout(row);

  // The drop-down itself has the focus and hands keys on to its field: the keys are heard there.
  (new KeyFilter(field))
      ->on(kAddKeys, [this] { addEntry(); })
      .on({Qt::Key_Delete}, [this] {
        if (!edited_->currentText().isEmpty()) removeEntry();
      });
  connect(add_, &QPushButton::clicked, this, [this] {
    addEntry();
    edited_->setFocus();
  });
  connect(delete_, &QPushButton::clicked, this, [this] {
    removeEntry();
    edited_->setFocus();
  });
  connect(rename_, &QPushButton::clicked, this, [this] {
    renameEntry();
    edited_->setFocus();
  });
}

void DeclarationDialog::addEntry() {
  const Line text = textOf(edited_);
  if (runChecked([&] { return editing_.add(d_, kind_, text); })) edited_->clearEditText();
}

void DeclarationDialog::removeEntry() {
  const Line text = textOf(edited_);
  run([&] { editing_.remove(d_, kind_, text); });
}

void DeclarationDialog::renameEntry() {
  const Line text = textOf(edited_);
  if (runChecked([&] { return editing_.rename(d_, kind_, text); })) edited_->clearEditText();
}

void DeclarationDialog::widen(QComboBox* field) { field->setFixedWidth(width() - 2 * kMargin); }

void DeclarationDialog::run(const std::function<void()>& op) {
  if (run_) {
    run_(op);
  } else {
    op();
    showLists();
  }
}

bool DeclarationDialog::runChecked(const std::function<NameStatus()>& op) {
  NameStatus status = NameStatus::Empty;
  run([&] { status = op(); });
  if (status == NameStatus::HasSpace) dialogs_.message(this, toQString(kNoSpacesMessage));
  return status == NameStatus::Done;
}

void DeclarationDialog::fill(QComboBox* field, const Lines& list) {
  const QSignalBlocker block(field);
  const QString typed = field->currentText();
  const int caret = field->lineEdit()->cursorPosition();
  field->clear();
  for (const Line& entry : list) field->addItem(toQString(entry));
  field->setCurrentIndex(-1);
  field->setEditText(typed);
  field->lineEdit()->setCursorPosition(caret);
}

Line DeclarationDialog::textOf(const QComboBox* field) { return toLine(field->currentText()); }

}  // namespace veksa
