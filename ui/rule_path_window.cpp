// The rule-path window.
#include "ui/rule_path_window.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/fonts.h"
#include "ui/qt_text.h"
#include "ui/window_buttons.h"
#include "ui/window_placement.h"

namespace veksa {

RulePathWindow::RulePathWindow(Workspace& ws, QWidget* parent)
    : QWidget(parent, closeBoxOnly(Qt::Tool)), ws_(ws), memo_(new QPlainTextEdit(this)) {
  setObjectName("TForm5");
  offerCloseOnly(this);
  setWindowTitle(QStringLiteral("Путь"));
  memo_->setObjectName("Memo1");
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setFont(monospaceFont());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(memo_);
  resize(220, 300);
  // The memo is the path: every edit by the user is the RulePath at once. A final line end adds
  // no empty entry.
  connect(memo_, &QPlainTextEdit::textChanged, this, [this] {
    if (!filling_) ws_.RulePath = splitLines(toLine(memo_->toPlainText()), kFileLineBreaks);
  });
  refresh();
}

void RulePathWindow::refresh() {
  if (splitLines(toLine(memo_->toPlainText()), kFileLineBreaks) == ws_.RulePath) return;
  filling_ = true;
  memo_->setPlainText(joinLines(ws_.RulePath));
  filling_ = false;
}

void RulePathWindow::showPath() {
  refresh();
  show();
  raise();
}

void RulePathWindow::setReadOnly(bool readOnly) { memo_->setReadOnly(readOnly); }

void RulePathWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    hide();
    return;
  }
  QWidget::keyPressEvent(event);
}

void RulePathWindow::showEvent(QShowEvent* event) {
  centreOnFirstShow(this, placed_);
  QWidget::showEvent(event);
}

}  // namespace veksa
