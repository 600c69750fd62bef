// The help window (TForm19): six pages of instructions on tabs. Always on top, opened maximized;
// Enter or Esc anywhere in it hides it, and the next "Справка" shows the same page again.
#ifndef VEKSA_UI_HELP_WINDOW_H_
#define VEKSA_UI_HELP_WINDOW_H_

#include <QWidget>

class QTabWidget;

namespace veksa {

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent);

  QTabWidget* pages() const { return pages_; }
  void showHelp();

 private:
  QTabWidget* pages_;
};

}  // namespace veksa

#endif  // VEKSA_UI_HELP_WINDOW_H_
