// The timing window.
#include "ui/timing_window.h"

#include <QCloseEvent>
#include <QProgressBar>
#include <QVBoxLayout>

#include "ui/window_placement.h"

namespace veksa {

TimingWindow::TimingWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint),
      gauge_(new QProgressBar(this)) {
  setObjectName("TForm20");
  setWindowTitle(QStringLiteral("Оценка эффективности метода по времени"));
  gauge_->setObjectName("Gauge1");
  gauge_->setRange(0, 100);
  gauge_->setValue(0);
  gauge_->setMinimumSize(440, 28);  // wide enough for the whole caption
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(gauge_);
  adjustSize();
}

void TimingWindow::setProgress(int percent) { gauge_->setValue(std::clamp(percent, 0, 100)); }

void TimingWindow::showEvent(QShowEvent* event) {
  centreOnScreen(this);
  QWidget::showEvent(event);
}

void TimingWindow::closeEvent(QCloseEvent* event) {
  // Only the run hides the window.
  event->ignore();
}

}  // namespace veksa
