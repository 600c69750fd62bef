// The trace window.
#include "ui/trace_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/fonts.h"
#include "ui/window_buttons.h"

namespace veksa {

TraceWindow::TraceWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      edit_(new QLineEdit(this)) {
  setObjectName("TForm15");
  offerCloseOnly(this);
  setWindowTitle(QStringLiteral("Трассировка"));
  setModal(true);
  edit_->setObjectName("Edit1");
  edit_->setReadOnly(true);
  edit_->setFocusPolicy(Qt::NoFocus);  // no tab stop: the keys go to the window
  edit_->setFont(monospaceFont());
  edit_->setFixedWidth(400);
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(edit_);
}

void TraceWindow::showStep(const QString& line) {
  edit_->setText(line);
  edit_->setCursorPosition(0);
  exec();
}

void TraceWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);  // Esc reaches reject(), which does nothing
}

void TraceWindow::closeEvent(QCloseEvent* event) {
  // A window that refused every close would hold the run for good: a close goes on like Enter.
  if (isVisible()) accept();
  event->accept();
}

}  // namespace veksa
