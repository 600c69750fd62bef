// The diagnostics report window.
#include "ui/report_window.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/qt_text.h"
#include "ui/window_buttons.h"
#include "ui/window_placement.h"

namespace veksa {

ReportWindow::ReportWindow(const Workspace& ws, QWidget* parent)
    : QWidget(parent, closeBoxOnly(Qt::Tool)), ws_(ws), memo_(new QPlainTextEdit(this)) {
  setObjectName("TForm18");
  offerCloseOnly(this);
  setWindowTitle(QStringLiteral("Результат диагностики"));
  memo_->setObjectName("Memo1");
  memo_->setReadOnly(true);
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->installEventFilter(this);
  memo_->viewport()->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(memo_);
  resize(460, 320);
}

void ReportWindow::refresh() {
  if (shown_ == ws_.report) return;
  shown_ = ws_.report;
  memo_->setPlainText(joinLines(shown_));
}

void ReportWindow::showReport() {
  refresh();
  show();
  raise();
  activateWindow();
}

bool ReportWindow::eventFilter(QObject* watched, QEvent* event) {
  // The memo would take Enter for itself; in this window Esc and Enter hide it.
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
      hide();
      return true;
    }
  }
  if (watched == memo_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    const auto* click = static_cast<QMouseEvent*>(event);
    const int line = memo_->cursorForPosition(click->position().toPoint()).blockNumber();
    emit lineActivated(static_cast<std::size_t>(line));
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void ReportWindow::showEvent(QShowEvent* event) {
  centreOnFirstShow(this, placed_);
  QWidget::showEvent(event);
}

}  // namespace veksa
