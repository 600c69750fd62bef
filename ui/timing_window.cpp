// The timing window.
#include "ui/timing_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "ui/window_placement.h"

namespace veksa {

TimingWindow::TimingWindow(QWidget* parent)
    : QFrame(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint),
      caption_(new QLabel(this)),
      gauge_(new QProgressBar(this)) {
  setObjectName("TForm20");
  setWindowTitle(QStringLiteral("Оценка эффективности метода по времени"));
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(2);
  // The caption that a title bar would show.
  caption_->setObjectName("caption");
  caption_->setText(windowTitle());
  caption_->setAlignment(Qt::AlignCenter);
  QFont bold = caption_->font();
  bold.setBold(true);
  caption_->setFont(bold);
  gauge_->setObjectName("Gauge1");
  gauge_->setRange(0, 100);
  gauge_->setValue(0);
  gauge_->setMinimumSize(440, 28);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption_);
  layout->addWidget(gauge_);
  adjustSize();
}

void TimingWindow::setProgress(int percent) { gauge_->setValue(std::clamp(percent, 0, 100)); }

void TimingWindow::showEvent(QShowEvent* event) {
  centreOnScreen(this);
  QFrame::showEvent(event);
}

void TimingWindow::closeEvent(QCloseEvent* event) {
  // Only the run hides the window.
  event->ignore();
}

}  // namespace veksa
