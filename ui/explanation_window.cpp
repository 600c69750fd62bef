// The explanation window.
#include "ui/explanation_window.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/qt_text.h"
#include "ui/window_buttons.h"
#include "ui/window_placement.h"

namespace veksa {

ExplanationWindow::ExplanationWindow(QWidget* parent)
    : QWidget(parent, closeBoxOnly(Qt::Tool)), text_(new QPlainTextEdit(this)) {
  setObjectName("ExplanationWindow");
  offerCloseOnly(this);
  text_->setObjectName("explanationText");
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text_);
  resize(560, 240);
}

void ExplanationWindow::setExplanation(const QString& cls, const QString& value,
                                       const Lines& lines) {
  setWindowTitle(QStringLiteral("Объяснение: %1 %2").arg(cls, value));
  const QString shown = joinLines(lines);
  text_->setPlainText(shown);
  // Wide enough for the longest line (the arithmetic) and tall enough for all of them, within
  // the screen.
  const QFontMetrics metrics(text_->font());
  int longest = 0;
  for (const QString& line : shown.split(QLatin1Char('\n'))) {
    longest = std::max(longest, metrics.horizontalAdvance(line));
  }
  const QRect screen = this->screen()->availableGeometry();
  const int wanted = std::min(longest + 48, screen.width() * 9 / 10);
  const int tall = std::min(metrics.lineSpacing() * (static_cast<int>(lines.size()) + 2) + 24,
                            screen.height() * 2 / 3);
  resize(std::max(width(), wanted), std::max(tall, 160));
}

bool ExplanationWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    hide();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void ExplanationWindow::showBelow(const QWidget* anchor) {
  if (!placed_) {
    placed_ = true;
    placeBelow(this, anchor);
  }
  show();
  raise();
  activateWindow();
}

}  // namespace veksa
