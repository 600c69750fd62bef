// The timing window (TForm20): a gauge that a run fills while it repeats the inference. Always on
// top and without title-bar buttons: the window manager gives it no frame at all, and the window
// draws its own border and caption. Nothing in it reacts to the user.
#ifndef VEKSA_UI_TIMING_WINDOW_H_
#define VEKSA_UI_TIMING_WINDOW_H_

#include <QFrame>

class QLabel;
class QProgressBar;

namespace veksa {

class TimingWindow : public QFrame {
  Q_OBJECT

 public:
  explicit TimingWindow(QWidget* parent);

  QProgressBar* gauge() const { return gauge_; }  // Gauge1
  QLabel* captionLabel() const { return caption_; }
  void setProgress(int percent);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QLabel* caption_;
  QProgressBar* gauge_;
};

}  // namespace veksa

#endif  // VEKSA_UI_TIMING_WINDOW_H_
