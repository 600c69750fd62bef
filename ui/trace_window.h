// The trace window (TForm15, "Трассировка"): during a trace run it shows the knowledge-base line
// being executed and holds the run until the user presses Enter. Esc does nothing.
#ifndef VEKSA_UI_TRACE_WINDOW_H_
#define VEKSA_UI_TRACE_WINDOW_H_

#include <QDialog>

class QLineEdit;

namespace veksa {

class TraceWindow : public QDialog {
  Q_OBJECT

 public:
  explicit TraceWindow(QWidget* parent);

  QLineEdit* lineEdit() const { return edit_; }  // Edit1

  // Shows the line modally until Enter (or a close) lets the run go on.
  void showStep(const QString& line);

 public slots:
  // Esc does nothing: only Enter, or closing the window, goes on.
  void reject() override {}

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QLineEdit* edit_;
};

}  // namespace veksa

#endif  // VEKSA_UI_TRACE_WINDOW_H_
