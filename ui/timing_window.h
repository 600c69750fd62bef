// The timing window (TForm20): a gauge that a run fills while it repeats the inference. Always on
// top, without title-bar buttons; nothing in it reacts to the user.
#ifndef VEKSA_UI_TIMING_WINDOW_H_
#define VEKSA_UI_TIMING_WINDOW_H_

#include <QWidget>

class QProgressBar;

namespace veksa {

class TimingWindow : public QWidget {
  Q_OBJECT

 public:
  explicit TimingWindow(QWidget* parent);

  QProgressBar* gauge() const { return gauge_; }  // Gauge1
  void setProgress(int percent);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QProgressBar* gauge_;
};

}  // namespace veksa

#endif  // VEKSA_UI_TIMING_WINDOW_H_
