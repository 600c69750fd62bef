// Input dropped while a run repeats the inference: keys and clicks that the user gives the program
// meanwhile would otherwise wait in the queue and act after the run (an F6 pressed during the
// timing loop starting the diagnostics when the results appear). While a guard lives, user input
// goes only to its own window (the timing window) and to a modal box that opens meanwhile; every
// other window's is dropped, and so is a request to close a window.
#ifndef VEKSA_UI_INPUT_GUARD_H_
#define VEKSA_UI_INPUT_GUARD_H_

#include <QObject>
#include <QPointer>

class QWidget;

namespace veksa {

class InputGuard : public QObject {
 public:
  explicit InputGuard(QWidget* own);
  // Drops the input that is still waiting, then lets input through again.
  ~InputGuard() override;
  InputGuard(const InputGuard&) = delete;
  InputGuard& operator=(const InputGuard&) = delete;

  // Lets the windows paint and takes in the waiting input, dropping what the guard drops.
  static void letWindowsPaint();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> own_;
};

}  // namespace veksa

#endif  // VEKSA_UI_INPUT_GUARD_H_
